// common/rename_rules.h: the forms that the names of drives, folders and files of the
// external file links must have.
#pragma once

#include <string_view>

/// What is being renamed; any other value stands for a file.
inline constexpr int kRenameFolder = 2, kRenameDrive = 4;

/// The characters a folder or file name cannot hold, in the order the user is told them.
inline constexpr std::string_view kForbiddenNameChars = "\\/:*?\"<>";

/// A local drive is a letter and a colon ("C:"); a network drive is "\\server\share", each part
/// not empty and without a backslash.
bool IsValidDriveName(std::string_view name);
/// Whether the name holds one of kForbiddenNameChars.
bool HasForbiddenNameChar(std::string_view name);
