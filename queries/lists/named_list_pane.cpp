// queries/lists/named_list_pane.cpp: the named-lists pane.
#include "queries/lists/named_list_pane.h"

#include "database/nodes/change_hint.h"
#include "queries/lists/named_list_dlgs.h"

#include "app/shell/av_doc.h"
#include "app/shell/shell_app.h"
#include "common/abort.h"
#include "common/string_utils.h"
#include "database/records/record_node.h"
#include "platform/base/flag_guard.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"
#include "queries/named_list.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace {

constexpr UINT kListsId = 1, kItemsId = 2, kNoteId = 3;
// The parts' shares of the height: a quarter, seven twelfths and a sixth.
constexpr int kListsShare = 25, kItemsShare = 58, kNoteShare = 17;

void MarkDocumentModified()
{
    if (IShellApp* app = GetShellApp()) {
        if (CAvDoc* document = app->GetDocument())
            document->SetModifiedFlag(TRUE);
    }
}

CRecordNode* RecordOfRow(const CTreeBoxNode* row)
{
    if (!row || row->m_level != 0)
        return nullptr;
    CDataNode* node = CTagGrid::NodeOf(row);
    return node && node->IsRecord() ? static_cast<CRecordNode*>(node) : nullptr;
}

std::vector<CTreeBoxNode*> SelectedRows(CTreeBox& box)
{
    std::vector<CTreeBoxNode*> rows;
    for (CTreeBoxNode* row = box.GetNextSelected(nullptr); row; row = box.GetNextSelected(row))
        rows.push_back(row);
    return rows;
}

} // namespace

std::vector<CRecordNode*> RemoveRows(CTagGrid& grid,
                                     const std::function<bool(const CTreeBoxNode*)>& drop)
{
    std::vector<CRecordNode*> kept;
    for (CTreeBoxNode* row = grid.GetBox().GetFirstItem(); row; row = row->m_nextSibling) {
        if (!drop(row))
            kept.push_back(static_cast<CRecordNode*>(CTagGrid::NodeOf(row)));
    }
    grid.ClearRecordSet();
    for (CRecordNode* record : kept)
        grid.AddRecordRow(record, true, true, false, true);
    return kept;
}

void MoveSelectedRows(CTreeBox& box, bool up)
{
    std::vector<CTreeBoxNode*> rows;
    for (CTreeBoxNode* row = box.GetFirstItem(); row; row = row->m_nextSibling)
        rows.push_back(row);
    if (!up)
        std::reverse(rows.begin(), rows.end());
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (!rows[i]->m_selected || rows[i - 1]->m_selected)
            continue;
        CTreeBoxNode* passed = rows[i - 1];
        CTreeBoxNode* after = up ? box.GetRelative(passed, CTreeBox::kPreviousSibling) : passed;
        box.MoveItem(rows[i], nullptr, after, false, false);
        std::swap(rows[i], rows[i - 1]);
    }
    // The box keeps its top row; a row moved past it is scrolled back into view.
    box.EnsureItemVisible(box.GetNextSelected(nullptr), 1, !up);
    box.Invalidate();
}

CNamedListPane::CNamedListPane() = default;
CNamedListPane::~CNamedListPane() = default;

BOOL CNamedListPane::Create(CWnd* parent, UINT id, const RECT& rect, INamedListPaneHost* host)
{
    m_host = host;
    if (!CreateEx(0, "NamedListsWnd", "", WS_CHILD, rect, parent, id))
        return FALSE;
    // The parts get their sizes, and their columns, from the splitter.
    const CRect part(0, 0, 0, 0);
    const DWORD noteStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE |
                            ES_AUTOVSCROLL | ES_WANTRETURN | ES_READONLY;
    if (!m_splitter.Create(this, CUSplitterWnd::kStacked, true, nullptr) ||
        !m_lists.Create(part, &m_splitter, kListsId, this) ||
        !m_items.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, part, &m_splitter, kItemsId, this, 0) ||
        !m_note.Create(noteStyle, part, &m_splitter, kNoteId)) {
        DestroyWindow();
        return FALSE;
    }
    m_splitter.AddPane(&m_lists, kListsShare);
    m_splitter.AddPane(&m_items, kItemsShare);
    m_splitter.AddPane(&m_note, kNoteShare);
    m_splitter.InitPaneSizes();
    m_items.SetEditable(false);
    m_items.GetBox().SetEmptyText("Empty List");
    m_items.EnableWindow(FALSE);
    return TRUE;
}

