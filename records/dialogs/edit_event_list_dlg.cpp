// records/dialogs/edit_event_list_dlg.cpp: the Edit List dialog.
#include "records/dialogs/edit_event_list_dlg.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/fields/custom_attr_node.h"
#include "database/nodes/custom_event_node.h"
#include "database/records/record_id_state.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "records/dialogs/custom_name_dlg.h"

#include <algorithm>

namespace {

constexpr UINT kUpBitmap = 235, kDownBitmap = 236;
constexpr int kArrowSize = 16;
constexpr DWORD kPaneStyle = WS_CHILD | WS_BORDER | WS_TABSTOP;

const CFieldDef* RecordDef(bool isFamily)
{
    return GetRecordTypeDef(isFamily ? RECORD_LIST_FAM : RECORD_LIST_INDI);
}

/// The entry a row stands for: data the field id, data2 the custom kind, the first cell the name.
CEventListEntry EntryOf(const CTreeBoxNode* row)
{
    CEventListEntry entry;
    entry.m_fieldId = int(row->m_data);
    entry.m_customKind = int(row->m_data2);
    if (entry.m_fieldId == 0)
        entry.m_customName = row->m_text.str().substr(0, row->m_text.str().find('\t'));
    return entry;
}

bool SameKind(const CEventListEntry& a, const CEventListEntry& b)
{
    if (a.m_fieldId || b.m_fieldId)
        return a.m_fieldId == b.m_fieldId;
    return a.m_customKind == b.m_customKind && text::EqualsNoCase(a.m_customName, b.m_customName);
}

void AddRow(CColBox& pane, const std::string& text, const CEventListEntry& entry)
{
    pane.GetBox().InsertItem(nullptr, CTreeBox::kInsertLast,
                             {.text = text,
                              .data = std::uintptr_t(entry.m_fieldId),
                              .data2 = std::uintptr_t(entry.m_customKind)});
}

std::vector<CTreeBoxNode*> SelectedRows(CColBox& pane)
{
    std::vector<CTreeBoxNode*> rows;
    for (CTreeBoxNode* row = pane.GetBox().GetNextSelected(nullptr); row;
         row = pane.GetBox().GetNextSelected(row))
        rows.push_back(row);
    return rows;
}

} // namespace

std::string ChosenRowText(const CEventListEntry& entry, bool isFamily)
{
    const char* kinds[] = {"", "Event", "Attribute"};
    if (entry.m_fieldId > 0) {
        const CFieldDef* recordDef = RecordDef(isFamily);
        const CFieldDef* def = recordDef ? FindChildDefById(recordDef, entry.m_fieldId) : nullptr;
        if (!def || !(def->HasFlag(FDF_EVENT) || def->HasFlag(FDF_ATTRIBUTE)))
            return {};
        return def->GetLabel() + "\t" + (def->HasFlag(FDF_EVENT) ? "Event" : "Attribute") + "\t\t";
    }
    if (entry.m_customName.empty() || (entry.m_customKind != 1 && entry.m_customKind != 2))
        return {};
    return entry.m_customName + "\t" + kinds[entry.m_customKind] + "\tCustom\t";
}

CEditEventListDlg::CEditEventListDlg(std::vector<CEventListEntry>& list, bool isFamily,
                                     CWnd* parent)
    : CDialog(kEditEventListTemplate, parent), m_list(list), m_isFamily(isFamily)
{
}

CColBox& CEditEventListDlg::GetPane(int id)
{
    return id == IDC_LIST_EVENTS ? m_events : id == IDC_LIST_ATTRIBUTES ? m_attributes : m_chosen;
}

BOOL CEditEventListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_isFamily ? "Edit List of Family Events and Attributes"
                             : "Edit List of Individual Events and Attributes");
    if (!Build()) {
        MessageBox("An error has occurred", MB_OK);
        EndDialog(IDCANCEL);
    }
    return TRUE;
}

