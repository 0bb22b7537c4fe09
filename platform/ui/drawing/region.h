// platform/ui/drawing/region.h: a clipping region, a rectangle in device units.
#pragma once

#include "platform/base/geometry.h"
#include "platform/ui/drawing/gdi_object.h"

/// Regions here are rectangles only; CDC::ExcludeClipRect makes the other shapes a device
/// context's clipping can take.
class CRgn final : public CGdiObject {
public:
    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(const RECT* rect);
    /// The region's rectangle, put in order; returns the kind of region (RGN_ERROR when empty).
    int GetRgnBox(RECT* rect) const;

private:
    CRect m_rect;
};
