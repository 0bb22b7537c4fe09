// database/gedcom/buffered_file.cpp: the one buffered file: reading through a buffer, and writing
// beside the target with a rename on success.
#include "database/gedcom/buffered_file.h"

#include "database/gedcom/gedcom_charset.h"
#include "platform/base/file.h"
#include "platform/base/file_window.h"
#include "platform/base/safe_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

struct BufferedFile {
    CFile& Current() { return m_readMode ? m_input : m_output; }

    CFile m_input;
    CSafeFile m_output;
    std::vector<char> m_buffer;
    bool m_readMode = true;
    /// Reading: the bytes of the buffer not yet consumed.
    GedcomReadWindow m_window;
    /// Reading: the last fill filled the whole buffer, so the file may hold more.
    bool m_filledWhole = false;
    /// Writing: the room of the buffer not yet filled; empty once a write failed.
    GedcomWriteWindow m_room;
    std::int64_t m_bytesRead = 0;
    int m_lastError = 0;
    /// Writing: a write failed, so nothing more is written and the close commits nothing.
    bool m_failed = false;
    // Reading a decoded file: the decoder, the file's bytes read into m_raw, and whether the
    // file ended.
    std::optional<CUtf16Decoder> m_decoder;
    std::vector<char> m_raw;
    bool m_rawEnded = false;
    std::int64_t m_rawRead = 0;
    std::size_t m_decodeFallbacks = 0;
    // Reading a large file as it is: pieces of it mapped in turn instead of read, m_mapped bytes
    // so far, and the file's size when it was opened.
    CFileWindow m_view;
    std::int64_t m_mapped = 0;
    std::int64_t m_fileSize = 0;
};

/// The bytes a fill reads into the buffer, at most.
constexpr std::size_t kFillSize = kGedcomBufferSize;
/// The file's bytes are read in pieces of this size when they are decoded.
constexpr std::size_t kRawPieceSize = 64 * 1024;
/// Mapping spares the copy that a read makes of every byte of a large file.
constexpr std::size_t kMapPieceSize = kGedcomMapPieceSize;

// At namespace scope rather than inside File(), so that the calls that every line makes carry
// no guard.
BufferedFile g_file;

BufferedFile& File()
{
    return g_file;
}

void Reset(BufferedFile& f)
{
    f.m_buffer = {};
    f.m_window = {};
    f.m_filledWhole = false;
    f.m_room = {};
    f.m_failed = false;
    f.m_decoder.reset();
    f.m_raw = {};
    f.m_rawEnded = false;
    f.m_decodeFallbacks = 0;
    f.m_view.Unmap();
    f.m_mapped = 0;
    f.m_fileSize = 0;
}

/// Reads up to size bytes of the open input into out; fewer only at the end of the file or
/// after a read error, whose code is kept.
std::size_t ReadInput(BufferedFile& f, char* out, std::size_t size)
{
    std::size_t filled = 0;
    try {
        while (filled < size) {
            const UINT got = f.m_input.Read(out + filled, static_cast<UINT>(size - filled));
            if (got == 0)
                break;
            filled += got;
        }
    } catch (const CFileException& error) {
        f.m_lastError = error.m_lOsError;
    }
    return filled;
}

/// Fills the buffer with the text of the file's next piece that gives any, decoded straight
/// into it; the number of bytes filled, 0 only at the end of the file.
std::size_t FillDecoded(BufferedFile& f)
{
    char* const out = f.m_buffer.data();
    std::size_t filled = 0;
    while (filled == 0 && !f.m_rawEnded) {
        const std::size_t got = ReadInput(f, f.m_raw.data(), f.m_raw.size());
        f.m_rawRead += static_cast<std::int64_t>(got);
        if (got == 0) {
            filled = std::size_t(f.m_decoder->Finish(out) - out);
            f.m_rawEnded = true;
        } else {
            filled =
                std::size_t(f.m_decoder->Decode(std::string_view(f.m_raw.data(), got), out) - out);
        }
        f.m_decodeFallbacks = f.m_decoder->InvalidCount();
    }
    return filled;
}

std::string StripQuotes(const std::string& name)
{
    if (name.empty() || name.front() != '"')
        return name;
    std::string out;
    std::copy_if(name.begin(), name.end(), std::back_inserter(out),
                 [](char c) { return c != '"'; });
    return out;
}

