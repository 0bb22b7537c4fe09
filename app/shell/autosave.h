// app/shell/autosave.h: the autosaved copy of the open file: where it lies, writing it, finding a
// newer one and removing it.
#pragma once

#include <string>

/// The copy lies beside the file, named after it with ".autosave" added, so that an autosave
/// never writes over the user's own file and the file picker's GEDCOM filter does not list it.
std::string RecoveryPathFor(const std::string& path);
/// Writes the whole data set to the copy of path (UTF-8, written beside it and renamed, like any
/// save), making its folder when it is missing; false with error filled in on failure, when the
/// copy is left as it was.
bool WriteRecoveryCopy(const std::string& path, std::string& error);
/// Whether path has a copy that was written after the file last changed (or the file is gone).
bool HasNewerRecoveryCopy(const std::string& path);
void RemoveRecoveryCopy(const std::string& path);
/// The question that offers the copy when a file is opened.
std::string RecoveryQuestion(const std::string& path);
/// What the user is told when the copy of path they asked for cannot be read: the copy stays.
std::string UnreadableRecoveryCopyMessage(const std::string& path);

/// The name that stands for an untitled file, in the user's data folder: the edits of an
/// untitled file go to its copy (RecoveryPathFor) when the session ends, and the functions
/// above serve it as they serve a file that is not there.
std::string UntitledRecoveryName();
/// The question that offers the untitled file's copy at the start.
std::string UntitledRecoveryQuestion();
