// queries/lists/select_records_dlg.cpp: the Select Records dialog.
#include "queries/lists/select_records_dlg.h"

#include "queries/lists/records_window_pane.h"
#include "queries/window/query_files.h"

#include "app/shell/shell_app.h"
#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "platform/base/prompt.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/frames/menu.h"
#include "queries/named_list.h"
#include "queries/query_def.h"
#include "queries/query_eval.h"

#include <unordered_set>

namespace {

constexpr int kFamilyIndex = 1;
constexpr UINT kIndividualsId = 10, kRecordsId = 11, kPaneId = 12, kChosenId = 13;
/// The id of the template's one label without its own id ("Chosen records:").
constexpr int kLabelId = 0xFFFF;
/// The small buttons' pictures: the menu's, and the arrows up and down.
constexpr UINT kMenuBitmap = 323, kUpBitmap = 235, kDownBitmap = 236;

/// The record a row of a record list stands for: a link row's target, a record row's record.
CRecordNode* RecordOfRow(const CTreeBoxNode* row)
{
    CDataNode* node = CTagGrid::NodeOf(row);
    if (!node)
        return nullptr;
    if (row->m_data2 & kRowLinkMode)
        return node->GetLinkTarget();
    return node->IsRecord() ? static_cast<CRecordNode*>(node) : nullptr;
}

/// The place of a template's placeholder, hidden.
bool PlaceOf(CDialog& dialog, int id, CRect& rect)
{
    CWnd* place = dialog.GetDlgItem(id);
    if (!place)
        return false;
    place->GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    place->ShowWindow(SW_HIDE);
    return true;
}

} // namespace

CSelectRecordsDlg::CSelectRecordsDlg(int listIndex, CWnd* parent)
    : CDialog(kSelectRecordsTemplate, parent), m_listIndex(listIndex)
{
}

CSelectRecordsDlg::~CSelectRecordsDlg() = default;

BOOL CSelectRecordsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_tabs = dynamic_cast<CTabCtrl*>(GetDlgItem(IDC_SELREC_TABS));
    CRect source;
    CRect chosen;
    const CFieldDef* typeDef = GetRecordTypeDef(m_listIndex);
    const DWORD style = WS_CHILD | WS_BORDER;
    bool made = m_tabs && typeDef && PlaceOf(*this, IDC_SELREC_SOURCE_PLACE, source) &&
                PlaceOf(*this, IDC_SELREC_CHOSEN_PLACE, chosen) &&
                m_records.Create(style, source, this, kRecordsId, this, 0) &&
                m_pane.Create(this, kPaneId, source, this) &&
                m_chosenGrid.Create(style | WS_VISIBLE, chosen, this, kChosenId, this, 0);
    if (made && m_listIndex == kFamilyIndex)
        made = m_individuals.Create(style, source, this, kIndividualsId, this, 0);
    made = made && MakeSmallButtons();
    if (!made) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    int tab = 0;
    if (m_listIndex == kFamilyIndex) {
        m_individualsTab = tab;
        m_tabs->InsertItem(tab++, GetRecordTypePluralName(0).c_str());
        m_individuals.SetRecordSet(GetRecordTypeRoot(0), true, true);
    }
    m_recordsTab = tab;
    m_tabs->InsertItem(tab++, GetRecordTypePluralName(m_listIndex).c_str());
    m_listsTab = tab;
    m_tabs->InsertItem(tab++, "Named Lists");
    m_records.SetRecordSet(GetRecordTypeRoot(m_listIndex), true, true);
    m_pane.SetReadOnly(true);

    std::vector<CRecordNode*> initial = m_initial;
    if (!m_hasInitial) {
        if (const IShellApp* app = GetShellApp())
            initial = app->GetSelectedRecords();
    }
    for (CRecordNode* record : initial) {
        if (IsOfType(record))
            m_chosenGrid.AddRecordRow(record, true, false, false, true);
    }
    const bool custom = m_chosenGrid.GetBox().GetFirstItem() != nullptr;
    CheckRadioButton(IDC_SELREC_DEFAULT_ORDER, IDC_SELREC_CUSTOM_ORDER,
                     custom ? IDC_SELREC_CUSTOM_ORDER : IDC_SELREC_DEFAULT_ORDER);
    m_tabs->SetCurSel(0);
    ShowTab();
    AnchorControls();
    return TRUE;
}

