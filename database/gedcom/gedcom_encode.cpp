// database/gedcom/gedcom_encode.cpp: UTF-8 text written in the character set of a GEDCOM file.
#include "database/gedcom/gedcom_encode.h"

#include "database/gedcom/ansel_tables.h"
#include "database/gedcom/code_page_tables.h"

#include "platform/base/text.h"

#include <algorithm>
#include <iterator>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

/// A character and the byte a set writes it as; tables of them are sorted by character.
struct CharByte {
    char32_t c;
    unsigned char byte;
};

/// The table of the bytes from first to last that byteChar reads as a character; where two
/// bytes read as one character, the later byte is the one written.
template <typename ByteChar>
std::vector<CharByte> ReverseTable(unsigned first, unsigned last, ByteChar byteChar)
{
    std::vector<CharByte> table;
    for (unsigned b = last + 1; b-- > first;) {
        const char32_t c = byteChar(static_cast<unsigned char>(b));
        if (c != 0)
            table.push_back({c, static_cast<unsigned char>(b)});
    }
    std::stable_sort(table.begin(), table.end(),
                     [](const CharByte& x, const CharByte& y) { return x.c < y.c; });
    return table;
}

/// The byte of c in table; 0 when it has none.
unsigned char Find(const std::vector<CharByte>& table, char32_t c)
{
    const auto found = std::lower_bound(table.begin(), table.end(), c,
                                        [](const CharByte& x, char32_t v) { return x.c < v; });
    return found != table.end() && found->c == c ? found->byte : 0;
}

// The byte of c in a single-byte set; -1 when the set has no such character.
int SingleByte(GedcomCharset set, char32_t c)
{
    if (c < 0x80)
        return int(c);
    static const std::vector<CharByte> windows1252 =
        ReverseTable(0x80, 0xFF, code_page::Windows1252Char);
    static const std::vector<CharByte> cp437 = ReverseTable(0x80, 0xFF, code_page::Cp437Char);
    unsigned char byte = 0;
    switch (set) {
    case GedcomCharset::Latin1:
        return c < 0x100 ? int(c) : -1;
    case GedcomCharset::Windows1252:
        byte = Find(windows1252, c);
        break;
    case GedcomCharset::Cp437:
        byte = Find(cp437, c);
        break;
    default:
        break;
    }
    return byte != 0 ? byte : -1;
}

// The ANSEL byte of a combining mark; 0 when ANSEL has no such mark.
unsigned char AnselMark(char32_t c)
{
    static const std::vector<CharByte> marks = ReverseTable(0xE0, 0xFF, ansel::MarkChar);
    return Find(marks, c);
}

// The ANSEL byte of a character that stands on its own (ASCII or a special); -1 when none.
int AnselBase(char32_t c)
{
    if (c < 0x80)
        return int(c);
    static const std::vector<CharByte> specials = ReverseTable(0xA0, 0xCF, ansel::SpecialChar);
    const unsigned char byte = Find(specials, c);
    return byte != 0 ? byte : -1;
}

bool EncodeAnsel(std::string_view utf8, std::string& out)
{
    bool fits = true;
    for (std::size_t pos = 0; pos < utf8.size();) {
        // A run of ASCII is written as it is, less its last character, which a combining
        // mark after the run may belong to.
        if (const std::size_t run = GedcomAsciiRun(utf8, pos); run > 1) {
            const std::size_t whole = pos + run == utf8.size() ? run : run - 1;
            out.append(utf8.substr(pos, whole));
            if ((pos += whole) == utf8.size())
                break;
        }
        // A precomposed letter is taken apart, outermost mark first, until ANSEL has its base;
        // the letters ANSEL can write carry at most three marks.
        char32_t base = text::DecodeUtf8(utf8, pos);
        char32_t inner[4];
        std::size_t depth = 0;
        for (char32_t within = 0, mark = 0; AnselBase(base) < 0 && depth < std::size(inner) &&
                                            ansel::Decompose(base, within, mark);
             base = within)
            inner[depth++] = mark;
        const int byte = AnselBase(base);
        if (byte >= 0) {
            while (depth > 0)
                out.push_back(static_cast<char>(AnselMark(inner[--depth])));
        }
        // The combining marks after the letter come before it in ANSEL.
        for (std::size_t next = pos; next < utf8.size(); pos = next) {
            const unsigned char mark = AnselMark(text::DecodeUtf8(utf8, next));
            if (mark == 0)
                break;
            if (byte >= 0)
                out.push_back(static_cast<char>(mark));
        }
        fits = fits && byte >= 0;
        out.push_back(byte >= 0 ? static_cast<char>(byte) : '?');
    }
    return fits;
}

