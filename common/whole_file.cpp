// common/whole_file.cpp: whole-file access over the framework's file class.
#include "common/whole_file.h"

#include "platform/base/file.h"
#include "platform/base/paths.h"
#include "platform/base/safe_file.h"
#include "platform/base/temp_files.h"

#include <algorithm>
#include <limits>

namespace {

/// Fills content from the file; a file that turns out shorter leaves content cut to what was read.
/// A read error throws CFileException.
void ReadAll(CFile& file, std::string& content)
{
    std::size_t filled = 0;
    while (filled < content.size()) {
        const std::size_t want =
            std::min<std::size_t>(content.size() - filled, std::numeric_limits<UINT>::max() / 2);
        const UINT got = file.Read(content.data() + filled, static_cast<UINT>(want));
        if (got == 0)
            break;
        filled += got;
    }
    content.resize(filled);
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& content)
{
    content.clear();
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return false;
    try {
        const std::int64_t length = file.GetLength();
        if (length <= 0)
            return false;
        content.resize(static_cast<std::size_t>(length));
        ReadAll(file, content);
        file.Close();
    } catch (const CFileException&) {
        file.Abort();
        content.clear();
        return false;
    } catch (const std::bad_alloc&) {
        content.clear();
        return false;
    }
    return !content.empty();
}

bool WriteWholeFile(const std::string& path, std::string_view bytes)
{
    return CSafeFile::WriteWhole(path, bytes);
}

void RemoveFile(const std::string& path)
{
    paths::RemoveFile(path);
}

bool MakeTempFile(std::string_view extension, std::string& path)
{
    path.clear();
    const std::string folder = temp_files::Folder();
    if (folder.empty())
        return false;
    path = temp_files::CreateUnique(folder, "~av", extension.empty() ? "tmp" : extension);
    return !path.empty();
}
