// diagrams/diag_compact.h: placing the trees of an All Relatives diagram relative to one
// another: the father-side trees to the left, the mother-side trees to the right, each as close
// as the compaction mode (by row, by band, by bounding rectangle) allows.
#pragma once

#include "platform/base/geometry.h"

#include <vector>

class CDiagRowSet;
class CDiagTree;

/// Compaction modes ("RELS: Horizontal Compression").
enum DiagCompaction : int { kCompactByRow = 0, kCompactByBand = 1, kCompactByRect = 2 };

/// Allocates each tree's contour over the index's rows (or bands); with withTreeFields first
/// resets the trees' offsets, line x, has-line flag and family line x.
void DiagRowPass(CDiagRowSet& rowSet, bool withTreeFields);
/// Compacts from the main tree outward, then moves each tree to its place. Gives the areas to
/// repaint: the old and new places of a moved tree's rows with their side buttons and the lines
/// between them, and the strip of its root row between its old and new family line x.
std::vector<CRect> DiagMeasure(CDiagRowSet& rowSet);
/// Frees every contour.
void DiagRowsFinish(CDiagRowSet& rowSet);

/// The x of a tree's connecting line.
int DiagLineX(const CDiagTree& tree);
/// The x where the tree's root family's line starts.
int DiagFamilyLineX(const CDiagTree& tree);
/// The secondary tree hanging from the first box up the father (mother) chain that has one;
/// null when none or when its root box is hidden.
CDiagTree* DiagFatherSideTree(const CDiagTree& tree);
CDiagTree* DiagMotherSideTree(const CDiagTree& tree);