/// Refuses (errno code) a target that exists but is not a regular file this process may write;
/// a symbolic link is judged by the file it leads to.
int CheckTarget(const std::string& name)
{
    struct stat status {};
    if (::stat(name.c_str(), &status) != 0)
        return 0;
    if (!S_ISREG(status.st_mode))
        return EISDIR;
    return ::access(name.c_str(), W_OK) == 0 ? 0 : errno;
}

bool OpenForWriting(BufferedFile& f, const std::string& name)
{
    if (const int error = CheckTarget(name)) {
        f.m_lastError = error;
        return false;
    }
    CFileException error;
    if (!f.m_output.OpenBeside(name, &error)) {
        f.m_lastError = error.m_lOsError;
        return false;
    }
    return true;
}

/// Writes what is pending and commits the safe file; on any failure discards it instead.
bool CommitOutput(BufferedFile& f)
{
    const bool written = !f.m_failed && FlushWriteBuffer();
    if (written && f.m_output.Commit())
        return true;
    if (written)
        f.m_lastError = errno ? errno : EIO;
    f.m_output.Discard();
    return false;
}

/// Maps the file's next piece as the window when a whole piece and the slack after it remain in
/// the file; false when the rest is read.
bool MapNextPiece(BufferedFile& f)
{
    constexpr std::size_t kMapped = kMapPieceSize + kGedcomReadSlack;
    if (f.m_fileSize == 0 || f.m_mapped + std::int64_t(kMapped) > f.m_fileSize ||
        !f.m_view.Map(f.m_input, f.m_mapped, kMapped))
        return false;
    f.m_window = {f.m_view.Data(), f.m_view.Data() + kMapPieceSize};
    f.m_mapped += static_cast<std::int64_t>(kMapPieceSize);
    return true;
}

/// Moves the input's position; false, with the error kept, when that fails.
bool SeekInput(BufferedFile& f, std::int64_t offset, CFile::SeekPosition from)
{
    try {
        f.m_input.Seek(offset, from);
        return true;
    } catch (const CFileException& error) {
        f.m_lastError = error.m_lOsError;
        return false;
    }
}

/// Ends the input: an empty window and no refill; false, for the fill that ends it.
bool Ended(BufferedFile& f)
{
    f.m_window = {};
    f.m_filledWhole = false;
    return false;
}

/// Reads the next buffer when the previous read filled the whole buffer.
bool Refill(BufferedFile& f)
{
    return f.m_filledWhole && FillGedcomInputBuffer();
}

/// The number of bytes in the read window.
std::size_t Unconsumed(const BufferedFile& f)
{
    return static_cast<std::size_t>(f.m_window.end - f.m_window.next);
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

#if defined(__SSE2__)
/// The first CR or LF of the size bytes at start; start + size when there is none. Sixteen
/// bytes are tested at a time.
const char* FindLineEnd(const char* start, std::size_t size)
{
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    std::size_t i = 0;
    for (; i + 16 <= size; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(start + i));
        const int found =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
        if (found != 0)
            return start + i + __builtin_ctz(unsigned(found));
    }
    for (; i < size; ++i) {
        if (IsLineEnd(start[i]))
            return start + i;
    }
    return start + size;
}
#else
/// The first CR or LF of the size bytes at start; start + size when there is none. Two memchr
/// scans beat a loop that tests every byte twice; they look at a window at a time, so that a
/// file whose lines end in CR alone is not searched to the end for an LF on every line.
const char* FindLineEnd(const char* start, std::size_t size)
{
    constexpr std::size_t kWindow = 512;
    for (std::size_t done = 0; done < size; done += kWindow) {
        const char* window = start + done;
        const std::size_t length = std::min(kWindow, size - done);
        const void* lf = std::memchr(window, '\n', length);
        const std::size_t beforeLf =
            lf ? std::size_t(static_cast<const char*>(lf) - window) : length;
        if (const void* cr = std::memchr(window, '\r', beforeLf))
            return static_cast<const char*>(cr);
        if (lf)
            return static_cast<const char*>(lf);
    }
    return start + size;
}

#endif

