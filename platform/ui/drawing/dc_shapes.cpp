// platform/ui/drawing/dc_shapes.cpp: lines and shapes with the classic pixel rules: a line leaves
// out its last point, a filled shape its right and bottom edges.
#include "platform/ui/drawing/dc.h"

#include "platform/ui/detail/colour.h"
#include "platform/ui/detail/dc_impl.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>

using ui_detail::DcImpl;
using ui_detail::DcPainter;
using ui_detail::ToQColor;

namespace {

/// The number of pixels of a one-pixel line from a to b, without b.
std::int64_t LinePixelCount(QPoint a, QPoint b)
{
    return std::max(std::abs(std::int64_t(b.x()) - a.x()), std::abs(std::int64_t(b.y()) - a.y()));
}

/// Calls plot(x, y, step) for each pixel of a one-pixel line from a towards b, without b, that
/// lies inside area, in drawing order; step counts the pixels from a. Pixel step of a line
/// whose major axis runs n pixels and whose minor axis m is at step along the major axis and at
/// (2 m step + n) / (2 n), rounded down, along the minor one: the pixels of the classic integer
/// line. Only the steps inside area's span of the major axis are visited, so a line far longer
/// than the area costs no more than one across it, and no sum overflows.
template <class Plot> void ForEachLinePixel(QPoint a, QPoint b, const QRect& area, Plot plot)
{
    const std::int64_t dx = std::int64_t(b.x()) - a.x(), dy = std::int64_t(b.y()) - a.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const std::int64_t n = xMajor ? std::abs(dx) : std::abs(dy),
                       m = xMajor ? std::abs(dy) : std::abs(dx);
    if (n == 0 || area.isEmpty())
        return;
    const std::int64_t major0 = xMajor ? a.x() : a.y(), minor0 = xMajor ? a.y() : a.x();
    const int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1,
              minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t majorLow = xMajor ? area.left() : area.top();
    const std::int64_t majorHigh = xMajor ? area.right() : area.bottom();
    const std::int64_t minorLow = xMajor ? area.top() : area.left();
    const std::int64_t minorHigh = xMajor ? area.bottom() : area.right();
    // The steps whose major coordinate lies inside the area.
    std::int64_t first = majorSign > 0 ? majorLow - major0 : major0 - majorHigh;
    std::int64_t last = majorSign > 0 ? majorHigh - major0 : major0 - majorLow;
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, n - 1);
    if (first > last)
        return;
    // The minor offset at the first step, and the remainder its division left.
    const __int128 numerator = __int128(2 * m) * first + n;
    std::int64_t offset = std::int64_t(numerator / (2 * n));
    std::int64_t remainder = std::int64_t(numerator % (2 * n));
    for (std::int64_t step = first; step <= last; ++step) {
        const std::int64_t minor = minor0 + minorSign * offset;
        if (minor >= minorLow && minor <= minorHigh) {
            const std::int64_t major = major0 + majorSign * step;
            plot(int(xMajor ? major : minor), int(xMajor ? minor : major), step);
        }
        remainder += 2 * m;
        if (remainder >= 2 * n) {
            remainder -= 2 * n;
            ++offset;
        }
    }
}

/// The pixels of a level or upright one-pixel line from a to b, without b; empty when a is b.
QRect StraightRun(QPoint a, QPoint b)
{
    if (a.y() == b.y() && a.x() != b.x())
        return a.x() < b.x() ? QRect(QPoint(a.x(), a.y()), QPoint(b.x() - 1, a.y()))
                             : QRect(QPoint(b.x() + 1, a.y()), QPoint(a.x(), a.y()));
    if (a.x() == b.x() && a.y() != b.y())
        return a.y() < b.y() ? QRect(QPoint(a.x(), a.y()), QPoint(a.x(), b.y() - 1))
                             : QRect(QPoint(a.x(), b.y() + 1), QPoint(a.x(), a.y()));
    return {};
}

