// controls/u_splitter_drag.cpp: dragging a splitter bar: finding the bar, the inverted
// half-tone bar that follows the mouse, and completing or cancelling the drag.
#include "controls/u_splitter_wnd.h"

#include "platform/ui/drawing/client_dc.h"

#include <algorithm>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

} // namespace

void CUSplitterWnd::OnLButtonDown(UINT /*flags*/, CPoint point)
{
    if (m_locked || m_dragging)
        return;
    const int at = Along(point);
    int before = -1;
    FindVisiblePane(0, &before);
    while (before >= 0) {
        int after = -1;
        if (!FindVisiblePane(before + 1, &after))
            return;
        if (at >= SpanOf(before).farEdge && at < SpanOf(after).nearEdge) {
            m_dragBefore = before;
            m_dragAfter = after;
            break;
        }
        before = after;
    }
    if (m_dragBefore < 0)
        return;
    m_dragging = true;
    SetCapture();
    m_dragPosition = SpanOf(m_dragBefore).farEdge;
    MoveDragBar(point);
}

void CUSplitterWnd::OnMouseMove(UINT /*flags*/, CPoint point)
{
    if (m_dragging)
        MoveDragBar(point);
}

void CUSplitterWnd::OnLButtonUp(UINT /*flags*/, CPoint point)
{
    if (!m_dragging)
        return;
    MoveDragBar(point);
    EndDrag(true);
}

void CUSplitterWnd::OnRButtonDown(UINT /*flags*/, CPoint /*point*/)
{
    if (m_dragging)
        EndDrag(false);
}

void CUSplitterWnd::OnKeyDown(UINT virtKey, UINT repeatCount, UINT flags)
{
    if (m_dragging && virtKey == VK_ESCAPE)
        EndDrag(false);
    else
        CWnd::OnKeyDown(virtKey, repeatCount, flags);
}

BOOL CUSplitterWnd::PreTranslateMessage(MSG* msg)
{
    if (m_dragging && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        EndDrag(false);
        return TRUE;
    }
    return CWnd::PreTranslateMessage(msg);
}

void CUSplitterWnd::MoveDragBar(CPoint point)
{
    // The bar stays between the near edge of the pane before and the far edge of the pane
    // after it, centred on the mouse.
    const int lowest = SpanOf(m_dragBefore).nearEdge;
    const int highest = std::max(SpanOf(m_dragAfter).farEdge - Bar(), lowest);
    const int position = std::clamp(Along(point) - Bar() / 2, lowest, highest);
    if (m_halftone.GetSafeHandle() && position == m_dragPosition)
        return;
    if (m_halftone.GetSafeHandle())
        InvertDragBar();
    m_dragPosition = position;
    InvertDragBar();
}

void CUSplitterWnd::InvertDragBar()
{
    const CRect bar = BarRect(m_dragPosition);
    CClientDC dc(this);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    if (!m_halftone.GetSafeHandle()) {
        // A checkerboard of single pixels, made once for the drag; XORed on, twice restores.
        m_halftone.CreateCompatibleBitmap(&dc, bar.Width(), bar.Height());
        memory.SelectObject(&m_halftone);
        memory.FillSolidRect(0, 0, bar.Width(), bar.Height(), kBlack);
        for (int y = 0; y < bar.Height(); ++y)
            for (int x = y % 2; x < bar.Width(); x += 2)
                memory.FillSolidRect(x, y, 1, 1, kWhite);
    } else {
        memory.SelectObject(&m_halftone);
    }
    dc.BitBlt(bar.left, bar.top, bar.Width(), bar.Height(), &memory, 0, 0, SRCINVERT);
}

void CUSplitterWnd::EndDrag(bool complete)
{
    InvertDragBar();
    m_halftone.DeleteObject();
    m_dragging = false;
    if (GetCapture() == this)
        ReleaseCapture();
    if (complete) {
        PlacePane(m_dragBefore, SpanOf(m_dragBefore).nearEdge, m_dragPosition, true);
        PlacePane(m_dragAfter, m_dragPosition + Bar(), SpanOf(m_dragAfter).farEdge, true);
        Invalidate();
        RecordPaneSizes();
        MeasureShares();
    }
    m_dragBefore = m_dragAfter = -1;
    if (m_listener)
        m_listener->OnSplitterDragEnded(this);
}
