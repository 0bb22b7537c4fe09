// platform/base/paths.h: path pieces that accept "/", "\" and drive letters, folder lookups
// and the few file-system calls the program makes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace paths {

/// "/" for every "\"; a leading drive letter ("C:") is kept as it is. Paths read from GEDCOM files
/// and profiles pass through this before the file system sees them.
std::string ToNative(std::string_view path);
/// The part before the last separator ("/" or "\"), without it; empty when there is none.
std::string Folder(std::string_view path);
/// The part after the last separator (or drive colon).
std::string FileName(std::string_view path);
/// The part after the last "." of the file name, empty when there is none.
std::string Extension(std::string_view path);
/// folder + "/" + name, without doubling a separator; name alone when folder is empty.
std::string Join(std::string_view folder, std::string_view name);

/// The existing path whose components match path without regard to case ("TREE.G00" finds
/// "tree.g00"); the native form of path itself when it exists or nothing matches.
std::string FindExistingNoCase(std::string_view path);

bool Exists(const std::string& path); // anything at the path
bool IsFile(const std::string& path); // a regular file (following links)
bool IsDirectory(const std::string& path);
bool MakeDirectories(const std::string& folder, unsigned mode = 0755);
bool RemoveFile(const std::string& path); // false when nothing was removed
bool RenameFile(const std::string& from, const std::string& to);
/// Copies bytes and the mode; false when the source cannot be read, the target exists and
/// failIfExists is set, or writing fails (a partial target is removed).
bool CopyFile(const std::string& from, const std::string& to, bool failIfExists);
/// The names (not paths) in folder that match a wildcard pattern ("*" and "?", case-blind),
/// sorted case-blind.
std::vector<std::string> ListFolder(const std::string& folder, std::string_view pattern);

/// The folder of the running program.
std::string ProgramFolder();
/// $XDG_CONFIG_HOME/ardenvel, else ~/.config/ardenvel (not created here).
std::string ConfigFolder();
/// $XDG_DATA_HOME, else ~/.local/share.
std::string DataHome();

} // namespace paths
