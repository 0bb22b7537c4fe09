// records/grid/tag_grid.h: the record list grid: the records of a type, or one record's fields,
// in a tree grid whose link rows open into the linked records, sorted on request and kept in
// step with every change notice.
#pragma once

#include "controls/tree_grid.h"
#include "database/paths/data_ref.h"
#include "records/datactl/data_ctl.h"
#include "records/grid/grid_sort_keys.h"
#include "records/grid/row_map.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

class CCmdUI;
class CDataNode;
class CMenu;
class CObject;
class CRecordNode;
class CTagGrid;
class CView;

/// The host of a grid; every operation may be a no-op.
class ITagGridOwner {
public:
    virtual ~ITagGridOwner() = default;
    virtual void OnGridSelChanged(CTagGrid* /*grid*/) {}
    virtual void OnGridRowClicked(CTagGrid* /*grid*/) {}
    /// Whether the grid goes on with its own action.
    virtual bool OnGridDoubleClick(CTagGrid* /*grid*/, CTreeBoxNode* /*row*/, int /*flag*/)
    {
        return true;
    }
    virtual void OnGridFocus(CTagGrid* /*grid*/) {}
    virtual bool MayDelete(CTagGrid* /*grid*/) { return true; }
    /// direction is CTagGrid::kMoveUp or kMoveDown.
    virtual bool BeforeMove(CTagGrid* /*grid*/, int /*direction*/) { return true; }
    /// Whether the owner decided; the answer goes to result.
    virtual bool CanMove(CTagGrid* /*grid*/, int /*direction*/, bool& /*result*/) { return false; }
    virtual void OnGridColumnClicked(CTagGrid* /*grid*/, int /*column*/) {}
};

/// Row flags, kept in a row's second data word. A recursive row (a link back to the record it
/// is listed under) never opens: that is what stops a cycle of links from recursing.
inline constexpr std::uintptr_t kRowExpanded = 1, kRowLinkMode = 2, kRowRecursive = 4;

/// Rows carry the node they show (a record or a field) in their data word. Top-level rows are
/// found through a map, never by a walk; a refill looks at the changed records and the open
/// rows only, so its cost does not grow with the number of records.
class CTagGrid : public CTreeGrid, public IDataCtlOwner {
public:
    /// The commands of the grid's context menus; the field commands lie between.
    static constexpr UINT kCmdEmpty = 25001, kCmdDeleteNode = 25002, kCmdNewRecord = 25003,
                          kCmdDeleteLinked = 25004, kCmdCreateLinked = 25005, kCmdClearLink = 25006,
                          kCmdOptions = 32782, kCmdProperties = 32802;
    /// The directions the owner's move operations are told.
    static constexpr int kMoveUp = 0, kMoveDown = 1;
    /// What a context menu was opened for.
    enum MenuKind : int { kMenuNone = 0, kMenuNew = 1, kMenuRow = 2, kMenuLink = 3 };
    /// What an add command leaves to be selected after the refill its notice causes.
    enum PendingKind : int {
        kPendingNone = 0,
        kPendingNewRecord = 1,
        kPendingNewLinked = 2,
        kPendingLink = 3,
        kPendingField = 4,
    };
    enum Mode : int { kModeNone = 0, kModeRecord = 1, kModeRecordSet = 2, kModeFreeList = 3 };
    enum SortKey : int {
        kSortNone = 0,
        kSortAlphabetical = 1,
        kSortLastUpdate = 2,
        kSortCreation = 3,
        kSortRefAscending = 4,
        kSortRefDescending = 5,
    };
    static constexpr int kMaxExtraColumns = 6;

    CTagGrid();
    ~CTagGrid() override;

