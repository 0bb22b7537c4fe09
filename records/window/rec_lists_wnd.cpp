// records/window/rec_lists_wnd.cpp: the tabs and grids of the record lists, their change notices,
// and showing a record or the next match of a search in the list of its type.
#include "records/window/rec_lists_wnd.h"

#include "database/nodes/change_hint.h"
#include "records/grid/rec_wnd_options.h"

#include "common/abort.h"
#include "controls/grid_find_bar.h"
#include "database/dictionary/record_type_table.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/windows/cmd_ui.h"

namespace {

constexpr int kHeaderIndex = 8, kNotesIndex = 2;
constexpr const char* kErrorMessage = "An error has occurred.";
constexpr const char* kRecordsWindowTitle = "Records Window";
constexpr const char* kShowHiddenTypeQuestion =
    "Records of this type are not currently being displayed.  The Records Window display "
    "options will be changed to make them visible (you can alway hide them again later if you "
    "wish to).";
constexpr const char* kFoundHiddenTypeQuestion =
    "A record of type '%s' has been found matching the search criteria.  Records of this type "
    "are not currently being displayed.  The Records Window display options will be changed to "
    "make them visible (you can alway hide them again later if you wish to).";

bool ShowsSomething(const CTagGrid& grid)
{
    return grid.GetMode() != CTagGrid::kModeNone && grid.GetShownObject() != nullptr;
}

/// Shows the type for the rest of the session. The profile keeps the user's own choice: only the
/// Record Window Options dialog writes it.
void ShowTypeForSession(int listIndex)
{
    RecWndOptions().m_displayChoice[std::size_t(listIndex)] = 0;
}

} // namespace

CRecListsWnd::CRecListsWnd() = default;

CRecListsWnd::~CRecListsWnd() = default;

int CRecListsWnd::OnCreate(CREATESTRUCT* createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    LoadRecWndOptions();
    CRect client;
    GetClientRect(&client);
    if (!m_tab.Create(WS_CHILD | WS_CLIPCHILDREN, client, this, kTabId))
        return -1;
    MapNotify(kTabId, TCN_SELCHANGE, [this](NMHDR*, LRESULT*) {
        const int tab = m_tab.GetCurSel();
        if (tab != -1)
            Activate(reinterpret_cast<CTagGrid*>(m_tab.GetItemData(tab)), true);
    });
    const CRect area = DisplayArea();
    for (int i = 0; i < kGridCount; ++i) {
        const DWORD style = WS_CHILD | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE;
        if (!m_grids[std::size_t(i)].Create(style, area, this, kFirstGridId + UINT(i), this,
                                            UINT(RecordTypeIndexToPageId(i))))
            return -1;
        m_created[std::size_t(i)] = true;
        if (i != 0)
            m_grids[std::size_t(i)].ShowWindow(SW_HIDE);
    }
    m_active = &m_grids[0];
    RebuildTabs();
    m_tab.ShowWindow(SW_SHOW);
    return 0;
}

void CRecListsWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (!m_tab.GetSafeHwnd())
        return;
    m_tab.MoveWindow(0, 0, cx, cy);
    const CRect area = DisplayArea();
    for (int i = 0; i < kGridCount; ++i)
        if (m_created[std::size_t(i)])
            m_grids[std::size_t(i)].MoveWindow(area);
}

CRect CRecListsWnd::DisplayArea() const
{
    CRect area;
    m_tab.GetClientRect(&area);
    m_tab.AdjustRect(FALSE, &area);
    return area;
}

CTagGrid* CRecListsWnd::GetGrid(int listIndex)
{
    return listIndex >= 0 && listIndex < kGridCount ? &m_grids[std::size_t(listIndex)] : nullptr;
}

int CRecListsWnd::GetActiveIndex() const
{
    return m_active ? int(m_active - m_grids.data()) : -1;
}

int CRecListsWnd::FindTab(int listIndex) const
{
    if (listIndex < 0 || listIndex >= kGridCount)
        return -1;
    const auto data = LPARAM(&m_grids[std::size_t(listIndex)]);
    for (int tab = 0; tab < m_tab.GetItemCount(); ++tab)
        if (m_tab.GetItemData(tab) == data)
            return tab;
    return -1;
}

