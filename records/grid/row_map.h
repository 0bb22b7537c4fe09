// records/grid/row_map.h: the grid's map from a record to its top-level row, kept in one array
// (open addressing), so that a million rows are mapped without a million allocations.
#pragma once

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

class CDataNode;
struct CTreeBoxNode;

class CRowMap {
public:
    /// The row of key; null when it has none.
    CTreeBoxNode* Find(const CDataNode* key) const;
    /// Gives key its row, in place of one it had. A null key is not kept.
    void Set(const CDataNode* key, CTreeBoxNode* row);
    /// Set for each pair in turn, many at once: each pair's slot is asked for some pairs ahead,
    /// so that placing a million keys at random does not wait on memory for each.
    using Pair = std::pair<const CDataNode*, CTreeBoxNode*>;
    void SetMany(std::span<const Pair> pairs);
    /// Asks for the memory of key's slot, for a Set of it some keys later.
    void Prefetch(const CDataNode* key) const;
    /// Forgets key when its row is row.
    void Erase(const CDataNode* key, const CTreeBoxNode* row);
    void Clear();
    /// Room for count keys without growing.
    void Reserve(std::size_t count);
    std::size_t Size() const { return m_size; }

private:
    struct Slot {
        const CDataNode* key = nullptr;
        CTreeBoxNode* row = nullptr;
    };
    std::size_t Home(const CDataNode* key) const;
    void Rehash(std::size_t slots);

    /// A power of two of slots, never more than half of them used.
    std::vector<Slot> m_slots;
    std::size_t m_size = 0;
};
