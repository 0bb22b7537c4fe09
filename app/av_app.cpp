// app/av_app.cpp: the application object's start-up, exit, idle work and file commands.
#include "app/av_app.h"

#include "app/about_dlg.h"
#include "app/backup_restore.h"
#include "app/prefs_dlg.h"
#include "app/record_ids_dlg.h"
#include "app/reorder_dlg.h"
#include "app/shell/app_ids.h"
#include "app/shell/autosave.h"
#include "app/shell/av_doc.h"
#include "app/shell/av_view.h"
#include "app/shell/child_frame.h"
#include "app/shell/main_frame.h"
#include "app/shell/splash_wnd.h"
#include "app/shell_file_types.h"
#include "records/properties/properties_dlg.h"
#include "reports/window/rpt_services.h"

#include "common/preferences.h"
#include "controls/colour_chooser.h"
#include "database/dictionary/record_type_table.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/nodes/data_model.h"
#include "database/nodes/data_node.h"
#include "platform/base/open_file_lock.h"
#include "platform/base/paths.h"
#include "platform/base/prompt.h"
#include "platform/base/safe_file.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/file_dialog.h"
#include "platform/ui/frames/doc_template.h"
#include "platform/ui/windows/cmd_ui.h"
#include "platform/ui/windows/command_line.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/named_list.h"
#include "records/window/find_record_dlg.h"
#include "records/window/sub_view_rec.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {

/// The maker's key of the per-user profile.
constexpr const char* kMakerKey = "Quorvane";
constexpr UINT kRecentFiles = 4;

/// What opening a file that is not there says.
std::string MissingFileMessage(const std::string& path)
{
    return "Error loading file " + path + ".  The file was not found.";
}

/// Why the file at path, which the check found cannot be opened, is not opened.
std::string CannotOpenMessage(const std::string& path, CAvDoc::OpenCheck check)
{
    if (!paths::Exists(path))
        return MissingFileMessage(path);
    if (check == CAvDoc::OpenCheck::Unreadable)
        return std::string(kUnableToOpenFile);
    return LoadErrorMessage(path);
}

/// path made absolute against the current folder, without "." and ".." steps; empty stays empty.
std::string AbsolutePath(const std::string& path)
{
    if (path.empty())
        return path;
    std::error_code failed;
    const std::filesystem::path absolute = std::filesystem::absolute(path, failed);
    return failed ? path : absolute.lexically_normal().string();
}

} // namespace

CAvApp* GetAvApp()
{
    return dynamic_cast<CAvApp*>(AfxGetApp());
}

CAvApp::CAvApp() : m_recordsPaneClass(RuntimeClassOf<CSubViewRec>())
{
    MapCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    MapCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    MapCommand(ID_APP_EXIT, [this] { OnAppExit(); });
    MapCommand(ID_APP_ABOUT, [] { ShowAboutBox(); });
    MapCommand(ID_PREFERENCES, [] { ShowPreferences(); });
    MapCommand(ID_RECORD_IDS, [] { CRecordIdsDlg().DoModal(); });
    MapCommand(ID_FILE_PRINT_SETUP, [this] { m_printer.OnFilePrintSetup(); });
    MapCommand(ID_FILE_BACKUP, [this] { RunBackup(GetMainFrame()); });
    MapUpdate(ID_FILE_BACKUP, [](CCmdUI* cmdUI) { cmdUI->Enable(CanBackup()); });
    MapCommand(ID_FILE_RESTORE, [this] { RunRestore(GetMainFrame()); });
    MapCommand(ID_REORDER, [this] {
        if (CNamedList* list = RunReorder(GetMainFrame()))
            ShowNamedList(list);
    });
    MapWindowCommands();
    MapRecordCommands();
    MapPropertiesCommands();
    MapHelpCommands();
    MapInsertCommands();
    MapMediaCommands();
    MapQueryCommands();
    MapDiagramWindowCommands();
    MapReportCommands();
    MapMergeCommands();
    MapDiagramCommands();
    AddServices();
    SetShellApp(this);
}

CAvApp::~CAvApp()
{
    // Started but never exited (a start-up that threw, a test): no hook keeps reaching it.
    m_services.Remove();
    if (GetShellApp() == this)
        SetShellApp(nullptr);
}

BOOL CAvApp::InitInstance()
{
    return StartUp(GetArguments());
}

BOOL CAvApp::PreTranslateMessage(MSG* msg)
{
    if (CSplashWnd::PreTranslateAppMessage(msg))
        return TRUE;
    return CWinApp::PreTranslateMessage(msg);
}

