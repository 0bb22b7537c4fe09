// diagrams/window/page_grid.h: the arithmetic of the printed page grid: sizing the page to hold a
// number of rows, aligning page edges between rows, and snapping a point to the row edges.
#pragma once

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

/// The smallest page side a drag leaves.
inline constexpr int kMinPageSide = 100;

/// The page resized by dragging its corner from the anchor (the page's top-left corner, y up)
/// to (x, y), keeping width:height and no side below kMinPageSide; the anchor stays a corner of
/// the grid. width and height must be positive.
PageGrid ResizePageFromCorner(int anchorX, int anchorY, int x, int y, int width, int height);

/// y snapped to the nearest row edge (multiples of pitch less offset), halves away from zero;
/// unchanged when pitch is not positive.
int SnapToRowEdge(int y, int pitch, int offset);
