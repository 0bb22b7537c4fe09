// database/gedcom/gedcom_charset.cpp: finding a GEDCOM file's character set, and reading its bytes
// as UTF-8.
#include "database/gedcom/gedcom_charset.h"

#include "database/gedcom/ansel_tables.h"
#include "database/gedcom/code_page_tables.h"
#include "database/gedcom/gedcom_line_reader.h"

#include "platform/base/file.h"
#include "platform/base/text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

struct CharsetName {
    std::string_view name;
    GedcomCharset set;
};
constexpr CharsetName kCharValues[] = {
    {"ANSEL", GedcomCharset::Ansel},      {"ASCII", GedcomCharset::Ascii},
    {"ANSI", GedcomCharset::Windows1252}, {"UTF-8", GedcomCharset::Utf8},
    {"LATIN1", GedcomCharset::Latin1},    {"ISO-8859-1", GedcomCharset::Latin1},
    {"IBMPC", GedcomCharset::Cp437},
};

char32_t SingleByteChar(GedcomCharset set, unsigned char b)
{
    if (b < 0x80 || set == GedcomCharset::Latin1)
        return b;
    return set == GedcomCharset::Cp437 ? code_page::Cp437Char(b) : code_page::Windows1252Char(b);
}

/// How many bytes from pos on are below 128; eight at a time.
std::size_t AsciiRun(std::string_view bytes, std::size_t pos)
{
    std::size_t end = pos;
    for (; end + 8 <= bytes.size(); end += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + end, sizeof word);
        if ((word & 0x8080808080808080ull) != 0)
            break;
    }
    while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) < 0x80)
        ++end;
    return end - pos;
}

bool IsAscii(std::string_view bytes)
{
    return AsciiRun(bytes, 0) == bytes.size();
}

// How many bytes at the end of s begin a UTF-8 character that the following bytes would end.
std::size_t CutCharacterLength(std::string_view s)
{
    for (std::size_t k = 1; k <= std::min<std::size_t>(3, s.size()); ++k) {
        const auto b = static_cast<unsigned char>(s[s.size() - k]);
        if ((b & 0xC0) == 0x80)
            continue;
        const std::size_t needed = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        return needed > k ? k : 0;
    }
    return 0;
}

// Checks a byte stream handed over in pieces for valid UTF-8.
class Utf8Check {
public:
    void Feed(std::string_view piece)
    {
        m_carry.append(piece);
        const std::size_t cut = CutCharacterLength(m_carry);
        m_valid =
            m_valid && text::IsValidUtf8(std::string_view(m_carry).substr(0, m_carry.size() - cut));
        m_carry.erase(0, m_carry.size() - cut);
    }
    /// Valid so far; a cut character at the end counts as valid unless the stream is complete.
    bool Valid(bool complete) const { return m_valid && (!complete || m_carry.empty()); }

private:
    std::string m_carry;
    bool m_valid = true;
};

// UTF-8 with a Windows-1252 fallback for each byte of a broken sequence; an ASCII file counts
// every byte above 127 as not valid in its set.
std::size_t DecodeUtf8Text(std::string_view bytes, std::string& out, bool ascii)
{
    if (ascii ? IsAscii(bytes) : text::IsValidUtf8(bytes)) {
        out.append(bytes);
        return 0;
    }
    std::size_t invalid = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t start = pos;
        const char32_t c = text::DecodeUtf8(bytes, pos);
        if (c >= 0x80 && pos - start == 1) {
            text::AppendUtf8(out, code_page::Windows1252Char(static_cast<unsigned char>(c)));
            ++invalid;
            continue;
        }
        out.append(bytes.substr(start, pos - start));
        if (ascii && c >= 0x80)
            invalid += pos - start;
    }
    return invalid;
}

// The letter c followed by its marks, composed as far as Unicode has precomposed letters.
void AppendWithMarks(char32_t c, const std::vector<char32_t>& marks, std::string& out)
{
    std::size_t used = 0;
    for (; used < marks.size(); ++used) {
        const char32_t composed = ansel::Compose(c, marks[used]);
        if (composed == 0)
            break;
        c = composed;
    }
    text::AppendUtf8(out, c);
    for (; used < marks.size(); ++used)
        text::AppendUtf8(out, marks[used]);
}

