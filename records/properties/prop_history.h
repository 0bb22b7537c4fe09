// records/properties/prop_history.h: the positions a record page reports for the history, and the
// ring of the last twenty records the record properties box showed.
#pragma once

#include "platform/base/types.h"

#include <array>
#include <cstdint>

class CFieldDef;
class CRecordNode;

/// Where a page stands, as it reports it for the history and is given it back: a kind and two
/// words, each wide enough to hold a pointer (a page may name a record or a node it shows).
struct CPageState {
    BYTE m_kind = 0;
    std::uintptr_t m_first = 0;
    std::uintptr_t m_second = 0;

    bool operator==(const CPageState&) const = default;
};

/// One record the box showed: its type, the record (null for a record not stored yet), where
/// its first page and its active page stood, and which page was active.
struct PropHistoryEntry {
    const CFieldDef* m_type = nullptr;
    CRecordNode* m_record = nullptr;
    CPageState m_firstState;
    short m_pageIndex = -1;
    CPageState m_pageState;
};

/// A ring of twenty entries with first, last and current slots (-1 while empty). A new entry
/// goes after current and drops everything after it; the twenty-first overwrites the oldest.
/// While the box shows the entry at current (reached by going back or forward), "on entry" is
/// set.
class CPropHistory {
public:
    static constexpr int kCapacity = 20;

    /// Empties the ring.
    void Reset();
    bool IsEmpty() const { return m_current < 0; }
    int Count() const;
    bool IsOnEntry() const { return m_onEntry; }
    void SetOnEntry(bool on) { m_onEntry = on; }

    /// The box leaves what shown describes. On an entry: the entries after it are dropped and
    /// nothing is added. Otherwise, when shown has a type: the entry at current is refreshed
    /// when it holds the same type and record, else shown becomes a new entry after current.
    /// True when an entry was added.
    bool Record(const PropHistoryEntry& shown);
    /// Going back is possible unless current is the first entry and the ring is empty or the
    /// box shows that entry; going forward unless current is the last.
    bool CanGoBack() const;
    bool CanGoForward() const { return m_current != m_last; }
    /// Moves current one entry back (-1) or forward (1) and sets on entry.
    void Step(int direction);
    /// The entry at current; only while the ring is not empty.
    PropHistoryEntry& Current() { return m_entries[std::size_t(m_current)]; }
    /// Takes the entry at current out (the later entries move down, last steps back) and leaves
    /// current where the next Step in direction reaches the entry beyond the one removed. An
    /// emptied ring is reset.
    void RemoveCurrent(int direction);
    /// The entries from first to last, oldest first.
    template <class F> void ForEach(F&& visit) const
    {
        if (IsEmpty())
            return;
        for (int i = m_first;; i = Next(i)) {
            visit(m_entries[std::size_t(i)], i == m_current);
            if (i == m_last)
                break;
        }
    }

private:
    static int Next(int slot) { return (slot + 1) % kCapacity; }
    static int Prev(int slot) { return (slot + kCapacity - 1) % kCapacity; }

    std::array<PropHistoryEntry, kCapacity> m_entries{};
    int m_first = -1;
    int m_last = -1;
    int m_current = -1;
    bool m_onEntry = false;
};
