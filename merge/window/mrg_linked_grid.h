// merge/window/mrg_linked_grid.h: one side of a twin list: the record-and-field grid whose rows
// face the other side's row for row, expanding and scrolling with it.
#pragma once

#include "records/grid/tag_grid.h"

#include "platform/ui/drawing/font.h"

class CMrgTwinListWnd;

/// Its rows are made by the twin-list window (a blank row faces a node the other side lacks);
/// expanding a row and scrolling are passed to the window, which keeps the three panes in step.
/// Discarded nodes are drawn in a struck-out font.
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

private:
    CMrgTwinListWnd& m_window;
    bool m_currentSide;
    bool m_valueColumn = false;
    CFont m_struckFont;
};
