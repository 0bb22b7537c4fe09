// database/gedcom/gedcom_line_sink.cpp: GEDCOM lines into the buffered file.
#include "database/gedcom/gedcom_line_sink.h"

#include "database/gedcom/buffered_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct SinkFormat {
    GedcomCharset m_charset = GedcomCharset::Utf8;
    bool m_utf16 = false;
    std::string m_lineEnd = "\r\n"; // already in m_charset
    /// Lines are composed in the file's buffer (no UTF-16), and m_lineEnd is shorter than
    /// m_shortLineEnd, which holds it followed by zero bytes.
    bool m_composedInRoom = true;
    char m_shortLineEnd[4] = {'\r', '\n', 0, 0};
    bool m_misfit = false;
    std::string m_text;    // room for a line composed in UTF-8 apart from the file's buffer
    std::string m_encoded; // a line encoded in m_charset
    // The held lines, outermost first: the first m_heldCount of m_held, whose storage is kept
    // for the next holds; how many of them, from the first, are written.
    struct HeldLine {
        int level;
        std::string_view tag; // valid while the hold lasts
        std::string rest;
    };
    std::vector<HeldLine> m_held;
    std::size_t m_heldCount = 0;
    std::size_t m_heldWritten = 0;
    bool m_probing = false; // WritesAnyGedcomLine runs: a line is refused and noted
    bool m_probed = false;
    /// The buffered file's write room, which most lines fill without a call.
    GedcomWriteWindow* m_room = &GedcomOutputRoom();
};

/// One object at namespace scope rather than a function's static: every line asks for it, and
/// a function's static is tested for being made at each call.
SinkFormat g_format;

SinkFormat& Format()
{
    return g_format;
}

/// The pieces of one line: "level TAG" (the tag alone without a level), rest as it is, and value
/// with each "@" doubled.
struct LinePieces {
    bool hasLevel;
    int level;
    std::string_view tag;
    std::string_view rest;
    std::string_view value;

    /// The most bytes the line takes in UTF-8, without its end.
    std::size_t MostBytes() const { return 12 + tag.size() + rest.size() + 2 * value.size(); }
};

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
constexpr std::uint64_t kOnes = 0x0101010101010101ull;

std::uint64_t Load8(const char* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

void Store8(char* p, std::uint64_t word)
{
    std::memcpy(p, &word, sizeof word);
}

/// Whether one of the eight bytes of word is "@".
bool HasAt(std::uint64_t word)
{
    const std::uint64_t x = word ^ (kOnes * '@');
    return ((x - kOnes) & ~x & kHighBits) != 0;
}

/// Copies piece to out and returns the end; the bits of every byte copied are ORed into bits.
/// Lines are made of many short pieces, which are copied a word at a time without a call.
[[gnu::always_inline]] inline char* Put(char* out, std::string_view piece, std::uint64_t& bits)
{
    const char* in = piece.data();
    const std::size_t n = piece.size();
    if (n >= 8) {
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            const std::uint64_t word = Load8(in + i);
            bits |= word;
            Store8(out + i, word);
        }
        if (i < n) {
            const std::uint64_t word = Load8(in + n - 8);
            bits |= word;
            Store8(out + n - 8, word);
        }
        return out + n;
    }
    if (n >= 4) {
        // Two words of four that overlap in the middle: a tag, most levels' pieces.
        std::uint32_t first, last;
        std::memcpy(&first, in, 4);
        std::memcpy(&last, in + n - 4, 4);
        bits |= first | last;
        std::memcpy(out, &first, 4);
        std::memcpy(out + n - 4, &last, 4);
        return out + n;
    }
    for (std::size_t i = 0; i < n; ++i) {
        out[i] = in[i];
        bits |= static_cast<unsigned char>(in[i]);
    }
    return out + n;
}

/// Copies value to out with each "@" doubled, as Put does.
[[gnu::always_inline]] inline char* PutEscaped(char* out, std::string_view value,
                                               std::uint64_t& bits)
{
    const char* in = value.data();
    const std::size_t n = value.size();
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const std::uint64_t word = Load8(in + i);
        if (HasAt(word))
            break;
        bits |= word;
        Store8(out, word);
        out += 8;
    }
    if (i < n && i >= 8 && i + 8 > n) {
        // The last bytes, overlapping what is copied, when none of them is "@".
        const std::uint64_t word = Load8(in + n - 8);
        if (!HasAt(word)) {
            bits |= word;
            Store8(out - (i - (n - 8)), word);
            return out + (n - i);
        }
    }
    for (; i < n; ++i) {
        const char c = in[i];
        bits |= static_cast<unsigned char>(c);
        *out++ = c;
        if (c == '@')
            *out++ = '@';
    }
    return out;
}

