// diagrams/diag_update.h: bringing a diagram's trees in line with the records after an edit,
// keeping the user's expansions: parents looked up again, each person's marriage boxes matched
// with his or her spouse families, spouse boxes and children matched with each family, relatives
// trees kept or dropped; then the rows refilled, packed and compacted again.
#pragma once

#include <vector>

class CDiagElem;
class CDiagRowSet;
class IBoxPainter;

/// The boxes whose text must be brought up to date: six entries, further boxes only counted.
struct CDiagRefreshList {
    static constexpr int kEntries = 6;
    std::vector<CDiagElem*> boxes;
    int count = 0;
    void Add(CDiagElem* box);
};

/// Brings every tree of the row set up to date after an edit whose records still carry their
/// changed and pending-deletion marks, then lays out, rebuilds the index and compacts. Boxes of
/// records that changed are listed in refresh. Sets the row set's dirty flag when any box was
/// made, removed or moved; false when the update was abandoned (memory or box budget).
bool DiagUpdateTrees(CDiagRowSet& rowSet, CDiagRefreshList& refresh,
                     IBoxPainter* measurer = nullptr);

/// Marks (flag kElemMarked) every ancestor box whose individual has another ancestor box in the
/// same tree or the trees hanging from it, over every tree of the row set. The open branch of
/// each such box is built again from the records (its parents' boxes or relatives tree, to the
/// generations the tree keeps), then the rows are laid out again and the dirty flag set. Gives
/// the number of boxes marked; a build past the box budget or memory is abandoned
/// (COperationAborted, std::bad_alloc) after the rows are laid out with what was built.
int DiagMarkRepeatedAncestors(CDiagRowSet& rowSet);
