// queries/window/sub_view_query.cpp: the query window: its panes, tabs, query, command routing,
// status panes and activation.
#include "queries/window/sub_view_query.h"
#include "queries/window/query_save.h"

#include "app/shell/app_ids.h"
#include "app/shell/child_frame.h"
#include "app/shell/main_frame.h"
#include "database/nodes/change_hint.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/frames/mdi_frame_wnd.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/cmd_ui.h"
#include "platform/ui/windows/sys_metrics.h"
#include "queries/query_def.h"

#include <algorithm>
#include <unordered_set>

namespace {

constexpr UINT kTabCtrlId = 70, kBarId = 169, kGridId = 170, kColumnsId = 171, kGeneralId = 172,
               kRowsId = 173, kFrameStatic = 1517, kCaptionStatic = 1516;
constexpr UINT ID_EDIT_DELETE = 32801, ID_REFRESH = 32811, ID_OPTIONS = 32782;
constexpr const char* kTabTitles[] = {"General", "Columns", "Rows", "Result Set"};
/// Posted to the window to fit its frame to the Columns pane.
constexpr UINT kFitFrameMessage = WM_USER + 1;

} // namespace

// The tab dialog.

LRESULT CQueryTabsDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE) {
        const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
        m_layout.ApplyLayout(this, LOWORD(lParam), HIWORD(lParam));
        return result;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CQueryTabsDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == kTabCtrlId) {
        if (header->code == TCN_SELCHANGING) {
            *result = m_window.CommitActivePage() ? 0 : 1;
            return TRUE;
        }
        if (header->code == TCN_SELCHANGE) {
            m_window.ShowActiveTab();
            return TRUE;
        }
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

BOOL CQueryTabsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Commands of the window's own controls go the window's way.
    if (m_window.OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr))
        return TRUE;
    return CDialog::OnCommand(wParam, lParam);
}

HBRUSH CQueryTabsDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    if (ctlColor == CTLCOLOR_STATIC && m_window.GetQuery())
        dc->SetTextColor(m_window.GetCaptionColour());
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}

// The window.

CSubViewQuery::CSubViewQuery()
{
    m_grid.SetQuerySource([this] { return m_query.get(); });
    MapHandlers();
}

CSubViewQuery::~CSubViewQuery()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

const CRuntimeClass* CSubViewQuery::GetRuntimeClass() const
{
    return RuntimeClassOf<CSubViewQuery>();
}

BOOL CSubViewQuery::Create(const RECT& rect, CAvView* parentView, UINT id, DWORD request)
{
    return CSubView::Create(rect, parentView, id, request);
}

int CSubViewQuery::GetSubViewType() const
{
    return kSubViewQuery;
}

void CSubViewQuery::MapHandlers()
{
    MapCommand(ID_REFRESH, [] {});
    MapCommand(ID_OPTIONS, [] {});
    MapCommand(ID_EDIT_DELETE, [this] {
        if (m_activeTab == kTabResults && m_query)
            m_grid.DeleteSelectedCells();
    });
    MapUpdate(ID_EDIT_DELETE, [this](CCmdUI* state) {
        if (m_activeTab == kTabResults && m_query)
            m_grid.OnUpdateDelete(state);
        else
            state->Enable(FALSE);
    });
    MapCommandRange(ID_QUERY_TAB_FIRST, ID_QUERY_TAB_RESULTS, [this](UINT id) { SelectTab(id); });
    MapUpdate(ID_FILE_PRINT, [this](CCmdUI* state) { state->Enable(m_query != nullptr); });
    MapUpdate(ID_FILE_PRINT_PREVIEW, [this](CCmdUI* state) { state->Enable(m_query != nullptr); });
    MapUpdate(ID_PANE_PROMPT, [](CCmdUI* state) {
        state->Enable();
        state->SetText("For Help, press F1");
    });
    MapUpdate(ID_PANE_RESULT_COUNT, [this](CCmdUI* state) {
        state->Enable();
        state->SetText(GetResultCountText());
    });
}

std::string CSubViewQuery::GetResultCountText() const
{
    return text::Format("Records in Result Set: %ld", long(m_grid.GetRowCount()));
}

int CSubViewQuery::OnCreate(CREATESTRUCT* createStruct)
{
    if (CSubView::OnCreate(createStruct) == -1)
        return -1;
    if (!m_dialog.Create(206, this))
        return -1;
    m_dialogFont.CreatePointFont(80, "MS Sans Serif");
    CRect client;
    m_dialog.GetClientRect(&client);
    for (UINT id : {kFrameStatic, kCaptionStatic})
        if (CWnd* item = m_dialog.GetDlgItem(int(id)))
            m_dialog.GetLayout().AddControl(&m_dialog, item, client, CDlgLayout::kNoChange, nullptr,
                                            CDlgLayout::kToRight, nullptr, CDlgLayout::kNoChange,
                                            nullptr, CDlgLayout::kToRight, nullptr);
    if (!CreatePanes())
        return -1;
    ShowActiveTab();
    m_bar.ResetQueryCombo();
    return 0;
}

