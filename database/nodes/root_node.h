// database/nodes/root_node.h: the node that holds all records of one record type.
#pragma once

#include "database/nodes/data_node.h"

#include <cstdint>

/// A record-type root: a plain node that also knows its last record and how many it holds, so
/// that appending one of a million records, or counting them, does not walk the other 999,999.
class CRootNode final : public CDataNode {
public:
    /// How many roots may live at once: nine a data set, and a few sets side by side.
    static constexpr std::uint32_t kMaxLive = 64;

    /// Takes a free slot; throws std::length_error when kMaxLive roots already live.
    CRootNode();
    ~CRootNode() override;

    /// Roots live as long as the data model and come from the heap, not the node pool: an
    /// emptied data set then holds no pool block, the pool gives its chunks back, and the next
    /// file loads into fresh memory in file order, which later walks read fastest.
    static void* operator new(std::size_t size) { return ::operator new(size); }
    static void operator delete(void* block, std::size_t size) noexcept
    {
        ::operator delete(block, size);
    }

    const CRuntimeClass* GetRuntimeClass() const override;
    /// Deletes every record that pick chooses in one walk of the records, as DeleteChild does
    /// for each: deleting half of a million records costs one walk, not one walk per record.
    void DeleteRecordsWhere(const std::function<bool(const CDataNode*)>& pick)
    {
        DeleteChildrenWhere(pick);
    }

    /// Whether every record is numbered above 0 and above the record before it, so that
    /// record number order is the records' order.
    bool RecordsAscend() const { return m_tally.ascending; }

    /// Forgets every record without freeing it: the node pool frees them, whole.
    void ForgetRecords() noexcept { ForgetChildren(); }
    /// The number of roots alive: nine while only the program's own data set lives.
    static std::uint32_t LiveCount() noexcept
    {
        std::uint32_t count = 0;
        for (const CRootNode* root : s_live)
            count += root != nullptr;
        return count;
    }

    /// The live root in that slot; null when the slot is free. A root has no pool index, so
    /// its records name it by its slot, in 32 bits as they name pool nodes.
    static CRootNode* AtSlot(std::uint32_t slot)
    {
        return slot < kMaxLive ? s_live[slot] : nullptr;
    }
    /// The slot of node when it is a live root; kMaxLive for any other node. The slot found
    /// last is tried first: a load links records of one type after another.
    static std::uint32_t SlotOf(const CDataNode* node)
    {
        if (node && s_live[s_lastFound] == node)
            return s_lastFound;
        std::uint32_t slot = 0;
        while (slot < kMaxLive && s_live[slot] != node)
            ++slot;
        if (slot < kMaxLive)
            s_lastFound = slot;
        return slot;
    }

protected:
    ChildTally* KeptTally() override { return &m_tally; }

private:
    // A plain array, so that it is there before the first root and after the last.
    static inline CRootNode* s_live[kMaxLive] = {};
    static inline std::uint32_t s_lastFound = 0;

    ChildTally m_tally;
    std::uint32_t m_slot = 0;
};
