// diagrams/window/zoom_draw.cpp: the zoom-safe drawing routines.
#include "diagrams/window/zoom_draw.h"

#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/wnd.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMinPoints = 2, kMaxPoints = 6;

/// Brackets screen drawing: saves the context and draws in pixels with zero origins; the
/// context comes back as it was when the scope ends.
class PixelScope {
public:
    explicit PixelScope(CDC& dc) : m_dc(dc), m_saved(dc.SaveDC() > 0)
    {
        if (!m_saved)
            return;
        m_dc.SetMapMode(MM_TEXT);
        m_dc.SetViewportOrg(0, 0);
        m_dc.SetWindowOrg(0, 0);
    }
    ~PixelScope()
    {
        if (m_saved)
            m_dc.RestoreDC(-1);
    }
    PixelScope(const PixelScope&) = delete;
    PixelScope& operator=(const PixelScope&) = delete;
    bool Saved() const { return m_saved; }

private:
    CDC& m_dc;
    bool m_saved;
};

/// The corners in pixels: converted when asked, and one pixel larger right and down.
RECT DeviceBox(const CDC& dc, const RECT& rect, int convert)
{
    RECT box = rect;
    if (convert == kZoomLogical)
        dc.LPtoDP(&box);
    ++box.right;
    ++box.bottom;
    return box;
}

/// Copies a point list of an accepted length, converted when asked and on the screen, with
/// room for one more point; returns the count, or 0 for a list of another length.
int CopyPoints(const CDC& dc, const POINT* points, int count, int convert,
               POINT (&out)[kMaxPoints + 1])
{
    if (!points || count < kMinPoints || count > kMaxPoints)
        return 0;
    std::copy(points, points + count, out);
    if (convert == kZoomLogical && !dc.IsPrinting())
        dc.LPtoDP(out, count);
    return count;
}

void FillSegments(CDC& dc, const POINT* points, int count, CBrush* brush, COLORREF textColour,
                  COLORREF backColour)
{
    dc.SetTextColor(textColour);
    dc.SetBkColor(backColour);
    if (brush)
        dc.SelectObject(brush);
    for (int i = 1; i < count; ++i) {
        const POINT a = points[i - 1], b = points[i];
        RECT segment;
        if (a.x == b.x)
            segment = {a.x, std::min(a.y, b.y), a.x + 1, std::max(a.y, b.y) + 1};
        else
            segment = {std::min(a.x, b.x), a.y, std::max(a.x, b.x) + 1, a.y + 1};
        dc.FillRect(&segment, brush);
    }
}

/// What the dotted line's step callback needs.
struct DotWalk {
    CDC* dc = nullptr;
    COLORREF colour = 0;
    int mode = 0;
    SIZE dot;
    /// Offset of the dot's corner from the line's pixel, across the line.
    int xOffset = 0, yOffset = 0;
    int step = 0;
};

void DottedLineDdaProc(int x, int y, LPARAM data)
{
    auto& walk = *reinterpret_cast<DotWalk*>(data);
    const int phase = walk.step++ % 8;
    const bool on = walk.mode == kDottedDashes ? phase < 4 : phase % 2 == 0;
    if (on)
        walk.dc->FillSolidRect(x - walk.xOffset, y - walk.yOffset, walk.dot.cx, walk.dot.cy,
                               walk.colour);
}

void DrawDots(CDC& dc, const POINT* points, int count, COLORREF colour, int mode, SIZE dot)
{
    DotWalk walk;
    walk.dc = &dc;
    walk.colour = colour;
    walk.mode = mode;
    walk.dot = dot;
    for (int i = 1; i < count; ++i) {
        const POINT a = points[i - 1], b = points[i];
        // Across a mostly horizontal line is up and down, across a steep one left and right.
        const bool flat = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
        walk.xOffset = flat ? 0 : walk.dot.cx / 2;
        walk.yOffset = flat ? walk.dot.cy / 2 : 0;
        LineDDA(a.x, a.y, b.x, b.y, &DottedLineDdaProc, reinterpret_cast<LPARAM>(&walk));
    }
}

