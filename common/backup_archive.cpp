// common/backup_archive.cpp: zip archives written through the zip library into a file beside
// the target, entries read back in fixed pieces, and plain copies.
#include "common/backup_archive.h"

#include "common/file_names.h"
#include "common/whole_file.h"
#include "platform/base/file.h"
#include "platform/base/ole_date_time.h"
#include "platform/base/paths.h"
#include "platform/base/safe_file.h"
#include "platform/base/text.h"

#include <sys/stat.h>
#include <unzip.h>
#include <zip.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <limits>
#include <optional>

namespace {

/// The piece in which an entry is read and a file copied.
constexpr UINT kPieceSize = 4000;
/// The most handed to the zip library in one write.
constexpr std::size_t kZipWriteLimit = 1u << 20;

// ---- The zip library's file calls over an open CFile ------------------------------------------

/// The archive being written: the file beside the target and whether a call on it failed.
struct ZipOutput {
    CFile* file = nullptr;
    bool failed = false;
};

voidpf ZCALLBACK OpenOutput(voidpf opaque, const void*, int)
{
    return opaque;
}

uLong ZCALLBACK ReadOutput(voidpf opaque, voidpf, void* buffer, uLong size)
{
    auto* out = static_cast<ZipOutput*>(opaque);
    try {
        return out->file->Read(buffer, static_cast<UINT>(size));
    } catch (const CFileException&) {
        out->failed = true;
        return 0;
    }
}

uLong ZCALLBACK WriteOutput(voidpf opaque, voidpf, const void* buffer, uLong size)
{
    auto* out = static_cast<ZipOutput*>(opaque);
    try {
        out->file->Write(buffer, static_cast<UINT>(size));
        return size;
    } catch (const CFileException&) {
        out->failed = true;
        return 0;
    }
}

ZPOS64_T ZCALLBACK TellOutput(voidpf opaque, voidpf)
{
    auto* out = static_cast<ZipOutput*>(opaque);
    try {
        return static_cast<ZPOS64_T>(out->file->GetPosition());
    } catch (const CFileException&) {
        out->failed = true;
        return static_cast<ZPOS64_T>(-1);
    }
}

long ZCALLBACK SeekOutput(voidpf opaque, voidpf, ZPOS64_T offset, int origin)
{
    auto* out = static_cast<ZipOutput*>(opaque);
    const CFile::SeekPosition from = origin == ZLIB_FILEFUNC_SEEK_CUR   ? CFile::current
                                     : origin == ZLIB_FILEFUNC_SEEK_END ? CFile::end
                                                                        : CFile::begin;
    try {
        out->file->Seek(static_cast<std::int64_t>(offset), from);
        return 0;
    } catch (const CFileException&) {
        out->failed = true;
        return -1;
    }
}

/// The file is closed by its owner once the archive is complete.
int ZCALLBACK CloseOutput(voidpf, voidpf)
{
    return 0;
}

int ZCALLBACK OutputError(voidpf opaque, voidpf)
{
    return static_cast<ZipOutput*>(opaque)->failed ? 1 : 0;
}

zlib_filefunc64_def OutputCalls(ZipOutput& output)
{
    zlib_filefunc64_def calls{};
    calls.zopen64_file = &OpenOutput;
    calls.zread_file = &ReadOutput;
    calls.zwrite_file = &WriteOutput;
    calls.ztell64_file = &TellOutput;
    calls.zseek64_file = &SeekOutput;
    calls.zclose_file = &CloseOutput;
    calls.zerror_file = &OutputError;
    calls.opaque = &output;
    return calls;
}

/// The entry's date: the file's last change in local time, within what a zip entry can hold
/// (1980 to 2107).
tm_zip EntryDate(std::time_t changed)
{
    std::tm local{};
    if (!::localtime_r(&changed, &local))
        return tm_zip{0, 0, 0, 1, 0, 1980};
    if (local.tm_year < 80)
        return tm_zip{0, 0, 0, 1, 0, 1980};
    if (local.tm_year > 207)
        return tm_zip{58, 59, 23, 31, 11, 2107};
    return tm_zip{uInt(local.tm_sec),  uInt(local.tm_min), uInt(local.tm_hour),
                  uInt(local.tm_mday), uInt(local.tm_mon), uInt(local.tm_year + 1900)};
}

/// The entry's attributes say it was made on a Unix system, so that unzip programs take its
/// permissions: a plain file readable by all and written by its owner.
constexpr uLong kMadeOnUnix = 3u << 8 | 20u;
constexpr uLong kPlainFileAttributes = uLong(S_IFREG | 0644) << 16;

/// Adds the one entry to an open archive; false when any step failed.
bool WriteEntry(zipFile zip, const std::string& entryName, std::time_t changed,
                const std::string& content)
{
    zip_fileinfo info{};
    info.tmz_date = EntryDate(changed);
    info.external_fa = kPlainFileAttributes;
    const int zip64 = content.size() >= 0xFFFFFFFFu ? 1 : 0;
    if (zipOpenNewFileInZip4_64(zip, entryName.c_str(), &info, nullptr, 0, nullptr, 0,
                                kBackupEntryComment, Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0,
                                -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0,
                                kMadeOnUnix, 0, zip64) != ZIP_OK)
        return false;
    bool ok = true;
    for (std::size_t done = 0; ok && done < content.size();) {
        const std::size_t piece = std::min(content.size() - done, kZipWriteLimit);
        ok =
            zipWriteInFileInZip(zip, content.data() + done, static_cast<unsigned>(piece)) == ZIP_OK;
        done += piece;
    }
    return zipCloseFileInZip(zip) == ZIP_OK && ok;
}

/// The space left in the folder that will hold target; the largest value when unknown.
std::uint64_t SpaceBeside(const std::string& target)
{
    std::string folder = paths::Folder(target);
    if (folder.empty())
        folder = ".";
    std::error_code error;
    const std::filesystem::space_info space = std::filesystem::space(folder, error);
    return error ? std::numeric_limits<std::uint64_t>::max() : space.available;
}

/// Whether the file ends in a zip archive's end record that counts no entries (the zip library
/// opens no such archive).
bool IsEmptyArchive(const std::string& path)
{
    constexpr std::size_t kEndRecord = 22, kLongestComment = 0xFFFF;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::typeBinary))
        return false;
    try {
        const auto length = static_cast<std::size_t>(file.GetLength());
        if (length < kEndRecord)
            return false;
        std::string tail(std::min(length, kEndRecord + kLongestComment), '\0');
        file.Seek(static_cast<std::int64_t>(length - tail.size()), CFile::begin);
        tail.resize(file.Read(tail.data(), UINT(tail.size())));
        const std::size_t end = tail.rfind("PK\x05\x06");
        if (end == std::string::npos || tail.size() - end < kEndRecord)
            return false;
        const auto byte = [&](std::size_t at) { return unsigned(std::uint8_t(tail[end + at])); };
        return (byte(10) | byte(11)) == 0 && (byte(8) | byte(9)) == 0;
    } catch (const CFileException&) {
        return false;
    }
}

