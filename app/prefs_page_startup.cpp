// app/prefs_page_startup.cpp: the Miscellaneous page of the preferences.
#include "app/prefs_dlg.h"

#include "common/file_utils.h"
#include "platform/base/paths.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/file_dialog.h"
#include "platform/ui/dialogs/folder_dialog.h"
#include "platform/ui/frames/menu.h"

#include <unistd.h>

namespace {

constexpr UINT kTemplate = 376;
constexpr int kDefaultFileEdit = 1628, kStartupFolderEdit = 1536, kBackupFolderEdit = 1537;
constexpr int kDefaultFileButton = 1626, kStartupFolderButton = 1627, kBackupFolderButton = 1630;
constexpr int kHideSplashBox = 1629, kAutosaveBox = 1781, kMinutesEdit = 1782, kMinutesLabel = 1783,
              kMinutesUnitLabel = 1784, kBackupPromptBox = 1785, kUpperSurnamesBox = 1786,
              kFatherSurnameBox = 1787, kRegisterGedcomBox = 1788;
constexpr UINT kUseCurrentFile = 2001, kBrowse = 2002;

constexpr const char* kFileFilter = "Ardenvel files (*.ged)|*.ged|All Files (*.*)|*.*||";

/// Whether the process could make the folder its current folder.
bool CanEnterFolder(const std::string& folder)
{
    return paths::IsDirectory(folder) && access(folder.c_str(), X_OK) == 0;
}

} // namespace

CPrefsPageStartup::CPrefsPageStartup(CPrefsDlg& sheet) : CPropertyPage(kTemplate), m_sheet(sheet)
{
    for (const int box : {kHideSplashBox, kBackupPromptBox, kUpperSurnamesBox, kFatherSurnameBox,
                          kRegisterGedcomBox})
        MapCommand(UINT(box), [this] { SetModified(); });
    MapCommand(kAutosaveBox, [this] {
        SetModified();
        ApplyAutosaveRule();
    });
    for (const int edit : {kDefaultFileEdit, kStartupFolderEdit, kBackupFolderEdit, kMinutesEdit})
        MapNotify(UINT(edit), EN_CHANGE, [this] { SetModified(); });
    MapCommand(kDefaultFileButton, [this] { OnSelectDefaultFile(); });
    MapCommand(kStartupFolderButton, [this] { OnSelectStartupFolder(); });
    MapCommand(kBackupFolderButton, [this] { OnSelectBackupFolder(); });
}

BOOL CPrefsPageStartup::OnInitDialog()
{
    const Preferences& prefs = m_sheet.Edited();
    m_defaultFile = prefs.m_defaultFile;
    m_startupFolder = prefs.m_startupDirectory;
    m_backupFolder = prefs.m_backupDirectory;
    m_hideSplash = prefs.m_hideSplashPanel;
    m_autosaveMinutes = prefs.m_autosaveMinutes >= 1 ? UINT(prefs.m_autosaveMinutes) : 5;
    m_autosave = prefs.m_enableAutosave;
    m_backupPrompt = prefs.m_backupPrompt;
    m_upperSurnames = prefs.m_surnamesInUpperCase;
    m_fatherSurname = prefs.m_autoAddSurnames;
    m_registerGedcom = prefs.m_registerForGedcom;
    CPropertyPage::OnInitDialog();
    ApplyAutosaveRule();
    return TRUE;
}

void CPrefsPageStartup::DoDataExchange(CDataExchange& dx)
{
    dx.Text(kDefaultFileEdit, m_defaultFile);
    dx.Text(kStartupFolderEdit, m_startupFolder);
    dx.Text(kBackupFolderEdit, m_backupFolder);
    dx.Check(kHideSplashBox, m_hideSplash);
    dx.Check(kAutosaveBox, m_autosave);
    dx.Text(kMinutesEdit, m_autosaveMinutes);
    dx.Check(kBackupPromptBox, m_backupPrompt);
    dx.Check(kUpperSurnamesBox, m_upperSurnames);
    dx.Check(kFatherSurnameBox, m_fatherSurname);
    dx.Check(kRegisterGedcomBox, m_registerGedcom);
    if (dx.m_bSaveAndValidate)
        CheckPaths(dx);
}

