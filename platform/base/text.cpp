// platform/base/text.cpp: UTF-8 decoding, case folding of the Latin letters by our own table,
// case-blind comparison, trimming and number parsing.
#include "platform/base/text.h"

#include <limits>

namespace text {
namespace {

// Latin Extended-A pairs capitals and small letters at neighbouring code points: the capital is
// even in 0100-0137 and 014A-0177, odd in 0139-0148 and 0179-017E.
bool InEvenPairs(char32_t c)
{
    return (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
}
bool InOddPairs(char32_t c)
{
    return (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
}

// Decodes one character; an invalid or cut sequence yields its first byte with valid false.
char32_t DecodeOne(std::string_view s, std::size_t& pos, bool& valid)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(pos);
    valid = true;
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    std::size_t length = 0;
    char32_t minimum = 0;
    char32_t c = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2, minimum = 0x80, c = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3, minimum = 0x800, c = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4, minimum = 0x10000, c = b0 & 0x07;
    }
    bool ok = length != 0 && pos + length <= s.size();
    for (std::size_t i = 1; ok && i < length; ++i) {
        ok = (byte(pos + i) & 0xC0) == 0x80;
        c = (c << 6) | (byte(pos + i) & 0x3F);
    }
    if (!ok || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        valid = false;
        ++pos;
        return b0;
    }
    pos += length;
    return c;
}

// For comparing: a byte that is not part of valid UTF-8 stands for a lone surrogate, so it never
// equals a real character.
char32_t NextFolded(std::string_view s, std::size_t& pos)
{
    bool valid = true;
    const char32_t c = DecodeOne(s, pos, valid);
    return valid ? FoldCase(c) : 0xDC00 + c;
}

/// A to Z lowered; every other byte as it is.
constexpr char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool MatchesAt(std::string_view text, std::size_t at, std::string_view pattern)
{
    std::size_t i = at, j = 0;
    while (j < pattern.size()) {
        if (i >= text.size() || NextFolded(text, i) != NextFolded(pattern, j))
            return false;
    }
    return true;
}

// The optional sign and digits after leading white space; overflow clamps to the limits.
long ParseDigits(std::string_view s, std::size_t* used, bool& overflow)
{
    std::size_t pos = 0;
    while (pos < s.size() && IsSpace(s[pos]))
        ++pos;
    const bool negative = pos < s.size() && s[pos] == '-';
    if (pos < s.size() && (s[pos] == '-' || s[pos] == '+'))
        ++pos;
    const std::size_t digitsStart = pos;
    // Accumulated as a negative number, whose range holds the smallest long.
    constexpr long lowest = std::numeric_limits<long>::min();
    long value = 0;
    overflow = false;
    for (; pos < s.size() && s[pos] >= '0' && s[pos] <= '9'; ++pos) {
        const int digit = s[pos] - '0';
        if (value < (lowest + digit) / 10)
            overflow = true;
        else if (!overflow)
            value = value * 10 - digit;
    }
    if (used)
        *used = pos > digitsStart ? pos : 0;
    if (!negative && value == lowest)
        overflow = true;
    if (overflow)
        return negative ? lowest : std::numeric_limits<long>::max();
    return negative ? value : -value;
}

template <class Map> std::string MapChars(std::string_view s, Map map)
{
    std::string out;
    out.reserve(s.size());
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t start = pos;
        bool valid = true;
        const char32_t c = DecodeOne(s, pos, valid);
        if (valid)
            AppendUtf8(out, map(c));
        else
            out.append(s.substr(start, pos - start));
    }
    return out;
}

} // namespace

char32_t DecodeUtf8(std::string_view s, std::size_t& pos)
{
    if (pos >= s.size())
        return 0;
    bool valid = true;
    return DecodeOne(s, pos, valid);
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    AppendOrderedChar(out, c);
}

void AppendOrderedChar(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | ((c >> 18) & 0x07)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

std::string FoldedSortKey(std::string_view s)
{
    std::string key;
    key.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) {
        // A run of ASCII folds byte by byte.
        const std::size_t start = pos;
        while (pos < s.size() && static_cast<unsigned char>(s[pos]) < 0x80)
            ++pos;
        const std::size_t first = key.size();
        key.append(s, start, pos - start);
        for (std::size_t i = first; i < key.size(); ++i)
            key[i] = FoldAscii(key[i]);
        if (pos < s.size())
            AppendOrderedChar(key, NextFolded(s, pos));
    }
    return key;
}

