// app/shell_file_types.h: the desktop's file types: a desktop entry through which the desktop
// opens the program's files with it, the MIME types of those files with their icons, and the
// program as the default application of GEDCOM files.
#pragma once

#include <string>
#include <vector>

/// One icon of a file type, as the desktop's icon theme holds it.
struct ShellFileTypeIcon {
    std::string path;
    std::string bytes;
};

/// The files that register the program's file types, under the user's data folder.
struct ShellFileTypeFiles {
    std::string desktopEntryPath;
    std::string desktopEntry;
    std::string mimePackagePath;
    std::string mimePackage;
    std::vector<ShellFileTypeIcon> icons;
};

/// The files for the program at programPath, under dataHome ($XDG_DATA_HOME). Both types are
/// always defined ("Ardenvel TreeFile" for *.av, "Gedcom File" for *.ged), each with its icon
/// (icons 6 and 7 of the program's resources, left out when missing); the desktop entry claims
/// the GEDCOM type only with registerGedcom. The desktop passes the file to open as the one
/// argument after the program.
ShellFileTypeFiles MakeShellFileTypes(const std::string& programPath, bool registerGedcom,
                                      const std::string& dataHome);
/// Writes each file whose content differs from what is there, so the desktop's caches are not
/// stirred at every start, and with registerGedcom makes the program the default application
/// of GEDCOM files in the user's mimeapps.list (without it, whatever the list says stays).
/// Then, with rebuild and when something was written, the desktop's MIME and application
/// databases are rebuilt with update-mime-database and update-desktop-database, where those
/// tools are installed. False when a file could not be written; the others are still written,
/// and a failure is never shown.
bool RegisterShellFileTypes(const std::string& programPath, bool registerGedcom,
                            bool rebuild = true);
/// list (the text of a mimeapps.list) with desktopId as the default application of type: the
/// type's line in the [Default Applications] group replaced, or added to that group, which is
/// added when missing; every other line stays.
std::string WithDefaultApplication(const std::string& list, const std::string& type,
                                   const std::string& desktopId);
/// path as one argument of a desktop entry's Exec key: quoted when it holds a blank or another
/// reserved character, with its escapes.
std::string DesktopExecArgument(const std::string& path);
/// The running program's file.
std::string ProgramPath();