char* PutUtf16Unit(char* out, char32_t unit, bool bigEndian)
{
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out[0] = bigEndian ? high : low;
    out[1] = bigEndian ? low : high;
    return out + 2;
}

bool EncodeSingleByte(GedcomCharset set, std::string_view utf8, std::string& out)
{
    bool fits = true;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t run = GedcomAsciiRun(utf8, pos);
        out.append(utf8.substr(pos, run));
        if ((pos += run) == utf8.size())
            break;
        const int byte = SingleByte(set, text::DecodeUtf8(utf8, pos));
        fits = fits && byte >= 0;
        out.push_back(byte >= 0 ? static_cast<char>(byte) : '?');
    }
    return fits;
}

} // namespace

std::size_t GedcomAsciiRun(std::string_view text, std::size_t pos)
{
    std::size_t end = pos;
#if defined(__SSE2__)
    for (; end + 16 <= text.size(); end += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + end));
        if (const int high = _mm_movemask_epi8(bytes); high != 0)
            return end + unsigned(__builtin_ctz(unsigned(high))) - pos;
    }
#endif
    while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80)
        ++end;
    return end - pos;
}

bool GedcomTextIsAscii(std::string_view text)
{
    return GedcomAsciiRun(text) == text.size();
}

char* WidenGedcomAscii(char* out, std::string_view text, bool bigEndian)
{
    const char* ascii = text.data();
    const std::size_t n = text.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const auto widen = [&zero, bigEndian](char* to, __m128i bytes) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), bigEndian
                                                             ? _mm_unpacklo_epi8(zero, bytes)
                                                             : _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16), bigEndian
                                                                  ? _mm_unpackhi_epi8(zero, bytes)
                                                                  : _mm_unpackhi_epi8(bytes, zero));
    };
    for (; i + 16 <= n; i += 16)
        widen(out + 2 * i, _mm_loadu_si128(reinterpret_cast<const __m128i*>(ascii + i)));
    if (i < n && n >= 16) {
        // The last sixteen bytes, overlapping what is written.
        widen(out + 2 * (n - 16),
              _mm_loadu_si128(reinterpret_cast<const __m128i*>(ascii + n - 16)));
        return out + 2 * n;
    }
    if (n >= 8 && n < 16) {
        // The first eight bytes and the last eight, which overlap them.
        const auto widen8 = [&zero, bigEndian](char* to, const char* from) {
            const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(from));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to), bigEndian
                                                                 ? _mm_unpacklo_epi8(zero, bytes)
                                                                 : _mm_unpacklo_epi8(bytes, zero));
        };
        widen8(out, ascii);
        widen8(out + 2 * (n - 8), ascii + n - 8);
        return out + 2 * n;
    }
#endif
    for (; i < n; ++i) {
        out[2 * i + (bigEndian ? 1 : 0)] = ascii[i];
        out[2 * i + (bigEndian ? 0 : 1)] = '\0';
    }
    return out + 2 * n;
}

char* EncodeUtf16Into(char* out, std::string_view utf8, bool bigEndian)
{
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t run = GedcomAsciiRun(utf8, pos);
        out = WidenGedcomAscii(out, utf8.substr(pos, run), bigEndian);
        if ((pos += run) == utf8.size())
            break;
        const char32_t c = text::DecodeUtf8(utf8, pos);
        if (c < 0x10000) {
            out = PutUtf16Unit(out, c, bigEndian);
            continue;
        }
        out = PutUtf16Unit(out, 0xD800 + ((c - 0x10000) >> 10), bigEndian);
        out = PutUtf16Unit(out, 0xDC00 + ((c - 0x10000) & 0x3FF), bigEndian);
    }
    return out;
}

bool GedcomTextFits(GedcomCharset set, std::string_view utf8)
{
    if (GedcomTextIsAscii(utf8))
        return true;
    std::string scratch;
    return EncodeGedcomText(set, utf8, scratch);
}

bool EncodeGedcomText(GedcomCharset set, std::string_view utf8, std::string& out)
{
    switch (set) {
    case GedcomCharset::Utf8:
        out.append(utf8);
        return true;
    case GedcomCharset::Utf16Le:
    case GedcomCharset::Utf16Be: {
        const std::size_t start = out.size();
        out.resize(start + 2 * utf8.size());
        char* end = EncodeUtf16Into(out.data() + start, utf8, set == GedcomCharset::Utf16Be);
        out.resize(std::size_t(end - out.data()));
        return true;
    }
    case GedcomCharset::Ansel:
        return EncodeAnsel(utf8, out);
    case GedcomCharset::Ascii:
    case GedcomCharset::Windows1252:
    case GedcomCharset::Latin1:
    case GedcomCharset::Cp437:
        break;
    }
    return EncodeSingleByte(set, utf8, out);
}