bool HasParentStep(std::string_view path)
{
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find_first_of("/\\", start), path.size());
        if (path.substr(start, end - start) == "..")
            return true;
        start = end + 1;
    }
    return false;
}

/// A size of an entry that the zip64 extra field holds instead.
constexpr std::uint64_t kZip64Marker = 0xFFFFFFFFu;

/// The uncompressed size in an entry's zip64 extra field (header 0x0001, whose first field it
/// is when the directory's own field holds kZip64Marker). The zip library reads the data of such
/// an entry but leaves the marker as its size.
std::optional<std::uint64_t> Zip64Size(std::string_view extra)
{
    const auto number = [&extra](std::size_t at, int bytes) {
        std::uint64_t value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = value << 8 | std::uint8_t(extra[at + std::size_t(i)]);
        return value;
    };
    for (std::size_t at = 0; at + 4 <= extra.size();) {
        const std::uint64_t id = number(at, 2), length = number(at + 2, 2);
        if (at + 4 + length > extra.size())
            break;
        if (id == 1 && length >= 8)
            return number(at + 4, 8);
        at += 4 + length;
    }
    return std::nullopt;
}

/// Whether folder is an existing folder, named by an absolute path, inside the home folder.
bool IsUsersOwnFolder(const std::string& folder)
{
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/' || !folder.starts_with('/'))
        return false;
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return false;
    const std::filesystem::path inside = std::filesystem::canonical(folder, error);
    const std::filesystem::path homeFolder = std::filesystem::canonical(home, error);
    if (error)
        return false;
    const auto [stop, rest] =
        std::mismatch(homeFolder.begin(), homeFolder.end(), inside.begin(), inside.end());
    return stop == homeFolder.end();
}

} // namespace

