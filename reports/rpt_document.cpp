// reports/rpt_document.cpp: HTML and RTF document frames and writing a report to a file.
#include "reports/rpt_document.h"

#include "platform/base/exceptions.h"
#include "platform/base/safe_file.h"
#include "platform/base/text.h"
#include "reports/rpt_writer.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kLargestPoints = 1000;
constexpr std::size_t kFlushSize = 1 << 16;

/// Slots in the order of the styles \s1-\s7, with their names.
struct StyleDef {
    int level;
    int part;
    const char* name;
};
constexpr StyleDef kStyles[] = {
    {0, kRptHeadingPart, "Record Heading"},      {1, kRptHeadingPart, "Section Heading"},
    {2, kRptHeadingPart, "Sub-section Heading"}, {1, kRptLabelPart, "Section Label"},
    {1, kRptDataPart, "Section Data"},           {2, kRptLabelPart, "Sub-section Label"},
    {2, kRptDataPart, "Sub-section Data"},
};

const LOGFONT& SlotFont(const CRptSettings& settings, int slot)
{
    return settings.m_format.m_fonts[std::size_t(std::clamp(slot, 0, 6))];
}

int Points(const LOGFONT& font)
{
    return std::clamp(int(font.lfHeight), 1, kLargestPoints);
}

/// The face name with only letters, digits, blanks and hyphens kept, so that it can stand in a
/// style sheet or a font table as it is.
std::string SafeFace(const LOGFONT& font)
{
    std::string face;
    for (const char* c = font.lfFaceName; *c; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
            (byte >= '0' && byte <= '9') || byte == ' ' || byte == '-')
            face += *c;
    }
    return face.empty() ? std::string("Times New Roman") : face;
}

/// The distinct faces of the seven element fonts, in slot order.
std::vector<std::string> FontFaces(const CRptSettings& settings)
{
    std::vector<std::string> faces;
    for (int slot = 0; slot < 7; ++slot) {
        std::string face = SafeFace(SlotFont(settings, slot));
        if (std::find(faces.begin(), faces.end(), face) == faces.end())
            faces.push_back(std::move(face));
    }
    return faces;
}

int FontFamily(const LOGFONT& font)
{
    return font.lfPitchAndFamily & 0xF0;
}

const char* RtfFamily(const LOGFONT& font)
{
    switch (FontFamily(font)) {
    case FF_ROMAN:
        return "\\froman";
    case FF_SWISS:
        return "\\fswiss";
    case FF_MODERN:
        return "\\fmodern";
    case FF_SCRIPT:
        return "\\fscript";
    default:
        return "\\fnil";
    }
}

const char* CssFamily(const LOGFONT& font)
{
    switch (FontFamily(font)) {
    case FF_ROMAN:
        return "serif";
    case FF_MODERN:
        return "monospace";
    case FF_SCRIPT:
        return "cursive";
    default:
        return "sans-serif";
    }
}

int Twips(int hundredths)
{
    return 20 * (72 * hundredths / 100);
}

/// Hundredths of a point as "1.25pt".
std::string CssPoints(int hundredths)
{
    hundredths = std::max(hundredths, 1);
    return text::Format("%d.%02dpt", hundredths / 100, hundredths % 100);
}

std::string CssRule(const CRptSettings& settings, const char* className, int level, int part)
{
    const LOGFONT& font = SlotFont(settings, RptFontSlot(level, part));
    std::string rule =
        text::Format("p.%s, .%s { font-family: \"%s\", %s; font-size: %dpt", className, className,
                     SafeFace(font), CssFamily(font), Points(font));
    rule += font.lfWeight >= FW_SEMIBOLD ? "; font-weight: bold" : "; font-weight: normal";
    if (font.lfItalic)
        rule += "; font-style: italic";
    if (font.lfUnderline)
        rule += "; text-decoration: underline";
    if (part == kRptHeadingPart) {
        const CRptHeadingStyle& style = settings.m_format.m_headingStyles[std::size_t(level)];
        rule += text::Format("; margin-top: %dpt; margin-bottom: %dpt",
                             std::max(style.m_gapAbove, 0), std::max(style.m_gapBelow, 0));
        if (style.m_lineAbove)
            rule += "; border-top: " + CssPoints(style.m_lineDepth) + " solid black";
        if (style.m_lineBelow)
            rule += "; border-bottom: " + CssPoints(style.m_lineDepth) + " solid black";
    } else {
        rule += "; margin-top: 0; margin-bottom: 0";
    }
    return rule + " }\n";
}

void WriteHtmlStart(CRptSink& sink, std::string_view title, const CRptSettings& settings)
{
    sink.Markup("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
                "\"http://www.w3.org/TR/html4/loose.dtd\">\n"
                "<html>\n<head>\n"
                "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\n"
                "<title>");
    sink.Text(title);
    sink.Markup("</title>\n<style type=\"text/css\">\n");
    std::string rules;
    for (int level = 0; level < 3; ++level)
        rules +=
            CssRule(settings, text::Format("AvHdg%d", level + 1).c_str(), level, kRptHeadingPart);
    for (int level = 1; level < 3; ++level) {
        rules +=
            CssRule(settings, text::Format("AvLbl%d", level + 1).c_str(), level, kRptLabelPart);
        rules += CssRule(settings, text::Format("AvDat%d", level + 1).c_str(), level, kRptDataPart);
    }
    sink.Markup(rules);
    sink.Markup("</style>\n</head>\n<body>\n");
}

