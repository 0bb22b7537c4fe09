// queries/window/qry_bar.cpp: the query bar: its controls, the query combo, the enabling of its
// commands, the Query Menu and the commands that make, save and delete custom queries.
#include "queries/window/qry_bar.h"

#include "app/shell/av_view.h"
#include "controls/dialog_template_builder.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/frames/menu.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/cmd_ui.h"
#include "platform/ui/windows/cursor.h"
#include "platform/ui/windows/sys_metrics.h"
#include "queries/lists/named_list_dlgs.h"
#include "queries/named_list.h"
#include "queries/query_def.h"
#include "queries/query_run.h"
#include "queries/window/qry_dialogs.h"
#include "queries/window/query_files.h"
#include "queries/window/sub_view_query.h"

#include <algorithm>

namespace {

constexpr UINT kComboId = 1161, kLabelId = 1160, kPlaceholderId = 1139, kToolBarId = 59392;
constexpr UINT kToolBarResource = 166, kQueryMenuResource = 212;

} // namespace

std::string CQryBar::EntryText(const std::string& name, bool custom)
{
    return custom ? name + kCustomQuerySuffix : name;
}

int GetSelectedQueryName(CComboBox& combo, std::string& name, bool& custom)
{
    const int index = combo.GetCurSel();
    name.clear();
    custom = false;
    if (index < 0)
        return index;
    std::string text;
    combo.GetLBText(index, text);
    custom = combo.GetItemData(index) != 0;
    name = custom ? QueryNameFromEntry(text) : text;
    return index;
}

// The toolbar.

// The toolbar takes no mouse capture while busy: a captured bar gets the clicks itself, so its
// Cancel button would never be pressed. The run's input filter drops the mouse elsewhere. Over
// the toolbar the pointer stays the arrow, so that Cancel looks like the button it is.
void CQryBarToolBar::BeginBusy()
{
    m_busy = true;
    BeginWaitCursor();
    SetWaitCursorExemption(this);
}

void CQryBarToolBar::EndBusy()
{
    m_busy = false;
    SetWaitCursorExemption(nullptr);
    EndWaitCursor();
}

// The bar.

CQryBar::CQryBar(CSubViewQuery& window) : m_window(window)
{
    MapHandlers();
}

CQryBar::~CQryBar()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CQryBar::Create(CWnd* parent, UINT id)
{
    return CreateEx(0, "AvQueryBar", "Query Bar", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                    CRect(0, 0, 400, 30), parent, id);
}

int CQryBar::OnCreate(CREATESTRUCT* createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    CDlgTemplateBuilder builder(210, nullptr);
    if (!builder.CreateControls(*this, m_controls))
        return -1;
    CRect bar;
    builder.GetTemplateRect(bar);
    m_barHeight = bar.Height();
    m_combo = dynamic_cast<CComboBox*>(GetDlgItem(int(kComboId)));
    CWnd* placeholder = GetDlgItem(int(kPlaceholderId));
    if (!m_combo || !placeholder)
        return -1;
    if (!m_toolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS, kToolBarId) ||
        !m_toolBar.LoadToolBar(kToolBarResource))
        return -1;
    const CRect place = PlaceInParent(*placeholder);
    const CRect combo = PlaceInParent(*m_combo);
    CRect last;
    m_toolBar.GetItemRect(m_toolBar.GetCount() - 1, &last);
    const int width = last.right + 10;
    const int gap = place.left - combo.right;
    m_toolBar.MoveWindow(place.right - width, place.top, width, std::max(place.Height(), 22));
    m_combo->MoveWindow(combo.left, combo.top, std::max(40, place.right - width - gap - combo.left),
                        combo.Height());
    placeholder->ShowWindow(SW_HIDE);
    m_barHeight = std::max(m_barHeight, std::max(int(place.Height()), 22) + int(place.top));
    return 0;
}

void CQryBar::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (!m_combo || !m_toolBar.GetSafeHwnd())
        return;
    const CRect tools = PlaceInParent(m_toolBar);
    const CRect combo = PlaceInParent(*m_combo);
    const int gap = 6;
    m_toolBar.MoveWindow(std::max(int(combo.left) + 40 + gap, cx - tools.Width()), tools.top,
                         tools.Width(), tools.Height());
    m_combo->MoveWindow(combo.left, combo.top,
                        std::max(40, cx - tools.Width() - gap - int(combo.left)), combo.Height());
}

BOOL CQryBar::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

BOOL CQryBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == kComboId && code == CBN_DROPDOWN) {
        ListQueryFiles(*m_combo, false, nullptr);
        return TRUE;
    }
    if (id == kComboId && code == CBN_SELCHANGE) {
        OnSelChangeQuery();
        return TRUE;
    }
    // A command that is disabled now (a toolbar click that raced an update) does nothing.
    if (code == 0 && lParam == 0) {
        CCmdUI state;
        state.m_nID = id;
        if (OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr) && !state.IsEnabled())
            return TRUE;
    }
    if (OnCmdMsg(id, CN_COMMAND, nullptr, nullptr))
        return TRUE;
    // Print, Print Preview and the tab commands reach the window and its view.
    return m_window.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr) ||
           (m_window.GetParent() &&
            m_window.GetParent()->OnCmdMsg(id, CN_COMMAND, nullptr, nullptr));
}