/// Moves the rectangle's edges outwards by dx and dy, whichever way it is ordered.
void GrowOutwards(RECT& rect, int dx, int dy)
{
    const int xSign = rect.left <= rect.right ? 1 : -1, ySign = rect.top <= rect.bottom ? 1 : -1;
    rect.left -= xSign * dx;
    rect.right += xSign * dx;
    rect.top -= ySign * dy;
    rect.bottom += ySign * dy;
}

} // namespace

void DrawEllipseZoomed(CDC& dc, const RECT& rect, int convert)
{
    if (dc.IsPrinting()) {
        dc.Ellipse(&rect);
        return;
    }
    const RECT box = DeviceBox(dc, rect, convert);
    const PixelScope scope(dc);
    if (!scope.Saved())
        return;
    dc.Ellipse(&box);
    const POINT corner{box.left, box.top};
    dc.Arc(&box, corner, corner);
}

void DrawRectangleZoomed(CDC& dc, const RECT& rect, int convert)
{
    if (dc.IsPrinting()) {
        dc.Rectangle(&rect);
        return;
    }
    const RECT box = DeviceBox(dc, rect, convert);
    const PixelScope scope(dc);
    if (scope.Saved())
        dc.Rectangle(&box);
}

void DrawPolylineZoomed(CDC& dc, const POINT* points, int count, int convert)
{
    POINT path[kMaxPoints + 1];
    const int n = CopyPoints(dc, points, count, convert, path);
    if (n == 0)
        return;
    // The last point once more, so that the line takes in its end pixel.
    path[n] = path[n - 1];
    if (dc.IsPrinting()) {
        dc.Polyline(path, n + 1);
        return;
    }
    const PixelScope scope(dc);
    if (scope.Saved())
        dc.Polyline(path, n + 1);
}

void FillLinePathZoomed(CDC& dc, const POINT* points, int count, int convert, CBrush* brush,
                        COLORREF textColour, COLORREF backColour)
{
    POINT path[kMaxPoints + 1];
    const int n = CopyPoints(dc, points, count, convert, path);
    if (n == 0)
        return;
    if (dc.IsPrinting()) {
        FillSegments(dc, path, n, brush, textColour, backColour);
        return;
    }
    const PixelScope scope(dc);
    if (scope.Saved())
        FillSegments(dc, path, n, brush, textColour, backColour);
}

void DrawDottedLinesZoomed(CDC& dc, const POINT* points, int count, COLORREF colour, int mode,
                           int convert)
{
    POINT path[kMaxPoints + 1];
    const int n = CopyPoints(dc, points, count, convert, path);
    if (n == 0)
        return;
    // One logical unit of the diagram's mapping, taken before drawing switches to pixels.
    SIZE unit{1, 1};
    dc.LPtoDP(&unit);
    const SIZE dot{std::max(2, std::abs(int(unit.cx))), std::max(2, std::abs(int(unit.cy)))};
    if (dc.IsPrinting()) {
        DrawDots(dc, path, n, colour, mode, dot);
        return;
    }
    const PixelScope scope(dc);
    if (scope.Saved())
        DrawDots(dc, path, n, colour, mode, dot);
}

void InvalidateLogicalRect(CWnd& wnd, CDC& dc, const RECT& rect, int convert)
{
    if (dc.IsPrinting())
        return;
    const RECT box = DeviceBox(dc, rect, convert);
    wnd.InvalidateRect(&box, TRUE);
}

void WidenLogicalRect(CDC& dc, RECT& rect, int xWidth, int yWidth)
{
    if (dc.IsPrinting())
        return;
    xWidth = std::max(1, xWidth);
    yWidth = std::max(1, yWidth);
    const CSize window = dc.GetWindowExt(), viewport = dc.GetViewportExt();
    if (std::abs(window.cx) <= std::abs(viewport.cx)) {
        GrowOutwards(rect, 1, 1);
        return;
    }
    dc.LPtoDP(&rect);
    GrowOutwards(rect, xWidth, yWidth);
    dc.DPtoLP(&rect);
}

CSize DrawTextWithExtent(CDC& dc, int x, int y, UINT options, const RECT* clip,
                         std::string_view text)
{
    dc.ExtTextOut(x, y, options, clip, text);
    return dc.GetTextExtent(text);
}

CSize GetTextSize(CDC& dc, std::string_view text)
{
    return dc.GetTextExtent(text);
}