bool CSelectRecordsDlg::MakeSmallButtons()
{
    struct Small {
        CUButton& button;
        int id;
        int width;
        int height;
        UINT bitmap;
    };
    const Small buttons[] = {{m_menuButton, IDC_SELREC_MENU, 16, 15, kMenuBitmap},
                             {m_upButton, IDC_SELREC_UP, 9, 11, kUpBitmap},
                             {m_downButton, IDC_SELREC_DOWN, 9, 11, kDownBitmap}};
    for (const Small& small : buttons) {
        CWnd* placeholder = GetDlgItem(small.id);
        CRect rect;
        if (!placeholder || !PlaceOf(*this, small.id, rect))
            return false;
        placeholder->DestroyWindow();
        if (!small.button.CreateButton(WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, this,
                                       UINT(small.id), this, small.width, small.height,
                                       small.bitmap, 4, 0, 0))
            return false;
    }
    return true;
}

void CSelectRecordsDlg::OnButtonClicked(CUButton* button)
{
    if (button == &m_menuButton)
        OnMenu();
    else if (button == &m_upButton || button == &m_downButton)
        OnMove(button == &m_upButton);
}

void CSelectRecordsDlg::AnchorControls()
{
    CRect client;
    GetClientRect(&client);
    using L = CDlgLayout;
    const auto add = [&](CWnd* control, int top, int left, int bottom, int right) {
        if (control && control->GetSafeHwnd())
            m_layout.AddControl(this, control, client, top, nullptr, left, nullptr, bottom, nullptr,
                                right, nullptr);
    };
    // The source lists keep the left half, the chosen list the right; the buttons between
    // stay beside the centre line, and those below follow the bottom edge.
    for (CWnd* source : {GetDlgItem(IDC_SELREC_TABS), static_cast<CWnd*>(&m_individuals),
                         static_cast<CWnd*>(&m_records), static_cast<CWnd*>(&m_pane)})
        add(source, L::kNoChange, L::kNoChange, L::kToBottom, L::kToCentre);
    for (const int id :
         {IDC_SELREC_ADD, IDC_SELREC_ADD_ALL, IDC_SELREC_REMOVE, IDC_SELREC_REMOVE_ALL})
        add(GetDlgItem(id), L::kNoChange, L::kToCentre, L::kNoChange, L::kToCentre);
    for (std::size_t i = 0; i < GetTemplateItemCount(); ++i) {
        if (CWnd* item = GetTemplateItem(i); item && item->GetDlgCtrlID() == kLabelId)
            add(item, L::kNoChange, L::kToCentre, L::kNoChange, L::kToCentre);
    }
    add(&m_chosenGrid, L::kNoChange, L::kToCentre, L::kToBottom, L::kToRight);
    for (const int id :
         {IDC_SELREC_UP, IDC_SELREC_DOWN, IDC_SELREC_DEFAULT_ORDER, IDC_SELREC_CUSTOM_ORDER})
        add(GetDlgItem(id), L::kToBottom, L::kToCentre, L::kToBottom, L::kToCentre);
    for (const int id : {IDC_SELREC_ADD_QUERY, IDC_SELREC_REMOVE_QUERY})
        add(GetDlgItem(id), L::kToBottom, L::kNoChange, L::kToBottom, L::kNoChange);
    for (const int id : {IDC_SELREC_MENU, IDOK, IDCANCEL})
        add(GetDlgItem(id), L::kToBottom, L::kToRight, L::kToBottom, L::kToRight);
    KeepOpeningSizeAsMinimum();
}

void CSelectRecordsDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (m_layout.GetCount() > 0)
        m_layout.ApplyLayout(this, cx, cy);
}

void CSelectRecordsDlg::OnDestroy()
{
    m_layout.DestroyLayout();
    CDialog::OnDestroy();
}

bool CSelectRecordsDlg::IsOfType(const CRecordNode* record) const
{
    return record && !record->IsPendingDeletion() &&
           GetRecordTypeIndex(record->GetFieldDef()) == m_listIndex;
}

CTagGrid* CSelectRecordsDlg::GetSourceGrid()
{
    const int tab = m_tabs ? m_tabs->GetCurSel() : -1;
    if (tab == m_listsTab)
        return &m_pane.GetItemsGrid();
    if (tab == m_individualsTab)
        return &m_individuals;
    return &m_records;
}

void CSelectRecordsDlg::ShowTab()
{
    const int tab = m_tabs->GetCurSel();
    if (m_individuals.GetSafeHwnd())
        m_individuals.ShowWindow(tab == m_individualsTab ? SW_SHOW : SW_HIDE);
    m_records.ShowWindow(tab == m_recordsTab ? SW_SHOW : SW_HIDE);
    if (tab == m_listsTab && !m_pane.GetListsBox().GetBox().GetFirstItem())
        m_pane.FillLists();
    m_pane.ShowWindow(tab == m_listsTab ? SW_SHOW : SW_HIDE);
    UpdateButtons();
}

