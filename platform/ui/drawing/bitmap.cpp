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
