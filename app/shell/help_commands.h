// app/shell/help_commands.h: the help that this system can give: the user manual, its pages and
// the tutorial files in the program folder, and the web pages, each opened through the desktop.
#pragma once

#include "platform/base/types.h"

#include <string>

/// The page where a reader of the user manual's format is to be had.
inline constexpr const char* kPdfReaderPage = "https://get.adobe.com/reader/";
inline constexpr const char* kUserManualName = "Ardenvel - User Manual.pdf";
/// The folder of the user manual's pages (one a chapter, and the contents page
/// kHelpContentsPage), in the program folder.
inline constexpr const char* kHelpPagesFolder = "User Manual";
inline constexpr const char* kHelpContentsPage = "index.html";
/// The folder of the tutorial files, in the program folder.
inline constexpr const char* kTutorialFolder = "Tutorial Files";

/// What the web-site commands say: the program has no web site of its own, and its manual
/// comes with it.
inline constexpr const char* kNoWebSiteMessage =
    "Ardenvel has no web site.  Its user manual comes with the program: choose Help Topics or "
    "User Manual on the Help menu.";
/// Tells the user that there is no web site to visit.
void ReportNoWebSite();

/// The folder of the help files: the program folder the installation names, else the folder of
/// the program file.
std::string HelpFilesFolder();
/// The user manual's path, in HelpFilesFolder.
std::string UserManualPath();
/// Opens the user manual. A missing manual is reported with its path.
void OpenUserManual();

/// The page of the user manual's pages, with its section after "#", that tells of the window
/// of that run-time class name or with that caption (a dialog or property sheet), else of a
/// window of that kind (SubViewKind); the contents page when none has a topic. The class counts
/// for windows whose caption names what they show (the record properties box).
std::string HelpTopic(const std::string& caption, int viewKind,
                      const std::string& windowClass = {});
/// Opens the user manual's pages at topic (a page, with "#" and a section when given) through
/// the desktop. Without the pages, the user manual is opened in their place; when it is missing
/// too, the report says first that help is not available.
void OpenHelpTopic(const std::string& topic);

/// The tutorial file of a command (ID_TUTORIAL_...); empty for any other command.
std::string TutorialFileName(UINT commandId);
/// Opens a tutorial file from the "Tutorial Files" folder in HelpFilesFolder, as File Open would;
/// "Unable to open tutorial file" when the file is not there.
void OpenTutorialFile(UINT commandId);
