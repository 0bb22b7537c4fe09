// database/gedcom/gedcom_line_reader.cpp: GEDCOM lines from the buffered file, converted to UTF-8
// and split by the line grammar; continuation volumes.
#include "database/gedcom/gedcom_line_reader.h"

#include "database/gedcom/ansel_tables.h"
#include "database/gedcom/buffered_file.h"

#include "platform/base/paths.h"
#include "platform/base/text.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

/// Physical lines are read in pieces of this size (less the terminating byte) and joined.
constexpr int kPieceSize = 256;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The bits of InputState::m_hold: a line read ahead waits to be delivered; the volume's first
// line, which may begin with a byte-order mark, is next.
constexpr std::uint8_t kPendingLine = 1;
constexpr std::uint8_t kVolumeStart = 2;

struct InputState {
    std::string m_rememberedName;
    int m_volume = -1;
    GedcomEncoding m_encoding;
    /// The set the open volume's lines are in: UTF-8 for a converted UTF-16 volume.
    GedcomCharset m_lineSet = GedcomCharset::Utf8;
    /// A line of the open volume that is valid UTF-8 reads as it stands: the set is UTF-8, or
    /// ANSEL, whose reading takes such a line for UTF-8.
    bool m_linesAsUtf8 = true;
    /// What keeps the next line from being read in place, kPendingLine and kVolumeStart, in one
    /// byte that every line tests once.
    std::uint8_t m_hold = 0;
    /// A physical line read ahead, delivered before the next line of the file.
    std::string m_pending;
    std::size_t m_fallbackCount = 0;
    int m_readError = 0;
    // Buffers kept from line to line, so that reading a line allocates nothing.
    std::string m_raw;
    std::string m_piece;
    std::string m_text;
    std::string m_withoutZeros;
    /// The buffered file's unconsumed bytes, from which most lines are split in place.
    GedcomReadWindow* m_window = &GedcomInputWindow();
};

// At namespace scope rather than inside Input(), so that the call that every line makes
// carries no guard and folds away.
InputState g_input;

InputState& Input()
{
    return g_input;
}

// Character classes of the line grammar, one table lookup per byte.
constexpr unsigned char kSpaceClass = 1; // white space as isspace finds it in the default locale
constexpr unsigned char kDigitClass = 2;
constexpr unsigned char kTagClass = 4; // letters, digits and "_"
constexpr unsigned char kLineEndClass = 8;

constexpr std::array<unsigned char, 256> kCharClasses = [] {
    std::array<unsigned char, 256> classes{};
    for (const unsigned char c : {' ', '\t', '\r', '\n', '\v', '\f'})
        classes[c] = kSpaceClass;
    for (int c = '0'; c <= '9'; ++c)
        classes[std::size_t(c)] = kDigitClass | kTagClass;
    for (int c = 'A'; c <= 'Z'; ++c)
        classes[std::size_t(c)] = classes[std::size_t(c - 'A' + 'a')] = kTagClass;
    classes['_'] = kTagClass;
    classes['\r'] |= kLineEndClass;
    classes['\n'] |= kLineEndClass;
    return classes;
}();

bool HasClass(char c, unsigned char charClass)
{
    return (kCharClasses[static_cast<unsigned char>(c)] & charClass) != 0;
}

bool IsDigit(char c)
{
    return HasClass(c, kDigitClass);
}

bool IsSpaceChar(char c)
{
    return HasClass(c, kSpaceClass);
}

bool IsTagChar(char c)
{
    return HasClass(c, kTagClass);
}

bool IsLineEnd(char c)
{
    return HasClass(c, kLineEndClass);
}

/// The bytes at data read as one T.
template <class T> std::uint64_t Load(const char* data)
{
    T word;
    std::memcpy(&word, data, sizeof word);
    return word;
}

/// What the bytes of a line hold.
struct LineBytes {
    /// Every byte is below 128: the same text in every set the lines can be in.
    bool ascii;
    /// Some byte is zero.
    bool zero;
    /// Some byte is a control character other than tab (1 to 31).
    bool control;
};

