// database/gedcom/gedcom_charset.h: the character sets of GEDCOM files: which one a file uses, and
// its bytes read as UTF-8 (gedcom_encode.h writes text back in it).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// The sets a GEDCOM file may be written in. Text in memory is always UTF-8.
enum class GedcomCharset {
    Utf8,
    Utf16Le,
    Utf16Be,
    Ansel,
    Ascii,
    Windows1252, // CHAR ANSI
    Latin1,      // CHAR LATIN1 or ISO-8859-1
    Cp437,       // CHAR IBMPC
};

/// A file's set, and whether it began with a byte-order mark (a save keeps both).
struct GedcomEncoding {
    GedcomCharset charset = GedcomCharset::Utf8;
    bool byteOrderMark = false;

    bool operator==(const GedcomEncoding&) const = default;
};

/// How many bytes of a file's beginning are searched for the header's CHAR line.
inline constexpr std::size_t kGedcomHeadBytes = std::size_t(1) << 20;

// Finding the set. A byte-order mark decides first (UTF-8, UTF-16 either way round), then the
// pattern of zero bytes in the first two characters (UTF-16 without a mark: "0" is 30 00 or
// 00 30), then the header's CHAR: ANSEL, ASCII, ANSI (Windows-1252), UTF-8, LATIN1 and
// ISO-8859-1, IBMPC (code page 437), any case. Without a CHAR, and with a value that is none of
// these (UNICODE included: a file whose bytes are not UTF-16 cannot be UTF-16), the file is
// UTF-8 when its bytes are valid UTF-8, else Windows-1252.

/// The value of the header's CHAR line (level 1 under the HEAD record, wherever that stands),
/// read byte by byte from the first lines of an ASCII-compatible head; empty when the header has
/// none. Records before the header are read in the set it names, like all the others.
std::string FindGedcomCharValue(std::string_view head);
/// Whether a CHAR value names set (UNICODE names UTF-16 either way round).
bool GedcomCharValueNames(std::string_view value, GedcomCharset set);
/// The encoding of a file whose whole content is bytes.
GedcomEncoding DetectGedcomEncoding(std::string_view bytes);
/// The encoding of the file at path: CHAR is looked for in its first kGedcomHeadBytes, and
/// without a usable CHAR the whole file is checked for valid UTF-8. UTF-8 when it cannot be read.
GedcomEncoding DetectGedcomFileEncoding(const std::string& path);

/// The CHAR value that names set in a header written by the program.
const char* GedcomCharsetName(GedcomCharset set);
/// The byte-order mark a file of this encoding starts with; empty when it has none.
std::string GedcomByteOrderMark(const GedcomEncoding& encoding);

// Reading. Nothing is dropped: a byte that is not valid in the set is read as the
// Windows-1252 character of that byte (an undefined ANSEL byte, a byte above 127 in ASCII or a
// broken UTF-8 sequence, byte by byte; an ASCII file's valid UTF-8 sequences are read as
// UTF-8), and only broken UTF-16 (an unpaired surrogate, an odd last byte) becomes U+FFFD.
// ANSEL writes a combining mark before its letter and Unicode after it: the marks follow their
// letter in the result, composed with it where Unicode has a precomposed letter (E2 65 reads as
// U+00E9). A mark with no letter after it stays at the end of the text.

/// Appends the UTF-8 form of bytes to out; returns how many bytes (UTF-16: code units) were
/// not valid in set and were read by the fallback.
std::size_t DecodeGedcomText(GedcomCharset set, std::string_view bytes, std::string& out);

/// Turns a UTF-16 byte stream, handed over in pieces of any size, into UTF-8. A byte-order mark
/// at the start of the stream is dropped, and a reversed one switches the byte order.
class CUtf16Decoder final {
public:
    explicit CUtf16Decoder(bool bigEndian) : m_bigEndian(bigEndian) {}

    /// The most bytes Decode writes for a piece of size bytes, and Finish writes.
    static constexpr std::size_t MaxDecodedSize(std::size_t size) { return 3 * (size / 2 + 2); }

    /// Appends the characters that bytes complete; a byte or a high surrogate that the next
    /// piece may complete is held back.
    void Decode(std::string_view bytes, std::string& out);
    /// Decode writing to out, which has room for MaxDecodedSize(bytes.size()) bytes; the end of
    /// what it wrote.
    char* Decode(std::string_view bytes, char* out);
    /// Ends the stream: a held byte or surrogate becomes U+FFFD.
    void Finish(std::string& out);
    /// Finish writing to out, which has room for MaxDecodedSize(0) bytes; the end of what it
    /// wrote.
    char* Finish(char* out);
    /// Code units (and a lone last byte) read as U+FFFD so far.
    std::size_t InvalidCount() const { return m_invalid; }

private:
    char* Take(char32_t unit, char* out);

    bool m_bigEndian;
    bool m_started = false;
    bool m_hasByte = false;
    unsigned char m_byte = 0;
    char32_t m_highSurrogate = 0;
    std::size_t m_invalid = 0;
};
