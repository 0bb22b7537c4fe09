// platform/ui/windows/icon.cpp: icons read from the resources' image files, each size picked or
// scaled once.
#include "platform/ui/windows/icon.h"

#include "platform/ui/detail/colour.h"
#include "platform/ui/detail/icon_data.h"
#include "platform/ui/resources/resources.h"

#include <QIcon>
#include <QImage>
#include <QImageReader>

#include <map>
#include <memory>
#include <utility>

namespace {

/// The picture of the file that is size pixels wide, else the widest, scaled to size.
QPixmap PictureOfSize(const QString& path, int size)
{
    QImageReader reader(path);
    QImage widest;
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        if (image.width() == size && image.height() == size)
            return QPixmap::fromImage(image);
        if (image.width() > widest.width())
            widest = image;
    } while (reader.jumpToNextImage());
    if (widest.isNull())
        return {};
    return QPixmap::fromImage(
        widest.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace

HICON LoadIconResource(UINT id, int size)
{
    // Kept for the run and never destroyed, as cursors are: a pixmap may not outlive the
    // application object, and icons are asked for until the last window goes.
    static auto* loaded = new std::map<std::pair<UINT, int>, std::unique_ptr<IconData>>;
    const auto key = std::make_pair(id, size);
    if (const auto found = loaded->find(key); found != loaded->end())
        return found->second.get();
    const ImageRecord* record = AppResources().FindImage(ResourceType::Icon, id);
    if (!record || size <= 0)
        return nullptr;
    QPixmap pixmap = PictureOfSize(QString::fromStdString(record->path), size);
    if (pixmap.isNull())
        return nullptr;
    auto data = std::make_unique<IconData>(IconData{id, size, std::move(pixmap)});
    return loaded->emplace(key, std::move(data)).first->second.get();
}

UINT GetIconResourceId(HICON icon)
{
    return icon ? icon->id : 0;
}

int GetIconSize(HICON icon)
{
    return icon ? icon->size : 0;
}

std::vector<COLORREF> GetIconPixels(HICON icon)
{
    std::vector<COLORREF> pixels;
    if (!icon)
        return pixels;
    const QImage image = icon->pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            pixels.push_back(qAlpha(pixel) == 0 ? 0xFFFFFFFF : ui_detail::FromQRgb(pixel));
        }
    }
    return pixels;
}
