// platform/ui/windows/rect_tracker.cpp: the tracker's drawing, hit test and drag arithmetic.
#include "platform/ui/windows/rect_tracker.h"

#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/pen.h"

namespace {

/// Where each handle's centre lies: 0 the left or top edge, 1 the middle, 2 the right or bottom.
struct HandlePlace {
    int x, y;
};
constexpr HandlePlace kPlaces[8] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {1, 0}, {2, 1}, {1, 2}, {0, 1}};

int Along(int low, int high, int place)
{
    return place == 0 ? low : place == 2 ? high : (low + high) / 2;
}

} // namespace

void CRectTracker::GetHandleRect(int hit, CRect* rect) const
{
    *rect = CRect();
    if (hit < hitTopLeft || hit > hitLeft)
        return;
    CRect frame = m_rect;
    frame.NormalizeRect();
    const int size = m_nHandleSize;
    // Inside handles lie within the rectangle, outside ones across its edge.
    const int shift = (m_nStyle & resizeOutside) ? size / 2 : 0;
    int x = Along(frame.left, frame.right, kPlaces[hit].x);
    int y = Along(frame.top, frame.bottom, kPlaces[hit].y);
    x = kPlaces[hit].x == 0 ? x - shift : kPlaces[hit].x == 2 ? x - size + shift : x - size / 2;
    y = kPlaces[hit].y == 0 ? y - shift : kPlaces[hit].y == 2 ? y - size + shift : y - size / 2;
    *rect = CRect(x, y, x + size, y + size);
}

void CRectTracker::Draw(CDC* dc) const
{
    CRect frame = m_rect;
    frame.NormalizeRect();
    CPen pen((m_nStyle & dottedLine) ? PS_DOT : PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = dc->SelectObject(&pen);
    CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    dc->Rectangle(&frame);
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
    if (!(m_nStyle & (resizeInside | resizeOutside)))
        return;
    for (int hit = hitTopLeft; hit <= hitLeft; ++hit) {
        CRect handle;
        GetHandleRect(hit, &handle);
        dc->FillSolidRect(&handle, RGB(0, 0, 0));
    }
}

int CRectTracker::HitTest(CPoint point) const
{
    if (m_nStyle & (resizeInside | resizeOutside)) {
        for (int hit = hitTopLeft; hit <= hitLeft; ++hit) {
            CRect handle;
            GetHandleRect(hit, &handle);
            if (handle.PtInRect(point))
                return hit;
        }
    }
    CRect frame = m_rect;
    frame.NormalizeRect();
    return frame.PtInRect(point) ? hitMiddle : hitNothing;
}

HCURSOR CRectTracker::GetCursorFor(int hit)
{
    switch (hit) {
    case hitTopLeft:
    case hitBottomRight:
        return LoadStandardCursor(IDC_SIZENWSE);
    case hitTopRight:
    case hitBottomLeft:
        return LoadStandardCursor(IDC_SIZENESW);
    case hitTop:
    case hitBottom:
        return LoadStandardCursor(IDC_SIZENS);
    case hitLeft:
    case hitRight:
        return LoadStandardCursor(IDC_SIZEWE);
    default:
        return LoadStandardCursor(IDC_ARROW);
    }
}

bool CRectTracker::BeginTrack(int hit, CPoint point)
{
    if (hit < hitTopLeft || hit > hitMiddle)
        return false;
    m_rect.NormalizeRect();
    m_hit = hit;
    m_start = point;
    m_startRect = m_rect;
    return true;
}

void CRectTracker::BeginRubberBand(CPoint point)
{
    m_rect = CRect(point.x, point.y, point.x, point.y);
    m_startRect = m_rect;
    m_start = point;
    m_hit = hitBottomRight;
}

void CRectTracker::TrackTo(CPoint point)
{
    if (!IsTracking())
        return;
    const int dx = point.x - m_start.x;
    const int dy = point.y - m_start.y;
    CRect rect = m_startRect;
    if (m_hit == hitMiddle) {
        rect.OffsetRect(dx, dy);
    } else {
        const HandlePlace place = kPlaces[m_hit];
        if (place.x == 0)
            rect.left += dx;
        else if (place.x == 2)
            rect.right += dx;
        if (place.y == 0)
            rect.top += dy;
        else if (place.y == 2)
            rect.bottom += dy;
    }
    m_rect = rect;
}

bool CRectTracker::EndTrack(CPoint point, bool keep)
{
    if (!IsTracking())
        return false;
    TrackTo(point);
    m_hit = hitNothing;
    if (!keep) {
        m_rect = m_startRect;
        return false;
    }
    m_rect.NormalizeRect();
    return m_rect != m_startRect;
}
