// platform/ui/image/rgb_image.h: work on packed 24-bit pictures: resampling, cutting, the
// 256-colour palette, screen bitmaps, and drawing into a device context.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"

#include <array>
#include <cstdint>

class CBitmap;
class CDC;

namespace image {

/// One entry of a 256-colour palette as the classic call gives it: blue, green, red, 0.
struct PaletteQuad {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
};

// The pixel arguments are packed R, G, B rows, top-down, width x 3 bytes each.

/// Resamples source into target (caller-allocated, tw x th pixels) by area averaging: each
/// target pixel is the mean of the source area it covers, so halving averages 2 x 2 blocks and
/// an equal size copies. False (IMAGE_ERROR_NO_PIXELS) without pixels or with a zero size.
bool ResizeRgb(const std::uint8_t* source, std::uint32_t sw, std::uint32_t sh, std::uint8_t* target,
               std::uint32_t tw, std::uint32_t th);
/// Copies the rectangle [left, right) x [top, bottom) of source into target (caller-allocated,
/// (right - left) x (bottom - top) pixels). False (IMAGE_ERROR_NO_PIXELS) without pixels; false
/// (IMAGE_ERROR_FORMAT) for a rectangle that is empty, inverted or not inside the source.
bool CropRgb(const std::uint8_t* source, std::uint32_t sw, std::uint32_t sh, std::uint8_t* target,
             LONG left, LONG top, LONG right, LONG bottom);
/// Up to count (at most 256) palette entries that represent the picture's colours (median
/// cut); unused entries are black. False (IMAGE_ERROR_NO_PIXELS) without pixels.
bool Palette256(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height,
                unsigned count, PaletteQuad* entries);
/// Makes bitmap a screen bitmap of the picture, replacing what it held. False
/// (IMAGE_ERROR_NO_PIXELS) without pixels, IMAGE_ERROR_MEMORY when it cannot be made.
bool RgbToBitmap(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height,
                 CBitmap& bitmap);
/// Draws the whole picture with its top left corner at (x, y), scaled to cx x cy pixels.
bool DrawRgb(CDC& dc, const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, int x,
             int y, int cx, int cy);
/// Draws the part [left, left + cw) x [top, top + ch) of the picture at (x, y) at its size; the
/// part is clipped to the picture.
bool DrawRgbCrop(CDC& dc, const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height,
                 int x, int y, int left, int top, int cw, int ch);
/// Draws the part source of the picture scaled into target, a rectangle in the device context's
/// logical units (its mapping applies).
bool DrawRgbPart(CDC& dc, const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height,
                 const RECT& target, const RECT& source);
/// Draws the part [left, left + cw) x [top, top + ch) of a screen bitmap at (x, y).
bool DrawBitmapCropped(CDC& dc, CBitmap& bitmap, int x, int y, int left, int top, int cw, int ch);

} // namespace image
