// platform/base/geometry.cpp: rectangle arithmetic with exclusive right and bottom edges.
#include "platform/base/geometry.h"

#include <algorithm>
#include <utility>

CRect::CRect(const CPoint& topLeft, const CSize& size)
{
    SetRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy);
}

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

void CRect::InflateRect(int dx, int dy)
{
    left -= dx;
    top -= dy;
    right += dx;
    bottom += dy;
}

void CRect::OffsetRect(int dx, int dy)
{
    left += dx;
    top += dy;
    right += dx;
    bottom += dy;
}

bool CRect::IntersectRect(const RECT& a, const RECT& b)
{
    const CRect ra(a), rb(b);
    SetRect(std::max(ra.left, rb.left), std::max(ra.top, rb.top), std::min(ra.right, rb.right),
            std::min(ra.bottom, rb.bottom));
    if (ra.IsRectEmpty() || rb.IsRectEmpty() || IsRectEmpty()) {
        SetRectEmpty();
        return false;
    }
    return true;
}

bool CRect::UnionRect(const RECT& a, const RECT& b)
{
    const CRect ra(a), rb(b);
    if (ra.IsRectEmpty() && rb.IsRectEmpty()) {
        SetRectEmpty();
        return false;
    }
    if (ra.IsRectEmpty()) {
        *this = rb;
        return true;
    }
    if (rb.IsRectEmpty()) {
        *this = ra;
        return true;
    }
    SetRect(std::min(ra.left, rb.left), std::min(ra.top, rb.top), std::max(ra.right, rb.right),
            std::max(ra.bottom, rb.bottom));
    return true;
}

bool CRect::operator==(const CRect& o) const
{
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
}
