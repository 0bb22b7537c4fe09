// platform/ui/image/pcx_reader.cpp: our reader of PCX pictures (1-, 4- and 8-bit paletted, and
// 24-bit planar), run-length encoded.
#include "platform/ui/image/pcx_reader.h"

#include "platform/ui/image/byte_reader.h"

#include <algorithm>
#include <new>

namespace image {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteBytes = 768;

struct PcxHeader {
    std::uint8_t encoding = 0;
    std::uint8_t bitsPerPixel = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t planes = 0;
    std::uint16_t bytesPerLine = 0;
};

/// The pixel layouts this reader knows: 1 bit in 1 or 4 planes, 4 bits in 1, 8 bits in 1, 3
/// or 4 planes (the fourth, alpha, is left out).
bool KnownLayout(const PcxHeader& header)
{
    switch (header.bitsPerPixel) {
    case 1:
        return header.planes == 1 || header.planes == 4;
    case 4:
        return header.planes == 1;
    case 8:
        return header.planes == 1 || header.planes == 3 || header.planes == 4;
    default:
        return false;
    }
}

/// Expands the run-length encoded stream into count bytes (planes after one another, row by
/// row). A run that passes the end is cut there.
bool Unpack(ByteReader& in, std::vector<std::uint8_t>& out, std::size_t count)
{
    out.resize(count);
    std::size_t done = 0;
    while (done < count) {
        std::uint8_t value = in.U8();
        std::size_t run = 1;
        if ((value & 0xC0) == 0xC0) {
            run = value & 0x3F;
            value = in.U8();
        }
        if (in.Failed())
            return false;
        run = std::min(run, count - done);
        std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(done), run, value);
        done += run;
    }
    return true;
}

/// The palette index of pixel x of a row whose planes each take bytesPerLine bytes.
unsigned PlanarIndex(const std::uint8_t* row, const PcxHeader& header, std::uint32_t x)
{
    if (header.bitsPerPixel == 8)
        return row[x];
    if (header.bitsPerPixel == 4)
        return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
    unsigned index = 0;
    for (unsigned plane = 0; plane < header.planes; ++plane) {
        const std::uint8_t byte = row[plane * header.bytesPerLine + x / 8];
        index |= ((byte >> (7 - x % 8)) & 1u) << plane;
    }
    return index;
}

} // namespace

bool ReadPcx(ImageSource& source, RgbImage& picture)
{
    picture = RgbImage();
    const std::span<const std::uint8_t> bytes = source.Bytes();
    ByteReader in(bytes);
    const std::uint8_t maker = in.U8();
    in.U8(); // version
    PcxHeader header;
    header.encoding = in.U8();
    header.bitsPerPixel = in.U8();
    const std::uint16_t xMin = in.U16LE();
    const std::uint16_t yMin = in.U16LE();
    const std::uint16_t xMax = in.U16LE();
    const std::uint16_t yMax = in.U16LE();
    in.Seek(16);
    const std::span<const std::uint8_t> headerPalette = in.Take(48);
    in.Seek(65);
    header.planes = in.U8();
    header.bytesPerLine = in.U16LE();
    if (in.Failed() || bytes.size() < kHeaderSize)
        return Fail(bytes.size() < kHeaderSize && maker == 0x0A ? IMAGE_ERROR_READ
                                                                : IMAGE_ERROR_PCX);
    if (maker != 0x0A || header.encoding != 1 || xMax < xMin || yMax < yMin || !KnownLayout(header))
        return Fail(IMAGE_ERROR_PCX);
    header.width = xMax - xMin + 1u;
    header.height = yMax - yMin + 1u;
    if (std::uint64_t(header.bytesPerLine) * 8 < std::uint64_t(header.width) * header.bitsPerPixel)
        return Fail(IMAGE_ERROR_PCX);

    std::vector<std::uint8_t> palette(headerPalette.begin(), headerPalette.end());
    if (header.bitsPerPixel == 1 && header.planes == 1)
        palette = {0, 0, 0, 255, 255, 255};
    const bool trueColour = header.bitsPerPixel == 8 && header.planes >= 3;
    if (header.bitsPerPixel == 8 && header.planes == 1) {
        if (bytes.size() < kHeaderSize + kPaletteBytes + 1 ||
            bytes[bytes.size() - kPaletteBytes - 1] != 0x0C)
            return Fail(IMAGE_ERROR_PCX);
        palette.assign(bytes.end() - kPaletteBytes, bytes.end());
    }
    // Each two bytes of the stream give at most 63: a file too short for the declared size is
    // cut short, found before anything is allocated for it.
    const std::size_t lineBytes = std::size_t(header.bytesPerLine) * header.planes;
    const std::uint64_t streamBytes = std::uint64_t(lineBytes) * header.height;
    if ((streamBytes + 62) / 63 * 2 > bytes.size() - kHeaderSize &&
        std::uint64_t(header.width) * header.height <= kMaxImagePixels)
        return Fail(IMAGE_ERROR_READ);
    if (!AllocateRgb(picture, header.width, header.height))
        return false;

    std::vector<std::uint8_t> unpacked;
    in.Seek(kHeaderSize);
    try {
        if (!Unpack(in, unpacked, lineBytes * header.height)) {
            picture = RgbImage();
            return Fail(IMAGE_ERROR_READ);
        }
    } catch (const std::bad_alloc&) {
        picture = RgbImage();
        return Fail(IMAGE_ERROR_MEMORY);
    }
    for (std::uint32_t y = 0; y < header.height; ++y) {
        const std::uint8_t* row = &unpacked[y * lineBytes];
        std::uint8_t* out = &picture.pixels[std::size_t(y) * header.width * 3];
        for (std::uint32_t x = 0; x < header.width; ++x, out += 3) {
            if (trueColour) {
                for (unsigned channel = 0; channel < 3; ++channel)
                    out[channel] = row[channel * header.bytesPerLine + x];
                continue;
            }
            const std::size_t index = PlanarIndex(row, header, x) * 3u;
            if (index + 2 < palette.size()) {
                out[0] = palette[index];
                out[1] = palette[index + 1];
                out[2] = palette[index + 2];
            }
        }
    }
    SetLastError(IMAGE_OK);
    return true;
}

} // namespace image
