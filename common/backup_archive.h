// common/backup_archive.h: backups of a file as a zip archive holding it as one deflated entry
// or as a plain copy, and restoring from either; every file is written beside its target and
// takes its place only when complete, so a failure never leaves a damaged file behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class COleDateTime;

/// The comment of a backup archive's entry.
inline constexpr const char* kBackupEntryComment = "Ardenvel Backup";
/// The longest stored entry name read back from an archive, in bytes.
inline constexpr std::size_t kMaxStoredNameLength = 999;

/// The name proposed for a backup of openFile, without extension: the backup folder (with a
/// "/" added when it is not empty and ends in no separator), the file's name without folder and
/// extension, and the date as " - 06 Dec 2026".
std::string DefaultBackupName(std::string_view backupFolder, std::string_view openFile,
                              const COleDateTime& now);

/// Whether two paths name one file: equal without regard to case, or the same file on disk
/// (through links or another spelling of the path).
bool IsSameFile(const std::string& a, const std::string& b);

/// Copies source to target, replacing what is there only once the copy is complete; false when
/// anything failed (a read-only target is refused), the target then being as it was, with the
/// system's error code in error when given.
bool CopyFileSafely(const std::string& source, const std::string& target, int* error = nullptr);

enum class ZipBackupResult {
    Ok,
    SourceUnreadable,  // missing, unreadable or empty
    ArchiveUnopenable, // no file could be made where the archive goes
    Failed,            // compressing or writing failed
};

/// Writes archive as a new zip archive holding the bytes of source as its one entry, with the
/// backup comment: named by the file's own name (no folder, so that any unzip program puts it
/// in the folder it extracts to), dated with the file's last change, a plain file readable by
/// all and written by its owner, deflated at the default level, no extra fields, an empty
/// archive comment. A file already at archive is replaced only by a complete archive, and never
/// when it is read-only. When the archive could not be made or written, error (when given)
/// holds the system's error code, 0 when none is known.
ZipBackupResult WriteZipBackup(const std::string& source, const std::string& archive,
                               int* error = nullptr);

enum class RestoreResult {
    Ok,
    CannotWrite,     // the target could not be made or put in place
    EntryUnreadable, // the entry cannot be opened (unknown method, damaged header)
    DataError,       // a read failed, the checksum or the declared size did not match
    NoSpace,         // the declared size exceeds the space left beside the target
    WriteFailed,     // writing the target failed part-way
};

/// Reads the first entry of an archive. The entry's stored name never decides where anything
/// is written: only the target the caller gives does, and a target is replaced only by a
/// complete entry whose size and checksum agree with what the archive declares.
class CZipBackupReader final {
public:
    enum class OpenResult { Ok, NoEntry, Unreadable };
    /// Empty: the archive's file is empty (a restore would leave an empty GEDCOM file).
    /// OutsideFolder: its name has a ".." step, so that it would be extracted outside the folder
    /// it is restored to; it is never restored.
    enum class EntryResult { Ok, NoEntry, Empty, OutsideFolder, Error };

    CZipBackupReader() = default;
    ~CZipBackupReader();
    CZipBackupReader(const CZipBackupReader&) = delete;
    CZipBackupReader& operator=(const CZipBackupReader&) = delete;

    /// NoEntry for an archive that lists no entries; Unreadable when the file is missing, is no
    /// regular file (a folder, a pipe) or is no zip archive.
    OpenResult Open(const std::string& path);
    /// Goes to the first entry that is a file (folder entries, "name/", are passed over) and
    /// gives its stored name (up to kMaxStoredNameLength bytes, cut at a zero byte). Reads zip64
    /// archives as well. NoEntry when the archive holds no file, Empty when that file is empty,
    /// OutsideFolder when its name leads out of the folder.
    EntryResult GoToFirstEntry(std::string& storedName);
    /// Writes the current entry's content to target.
    RestoreResult ExtractEntryTo(const std::string& target);
    void Close();

private:
    void* m_archive = nullptr;
    bool m_positioned = false;
    std::uint64_t m_declaredSize = 0;
};

/// The folder and the file title (name without extension) that a stored entry name proposes
/// for the restored file. Only a folder of the user's own is proposed: an existing folder named
/// by an absolute path inside the home folder ($HOME), without a ".." part; a title of "." or
/// ".." is none.
struct RestoreProposal {
    std::string folder;
    std::string title;
};
RestoreProposal ProposeRestoreTarget(std::string_view storedName);
