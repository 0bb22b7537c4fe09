// platform/base/geometry.h: points, sizes and rectangles in device or logical units.
#pragma once

#include "platform/base/types.h"

struct POINT {
    LONG x = 0, y = 0;
};
struct SIZE {
    LONG cx = 0, cy = 0;
};
/// Right and bottom are exclusive, as everywhere in the program's drawing.
struct RECT {
    LONG left = 0, top = 0, right = 0, bottom = 0;
};

class CPoint : public POINT {
public:
    CPoint() = default;
    CPoint(int px, int py)
    {
        x = px;
        y = py;
    }
    CPoint(const POINT& p) : POINT(p) {}
    void Offset(int dx, int dy)
    {
        x += dx;
        y += dy;
    }
    CPoint operator+(const CPoint& o) const { return {x + o.x, y + o.y}; }
    CPoint operator-(const CPoint& o) const { return {x - o.x, y - o.y}; }
    bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
};

class CSize : public SIZE {
public:
    CSize() = default;
    CSize(int w, int h)
    {
        cx = w;
        cy = h;
    }
    CSize(const SIZE& s) : SIZE(s) {}
    bool operator==(const CSize& o) const { return cx == o.cx && cy == o.cy; }
};

class CRect : public RECT {
public:
    CRect() = default;
    CRect(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    CRect(const RECT& r) : RECT(r) {}
    CRect(const CPoint& topLeft, const CSize& size);

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return {Width(), Height()}; }
    CPoint TopLeft() const { return {left, top}; }
    CPoint BottomRight() const { return {right, bottom}; }
    CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }

    /// Empty: no area (width or height not positive). Null: all four coordinates 0.
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(const POINT& p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    void SetRect(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void NormalizeRect();
    void InflateRect(int dx, int dy);
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void OffsetRect(int dx, int dy);
    /// The overlap of a and b; false (and an empty rectangle) when they do not overlap.
    bool IntersectRect(const RECT& a, const RECT& b);
    /// The smallest rectangle holding both; an empty operand is ignored.
    bool UnionRect(const RECT& a, const RECT& b);

    bool operator==(const CRect& o) const;
    bool operator!=(const CRect& o) const { return !(*this == o); }
};