    /// The grid with its two columns ("Records", "Values"); false, with nothing left, when a
    /// part cannot be made. findBarTemplate 0 makes no find bar; moveButtons puts the grid's
    /// own Up and Down buttons at the right end of its header.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, ITagGridOwner* owner,
                UINT findBarTemplate, bool moveButtons = false);

    /// The columns of a record page's grid: "Record", "Values", then the record's identifier
    /// (not for the header) and its last update; kept through later record changes.
    void SetRecordPageColumns(bool header);
    /// One record with its fields (mode 1); null shows nothing.
    void SetRecord(CRecordNode* record);
    /// The records of the type whose root is given (mode 2), with the type's columns unless the
    /// grid keeps its own; fill shows them, sort then sorts them alphabetically.
    void SetRecordSet(CDataNode* root, bool fill, bool sort);
    void RefreshList();
    void ResetList();
    void ClearRecordSet();
    /// A top-level row for record: first or last, not in sorted place. A record that has a row
    /// gets no second one unless allowDuplicate. Null when no row was added.
    CTreeBoxNode* AddRecordRow(CRecordNode* record, bool last, bool allowDuplicate, bool select,
                               bool freeList);
    CTreeBoxNode* FindRowByRecord(const CDataNode* record) const;
    /// A top-level row of a free list for node (a record, or a field shown as it stands)
    /// after the row after (first for null), even when node has a row already; null when no
    /// row could be made.
    CTreeBoxNode* InsertFreeRow(CDataNode* node, CTreeBoxNode* after);
    /// Makes the row the caret row, in link mode or not; selected, it is the only row selected.
    void SelectRow(CTreeBoxNode* row, bool linkMode, bool select);
    /// The record of the one selected row (a link-mode row's target when followLinks); null
    /// when none or several are selected.
    CRecordNode* GetSelectedRecord(bool followLinks = true) const;
    /// GetSelectedRecord (following links) when the record is of cls (any class for null);
    /// several, when given, receives the number of selected rows.
    CRecordNode* GetSelectedRecordOfKind(const CRuntimeClass* cls, int* several) const;
    /// The records of every selected row in row order: a record row's record, a link-mode
    /// row's target; other rows give none.
    void GetSelectedRecords(std::vector<CRecordNode*>& records) const;
    /// The node of the top-level row after position (the first for null), position then
    /// standing on that row; null, position null, after the last row.
    CDataNode* GetNextRowData(CTreeBoxNode*& position) const;

    /// A change notice: rows follow the data (see the README).
    void Refill(CView* sender, long hint, CObject* object);
    /// Expands or collapses a row.
    void OnNodeExpand(CTreeBoxNode* row);

    // Sorts, once: rows added later go where their adding puts them.
    void OnSortAlphabetical();
    void OnSortCreationOrder();
    void OnSortLastUpdateOrder();
    void SortByDataRef(const CDataRef& reference, bool ascending);

    // Texts and colours of a row.
    std::string GetRelationLabel(const CTreeBoxNode* row) const;
    std::string GetValueText(const CTreeBoxNode* row) const;
    /// The text of extra column k for a top-level record row, at most 400 characters.
    std::string GetExtraText(const CTreeBoxNode* row, int k) const;
    /// The label and value colours of a row.
    void GetRowColours(const CTreeBoxNode* row, COLORREF& label, COLORREF& value) const;
    /// Whether child is listed under the row (null: at top level); recursive tells whether it
    /// points back to the record it is listed under.
    bool CheckLinkAllowed(const CTreeBoxNode* row, const CDataNode* child, bool& recursive) const;

    // Commands.
    /// The menus of a right click; point in screen coordinates. The new-record menu (record
    /// sets only), a row's menu, and a link field's menu (onTarget: the click lay on the text
    /// of a link with a target).
    void ShowNewMenu(CTreeBoxNode* row, CDataNode* target, CPoint point);
    void ShowRowMenu(CTreeBoxNode* row, CDataNode* node, CPoint point);
    void ShowLinkMenu(CTreeBoxNode* row, CPoint point, bool onTarget);
    /// A command of the grid's menus, against the menu target; the target is then forgotten.
    void OnMenuCommand(UINT id);
    /// The delete command, on the caret row: a record, a field, or (in link mode) a link.
    void OnDeleteRecordOrLink();
    void MoveFieldUp();
    void MoveFieldDown();
    /// Whether the selected field can move; the state goes to state when given, else to the
    /// grid's Up and Down buttons.
    bool CanMoveUp(CCmdUI* state);
    bool CanMoveDown(CCmdUI* state);
    void UpdateMoveButtons();
    /// Runs the application's Properties command.
    void OnProperties();
    /// The Record Window Options sheet over the program's options.
    void OnOptions();
    /// The in-place editor over the row's value cell (a link row is selected in link mode).
    void OpenEditor(CTreeBoxNode* row);
    /// Ends an open in-place editor, storing its value when keep.
    void CloseEditor(bool keep);
    CDataCtl* GetEditor() const { return m_editor; }
    MenuKind GetMenuKind() const { return m_menuKind; }
    PendingKind GetPendingKind() const { return m_pendingKind; }
    void SetDeleteAllowed(bool allowed) { m_deleteAllowed = allowed; }
    /// The rectangle of a row's value cell in the box's client coordinates; false when the row
    /// is not visible.
    bool GetValueCellRect(CTreeBoxNode* row, CRect& rect);

    // The in-place editor's owner.
    void OnCtlDestroyed(CDataCtl* control) override;
    void OnCtlKey(CDataCtl* control, UINT key) override;
    void OnCtlKillFocus(CDataCtl* control, CWnd* newFocus, BOOL forced) override;
    void OnCtlContextMenu(CDataCtl* control, int kind, int x, int y) override;

    Mode GetMode() const { return m_mode; }
    CDataNode* GetShownObject() const { return m_shown; }
    int GetExtraColumnCount() const { return int(m_extra.size()); }
    void SetEditable(bool editable) { m_editable = editable; }
    void SetKeepOwnColumns(bool keep) { m_keepOwnColumns = keep; }
    /// The first two columns' titles and the text shown without rows.
    void SetHeading(const std::string& heading, const std::string& emptyText,
                    const std::string& valueHeading = "Values");
    /// Adds a column of the grid's own, kept through SetRecordSet: reference's value for each
    /// top-level record row; sample is a text as wide as the column.
    void AddOwnColumn(const std::string& title, const std::string& sample,
                      const CDataRef& reference);
    static CDataNode* NodeOf(const CTreeBoxNode* row)
    {
        return row ? reinterpret_cast<CDataNode*>(row->m_data) : nullptr;
    }

    // The find bar.
    void OnFindTextChanged(const std::string& text) override;
    void OnFindIdChanged(const std::string& text) override;
    void OnFindText2Changed(const std::string& text) override;
    void OnFindNext(const std::string& text, int editId) override;
    /// Starts reading the find keys of the edit's rows ahead, a slice at each timer tick.
    void OnFindEditFocus(int editId) override;
    /// How many rows the find keys of the edit cover (all of them once read to the end); 0
    /// when none are kept for it.
    std::size_t GetFindKeyCount(int editId);

    // The box's owner.
    int Compare(CTreeBox* box, std::uintptr_t first, std::uintptr_t second) override;
    bool OnExpanding(CTreeBox* box, CTreeBoxNode* node, bool expand) override;
    void OnItemFreed(CTreeBox* box, CTreeBoxNode* node) override;
    void OnAllItemsFreed(CTreeBox* box) override;
    bool OnDoubleClick(CTreeBox* box, CTreeBoxNode* node, int part) override;
    bool OnButtonDown(CTreeBox* box, CTreeBoxNode* node, UINT flags, int x, int y,
                      int& part) override;
    bool OnRightClick(CTreeBox* box, CTreeBoxNode* node, CWnd* wnd, UINT flags, int x, int y,
                      int part) override;
    bool OnKeyDown(CTreeBox* box, UINT virtKey, UINT repeatCount, UINT flags) override;
    void OnSelChanged(CTreeBox* box) override;
    bool DrawGridRow(CTreeBox* box, TreeBoxRowPaint& paint) override;
    void OnSetFocus(CTreeBox* box) override;
    // The header's owner.
    void OnColumnClick(CColumnHeader* header, int column) override;
    /// The grid's own Up (first) and Down buttons.
    void OnButtonClicked(CUButton* button) override;

    /// A key of the main window's accelerators (Ctrl+S) typed in the in-place editor of a grid
    /// in the main window runs its command on the value typed: the editor stores it and closes
    /// first. F5 stays the editor's key that stores without leaving.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    /// A grid made before its window had a width gets its columns at the first real size.
    void OnSize(UINT type, int cx, int cy) override;
    void OnTimer(UINT_PTR id) override;

