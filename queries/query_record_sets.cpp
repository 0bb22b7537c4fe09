// queries/query_record_sets.cpp: the two record sets of one query run, the candidates and the
// result, over the records of the query's type in file order.
#include "queries/query_record_sets.h"

#include "database/nodes/data_node.h"
#include "database/nodes/node_prefetch.h"
#include "database/records/record_node.h"

CQueryRecordSets::CQueryRecordSets(std::vector<CRecordNode*> records, bool startInResult)
    : m_startInResult(startInResult), m_records(std::move(records)),
      m_inResult(m_records.size(), startInResult ? 1 : 0),
      m_resultCount(startInResult ? m_records.size() : 0)
{
}

CQueryRecordSets::CQueryRecordSets(const CDataNode* root, bool startInResult,
                                   const std::atomic<bool>& cancelled)
    : m_root(root), m_cancelled(&cancelled), m_startInResult(startInResult), m_listed(false)
{
}

void CQueryRecordSets::ListRecords() const
{
    m_listed = true;
    // A record-type root keeps its count: a million records are then placed without a move.
    if (m_root)
        m_records.reserve(m_root->CountChildren());
    // Walking a large file's records takes long enough that a Cancel must be seen on the way.
    std::size_t untilCheck = 4096;
    // The records of a loaded file lie at rising addresses: asking for the memory ahead spares
    // the walk a wait on memory at every record.
    CNodeStreamPrefetch prefetch;
    for (CDataNode* node = m_root ? m_root->GetFirstChild() : nullptr; node;
         node = node->GetNextSibling()) {
        prefetch.At(node);
        m_records.push_back(static_cast<CRecordNode*>(node));
        if (--untilCheck == 0) {
            if (m_cancelled->load(std::memory_order_relaxed))
                break;
            untilCheck = 4096;
        }
    }
    m_inResult.assign(m_records.size(), m_startInResult ? 1 : 0);
    m_resultCount = m_startInResult ? m_records.size() : 0;
    // The result found before the listing is in file order: one pass marks it.
    std::size_t next = 0;
    for (std::size_t i = 0; i < m_records.size() && next < m_unlisted.size(); ++i) {
        if (m_records[i] == m_unlisted[next]) {
            m_inResult[i] = 1;
            ++m_resultCount;
            ++next;
        }
    }
    m_unlisted = {};
}

std::size_t CQueryRecordSets::GetResultCount() const
{
    if (!m_listed && !m_startInResult)
        return m_unlisted.size();
    List();
    return m_resultCount;
}

void CQueryRecordSets::Move(std::size_t index, bool toResult)
{
    if (IsInResult(index) == toResult)
        return;
    m_inResult[index] = toResult ? 1 : 0;
    if (toResult)
        ++m_resultCount;
    else
        --m_resultCount;
}

void CQueryRecordSets::Invert()
{
    List();
    for (std::uint8_t& flag : m_inResult)
        flag = flag ? 0 : 1;
    m_resultCount = m_records.size() - m_resultCount;
}

std::vector<CRecordNode*> CQueryRecordSets::GetResult() const
{
    if (!m_listed && !m_startInResult)
        return m_unlisted;
    List();
    std::vector<CRecordNode*> result;
    result.reserve(m_resultCount);
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (m_inResult[i])
            result.push_back(m_records[i]);
    }
    return result;
}

void CQueryRecordSets::SetUnlistedResult(std::vector<CRecordNode*> records)
{
    if (IsUnlistedAndEmpty())
        m_unlisted = std::move(records);
}