bool CRecListsWnd::IsDisplayed(int listIndex)
{
    switch (RecWndOptions().m_displayChoice[std::size_t(listIndex)]) {
    case 0:
        return true;
    case 1: {
        const CDataNode* root = GetRecordTypeRoot(listIndex);
        return root && root->GetFirstChild() != nullptr;
    }
    default:
        return false;
    }
}

void CRecListsWnd::RebuildTabs()
{
    m_tab.DeleteAllItems();
    for (int i = 0; i < kGridCount; ++i) {
        CTagGrid& grid = m_grids[std::size_t(i)];
        if (!IsDisplayed(i)) {
            if (ShowsSomething(grid))
                grid.ClearRecordSet();
            m_unsorted[std::size_t(i)] = false;
            continue;
        }
        m_tab.InsertItem(m_tab.GetItemCount(), GetRecordTypePluralName(i).c_str(), LPARAM(&grid));
        if (!ShowsSomething(grid))
            grid.SetRecordSet(GetRecordTypeRoot(i), true, true);
        else if (m_unsorted[std::size_t(i)])
            grid.OnSortAlphabetical();
        m_unsorted[std::size_t(i)] = false;
    }
    CTagGrid* active = m_active && FindTab(GetActiveIndex()) != -1 ? m_active : nullptr;
    if (!active && m_tab.GetItemCount() > 0)
        active = reinterpret_cast<CTagGrid*>(m_tab.GetItemData(0));
    if (!active) {
        if (m_active && m_active->GetSafeHwnd())
            m_active->ShowWindow(SW_HIDE);
        m_active = nullptr;
        return;
    }
    Activate(active, false);
}

void CRecListsWnd::Activate(CTagGrid* grid, bool focus)
{
    if (!grid)
        return;
    if (m_active && m_active != grid && m_active->GetSafeHwnd())
        m_active->ShowWindow(SW_HIDE);
    m_active = grid;
    const int tab = FindTab(GetActiveIndex());
    if (tab != -1 && m_tab.GetCurSel() != tab)
        m_tab.SetCurSel(tab);
    if (grid->GetSafeHwnd()) {
        grid->ShowWindow(SW_SHOW);
        if (focus)
            grid->SetFocus();
    }
}

void CRecListsWnd::SelectTab(int listIndex, bool focus)
{
    CTagGrid* grid = GetGrid(listIndex);
    if (!grid)
        return;
    if (FindTab(listIndex) == -1) {
        if (!IsDisplayed(listIndex))
            ShowTypeForSession(listIndex);
        RebuildTabs();
    }
    Activate(grid, focus);
}

bool CRecListsWnd::ShowHiddenType(CRecordNode* record, bool ask)
{
    const int listIndex = record ? GetRecordTypeIndex(record->GetFieldDef()) : -1;
    CTagGrid* grid = GetGrid(listIndex);
    if (!grid)
        return false;
    // A type shown only when the file has such records gets its tab with its first record.
    if (FindTab(listIndex) == -1 && ask && !IsDisplayed(listIndex) &&
        MessageBox(kShowHiddenTypeQuestion, MB_OKCANCEL | MB_ICONQUESTION, kRecordsWindowTitle) !=
            IDOK)
        return false;
    SelectTab(listIndex, false);
    CTreeBoxNode* row = grid->FindRowByRecord(record);
    if (row) {
        grid->GetBox().ClearSelection(nullptr, false);
        grid->SelectRow(row, false, true);
    }
    if (grid->GetSafeHwnd())
        grid->SetFocus();
    return row != nullptr;
}

void CRecListsWnd::EnsureFilled(int listIndex)
{
    CTagGrid& grid = m_grids[std::size_t(listIndex)];
    if (FindTab(listIndex) != -1 || ShowsSomething(grid))
        return;
    // Searched in file order; sorted only if the user has the list shown.
    grid.SetRecordSet(GetRecordTypeRoot(listIndex), true, false);
    m_unsorted[std::size_t(listIndex)] = true;
}

