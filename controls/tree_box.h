// controls/tree_box.h: the program's own tree and list control, on which every record list,
// grid and chooser is drawn: rows kept as a forest of nodes, painted by the box itself.
#pragma once

#include "controls/tree_box_node.h"
#include "controls/tree_box_owner.h"
#include "platform/ui/windows/wnd.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class CColumnHeader;
class CFont;

// Creation flags. The mode is tree (0x1), else grid tree (0x100), else list.
inline constexpr DWORD TBF_TREE = 0x1, TBF_CHILDREN_ON_DEMAND = 0x2, TBF_FULL_ROW_SELECT = 0x8,
                       TBF_MULTI_SELECT = 0x10, TBF_OWNER_TEXT = 0x40, TBF_OWNER_DRAWS_TEXT = 0x80,
                       TBF_GRID = 0x100, TBF_CAPTURE_ON_CLICK = 0x200, TBF_EMPTY_EXPAND = 0x400,
                       TBF_TOP_LEVEL_SELECT = 0x800, TBF_TEXT_ORDER = 0x1000;

// The thirteen metrics, by index; SetMetrics takes a setting for each, -1 meaning automatic.
inline constexpr int TBM_ROW_HEIGHT = 0, TBM_LEFT_MARGIN = 1, TBM_IMAGE_GAP = 2, TBM_HALF_TEXT = 3,
                     TBM_INDENT_CHARS = 4, TBM_LEVEL_INDENT = 5, TBM_BUTTON_HALF_WIDTH = 6,
                     TBM_BUTTON_HALF_HEIGHT = 7, TBM_SIGN_HALF_WIDTH = 8, TBM_SIGN_HALF_HEIGHT = 9,
                     TBM_UNUSED = 10, TBM_IMAGE_HEIGHT = 11, TBM_TEXT_INSET = 12, TBM_COUNT = 13;

/// A colour setting that stands for the element's system colour.
inline constexpr COLORREF TB_SYSTEM_COLOUR = 0xFFFFFFFF;

using TreeBoxMetrics = std::array<int, TBM_COUNT>;
using TreeBoxColours = std::array<COLORREF, TBC_COUNT>;

/// What a new node is made with (InsertItem, CreateNode). A missing image is the other one. With
/// noRedraw the rows are left for RedrawAll, which suits filling a box in bulk.
struct TreeBoxItem {
    int state = CTreeBoxNode::kLeaf;
    bool ensureVisible = false;
    std::string text{};
    CBitmap* image = nullptr;
    CBitmap* selectedImage = nullptr;
    std::uintptr_t data = 0;
    std::uintptr_t data2 = 0;
    bool noRedraw = false;
};

/// The images SetItem gives a node.
struct TreeBoxImages {
    CBitmap* image = nullptr;
    CBitmap* selectedImage = nullptr;
};

/// What SetItem changes: each value that is given (text null leaves the text).
struct TreeBoxItemChange {
    const char* text = nullptr;
    std::optional<int> state{};
    std::optional<std::uintptr_t> data{};
    std::optional<std::uintptr_t> data2{};
    std::optional<TreeBoxImages> images{};
};

/// A box works in one mode, fixed at creation: a tree with expand buttons and dotted lines, a
/// grid tree whose rows its owner draws across the columns of a header, or a list of top-level
/// rows whose texts hold TAB-separated cells. The owner is asked and told through
/// CTreeBoxOwner. Painting, scrolling and hit tests start from the top row, so a screenful
/// never walks the whole list.
class CTreeBox : public CWnd {
public:
    static constexpr int kTreeMode = 1, kGridMode = 2, kListMode = 3;
    /// InsertItem's where: first, last, or anything else for the sorted place.
    static constexpr int kInsertFirst = 0, kInsertLast = 1, kInsertSorted = 2;

    CTreeBox();
    ~CTreeBox() override;

    /// The header is kept only in grid and list modes. False without a parent or when the row
    /// height does not come out positive.
    BOOL Create(DWORD flags, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                CTreeBoxOwner* owner, int imageWidth, int imageHeight, CColumnHeader* header,
                DWORD exStyle = 0);

