// platform/base/safe_file.cpp: writing beside the target and renaming on success.
#include "platform/base/safe_file.h"

#include "platform/base/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace {

/// The mode a new file gets: read and write for all, less the process's umask.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

/// The file a save replaces: the target when path is a symbolic link.
std::string SaveTarget(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    const auto target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target.string();
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

std::string FolderOf(const std::string& path)
{
    const std::string folder = paths::Folder(path);
    if (!folder.empty())
        return folder;
    return path.starts_with('/') ? "/" : ".";
}

/// The temporary files of a save of fileName are "." + fileName + kTempMark + six characters.
constexpr std::string_view kTempMark = ".ardenvel-";
constexpr std::size_t kTempRandomLength = 6;
/// A temporary file this old is left from a save that was killed before its rename.
constexpr time_t kStaleSeconds = 10 * 60;

/// Whether name is that of a save temporary: of fileName, or of any file when fileName is empty.
bool IsTemporaryName(std::string_view name, const std::string& fileName)
{
    if (!fileName.empty()) {
        const std::string prefix = "." + fileName + std::string(kTempMark);
        return name.size() == prefix.size() + kTempRandomLength && name.starts_with(prefix);
    }
    if (name.size() < 1 + 1 + kTempMark.size() + kTempRandomLength || !name.starts_with('.'))
        return false;
    return name.substr(name.size() - kTempRandomLength - kTempMark.size(), kTempMark.size()) ==
           kTempMark;
}

/// Removes the save temporaries of fileName (of every file when it is empty) in folder that a
/// killed save left behind: files of this user with the program's pattern, untouched for
/// kStaleSeconds (a save running now in another window keeps writing its own).
void RemoveStaleTemporaries(const std::string& folder, const std::string& fileName)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!IsTemporaryName(name, fileName))
            continue;
        const std::string path = paths::Join(folder, name);
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid() && now - info.st_mtime >= kStaleSeconds)
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

/// Refuses (errno code) a target that exists but is not a regular file this process may write:
/// one marked read-only (no write permission for anyone) is refused even to a process that the
/// system would let write it. A symbolic link is judged by the file it leads to.
int CheckTarget(const std::string& target)
{
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0)
        return 0;
    if (!S_ISREG(status.st_mode))
        return EISDIR;
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return EACCES;
    return ::access(target.c_str(), W_OK) == 0 ? 0 : errno;
}

} // namespace

CSafeFile::~CSafeFile()
{
    Discard();
}

BOOL CSafeFile::OpenBeside(const std::string& path, CFileException* error)
{
    Discard();
    m_lastError = 0;
    m_target = SaveTarget(path);
    const std::string folder = FolderOf(m_target);
    const std::string fileName = paths::FileName(m_target);
    RemoveStaleTemporaries(folder, fileName);
    std::string temp = paths::Join(folder, "." + fileName + std::string(kTempMark) + "XXXXXX");
    const int refused = CheckTarget(m_target);
    const int fd = refused ? -1 : ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        m_lastError = refused ? refused : errno;
        if (error)
            *error = CFileException(CFileException::CauseFromErrno(m_lastError), m_lastError, path);
        return FALSE;
    }
    struct stat existing {};
    const mode_t mode =
        ::stat(m_target.c_str(), &existing) == 0 ? existing.st_mode & 07777 : NewFileMode();
    ::fchmod(fd, mode);
    m_fd = fd;
    m_path = temp;
    return TRUE;
}

std::size_t CSafeFile::LongestFileName()
{
    return NAME_MAX - (1 + kTempMark.size() + kTempRandomLength);
}

void CSafeFile::Write(const void* buffer, UINT count)
{
    try {
        CFile::Write(buffer, count);
    } catch (const CFileException& error) {
        m_lastError = error.m_lOsError ? error.m_lOsError : EIO;
        throw;
    }
}

std::string CSafeFile::LastErrorText() const
{
    std::string reason = m_lastError ? std::strerror(m_lastError) : "The file could not be written";
    return reason + ".";
}

void CSafeFile::RemoveStaleTemporariesIn(const std::string& folder)
{
    RemoveStaleTemporaries(folder.empty() ? "." : folder, {});
}

bool CSafeFile::Commit(int* osError)
{
    if (osError)
        *osError = 0;
    if (!IsOpen())
        return false;
    try {
        Flush();
        Close();
    } catch (const CFileException& error) {
        m_lastError = error.m_lOsError ? error.m_lOsError : EIO;
        if (osError)
            *osError = error.m_lOsError;
        Discard();
        return false;
    }
    if (::rename(m_path.c_str(), m_target.c_str()) != 0) {
        m_lastError = errno;
        if (osError)
            *osError = m_lastError;
        ::unlink(m_path.c_str());
        m_path.clear();
        return false;
    }
    m_path.clear();
    SyncFolder(FolderOf(m_target));
    return true;
}

void CSafeFile::Discard()
{
    if (IsOpen())
        Abort();
    if (!m_path.empty())
        ::unlink(m_path.c_str());
    m_path.clear();
}

bool CSafeFile::WriteWhole(const std::string& path, std::string_view content, int* osError)
{
    CSafeFile file;
    bool written = file.OpenBeside(path);
    try {
        // Pieces within the framework's counts, so that a large content is written whole.
        for (std::size_t done = 0; written && done < content.size();) {
            const std::size_t piece = std::min<std::size_t>(content.size() - done, 1u << 30);
            file.Write(content.data() + done, static_cast<UINT>(piece));
            done += piece;
        }
    } catch (const CFileException&) {
        written = false;
    }
    written = written && file.Commit();
    if (osError)
        *osError = written ? 0 : file.LastError();
    return written;
}
