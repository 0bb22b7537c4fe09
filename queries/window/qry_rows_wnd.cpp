// queries/window/qry_rows_wnd.cpp: the Rows pane: building it, the filter list, the editor tabs,
// Add, Update, the moves, Delete and the unsaved-changes check.
#include "queries/window/qry_rows_wnd.h"

#include "database/dictionary/field_def.h"
#include "platform/base/flag_guard.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "platform/ui/windows/cmd_ui.h"
#include "queries/query_def.h"
#include "queries/query_filter.h"
#include "queries/window/qry_dialogs.h"
#include "queries/window/query_save.h"
#include "queries/window/sub_view_query.h"

#include <algorithm>

namespace {

constexpr int kListPlaceholder = 1158, kEditorPlaceholder = 1140, kTabCtrlId = 1138,
              kToolBarPlaceholder = 1139;
constexpr UINT kListId = 5000, kToolBarId = 165;
constexpr int kMinColumnWidth = 4;

constexpr UINT kEditorIds[] = {kFilterWndGenId, kFilterWndRelsId, kFilterWndListId};

/// A cell of the list holds no tab or line break of its own.
std::string Cell(std::string text)
{
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

} // namespace

CQryRowsWnd::CQryRowsWnd(CSubViewQuery& window) : CQryPane(window)
{
    MapHandlers();
}

CQryRowsWnd::~CQryRowsWnd()
{
    m_loading = true;
    if (GetSafeHwnd())
        DestroyWindow();
}

CQueryDef* CQryRowsWnd::GetCurrentQuery() const
{
    return m_window.GetQuery();
}

bool CQryRowsWnd::IsEditable() const
{
    return IsQueryEditable(GetCurrentQuery());
}

// Building the pane.

int CQryRowsWnd::OnCreate(CREATESTRUCT* createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    m_window.GetDialogFont().GetLogFont(&m_font);
    CRect design;
    if (!BuildTemplate(205, design) || !GetTabs() || !CreateList() || !CreateEditors() ||
        !CreateToolBar())
        return -1;
    AnchorControls(design);
    return 0;
}

bool CQryRowsWnd::CreateList()
{
    CWnd* placeholder = GetDlgItem(kListPlaceholder);
    if (!placeholder)
        return false;
    const CRect place = PlaceInParent(*placeholder);
    if (!m_list.Create(TBF_FULL_ROW_SELECT, WS_EX_CLIENTEDGE, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                       place, this, kListId, this, 0, 0))
        return false;
    CRect client;
    m_list.GetClientRect(&client);
    const int width = client.Width();
    const int edges[] = {width * 2 / 3, width * 5 / 6, width};
    m_list.SetColumns("Filter\tParam.\tParameter Label\t", 2, 3, edges);
    m_list.SetTabOrderAfter(placeholder);
    placeholder->DestroyWindow();
    return true;
}

bool CQryRowsWnd::CreateEditors()
{
    CWnd* placeholder = GetDlgItem(kEditorPlaceholder);
    if (!placeholder)
        return false;
    const CRect place = PlaceInParent(*placeholder);
    placeholder->ShowWindow(SW_HIDE);
    for (std::size_t kind = 0; kind < m_editors.size(); ++kind) {
        m_editors[kind] = NewFilterEditor(FilterEditorKind(kind), *this);
        if (m_editors[kind] && !m_editors[kind]->Create(this, place, kEditorIds[kind]))
            return false;
    }
    return true;
}

bool CQryRowsWnd::CreateToolBar()
{
    CWnd* placeholder = GetDlgItem(kToolBarPlaceholder);
    if (!placeholder ||
        !m_toolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS, kToolBarId) ||
        !m_toolBar.LoadToolBar(kToolBarId))
        return false;
    const CRect place = PlaceInParent(*placeholder);
    CRect last;
    m_toolBar.GetItemRect(m_toolBar.GetCount() - 1, &last);
    m_toolBar.MoveWindow(place.left, place.top, last.right + 4, std::max(int(place.Height()), 22));
    placeholder->ShowWindow(SW_HIDE);
    return true;
}

void CQryRowsWnd::AnchorControls(const CRect& design)
{
    // The list takes what the window gains; the editors and their tabs keep their height at the
    // bottom, the buttons their place at the top right.
    m_layout.AddControl(this, &m_list, design, CDlgLayout::kNoChange, nullptr,
                        CDlgLayout::kNoChange, nullptr, CDlgLayout::kToBottom, nullptr,
                        CDlgLayout::kToRight, nullptr);
    std::vector<CWnd*> lower{GetTabs()};
    for (const auto& editor : m_editors)
        if (editor)
            lower.push_back(editor.get());
    for (CWnd* control : lower)
        m_layout.AddControl(this, control, design, CDlgLayout::kToBottom, nullptr,
                            CDlgLayout::kNoChange, nullptr, CDlgLayout::kToBottom, nullptr,
                            CDlgLayout::kToRight, nullptr);
    for (int id : {kRowsAddButton, kRowsUpdateButton})
        if (CWnd* button = GetDlgItem(id))
            m_layout.AddControl(this, button, design, CDlgLayout::kNoChange, nullptr,
                                CDlgLayout::kToRight, nullptr, CDlgLayout::kNoChange, nullptr,
                                CDlgLayout::kToRight, nullptr);
}

