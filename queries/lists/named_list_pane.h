// queries/lists/named_list_pane.h: the named-lists pane: the box of lists with their counts,
// the records of the selected list, and the note of the selected entry.
#pragma once

#include "queries/lists/named_lists_box.h"

#include "controls/u_splitter_wnd.h"
#include "platform/ui/dialogs/edit.h"
#include "records/grid/tag_grid.h"

#include <cstddef>
#include <functional>
#include <unordered_map>
#include <vector>

class CNamedList;
struct NamedListEntry;
class CNamedListPane;
class CObject;
class CRecordNode;
class CView;
struct CRuntimeClass;

/// Removes the top-level rows of a free list of records for which drop answers true; the rows
/// left keep their order. The grid is made again in one pass, so taking many rows out of a
/// long list costs no more than filling it. Returns the records of the rows left.
std::vector<CRecordNode*> RemoveRows(CTagGrid& grid,
                                     const std::function<bool(const CTreeBoxNode*)>& drop);

/// Moves the selected top-level rows of a grid one place up or down, each past the unselected
/// row beside it; rows already at the end stay. The first selected row is scrolled into view.
void MoveSelectedRows(CTreeBox& box, bool up);

/// What the pane tells the window that hosts it (the records window, the select-records
/// dialog).
class INamedListPaneHost {
public:
    virtual ~INamedListPaneHost() = default;
    /// The lists box or the items grid gained the focus.
    virtual void OnNamedListPaneFocus(CNamedListPane* /*pane*/) {}
    /// The pane's lists or items changed by its own doing.
    virtual void OnNamedListPaneChanged(CNamedListPane* /*pane*/) {}
};

/// Each row of the items grid stands for one entry of the shown list, one to one, also when a
/// record is listed twice: a row keeps its entry through moves and sorts, so the note shown
/// for a row and the order saved are those of the row's own entry.
class CNamedListPane final : public CWnd, private CNamedListsBox::IListener, private ITagGridOwner {
public:
    CNamedListPane();
    ~CNamedListPane() override;

    /// The pane's window ("NamedListsWnd") with its three parts; false, with nothing left, when
    /// a part cannot be made.
    BOOL Create(CWnd* parent, UINT id, const RECT& rect, INamedListPaneHost* host);
    /// A read-only pane neither edits notes nor removes items.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return m_readOnly; }

    /// Refills the lists box in chain order, keeping the selected list when it is still there.
    void FillLists();
    /// Empties the lists box and the items grid.
    void Empty();
    CNamedList* GetSelectedNamedList() const;
    void SelectList(CNamedList* list);

    /// The data set about to be cleared or a file loaded refills the lists with none selected;
    /// kHintNamedListsChanged (and kHintDataSetCleared) refills them keeping the selection; the
    /// printer, diagram text, text-scheme and embedded-item hints are ignored; others reach the
    /// items grid. The echo of the pane's own announcements is ignored.
    void OnDataChanged(CView* sender, LPARAM hint, CObject* object);

    /// The one selected record of the items grid when it is of cls (any for null), else null;
    /// count receives the number of selected rows.
    CObject* GetSelection(const CRuntimeClass* cls, int* count) const;
    /// The record of the items grid's current row; null when it is none.
    CRecordNode* GetCurrentRecord() const;
    bool IsItemsGridFocused() const { return m_itemsFocused; }

    // Commands.
    void CreateNamedList();
    void DeleteNamedList(CNamedList* list);
    void EmptyNamedListInPane(CNamedList* list);
    /// Adds the selected record rows of source to the selected list, skipping records it holds.
    void AddSelectionToNamedList(CTagGrid* source);
    /// Delete: the selected list when the lists box has the focus, else the selected entries.
    void RemoveSelectedItems();
    /// Whether the list commands (Delete) apply: with the items grid focused, to a record row at
    /// the caret; with the lists box focused, to a selected list. Never in read-only mode.
    bool OnUpdateListCommand() const;
    /// The list's properties; true when the list changed (the caller announces it).
    bool EditListProperties(CNamedList* list);
    /// The rows of the items grid become the list's order, each with its own entry and note.
    /// False unless list is the shown list and every row stands for one of its entries.
    bool SaveListOrder(CNamedList* list);
    /// Moves the selected rows of the items grid one place; only the display changes.
    void MoveSelectedItems(bool up);
    bool CanMoveSelectedItems(bool up) const;
    /// Announces a change of the lists made through the pane; the pane ignores its echo.
    void AnnounceChange() { NotifyQuietly(); }
    /// Confirms through the list-records dialog that every record of the list is to go.
    bool ConfirmDeleteAllRecords(CNamedList* list);

    CNamedListsBox& GetListsBox() { return m_lists; }
    CTagGrid& GetItemsGrid() { return m_items; }
    CEdit& GetNoteBox() { return m_note; }

protected:
    void OnSize(UINT type, int cx, int cy) override;

private:
    /// The note box, which stores its text in the entry when it loses the focus after a change.
    class CNoteEdit final : public CEdit {
    public:
        explicit CNoteEdit(CNamedListPane& pane) : m_pane(pane) {}

    protected:
        void OnKillFocus(CWnd* newWnd) override;

    private:
        CNamedListPane& m_pane;
    };

    void OnListsBoxSelChanged() override;
    void OnListsBoxFocus() override;
    void OnListsBoxDeleteKey() override { RemoveSelectedItems(); }
    void OnGridSelChanged(CTagGrid* grid) override;
    bool OnGridDoubleClick(CTagGrid* grid, CTreeBoxNode* row, int flag) override;
    void OnGridFocus(CTagGrid* grid) override;
    /// The Delete key in the items grid takes entries out of the list (RemoveSelectedItems);
    /// the grid never deletes a record itself.
    bool MayDelete(CTagGrid* grid) override;

    /// Shows the selected list's entries when the selection changed (or force).
    void ShowSelectedList(bool force);
    void FillItems();
    /// The entry a top-level row stands for; null for another row or when rows and entries
    /// have gone out of step and cannot be matched again.
    NamedListEntry* EntryOf(const CTreeBoxNode* row);
    /// Matches rows and entries again after entries went away outside the pane: the k-th row
    /// of a record stands for its k-th entry.
    void RematchRows();
    void ShowNote();
    void StoreNote();
    void NotifyQuietly();
    void TellHostChanged();

    CUSplitterWnd m_splitter;
    CNamedListsBox m_lists;
    CTagGrid m_items;
    CNoteEdit m_note{*this};
    INamedListPaneHost* m_host = nullptr;
    CNamedList* m_shownList = nullptr;
    /// Entry index (into the shown list) of each top-level row of the items grid.
    std::unordered_map<const CTreeBoxNode*, std::size_t> m_rowEntries;
    const CTreeBoxNode* m_noteRow = nullptr;
    bool m_itemsFocused = false;
    bool m_readOnly = false;
    bool m_broadcasting = false;
    bool m_selecting = false;
};
