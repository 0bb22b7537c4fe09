// platform/base/temp_files.h: the per-user temporary folder and files created in it safely.
#pragma once

#include <string>
#include <string_view>

namespace temp_files {

/// $TMPDIR (else /tmp) + "/ardenvel-<uid>", created with mode 0700 when missing. When that name
/// is a link, belongs to another user or is open to others, a new private folder
/// "ardenvel-<uid>-XXXXXX" beside it serves the rest of the run; empty only when none can be made.
std::string Folder();
/// This run's own folder in Folder(), "run-<pid>", made private when missing, for files that
/// each running program keeps apart from the others' (the exception report). The first call
/// removes the folders of runs that are no longer running. Empty when none can be made.
std::string RunFolder();
/// Creates a new empty file prefix + unique part + "." + extension (no dot when extension is
/// empty) in folder, exclusively and without following links; returns its path, empty on failure.
std::string CreateUnique(const std::string& folder, std::string_view prefix,
                         std::string_view extension);
/// Opens path for writing (truncating) without following a symbolic link at the last component;
/// returns a file descriptor or -1.
int OpenNoFollow(const std::string& path);

} // namespace temp_files
