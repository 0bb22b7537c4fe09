// diagrams/window/rel_tree_drag.cpp: the Diagram window's drags: the stretchy box that selects
// boxes or picks the area to view, and the grabber that pans. Each runs under the mouse capture
// from the press to the release; the right button or Escape cancels the stretchy box.
#include "diagrams/window/sub_view_rel_tree.h"

#include "diagrams/diag_elem.h"
#include "diagrams/diag_tree_walk.h"
#include "platform/base/prompt.h"
#include "platform/ui/drawing/dc.h"

namespace {

/// A stretchy box narrower or lower than this many pixels is no box.
constexpr int kMinAreaBox = 3;

constexpr const char* kAreaHint =
    "Click and drag on the diagram to draw a stretchy box around the area you wish to view.  Or, "
    "to cancel this action, click again on the 'Select Area to View' button on the Diagram "
    "Toolbar.";

} // namespace

void CSubViewRelTree::BeginAreaBox(CPoint point)
{
    m_drag = kAreaDrag;
    m_tracker.m_nStyle = CRectTracker::dottedLine;
    m_tracker.BeginRubberBand(point);
    SetCapture();
}

void CSubViewRelTree::CancelDrag()
{
    if (m_drag == kNoDrag)
        return;
    if (InPageOrTitleDrag()) {
        EndPageOrTitleDrag(m_drag == kGridDrag || m_drag == kGridSizeDrag);
        return;
    }
    if (m_drag == kAreaDrag)
        m_tracker.EndTrack(m_tracker.m_rect.BottomRight(), false);
    if (m_drag == kRelativeDrag)
        ClearRelativeDrag();
    m_drag = kNoDrag;
    ReleaseCapture();
    Invalidate(FALSE);
}

void CSubViewRelTree::EndAreaBox(CPoint point)
{
    m_tracker.EndTrack(point, true);
    m_drag = kNoDrag;
    ReleaseCapture();
    CRect area = m_tracker.m_rect;
    area.NormalizeRect();
    m_tracker.m_rect.SetRectEmpty();
    Invalidate(FALSE);
    const bool drawn = area.Width() >= kMinAreaBox && area.Height() >= kMinAreaBox;
    if (m_mode == kModeSelectArea) {
        if (!drawn) {
            MessageBox(kAreaHint);
            return;
        }
        m_mode = kModeNormal;
        ChooseCursor(nullptr);
        ZoomToRect(area, false);
        return;
    }
    if (drawn)
        SelectBoxesInArea(area);
}

void CSubViewRelTree::SelectBoxesInArea(const CRect& rect)
{
    const CDiagramSettings& settings = m_doc.Settings();
    const CPoint a = ToDiagram(rect.TopLeft());
    const CPoint b = ToDiagram(rect.BottomRight());
    CRect area(std::min(a.x, b.x), std::max(a.y, b.y), std::max(a.x, b.x), std::min(a.y, b.y));
    for (auto& rowSet : m_doc.RowSets())
        for (CDiagTree* tree : rowSet->Trees())
            ForEachBox(*tree, false, [&](CDiagElem& box) {
                const CRect& r = box.Rect();
                if (box.IsVisible() && r.left >= area.left && r.right <= area.right &&
                    r.top <= area.top && r.bottom >= area.bottom)
                    SelectBox(&box, false, false);
            });
    for (std::size_t t = 0; t < settings.m_titles.size(); ++t) {
        CRect frame = settings.m_titles[t].frame;
        frame.NormalizeRect();
        if (settings.m_titles[t].visible && frame.left >= area.left && frame.right <= area.right &&
            frame.top >= area.bottom && frame.bottom <= area.top)
            m_titleSelected[t] = true;
    }
    Invalidate(FALSE);
}

void CSubViewRelTree::OnMouseMove(UINT flags, CPoint point)
{
    if (InPageOrTitleDrag()) {
        TrackPageOrTitleDrag(flags, point);
        return;
    }
    if (m_drag == kAreaDrag) {
        m_tracker.TrackTo(point);
        Invalidate(FALSE);
        return;
    }
    if (m_drag == kGrabDrag) {
        const CPoint before = m_scroll;
        ScrollToPoint(m_grabPoint.x, m_grabPoint.y, point.x, point.y, false);
        if (m_scroll != before) {
            ScrollWindow(before.x - m_scroll.x, before.y - m_scroll.y);
            UpdateWindow();
        }
        return;
    }
    if (m_drag == kRelativeDrag) {
        TrackRelativeDrag(point);
        return;
    }
    ChooseCursor(&point);
    CSubView::OnMouseMove(flags, point);
}

void CSubViewRelTree::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_drag == kGridSizeDrag)
        return;
    if (InPageOrTitleDrag()) {
        TrackPageOrTitleDrag(flags, point);
        EndPageOrTitleDrag(false);
        return;
    }
    if (m_drag == kAreaDrag) {
        EndAreaBox(point);
        return;
    }
    if (m_drag == kGrabDrag) {
        m_drag = kNoDrag;
        ReleaseCapture();
        SetScrollBars(true, true);
        return;
    }
    if (m_drag == kRelativeDrag) {
        EndRelativeDrag(point);
        return;
    }
    CSubView::OnLButtonUp(flags, point);
}

void CSubViewRelTree::DrawDragFeedback(CDC& dc)
{
    if (m_drag == kRelativeDrag)
        DrawRelativeFeedback(dc);
    if (m_drag != kAreaDrag)
        return;
    dc.SaveDC();
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportOrg(0, 0);
    dc.SetWindowOrg(0, 0);
    CRectTracker shown(m_tracker.m_rect, CRectTracker::dottedLine);
    shown.m_rect.NormalizeRect();
    shown.Draw(&dc);
    dc.RestoreDC(-1);
}