/// Reads the bytes eight at a time.
LineBytes ScanLineBytes(std::string_view bytes)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    constexpr std::uint64_t kBelow = 0x20 * kOnes; // the first byte that is no control character
    const char* const data = bytes.data();
    const std::size_t size = bytes.size();
    std::uint64_t high = 0;
    // A byte's high bit is set here for each byte below 0x20 of a word (and one is found
    // whenever there is one), since subtracting 0x20 borrows only through such a byte.
    std::uint64_t low = 0;
    const auto take = [&](std::uint64_t word, std::uint64_t below) {
        high |= word;
        low |= (word - below) & ~word;
    };
    if (size >= 8) {
        // The last word overlaps the one before it, so no byte is read one at a time.
        for (std::size_t i = 0; i + 8 <= size; i += 8)
            take(Load<std::uint64_t>(data + i), kBelow);
        take(Load<std::uint64_t>(data + size - 8), kBelow);
    } else if (size >= 4) {
        // Words of four bytes: only the low half of each mask counts.
        take(Load<std::uint32_t>(data), kBelow >> 32);
        take(Load<std::uint32_t>(data + size - 4), kBelow >> 32);
        low &= kHighBits >> 32;
    } else {
        for (std::size_t i = 0; i < size; ++i)
            take(static_cast<unsigned char>(data[i]), 0x20);
        low &= 0x80;
    }
    LineBytes found{(high & kHighBits) == 0, false, false};
    if ((low & kHighBits) != 0) {
        // Seldom: a tab, or a byte no GEDCOM line may hold.
        for (const char c : bytes) {
            found.zero |= c == 0;
            found.control |= c > 0 && c < 0x20 && c != '\t';
        }
    }
    return found;
}

/// The first byte at or after c that is not white space; end when there is none.
const char* SkipSpace(const char* c, const char* end)
{
    while (c < end && IsSpaceChar(*c))
        ++c;
    return c;
}

/// Reads a line's level, the white space after it and its identifier with the white space
/// after that, from c on: c then stands at the tag. The answer of ParseGedcomLine for a line
/// that ends or fails there, else kGedcomParsedValid.
int ScanLevelAndXref(const char*& c, const char* end, GedcomLine& line, std::string_view& xref)
{
    c = SkipSpace(c, end);
    if (c == end)
        return kGedcomParsedBlank;
    if (!IsDigit(*c))
        return kGedcomParsedInvalid;
    long long level = 0;
    for (; c < end && IsDigit(*c); ++c)
        level = std::min<long long>(level * 10 + (*c - '0'), INT_MAX);
    line.level = int(level);
    if (c == end || !IsSpaceChar(*c))
        return kGedcomParsedInvalid;
    c = SkipSpace(c, end);
    if (c < end && *c == '@') {
        const void* close = std::memchr(c + 1, '@', std::size_t(end - c - 1));
        if (!close)
            return kGedcomParsedInvalid;
        xref = std::string_view(c + 1, std::size_t(static_cast<const char*>(close) - c - 1));
        // A character is at least one byte: only a longer identifier needs its characters
        // counted.
        if (xref.size() > kGedcomMaxXrefLength && text::Utf8Length(xref) > kGedcomMaxXrefLength)
            return kGedcomParsedInvalid;
        c = SkipSpace(static_cast<const char*>(close) + 1, end);
    }
    return kGedcomParsedValid;
}

/// Splits s into line, its parts viewing s; the answer of ParseGedcomLine. The parts are
/// written straight into line, which the reader hands on, with no copy between.
int ScanLine(std::string_view s, GedcomLine& line)
{
    line.level = -1;
    line.xref = line.tag = line.value = std::string_view();
    const char* c = s.data();
    const char* const end = c + s.size();
    std::string_view xref;
    if (s.size() >= 3 && IsDigit(c[0]) && c[1] == ' ' && !IsSpaceChar(c[2]) && c[2] != '@') {
        // Most lines: a one-digit level, one blank, the tag.
        line.level = c[0] - '0';
        c += 2;
    } else if (const int status = ScanLevelAndXref(c, end, line, xref);
               status != kGedcomParsedValid) {
        return status;
    }
    const char* const tagStart = c;
    while (c < end && IsTagChar(*c))
        ++c;
    if (c == tagStart || std::size_t(c - tagStart) > kGedcomMaxTagLength)
        return kGedcomParsedInvalid;
    line.xref = xref;
    line.tag = std::string_view(tagStart, std::size_t(c - tagStart));
    if (c < end && IsSpaceChar(*c))
        ++c;
    line.value = std::string_view(c, std::size_t(end - c));
    return kGedcomParsedValid;
}

