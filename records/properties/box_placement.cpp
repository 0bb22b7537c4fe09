// records/properties/box_placement.cpp: moving the box above or below a rectangle it must not
// cover.
#include "records/properties/box_placement.h"

namespace {

CRect MovedTo(const CRect& box, int top)
{
    CRect moved = box;
    moved.OffsetRect(0, top - box.top);
    return moved;
}

CRect Above(const CRect& box, const CRect& avoid)
{
    CRect moved = MovedTo(box, avoid.top - box.Height());
    if (moved.top >= kAvoidMargin)
        moved.OffsetRect(0, -kAvoidMargin);
    return moved;
}

CRect Below(const CRect& box, const CRect& avoid, int screenHeight)
{
    CRect moved = MovedTo(box, avoid.bottom);
    if (screenHeight - moved.bottom >= kAvoidMargin)
        moved.OffsetRect(0, kAvoidMargin);
    return moved;
}

} // namespace

CRect PlaceAvoiding(const CRect& box, const CRect& avoid, int screenHeight)
{
    CRect overlap;
    if (!overlap.IntersectRect(box, avoid))
        return box;
    const bool fitsAbove = box.Height() <= avoid.top;
    const bool fitsBelow = box.Height() <= screenHeight - avoid.bottom;
    const int boxCentre = (box.top + box.bottom) / 2, avoidCentre = (avoid.top + avoid.bottom) / 2;
    if (boxCentre < avoidCentre && fitsAbove)
        return Above(box, avoid);
    if (fitsBelow)
        return Below(box, avoid, screenHeight);
    if (fitsAbove)
        return Above(box, avoid);
    return avoidCentre > screenHeight / 2 ? MovedTo(box, 0)
                                          : MovedTo(box, screenHeight - box.Height());
}
