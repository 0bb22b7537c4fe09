// diagrams/diag_tree.h: the layout containers: the per-tree row table (CGenerationTable), the
// diagram tree of one root person or couple (CDiagTree) and the row set that holds a diagram's
// trees with the cross-tree generation index (CDiagRowSet).
//
// CDiagRowSet holds the box budget m_boxBudget (2,000,000): a build that makes more boxes fails
// like an out-of-memory one. A tree's destructor deletes the trees hanging from it deepest first.
//
// Traps: the box height is the tallest measured text (lines and margins), at least "Default box
// height". Every person on the descendant side has a box: one without family when he or she has no
// spouse family. With "Use duplicates with spouses" on, the spouse box of a family box without the
// repeat flag shows no record.
#pragma once

#include "diagrams/diag_ancestor_elem.h"
#include "diagrams/diag_band.h"
#include "diagrams/diag_family_elem.h"
#include "diagrams/diag_gen_index.h"
#include "diagrams/diag_row.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CDiagRowSet;
class CDiagTree;
class CFamRec;
class CIndRec;
class IDiagramOwner;

/// Sides of a tree for saving and comparing box positions.
enum DiagSide : int { kAncestorSide = 0, kDescendantSide = 1, kBothSides = 2 };

class CGenerationTable {
public:
    explicit CGenerationTable(IDiagramOwner& owner);
    CGenerationTable(const CGenerationTable&) = delete;
    CGenerationTable& operator=(const CGenerationTable&) = delete;
    virtual ~CGenerationTable();

    IDiagramOwner& Owner() const { return m_owner; }
    CDiagTree* Self() const { return m_self; }

    int AncestorRowCount() const { return int(m_ancestorRows.size()); }
    int DescendantRowCount() const { return int(m_descendantRows.size()); }
    /// The row of a generation (below 1 the descendant side at -generation, else the ancestor
    /// side at generation - 1); null outside the table.
    CDiagRow* GetRow(int generation) const;
    /// highest = ancestor rows, lowest = 1 - descendant rows; with visibleOnly both move towards
    /// the root past rows without a visible box (highest stays above 0, lowest below 1).
    void GetGenerationRange(int& highest, int& lowest, bool visibleOnly) const;
    bool RowHasVisibleBox(int generation) const;
    /// The first (last) box of a row, or only among its visible boxes; null when none.
    CDiagElem* FirstBox(int generation, bool visibleOnly) const;
    CDiagElem* LastBox(int generation, bool visibleOnly) const;

    /// The row of a generation with the boxes given: an existing row only takes the boxes, a new
    /// one is appended, cleared, with the first box's row number. The generation must be the
    /// next one of its side, else the operation is abandoned (ThrowAbort).
    CDiagRow* AppendRow(int generation, std::vector<CDiagElem*> boxes);
    /// Frees the rows of a generation and every generation further from the root on its side;
    /// with allRows, every row of both sides.
    void ReleaseRows(int generation, bool allRows);
    /// As ReleaseRows, but empties the rows instead of freeing them.
    void ResetRows(int generation, bool allRows);
    /// Removes rows without boxes from the far end of each side.
    void TrimEmptyRows();
    /// Keeps each box's rectangle of a side (kAncestorSide, kDescendantSide, kBothSides) so that
    /// a later layout can be compared with it.
    void SaveBoxPositions(int side);
    /// The rectangles to repaint after a layout: old and new rectangles of the boxes of a side
    /// that moved since SaveBoxPositions, and the rectangles of boxes that were not saved.
    std::vector<CRect> ChangedBoxes(int side) const;
    /// True once SaveBoxPositions found boxes to save.
    bool HasSavedPositions() const { return !m_savedRects.empty(); }

    /// Fills the rows again from a generation outward (both sides from 0 and 1 when whole) and
    /// packs them; release frees the old rows, else they are emptied. 0 when abandoned.
    int Relayout(int generation, bool whole, bool release);
    /// Places the descendant side (generation 0 and below).
    void PackRows();
    /// Places the ancestor side (generation 1 and up).
    void PackAncestorRows();

protected:
    IDiagramOwner& m_owner;
    CDiagTree* m_self = nullptr;
    std::vector<std::unique_ptr<CDiagRow>> m_ancestorRows;   // [i]: generation i + 1
    std::vector<std::unique_ptr<CDiagRow>> m_descendantRows; // [i]: generation -i
    std::unordered_map<const CDiagElem*, CRect> m_savedRects;
};

/// A tree's extent at one row or band, for the compaction of All Relatives diagrams.
struct CContourEntry {
    int left = 0;
    CDiagElem* leftmost = nullptr;
    int right = 0;
    CDiagElem* rightmost = nullptr;
    int valid = 0;
};

class CDiagTree : public CGenerationTable, public IDiagSubTree {
public:
    /// attachedTo: the ancestor box a secondary tree hangs from; null for a main tree.
    CDiagTree(IDiagramOwner& owner, CDiagRowSet& rowSet, CDiagAncestorElem* attachedTo);
    /// Deletes the tree's boxes (without deep recursion) and leaves the row set's tree array.
    ~CDiagTree() override;

