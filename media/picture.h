// media/picture.h: a decoded picture in memory (packed 24-bit pixels, resolution, 256-colour
// palette) and every picture operation of the program: reading, drawing, resizing, cutting.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"
#include "platform/ui/image/image_source.h"
#include "platform/ui/image/rgb_image.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CBitmap;
class CDC;

/// A picture: width x height pixels of R, G, B bytes in one packed block, with its resolution
/// in dots per inch (96 x 96 unless the file tells another). Operations answer the image
/// service's error numbers (0 success; 1 no memory; 5 no pixels).
class CPicture {
public:
    CPicture() = default;
    virtual ~CPicture() = default;
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

    /// Drops the pixels; the resolution stays.
    UINT Free();
    /// Free, then zeroed pixels of the size; 1 when the size is empty, too large or memory runs
    /// out.
    UINT Allocate(CSize size);
    /// The pixels (null when empty), counting a use.
    std::uint8_t* Lock();
    UINT Unlock();

    /// Reads the file as format (a picture format code). A failed read leaves the picture
    /// empty. The metafile formats do not touch the resolution.
    UINT LoadPicture(const std::string& path, int format);
    /// The reader of every format but the metafiles, on an opened source.
    UINT ReadImageFile(image::ImageSource& source, int format);

    /// The whole picture at its own size with its top left corner at point.
    UINT Draw(CDC& dc, CPoint point);
    /// The part rect of the picture at its own size at point.
    UINT DrawCropped(CDC& dc, CPoint point, const RECT& rect);
    /// The part source of the picture (all of it when null) scaled into target.
    UINT DrawScaled(CDC& dc, const RECT& target, const RECT* source);
    /// Becomes source resampled to size.
    UINT Resize(CSize size, const CPicture& source);
    /// Becomes the part [left, right) x [top, bottom) of source; a rectangle that is inverted or
    /// not inside the source answers 27 and leaves this picture empty.
    UINT Crop(LONG left, LONG top, LONG right, LONG bottom, const CPicture& source);
    /// Makes bitmap a screen bitmap of the picture; the image service's last error.
    UINT CreateBitmap(CBitmap& bitmap);
    /// Rebuilds the palette from the pixels.
    UINT BuildPalette();
    /// The 256-colour palette of the pixels (median cut); 5 without pixels.
    UINT GetPaletteColours(image::PaletteQuad* entries) const;
    /// The resolution from a file's raw header record (see the .cpp for the units per format);
    /// 96 x 96 when the format or unit gives none, or a value is 0.
    void SetResolution(int format, std::uint32_t x, std::uint32_t y, std::uint32_t unit);

    std::uint32_t GetWidth() const { return m_width; }
    std::uint32_t GetHeight() const { return m_height; }
    CSize GetSize() const { return CSize(int(m_width), int(m_height)); }
    std::uint32_t GetXResolution() const { return m_xResolution; }
    std::uint32_t GetYResolution() const { return m_yResolution; }
    const std::uint8_t* GetPixels() const { return m_pixels.empty() ? nullptr : m_pixels.data(); }
    const std::array<image::PaletteQuad, 256>& GetPalette() const { return m_palette; }

private:
    /// Takes a decoded picture over and builds its palette.
    void Take(image::RgbImage& decoded);

    std::uint32_t m_width = 0;
    std::uint32_t m_height = 0;
    std::uint32_t m_xResolution = 96;
    std::uint32_t m_yResolution = 96;
    std::vector<std::uint8_t> m_pixels;
    std::int32_t m_lockCount = 0;
    std::array<image::PaletteQuad, 256> m_palette{};
};

/// The text of an image error number, to follow "Unable to load object.": a known number's
/// text (starting with two blanks), empty for the numbers that have none, else "Error #N!".
std::string GetImageErrorText(unsigned code);
