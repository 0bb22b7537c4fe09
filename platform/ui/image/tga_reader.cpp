// platform/ui/image/tga_reader.cpp: our reader of Targa pictures (colour-mapped, true-colour and
// grey, raw or run-length encoded).
#include "platform/ui/image/tga_reader.h"

#include "platform/ui/image/byte_reader.h"

#include <algorithm>
#include <array>

namespace image {

namespace {

struct TgaHeader {
    std::uint8_t idLength = 0;
    std::uint8_t mapType = 0;
    std::uint8_t imageType = 0;
    std::uint16_t mapFirst = 0;
    std::uint16_t mapLength = 0;
    std::uint8_t mapEntryBits = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t pixelBits = 0;
    std::uint8_t descriptor = 0;
};

using Colour = std::array<std::uint8_t, 3>;

/// A pixel of 15, 16, 24 or 32 bits stored as B, G, R(, A) or as 5-5-5 bits.
Colour DecodeColour(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() >= 3)
        return {bytes[2], bytes[1], bytes[0]};
    const unsigned value = bytes[0] | bytes[1] << 8;
    const auto expand = [](unsigned five) {
        return static_cast<std::uint8_t>(five << 3 | five >> 2);
    };
    return {expand(value >> 10 & 31), expand(value >> 5 & 31), expand(value & 31)};
}

bool ValidColourBits(unsigned bits)
{
    return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

bool ValidHeader(const TgaHeader& header)
{
    const unsigned kind = header.imageType & ~8u;
    if (header.imageType > 11 || (kind != 1 && kind != 2 && kind != 3) || header.mapType > 1)
        return false;
    // A colour map is read (and passed over by true-colour and grey pictures) whatever the kind.
    if (header.mapType == 1 && !ValidColourBits(header.mapEntryBits))
        return false;
    if (kind == 1)
        return header.mapType == 1 && header.pixelBits == 8 && header.mapLength > 0;
    if (kind == 2)
        return ValidColourBits(header.pixelBits);
    return header.pixelBits == 8;
}

/// Fail, dropping the pixels decoded so far.
bool FailWith(RgbImage& picture, unsigned error)
{
    picture = RgbImage();
    return Fail(error);
}

} // namespace

bool ReadTga(ImageSource& source, RgbImage& picture)
{
    picture = RgbImage();
    ByteReader in(source.Bytes());
    TgaHeader header;
    header.idLength = in.U8();
    header.mapType = in.U8();
    header.imageType = in.U8();
    header.mapFirst = in.U16LE();
    header.mapLength = in.U16LE();
    header.mapEntryBits = in.U8();
    in.Skip(4); // origin
    header.width = in.U16LE();
    header.height = in.U16LE();
    header.pixelBits = in.U8();
    header.descriptor = in.U8();
    if (in.Failed() || !ValidHeader(header) || header.width == 0 || header.height == 0)
        return Fail(IMAGE_ERROR_TGA);
    in.Skip(header.idLength);
    std::vector<Colour> map;
    if (header.mapType == 1) {
        const std::size_t entryBytes = (header.mapEntryBits + 7) / 8;
        for (unsigned i = 0; i < header.mapLength; ++i) {
            const std::span<const std::uint8_t> entry = in.Take(entryBytes);
            if (in.Failed())
                return Fail(IMAGE_ERROR_READ);
            map.push_back(DecodeColour(entry));
        }
    }
    const unsigned kind = header.imageType & ~8u;
    const bool encoded = (header.imageType & 8) != 0;
    const std::size_t pixelBytes = (header.pixelBits + 7) / 8;
    // A run packet of 1 + pixelBytes bytes gives at most 128 pixels: a file too short for the
    // declared size is cut short, found before anything is allocated for it.
    const std::uint64_t pixelCount = std::uint64_t(header.width) * header.height;
    const std::uint64_t leastBytes =
        encoded ? (pixelCount + 127) / 128 * (1 + pixelBytes) : pixelCount * pixelBytes;
    if (leastBytes > in.Remaining() && pixelCount <= kMaxImagePixels)
        return Fail(IMAGE_ERROR_READ);
    if (!AllocateRgb(picture, header.width, header.height))
        return false;

    const auto toColour = [&](std::span<const std::uint8_t> bytes, Colour& colour) {
        if (kind == 3) {
            colour = {bytes[0], bytes[0], bytes[0]};
            return true;
        }
        if (kind == 2) {
            colour = DecodeColour(bytes);
            return true;
        }
        const unsigned index = bytes[0];
        if (index < header.mapFirst || index - header.mapFirst >= map.size())
            return false;
        colour = map[index - header.mapFirst];
        return true;
    };

    // Pixels in file order; rows are put in place afterwards by the origin bits.
    const std::size_t count = std::size_t(header.width) * header.height;
    std::size_t done = 0;
    Colour colour{};
    while (done < count) {
        std::size_t run = 1;
        bool repeat = false;
        if (encoded) {
            const std::uint8_t packet = in.U8();
            run = (packet & 0x7F) + 1u;
            repeat = (packet & 0x80) != 0;
            if (done + run > count)
                return FailWith(picture, IMAGE_ERROR_TGA);
        }
        for (std::size_t i = 0; i < run; ++i) {
            if (i == 0 || !repeat) {
                const std::span<const std::uint8_t> bytes = in.Take(pixelBytes);
                if (in.Failed())
                    return FailWith(picture, IMAGE_ERROR_READ);
                if (!toColour(bytes, colour))
                    return FailWith(picture, IMAGE_ERROR_TGA);
            }
            std::uint8_t* out = &picture.pixels[(done + i) * 3];
            out[0] = colour[0];
            out[1] = colour[1];
            out[2] = colour[2];
        }
        done += run;
    }

    const bool topDown = (header.descriptor & 0x20) != 0;
    const bool rightToLeft = (header.descriptor & 0x10) != 0;
    const std::size_t rowBytes = std::size_t(header.width) * 3;
    if (!topDown) {
        for (std::size_t top = 0, bottom = header.height - 1u; top < bottom; ++top, --bottom)
            std::swap_ranges(&picture.pixels[top * rowBytes], &picture.pixels[(top + 1) * rowBytes],
                             &picture.pixels[bottom * rowBytes]);
    }
    if (rightToLeft) {
        for (std::size_t y = 0; y < header.height; ++y) {
            std::uint8_t* row = &picture.pixels[y * rowBytes];
            for (std::size_t left = 0, right = header.width - 1u; left < right; ++left, --right)
                std::swap_ranges(row + left * 3, row + left * 3 + 3, row + right * 3);
        }
    }
    SetLastError(IMAGE_OK);
    return true;
}

} // namespace image