/// Writes the line's pieces in UTF-8 to out, which has room for line.MostBytes(); returns the
/// end. bits gathers the bits of the bytes, so that a byte above 127 shows.
[[gnu::always_inline]] inline char* Compose(char* out, const LinePieces& line, std::uint64_t& bits)
{
    if (line.hasLevel) {
        if (line.level < 10)
            *out++ = static_cast<char>('0' + line.level);
        else
            out = std::to_chars(out, out + 11, line.level).ptr;
        *out++ = ' ';
    }
    out = Put(out, line.tag, bits);
    out = Put(out, line.rest, bits);
    return PutEscaped(out, line.value, bits);
}

/// Writes text, a line composed in UTF-8 (ascii when every byte of it is), in UTF-16 to room,
/// which has room for twice its bytes and the line end, then the line end; appends it there.
[[gnu::always_inline]] inline void WriteWide(SinkFormat& f, std::string_view text, bool ascii,
                                             char* room)
{
    std::uint64_t bits = 0;
    const bool bigEndian = f.m_charset == GedcomCharset::Utf16Be;
    char* end =
        ascii ? WidenGedcomAscii(room, text, bigEndian) : EncodeUtf16Into(room, text, bigEndian);
    f.m_room->next = Put(end, f.m_lineEnd, bits);
}

/// Writes text, a line composed in UTF-8 (ascii when every byte of it is), in the output's set,
/// then the line end.
bool WriteText(SinkFormat& f, std::string_view text, bool ascii)
{
    if (f.m_utf16) {
        const std::size_t most = 2 * text.size() + f.m_lineEnd.size();
        if (char* room = WriteRoom(most)) {
            WriteWide(f, text, ascii, room);
            return true;
        }
        if (most <= kGedcomWriteBufferSize)
            return false;
    }
    f.m_encoded.clear();
    if (!EncodeGedcomText(f.m_charset, text, f.m_encoded)) {
        f.m_misfit = true;
        return false;
    }
    f.m_encoded += f.m_lineEnd;
    return WriteGedcomOutput(f.m_encoded);
}

/// Composes line in room, the write buffer's room, and appends it there unless a byte of it is
/// not ASCII in a set other than UTF-8, when it is encoded first.
[[gnu::always_inline]] inline bool WriteInRoom(SinkFormat& f, const LinePieces& line, char* room)
{
    std::uint64_t bits = 0;
    char* end = Compose(room, line, bits);
    if ((bits & kHighBits) == 0 || f.m_charset == GedcomCharset::Utf8) {
        // The line end's four bytes are copied whole, over room that no line holds yet.
        std::memcpy(end, f.m_shortLineEnd, sizeof f.m_shortLineEnd);
        f.m_room->next = end + f.m_lineEnd.size();
        return true;
    }
    // Encoded before anything is appended to the buffer that holds it.
    return WriteText(f, std::string_view(room, std::size_t(end - room)), false);
}

/// WriteLine for a line that its way in the buffer's room does not take.
[[gnu::noinline]] bool WriteLineElsewhere(SinkFormat& f, const LinePieces& line)
{
    const std::size_t most = line.MostBytes();
    if (f.m_composedInRoom) {
        const std::size_t need = most + sizeof f.m_shortLineEnd;
        if (char* room = WriteRoom(need))
            return WriteInRoom(f, line, room);
        if (need <= kGedcomWriteBufferSize)
            return false;
    }
    if (f.m_text.size() < most)
        f.m_text.resize(most);
    std::uint64_t bits = 0;
    char* start = f.m_text.data();
    const std::size_t size = std::size_t(Compose(start, line, bits) - start);
    return WriteText(f, std::string_view(start, size), (bits & kHighBits) == 0);
}

