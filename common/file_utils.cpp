// common/file_utils.cpp: file-system questions over the framework's path functions.
#include "common/file_utils.h"

#include "platform/base/paths.h"
#include "platform/base/text.h"

#include <algorithm>

bool FileExists(const std::string& path)
{
    return paths::Exists(paths::ToNative(path));
}

bool DirectoryExists(const std::string& folder)
{
    return paths::IsDirectory(paths::ToNative(folder));
}

void ListDirectory(std::string_view pattern, std::vector<std::string>& names)
{
    const std::string native = paths::ToNative(pattern);
    const std::size_t slash = native.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".")
                               : slash == 0               ? std::string("/")
                                                          : native.substr(0, slash);
    for (std::string& name : paths::ListFolder(folder, native.substr(slash + 1)))
        names.push_back(std::move(name));
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return text::CompareNoCase(a, b) < 0;
    });
}

std::string GetModuleDirectory()
{
    return paths::ProgramFolder();
}
