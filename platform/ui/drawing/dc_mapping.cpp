// platform/ui/drawing/dc_mapping.cpp: the mapping from logical units to device pixels: modes,
// origins and extents, conversions, and the fonts that follow the mapping.
#include "platform/ui/drawing/dc.h"

#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/detail/font_mapper.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

using ui_detail::DcImpl;

namespace {

/// Results stay within this, so that adding two of them, or a width to one, never overflows.
constexpr std::int64_t kCoordinateLimit = 1 << 29;

/// value * numerator / denominator rounded half away from zero, as MulDiv rounds, within the
/// coordinate range.
int Scale(std::int64_t value, std::int64_t numerator, std::int64_t denominator)
{
    if (denominator == 0)
        return 0;
    // One to one, as on every unmapped context: nothing to divide.
    if (numerator == denominator)
        return int(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
    const std::int64_t product = value * numerator;
    std::int64_t quotient = product / denominator;
    if (std::llabs(product % denominator) * 2 >= std::llabs(denominator))
        quotient += (product < 0) != (denominator < 0) ? -1 : 1;
    return int(std::clamp(quotient, -kCoordinateLimit, kCoordinateLimit));
}

bool HasFreeExtents(int mode)
{
    return mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC;
}

/// Logical units per inch of the fixed modes; 0 for the others.
int UnitsPerInch(int mode)
{
    switch (mode) {
    case MM_LOMETRIC:
        return 254;
    case MM_HIMETRIC:
        return 2540;
    case MM_LOENGLISH:
        return 100;
    case MM_HIENGLISH:
        return 1000;
    case MM_TWIPS:
        return 1440;
    default:
        return 0;
    }
}

/// Isotropic mapping keeps one scale on both axes: the viewport extent of the axis whose scale
/// is larger shrinks to the other's, keeping its sign.
void KeepIsotropic(DcImpl& dc)
{
    auto& state = dc.state;
    if (state.mapMode != MM_ISOTROPIC)
        return;
    const std::int64_t wx = std::abs(state.windowExt.width()),
                       wy = std::abs(state.windowExt.height());
    const std::int64_t vx = std::abs(state.viewportExt.width()),
                       vy = std::abs(state.viewportExt.height());
    if (vx * wy > vy * wx) {
        const int x = std::max(1, Scale(vy, wx, wy));
        state.viewportExt.setWidth(state.viewportExt.width() < 0 ? -x : x);
    } else if (vx * wy < vy * wx) {
        const int y = std::max(1, Scale(vx, wy, wx));
        state.viewportExt.setHeight(state.viewportExt.height() < 0 ? -y : y);
    }
}

CPoint FromQ(QPoint point)
{
    return {point.x(), point.y()};
}

CSize FromQ(QSize size)
{
    return {size.width(), size.height()};
}

} // namespace

namespace ui_detail {

QPoint DcImpl::ToDevice(int x, int y) const
{
    const DcState& s = state;
    return {Scale(std::int64_t(x) - s.windowOrg.x(), s.viewportExt.width(), s.windowExt.width()) +
                s.viewportOrg.x(),
            Scale(std::int64_t(y) - s.windowOrg.y(), s.viewportExt.height(), s.windowExt.height()) +
                s.viewportOrg.y()};
}

QPoint DcImpl::ToLogical(int x, int y) const
{
    const DcState& s = state;
    return {
        Scale(std::int64_t(x) - s.viewportOrg.x(), s.windowExt.width(), s.viewportExt.width()) +
            s.windowOrg.x(),
        Scale(std::int64_t(y) - s.viewportOrg.y(), s.windowExt.height(), s.viewportExt.height()) +
            s.windowOrg.y()};
}

QRect DcImpl::ToDevice(const RECT& rect) const
{
    const QPoint a = ToDevice(rect.left, rect.top), b = ToDevice(rect.right, rect.bottom);
    CRect box(a.x(), a.y(), b.x(), b.y());
    box.NormalizeRect();
    return ToQRect(box);
}

RECT DcImpl::ToLogical(const QRect& rect) const
{
    const QPoint a = ToLogical(rect.left(), rect.top());
    const QPoint b = ToLogical(rect.left() + rect.width(), rect.top() + rect.height());
    return CRect(a.x(), a.y(), b.x(), b.y());
}

int DcImpl::WidthToDevice(int width) const
{
    return std::abs(Scale(width, state.viewportExt.width(), state.windowExt.width()));
}

int DcImpl::HeightToDevice(int height) const
{
    return std::abs(Scale(height, state.viewportExt.height(), state.windowExt.height()));
}

int DcImpl::WidthToLogical(int width) const
{
    return std::abs(Scale(width, state.windowExt.width(), state.viewportExt.width()));
}

int DcImpl::HeightToLogical(int height) const
{
    return std::abs(Scale(height, state.windowExt.height(), state.viewportExt.height()));
}

void DcImpl::RealizeFont()
{
    state.fontStale = true;
}

const QFont& DcImpl::Font() const
{
    if (!state.fontStale)
        return state.qfont;
    LOGFONT device = state.font;
    // A height that maps to less than a pixel stays one pixel, not the default size.
    if (device.lfHeight != 0)
        device.lfHeight =
            (device.lfHeight < 0 ? -1 : 1) * std::max(1, HeightToDevice(int(device.lfHeight)));
    if (device.lfWidth != 0)
        device.lfWidth = std::max(1, WidthToDevice(int(device.lfWidth)));
    state.qfont = FontFromLogFont(device);
    state.fontStale = false;
    return state.qfont;
}

} // namespace ui_detail

int CDC::SetMapMode(int mode)
{
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    auto& state = m_impl->state;
    const int old = std::exchange(state.mapMode, mode);
    if (mode == MM_TEXT) {
        state.windowExt = state.viewportExt = QSize(1, 1);
    } else if (const int units = UnitsPerInch(mode)) {
        const int dpi = GetDeviceCaps(LOGPIXELSX);
        state.windowExt = QSize(units, units);
        state.viewportExt = QSize(dpi, -dpi);
    }
    KeepIsotropic(*m_impl);
    m_impl->RealizeFont();
    return old;
}

int CDC::GetMapMode() const
{
    return m_impl->state.mapMode;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    return FromQ(std::exchange(m_impl->state.windowOrg, QPoint(x, y)));
}

CPoint CDC::GetWindowOrg() const
{
    return FromQ(m_impl->state.windowOrg);
}

CPoint CDC::OffsetWindowOrg(int dx, int dy)
{
    const QPoint old = m_impl->state.windowOrg;
    return SetWindowOrg(old.x() + dx, old.y() + dy);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    return FromQ(std::exchange(m_impl->state.viewportOrg, QPoint(x, y)));
}

CPoint CDC::GetViewportOrg() const
{
    return FromQ(m_impl->state.viewportOrg);
}

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    const QPoint old = m_impl->state.viewportOrg;
    return SetViewportOrg(old.x() + dx, old.y() + dy);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    auto& state = m_impl->state;
    const QSize old = state.windowExt;
    if (!HasFreeExtents(state.mapMode) || cx == 0 || cy == 0)
        return FromQ(old);
    state.windowExt = QSize(cx, cy);
    KeepIsotropic(*m_impl);
    m_impl->RealizeFont();
    return FromQ(old);
}

