// diagrams/box_ptr_array.h: the layout engine's growable array of pointers to its layout nodes,
// which may own the objects it holds.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>

template <class T> class CBoxPtrArray {
public:
    explicit CBoxPtrArray(bool owning, int growBy = 16)
        : m_owning(owning), m_growBy(std::max(1, growBy))
    {
    }
    CBoxPtrArray(const CBoxPtrArray&) = delete;
    CBoxPtrArray& operator=(const CBoxPtrArray&) = delete;
    ~CBoxPtrArray() { RemoveAll(); }

    int GetSize() const { return m_count; }
    int GetCapacity() const { return m_capacity; }
    /// Null beyond the count.
    T* GetAt(int index) const { return index >= 0 && index < m_count ? m_data[index] : nullptr; }

    /// Stores the pointer at index (from 0), growing the storage first when index is at or
    /// beyond the capacity: to the larger of index + 1 and the grow-by step when there is no
    /// storage yet, else to exactly index + 1. An owned object already there is deleted. The
    /// count rises to index + 1 when smaller. Negative indexes are refused (false).
    bool SetAtGrow(int index, T* item)
    {
        if (index < 0)
            return false;
        if (index >= m_capacity)
            Grow(m_data ? index + 1 : std::max(index + 1, m_growBy));
        if (m_owning && m_data[index] != item)
            delete m_data[index];
        m_data[index] = item;
        m_count = std::max(m_count, index + 1);
        return true;
    }
    /// Grows the storage to size slots (0: the capacity plus the grow-by step); never shrinks.
    void Grow(int size)
    {
        if (size == 0)
            size = m_capacity + m_growBy;
        if (size <= m_capacity)
            return;
        auto data = std::make_unique<T*[]>(std::size_t(size)); // new slots are null
        std::copy(m_data.get(), m_data.get() + m_capacity, data.get());
        m_data = std::move(data);
        m_capacity = size;
    }
    /// Deletes every object when the array owns them, frees the storage and empties the array.
    void RemoveAll()
    {
        if (m_owning)
            for (int i = 0; i < m_count; ++i)
                delete m_data[i];
        m_data.reset();
        m_count = m_capacity = 0;
    }

private:
    std::unique_ptr<T*[]> m_data;
    int m_count = 0;
    int m_capacity = 0;
    bool m_owning;
    int m_growBy;
};