#if defined(__SSE2__)
/// The bytes of the sixteen at block that stop the search for a line's end, as a bit mask: bytes
/// below 0x20 other than tab (CR and LF among them) and bytes of 128 or above, found together by
/// one signed comparison.
unsigned StopBytes(const char* block)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block));
    return unsigned(_mm_movemask_epi8(_mm_andnot_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')),
                                                       _mm_cmplt_epi8(bytes, _mm_set1_epi8(' ')))));
}
#endif

/// The first byte from start on that is below 0x20 other than tab (CR and LF among them) or of
/// 128 or above. Null when none is found before end; one found may lie past end, in the
/// window's slack.
const char* FindStopByte(const char* start, const char* end)
{
#if defined(__SSE2__)
    // Thirty-two bytes at a time, so that nearly every line ends within the first step and the
    // loop's branch is foreseen (half the lines of a common file are longer than sixteen bytes).
    // The window's slack makes loading a block that starts before end safe.
    for (const char* block = start; block < end; block += 32) {
        const unsigned found = StopBytes(block) | StopBytes(block + 16) << 16;
        if (found != 0)
            return block + __builtin_ctz(found);
    }
    return nullptr;
#else
    for (const char* c = start; c < end; ++c) {
        const auto b = static_cast<unsigned char>(*c);
        if ((b < 0x20 && b != '\t') || b >= 0x80)
            return c;
    }
    return nullptr;
#endif
}

/// The length of the UTF-8 sequence at c, whose first byte is 128 or above, when it is valid
/// (as text::IsValidUtf8 judges: no overlong form, no surrogate, nothing above U+10FFFF) and
/// ends before end; 0 otherwise.
std::size_t Utf8SequenceLength(const char* c, const char* end)
{
    const auto lead = static_cast<unsigned char>(*c);
    std::size_t length = 0;
    char32_t minimum = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, minimum = 0x80, code = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, minimum = 0x800, code = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, minimum = 0x10000, code = lead & 0x07;
    if (length == 0 || std::size_t(end - c) < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(c[i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

/// The end of a line whose lines are read as UTF-8 as they stand, from c, its first byte of 128
/// or above: the line's first CR or LF when nothing but plain ASCII and valid UTF-8 sequences
/// come before it; null when a control character other than tab or a byte of no valid sequence
/// comes first, or the line and the byte after its end do not lie before end.
const char* FindUtf8LineEnd(const char* c, const char* end)
{
    while (c < end && static_cast<unsigned char>(*c) >= 0x80) {
        const std::size_t length = Utf8SequenceLength(c, end);
        if (length == 0)
            return nullptr;
        c = FindStopByte(c + length, end);
        if (!c)
            return nullptr;
    }
    return end - c >= 2 && IsLineEnd(*c) ? c : nullptr;
}

/// The first byte from c on that is no tag character, in a line whose end (CR or LF) lies after
/// c: the line's end at the latest.
const char* FindTagEnd(const char* c)
{
#if defined(__SSE2__)
    // Sixteen bytes at a time; the line's end stops the search before the window's end, and
    // the window's slack makes every block readable. A range of bytes is found by moving it to
    // start at -128 and comparing as signed bytes; letters are found by their lower case.
    const __m128i toLower = _mm_set1_epi8(0x20);
    const __m128i letterShift = _mm_set1_epi8(char(128 - 'a'));
    const __m128i letterLimit = _mm_set1_epi8(char(-128 + 26));
    const __m128i digitShift = _mm_set1_epi8(char(128 - '0'));
    const __m128i digitLimit = _mm_set1_epi8(char(-128 + 10));
    const __m128i underscore = _mm_set1_epi8('_');
    for (;; c += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c));
        const __m128i letters =
            _mm_cmplt_epi8(_mm_add_epi8(_mm_or_si128(bytes, toLower), letterShift), letterLimit);
        const __m128i digits = _mm_cmplt_epi8(_mm_add_epi8(bytes, digitShift), digitLimit);
        const __m128i tags =
            _mm_or_si128(_mm_or_si128(letters, digits), _mm_cmpeq_epi8(bytes, underscore));
        const auto others = ~unsigned(_mm_movemask_epi8(tags)) & 0xFFFFu;
        if (others != 0)
            return c + __builtin_ctz(others);
    }
#else
    while (IsTagChar(*c))
        ++c;
    return c;
#endif
}

/// The first "@" from c on in a line whose end, lineEnd, lies after c; lineEnd or a byte
/// after it when the line holds none.
const char* FindAtSign(const char* c, const char* lineEnd)
{
#if defined(__SSE2__)
    // Sixteen bytes at a time, as FindTagEnd reads them: most identifiers end in the first.
    for (;; c += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c));
        const auto found = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('@'))));
        if (found != 0)
            return c + __builtin_ctz(found);
        if (lineEnd - c <= 16)
            return lineEnd;
    }
