// database/gedcom/buffered_file.h: the one buffered file through which GEDCOM files are read line
// by line and written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/// A file read as it is comes into the buffer this many bytes at a time; a read that fills it
/// less marks the end of the file. It is large enough that reading a big file takes few system
/// calls. A decoded file's buffer holds the text of one piece of the file at a time.
inline constexpr int kGedcomBufferSize = 32 * 1024;
/// A file read as it is is mapped in pieces of this size, instead of read, while a whole piece
/// and the read slack after it remain; the rest is read into the buffer. Reading a page of a
/// piece that the file can no longer give (it shrank while being read) ends the input with
/// EIO, as a failed read does.
inline constexpr std::size_t kGedcomMapPieceSize = 4 * 1024 * 1024;
/// A file opened for writing collects this many bytes before it hands them to the system.
inline constexpr std::size_t kGedcomWriteBufferSize = 1024 * 1024;

/// Opens the buffered file; only one is open at a time, and one still open is abandoned first.
/// A name that begins with a double quote has every double quote removed.
/// Reading: fails for a file that cannot be opened or is empty; the first buffer is read.
/// Writing: the bytes go to a new temporary file beside the target (a symbolic link is followed
/// to its target), which replaces the target only when CloseGedcomInputFile succeeds; the target
/// keeps its mode. Fails when the target is not a writable regular file or no file can be made
/// in its folder.
bool OpenGedcomInputFile(const std::string& name, bool writeMode);

/// How a file opened for reading reaches the buffer: its bytes as they are, or UTF-16 (low or
/// high byte first; a byte-order mark may turn the order) decoded into UTF-8 as it is read, since
/// CR and LF bytes occur inside UTF-16 characters and lines can be split only after decoding.
enum class GedcomInputDecoding { None, Utf16Le, Utf16Be };
/// Opens a file for reading with its bytes decoded; otherwise as OpenGedcomInputFile.
bool OpenGedcomInputFileDecoded(const std::string& name, GedcomInputDecoding decoding);
/// Code units the decoding of the open file read as U+FFFD (with a lone last byte), so far; 0
/// for a file read as it is and once the file is closed.
std::size_t GetGedcomInputDecodeFallbacks();
/// Closes the file; true when nothing was open. In write mode the pending bytes are written and
/// flushed to the device and the temporary file is renamed over the target; after any failed
/// write, or when this fails, the target is left as it was and the temporary file is removed.
bool CloseGedcomInputFile();
/// Closes without committing anything: in write mode the temporary file is removed and the
/// target is left as it was. Used when a save stops for a reason of its own.
void AbandonGedcomFile();
/// The errno of the last failing call, 0 when none failed since the file was opened. A read
/// error ends the input and leaves its code here.
int GetGedcomFileLastError();

// Reading.
/// Reads the next buffer; false (and an empty buffer) when nothing was delivered.
bool FillGedcomInputBuffer();
/// True when every byte was consumed and no refill delivers more.
bool IsGedcomInputAtEnd();
/// Reads one line into line, without its terminator: CR, LF, or any pair of them (CR LF, LF CR,
/// CR CR, LF LF) ends a line. At most size - 1 bytes are taken: a longer line comes back cut
/// (complete false) and continues at the next call. Returns true when the input is exhausted;
/// the last line of a file without a final terminator then comes back in line, complete.
bool ReadGedcomInputLine(std::string& line, bool& complete, int size);
/// The next line as a view into the buffer, valid until the next call that reads: true, with the
/// line and its terminator consumed as ReadGedcomInputLine consumes them, when the line and
/// the byte after its terminator lie in the buffer; false, with nothing consumed, otherwise
/// (ReadGedcomInputLine then reads the line).
bool TakeBufferedLine(std::string_view& line);

/// Readable bytes that follow the end of the read window (no part of the file), so that a
/// reader may load a block of up to this many bytes from any byte before the end.
inline constexpr std::size_t kGedcomReadSlack = 64;
/// The bytes of the buffer not yet consumed while reading, for a reader that splits the lines
/// it can itself: it reads from next up to end and consumes bytes by moving next forward, never
/// past end. Empty while writing and when nothing is open; the bytes stay valid until the next
/// call that reads.
struct GedcomReadWindow {
    const char* next = nullptr;
    const char* end = nullptr;
};
/// The buffered file's window: one object for as long as the program runs, so that a reader
/// may keep a pointer to it.
GedcomReadWindow& GedcomInputWindow();
/// The next byte without consuming it; 0 at the end of the file.
char ReadNextChar();
/// The number of bytes consumed so far while reading; for a decoded file, the bytes of the file
/// decoded so far, which run up to a buffer ahead of the lines consumed.
std::int64_t GetBufferedFilePosition();
/// The size of the open file in bytes; 0 when none is open.
std::int64_t GetGedcomInputFileSize();

// Writing.
/// Appends bytes, writing the buffer out whenever it is full; false when the file is not open
/// for writing or a write failed, now or before.
bool WriteGedcomOutput(std::string_view bytes);
/// Writes the filled part of the buffer; false when the write failed.
bool FlushWriteBuffer();
/// Room for at least size bytes at the end of the write buffer (written out first when it has
/// less); none of it counts as appended until AppendWriteRoom says how much was filled. Null
/// when size is larger than kGedcomWriteBufferSize, the file is not open for writing or a write
/// failed, now or before.
char* WriteRoom(std::size_t size);
/// Counts the first count bytes of the room WriteRoom gave last as appended.
void AppendWriteRoom(std::size_t count);
/// The write buffer's room not yet filled, for a writer that fills it itself: it writes from next
/// up to end and appends by moving next forward, never past end, and asks WriteRoom when it needs
/// more room than is left. Empty while reading, when nothing is open and after a failed write.
struct GedcomWriteWindow {
    char* next = nullptr;
    char* end = nullptr;
};
/// The buffered file's write room: one object for as long as the program runs, so that a
/// writer may keep a pointer to it.
GedcomWriteWindow& GedcomOutputRoom();
