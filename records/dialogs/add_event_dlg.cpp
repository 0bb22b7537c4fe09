// records/dialogs/add_event_dlg.cpp: the Add Event or Attribute dialog.
#include "records/dialogs/add_event_dlg.h"

#include "database/dictionary/field_ids.h"
#include "database/fields/custom_attr_node.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/custom_event_node.h"
#include "database/records/fam_rec.h"
#include "database/records/record_links.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/list_box.h"
#include "records/dialogs/custom_name_dlg.h"

CAddEventDlg::CAddEventDlg(CWnd* parent) : CDialog(kAddEventTemplate, parent) {}

BOOL CAddEventDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CIndRec* individual = AsIndividual(m_record);
    CFamRec* family = AsFamily(m_record);
    const std::string text = m_record ? GetRecordNameText(*m_record) : std::string();
    if (individual) {
        SetWindowText("Add Event or Attribute for " + text);
    } else if (family) {
        SetWindowText("Add Event for Family " + text);
    } else {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_isIndividual = individual != nullptr;

    if (CWnd* frame = GetDlgItem(IDC_ADD_EVENT_GRID_FRAME)) {
        CRect rect;
        frame->GetWindowRect(&rect);
        ScreenToClient(&rect);
        if (m_grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, rect, this,
                          IDC_ADD_EVENT_GRID, this, 0)) {
            m_grid.SetEditable(false);
            m_grid.SetHeading("Records", "No Records Found");
        }
    }

    bool hasChild = false;
    for (const CRecordNode* candidate : GetAddEventCandidates(m_record, ADD_EVENT_SCOPE_CHILD))
        hasChild = hasChild || candidate;
    m_offerChildEvents = m_offerChildEvents && hasChild;

    CollectCustomEventNames(&m_names.m_indiEvents, &m_names.m_famEvents);
    CollectCustomAttrNames(&m_names.m_indiAttributes, &m_names.m_famAttributes);
    CheckRadioButton(IDC_SHOW_EVENTS, IDC_SHOW_ATTRIBUTES, IDC_SHOW_EVENTS);
    FillItems();
    return TRUE;
}

bool CAddEventDlg::ShowsEvents() const
{
    return IsDlgButtonChecked(IDC_SHOW_ATTRIBUTES) != BST_CHECKED;
}

void CAddEventDlg::FillItems()
{
    auto* list = dynamic_cast<CListBox*>(GetDlgItem(IDC_ADD_EVENT_LIST));
    if (!list)
        return;
    const bool events = ShowsEvents();
    SetDlgItemText(IDC_ADD_EVENT_LABEL, events ? "Select record to add event to:"
                                               : "Select record to add attribute to:");
    CAddEventListInput input;
    input.m_events = events;
    input.m_individual = m_isIndividual;
    const CIndRec* individual = AsIndividual(m_record);
    input.m_family = !m_isIndividual || (individual && individual->GetNextSpouseFamily(nullptr));
    input.m_offerChildEvents = m_offerChildEvents;
    input.m_names = &m_names;
    list->ResetContent();
    int top = 0;
    for (const CAddEventItem& item : BuildAddEventItems(input)) {
        const int index = item.m_top ? list->InsertString(top++, item.m_text.c_str())
                                     : list->AddString(item.m_text.c_str());
        if (index >= 0)
            list->SetItemData(index, item.m_value);
    }
    if (list->GetCount() > 0)
        list->SetCurSel(0);
    SyncGrid();
}

bool CAddEventDlg::GetSelectedItem(CAddEventItem& item) const
{
    const auto* list = dynamic_cast<const CListBox*>(GetDlgItem(IDC_ADD_EVENT_LIST));
    const int index = list ? list->GetCurSel() : LB_ERR;
    if (index < 0)
        return false;
    list->GetText(index, item.m_text);
    item.m_value = std::uint32_t(list->GetItemData(index));
    return true;
}

void CAddEventDlg::SyncGrid()
{
    CAddEventItem item;
    const std::uint32_t scope = GetSelectedItem(item) ? item.m_value & ADD_EVENT_SCOPE_MASK : 0;
    if (scope != m_gridScope && m_grid.GetSafeHwnd()) {
        m_gridScope = scope;
        m_grid.ResetList();
        CTreeBoxNode* first = nullptr;
        for (CRecordNode* record : GetAddEventCandidates(m_record, scope)) {
            CTreeBoxNode* row = m_grid.AddRecordRow(record, true, false, false, true);
            first = first ? first : row;
        }
        if (first)
            m_grid.SelectRow(first, false, true);
    }
    UpdateOk();
}

CRecordNode* CAddEventDlg::GetChosenRecord()
{
    if (!m_grid.GetSafeHwnd())
        return nullptr;
    CTreeBoxNode* focus = m_grid.GetBox().GetFocusItem();
    if (!focus || !focus->m_selected || focus->m_level != 0)
        return nullptr;
    CDataNode* node = CTagGrid::NodeOf(focus);
    return node && node->IsRecord() ? static_cast<CRecordNode*>(node) : nullptr;
}

void CAddEventDlg::UpdateOk()
{
    CAddEventItem item;
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->EnableWindow(GetSelectedItem(item) && GetChosenRecord());
}

void CAddEventDlg::OnGridSelChanged(CTagGrid*)
{
    UpdateOk();
}

BOOL CAddEventDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if ((id == IDC_SHOW_EVENTS || id == IDC_SHOW_ATTRIBUTES) && HIWORD(wParam) == BN_CLICKED) {
        FillItems();
        return TRUE;
    }
    if (id == IDC_ADD_EVENT_LIST && HIWORD(wParam) == LBN_SELCHANGE) {
        SyncGrid();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CAddEventDlg::OnOK()
{
    const bool events = ShowsEvents();
    CAddEventItem item;
    if (!GetSelectedItem(item)) {
        MessageBox(events ? "You must select an event." : "You must select an attribute.", MB_OK);
        GotoDlgCtrl(GetDlgItem(IDC_ADD_EVENT_LIST));
        return;
    }
    CRecordNode* record = GetChosenRecord();
    if (!record) {
        MessageBox(events ? "You must select a record to add the event to"
                          : "You must select a record to add the attribute to",
                   MB_OK);
        GotoDlgCtrl(GetDlgItem(IDC_ADD_EVENT_LIST));
        return;
    }
    if (item.m_value & ADD_EVENT_NEW_CUSTOM) {
        std::uint32_t scope = item.m_value & ADD_EVENT_SCOPE_MASK;
        if (scope == ADD_EVENT_SCOPE_EITHER)
            scope = AsIndividual(record) ? ADD_EVENT_SCOPE_INDIVIDUAL : ADD_EVENT_SCOPE_FAMILY;
        CAddCustomEventDlg dialog(this);
        dialog.m_isEvent = events;
        dialog.m_isFamily = scope == ADD_EVENT_SCOPE_FAMILY;
        dialog.m_lists = &m_names;
        if (dialog.DoModal() != IDOK)
            return;
        m_result.m_record = record;
        m_result.m_scope = dialog.m_isFamily ? 2 : 1;
        m_result.m_fieldId = events ? FIELD_EVEN : FIELD_CUSTOM_ATTR;
        m_result.m_customName = dialog.m_name;
        EndDialog(IDOK);
        return;
    }
    if (ResolveAddEventChoice(item, events, record, m_result))
        EndDialog(IDOK);
}
