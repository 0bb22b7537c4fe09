// database/kin/detail/pointer_map.h: a flat hash map from record pointers to small values, for
// visited sets of a million records.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace kinship_detail {

/// Keys are non-null pointers, stored in one array with linear probing and at most half the
/// slots used: a lookup touches one or two cache lines and never allocates a node, and the map
/// is freed as one block. No key is ever removed, except all at once.
template <class Value> class CPointerMap {
public:
    /// The value of key; null when the map does not hold it.
    Value* Find(const void* key)
    {
        // Null marks an empty slot: it is never a key.
        if (m_slots.empty() || !key)
            return nullptr;
        for (std::size_t i = Home(key);; i = (i + 1) & Mask()) {
            if (m_slots[i].m_key == key)
                return &m_slots[i].m_value;
            if (!m_slots[i].m_key)
                return nullptr;
        }
    }
    const Value* Find(const void* key) const { return const_cast<CPointerMap*>(this)->Find(key); }
    bool Contains(const void* key) const { return Find(key) != nullptr; }
    /// Asks for the memory a lookup of key starts at, ahead of the lookup.
    void Prefetch(const void* key) const
    {
        if (!m_slots.empty())
            __builtin_prefetch(&m_slots[Home(key)]);
    }

    /// Adds key with value unless it is there; the value held, and whether it was added.
    std::pair<Value*, bool> TryEmplace(const void* key, Value value)
    {
        if (2 * (m_size + 1) > m_slots.size())
            Grow();
        std::size_t i = Home(key);
        for (; m_slots[i].m_key; i = (i + 1) & Mask()) {
            if (m_slots[i].m_key == key)
                return {&m_slots[i].m_value, false};
        }
        m_slots[i] = {key, value};
        ++m_size;
        return {&m_slots[i].m_value, true};
    }

    std::size_t Size() const { return m_size; }
    /// Makes room for count keys in all, so that adding them moves none.
    void Reserve(std::size_t count)
    {
        while (2 * count > m_slots.size())
            Grow();
    }
    /// Empties the map and gives its memory back.
    void Clear()
    {
        m_slots = {};
        m_size = 0;
    }

private:
    struct CSlot {
        const void* m_key = nullptr;
        Value m_value{};
    };

    std::size_t Mask() const { return m_slots.size() - 1; }
    /// Fibonacci hashing of the pointer without its always-zero low bits.
    std::size_t Home(const void* key) const
    {
        const std::uint64_t bits = std::uint64_t(reinterpret_cast<std::uintptr_t>(key) >> 3);
        return std::size_t((bits * 0x9E3779B97F4A7C15ull) >> m_shift);
    }
    void Grow()
    {
        std::vector<CSlot> old = std::move(m_slots);
        const std::size_t capacity = old.empty() ? 16 : 2 * old.size();
        m_slots.assign(capacity, CSlot{});
        m_shift = 64 - std::countr_zero(capacity);
        for (const CSlot& slot : old) {
            if (!slot.m_key)
                continue;
            std::size_t i = Home(slot.m_key);
            while (m_slots[i].m_key)
                i = (i + 1) & Mask();
            m_slots[i] = slot;
        }
    }

    std::vector<CSlot> m_slots;
    std::size_t m_size = 0;
    int m_shift = 64;
};

} // namespace kinship_detail