    // Structure. Operations given a null node do nothing and answer false or null.
    CTreeBoxNode* InsertItem(CTreeBoxNode* parent, int where, const TreeBoxItem& item);
    /// Links a new node directly after a sibling (none: first under the parent).
    CTreeBoxNode* CreateNode(CTreeBoxNode* parent, CTreeBoxNode* after, const TreeBoxItem& item);
    /// Appends a top-level node after the last one, linked and numbered as it comes, without
    /// drawing: filling a box row by row costs the rows made. ShowAppendedRows draws them once
    /// the last is in. (In a bulk change, or after an insertion without a redraw, it is inserted
    /// as InsertItem inserts without a redraw.)
    CTreeBoxNode* AppendRow(const TreeBoxItem& item);
    void ShowAppendedRows();
    /// Changes what the change gives; the leaf state on a node with children deletes them first.
    bool SetItem(CTreeBoxNode* node, const TreeBoxItemChange& change);
    void DeleteItem(CTreeBoxNode* node, bool redraw = true, bool childrenOnly = false);
    void DeleteAllItems(bool resetHorizontal = true);
    /// True when the node stands at the requested place afterwards; false when the new
    /// parent lies in the node's own subtree.
    bool MoveItem(CTreeBoxNode* node, CTreeBoxNode* newParent, CTreeBoxNode* after,
                  bool expandNewParent, bool oldParentBecomesLeaf);
    /// levels 0 means every level below, n that many.
    bool ExpandItem(CTreeBoxNode* node, bool expand, int levels);
    void ExpandToItem(CTreeBoxNode* node);
    /// Collapses the open top-level nodes and sorts the top level (stable: equal rows keep
    /// their order).
    void ReexpandOpenItems();
    /// Collapses the open top-level nodes and puts the top level in the order given, which
    /// holds each top-level node once.
    void SetTopLevelOrder(const std::vector<CTreeBoxNode*>& order);
    /// List mode: sorts the rows by one column (the owner's Compare when there is an owner).
    void SortList(int column);
    void RedrawAll();
    /// Between these, insertions and removals leave the rows unnumbered; the end numbers them
    /// once and redraws (RedrawAll), so many changes cost one pass over the rows.
    void BeginBulkChange() { ++m_bulk; }
    void EndBulkChange();
    /// List mode: moves count rows from index first to stand before the row that had index
    /// target (0: the top, -1: the end).
    void MoveRows(int first, int count, int target);
    void MoveSelectionUp();
    void MoveSelectionDown();

    // Lookups; each answers null when nothing matches.
    CTreeBoxNode* FindItemById(int row) const;
    /// The node's place among the visible rows from 0; valid only while the node is visible.
    int GetItemRow(const CTreeBoxNode* node) const;
    CTreeBoxNode* GetItemByIndex(int index) const;
    CTreeBoxNode* GetLastItem() const;
    /// The last row of the node's visible subtree; with null, the last row of the box.
    CTreeBoxNode* GetNextItem(CTreeBoxNode* node) const;
    CTreeBoxNode* GetLastChild(CTreeBoxNode* node) const;
    static constexpr int kPreviousInOrder = 0, kPreviousSibling = 1, kRowAbove = 2,
                         kPreviousSiblingOrParent = 3;
    CTreeBoxNode* GetRelative(CTreeBoxNode* node, int how) const;
    CTreeBoxNode* GetNextAfterSubtree(CTreeBoxNode* node) const;
    bool IsNodeVisible(const CTreeBoxNode* node) const;
    CTreeBoxNode* FindChildByText(std::string_view text) const;
    CTreeBoxNode* FindItemByData(std::uintptr_t data) const;
    void MapItemsByData(std::unordered_map<std::uintptr_t, CTreeBoxNode*>& map) const;
    /// The next selected row after node's subtree (from the first row for null).
    CTreeBoxNode* GetNextSelected(CTreeBoxNode* node) const;
    /// How many nodes are selected, counted as they change: no walk over the rows.
    std::uint32_t GetSelectedCount() const { return m_selectedCount; }
    int GetSelectedTopIndex() const;
    bool SelectionHasOneParent() const;
    int GetVisibleRowLimit() const;