std::size_t DecodeAnsel(std::string_view bytes, std::string& out)
{
    // Text that is valid UTF-8 was written in UTF-8 whatever the header says: ANSEL puts its
    // marks before letters of ASCII, which no UTF-8 sequence allows, and its other letters above
    // 127 hardly ever stand in the pairs UTF-8 needs. Read as ANSEL, such text would turn into
    // other letters and be saved so.
    // An ASCII start is valid UTF-8 and ends before any sequence does: only the rest is checked.
    const std::size_t ascii = AsciiRun(bytes, 0);
    if (ascii == bytes.size() || text::IsValidUtf8(bytes.substr(ascii))) {
        out.append(bytes);
        return 0;
    }
    // Kept from line to line, so that a line with marks allocates nothing.
    thread_local std::vector<char32_t> marks;
    marks.clear();
    std::size_t invalid = 0;
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        if (marks.empty()) {
            const std::size_t run = AsciiRun(bytes, pos);
            out.append(bytes.substr(pos, run));
            if ((pos += run) == bytes.size())
                break;
        }
        const auto b = static_cast<unsigned char>(bytes[pos]);
        if (const char32_t mark = ansel::MarkChar(b)) {
            marks.push_back(mark);
            continue;
        }
        char32_t c = b < 0x80 ? b : ansel::SpecialChar(b);
        if (c == 0 && b != 0) {
            c = code_page::Windows1252Char(b);
            ++invalid;
        }
        AppendWithMarks(c, marks, out);
        marks.clear();
    }
    for (const char32_t mark : marks)
        text::AppendUtf8(out, mark);
    return invalid;
}

std::optional<GedcomCharset> CharsetOfValue(std::string_view value)
{
    for (const CharsetName& entry : kCharValues) {
        if (text::EqualsNoCase(entry.name, value))
            return entry.set;
    }
    return std::nullopt;
}

// What the byte-order mark, the zero bytes or the CHAR value decide; nothing when none does.
std::optional<GedcomEncoding> DecideFromHead(std::string_view head)
{
    if (head.starts_with(kUtf8Mark))
        return GedcomEncoding{GedcomCharset::Utf8, true};
    if (head.starts_with(kUtf16LeMark))
        return GedcomEncoding{GedcomCharset::Utf16Le, true};
    if (head.starts_with(kUtf16BeMark))
        return GedcomEncoding{GedcomCharset::Utf16Be, true};
    if (head.size() >= 2 && (head[0] == 0) != (head[1] == 0))
        return GedcomEncoding{head[0] == 0 ? GedcomCharset::Utf16Be : GedcomCharset::Utf16Le,
                              false};
    if (const auto set = CharsetOfValue(FindGedcomCharValue(head)))
        return GedcomEncoding{*set, false};
    return std::nullopt;
}

GedcomEncoding ByValidity(bool validUtf8)
{
    return {validUtf8 ? GedcomCharset::Utf8 : GedcomCharset::Windows1252, false};
}

// Reads up to count more bytes of file into out; false at the end or on a read error.
bool ReadMore(CFile& file, std::size_t count, std::string& out)
{
    const std::size_t start = out.size();
    out.resize(start + count);
    UINT got = 0;
    try {
        got = file.Read(out.data() + start, static_cast<UINT>(count));
    } catch (const CFileException&) {
        got = 0;
    }
    out.resize(start + got);
    return got > 0;
}

/// Narrows the run of UTF-16 units of ASCII (high byte zero, low byte below 0x80) at the front
/// of the count units at in, in the byte order given, to their low bytes at out; how many units
/// the run holds.
std::size_t NarrowAsciiUnits(const char* in, std::size_t count, bool bigEndian, char* out)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen units at a time, each unit read as the processor's 16-bit number: big-endian
    // units of ASCII read as 0xcc00, little-endian ones as 0x00cc. A block that is not all
    // ASCII is left to the unit-by-unit loop, which stops at its first other unit.
    const __m128i notAscii = _mm_set1_epi16(short(bigEndian ? 0x80FF : 0xFF80));
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= count; i += 16) {
        __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 2 * i));
        __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 2 * i + 16));
        const __m128i bad = _mm_and_si128(_mm_or_si128(first, second), notAscii);
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(bad, zero)) != 0xFFFF)
            break;
        if (bigEndian) {
            first = _mm_srli_epi16(first, 8);
            second = _mm_srli_epi16(second, 8);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(first, second));
    }
