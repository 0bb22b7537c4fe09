// database/gedcom/gedcom_encode.cpp: UTF-8 text written in the character set of a GEDCOM file.
#include "database/gedcom/gedcom_encode.h"

#include "database/gedcom/ansel_tables.h"
#include "database/gedcom/code_page_tables.h"

#include "platform/base/text.h"

#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The byte of c in a single-byte set; -1 when the set has no such character.
int SingleByte(GedcomCharset set, char32_t c)
{
    if (c < 0x80)
        return int(c);
    switch (set) {
    case GedcomCharset::Latin1:
        return c < 0x100 ? int(c) : -1;
    case GedcomCharset::Windows1252:
        return code_page::Windows1252Byte(c);
    case GedcomCharset::Cp437:
        return code_page::Cp437Byte(c);
    default:
        return -1;
    }
}

// The ANSEL byte of a character that stands on its own (ASCII or a special); -1 when none.
int AnselBase(char32_t c)
{
    if (c < 0x80)
        return int(c);
    const unsigned char byte = ansel::SpecialByte(c);
    return byte != 0 ? byte : -1;
}

bool EncodeAnsel(std::string_view utf8, std::string& out)
{
    bool fits = true;
    std::vector<char32_t> marks;
    for (std::size_t pos = 0; pos < utf8.size();) {
        // A run of ASCII is written as it is, less its last character, which a combining
        // mark after the run may belong to.
        if (const std::size_t run = GedcomAsciiRun(utf8, pos); run > 1) {
            const std::size_t whole = pos + run == utf8.size() ? run : run - 1;
            out.append(utf8.substr(pos, whole));
            if ((pos += whole) == utf8.size())
                break;
        }
        char32_t base = text::DecodeUtf8(utf8, pos);
        marks.clear();
        for (char32_t inner = 0, mark = 0;
             AnselBase(base) < 0 && ansel::Decompose(base, inner, mark); base = inner)
            marks.insert(marks.begin(), mark);
        for (std::size_t next = pos; next < utf8.size(); pos = next) {
            const char32_t mark = text::DecodeUtf8(utf8, next);
            if (ansel::MarkByte(mark) == 0)
                break;
            marks.push_back(mark);
        }
        const int byte = AnselBase(base);
        if (byte < 0) {
            out.push_back('?');
            fits = false;
            continue;
        }
        for (const char32_t mark : marks)
            out.push_back(static_cast<char>(ansel::MarkByte(mark)));
        out.push_back(static_cast<char>(byte));
    }
    return fits;
}

void AppendUtf16Unit(char32_t unit, bool bigEndian, std::string& out)
{
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out.push_back(bigEndian ? high : low);
    out.push_back(bigEndian ? low : high);
}

void EncodeUtf16(std::string_view utf8, bool bigEndian, std::string& out)
{
    for (std::size_t pos = 0; pos < utf8.size();) {
        if (const std::size_t run = GedcomAsciiRun(utf8, pos); run > 0) {
            const std::size_t start = out.size();
            out.resize(start + 2 * run, '\0');
            char* units = out.data() + start + (bigEndian ? 1 : 0);
            for (std::size_t i = 0; i < run; ++i)
                units[2 * i] = utf8[pos + i];
            if ((pos += run) == utf8.size())
                break;
        }
        const char32_t c = text::DecodeUtf8(utf8, pos);
        if (c < 0x10000) {
            AppendUtf16Unit(c, bigEndian, out);
            continue;
        }
        AppendUtf16Unit(0xD800 + ((c - 0x10000) >> 10), bigEndian, out);
        AppendUtf16Unit(0xDC00 + ((c - 0x10000) & 0x3FF), bigEndian, out);
    }
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
    case GedcomCharset::Utf16Be:
        EncodeUtf16(utf8, set == GedcomCharset::Utf16Be, out);
        return true;
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