/// The pen's width in device pixels: 0 is always one pixel, others follow the mapping.
int PenWidth(const DcImpl& dc)
{
    const int width = int(dc.state.pen.lopnWidth.x);
    return width <= 0 ? 1 : std::max(1, dc.WidthToDevice(width));
}

/// A polyline with the selected pen: one-pixel pens plot their pixels (a dotted pen every
/// other one, its gaps in the background colour when opaque); wider pens, and every pen on a
/// printer, go to the painter.
void StrokePolyline(const DcImpl& dc, const QVarLengthArray<QPoint, 8>& points)
{
    const LOGPEN& pen = dc.state.pen;
    if (pen.lopnStyle == PS_NULL || points.size() < 2)
        return;
    DcPainter painter(dc);
    if (!painter.CanDraw())
        return;
    if ((PenWidth(dc) > 1 || dc.printer) && !painter.IsActive())
        return;
    if (PenWidth(dc) > 1) {
        QPen wide(ToQColor(pen.lopnColor), PenWidth(dc), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        painter->setPen(wide);
        painter->drawPolyline(points.data(), int(points.size()));
        return;
    }
    if (dc.printer) {
        // A printer pixel is too small to see, and a page of plotted points too big to send:
        // a printer draws its thinnest line instead.
        QPen thin(ToQColor(pen.lopnColor), 0,
                  pen.lopnStyle == PS_DOT ? Qt::DotLine : Qt::SolidLine);
        painter->setPen(thin);
        painter->drawPolyline(points.data(), int(points.size()));
        return;
    }
    // Only what can show is plotted; a dotted line keeps its pattern from its first point.
    const QRect area = dc.ClipBounds();
    const bool dotted = pen.lopnStyle == PS_DOT;
    const QColor colour = ToQColor(pen.lopnColor);
    QPolygon on, off;
    std::int64_t start = 0;
    for (qsizetype i = 1; i < points.size(); ++i) {
        // A point repeated at the end of a line sets the pixel the line left out.
        if (i > 1 && points[i] == points[i - 1] && area.contains(points[i])) {
            if (dotted)
                (start % 2 ? off : on) << points[i];
            else
                painter.Fill(QRect(points[i], QSize(1, 1)), colour);
        }
        if (!dotted && (points[i - 1].x() == points[i].x() || points[i - 1].y() == points[i].y())) {
            // A solid level or upright line is one run of pixels: filled, not plotted.
            const QRect run = StraightRun(points[i - 1], points[i]) & area;
            if (!run.isEmpty())
                painter.Fill(run, colour);
            continue;
        }
        ForEachLinePixel(points[i - 1], points[i], area, [&](int x, int y, std::int64_t step) {
            (dotted && (start + step) % 2 ? off : on) << QPoint(x, y);
        });
        start += LinePixelCount(points[i - 1], points[i]);
    }
    if (!on.isEmpty() && painter.IsActive()) {
        painter->setPen(QPen(colour, 0));
        painter->drawPoints(on);
    }
    if (!off.isEmpty() && dc.state.bkMode == OPAQUE && painter.IsActive()) {
        painter->setPen(QPen(ToQColor(dc.state.bkColour), 0));
        painter->drawPoints(off);
    }
}

void FillArea(const DcImpl& dc, const QRect& area)
{
    if (dc.state.brush.lbStyle == BS_NULL || area.isEmpty())
        return;
    DcPainter painter(dc);
    if (dc.state.brush.lbStyle != BS_PATTERN) {
        painter.Fill(area, ToQColor(dc.state.brush.lbColor));
        return;
    }
    if (!painter.IsActive())
        return;
    painter->setBrushOrigin(dc.state.brushOrg);
    painter->fillRect(area, ui_detail::FillBrush(dc.state.brush, dc.state));
}

/// A frame of thickness width around the inside of outer, in the pen's colour.
void FillFrame(const DcImpl& dc, const QRect& outer, int width)
{
    DcPainter painter(dc);
    const QColor colour = ToQColor(dc.state.pen.lopnColor);
    const QRect inner = outer.adjusted(width, width, -width, -width);
    if (inner.isEmpty()) {
        painter.Fill(outer, colour);
        return;
    }
    painter.Fill(QRect(outer.left(), outer.top(), outer.width(), width), colour);
    painter.Fill(QRect(outer.left(), inner.bottom() + 1, outer.width(), width), colour);
    painter.Fill(QRect(outer.left(), inner.top(), width, inner.height()), colour);
    painter.Fill(QRect(inner.right() + 1, inner.top(), width, inner.height()), colour);
}

/// Whether an ellipse or arc in box draws nothing: an empty box, or one of a single pixel,
/// whose outline has no size.
bool DrawsNoEllipse(const QRect& box)
{
    return box.isEmpty() || (box.width() == 1 && box.height() == 1);
}

/// The ellipse in box with the selected pen and brush (with a dotted pen's pattern); the arc
/// from start to end degrees counter-clockwise instead when span is given.
void StrokeEllipse(const DcImpl& dc, const QRect& box, std::optional<std::pair<int, int>> arc)
{
    if (DrawsNoEllipse(box))
        return;
    DcPainter painter(dc);
    if (!painter.IsActive())
        return;
    const LOGPEN& pen = dc.state.pen;
    const LOGBRUSH& brush = dc.state.brush;
    painter->setBrushOrigin(dc.state.brushOrg);
    painter->setBrush(arc ? QBrush(Qt::NoBrush) : ui_detail::FillBrush(brush, dc.state));
    if (pen.lopnStyle == PS_NULL) {
        if (arc)
            return;
        painter->setPen(Qt::NoPen);
        painter->drawEllipse(box.adjusted(0, 0, -1, -1));
        return;
    }
    const int width = PenWidth(dc) > 1 ? PenWidth(dc) : 0;
    QPen outline(ToQColor(pen.lopnColor), width);
    if (pen.lopnStyle == PS_DOT)
        outline.setDashPattern({1, 1});
    painter->setPen(outline);
    const int inset = pen.lopnStyle == PS_INSIDEFRAME ? width / 2 : 0;
    // QRect outlines cover their right and bottom edges, so the box loses one pixel.
    const QRect inner = box.adjusted(inset, inset, -1 - inset, -1 - inset);
    if (arc)
        painter->drawArc(inner, arc->first, arc->second);
    else
        painter->drawEllipse(inner);
}

/// The angle, in sixteenths of a degree counter-clockwise from three o'clock as the eye sees
/// it, of the line from the box's centre through point.
int AngleTowards(const QRect& box, QPoint point)
{
    const double dx = point.x() - (box.left() + box.width() / 2.0);
    const double dy = (box.top() + box.height() / 2.0) - point.y();
    if (dx == 0 && dy == 0)
        return 0;
    double degrees = std::atan2(dy, dx) * 180.0 / 3.14159265358979323846;
    if (degrees < 0)
        degrees += 360;
    return int(std::lround(degrees * 16));
}

} // namespace

