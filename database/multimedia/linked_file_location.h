// database/multimedia/linked_file_location.h: where a linked file is looked for: a stored name
// without a root is taken against the folder of the GEDCOM file that is open.
#pragma once

#include <string>
#include <string_view>

/// The open GEDCOM file is now path (empty for an untitled file). Its folder is made absolute
/// here, so that a later change of the current folder does not move the linked files.
void SetLinkedFileFolder(const std::string& gedcomPath);
/// The absolute folder of the open GEDCOM file; empty for an untitled file.
const std::string& GetLinkedFileFolder();

/// Whether a stored name is an address with a scheme ("http:", "mailto:", "file:" and the like: a
/// letter, one or more letters, digits, "+", "-" or ".", then ":") rather than a file name. A
/// single letter before ":" is a drive. Leading blanks are passed over.
bool IsUrlLink(std::string_view storedName);

/// The path at which the file that a stored name names is opened, checked or read. A name with a
/// root ("/", "\", a drive "C:" or a network name) stands as it is; any other name is taken
/// against the open file's folder (against the current folder for an untitled file). "\" counts
/// as "/", and the folders and file are matched without regard to case when the exact name does
/// not exist. An address (IsUrlLink) is handed back as stored. What the file stores is not
/// changed.
std::string LinkedFileLocation(std::string_view storedName);
