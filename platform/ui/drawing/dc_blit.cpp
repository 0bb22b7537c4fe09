// platform/ui/drawing/dc_blit.cpp: filling rectangles and copying pixels between device contexts.
#include "platform/ui/drawing/dc.h"

#include "platform/ui/detail/colour.h"
#include "platform/ui/detail/dc_impl.h"

using ui_detail::DcPainter;
using ui_detail::ToQColor;

namespace {

/// What a brush is, or nothing for an empty or hollow one.
std::optional<LOGBRUSH> Fill(const CBrush* brush)
{
    LOGBRUSH logBrush;
    if (!brush || !brush->GetLogBrush(&logBrush) || logBrush.lbStyle == BS_NULL)
        return std::nullopt;
    return logBrush;
}

using Combine = QRgb (*)(QRgb source, QRgb destination);

/// How a raster operation combines a source pixel with the one under it; null when unknown.
Combine Combiner(DWORD rop)
{
    switch (rop) {
    case SRCCOPY:
        return [](QRgb s, QRgb) { return s; };
    case SRCPAINT:
        return [](QRgb s, QRgb d) { return s | d; };
    case SRCAND:
        return [](QRgb s, QRgb d) { return s & d; };
    case SRCINVERT:
        return [](QRgb s, QRgb d) { return s ^ d; };
    case MERGEPAINT:
        return [](QRgb s, QRgb d) { return ~s | d; };
    default:
        return nullptr;
    }
}

/// A printer keeps no pixels to combine with, so only a plain copy reaches it.
BOOL CopyToPrinter(const ui_detail::DcImpl& dc, const QRect& area, const QImage& from,
                   QPoint source, DWORD rop)
{
    if (rop != SRCCOPY)
        return FALSE;
    DcPainter painter(dc);
    if (painter.IsActive())
        painter->drawImage(area, from, QRect(source, area.size()));
    return TRUE;
}

} // namespace

void CDC::FillRect(const RECT* rect, CBrush* brush)
{
    const auto fill = Fill(brush);
    if (!rect || !fill)
        return;
    DcPainter painter(*m_impl);
    if (fill->lbStyle != BS_PATTERN) {
        painter.Fill(m_impl->ToDevice(*rect), ToQColor(fill->lbColor));
        return;
    }
    if (!painter.IsActive())
        return;
    painter->setBrushOrigin(m_impl->state.brushOrg);
    painter->fillRect(m_impl->ToDevice(*rect), ui_detail::FillBrush(*fill, m_impl->state));
}

void CDC::FillSolidRect(const RECT* rect, COLORREF colour)
{
    if (!rect)
        return;
    m_impl->state.bkColour = colour;
    DcPainter painter(*m_impl);
    painter.Fill(m_impl->ToDevice(*rect), ToQColor(colour));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour)
{
    const CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, colour);
}

void CDC::InvertRect(const RECT* rect)
{
    if (!rect || m_impl->printer)
        return;
    QImage* target = m_impl->Target();
    if (!target || target->depth() != 32)
        return;
    const QRegion area = m_impl->Clip() & m_impl->ToDevice(*rect);
    if (area.isEmpty())
        return;
    for (const QRect& part : area) {
        for (int y = part.top(); y <= part.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(target->scanLine(y));
            for (int x = part.left(); x <= part.right(); ++x)
                row[x] ^= 0x00FFFFFFu;
        }
    }
    m_impl->Drawn();
}

void CDC::FrameRect(const RECT* rect, CBrush* brush)
{
    const auto fill = Fill(brush);
    if (!rect || !fill)
        return;
    const QRect box = m_impl->ToDevice(*rect);
    if (box.isEmpty())
        return;
    DcPainter painter(*m_impl);
    if (!painter.IsActive())
        return;
    painter->setBrushOrigin(m_impl->state.brushOrg);
    const QBrush paint = ui_detail::FillBrush(*fill, m_impl->state);
    painter->fillRect(QRect(box.left(), box.top(), box.width(), 1), paint);
    painter->fillRect(QRect(box.left(), box.bottom(), box.width(), 1), paint);
    painter->fillRect(QRect(box.left(), box.top(), 1, box.height()), paint);
    painter->fillRect(QRect(box.right(), box.top(), 1, box.height()), paint);
}

BOOL CDC::BitBlt(int xLogical, int yLogical, int widthLogical, int heightLogical, CDC* source,
                 int xSourceLogical, int ySourceLogical, DWORD rop)
{
    const auto combine = Combiner(rop);
    if (!combine || !source)
        return FALSE;
    // Pixels are copied one for one: the destination's size in pixels is the copy's size.
    const QRect area = m_impl->ToDevice(
        CRect(xLogical, yLogical, xLogical + widthLogical, yLogical + heightLogical));
    const int x = area.left(), y = area.top(), width = area.width(), height = area.height();
    const QPoint sourceCorner =
        ui_detail::DcAccess::Of(*source).ToDevice(xSourceLogical, ySourceLogical);
    const int xSource = sourceCorner.x(), ySource = sourceCorner.y();
    const QImage* from = ui_detail::DcAccess::Of(*source).Target();
    if (from && m_impl->printer)
        return CopyToPrinter(*m_impl, QRect(x, y, width, height), *from, QPoint(xSource, ySource),
                             rop);
    const QImage* to = m_impl->Target();
    if (!from || !to)
        return FALSE;
    // Copies, so that source and destination may be the same image.
    QImage pixels =
        from->copy(xSource, ySource, width, height).convertToFormat(QImage::Format_RGB32);
    if (rop != SRCCOPY) {
        const QImage there = to->copy(x, y, width, height).convertToFormat(QImage::Format_RGB32);
        for (int row = 0; row < pixels.height(); ++row) {
            auto* out = reinterpret_cast<QRgb*>(pixels.scanLine(row));
            const auto* under = reinterpret_cast<const QRgb*>(there.constScanLine(row));
            for (int col = 0; col < pixels.width(); ++col)
                out[col] = 0xFF000000u | (combine(out[col], under[col]) & 0x00FFFFFFu);
        }
    }
    DcPainter painter(*m_impl);
    if (!painter.IsActive())
        return FALSE;
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->drawImage(QPoint(x, y), pixels);
    return TRUE;
}