    // Selection.
    bool SelectItem(CTreeBoxNode* node, bool select);
    /// Returns how many rows changed.
    int ClearSelection(CTreeBoxNode* except, bool setAnchor);
    void SetItemSelected(CTreeBoxNode* node, bool select, bool exclusive);
    void ExtendSelection(CTreeBoxNode* node, bool clearOutside);
    void SetFocusItem(CTreeBoxNode* node, bool select);

    // Look.
    void SetColours(const TreeBoxColours& colours, bool redraw);
    void ResolveHighlightColours();
    TreeBoxColours GetColours() const;
    /// The box takes the font (deleting an old one it owned) and measures again.
    bool MeasureItemText(CFont* font, bool ownsFont, bool redraw);
    void SetMetrics(const TreeBoxMetrics& settings);
    const TreeBoxMetrics& GetMetrics() const { return m_metrics; }
    void SetEmptyText(const std::string& text) { m_emptyText = text; }
    void RecalcLayout();
    void UpdateTextWidth();
    /// InvalidateItem's parts of a row: the button square (tree modes), the button area (from the
    /// button to the image's right edge), the whole row, or the text cell; the ...AndBelow parts
    /// take everything below the row too.
    static constexpr int kButtonAndBelow = 0, kButton = 1, kButtonAreaAndBelow = 2, kButtonArea = 3,
                         kRowAndBelow = 4, kRow = 5, kTextCell = 6;
    void InvalidateItem(CTreeBoxNode* node, int part);
    void InvalidateItemIfVisible(CTreeBoxNode* node);
    bool GetItemRect(CTreeBoxNode* node, CRect& rect, int part, bool clientCoords);
    CTreeBoxNode* HitTest(int x, int y, bool addScroll, int& part);
    bool EnsureItemVisible(CTreeBoxNode* node, int rows, bool alignEnd);
    void ScrollToRow(int row);
    /// While a column edge is dragged the layout is frozen and the focus mark hidden.
    void SetLayoutFrozen(bool frozen);
    /// Expanding and collapsing can be switched off as a whole.
    void EnableExpansion(bool enable);
    /// A node the host marks; cleared when it is freed or rows are moved.
    void SetMarkItem(CTreeBoxNode* node) { m_mark = node; }
    CTreeBoxNode* GetMarkItem() const { return m_mark; }
    void HideFocusMark();
    void ShowFocusMark();

    // State hosts read.
    int GetMode() const { return m_mode; }
    CTreeBoxNode* GetFirstItem() const { return m_first; }
    CTreeBoxNode* GetTopItem() const { return m_top; }
    CTreeBoxNode* GetFocusItem() const { return m_focus; }
    CTreeBoxNode* GetAnchorItem() const { return m_anchor; }
    std::uint32_t GetCount() const { return m_count; }
    /// Changes whenever a node is put in, taken out or moved among its siblings, or the top
    /// level is put in another order: a host may keep what it learnt of the order while it stays.
    std::uint64_t GetOrderStamp() const { return m_orderStamp; }
    int GetHorizontalPos() const { return m_hPos; }
    int GetImageWidth() const { return m_imageWidth; }
    int GetEllipsisWidth() const { return m_ellipsisWidth; }
    CColumnHeader* GetHeader() const { return m_header; }
    /// The column-th TAB-separated field of a row's text (the owner's text when it supplies
    /// texts); column -1 is the whole row.
    std::string GetCellText(CTreeBoxNode* node, int column);

protected:
    /// Inside a dialog the box keeps only the arrow keys; Tab, Enter and Escape are the dialog's.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnPaint() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnKeyDown(UINT virtKey, UINT repeatCount, UINT flags) override;
    void OnChar(UINT character, UINT repeatCount, UINT flags) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnEnable(BOOL enable) override;

private:
    struct PaintContext;
    struct RowGeometry;
    /// A rubber-band drag in progress, in client coordinates.
    struct Band {
        bool active = false;
        bool keys = false; // Shift or Ctrl was down at the press
        CPoint start;
        CPoint current;
        int first = -1; // the rows touched, by index
        int last = -1;
    };

