// platform/ui/drawing/brush.h: a brush: how shapes and rectangles are filled.
#pragma once

#include "platform/ui/drawing/gdi_object.h"

#include <array>

class CBitmap;

inline constexpr UINT BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = BS_NULL, BS_PATTERN = 3;

struct LOGBRUSH {
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    UINT_PTR lbHatch = 0;
    /// A pattern brush's 8 by 8 pixels, a byte per row, the leftmost pixel in the high bit. At
    /// fill time 0 bits take the context's text colour and 1 bits its background colour, and
    /// the pattern starts at the brush origin (CDC::SetBrushOrg, in pixels).
    std::array<BYTE, 8> lbPattern{};
};

class CBrush final : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }

    BOOL CreateSolidBrush(COLORREF colour);
    /// A solid brush of a system colour (COLOR_ index).
    BOOL CreateSysColorBrush(int index);
    BOOL CreateBrushIndirect(const LOGBRUSH* logBrush);
    /// A pattern of the bitmap's top-left 8 by 8 pixels, black ones being 0 bits and all others
    /// 1 bits, as in a monochrome bitmap; FALSE for a bitmap smaller than that.
    BOOL CreatePatternBrush(CBitmap* bitmap);
    /// FALSE when the brush is empty.
    BOOL GetLogBrush(LOGBRUSH* logBrush) const;

private:
    LOGBRUSH m_logBrush;
};