void CNamedListPane::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_splitter.GetSafeHwnd())
        m_splitter.MoveWindow(0, 0, cx, cy);
}

void CNamedListPane::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    ShowNote();
}

void CNamedListPane::FillLists()
{
    m_lists.Fill(GetSelectedNamedList());
    ShowSelectedList(true);
}

void CNamedListPane::Empty()
{
    m_lists.Fill(nullptr);
    m_lists.GetBox().DeleteAllItems();
    ShowSelectedList(true);
}

CNamedList* CNamedListPane::GetSelectedNamedList() const
{
    return m_lists.GetSafeHwnd() ? m_lists.GetSelectedList() : nullptr;
}

void CNamedListPane::SelectList(CNamedList* list)
{
    m_lists.SelectList(list);
    ShowSelectedList(false);
}

void CNamedListPane::OnListsBoxSelChanged()
{
    ShowSelectedList(false);
}

void CNamedListPane::OnListsBoxFocus()
{
    m_itemsFocused = false;
    if (m_host)
        m_host->OnNamedListPaneFocus(this);
}

void CNamedListPane::ShowSelectedList(bool force)
{
    if (m_selecting)
        return;
    CNamedList* list = GetSelectedNamedList();
    if (list == m_shownList && !force)
        return;
    {
        const CFlagGuard selecting(m_selecting);
        m_shownList = list;
        FillItems();
        m_items.EnableWindow(list != nullptr);
        ShowNote();
    }
    TellHostChanged();
}

void CNamedListPane::FillItems()
{
    const CWaitCursor wait;
    m_noteRow = nullptr;
    m_rowEntries.clear();
    m_items.ClearRecordSet();
    if (!m_shownList)
        return;
    const auto& entries = m_shownList->Entries();
    m_rowEntries.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (CTreeBoxNode* row = m_items.AddRecordRow(entries[i].m_record, true, true, false, true))
            m_rowEntries[row] = i;
    }
}

NamedListEntry* CNamedListPane::EntryOf(const CTreeBoxNode* row)
{
    if (!m_shownList || !RecordOfRow(row))
        return nullptr;
    auto& entries = m_shownList->Entries();
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto found = m_rowEntries.find(row);
        if (found != m_rowEntries.end() && found->second < entries.size() &&
            entries[found->second].m_record == CTagGrid::NodeOf(row))
            return &entries[found->second];
        if (attempt == 0)
            RematchRows();
    }
    return nullptr;
}

void CNamedListPane::RematchRows()
{
    m_rowEntries.clear();
    if (!m_shownList)
        return;
    // For each record, the indexes of its entries in list order, taken one by one.
    std::unordered_map<const CDataNode*, std::vector<std::size_t>> free;
    const auto& entries = m_shownList->Entries();
    for (std::size_t i = entries.size(); i-- > 0;)
        free[entries[i].m_record].push_back(i);
    for (CTreeBoxNode* row = m_items.GetBox().GetFirstItem(); row; row = row->m_nextSibling) {
        auto found = free.find(CTagGrid::NodeOf(row));
        if (found == free.end() || found->second.empty())
            continue;
        m_rowEntries[row] = found->second.back();
        found->second.pop_back();
    }
}

void CNamedListPane::OnGridSelChanged(CTagGrid*)
{
    ShowNote();
}

void CNamedListPane::OnGridFocus(CTagGrid*)
{
    m_itemsFocused = true;
    if (m_host)
        m_host->OnNamedListPaneFocus(this);
}

