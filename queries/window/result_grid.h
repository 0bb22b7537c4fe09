// queries/window/result_grid.h: a spreadsheet-like grid of fixed-height rows under a header of
// resizable column titles, whose cell texts and pictures an owner supplies as they are painted.
#pragma once

#include "controls/column_header.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/drawing/font.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CBitmap;
class CResultGrid;

/// The grid's two scroll bars: plain scroll-bar controls that the grid drives.
using CGridScrollBar = CScrollBar;

/// One column; the grid owns it, and hands data back to its owner when the column goes.
struct ResultGridColumn {
    void* m_data = nullptr;
    std::string m_title;
    int m_alignment = 0; // of the title: 0 left, 1 right, 2 centred
    int m_width = 0;     // pixels, without the one-pixel separator right of it
};

/// What the grid asks of, and tells, the window that fills it.
class IResultGridOwner {
public:
    virtual ~IResultGridOwner() = default;
    /// A column is being removed; the owner frees its object.
    virtual void OnColumnFreed(void* data) = 0;
    /// The user clicked the column's title.
    virtual void OnSortColumn(CResultGrid* grid, void* data) = 0;
    /// The user finished resizing the column.
    virtual void OnColumnWidthChanged(CResultGrid* grid, int column) = 0;
    /// True when the owner handled the key.
    virtual bool OnGridKey(CResultGrid* grid, UINT virtKey) = 0;
    virtual void OnGridDoubleClick(CResultGrid* grid) = 0;
    /// The cell's text, written into buffer; false for none. picture may be set to a strip
    /// holding the picture and, right of it, its mask, drawn before the text.
    virtual bool GetCellText(CResultGrid* grid, std::string& buffer, CBitmap** picture, int row,
                             int column, std::uintptr_t rowValue, void* columnData) = 0;
};

/// The selection: a rectangle of cells, kept with top <= bottom and left <= right; -1 when
/// there is none.
struct GridSelection {
    int top = -1, left = -1, bottom = -1, right = -1;
    bool HasRows() const { return top >= 0; }
    bool HasColumns() const { return left >= 0; }
    bool IsEmpty() const { return top < 0 || left < 0; }
    bool Contains(int row, int column) const
    {
        return row >= top && row <= bottom && column >= left && column <= right;
    }
};

class CResultGridCells;

/// The grid. Rows are opaque pointer-sized values and columns carry an opaque owner pointer;
/// the grid stores no cell texts. Rows and columns grow geometrically.
class CResultGrid : public CWnd {
public:
    CResultGrid();
    ~CResultGrid() override;

    /// Makes the window with its header, cell area and two scroll bars; false, with everything
    /// undone, when any part cannot be made.
    /// The cursor resource shown over the cells.
    static constexpr UINT kCellCursorId = 200;

    bool CreateResultGrid(DWORD style, const RECT& rect, CWnd* parent, UINT id,
                          IResultGridOwner* owner, int pictureWidth, int pictureHeight);

    /// where 1 (or an empty grid) appends, 0 inserts at the top; the new row's index, or -1
    /// when no room is left.
    int AddGridRow(std::uintptr_t value, int where);
    bool DeleteGridRow(int row, bool redraw);
    /// Appends rows at once, as AddGridRow does one by one.
    void AddGridRows(const std::vector<std::uintptr_t>& values);
    /// The most pixels the columns' widths come to together (each adds a separator pixel): a
    /// width that would take them beyond is cut to what is left, so that no column edge
    /// overflows.
    static constexpr int kMaxColumnsSpan = 1 << 30;

    /// Inserts before position (-1 or beyond the end: appends); a width below 1 takes the
    /// default width. The new column's index. Throws std::bad_alloc when no room is left.
    int AddGridColumn(const std::string& title, int width, int alignment, void* data, int position);
    bool GetGridColumn(int index, void** data, std::string* title) const;
    bool SetGridColumn(int index, const std::string& title, int alignment, void* data);
    int GetGridColumnWidth(int index) const;
    bool SetGridColumnWidth(int index, int width);
    bool DeleteGridColumn(int index, bool redraw);
    /// Frees the rows; withColumns also every column, and the anchor and selection entirely
    /// (otherwise only their rows). Scrolls back to the start.
    void ClearGrid(bool withColumns);

    int GetRowCount() const { return int(m_rows.size()); }
    int GetColumnCount() const { return int(m_columns.size()); }
    std::uintptr_t GetRowValue(int row) const { return m_rows[std::size_t(row)]; }
    /// The row values in order; for sorting them in place.
    std::vector<std::uintptr_t>& Rows() { return m_rows; }
    int GetFirstVisibleRow() const;
    int GetLastVisibleRow() const;
    int GetFirstVisibleColumn() const { return m_firstColumn; }
    int GetVisibleRowCount() const;
    int GetVisibleColumnCount() const;

