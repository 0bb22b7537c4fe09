// platform/base/safe_file.h: a file written beside its target and renamed over it only when it
// is complete, so a failed save never damages the file that was there.
#pragma once

#include "platform/base/file.h"

#include <string>
#include <string_view>

class CSafeFile final : public CFile {
public:
    CSafeFile() = default;
    /// An uncommitted file is discarded: the target stays as it was.
    ~CSafeFile() override;

    /// Creates a temporary file ".<name>.ardenvel-XXXXXX" in the folder of path's target (a
    /// symbolic link is followed, so the link survives the save), with the target's mode, or
    /// read-write for all less the umask for a new file. Temporary files of that pattern that a
    /// killed save left there (the user's own, untouched for ten minutes) are removed first.
    /// A target that is there but that this process may not write (read-only), or that is no
    /// regular file, is refused: a save never replaces what the user could not change in place.
    /// False with error filled in (when given) on failure.
    BOOL OpenBeside(const std::string& path, CFileException* error = nullptr);
    /// Writes every byte or throws CFileException; the error is kept for LastError.
    void Write(const void* buffer, UINT count) override;
    /// Flushes to the device, closes and renames over the target. False, with the temporary file
    /// removed and the target untouched, when any step fails; osError (when given) is then the
    /// system's error number, 0 when it gave none.
    bool Commit(int* osError = nullptr);
    /// Closes and removes the temporary file; the target is untouched.
    void Discard();

    /// The file a commit replaces.
    const std::string& TargetPath() const { return m_target; }
    /// The system's error code of the last step that failed (open, write, commit); 0 when none.
    int LastError() const { return m_lastError; }
    /// The system's reason for the last failure, as a sentence ("No space left on device.").
    std::string LastErrorText() const;

    /// Writes content to path through a safe file; false when anything failed, with osError (when
    /// given) the system's error number, 0 when it gave none.
    static bool WriteWhole(const std::string& path, std::string_view content,
                           int* osError = nullptr);
    /// Removes every temporary file of the program's pattern in folder that a killed save left
    /// (the user's own, untouched for ten minutes), whatever file it was meant for.
    static void RemoveStaleTemporariesIn(const std::string& folder);
    /// The longest file name, in bytes, that OpenBeside can save: the temporary file's name is
    /// longer than its target's, and a folder takes names of at most 255 bytes.
    static std::size_t LongestFileName();

private:
    std::string m_target;
    int m_lastError = 0;
};