bool CEditEventListDlg::Build()
{
    auto* tabs = dynamic_cast<CTabCtrl*>(GetDlgItem(IDC_LIST_TABS));
    CWnd* chosenFrame = GetDlgItem(IDC_LIST_CHOSEN_FRAME);
    CWnd* arrowsFrame = GetDlgItem(IDC_LIST_ARROWS_FRAME);
    if (!tabs || !chosenFrame || !arrowsFrame)
        return false;
    tabs->InsertItem(0, "Events");
    tabs->InsertItem(1, "Attributes");
    tabs->SetCurSel(0);
    const CRect none;
    for (CColBox* pane : {&m_events, &m_attributes}) {
        const UINT id = pane == &m_events ? IDC_LIST_EVENTS : IDC_LIST_ATTRIBUTES;
        if (!pane->Create(TBF_MULTI_SELECT, 0, kPaneStyle, none, this, id, this, 0, 0))
            return false;
        pane->GetBox().SetEmptyText("None");
    }
    FitLeftPanes();
    for (CColBox* pane : {&m_events, &m_attributes}) {
        CRect client;
        pane->GetClientRect(&client);
        const int edges[] = {client.Width() * 2 / 3, client.Width()};
        pane->SetColumns(pane == &m_events ? "Event\tSpecial\t" : "Attribute\tSpecial\t", 2, 2,
                         edges);
    }
    FillLeftPanes();

    CRect chosen;
    chosenFrame->GetWindowRect(&chosen);
    ScreenToClient(&chosen);
    if (!m_chosen.Create(TBF_MULTI_SELECT, 0, kPaneStyle | WS_VISIBLE, chosen, this,
                         IDC_LIST_CHOSEN, this, 0, 0))
        return false;
    m_chosen.GetBox().SetEmptyText("None");
    CRect client;
    m_chosen.GetClientRect(&client);
    const int third = client.Width() / 3;
    const int edges[] = {third, 2 * third, client.Width()};
    m_chosen.SetColumns("Event/Attribute\tType\tSpecial\t", 2, 3, edges);
    FillChosen();

    CRect arrows;
    arrowsFrame->GetWindowRect(&arrows);
    ScreenToClient(&arrows);
    arrowsFrame->DestroyWindow();
    const CRect down(arrows.right - kArrowSize, arrows.bottom - kArrowSize, arrows.right,
                     arrows.bottom);
    const CRect up(down.left - kArrowSize, down.top, down.left, down.bottom);
    m_up.CreateButton(WS_CHILD | WS_VISIBLE, up, this, IDC_LIST_UP, this, 9, 11, kUpBitmap, 4, 0,
                      0);
    m_down.CreateButton(WS_CHILD | WS_VISIBLE, down, this, IDC_LIST_DOWN, this, 9, 11, kDownBitmap,
                        4, 0, 0);
    UpdateArrows();

    GetClientRect(&client);
    using L = CDlgLayout;
    auto add = [&](CWnd* control, int top, int left, int bottom, int right) {
        if (control && control->GetSafeHwnd())
            m_layout.AddControl(this, control, client, top, nullptr, left, nullptr, bottom, nullptr,
                                right, nullptr);
    };
    add(tabs, L::kNoChange, L::kNoChange, L::kToBottom, L::kToCentre);
    add(&m_chosen, L::kNoChange, L::kToCentre, L::kToBottom, L::kToRight);
    add(&m_up, L::kToBottom, L::kToRight, L::kToBottom, L::kToRight);
    add(&m_down, L::kToBottom, L::kToRight, L::kToBottom, L::kToRight);
    for (const int id : {IDC_LIST_ADD, IDC_LIST_ADD_ALL, IDC_LIST_REMOVE, IDC_LIST_REMOVE_ALL})
        add(GetDlgItem(id), L::kToMiddle, L::kToCentre, L::kToMiddle, L::kToCentre);
    add(GetDlgItem(IDC_LIST_ADD_CUSTOM), L::kToBottom, L::kNoChange, L::kToBottom, L::kNoChange);
    add(GetDlgItem(IDOK), L::kToBottom, L::kToRight, L::kToBottom, L::kToRight);
    add(GetDlgItem(IDCANCEL), L::kToBottom, L::kToRight, L::kToBottom, L::kToRight);
    KeepOpeningSizeAsMinimum();
    return true;
}

void CEditEventListDlg::FitLeftPanes()
{
    auto* tabs = dynamic_cast<CTabCtrl*>(GetDlgItem(IDC_LIST_TABS));
    if (!tabs)
        return;
    CRect area;
    tabs->GetWindowRect(&area);
    ScreenToClient(&area);
    tabs->AdjustRect(FALSE, &area);
    const bool events = tabs->GetCurSel() != 1;
    for (CColBox* pane : {&m_events, &m_attributes}) {
        if (!pane->GetSafeHwnd())
            continue;
        pane->MoveWindow(area.left, area.top, area.Width(), area.Height());
        pane->ShowWindow((pane == &m_events) == events ? SW_SHOW : SW_HIDE);
    }
}

void CEditEventListDlg::FillLeftPanes()
{
    const CFieldDef* recordDef = RecordDef(m_isFamily);
    for (const CFieldDef* def = recordDef ? recordDef->GetFirstChild() : nullptr; def;
         def = def->GetNextSibling()) {
        const int id = def->GetFieldId();
        if (def->HasFlag(FDF_EVENT) && id != FIELD_EVEN)
            AddRow(m_events, def->GetLabel() + "\t\t", {id, {}, 0});
        else if (def->HasFlag(FDF_ATTRIBUTE) && id != FIELD_CUSTOM_ATTR)
            AddRow(m_attributes, def->GetLabel() + "\t\t", {id, {}, 0});
    }
    std::vector<std::string> individualEvents, familyEvents, individualAttrs, familyAttrs;
    CollectCustomEventNames(&individualEvents, &familyEvents);
    CollectCustomAttrNames(&individualAttrs, &familyAttrs);
    for (const std::string& name : m_isFamily ? familyEvents : individualEvents)
        AddRow(m_events, name + "\tCustom\t", {0, name, 1});
    for (const std::string& name : m_isFamily ? familyAttrs : individualAttrs)
        AddRow(m_attributes, name + "\tCustom\t", {0, name, 2});
}

