// queries/query_result_set.cpp: the records a query's last run found, in their display order.
#include "queries/query_result_set.h"

#include "database/records/record_node.h"

#include <algorithm>

void CQueryResultSet::Clear()
{
    m_ordered.clear();
    m_members.clear();
    m_membersMade = false;
}

void CQueryResultSet::Assign(std::vector<CRecordNode*> ordered)
{
    m_ordered = std::move(ordered);
    m_members.clear();
    m_membersMade = false;
}

bool CQueryResultSet::Contains(const CRecordNode* record) const
{
    if (!m_membersMade) {
        m_members.reserve(m_ordered.size());
        m_members.insert(m_ordered.begin(), m_ordered.end());
        m_membersMade = true;
    }
    return m_members.contains(record);
}

bool CQueryResultSet::RemoveDeleted()
{
    const auto gone =
        std::remove_if(m_ordered.begin(), m_ordered.end(), [this](CRecordNode* record) {
            if (!record->IsPendingDeletion())
                return false;
            m_members.erase(record);
            return true;
        });
    const bool removed = gone != m_ordered.end();
    m_ordered.erase(gone, m_ordered.end());
    return removed;
}