/// The start-up folder is only checked here; the sheet changes to it when OK has passed every
/// page, so Cancel leaves the current folder alone.
void CPrefsPageStartup::CheckPaths(CDataExchange& dx)
{
    m_defaultFile = text::Trim(m_defaultFile);
    m_startupFolder = text::Trim(m_startupFolder);
    m_backupFolder = text::Trim(m_backupFolder);
    const auto fail = [&dx](int id, const char* message, UINT style) {
        dx.PrepareCtrl(id);
        MessageBox(message, style);
        dx.Fail();
    };
    if (!m_defaultFile.empty() && !FileExists(m_defaultFile))
        fail(kDefaultFileEdit, "Default File was not found.", MB_OK | MB_ICONEXCLAMATION);
    if (!m_startupFolder.empty() && !CanEnterFolder(m_startupFolder))
        fail(kStartupFolderEdit, "Startup folder was not found.", MB_OK | MB_ICONEXCLAMATION);
    if (!m_backupFolder.empty() && m_backupFolder != m_keptBackupFolder &&
        !DirectoryExists(m_backupFolder)) {
        dx.PrepareCtrl(kBackupFolderEdit);
        if (MessageBox("Default backup folder was not found.  Keep it anyway?",
                       MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            dx.Fail();
        m_keptBackupFolder = m_backupFolder;
    }
    if (m_autosave && m_autosaveMinutes == 0)
        fail(kMinutesEdit, "If Autosave is enabled, the Auto-save Period must be greater than 0.",
             MB_OK | MB_ICONEXCLAMATION);
}

void CPrefsPageStartup::ApplyAutosaveRule()
{
    const bool enable = IsDlgButtonChecked(kAutosaveBox) == BST_CHECKED;
    for (const int id : {kMinutesEdit, kMinutesLabel, kMinutesUnitLabel})
        if (CWnd* wnd = GetDlgItem(id))
            wnd->EnableWindow(enable);
}

BOOL CPrefsPageStartup::OnApply()
{
    return UpdateData(TRUE) && CPropertyPage::OnApply();
}

void CPrefsPageStartup::OnOK()
{
    Preferences& prefs = m_sheet.Edited();
    prefs.m_defaultFile = m_defaultFile;
    prefs.m_startupDirectory = m_startupFolder;
    prefs.m_backupDirectory = m_backupFolder;
    prefs.m_hideSplashPanel = m_hideSplash != FALSE;
    prefs.m_enableAutosave = m_autosave != FALSE;
    prefs.m_autosaveMinutes = int(m_autosaveMinutes);
    prefs.m_backupPrompt = m_backupPrompt != FALSE;
    prefs.m_surnamesInUpperCase = m_upperSurnames != FALSE;
    prefs.m_autoAddSurnames = m_fatherSurname != FALSE;
    prefs.m_registerForGedcom = m_registerGedcom != FALSE;
    m_sheet.SetFolderToEnter(m_startupFolder);
}

UINT CPrefsPageStartup::TrackSelectMenu(int buttonId, const char* currentFileItem)
{
    const std::string openFile = text::Trim(m_sheet.GetOpenFilePath());
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return 0;
    menu.AppendMenu(MF_STRING | (openFile.empty() ? MF_GRAYED : MF_ENABLED), kUseCurrentFile,
                    currentFileItem);
    menu.AppendMenu(MF_STRING, kBrowse, "Browse...");
    CRect button;
    GetDlgItem(buttonId)->GetWindowRect(&button);
    return UINT(menu.TrackPopupMenu(TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD, button.left,
                                    button.bottom, this));
}

void CPrefsPageStartup::OnSelectDefaultFile()
{
    const UINT choice = TrackSelectMenu(kDefaultFileButton, "Make Current File the Default");
    if (choice == kUseCurrentFile) {
        SetDlgItemText(kDefaultFileEdit, text::Trim(m_sheet.GetOpenFilePath()));
    } else if (choice == kBrowse) {
        std::string current;
        GetDlgItemText(kDefaultFileEdit, current);
        current = text::Trim(current);
        CFileDialog dialog(TRUE, nullptr, current.empty() ? nullptr : current.c_str(),
                           OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kFileFilter, this);
        dialog.SetTitle("Select file");
        if (dialog.DoModal() == IDOK)
            SetDlgItemText(kDefaultFileEdit, dialog.GetPathName());
    }
}

void CPrefsPageStartup::OnSelectStartupFolder()
{
    const UINT choice = TrackSelectMenu(kStartupFolderButton, "Use Current File's Folder");
    if (choice == kUseCurrentFile) {
        SetDlgItemText(kStartupFolderEdit, paths::Folder(text::Trim(m_sheet.GetOpenFilePath())));
    } else if (choice == kBrowse) {
        CFolderDialog dialog("Select Folder", nullptr, this);
        if (dialog.DoModal() == IDOK)
            SetDlgItemText(kStartupFolderEdit, dialog.GetFolderPath());
    }
}

void CPrefsPageStartup::OnSelectBackupFolder()
{
    CFolderDialog dialog("Select Folder", nullptr, this);
    if (dialog.DoModal() == IDOK)
        SetDlgItemText(kBackupFolderEdit, dialog.GetFolderPath());
}