bool CNamedListPane::MayDelete(CTagGrid*)
{
    RemoveSelectedItems();
    return false;
}

bool CNamedListPane::OnGridDoubleClick(CTagGrid*, CTreeBoxNode* row, int)
{
    CDataNode* node = CTagGrid::NodeOf(row);
    if (node && (row->m_data2 & kRowLinkMode) && node->GetLinkTarget())
        node = node->GetLinkTarget();
    CRecordNode* record = node ? node->GetRecord() : nullptr;
    if (IShellApp* app = GetShellApp(); app && record)
        app->ShowRecordInRecordsWindow(record, TRUE);
    return false;
}

void CNamedListPane::ShowNote()
{
    if (!m_note.GetSafeHwnd())
        return;
    const std::vector<CTreeBoxNode*> rows = SelectedRows(m_items.GetBox());
    const NamedListEntry* entry = rows.size() == 1 ? EntryOf(rows[0]) : nullptr;
    if (entry && !IsNoteShowable(entry->m_note)) {
        m_noteRow = nullptr;
        m_note.SetWindowText(OverlongNoteText());
        m_note.SetModify(FALSE);
        m_note.SetReadOnly(TRUE);
        return;
    }
    m_noteRow = entry ? rows[0] : nullptr;
    m_note.SetWindowText(entry ? ToCrLfLineBreaks(entry->m_note) : std::string());
    m_note.SetModify(FALSE);
    m_note.SetReadOnly(!entry || m_readOnly);
}

void CNamedListPane::StoreNote()
{
    if (m_readOnly || !m_noteRow || !m_note.GetModify())
        return;
    NamedListEntry* entry = EntryOf(m_noteRow);
    if (!entry)
        return;
    std::string text;
    m_note.GetWindowText(text);
    entry->m_note = ToLfLineBreaks(text);
    m_note.SetModify(FALSE);
    MarkDocumentModified();
}

void CNamedListPane::CNoteEdit::OnKillFocus(CWnd* newWnd)
{
    m_pane.StoreNote();
    CEdit::OnKillFocus(newWnd);
}

void CNamedListPane::OnDataChanged(CView* sender, LPARAM hint, CObject* object)
{
    if (m_broadcasting || !GetSafeHwnd())
        return;
    switch (hint) {
    case kHintDataSetClearing:
    case kHintFileLoaded:
        m_lists.Fill(nullptr);
        ShowSelectedList(true);
        return;
    case kHintPrinterChanged:
    case kHintDiagramTextApplied:
    case kHintTextSchemesReplaced:
    case kHintItemChanged:
        return;
    case kHintNamedListsChanged: // or kHintDataSetCleared, the same number
        FillLists();
        return;
    default:
        break;
    }
    if (m_shownList) {
        const std::size_t before = m_items.GetBox().GetCount();
        m_items.Refill(sender, long(hint), object);
        if (m_items.GetBox().GetCount() != before) {
            RematchRows();
            ShowNote();
        }
    }
    m_lists.GetBox().Invalidate();
}

CObject* CNamedListPane::GetSelection(const CRuntimeClass* cls, int* count) const
{
    CTreeBox& box = const_cast<CTagGrid&>(m_items).GetBox();
    const std::vector<CTreeBoxNode*> rows = SelectedRows(box);
    if (count)
        *count = int(rows.size());
    CRecordNode* record = rows.size() == 1 ? RecordOfRow(rows[0]) : nullptr;
    if (!record || (cls && !record->IsKindOf(cls)))
        return nullptr;
    return record;
}

CRecordNode* CNamedListPane::GetCurrentRecord() const
{
    return RecordOfRow(const_cast<CTagGrid&>(m_items).GetBox().GetFocusItem());
}

void CNamedListPane::CreateNamedList()
{
    CNewNamedListDlg dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    CNamedList* list = nullptr;
    try {
        list = GetNamedList(dialog.m_name, false);
    } catch (...) {
        list = nullptr;
        EndAbandonedOperation();
    }
    if (!list) {
        MessageBox("An error has occurred.  Cannot create named list.", MB_OK);
        return;
    }
    m_lists.Fill(list);
    ShowSelectedList(true);
    NotifyQuietly();
}

