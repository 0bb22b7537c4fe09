// platform/ui/dc_blit.cpp: filling rectangles and copying pixels between device contexts.
#include "platform/ui/dc.h"

#include "platform/ui/detail/colour.h"
#include "platform/ui/detail/dc_impl.h"

using ui_detail::DcPainter;
using ui_detail::ToQColor;

namespace {

QRect NormalizedRect(const RECT& rect)
{
    CRect box(rect);
    box.NormalizeRect();
    return ui_detail::ToQRect(box);
}

/// The colour a brush paints with, or nothing for a hollow or empty brush.
std::optional<COLORREF> BrushColour(const CBrush* brush)
{
    LOGBRUSH logBrush;
    if (!brush || !brush->GetLogBrush(&logBrush) || logBrush.lbStyle == BS_NULL)
        return std::nullopt;
    return logBrush.lbColor;
}

}  // namespace

void CDC::FillRect(const RECT* rect, CBrush* brush)
{
    const auto colour = BrushColour(brush);
    if (!rect || !colour)
        return;
    DcPainter painter(*m_impl);
    if (painter.IsActive())
        painter->fillRect(NormalizedRect(*rect), ToQColor(*colour));
}

void CDC::FillSolidRect(const RECT* rect, COLORREF colour)
{
    if (!rect)
        return;
    m_impl->state.bkColour = colour;
    DcPainter painter(*m_impl);
    if (painter.IsActive())
        painter->fillRect(NormalizedRect(*rect), ToQColor(colour));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour)
{
    const CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, colour);
}

void CDC::FrameRect(const RECT* rect, CBrush* brush)
{
    const auto colour = BrushColour(brush);
    if (!rect || !colour)
        return;
    const QRect box = NormalizedRect(*rect);
    if (box.isEmpty())
        return;
    DcPainter painter(*m_impl);
    if (!painter.IsActive())
        return;
    const QColor fill = ToQColor(*colour);
    painter->fillRect(QRect(box.left(), box.top(), box.width(), 1), fill);
    painter->fillRect(QRect(box.left(), box.bottom(), box.width(), 1), fill);
    painter->fillRect(QRect(box.left(), box.top(), 1, box.height()), fill);
    painter->fillRect(QRect(box.right(), box.top(), 1, box.height()), fill);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, DWORD rop)
{
    if (rop != SRCCOPY || !source)
        return FALSE;
    const QImage* from = ui_detail::DcAccess::Of(*source).Target();
    if (!from)
        return FALSE;
    // A copy, so that source and destination may be the same image.
    const QImage pixels = from->copy(xSource, ySource, width, height);
    DcPainter painter(*m_impl);
    if (!painter.IsActive())
        return FALSE;
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->drawImage(QPoint(x, y), pixels);
    return TRUE;
}