BOOL CAvApp::StartUp(const std::vector<std::string>& arguments)
{
    SetRegistryKey(kMakerKey);
    LoadPreferences();
    CCommandLineInfo commandLine;
    commandLine.Parse(arguments);
    if (!Prefs().m_hideSplashPanel)
        CSplashWnd::EnableSplashScreen(commandLine.m_bShowSplash);
    LoadStdProfileSettings(kRecentFiles);
    m_services.Install();
    if (!InitColourChooser())
        return FALSE;
    m_printer.MeasurePrinterPage();
    if (const EngineOutcome started = InitDataModel(this); !started) {
        if (!started.message.empty())
            MessageBox(started.message, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    m_dataModelStarted = true;
    // The text schemes and the defaults of new diagrams, read here so that no diagram window reads
    // files as it is made.
    m_diagramDefaults.Load(&GetProfile());
    if (!CreateWindows())
        return FALSE;
    m_pMainWnd->ShowWindow(m_nCmdShow);
    m_pMainWnd->UpdateWindow();
    // A file named relative to the folder the program was started in is found there, not in the
    // start-up folder entered next.
    const std::string commandLineFile = AbsolutePath(commandLine.m_strFileName);
    const std::string folder = text::Trim(Prefs().m_startupDirectory);
    if (!folder.empty()) {
        // A folder that cannot be entered leaves the current one as it was.
        [[maybe_unused]] const int ignored = chdir(folder.c_str());
    }
    if (!OpenUntitledRecoveryCopy())
        OpenStartupFile(commandLineFile);
    return HasMainFrame();
}

bool CAvApp::CreateWindows()
{
    m_template = new CMultiDocTemplate(IDR_AVTYPE, RuntimeClassOf<CAvDoc>(),
                                       RuntimeClassOf<CChildFrame>(), RuntimeClassOf<CAvView>());
    AddDocTemplate(m_template);
    auto* frame = new CMainFrame;
    // A frame whose creation fails has destroyed and deleted itself.
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
        return false;
    m_pMainWnd = frame;
    frame->DragAcceptFiles();
    // Under the test hooks nothing is launched, the desktop's database tools included.
    RegisterShellFileTypes(ProgramPath(), Prefs().m_registerForGedcom, !TestHooks::IsEnabled());
    SetSubViewRequest(m_recordsPaneClass);
    CDocument* doc = m_template->OpenDocumentFile(nullptr);
    SetSubViewRequest(nullptr);
    m_document = dynamic_cast<CAvDoc*>(doc);
    // The frame took its title while the document was still being made; a file named on the
    // command line loads before anything else would set it again.
    frame->OnUpdateFrameTitle(TRUE);
    return m_document != nullptr;
}

bool CAvApp::OpenUntitledRecoveryCopy()
{
    const std::string name = UntitledRecoveryName();
    const std::optional<RecoveryCopy> copy = FindRecoveryCopy(name);
    if (!copy)
        return false;
    if (MessageBox(UntitledRecoveryQuestion(), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        RemoveRecoveryCopyFile(copy->copy);
        return false;
    }
    if (!m_document->OpenUntitledRecoveryCopy(*copy)) {
        MessageBox(UnreadableRecoveryCopyMessage(name, copy->copy), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (CMainFrame* frame = GetMainFrame())
        frame->StartAutosaveTimer();
    return true;
}

void CAvApp::OpenStartupFile(const std::string& commandLineFile)
{
    if (!commandLineFile.empty()) {
        OpenDocumentFile(commandLineFile.c_str());
        return;
    }
    const std::string defaultFile = text::Trim(Prefs().m_defaultFile);
    if (!defaultFile.empty() && paths::IsFile(defaultFile)) {
        OpenDocumentFile(defaultFile.c_str());
        return;
    }
    OnFileNew();
}

int CAvApp::ExitInstance()
{
    delete m_propertiesDlg;
    m_propertiesDlg = nullptr;
    if (m_findRecordDlg && m_findRecordDlg->GetSafeHwnd())
        m_findRecordDlg->DestroyWindow();
    m_findRecordDlg.reset();
    // Under the test hooks, or after a failed start, the main window may still stand.
    if (HasMainFrame())
        m_pMainWnd->DestroyWindow();
    DeleteDocTemplates();
    m_template = nullptr;
    if (m_dataModelStarted) {
        TermDataModel();
        m_dataModelStarted = false;
    }
    ClearNamedLists(true);
    m_services.Remove();
    return CWinApp::ExitInstance();
}

BOOL CAvApp::OnIdle(LONG count)
{
    if (count == 0)
        FollowSelection();
    if (CWinApp::OnIdle(count))
        return TRUE;
    if (count <= 1)
        return TRUE;
    if (m_autosaveDue && m_document) {
        m_document->Autosave();
        if (CMainFrame* frame = GetMainFrame())
            frame->StartAutosaveTimer();
    }
    m_autosaveDue = false;
    return FALSE;
}

void CAvApp::OnEndSession()
{
    if (m_document)
        m_document->KeepEditsAtSessionEnd();
    CWinApp::OnEndSession();
}

void CAvApp::OnFileNew()
{
    if (!m_document || !m_document->SaveModified())
        return;
    m_document->DiscardChanges();
    m_document->OnNewDocument();
    if (CMainFrame* frame = GetMainFrame())
        frame->StartAutosaveTimer();
}

void CAvApp::OnFileOpen()
{
    std::string filterName;
    std::string extension;
    m_template->GetDocString(filterName, CDocTemplate::filterName);
    m_template->GetDocString(extension, CDocTemplate::filterExt);
    const std::string filter = filterName + "|*" + extension + "|All Files (*.*)|*.*||";
    CFileDialog dialog(TRUE, extension.substr(extension.starts_with('.') ? 1 : 0).c_str(), nullptr,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST, filter.c_str(),
                       m_pMainWnd);
    dialog.SetTitle("Open");
    const std::string folder = text::Trim(Prefs().m_startupDirectory);
    if (!folder.empty() && paths::IsDirectory(folder))
        dialog.SetInitialFolder(folder);
    if (dialog.DoModal() == IDOK)
        OpenDocumentFile(dialog.GetPathName().c_str());
}

void CAvApp::OnAppExit()
{
    if (HasMainFrame())
        m_pMainWnd->SendMessage(WM_CLOSE);
}

CDocument* CAvApp::OpenDocumentFile(const char* name)
{
    if (!m_document || !name || !m_document->SaveModified())
        return m_document;
    // Saves, autosaves and backups reach the same file after the current folder changes.
    const std::string path = AbsolutePath(name);
    // The open file stays, unchanged, unless the new one can be read.
    if (const CAvDoc::OpenCheck check = CAvDoc::CheckOpen(path);
        check != CAvDoc::OpenCheck::Opens) {
        MessageBox(CannotOpenMessage(path, check), MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    // Another run that has the file open would lose its saves to this one's, or this one's to
    // its; the user is told and decides.
    if (const std::optional<int> other = COpenFileLock::OtherHolder(path);
        other &&
        MessageBox(OpenElsewhereQuestion(path, *other), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return m_document;
    m_document->DiscardChanges();
    const bool opened = OpenFileOrRecoveryCopy(path);
    if (!opened) {
        m_document->OnNewDocument();
        MessageBox(LoadErrorMessage(path), MB_OK | MB_ICONEXCLAMATION);
    } else {
        // What saves killed before their end left in the folder goes.
        CSafeFile::RemoveStaleTemporariesIn(paths::Folder(path));
    }
    if (CMainFrame* frame = GetMainFrame())
        frame->StartAutosaveTimer();
    return opened ? m_document : nullptr;
}

bool CAvApp::OpenFileOrRecoveryCopy(const std::string& path)
{
    // Only a copy that no running program writes is offered, or deleted.
    if (const std::optional<RecoveryCopy> copy = FindRecoveryCopy(path)) {
        // A copy the user asked for is never deleted unread: it may hold the only changes.
        if (MessageBox(RecoveryQuestion(path, copy->fileChangedSince),
                       MB_YESNO | MB_ICONQUESTION) != IDYES)
            RemoveRecoveryCopyFile(copy->copy);
        else if (m_document->OpenRecoveryCopy(path, *copy))
            return true;
        else
            MessageBox(UnreadableRecoveryCopyMessage(path, copy->copy), MB_OK | MB_ICONEXCLAMATION);
    }
    return m_document->OnOpenDocument(path.c_str()) != FALSE;
}

void CAvApp::ForgetDocument(const CAvDoc* document)
{
    if (m_document == document)
        m_document = nullptr;
}

bool CAvApp::HasMainFrame() const
{
    return m_pMainWnd && m_pMainWnd->GetSafeHwnd();
}

CMainFrame* CAvApp::GetMainFrame() const
{
    return HasMainFrame() ? dynamic_cast<CMainFrame*>(m_pMainWnd) : nullptr;
}

std::string CAvApp::GetDocumentTitle() const
{
    return m_document ? m_document->GetTitle() : std::string();
}

std::string CAvApp::GetOpenFilePath() const
{
    return m_document ? m_document->GetPathName() : std::string();
}

long CAvApp::GetRecordCount(int listIndex) const
{
    const CDataNode* root = GetRecordTypeRoot(listIndex);
    return root ? long(root->CountChildren()) : 0;
}
