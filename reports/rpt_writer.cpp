// reports/rpt_writer.cpp: the HTML, RTF and plain-text markup of report elements.
#include "reports/rpt_writer.h"

#include "common/sentence_text.h"
#include "platform/base/text.h"
#include "reports/rpt_document.h"
#include "reports/rpt_text_wrap.h"

#include <algorithm>
#include <vector>

namespace {

/// The RTF cell margin the rows are set out with.
constexpr int kCellGap = 108;
constexpr int kLargestBorder = 75;

/// The lines of a value into lines: a line ends at CR or LF (CR LF and LF CR are one break);
/// after a break, white space and empty lines are skipped.
void SplitLines(std::string_view text, std::vector<std::string_view>& lines)
{
    lines.clear();
    if (!RptHasLineEnd(text)) {
        lines.push_back(text);
        return;
    }
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        lines.push_back(text.substr(start, end - start));
        if (end == text.size())
            break;
        start = end;
        while (start < text.size() && text::IsSpace(text[start]))
            ++start;
        if (start == text.size())
            break;
    }
}

void AppendRepeated(std::string& out, std::string_view piece, int count)
{
    for (int i = 0; i < count; ++i)
        out += piece;
}

/// piece count times, read from repeats, which grows to hold them.
std::string_view Repeated(std::string& repeats, std::string_view piece, int count)
{
    const std::size_t size = piece.size() * std::size_t(std::max(count, 0));
    while (repeats.size() < size)
        repeats += piece;
    return std::string_view(repeats).substr(0, size);
}

std::string Repeat(std::string_view piece, int count)
{
    std::string out;
    AppendRepeated(out, piece, count);
    return out;
}

int DefaultWidth(int columns, int column)
{
    static constexpr int kWidths[4][4] = {
        {100, 0, 0, 0}, {20, 80, 0, 0}, {20, 30, 50, 0}, {20, 30, 20, 30}};
    return kWidths[std::clamp(columns, 1, 4) - 1][std::clamp(column, 0, 3)];
}

/// The citation numbers of a mark list ("1,2,3"); pieces that are not numbers are left out.
std::vector<long> MarkNumbers(std::string_view marks)
{
    std::vector<long> numbers;
    while (!marks.empty()) {
        const std::size_t comma = marks.find(',');
        long number = 0;
        if (text::ParseInt(marks.substr(0, comma), number))
            numbers.push_back(number);
        if (comma == std::string_view::npos)
            break;
        marks.remove_prefix(comma + 1);
    }
    return numbers;
}

} // namespace

CRptWriter::CRptWriter(CRptSink& sink) : m_sink(sink) {}

int CRptWriter::TwipsOf(int hundredths) const
{
    return 20 * (72 * hundredths / 100);
}

const std::string& CRptWriter::CharFormat(int slot) const
{
    return m_charFormats[std::size_t(std::clamp(slot, 0, 6))];
}

void CRptWriter::UseSettings(const CRptSettings& settings)
{
    const CRptLayout& layout = settings.m_layout;
    m_headingStyles = settings.m_format.m_headingStyles;
    m_sourcesEndEntry = settings.SourceFlag(kRptSourcesEndEntry);
    const int pageWidth = layout.m_landscape ? kRptPageLength : kRptPageWidth;
    m_tableWidth = TwipsOf(std::max(pageWidth - layout.m_marginLeft - layout.m_marginRight, 100));
    m_tableLeft = layout.m_colStarts[0];
    m_columnStarts = layout.m_colStarts;
    m_rtfLabelWidth = layout.m_colStarts[1];
    m_indentSteps = {TwipsOf(layout.m_tabWidth), TwipsOf(layout.m_paraIndent)};
    // As on pages, deep indents keep half the content's width for the text.
    const int halfWidth = std::max(pageWidth - layout.m_marginLeft - layout.m_marginRight, 100) / 2;
    const int pageSteps[] = {layout.m_tabWidth, layout.m_paraIndent};
    for (std::size_t i = 0; i < m_deepestIndents.size(); ++i)
        m_deepestIndents[i] = pageSteps[i] > 0 ? halfWidth / pageSteps[i] : -1;
    for (int slot = 0; slot < 7; ++slot)
        m_charFormats[std::size_t(slot)] = RtfCharFormat(settings, slot);
    for (int level = 0; level < kRptHeadingLevelCount; ++level) {
        const CRptHeadingStyle& style = m_headingStyles[std::size_t(level)];
        m_headingFormats[std::size_t(level)] =
            text::Format("\\sb%d\\sa%d\\keepn", 20 * std::max(style.m_gapAbove, 0),
                         20 * std::max(style.m_gapBelow, 0));
        m_rowFormats[std::size_t(level)] = level == kRptLevelSubsection ? "\\sa40 " : "\\sa60 ";
    }
    m_hasFormatting = true;
}

