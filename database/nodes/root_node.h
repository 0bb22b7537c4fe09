// database/nodes/root_node.h: the node that holds all records of one record type.
#pragma once

#include "database/nodes/data_node.h"

/// A record-type root: a plain node that also knows its last record and how many it holds, so
/// that appending one of a million records, or counting them, does not walk the other 999,999.
class CRootNode final : public CDataNode {
public:
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

protected:
    ChildTally* KeptTally() override { return &m_tally; }

private:
    ChildTally m_tally;
};
