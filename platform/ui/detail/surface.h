// platform/ui/detail/surface.h: the backing image of a window that the program draws itself,
// with the part still to be painted.
#pragma once

#include "platform/base/types.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

#include <optional>

namespace ui_detail {

/// Drawing goes into the image at any time (paint, client and window device contexts); the
/// widget only copies it to the screen. One image pixel is one logical pixel of the widget.
class Surface {
public:
    /// The image, for code that changes or copies it itself: the contexts' painter ends first.
    QImage& Image()
    {
        EndPainting();
        return m_image;
    }
    /// The image as the window's device contexts draw on it, through Painter.
    QImage& Canvas() { return m_image; }
    /// The painter the window's device contexts share, so that a paint opens one painter, not
    /// one a primitive; begun (and begun set) when it was not open. Stays open until
    /// EndPainting, a resize or a call of Image.
    QPainter& Painter(bool* begun);
    void EndPainting();
    /// The clip last set on the painter, or none when unknown; a context sets its own clip
    /// only when it differs.
    std::optional<QRegion>& PainterClip() { return m_painterClip; }

    /// Keeps the pixels that still fit; the uncovered strips are filled with background and
    /// become invalid, so the window paints only what is new.
    void Resize(int width, int height, COLORREF background);

    /// Adds region to the part to paint; erase asks for the background to be erased first.
    void Invalidate(const QRegion& region, bool erase);
    void Validate();
    const QRegion& Invalid() const { return m_invalid; }
    bool NeedsErase() const { return m_erase; }

private:
    QImage m_image;
    QRegion m_invalid;
    bool m_erase = false;
    // Declared after the image, so that it ends before the image goes.
    QPainter m_painter;
    std::optional<QRegion> m_painterClip;
};

} // namespace ui_detail
