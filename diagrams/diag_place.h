// diagrams/diag_place.h: box placement helpers shared by the packing, the compaction and the
// drawing: the vertical position of a row and shifting a whole tree.
#pragma once

class CDiagTree;

/// The top of a row of boxes: row x (box height + vertical gap) - vertical gap.
inline int DiagRowTop(int row, int boxHeight, int vertGap)
{
    return row * (boxHeight + vertGap) - vertGap;
}
/// Moves every box and row of the tree right by dx.
void DiagShiftRight(CDiagTree& tree, int dx);