private:
    struct ExtraColumn {
        std::string title;
        std::string sample;
        CDataRef reference;
        bool ascending = true;
    };

    /// Adds the type's heading, empty text and extra columns; a column whose reference does
    /// not read drops every extra column.
    void AddRecordTypeHeadings(int listIndex);
    void ApplyColumns();
    void AddAllRecordRows();
    /// The individuals' rows made at once in the order of their names, as AddAllRecordRows and
    /// a sort by name would leave them; false, adding nothing, when the ranks do not give it.
    bool AddAllRecordRowsByName();
    /// A top-level row after after (null: last); bulk leaves the rows' links for RedrawAll.
    CTreeBoxNode* AddTopRow(CDataNode* record, CTreeBoxNode* after, bool bulk);
    /// AddTopRow without the record's entry in the row map.
    CTreeBoxNode* CreateTopRow(CDataNode* record, CTreeBoxNode* after, bool bulk);
    /// The same, told whether the row opens (the record has fields to show).
    CTreeBoxNode* CreateTopRow(CDataNode* record, CTreeBoxNode* after, bool bulk, bool opens);
    /// A row for record after the last, linked and numbered (CTreeBox::AppendRow); null when
    /// memory ran short.
    CTreeBoxNode* AppendTopRow(CDataNode* record, bool opens);
    /// The rows of a row's shown children, after the rows it has.
    void AddChildRows(CTreeBoxNode* row);
    /// The children listed under row, with the recursive flag of each.
    std::vector<std::pair<CDataNode*, bool>> ShownChildren(const CTreeBoxNode* row) const;
    /// The node whose children a row opens into: a link's target, else the node.
    static CDataNode* ExpansionSource(const CDataNode* node);
    bool HasShownChildren(const CDataNode* node) const;
    /// The map from records to their top-level rows, made first when it is still to be made.
    CRowMap& Rows() const;
    void ClearRowMap();
    /// Brings the rows under an expanded row in step with the data, keeping what is open.
    void SyncChildRows(CTreeBoxNode* row, int depth);
    void UpdateRecordSetRows();
    /// A new record's row, just before the row of the record after it in the file; bulk
    /// leaves the rows' links for RedrawAll.
    void AddRowBeforeNextInFile(CDataNode* record, bool bulk);
    /// The new records' rows in their places in the order the rows were last sorted in; false,
    /// adding nothing, when the rows are in no sort's order or the order cannot be worked out.
    bool AddRowsInSortedPlace(const std::vector<CRecordNode*>& records, bool bulk);
    /// What a sort orders by; none for a sort that compares the nodes themselves.
    std::optional<GridSortBy> SortByOf(SortKey key, const CDataRef* reference) const;
    /// A top-level row just before next (null: after the last row).
    void AddRowBefore(CDataNode* record, CTreeBoxNode* next, bool bulk);
    void UpdateFreeListRows();
    /// Drops rows of records pending deletion only (the safe form, which adds nothing).
    void RemoveDeletedRows();
    void Sort(SortKey key);
    /// Puts the top-level rows in the order the sort keys give (grid_sort_keys.h); false,
    /// changing nothing, for a sort that compares the nodes themselves.
    bool SortByKeys(SortKey key);
    /// Selects the first row from `from` on whose node matches; returns it (null: none).
    CTreeBoxNode* SelectMatch(const std::function<bool(const CDataNode*)>& matches,
                              CTreeBoxNode* from);
    /// Selects the first row from the top whose find text (a spouse's name for the second edit)
    /// starts with text.
    void FindFromTop(const std::string& text, int editId);
    /// Selects row alone, unless it already is the selected row with the focus.
    void SelectFound(CTreeBoxNode* row);
    /// The find keys of the edit's rows, emptied first when they were read for another edit or
    /// before the rows changed.
    struct FindKeys;
    FindKeys& FindKeysFor(int editId);
    /// Reads the keys of up to count more rows; the row of the last key read.
    CTreeBoxNode* ReadFindKeys(FindKeys& keys, std::size_t count);
    /// The first row, among those whose keys are read and then reading on, whose find text
    /// starts with text (no longer than a key); null for none.
    CTreeBoxNode* FindByKeys(const std::string& text, int editId);
    void DrawCell(CDC& dc, const CRect& cell, const std::string& text, COLORREF colour);

    // Commands (tag_grid_commands.cpp).
    /// Shows the menu at point (screen), then runs the command chosen.
    void TrackMenu(CMenu& menu, CPoint point);
    /// The screen point under a row's value cell at x (box client coordinates), at the row's
    /// bottom.
    CPoint MenuPoint(CTreeBoxNode* row, int x);
    void AddField(UINT command);
    void NewRecord();
    void DeleteLinkedRecord();
    void ClearTargetLink();
    void CreateLinkedRecord();
    /// After a refill: selects, or opens the editor on, what the last add command made.
    void ActOnPendingSelection();
    /// The row of node among parent's child rows (top level for null).
    CTreeBoxNode* FindChildRow(CTreeBoxNode* parent, const CDataNode* node) const;
    /// The row of node, opening the rows above it: from the restore row or its ancestors, else
    /// from its record's top-level row. Null when it has none.
    CTreeBoxNode* RevealNode(CDataNode* node);
    /// Tab: the editor moves to the next row of the same record that edits in place.
    void MoveEditorToNextField(bool backwards);
    void TypeAhead(UINT key);
    void Move(bool up);
    bool CanMove(bool up, CCmdUI* state);

    Mode m_mode = kModeNone;
    CDataNode* m_shown = nullptr;
    ITagGridOwner* m_owner = nullptr;
    std::vector<ExtraColumn> m_extra;
    std::string m_heading = "Records";
    std::string m_valueHeading = "Values";
    /// Each record's top-level row; while m_rowsToMap, still to be made from the rows, which
    /// Rows does at its first use.
    mutable CRowMap m_rows;
    mutable bool m_rowsToMap = false;
    /// The first match from the top of the text last typed in a find edit, or that there was
    /// none, while the rows keep their order and no change notice came: a longer text's first
    /// match is never above it, so typing on searches on from there.
    struct FindStart {
        int editId = 0;
        std::string text;
        CTreeBoxNode* row = nullptr;
        std::uint64_t stamp = 0;
    };
    std::optional<FindStart> m_findStart;
    /// The first bytes of each top-level row's find text for one edit, in row order, read
    /// ahead while the user is in the find bar and by each search from the top, and kept while
    /// the rows keep their order and no change notice came: a first letter typed is compared
    /// with these instead of every record's text being read and formed again.
    struct FindKey {
        CTreeBoxNode* row = nullptr;
        std::array<char, 8> bytes{};
        std::uint8_t size = 0; // of the text, at most the key's
    };
    struct FindKeys {
        int editId = 0;
        std::uint64_t stamp = 0;
        std::vector<FindKey> keys;
        bool complete = false; // every row's key is read
    };
    FindKeys m_findKeys;
    /// Top-level rows that are open, or that were closed with rows left under them.
    std::unordered_set<CTreeBoxNode*> m_openRows;
    SortKey m_sortKey = kSortNone;
    const CDataRef* m_sortRef = nullptr;
    /// The sort the top-level rows were last put in (none: the file's order), and for a sort by
    /// an extra column, its index: new records take their places in that order.
    SortKey m_rowOrder = kSortNone;
    int m_rowOrderColumn = -1;
    bool m_editable = true;
    bool m_keepOwnColumns = false;
    bool m_sortOnHeaderClick = true;
    bool m_sortAfterReload = true;
    bool m_allowEmptyRows = false;
    bool m_deleteAllowed = true;
    /// The label and value columns have been given a width.
    bool m_columnsFitted = false;
    bool m_rowMenuOnExpanded = true;
    // The nodes held below (the editor's, the menu target, the pending node) are let go at the
    // change notice that deletes them.
    CDataCtl* m_editor = nullptr;
    CTreeBoxNode* m_editorRow = nullptr;
    CDataNode* m_menuTarget = nullptr;
    MenuKind m_menuKind = kMenuNone;
    PendingKind m_pendingKind = kPendingNone;
    CDataNode* m_pendingNode = nullptr;
    CTreeBoxNode* m_restoreRow = nullptr;
    /// The row last put in link mode; a selection change of the box's own takes it away.
    CTreeBoxNode* m_linkModeRow = nullptr;
    /// Set while the grid itself changes the selection.
    bool m_selecting = false;
};

/// The first empty field under node (searching into complex fields) that the grid can edit in
/// place; null when there is none.
CDataNode* FindFirstEmptyField(CDataNode* node);
/// Whether the grid edits the node's value in place (a field with a data control that is no
/// link).
bool CanEditInPlace(const CDataNode* node);