bool CQryBar::HasQuery() const
{
    return m_window.GetQuery() != nullptr;
}

bool CQryBar::OnResults() const
{
    return m_window.GetActiveTab() == kTabResults;
}

bool CQryBar::HasRows() const
{
    return m_window.GetResultGrid().GetRowCount() > 0;
}

CQueryDef* CQryBar::GetRunningQuery() const
{
    return m_run ? m_run->GetQuery().get() : nullptr;
}

void CQryBar::MapHandlers()
{
    const auto rule = [this](UINT id, std::function<bool()> enabled) {
        MapUpdate(id, [enabled](CCmdUI* state) { state->Enable(enabled()); });
    };
    const auto idleWithQuery = [this] { return IsIdle() && HasQuery(); };
    const auto onResults = [this] { return IsIdle() && HasQuery() && OnResults(); };
    const auto withRows = [this] { return IsIdle() && HasQuery() && OnResults() && HasRows(); };
    rule(ID_RUN_QUERY, idleWithQuery);
    rule(ID_RUN_INVERTED, idleWithQuery);
    rule(ID_CANCEL_QUERY, [this] {
        CQueryDef* running = GetRunningQuery();
        return running && !running->CancelledFlag().load();
    });
    rule(ID_QUERY_MENU, [this] { return IsIdle(); });
    rule(ID_NEW_CUSTOM_QUERY, [] { return true; });
    rule(ID_SAVE_AS_CUSTOM_QUERY, [this] { return HasQuery(); });
    rule(ID_DELETE_CUSTOM_QUERY, [this] {
        const CQueryDef* query = m_window.GetQuery();
        return IsIdle() && query && query->IsCustom() && !query->IsReadOnly();
    });
    rule(ID_FILE_PRINT, onResults);
    rule(ID_FILE_PRINT_PREVIEW, onResults);
    rule(ID_SAVE_RESULTS, onResults);
    rule(ID_EDIT_COPY, withRows);
    rule(ID_ADD_RESULTS_TO_LIST, withRows);
    rule(ID_REMOVE_RESULTS_FROM_LIST, withRows);

    MapCommand(ID_RUN_QUERY, [this] { RunQuery(true, false); });
    MapCommand(ID_RUN_INVERTED, [this] { RunQuery(true, true); });
    MapCommand(ID_CANCEL_QUERY, [this] { OnCancelQuery(); });
    MapCommand(ID_QUERY_MENU, [this] { OnQueryMenu(); });
    MapCommand(ID_NEW_CUSTOM_QUERY, [this] { OnNewCustomQuery(); });
    MapCommand(ID_SAVE_AS_CUSTOM_QUERY, [this] { OnSaveAsCustomQuery(); });
    MapCommand(ID_DELETE_CUSTOM_QUERY, [this] { OnDeleteCustomQuery(); });
    MapCommand(ID_SAVE_RESULTS, [this] { m_window.GetResultGrid().SaveResultSet(); });
    MapCommand(ID_EDIT_COPY, [this] { m_window.GetResultGrid().CopySelection(); });
    MapCommand(ID_ADD_RESULTS_TO_LIST, [this] { OnAddToNamedList(true); });
    MapCommand(ID_REMOVE_RESULTS_FROM_LIST, [this] { OnAddToNamedList(false); });
    const auto print = [this](bool preview) {
        auto* view = dynamic_cast<CAvView*>(m_window.GetParent());
        if (!view || !HasQuery() || !OnResults())
            return;
        if (preview)
            view->OnFilePrintPreview();
        else
            view->OnFilePrint();
    };
    MapCommand(ID_FILE_PRINT, [print] { print(false); });
    MapCommand(ID_FILE_PRINT_PREVIEW, [print] { print(true); });
}

// The combo.

void CQryBar::ResetQueryCombo()
{
    ListQueryFiles(*m_combo, false, nullptr);
    if (m_combo->GetCount() > 0) {
        m_combo->SetCurSel(0);
        OnSelChangeQuery();
    }
}

void CQryBar::OnSelChangeQuery()
{
    if (!m_window.CommitActivePage()) {
        SyncComboWithQuery();
        return;
    }
    std::string name;
    bool custom = false;
    if (GetSelectedQueryName(*m_combo, name, custom) < 0 || name.empty()) {
        SyncComboWithQuery();
        return;
    }
    std::string error;
    std::shared_ptr<CQueryDef> query = FindOrLoadQuery(name, custom, error);
    if (!query) {
        MessageBox(error);
        SyncComboWithQuery();
        return;
    }
    m_window.SetQuery(std::move(query), true);
}

void CQryBar::SyncComboWithQuery()
{
    if (!m_combo)
        return;
    std::string name;
    bool custom = false;
    const int index = GetSelectedQueryName(*m_combo, name, custom);
    const CQueryDef* query = m_window.GetQuery();
    if (!query) {
        if (index >= 0)
            m_combo->SetCurSel(-1);
        return;
    }
    if (index >= 0 && name == query->GetName() && custom == query->IsCustom())
        return;
    SelectQueryEntry(query->GetName(), query->IsCustom());
}

