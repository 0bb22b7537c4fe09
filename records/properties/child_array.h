// records/properties/child_array.h: the children of the family shown on the individual's Main
// page, in display order, with the gaps that moving a child past the end leaves.
#pragma once

#include <cstddef>
#include <vector>

class CFamRec;
class CIndRec;

/// The rows of children: an entry is a child or null (a gap, an empty row between children).
/// Gaps are never stored in the family; they live until the next full rebuild.
class CChildArray {
public:
    /// The number of rows shown at a time.
    static constexpr int kRows = 4;

    /// The family's children in CHIL link order (empty without a family).
    void Rebuild(const CFamRec* family);
    /// Each child entry in turn takes the family's next child in link order (gaps stay), the
    /// remaining children are appended and trailing gaps removed; empty without a family.
    void RebuildKeepingGaps(const CFamRec* family);
    /// The array holding one individual alone.
    void SetSingle(CIndRec* individual);
    void Clear() { m_entries.clear(); }

    int GetSize() const { return int(m_entries.size()); }
    /// The entry at index; null for a gap and beyond the end.
    CIndRec* At(int index) const;
    /// Stores child at index exactly, growing the array with gaps when needed.
    void SetAt(int index, CIndRec* child);
    /// The number of children (non-null entries).
    int CountChildren() const;
    /// The number of children before index.
    int CountChildrenBefore(int index) const;
    /// The index of the last child; -1 without children.
    int GetLastChildIndex() const;
    /// The first child after index (before which a child made in row index goes); null when
    /// none.
    CIndRec* GetNextChildAfter(int index) const;
    /// The nearest child before index; null when none.
    CIndRec* GetChildBefore(int index) const;

    /// The scroll range's top: 0 while the children and the rows from firstChild fit in the four
    /// rows, else the larger of (last child index + 1) and (firstChild + 3), so that one empty
    /// row can be scrolled into view past a full list.
    int GetScrollMax(int firstChild) const;

    /// Whether the entry at index can move up (index above 0 and some child exists) or down
    /// (index not beyond the last child).
    bool CanMoveUp(int index) const;
    bool CanMoveDown(int index) const;
    /// Exchanges the entry at index with the one above (below); at the array's end the entry
    /// moves on and leaves a gap. When two children were exchanged, earlier and later name them
    /// in their new order; otherwise both are null. False when the move is not possible.
    bool MoveUp(int index, CIndRec*& earlier, CIndRec*& later);
    bool MoveDown(int index, CIndRec*& earlier, CIndRec*& later);

private:
    bool Exchange(int first, CIndRec*& earlier, CIndRec*& later);
    std::vector<CIndRec*> m_entries;
};
