// database/document/document_data.h: the data side of the program's one document: the open file's
// path, title and modified flag, and the steps that clear, create, open and save files.
#pragma once

#include "database/gedcom/gedcom_file_format.h"
#include "database/nodes/change_hint.h"
#include "platform/base/file_identity.h"

#include <cstdint>
#include <future>
#include <optional>

#include <string>

class IDocumentWindows;

/// The title of the file at path: the text after the last "\" or "/", else after the last ":"
/// (a drive), else the whole path.
std::string TitleFromPath(const std::string& path);

/// The document owns no records: the data set is global and lives for the whole run. What the
/// document carries is what names the open file and whether it holds unsaved changes, plus the
/// file format a save keeps. Each step that replaces the data set announces itself through the
/// data set's observer, as the rest of the program expects: kHintDataSetClearing before the data
/// set is cleared, kHintDataSetCleared once it is, kHintFileLoaded once a file is loaded (sender
/// and object null, modify false). The application shell's framework document relays its New, Open,
/// save and close steps here and installs the window side.
class CDocumentData final {
public:
    /// windows may be null: the window-side steps are then left out.
    explicit CDocumentData(IDocumentWindows* windows = nullptr);

    /// Empty for a file never saved.
    const std::string& GetPathName() const { return m_pathName; }
    const std::string& GetTitle() const { return m_title; }
    /// The document now names path: it joins the recent-file list and the title is taken from
    /// it (the main frame is not told; the callers do that when their step is complete).
    void SetPathName(const std::string& path);
    /// Forgets the path; the title becomes "Untitled".
    void ForgetPathName();

    bool IsModified() const { return m_modified; }
    /// The broadcast of an edit that asks for it marks the document modified.
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    /// Clears the data set between kHintDataSetClearing and kHintDataSetCleared; the document is
    /// then not modified.
    void DeleteContents();
    /// An empty untitled file in UTF-8, not modified, shown in the records window.
    void NewDocument();
    /// Clears the data set (as DeleteContents) and loads the GEDCOM file at path with the main
    /// frame's progress. On success the document names path, is modified only when the load
    /// changed data (updated links to external files), kHintFileLoaded is broadcast and the records
    /// window shows its first tab. False when the file could not be loaded: the caller shows
    /// LoadErrorMessage(path) and starts a new file. The data set then holds what was read, and
    /// the document names no file, so that no save can write that part over the file the
    /// document named before.
    bool OpenDocument(const std::string& path);
    /// Writes the whole data set to path as a GEDCOM file in the format it was read in, and
    /// clears the modified flag. On failure the answer is false, error says why and the file at
    /// path is left as it was. The path the document names does not change here (a save under
    /// a new name sets it afterwards).
    /// A save also takes the identity of the file written as the one loaded.
    bool SaveDocument(const std::string& path, std::string& error);

    /// The file format a save keeps; a recovered copy takes that of the file it was made from.
    const GedcomFileFormat& GetFormat() const { return m_format; }
    void SetFormat(const GedcomFileFormat& format) { m_format = format; }
    /// The identity of the named file as it was loaded or last saved; nothing for a new file.
    /// Its digest is worked out on another processor after the load or save; this waits for it.
    const std::optional<FileIdentity>& GetLoadedIdentity() const;
    void SetLoadedIdentity(const std::optional<FileIdentity>& identity);
    /// Whether the file the document names is no longer the one it loaded or last saved: another
    /// program (or another run of this one) wrote it since. A file that is gone is not changed.
    bool IsChangedOnDisk() const;
    /// Another file's records were merged into the data set in place: kHintDataSetClearing and
    /// kHintFileLoaded go out, as after an open, and the document is modified.
    void TakeMergedFile();

private:
    void Broadcast(ChangeHint hint) const;
    /// Takes path's identity now and starts working out its digest.
    void TakeIdentity(const std::string& path);
    /// Waits for the digest being worked out, if any, and puts it in the identity.
    void SettleIdentity() const;
    IDocumentWindows* m_windows;
    std::string m_pathName;
    std::string m_title;
    GedcomFileFormat m_format;
    mutable std::optional<FileIdentity> m_identity;
    /// The digest of m_identity's file while it is being worked out.
    mutable std::future<std::optional<std::uint64_t>> m_digest;
    bool m_modified = false;
};