void LineDDA(int x1, int y1, int x2, int y2, LINEDDAPROC proc, LPARAM data)
{
    if (!proc)
        return;
    constexpr int kFar = 1 << 30;
    const QRect everywhere(QPoint(-kFar, -kFar), QPoint(kFar, kFar));
    ForEachLinePixel(QPoint(x1, y1), QPoint(x2, y2), everywhere,
                     [&](int x, int y, std::int64_t) { proc(x, y, data); });
}

CPoint CDC::MoveTo(int x, int y)
{
    const QPoint old = std::exchange(m_impl->state.position, QPoint(x, y));
    return {old.x(), old.y()};
}

CPoint CDC::GetCurrentPosition() const
{
    return {m_impl->state.position.x(), m_impl->state.position.y()};
}

BOOL CDC::LineTo(int x, int y)
{
    const QPoint from = m_impl->state.position;
    StrokePolyline(*m_impl, {m_impl->ToDevice(from.x(), from.y()), m_impl->ToDevice(x, y)});
    m_impl->state.position = QPoint(x, y);
    return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count)
{
    if (!points || count < 2)
        return FALSE;
    QVarLengthArray<QPoint, 8> path;
    for (int i = 0; i < count; ++i)
        path.push_back(m_impl->ToDevice(points[i].x, points[i].y));
    StrokePolyline(*m_impl, path);
    return TRUE;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    const QRect box = m_impl->ToDevice(CRect(left, top, right, bottom));
    const LOGPEN& pen = m_impl->state.pen;
    if (box.isEmpty())
        return TRUE;
    if (pen.lopnStyle == PS_NULL) {
        // Without an outline the fill is one pixel smaller each way.
        FillArea(*m_impl, box.adjusted(0, 0, -1, -1));
        return TRUE;
    }
    const int width = PenWidth(*m_impl);
    if (width == 1) {
        FillArea(*m_impl, box.adjusted(1, 1, -1, -1));
        const QPoint tl = box.topLeft(), br = box.bottomRight();
        StrokePolyline(*m_impl, {tl, {br.x(), tl.y()}, br, {tl.x(), br.y()}, tl});
        return TRUE;
    }
    // A wide pen is centred on the outline, except an inside-frame pen, which stays inside.
    const int shift = pen.lopnStyle == PS_INSIDEFRAME ? 0 : width / 2;
    const QRect outer = pen.lopnStyle == PS_INSIDEFRAME
                            ? box
                            : QRect(box.left() - shift, box.top() - shift, box.width() - 1 + width,
                                    box.height() - 1 + width);
    FillArea(*m_impl, outer.adjusted(width, width, -width, -width));
    FillFrame(*m_impl, outer, width);
    return TRUE;
}