void CQryRowsWnd::OnSize(UINT type, int cx, int cy)
{
    CQryPane::OnSize(type, cx, cy);
    if (!m_list.GetSafeHwnd())
        return;
    const std::vector<CColumnInfo>& columns = m_list.GetHeader().GetColumns();
    if (columns.size() != 3)
        return;
    CRect client;
    m_list.GetClientRect(&client);
    const int param = columns[1].m_right - columns[0].m_right;
    const int label = columns[2].m_right - columns[1].m_right;
    const int filter = std::max(kMinColumnWidth, int(client.Width()) - param - label);
    const int edges[] = {filter, filter + std::max(kMinColumnWidth, param),
                         filter + std::max(kMinColumnWidth, param) +
                             std::max(kMinColumnWidth, label)};
    m_list.SetColumns("Filter\tParam.\tParameter Label\t", 2, 3, edges);
}

CTabCtrl* CQryRowsWnd::GetTabs() const
{
    return dynamic_cast<CTabCtrl*>(GetDlgItem(kTabCtrlId));
}

// The editors and their tabs.

CQryFilterWnd* CQryRowsWnd::GetEditor(FilterEditorKind kind) const
{
    return m_editors[std::size_t(kind)].get();
}

bool CQryRowsWnd::KindOfTab(int tab, FilterEditorKind& kind) const
{
    const CTabCtrl* tabs = GetTabs();
    if (!tabs || tab < 0 || tab >= tabs->GetItemCount())
        return false;
    kind = tab == 0                ? FilterEditorKind::General
           : tab == m_relationsTab ? FilterEditorKind::Relations
                                   : FilterEditorKind::List;
    return true;
}

CQryFilterWnd* CQryRowsWnd::EditorOfTab(int tab) const
{
    FilterEditorKind kind;
    return KindOfTab(tab, kind) ? GetEditor(kind) : nullptr;
}

CQryFilterWnd* CQryRowsWnd::GetShownEditor() const
{
    const CTabCtrl* tabs = GetTabs();
    return tabs ? EditorOfTab(tabs->GetCurSel()) : nullptr;
}

int CQryRowsWnd::TabOfFilter(const CAvFilter* filter) const
{
    if (!filter || dynamic_cast<const CAvFilterGen*>(filter))
        return 0;
    if (dynamic_cast<const CAvFilterRels*>(filter) && m_relationsTab >= 0)
        return m_relationsTab;
    return m_listTab;
}

void CQryRowsWnd::ShowEditor()
{
    for (const auto& editor : m_editors)
        if (editor)
            editor->ShowWindow(SW_HIDE);
    const int tab = GetTabs()->GetCurSel();
    CQryFilterWnd* before = EditorOfTab(m_currentTab);
    CQryFilterWnd* shown = EditorOfTab(tab);
    if (before && shown && before != shown) {
        bool exclude = false, unless = false;
        before->GetCondition(exclude, unless);
        shown->SetCondition(exclude, unless);
    }
    m_currentTab = tab;
    if (shown)
        shown->ShowWindow(SW_SHOW);
    if (!IsEditable())
        for (const auto& editor : m_editors)
            if (editor)
                editor->EnableControls(false);
    UpdateButtons();
}

void CQryRowsWnd::SelectEditorTab(int index)
{
    CTabCtrl* tabs = GetTabs();
    if (!tabs || index < 0 || index >= tabs->GetItemCount())
        return;
    tabs->SetCurSel(index);
    ShowEditor();
}

BOOL CQryRowsWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == UINT(kTabCtrlId) && header->code == TCN_SELCHANGE) {
        ShowEditor();
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, result);
}

void CQryRowsWnd::LoadEditors()
{
    // The editor of the row's kind first.
    CQryFilterWnd* own = EditorOfTab(TabOfFilter(m_current));
    if (own)
        own->LoadFilter();
    for (const auto& editor : m_editors)
        if (editor && editor.get() != own)
            editor->LoadFilter();
}

void CQryRowsWnd::ClearEditedMarks()
{
    for (const auto& editor : m_editors)
        if (editor)
            editor->SetChanged(false);
}

