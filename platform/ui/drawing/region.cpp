// platform/ui/drawing/region.cpp: a rectangular clipping region.
#include "platform/ui/drawing/region.h"

#include "platform/ui/drawing/dc.h"

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom)
{
    m_rect = CRect(left, top, right, bottom);
    m_rect.NormalizeRect();
    MarkCreated();
    return TRUE;
}

BOOL CRgn::CreateRectRgnIndirect(const RECT* rect)
{
    return rect && CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

int CRgn::GetRgnBox(RECT* rect) const
{
    if (!GetSafeHandle())
        return RGN_ERROR;
    if (rect)
        *rect = m_rect;
    return m_rect.IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}
