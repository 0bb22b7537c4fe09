// common/whole_file.h: reading and writing whole files, removing files, and new
// temporary files.
#pragma once

#include <string>
#include <string_view>

/// Reads the whole file into content. False, with content empty, when the file cannot be opened,
/// is empty or cannot be read.
bool ReadWholeFile(const std::string& path, std::string& content);
/// Writes bytes beside the file and puts them in its place once they are all written, so that a
/// failure (a full disk) leaves the file that was there whole; false when anything failed or
/// the file is read-only.
bool WriteWholeFile(const std::string& path, std::string_view bytes);
/// Deletes a file; every error is ignored.
void RemoveFile(const std::string& path);
/// Creates a new empty file named "~av" + a unique part + "." + extension (".tmp" when extension
/// is empty) in the per-user temporary folder and sets path to it; false, with path empty, when
/// no file could be made.
bool MakeTempFile(std::string_view extension, std::string& path);
