// queries/window/qry_columns_wnd.cpp: the Columns tab: its parts, the column list kept in step with
// the query, the checks of Add and Update, moves, deletes and the unsaved-changes question.
#include "queries/window/qry_columns_wnd.h"

#include "controls/dialog_template_builder.h"
#include "database/dictionary/record_type_table.h"
#include "database/paths/data_path.h"
#include "platform/base/flag_guard.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/frames/menu.h"
#include "platform/ui/windows/cmd_ui.h"
#include "queries/query_def.h"
#include "queries/window/qry_dialogs.h"
#include "queries/window/query_save.h"
#include "queries/window/sub_view_query.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr UINT kTemplate = 203, kFieldBarResource = 161, kColumnBarResource = 160,
               kFieldBarId = 1900, kColumnBarId = 1901;
constexpr int kTreePlace = 1126, kFieldBarPlace = 1128, kListPlace = 1158, kColumnBarPlace = 1129,
              kColumnsLabel = 1001, kHeadingLabel = 1002, kExpressionLabel = 1003,
              kSortLabel = 1004;
constexpr int kMinColumnWidth = 4;
constexpr int kUpdateChoice = 1302, kAddChoice = 1303, kDiscardChoice = 1304;

/// One guard for every pane that reloads its fields on a list's selection change.
bool g_inSelectionChange = false;

/// Places a toolbar at the right end of its placeholder and hides the placeholder.
bool PlaceToolBar(CWnd& pane, CToolBar& bar, UINT resource, UINT id, int placeholder)
{
    CWnd* place = pane.GetDlgItem(placeholder);
    if (!place || !bar.Create(&pane, WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS, id) ||
        !bar.LoadToolBar(resource))
        return false;
    const CRect rect = PlaceInParent(*place);
    CRect last;
    bar.GetItemRect(bar.GetCount() - 1, &last);
    const int width = last.right + 10;
    bar.MoveWindow(rect.right - width, rect.top, width, std::max(int(rect.Height()), 22));
    place->ShowWindow(SW_HIDE);
    return true;
}

void SetControlText(CWnd& pane, int id, const std::string& text)
{
    if (CWnd* control = pane.GetDlgItem(id))
        control->SetWindowText(text);
}

std::string ControlText(CWnd& pane, int id)
{
    std::string text;
    if (CWnd* control = pane.GetDlgItem(id))
        control->GetWindowText(text);
    return text;
}

} // namespace

std::string FormatColumnRow(const CQueryColumn& column)
{
    std::string heading = text::Trim(column.m_heading);
    if (heading.empty())
        heading = "<no heading>";
    std::string expression;
    column.m_ref.Format(expression);
    const char* sort = column.m_sort == QCS_ASCENDING    ? "A"
                       : column.m_sort == QCS_DESCENDING ? "D"
                                                         : "";
    return text::Format("%s\t%s\t%s\t%s", heading, expression, sort, column.m_hidden ? "Y" : "");
}

CQryColsWnd::CQryColsWnd(CSubViewQuery& window) : CQryPane(window)
{
    MapHandlers();
}

CQryColsWnd::~CQryColsWnd()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

