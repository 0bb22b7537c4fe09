// common/gedcom_value.cpp: "@@" reading and the cut rule of long values.
#include "common/gedcom_value.h"

#include "platform/base/text.h"

#include <vector>

namespace {

bool IsCombiningMark(char32_t c)
{
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) ||
           (c >= 0x1DC0 && c <= 0x1DFF) || (c >= 0x20D0 && c <= 0x20FF) ||
           (c >= 0xFE20 && c <= 0xFE2F);
}

bool IsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

/// The offset after the line break at pos: CR LF and LF CR are one break.
std::size_t SkipLineBreak(std::string_view text, std::size_t pos)
{
    const char first = text[pos++];
    if (pos < text.size() && IsLineBreak(text[pos]) && text[pos] != first)
        ++pos;
    return pos;
}

char32_t CharacterAt(std::string_view text, std::size_t pos)
{
    return text::DecodeUtf8(text, pos);
}

/// Where to cut a piece that filled the maximum. starts holds the offsets of the n characters
/// taken and, last, the offset of the character that did not fit; the result is an index into it.
std::size_t CutIndex(std::string_view text, const std::vector<std::size_t>& starts)
{
    const std::size_t n = starts.size() - 1;
    for (std::size_t k = n - 1; k >= 1; --k) {
        const char32_t before = CharacterAt(text, starts[k - 1]);
        const char32_t after = CharacterAt(text, starts[k]);
        const bool blank = (before < 0x80 && text::IsSpace(static_cast<char>(before))) ||
                           (after < 0x80 && text::IsSpace(static_cast<char>(after)));
        if (!blank && !IsCombiningMark(after))
            return k;
    }
    for (std::size_t k = n - 1; k >= 1; --k) {
        if (!IsCombiningMark(CharacterAt(text, starts[k])))
            return k;
    }
    return n;
}

} // namespace

void AppendGedcomValue(std::string& text, std::string_view value)
{
    // Whole runs up to each "@" are appended at once: this runs for every value of a load.
    text.reserve(text.size() + value.size());
    while (!value.empty()) {
        const std::size_t at = value.find('@');
        if (at == std::string_view::npos) {
            text.append(value);
            return;
        }
        text.append(value.substr(0, at + 1));
        const bool doubled = at + 1 < value.size() && value[at + 1] == '@';
        value.remove_prefix(at + (doubled ? 2 : 1));
    }
}

void AppendGedcomValueText(std::string& text, const char* value)
{
    if (value)
        AppendGedcomValue(text, value);
}

void NextValueChunk(std::string_view text, int maximum, std::size_t& position, std::string& chunk,
                    bool& lineBreak)
{
    std::vector<std::size_t> starts;
    std::size_t pos = position;
    int width = 0;
    bool full = false;
    while (pos < text.size() && !IsLineBreak(text[pos])) {
        const int needed = text[pos] == '@' ? 2 : 1;
        if (width + needed > maximum && !starts.empty()) {
            full = true;
            break;
        }
        starts.push_back(pos);
        width += needed;
        text::DecodeUtf8(text, pos);
    }
    lineBreak = false;
    if (!full) {
        chunk.assign(text.substr(position, pos - position));
        if (pos < text.size()) {
            lineBreak = true;
            pos = SkipLineBreak(text, pos);
        }
        position = pos;
        return;
    }
    starts.push_back(pos);
    const std::size_t cut = starts[CutIndex(text, starts)];
    chunk.assign(text.substr(position, cut - position));
    position = cut;
}
