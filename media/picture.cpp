// media/picture.cpp: a decoded picture in memory (packed 24-bit pixels, resolution, 256-colour
// palette) and every picture operation of the program: reading, drawing, resizing, cutting.
#include "media/picture.h"

#include "database/multimedia/picture_format.h"
#include "platform/base/text.h"
#include "platform/ui/image/image_headers.h"
#include "platform/ui/image/image_reader.h"
#include "platform/ui/image/metafile_player.h"
#include "platform/ui/image/pcx_reader.h"
#include "platform/ui/image/psd_reader.h"
#include "platform/ui/image/tga_reader.h"

#include <cmath>
#include <new>

namespace {

using namespace image;

constexpr std::uint32_t kDefaultResolution = 96;
constexpr COLORREF kMetafileBackground = RGB(128, 128, 128);
constexpr int kMetafileDpi = 100;

struct ErrorText {
    unsigned code;
    const char* text;
};

constexpr ErrorText kErrorTexts[] = {
    {1, "  Out of memory."},
    {2, "  Unable to open file."},
    {3, "  An error occurred while reading the file."},
    {4, "  An error occurred while writing to the file."},
    {6, "  File is not a valid bitmap file."},
    {7, "  This file format is not supported."},
    {9, "  File is not a valid JPG file."},
    {15, "  File is not a valid PNG file."},
    {20, "  File is not a valid TIFF file."},
    {22, "  Not a valid PCX image."},
    {27, "  Invalid file format."},
    {32, "  File is not a valid TGA file."},
};

constexpr unsigned kSilentCodes[] = {0,  5,  10, 11, 13, 14, 16, 17, 18, 19, 21,
                                     23, 24, 25, 26, 28, 29, 30, 31, 35, 36, 4294967295u};

} // namespace

std::string GetImageErrorText(unsigned code)
{
    for (const ErrorText& row : kErrorTexts) {
        if (row.code == code)
            return row.text;
    }
    for (unsigned silent : kSilentCodes) {
        if (silent == code)
            return {};
    }
    return text::Format("Error #%u!", code);
}

UINT CPicture::Free()
{
    std::vector<std::uint8_t>().swap(m_pixels);
    m_width = m_height = 0;
    m_lockCount = 0;
    m_palette = {};
    return IMAGE_OK;
}

UINT CPicture::Allocate(CSize size)
{
    Free();
    RgbImage block;
    if (size.cx <= 0 || size.cy <= 0 ||
        !AllocateRgb(block, std::uint64_t(size.cx), std::uint64_t(size.cy)))
        return IMAGE_ERROR_MEMORY;
    m_pixels = std::move(block.pixels);
    m_width = block.width;
    m_height = block.height;
    return IMAGE_OK;
}

std::uint8_t* CPicture::Lock()
{
    if (m_pixels.empty())
        return nullptr;
    ++m_lockCount;
    return m_pixels.data();
}

UINT CPicture::Unlock()
{
    --m_lockCount;
    return 0;
}

void CPicture::Take(RgbImage& decoded)
{
    m_pixels = std::move(decoded.pixels);
    m_width = decoded.width;
    m_height = decoded.height;
    BuildPalette();
}

UINT CPicture::LoadPicture(const std::string& path, int format)
{
    Free();
    if (format == PICTURE_FORMAT_WMF || format == PICTURE_FORMAT_EMF) {
        RgbImage decoded;
        if (ReadMetafileToRgb(path, decoded, kMetafileDpi, kMetafileDpi, kMetafileBackground))
            Take(decoded);
        return LastError();
    }
    std::unique_ptr<ImageSource> source = ImageSource::Open(path);
    if (!source)
        return LastError();
    const UINT result = ReadImageFile(*source, format);
    source->Close();
    return result;
}

UINT CPicture::ReadImageFile(ImageSource& source, int format)
{
    using Reader = bool (*)(ImageSource&, RgbImage&);
    using Header = bool (*)(const ImageSource&, ImageDims&);
    struct FormatReader {
        int format;
        Reader read;
        Header header; // the resolution's header, or null: 96 dots per inch
    };
    static constexpr FormatReader kReaders[] = {
        {PICTURE_FORMAT_BMP, ReadBmp, nullptr},    {PICTURE_FORMAT_JPEG, ReadJpeg, JpegDims},
        {PICTURE_FORMAT_PNG, ReadPng, PngDims},    {PICTURE_FORMAT_PCX, ReadPcx, nullptr},
        {PICTURE_FORMAT_TIFF, ReadTiff, TiffDims}, {PICTURE_FORMAT_TGA, ReadTga, nullptr},
        {PICTURE_FORMAT_PSD, ReadPsd, nullptr},
    };
    SetResolution(0, 0, 0, 0);
    if (source.Bytes().empty())
        return IMAGE_ERROR_READ;
    for (const FormatReader& reader : kReaders) {
        if (reader.format != format)
            continue;
        ImageDims dims;
        if (reader.header && reader.header(source, dims))
            SetResolution(format, dims.resolution.x, dims.resolution.y, dims.resolution.unit);
        source.Seek(0);
        RgbImage decoded;
        if (!reader.read(source, decoded))
            return LastError();
        Take(decoded);
        return IMAGE_OK;
    }
    return IMAGE_ERROR_UNSUPPORTED;
}

