// database/multimedia/linked_file_location.cpp: stored names of linked files taken against the
// open GEDCOM file's folder.
#include "database/multimedia/linked_file_location.h"

#include "platform/base/paths.h"

#include <filesystem>
#include <system_error>

namespace {

std::string g_folder;

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasRoot(std::string_view name)
{
    const bool drive = name.size() >= 2 && name[1] == ':' && IsLetter(name[0]);
    return drive || (!name.empty() && (name[0] == '/' || name[0] == '\\'));
}

} // namespace

void SetLinkedFileFolder(const std::string& gedcomPath)
{
    g_folder.clear();
    if (gedcomPath.empty())
        return;
    const std::string native = paths::ToNative(gedcomPath);
    std::error_code failed;
    const std::filesystem::path absolute = std::filesystem::absolute(native, failed);
    g_folder = paths::Folder(failed ? native : absolute.lexically_normal().string());
}

bool IsUrlLink(std::string_view storedName)
{
    while (!storedName.empty() && (storedName.front() == ' ' || storedName.front() == '\t'))
        storedName.remove_prefix(1);
    const std::size_t colon = storedName.find(':');
    if (colon == std::string_view::npos || colon < 2 || !IsLetter(storedName[0]))
        return false;
    for (const char c : storedName.substr(1, colon - 1))
        if (!IsLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return false;
    return true;
}

const std::string& GetLinkedFileFolder()
{
    return g_folder;
}

std::string LinkedFileLocation(std::string_view storedName)
{
    if (storedName.empty())
        return {};
    if (IsUrlLink(storedName))
        return std::string(storedName);
    return paths::FindExistingNoCase(HasRoot(storedName) ? std::string(storedName)
                                                         : paths::Join(g_folder, storedName));
}