void CQryColsWnd::MapHandlers()
{
    MapCommand(ID_ADD_FIELD_AS_COLUMN, [this] { OnAddFieldAsColumn(); });
    MapUpdate(ID_ADD_FIELD_AS_COLUMN, [this](CCmdUI* state) {
        const CTreeBoxNode* item = SelectedTreeItem();
        state->Enable(IsEditable() && item && CTypeTree::ItemDef(item));
    });
    MapCommand(ID_FIELD_TREE_MENU, [this] { OnFieldTreeMenu(); });
    MapUpdate(ID_FIELD_TREE_MENU, [](CCmdUI* state) { state->Enable(); });
    MapCommand(ID_SHOW_LINKED_RECORDS, [this] {
        m_showLinked = !m_showLinked;
        m_tree.ShowLinkedRecords(m_showLinked);
    });
    MapCommand(ID_SHOW_QUALIFIERS, [this] {
        m_showQualifiers = !m_showQualifiers;
        m_tree.ShowQualifiers(m_showQualifiers);
    });
    MapCommand(ID_MOVE_COLUMN_UP, [this] { OnMoveColumn(true); });
    MapUpdate(ID_MOVE_COLUMN_UP,
              [this](CCmdUI* state) { state->Enable(IsEditable() && m_current > 0); });
    MapCommand(ID_MOVE_COLUMN_DOWN, [this] { OnMoveColumn(false); });
    MapUpdate(ID_MOVE_COLUMN_DOWN, [this](CCmdUI* state) {
        state->Enable(IsEditable() && m_current >= 0 && m_current < GetColumnCount() - 1);
    });
    MapCommand(ID_DELETE_COLUMN, [this] { OnDeleteColumn(); });
    MapUpdate(ID_DELETE_COLUMN,
              [this](CCmdUI* state) { state->Enable(IsEditable() && m_current >= 0); });
    MapNotify(kAdd, BN_CLICKED, [this] { ApplyFields(false); });
    MapNotify(kUpdate, BN_CLICKED, [this] { ApplyFields(true); });
    MapNotify(kHeading, EN_CHANGE, [this] { OnFieldEdited(); });
    MapNotify(kExpression, EN_CHANGE, [this] { OnFieldEdited(); });
    MapNotify(kSort, CBN_SELCHANGE, [this] { OnFieldEdited(); });
    MapNotify(kHidden, BN_CLICKED, [this] { OnFieldEdited(); });
}

// The parts.

int CQryColsWnd::OnCreate(CREATESTRUCT* createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    if (!BuildTemplate(kTemplate, m_templateRect) || !CreateParts())
        return -1;
    SetAnchors(m_templateRect);
    return 0;
}

bool CQryColsWnd::CreateParts()
{
    auto* sort = dynamic_cast<CComboBox*>(GetDlgItem(kSort));
    if (!sort)
        return false;
    for (const char* entry : {"None", "Ascending", "Descending"})
        if (sort->AddString(entry) < 0)
            return false;
    sort->SetCurSel(QCS_NONE);
    if (!PlaceToolBar(*this, m_fieldBar, kFieldBarResource, kFieldBarId, kFieldBarPlace) ||
        !PlaceToolBar(*this, m_columnBar, kColumnBarResource, kColumnBarId, kColumnBarPlace))
        return false;

    CWnd* treePlace = GetDlgItem(kTreePlace);
    CWnd* listPlace = GetDlgItem(kListPlace);
    if (!treePlace || !listPlace)
        return false;
    const CQueryDef* query = m_window.GetQuery();
    const std::uint32_t mask = query ? GetRecordTypeMask(query->GetRecordType()) : 0;
    if (!m_tree.Create(this, PlaceInParent(*treePlace), kFieldTree,
                       WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP,
                       TTF_SINGLE_TYPE | TTF_LINKED_RECORDS | TTF_QUALIFIERS, mask, this))
        return false;
    m_tree.SetTabOrderAfter(treePlace);
    treePlace->ShowWindow(SW_HIDE);

    const CRect listRect = PlaceInParent(*listPlace);
    if (!m_list.Create(TBF_FULL_ROW_SELECT, WS_EX_CLIENTEDGE,
                       WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, listRect, this, kColumnList,
                       this, 0, 0))
        return false;
    m_list.SetTabOrderAfter(listPlace);
    const int width = listRect.Width();
    const int edges[] = {width / 4, width / 2, width * 3 / 4, width};
    m_list.SetColumns("Heading\tExpression\tSort\tHidden", 2, 4, edges);
    m_list.GetHeader().SetColumnsEnabled(false);
    listPlace->DestroyWindow();
    m_tree.MeasureItemText(&m_window.GetDialogFont(), false, false);
    return true;
}