    // Structure (tree_box_structure.cpp).
    CTreeBoxNode* FirstSiblingOf(const CTreeBoxNode* parent) const;
    CTreeBoxNode* PrevSibling(const CTreeBoxNode* node) const;
    CTreeBoxNode* LastSiblingUnder(CTreeBoxNode* parent) const;
    CTreeBoxNode* SortedPlace(CTreeBoxNode* parent, const std::string& text, std::uintptr_t data);
    static CTreeBoxNode* SubtreeEnd(CTreeBoxNode* node);
    static CTreeBoxNode* AfterSubtree(const CTreeBoxNode* node);
    static CTreeBoxNode* ComputeNextRow(CTreeBoxNode* node);
    /// Recomputes the next-row links of the nodes in pre-order from `from` to `end` (excluded).
    static void RelinkRange(CTreeBoxNode* from, const CTreeBoxNode* end);
    /// Numbers the rows from a visible node (null: the first) to the last, and marks them; rows
    /// above a number left unused are numbered too.
    void Renumber(CTreeBoxNode* from);
    /// Keeps the row marks of the rows numbered below the given number, and no others.
    void DropRowMarksFrom(int row);
    /// The visible rows a deletion of node (its children only, with childrenOnly) takes away,
    /// read before they go: the numbers of the first and last, and how many. Not linked when the
    /// next-row chain cannot be trusted (a node inserted without a redraw, a bulk change): the
    /// rows are then numbered again.
    struct RemovedRows {
        int first = -1; // the numbers of the first and last row; -1 when no row goes
        int last = -1;
        int count = 0;
        bool linked = false;
    };
    RemovedRows RowsRemovedWith(CTreeBoxNode* node, bool childrenOnly) const;
    /// Leaves the numbers of removed rows unused instead of numbering the rows below them; false
    /// when the rows must be numbered again instead.
    bool LeaveRowNumbersUnused(const RemovedRows& removed);
    /// The number the row at a place holds (its place plus the unused numbers below it).
    int NumberOfRow(int row) const;
    /// The nearest marked node numbered below number; null when there is none.
    CTreeBoxNode* MarkBelow(int number) const;
    /// A top row hidden by a collapse becomes its visible ancestor.
    void FixTopRow();
    void FreeNode(CTreeBoxNode* node);
    void FreeSubtree(CTreeBoxNode* root);
    void FreeChildren(CTreeBoxNode* node);
    /// Frees every node without keeping up what freeing one node keeps (focus, anchor, row marks,
    /// links and counts), since nothing of the old rows stays; the owner is not told.
    void FreeAllNodes();
    /// A node in its initial state from the box's blocks; null when no memory is left.
    CTreeBoxNode* AllocateNode();
    /// Puts a node back for the next AllocateNode; what it held is freed.
    void ReleaseNode(CTreeBoxNode* node);
    /// Takes the node out of its siblings' chain (the pre-order chain is the caller's).
    void Unlink(CTreeBoxNode* node);
    void CutSubtree(CTreeBoxNode* node);
    void LinkSubtree(CTreeBoxNode* node, CTreeBoxNode* parent, CTreeBoxNode* after);
    /// Relinks the top level in the order given, keeping subtrees, and numbers all rows.
    void RelinkTopLevel(const std::vector<CTreeBoxNode*>& order);
    std::vector<CTreeBoxNode*> TopLevelNodes() const;

