// app/shell/main_frame.cpp: the main frame's creation, status bars, window menus, title, closing
// and autosave timer.
#include "app/shell/main_frame.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_doc.h"
#include "app/shell/av_view.h"
#include "app/shell/records_pane.h"
#include "app/shell/shell_app.h"
#include "app/shell/splash_wnd.h"

#include "common/preferences.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/source_citation.h"
#include "platform/base/text.h"
#include "platform/ui/frames/menu.h"
#include "platform/ui/windows/sys_metrics.h"

namespace {

constexpr const char* kFrameTitle = "Ardenvel Riru";
constexpr const char* kListsMenu = "&Lists";
constexpr const char* kDiagramMenu = "&Diagram";
constexpr const char* kMediaMenu = "&Multimedia";
constexpr const char* kReportMenu = "&Report";
constexpr const char* kWindowMenu = "&Window";

constexpr UINT kToolBarResources[] = {IDR_MAINFRAME, IDR_RECORDS_TOOLBAR, IDR_DIAGRAM_TOOLBAR,
                                      IDR_MEDIA_TOOLBAR};

constexpr UINT kMainPanes[] = {ID_SEPARATOR, ID_PANE_INDIVIDUALS, ID_PANE_FAMILIES,
                               ID_PANE_AUTO_CITATION};
constexpr UINT kDiagramPanes[] = {ID_SEPARATOR, ID_PANE_DIAGRAM_POSITION, ID_PANE_DIAGRAM_SIZE,
                                  ID_PANE_AUTO_CITATION};
constexpr UINT kQueryPanes[] = {ID_SEPARATOR, ID_PANE_RESULT_COUNT, ID_PANE_AUTO_CITATION};
constexpr UINT kProgressPanes[] = {ID_PANE_PROGRESS_BAR, ID_PANE_PROGRESS_TEXT};

/// The list indices of individuals and families.
constexpr int kIndividualList = 0, kFamilyList = 1;

/// Makes a status bar with its panes; the prompt pane of the diagram and query bars is a quarter
/// of the screen wide, without a border.
bool MakeStatusBar(CStatusBar& bar, CFrameWnd* frame, UINT id, const UINT* panes, int count,
                   bool visible, bool promptPane)
{
    const DWORD style = WS_CHILD | CBRS_BOTTOM | (visible ? WS_VISIBLE : 0);
    if (!bar.Create(frame, style, id) || !bar.SetIndicators(panes, count))
        return false;
    if (promptPane)
        bar.SetPaneInfo(0, ID_PANE_PROMPT, SBPS_STRETCH | SBPS_NOBORDERS,
                        GetSystemMetrics(SM_CXSCREEN) / 4);
    return true;
}

/// Offers the application's backup as the frame closes; true when the close may go on.
bool OfferBackupOnClose(CWnd* owner)
{
    IShellApp* app = GetShellApp();
    return !app || app->OfferBackupOnClose(owner);
}

} // namespace

