// platform/ui/drawing/bitmap.cpp: bitmaps as images in memory.
#include "platform/ui/drawing/bitmap.h"

#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/resources/resources.h"

CBitmap::CBitmap() = default;
CBitmap::~CBitmap() = default;

BOOL CBitmap::CreateCompatibleBitmap(CDC* /*dc*/, int width, int height)
{
    if (width <= 0 || height <= 0)
        return FALSE;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return FALSE;
    image.fill(Qt::black);
    image.setDotsPerMeterX(3780); // 96 dots per inch
    image.setDotsPerMeterY(3780);
    m_data = std::make_unique<ui_detail::BitmapData>(ui_detail::BitmapData{std::move(image)});
    MarkCreated();
    return TRUE;
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    if (width <= 0 || height <= 0 || planes != 1 || bitsPerPixel != 1 || !bits)
        return FALSE;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return FALSE;
    const auto* bytes = static_cast<const unsigned char*>(bits);
    const int stride = (width + 15) / 16 * 2;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const bool set = bytes[y * stride + x / 8] & (0x80 >> (x % 8));
            row[x] = set ? 0xFFFFFFFFu : 0xFF000000u;
        }
    }
    image.setDotsPerMeterX(3780); // 96 dots per inch
    image.setDotsPerMeterY(3780);
    m_data = std::make_unique<ui_detail::BitmapData>(ui_detail::BitmapData{std::move(image)});
    MarkCreated();
    return TRUE;
}

BOOL CBitmap::LoadBitmap(UINT resourceId)
{
    const ImageRecord* record = AppResources().FindImage(ResourceType::Bitmap, resourceId);
    if (!record)
        return FALSE;
    QImage image(QString::fromStdString(record->path));
    if (image.isNull())
        return FALSE;
    image = image.convertToFormat(QImage::Format_RGB32);
    image.setDotsPerMeterX(3780); // 96 dots per inch
    image.setDotsPerMeterY(3780);
    m_data = std::make_unique<ui_detail::BitmapData>(ui_detail::BitmapData{std::move(image)});
    MarkCreated();
    return TRUE;
}

BOOL CBitmap::GetBitmap(BITMAP* bitmap) const
{
    if (!GetSafeHandle() || !m_data || !bitmap)
        return FALSE;
    const QImage& image = m_data->image;
    bitmap->bmType = 0;
    bitmap->bmWidth = image.width();
    bitmap->bmHeight = image.height();
    bitmap->bmWidthBytes = LONG(image.bytesPerLine());
    bitmap->bmPlanes = 1;
    bitmap->bmBitsPixel = WORD(image.depth());
    return TRUE;
}

void CBitmap::ReleaseContents()
{
    m_data.reset();
}