bool CSubViewQuery::CreatePanes()
{
    const CRect none(0, 0, 10, 10);
    // The tab control first, so that the panes lie above it.
    if (!m_tabs.Create(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_GROUP | WS_TABSTOP |
                           WS_VISIBLE,
                       none, &m_dialog, kTabCtrlId))
        return false;
    for (int i = 0; i < 4; ++i)
        m_tabs.InsertItem(i, kTabTitles[i]);
    m_tabs.SetCurSel(0);
    if (!m_bar.Create(&m_dialog, kBarId))
        return false;
    if (!m_general.Create(&m_dialog, kGeneralId, true))
        return false;
    m_general.ReloadType();
    if (!m_columns.Create(&m_dialog, kColumnsId, false))
        return false;
    m_columns.LoadFromQuery();
    if (!m_rows.Create(&m_dialog, kRowsId, false) ||
        !m_grid.Create(WS_BORDER, none, &m_dialog, kGridId))
        return false;
    m_grid.ShowWindow(SW_HIDE);
    return true;
}

void CSubViewQuery::FitFrameToColumnsPane()
{
    auto* frame = dynamic_cast<CChildFrame*>(GetParentFrame(this));
    if (!frame)
        return;
    // The tab control around the Columns pane at its template size, below the bar.
    CRect tabs(0, 0, m_columns.GetTemplateRect().Width(), m_columns.GetTemplateRect().Height());
    m_tabs.AdjustRect(TRUE, &tabs);
    int top = m_bar.GetBarHeight();
    if (CWnd* item = m_dialog.GetDlgItem(int(kFrameStatic)))
        top = std::max(top, int(PlaceInParent(*item).bottom));
    const CSize content(tabs.Width(), top + 2 + tabs.Height());
    // What the frame adds around this window, which fills its view.
    CRect outer;
    frame->GetWindowRect(&outer);
    CRect client;
    GetClientRect(&client);
    const CSize size(content.cx + outer.Width() - client.Width(),
                     content.cy + outer.Height() - client.Height());
    frame->SetMinTrackSize(size.cx, size.cy, -1, -1);
    // A maximised window stays maximised.
    BOOL maximized = FALSE;
    if (CMDIFrameWnd* main = frame->GetMDIFrame())
        main->MDIGetActive(&maximized);
    if (maximized)
        return;
    const CRect place = PlaceInParent(*frame);
    frame->MoveWindow(place.left, place.top, size.cx, size.cy);
}

void CSubViewQuery::OnSize(UINT type, int cx, int cy)
{
    CSubView::OnSize(type, cx, cy);
    Layout();
    // The first real size comes once the frame has laid out its view: only then does the
    // frame's size tell what it adds around this window. The frame is resized after this
    // resizing has ended.
    if (!m_frameFitted && cx > 0 && cy > 0 && m_tabs.GetSafeHwnd()) {
        m_frameFitted = true;
        PostMessage(kFitFrameMessage);
    }
}

void CSubViewQuery::Layout()
{
    if (!m_dialog.GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    m_dialog.MoveWindow(client);
    CRect frame(client.right, 0, client.right, 0);
    if (CWnd* item = m_dialog.GetDlgItem(int(kFrameStatic)))
        frame = PlaceInParent(*item);
    const int barHeight = m_bar.GetBarHeight();
    if (m_bar.GetSafeHwnd())
        m_bar.MoveWindow(0, 0, std::max(0, int(frame.left)), barHeight);
    const int top = std::max(barHeight, int(frame.bottom)) + 2;
    if (!m_tabs.GetSafeHwnd())
        return;
    m_tabs.MoveWindow(0, top, client.Width(), std::max(0, client.Height() - top));
    CRect display(0, 0, client.Width(), std::max(0, client.Height() - top));
    m_tabs.AdjustRect(FALSE, &display);
    display.OffsetRect(0, top);
    for (CWnd* pane : std::initializer_list<CWnd*>{&m_general, &m_columns, &m_rows, &m_grid})
        if (pane->GetSafeHwnd())
            pane->MoveWindow(display);
}

LRESULT CSubViewQuery::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kFitFrameMessage)
        return CSubView::WindowProc(message, wParam, lParam);
    FitFrameToColumnsPane();
    return 0;
}

BOOL CSubViewQuery::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

CWnd* CSubViewQuery::ActivePane()
{
    switch (m_activeTab) {
    case kTabGeneral:
        return &m_general;
    case kTabColumns:
        return &m_columns;
    case kTabRows:
        return &m_rows;
    case kTabResults:
        return &m_grid;
    default:
        return nullptr;
    }
}

void CSubViewQuery::OnSetFocus(CWnd*)
{
    if (!m_dialog.GetSafeHwnd())
        return;
    CWnd* pane = ActivePane();
    if (pane && pane->GetSafeHwnd())
        pane->SetFocus();
    else
        m_dialog.SetFocus();
}

// The query.

void CSubViewQuery::SetQuery(std::shared_ptr<CQueryDef> query, bool force)
{
    if (query == m_query && !force)
        return;
    m_query = std::move(query);
    m_bar.SyncComboWithQuery();
    m_general.LoadFromQuery();
    m_columns.LoadFromQuery();
    m_rows.LoadFromQuery();
    m_grid.Refill();
    if (CFrameWnd* frame = GetParentFrame(this))
        frame->OnUpdateFrameTitle(TRUE);
}

