// app/backup_restore.cpp: choosing the names, checking them, and telling the user how a backup
// or a restore went.
#include "app/backup_restore.h"

#include "app/av_app.h"
#include "app/backup_prompt_dlg.h"
#include "app/shell/av_doc.h"
#include "common/backup_archive.h"
#include "common/file_names.h"
#include "common/file_utils.h"
#include "common/preferences.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/data_node.h"
#include "database/records/record_id_state.h"
#include "platform/base/ole_date_time.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/dialogs/file_dialog.h"

#include <cstring>
#include <string>

namespace {

constexpr const char* kBackupFilter = "Zipped File (*.zip)|*.zip|GEDCOM File (*.ged)|*.ged||";
constexpr const char* kGedcomFilter = "GEDCOM File (*.ged)|*.ged||";
constexpr const char* kReplaceWarning =
    "CAREFUL!  Please read this message carefully in its entirety.  If in doubt, you should "
    "cancel now!\n\nIf you proceed, the restored file will replace your current file.  Are you "
    "quite sure you want to do this? The current file will effectively be deleted and you will "
    "not be able to recover it (unless you have backed it up).\n\nIf you are not quite sure you "
    "know what you are doing, you should press 'Cancel' now.";

/// The file dialog of backups and restores: its title is set, and its first folder only when
/// that folder exists.
class CSaveBackupDlg final : public CFileDialog {
public:
    CSaveBackupDlg(const std::string& title, const std::string& initialFolder, BOOL openDialog,
                   const char* defaultExt, const std::string& fileName, DWORD flags,
                   const char* filter, CWnd* parent)
        : CFileDialog(openDialog, defaultExt, fileName.empty() ? nullptr : fileName.c_str(),
                      flags | OFN_HIDEREADONLY, filter, parent)
    {
        SetTitle(title);
        if (!initialFolder.empty() && DirectoryExists(initialFolder))
            SetInitialFolder(initialFolder);
    }
};

CAvDoc* Document()
{
    CAvApp* app = GetAvApp();
    return app ? app->GetDocument() : nullptr;
}

void Tell(const std::string& text)
{
    MessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

/// message, then the system's reason for error as a sentence ("No space left on device."), when
/// one is known.
std::string WithReason(std::string message, int error)
{
    if (error != 0)
        message += std::string("  ") + std::strerror(error) + ".";
    return message;
}

/// The chosen name of a file to write, or empty when the user cancelled.
std::string AskTarget(const std::string& title, const std::string& folder, const char* extension,
                      const std::string& fileName, const char* filter, CWnd* owner)
{
    CSaveBackupDlg dialog(title, folder, FALSE, extension, fileName,
                          OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST, filter, owner);
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : std::string();
}

/// Whether the user allows the restore to go on; replacing tells whether it writes over the
/// open file.
bool MayRestoreTo(const std::string& source, const std::string& target, bool& replacing)
{
    if (IsSameFile(target, source)) {
        Tell("You cannot restore a backup file onto itself.");
        return false;
    }
    const CAvDoc* doc = Document();
    replacing = doc && !doc->GetPathName().empty() && IsSameFile(target, doc->GetPathName());
    return !replacing || MessageBox(kReplaceWarning, MB_OKCANCEL | MB_ICONSTOP) == IDOK;
}

/// Loads the restored file, at once when it replaced the open file, else when the user wishes.
void FinishRestore(const std::string& target, bool replacing)
{
    CAvApp* app = GetAvApp();
    CAvDoc* doc = Document();
    if (!app || !doc)
        return;
    if (replacing) {
        MessageBox("Restore has completed successfully.  The restored file will now be loaded.",
                   MB_OK | MB_ICONINFORMATION);
        doc->SetModifiedFlag(FALSE);
    } else if (MessageBox("Restore completed.  Do you wish to open the file you restored?",
                          MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        return;
    }
    app->OpenDocumentFile(target.c_str());
}

void RestorePlain(const std::string& source, CWnd* owner)
{
    std::string folder = Prefs().m_startupDirectory;
    std::string name = folder;
    if (!name.empty() && !name.ends_with('/') && !name.ends_with('\\'))
        name += '/';
    name += GetPathFileName(source, true);
    const std::string target =
        AskTarget("Enter Restore File Name", folder, "ged", name, kGedcomFilter, owner);
    bool replacing = false;
    if (target.empty() || !MayRestoreTo(source, target, replacing))
        return;
    if (int error = 0; !CopyFileSafely(source, target, &error)) {
        Tell(WithReason("An error has occurred.  Unable to restore.", error));
        return;
    }
    FinishRestore(target, replacing);
}

const char* RestoreFailure(RestoreResult result)
{
    switch (result) {
    case RestoreResult::CannotWrite:
        return "Restore failed.  Unable to write to file specified.";
    case RestoreResult::EntryUnreadable:
        return "Restore failed.  A file error has occurred with the zipped file.";
    case RestoreResult::DataError:
        return "Restore failed.  An error has occurred.";
    case RestoreResult::NoSpace:
        return "Restore failed.  There is not enough disk space for the restored file.";
    case RestoreResult::WriteFailed:
    case RestoreResult::Ok:
        break;
    }
    return "Restore failed.  Unknown error.";
}

void RestoreZip(const std::string& source, CWnd* owner)
{
    constexpr const char* kNoEntry =
        "The zip file holds no backed-up file.  Nothing has been restored.";
    CZipBackupReader reader;
    switch (reader.Open(source)) {
    case CZipBackupReader::OpenResult::NoEntry:
        Tell(kNoEntry);
        return;
    case CZipBackupReader::OpenResult::Unreadable:
        Tell("Unable to open zip file.  Cannot restore.");
        return;
    case CZipBackupReader::OpenResult::Ok:
        break;
    }
    std::string storedName;
    switch (reader.GoToFirstEntry(storedName)) {
    case CZipBackupReader::EntryResult::NoEntry:
        Tell(kNoEntry);
        return;
    case CZipBackupReader::EntryResult::Empty:
        Tell("The file in the zip file is empty.  Nothing has been restored.");
        return;
    case CZipBackupReader::EntryResult::OutsideFolder:
        Tell("The file in the zip file is named " + storedName +
             ", which leads outside the folder it is restored to.  Nothing has been restored.");
        return;
    case CZipBackupReader::EntryResult::Error:
        Tell("An error has occurred.  Unable to restore.");
        return;
    case CZipBackupReader::EntryResult::Ok:
        break;
    }
    // A stored folder that is not the user's own is never proposed; the backup folder is.
    const RestoreProposal proposal = ProposeRestoreTarget(storedName);
    const std::string folder =
        proposal.folder.empty() ? Prefs().m_backupDirectory : proposal.folder;
    const std::string target =
        AskTarget("Enter Restore File Name", folder, "ged", proposal.title, kGedcomFilter, owner);
    bool replacing = false;
    if (target.empty() || !MayRestoreTo(source, target, replacing))
        return;
    RestoreResult result;
    {
        const CWaitCursor wait;
        result = reader.ExtractEntryTo(target);
        reader.Close();
    }
    if (result != RestoreResult::Ok) {
        Tell(RestoreFailure(result));
        return;
    }
    FinishRestore(target, replacing);
}

bool BackUpAsZip(const std::string& openPath, const std::string& target)
{
    ZipBackupResult result;
    int error = 0;
    {
        const CWaitCursor wait;
        result = WriteZipBackup(openPath, target, &error);
    }
    switch (result) {
    case ZipBackupResult::Ok:
        return true;
    case ZipBackupResult::SourceUnreadable:
        Tell("Error reading file.  Cannot perform backup.");
        return false;
    case ZipBackupResult::ArchiveUnopenable:
        Tell(WithReason("Unable to open zip file.  Cannot perform backup.", error));
        return false;
    case ZipBackupResult::Failed:
        break;
    }
    Tell(error ? WithReason("Backup failed.", error) : "Backup failed.  Unknown error.");
    return false;
}

bool HoldsMoreThanHeader()
{
    for (int type = 0; type < RECORD_TYPE_COUNT; ++type) {
        const CDataNode* root = GetRecordTypeRoot(type);
        if (type != RECORD_LIST_HEAD && root && root->GetFirstChild())
            return true;
    }
    return false;
}

} // namespace

bool CanBackup()
{
    const CAvDoc* doc = Document();
    return doc && !doc->GetPathName().empty();
}

void RunBackup(CWnd* owner)
{
    CAvDoc* doc = Document();
    if (!doc) {
        Tell("Application error.");
        return;
    }
    if (doc->IsModified() && !doc->SaveModified())
        return;
    if (!doc->GetPathName().empty())
        DoBackup(true, owner);
}

bool DoBackup(bool announce, CWnd* owner)
{
    const CAvDoc* doc = Document();
    if (!doc || doc->GetPathName().empty()) {
        Tell("Application error.");
        return false;
    }
    const std::string openPath = doc->GetPathName();
    const Preferences& prefs = Prefs();
    const std::string name =
        DefaultBackupName(prefs.m_backupDirectory, openPath, COleDateTime::GetCurrentTime());
    const std::string target = AskTarget("Enter Backup File Name", prefs.m_backupDirectory, "zip",
                                         name, kBackupFilter, owner);
    if (target.empty())
        return false;
    if (IsSameFile(target, openPath)) {
        Tell("You cannot backup the current file onto itself.");
        return false;
    }
    const std::string extension = GetPathExtension(target);
    bool done = false;
    if (text::EqualsNoCase(extension, "zip")) {
        done = BackUpAsZip(openPath, target);
    } else {
        if (!text::EqualsNoCase(extension, "ged") &&
            MessageBox("Specified file type is neither \".zip\" nor \".ged\".  File will be copied "
                       "to the backup folder, but will not be zipped.",
                       MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return false;
        int error = 0;
        done = CopyFileSafely(openPath, target, &error);
        if (!done)
            Tell(WithReason("An error has occurred.  Backup failed.", error));
    }
    if (done && announce)
        MessageBox("Backup completed.", MB_OK | MB_ICONINFORMATION);
    return done;
}

void RunRestore(CWnd* owner)
{
    if (!Document()) {
        Tell("Application error.");
        return;
    }
    CSaveBackupDlg dialog("Select File to Restore", Prefs().m_backupDirectory, TRUE, nullptr, {}, 0,
                          kBackupFilter, owner);
    if (dialog.DoModal() != IDOK)
        return;
    const std::string source = dialog.GetPathName();
    const std::string extension = GetPathExtension(source);
    if (text::EqualsNoCase(extension, "zip")) {
        RestoreZip(source, owner);
    } else if (text::EqualsNoCase(extension, "ged") ||
               MessageBox("Specified file type is neither \".zip\" nor \".ged\".  File will be "
                          "treated as unzipped, and restored 'asis'.",
                          MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
        RestorePlain(source, owner);
    }
}

bool OfferBackupOnClose(CWnd* owner)
{
    Preferences& prefs = Prefs();
    CAvDoc* doc = Document();
    if (!prefs.m_backupPrompt || !doc || doc->GetPathName().empty() || !HoldsMoreThanHeader())
        return true;
    CBackupPromptDlg dialog(owner);
    dialog.m_path = doc->GetPathName();
    const int answer = dialog.DoModal();
    if (answer == IDCANCEL)
        return false;
    if (answer != IDYES && answer != IDNO)
        return true;
    if (!dialog.m_alwaysPrompt) {
        prefs.m_backupPrompt = false;
        SavePreferences();
    }
    if (answer == IDYES)
        DoBackup(false, owner);
    return true;
}