void WriteRtfStart(CRptSink& sink, const CRptSettings& settings)
{
    const CRptLayout& layout = settings.m_layout;
    const int width = layout.m_landscape ? kRptPageLength : kRptPageWidth;
    const int height = layout.m_landscape ? kRptPageWidth : kRptPageLength;
    std::string header = "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\n{\\fonttbl";
    const std::vector<std::string> faces = FontFaces(settings);
    for (std::size_t i = 0; i < faces.size(); ++i) {
        const LOGFONT* font = &SlotFont(settings, 0);
        for (int slot = 0; slot < 7; ++slot) {
            if (SafeFace(SlotFont(settings, slot)) == faces[i]) {
                font = &SlotFont(settings, slot);
                break;
            }
        }
        header += text::Format("{\\f%d%s\\fcharset0 %s;}", int(i), RtfFamily(*font), faces[i]);
    }
    header += "}\n{\\stylesheet";
    for (int number = 0; number < 7; ++number) {
        const StyleDef& style = kStyles[number];
        const CRptHeadingStyle& heading =
            settings.m_format.m_headingStyles[std::size_t(style.level)];
        const std::string paragraph =
            style.part == kRptHeadingPart
                ? text::Format("\\sb%d\\sa%d\\keepn", 20 * std::max(heading.m_gapAbove, 0),
                               20 * std::max(heading.m_gapBelow, 0))
                : std::string(style.level == kRptLevelSubsection ? "\\sa40" : "\\sa60");
        header += text::Format("{\\s%d%s", number + 1, paragraph) +
                  RtfCharFormat(settings, RptFontSlot(style.level, style.part)) + style.name + ";}";
    }
    header += "}\n";
    header +=
        text::Format("\\paperw%d\\paperh%d\\margl%d\\margr%d\\margt%d\\margb%d\n", Twips(width),
                     Twips(height), Twips(layout.m_marginLeft), Twips(layout.m_marginRight),
                     Twips(layout.m_marginTop), Twips(layout.m_marginBottom));
    sink.Markup(header);
}

/// Writes through a safe file in large pieces; remembers a failed write.
class CFileSink final : public CRptSink {
public:
    CFileSink(int kind, CSafeFile& file) : CRptSink(kind), m_file(file) {}
    bool Flush()
    {
        if (!m_failed && !m_buffer.empty()) {
            try {
                m_file.Write(m_buffer.data(), UINT(m_buffer.size()));
            } catch (const CFileException&) {
                m_failed = true;
            }
        }
        m_buffer.clear();
        return !m_failed;
    }

protected:
    void Put(std::string_view bytes) override
    {
        m_buffer += bytes;
        if (m_buffer.size() >= kFlushSize)
            Flush();
    }

private:
    CSafeFile& m_file;
    std::string m_buffer;
    bool m_failed = false;
};

} // namespace

std::string RtfCharFormat(const CRptSettings& settings, int slot)
{
    const LOGFONT& font = SlotFont(settings, slot);
    const std::vector<std::string> faces = FontFaces(settings);
    const auto face = std::find(faces.begin(), faces.end(), SafeFace(font));
    std::string format =
        text::Format("\\plain\\f%d\\fs%d", int(face - faces.begin()), 2 * Points(font));
    if (font.lfWeight >= FW_SEMIBOLD)
        format += "\\b";
    if (font.lfItalic)
        format += "\\i";
    if (font.lfUnderline)
        format += "\\ul";
    return format + " ";
}

void WriteRptDocumentStart(CRptSink& sink, std::string_view title, const CRptSettings& settings)
{
    if (sink.Kind() == kRptHtml)
        WriteHtmlStart(sink, title, settings);
    else if (sink.Kind() == kRptRtf)
        WriteRtfStart(sink, settings);
}

void WriteRptDocumentEnd(CRptSink& sink)
{
    if (sink.Kind() == kRptHtml)
        sink.Markup("</body>\n</html>\n");
    else if (sink.Kind() == kRptRtf)
        sink.Markup("}\n");
}

SaveOutcome WriteReportFile(const std::string& path, int kind, std::string_view title,
                            const CRptSettings& settings,
                            const std::function<void(CRptWriter&)>& body)
{
    CSafeFile file;
    bool written = false;
    if (file.OpenBeside(path)) {
        CFileSink sink(kind, file);
        CRptWriter writer(sink);
        writer.UseSettings(settings);
        WriteRptDocumentStart(sink, title, settings);
        body(writer);
        WriteRptDocumentEnd(sink);
        written = sink.Flush() && file.Commit();
        if (!written)
            file.Discard();
    }
    if (!written)
        return {"Unable to save the report in file " + path + ".  " + file.LastErrorText()};
    return {};
}

SaveOutcome WriteReportFile(const std::string& path, int kind, std::string_view title,
                            const CRptSettings& settings, const CRptBody& body)
{
    return WriteReportFile(path, kind, title, settings,
                           [&body](CRptWriter& writer) { writer.Write(body); });
}
