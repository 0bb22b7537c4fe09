// common/folder_settings.cpp: reading the folder settings of the program's machine-wide key.
#include "common/folder_settings.h"

#include "common/preferences.h"
#include "common/quoted_text.h"
#include "platform/base/paths.h"
#include "platform/base/registry.h"
#include "platform/base/text.h"

#include <array>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* kFolderValueNames[] = {
    "Queries Directory",          "Reports Directory - Type",   "Reports Directory - Standard",
    "Reports Directory - Custom", "Standard Diagram Directory", "Custom Diagram Directory",
    "Help Files Directory",
};

/// The room a folder value is read into, its terminating zero included.
constexpr DWORD kFolderValueSize = 1000;

/// The last part of the help files folder that the program folder leaves out.
constexpr std::size_t kProgramPartLength = std::string_view("PROGRAM").size();

} // namespace

bool GetFolderSetting(int index, std::string& folder)
{
    if (index < 0 || index >= int(std::size(kFolderValueNames)))
        return false;
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    std::array<char, kFolderValueSize> buffer{};
    DWORD type = REG_NONE;
    DWORD size = kFolderValueSize;
    const LONG result = RegQueryValueEx(key, kFolderValueNames[index], nullptr, &type,
                                        reinterpret_cast<BYTE*>(buffer.data()), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return false;
    folder = QuoteString(std::string(buffer.data(), strnlen(buffer.data(), buffer.size())), false);
    return true;
}

bool GetProgramFolder(std::string& folder)
{
    std::string helpFolder;
    // A value no longer than the part left out would leave no folder, or reach before the text.
    if (!GetFolderSetting(kHelpFilesFolder, helpFolder) || helpFolder.size() <= kProgramPartLength)
        return false;
    folder = helpFolder.substr(0, helpFolder.size() - kProgramPartLength);
    return true;
}

std::string GetQueriesFolder()
{
    std::string folder;
    if (GetFolderSetting(kQueriesFolder, folder) && !folder.empty())
        return folder;
    return paths::Join(paths::DataHome(), "ardenvel/Queries");
}

std::string GetQueryKindFolder(bool custom)
{
    const std::string kind = custom ? "Custom" : "Standard";
    std::string setting;
    if (!custom && !(GetFolderSetting(kQueriesFolder, setting) && !setting.empty()))
        return paths::Join(paths::ProgramFolder(), "Queries/" + kind);
    return paths::Join(paths::ToNative(GetQueriesFolder()), kind);
}

std::string GetCustomDiagramsFolder()
{
    std::string folder;
    if (GetFolderSetting(kCustomDiagramsFolder, folder) && !text::Trim(folder).empty())
        return paths::ToNative(text::Trim(folder));
    return paths::Join(paths::DataHome(), "ardenvel/Diagrams/Custom");
}