void CSelectRecordsDlg::UpdateButtons()
{
    const bool onRecord = RecordOfRow(m_chosenGrid.GetBox().GetFocusItem()) != nullptr;
    for (const int id : {IDC_SELREC_UP, IDC_SELREC_DOWN}) {
        if (CWnd* button = GetDlgItem(id))
            button->EnableWindow(onRecord);
    }
}

void CSelectRecordsDlg::OnGridSelChanged(CTagGrid* grid)
{
    if (grid == &m_chosenGrid)
        UpdateButtons();
}

bool CSelectRecordsDlg::BeforeMove(CTagGrid* grid, int)
{
    if (grid == &m_chosenGrid)
        SetCustomOrder(true);
    return true;
}

BOOL CSelectRecordsDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == IDC_SELREC_TABS && header->code == TCN_SELCHANGE) {
        ShowTab();
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

BOOL CSelectRecordsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (!lParam || HIWORD(wParam) != BN_CLICKED)
        return CDialog::OnCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
    case IDC_SELREC_ADD:
        OnAdd();
        return TRUE;
    case IDC_SELREC_ADD_ALL:
        OnAddAll();
        return TRUE;
    case IDC_SELREC_REMOVE:
        OnRemove();
        return TRUE;
    case IDC_SELREC_REMOVE_ALL:
        OnRemoveAll();
        return TRUE;
    case IDC_SELREC_ADD_QUERY:
        OnAddUsingQuery();
        return TRUE;
    case IDC_SELREC_REMOVE_QUERY:
        OnRemoveUsingQuery();
        return TRUE;
    case IDC_SELREC_DEFAULT_ORDER:
        OnDefaultOrder();
        return TRUE;
    case IDC_SELREC_CUSTOM_ORDER:
        OnCustomOrder();
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

void CSelectRecordsDlg::AddRecord(CRecordNode* record, int& met, int& added, bool& individuals,
                                  CTreeBoxNode*& last)
{
    if (!record || record->IsPendingDeletion())
        return;
    if (m_listIndex == kFamilyIndex && GetRecordTypeIndex(record->GetFieldDef()) == 0) {
        individuals = true;
        const auto* individual = static_cast<const CIndRec*>(record);
        for (CFamRec* family = individual->GetNextSpouseFamily(nullptr); family;
             family = individual->GetNextSpouseFamily(family))
            AddRecord(family, met, added, individuals, last);
        return;
    }
    if (!IsOfType(record))
        return;
    ++met;
    if (CTreeBoxNode* row = m_chosenGrid.FindRowByRecord(record)) {
        last = row;
        return;
    }
    if (CTreeBoxNode* row = m_chosenGrid.AddRecordRow(record, true, false, false, true)) {
        ++added;
        last = row;
    }
}

void CSelectRecordsDlg::OnAdd()
{
    AddRows(Walk::Selected);
}

void CSelectRecordsDlg::OnAddAll()
{
    AddRows(Walk::All);
}

void CSelectRecordsDlg::AddRows(Walk walk)
{
    CTagGrid* source = GetSourceGrid();
    CTreeBox& box = source->GetBox();
    std::vector<CTreeBoxNode*> rows;
    if (walk == Walk::Selected) {
        for (CTreeBoxNode* row = box.GetNextSelected(nullptr); row; row = box.GetNextSelected(row))
            rows.push_back(row);
        if (rows.empty()) {
            MessageBox("Nothing selected", MB_OK);
            return;
        }
    } else {
        for (CTreeBoxNode* row = box.GetFirstItem(); row; row = row->m_nextSibling)
            rows.push_back(row);
    }
    const CWaitCursor wait;
    int met = 0;
    int added = 0;
    bool individuals = false;
    CTreeBoxNode* last = nullptr;
    for (const CTreeBoxNode* row : rows)
        AddRecord(RecordOfRow(row), met, added, individuals, last);
    if (walk == Walk::Selected && met == 0) {
        MessageBox(individuals ? "The individual(s) in the selection have no spouse families"
                               : "Selection includes no records of the required type",
                   MB_OK);
        return;
    }
    if (IsDlgButtonChecked(IDC_SELREC_DEFAULT_ORDER) == BST_CHECKED && added)
        m_chosenGrid.OnSortAlphabetical();
    if (last) {
        m_chosenGrid.GetBox().ClearSelection(nullptr, true);
        m_chosenGrid.SelectRow(last, false, true);
    }
    UpdateButtons();
}

void CSelectRecordsDlg::OnRemove()
{
    CTreeBox& box = m_chosenGrid.GetBox();
    std::unordered_set<const CTreeBoxNode*> rows;
    for (CTreeBoxNode* row = box.GetNextSelected(nullptr); row; row = box.GetNextSelected(row)) {
        if (row->m_level == 0 && RecordOfRow(row))
            rows.insert(row);
    }
    if (rows.empty()) {
        MessageBox("Nothing selected", MB_OK);
        return;
    }
    RemoveRows(m_chosenGrid, [&](const CTreeBoxNode* row) { return rows.contains(row); });
    UpdateButtons();
}

void CSelectRecordsDlg::OnRemoveAll()
{
    m_chosenGrid.ClearRecordSet();
    UpdateButtons();
}

void CSelectRecordsDlg::OnAddUsingQuery()
{
    UseQuery(true);
}

void CSelectRecordsDlg::OnRemoveUsingQuery()
{
    UseQuery(false);
}

void CSelectRecordsDlg::UseQuery(bool add)
{
    std::string name;
    bool custom = false;
    const CFieldDef* typeDef = GetRecordTypeDef(m_listIndex);
    if (!SelectQuery(this, name, custom, true, typeDef))
        return;
    auto query = CQueryDef::Create();
    std::string error;
    if (!query->Load(name, custom, error)) {
        MessageBox(error, MB_OK);
        return;
    }
    CRecordNode* current = RecordOfRow(GetSourceGrid()->GetBox().GetFocusItem());
    if (!RunQuery(*query, false, false, current))
        return;
    const CWaitCursor wait;
    const CQueryResultSet& result = query->GetResult();
    if (add) {
        int met = 0;
        int added = 0;
        bool individuals = false;
        CTreeBoxNode* last = nullptr;
        for (CRecordNode* record : result.GetRecords())
            AddRecord(record, met, added, individuals, last);
        SetCustomOrder(true);
    } else {
        const std::unordered_set<const CDataNode*> found(result.GetRecords().begin(),
                                                         result.GetRecords().end());
        RemoveRows(m_chosenGrid,
                   [&](const CTreeBoxNode* row) { return found.contains(CTagGrid::NodeOf(row)); });
    }
    UpdateButtons();
}

void CSelectRecordsDlg::SetCustomOrder(bool custom)
{
    CheckRadioButton(IDC_SELREC_DEFAULT_ORDER, IDC_SELREC_CUSTOM_ORDER,
                     custom ? IDC_SELREC_CUSTOM_ORDER : IDC_SELREC_DEFAULT_ORDER);
}

void CSelectRecordsDlg::OnDefaultOrder()
{
    m_chosenGrid.OnSortAlphabetical();
}

void CSelectRecordsDlg::OnCustomOrder()
{
    // The chosen list keeps the order it has.
}

void CSelectRecordsDlg::OnMove(bool up)
{
    if (!RecordOfRow(m_chosenGrid.GetBox().GetFocusItem()))
        return;
    MoveSelectedRows(m_chosenGrid.GetBox(), up);
    SetCustomOrder(true);
}

void CSelectRecordsDlg::OnMenu()
{
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    const bool empty = m_chosenGrid.GetBox().GetFirstItem() == nullptr;
    menu.AppendMenu(MF_STRING | (empty ? MF_GRAYED : MF_ENABLED), ID_SELREC_ADD_ALL_TO_LIST,
                    "Add All to Named List...");
    CRect rect;
    if (CWnd* button = GetDlgItem(IDC_SELREC_MENU))
        button->GetWindowRect(&rect);
    const UINT chosen =
        UINT(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, rect.left, rect.bottom, this));
    if (chosen == ID_SELREC_ADD_ALL_TO_LIST && !empty)
        AddAllToNamedList();
}

void CSelectRecordsDlg::AddAllToNamedList()
{
    // The dialog's pane hears no change notices: it is refilled here.
    if (!AddRecordsToNamedList(this, ChosenRecords()))
        return;
    if (m_tabs->GetCurSel() == m_listsTab)
        m_pane.FillLists();
    else
        m_pane.Empty();
}

std::vector<CRecordNode*> CSelectRecordsDlg::ChosenRecords()
{
    std::vector<CRecordNode*> records;
    CTreeBoxNode* position = nullptr;
    do {
        CDataNode* node = m_chosenGrid.GetNextRowData(position);
        if (node && node->IsRecord())
            records.push_back(static_cast<CRecordNode*>(node));
    } while (position);
    return records;
}

void CSelectRecordsDlg::OnOK()
{
    m_chosen = ChosenRecords();
    EndDialog(IDOK);
}