#endif
    const std::size_t low = bigEndian ? 1 : 0;
    for (; i < count; ++i) {
        const char unitLow = in[2 * i + low];
        if (in[2 * i + 1 - low] != '\0' || static_cast<unsigned char>(unitLow) >= 0x80)
            break;
        out[i] = unitLow;
    }
    return i;
}

/// Writes the UTF-8 form of c at out; the end of what it wrote. Characters outside ASCII are
/// rare enough in UTF-16 files that they pass through a short string.
char* PutUtf8(char32_t c, char* out)
{
    std::string bytes;
    text::AppendUtf8(bytes, c);
    std::memcpy(out, bytes.data(), bytes.size());
    return out + bytes.size();
}

} // namespace

std::string FindGedcomCharValue(std::string_view head)
{
    if (head.starts_with(kUtf8Mark))
        head.remove_prefix(kUtf8Mark.size());
    // The header decides wherever it stands: records before it are read in its set too.
    bool inHeader = false;
    GedcomLine line;
    while (!head.empty()) {
        const std::size_t end = std::min(head.find_first_of("\r\n"), head.size());
        const std::string_view text = head.substr(0, end);
        head.remove_prefix(std::min(end + 1, head.size()));
        if (ParseGedcomLine(text, line) != kGedcomParsedValid)
            continue;
        if (line.level == 0) {
            if (inHeader)
                break;
            inHeader = text::EqualsNoCase(line.tag, "HEAD");
        } else if (inHeader && line.level == 1 && text::EqualsNoCase(line.tag, "CHAR")) {
            return text::Trim(line.value);
        }
    }
    return {};
}

bool GedcomCharValueNames(std::string_view value, GedcomCharset set)
{
    if (set == GedcomCharset::Utf16Le || set == GedcomCharset::Utf16Be)
        return text::EqualsNoCase(text::TrimView(value), "UNICODE");
    return CharsetOfValue(text::TrimView(value)) == set;
}

GedcomEncoding DetectGedcomEncoding(std::string_view bytes)
{
    if (const auto decided = DecideFromHead(bytes.substr(0, kGedcomHeadBytes)))
        return *decided;
    Utf8Check check;
    check.Feed(bytes);
    return ByValidity(check.Valid(true));
}

GedcomEncoding DetectGedcomFileEncoding(const std::string& path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::typeBinary))
        return {};
    std::string head;
    bool more = true;
    while (more && head.size() < kGedcomHeadBytes)
        more = ReadMore(file, kGedcomHeadBytes - head.size(), head);
    if (const auto decided = DecideFromHead(head))
        return *decided;
    Utf8Check check;
    check.Feed(head);
    for (std::string piece; check.Valid(false) && ReadMore(file, 1 << 16, piece); piece.clear())
        check.Feed(piece);
    return ByValidity(check.Valid(true));
}

const char* GedcomCharsetName(GedcomCharset set)
{
    switch (set) {
    case GedcomCharset::Utf8:
        return "UTF-8";
    case GedcomCharset::Utf16Le:
    case GedcomCharset::Utf16Be:
        return "UNICODE";
    case GedcomCharset::Ansel:
        return "ANSEL";
    case GedcomCharset::Ascii:
        return "ASCII";
    case GedcomCharset::Windows1252:
        return "ANSI";
    case GedcomCharset::Latin1:
        return "LATIN1";
    case GedcomCharset::Cp437:
        return "IBMPC";
    }
    return "UTF-8";
}

