// platform/base/file.cpp: CFile over a POSIX descriptor; every failure after opening arrives as
// a CFileException.
#include "platform/base/file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int OpenFlagsFor(UINT flags)
{
    int mode = O_CLOEXEC;
    switch (flags & 0x3) {
    case CFile::modeWrite:
        mode |= O_WRONLY;
        break;
    case CFile::modeReadWrite:
        mode |= O_RDWR;
        break;
    default:
        mode |= O_RDONLY;
        break;
    }
    if (flags & CFile::modeCreate)
        mode |= (flags & CFile::modeNoTruncate) ? O_CREAT : O_CREAT | O_TRUNC;
    return mode;
}

/// The errno code that refuses a descriptor opened without waiting, or 0 when it is kept: a
/// folder, a pipe or a socket is no file; a kept one waits again on its reads and writes.
int RefusalOf(int fd)
{
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return errno;
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    if (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode))
        return EINVAL;
    const int status = fcntl(fd, F_GETFL);
    return status >= 0 && fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == 0 ? 0 : errno;
}

} // namespace

CFile::~CFile()
{
    Abort();
}

BOOL CFile::Open(const std::string& path, UINT flags, CFileException* error)
{
    Abort();
    m_path.clear();
    const auto fail = [&](int osError) {
        if (error)
            *error = CFileException(CFileException::CauseFromErrno(osError), osError, path);
        return FALSE;
    };
    if (path.empty())
        return fail(ENOENT);
    // Opened without waiting, so that a pipe with no other end is refused at once instead of
    // holding the program until someone writes to it.
    int fd = -1;
    do {
        fd = open(path.c_str(), OpenFlagsFor(flags) | O_NONBLOCK, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return fail(errno);
    const int osError = RefusalOf(fd);
    if (osError != 0) {
        close(fd);
        return fail(osError);
    }
    m_fd = fd;
    m_path = path;
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count)
{
    auto* bytes = static_cast<char*>(buffer);
    UINT done = 0;
    while (done < count) {
        const ssize_t got = read(m_fd, bytes + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            ThrowErrno(errno);
        if (got == 0)
            break;
        done += UINT(got);
    }
    return done;
}

void CFile::Write(const void* buffer, UINT count)
{
    const auto* bytes = static_cast<const char*>(buffer);
    UINT done = 0;
    while (done < count) {
        const ssize_t written = write(m_fd, bytes + done, count - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            ThrowErrno(errno);
        if (written == 0)
            ThrowErrno(ENOSPC); // nothing taken: the device is full
        done += UINT(written);
    }
}

std::int64_t CFile::Seek(std::int64_t offset, SeekPosition from)
{
    const int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
    const off_t position = lseek(m_fd, off_t(offset), whence);
    if (position < 0)
        throw CFileException(errno == EBADF ? CFileException::invalidFile : CFileException::badSeek,
                             errno, m_path);
    return position;
}

std::int64_t CFile::GetPosition() const
{
    const off_t position = lseek(m_fd, 0, SEEK_CUR);
    if (position < 0)
        ThrowErrno(errno);
    return position;
}

std::int64_t CFile::GetLength() const
{
    struct stat info {};
    if (fstat(m_fd, &info) != 0)
        ThrowErrno(errno);
    return info.st_size;
}

void CFile::SetLength(std::int64_t length)
{
    if (ftruncate(m_fd, off_t(length)) != 0)
        ThrowErrno(errno);
}

void CFile::Flush()
{
    // Devices and pipes cannot be synchronised; there is nothing of ours to lose there.
    if (fsync(m_fd) != 0 && errno != EINVAL && errno != EROFS)
        ThrowErrno(errno);
}

void CFile::Close()
{
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    // The descriptor is gone whatever close reports; EINTR is not a failure to write.
    if (close(fd) != 0 && errno != EINTR)
        ThrowErrno(errno);
}

void CFile::Abort()
{
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
}

void CFile::ThrowErrno(int osError) const
{
    throw CFileException(CFileException::CauseFromErrno(osError), osError, m_path);
}