BOOL CDC::Rectangle(const RECT* rect)
{
    return rect && Rectangle(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom)
{
    StrokeEllipse(*m_impl, m_impl->ToDevice(CRect(left, top, right, bottom)), std::nullopt);
    return TRUE;
}

BOOL CDC::Ellipse(const RECT* rect)
{
    return rect && Ellipse(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CDC::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd)
{
    const QRect box = m_impl->ToDevice(CRect(left, top, right, bottom));
    if (DrawsNoEllipse(box))
        return TRUE;
    const int start = AngleTowards(box, m_impl->ToDevice(xStart, yStart));
    // A full circle, as the outline of an ellipse is drawn, has one angle.
    const int end =
        xEnd == xStart && yEnd == yStart ? start : AngleTowards(box, m_impl->ToDevice(xEnd, yEnd));
    int span = end - start;
    if (span <= 0)
        span += 360 * 16;
    StrokeEllipse(*m_impl, box, std::make_pair(start, span));
    return TRUE;
}

BOOL CDC::Arc(const RECT* rect, POINT start, POINT end)
{
    return rect &&
           Arc(rect->left, rect->top, rect->right, rect->bottom, start.x, start.y, end.x, end.y);
}

void CDC::Draw3dRect(const RECT* rect, COLORREF topLeft, COLORREF bottomRight)
{
    if (rect)
        Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                   topLeft, bottomRight);
}

void CDC::Draw3dRect(int xLogical, int yLogical, int cxLogical, int cyLogical, COLORREF topLeft,
                     COLORREF bottomRight)
{
    // The edges are one pixel wide under any mapping.
    const QRect box =
        m_impl->ToDevice(CRect(xLogical, yLogical, xLogical + cxLogical, yLogical + cyLogical));
    const int x = box.left(), y = box.top(), cx = box.width(), cy = box.height();
    if (cx <= 0 || cy <= 0)
        return;
    DcPainter painter(*m_impl);
    painter.Fill(QRect(x, y, cx - 1, 1), ToQColor(topLeft));
    painter.Fill(QRect(x, y, 1, cy - 1), ToQColor(topLeft));
    painter.Fill(QRect(x + cx - 1, y, 1, cy), ToQColor(bottomRight));
    painter.Fill(QRect(x, y + cy - 1, cx, 1), ToQColor(bottomRight));
}
