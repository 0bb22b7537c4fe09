// records/dialogs/select_record_dlg.cpp: the dialogs that pick one record.
#include "records/dialogs/select_record_dlg.h"

#include "records/dialogs/new_record_dlgs.h"

#include "common/abort.h"
#include "controls/grid_find_bar.h"
#include "database/dictionary/field_def.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_tracking.h"
#include "database/records/assoc_node.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>
#include <exception>

namespace {

constexpr const char* kNoRecords = "No Records Found";

/// Anchors the control: with stretch it keeps its distances from both dialog edges, else from
/// the bottom and (centred) from the horizontal centre, or with left from the left edge.
enum class Anchor { Stretch, BottomCentre, BottomLeft, BottomWide };

void AddAnchor(CDlgLayout& layout, CDialog& dialog, int id, Anchor anchor)
{
    CWnd* control = dialog.GetDlgItem(id);
    if (!control)
        return;
    CRect client;
    dialog.GetClientRect(&client);
    using L = CDlgLayout;
    switch (anchor) {
    case Anchor::Stretch:
        layout.AddControl(&dialog, control, client, L::kNoChange, nullptr, L::kNoChange, nullptr,
                          L::kToBottom, nullptr, L::kToRight, nullptr);
        return;
    case Anchor::BottomCentre:
        layout.AddControl(&dialog, control, client, L::kToBottom, nullptr, L::kToCentre, nullptr,
                          L::kToBottom, nullptr, L::kToCentre, nullptr);
        return;
    case Anchor::BottomLeft:
        layout.AddControl(&dialog, control, client, L::kToBottom, nullptr, L::kNoChange, nullptr,
                          L::kToBottom, nullptr, L::kNoChange, nullptr);
        return;
    case Anchor::BottomWide:
        layout.AddControl(&dialog, control, client, L::kToBottom, nullptr, L::kNoChange, nullptr,
                          L::kToBottom, nullptr, L::kToRight, nullptr);
        return;
    }
}

/// Widens the dialog, keeping its centre, so that the grid's find bar holds its labels and edits
/// at the widths of its template (a name box narrowed to a few characters is hard to type in),
/// within the screen's width; the layout then stretches the grid. The dialog is laid out already,
/// and keeps the width it opens with as its least; made narrower, the bar narrows its edits in
/// proportion as in the records window.
void WidenForFindBar(CDialog& dialog, const CTagGrid& grid)
{
    const CGridFindBar* bar = grid.GetFindBar();
    if (!bar || !bar->GetSafeHwnd())
        return;
    CRect inside;
    grid.GetClientRect(&inside);
    CRect window;
    dialog.GetWindowRect(&window);
    const int room = GetSystemMetrics(SM_CXSCREEN) - int(window.Width());
    const int missing = std::max(bar->GetLeastWidth() - int(inside.Width()),
                                 std::min(bar->GetTemplateWidth() - int(inside.Width()), room));
    if (missing <= 0)
        return;
    dialog.MoveWindow(int(window.left) - missing / 2, int(window.top),
                      int(window.Width()) + missing, int(window.Height()));
}

} // namespace

bool CreateGridInPlace(CDialog& dialog, CTagGrid& grid, int placeholderId, UINT gridId,
                       ITagGridOwner* owner, int listIndex)
{
    CWnd* placeholder = dialog.GetDlgItem(placeholderId);
    if (!placeholder)
        return false;
    CRect rect;
    placeholder->GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    placeholder->ShowWindow(SW_HIDE);
    if (!grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL, rect,
                     &dialog, gridId, owner, UINT(RecordTypeIndexToPageId(listIndex))))
        return false;
    grid.SetEditable(false);
    grid.SetDeleteAllowed(false);
    grid.GetBox().SetEmptyText(kNoRecords);
    return true;
}

// ---- Select Record ----------------------------------------------------------------------------

CSelectRecordDlg::CSelectRecordDlg(CWnd* parent) : CDialog(kSelectRecordTemplate, parent) {}

