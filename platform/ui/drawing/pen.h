// platform/ui/drawing/pen.h: a pen: how lines and shape outlines are drawn.
#pragma once

#include "platform/base/geometry.h"
#include "platform/ui/drawing/gdi_object.h"

// Pen styles. A dotted pen of width 0 or 1 sets every other pixel.
inline constexpr UINT PS_SOLID = 0, PS_DOT = 2, PS_NULL = 5, PS_INSIDEFRAME = 6;

struct LOGPEN {
    UINT lopnStyle = PS_SOLID;
    POINT lopnWidth; // x is the width; 0 means one device pixel
    COLORREF lopnColor = 0;
};

class CPen final : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }

    BOOL CreatePen(int style, int width, COLORREF colour);
    BOOL CreatePenIndirect(const LOGPEN* logPen);
    /// FALSE when the pen is empty.
    BOOL GetLogPen(LOGPEN* logPen) const;

private:
    LOGPEN m_logPen;
};
