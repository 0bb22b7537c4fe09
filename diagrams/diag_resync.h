// diagrams/diag_resync.h: the entry points the diagram window calls after an edit, an option
// change, a text change or an expansion: re-synchronising the trees with the records,
// re-laying out, re-packing, re-measuring, converting the marriage boxes to a new "Spouse
// Option", showing or hiding a tree, flags over a tree, and the areas to repaint.
//
// Traps: converting to "Spouse Option" 0 (diag_resync_spouse.cpp) gathers every marriage's child
// links under the first box; converting back gives each child link to the box of its own family
// (the first of the person's families that lists the child), so a conversion and its reverse give a
// fresh build's boxes. The index is rebuilt after every conversion: rows are refilled and trimmed.
//
// Marking repeated ancestors builds the open branch of every repeated box again from the records
// (parents' boxes, or relatives tree in an All Relatives diagram), but only the lowest such box of
// a line: the boxes above it are rebuilt with it. The rows are then laid out again. A build past
// the box budget is abandoned after the rows are refilled with what was built.
//
// The compaction's repaint areas of a moved tree are its rows with their side buttons and the lines
// down to the next row that shows boxes (the rows of a band between them are crossed by the lines
// to the parents), old and new, and the strip of the root row between the old and new family line
// x. Widening them by the hit tolerance is left to the window, which knows it. A relatives tree
// whose root box is hidden while boxes of it still show (an update can leave that) is hidden whole,
// with the trees hanging from it, when the trees are placed; its boxes' places and row areas are
// repainted.
//
// Single-box mode: a later marriage (its hidden box) centred over its children moves from its own
// spouse box on, not from the person box, which stays centred over the first marriage's children.
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