void CRptWriter::Heading(int level, std::string_view text, bool pageBreak)
{
    level = std::clamp(level, 0, 2);
    const CRptHeadingStyle& style = m_headingStyles[std::size_t(level)];
    switch (Kind()) {
    case kRptHtml:
        m_sink.Markup(text::Format("<p class=\"AvHdg%d\">", level + 1));
        m_sink.Text(text);
        m_sink.Markup("</p>\n");
        break;
    case kRptRtf:
        if (m_hasFormatting) {
            const int width = std::min(style.m_lineDepth / 5, kLargestBorder);
            const std::string top =
                style.m_lineAbove ? text::Format("\\brdrt\\brdrs\\brdrw%d\\brsp20 ", width) : "";
            const std::string bottom =
                style.m_lineBelow ? text::Format("\\brdrb\\brdrs\\brdrw%d\\brsp20 ", width) : "";
            m_sink.Markup(text::Format(pageBreak ? "\\pard\\plain\\s%d \\pagebb %s%s\\brdrbtw %s%s "
                                                 : "\\pard\\plain\\s%d%s%s\\brdrbtw %s%s ",
                                       level + 1, top, bottom, m_headingFormats[std::size_t(level)],
                                       CharFormat(RptFontSlot(level, kRptHeadingPart))));
        } else {
            m_sink.Markup(text::Format("\\pard\\plain\\s%d ", level + 1));
        }
        m_sink.Text(text);
        m_sink.Markup("\\par\n");
        break;
    default:
        m_sink.Markup(std::string(std::size_t(std::max(1, 3 - level)), '\n'));
        if (style.m_lineAbove)
            RuleLine(level);
        m_sink.Text(text);
        m_sink.Markup("\n");
        if (style.m_lineBelow)
            RuleLine(level);
        break;
    }
}

void CRptWriter::RuleLine(int level)
{
    if (m_lineWidth <= 0)
        return;
    m_sink.Markup(std::string(std::size_t(m_lineWidth), level == 0 ? '_' : '-'));
    m_sink.Markup(level == 0 ? "\n\n" : "\n");
}

void CRptWriter::BeginTable(int level, int columns, std::span<const int> widths, bool tableFlag)
{
    m_columns = std::clamp(columns, 1, 4);
    m_currentCell = 0;
    m_tableLevel = std::clamp(level, 0, 2);
    m_tableFlag = tableFlag;
    for (int i = 0; i < 4; ++i) {
        m_widths[std::size_t(i)] = std::size_t(i) < widths.size() && widths[std::size_t(i)] > 0
                                       ? widths[std::size_t(i)]
                                       : DefaultWidth(m_columns, i);
    }
    if (Kind() != kRptHtml)
        return;
    const int classNumber = m_tableLevel == kRptLevelSubsection ? 3 : 2;
    std::string markup = "<table width=\"75%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\">\n";
    for (int i = 0; i < m_columns; ++i) {
        markup += text::Format(i == 0 ? "<col width=\"%d%%\" valign=top class=\"AvLbl%d\">"
                                      : "<col width=\"%d%%\" valign=top class=\"AvDat%d\">",
                               m_widths[std::size_t(i)], classNumber);
    }
    markup += "\n";
    m_sink.Markup(markup);
    m_firstRow = true;
}

void CRptWriter::EndTable()
{
    m_tableFlag = false;
    EndRow();
    m_columns = 0;
    if (Kind() == kRptHtml)
        m_sink.Markup("</table>\n");
}

void CRptWriter::EndRow()
{
    if (m_currentCell <= 0)
        return;
    switch (Kind()) {
    case kRptHtml:
        HtmlEndRow();
        break;
    case kRptRtf:
        RtfEndRow();
        break;
    default:
        m_sink.Markup("\n");
        m_currentCell = 0;
        break;
    }
}

int CRptWriter::KeptIndent(const CRptTextRow& row) const
{
    const int indent = std::max(row.m_indent, 0);
    if (m_columns > 0 || (row.m_indentKind != 1 && row.m_indentKind != 2))
        return indent;
    const int deepest = m_deepestIndents[std::size_t(row.m_indentKind - 1)];
    return deepest >= 0 ? std::min(indent, deepest) : indent;
}

