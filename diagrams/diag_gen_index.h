// diagrams/diag_gen_index.h: the cross-tree generation index of a row set: for each row number,
// the first tree's row with it; the rows of later trees hang off it in tree order.
#pragma once

#include <vector>

class CDiagRow;

class CGenerationIndex {
public:
    /// Allocated slots grow by this step.
    static constexpr int kGrowBy = 20;

    bool IsEmpty() const { return m_slots.empty(); }
    int AllocatedSize() const { return int(m_slots.size()); }
    /// Row number plus origin is the slot.
    int Origin() const { return m_origin; }
    /// The lowest and highest row number used; only when not empty.
    int LowestRow() const { return m_lowest - m_origin; }
    int HighestRow() const { return m_highest - m_origin; }
    /// The first row of a row number; null when none.
    CDiagRow* First(int rowNumber) const;
    /// Appends a row at the end of its row number's chain (the row's own chain is cleared).
    void Add(CDiagRow* row);
    /// Forgets every slot.
    void Clear();

private:
    /// The slot of a row number, growing the slots as needed.
    int SlotOf(int rowNumber);

    std::vector<CDiagRow*> m_slots;
    std::vector<CDiagRow*> m_lastInChain;
    int m_origin = 0;
    int m_lowest = 0;
    int m_highest = 0;
};