#else
    while (c < lineEnd && *c != '@')
        ++c;
    return c;
#endif
}

/// Splits the line from start, the window's next byte, to lineEnd, its first CR or LF, with
/// the byte after lineEnd in the window (it decides whether a second CR or LF belongs to the
/// terminator, and next is the byte after the terminator), when it is a common line: a
/// one-digit level, one blank, an optional "@identifier@" of at most 50 bytes and the white
/// space after it, a tag and the value after it. Such a line is split as ScanLine splits it and
/// consumed with its terminator (as TakeBufferedLine consumes it); false, with nothing
/// consumed, for any other line, which the general path then reads. Inlined into both its
/// callers, so that the common line's way makes no call.
[[gnu::always_inline]] inline bool SplitCommonLine(GedcomReadWindow& window, const char* start,
                                                   const char* lineEnd, const char* next,
                                                   GedcomLine& line)
{
    if (!IsDigit(start[0]) || start[1] != ' ')
        return false;
    const char* c = start + 2;
    std::string_view xref;
    if (*c == '@') {
        // A character is at least one byte: a longer identifier is left to the general path,
        // which counts its characters.
        const char* const xrefStart = ++c;
        c = FindAtSign(c, lineEnd);
        if (c >= lineEnd || std::size_t(c - xrefStart) > kGedcomMaxXrefLength)
            return false;
        xref = std::string_view(xrefStart, std::size_t(c - xrefStart));
        ++c;
        while (c < lineEnd && IsSpaceChar(*c))
            ++c;
    }
    const char* const tagStart = c;
    c = FindTagEnd(c);
    if (c == tagStart || std::size_t(c - tagStart) > kGedcomMaxTagLength)
        return false;
    line.level = start[0] - '0';
    line.zeroBytesRemoved = false;
    line.controlCharacters = false;
    line.xref = xref;
    line.tag = std::string_view(tagStart, std::size_t(c - tagStart));
    // The tag's delimiter is passed over without a branch, which a mix of lines with and
    // without a value would mislead; the line's end (white space too) is not passed.
    c += std::size_t(c != lineEnd) & std::size_t(IsSpaceChar(*c));
    line.value = std::string_view(c, std::size_t(lineEnd - c));
    window.next = next;
    return true;
}

/// The most common lines, split straight from the file's buffer: a common line as
/// SplitCommonLine splits one, with no control character other than tab and no byte of 128 or
/// above.
bool TakeCommonLine(GedcomReadWindow& window, GedcomLine& line)
{
    const char* const start = window.next;
#if defined(__SSE2__)
    // FindStopByte's search, keeping its mask: whether a CR or LF follows the line's end is read
    // from the mask's next bit, so that the next line's start waits for no load of that byte (a
    // stop byte there that is no CR or LF leaves the line to the general path). Each step takes
    // a line's end from the first 31 of its 32 bytes, so that the next bit is in the mask.
    constexpr unsigned kEnds = 0x7FFFFFFF;
    const char* block = start;
    unsigned stops = 0;
    for (;; block += 31) {
        if (block >= window.end)
            return false;
        stops = StopBytes(block) | StopBytes(block + 16) << 16;
        if ((stops & kEnds) != 0)
            break;
    }
    const auto at = unsigned(__builtin_ctz(stops));
    const char* const lineEnd = block + at;
    const unsigned pair = (stops >> (at + 1)) & 1;
    if (!IsLineEnd(*lineEnd) || window.end - lineEnd < 2 || (pair && !IsLineEnd(lineEnd[1])))
        return false;
    return SplitCommonLine(window, start, lineEnd, lineEnd + 1 + pair, line);
#else
    const char* const lineEnd = FindStopByte(start, window.end);
    return lineEnd && IsLineEnd(*lineEnd) && window.end - lineEnd >= 2 &&
           SplitCommonLine(window, start, lineEnd, lineEnd + (IsLineEnd(lineEnd[1]) ? 2 : 1), line);
#endif
}

