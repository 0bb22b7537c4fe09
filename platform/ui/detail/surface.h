// platform/ui/detail/surface.h: the backing image of a window that the program draws itself,
// with the part still to be painted.
#pragma once

#include "platform/base/types.h"

#include <QImage>
#include <QRegion>

namespace ui_detail {

/// Drawing goes into the image at any time (paint, client and window device contexts); the
/// widget only copies it to the screen. One image pixel is one logical pixel of the widget.
class Surface {
public:
    QImage& Image() { return m_image; }
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
};

} // namespace ui_detail
