// platform/base/safe_file.cpp: writing beside the target and renaming on success.
#include "platform/base/safe_file.h"

#include "platform/base/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
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

/// Removes the save temporaries of fileName in folder that a killed save left behind: files of
/// this user with the program's pattern, untouched for kStaleSeconds (a save running now in
/// another window keeps writing its own).
void RemoveStaleTemporaries(const std::string& folder, const std::string& fileName)
{
    const std::string prefix = "." + fileName + std::string(kTempMark);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() != prefix.size() + kTempRandomLength || !name.starts_with(prefix))
            continue;
        const std::string path = paths::Join(folder, name);
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid() && now - info.st_mtime >= kStaleSeconds)
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

} // namespace

CSafeFile::~CSafeFile()
{
    Discard();
}

BOOL CSafeFile::OpenBeside(const std::string& path, CFileException* error)
{
    Discard();
    m_target = SaveTarget(path);
    const std::string folder = FolderOf(m_target);
    const std::string fileName = paths::FileName(m_target);
    RemoveStaleTemporaries(folder, fileName);
    std::string temp = paths::Join(folder, "." + fileName + std::string(kTempMark) + "XXXXXX");
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = CFileException(CFileException::CauseFromErrno(errno), errno, path);
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

bool CSafeFile::Commit(int* osError)
{
    if (!IsOpen())
        return false;
    try {
        Flush();
        Close();
    } catch (const CFileException& e) {
        if (osError)
            *osError = e.m_lOsError;
        Discard();
        return false;
    }
    if (::rename(m_path.c_str(), m_target.c_str()) != 0) {
        if (osError)
            *osError = errno;
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
    if (osError)
        *osError = 0;
    CSafeFile file;
    CFileException error;
    if (!file.OpenBeside(path, &error)) {
        if (osError)
            *osError = error.m_lOsError;
        return false;
    }
    try {
        file.Write(content.data(), static_cast<UINT>(content.size()));
    } catch (const CFileException& e) {
        if (osError)
            *osError = e.m_lOsError;
        return false;
    }
    return file.Commit(osError);
}