void CPicture::SetResolution(int format, std::uint32_t x, std::uint32_t y, std::uint32_t unit)
{
    // JPEG: unit 1 per inch, 2 per centimetre. PNG: unit 1 per metre, rounded to whole dots per
    // inch (3780 per metre is 96). TIFF: unit 2 per inch, 3 per centimetre. Others: 96.
    double factor = 0;
    bool round = false;
    if (format == PICTURE_FORMAT_JPEG && (unit == 1 || unit == 2))
        factor = unit == 1 ? 1.0 : 2.54;
    else if (format == PICTURE_FORMAT_PNG && unit == 1) {
        factor = 0.0254;
        round = true;
    } else if (format == PICTURE_FORMAT_TIFF && (unit == 2 || unit == 3))
        factor = unit == 2 ? 1.0 : 2.54;
    const auto convert = [&](std::uint32_t value) {
        const double dots = value * factor;
        return static_cast<std::uint32_t>(round ? std::lround(dots) : std::floor(dots + 1e-9));
    };
    m_xResolution = m_yResolution = kDefaultResolution;
    if (factor == 0 || convert(x) == 0 || convert(y) == 0)
        return;
    m_xResolution = convert(x);
    m_yResolution = convert(y);
}

UINT CPicture::Draw(CDC& dc, CPoint point)
{
    return DrawRgb(dc, GetPixels(), m_width, m_height, point.x, point.y, int(m_width),
                   int(m_height))
               ? IMAGE_OK
               : LastError();
}

UINT CPicture::DrawCropped(CDC& dc, CPoint point, const RECT& rect)
{
    const CRect part(rect);
    return DrawRgbCrop(dc, GetPixels(), m_width, m_height, point.x, point.y, part.left, part.top,
                       part.Width(), part.Height())
               ? IMAGE_OK
               : LastError();
}

UINT CPicture::DrawScaled(CDC& dc, const RECT& target, const RECT* source)
{
    if (m_pixels.empty())
        return IMAGE_ERROR_NO_PIXELS;
    const RECT all{0, 0, LONG(m_width), LONG(m_height)};
    return DrawRgbPart(dc, GetPixels(), m_width, m_height, target, source ? *source : all)
               ? IMAGE_OK
               : IMAGE_ERROR_NO_PIXELS;
}

UINT CPicture::Resize(CSize size, const CPicture& source)
{
    if (const UINT error = Allocate(size))
        return error;
    if (!source.GetPixels())
        return IMAGE_ERROR_NO_PIXELS;
    return ResizeRgb(source.GetPixels(), source.m_width, source.m_height, m_pixels.data(), m_width,
                     m_height)
               ? IMAGE_OK
               : LastError();
}

UINT CPicture::Crop(LONG left, LONG top, LONG right, LONG bottom, const CPicture& source)
{
    Free();
    if (!source.GetPixels())
        return IMAGE_ERROR_NO_PIXELS;
    if (left < 0 || top < 0 || right <= left || bottom <= top ||
        std::uint32_t(right) > source.m_width || std::uint32_t(bottom) > source.m_height)
        return IMAGE_ERROR_FORMAT;
    if (const UINT error = Allocate(CSize(right - left, bottom - top)))
        return error;
    return CropRgb(source.GetPixels(), source.m_width, source.m_height, m_pixels.data(), left, top,
                   right, bottom)
               ? IMAGE_OK
               : LastError();
}

UINT CPicture::CreateBitmap(CBitmap& bitmap)
{
    RgbToBitmap(GetPixels(), m_width, m_height, bitmap);
    return LastError();
}

UINT CPicture::BuildPalette()
{
    return GetPaletteColours(m_palette.data());
}

UINT CPicture::GetPaletteColours(PaletteQuad* entries) const
{
    return Palette256(GetPixels(), m_width, m_height, 256, entries) ? IMAGE_OK : LastError();
}
