// media/window/me_picture_mouse.cpp: the picture window's mouse: the hover highlight of frames,
// clicks and double clicks, and the picture tools' drags (rubber band, move and resize).
#include "media/window/me_picture_wnd.h"

#include "media/window/me_list_pane.h"
#include "media/window/media_window_ids.h"
#include "media/window/sub_view_media.h"

#include "database/multimedia/media_item.h"
#include "platform/ui/windows/app.h"

namespace {

constexpr UINT kPropertiesCommand = 32802;

} // namespace

void CMePictureWnd::UpdateCursor(CPoint point)
{
    const int mode = ToolMode();
    HCURSOR cursor = nullptr;
    if (mode == kToolNewFrame || mode == kToolAddFrame) {
        cursor = LoadStandardCursor(IDC_CROSS);
    } else if (mode == kToolSelectFrame && m_link.HasFrame()) {
        const CRectTracker tracker(ToClient(m_link.frame), CRectTracker::resizeInside);
        const int hit = tracker.HitTest(point);
        if (hit >= CRectTracker::hitTopLeft && hit <= CRectTracker::hitLeft)
            cursor = CRectTracker::GetCursorFor(hit);
    }
    SetWindowCursor(cursor);
}

void CMePictureWnd::OnMouseMove(UINT flags, CPoint point)
{
    if (IsTracking()) {
        m_tracker.TrackTo(point);
        Invalidate(FALSE);
        return;
    }
    UpdateCursor(point);
    if (m_animTimer || ToolMode() != kToolNone || !IsPicture()) {
        CWnd::OnMouseMove(flags, point);
        return;
    }
    if (!m_hoverTimer)
        m_hoverTimer = SetTimer(kMediaHoverTimer, kMediaHoverMs);
    const CMeListPane& list = m_view->GetListPane();
    const int hit = list.HitTestFrames(ToPicture(point));
    if (hit >= 0) {
        const CRect& frame = list.GetLinkEntries()[std::size_t(hit)].frame;
        if (frame != m_hot) {
            ClearHot();
            m_hot = frame;
            CRect area = ToClient(m_hot);
            area.InflateRect(1, 1);
            InvalidateRect(&area, FALSE);
        }
    } else {
        ClearHot();
    }
}

void CMePictureWnd::OnLButtonDown(UINT flags, CPoint point)
{
    SetFocus();
    if (!IsPicture()) {
        CWnd::OnLButtonDown(flags, point);
        return;
    }
    const int mode = ToolMode();
    if (mode == kToolNewFrame ||
        (mode == kToolAddFrame && m_view->GetListPane().GetSelectedEntry())) {
        m_banding = true;
        m_tracker.BeginRubberBand(point);
        SetCapture();
        return;
    }
    if (mode == kToolSelectFrame && m_link.HasFrame()) {
        m_tracker = CRectTracker(ToClient(m_link.frame),
                                 CRectTracker::solidLine | CRectTracker::resizeInside);
        if (m_tracker.BeginTrack(m_tracker.HitTest(point), point)) {
            SetCapture();
            Invalidate(FALSE);
        }
        return;
    }
    CWnd::OnLButtonDown(flags, point);
}

void CMePictureWnd::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_banding) {
        m_banding = false;
        m_tracker.EndTrack(point, true);
        ReleaseCapture();
        Invalidate(FALSE);
        // A frame lies on the picture: what was drawn beyond its edges is cut off.
        CRect frame = ToPicture(m_tracker.m_rect);
        if (!frame.IntersectRect(frame, CRect(0, 0, m_size.cx, m_size.cy)))
            return;
        const int mode = ToolMode();
        bool stored = false;
        if (mode == kToolNewFrame)
            stored = m_view->GetListPane().LinkObjectToRecord(m_item, &frame) != 0;
        else if (mode == kToolAddFrame)
            stored = m_view->GetListPane().SetSelectedFrame(frame);
        if (stored)
            m_view->SetToolMode(kToolSelectFrame, true);
        return;
    }
    if (m_tracker.IsTracking()) {
        const bool changed = m_tracker.EndTrack(point, true);
        ReleaseCapture();
        Invalidate(FALSE);
        if (!changed)
            return;
        CRect frame = ToPicture(m_tracker.m_rect);
        if (frame.IntersectRect(frame, CRect(0, 0, m_size.cx, m_size.cy)))
            m_view->GetListPane().SetSelectedFrame(frame);
        return;
    }
    if (ToolMode() == kToolNone && IsPicture()) {
        const int hit = m_view->GetListPane().HitTestFrames(ToPicture(point));
        if (hit >= 0)
            m_view->GetListPane().SelectLinkRow(hit);
    }
    CWnd::OnLButtonUp(flags, point);
}

void CMePictureWnd::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (!m_item) {
        CWnd::OnLButtonDblClk(flags, point);
        return;
    }
    switch (m_item->GetKind()) {
    case MEDIA_KIND_PICTURE: {
        CMeListPane& list = m_view->GetListPane();
        const int hit = list.HitTestFrames(ToPicture(point));
        if (hit < 0 || !list.GetLinkEntries()[std::size_t(hit)].record)
            break;
        // The frame's record becomes the window's selection, and the properties box shows it.
        list.SelectLinkRow(hit);
        list.GetLinksList().SetFocus();
        if (CWnd* main = AfxGetMainWnd())
            main->SendMessage(WM_COMMAND, kPropertiesCommand, 0);
        break;
    }
    case MEDIA_KIND_OLE:
    case MEDIA_KIND_OTHER:
        OnMediaAction();
        break;
    default:
        break;
    }
}

void CMePictureWnd::OnKeyDown(UINT virtKey, UINT repeatCount, UINT flags)
{
    if (virtKey == VK_ESCAPE) {
        if (IsTracking()) {
            m_banding = false;
            m_tracker.EndTrack(m_tracker.m_rect.BottomRight(), false);
            ReleaseCapture();
            Invalidate(FALSE);
        }
        m_view->SetToolMode(kToolNone, true);
        return;
    }
    CWnd::OnKeyDown(virtKey, repeatCount, flags);
}
