// platform/base/exceptions.h: the exception classes that file and memory failures arrive as.
#pragma once

#include <new>
#include <string>

class CException {
public:
    virtual ~CException() = default;
    virtual std::string GetErrorMessage() const = 0;
};

class CFileException final : public CException {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    CFileException() = default;
    CFileException(Cause cause, int osError, std::string fileName);
    /// The cause that an errno value stands for.
    static Cause CauseFromErrno(int osError);
    std::string GetErrorMessage() const override;

    Cause m_cause = none;
    int m_lOsError = 0; // errno
    std::string m_strFileName;
};

/// Allocation failures arrive as std::bad_alloc.
using CMemoryException = std::bad_alloc;