std::string GedcomByteOrderMark(const GedcomEncoding& encoding)
{
    if (!encoding.byteOrderMark)
        return {};
    switch (encoding.charset) {
    case GedcomCharset::Utf8:
        return std::string(kUtf8Mark);
    case GedcomCharset::Utf16Le:
        return std::string(kUtf16LeMark);
    case GedcomCharset::Utf16Be:
        return std::string(kUtf16BeMark);
    default:
        return {};
    }
}

std::size_t DecodeGedcomText(GedcomCharset set, std::string_view bytes, std::string& out)
{
    switch (set) {
    case GedcomCharset::Utf8:
    case GedcomCharset::Ascii:
        return DecodeUtf8Text(bytes, out, set == GedcomCharset::Ascii);
    case GedcomCharset::Utf16Le:
    case GedcomCharset::Utf16Be: {
        CUtf16Decoder decoder(set == GedcomCharset::Utf16Be);
        decoder.Decode(bytes, out);
        decoder.Finish(out);
        return decoder.InvalidCount();
    }
    case GedcomCharset::Ansel:
        return DecodeAnsel(bytes, out);
    case GedcomCharset::Windows1252:
    case GedcomCharset::Latin1:
    case GedcomCharset::Cp437:
        break;
    }
    std::size_t invalid = 0;
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        const std::size_t run = AsciiRun(bytes, pos);
        out.append(bytes.substr(pos, run));
        if ((pos += run) == bytes.size())
            break;
        const auto b = static_cast<unsigned char>(bytes[pos]);
        text::AppendUtf8(out, SingleByteChar(set, b));
        invalid += set == GedcomCharset::Windows1252 && code_page::IsUndefinedIn1252(b);
    }
    return invalid;
}

void CUtf16Decoder::Decode(std::string_view bytes, std::string& out)
{
    const std::size_t start = out.size();
    out.resize(start + MaxDecodedSize(bytes.size()));
    out.resize(std::size_t(Decode(bytes, out.data() + start) - out.data()));
}

char* CUtf16Decoder::Decode(std::string_view bytes, char* out)
{
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        // Whole units of ASCII, with nothing held, are copied a run at a time.
        if (m_started && !m_hasByte && m_highSurrogate == 0) {
            const std::size_t run =
                NarrowAsciiUnits(bytes.data() + pos, (bytes.size() - pos) / 2, m_bigEndian, out);
            out += run;
            if ((pos += 2 * run) == bytes.size())
                break;
        }
        const auto b = static_cast<unsigned char>(bytes[pos]);
        if (!m_hasByte) {
            m_byte = b;
            m_hasByte = true;
            continue;
        }
        m_hasByte = false;
        out = Take(m_bigEndian ? char32_t(m_byte) << 8 | b : char32_t(b) << 8 | m_byte, out);
    }
    return out;
}

void CUtf16Decoder::Finish(std::string& out)
{
    const std::size_t start = out.size();
    out.resize(start + MaxDecodedSize(0));
    out.resize(std::size_t(Finish(out.data() + start) - out.data()));
}

char* CUtf16Decoder::Finish(char* out)
{
    const std::size_t held = (m_highSurrogate != 0) + m_hasByte;
    for (std::size_t i = 0; i < held; ++i)
        out = PutUtf8(0xFFFD, out);
    m_invalid += held;
    m_highSurrogate = 0;
    m_hasByte = false;
    return out;
}

char* CUtf16Decoder::Take(char32_t unit, char* out)
{
    if (!m_started) {
        m_started = true;
        if (unit == 0xFEFF)
            return out;
        if (unit == 0xFFFE) {
            m_bigEndian = !m_bigEndian;
            return out;
        }
    }
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (m_highSurrogate != 0 && low) {
        out = PutUtf8(0x10000 + ((m_highSurrogate - 0xD800) << 10) + (unit - 0xDC00), out);
        m_highSurrogate = 0;
        return out;
    }
    if (m_highSurrogate != 0) {
        out = PutUtf8(0xFFFD, out);
        ++m_invalid;
        m_highSurrogate = 0;
    }
    if (high) {
        m_highSurrogate = unit;
        return out;
    }
    if (low) {
        ++m_invalid;
        unit = 0xFFFD;
    }
    return PutUtf8(unit, out);
}