BOOL CSelectRecordDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CWaitCursor wait;
    if (!m_root) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    const CFieldDef* def = m_root->GetFieldDef();
    std::string label;
    if (const int listIndex = GetRecordTypeIndex(def); listIndex >= 0)
        FormatRecordTypeName(listIndex, false, true, label);
    else if (def)
        label = def->GetLabel();
    SetWindowText(m_title.empty() ? "Select " + label + " Record" : m_title);
    if (!CreateGridInPlace(*this, m_grid, IDC_SELECT_PLACEHOLDER, kSelectRecordGridId, this,
                           GetRecordTypeIndex(def))) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    if (auto* filter = dynamic_cast<CComboBox*>(GetDlgItem(IDC_SELECT_FILTER))) {
        filter->AddString("All");
        const std::string own = m_linkFieldId && m_offerLinkFilter
                                    ? GetLinkFilterLabel(m_linkFieldId, m_context)
                                    : std::string();
        if (!own.empty())
            filter->AddString(own.c_str());
        filter->SetCurSel(own.empty() ? 0 : 1);
    }
    FillList();
    AddAnchor(m_layout, *this, int(kSelectRecordGridId), Anchor::Stretch);
    AddAnchor(m_layout, *this, IDC_SELECT_MATCHING, Anchor::BottomLeft);
    AddAnchor(m_layout, *this, IDC_SELECT_FILTER, Anchor::BottomWide);
    AddAnchor(m_layout, *this, IDOK, Anchor::BottomCentre);
    AddAnchor(m_layout, *this, IDCANCEL, Anchor::BottomCentre);
    WidenForFindBar(*this, m_grid);
    KeepOpeningSizeAsMinimum();
    // The user types a name first; a dialog without a find bar starts in its list.
    CGridFindBar* bar = m_grid.GetFindBar();
    if (CWnd* edit = bar ? bar->GetEdit(CTreeGrid::kFindTextId) : nullptr;
        edit && (edit->GetStyle() & WS_VISIBLE))
        GotoDlgCtrl(edit);
    else
        m_grid.SetFocus();
    return FALSE;
}

void CSelectRecordDlg::FillList()
{
    const CWaitCursor wait;
    m_grid.SetRecordSet(m_root, false, false);
    m_grid.GetBox().SetEmptyText(kNoRecords);
    const auto* filter = dynamic_cast<CComboBox*>(GetDlgItem(IDC_SELECT_FILTER));
    const bool filtered = filter && filter->GetCurSel() == 1;
    if (m_linkFieldId && filtered) {
        for (CRecordNode* record :
             CollectFilteredLinkChoices(m_linkFieldId, m_context, m_root, m_excluded))
            m_grid.AddRecordRow(record, true, false, false, false);
    } else {
        m_grid.RefreshList();
    }
    m_grid.OnSortAlphabetical();
    UpdateOk();
}

void CSelectRecordDlg::UpdateOk()
{
    const CRecordNode* record = m_grid.GetSelectedRecord(true);
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->EnableWindow(record && record->GetParent() == m_root);
}

void CSelectRecordDlg::OnGridSelChanged(CTagGrid*)
{
    UpdateOk();
}

bool CSelectRecordDlg::OnGridDoubleClick(CTagGrid*, CTreeBoxNode* row, int)
{
    if (row) {
        m_grid.SelectRow(row, false, true);
        OnOK();
    }
    return false;
}

