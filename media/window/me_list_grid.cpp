// media/window/me_list_grid.cpp: dragging rows of the Multimedia window's lists, and keeping a
// list's rows in line with the nodes it stands for.
#include "media/window/me_list_grid.h"

#include "platform/ui/windows/cursor.h"
#include "records/grid/free_rows.h"

#include <cstdlib>

namespace {

constexpr int kDragDistance = 4;

CTreeBoxNode* TopOf(CTreeBoxNode* row)
{
    while (row && row->m_parent)
        row = row->m_parent;
    return row;
}

} // namespace

CTreeBoxNode* CMeListGrid::TopRowAt(CPoint point, bool* lowerHalf)
{
    CTreeBox& box = GetBox();
    ClientToScreen(&point);
    box.ScreenToClient(&point);
    CRect client;
    box.GetClientRect(&client);
    if (!client.PtInRect(point))
        return nullptr;
    int part = TBP_NONE;
    CTreeBoxNode* row = box.HitTest(point.x, point.y, true, part);
    if (!row)
        return nullptr;
    if (lowerHalf) {
        CRect rect;
        // A drop on a row below a top-level row goes after that row.
        *lowerHalf = row->m_parent || (box.GetItemRect(row, rect, TBP_NONE, true) &&
                                       point.y >= rect.CenterPoint().y);
    }
    return TopOf(row);
}

bool CMeListGrid::OnButtonDown(CTreeBox* box, CTreeBoxNode* node, UINT flags, int x, int y,
                               int& part)
{
    const bool goOn = CTagGrid::OnButtonDown(box, node, flags, x, y, part);
    EndDrag();
    CTreeBoxNode* row = TopOf(node);
    if (goOn && row && part != TBP_BUTTON && m_dragOwner && m_dragOwner->CanDragRow(this, row)) {
        m_pressed = row;
        m_pressPoint = CPoint(x, y);
        box->ClientToScreen(&m_pressPoint);
        ScreenToClient(&m_pressPoint);
        SetCapture();
    }
    return goOn;
}

void CMeListGrid::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_pressed || !(flags & MK_LBUTTON)) {
        if (m_pressed)
            EndDrag();
        CTagGrid::OnMouseMove(flags, point);
        return;
    }
    if (!m_dragging && std::abs(point.y - m_pressPoint.y) > kDragDistance) {
        m_dragging = true;
        SetWindowCursor(LoadStandardCursor(IDC_SIZENS));
    }
}

void CMeListGrid::OnLButtonUp(UINT flags, CPoint point)
{
    if (!m_pressed) {
        CTagGrid::OnLButtonUp(flags, point);
        return;
    }
    CTreeBoxNode* row = m_pressed;
    const bool dragged = m_dragging;
    bool after = false;
    CTreeBoxNode* target = dragged ? TopRowAt(point, &after) : nullptr;
    EndDrag();
    if (target && target != row)
        m_dragOwner->OnRowDropped(this, row, target, after);
}

void CMeListGrid::EndDrag()
{
    if (m_pressed && CWnd::GetCapture() == this)
        ReleaseCapture();
    if (m_dragging)
        SetWindowCursor(nullptr);
    m_dragging = false;
    m_pressed = nullptr;
}

// ---- Rows in line with nodes ------------------------------------------------------------------

std::vector<CDataNode*> TopRowNodes(CTagGrid& grid)
{
    std::vector<CDataNode*> nodes;
    for (CTreeBoxNode* row = grid.GetBox().GetFirstItem(); row; row = row->m_nextSibling)
        nodes.push_back(CTagGrid::NodeOf(row));
    return nodes;
}

int TopRowIndex(CTagGrid& grid, const CTreeBoxNode* row)
{
    while (row && row->m_parent)
        row = row->m_parent;
    int index = 0;
    for (CTreeBoxNode* at = grid.GetBox().GetFirstItem(); at; at = at->m_nextSibling, ++index)
        if (at == row)
            return index;
    return -1;
}

CTreeBoxNode* TopRowAt(CTagGrid& grid, int index)
{
    CTreeBoxNode* row = index >= 0 ? grid.GetBox().GetFirstItem() : nullptr;
    for (; row && index > 0; --index)
        row = row->m_nextSibling;
    return row;
}

void SyncTopRows(CTagGrid& grid, const std::vector<CDataNode*>& nodes)
{
    CTreeBox& box = grid.GetBox();
    // The box keeps its top row where that row goes: the list keeps its scroll position instead.
    const int top = box.GetTopItem() ? box.GetTopItem()->m_row : 0;
    SyncFreeRows(grid, nodes);
    if (box.GetTopItem() && box.GetTopItem()->m_row != top)
        box.ScrollToRow(top);
}
