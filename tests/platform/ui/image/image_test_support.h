// tests/platform/ui/image/image_test_support.h: the torture pictures and their references,
// and builders of picture files byte by byte.
#pragma once

#include "platform/ui/image/image_source.h"
#include "tests/support/test_support.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace image_test {

using Bytes = std::vector<std::uint8_t>;

inline std::string TorturePath(const std::string& name)
{
    return test_support::DataPath("torture55/" + name);
}

inline Bytes ReadBytes(const std::string& path)
{
    const std::string text = test_support::ReadFile(path);
    return Bytes(text.begin(), text.end());
}

/// A binary PPM (P6, maxval 255) as packed rows.
inline image::RgbImage ReadPpm(const std::string& path)
{
    std::istringstream in(test_support::ReadFile(path));
    std::string magic;
    int width = 0;
    int height = 0;
    int maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    in.get();
    image::RgbImage picture;
    picture.width = static_cast<std::uint32_t>(width);
    picture.height = static_cast<std::uint32_t>(height);
    picture.pixels.resize(std::size_t(width) * height * 3);
    in.read(reinterpret_cast<char*>(picture.pixels.data()),
            static_cast<std::streamsize>(picture.pixels.size()));
    return picture;
}

/// The largest difference of one channel between two pictures of one size, and the mean.
struct Difference {
    int largest = 0;
    double mean = 0;
};

inline Difference Compare(const image::RgbImage& a, const image::RgbImage& b)
{
    Difference difference;
    if (a.pixels.size() != b.pixels.size() || a.pixels.empty())
        return {256, 256};
    long long total = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        const int d = std::abs(int(a.pixels[i]) - int(b.pixels[i]));
        difference.largest = std::max(difference.largest, d);
        total += d;
    }
    difference.mean = double(total) / double(a.pixels.size());
    return difference;
}

// Appending numbers.
inline void U8(Bytes& b, unsigned v)
{
    b.push_back(static_cast<std::uint8_t>(v));
}
inline void U16LE(Bytes& b, unsigned v)
{
    U8(b, v & 0xFF);
    U8(b, v >> 8 & 0xFF);
}
inline void U32LE(Bytes& b, std::uint32_t v)
{
    U16LE(b, v & 0xFFFF);
    U16LE(b, v >> 16);
}
inline void U16BE(Bytes& b, unsigned v)
{
    U8(b, v >> 8 & 0xFF);
    U8(b, v & 0xFF);
}
inline void U32BE(Bytes& b, std::uint32_t v)
{
    U16BE(b, v >> 16);
    U16BE(b, v & 0xFFFF);
}

/// A Targa header: type 2 (true colour) or 10 (run-length), 24 bits, top-down.
inline Bytes TgaHeader(unsigned type, unsigned width, unsigned height, unsigned bits = 24)
{
    Bytes b;
    U8(b, 0);
    U8(b, 0);
    U8(b, type);
    U16LE(b, 0);
    U16LE(b, 0);
    U8(b, 0);
    U16LE(b, 0);
    U16LE(b, 0);
    U16LE(b, width);
    U16LE(b, height);
    U8(b, bits);
    U8(b, 0x20);
    return b;
}

/// A PCX header of 128 bytes.
inline Bytes PcxHeader(unsigned bits, unsigned planes, unsigned width, unsigned height,
                       unsigned bytesPerLine)
{
    Bytes b(128, 0);
    b[0] = 0x0A;
    b[1] = 5;
    b[2] = 1;
    b[3] = static_cast<std::uint8_t>(bits);
    b[8] = static_cast<std::uint8_t>((width - 1) & 0xFF);
    b[9] = static_cast<std::uint8_t>((width - 1) >> 8);
    b[10] = static_cast<std::uint8_t>((height - 1) & 0xFF);
    b[11] = static_cast<std::uint8_t>((height - 1) >> 8);
    b[65] = static_cast<std::uint8_t>(planes);
    b[66] = static_cast<std::uint8_t>(bytesPerLine & 0xFF);
    b[67] = static_cast<std::uint8_t>(bytesPerLine >> 8);
    return b;
}

/// A PSD file up to its compression word: the header, empty sections (or the 768-byte colour
/// table of an indexed picture).
inline Bytes PsdHead(unsigned channels, std::uint32_t width, std::uint32_t height, unsigned mode,
                     unsigned compression, unsigned depth = 8)
{
    Bytes b{'8', 'B', 'P', 'S'};
    U16BE(b, 1);
    b.insert(b.end(), 6, 0);
    U16BE(b, channels);
    U32BE(b, height);
    U32BE(b, width);
    U16BE(b, depth);
    U16BE(b, mode);
    if (mode == 2) {
        U32BE(b, 768);
        for (unsigned i = 0; i < 768; ++i)
            U8(b, i < 256 ? i : i < 512 ? 255 - (i - 256) : 7);
    } else {
        U32BE(b, 0);
    }
    U32BE(b, 0);
    U32BE(b, 0);
    U16BE(b, compression);
    return b;
}

/// A 54-byte Windows bitmap header for a 24-bit picture, followed by no pixels.
inline Bytes BmpHeader(std::int32_t width, std::int32_t height)
{
    Bytes b{'B', 'M'};
    U32LE(b, 54);
    U32LE(b, 0);
    U32LE(b, 54);
    U32LE(b, 40);
    U32LE(b, static_cast<std::uint32_t>(width));
    U32LE(b, static_cast<std::uint32_t>(height));
    U16LE(b, 1);
    U16LE(b, 24);
    U32LE(b, 0);
    U32LE(b, 0);
    U32LE(b, 2835);
    U32LE(b, 2835);
    U32LE(b, 0);
    U32LE(b, 0);
    return b;
}

/// A PNG signature and IHDR chunk (with a wrong CRC: only the size matters to the test).
inline Bytes PngHeader(std::uint32_t width, std::uint32_t height)
{
    Bytes b{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    U32BE(b, 13);
    for (char c : std::string("IHDR"))
        U8(b, static_cast<unsigned char>(c));
    U32BE(b, width);
    U32BE(b, height);
    U8(b, 8);
    U8(b, 2);
    U8(b, 0);
    U8(b, 0);
    U8(b, 0);
    U32BE(b, 0);
    return b;
}

} // namespace image_test