void CQryRowsWnd::UpdateButtons()
{
    const CQryFilterWnd* editor = GetShownEditor();
    const bool complete = editor && editor->IsComplete() && IsEditable();
    if (CWnd* update = GetDlgItem(kRowsUpdateButton))
        update->EnableWindow(complete && m_current);
    if (CWnd* add = GetDlgItem(kRowsAddButton))
        add->EnableWindow(complete);
}

void CQryRowsWnd::ForwardToEditor()
{
    if (CQryFilterWnd* editor = GetShownEditor())
        editor->RefreshChoices();
    UpdateButtons();
}

void CQryRowsWnd::OnQueryChanged(CView* sender, LPARAM hint, CObject* object)
{
    for (const auto& editor : m_editors)
        if (editor)
            editor->OnDataChanged(sender, hint, object);
}

// The list.

std::string CQryRowsWnd::RowText(const CAvFilter& filter)
{
    return Cell(filter.Describe()) + "\t" + (filter.IsParameter() ? "Yes" : "") + "\t" +
           Cell(filter.GetParameterLabel()) + "\t";
}

void CQryRowsWnd::LoadFromQuery()
{
    CQueryDef* query = nullptr;
    {
        const CFlagGuard loading(m_loading);
        m_list.GetBox().DeleteAllItems();
        CTabCtrl* tabs = GetTabs();
        if (!GetSafeHwnd() || !tabs)
            return;
        query = GetCurrentQuery();
        tabs->DeleteAllItems();
        m_current = nullptr;
        m_currentTab = -1;
        const bool individuals =
            query && query->GetRecordType() && query->GetRecordType()->GetTag() == "INDI";
        m_relationsTab = individuals ? 1 : -1;
        m_listTab = individuals ? 2 : 1;
        if (query) {
            tabs->InsertItem(0, "General");
            if (individuals)
                tabs->InsertItem(m_relationsTab, "Relations");
            tabs->InsertItem(m_listTab, "List");
            for (int i = 0; i < query->GetFilterCount(); ++i) {
                TreeBoxItem item;
                item.text = RowText(*query->GetFilter(i));
                item.data = reinterpret_cast<std::uintptr_t>(query->GetFilter(i));
                m_list.GetBox().InsertItem(nullptr, CTreeBox::kInsertLast, item);
            }
            if (query->GetFilterCount() > 0)
                SelectRowQuietly(0);
            tabs->SetCurSel(0);
        }
    }
    if (!query) {
        for (const auto& editor : m_editors)
            if (editor)
                editor->ShowWindow(SW_HIDE);
        return;
    }
    OnRowSelected();
    ShowEditor();
}

int CQryRowsWnd::GetSelectedRow() const
{
    return const_cast<CColBox&>(m_list).GetBox().GetSelectedTopIndex();
}

void CQryRowsWnd::SelectRowQuietly(int index)
{
    const CFlagGuard loading(m_loading);
    m_list.GetBox().SelectItem(m_list.GetBox().GetItemByIndex(index), true);
}

void CQryRowsWnd::SelectRow(int index)
{
    if (index == GetSelectedRow() || !CheckUnsaved())
        return;
    SelectRowQuietly(index);
    OnRowSelected();
}

void CQryRowsWnd::OnRowSelected()
{
    CTreeBoxNode* node = m_list.GetBox().GetItemByIndex(GetSelectedRow());
    m_current = node ? reinterpret_cast<CAvFilter*>(node->m_data) : nullptr;
    const int tab = TabOfFilter(m_current);
    if (tab != GetTabs()->GetCurSel()) {
        GetTabs()->SetCurSel(tab);
        ShowEditor();
    }
    LoadEditors();
    UpdateButtons();
}

void CQryRowsWnd::OnSelChanged(CColBox*)
{
    if (!m_loading)
        OnRowSelected();
}

bool CQryRowsWnd::OnButtonDown(CColBox*, CTreeBoxNode* node, UINT, int, int, int)
{
    if (!node || node == m_list.GetBox().GetItemByIndex(GetSelectedRow()))
        return true;
    return CheckUnsaved();
}

bool CQryRowsWnd::OnKeyDown(CColBox*, UINT virtKey, UINT, UINT)
{
    switch (virtKey) {
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
        return CheckUnsaved();
    default:
        return true;
    }
}

// Add, Update and the unsaved-changes check.