    // Expansion and sorting (tree_box_expand.cpp).
    /// Asks the owner (if any) whether node may expand (collapse when expand is false).
    bool OwnerAllowsExpanding(CTreeBoxNode* node, bool expand);
    bool ExpandOne(CTreeBoxNode* node);
    void ExpandLevels(CTreeBoxNode* node, int levels);
    void Collapse(CTreeBoxNode* node);
    void AfterExpansion(CTreeBoxNode* node, CTreeBoxNode* oldFocus, bool focusWasSelected,
                        bool hadChildren);
    void CollapseTopLevel();
    void SortNodes(std::vector<CTreeBoxNode*>& nodes, int column);
    void ApplySort(const std::vector<CTreeBoxNode*>& order);
    void MoveSelection(bool down);

    // Selection (tree_box_select.cpp).
    void NoteSelChanging();
    void NoteSelChanged();
    bool MaySelect(const CTreeBoxNode* node) const;
    void SetSelected(CTreeBoxNode* node, bool select);
    /// Sets a node's selected flag and keeps the count of selected nodes; draws nothing.
    void MarkSelected(CTreeBoxNode* node, bool select);
    /// The focus node when it is the only selected node, else null.
    const CTreeBoxNode* SoleSelectedFocus() const;
    /// The first and last rows of the run of adjacent selected rows through the focus (or the
    /// anchor) when it holds every selected node and at most kMaxSelectedRun; else nulls.
    struct SelectedRun {
        CTreeBoxNode* first = nullptr;
        CTreeBoxNode* last = nullptr;
    };
    static constexpr std::uint32_t kMaxSelectedRun = 256;
    SelectedRun SoleSelectedRun() const;
    /// Unselects the visible rows outside first..last, which hold `inside` selected rows: walks
    /// outwards from them, both ways in turn, until no selected row is left outside.
    void ClearOutside(CTreeBoxNode* first, CTreeBoxNode* last, std::uint32_t inside);

    // Metrics and geometry (tree_box.cpp, tree_box_geometry.cpp).
    void ComputeMetrics();
    int Metric(int index) const { return m_metrics[std::size_t(index)]; }
    int RowHeight() const { return m_metrics[TBM_ROW_HEIGHT]; }
    int TopIndex() const;
    COLORREF Colour(int index) const;
    RowGeometry GeometryOf(const CTreeBoxNode* node) const;
    int ColumnCount() const;
    int ColumnRight(int column) const;
    int ColumnLimit() const;
    int TextWidth(CTreeBoxNode* node, CDC* dc);
    CRect SelectionRect(CTreeBoxNode* node, CDC* dc);
    CRect ButtonArea(const RowGeometry& g) const;
    CSize ClientSize() const;

    // Painting (tree_box_paint.cpp).
    void PaintRows(CDC& dc, const CRect& update);
    void DrawRow(PaintContext& pc, CTreeBoxNode* node);
    void DrawTreeLines(PaintContext& pc, CTreeBoxNode* node, const RowGeometry& g);
    void DrawButton(PaintContext& pc, CTreeBoxNode* node, const RowGeometry& g);
    void DrawImage(PaintContext& pc, CTreeBoxNode* node, const RowGeometry& g);
    void DrawTexts(PaintContext& pc, CTreeBoxNode* node, const RowGeometry& g);
    void DrawFocusMark(PaintContext& pc, CTreeBoxNode* node);
    void DrawBand(CDC& dc);
    void DrawEmptyText(CDC& dc);

    // Scrolling (tree_box_scroll.cpp).
    void ScrollVerticallyTo(UINT code, int pos);
    void ScrollHorizontallyTo(UINT code, int pos);
    void SetTopRow(int row);
    int PageRows() const;

    // Input (tree_box_keys.cpp, tree_box_mouse.cpp).
    void PageDown();
    void PageUp();
    void KeyUpDown(CTreeBoxNode* row, bool shift, bool ctrl);
    void ToggleExpansion(CTreeBoxNode* node);
    void ClickMultiple(CTreeBoxNode* node, UINT flags);
    void StartBand(CPoint point, UINT flags);
    void TrackBand(CPoint point);
    void EndBand(bool clear);
    bool BandTouches(CTreeBoxNode* node, const CRect& band);
    void InvalidateBand();
    void RedrawSelectionForFocus();

