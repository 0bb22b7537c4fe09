// platform/base/stdio_file.h: a file read and written as lines of text.
#pragma once

#include "platform/base/file.h"

#include <string>
#include <string_view>

class CStdioFile : public CFile {
public:
    /// The next line without its end (LF, or CR LF); false at the end of the file when nothing
    /// was left to read. A last line without an end is still returned.
    BOOL ReadString(std::string& line);
    /// Writes text exactly as given; line ends are the caller's ("\r\n" or "\n").
    void WriteString(std::string_view text);
};