void CRptWriter::Row(const CRptTextRow& row)
{
    const int indent = KeptIndent(row);
    switch (Kind()) {
    case kRptHtml:
        if (m_columns > 0)
            HtmlCell(row);
        else
            HtmlParagraph(row, indent);
        break;
    case kRptRtf:
        if (m_columns > 0)
            RtfCell(row);
        else
            RtfParagraph(row, row.m_indentKind, indent);
        break;
    default:
        if (m_columns > 0)
            TextCell(row);
        else
            TextParagraph(row, row.m_indentKind, indent);
        break;
    }
}

void CRptWriter::Runs(int level, std::span<const CRptRun> runs)
{
    const std::size_t count = std::min<std::size_t>(runs.size(), 4);
    const bool inTable = m_columns > 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!inTable && i > 0 && Kind() == kRptText)
            m_sink.Markup("\t");
        CRptTextRow row;
        row.m_text = runs[i].m_text;
        // Without a table the runs follow one another as paragraphs of the same indent.
        row.m_indentKind = inTable ? 0 : 1;
        row.m_indent = inTable ? int(i) : 0;
        row.m_level = level;
        row.m_part = runs[i].m_part;
        row.m_marks = runs[i].m_marks;
        row.m_endLine = false;
        Row(row);
    }
    if (Kind() == kRptText && !inTable && count > 0)
        m_sink.Markup("\n");
}

void CRptWriter::FieldRow(int level, std::string_view label, std::string_view value,
                          std::string_view marks)
{
    if (Kind() == kRptText) {
        m_sink.Text(PadToWidth(label, m_labelWidth - 2, 0));
        m_sink.Markup("  ");
        m_sink.Text(value);
        if (!marks.empty()) {
            m_sink.Markup("[");
            m_sink.Text(marks);
            m_sink.Markup("]");
        }
        m_sink.Markup("\n");
        return;
    }
    const CRptRun runs[] = {{std::string(label), kRptLabelPart, {}},
                            {std::string(value), kRptDataPart, std::string(marks)}};
    Runs(level, runs);
}

void CRptWriter::SourceRow(int number, bool superscript)
{
    if (Kind() != kRptHtml) {
        CRptTextRow row;
        row.m_text = text::Format("%d", number);
        row.m_level = m_tableLevel;
        row.m_part = kRptLabelPart;
        row.m_endLine = false;
        row.m_superscript = superscript;
        Row(row);
        return;
    }
    EndRow();
    if (m_sourcesEndEntry) {
        m_sink.Markup(text::Format(superscript ? "<tr><td><a name=\"Src%d-%d\"><sup>%d</sup></a>"
                                               : "<tr><td><a name=\"Src%d-%d\">%d</a>",
                                   m_entryCounter, number, number));
    } else {
        m_sink.Markup(text::Format(superscript ? "<tr><td><a name=\"Src%d\"><sup>%d</sup></a>"
                                               : "<tr><td><a name=\"Src%d\">%d</a>",
                                   number, number));
    }
    m_currentCell = 1;
}

// HTML.

void CRptWriter::HtmlLinks(std::string_view marks)
{
    const std::vector<long> numbers = MarkNumbers(marks);
    if (numbers.empty())
        return;
    std::string markup = "<sup>";
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0)
            markup += ",";
        markup += m_sourcesEndEntry
                      ? text::Format("<a href=\"#Src%d-%ld\">%ld</a>", m_entryCounter, numbers[i],
                                     numbers[i])
                      : text::Format("<a href=\"#Src%ld\">%ld</a>", numbers[i], numbers[i]);
    }
    markup += "</sup>";
    m_sink.Markup(markup);
}

void CRptWriter::HtmlCell(const CRptTextRow& row)
{
    const int column = std::clamp(row.m_indent, 0, 3);
    if (m_currentCell > column)
        HtmlEndRow();
    std::string markup;
    if (m_currentCell == 0)
        markup = "<tr>";
    while (m_currentCell <= column) {
        if (m_firstRow && !m_mergedLabel) {
            markup += text::Format("<td width=\"%d%%\">", m_widths[std::size_t(m_currentCell)]);
            ++m_currentCell;
        } else if (m_currentCell == 0 && m_mergedLabel) {
            markup += "<td colspan=2>";
            m_currentCell += 2;
        } else {
            markup += "<td>";
            ++m_currentCell;
        }
    }
    m_sink.Markup(markup);
    SplitLines(row.m_text, m_lines);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            m_sink.Markup("<br>");
        m_sink.Text(m_lines[i]);
    }
    HtmlLinks(row.m_marks);
    if (m_currentCell >= m_columns)
        HtmlEndRow();
}

