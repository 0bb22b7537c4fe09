// controls/detail/column_drag.h: what a header's host does while a column divider is dragged:
// the edges move, and the header's and the box's contents right of the edge move with them.
#pragma once

#include "controls/column_header.h"

#include <vector>

class CTreeBox;

namespace column_drag {

/// Moves the column's edge (and every later one) to x, kept between the previous edge (the
/// box's text start for the first column) and limitRight, all on screen; shifts the contents
/// right of the edge and repaints the strips whose texts change. Returns the edge on screen.
int MoveEdge(CColumnHeader& header, CTreeBox& box, std::vector<CColumnInfo>& columns, int column,
             int x, int scroll, int repaintStrip, int limitRight);

/// Repaints the box from just left of the column's edge to its right end.
void RepaintFromEdge(CTreeBox& box, int edge);

} // namespace column_drag