/// A common line but for bytes of 128 or above, all in valid UTF-8 sequences, in a volume whose
/// lines read as UTF-8 as they stand: split straight from the file's buffer as TakeCommonLine
/// splits the others, since reading it as the general path does would give the same bytes.
bool TakeUtf8Line(InputState& s, GedcomLine& line)
{
    if (!s.m_linesAsUtf8 || s.m_hold != 0)
        return false;
    GedcomReadWindow& window = *s.m_window;
    const char* const start = window.next;
    const char* lineEnd = FindStopByte(start, window.end);
    if (!lineEnd || lineEnd >= window.end || static_cast<unsigned char>(*lineEnd) < 0x80)
        return false;
    lineEnd = FindUtf8LineEnd(lineEnd, window.end);
    return lineEnd &&
           SplitCommonLine(window, start, lineEnd, lineEnd + (IsLineEnd(lineEnd[1]) ? 2 : 1), line);
}

std::string WithoutQuotes(const std::string& name)
{
    if (name.empty() || name.front() != '"')
        return name;
    std::string out = name;
    std::erase(out, '"');
    return out;
}

/// The next physical line of the open volume (the line read ahead first); false at its end.
bool ReadPhysicalLine(InputState& s, std::string& raw)
{
    raw.clear();
    if (s.m_hold & kPendingLine) {
        raw.swap(s.m_pending);
        s.m_hold &= ~kPendingLine;
        return true;
    }
    if (IsGedcomInputAtEnd())
        return false;
    std::string& piece = s.m_piece;
    bool complete = true;
    bool exhausted = ReadGedcomInputLine(raw, complete, kPieceSize);
    while (!complete && !exhausted) {
        exhausted = ReadGedcomInputLine(piece, complete, kPieceSize);
        raw += piece;
    }
    if ((s.m_hold & kVolumeStart) && s.m_lineSet == GedcomCharset::Utf8 &&
        raw.starts_with(kUtf8Mark))
        raw.erase(0, kUtf8Mark.size());
    s.m_hold &= ~kVolumeStart;
    return true;
}

/// ANSEL puts marks before their letter, so a value that ends in marks lost its letter to the
/// next line when a writer split the word there: a CONC line that follows gets them back.
void GiveTrailingMarksToConc(InputState& s, std::string& raw)
{
    std::size_t keep = raw.size();
    while (keep > 0 && ansel::MarkChar(static_cast<unsigned char>(raw[keep - 1])) != 0)
        --keep;
    if (keep == raw.size() || keep == 0 || text::IsSpace(raw[keep - 1]))
        return;
    GedcomLine here;
    if (ScanLine(std::string_view(raw).substr(0, keep), here) != kGedcomParsedValid ||
        here.value.empty())
        return;
    std::string next;
    if (!ReadPhysicalLine(s, next))
        return;
    s.m_pending = std::move(next);
    s.m_hold |= kPendingLine;
    GedcomLine after;
    if (ScanLine(s.m_pending, after) != kGedcomParsedValid || after.tag != "CONC" ||
        after.value.empty())
        return;
    s.m_pending.insert(std::size_t(after.value.data() - s.m_pending.data()), raw, keep);
    raw.resize(keep);
}

bool OpenVolume(InputState& s, const std::string& path)
{
    s.m_hold = kVolumeStart;
    s.m_pending.clear();
    const GedcomCharset set = s.m_encoding.charset;
    if (set != GedcomCharset::Utf16Le && set != GedcomCharset::Utf16Be) {
        s.m_lineSet = set;
        s.m_linesAsUtf8 = set == GedcomCharset::Utf8 || set == GedcomCharset::Ansel;
        return OpenGedcomInputFile(path, false);
    }
    s.m_lineSet = GedcomCharset::Utf8;
    s.m_linesAsUtf8 = true;
    return OpenGedcomInputFileDecoded(path, set == GedcomCharset::Utf16Be
                                                ? GedcomInputDecoding::Utf16Be
                                                : GedcomInputDecoding::Utf16Le);
}

/// The next physical line: most lines as they stand in the file's buffer, the rest (a line
/// across the buffer's end, one read ahead, the first of a volume, and an ANSEL line that ends
/// in marks, which may give them to the line after it) copied into raw. False at the end of the
/// volume.
bool NextPhysicalLine(InputState& s, std::string& raw, std::string_view& line)
{
    if (s.m_hold == 0 && TakeBufferedLine(line)) {
        if (s.m_lineSet != GedcomCharset::Ansel || line.empty() ||
            ansel::MarkChar(static_cast<unsigned char>(line.back())) == 0)
            return true;
        raw.assign(line);
        GiveTrailingMarksToConc(s, raw);
        line = raw;
        return true;
    }
    if (!ReadPhysicalLine(s, raw))
        return false;
    if (s.m_lineSet == GedcomCharset::Ansel)
        GiveTrailingMarksToConc(s, raw);
    line = raw;
    return true;
}

