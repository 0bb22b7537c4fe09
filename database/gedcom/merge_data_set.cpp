// database/gedcom/merge_data_set.cpp: the second data set of a merge or compare.
#include "database/gedcom/merge_data_set.h"

#include "database/nodes/change_tracking.h"
#include "database/nodes/root_node.h"

CMergeDataSet::CMergeDataSet()
{
    for (int code = 0; code < RECORD_TYPE_COUNT; ++code) {
        m_roots[std::size_t(code)] = std::make_unique<CRootNode>();
        m_roots[std::size_t(code)]->SetFieldDef(GetRecordTypeTable().RowByCode(code)->m_topDef);
    }
}

CMergeDataSet::~CMergeDataSet()
{
    FreeRecords();
}

CDataNode* CMergeDataSet::Root(int code) const
{
    return code >= 0 && code < RECORD_TYPE_COUNT ? m_roots[std::size_t(code)].get() : nullptr;
}

std::array<CDataNode*, RECORD_TYPE_COUNT> CMergeDataSet::Roots() const
{
    std::array<CDataNode*, RECORD_TYPE_COUNT> roots{};
    for (int code = 0; code < RECORD_TYPE_COUNT; ++code)
        roots[std::size_t(code)] = m_roots[std::size_t(code)].get();
    return roots;
}

std::size_t CMergeDataSet::CountRecords() const
{
    std::size_t count = 0;
    for (const auto& root : m_roots) {
        for (const CDataNode* record = root->GetFirstChild(); record;
             record = record->GetNextSibling())
            ++count;
    }
    return count;
}

void CMergeDataSet::FreeRecords()
{
    const bool tracking = IsChangeTrackingOn();
    SetChangeTracking(false);
    for (auto& root : m_roots) {
        if (root)
            root->DeleteChildren();
    }
    SetChangeTracking(tracking);
}
