// platform/ui/detail/surface.cpp: resizing and invalidating a window's backing image.
#include "platform/ui/detail/surface.h"

#include "platform/ui/detail/colour.h"

#include <QPainter>

namespace ui_detail {

void Surface::Resize(int width, int height, COLORREF background)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (m_image.width() == width && m_image.height() == height && !m_image.isNull())
        return;
    EndPainting();
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(ToQRgb(background));
    if (!m_image.isNull()) {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, m_image);
    }
    const QRegion uncovered = QRegion(0, 0, width, height) - QRegion(m_image.rect());
    m_image = std::move(image);
    m_image.setDotsPerMeterX(3780); // 96 dots per inch
    m_image.setDotsPerMeterY(3780);
    m_invalid &= QRegion(0, 0, width, height);
    if (!uncovered.isEmpty())
        Invalidate(uncovered, true);
}

QPainter& Surface::Painter(bool* begun)
{
    *begun = false;
    if (!m_painter.isActive() && !m_image.isNull()) {
        *begun = m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painterClip.reset();
    }
    return m_painter;
}

void Surface::EndPainting()
{
    if (m_painter.isActive())
        m_painter.end();
    m_painterClip.reset();
}

void Surface::Invalidate(const QRegion& region, bool erase)
{
    const QRegion clipped = region & QRegion(m_image.rect());
    if (clipped.isEmpty())
        return;
    m_invalid += clipped;
    m_erase = m_erase || erase;
}

void Surface::Validate()
{
    m_invalid = QRegion();
    m_erase = false;
}

} // namespace ui_detail