void CNamedListPane::DeleteNamedList(CNamedList* list)
{
    if (!list || m_readOnly)
        return;
    const char* question =
        IsAutoNamedList(list->GetName())
            ? "\"%s\" is listed in your Preferences as an 'auto-create' named list.  This means "
              "that it will be automatically created for each new file you open, if not already "
              "found in the file.  Are you sure you want to delete it?\n\nNote: when a list is "
              "deleted, any records that are in the list, are not deleted."
            : "Are you sure you want to delete list \"%s\"?\n\nNote: when a list is deleted, any "
              "records that are in the list, are not deleted.";
    if (MessageBox(text::Format(question, list->GetName()), MB_OKCANCEL) != IDOK)
        return;
    m_lists.RemoveList(list);
    if (list == m_shownList)
        m_shownList = nullptr;
    delete list;
    ShowSelectedList(true);
    NotifyQuietly();
}

void CNamedListPane::EmptyNamedListInPane(CNamedList* list)
{
    if (!list)
        return;
    RemoveAllFromNamedList(list);
    if (list == m_shownList) {
        FillItems();
        ShowNote();
    }
    m_lists.GetBox().Invalidate();
    NotifyQuietly();
}

void CNamedListPane::AddSelectionToNamedList(CTagGrid* source)
{
    CNamedList* list = GetSelectedNamedList();
    if (!list || !source || m_readOnly)
        return;
    const CWaitCursor wait;
    std::unordered_set<const CRecordNode*> listed;
    for (const NamedListEntry& entry : list->Entries())
        listed.insert(entry.m_record);
    const bool shown = list == m_shownList;
    CTreeBoxNode* firstAdded = nullptr;
    CTreeBoxNode* alreadyListed = nullptr;
    int added = 0;
    int met = 0;
    for (CTreeBoxNode* row : SelectedRows(source->GetBox())) {
        CRecordNode* record = RecordOfRow(row);
        if (!record || record->IsPendingDeletion())
            continue;
        ++met;
        if (!listed.insert(record).second) {
            if (shown && !alreadyListed)
                alreadyListed = m_items.FindRowByRecord(record);
            continue;
        }
        AddToNamedList(list, record, false, false);
        ++added;
        if (!shown)
            continue;
        CTreeBoxNode* item = m_items.AddRecordRow(record, true, true, false, true);
        if (item)
            m_rowEntries[item] = list->Entries().size() - 1;
        if (!firstAdded)
            firstAdded = item;
    }
    if (shown) {
        m_items.EnableWindow(TRUE);
        if (CTreeBoxNode* select = firstAdded ? firstAdded : (met == 1 ? alreadyListed : nullptr))
            m_items.SelectRow(select, false, true);
    }
    m_lists.GetBox().Invalidate();
    if (added)
        NotifyQuietly();
    TellHostChanged();
}

bool CNamedListPane::OnUpdateListCommand() const
{
    if (m_readOnly)
        return false;
    if (m_itemsFocused)
        return GetCurrentRecord() != nullptr;
    return GetSelectedNamedList() != nullptr;
}

