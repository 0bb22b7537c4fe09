// queries/query_record_sets.h: the two record sets of one query run, the candidates and the
// result, over the records of the query's type in file order.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

class CDataNode;
class CRecordNode;

/// Every record of the queried type stands in exactly one of the two sets: a run starts with
/// all of them in one set and its filter rows move records across. The records are kept in
/// file order with one flag each, so a move costs the same however large the sets are, a row
/// walks its source set in file order, and the result comes out in file order: two runs of one
/// query over one data set give the same list.
///
/// Sets made from a record-type root list its records only when first asked for them
/// (GetCount, GetResultCount, Invert, GetResult): a row that finds its records in file order
/// by itself may hand them over as the result while nothing is listed and the result is empty
/// (SetUnlistedResult), so that a run of that row alone never walks every record. An index
/// is valid only below GetCount, which lists.
class CQueryRecordSets final {
public:
    /// records in file order; startInResult puts them all in the result, else all are
    /// candidates.
    CQueryRecordSets(std::vector<CRecordNode*> records, bool startInResult);
    /// The records of root (a record-type root; null for none), listed when first asked for;
    /// a Cancel (cancelled) cuts the listing short.
    CQueryRecordSets(const CDataNode* root, bool startInResult, const std::atomic<bool>& cancelled);

    std::size_t GetCount() const
    {
        List();
        return m_records.size();
    }
    CRecordNode* GetRecord(std::size_t index) const { return m_records[index]; }
    bool IsInResult(std::size_t index) const { return m_inResult[index] != 0; }
    std::size_t GetResultCount() const;

    /// Puts the record at index into the result (toResult) or among the candidates.
    void Move(std::size_t index, bool toResult);
    /// Every record changes sets.
    void Invert();
    /// The records of the result, in file order.
    std::vector<CRecordNode*> GetResult() const;

    /// The record-type root the records come from; null for sets made from a list.
    const CDataNode* GetRoot() const { return m_root; }
    /// Whether the records are not listed yet and the result is empty.
    bool IsUnlistedAndEmpty() const { return !m_listed && !m_startInResult && m_unlisted.empty(); }
    /// Only while IsUnlistedAndEmpty: records, records of the root in file order, are the
    /// result; the others are candidates.
    void SetUnlistedResult(std::vector<CRecordNode*> records);

private:
    void List() const
    {
        if (!m_listed)
            ListRecords();
    }
    /// Walks the root's records into the sets, the records of m_unlisted into the result.
    void ListRecords() const;

    const CDataNode* m_root = nullptr;
    const std::atomic<bool>* m_cancelled = nullptr;
    bool m_startInResult = false;
    // Listing changes what the sets hold, never what they mean: the const accessors list.
    mutable bool m_listed = true;
    mutable std::vector<CRecordNode*> m_records;
    mutable std::vector<std::uint8_t> m_inResult;
    mutable std::size_t m_resultCount = 0;
    /// The result, in file order, while the records are not listed.
    mutable std::vector<CRecordNode*> m_unlisted;
};
