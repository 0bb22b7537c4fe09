// platform/ui/image/image_writer.cpp: packed pictures written as JPEG files, for the benchmarks and
// tests that need a large picture made on the spot.
#include "platform/ui/image/image_writer.h"

#include <QImage>
#include <QImageWriter>
#include <QString>

namespace image {

bool WriteJpeg(const RgbImage& picture, const std::string& path, int quality)
{
    if (picture.pixels.empty())
        return false;
    const QImage wrapped(picture.pixels.data(), int(picture.width), int(picture.height),
                         qsizetype(picture.width) * 3, QImage::Format_RGB888);
    QImageWriter writer(QString::fromStdString(path), "jpeg");
    writer.setQuality(quality);
    return writer.write(wrapped);
}

} // namespace image