bool CSubViewQuery::FreeQuery()
{
    if (!m_query)
        return true;
    if (!m_query->IsNew() && !DeleteQueryFile(*m_query))
        return false;
    m_query.reset();
    m_grid.Reset(true);
    return true;
}

bool CSubViewQuery::CommitActivePage()
{
    if (m_activeTab == kTabGeneral)
        return m_general.CommitEdits();
    if (m_activeTab == kTabColumns)
        return m_columns.CheckUnsaved();
    return m_activeTab != kTabRows || m_rows.CheckUnsaved();
}

void CSubViewQuery::ApplyRecordType()
{
    const CFieldDef* type = m_general.GetRecordType();
    if (!m_query || !type || type == m_query->GetRecordType())
        return;
    m_query->RemoveAll(true);
    m_query->SetRecordType(type);
    CommitQueryChange(*m_query);
    m_general.LoadFromQuery();
    m_columns.LoadFromQuery();
    m_rows.LoadFromQuery();
    m_grid.Reset(true);
}

void CSubViewQuery::RunNow()
{
    m_bar.RunQuery(false, false);
}

void CSubViewQuery::SetCaptionText(const std::string& text)
{
    if (CWnd* caption = m_dialog.GetSafeHwnd() ? m_dialog.GetDlgItem(int(kCaptionStatic)) : nullptr)
        caption->SetWindowText(text);
}

HICON CSubViewQuery::LoadViewIcon(BOOL, BOOL big) const
{
    return LoadViewIconResource(IDI_QUERY_VIEW, big);
}

COLORREF CSubViewQuery::GetCaptionColour() const
{
    if (!m_query)
        return GetSysColor(COLOR_WINDOWTEXT);
    if (!m_query->IsCustom())
        return RGB(0, 0, 255);
    return m_query->IsReadOnly() ? RGB(255, 0, 0) : RGB(0, 128, 0);
}

// Tabs.

void CSubViewQuery::SelectTab(UINT command)
{
    SelectTabIndex(int(command) - int(ID_QUERY_TAB_FIRST));
}

void CSubViewQuery::SelectTabIndex(int index)
{
    if (index < kTabGeneral || index > kTabResults || !m_tabs.GetSafeHwnd())
        return;
    m_tabs.SetCurSel(index);
    ShowActiveTab();
}

void CSubViewQuery::ShowActiveTab()
{
    const int index = m_tabs.GetCurSel();
    for (CWnd* pane : std::initializer_list<CWnd*>{&m_general, &m_columns, &m_rows, &m_grid})
        pane->ShowWindow(SW_HIDE);
    m_activeTab = index;
    if (m_activeTab == kTabGeneral)
        m_general.ReloadType();
    if (CWnd* pane = ActivePane())
        pane->ShowWindow(SW_SHOW);
    if (m_activeTab == kTabRows)
        m_rows.ForwardToEditor();
    m_tabs.SetFocus();
}

// The pane's part.

void CSubViewQuery::GetTitle(std::string& title) const
{
    title = m_query ? m_query->GetName() : "<No Query>";
}

CObject* CSubViewQuery::GetSelection(const CRuntimeClass* cls, int* count) const
{
    if (count)
        *count = 0;
    if (m_activeTab != kTabResults)
        return nullptr;
    auto& grid = const_cast<CQryResultGrid&>(m_grid);
    bool several = false;
    CDataNode* node = grid.GetSelectedCell(cls, &several);
    if (count)
        *count = node ? (several ? 2 : 1) : 0;
    return node;
}

void CSubViewQuery::GetSelectedRecords(std::vector<CRecordNode*>& records) const
{
    records.clear();
    if (m_activeTab != kTabResults)
        return;
    auto& grid = const_cast<CQryResultGrid&>(m_grid);
    std::unordered_set<const CRecordNode*> seen;
    int position = 0;
    do {
        CRecordNode* record = grid.GetNextSelectedRecord(position);
        if (record && seen.insert(record).second)
            records.push_back(record);
    } while (position != 0);
}

void CSubViewQuery::OnUpdate(CView* sender, LPARAM hint, CObject* object)
{
    if (hint == kHintDiagramTextApplied || hint == kHintDisplayOptionsApplied ||
        hint == kHintTextSchemesReplaced)
        return;
    m_rows.OnQueryChanged(sender, hint, object);
    m_grid.OnDataChanged(long(hint));
}

void CSubViewQuery::OnActivate(BOOL activate, CView*, CView*)
{
    if (!activate)
        return;
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd())) {
        frame->ShowStatusBar(ID_STATUS_QUERY);
        frame->RebuildMenus(GetSubViewType());
    }
}

BOOL CSubViewQuery::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_bar.GetSafeHwnd() && m_bar.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWnd* pane = m_activeTab == kTabGeneral ? nullptr : ActivePane();
    if (pane && pane->GetSafeHwnd() && pane->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CSubView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
