// database/multimedia/linked_file_location.cpp: stored names of linked files taken against the
// open GEDCOM file's folder.
#include "database/multimedia/linked_file_location.h"

#include "platform/base/paths.h"

#include <filesystem>
#include <system_error>

namespace {

std::string g_folder;

bool HasRoot(std::string_view name)
{
    const bool drive = name.size() >= 2 && name[1] == ':' &&
                       ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
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

const std::string& GetLinkedFileFolder()
{
    return g_folder;
}

std::string LinkedFileLocation(std::string_view storedName)
{
    if (storedName.empty())
        return {};
    return paths::FindExistingNoCase(HasRoot(storedName) ? std::string(storedName)
                                                         : paths::Join(g_folder, storedName));
}
