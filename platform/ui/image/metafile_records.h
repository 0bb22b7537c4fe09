// platform/ui/image/metafile_records.h: the records of placeable Windows metafiles and enhanced
// metafiles, checked and turned into drawing calls in picture pixels.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/log_font.h"
#include "platform/base/types.h"
#include "platform/ui/image/image_source.h"

#include <cstdint>
#include <span>
#include <string>

namespace image {

/// Pen and brush styles the player draws; any other brush style fills solid.
inline constexpr int METAFILE_PEN_NULL = 5;
inline constexpr int METAFILE_BRUSH_SOLID = 0, METAFILE_BRUSH_NULL = 1;

/// What a drawing call draws with: the selected objects, already in picture pixels.
struct MetafileState {
    int penStyle = 0;
    int penWidth = 1;
    COLORREF penColour = RGB(0, 0, 0);
    int brushStyle = METAFILE_BRUSH_SOLID;
    COLORREF brushColour = RGB(255, 255, 255);
    /// The height is in picture pixels (negative: character height, as in a LOGFONT).
    LOGFONT font;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF bkColour = RGB(255, 255, 255);
    int bkMode = 2;
    UINT textAlign = 0;
};

/// Where the records are drawn. Points and rectangles are in picture pixels.
class MetafileCanvas {
public:
    virtual ~MetafileCanvas() = default;
    /// Makes the picture width x height pixels on the background; false when it cannot
    /// (the last error is set).
    virtual bool Begin(std::uint32_t width, std::uint32_t height) = 0;
    virtual void Polyline(const MetafileState& state, std::span<const POINT> points) = 0;
    virtual void Polygon(const MetafileState& state, std::span<const POINT> points) = 0;
    virtual void Rectangle(const MetafileState& state, const RECT& box) = 0;
    virtual void Ellipse(const MetafileState& state, const RECT& box) = 0;
    /// Text in UTF-8 at the reference point, aligned by the state's text alignment.
    virtual void Text(const MetafileState& state, POINT at, const std::string& text) = 0;
    /// The part source of the bitmap stretched onto destination.
    virtual void Bitmap(const RgbImage& bitmap, const RECT& source, const RECT& destination) = 0;
};

/// Plays a placeable WMF or an EMF at the given dots per inch onto the canvas. False with the
/// last error set: IMAGE_ERROR_UNSUPPORTED for anything but those two (a WMF without the
/// placeable header too), IMAGE_ERROR_FORMAT for a header or record that does not hold
/// together, IMAGE_ERROR_READ for a record that runs past the end of the file or a file that
/// ends before its end record, IMAGE_ERROR_MEMORY for a picture over the size ceiling.
/// Records outside the subset are skipped.
bool PlayMetafile(std::span<const std::uint8_t> bytes, int dpiX, int dpiY, MetafileCanvas& canvas);

} // namespace image