BOOL CSelectRecordDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam && LOWORD(wParam) == IDC_SELECT_FILTER && HIWORD(wParam) == CBN_SELCHANGE) {
        FillList();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CSelectRecordDlg::OnOK()
{
    CRecordNode* selected = m_grid.GetSelectedRecord(true);
    if (!selected || selected->GetParent() != m_root)
        return;
    if (selected == m_excluded) {
        MessageBox("Invalid selection", MB_OK);
        return;
    }
    try {
        std::string message;
        const int verdict =
            ValidateFamilyLink(m_root->GetFieldDef(), m_context, selected, m_linkFieldId, message);
        if (verdict == FLC_REFUSED) {
            MessageBox(message, MB_OK);
            return;
        }
        if (verdict == FLC_ASK && !m_acceptWithoutAsking &&
            MessageBox(message, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
    } catch (const COperationAborted&) {
        return;
    } catch (const std::exception&) {
        return;
    }
    m_selected = selected;
    EndDialog(IDOK);
}

void CSelectRecordDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    m_layout.ApplyLayout(this, cx, cy);
}

// ---- Select Record (list) ---------------------------------------------------------------------

CSelectRecordListDlg::CSelectRecordListDlg(CWnd* parent)
    : CDialog(kSelectRecordListTemplate, parent)
{
}

BOOL CSelectRecordListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CWaitCursor wait;
    SetWindowText(m_title);
    const int listIndex = m_recordSet ? GetRecordTypeIndex(m_recordSet->GetFieldDef()) : -1;
    if (!CreateGridInPlace(*this, m_grid, IDC_SELECT_LIST_PLACEHOLDER, kSelectRecordListGridId,
                           this, listIndex)) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    if (m_recordSet) {
        m_grid.SetRecordSet(m_recordSet, true, true);
        m_grid.GetBox().SetEmptyText(kNoRecords);
    } else {
        for (CRecordNode* record : m_rows)
            m_grid.AddRecordRow(record, true, false, false, true);
    }
    CWnd* ok = GetDlgItem(IDOK);
    CWnd* cancel = GetDlgItem(IDCANCEL);
    CWnd* create = GetDlgItem(IDC_SELECT_NEW);
    if (m_newType >= 0 && ok && cancel && create) {
        // OK, "New..." and Cancel in one row, centred, with the gap the template leaves.
        CRect okRect, cancelRect, newRect, client;
        ok->GetWindowRect(&okRect);
        cancel->GetWindowRect(&cancelRect);
        create->GetWindowRect(&newRect);
        ScreenToClient(&okRect);
        ScreenToClient(&cancelRect);
        ScreenToClient(&newRect);
        GetClientRect(&client);
        const int gap = int(cancelRect.left - okRect.right);
        const int total = int(okRect.Width() + newRect.Width() + cancelRect.Width()) + 2 * gap;
        int x = int(client.Width() - total) / 2;
        for (auto [wnd, rect] :
             {std::pair{ok, okRect}, std::pair{create, newRect}, std::pair{cancel, cancelRect}}) {
            wnd->MoveWindow(x, int(okRect.top), int(rect.Width()), int(rect.Height()));
            x += int(rect.Width()) + gap;
        }
        create->ShowWindow(SW_SHOW);
    }
    AddAnchor(m_layout, *this, int(kSelectRecordListGridId), Anchor::Stretch);
    for (const int id : {int(IDOK), IDC_SELECT_NEW, int(IDCANCEL)})
        AddAnchor(m_layout, *this, id, Anchor::BottomCentre);
    WidenForFindBar(*this, m_grid);
    KeepOpeningSizeAsMinimum();
    if (ok)
        ok->EnableWindow(Choice() != nullptr);
    m_grid.SetFocus();
    return FALSE;
}

CRecordNode* CSelectRecordListDlg::Choice()
{
    if (m_recordSet) {
        CRecordNode* record = m_grid.GetSelectedRecord(true);
        return record && record->GetFieldDef() == m_recordSet->GetFieldDef() ? record : nullptr;
    }
    CTreeBoxNode* focus = m_grid.GetBox().GetFocusItem();
    if (!focus || !focus->m_selected || focus->m_parent)
        return nullptr;
    CDataNode* node = CTagGrid::NodeOf(focus);
    return node && node->IsRecord() ? static_cast<CRecordNode*>(node) : nullptr;
}

void CSelectRecordListDlg::OnGridSelChanged(CTagGrid*)
{
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->EnableWindow(Choice() != nullptr);
}

BOOL CSelectRecordListDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam && LOWORD(wParam) == IDC_SELECT_NEW && HIWORD(wParam) == BN_CLICKED) {
        OnNew();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CSelectRecordListDlg::OnOK()
{
    if (CRecordNode* record = Choice()) {
        m_selected = record;
        EndDialog(IDOK);
    }
}

void CSelectRecordListDlg::OnNew()
{
    CRecordNode* made = nullptr;
    switch (m_newType) {
    case RECORD_LIST_SOUR: {
        CNewSourceDlg dialog(this);
        if (dialog.DoModal() == IDOK)
            made = dialog.m_created;
        break;
    }
    case RECORD_LIST_REPO: {
        CNewRepositoryDlg dialog(this);
        if (dialog.DoModal() == IDOK)
            made = dialog.m_created;
        break;
    }
    case RECORD_LIST_NOTE:
        if (CDataNode* root = GetRecordTypeRoot(RECORD_LIST_NOTE))
            made = dynamic_cast<CRecordNode*>(root->CreateChild(nullptr));
        NotifyChanges();
        break;
    default:
        break;
    }
    if (made) {
        m_selected = made;
        EndDialog(IDOK);
    }
}

void CSelectRecordListDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    m_layout.ApplyLayout(this, cx, cy);
}

CRecordNode* SelectRecordOfList(CWnd* parent, const std::string& title, int listIndex,
                                bool offerNew)
{
    CSelectRecordListDlg dialog(parent);
    dialog.m_title = title;
    dialog.m_recordSet = GetRecordTypeRoot(listIndex);
    dialog.m_newType = offerNew ? listIndex : -1;
    if (dialog.DoModal() != IDOK || !dialog.m_selected ||
        GetRecordTypeIndex(dialog.m_selected->GetFieldDef()) != listIndex)
        return nullptr;
    return dialog.m_selected;
}
