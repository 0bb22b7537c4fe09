// database/document/merge_record_map.h: which record of one data set a merge matched with which
// record of the other, as the field comparisons of a merge read it.
#pragma once

#include "database/dictionary/record_type_table.h"

#include <unordered_map>

class CRecordNode;

/// One table per record type, in table order (HEAD, FAM, INDI, ...), from a record of the
/// first data set to the record of the second that the merge matched it with. The merge fills
/// it and passes it as the options of IsEqual and MatchScore.
struct CMergeRecordMap {
    std::unordered_map<const CRecordNode*, const CRecordNode*> m_tables[RECORD_TYPE_COUNT];

    /// The record matched with record (looked up in every table); null when none.
    const CRecordNode* FindMatch(const CRecordNode* record) const
    {
        for (const auto& table : m_tables) {
            const auto found = table.find(record);
            if (found != table.end())
                return found->second;
        }
        return nullptr;
    }
};
