// reports/rpt_canvas.h: what the report page layout measures and draws through, so that pages are
// laid out the same way on a printer, on the screen and in tests without a window.
//
// Logical units are tenths of a point, y grows downwards from the sheet's corner.
// window/rpt_dc_canvas.h implements it over a device context; tests use a canvas with fixed
// metrics. DrawCircle and DrawLine do nothing by default: a canvas that should show bullets
// overrides them (the canvas over a device context does).
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/log_font.h"
#include "platform/base/types.h"

#include <string>
#include <string_view>

class IMediaContent;

/// The sheet of the device the report is laid out for, in device pixels: the whole sheet, the
/// printable area's offset from its corner, and the resolution. A device that reports no sheet
/// size (0) gives its printable size there.
struct RptDevicePage {
    int physicalWidth = 0, physicalHeight = 0;
    int offsetX = 0, offsetY = 0;
    int printableWidth = 0, printableHeight = 0;
    int dpiX = 0, dpiY = 0;
};

/// The measures of a font, in logical units: line height (with the external leading) and ascent.
struct RptFontMetrics {
    int lineHeight = 0;
    int ascent = 0;
};

/// A picture as the layout places it: its size in pixels, the caption drawn below it, and the
/// loaded content of its multimedia object, which draws it (not owned; may be null).
struct RptPicture {
    int widthPixels = 0, heightPixels = 0;
    std::string caption;
    IMediaContent* content = nullptr;
};

/// How a run of text stands in its rectangle.
enum class RptAlign { Left, Centre, Right };

/// Measuring and drawing in logical units of a tenth of a point, y growing downwards from the
/// corner of the sheet once SetupMapping has run. Text is UTF-8; counts are in bytes and never
/// split a character.
class IRptCanvas {
public:
    virtual ~IRptCanvas() = default;
    virtual RptDevicePage GetDevicePage() const = 0;
    /// Maps the page of pageWidth by pageHeight logical units onto the sheet.
    virtual void SetupMapping(int pageWidth, int pageHeight) = 0;
    /// Makes the font of a slot: font's face, weight and style at height logical units (negative:
    /// the character height); answers its measures.
    virtual RptFontMetrics CreateFont(int slot, const LOGFONT& font, int height) = 0;
    virtual void SelectFont(int slot) = 0;
    virtual int GetTextWidth(std::string_view text) = 0;
    /// How many bytes of whole characters of text fit within width.
    virtual int GetFitCount(std::string_view text, int width) = 0;
    /// Draws the part of text that fits rect's width with its baseline at baseline, kept inside
    /// rect: from rect's left, ending at its right, or centred on x. With justify, a line
    /// narrower than rect that holds a blank is stretched over its blanks to rect's width.
    virtual void DrawTextRun(const CRect& rect, RptAlign align, int x, int baseline,
                             std::string_view text, bool justify) = 0;
    /// A black horizontal line from left to right, thickness high, centred on y.
    virtual void DrawRule(int left, int right, int y, int thickness) = 0;
    virtual void DrawPicture(const CRect& rect, const RptPicture& picture) = 0;
    /// A circle of radius around (x, y), edged by a line width wide in edge and filled with
    /// fill, or left empty inside when hollow.
    virtual void DrawCircle(int x, int y, int radius, COLORREF fill, bool hollow, COLORREF edge,
                            int width) = 0;
    /// A straight line from (x1, y1) to (x2, y2), width wide, in colour.
    virtual void DrawLine(int x1, int y1, int x2, int y2, int width, COLORREF colour) = 0;
};
