// diagrams/window/zoom_draw.h: drawing routines that keep a diagram's lines, circles and dots one
// pixel wide at any zoom: on the screen they convert to device pixels and draw there, on a
// printer they draw in logical units. Also invalidating and widening logical rectangles and
// measuring text.
//
// Lines and outlines stay one pixel wide (dots two) at any zoom and take in their end points.
// Dotted lines dot in mode 2 too (it once drew nothing, though duplicate lines ask for it). Trap: a
// routine that converts must read the mapping before it switches the context to pixels.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"

#include <string_view>

class CBrush;
class CDC;
class CWnd;

/// The conversion flag: coordinates are logical and are converted through the context's
/// mapping; any other value means they are device pixels already.
inline constexpr int kZoomLogical = 1;
/// Dotted-line mode: dashes (four steps on, four off); every other mode dots every other step.
inline constexpr int kDottedDashes = 1;

/// The routines below take point lists of 2 to 6 points and draw nothing for any other count.
/// On the screen each brackets its drawing in SaveDC and RestoreDC, drawing in MM_TEXT with zero
/// origins, and leaves the context as it found it; when SaveDC fails nothing is drawn.

/// An ellipse with the selected pen and brush; on the screen its box grows by one pixel right
/// and down and a full-circle arc completes the outline.
void DrawEllipseZoomed(CDC& dc, const RECT& rect, int convert);
/// A rectangle with the selected pen and brush; on the screen it grows by one pixel right and
/// down, so that the outline takes in its logical edges.
void DrawRectangleZoomed(CDC& dc, const RECT& rect, int convert);
/// A polyline with the selected pen, its last point included.
void DrawPolylineZoomed(CDC& dc, const POINT* points, int count, int convert);
/// Fills each segment as a rectangle one pixel (on a printer one unit) wide with the brush,
/// after setting the text and background colours that colour a patterned brush.
void FillLinePathZoomed(CDC& dc, const POINT* points, int count, int convert, CBrush* brush,
                        COLORREF textColour, COLORREF backColour);
/// Dots along each segment, squares of one logical unit converted to pixels (at least 2 each
/// way), centred across the line: in kDottedDashes mode on steps 0 to 3 of every 8, in any
/// other mode on every other step.
void DrawDottedLinesZoomed(CDC& dc, const POINT* points, int count, COLORREF colour, int mode,
                           int convert);
/// Invalidates, with erasing, the rectangle grown by one pixel right and down; nothing on a
/// printer.
void InvalidateLogicalRect(CWnd& wnd, CDC& dc, const RECT& rect, int convert);
/// Widens a logical rectangle outwards, on whichever side its edges lie: zoomed out (window
/// extent larger than the viewport's) by xWidth pixels left and right and yWidth pixels at top
/// and bottom, else by one logical unit each way. The widths are at least 1. Unchanged on a
/// printer.
void WidenLogicalRect(CDC& dc, RECT& rect, int xWidth, int yWidth);
/// Draws text with ExtTextOut and returns its extent.
CSize DrawTextWithExtent(CDC& dc, int x, int y, UINT options, const RECT* clip,
                         std::string_view text);
/// The text's extent in the selected font.
CSize GetTextSize(CDC& dc, std::string_view text);
