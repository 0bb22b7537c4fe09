// platform/base/safe_file.cpp: writing beside the target and renaming on success.
#include "platform/base/safe_file.h"

#include "platform/base/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

} // namespace

CSafeFile::~CSafeFile()
{
    Discard();
}

BOOL CSafeFile::OpenBeside(const std::string& path, CFileException* error)
{
    Discard();
    m_target = SaveTarget(path);
    std::string temp = paths::Join(FolderOf(m_target), "." + paths::FileName(m_target) + ".XXXXXX");
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

bool CSafeFile::Commit()
{
    if (!IsOpen())
        return false;
    try {
        Flush();
        Close();
    } catch (const CFileException&) {
        Discard();
        return false;
    }
    if (::rename(m_path.c_str(), m_target.c_str()) != 0) {
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

bool CSafeFile::WriteWhole(const std::string& path, std::string_view content)
{
    CSafeFile file;
    if (!file.OpenBeside(path))
        return false;
    try {
        file.Write(content.data(), static_cast<UINT>(content.size()));
    } catch (const CFileException&) {
        return false;
    }
    return file.Commit();
}
