// diagrams/diag_gen_index.cpp: the generation index and its growth in steps of 20 slots.
#include "diagrams/diag_gen_index.h"

#include "diagrams/diag_row.h"

#include <algorithm>

CDiagRow* CGenerationIndex::First(int rowNumber) const
{
    const int slot = rowNumber + m_origin;
    if (m_slots.empty() || slot < 0 || slot >= int(m_slots.size()))
        return nullptr;
    return m_slots[std::size_t(slot)];
}

int CGenerationIndex::SlotOf(int rowNumber)
{
    if (m_slots.empty()) {
        m_slots.assign(kGrowBy, nullptr);
        m_lastInChain.assign(kGrowBy, nullptr);
        m_origin = 10 - rowNumber;
        m_lowest = m_highest = 10;
        return 10;
    }
    int slot = rowNumber + m_origin;
    if (slot < 0) {
        const int add = (-slot + kGrowBy - 1) / kGrowBy * kGrowBy;
        m_slots.insert(m_slots.begin(), std::size_t(add), nullptr);
        m_lastInChain.insert(m_lastInChain.begin(), std::size_t(add), nullptr);
        m_origin += add;
        m_lowest += add;
        m_highest += add;
        slot += add;
    } else if (slot >= int(m_slots.size())) {
        const int missing = slot - int(m_slots.size()) + 1;
        const int add = (missing + kGrowBy - 1) / kGrowBy * kGrowBy;
        m_slots.resize(m_slots.size() + std::size_t(add), nullptr);
        m_lastInChain.resize(m_slots.size(), nullptr);
    }
    return slot;
}

void CGenerationIndex::Add(CDiagRow* row)
{
    row->m_nextOfGeneration = nullptr;
    const bool first = m_slots.empty();
    const int slot = SlotOf(row->m_rowNumber);
    const auto index = std::size_t(slot);
    if (!m_slots[index])
        m_slots[index] = row;
    else
        m_lastInChain[index]->m_nextOfGeneration = row;
    m_lastInChain[index] = row;
    if (!first) {
        m_lowest = std::min(m_lowest, slot);
        m_highest = std::max(m_highest, slot);
    }
}

void CGenerationIndex::Clear()
{
    m_slots.clear();
    m_lastInChain.clear();
    m_origin = m_lowest = m_highest = 0;
}
