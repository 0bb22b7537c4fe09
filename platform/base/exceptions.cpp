// platform/base/exceptions.cpp: file failures with their causes and English messages.
#include "platform/base/exceptions.h"

#include <cerrno>
#include <utility>

CFileException::CFileException(Cause cause, int osError, std::string fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName))
{
}

CFileException::Cause CFileException::CauseFromErrno(int osError)
{
    switch (osError) {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return diskFull;
    case ESPIPE:
        return badSeek;
    case EIO:
        return hardIO;
    case EBUSY:
    case ETXTBSY:
        return sharingViolation;
    case ENOLCK:
        return lockViolation;
    default:
        return genericException;
    }
}

std::string CFileException::GetErrorMessage() const
{
    const std::string name = m_strFileName.empty() ? "an unnamed file" : m_strFileName;
    switch (m_cause) {
    case none:
        return "No error occurred.";
    case fileNotFound:
        return name + " was not found.";
    case badPath:
        return name + " contains an invalid path.";
    case tooManyOpenFiles:
        return name + " could not be opened because there are too many open files.";
    case accessDenied:
        return "Access to " + name + " was denied.";
    case invalidFile:
        return "An invalid file handle was used for " + name + ".";
    case removeCurrentDir:
        return "The current folder cannot be removed.";
    case directoryFull:
        return "There are no more folder entries for " + name + ".";
    case badSeek:
        return "An error occurred while setting the file position of " + name + ".";
    case hardIO:
        return "A hardware error occurred while accessing " + name + ".";
    case sharingViolation:
        return name + " is in use.";
    case lockViolation:
        return "A locked region of " + name + " was accessed.";
    case diskFull:
        return "The disk is full while writing " + name + ".";
    case endOfFile:
        return "An attempt was made to access " + name + " past its end.";
    case genericException:
        break;
    }
    return "An unexpected error occurred while accessing " + name + ".";
}
