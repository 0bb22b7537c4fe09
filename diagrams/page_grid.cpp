// diagrams/page_grid.cpp: page grid arithmetic.
#include "diagrams/page_grid.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

int Clamp(long long value)
{
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

} // namespace

int NormalisePageOrigin(int origin, int side)
{
    if (side <= 0)
        return origin;
    if (origin >= 0)
        return origin % side;
    const int rest = int(-static_cast<long long>(origin) % side);
    return rest == 0 ? 0 : side - rest;
}

long long SideInProportion(long long side, int pw, int ph, bool heightGiven)
{
    return heightGiven ? (ph / 2 + pw * side) / ph : (pw / 2 + ph * side) / pw;
}

long long FloorDiv(long long a, long long b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

long long GridDistance(long long v, long long origin, long long step)
{
    long long rest = (v - origin) % step;
    if (rest < 0)
        rest += step;
    return std::min(rest, step - rest);
}

long long FirstLineAtOrAfter(long long from, long long origin, long long step)
{
    long long rest = (from - origin) % step;
    if (rest < 0)
        rest += step;
    return rest == 0 ? from : from + step - rest;
}

long long NearestLine(long long v, long long origin, long long step)
{
    const long long d = v - origin;
    const long long k = d >= 0 ? (d + step / 2) / step : -((-d + step / 2) / step);
    return origin + k * step;
}

PageGrid SizePageForRows(int printerWidth, int printerHeight, int rows, int rowHeight, int xOrigin,
                         int yOrigin)
{
    const long long pw = std::max(1, printerWidth), ph = std::max(1, printerHeight);
    PageGrid page;
    page.height = std::max(1, Clamp(1LL * rows * rowHeight));
    page.width = std::max(1, Clamp((pw * page.height + ph / 2) / ph));
    page.xOrigin = NormalisePageOrigin(xOrigin, page.width);
    page.yOrigin = NormalisePageOrigin(yOrigin, page.height);
    return page;
}

PageGrid ResizePageFromCorner(int anchorX, int anchorY, int x, int y, int width, int height)
{
    const double w0 = std::max(1, width), h0 = std::max(1, height);
    // The larger of the two stretches wins, so the corner never lies outside the page.
    double scale = std::max((double(x) - anchorX) / w0, (double(anchorY) - y) / h0);
    scale = std::max(scale, kMinPageSide / std::min(w0, h0));
    PageGrid page;
    page.width = std::max(kMinPageSide, Clamp(std::llround(w0 * scale)));
    page.height = std::max(kMinPageSide, Clamp(std::llround(h0 * scale)));
    page.xOrigin = NormalisePageOrigin(anchorX, page.width);
    page.yOrigin = NormalisePageOrigin(anchorY, page.height);
    return page;
}

int AlignPageToRows(int yOrigin, int rowHeight, int rowOffset)
{
    const long long r = rowHeight;
    return Clamp(FloorDiv(r / 2 + rowOffset + yOrigin, r) * r - rowOffset);
}

int SnapToRowEdge(int y, int pitch, int offset)
{
    if (pitch <= 0)
        return y;
    const double rows = std::round(double(y + offset) / pitch);
    return Clamp((long long)rows * pitch - offset);
}