bool IsValidUtf8(std::string_view s)
{
    std::size_t pos = 0;
    bool valid = true;
    while (pos < s.size() && valid)
        DecodeOne(s, pos, valid);
    return valid;
}

std::size_t Utf8Length(std::string_view s)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < s.size(); ++count)
        DecodeUtf8(s, pos);
    return count;
}

std::size_t Utf8Boundary(std::string_view s, std::size_t maxBytes)
{
    if (maxBytes >= s.size())
        return s.size();
    std::size_t pos = 0;
    while (pos < s.size()) {
        std::size_t next = pos;
        DecodeUtf8(s, next);
        if (next > maxBytes)
            break;
        pos = next;
    }
    return pos;
}

char32_t ToLowerChar(char32_t c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    if (c == 0x130) // capital I with dot
        return 'i';
    if (c == 0x178) // capital Y with diaeresis
        return 0xFF;
    if ((InEvenPairs(c) && c % 2 == 0) || (InOddPairs(c) && c % 2 == 1))
        return c + 1;
    return c;
}

char32_t ToUpperChar(char32_t c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    if (c == 0x131) // dotless i
        return 'I';
    if (c == 0x17F) // long s
        return 'S';
    if ((InEvenPairs(c) && c % 2 == 1) || (InOddPairs(c) && c % 2 == 0))
        return c - 1;
    return c;
}

char32_t FoldCase(char32_t c)
{
    return c == 0x17F ? U's' : ToLowerChar(c); // the long s folds with s
}

std::string ToUpper(std::string_view s)
{
    return MapChars(s, ToUpperChar);
}

std::string ToLower(std::string_view s)
{
    return MapChars(s, ToLowerChar);
}

int CompareNoCase(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        // Two ASCII bytes fold and compare as they are; anything else is decoded.
        const auto ba = static_cast<unsigned char>(a[i]), bb = static_cast<unsigned char>(b[j]);
        if ((ba | bb) < 0x80) {
            const auto fa = static_cast<unsigned char>(FoldAscii(char(ba)));
            const auto fb = static_cast<unsigned char>(FoldAscii(char(bb)));
            if (fa != fb)
                return fa < fb ? -1 : 1;
            ++i, ++j;
            continue;
        }
        const char32_t ca = NextFolded(a, i);
        const char32_t cb = NextFolded(b, j);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return CompareNoCase(a, b) == 0;
}

std::size_t FindNoCase(std::string_view text, std::string_view pattern, std::size_t start)
{
    if (start > text.size())
        return std::string_view::npos;
    if (pattern.empty())
        return start;
    for (std::size_t at = start; at < text.size(); DecodeUtf8(text, at)) {
        if (MatchesAt(text, at, pattern))
            return at;
    }
    return std::string_view::npos;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view TrimView(std::string_view s)
{
    std::size_t first = 0, last = s.size();
    while (first < last && IsSpace(s[first]))
        ++first;
    while (last > first && IsSpace(s[last - 1]))
        --last;
    return s.substr(first, last - first);
}

std::string Trim(std::string_view s)
{
    return std::string(TrimView(s));
}

std::string TrimLeft(std::string_view s)
{
    std::size_t first = 0;
    while (first < s.size() && IsSpace(s[first]))
        ++first;
    return std::string(s.substr(first));
}

std::string TrimRight(std::string_view s)
{
    std::size_t last = s.size();
    while (last > 0 && IsSpace(s[last - 1]))
        --last;
    return std::string(s.substr(0, last));
}

long ParseLeadingInt(std::string_view s, std::size_t* used)
{
    bool overflow = false;
    return ParseDigits(s, used, overflow);
}

bool ParseInt(std::string_view s, long& value)
{
    const std::string_view trimmed = TrimView(s);
    std::size_t used = 0;
    bool overflow = false;
    const long parsed = ParseDigits(trimmed, &used, overflow);
    if (used == 0 || used != trimmed.size() || overflow)
        return false;
    value = parsed;
    return true;
}

} // namespace text
