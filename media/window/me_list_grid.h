// media/window/me_list_grid.h: the record grid of the Multimedia window's two lists, which lets
// the user drag a top-level row to another place among its list's rows.
#pragma once

#include "records/grid/tag_grid.h"

#include <vector>

class CMeListGrid;

/// What a list's owner decides about dragging rows.
class IMeRowDragOwner {
public:
    virtual ~IMeRowDragOwner() = default;
    /// Whether the row may be picked up.
    virtual bool CanDragRow(CMeListGrid* grid, CTreeBoxNode* row) = 0;
    /// The row was dropped on target: before it, or after it when after is set. The owner
    /// moves the data; its change notice moves the rows.
    virtual void OnRowDropped(CMeListGrid* grid, CTreeBoxNode* row, CTreeBoxNode* target,
                              bool after) = 0;
};

/// A grid whose top-level rows can be dragged with the left button: a press on a row the owner
/// lets go, a move of more than a few pixels, and the release over another top-level row of the
/// same grid (the row's lower half drops after it). A release anywhere else moves nothing. From
/// the press on such a row the grid holds the mouse capture, so the box sees neither the moves
/// nor the release.
class CMeListGrid final : public CTagGrid {
public:
    void SetDragOwner(IMeRowDragOwner* owner) { m_dragOwner = owner; }
    bool IsDragging() const { return m_dragging; }

    bool OnButtonDown(CTreeBox* box, CTreeBoxNode* node, UINT flags, int x, int y,
                      int& part) override;

protected:
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

private:
    /// The top-level row at a point of the grid (its client coordinates); null for none.
    CTreeBoxNode* TopRowAt(CPoint point, bool* lowerHalf);
    void EndDrag();

    IMeRowDragOwner* m_dragOwner = nullptr;
    CTreeBoxNode* m_pressed = nullptr;
    CPoint m_pressPoint;
    bool m_dragging = false;
};

/// Brings the top-level rows of the grid (a free list) in line with nodes, in that order:
/// rows that still show the same node stay with what is open under them, others are made or
/// deleted.
void SyncTopRows(CTagGrid& grid, const std::vector<CDataNode*>& nodes);
/// The top-level rows' nodes in order.
std::vector<CDataNode*> TopRowNodes(CTagGrid& grid);
/// The index of the top-level row that holds row (itself or its ancestor); -1 for none.
int TopRowIndex(CTagGrid& grid, const CTreeBoxNode* row);
/// The top-level row at index; null past the end.
CTreeBoxNode* TopRowAt(CTagGrid& grid, int index);
