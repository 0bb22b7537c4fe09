// platform/base/archive.h: a buffered byte stream over a file, for storing or for loading.
#pragma once

#include "platform/base/types.h"

#include <vector>

class CFile;

/// Reads from or writes to an open file through a buffer. Failures of the file throw its
/// CFileException. The file stays open when the archive ends; Close flushes what is stored.
class CArchive {
public:
    enum Mode : UINT { store = 0, load = 1 };

    CArchive(CFile* file, UINT mode, int bufferSize = 4096);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsStoring() const { return m_mode == store; }
    BOOL IsLoading() const { return m_mode == load; }
    CFile* GetFile() const { return m_file; }

    /// Up to count bytes; fewer only at the end of the file.
    UINT Read(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);
    /// Writes what is buffered to the file.
    void Flush();
    /// Flushes a storing archive; the archive is finished.
    void Close();

private:
    CFile* m_file;
    UINT m_mode;
    std::vector<BYTE> m_buffer;
    std::size_t m_used = 0; // stored bytes waiting, or loaded bytes available
    std::size_t m_next = 0; // the next loaded byte to hand out
};
