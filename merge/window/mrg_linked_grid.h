// merge/window/mrg_linked_grid.h: one side of a twin list: the record-and-field grid whose rows
// face the other side's row for row, expanding and scrolling with it.
#pragma once

#include "records/grid/tag_grid.h"

#include "platform/ui/drawing/font.h"

#include <string>
#include <vector>

class CMrgTwinListWnd;

/// Its rows are made by the twin-list window (a blank row faces a node the other side lacks);
/// expanding a row and scrolling are passed to the window, which keeps the three panes in step.
/// Discarded nodes are drawn in a struck-out font. The label column (where a record line shows
/// its record) keeps its share of the grid's width, half until the user drags its divider, the
/// value column takes the rest to the scroll bar, and a text cut short in either shows
/// whole as the tooltip of the row under the pointer.
class CMrgLinkedGrid final : public CTagGrid {
public:
    CMrgLinkedGrid(CMrgTwinListWnd& window, bool currentSide);

    /// The grid, its title and its struck-out font.
    BOOL Create(const RECT& rect, CWnd* parent, UINT id);
    bool IsCurrentSide() const { return m_currentSide; }
    /// The column of the selected item: true for the value column.
    bool ValueColumnSelected() const { return m_valueColumn; }
    void SetValueColumnSelected(bool value) { m_valueColumn = value; }

    bool OnExpanding(CTreeBox* box, CTreeBoxNode* node, bool expand) override;
    bool ScrollVertically(CTreeBox* box, int pos, int delta, const CRect& client,
                          bool ended) override;
    bool DrawGridRow(CTreeBox* box, TreeBoxRowPaint& paint) override;
    bool OnButtonDown(CTreeBox* box, CTreeBoxNode* node, UINT flags, int x, int y,
                      int& part) override;
    bool OnRightClick(CTreeBox* box, CTreeBoxNode* node, CWnd* wnd, UINT flags, int x, int y,
                      int part) override;
    bool OnKeyDown(CTreeBox* box, UINT virtKey, UINT repeatCount, UINT flags) override;
    void OnColumnClick(CColumnHeader* header, int column) override;
    /// The edge moves as in any grid; the rows are then drawn again whole, and the label
    /// column's share is taken from where the divider was dropped.
    void OnColumnResize(CColumnHeader* header, std::vector<CColumnInfo>& columns, int column, int x,
                        int scroll, int repaintStrip, int state) override;
    /// A move of the pointer over the rows sets the tooltip to the text under it when that text
    /// is cut short.
    BOOL PreTranslateMessage(MSG* msg) override;

    /// The whole text of the cell at point (box client coordinates) when it is drawn cut short;
    /// empty otherwise.
    std::string CutTextAt(CPoint point);

protected:
    void OnSize(UINT type, int cx, int cy) override;

private:
    /// DrawGridRow but for the width of the rows.
    bool DrawRow(CTreeBox* box, TreeBoxRowPaint& paint);
    /// The label column takes its share of width, the value column the rest.
    void FitColumns(int width);

    CMrgTwinListWnd& m_window;
    bool m_currentSide;
    bool m_valueColumn = false;
    CFont m_struckFont;
    /// The label column's share of the grid's width, in thousandths.
    int m_labelShare = 500;
    int m_width = 0;
    /// The font the rows are drawn in (the box's), for measuring; null before the first paint.
    CFont* m_textFont = nullptr;
    std::string m_tip;
};
