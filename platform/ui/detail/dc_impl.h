// platform/ui/detail/dc_impl.h: what a device context holds (its target and drawing state) and
// the painter each drawing call opens on the target, shares with the window's other contexts
// or borrows from a print job.
#pragma once

#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/drawing/pen.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <optional>
#include <vector>

class CWnd;

namespace ui_detail {

class Surface;

struct BitmapData {
    QImage image;
};

/// What a printer context answers for its device, in printer pixels: the printable area (whose
/// corner is the origin), the whole sheet, and the unprintable margin at the top left.
struct PrinterMetrics {
    int dotsPerInch = 0;
    QSize printable;
    QSize physical;
    QPoint offset;
};

/// Everything SaveDC keeps.
struct DcState {
    LOGPEN pen;
    CPen* penObject = nullptr;
    LOGBRUSH brush;
    CBrush* brushObject = nullptr;
    LOGFONT font;
    CFont* fontObject = nullptr;
    /// The Qt font for the current mapping (DcImpl::Font), made when first needed after the
    /// font or the mapping changed: a mapping changed only to draw lines never makes it.
    mutable QFont qfont;
    mutable bool fontStale = false;
    CBitmap* bitmap = nullptr;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF bkColour = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    UINT textAlign = TA_TOP | TA_LEFT;
    QPoint position;
    /// Device coordinates; none: not clipped beyond the target and the paint region.
    std::optional<QRegion> clip;
    // The mapping from logical to device units: device = (logical - window origin) * viewport
    // extent / window extent + viewport origin, rounded like MulDiv.
    int mapMode = MM_TEXT;
    QPoint windowOrg, viewportOrg;
    QSize windowExt{1, 1}, viewportExt{1, 1};
    /// Where pattern brushes start, in device pixels.
    QPoint brushOrg;
    /// Extra device pixels that text spreads over its blanks (SetTextJustification).
    int justifyExtra = 0;
    int justifyBreaks = 0;
};

struct DcImpl {
    DcImpl();
    ~DcImpl();
    DcImpl(const DcImpl&) = default;
    DcImpl& operator=(const DcImpl&) = default;

    /// The image drawn on: the window's surface, the selected bitmap or an attached image;
    /// null when there is none (nothing is drawn).
    QImage* Target() const;
    /// The part of the target that drawing may change, in device coordinates; valid until the
    /// clip, the paint region or the target changes.
    const QRegion& Clip() const;
    /// The rectangle around Clip().
    QRect ClipBounds() const;
    /// The surface of the window drawn on; null for other targets.
    Surface* WindowSurface() const;
    /// Tells the window that its surface changed, so the screen follows: at once, or for a
    /// paint context once it ends.
    void Drawn() const;
    /// Ends what the context keeps open on a window: the shared painter it began, and the
    /// update its painting put off.
    void Finish();

    // Logical to device units and back, through the current mapping; results are kept within
    // a range no sum of them overflows.
    QPoint ToDevice(int x, int y) const;
    QPoint ToLogical(int x, int y) const;
    /// The rectangle's corners converted and put in order; right and bottom stay exclusive.
    QRect ToDevice(const RECT& rect) const;
    /// A device rectangle as logical corners, in the order the mapping gives them.
    RECT ToLogical(const QRect& rect) const;
    /// A logical length along x or y as a device length, and back; signs are dropped.
    int WidthToDevice(int width) const;
    int HeightToDevice(int height) const;
    int WidthToLogical(int width) const;
    int HeightToLogical(int height) const;
    /// The selected font or the mapping changed: the Qt font is made again when next needed.
    void RealizeFont();
    /// The Qt font of the selected font for the current mapping.
    const QFont& Font() const;