/// The buffered file with any open file abandoned and every count and state started afresh.
BufferedFile& StartOpening(bool readMode)
{
    BufferedFile& f = File();
    AbandonGedcomFile();
    Reset(f);
    f.m_readMode = readMode;
    f.m_bytesRead = 0;
    f.m_rawRead = 0;
    f.m_lastError = 0;
    return f;
}

} // namespace

bool OpenGedcomInputFile(const std::string& name, bool writeMode)
{
    if (!writeMode)
        return OpenGedcomInputFileDecoded(name, GedcomInputDecoding::None);
    BufferedFile& f = StartOpening(false);
    if (!OpenForWriting(f, StripQuotes(name))) {
        Reset(f);
        return false;
    }
    f.m_buffer.assign(kGedcomWriteBufferSize, 0);
    f.m_room = {f.m_buffer.data(), f.m_buffer.data() + f.m_buffer.size()};
    return true;
}

bool OpenGedcomInputFileDecoded(const std::string& name, GedcomInputDecoding decoding)
{
    BufferedFile& f = StartOpening(true);
    CFileException error;
    if (!f.m_input.Open(StripQuotes(name),
                        CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &error)) {
        f.m_lastError = error.m_lOsError;
        return false;
    }
    if (decoding != GedcomInputDecoding::None) {
        f.m_decoder.emplace(decoding == GedcomInputDecoding::Utf16Be);
        f.m_raw.assign(kRawPieceSize, 0);
    }
    // A decoded piece may be longer than the file's bytes.
    if (!f.m_decoder) {
        try {
            f.m_fileSize = f.m_input.GetLength();
        } catch (const CFileException&) {
            f.m_fileSize = 0; // read, not mapped
        }
    }
    const std::size_t room = f.m_decoder ? CUtf16Decoder::MaxDecodedSize(kRawPieceSize) : kFillSize;
    f.m_buffer.assign(room + kGedcomReadSlack, 0);
    if (!FillGedcomInputBuffer()) {
        f.m_input.Abort();
        Reset(f);
        return false;
    }
    return true;
}

std::size_t GetGedcomInputDecodeFallbacks()
{
    return File().m_decodeFallbacks;
}

bool CloseGedcomInputFile()
{
    BufferedFile& f = File();
    if (!f.Current().IsOpen())
        return true;
    bool ok = true;
    if (f.m_readMode) {
        try {
            f.m_input.Close();
        } catch (const CFileException& error) {
            f.m_lastError = error.m_lOsError;
            ok = false;
        }
    } else {
        ok = CommitOutput(f);
    }
    Reset(f);
    return ok;
}

void AbandonGedcomFile()
{
    BufferedFile& f = File();
    if (!f.Current().IsOpen())
        return;
    if (f.m_readMode)
        f.m_input.Abort();
    else
        f.m_output.Discard();
    Reset(f);
}

int GetGedcomFileLastError()
{
    return File().m_lastError;
}

bool FillGedcomInputBuffer()
{
    BufferedFile& f = File();
    if (!f.m_input.IsOpen() || !f.m_readMode)
        return false;
    if (f.m_view.Failed()) {
        // A page of the last piece could not be read (it read as zeros): the input ends there,
        // as it ends at a failed read.
        f.m_lastError = EIO;
        f.m_fileSize = 0;
        f.m_view.Unmap();
        if (!SeekInput(f, 0, CFile::end))
            return Ended(f);
    }
    if (MapNextPiece(f)) {
        f.m_filledWhole = true;
        f.m_bytesRead += static_cast<std::int64_t>(kMapPieceSize);
        return true;
    }
    if (f.m_fileSize != 0) {
        // Reading takes over where the mapped pieces end, and maps nothing more.
        f.m_fileSize = 0;
        f.m_view.Unmap();
        if (f.m_mapped != 0 && !SeekInput(f, f.m_mapped, CFile::begin))
            return Ended(f);
    }
    const std::size_t filled =
        f.m_decoder ? FillDecoded(f) : ReadInput(f, f.m_buffer.data(), kFillSize);
    f.m_window = {f.m_buffer.data(), f.m_buffer.data() + filled};
    // A decoded piece fills the buffer only in part; the decoder knows whether the file ended.
    f.m_filledWhole = f.m_decoder ? !f.m_rawEnded : filled == kFillSize;
    f.m_bytesRead += static_cast<std::int64_t>(filled);
    return filled > 0;
}

