// platform/ui/image/metafile_player.cpp: the drawing calls of the metafile records played with a
// device context on an image.
#include "platform/ui/image/metafile_player.h"

#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/image/metafile_records.h"

#include <QImage>
#include <QPainter>

#include <cstring>

namespace image {
namespace {

QColor ToQColor(COLORREF colour)
{
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

/// The canvas of the records: an image, a device context on it, and the pen, brush and font
/// of the drawing call in progress.
class ImageCanvas final : public MetafileCanvas {
public:
    explicit ImageCanvas(COLORREF background) : m_background(background) {}

    const QImage& Image() const { return m_image; }

    bool Begin(std::uint32_t width, std::uint32_t height) override
    {
        m_image = QImage(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB888);
        if (m_image.isNull())
            return Fail(IMAGE_ERROR_MEMORY);
        m_image.fill(ToQColor(m_background));
        ui_detail::DcAccess::AttachImage(m_dc, &m_image);
        return true;
    }

    void Polyline(const MetafileState& state, std::span<const POINT> points) override
    {
        Select(state);
        m_dc.Polyline(points.data(), static_cast<int>(points.size()));
    }

    void Polygon(const MetafileState& state, std::span<const POINT> points) override
    {
        ui_detail::DcPainter painter(ui_detail::DcAccess::Of(m_dc));
        if (!painter.IsActive())
            return;
        QPolygon polygon;
        for (const POINT& point : points)
            polygon << QPoint(point.x, point.y);
        painter->setBrush(state.brushStyle == METAFILE_BRUSH_NULL
                              ? QBrush(Qt::NoBrush)
                              : QBrush(ToQColor(state.brushColour)));
        if (state.penStyle == METAFILE_PEN_NULL) {
            painter->setPen(Qt::NoPen);
        } else {
            QPen pen(ToQColor(state.penColour));
            pen.setWidth(state.penWidth);
            painter->setPen(pen);
        }
        painter->drawPolygon(polygon, Qt::OddEvenFill);
    }

    void Rectangle(const MetafileState& state, const RECT& box) override
    {
        Select(state);
        m_dc.Rectangle(&box);
    }

    void Ellipse(const MetafileState& state, const RECT& box) override
    {
        Select(state);
        m_dc.Ellipse(&box);
    }

    void Text(const MetafileState& state, POINT at, const std::string& text) override
    {
        Select(state);
        m_dc.SetTextColor(state.textColour);
        m_dc.SetBkColor(state.bkColour);
        m_dc.SetBkMode(state.bkMode == TRANSPARENT ? TRANSPARENT : OPAQUE);
        m_dc.SetTextAlign(state.textAlign);
        m_dc.TextOut(at.x, at.y, text);
    }

    void Bitmap(const RgbImage& bitmap, const RECT& source, const RECT& destination) override
    {
        ui_detail::DcPainter painter(ui_detail::DcAccess::Of(m_dc));
        if (!painter.IsActive())
            return;
        const QImage image(bitmap.pixels.data(), static_cast<int>(bitmap.width),
                           static_cast<int>(bitmap.height),
                           static_cast<qsizetype>(bitmap.width) * 3, QImage::Format_RGB888);
        const bool mirrorX = destination.right < destination.left;
        const bool mirrorY = destination.bottom < destination.top;
        const QRect to = QRect(QPoint(std::min(destination.left, destination.right),
                                      std::min(destination.top, destination.bottom)),
                               QPoint(std::max(destination.left, destination.right) - 1,
                                      std::max(destination.top, destination.bottom) - 1));
        const QRect from = ui_detail::ToQRect(source).intersected(image.rect());
        if (from.isEmpty())
            return;
        painter->drawImage(to, image.copy(from).mirrored(mirrorX, mirrorY));
    }

private:
    void Select(const MetafileState& state)
    {
        m_pen.DeleteObject();
        m_pen.CreatePen(state.penStyle == METAFILE_PEN_NULL ? PS_NULL : PS_SOLID, state.penWidth,
                        state.penColour);
        m_dc.SelectObject(&m_pen);
        m_brush.DeleteObject();
        LOGBRUSH brush;
        brush.lbStyle = state.brushStyle == METAFILE_BRUSH_NULL ? BS_NULL : BS_SOLID;
        brush.lbColor = state.brushColour;
        m_brush.CreateBrushIndirect(&brush);
        m_dc.SelectObject(&m_brush);
        m_font.DeleteObject();
        m_font.CreateFontIndirect(&state.font);
        m_dc.SelectObject(&m_font);
    }

    COLORREF m_background;
    QImage m_image;
    CDC m_dc;
    CPen m_pen;
    CBrush m_brush;
    CFont m_font;
};

} // namespace

bool ReadMetafileToRgb(std::span<const std::uint8_t> bytes, RgbImage& picture, int dpiX, int dpiY,
                       COLORREF background)
{
    picture = RgbImage();
    ImageCanvas canvas(background);
    if (!PlayMetafile(bytes, dpiX, dpiY, canvas))
        return false;
    const QImage& image = canvas.Image();
    if (!AllocateRgb(picture, std::uint64_t(image.width()), std::uint64_t(image.height())))
        return false;
    const std::size_t row = std::size_t(picture.width) * 3;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(picture.pixels.data() + row * std::size_t(y), image.constScanLine(y), row);
    SetLastError(IMAGE_OK);
    return true;
}

bool ReadMetafileToRgb(const std::string& path, RgbImage& picture, int dpiX, int dpiY,
                       COLORREF background)
{
    picture = RgbImage();
    std::unique_ptr<ImageSource> source = ImageSource::Open(path);
    if (!source)
        return false;
    return ReadMetafileToRgb(source->Bytes(), picture, dpiX, dpiY, background);
}

} // namespace image
