// queries/query_result_set.h: the records a query's last run found, in their display order.
#pragma once

#include <cstddef>
#include <unordered_set>
#include <vector>

class CRecordNode;

/// The result of a run: its records in order (file order, or the order of the sorted columns)
/// with a lookup of membership, made on first use. The order and the lookup always hold the
/// same records, so a record dropped after a deletion is gone from both and no reader meets a
/// freed record.
class CQueryResultSet final {
public:
    void Clear();
    /// Replaces the records; ordered holds each record once.
    void Assign(std::vector<CRecordNode*> ordered);

    bool Contains(const CRecordNode* record) const;
    std::size_t GetCount() const { return m_ordered.size(); }
    bool IsEmpty() const { return m_ordered.empty(); }
    const std::vector<CRecordNode*>& GetRecords() const { return m_ordered; }

    /// Drops every record waiting for deletion; true when any went.
    bool RemoveDeleted();

private:
    std::vector<CRecordNode*> m_ordered;
    mutable std::unordered_set<const CRecordNode*> m_members;
    mutable bool m_membersMade = false;
};