CSize CDC::GetWindowExt() const
{
    return FromQ(m_impl->state.windowExt);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    auto& state = m_impl->state;
    const QSize old = state.viewportExt;
    if (!HasFreeExtents(state.mapMode) || cx == 0 || cy == 0)
        return FromQ(old);
    state.viewportExt = QSize(cx, cy);
    KeepIsotropic(*m_impl);
    m_impl->RealizeFont();
    return FromQ(old);
}

CSize CDC::GetViewportExt() const
{
    return FromQ(m_impl->state.viewportExt);
}

void CDC::LPtoDP(POINT* points, int count) const
{
    for (int i = 0; points && i < count; ++i) {
        const QPoint p = m_impl->ToDevice(points[i].x, points[i].y);
        points[i] = POINT{p.x(), p.y()};
    }
}

void CDC::LPtoDP(RECT* rect) const
{
    if (!rect)
        return;
    const QPoint a = m_impl->ToDevice(rect->left, rect->top);
    const QPoint b = m_impl->ToDevice(rect->right, rect->bottom);
    *rect = CRect(a.x(), a.y(), b.x(), b.y());
}

void CDC::LPtoDP(SIZE* size) const
{
    if (!size)
        return;
    const auto& s = m_impl->state;
    size->cx = Scale(size->cx, s.viewportExt.width(), s.windowExt.width());
    size->cy = Scale(size->cy, s.viewportExt.height(), s.windowExt.height());
}

void CDC::DPtoLP(POINT* points, int count) const
{
    for (int i = 0; points && i < count; ++i) {
        const QPoint p = m_impl->ToLogical(points[i].x, points[i].y);
        points[i] = POINT{p.x(), p.y()};
    }
}

void CDC::DPtoLP(RECT* rect) const
{
    if (!rect)
        return;
    const QPoint a = m_impl->ToLogical(rect->left, rect->top);
    const QPoint b = m_impl->ToLogical(rect->right, rect->bottom);
    *rect = CRect(a.x(), a.y(), b.x(), b.y());
}

void CDC::DPtoLP(SIZE* size) const
{
    if (!size)
        return;
    const auto& s = m_impl->state;
    size->cx = Scale(size->cx, s.windowExt.width(), s.viewportExt.width());
    size->cy = Scale(size->cy, s.windowExt.height(), s.viewportExt.height());
}