void CQryColsWnd::SetAnchors(const CRect& design)
{
    using L = CDlgLayout;
    const auto anchor = [&](CWnd* control, int top, int bottom, int left, CWnd* leftRef, int right,
                            CWnd* rightRef) {
        if (control)
            m_layout.AddControl(this, control, design, top, nullptr, left, leftRef, bottom, nullptr,
                                right, rightRef);
    };
    CWnd* tree = &m_tree;
    // The tree takes a share of the width; the column side follows its right edge.
    anchor(tree, L::kNoChange, L::kToBottom, L::kNoChange, nullptr, L::kProportional, nullptr);
    anchor(GetDlgItem(kTip), L::kToBottom, L::kToBottom, L::kNoChange, nullptr, L::kToRight, tree);
    anchor(&m_fieldBar, L::kNoChange, L::kNoChange, L::kToRight, tree, L::kToRight, tree);
    anchor(GetDlgItem(kColumnsLabel), L::kNoChange, L::kNoChange, L::kToRight, tree, L::kToRight,
           tree);
    anchor(&m_columnBar, L::kNoChange, L::kNoChange, L::kToRight, nullptr, L::kToRight, nullptr);
    anchor(&m_list, L::kNoChange, L::kToBottom, L::kToRight, tree, L::kToRight, nullptr);
    for (int id : {kHeadingLabel, kExpressionLabel, kSortLabel, kSort, kHidden})
        anchor(GetDlgItem(id), L::kToBottom, L::kToBottom, L::kToRight, tree, L::kToRight, tree);
    for (int id : {kHeading, kExpression})
        anchor(GetDlgItem(id), L::kToBottom, L::kToBottom, L::kToRight, tree, L::kToRight, nullptr);
    for (int id : {kAdd, kUpdate})
        anchor(GetDlgItem(id), L::kToBottom, L::kToBottom, L::kToRight, nullptr, L::kToRight,
               nullptr);
}

void CQryColsWnd::OnSize(UINT type, int cx, int cy)
{
    CQryPane::OnSize(type, cx, cy);
    ShareColumnWidths();
}

void CQryColsWnd::ShareColumnWidths()
{
    if (!m_list.GetSafeHwnd())
        return;
    CColumnHeader& header = m_list.GetHeader();
    if (header.GetColumnCount() < 4)
        return;
    const int w0 = header.GetColumnWidth(0), w1 = header.GetColumnWidth(1);
    const int w2 = header.GetColumnWidth(2), w3 = header.GetColumnWidth(3);
    CRect client;
    m_list.GetBox().GetClientRect(&client);
    const int space = client.Width() - w2 - w3;
    const int heading = w0 + w1 > 0 ? int(std::lround(double(space) * w0 / (w0 + w1))) : space / 2;
    header.SetColumnPos(0, std::max(kMinColumnWidth, heading));
    header.SetColumnPos(1, std::max(kMinColumnWidth, space - heading));
    m_list.GetBox().RecalcLayout();
    m_list.GetBox().RedrawAll();
}

BOOL CQryColsWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    // A toolbar click that raced an update does nothing when the command is disabled now.
    if (HIWORD(wParam) == 0 && lParam == 0) {
        CCmdUI state;
        state.m_nID = id;
        if (OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr) && !state.IsEnabled())
            return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

// Loading.

bool CQryColsWnd::IsEditable() const
{
    const CQueryDef* query = m_window.GetQuery();
    return query && query->IsCustom() && !query->IsReadOnly();
}

void CQryColsWnd::LoadFromQuery()
{
    if (!GetSafeHwnd())
        return;
    const CQueryDef* query = m_window.GetQuery();
    m_list.GetBox().DeleteAllItems();
    m_current = -1;
    m_tree.FillRecordTypes(query ? GetRecordTypeMask(query->GetRecordType()) : 0);
    // The description follows the refilled tree, not a field of the query shown before.
    OnTypeTreeSelChanged(&m_tree);
    if (query)
        for (const auto& column : query->GetColumns())
            AddRow(*column);
    m_current = -2;
    LoadFields();
}

void CQryColsWnd::AddRow(const CQueryColumn& column)
{
    m_list.GetBox().InsertItem(nullptr, CTreeBox::kInsertLast, {.text = FormatColumnRow(column)});
}

int CQryColsWnd::GetColumnCount() const
{
    return m_list.GetSafeHwnd() ? int(const_cast<CColBox&>(m_list).GetBox().GetCount()) : 0;
}

CQueryColumn* CQryColsWnd::GetQueryColumn(int index) const
{
    const CQueryDef* query = m_window.GetQuery();
    return query && index >= 0 ? query->GetColumn(index, false) : nullptr;
}

int CQryColsWnd::SelectedRow() const
{
    CTreeBox& box = const_cast<CColBox&>(m_list).GetBox();
    const CTreeBoxNode* node = box.GetNextSelected(nullptr);
    return node ? box.GetItemRow(node) : -1;
}