bool CRecListsWnd::ShowFoundRecord(const RecordSearch& search)
{
    if (!search.m_allTypes && (search.m_listIndex < 0 || search.m_listIndex >= kGridCount))
        return false;
    // A match left in a list without a tab (its question cancelled) is where the next search
    // goes on; otherwise the active list is.
    const int current =
        m_lastFound != -1 && FindTab(m_lastFound) == -1 ? m_lastFound : GetActiveIndex();
    int listIndex = search.m_allTypes ? 0 : search.m_listIndex;
    bool fromStart = true;
    if (!search.m_first && current != -1 && (search.m_allTypes || current == search.m_listIndex)) {
        listIndex = current;
        fromStart = false;
    }
    m_lastFound = -1;
    int found = -1;
    for (; listIndex < kGridCount; ++listIndex) {
        const bool keyless = listIndex == kNotesIndex || listIndex == kHeaderIndex;
        if (!(keyless && search.m_searchType == kSearchNameOrTitle)) {
            EnsureFilled(listIndex);
            if (FindNextMatch(m_grids[std::size_t(listIndex)], fromStart, search)) {
                found = listIndex;
                break;
            }
        }
        if (!search.m_allTypes)
            break;
        fromStart = true;
    }
    if (found == -1)
        return false;
    m_lastFound = found;
    if (FindTab(found) == -1) {
        std::string singular;
        FormatRecordTypeName(found, false, false, singular);
        const std::string question = text::Format(kFoundHiddenTypeQuestion, singular.c_str());
        // The record was found either way; only the display options wait for the answer.
        if (MessageBox(question, MB_OKCANCEL | MB_ICONQUESTION, kRecordsWindowTitle) != IDOK)
            return true;
    }
    // Sorting the list for its tab closes its rows: the match is opened again.
    CTagGrid& grid = m_grids[std::size_t(found)];
    const CDataNode* match = CTagGrid::NodeOf(grid.GetBox().GetFocusItem());
    SelectTab(found, true);
    SelectNodeRow(grid, match);
    return true;
}

void CRecListsWnd::UpdateTabs()
{
    m_lastFound = -1;
    m_unsorted = {};
    for (int i = 0; i < kGridCount; ++i)
        if (FindTab(i) == -1 && ShowsSomething(m_grids[std::size_t(i)]))
            m_grids[std::size_t(i)].ClearRecordSet();
}

void CRecListsWnd::OnDocUpdate(CView* sender, LPARAM hint, CObject* object)
{
    if (hint == kHintDataSetClearing) {
        ResetAll();
        return;
    }
    if (hint == kHintPrinterChanged || hint == kHintDiagramTextApplied ||
        hint == kHintTextSchemesReplaced)
        return;
    try {
        for (CTagGrid& grid : m_grids)
            if (ShowsSomething(grid))
                grid.Refill(sender, long(hint), object);
    } catch (...) {
        if (EndAbandonedOperation() == AbandonCause::Aborted)
            MessageBox(kErrorMessage, MB_OK | MB_ICONEXCLAMATION);
    }
    if (hint != kHintFileLoaded && hint != kHintDisplayOptionsApplied)
        return;
    try {
        RebuildTabs();
    } catch (...) {
        if (EndAbandonedOperation() == AbandonCause::Aborted)
            MessageBox(kErrorMessage, MB_OK | MB_ICONEXCLAMATION);
    }
}

void CRecListsWnd::RefreshAll()
{
    CWaitCursor wait;
    for (int i = 0; i < kGridCount; ++i)
        if (m_created[std::size_t(i)])
            m_grids[std::size_t(i)].RefreshList();
}

void CRecListsWnd::ResetAll()
{
    for (int i = 0; i < kGridCount; ++i) {
        if (!m_created[std::size_t(i)])
            continue;
        CTagGrid& grid = m_grids[std::size_t(i)];
        grid.ResetList();
        // What was typed to find a record of the data set goes with it.
        if (CGridFindBar* bar = grid.GetFindBar())
            bar->Clear();
    }
}

void CRecListsWnd::OnGridFocus(CTagGrid*)
{
    if (m_onFocus)
        m_onFocus();
}

void CRecListsWnd::DeleteInActiveList() const
{
    ForwardToActiveList([](CTagGrid& grid) { grid.OnDeleteRecordOrLink(); });
}

void CRecListsWnd::UpdateDeleteCmd(CCmdUI* state) const
{
    state->Enable(m_active && m_active->GetSelectedRecord(false) != nullptr);
}

bool CRecListsWnd::MayDelete(CTagGrid* grid)
{
    CTreeBoxNode* first = grid ? grid->GetBox().GetNextSelected(nullptr) : nullptr;
    return first && !grid->GetBox().GetNextSelected(first);
}