void CNamedListPane::RemoveSelectedItems()
{
    if (m_readOnly)
        return;
    if (!m_itemsFocused) {
        DeleteNamedList(GetSelectedNamedList());
        return;
    }
    if (!m_shownList)
        return;
    std::vector<CTreeBoxNode*> rows;
    std::vector<bool> removed(m_shownList->Entries().size(), false);
    for (CTreeBoxNode* row : SelectedRows(m_items.GetBox())) {
        if (const NamedListEntry* entry = EntryOf(row)) {
            removed[std::size_t(entry - m_shownList->Entries().data())] = true;
            rows.push_back(row);
        }
    }
    if (rows.empty() || MessageBox("Remove selected items from the list?", MB_OKCANCEL) != IDOK)
        return;
    // Old entry index to new; the rows left keep their own entries.
    auto& entries = m_shownList->Entries();
    std::vector<std::size_t> renumbered(entries.size());
    std::vector<NamedListEntry> kept;
    kept.reserve(entries.size() - rows.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        renumbered[i] = kept.size();
        if (!removed[i])
            kept.push_back(std::move(entries[i]));
    }
    entries = std::move(kept);
    // The rows left, in the order shown, with their entries' new indexes; the grid is made
    // again from them in one pass.
    std::vector<std::pair<CRecordNode*, std::size_t>> left;
    for (CTreeBoxNode* row = m_items.GetBox().GetFirstItem(); row; row = row->m_nextSibling) {
        const auto found = m_rowEntries.find(row);
        if (found != m_rowEntries.end() && !removed[found->second])
            left.emplace_back(RecordOfRow(row), renumbered[found->second]);
    }
    m_rowEntries.clear();
    m_items.ClearRecordSet();
    for (const auto& [record, index] : left) {
        if (CTreeBoxNode* row = m_items.AddRecordRow(record, true, true, false, true))
            m_rowEntries[row] = index;
    }
    ShowNote();
    m_lists.GetBox().Invalidate();
    MarkDocumentModified();
    TellHostChanged();
}

bool CNamedListPane::EditListProperties(CNamedList* list)
{
    if (!list)
        return false;
    CListPropsDlg dialog(*list, this);
    if (dialog.DoModal() != IDOK)
        return false;
    m_lists.GetBox().Invalidate();
    return true;
}

bool CNamedListPane::SaveListOrder(CNamedList* list)
{
    if (!list || list != m_shownList || list != GetSelectedNamedList())
        return false;
    auto& entries = list->Entries();
    std::vector<CTreeBoxNode*> rows;
    rows.reserve(entries.size());
    for (CTreeBoxNode* row = m_items.GetBox().GetFirstItem(); row; row = row->m_nextSibling)
        rows.push_back(row);
    if (rows.size() != entries.size())
        return false;
    std::vector<bool> used(entries.size(), false);
    std::vector<std::size_t> order;
    order.reserve(rows.size());
    for (const CTreeBoxNode* row : rows) {
        const NamedListEntry* entry = EntryOf(row);
        if (!entry)
            return false;
        const auto index = std::size_t(entry - entries.data());
        if (used[index])
            return false;
        used[index] = true;
        order.push_back(index);
    }
    std::vector<NamedListEntry> reordered;
    reordered.reserve(entries.size());
    for (const std::size_t index : order)
        reordered.push_back(std::move(entries[index]));
    entries = std::move(reordered);
    for (std::size_t i = 0; i < rows.size(); ++i)
        m_rowEntries[rows[i]] = i;
    MarkDocumentModified();
    return true;
}

void CNamedListPane::MoveSelectedItems(bool up)
{
    if (!CanMoveSelectedItems(up))
        return;
    MoveSelectedRows(m_items.GetBox(), up);
}

bool CNamedListPane::CanMoveSelectedItems(bool up) const
{
    CTreeBox& box = const_cast<CTagGrid&>(m_items).GetBox();
    const CTreeBoxNode* first = box.GetNextSelected(nullptr);
    if (!RecordOfRow(first))
        return false;
    return up ? first != box.GetFirstItem() : first->m_nextSibling != nullptr;
}

bool CNamedListPane::ConfirmDeleteAllRecords(CNamedList* list)
{
    if (!list)
        return false;
    CDeleteListRecordsDlg dialog(*list, this);
    return dialog.DoModal() == IDOK;
}

void CNamedListPane::NotifyQuietly()
{
    {
        const CFlagGuard broadcasting(m_broadcasting);
        NotifyNamedListsChanged();
    }
    TellHostChanged();
}

void CNamedListPane::TellHostChanged()
{
    if (m_host)
        m_host->OnNamedListPaneChanged(this);
}
