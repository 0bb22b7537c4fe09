// app/shell/av_doc.h: the framework document of the program's one file, relaying New, Open, Save
// and close to the document's data side and keeping the autosaved copy.
#pragma once

#include "app/shell/autosave.h"
#include "database/document/document_data.h"
#include "database/document/document_windows.h"
#include "platform/base/open_file_lock.h"
#include "platform/ui/frames/document.h"

#include <string>

/// It owns no records: the data set is global. The data side keeps the path, title, modified
/// flag and file format; this class keeps the framework's own copies of path and title in step
/// and lends the data side the windows it needs (progress, records window, title, recent files).
class CAvDoc final : public CDocument, private IDocumentWindows {
public:
    CAvDoc();
    ~CAvDoc() override;

    const CRuntimeClass* GetRuntimeClass() const override;

    BOOL IsModified() override;
    void SetModifiedFlag(BOOL modified = TRUE) override;
    /// Tells every window that the data set goes (kHintDataSetClearing), empties it, tells
    /// them it went (kHintDataSetCleared); the document is then not modified.
    void DeleteContents() override;
    /// An empty untitled file, shown in the records window.
    BOOL OnNewDocument() override;
    /// Loads the GEDCOM file; FALSE when it cannot be loaded (the caller reports it).
    BOOL OnOpenDocument(const char* path) override;
    /// Writes the data set to path; a failure is reported and the file there is left as it was.
    /// A successful save removes the autosaved copies the document wrote or was opened from.
    BOOL OnSaveDocument(const char* path) override;
    /// A save over the file the document names asks first when that file is no longer the one
    /// loaded or last saved (another program, or another run of this one, wrote it since):
    /// Yes saves over it, No saves under another name, Cancel saves nothing.
    BOOL DoSave(const char* path, BOOL replace = TRUE) override;
    /// The question DoSave asks.
    static std::string ChangedOnDiskQuestion(const std::string& path);
    /// The document names path from now on (a save under a new name): the data side, the title
    /// and the recent-file list follow.
    void SetPathName(const std::string& path, BOOL addToRecentList = TRUE) override;
    /// Gives the changes up once the user declined to save them and nothing can cancel any more:
    /// the autosaved copy is removed, so that they are not offered again at the next start, and
    /// the file no longer counts as modified. Until then a declined save keeps both.
    void DiscardChanges();
    /// What opening the file at path meets; a file that does not open is never loaded over the
    /// open file.
    enum class OpenCheck {
        /// It begins as a GEDCOM file does, with a level-0 line, or has an autosaved copy to
        /// offer.
        Opens,
        /// The system does not let it be read (no permission, no such file, a folder).
        Unreadable,
        /// It can be read but is no GEDCOM file (empty, or other text).
        NotGedcom,
    };
    static OpenCheck CheckOpen(const std::string& path);

    /// Loads the autosaved copy of path in place of the file; the document then names path and
    /// is modified, so that saving writes the recovered data over the file. A save keeps the
    /// file's format, in which the copy was written, and takes the file as loaded to be the one
    /// the copy records, so that a file changed since is not overwritten unasked.
    BOOL OpenRecoveryCopy(const std::string& path, const RecoveryCopy& copy);
    /// Loads a copy of the untitled file (UntitledRecoveryName): the document is then untitled
    /// and modified, and the copy stays until the edits are saved or given up.
    BOOL OpenUntitledRecoveryCopy(const RecoveryCopy& copy);
    /// The session ends: the edits of a modified file go to its autosaved copy, those of an
    /// untitled file to the untitled file's copy; a failure is told on the error output.
    bool KeepEditsAtSessionEnd();
    /// Writes the autosaved copy when the file changed since the last autosave: that of the
    /// file, or the untitled file's when it has no path. The copy is this run's own
    /// (OtherRunRecoveryPathFor) when another running program had the file open first. A failure
    /// is reported in a message box the first time, and in the status bar until an autosave
    /// succeeds, or on the error output when nobody is there to answer a box.
    /// True when nothing needed writing or the copy was written.
    bool Autosave(bool askingAllowed = true);
    /// Whether this run marks the file it names as open (another run had it first when not).
    bool HoldsOpenMark() const { return m_mark.Holds(); }

    /// Another file's records were merged into the open one: the views hear of it as of an open,
    /// and the document is modified.
    void TakeMergedFile() { m_data.TakeMergedFile(); }

private:
    // IDocumentWindows.
    void RepaintMainFrame() override;
    void AddToRecentFileList(const std::string& path) override;
    void RefreshMainFrameTitle() override;
    void ShowRecordsWindow(int tab) override;
    IProgress* GetProgress() override;

    /// The Save As dialog, proposing a name beside path that names no file; FALSE when
    /// cancelled or not saved.
    BOOL SaveUnderOtherName(const std::string& path, BOOL replace);
    /// The framework's path and title follow the data side's.
    void TakePathAndTitle();
    /// Loads the copy; false when it cannot be read.
    bool LoadRecoveryCopy(const std::string& copy);
    /// Writes the copy of name; a failure is reported as Autosave says.
    bool WriteCopy(const std::string& name, bool askingAllowed);
    /// The edits no longer need the copies written of them or opened: they go.
    void RemoveOwnCopies();
    /// An autosave failure stays in the status bar until an autosave succeeds (empty).
    static void ShowAutosaveFailure(const std::string& message);
    /// An autosave succeeded or the edits it failed to keep are gone: the failure leaves the
    /// status bar, and the next one is told in a message box again.
    void ForgetAutosaveFailure();
    /// The open mark follows the file the document names.
    void FollowOpenMark();

    CDocumentData m_data;
    /// The data changed since the autosaved copy was written (or since the file was opened).
    bool m_changedSinceAutosave = false;
    /// An autosaved copy is being loaded: its name stays out of the recent-file list.
    bool m_loadingRecoveryCopy = false;
    /// A failed autosave was told in a message box: later failures are only shown in the status
    /// bar, until an autosave succeeds.
    bool m_autosaveFailureTold = false;
    /// The copy this document last wrote, and the one it was opened from; both stay until the
    /// edits are saved or given up.
    std::string m_writtenCopy;
    std::string m_recoveredCopy;
    /// The marks of the named file and of the untitled file's name (taken at its first copy).
    COpenFileLock m_mark;
    COpenFileLock m_untitledMark;
};
