// app/shell/autosave.h: the autosaved copy of the open file: where it lies, writing it, finding
// one to offer and removing it.
#pragma once

#include "database/gedcom/gedcom_file_format.h"
#include "platform/base/file_identity.h"

#include <optional>
#include <string>

/// The copy lies beside the file, named after it with ".autosave" added, so that an autosave
/// never writes over the user's own file and the file picker's GEDCOM filter does not list it.
/// This is the copy of the run that holds the file's open mark (COpenFileLock).
std::string RecoveryPathFor(const std::string& path);
/// The copy of a run that has path open without its mark (another run had it open first):
/// ".autosave-" and the process id, so that two runs never write or remove each other's copy.
std::string OtherRunRecoveryPathFor(const std::string& path);
/// Writes the whole data set to copy, beside the file path, in format (the file's own character
/// set and line ends) and, beside the copy, what it records of the file it was made from: the
/// identity of that file when it was loaded or last saved (none for an untitled or new file).
/// Makes the folder when it is missing. False with error filled in on failure, when the copy is
/// left as it was.
bool WriteRecoveryCopy(const std::string& copy, const GedcomFileFormat& format,
                       const std::optional<FileIdentity>& source, std::string& error);
/// Removes a copy and what it records.
void RemoveRecoveryCopyFile(const std::string& copy);
/// Removes the copy of path that RecoveryPathFor names.
void RemoveRecoveryCopy(const std::string& path);

/// A copy of path that no running program writes, to offer when path is opened.
struct RecoveryCopy {
    std::string copy;
    /// The identity the file had when the copy's data was loaded from it; nothing when the copy
    /// records none (a copy of an untitled file, or one written before copies recorded it).
    std::optional<FileIdentity> source;
    /// The file is no longer the one the copy was made from: saved or changed since.
    bool fileChangedSince = false;
};
/// The copy to offer when path is opened: the newest of the copies of runs that no longer run
/// (RecoveryPathFor unless a running program holds the file's mark, and those of other runs
/// whose process ended). A copy that records its source is offered whatever the file's times
/// say; one that does not is offered when it is newer than the file, or the file is gone.
std::optional<RecoveryCopy> FindRecoveryCopy(const std::string& path);

/// What opening path asks when another running program (process pid) has it open.
std::string OpenElsewhereQuestion(const std::string& path, int pid);
/// The question that offers the copy when a file is opened.
std::string RecoveryQuestion(const std::string& path, bool fileChangedSince = false);
/// What the user is told when the copy of path they asked for (copy, RecoveryPathFor when
/// empty) cannot be read: the copy stays.
std::string UnreadableRecoveryCopyMessage(const std::string& path, const std::string& copy = {});

/// The name that stands for an untitled file, in the user's data folder: the edits of an
/// untitled file go to its copy (RecoveryPathFor) when it is autosaved and when the session
/// ends, and the functions above serve it as they serve a file that is not there.
std::string UntitledRecoveryName();
/// The question that offers the untitled file's copy at the start.
std::string UntitledRecoveryQuestion();
