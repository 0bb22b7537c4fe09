// merge/window/mrg_twin_list_wnd.h: one record type's tab of the Merge File dialog: the left list
// of what the merge does with each row, the current records' grid and the new records' grid,
// line for line side by side.
#pragma once

#include "merge/window/mrg_linked_grid.h"
#include "merge/window/mrg_pane_texts.h"

#include "controls/col_box.h"
#include "controls/u_splitter_wnd.h"
#include "merge/merge_engine.h"

#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

/// The three panes hold the same lines: a line is a row's records, or a pair of fields facing
/// each other (one may be missing: its pane shows a blank row). The left list is flat: a field
/// line's item follows its record's item while the record is open in the grids.
class CMrgTwinListWnd final : public CWnd, public CColBoxOwner, public ITagGridOwner {
public:
    /// One line of the three panes.
    struct Line {
        MergeRow* row = nullptr;
        CDataNode* current = nullptr;
        CDataNode* incoming = nullptr;
        Line* parent = nullptr;
        std::vector<std::unique_ptr<Line>> children;
        bool built = false; // the children lines are made
        CTreeBoxNode* left = nullptr;
        CTreeBoxNode* centre = nullptr;
        CTreeBoxNode* right = nullptr;
    };

    CMrgTwinListWnd(CMergeEngine& engine, int type);
    ~CMrgTwinListWnd() override;

    /// The window (class "MrgTwinListWnd") with its three panes, a third of the width each.
    BOOL Create(const RECT& rect, CWnd* parent, UINT id);
    /// Makes one line per row of the type, in row order. When the panes show those rows in
    /// that order already, only the lines of open rows are made again.
    void Fill();
    /// Told after every selection change (the dialog updates its buttons).
    void SetSelectionListener(std::function<void()> listener)
    {
        m_onSelection = std::move(listener);
    }

    int GetType() const { return m_type; }
    MergeSelection GetSelection() const;
    MergeButtonStates GetButtonStates() const;
    /// The text of a column of a line.
    std::string GetCellText(const Line& line, int column) const;
    /// The lines in pane order (the order of the left list).
    std::vector<const Line*> VisibleLines() const;

    // Selection.
    /// Selects the line of record (of the current side or not) alone in its pane and shows it
    /// in all three; false when the type has no line of it.
    bool SelectRecord(const CRecordNode* record, bool currentSide);
    /// Selects lines of the left list (by index in pane order), alone or, with ctrl, added.
    void SelectLeftLine(int index, bool ctrl);
    /// Selects the line's item in the centre or right grid; valueColumn picks the value column.
    void SelectGridLine(int index, bool currentSide, bool valueColumn, bool ctrl);
    /// Opens or closes a line in all three panes.
    void ExpandLine(int index, bool expand);

    /// Sorts the rows of all three panes together by a left-list column, or (grid >= 0: 0 by
    /// the records, 1 by record number, 2 by change date) by one side's records.
    void Resort(int leftColumn, int grid = -1, bool currentSide = true);

    // The refresh around an action.
    /// Remembers the selected item (record or field, its pane and side) and the panes' top row.
    void RememberSelection();
    /// Puts back the remembered selection and top row, after a refill: the item in its pane
    /// when its line is shown, else its record's line in the left list.
    void RestoreSelection();
    /// Opens the lines of node's ancestors (its record's first) and scrolls its line into view
    /// when it is not; false when the type has no line of its record.
    bool ShowNode(const CDataNode* node, bool currentSide);
    /// Refills the lines of record's row only, keeping the others (an action's change inside
    /// one row); false when the type has no row of it.
    bool RefreshRecordLines(const CRecordNode* record);
    /// Repaints the three panes.
    void RepaintPanes();

    CColBox& GetLeftList() { return m_list; }
    CMrgLinkedGrid& GetGrid(bool currentSide) { return currentSide ? m_centre : m_right; }

    // Called by the grids.
    bool IsSyncing() const { return m_syncing; }
    void OnGridExpanding(CMrgLinkedGrid& grid, CTreeBoxNode* node, bool expand);
    void OnPaneScrolled(CWnd& pane, int top);
    /// A button went down in a pane, with the MK_ flags held.
    void OnPaneButtonDown(UINT flags) { m_ctrlHeld = (flags & MK_CONTROL) != 0; }
    void OnGridSortColumn(CMrgLinkedGrid& grid, int column);

    // The grids' owner.
    void OnGridSelChanged(CTagGrid* grid) override;