bool CQryRowsWnd::AddFilter()
{
    CQryFilterWnd* editor = GetShownEditor();
    CQueryDef* query = GetCurrentQuery();
    if (!IsEditable() || !editor) {
        ClearEditedMarks();
        return true;
    }
    bool added = false;
    std::unique_ptr<CAvFilter> made;
    if (GetTabs()->GetCurSel() == m_currentTab && editor->IsComplete() &&
        editor->SaveFilter(nullptr, made) && made) {
        CAvFilter* filter = made.get();
        query->AddFilter(std::move(made));
        TreeBoxItem item;
        item.text = RowText(*filter);
        item.data = reinterpret_cast<std::uintptr_t>(filter);
        m_list.GetBox().InsertItem(nullptr, CTreeBox::kInsertLast, item);
        SelectRowQuietly(query->GetFilterCount() - 1);
        m_current = filter;
        CommitQueryChange(*query);
        ClearEditedMarks();
        added = true;
    }
    UpdateButtons();
    return added;
}

bool CQryRowsWnd::UpdateFilter()
{
    CQryFilterWnd* editor = GetShownEditor();
    CQueryDef* query = GetCurrentQuery();
    bool updated = false;
    std::unique_ptr<CAvFilter> made;
    if (IsEditable() && editor && m_current && editor->IsComplete() &&
        editor->SaveFilter(m_current, made)) {
        CTreeBoxNode* node =
            m_list.GetBox().FindItemByData(reinterpret_cast<std::uintptr_t>(m_current));
        CAvFilter* filter = made ? made.get() : m_current;
        if (made)
            query->SetFilterAt(m_current, std::move(made));
        m_current = filter;
        if (node) {
            const std::string text = RowText(*filter);
            TreeBoxItemChange change;
            change.text = text.c_str();
            change.data = reinterpret_cast<std::uintptr_t>(filter);
            m_list.GetBox().SetItem(node, change);
        }
        CommitQueryChange(*query);
        ClearEditedMarks();
        updated = true;
    }
    UpdateButtons();
    return updated;
}

bool CQryRowsWnd::CheckUnsaved()
{
    CQryFilterWnd* editor = GetShownEditor();
    if (!IsEditable() || !editor || !editor->IsChanged())
        return true;
    CQryUnsavedDlg dialog(this);
    dialog.m_filterForm = true;
    dialog.m_addAllowed = editor->IsComplete();
    dialog.m_updateAllowed = dialog.m_addAllowed && GetSelectedRow() >= 0;
    switch (dialog.DoModal()) {
    case 1302:
        return UpdateFilter();
    case 1303:
        return AddFilter();
    case 1304:
        ClearEditedMarks();
        return true;
    default:
        return false;
    }
}

BOOL CQryRowsWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if ((id == kRowsAddButton || id == kRowsUpdateButton) && HIWORD(wParam) == BN_CLICKED &&
        lParam) {
        if (id == kRowsAddButton)
            AddFilter();
        else
            UpdateFilter();
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

// The toolbar's commands.

void CQryRowsWnd::MapHandlers()
{
    MapCommand(ID_ROWS_MOVE_UP, [this] { MoveRow(true); });
    MapCommand(ID_ROWS_MOVE_DOWN, [this] { MoveRow(false); });
    MapCommand(ID_ROWS_DELETE, [this] { DeleteRow(); });
    MapUpdate(ID_ROWS_MOVE_UP,
              [this](CCmdUI* state) { state->Enable(IsEditable() && GetSelectedRow() > 0); });
    MapUpdate(ID_ROWS_MOVE_DOWN, [this](CCmdUI* state) {
        const int row = GetSelectedRow();
        state->Enable(IsEditable() && row >= 0 && row < int(m_list.GetBox().GetCount()) - 1);
    });
    MapUpdate(ID_ROWS_DELETE,
              [this](CCmdUI* state) { state->Enable(IsEditable() && GetSelectedRow() >= 0); });
}

void CQryRowsWnd::MoveRow(bool up)
{
    const int row = GetSelectedRow();
    CQueryDef* query = GetCurrentQuery();
    if (!IsEditable() || row < 0)
        return;
    const int target = up ? row - 1 : row + 1;
    if (up)
        m_list.MoveItemUp(row);
    else
        m_list.MoveItemDown(row);
    if (GetSelectedRow() != target || !query->SwapFilters(row, target))
        return;
    m_current = query->GetFilter(target);
    CommitQueryChange(*query);
}

void CQryRowsWnd::DeleteRow()
{
    const int row = GetSelectedRow();
    CTreeBoxNode* node = m_list.GetBox().GetItemByIndex(row);
    CQueryDef* query = GetCurrentQuery();
    if (!IsEditable() || !node || reinterpret_cast<CAvFilter*>(node->m_data) != m_current)
        return;
    {
        const CFlagGuard loading(m_loading);
        query->RemoveFilter(m_current);
        m_current = nullptr;
        m_list.GetBox().DeleteItem(node);
    }
    const int count = int(m_list.GetBox().GetCount());
    if (count > 0)
        SelectRowQuietly(std::min(row, count - 1));
    OnRowSelected();
    CommitQueryChange(*query);
}