/// ReadGedcomLine for the lines TakeCommonLine leaves: a line of UTF-8 that TakeUtf8Line takes,
/// else each physical line freed of zero bytes, converted to UTF-8 and split. Kept out of line,
/// so that the common line's way through ReadGedcomLine saves and restores no registers for it.
[[gnu::noinline]] int ReadGeneralLine(InputState& s, GedcomLine& line, int& lineCounter)
{
    if (TakeUtf8Line(s, line)) {
        ++lineCounter;
        return kGedcomLineReady;
    }
    std::string_view text;
    while (NextPhysicalLine(s, s.m_raw, text)) {
        ++lineCounter;
        const LineBytes bytes = ScanLineBytes(text);
        if (bytes.zero) {
            s.m_withoutZeros.assign(text);
            std::erase(s.m_withoutZeros, '\0');
            text = s.m_withoutZeros;
        }
        if (!bytes.ascii) {
            s.m_text.clear();
            s.m_fallbackCount += DecodeGedcomText(s.m_lineSet, text, s.m_text);
            text = s.m_text;
        }
        const int parsed = ParseGedcomLine(text, line);
        line.zeroBytesRemoved = bytes.zero;
        line.controlCharacters = bytes.control;
        if (parsed == kGedcomParsedValid)
            return kGedcomLineReady;
        if (parsed == kGedcomParsedInvalid) {
            line.value = text;
            return kGedcomLineInvalid;
        }
    }
    if (const int error = GetGedcomFileLastError()) {
        s.m_readError = error;
        return kGedcomInputEnd;
    }
    if (s.m_rememberedName.empty())
        return kGedcomInputEnd;
    return OpenNextGedcomVolume(line, lineCounter);
}

} // namespace

bool OpenGedcomInput(const std::string& name, bool writeMode, bool rememberName)
{
    InputState& s = Input();
    s.m_pending.clear();
    s.m_hold &= ~kPendingLine;
    if (writeMode)
        return OpenGedcomInputFile(name, true);
    const std::string path = WithoutQuotes(name);
    s.m_rememberedName = rememberName ? path : std::string();
    s.m_volume = -1;
    s.m_fallbackCount = 0;
    s.m_readError = 0;
    s.m_encoding = DetectGedcomFileEncoding(path);
    return OpenVolume(s, path);
}

bool CloseGedcomInput()
{
    InputState& s = Input();
    s.m_fallbackCount += GetGedcomInputDecodeFallbacks();
    s.m_rememberedName.clear();
    s.m_volume = -1;
    s.m_pending.clear();
    s.m_hold &= ~kPendingLine;
    return CloseGedcomInputFile();
}

int ReadGedcomLine(GedcomLine& line, int& lineCounter)
{
    InputState& s = Input();
    if (s.m_hold == 0 && TakeCommonLine(*s.m_window, line)) {
        ++lineCounter;
        return kGedcomLineReady;
    }
    return ReadGeneralLine(s, line, lineCounter);
}

int OpenNextGedcomVolume(GedcomLine& line, int& lineCounter)
{
    InputState& s = Input();
    s.m_fallbackCount += GetGedcomInputDecodeFallbacks();
    CloseGedcomInputFile();
    ++s.m_volume;
    const std::string& name = s.m_rememberedName;
    if (name.size() <= 3 ||
        !text::EqualsNoCase(std::string_view(name).substr(name.size() - 3), "GED"))
        return kGedcomInputEnd;
    const std::string next = name.substr(0, name.size() - 3) + text::Format("G%02d", s.m_volume);
    if (!OpenVolume(s, paths::FindExistingNoCase(next))) {
        s.m_rememberedName.clear();
        return kGedcomInputEnd;
    }
    return ReadGedcomLine(line, lineCounter);
}

int ParseGedcomLine(std::string_view text, GedcomLine& line)
{
    return ScanLine(text, line);
}

GedcomEncoding GetGedcomInputEncoding()
{
    return Input().m_encoding;
}

int GetGedcomInputVolume()
{
    return Input().m_volume;
}

int GetGedcomInputReadError()
{
    return Input().m_readError;
}

std::size_t GetGedcomInputFallbackCount()
{
    return Input().m_fallbackCount + GetGedcomInputDecodeFallbacks();
}