void CRptWriter::HtmlEndRow()
{
    std::string markup;
    while (m_currentCell < m_columns) {
        markup += m_firstRow
                      ? text::Format("<td width=\"%d%%\">", m_widths[std::size_t(m_currentCell)])
                      : "<td>";
        ++m_currentCell;
    }
    markup += "</tr>\n";
    m_sink.Markup(markup);
    m_currentCell = 0;
    if (!m_mergedLabel)
        m_firstRow = false;
}

void CRptWriter::HtmlParagraph(const CRptTextRow& row, int indent)
{
    const int level = std::clamp(row.m_level, 0, 2);
    if (row.m_part != kRptDataPart) {
        const std::string open = Repeat("<blockquote>", indent);
        const std::string close = Repeat("</blockquote>", indent);
        m_sink.Markup(open + text::Format(row.m_part == kRptHeadingPart ? "<p class=\"AvHdg%d\">"
                                                                        : "<p class=\"AvLbl%d\">",
                                          level + 1));
        m_sink.Text(row.m_text);
        m_sink.Markup((row.m_part == kRptHeadingPart ? "</p>" : "</p>\n") + close + "\n");
        return;
    }
    if (row.m_text.empty())
        return;
    SplitLines(row.m_text, m_lines);
    // The paragraph's nesting is read from buffers of nested quotes that only ever grow.
    static constexpr std::string_view kDataClasses[] = {
        "<p class=\"AvDat1\">", "<p class=\"AvDat2\">", "<p class=\"AvDat3\">"};
    const std::string_view open = Repeated(m_quotes, "<blockquote>", indent);
    const std::string_view close = Repeated(m_unquotes, "</blockquote>", indent);
    const auto closeParagraph = [&] {
        m_sink.Markup("</p>");
        m_sink.Markup(close);
        m_sink.Markup("\n");
    };
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        m_sink.Markup(open);
        m_sink.Markup(kDataClasses[level]);
        m_sink.Text(m_lines[i]);
        if (i + 1 < m_lines.size())
            closeParagraph();
    }
    HtmlLinks(row.m_marks);
    closeParagraph();
}

// RTF.

void CRptWriter::RtfLines(std::string_view text)
{
    SplitLines(text, m_lines);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            m_sink.Markup("\\par ");
        m_sink.Text(m_lines[i]);
    }
}

void CRptWriter::RtfCell(const CRptTextRow& row)
{
    const int columns = m_mergedLabel ? m_columns - 1 : m_columns;
    const int column = std::clamp(row.m_indent, 0, 3);
    const int level = m_tableLevel;
    if (m_mergedLabel && column >= 2)
        return;
    if (m_currentCell > column)
        RtfEndRow();
    if (m_currentCell == 0) {
        std::string prefix;
        constexpr const char* kCell = "\\clvertalt\\cltxlrtb\\cellx%d ";
        if (m_tableFlag) {
            prefix = "\\trowd\\trgaph108\\trleft-108";
            prefix += text::Format(kCell, std::min(TwipsOf(m_rtfLabelWidth + 10), m_tableWidth) -
                                              kCellGap);
        } else {
            prefix = text::Format("\\trowd\\trgaph108\\trleft%d", TwipsOf(m_tableLeft) - kCellGap);
            for (int i = 0; i + 1 < columns; ++i) {
                prefix += text::Format(
                    kCell,
                    std::min(TwipsOf(m_columnStarts[std::size_t(i + 1)]), m_tableWidth) - kCellGap);
            }
        }
        prefix += text::Format(kCell, m_tableWidth - kCellGap);
        prefix += "\\pard \\widctlpar\\intbl\\adjustright ";
        prefix += m_rowFormats[std::size_t(level)];
        prefix += "{";
        m_sink.Markup(prefix);
    }
    while (m_currentCell < column) {
        m_sink.Markup(text::Format("\\s%d ", RptStyleNumber(level, kRptDataPart)) +
                      CharFormat(RptFontSlot(level, kRptDataPart)) + "\\cell ");
        ++m_currentCell;
    }
    m_sink.Markup(text::Format("\\s%d ", RptStyleNumber(level, row.m_part)) +
                  CharFormat(RptFontSlot(level, row.m_part)));
    RtfTextAndMarks(row);
    m_sink.Markup("\\cell ");
    ++m_currentCell;
    if (m_currentCell >= columns)
        RtfEndRow();
}