    CDiagRowSet& RowSet() const { return m_rowSet; }
    bool IsSecondary() const { return m_attachedTo != nullptr; }
    /// Whether the tree has generation-0 links or generation-1 boxes.
    bool HasElements() const { return !m_rootLinks.empty() || m_father || m_mother; }

    // IDiagSubTree: visibility, flags and the record index over all the tree's boxes.
    void SetVisible(bool visible) override;
    void SetFlags(std::uint16_t bits, bool on, const ElemRecordSet* records) override;
    void IndexElements() override;
    /// A box of the tree (or of trees hanging from it) showing the individual, other than
    /// except; null when none.
    CDiagElem* FindIndividual(const CIndRec* individual, const CDiagElem* except) const;
    /// Every box of the tree, its own only (not those of trees hanging from it).
    std::vector<CDiagElem*> AllBoxes() const;

    CDiagAncestorElem* m_attachedTo;
    CIndRec* m_rootIndividual = nullptr;
    CFamRec* m_rootFamily = nullptr;
    /// The box of the root person (flag kElemRoot).
    CDiagElem* m_rootElement = nullptr;
    /// Generation 0: one link per person of the root's row.
    std::vector<std::unique_ptr<CDiagLink>> m_rootLinks;
    std::unique_ptr<CDiagAncestorElem> m_father;
    std::unique_ptr<CDiagAncestorElem> m_mother;
    /// The band of the tree's root and its generation offset; -1 until built.
    int m_band = -1;
    int m_generationOffset = -1;
    /// How many trees this one hangs below (0 for the main tree).
    int m_nesting = 0;
    /// The generations the build gave the root's parents (generation g keeps this less g) and
    /// the depth it gave the root row's people (generation g keeps this plus g).
    int m_parentGenerations = 0;
    int m_rootLinkDepth = 0;

    // Fields of the compaction pass.
    std::vector<CContourEntry> m_contour;
    CRect m_boundingRect;
    int m_xOffset = 0;
    int m_lineX = 0;
    int m_hasLine = 0;
    int m_familyLineX = 0;
    int m_ancestorLink = 0;

private:
    CDiagRowSet& m_rowSet;
};

/// Why a build of a row set failed.
enum class DiagBuildFailure {
    None,
    OutOfMemory,  // memory ran out
    TooManyBoxes, // the diagram would hold more boxes than the row set's budget
    Fault,        // anything else went wrong while the trees were made or laid out
};

/// The trees of a diagram and their generation index; owned by the diagram document.
class CDiagRowSet {
public:
    explicit CDiagRowSet(IDiagramOwner& owner);
    CDiagRowSet(const CDiagRowSet&) = delete;
    CDiagRowSet& operator=(const CDiagRowSet&) = delete;
    ~CDiagRowSet();

    IDiagramOwner& Owner() const { return m_owner; }
    /// Empties the tree array and the index.
    void DiagRowsInit();
    /// Deletes the main tree and every tree, empties the index and clears the stale flag.
    void DiagFreeRows();

    CDiagTree* MainTree() const { return m_mainTree.get(); }
    /// Takes a new main tree (the one held before is deleted).
    CDiagTree* SetMainTree(std::unique_ptr<CDiagTree> tree);
    /// Clears the main tree; it is deleted when it never joined the tree array.
    void DropMainTree();
    const std::vector<CDiagTree*>& Trees() const { return m_trees; }
    /// Puts a tree in the array just before reference (after it with after); at the end
    /// without reference. A reference not in the array abandons the operation (ThrowAbort).
    void InsertTree(CDiagTree* tree, CDiagTree* reference, bool after);
    /// Takes a tree out of the array (later trees move down).
    void RemoveTree(const CDiagTree* tree);
    int IndexOfTree(const CDiagTree* tree) const;

    const CGenerationIndex& Index() const { return m_index; }
    /// Rebuilds the generation index over every tree's rows and clears the stale flag.
    void RebuildIndex();

    /// The build's generation counts (as the builders adjust them by type), bands and root.
    int m_ancestorGenerations = 0;
    int m_descendantGenerations = 0;
    CGenerationBands m_bands;
    bool m_rootedAtCouple = false;
    /// The box height of the diagram: the tallest measured box, at least the default height.
    int m_boxHeight = 0;
    /// The most boxes a build may make, and how many the current build made.
    long long m_boxBudget = 2'000'000;
    long long m_boxCount = 0;
    /// Why the last build failed (None after a successful one), and what a fault said.
    DiagBuildFailure m_buildFailure = DiagBuildFailure::None;
    std::string m_buildFault;
    bool m_dirty = false;
    bool m_indexStale = false;
    bool m_laidOut = false;

private:
    /// While DiagFreeRows runs: trees leave the array all at once.
    bool m_freeing = false;
    IDiagramOwner& m_owner;
    std::unique_ptr<CDiagTree> m_mainTree;
    std::vector<CDiagTree*> m_trees;
    CGenerationIndex m_index;
};
