// database/root_node.h: the node that holds all records of one record type.
#pragma once

#include "database/data_node.h"

/// A record-type root: a plain node that also knows its last record, so that appending one of
/// a million records does not walk the other 999,999.
class CRootNode final : public CDataNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;
    /// Deletes every record that pick chooses in one walk of the records, as DeleteChild does
    /// for each: deleting half of a million records costs one walk, not one walk per record.
    void DeleteRecordsWhere(const std::function<bool(const CDataNode*)>& pick)
    {
        DeleteChildrenWhere(pick);
    }

protected:
    CDataNode** LastChildSlot() override { return &m_lastChild; }

private:
    CDataNode* m_lastChild = nullptr;
};