std::string DefaultBackupName(std::string_view backupFolder, std::string_view openFile,
                              const COleDateTime& now)
{
    std::string name(backupFolder);
    if (!name.empty() && !name.ends_with('/') && !name.ends_with('\\'))
        name += '/';
    return name + GetPathFileName(openFile, true) + now.Format(" - %d %b %Y");
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    if (text::EqualsNoCase(a, b))
        return true;
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

bool CopyFileSafely(const std::string& source, const std::string& target, int* error)
{
    int failure = 0;
    CFile input;
    CSafeFile output;
    CFileException opening;
    if (!input.Open(source, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary,
                    &opening)) {
        failure = opening.m_lOsError ? opening.m_lOsError : EIO;
    } else if (!output.OpenBeside(target)) {
        failure = output.LastError();
    } else {
        try {
            std::array<char, 65536> buffer;
            for (UINT got; (got = input.Read(buffer.data(), UINT(buffer.size()))) > 0;)
                output.Write(buffer.data(), got);
            input.Close();
            if (!output.Commit())
                failure = output.LastError();
        } catch (const CFileException& thrown) {
            failure = thrown.m_lOsError ? thrown.m_lOsError : EIO;
        }
    }
    if (error)
        *error = failure;
    return failure == 0;
}

ZipBackupResult WriteZipBackup(const std::string& source, const std::string& archive, int* error)
{
    if (error)
        *error = 0;
    std::string content;
    struct stat status {};
    if (!ReadWholeFile(source, content) || ::stat(source.c_str(), &status) != 0)
        return ZipBackupResult::SourceUnreadable;
    CSafeFile file;
    const auto fail = [&](ZipBackupResult result) {
        if (error)
            *error = file.LastError();
        return result;
    };
    if (!file.OpenBeside(archive))
        return fail(ZipBackupResult::ArchiveUnopenable);
    ZipOutput output{&file};
    zlib_filefunc64_def calls = OutputCalls(output);
    zipFile zip = zipOpen2_64(archive.c_str(), APPEND_STATUS_CREATE, nullptr, &calls);
    if (!zip)
        return fail(ZipBackupResult::ArchiveUnopenable);
    bool ok = WriteEntry(zip, paths::FileName(source), status.st_mtime, content);
    ok = zipClose(zip, "") == ZIP_OK && ok;
    if (ok && !output.failed && file.Commit())
        return ZipBackupResult::Ok;
    return fail(ZipBackupResult::Failed);
}

// ---- Reading ----------------------------------------------------------------------------------

CZipBackupReader::~CZipBackupReader()
{
    Close();
}

CZipBackupReader::OpenResult CZipBackupReader::Open(const std::string& path)
{
    Close();
    // The library would wait on a pipe until someone wrote to it; only a file is an archive.
    if (!paths::IsFile(path))
        return OpenResult::Unreadable;
    m_archive = unzOpen64(path.c_str());
    if (m_archive)
        return OpenResult::Ok;
    return IsEmptyArchive(path) ? OpenResult::NoEntry : OpenResult::Unreadable;
}

CZipBackupReader::EntryResult CZipBackupReader::GoToFirstEntry(std::string& storedName)
{
    storedName.clear();
    m_positioned = false;
    if (!m_archive)
        return EntryResult::NoEntry;
    for (int status = unzGoToFirstFile(m_archive); status == UNZ_OK;
         status = unzGoToNextFile(m_archive)) {
        unz_file_info64 info{};
        std::array<char, kMaxStoredNameLength + 1> name{};
        std::string extra(0xFFFF, '\0');
        if (unzGetCurrentFileInfo64(m_archive, &info, name.data(), uLong(kMaxStoredNameLength),
                                    extra.data(), uLong(extra.size()), nullptr, 0) != UNZ_OK)
            return EntryResult::Error;
        extra.resize(std::min<std::size_t>(info.size_file_extra, extra.size()));
        if (info.uncompressed_size == kZip64Marker)
            info.uncompressed_size = Zip64Size(extra).value_or(info.uncompressed_size);
        const std::size_t length = std::min<std::size_t>(info.size_filename, kMaxStoredNameLength);
        storedName.assign(name.data(), std::find(name.data(), name.data() + length, '\0'));
        if (storedName.ends_with('/') || storedName.ends_with('\\'))
            continue; // a folder entry
        if (HasParentStep(storedName))
            return EntryResult::OutsideFolder;
        if (info.uncompressed_size == 0)
            return EntryResult::Empty;
        m_declaredSize = info.uncompressed_size;
        m_positioned = true;
        return EntryResult::Ok;
    }
    storedName.clear();
    return EntryResult::NoEntry;
}

RestoreResult CZipBackupReader::ExtractEntryTo(const std::string& target)
{
    if (!m_positioned)
        return RestoreResult::EntryUnreadable;
    if (m_declaredSize > SpaceBeside(target))
        return RestoreResult::NoSpace;
    CSafeFile output;
    if (!output.OpenBeside(target))
        return RestoreResult::CannotWrite;
    if (unzOpenCurrentFile(m_archive) != UNZ_OK)
        return RestoreResult::EntryUnreadable;
    std::array<char, kPieceSize> buffer;
    std::uint64_t written = 0;
    int got = 0;
    bool writeFailed = false;
    while (!writeFailed && (got = unzReadCurrentFile(m_archive, buffer.data(), kPieceSize)) > 0) {
        try {
            output.Write(buffer.data(), UINT(got));
            written += UINT(got);
        } catch (const CFileException&) {
            writeFailed = true;
        }
    }
    // The library checks the checksum only when the whole declared size was read.
    const bool closed = unzCloseCurrentFile(m_archive) == UNZ_OK;
    if (writeFailed)
        return RestoreResult::WriteFailed;
    if (got < 0 || !closed || written != m_declaredSize)
        return RestoreResult::DataError;
    return output.Commit() ? RestoreResult::Ok : RestoreResult::CannotWrite;
}

void CZipBackupReader::Close()
{
    if (m_archive)
        unzClose(m_archive);
    m_archive = nullptr;
    m_positioned = false;
}

RestoreProposal ProposeRestoreTarget(std::string_view storedName)
{
    RestoreProposal proposal;
    if (!HasParentStep(storedName)) {
        const std::string folder = GetPathFolder(storedName, false);
        if (IsUsersOwnFolder(folder))
            proposal.folder = folder;
    }
    proposal.title = GetPathFileName(storedName, true);
    if (proposal.title == "." || proposal.title == "..")
        proposal.title.clear();
    return proposal;
}
