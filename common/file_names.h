// common/file_names.h: pieces of file names; "/" and "\" both count as separators, and a
// drive letter ("A:") is accepted.
#pragma once

#include <string>
#include <string_view>

/// The part before the last separator, with the separator when withSeparator is set; for a name
/// with only a drive before it ("A:name") the drive, with "\" added when withSeparator is set;
/// empty otherwise.
std::string GetPathFolder(std::string_view path, bool withSeparator);
/// The part after the last separator, else after the drive's ":", else the whole path; with
/// withoutExtension the part from the name's last "." on is dropped.
std::string GetPathFileName(std::string_view path, bool withoutExtension);
/// The part of the file name after its last ".", empty when it has none.
std::string GetPathExtension(std::string_view path);
