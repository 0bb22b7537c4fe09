// platform/base/file_window.h: a read-only view of one piece of an open file, mapped into memory
// instead of copied, for reading a large file front to back.
#pragma once

#include <cstddef>
#include <cstdint>

class CFile;

/// Maps one piece of a file at a time. Reading a page of the view that the file can no longer
/// give (it shrank while being read, or its device fails) reads zeros instead of ending the
/// program with a bus error, and Failed() then says so. One view is mapped at a time in the
/// whole program; the guard against bus errors stands only while it is.
class CFileWindow {
public:
    CFileWindow() = default;
    CFileWindow(const CFileWindow&) = delete;
    CFileWindow& operator=(const CFileWindow&) = delete;
    ~CFileWindow();

    /// Maps length bytes of file from offset, a multiple of PageSize(), replacing the piece
    /// mapped before; false, with nothing mapped, when the file cannot be mapped (the caller
    /// reads it instead).
    bool Map(const CFile& file, std::int64_t offset, std::size_t length);
    void Unmap() noexcept;
    /// The first byte of the piece; null when none is mapped.
    const char* Data() const { return m_data; }
    /// Whether a page of the piece mapped last could not be read and read as zeros.
    bool Failed() const;
    static std::size_t PageSize();

private:
    char* m_data = nullptr;
    std::size_t m_length = 0;
};