void CEditEventListDlg::FillChosen()
{
    for (const CEventListEntry& entry : m_list) {
        const std::string text = ChosenRowText(entry, m_isFamily);
        if (!text.empty())
            AddRow(m_chosen, text, entry);
    }
}

CColBox& CEditEventListDlg::VisiblePane()
{
    return m_attributes.IsWindowVisible() ? m_attributes : m_events;
}

void CEditEventListDlg::AddChosen(const CEventListEntry& entry, const std::string& label)
{
    CTreeBox& box = m_chosen.GetBox();
    for (CTreeBoxNode* row = box.GetFirstItem(); row; row = row->m_nextSibling) {
        if (SameKind(EntryOf(row), entry)) {
            box.SetItemSelected(row, true, false);
            return;
        }
    }
    std::string text = ChosenRowText(entry, m_isFamily);
    if (text.empty())
        text = label + "\t" + (entry.m_customKind == 2 ? "Attribute" : "Event") + "\tCustom";
    AddRow(m_chosen, text, entry);
    if (CTreeBoxNode* last = box.GetLastItem())
        box.SetItemSelected(last, true, false);
}

void CEditEventListDlg::MoveChosen(bool up)
{
    CTreeBox& box = m_chosen.GetBox();
    std::vector<int> positions;
    int index = 0;
    for (CTreeBoxNode* row = box.GetFirstItem(); row; row = row->m_nextSibling, ++index)
        if (row->m_selected)
            positions.push_back(index);
    if (positions.empty() || (up ? positions.front() == 0 : positions.back() == index - 1))
        return;
    if (up) {
        for (const int position : positions)
            m_chosen.MoveItemUp(position);
    } else {
        for (auto it = positions.rbegin(); it != positions.rend(); ++it)
            m_chosen.MoveItemDown(*it);
    }
}

void CEditEventListDlg::UpdateArrows()
{
    const bool any = m_chosen.GetSafeHwnd() && m_chosen.GetBox().GetNextSelected(nullptr);
    for (CUButton* button : {&m_up, &m_down})
        if (button->GetSafeHwnd())
            button->EnableWindow(any);
}

void CEditEventListDlg::OnSelChanged(CColBox* box)
{
    if (box == &m_chosen)
        UpdateArrows();
}

void CEditEventListDlg::OnButtonClicked(CUButton* button)
{
    MoveChosen(button == &m_up);
}

BOOL CEditEventListDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) != BN_CLICKED)
        return CDialog::OnCommand(wParam, lParam);
    switch (id) {
    case IDC_LIST_ADD:
    case IDC_LIST_ADD_ALL: {
        CColBox& pane = VisiblePane();
        std::vector<CTreeBoxNode*> rows;
        if (id == IDC_LIST_ADD) {
            rows = SelectedRows(pane);
            m_chosen.GetBox().ClearSelection(nullptr, false);
        } else {
            for (CTreeBoxNode* row = pane.GetBox().GetFirstItem(); row; row = row->m_nextSibling)
                rows.push_back(row);
        }
        for (const CTreeBoxNode* row : rows)
            AddChosen(EntryOf(row), row->m_text.str().substr(0, row->m_text.str().find('\t')));
        UpdateArrows();
        return TRUE;
    }
    case IDC_LIST_REMOVE:
        for (CTreeBoxNode* row : SelectedRows(m_chosen))
            m_chosen.GetBox().DeleteItem(row);
        UpdateArrows();
        return TRUE;
    case IDC_LIST_REMOVE_ALL:
        m_chosen.GetBox().DeleteAllItems();
        UpdateArrows();
        return TRUE;
    case IDC_LIST_ADD_CUSTOM: {
        CCustomItemNameDlg dialog(this);
        dialog.m_isFamily = m_isFamily;
        if (dialog.DoModal() == IDOK)
            AddChosen({0, dialog.m_name, dialog.m_isEvent ? 1 : 2}, dialog.m_name);
        UpdateArrows();
        return TRUE;
    }
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

BOOL CEditEventListDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == UINT_PTR(IDC_LIST_TABS) && header->code == TCN_SELCHANGE) {
        FitLeftPanes();
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

void CEditEventListDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (m_layout.GetCount() > 0) {
        m_layout.ApplyLayout(this, cx, cy);
        FitLeftPanes();
    }
}

void CEditEventListDlg::OnDestroy()
{
    m_layout.DestroyLayout();
    CDialog::OnDestroy();
}

void CEditEventListDlg::OnOK()
{
    m_list.clear();
    for (const CTreeBoxNode* row = m_chosen.GetBox().GetFirstItem(); row;
         row = row->m_nextSibling) {
        const CEventListEntry entry = EntryOf(row);
        if (entry.m_fieldId > 0 ||
            ((entry.m_customKind == 1 || entry.m_customKind == 2) && !entry.m_customName.empty()))
            m_list.push_back(entry);
    }
    EndDialog(IDOK);
}
