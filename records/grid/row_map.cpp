// records/grid/row_map.cpp: the record-to-row map: linear probing, with deletion that moves
// later keys of a run back so that no search stops early.
#include "records/grid/row_map.h"

#include <algorithm>
#include <bit>
#include <cstdint>

std::size_t CRowMap::Home(const CDataNode* key) const
{
    // Multiplicative hashing: the high bits of the product mix every bit of the address.
    const std::uint64_t hash =
        std::uint64_t(reinterpret_cast<std::uintptr_t>(key)) * 0x9E3779B97F4A7C15ull;
    return std::size_t(hash >> (64 - std::countr_zero(m_slots.size())));
}

CTreeBoxNode* CRowMap::Find(const CDataNode* key) const
{
    if (!key || m_slots.empty())
        return nullptr;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = Home(key);; i = (i + 1) & mask) {
        if (m_slots[i].key == key)
            return m_slots[i].row;
        if (!m_slots[i].key)
            return nullptr;
    }
}

void CRowMap::Set(const CDataNode* key, CTreeBoxNode* row)
{
    if (!key)
        return;
    if ((m_size + 1) * 2 > m_slots.size())
        Rehash(std::max<std::size_t>(16, m_slots.size() * 2));
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = Home(key);
    while (m_slots[i].key && m_slots[i].key != key)
        i = (i + 1) & mask;
    if (!m_slots[i].key)
        ++m_size;
    m_slots[i] = {key, row};
}

void CRowMap::SetMany(std::span<const Pair> pairs)
{
    Reserve(m_size + pairs.size());
    if (m_slots.empty())
        return;
    // The pairs come in an order unrelated to their homes: the home of a pair some pairs ahead
    // is asked for while this one is set, so that setting it does not wait on memory.
    constexpr std::size_t kAhead = 16;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (i + kAhead < pairs.size())
            Prefetch(pairs[i + kAhead].first);
        Set(pairs[i].first, pairs[i].second);
    }
}

void CRowMap::Prefetch(const CDataNode* key) const
{
    if (key && !m_slots.empty())
        __builtin_prefetch(&m_slots[Home(key)], 1);
}

void CRowMap::Erase(const CDataNode* key, const CTreeBoxNode* row)
{
    if (!key || m_slots.empty())
        return;
    const std::size_t mask = m_slots.size() - 1;
    std::size_t hole = Home(key);
    while (m_slots[hole].key != key) {
        if (!m_slots[hole].key)
            return;
        hole = (hole + 1) & mask;
    }
    if (m_slots[hole].row != row)
        return;
    // Each later key of the run whose home does not lie between the hole and itself moves
    // into the hole, which then moves on to where it stood.
    for (std::size_t next = (hole + 1) & mask; m_slots[next].key; next = (next + 1) & mask) {
        const std::size_t home = Home(m_slots[next].key);
        const bool between =
            hole <= next ? hole < home && home <= next : hole < home || home <= next;
        if (between)
            continue;
        m_slots[hole] = m_slots[next];
        hole = next;
    }
    m_slots[hole] = Slot();
    --m_size;
}

void CRowMap::Clear()
{
    m_slots.clear();
    m_slots.shrink_to_fit();
    m_size = 0;
}

void CRowMap::Reserve(std::size_t count)
{
    if (count * 2 > m_slots.size())
        Rehash(std::bit_ceil(std::max<std::size_t>(16, count * 2)));
}

void CRowMap::Rehash(std::size_t slots)
{
    std::vector<Slot> old(slots);
    old.swap(m_slots);
    m_size = 0;
    for (const Slot& slot : old)
        if (slot.key)
            Set(slot.key, slot.row);
}
