// common/string_utils.cpp: white space, searching, case, line breaks and name slashes.
#include "common/string_utils.h"

#include "platform/base/text.h"

namespace {

std::u32string Decode(std::string_view text)
{
    std::u32string out;
    for (std::size_t pos = 0; pos < text.size();)
        out += text::DecodeUtf8(text, pos);
    return out;
}

} // namespace

std::string CollapseSpaces(std::string_view text)
{
    const std::string_view trimmed = text::TrimView(text);
    bool doubled = false;
    for (std::size_t i = 1; i < trimmed.size() && !doubled; ++i)
        doubled = text::IsSpace(trimmed[i - 1]) && text::IsSpace(trimmed[i]);
    if (!doubled)
        return std::string(trimmed);
    std::string out;
    out.reserve(trimmed.size());
    for (std::size_t i = 0; i < trimmed.size(); ++i) {
        if (!text::IsSpace(trimmed[i]))
            out += trimmed[i];
        else if (!text::IsSpace(trimmed[i - 1]))
            out += ' ';
    }
    return out;
}

int CountWords(std::string_view text)
{
    int words = 0;
    bool inWord = false;
    for (const char c : text) {
        const bool space = text::IsSpace(c);
        if (!space && !inWord)
            ++words;
        inWord = !space;
    }
    return words;
}

int FindNoCase(std::string_view text, std::string_view pattern)
{
    const std::size_t found = text::FindNoCase(text, pattern);
    return found == std::string_view::npos ? -1 : static_cast<int>(found);
}

bool ContainsFoldedText(std::string_view text, std::string_view lowerPattern,
                        std::string_view upperPattern)
{
    const std::u32string chars = Decode(text);
    const std::u32string lower = Decode(lowerPattern);
    const std::u32string upper = Decode(upperPattern);
    if (lower.size() != upper.size())
        return false;
    for (std::size_t start = 0; start + lower.size() <= chars.size(); ++start) {
        std::size_t k = 0;
        while (k < lower.size() && (chars[start + k] == lower[k] || chars[start + k] == upper[k]))
            ++k;
        if (k == lower.size())
            return true;
    }
    return false;
}

std::string NormalizeSurnameSlashes(std::string_view name)
{
    std::string out(name);
    const std::size_t open = out.find('/');
    if (open == std::string::npos)
        return out;
    std::size_t close = out.find('/', open + 1);
    if (open > 0 && !text::IsSpace(out[open - 1])) {
        out.insert(open, 1, ' ');
        if (close != std::string::npos)
            ++close;
    }
    if (close != std::string::npos && close + 1 < out.size() && !text::IsSpace(out[close + 1]))
        out.insert(close + 1, 1, ' ');
    return out;
}

std::string ReplaceLineEnds(std::string_view text, char with)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        out += with;
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c)
            ++i;
    }
    return out;
}

std::string ToLfLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string ToCrLfLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

int NextNonBlankLine(std::string_view text)
{
    std::size_t lineStart = 0;
    while (true) {
        std::size_t pos = lineStart;
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
        if (pos == text.size())
            return -1;
        if (text[pos] != '\r' && text[pos] != '\n')
            return static_cast<int>(lineStart);
        if (text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
        lineStart = pos;
    }
}
