// queries/query_record_sets.h: the two record sets of one query run, the candidates and the
// result, over the records of the query's type in file order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CRecordNode;

/// Every record of the queried type stands in exactly one of the two sets: a run starts with
/// all of them in one set and its filter rows move records across. The records are kept in
/// file order with one flag each, so a move costs the same however large the sets are, a row
/// walks its source set in file order, and the result comes out in file order: two runs of one
/// query over one data set give the same list.
class CQueryRecordSets final {
public:
    /// records in file order; startInResult puts them all in the result, else all are
    /// candidates.
    CQueryRecordSets(std::vector<CRecordNode*> records, bool startInResult);

    std::size_t GetCount() const { return m_records.size(); }
    CRecordNode* GetRecord(std::size_t index) const { return m_records[index]; }
    bool IsInResult(std::size_t index) const { return m_inResult[index] != 0; }
    std::size_t GetResultCount() const { return m_resultCount; }

    /// Puts the record at index into the result (toResult) or among the candidates.
    void Move(std::size_t index, bool toResult);
    /// Every record changes sets.
    void Invert();
    /// The records of the result, in file order.
    std::vector<CRecordNode*> GetResult() const;

private:
    std::vector<CRecordNode*> m_records;
    std::vector<std::uint8_t> m_inResult;
    std::size_t m_resultCount = 0;
};
