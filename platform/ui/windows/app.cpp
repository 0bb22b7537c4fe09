// platform/ui/windows/app.cpp: the application object, its profile and recent files, and the
// program's entry that brings the Qt application up around it.
#include "platform/ui/windows/app.h"

#include "platform/base/prompt.h"
#include "platform/ui/detail/app_events.h"
#include "platform/ui/detail/app_look.h"
#include "platform/ui/detail/application.h"
#include "platform/ui/detail/idle.h"
#include "platform/ui/detail/quit_state.h"
#include "platform/ui/detail/termination_signals.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/dialogs/message_box.h"
#include "platform/ui/frames/recent_file_list.h"
#include "platform/ui/printing/print_dialog.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/cmd_ui.h"
#include "platform/ui/windows/command_line.h"
#include "platform/ui/windows/message_pump.h"
#include "platform/ui/windows/subclass_wnd.h"
#include "platform/ui/windows/test_hooks.h"

#include <QApplication>

#include <algorithm>
#include <optional>

namespace {

CWinApp* g_app = nullptr;

/// The recent-file list's place in the profile.
constexpr const char* kRecentFileSection = "Recent File List";
constexpr const char* kRecentFileEntry = "File%d";

} // namespace

CWinApp::CWinApp(const char* appName)
    : m_appName(appName ? appName : ""), m_profile(m_appName, m_appName)
{
    g_app = this;
    MapUpdate(ID_FILE_MRU_FILE1, [this](CCmdUI* cmdUI) {
        if (m_recentFiles)
            m_recentFiles->UpdateMenu(cmdUI);
        else
            cmdUI->Enable(FALSE);
    });
    MapCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, [this](UINT id) { OnOpenRecentFile(id); });
    if (QCoreApplication::instance())
        ui_detail::InstallInputFilter();
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return m_exitCode;
}

int CWinApp::Run()
{
    if (TestHooks::IsEnabled()) {
        TestHooks::DeliverPosted();
    } else if (!ui_detail::QuitPosted()) {
        // The loop ends with the main window, as the program does.
        if (QWidget* main = ui_detail::WidgetOf(m_pMainWnd))
            QObject::connect(main, &QObject::destroyed, [] { PostQuitMessage(0); });
        QApplication::exec();
    }
    m_exitCode = ui_detail::QuitPosted() ? ui_detail::QuitCode() : 0;
    ui_detail::ForgetQuit();
    return ExitInstance();
}

void CWinApp::OnEndSession()
{
    PostQuitMessage(0);
}

BOOL CWinApp::OnIdle(LONG count)
{
    return ui_detail::BaseIdle(count);
}

BOOL CWinApp::PreTranslateMessage(MSG* msg)
{
    return ui_detail::PreTranslateThroughWindows(msg);
}

CDocument* CWinApp::OpenDocumentFile(const char*)
{
    return nullptr;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) const
{
    info.Parse(m_arguments);
}

void CWinApp::SetRegistryKey(const char* makerKey)
{
    m_makerKey = makerKey ? makerKey : "";
    m_profile = CAppProfile(m_makerKey.empty() ? m_appName : m_makerKey, m_appName);
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) const
{
    return m_profile.GetProfileInt(section, entry, defaultValue);
}

std::string CWinApp::GetProfileString(const char* section, const char* entry,
                                      const char* defaultValue) const
{
    return m_profile.GetProfileString(section, entry, defaultValue);
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value)
{
    return m_profile.WriteProfileInt(section, entry, value);
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value)
{
    return m_profile.WriteProfileString(section, entry, value);
}

void CWinApp::LoadStdProfileSettings(UINT maxRecentFiles)
{
    const UINT most = ID_FILE_MRU_LAST - ID_FILE_MRU_FILE1 + 1;
    m_recentFiles.reset();
    if (maxRecentFiles == 0)
        return;
    m_recentFiles =
        std::make_unique<CRecentFileList>(m_profile, ID_FILE_MRU_FILE1, kRecentFileSection,
                                          kRecentFileEntry, int(std::min(maxRecentFiles, most)));
    m_recentFiles->ReadList();
}

void CWinApp::AddToRecentFileList(const char* path)
{
    if (m_recentFiles && path)
        m_recentFiles->Add(path);
}

int CWinApp::DoPrintDialog(CPrintDialog* dialog)
{
    if (!dialog)
        return IDCANCEL;
    m_printer.LoadDefaults();
    dialog->SetSettings(m_printer);
    const int answer = dialog->DoModal();
    if (answer == IDOK) {
        m_printer = dialog->GetSettings();
        BroadcastPrinterChange();
    }
    return answer;
}

void CWinApp::OnOpenRecentFile(UINT id)
{
    if (!m_recentFiles)
        return;
    const std::string path = (*m_recentFiles)[int(id - ID_FILE_MRU_FILE1)];
    if (path.empty() || OpenDocumentFile(path.c_str()))
        return;
    // The open may have moved the entry; the one that failed leaves wherever it stands now.
    for (int index = 0; index < m_recentFiles->GetCount(); ++index) {
        if ((*m_recentFiles)[index] == path) {
            m_recentFiles->Remove(index);
            return;
        }
    }
}

void CWinApp::NameApplication()
{
    if (m_appName.empty() && !AppResources().LoadString(AFX_IDS_APP_TITLE, m_appName))
        m_appName = QCoreApplication::applicationName().toStdString();
    m_profile = CAppProfile(m_makerKey.empty() ? m_appName : m_makerKey, m_appName);
    SetPromptCaption(m_appName);
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}

int AfxWinMain(int argc, char* argv[])
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    std::unique_ptr<QApplication> ownApplication;
    if (!QCoreApplication::instance())
        ownApplication = std::make_unique<ui_detail::Application>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // the main window's end ends the program
    ui_detail::SetUpApplicationLook();
    if (ownApplication)
        ui_detail::RegisterFontFiles();
    // Qt has taken its own options out of the arguments.
    app->m_arguments.assign(argv + std::min(argc, 1), argv + argc);

    CMessageBox desktop;
    IPrompt* const previousPrompt = GetPrompt();
    if (!TestHooks::IsEnabled())
        SetPrompt(&desktop);
    InstallOutOfMemoryReport();
    CResources resources;
    std::string error;
    if (!resources.LoadCompiledIn(error)) {
        MessageBox(error, MB_OK | MB_ICONSTOP);
        SetPrompt(previousPrompt);
        return 1;
    }
    SetAppResources(&resources);
    app->NameApplication();
    ui_detail::InstallInputFilter();
    ui_detail::StartIdleDriver();

    std::optional<ui_detail::TerminationSignalWatch> stopRequests;
    if (!TestHooks::IsEnabled())
        stopRequests.emplace([app] { app->OnEndSession(); });
    int exitCode = 0;
    if (app->InitInstance()) {
        exitCode = app->Run();
    } else {
        if (app->m_pMainWnd && app->m_pMainWnd->GetSafeHwnd())
            app->m_pMainWnd->DestroyWindow();
        exitCode = app->ExitInstance();
    }
    SetAppResources(nullptr);
    SetPrompt(previousPrompt);
    return exitCode;
}
