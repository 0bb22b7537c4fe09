// records/window/sub_view_rec_commands.cpp: the records window's commands: those of the record
// lists, and those of the named lists, which go to the pane.
#include "records/window/records_window_ids.h"
#include "records/window/sub_view_rec.h"

#include "common/abort.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/windows/cmd_ui.h"
#include "queries/named_list.h"

namespace {

constexpr const char* kEmptyListQuestion =
    "Are you sure you want to remove all records from list \"%s\"?\n\nNote: when you remove an "
    "item from a list the removed records are not deleted.";
constexpr const char* kListOrderSaved =
    "The current order of items in list \"%s\" has been saved, and will be used as the default "
    "order for this list - e.g. in List Reports";

bool HasItems(const CNamedList* list)
{
    return list && !list->Entries().empty();
}

} // namespace

void CSubViewRec::MapListCommands()
{
    MapCommand(ID_REC_DELETE, [this] { OnDelete(); });
    MapUpdate(ID_REC_DELETE, [this](CCmdUI* state) {
        if (!m_listsActive && IsPaneVisible()) {
            state->Enable(m_pane->CanRemoveSelectedItems());
            return;
        }
        m_lists.UpdateDeleteCmd(state);
    });
    const std::pair<UINT, bool> moves[] = {{ID_REC_MOVE_UP, true}, {ID_REC_MOVE_DOWN, false}};
    for (const auto& [id, up] : moves) {
        MapCommand(id, [this, up = up] {
            if (!m_listsActive) {
                if (IsPaneVisible())
                    m_pane->MoveSelectedItems(up);
                return;
            }
            m_lists.ForwardToActiveList(
                [up](CTagGrid& grid) { up ? grid.MoveFieldUp() : grid.MoveFieldDown(); });
        });
        MapUpdate(id, [this, up = up](CCmdUI* state) {
            CTagGrid* grid = m_lists.GetActiveGrid();
            if (!m_listsActive)
                state->Enable(IsPaneVisible() && m_pane->CanMoveSelectedItems(up));
            else if (!grid)
                state->Enable(FALSE);
            else
                up ? grid->CanMoveUp(state) : grid->CanMoveDown(state);
        });
    }
    MapCommand(ID_RECORD_WINDOW_OPTIONS, [this] { OnRecordWindowOptions(); });
    MapCommand(ID_REC_REFRESH, [this] { OnRefresh(); });
    const std::pair<UINT, void (CTagGrid::*)()> sorts[] = {
        {ID_SORT_ALPHABETICAL, &CTagGrid::OnSortAlphabetical},
        {ID_SORT_CREATION, &CTagGrid::OnSortCreationOrder},
        {ID_SORT_LAST_UPDATE, &CTagGrid::OnSortLastUpdateOrder}};
    for (const auto& [id, sort] : sorts) {
        MapCommand(id, [this, sort = sort] {
            m_lists.ForwardToActiveList([sort](CTagGrid& grid) { (grid.*sort)(); });
        });
        MapUpdate(id, [this](CCmdUI* state) { state->Enable(m_lists.GetActiveGrid() != nullptr); });
    }
}

