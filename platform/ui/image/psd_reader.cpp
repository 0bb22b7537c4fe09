// platform/ui/image/psd_reader.cpp: our reader of Photoshop pictures: the flattened composite, raw
// or run-length encoded, 8 bits a channel, RGB, grey or indexed.
#include "platform/ui/image/psd_reader.h"

#include "platform/ui/image/byte_reader.h"

#include <algorithm>
#include <new>

namespace image {

namespace {

enum PsdMode : std::uint16_t { PSD_GREY = 1, PSD_INDEXED = 2, PSD_RGB = 3 };

constexpr std::uint32_t kMaxPsdSide = 300000;

/// Expands one row of PackBits runs into row; false when a run passes the row's end or the data
/// is cut short (read).
bool UnpackRow(ByteReader& in, std::size_t packedBytes, std::span<std::uint8_t> row, bool& cut)
{
    const std::span<const std::uint8_t> packed = in.Take(packedBytes);
    if (in.Failed()) {
        cut = true;
        return false;
    }
    std::size_t from = 0;
    std::size_t done = 0;
    while (done < row.size()) {
        if (from >= packed.size())
            return false;
        const auto header = static_cast<std::int8_t>(packed[from++]);
        if (header == -128)
            continue;
        if (header >= 0) {
            const std::size_t count = header + 1u;
            if (done + count > row.size() || from + count > packed.size())
                return false;
            std::copy_n(packed.begin() + static_cast<std::ptrdiff_t>(from), count,
                        row.begin() + static_cast<std::ptrdiff_t>(done));
            from += count;
            done += count;
        } else {
            const std::size_t count = 1u - header;
            if (done + count > row.size() || from >= packed.size())
                return false;
            std::fill_n(row.begin() + static_cast<std::ptrdiff_t>(done), count, packed[from++]);
            done += count;
        }
    }
    return true;
}

} // namespace

bool ReadPsd(ImageSource& source, RgbImage& picture)
{
    picture = RgbImage();
    ByteReader in(source.Bytes());
    const std::uint32_t signature = in.U32BE();
    const std::uint16_t version = in.U16BE();
    in.Skip(6);
    const std::uint16_t channels = in.U16BE();
    const std::uint32_t height = in.U32BE();
    const std::uint32_t width = in.U32BE();
    const std::uint16_t depth = in.U16BE();
    const std::uint16_t mode = in.U16BE();
    if (in.Failed() || signature != 0x38425053 || version != 1 || channels < 1 || channels > 56 ||
        width == 0 || height == 0 || width > kMaxPsdSide || height > kMaxPsdSide)
        return Fail(in.Failed() && signature == 0x38425053 ? IMAGE_ERROR_READ : IMAGE_ERROR_FORMAT);
    if (depth != 8 || (mode != PSD_GREY && mode != PSD_INDEXED && mode != PSD_RGB))
        return Fail(IMAGE_ERROR_UNSUPPORTED);
    const unsigned colourChannels = mode == PSD_RGB ? 3 : 1;
    if (channels < colourChannels)
        return Fail(IMAGE_ERROR_FORMAT);

    const std::uint32_t modeDataBytes = in.U32BE();
    const std::span<const std::uint8_t> modeData = in.Take(modeDataBytes);
    if (mode == PSD_INDEXED && modeData.size() < 768 && !in.Failed())
        return Fail(IMAGE_ERROR_FORMAT);
    in.Skip(in.U32BE()); // image resources
    in.Skip(in.U32BE()); // layers and masks
    const std::uint16_t compression = in.U16BE();
    if (in.Failed())
        return Fail(IMAGE_ERROR_READ);
    if (compression > 1)
        return Fail(IMAGE_ERROR_UNSUPPORTED);
    // The row table and the rows must fit in what is left of the file (a PackBits pair gives at
    // most 128 bytes), checked before anything is allocated for the declared size.
    const std::uint64_t pixels = std::uint64_t(width) * height;
    if (pixels > kMaxImagePixels || width > kMaxImageSide || height > kMaxImageSide)
        return Fail(IMAGE_ERROR_MEMORY);
    std::vector<std::uint16_t> rowBytes;
    if (compression == 1) {
        if (std::uint64_t(channels) * height * 2 > in.Remaining())
            return Fail(IMAGE_ERROR_READ);
        rowBytes.resize(std::size_t(channels) * height);
        for (std::uint16_t& count : rowBytes)
            count = in.U16BE();
        std::uint64_t colourBytes = 0;
        for (std::size_t i = 0; i < std::size_t(colourChannels) * height; ++i) {
            if (std::uint64_t(rowBytes[i]) * 64 < width)
                return Fail(IMAGE_ERROR_FORMAT);
            colourBytes += rowBytes[i];
        }
        if (colourBytes > in.Remaining())
            return Fail(IMAGE_ERROR_READ);
    } else if (pixels * colourChannels > in.Remaining()) {
        return Fail(IMAGE_ERROR_READ);
    }
    if (!AllocateRgb(picture, width, height))
        return false;

    std::vector<std::uint8_t> row(width);
    for (unsigned channel = 0; channel < colourChannels; ++channel) {
        for (std::uint32_t y = 0; y < height; ++y) {
            bool cut = false;
            if (compression == 1) {
                if (!UnpackRow(in, rowBytes[std::size_t(channel) * height + y], row, cut)) {
                    picture = RgbImage();
                    return Fail(cut ? IMAGE_ERROR_READ : IMAGE_ERROR_FORMAT);
                }
            } else {
                const std::span<const std::uint8_t> raw = in.Take(width);
                if (in.Failed()) {
                    picture = RgbImage();
                    return Fail(IMAGE_ERROR_READ);
                }
                std::copy(raw.begin(), raw.end(), row.begin());
            }
            std::uint8_t* out = &picture.pixels[std::size_t(y) * width * 3];
            for (std::uint32_t x = 0; x < width; ++x, out += 3) {
                const std::uint8_t value = row[x];
                if (mode == PSD_RGB) {
                    out[channel] = value;
                } else if (mode == PSD_GREY) {
                    out[0] = out[1] = out[2] = value;
                } else {
                    out[0] = modeData[value];
                    out[1] = modeData[256 + value];
                    out[2] = modeData[512 + value];
                }
            }
        }
    }
    SetLastError(IMAGE_OK);
    return true;
}

} // namespace image