    // The left list's owner.
    std::string GetItemText(CColBox* box, CTreeBoxNode* node, std::uintptr_t data, int column,
                            bool measure, CDC* dc, CSize* size) override;
    void OnSelChanged(CColBox* box) override;
    bool OnButtonDown(CColBox* box, CTreeBoxNode* node, UINT flags, int x, int y,
                      int part) override;
    bool OnDoubleClick(CColBox* box, CTreeBoxNode* node, int part) override;
    bool ScrollVertically(CColBox* box, int pos, int delta, const CRect& client,
                          bool ended) override;
    bool OnColumnClick(CColBox* box, int column) override;

protected:
    void OnSize(UINT type, int cx, int cy) override;

private:
    /// The line of a node of any pane; null for none.
    Line* LineOf(const CTreeBoxNode* node) const;
    /// Makes a line's two grid rows after the given rows (null: first under their parents).
    void AddGridRows(Line& line, CTreeBoxNode* parentCentre, CTreeBoxNode* afterCentre,
                     CTreeBoxNode* parentRight, CTreeBoxNode* afterRight, bool bulk);
    /// The line's record row, with the row as the engine's selection names it.
    MergeLine AsMergeLine(const Line& line) const;
    /// The children lines of a line: paired children face each other, an unpaired child faces a
    /// blank row.
    void BuildChildren(Line& line);
    /// Adds the left items of a line's shown descendants after its item; the last one added.
    CTreeBoxNode* AddLeftItemsBelow(Line& line, CTreeBoxNode* after);
    void RemoveLeftItemsBelow(Line& line);
    static bool IsOpen(const Line& line);
    /// Clears the selection of the panes other than keep, unless the Ctrl key was held.
    void ClearOtherPanes(CWnd* keep);
    /// Opens or closes a line in all three panes.
    void ToggleLine(Line& line, bool expand);
    /// A record line for row with its three items after the given items.
    std::unique_ptr<Line> NewRecordLine(MergeRow& row, CTreeBoxNode* left, CTreeBoxNode* centre,
                                        CTreeBoxNode* right);
    /// Brings the lines in step with rows that changed: lines of rows as they were are kept
    /// (closed), the others dropped, and new rows get lines; then row order.
    void Update();
    /// Puts the top-level rows of the three panes in the order of the lines, and repaints.
    void OrderPanesAsLines();
    void MatchRowHeights();
    /// Whether the lines are the type's rows, in row order, with the same records.
    bool ShowsRowsAsTheyAre() const;
    /// Makes a record line's children again; the lines open before (found by their nodes) are
    /// opened again.
    void RemakeLine(Line& line);
    /// The nodes of the lines open at and under line.
    static void CollectOpen(const Line& line, std::unordered_set<const CDataNode*>& open);
    /// Opens line, and the lines under it, whose nodes are in open.
    void Reopen(Line& line, const std::unordered_set<const CDataNode*>& open);
    /// The child line of line whose node on a side is node; null for none.
    static Line* ChildLine(const Line& line, const CDataNode* node, bool currentSide);
    /// The line of node on a side whose item is shown (every ancestor line open); null for
    /// none.
    Line* FindShownLine(const CDataNode* node, bool currentSide) const;
    /// Forgets a line's children lines (not their grid rows).
    void DropChildren(Line& line);
    /// After a line closed: when a grid freed the rows under it, the rest go with its lines.
    void ForgetClosedChildren(Line& line);
    void SyncTop(CWnd& from, int top);
    void NotifySelection();
    Line* FindRecordLine(const CRecordNode* record, bool currentSide) const;

    CMergeEngine& m_engine;
    int m_type;
    CUSplitterWnd m_splitter;
    CColBox m_list;
    CMrgLinkedGrid m_centre;
    CMrgLinkedGrid m_right;
    std::vector<std::unique_ptr<Line>> m_lines;
    std::unordered_map<const CTreeBoxNode*, Line*> m_lineOf;
    std::function<void()> m_onSelection;
    bool m_syncing = false;
    bool m_selecting = false;
    bool m_ctrlHeld = false;
    // The selection kept across a refill: the item, the pane it was in and its record.
    const CDataNode* m_keptNode = nullptr;
    const CRecordNode* m_keptRecord = nullptr;
    bool m_keptCurrentSide = true;
    bool m_keptInGrid = false;
    bool m_keptValueColumn = false;
    int m_keptTop = 0;
};
