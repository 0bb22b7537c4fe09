// app/shell_file_types.h: the desktop's file types: a desktop entry through which the desktop
// opens the program's files with it, and the MIME types of those files.
#pragma once

#include <string>

/// The two files that register the program's file types, under the user's data folder.
struct ShellFileTypeFiles {
    std::string desktopEntryPath;
    std::string desktopEntry;
    std::string mimePackagePath;
    std::string mimePackage;
};

/// The files for the program at programPath, under dataHome ($XDG_DATA_HOME). Both types are
/// always defined ("Ardenvel TreeFile" for *.av, "Gedcom File" for *.ged); the desktop entry
/// claims the GEDCOM type only with registerGedcom. The desktop passes the file to open as the
/// one argument after the program.
ShellFileTypeFiles MakeShellFileTypes(const std::string& programPath, bool registerGedcom,
                                      const std::string& dataHome);
/// Writes each file whose content differs from what is there, so the desktop's caches are not
/// stirred at every start. False when a file could not be written; the others are still
/// written, and a failure is never shown.
bool RegisterShellFileTypes(const std::string& programPath, bool registerGedcom);
/// path as one argument of a desktop entry's Exec key: quoted when it holds a blank or another
/// reserved character, with its escapes.
std::string DesktopExecArgument(const std::string& path);
/// The running program's file.
std::string ProgramPath();
