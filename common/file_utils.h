// common/file_utils.h: questions to the file system and the program's own location.
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// Whether anything exists at the path.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& folder);
/// Adds to names the file names in the folder of pattern that match its last part ("*" and "?",
/// case-blind), and keeps names sorted case-blind.
void ListDirectory(std::string_view pattern, std::vector<std::string>& names);

/// The folder of the program file.
std::string GetModuleDirectory();