void CSubViewRec::MapNamedListCommands()
{
    MapCommand(ID_NAMED_LISTS_PANE, [this] { OnNamedListsPane(); });
    MapUpdate(ID_NAMED_LISTS_PANE, [this](CCmdUI* state) {
        state->Enable(m_pane != nullptr);
        state->SetCheck(IsPaneVisible() ? 1 : 0);
    });
    MapCommand(ID_NEW_NAMED_LIST, [this] { OnNewNamedList(); });
    MapUpdate(ID_NEW_NAMED_LIST, [this](CCmdUI* state) { state->Enable(IsPaneVisible()); });
    MapCommand(ID_DELETE_NAMED_LIST, [this] { OnDeleteNamedList(); });
    MapCommand(ID_NAMED_LIST_PROPERTIES, [this] { OnNamedListProperties(); });
    MapCommand(ID_MAKE_LIST_ORDER_DEFAULT, [this] { OnMakeListOrderDefault(); });
    for (UINT id : {ID_DELETE_NAMED_LIST, ID_NAMED_LIST_PROPERTIES, ID_MAKE_LIST_ORDER_DEFAULT})
        MapUpdate(id, [this](CCmdUI* state) { state->Enable(ShownList() != nullptr); });
    MapCommand(ID_ADD_TO_SELECTED_LIST, [this] {
        CNamedList* list = ShownList();
        if (!list || !(m_listsActive || m_pane->WantsAddWhileActive()))
            return;
        CWaitCursor wait;
        m_pane->AddSelectionToNamedList(list, m_lists.GetActiveGrid());
    });
    MapUpdate(ID_ADD_TO_SELECTED_LIST, [this](CCmdUI* state) {
        CTagGrid* grid = m_lists.GetActiveGrid();
        CTreeBoxNode* current = grid ? grid->GetBox().GetFocusItem() : nullptr;
        state->Enable(ShownList() && (m_listsActive || m_pane->WantsAddWhileActive()) &&
                      dynamic_cast<CRecordNode*>(CTagGrid::NodeOf(current)) != nullptr);
    });
    MapCommand(ID_EMPTY_NAMED_LIST, [this] { OnEmptyNamedList(); });
    MapCommand(ID_DELETE_LIST_RECORDS, [this] { OnDeleteAllRecordsInList(); });
    for (UINT id : {ID_EMPTY_NAMED_LIST, ID_DELETE_LIST_RECORDS})
        MapUpdate(id, [this](CCmdUI* state) { state->Enable(HasItems(ShownList())); });
}

void CSubViewRec::OnDelete()
{
    if (!m_listsActive && IsPaneVisible()) {
        // The pane removes list items or whole lists, never records.
        m_pane->RemoveSelectedItems();
        return;
    }
    m_lists.DeleteInActiveList();
}

void CSubViewRec::OnRecordWindowOptions()
{
    m_lists.ForwardToActiveList([](CTagGrid& grid) { grid.OnOptions(); });
}

void CSubViewRec::OnNewNamedList()
{
    if (IsPaneVisible())
        m_pane->CreateNamedList();
}

void CSubViewRec::OnDeleteNamedList()
{
    if (CNamedList* list = ShownList())
        m_pane->DeleteNamedList(list);
}

void CSubViewRec::OnNamedListProperties()
{
    if (CNamedList* list = ShownList())
        m_pane->EditListProperties(list);
}

void CSubViewRec::OnRefresh()
{
    try {
        m_lists.RefreshAll();
        if (IsPaneVisible())
            m_pane->FillLists();
    } catch (...) {
        EndAbandonedOperation();
    }
}

void CSubViewRec::OnNamedListsPane()
{
    if (!m_pane || m_panePaneIndex == -1)
        return;
    if (IsPaneVisible()) {
        m_listsActive = true;
        m_splitter.ShowPane(m_panePaneIndex, false);
        m_pane->Empty();
        return;
    }
    m_pane->FillLists();
    m_splitter.ShowPane(m_panePaneIndex, true);
}

void CSubViewRec::OnEmptyNamedList()
{
    CNamedList* list = ShownList();
    if (!HasItems(list))
        return;
    const std::string question = text::Format(kEmptyListQuestion, list->GetName().c_str());
    if (MessageBox(question, MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
        m_pane->EmptyNamedList(list);
}

void CSubViewRec::OnMakeListOrderDefault()
{
    CNamedList* list = ShownList();
    if (!list)
        return;
    if (list->Entries().empty()) {
        MessageBox("List is empty", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (m_pane->SaveListOrder(list))
        MessageBox(text::Format(kListOrderSaved, list->GetName().c_str()),
                   MB_OK | MB_ICONINFORMATION);
    else
        MessageBox("Cannot save list order", MB_OK | MB_ICONEXCLAMATION);
}

void CSubViewRec::OnDeleteAllRecordsInList()
{
    CNamedList* list = ShownList();
    if (HasItems(list) && m_pane->ConfirmDeleteAllRecords(list))
        list->DeleteAllRecords();
}
