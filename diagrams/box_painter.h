// diagrams/box_painter.h: what a diagram element asks of a device to measure and paint its box:
// text extents in the diagram font, filled boxes, text lines, pictures and selection handles.
// The window layer implements it over a device context; tests implement it with a fake.
//
// A painter whose text is too small to read has the element skip its template and draw a mark.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"

#include <string_view>

class CMediaItem;

class IBoxPainter {
public:
    virtual ~IBoxPainter() = default;
    /// The width and height of a line in the diagram font, in logical units.
    virtual CSize MeasureText(std::string_view line) = 0;
    /// The box outlined and filled with the brush of a colour row of the settings (hollow when
    /// the row is transparent; white when printing in black and white).
    virtual void DrawBox(const CRect& box, int colourRow) = 0;
    /// One line with its top at top (y up), centred between area's left and right. A line
    /// wider than the area shows its first whole characters; nothing is drawn outside area.
    virtual void DrawTextLine(const CRect& area, int top, std::string_view line,
                              COLORREF colour) = 0;
    /// The picture (or the part crop of it, null: all) scaled into rect.
    virtual void DrawPicture(CMediaItem& picture, const CRect& rect, const RECT* crop) = 0;
    /// The eight selection handles of a box: drawn, or with remove their area repainted.
    virtual void DrawHandles(const CRect& box, bool remove) = 0;
    /// The text lines that follow are a box's own typed text (true) or its template's (false);
    /// a device may show typed text apart.
    virtual void SetOverriddenText(bool /*overridden*/) {}
    /// Whether text on the device is large enough to read. When it is not, a box's text is
    /// not made at all, and DrawTextMark stands for its lines.
    virtual bool TextReadable() const { return true; }
    /// A mark for lines too small to read, in area from top (y up) down by height.
    virtual void DrawTextMark(const CRect& /*area*/, int /*top*/, int /*height*/,
                              COLORREF /*colour*/)
    {
    }
};
