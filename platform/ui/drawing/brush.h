// platform/ui/drawing/brush.h: a brush: how shapes and rectangles are filled.
#pragma once

#include "platform/ui/drawing/gdi_object.h"

inline constexpr UINT BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = BS_NULL;

struct LOGBRUSH {
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    UINT_PTR lbHatch = 0;
};

class CBrush final : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }

    BOOL CreateSolidBrush(COLORREF colour);
    /// A solid brush of a system colour (COLOR_ index).
    BOOL CreateSysColorBrush(int index);
    BOOL CreateBrushIndirect(const LOGBRUSH* logBrush);
    /// FALSE when the brush is empty.
    BOOL GetLogBrush(LOGBRUSH* logBrush) const;

private:
    LOGBRUSH m_logBrush;
};