    /// Moves the anchor to the cell (extend: keeps the anchor and spans to the cell), scrolls
    /// the cell into view and, with redraw, repaints at once.
    void SetGridSelection(int row, int column, bool extend, bool redraw);
    const GridSelection& GetSelection() const { return m_selection; }
    int GetAnchorRow() const { return m_anchorRow; }
    int GetAnchorColumn() const { return m_anchorColumn; }
    void RedrawGridRow(int row, bool enlarge, bool now);
    /// The selected cells as text: a line per row (CR LF between), cells split by tabs.
    std::string GetSelectionText();
    /// Puts GetSelectionText on the clipboard; false when there is nothing or it failed.
    bool CopySelection();

    int GetRowHeight() const { return m_rowHeight; }
    /// The grid font's average character width; 16 without a font.
    int GetAverageCharWidth() const { return m_averageCharWidth; }
    int GetDefaultColumnWidth() const { return m_defaultWidth; }
    CFont* GetGridFont() const { return m_font; }
    CColumnHeader& GetHeader() { return *m_header; }
    CResultGridCells& GetCells() { return *m_cells; }
    IResultGridOwner* GetOwner() const { return m_owner; }
    /// The cell under a point of the cell window; false when none is.
    bool HitTest(CPoint point, int& row, int& column) const;

protected:
    void OnDestroy() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnSetFocus(CWnd* oldWnd) override;

private:
    friend class CResultGridCells;
    class HeaderListener;

    void Layout();
    void UpdateScrollRanges();
    /// After rows or columns changed: the scroll ranges set again and the cells repainted (at
    /// once with redraw).
    void RefreshCells(bool redraw);
    void ScrollToRow(int row);
    void ScrollToColumn(int column);
    /// The first column in view that shows the column whole, the view moved as little as it
    /// must to the right (the column itself when it is wider than the view).
    int FirstColumnShowing(int column) const;
    /// Pixels from the cell area's left edge to column's left edge (negative left of the
    /// first visible column).
    int ColumnLeft(int column) const;
    /// The cell area's rectangle of a block of cells, clipped to nothing left of the first
    /// visible row and column.
    CRect CellsRect(int top, int left, int bottom, int right) const;
    void InvalidateSelection(const GridSelection& selection);
    void InvalidateChangedStrips(const GridSelection& before, const GridSelection& after);
    /// Moves the cursor cell by the key (an arrow, Page Up or Down, Home or End; with ctrl,
    /// Home and End go to the first or last cell); with shift the corner opposite the anchor.
    void MoveByKey(UINT virtKey, bool shift, bool ctrl);
    /// Where Page Down takes a cursor on row: the last row in view, or when it is there
    /// already, a page further (the old last row becoming the first); Page Up likewise upward.
    int PageDownRow(int row) const;
    int PageUpRow(int row) const;
    bool HandleKey(UINT virtKey);
    void FreeColumn(std::size_t index);
    /// The widest the column at index may be (with index the column count: a new column) while
    /// all the columns keep within kMaxColumnsSpan.
    int RoomForColumn(int index) const;

    std::vector<std::uintptr_t> m_rows;
    std::vector<std::unique_ptr<ResultGridColumn>> m_columns;
    int m_anchorRow = -1;
    int m_anchorColumn = -1;
    GridSelection m_selection;
    int m_firstRow = 0;
    int m_firstColumn = 0;
    CFont* m_font = nullptr;
    std::unique_ptr<CFont> m_ownFont;
    int m_rowHeight = 16;
    int m_averageCharWidth = 16;
    int m_defaultWidth = 160;
    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
    bool m_highlightSuppressed = false;
    IResultGridOwner* m_owner = nullptr;
    std::unique_ptr<HeaderListener> m_headerListener;
    std::unique_ptr<CColumnHeader> m_header;
    std::unique_ptr<CResultGridCells> m_cells;
    std::unique_ptr<CGridScrollBar> m_vertical;
    std::unique_ptr<CGridScrollBar> m_horizontal;
    CResultGridCells* m_activeCells = nullptr;
};

/// The cell area: paints the visible cells and takes the mouse and keys.
class CResultGridCells final : public CWnd {
public:
    explicit CResultGridCells(CResultGrid& grid) : m_grid(grid) {}

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnDestroy() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnKeyDown(UINT virtKey, UINT repeatCount, UINT flags) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;

private:
    void DrawCells(CDC& dc, const CRect& clip);

    CResultGrid& m_grid;
    bool m_dragging = false;
};