/// Writes one line. In every set but UTF-16 it is composed in the file's buffer, where it stays
/// unless a byte of it is not ASCII in a set other than UTF-8; such a line, a line in UTF-16 and
/// a line longer than the buffer are composed apart and then encoded. The common line, which
/// fits in the buffer's room, takes its way without a call.
[[gnu::always_inline]] inline bool WriteLine(SinkFormat& f, const LinePieces& line)
{
    const GedcomWriteWindow& window = *f.m_room;
    const std::size_t room = std::size_t(window.end - window.next);
    const std::size_t most = line.MostBytes();
    if (f.m_composedInRoom && room >= most + sizeof f.m_shortLineEnd)
        return WriteInRoom(f, line, window.next);
    if (f.m_utf16 && room >= 2 * most + f.m_lineEnd.size() && f.m_text.size() >= most) {
        // Composed apart, then widened into the room.
        std::uint64_t bits = 0;
        char* const start = f.m_text.data();
        const std::size_t size = std::size_t(Compose(start, line, bits) - start);
        WriteWide(f, std::string_view(start, size), (bits & kHighBits) == 0, window.next);
        return true;
    }
    return WriteLineElsewhere(f, line);
}

/// Writes the held lines not yet written; false when the output failed.
bool WriteHeldLines(SinkFormat& f)
{
    while (f.m_heldWritten < f.m_heldCount) {
        const SinkFormat::HeldLine& held = f.m_held[f.m_heldWritten++];
        if (!WriteLine(f, {true, held.level, held.tag, held.rest, {}}))
            return false;
    }
    return true;
}

} // namespace

bool WriteGedcomLine(std::string_view line, std::string_view value)
{
    SinkFormat& f = Format();
    if (f.m_probing) {
        f.m_probed = true;
        return false;
    }
    if (f.m_heldWritten < f.m_heldCount && !WriteHeldLines(f))
        return false;
    return WriteLine(f, {false, 0, {}, line, value});
}

bool WriteGedcomTagLine(int level, std::string_view tag, std::string_view rest,
                        std::string_view value)
{
    SinkFormat& f = Format();
    if (f.m_probing) {
        f.m_probed = true;
        return false;
    }
    if (f.m_heldWritten < f.m_heldCount && !WriteHeldLines(f))
        return false;
    return WriteLine(f, {true, level, tag, rest, value});
}

void HoldGedcomTagLine(int level, std::string_view tag, std::string_view rest)
{
    SinkFormat& f = Format();
    if (f.m_heldCount == f.m_held.size())
        f.m_held.emplace_back();
    SinkFormat::HeldLine& held = f.m_held[f.m_heldCount++];
    held.level = level;
    held.tag = tag;
    held.rest.assign(rest);
}

bool ReleaseGedcomTagLine()
{
    SinkFormat& f = Format();
    if (f.m_heldCount == 0)
        return false;
    --f.m_heldCount;
    const bool written = f.m_heldWritten > f.m_heldCount;
    f.m_heldWritten = std::min(f.m_heldWritten, f.m_heldCount);
    return written;
}

bool WritesAnyGedcomLine(const std::function<bool()>& write)
{
    SinkFormat& f = Format();
    const std::size_t heldCount = f.m_heldCount;
    const std::size_t heldWritten = f.m_heldWritten;
    f.m_probing = true;
    f.m_probed = false;
    try {
        write();
    } catch (...) {
        f.m_probing = false;
        throw;
    }
    f.m_probing = false;
    f.m_heldCount = heldCount;
    f.m_heldWritten = heldWritten;
    return f.m_probed;
}

void StartGedcomLine(std::string& line, int level, std::string_view tag)
{
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, level).ptr;
    line.assign(digits, std::size_t(end - digits));
    line += ' ';
    line += tag;
}

void SetGedcomLineFormat(GedcomCharset charset, std::string_view lineEnd)
{
    SinkFormat& f = Format();
    f.m_charset = charset;
    f.m_utf16 = charset == GedcomCharset::Utf16Le || charset == GedcomCharset::Utf16Be;
    f.m_lineEnd.clear();
    EncodeGedcomText(charset, lineEnd, f.m_lineEnd);
    f.m_composedInRoom = !f.m_utf16 && f.m_lineEnd.size() < sizeof f.m_shortLineEnd;
    std::memset(f.m_shortLineEnd, 0, sizeof f.m_shortLineEnd);
    if (f.m_composedInRoom)
        std::memcpy(f.m_shortLineEnd, f.m_lineEnd.data(), f.m_lineEnd.size());
    f.m_misfit = false;
}

bool GedcomLineDidNotFit()
{
    return Format().m_misfit;
}
