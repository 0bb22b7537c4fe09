// platform/base/stdio_file.cpp: lines over CFile. A line is read a block at a time and the
// descriptor is moved back to just after its end, so reads, writes and seeks may be mixed.
#include "platform/base/stdio_file.h"

#include <unistd.h>

namespace {

void DropLineEnd(std::string& line)
{
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
}

} // namespace

BOOL CStdioFile::ReadString(std::string& line)
{
    line.clear();
    const bool seekable = lseek(m_fd, 0, SEEK_CUR) >= 0;
    char block[512];
    bool readAny = false;
    for (;;) {
        const UINT got = Read(block, seekable ? UINT(sizeof block) : 1);
        if (got == 0)
            break;
        readAny = true;
        const std::string_view text(block, got);
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            line.append(text);
            continue;
        }
        line.append(text.substr(0, end + 1));
        if (end + 1 < got)
            Seek(std::int64_t(end + 1) - std::int64_t(got), current);
        break;
    }
    DropLineEnd(line);
    return readAny ? TRUE : FALSE;
}

void CStdioFile::WriteString(std::string_view text)
{
    Write(text.data(), UINT(text.size()));
}
