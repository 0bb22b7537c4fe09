// platform/ui/image/image_headers.cpp: the size and the stored resolution of JPEG, PNG and TIFF
// files, read from their headers without decoding the pixels.
#include "platform/ui/image/image_headers.h"

#include "platform/ui/image/byte_reader.h"

#include <algorithm>

namespace image {

namespace {

bool IsFrameMarker(std::uint8_t marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

/// Reads TIFF numbers in the file's byte order.
struct TiffReader {
    ByteReader in;
    bool bigEndian;
    std::uint16_t U16() { return bigEndian ? in.U16BE() : in.U16LE(); }
    std::uint32_t U32() { return bigEndian ? in.U32BE() : in.U32LE(); }
};

/// The whole-number value of a RATIONAL at offset; 0 when unreadable or its divisor is 0.
std::uint32_t TiffRational(std::span<const std::uint8_t> bytes, bool bigEndian,
                           std::uint32_t offset)
{
    TiffReader at{ByteReader(bytes), bigEndian};
    at.in.Seek(offset);
    const std::uint32_t numerator = at.U32();
    const std::uint32_t denominator = at.U32();
    return at.in.Failed() || denominator == 0 ? 0 : numerator / denominator;
}

} // namespace

bool JpegDims(const ImageSource& source, ImageDims& dims)
{
    dims = ImageDims();
    ByteReader in(source.Bytes());
    if (in.U8() != 0xFF || in.U8() != 0xD8)
        return Fail(IMAGE_ERROR_JPEG);
    while (!in.Failed()) {
        if (in.U8() != 0xFF)
            return Fail(IMAGE_ERROR_JPEG);
        std::uint8_t marker = in.U8();
        while (marker == 0xFF && !in.Failed())
            marker = in.U8();
        if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01)
            continue;
        if (marker == 0xD9 || marker == 0xDA)
            break;
        const std::uint16_t length = in.U16BE();
        if (length < 2)
            return Fail(IMAGE_ERROR_JPEG);
        ByteReader segment(in.Take(length - 2u));
        if (marker == 0xE0 && dims.resolution.unit == 0) {
            const std::span<const std::uint8_t> name = segment.Take(5);
            if (name.size() == 5 && name[0] == 'J' && name[1] == 'F' && name[2] == 'I' &&
                name[3] == 'F' && name[4] == 0) {
                segment.Skip(2);
                const std::uint8_t unit = segment.U8();
                const std::uint16_t x = segment.U16BE();
                const std::uint16_t y = segment.U16BE();
                if (!segment.Failed())
                    dims.resolution = {x, y, unit};
            }
        } else if (IsFrameMarker(marker)) {
            dims.bits = segment.U8();
            dims.height = segment.U16BE();
            dims.width = segment.U16BE();
            dims.bits *= segment.U8();
            if (segment.Failed())
                return Fail(IMAGE_ERROR_JPEG);
            SetLastError(IMAGE_OK);
            return true;
        }
    }
    return Fail(IMAGE_ERROR_JPEG);
}

bool PngDims(const ImageSource& source, ImageDims& dims)
{
    dims = ImageDims();
    ByteReader in(source.Bytes());
    const std::span<const std::uint8_t> signature = in.Take(8);
    constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (signature.size() != 8 || !std::equal(signature.begin(), signature.end(), kSignature))
        return Fail(IMAGE_ERROR_PNG);
    bool header = false;
    while (!in.Failed()) {
        const std::uint32_t length = in.U32BE();
        const std::uint32_t type = in.U32BE();
        ByteReader chunk(in.Take(length));
        in.Skip(4); // CRC
        if (in.Failed())
            break;
        if (type == 0x49484452) { // IHDR
            dims.width = chunk.U32BE();
            dims.height = chunk.U32BE();
            dims.bits = chunk.U8();
            dims.colourType = chunk.U8();
            chunk.Skip(2);
            dims.interlace = chunk.U8();
            header = !chunk.Failed();
        } else if (type == 0x70485973) { // pHYs
            const std::uint32_t x = chunk.U32BE();
            const std::uint32_t y = chunk.U32BE();
            const std::uint8_t unit = chunk.U8();
            if (!chunk.Failed())
                dims.resolution = {x, y, unit};
        } else if (type == 0x49444154 || type == 0x49454E44) { // IDAT, IEND
            break;
        }
    }
    if (!header)
        return Fail(IMAGE_ERROR_PNG);
    SetLastError(IMAGE_OK);
    return true;
}

bool TiffDims(const ImageSource& source, ImageDims& dims)
{
    dims = ImageDims();
    const std::span<const std::uint8_t> bytes = source.Bytes();
    ByteReader probe(bytes);
    const std::uint16_t order = probe.U16LE();
    if (order != 0x4949 && order != 0x4D4D)
        return Fail(IMAGE_ERROR_TIFF);
    TiffReader in{ByteReader(bytes, 2), order == 0x4D4D};
    if (in.U16() != 42)
        return Fail(IMAGE_ERROR_TIFF);
    in.in.Seek(in.U32());
    const std::uint16_t entries = in.U16();
    if (in.in.Failed())
        return Fail(IMAGE_ERROR_TIFF);
    std::uint32_t unit = 2;
    for (unsigned i = 0; i < entries; ++i) {
        const std::uint16_t tag = in.U16();
        const std::uint16_t type = in.U16();
        const std::uint32_t count = in.U32();
        const std::size_t valueAt = in.in.Position();
        const std::uint32_t value = type == 3 ? in.U16() : in.U32();
        in.in.Seek(valueAt + 4);
        if (in.in.Failed())
            return Fail(IMAGE_ERROR_TIFF);
        switch (tag) {
        case 256:
            dims.width = value;
            break;
        case 257:
            dims.height = value;
            break;
        case 258:
            dims.bits = count == 1 ? value : 8 * count;
            break;
        case 282:
            dims.resolution.x = TiffRational(bytes, in.bigEndian, value);
            break;
        case 283:
            dims.resolution.y = TiffRational(bytes, in.bigEndian, value);
            break;
        case 296:
            unit = value;
            break;
        default:
            break;
        }
    }
    if (dims.resolution.x != 0 && dims.resolution.y != 0)
        dims.resolution.unit = unit;
    SetLastError(IMAGE_OK);
    return true;
}

} // namespace image
