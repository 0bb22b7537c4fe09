// platform/base/file.h: a binary file over a POSIX descriptor, with the open modes the
// program uses.
#pragma once

#include "platform/base/exceptions.h"
#include "platform/base/types.h"

#include <cstdint>
#include <string>

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040, // accepted and ignored
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();

    /// False with error filled in (when given) on failure; never throws.
    virtual BOOL Open(const std::string& path, UINT flags, CFileException* error = nullptr);
    /// Bytes read, 0 at the end; throws CFileException on a read error.
    virtual UINT Read(void* buffer, UINT count);
    /// Writes every byte or throws CFileException (disk full included).
    virtual void Write(const void* buffer, UINT count);
    std::int64_t Seek(std::int64_t offset, SeekPosition from);
    std::int64_t GetPosition() const;
    std::int64_t GetLength() const;
    void SetLength(std::int64_t length);
    /// Flushes to the device (fsync); throws CFileException on failure.
    void Flush();
    /// Closes; throws CFileException when the close reports an error.
    virtual void Close();
    /// Closes and ignores every error.
    void Abort();

    bool IsOpen() const { return m_fd >= 0; }
    const std::string& GetFilePath() const { return m_path; }

protected:
    friend class CFileWindow; // maps pieces of the open descriptor

    void ThrowErrno(int osError) const;

    int m_fd = -1;
    std::string m_path;
};
