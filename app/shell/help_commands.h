// app/shell/help_commands.h: the help that this system can give: the user manual and the tutorial
// files in the program folder, and the web pages, each opened through the desktop.
#pragma once

#include "platform/base/types.h"

#include <string>

/// The address of the program's web site.
inline constexpr const char* kProductWebSite = "https://www.ardenvel.example/";
/// The page where a reader of the user manual's format is to be had.
inline constexpr const char* kPdfReaderPage = "https://get.adobe.com/reader/";
inline constexpr const char* kUserManualName = "Ardenvel - User Manual.pdf";

/// The user manual's path: in the program folder the installation names, else beside the
/// program file.
std::string UserManualPath();
/// Opens the user manual. A missing manual is reported with its path; for the help commands
/// the report first says that help is not available.
void OpenUserManual(bool forHelp);
/// The tutorial file of a command (ID_TUTORIAL_...); empty for any other command.
std::string TutorialFileName(UINT commandId);
/// Opens a tutorial file from the "Tutorial Files" folder under the program folder, as File
/// Open would; "Unable to open tutorial file" when the program folder cannot be found.
void OpenTutorialFile(UINT commandId);
