// diagrams/diag_hit.h: which box, or which box's expansion button, lies under a point, and how
// far a laid-out diagram extends (each tree's bounding rectangle, the whole extent, the row
// numbers in use).
#pragma once

#include "platform/base/geometry.h"

class CDiagElem;
class CDiagRowSet;
class CDiagTree;

/// The first box under (x, y) asking each tree in the row set's order; onButton tells whether
/// the point is on the box's expansion button rather than its body. Null when none.
CDiagElem* DiagHitTestRows(const CDiagRowSet& rowSet, int x, int y, int& onButton);
/// The same within one tree.
CDiagElem* DiagHitTestTree(const CDiagTree& tree, int x, int y, int& onButton);

/// The union of the tree's rows, each side up to its first row without a visible box; in an
/// Ancestors diagram reaching down to the root row's position, in a Descendants diagram up to
/// it. False when no row was taken.
bool DiagTreeBoundingRect(const CDiagTree& tree, CRect& rect);
/// The union of every tree's bounding rectangle; false when none has one.
bool DiagGetExtent(const CDiagRowSet& rowSet, CRect& rect);
/// The highest and lowest row numbers of the generation index (false when there is none), or
/// with visibleOnly those of the outermost rows holding a visible box: highest 0 and lowest 1
/// when there is none. Then the result is whether highest >= lowest.
bool DiagGetRowRange(const CDiagRowSet& rowSet, int& highest, int& lowest, bool visibleOnly);

/// The reference position of the root's row: half the gap between the sibling line and the
/// row above below 0; a row lower for a person's Ancestors diagram, a row higher for a
/// couple's Descendants diagram.
int DiagRootRowPosition(const CDiagRowSet& rowSet);
/// (V + H) times (the row of generation 1 less 1); 0 for a tree without boxes.
int DiagTreeTopOffset(const CDiagTree& tree);
