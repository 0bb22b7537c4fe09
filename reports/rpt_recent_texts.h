// reports/rpt_recent_texts.h: the texts a pass made lately for records, kept in a fixed table so
// that a record reached again (a branch of a tree met along many lines) is not formatted again.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/// Values by record in a table of small sets: a record belongs to one set, which keeps the values
/// of the records of that set met last, the latest first; a record met again finds its value
/// unless more records of its set than the set holds came in between. The table starts small and
/// doubles, up to a fixed size, when it has made values for a quarter of its places. A pass
/// over a million different records costs a look-up per record and no memory beyond the table,
/// whose places keep their storage. The records of a set lie together, apart from the values, so
/// that a look-up reads one line of memory before it reads the value it finds. Value has clear().
template <class Value> class CRptRecent {
public:
    /// The value kept for record (null is a record like any other), made by make (a callable
    /// filling a cleared Value) when there is none. Valid until the next call.
    template <class Make> Value& Get(const void* record, Make&& make)
    {
        if (m_keys.empty())
            Grow();
        const auto key = std::uintptr_t(record);
        std::size_t set = Index(key, m_bits) * kWays;
        std::size_t way = 0;
        while (way < kWays && m_keys[set + way] != key)
            ++way;
        if (way == kWays) {
            // A table that has made values for a quarter of its places grows, so that a short
            // walk (one of many entries) sets up a small one and a long one a large one soon.
            if (m_made >= m_keys.size() / 4 && m_bits < kMostBits) {
                Grow();
                set = Index(key, m_bits) * kWays;
            }
            // The place of the record met longest ago takes this one.
            way = kWays - 1;
            m_keys[set + way] = kUnused;
            m_values[set + way].clear();
            make(m_values[set + way]);
            m_keys[set + way] = key;
            ++m_made;
        }
        // The record goes first in its set, the others keep their order.
        const auto first = std::ptrdiff_t(set), at = std::ptrdiff_t(set + way);
        std::rotate(m_keys.begin() + first, m_keys.begin() + at, m_keys.begin() + at + 1);
        std::rotate(m_values.begin() + first, m_values.begin() + at, m_values.begin() + at + 1);
        return m_values[set];
    }

private:
    static constexpr int kFirstBits = 6, kMostBits = 15;
    static constexpr std::size_t kWays = 4;
    /// No record has this address.
    static constexpr std::uintptr_t kUnused = ~std::uintptr_t(0);

    /// Starts the table, or doubles it keeping what it holds: each set splits in two, and its
    /// records keep their order in the set they go to.
    void Grow()
    {
        const int bits = m_keys.empty() ? kFirstBits : m_bits + 1;
        std::vector<std::uintptr_t> keys((std::size_t(1) << bits) * kWays, kUnused);
        std::vector<Value> values(keys.size());
        for (std::size_t place = 0; place < m_keys.size(); ++place) {
            if (m_keys[place] == kUnused)
                continue;
            std::size_t to = Index(m_keys[place], bits) * kWays;
            while (keys[to] != kUnused)
                ++to;
            keys[to] = m_keys[place];
            values[to] = std::move(m_values[place]);
        }
        m_keys.swap(keys);
        m_values.swap(values);
        m_bits = bits;
        m_made = 0;
    }

    static std::size_t Index(std::uintptr_t key, int bits)
    {
        // Records are allocated apart: the low bits say little, a multiply mixes the rest in.
        return std::size_t((std::uint64_t(key) * 0x9E3779B97F4A7C15ULL) >> (64 - bits));
    }

    int m_bits = 0;
    std::size_t m_made = 0; // texts made since the table took its size
    std::vector<std::uintptr_t> m_keys;
    std::vector<Value> m_values;
};

using CRptRecentTexts = CRptRecent<std::string>;