void CQryColsWnd::LoadFields()
{
    if (g_inSelectionChange)
        return;
    const CFlagGuard changing(g_inSelectionChange);
    const CFlagGuard loading(m_loading);
    const bool editable = IsEditable();
    const int row = SelectedRow();
    if (row != m_current) {
        m_current = row;
        const CQueryColumn* column = GetQueryColumn(row);
        std::string expression;
        if (column)
            column->m_ref.Format(expression);
        SetControlText(*this, kHeading, column ? column->m_heading : std::string());
        SetControlText(*this, kExpression, expression);
        if (auto* sort = dynamic_cast<CComboBox*>(GetDlgItem(kSort)))
            sort->SetCurSel(column ? column->m_sort : QCS_NONE);
        if (auto* hidden = dynamic_cast<CButton*>(GetDlgItem(kHidden)))
            hidden->SetCheck(column && column->m_hidden ? BST_CHECKED : BST_UNCHECKED);
    }
    if (CWnd* update = GetDlgItem(kUpdate))
        update->EnableWindow(editable && m_current >= 0);
    for (int id : {kHeading, kExpression, kSort, kHidden, kAdd})
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(editable);
    m_edited = false;
}

void CQryColsWnd::OnFieldEdited()
{
    if (!m_loading)
        m_edited = true;
}

// The field tree.

CTreeBoxNode* CQryColsWnd::SelectedTreeItem() const
{
    CTreeBoxNode* item = m_tree.GetSafeHwnd() ? m_tree.GetFocusItem() : nullptr;
    return item && item->m_selected ? item : nullptr;
}

void CQryColsWnd::OnTypeTreeSelChanged(CTypeTree*)
{
    std::string tip;
    if (const CTreeBoxNode* item = SelectedTreeItem())
        m_tree.GetShortcutTip(item, tip);
    SetControlText(*this, kTip, tip);
}

void CQryColsWnd::OnTypeTreeItemActivated(CTypeTree*, CTreeBoxNode*)
{
    OnAddFieldAsColumn();
}

void CQryColsWnd::OnAddFieldAsColumn()
{
    CQueryDef* query = m_window.GetQuery();
    const CTreeBoxNode* item = SelectedTreeItem();
    std::string path;
    if (!query || !IsEditable() || !item || !m_tree.BuildDataRefPath(item, path, false, false))
        return;
    auto column = std::make_unique<CQueryColumn>();
    if (!column->m_ref.SetText(path))
        return;
    // The heading names the field by its labels below the record: "Birth.Date",
    // "Father.Birth.Date"; a qualifier follows in brackets.
    if (const CDataPath* parsed = column->m_ref.GetPath())
        parsed->FormatRelation(column->m_heading, true);
    if (column->m_heading.empty())
        column->m_heading = m_tree.GetItemLabel(item);
    column->m_width = kDefaultColumnWidth;
    AddRow(*column);
    query->AddColumn(std::move(column));
    CommitQueryChange(*query);
}

void CQryColsWnd::OnFieldTreeMenu()
{
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    menu.AppendMenu(MF_STRING | (m_showLinked ? MF_CHECKED : MF_UNCHECKED), ID_SHOW_LINKED_RECORDS,
                    "Show &Linked Records");
    menu.AppendMenu(MF_STRING | (m_showQualifiers ? MF_CHECKED : MF_UNCHECKED), ID_SHOW_QUALIFIERS,
                    "Show &Qualifiers");
    CRect button;
    m_fieldBar.GetItemRect(m_fieldBar.CommandToIndex(ID_FIELD_TREE_MENU), &button);
    CPoint corner(button.left, button.bottom);
    m_fieldBar.ClientToScreen(&corner);
    const UINT chosen = UINT(menu.TrackPopupMenu(
        TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD, corner.x, corner.y, this));
    if (chosen)
        OnCmdMsg(chosen, CN_COMMAND, nullptr, nullptr);
}

// The column list.

bool CQryColsWnd::OnButtonDown(CColBox*, CTreeBoxNode* node, UINT, int, int, int)
{
    return !node || m_list.GetBox().GetItemRow(node) == m_current || CheckUnsaved();
}

bool CQryColsWnd::OnKeyDown(CColBox*, UINT virtKey, UINT, UINT)
{
    switch (virtKey) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
        return CheckUnsaved();
    default:
        return true;
    }
}

