// diagrams/diag_resync.h: the entry points the diagram window calls after an edit, an option
// change, a text change or an expansion: re-synchronising the trees with the records,
// re-laying out, re-packing, re-measuring, converting the marriage boxes to a new "Spouse
// Option", showing or hiding a tree, flags over a tree, and the areas to repaint.
#pragma once

#include "diagrams/diag_elem.h"
#include "platform/base/geometry.h"

#include <cstdint>
#include <functional>
#include <vector>

class CDiagLink;
class CDiagRowSet;
class CDiagTree;
class IBoxPainter;
struct CDiagRefreshList;

/// What the window must repaint after an operation: everything, or the areas listed.
struct CDiagRepaint {
    bool whole = false;
    std::vector<CRect> areas;
};

/// After database edits: clears the dirty flag, brings every tree in line with the records
/// (keeping expansions), lays out, and lists the boxes that moved (each also gets its repaint
/// mark). The dirty flag then says whether anything changed. False when the update was
/// abandoned; the window then clears the diagram.
bool DiagRebuildRows(CDiagRowSet& rowSet, CDiagRefreshList& refresh, CDiagRepaint& repaint,
                     IBoxPainter* measurer = nullptr);
/// Re-lays out every tree as a whole (rows released and refilled), each staying at its line x;
/// then the index and, with several trees, the compaction. With invalidate the whole window is
/// to be repainted. 0 on failure.
int DiagRelayoutAll(CDiagRowSet& rowSet, bool invalidate, CDiagRepaint& repaint);
/// Runs the caller's change; then rebuilds a stale index and compacts an All Relatives diagram
/// of several trees, listing what moved.
void DiagRebuildAll(CDiagRowSet& rowSet, const std::function<void()>& change,
                    CDiagRepaint& repaint);
/// The reaction to a change of "Spouse Option" from oldOption to newOption (the settings
/// already hold the new one): every person's marriage boxes are converted, each child going
/// back under the box of its own family, then the descendant side is laid out again. False
/// when abandoned (memory).
bool DiagRebuildAndInvalidate(CDiagRowSet& rowSet, IBoxPainter* measurer, int oldOption,
                              int newOption, CDiagRepaint& repaint);
/// With the window's marking of repeated ancestors on, marks the ancestor boxes of every person
/// shown more than once among the ancestors and builds their open branches again
/// (DiagMarkRepeatedAncestors), then rebuilds a stale index and compacts. Nothing for a
/// Descendants diagram, with marking off or without a tree. 0 when abandoned (memory or box
/// budget; the diagram is then laid out with what was built and repainted whole), else 1.
int DiagRebuildMarked(CDiagRowSet& rowSet, bool marking, CDiagRepaint& repaint);
/// Packs every tree again where it stands; an All Relatives diagram is compacted, a single
/// tree shifted so that its line x is 0.
void DiagRepack(CDiagRowSet& rowSet, CDiagRepaint& repaint);
/// Measures every box's text again (the box height follows the tallest) and packs again.
void DiagRemeasureTexts(CDiagRowSet& rowSet, IBoxPainter* measurer, CDiagRepaint& repaint);
/// Shows or hides a whole tree; a tree shown is laid out and packed again.
void DiagShowTree(CDiagTree& tree, bool shown);
/// Sets or clears flag bits on every box of a tree (with records, only on boxes of those
/// individuals).
void DiagSetTreeFlags(CDiagTree& tree, std::uint16_t bits, bool on,
                      const ElemRecordSet* records = nullptr);
/// The same over one link's person and everything below it.
void DiagSetLinkFlags(CDiagLink& link, std::uint16_t bits, bool on,
                      const ElemRecordSet* records = nullptr);
/// The areas of a tree's rows and lines, and of the secondary trees hanging from it whose root
/// box is shown.
std::vector<CRect> DiagTreeAreas(const CDiagTree& tree);
