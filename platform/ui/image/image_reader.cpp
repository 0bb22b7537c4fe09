// platform/ui/image/image_reader.cpp: the decoders of BMP, JPEG, PNG and TIFF files, over Qt's
// readers with the format forced.
#include "platform/ui/image/image_reader.h"

#include "platform/ui/image/byte_reader.h"
#include "platform/ui/image/image_headers.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

namespace image {

namespace {

/// Qt's own ceiling (128 MB by default) would refuse pictures ours allows: raise it to what
/// the largest allowed picture needs as 32-bit pixels, with room to spare.
void RaiseQtAllocationLimit()
{
    static const bool raised = [] {
        QImageReader::setAllocationLimit(static_cast<int>(kMaxImagePixels * 4 / (1024 * 1024) * 2));
        return true;
    }();
    (void)raised;
}

/// Copies a decoded image into packed rows, converting 32-bit pixels directly so that no second
/// full-size image is made for the common case.
bool Pack(const QImage& decoded, RgbImage& picture)
{
    if (!AllocateRgb(picture, decoded.width(), decoded.height()))
        return false;
    const std::size_t width = picture.width;
    const QImage::Format format = decoded.format();
    if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32) {
        for (std::uint32_t y = 0; y < picture.height; ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(decoded.constScanLine(int(y)));
            std::uint8_t* out = &picture.pixels[y * width * 3];
            for (std::size_t x = 0; x < width; ++x, out += 3) {
                out[0] = static_cast<std::uint8_t>(qRed(in[x]));
                out[1] = static_cast<std::uint8_t>(qGreen(in[x]));
                out[2] = static_cast<std::uint8_t>(qBlue(in[x]));
            }
        }
        return true;
    }
    const QImage rgb = decoded.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull()) {
        picture = RgbImage();
        return Fail(IMAGE_ERROR_MEMORY);
    }
    for (std::uint32_t y = 0; y < picture.height; ++y)
        std::memcpy(&picture.pixels[y * width * 3], rgb.constScanLine(int(y)), width * 3);
    return true;
}

bool OverCeiling(std::uint64_t width, std::uint64_t height)
{
    return width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels;
}

/// Whether the size the header declares is beyond the ceiling (checked before Qt sees the file,
/// so that an absurd size reads as too large rather than as invalid).
bool DeclaresTooLarge(const ImageSource& source, const char* format)
{
    const std::string_view name = format;
    ImageDims dims;
    if (name == "bmp") {
        ByteReader in(source.Bytes());
        if (in.U8() != 'B' || in.U8() != 'M')
            return false;
        in.Seek(18);
        const auto width = static_cast<std::int32_t>(in.U32LE());
        const auto height = static_cast<std::int32_t>(in.U32LE());
        return !in.Failed() && width > 0 &&
               OverCeiling(std::uint64_t(width), std::uint64_t(std::abs(std::int64_t(height))));
    }
    if (name == "png" && PngDims(source, dims))
        return OverCeiling(dims.width, dims.height);
    if (name == "jpeg" && JpegDims(source, dims))
        return OverCeiling(dims.width, dims.height);
    if (name == "tiff" && TiffDims(source, dims))
        return OverCeiling(dims.width, dims.height);
    return false;
}

bool ReadWithQt(ImageSource& source, const char* format, unsigned invalid, RgbImage& picture)
{
    picture = RgbImage();
    RaiseQtAllocationLimit();
    const std::span<const std::uint8_t> bytes = source.Bytes();
    if (bytes.empty())
        return Fail(IMAGE_ERROR_READ);
    if (DeclaresTooLarge(source, format))
        return Fail(IMAGE_ERROR_MEMORY);
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(false);
    reader.setDecideFormatFromContent(false);
    reader.setAutoDetectImageFormat(false);
    if (!reader.canRead())
        return Fail(invalid);
    const QSize size = reader.size();
    if (size.isValid() && OverCeiling(std::uint64_t(size.width()), std::uint64_t(size.height())))
        return Fail(IMAGE_ERROR_MEMORY);
    QImage decoded;
    try {
        decoded = reader.read();
    } catch (const std::bad_alloc&) {
        return Fail(IMAGE_ERROR_MEMORY);
    }
    if (decoded.isNull())
        return Fail(invalid);
    if (!Pack(decoded, picture))
        return false;
    SetLastError(IMAGE_OK);
    return true;
}

/// Where the first scan starts, found by walking the segments (so that a thumbnail inside an
/// application segment is passed over); 0 when there is none.
std::size_t JpegScanStart(std::span<const std::uint8_t> bytes)
{
    std::size_t at = 2;
    while (at + 4 <= bytes.size()) {
        if (bytes[at] != 0xFF)
            return 0;
        const std::uint8_t marker = bytes[at + 1];
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        if (marker == 0xDA)
            return at;
        at += 2 + (std::size_t(bytes[at + 2]) << 8 | bytes[at + 3]);
    }
    return 0;
}

/// Whether the JPEG data has an end-of-image marker after its first scan (Qt's reader hands
/// back a partial picture without error when the file is cut short).
bool HasJpegEnd(std::span<const std::uint8_t> bytes)
{
    const std::size_t scan = JpegScanStart(bytes);
    for (std::size_t i = bytes.size(); i >= 2 && i - 2 > scan; --i) {
        if (bytes[i - 2] == 0xFF && bytes[i - 1] == 0xD9)
            return scan != 0;
    }
    return false;
}

} // namespace

bool ReadBmp(ImageSource& source, RgbImage& picture)
{
    return ReadWithQt(source, "bmp", IMAGE_ERROR_BMP, picture);
}

bool ReadJpeg(ImageSource& source, RgbImage& picture)
{
    const std::span<const std::uint8_t> bytes = source.Bytes();
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && !HasJpegEnd(bytes)) {
        picture = RgbImage();
        return Fail(IMAGE_ERROR_READ);
    }
    return ReadWithQt(source, "jpeg", IMAGE_ERROR_JPEG, picture);
}

bool ReadPng(ImageSource& source, RgbImage& picture)
{
    return ReadWithQt(source, "png", IMAGE_ERROR_PNG, picture);
}

bool ReadTiff(ImageSource& source, RgbImage& picture)
{
    return ReadWithQt(source, "tiff", IMAGE_ERROR_TIFF, picture);
}

} // namespace image
