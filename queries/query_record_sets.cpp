// queries/query_record_sets.cpp: the two record sets of one query run, the candidates and the
// result, over the records of the query's type in file order.
#include "queries/query_record_sets.h"

CQueryRecordSets::CQueryRecordSets(std::vector<CRecordNode*> records, bool startInResult)
    : m_records(std::move(records)), m_inResult(m_records.size(), startInResult ? 1 : 0),
      m_resultCount(startInResult ? m_records.size() : 0)
{
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
    for (std::uint8_t& flag : m_inResult)
        flag = flag ? 0 : 1;
    m_resultCount = m_records.size() - m_resultCount;
}

std::vector<CRecordNode*> CQueryRecordSets::GetResult() const
{
    std::vector<CRecordNode*> result;
    result.reserve(m_resultCount);
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (m_inResult[i])
            result.push_back(m_records[i]);
    }
    return result;
}