int CQryBar::AddQueryEntry(const std::string& name, bool custom)
{
    const std::string label = EntryText(name, custom);
    for (int i = 0; i < m_combo->GetCount(); ++i) {
        std::string text;
        m_combo->GetLBText(i, text);
        if (text == label && (m_combo->GetItemData(i) != 0) == custom)
            return i;
    }
    const int index = m_combo->AddString(label.c_str());
    m_combo->SetItemData(index, custom ? 1 : 0);
    return index;
}

void CQryBar::SelectQueryEntry(const std::string& name, bool custom)
{
    m_combo->SetCurSel(AddQueryEntry(name, custom));
}

// The Query Menu and the commands on a query as a whole.

void CQryBar::OnQueryMenu()
{
    if (!IsIdle())
        return;
    CMenu menu;
    if (!menu.LoadMenu(kQueryMenuResource))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    const CQueryDef* query = m_window.GetQuery();
    const auto enable = [popup](UINT id, bool on) {
        popup->EnableMenuItem(id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(ID_NEW_CUSTOM_QUERY, true);
    enable(ID_REMOVE_RESULTS_FROM_LIST, true);
    enable(ID_SAVE_AS_CUSTOM_QUERY, query != nullptr);
    enable(ID_RUN_INVERTED, query != nullptr);
    enable(ID_DELETE_CUSTOM_QUERY, query && query->IsCustom() && !query->IsReadOnly());
    enable(ID_ADD_RESULTS_TO_LIST, query && OnResults() && HasRows());
    const int button = m_toolBar.CommandToIndex(ID_QUERY_MENU);
    CRect place;
    m_toolBar.GetItemRect(button, &place);
    CPoint corner(place.left, place.bottom);
    m_toolBar.ClientToScreen(&corner);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, corner.x, corner.y, this);
}

void CQryBar::OnNewCustomQuery()
{
    if (!m_window.CommitActivePage())
        return;
    CQryNewDlg dialog(this);
    if (dialog.DoModal() == IDOK && dialog.m_query)
        m_window.SetQuery(std::move(dialog.m_query), false);
}

void CQryBar::OnSaveAsCustomQuery()
{
    std::shared_ptr<CQueryDef> query = m_window.GetQueryPtr();
    if (!query || !m_window.CommitActivePage())
        return;
    CQrySaveAsDlg dialog(*query, this);
    if (dialog.DoModal() != IDOK)
        return;
    std::string name;
    bool custom = false;
    const int index = GetSelectedQueryName(*m_combo, name, custom);
    if (index >= 0 && text::EqualsNoCase(name, query->GetName()) && custom == query->IsCustom())
        return;
    m_combo->SetCurSel(AddQueryEntry(query->GetName(), query->IsCustom()));
    OnSelChangeQuery();
}

void CQryBar::OnDeleteCustomQuery()
{
    const CQueryDef* query = m_window.GetQuery();
    if (!query || !query->IsCustom() || query->IsReadOnly())
        return;
    if (MessageBox("If you delete this query it will no longer be available to be used - not just "
                   "with the current tree file, but with any tree file.\n\nDo you wish to "
                   "proceed?",
                   MB_OKCANCEL) != IDOK)
        return;
    // A file that cannot be removed keeps its query and its entry.
    if (!m_window.FreeQuery())
        return;
    const int index = m_combo->GetCurSel();
    if (index >= 0) {
        m_combo->DeleteString(UINT(index));
        const int count = m_combo->GetCount();
        m_combo->SetCurSel(count == 0 ? -1 : std::min(index, count - 1));
    }
    if (m_combo->GetCurSel() >= 0)
        OnSelChangeQuery();
    else
        m_window.SetQuery(nullptr, true);
    // With no entry left, or one whose file no longer loads, the window shows a query still
    // loaded when there is one.
    if (!m_window.GetQuery())
        m_window.SetQuery(FirstLoadedQuery(), false);
}

void CQryBar::OnAddToNamedList(bool add)
{
    if (!IsIdle() || !HasQuery() || !OnResults() || !HasRows())
        return;
    CAddToNamedListDlg dialog(add, this);
    if (dialog.DoModal() != IDOK)
        return;
    CQryResultGrid& grid = m_window.GetResultGrid();
    {
        CWaitCursor wait;
        CNamedList* list = add ? GetNamedList(dialog.m_name, true) : FindNamedList(dialog.m_name);
        if (!list)
            return;
        if (add && dialog.m_replace)
            RemoveAllFromNamedList(list);
        std::vector<CRecordNode*> records;
        records.reserve(std::size_t(grid.GetRowCount()));
        for (int row = 0; row < grid.GetRowCount(); ++row)
            records.push_back(grid.GetRowRecord(row));
        if (add)
            AddManyToNamedList(list, records);
        else
            RemoveManyFromNamedList(list, records);
    }
    NotifyNamedListsChanged();
}
