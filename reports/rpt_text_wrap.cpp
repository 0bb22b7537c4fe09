// reports/rpt_text_wrap.cpp: breaking report text into the lines that fit a column.
#include "reports/rpt_text_wrap.h"

#include "reports/rpt_canvas.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

/// The length in bytes of the UTF-8 character that starts text.
std::size_t FirstCharLength(std::string_view text)
{
    std::size_t length = 1;
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

/// How many bytes of whole characters at the start of text fit width. Only as much of the text
/// as may fit is measured, so that a long paragraph costs its length and not its square.
std::size_t FitCount(IRptCanvas& canvas, std::string_view text, int width)
{
    std::size_t window = std::min<std::size_t>(text.size(), 256);
    for (;;) {
        while (window < text.size() && (static_cast<unsigned char>(text[window]) & 0xC0) == 0x80)
            ++window;
        const std::size_t fit =
            std::size_t(std::max(0, canvas.GetFitCount(text.substr(0, window), width)));
        if (fit < window || window == text.size())
            return std::min(fit, window);
        window = std::min(text.size(), window * 2);
    }
}

void SkipBlanks(std::string_view& text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    text.remove_prefix(i);
}

/// Lines made so far, written over those of an earlier text so that their storage is reused.
struct LineOutput {
    std::vector<RptLine>& lines;
    bool withText = true;
    std::size_t count = 0;

    void Add(std::string_view text)
    {
        if (!withText)
            text = {};
        if (count < lines.size()) {
            lines[count].text.assign(text);
            lines[count].endsParagraph = false;
        } else {
            lines.push_back({std::string(text), false});
        }
        ++count;
    }
};

/// Appends the lines of one paragraph (no line ends inside).
void WrapParagraph(IRptCanvas* canvas, std::string_view rest, int width, LineOutput& out)
{
    const std::size_t first = out.count;
    SkipBlanks(rest);
    while (!rest.empty()) {
        std::size_t take = rest.size();
        if (canvas) {
            const std::size_t fit = FitCount(*canvas, rest, width);
            if (fit < rest.size()) {
                std::size_t blank = fit;
                while (blank > 0 && !IsBlank(rest[blank]))
                    --blank;
                take = blank > 0 ? blank : std::max(fit, FirstCharLength(rest));
            }
        }
        std::string_view line = rest.substr(0, take);
        while (!line.empty() && IsBlank(line.back()))
            line.remove_suffix(1);
        out.Add(line);
        rest.remove_prefix(take);
        SkipBlanks(rest);
    }
    if (out.count > first)
        out.lines[out.count - 1].endsParagraph = true;
}

} // namespace

bool RptHasLineEnd(std::string_view text)
{
    return !text.empty() && (std::memchr(text.data(), '\n', text.size()) ||
                             std::memchr(text.data(), '\r', text.size()));
}

std::vector<RptLine> RptWrapText(IRptCanvas* canvas, int slot, std::string_view text, int width)
{
    std::vector<RptLine> lines;
    RptWrapText(canvas, slot, text, width, lines);
    return lines;
}

void RptWrapText(IRptCanvas* canvas, int slot, std::string_view text, int width,
                 std::vector<RptLine>& lines, bool withText)
{
    LineOutput out{lines, withText};
    if (canvas)
        canvas->SelectFont(slot);
    const bool oneParagraph = !RptHasLineEnd(text);
    while (!text.empty()) {
        std::size_t end = oneParagraph ? text.size() : 0;
        while (end < text.size() && !IsLineEnd(text[end]))
            ++end;
        WrapParagraph(canvas, text.substr(0, end), width, out);
        text.remove_prefix(end);
        // A CR LF or LF CR pair is one break; blank lines after it are left out by WrapParagraph.
        if (!text.empty()) {
            const char first = text[0];
            text.remove_prefix(1);
            if (!text.empty() && IsLineEnd(text[0]) && text[0] != first)
                text.remove_prefix(1);
        }
    }
    lines.resize(out.count);
}