    CTreeBoxNode* m_first = nullptr;
    /// Room for nodes, made into nodes one at a time as they are asked for (a block is not
    /// written twice), and the nodes made in it destroyed with it.
    class NodeBlock {
    public:
        explicit NodeBlock(std::size_t size);
        NodeBlock(NodeBlock&& other) noexcept;
        NodeBlock& operator=(NodeBlock&&) = delete;
        ~NodeBlock();
        bool Full() const { return m_used == m_size; }
        std::size_t Size() const { return m_size; }
        CTreeBoxNode* MakeNode();

    private:
        CTreeBoxNode* m_nodes;
        std::size_t m_size;
        std::size_t m_used = 0;
    };
    // Nodes come from blocks of the box's own, each twice as large as the one before, so that
    // a list of a million rows empties, or ends, by freeing a few dozen blocks. Freed nodes
    // wait for reuse, chained through m_nextInOrder.
    std::vector<NodeBlock> m_nodeBlocks;
    CTreeBoxNode* m_freeNodes = nullptr;
    CTreeBoxNode* m_top = nullptr;
    CTreeBoxNode* m_mark = nullptr;
    /// The node appended last while it is still the last of its siblings: appending after it
    /// needs no walk along a long sibling list.
    CTreeBoxNode* m_lastAppended = nullptr;
    std::uint32_t m_count = 0;
    std::uint32_t m_selectedCount = 0;
    int m_rowCount = 0; // the length of the next-row chain
    std::uint64_t m_orderStamp = 0;
    /// Every kRowMarkStep-th row as last numbered (the node of row i * kRowMarkStep at index i), so
    /// a lookup by row walks at most a step's rows. A node freed drops its mark and those after.
    static constexpr int kRowMarkStep = 256;
    std::vector<CTreeBoxNode*> m_rowMarks;
    /// Numbers left unused by rows removed since the rows were last numbered, in runs: a row's
    /// place is its number less the unused numbers below it, so a removal costs the rows removed
    /// instead of numbering every row below them. Each run keeps the count of unused numbers up
    /// to its end. Numbering the rows again clears them.
    struct UnusedNumbers {
        int first = 0;
        int last = 0;
        int unusedThrough = 0;
    };
    std::vector<UnusedNumbers> m_unusedNumbers;
    static constexpr std::size_t kMaxUnusedRuns = 512;
    /// A node was inserted without a redraw: the next-row chain waits for RedrawAll, so a removal
    /// numbers the rows again rather than trusting the chain.
    bool m_rowsUnlinked = false;
    /// Open bulk changes; rows are numbered when the last one ends.
    int m_bulk = 0;
    CTreeBoxNode* m_focus = nullptr;
    CTreeBoxNode* m_anchor = nullptr;
    bool m_hasFocus = false;
    CFont* m_font = nullptr;
    std::unique_ptr<CFont> m_ownFont;
    bool m_ownerText = false;
    bool m_fullRow = false;
    TreeBoxMetrics m_metrics{};
    TreeBoxMetrics m_settings{};
    int m_imageWidth = 0;
    int m_imageHeightArg = 0;
    bool m_layoutDirty = true;
    int m_widest = 0;
    int m_hPos = 0;
    int m_hMax = 0;
    int m_hRangeEnd = 0;
    int m_lastRow = 0;
    int m_vRangeEnd = 0;
    TreeBoxColours m_colours{};
    bool m_childrenOnDemand = false;
    bool m_ownerDrawsText = false;
    bool m_captureOnClick = false;
    bool m_emptyExpand = false;
    bool m_expansionEnabled = true;
    bool m_captured = false;
    int m_hideCount = 0;
    bool m_expanding = false;
    bool m_frozen = false;
    int m_mode = 0;
    CColumnHeader* m_header = nullptr;
    CTreeBoxOwner* m_owner = nullptr;
    std::string m_emptyText;
    bool m_multiple = false;
    bool m_topLevelOnly = false;
    bool m_vTracking = false;
    bool m_hTracking = false;
    int m_ellipsisWidth = 30;
    bool m_disabledLook = false;
    bool m_ownerOrder = true;
    Band m_band;
};