void CQryColsWnd::OnSelChanged(CColBox*)
{
    LoadFields();
}

bool CQryColsWnd::ApplyFields(bool update)
{
    CQueryDef* query = m_window.GetQuery();
    if (!query || !IsEditable()) {
        if (update)
            m_edited = false;
        return true;
    }
    if (update && (m_current < 0 || m_current >= GetColumnCount()))
        return true;
    const std::string expression = ControlText(*this, kExpression);
    const std::string heading = ControlText(*this, kHeading);
    CDataRef ref;
    const char* failure = nullptr;
    if (expression.empty())
        failure = "Missing expression.";
    else if (!ref.SetText(expression))
        failure = expression.starts_with('=')
                      ? "The expression entered is not recognised as a valid function, or some "
                        "parameters were entered incorrectly."
                      : "The expression entered is not recognised as a valid tag 'address'.";
    else if (!ref.IsValidForRecordType(query->GetRecordType()))
        failure = ref.GetPath() ? "Invalid data reference for the current query type."
                                : "Invalid expression for the current query type.";
    if (failure) {
        MessageBox(failure);
        if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(kExpression))) {
            edit->SetFocus();
            edit->SetSel(0, -1);
        }
        return false;
    }
    std::unique_ptr<CQueryColumn> added;
    CQueryColumn* column = update ? GetQueryColumn(m_current) : nullptr;
    if (!column) {
        added = std::make_unique<CQueryColumn>();
        added->m_width = kDefaultColumnWidth;
        column = added.get();
    }
    column->m_heading = heading;
    column->m_ref = ref;
    const auto* sort = dynamic_cast<CComboBox*>(GetDlgItem(kSort));
    const int sortIndex = sort ? sort->GetCurSel() : -1;
    column->m_sort =
        sortIndex == QCS_ASCENDING || sortIndex == QCS_DESCENDING ? sortIndex : QCS_NONE;
    const auto* hidden = dynamic_cast<CButton*>(GetDlgItem(kHidden));
    column->m_hidden = hidden && hidden->GetCheck() == BST_CHECKED;
    if (added) {
        AddRow(*added);
        query->AddColumn(std::move(added));
    } else if (CTreeBoxNode* row = m_list.GetBox().GetItemByIndex(m_current)) {
        const std::string text = FormatColumnRow(*column);
        m_list.GetBox().SetItem(row, {.text = text.c_str()});
    }
    CommitQueryChange(*query);
    m_edited = false;
    return true;
}

void CQryColsWnd::OnMoveColumn(bool up)
{
    CQueryDef* query = m_window.GetQuery();
    const int from = m_current;
    const int to = up ? from - 1 : from + 1;
    if (!query || !IsEditable() || from < 0 || to < 0 || to >= GetColumnCount())
        return;
    if (up)
        m_list.MoveItemUp(from);
    else
        m_list.MoveItemDown(from);
    auto& columns = query->MutableColumns();
    if (SelectedRow() == to && std::size_t(std::max(from, to)) < columns.size())
        std::swap(columns[std::size_t(from)], columns[std::size_t(to)]);
    m_current = SelectedRow();
    CommitQueryChange(*query);
}

void CQryColsWnd::OnDeleteColumn()
{
    CQueryDef* query = m_window.GetQuery();
    if (!query || !IsEditable() || m_current < 0)
        return;
    const int row = m_current;
    auto& columns = query->MutableColumns();
    if (SelectedRow() == row && std::size_t(row) < columns.size()) {
        columns.erase(columns.begin() + row);
        CommitQueryChange(*query);
    }
    if (CTreeBoxNode* node = m_list.GetBox().GetItemByIndex(row))
        m_list.GetBox().DeleteItem(node);
    m_current = -2;
    LoadFields();
}

bool CQryColsWnd::CheckUnsaved()
{
    if (!m_edited || !IsEditable())
        return true;
    CQryUnsavedDlg dialog(this);
    dialog.m_updateAllowed = m_current >= 0 && m_current < GetColumnCount();
    switch (dialog.DoModal()) {
    case kUpdateChoice:
        return ApplyFields(true);
    case kAddChoice:
        return ApplyFields(false);
    case kDiscardChoice:
        m_edited = false;
        return true;
    default:
        return false;
    }
}
