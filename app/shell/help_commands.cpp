// app/shell/help_commands.cpp: opening the user manual and the tutorial files.
#include "app/shell/help_commands.h"

#include "app/shell/app_ids.h"

#include "common/file_utils.h"
#include "common/folder_settings.h"
#include "common/shell_open.h"
#include "platform/base/paths.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/app.h"

namespace {

struct Tutorial {
    UINT id;
    const char* file;
};

constexpr Tutorial kTutorials[] = {
    {ID_TUTORIAL_1, "Tutorial - Chapter 1.GED"},
    {ID_TUTORIAL_4, "Tutorial - Chapter 4.GED"},
    {ID_TUTORIAL_5, "Tutorial - Chapter 5.GED"},
    {ID_TUTORIAL_6, "Tutorial - Chapter 6.GED"},
    {ID_TUTORIAL_9, "Tutorial - Chapter 9.GED"},
    {ID_TUTORIAL_10, "Tutorial - Chapter 10.GED"},
    {ID_TUTORIAL_13, "Tutorial - Chapter 13 (Chapter 4 modified).GED"},
    {ID_TUTORIAL_15, "Tutorial - Chapter 15.GED"},
};

constexpr const char* kTutorialFolder = "Tutorial Files";

} // namespace

std::string UserManualPath()
{
    std::string folder;
    if (!GetProgramFolder(folder))
        folder = GetModuleDirectory();
    return paths::Join(paths::ToNative(folder), kUserManualName);
}

void OpenUserManual(bool forHelp)
{
    const std::string path = UserManualPath();
    if (!paths::IsFile(path)) {
        MessageBox(std::string(forHelp ? "Help is not available.  " : "") +
                       "The user manual could not be found.  It should be the file \"" + path +
                       "\".",
                   MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    ShellOpenFile("open", path);
}

std::string TutorialFileName(UINT commandId)
{
    for (const Tutorial& tutorial : kTutorials)
        if (tutorial.id == commandId)
            return tutorial.file;
    return {};
}

void OpenTutorialFile(UINT commandId)
{
    std::string folder;
    if (!GetProgramFolder(folder)) {
        MessageBox("Unable to open tutorial file", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const std::string path = paths::Join(paths::Join(paths::ToNative(folder), kTutorialFolder),
                                         TutorialFileName(commandId));
    if (CWinApp* app = AfxGetApp())
        app->OpenDocumentFile(path.c_str());
}