CMainFrame::CMainFrame()
{
    MapHandlers();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::MapHandlers()
{
    MapCommand(ID_VIEW_TOOLBAR, [this] { ToggleToolBar(kStandardBar); });
    MapCommand(ID_VIEW_RECORDS_TOOLBAR, [this] { ToggleToolBar(kRecordsBar); });
    MapCommand(ID_VIEW_DIAGRAM_TOOLBAR, [this] { ToggleToolBar(kDiagramBar); });
    MapCommand(ID_VIEW_MEDIA_TOOLBAR, [this] { ToggleToolBar(kMediaBar); });
    const std::pair<UINT, int> toggles[] = {{ID_VIEW_TOOLBAR, kStandardBar},
                                            {ID_VIEW_RECORDS_TOOLBAR, kRecordsBar},
                                            {ID_VIEW_DIAGRAM_TOOLBAR, kDiagramBar},
                                            {ID_VIEW_MEDIA_TOOLBAR, kMediaBar}};
    for (const auto& [id, index] : toggles)
        MapUpdate(id, [this, index = index](CCmdUI* state) {
            state->SetCheck(GetToolBar(index).IsWindowVisible() ? 1 : 0);
        });
    MapCommand(ID_RESET_TOOLBARS, [this] { ResetToolBarPositions(); });

    MapUpdate(ID_PANE_INDIVIDUALS, [](CCmdUI* state) {
        IShellApp* app = GetShellApp();
        state->SetText(
            text::Format("Individuals: %lu", app ? app->GetRecordCount(kIndividualList) : 0));
    });
    MapUpdate(ID_PANE_FAMILIES, [](CCmdUI* state) {
        IShellApp* app = GetShellApp();
        state->SetText(text::Format("Families: %lu", app ? app->GetRecordCount(kFamilyList) : 0));
    });
    MapUpdate(ID_PANE_AUTO_CITATION, [](CCmdUI* state) {
        state->SetText(GetAutoCitation() ? "Auto-Citation Enabled" : "");
    });
    MapFileAndHelpCommands();
}

int CMainFrame::OnCreate(CREATESTRUCT* createStruct)
{
    if (CMDIFrameWnd::OnCreate(createStruct) == -1)
        return -1;
    if (!CreateToolBars() || !CreateStatusBars())
        return -1;
    m_menuManager.Install(this);
    m_menuManager.LoadToolbars(kToolBarResources, int(std::size(kToolBarResources)));
    for (CToolBar& bar : m_toolBars)
        bar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    RestoreBarPlacements();
    ShowControlBar(&GetToolBar(kDiagramBar), FALSE, FALSE);
    ShowControlBar(&GetToolBar(kMediaBar), FALSE, FALSE);
    SetTitle(kFrameTitle);
    OnUpdateFrameTitle(TRUE);
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    CSplashWnd::ShowSplashScreen(this);
    return 0;
}

bool CMainFrame::CreateToolBars()
{
    const DWORD style =
        WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    for (std::size_t i = 0; i < m_toolBars.size(); ++i)
        if (!m_toolBars[i].Create(this, style, AFX_IDW_TOOLBAR) ||
            !m_toolBars[i].LoadToolBar(kToolBarResources[i]))
            return false;
    return true;
}

bool CMainFrame::CreateStatusBars()
{
    if (!MakeStatusBar(m_mainBar, this, ID_STATUS_MAIN, kMainPanes, 4, true, false) ||
        !MakeStatusBar(m_diagramBar, this, ID_STATUS_DIAGRAM, kDiagramPanes, 4, false, true) ||
        !MakeStatusBar(m_queryBar, this, ID_STATUS_QUERY, kQueryPanes, 3, false, true) ||
        !MakeStatusBar(m_progressBar, this, ID_STATUS_PROGRESS, kProgressPanes, 2, false, false))
        return false;
    m_currentStatusBar = ID_STATUS_MAIN;
    return m_progress.Create(WS_CHILD | WS_VISIBLE, CRect(), &m_progressBar, ID_PROGRESS_CTRL) !=
           FALSE;
}

CStatusBar* CMainFrame::GetStatusBar(UINT id)
{
    for (CStatusBar* bar : {&m_mainBar, &m_diagramBar, &m_queryBar, &m_progressBar})
        if (UINT(bar->GetDlgCtrlID()) == id)
            return bar;
    return nullptr;
}

void CMainFrame::ShowStatusBar(UINT id)
{
    if (id == m_currentStatusBar)
        return;
    if (CStatusBar* current = GetStatusBar(m_currentStatusBar))
        ShowControlBar(current, FALSE, FALSE);
    CStatusBar* next = GetStatusBar(id);
    if (next && !m_progressActive)
        ShowControlBar(next, TRUE, FALSE);
    m_currentStatusBar = next ? id : 0;
    RecalcLayout();
}

CWnd* CMainFrame::GetMessageBar()
{
    if (m_currentStatusBar == ID_STATUS_QUERY)
        return &m_queryBar;
    if (m_currentStatusBar == ID_STATUS_DIAGRAM)
        return &m_diagramBar;
    return &m_mainBar;
}

void CMainFrame::SetIdleMessage(const std::string& message)
{
    m_idleMessage = message;
    SetMessageText(AFX_IDS_IDLEMESSAGE);
}

void CMainFrame::GetMessageString(UINT id, std::string& message) const
{
    if (id == AFX_IDS_IDLEMESSAGE && !m_idleMessage.empty())
        message = m_idleMessage;
    else
        CMDIFrameWnd::GetMessageString(id, message);
}

bool CMainFrame::RemoveTopMenu(const char* title)
{
    CMenu* menu = GetMenu();
    for (int i = 0; menu && i < menu->GetMenuItemCount(); ++i) {
        std::string text;
        menu->GetMenuString(UINT(i), text, MF_BYPOSITION);
        if (text == title)
            return menu->DeleteMenu(UINT(i), MF_BYPOSITION) != FALSE;
    }
    return false;
}

void CMainFrame::InsertTopMenu(UINT resourceId, const char* title)
{
    CMenu* menu = GetMenu();
    CMenu source;
    if (!menu || !source.LoadMenu(resourceId) || !source.GetSubMenu(0))
        return;
    const HMENU popup = source.GetSubMenu(0)->GetSafeHmenu();
    source.RemoveMenu(0, MF_BYPOSITION);
    UINT position = 0;
    for (int i = 0; i < menu->GetMenuItemCount(); ++i) {
        std::string text;
        menu->GetMenuString(UINT(i), text, MF_BYPOSITION);
        if (text == kWindowMenu) {
            position = UINT(i);
            break;
        }
    }
    menu->InsertMenu(position, MF_BYPOSITION | MF_POPUP, UINT_PTR(popup), title);
}

void CMainFrame::RebuildMenus(int kind)
{
    RemoveTopMenu(kListsMenu);
    ShowControlBar(&GetToolBar(kRecordsBar), FALSE, TRUE);
    RemoveTopMenu(kMediaMenu);
    ShowControlBar(&GetToolBar(kMediaBar), FALSE, TRUE);
    RemoveTopMenu(kDiagramMenu);
    ShowControlBar(&GetToolBar(kDiagramBar), FALSE, TRUE);
    RemoveTopMenu(kReportMenu);
    if (kind == kSubViewRecords) {
        InsertTopMenu(IDR_LISTS_MENU, kListsMenu);
        ShowControlBar(&GetToolBar(kRecordsBar), TRUE, TRUE);
    } else if (kind == kSubViewDiagram) {
        InsertTopMenu(IDR_DIAGRAM_MENU, kDiagramMenu);
        ShowControlBar(&GetToolBar(kDiagramBar), TRUE, TRUE);
    } else if (kind == kSubViewMedia) {
        InsertTopMenu(IDR_MEDIA_MENU, kMediaMenu);
        ShowControlBar(&GetToolBar(kMediaBar), TRUE, TRUE);
    } else if (kind == kSubViewReport) {
        InsertTopMenu(IDR_REPORT_MENU, kReportMenu);
    }
    DrawMenuBar();
}

void CMainFrame::OnUpdateFrameTitle(BOOL addToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    const IShellApp* app = GetShellApp();
    UpdateFrameTitleForDocument(addToTitle && app ? app->GetDocumentTitle().c_str() : nullptr);
}

void CMainFrame::OnClose()
{
    SaveBarPlacements();
    SaveToolbarPlacements();
    IShellApp* app = GetShellApp();
    CAvDoc* doc = app ? app->GetDocument() : nullptr;
    // A value being typed into the Record Properties box or a record list is kept before the
    // file is offered for saving: closing the window moves no focus that would store it.
    if (app)
        app->StorePropertiesEdit();
    for (CView* view : doc ? doc->GetViews() : std::vector<CView*>{})
        if (auto* avView = dynamic_cast<CAvView*>(view))
            if (auto* records = dynamic_cast<CRecordsPane*>(avView->GetSubView()))
                records->CloseGridEditor();
    // A modified file is offered for saving even when only its header record is left. Changes
    // the user declines to save are given up only once no later question can cancel the close.
    if (doc && doc->IsModified() && !doc->SaveModified())
        return;
    if (!OfferBackupOnClose(this))
        return;
    if (doc)
        doc->DiscardChanges();
    CMDIFrameWnd::OnClose();
}

void CMainFrame::StartAutosaveTimer()
{
    if (IShellApp* app = GetShellApp())
        app->SetAutosaveDue(false);
    if (m_autosaveTimer) {
        KillTimer(m_autosaveTimer);
        m_autosaveTimer = 0;
    }
    const Preferences& prefs = Prefs();
    if (prefs.m_enableAutosave && prefs.m_autosaveMinutes > 0)
        m_autosaveTimer = SetTimer(kAutosaveTimer, UINT(prefs.m_autosaveMinutes) * 60000U);
}

void CMainFrame::OnTimer(UINT_PTR id)
{
    if (id != kAutosaveTimer)
        return CMDIFrameWnd::OnTimer(id);
    if (IShellApp* app = GetShellApp())
        app->SetAutosaveDue(true);
    KillTimer(kAutosaveTimer);
    m_autosaveTimer = 0;
}
