// diagrams/page_grid.h: the arithmetic of the printed page grid: bringing an origin into
// the page, the page's proportions, the grid lines near a point, sizing the page to hold a number
// of rows, aligning page edges between rows, and snapping a point to the row edges. All of it runs
// in 64 bits where sums could leave the 32-bit range.
#pragma once

/// A page origin brought into [0, side): a larger one is reduced modulo the side, a negative
/// one v becomes side - (-v mod side); unchanged when side is not positive.
int NormalisePageOrigin(int origin, int side);

/// The other side of a page whose side is given, in the proportions of a paper of width pw
/// and height ph (heightGiven: side is the height), rounded.
long long SideInProportion(long long side, int pw, int ph, bool heightGiven);

/// a / b rounded towards minus infinity; b must be positive.
long long FloorDiv(long long a, long long b);

/// The distance from v to the nearest line of a grid of lines step apart through origin; step
/// must be positive.
long long GridDistance(long long v, long long origin, long long step);

/// The first grid line (step apart through origin) at or after from; step must be positive.
long long FirstLineAtOrAfter(long long from, long long origin, long long step);

/// The grid line (step apart through origin) nearest v, halves away from the origin; step must
/// be positive.
long long NearestLine(long long v, long long origin, long long step);

/// A page grid's size and origin in diagram units.
struct PageGrid {
    int width = 0;
    int height = 0;
    int xOrigin = 0;
    int yOrigin = 0;
};

/// The page for rows rows of rowHeight each, in the printer page's proportions (printerWidth by
/// printerHeight, at least 1 each), the origins brought into the page. rows and rowHeight must
/// be positive.
PageGrid SizePageForRows(int printerWidth, int printerHeight, int rows, int rowHeight, int xOrigin,
                         int yOrigin);

/// The y origin moved so that page edges fall between rows of pitch rowHeight whose edges lie at
/// multiples of it less rowOffset. rowHeight must be positive.
int AlignPageToRows(int yOrigin, int rowHeight, int rowOffset);

/// The smallest page side a drag leaves, and the sides a page may take: a smaller side would
/// make pages of nothing.
inline constexpr int kMinPageSide = 100, kMaxPageSide = 1000000;

/// The page resized by dragging its corner from the anchor (the page's top-left corner, y up)
/// to (x, y), keeping width:height and no side below kMinPageSide; the anchor stays a corner of
/// the grid. width and height must be positive.
PageGrid ResizePageFromCorner(int anchorX, int anchorY, int x, int y, int width, int height);

/// y snapped to the nearest row edge (multiples of pitch less offset), halves away from zero;
/// unchanged when pitch is not positive.
int SnapToRowEdge(int y, int pitch, int offset);