void CRptWriter::RtfTextAndMarks(const CRptTextRow& row)
{
    if (row.m_superscript)
        m_sink.Markup("\\super ");
    RtfLines(row.m_text);
    if (row.m_superscript)
        m_sink.Markup("\\nosupersub");
    if (!row.m_marks.empty()) {
        m_sink.Markup("\\super ");
        m_sink.Text(row.m_marks);
        m_sink.Markup("\\nosupersub ");
    }
}

void CRptWriter::RtfEndRow()
{
    const int columns = m_mergedLabel ? m_columns - 1 : m_columns;
    std::string markup;
    while (m_currentCell < columns) {
        markup += text::Format("\\s%d ", RptStyleNumber(m_tableLevel, kRptDataPart)) +
                  CharFormat(RptFontSlot(m_tableLevel, kRptDataPart)) + "\\cell ";
        ++m_currentCell;
    }
    markup += "} \\pard \\widctlpar\\intbl\\adjustright {\\row }\n";
    m_sink.Markup(markup);
    m_currentCell = 0;
    if (!m_mergedLabel)
        m_firstRow = false;
}

void CRptWriter::RtfParagraph(const CRptTextRow& row, int indentKind, int indent)
{
    if (indentKind == 0 && indent < 1) {
        indentKind = 1;
        indent = 0;
    }
    const int level = std::clamp(row.m_level, 0, 2);
    const int step = m_indentSteps[indentKind == 0 ? 0 : 1];
    // Made in a buffer every paragraph reuses: a long export writes millions.
    m_openMarkup.assign("\\pard \\li");
    AppendRptNumber(m_openMarkup, step * indent);
    m_openMarkup += "\\widctlpar\\adjustright ";
    m_openMarkup += m_rowFormats[std::size_t(level)];
    m_openMarkup += "\\s";
    AppendRptNumber(m_openMarkup, RptStyleNumber(level, row.m_part));
    m_openMarkup += ' ';
    m_openMarkup += CharFormat(RptFontSlot(level, row.m_part));
    m_sink.Markup(m_openMarkup);
    RtfTextAndMarks(row);
    m_sink.Markup("\\par ");
}

// Plain text.

void CRptWriter::TextCell(const CRptTextRow& row)
{
    const int column = std::clamp(row.m_indent, 0, 3);
    if (m_currentCell > column) {
        m_sink.Markup("\n");
        m_currentCell = 0;
    }
    m_sink.Markup(std::string(std::size_t(column - m_currentCell), '\t'));
    m_currentCell = column;
    m_sink.Text(row.m_text);
    if (!row.m_marks.empty()) {
        m_sink.Markup("[");
        m_sink.Text(row.m_marks);
        m_sink.Markup("]");
    }
    ++m_currentCell;
    if (m_currentCell < m_columns) {
        m_sink.Markup("\t");
    } else {
        m_sink.Markup("\n");
        m_currentCell = 0;
    }
}

void CRptWriter::TextParagraph(const CRptTextRow& row, int indentKind, int indent)
{
    if (indentKind == 0 && indent < 1) {
        indentKind = 1;
        indent = 0;
    }
    if (indentKind == 1)
        m_sink.Markup(std::string(std::size_t(indent), '\t'));
    m_sink.Text(row.m_text);
    if (!row.m_marks.empty()) {
        m_sink.Markup("[");
        m_sink.Text(row.m_marks);
        m_sink.Markup("]");
    }
    if (row.m_endLine)
        m_sink.Markup("\n");
}

void CRptWriter::Write(const CRptElement& element)
{
    switch (element.m_kind) {
    case CRptElement::kHeading:
        Heading(element.m_level, element.m_text, element.m_pageBreak);
        break;
    case CRptElement::kBeginTable:
        BeginTable(element.m_level, element.m_columns, element.m_widths, element.m_tableFlag);
        break;
    case CRptElement::kEndTable:
        EndTable();
        break;
    case CRptElement::kNextEntry:
        NextEntry();
        break;
    case CRptElement::kRow:
        Row(element.m_row);
        break;
    case CRptElement::kRuns:
        Runs(element.m_level, element.m_runs);
        break;
    case CRptElement::kFieldRow:
        FieldRow(element.m_level, element.m_label, element.m_text, element.m_marks);
        break;
    case CRptElement::kSourceRow:
        SourceRow(element.m_number, element.m_superscript);
        break;
    }
}

void CRptWriter::Write(const CRptBody& body)
{
    for (const CRptElement& element : body.Elements())
        Write(element);
}