    DcState state;
    std::vector<DcState> saved;
    /// A window context draws on this window's surface while the window exists.
    QPointer<QWidget> window;
    Surface* surface = nullptr;
    /// An image that the context draws on directly (the test hooks' renders).
    QImage* image = nullptr;
    bool memory = false;
    /// A paint context draws only on the region that was invalid.
    std::optional<QRegion> paintRegion;
    /// A printer context measures for this printer; it draws only while a print job lends it
    /// the painter of the page being printed.
    std::optional<PrinterMetrics> printer;
    QPainter* pagePainter = nullptr;
    /// Set while the context serves a print job or a preview.
    bool printing = false;
    /// The context began its window's shared painter, and ends it when it ends.
    mutable bool beganPainter = false;
    /// A paint context drew, and updates its window when it ends.
    mutable bool updatePending = false;
    /// The last clip worked out and what it came from: most drawing calls find it unchanged.
    struct ClipCache {
        bool valid = false;
        QRect bounds;
        std::optional<QRegion> paintRegion, clip;
        QRegion region;
        QRect regionBounds;
    };
    mutable ClipCache clipCache;
};

/// A painter on the context's target for one drawing call, aliased and clipped; inactive
/// without a target. On a window it is the painter the window's contexts share, kept open
/// between calls (a painter begun per call costs more than most primitives); on a printer the
/// job's page painter, whose state is put back afterwards; else one of its own. The painter is
/// made ready only when first used. A call sets the pen, brush, brush origin and font it draws
/// with, and narrows the clip only through Narrow.
class DcPainter {
public:
    explicit DcPainter(const DcImpl& dc);
    ~DcPainter();
    DcPainter(const DcPainter&) = delete;
    DcPainter& operator=(const DcPainter&) = delete;
    /// Whether there is anything to draw on: a target, or a printer's page.
    bool CanDraw() const;
    /// Makes the painter ready; false when it cannot draw.
    bool IsActive();
    QPainter& operator*() { return *m_active; }
    QPainter* operator->() { return m_active; }
    /// Narrows the clip to region (device pixels) for this call.
    void Narrow(const QRegion& region);
    /// Fills rect (device pixels) with an opaque colour, within the clip: straight into the
    /// image when the clip is one rectangle, which costs a fraction of the painter's fill.
    void Fill(const QRect& rect, const QColor& colour);

private:
    const DcImpl& m_dc;
    QImage* m_target = nullptr;
    /// The image and clip rectangle Fill writes into directly; null when it cannot.
    QImage* m_direct = nullptr;
    QRect m_directClip;
    bool m_filled = false;
    std::optional<QPainter> m_own;
    QPainter* m_active = nullptr;
    bool m_tried = false;
    Surface* m_surface = nullptr;
};

/// The private parts the layer's own code reaches into.
class DcAccess {
public:
    static DcImpl& Of(CDC& dc) { return *dc.m_impl; }
    static const DcImpl& Of(const CDC& dc) { return *dc.m_impl; }
    /// The image of a bitmap; null when the bitmap is empty.
    static QImage* ImageOf(CBitmap& bitmap);
    /// Makes dc draw on image, which must outlive it.
    static void AttachImage(CDC& dc, QImage* image);
    /// Makes dc draw on the window's surface, limited to region when one is given.
    static void AttachWindow(CDC& dc, CWnd& wnd, std::optional<QRegion> region);
    /// Makes dc a context of a printer with these metrics; it draws nothing until a page
    /// painter is lent.
    static void AttachPrinter(CDC& dc, const PrinterMetrics& metrics);
    /// Lends dc the painter of the page being printed, whose origin is the printable area's
    /// corner in printer pixels; null takes it back.
    static void SetPagePainter(CDC& dc, QPainter* painter);
};

/// The same rectangle; right and bottom stay exclusive.
inline QRect ToQRect(const RECT& r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

/// How a brush fills on this context: its colour, or its pattern in the text and background
/// colours; no brush for a hollow one. Set the painter's brush origin to state.brushOrg.
QBrush FillBrush(const LOGBRUSH& brush, const DcState& state);

/// Converts UTF-8 to Qt text; an incomplete character at the end is dropped.
QString ToQString(std::string_view text);

} // namespace ui_detail