bool IsGedcomInputAtEnd()
{
    BufferedFile& f = File();
    return f.m_window.next == f.m_window.end && !Refill(f);
}

bool ReadGedcomInputLine(std::string& line, bool& complete, int size)
{
    BufferedFile& f = File();
    GedcomReadWindow& window = f.m_window;
    line.clear();
    complete = true;
    const std::size_t limit = static_cast<std::size_t>(std::max(size, 2) - 1);
    while (true) {
        if (window.next == window.end && !Refill(f))
            return true;
        const char* start = window.next;
        const std::size_t room = std::min(Unconsumed(f), limit - line.size());
        const char* end = FindLineEnd(start, room);
        line.append(start, end);
        window.next = end;
        if (end != start + room) {
            ++window.next;
            if (IsLineEnd(ReadNextChar()))
                ++window.next;
            return false;
        }
        if (line.size() >= limit) {
            complete = false;
            return false;
        }
    }
}

bool TakeBufferedLine(std::string_view& line)
{
    GedcomReadWindow& window = File().m_window;
    const char* start = window.next;
    const std::size_t available = static_cast<std::size_t>(window.end - start);
    const char* end = FindLineEnd(start, available);
    const std::size_t length = static_cast<std::size_t>(end - start);
    // The byte after the terminator decides whether a second CR or LF belongs to it.
    if (length + 1 >= available)
        return false;
    line = std::string_view(start, length);
    window.next = end + (IsLineEnd(end[1]) ? 2 : 1);
    return true;
}

GedcomReadWindow& GedcomInputWindow()
{
    return File().m_window;
}

char ReadNextChar()
{
    BufferedFile& f = File();
    if (f.m_window.next == f.m_window.end && !Refill(f))
        return 0;
    return *f.m_window.next;
}

std::int64_t GetBufferedFilePosition()
{
    const BufferedFile& f = File();
    if (!f.m_readMode || f.m_bytesRead == 0)
        return 0;
    if (f.m_decoder)
        return f.m_rawRead;
    return f.m_bytesRead - static_cast<std::int64_t>(Unconsumed(f));
}

std::int64_t GetGedcomInputFileSize()
{
    BufferedFile& f = File();
    if (!f.Current().IsOpen())
        return 0;
    try {
        return f.Current().GetLength();
    } catch (const CFileException& error) {
        f.m_lastError = error.m_lOsError;
        return 0;
    }
}

bool WriteGedcomOutput(std::string_view bytes)
{
    BufferedFile& f = File();
    if (!f.m_output.IsOpen() || f.m_readMode || f.m_failed)
        return false;
    while (!bytes.empty()) {
        if (f.m_room.next == f.m_room.end && !FlushWriteBuffer())
            return false;
        const std::size_t piece = std::min(std::size_t(f.m_room.end - f.m_room.next), bytes.size());
        std::memcpy(f.m_room.next, bytes.data(), piece);
        f.m_room.next += piece;
        bytes.remove_prefix(piece);
    }
    return true;
}

char* WriteRoom(std::size_t size)
{
    BufferedFile& f = File();
    if (size > kGedcomWriteBufferSize || !f.m_output.IsOpen() || f.m_readMode || f.m_failed)
        return nullptr;
    if (std::size_t(f.m_room.end - f.m_room.next) < size && !FlushWriteBuffer())
        return nullptr;
    return f.m_room.next;
}

void AppendWriteRoom(std::size_t count)
{
    File().m_room.next += count;
}

GedcomWriteWindow& GedcomOutputRoom()
{
    return File().m_room;
}

bool FlushWriteBuffer()
{
    BufferedFile& f = File();
    if (!f.m_output.IsOpen() || f.m_readMode || f.m_failed)
        return false;
    try {
        char* const start = f.m_buffer.data();
        if (f.m_room.next != start)
            f.m_output.Write(start, static_cast<UINT>(f.m_room.next - start));
        f.m_room.next = start;
        return true;
    } catch (const CFileException& error) {
        f.m_lastError = error.m_lOsError;
        f.m_failed = true;
        f.m_room = {};
        return false;
    }
}
