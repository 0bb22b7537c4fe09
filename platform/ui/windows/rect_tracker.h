// platform/ui/windows/rect_tracker.h: a rectangle the user draws, moves and resizes with the mouse:
// its frame and eight handles, what lies under a point, the cursor there, and the tracking of a
// drag that the window feeds with its mouse messages.
#pragma once

#include "platform/base/geometry.h"
#include "platform/ui/windows/cursor.h"

class CDC;

/// The window owns the tracker and captures the mouse for a drag: the button-down handler
/// starts it (BeginTrack, or BeginRubberBand for a new rectangle), each mouse move calls TrackTo
/// and the button-up EndTrack. Nothing runs a loop of its own, so the window keeps painting
/// (the tracker's rectangle is drawn by the window's paint, through Draw) and tests drive a
/// drag with ordinary mouse messages.
class CRectTracker {
public:
    /// Style bits: how the frame is drawn and whether the handles show.
    enum StyleFlags : UINT {
        solidLine = 1,
        dottedLine = 2,
        resizeInside = 4,
        resizeOutside = 8,
    };
    /// What lies under a point: a corner handle, a side handle, the inside, or nothing.
    enum TrackerHit : int {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };

    CRectTracker() = default;
    CRectTracker(const RECT& rect, UINT style) : m_rect(rect), m_nStyle(style) {}

    /// The frame in the style's line and, with a resize style, the eight handles filled black.
    void Draw(CDC* dc) const;
    /// The handle's square (a hit code 0 to 7); empty for another code.
    void GetHandleRect(int hit, CRect* rect) const;
    /// The handle under point, else hitMiddle inside the rectangle, else hitNothing. Handles
    /// count only with a resize style.
    int HitTest(CPoint point) const;
    /// The cursor for a hit code: the sizing double arrow of a handle's direction, the arrow
    /// otherwise.
    static HCURSOR GetCursorFor(int hit);

    /// Starts a drag of what hit names (a handle resizes, hitMiddle moves) from point; false,
    /// starting nothing, for hitNothing.
    bool BeginTrack(int hit, CPoint point);
    /// Starts a new rectangle at point, its opposite corner following the mouse.
    void BeginRubberBand(CPoint point);
    bool IsTracking() const { return m_hit != hitNothing; }
    /// The rectangle follows the mouse: a handle moves its edges, the middle the whole.
    void TrackTo(CPoint point);
    /// Ends the drag at point with the rectangle normalised (left <= right, top <= bottom), or,
    /// unless keep, with the rectangle it had before. True when it changed.
    bool EndTrack(CPoint point, bool keep);

    CRect m_rect;
    UINT m_nStyle = solidLine;
    int m_nHandleSize = 7;

private:
    int m_hit = hitNothing;
    CPoint m_start;
    CRect m_startRect;
};
