// diagrams/diag_place.h: box placement helpers shared by the packing, the compaction and the
// drawing: the vertical position of a row and shifting a whole tree.
//
// The packing is diag_place.cpp, the row fill diag_place_fill.cpp. Later boxes of a row are never
// moved one by one: a box's place follows its predecessor's, and the shifts of children's sub-trees
// are kept per row (a Fenwick tree) until the row is final. The generation-1 couple is separated
// like every other couple, over the tree's line x.
#pragma once

class CDiagTree;

/// The top of a row of boxes: row x (box height + vertical gap) - vertical gap.
inline int DiagRowTop(int row, int boxHeight, int vertGap)
{
    return row * (boxHeight + vertGap) - vertGap;
}
/// Moves every box and row of the tree right by dx.
void DiagShiftRight(CDiagTree& tree, int dx);
