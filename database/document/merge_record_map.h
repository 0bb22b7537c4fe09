// database/document/merge_record_map.h: which record of one data set a merge matched with which
// record of the other, as the field comparisons of a merge read it.
#pragma once

#include "database/dictionary/record_type_table.h"
#include "database/records/record_node.h"

#include <unordered_map>

/// One table per record type, in table order (HEAD, FAM, INDI, ...), from a record of the
/// first data set to the record of the second that the merge matched it with. The merge fills
/// it and passes it as the options of IsEqual and MatchScore.
struct CMergeRecordMap {
    std::unordered_map<const CRecordNode*, const CRecordNode*> m_tables[RECORD_TYPE_COUNT];

    /// The record matched with record (looked up in its type's table, or in every table for a
    /// record of no type); null when none.
    const CRecordNode* FindMatch(const CRecordNode* record) const
    {
        // A record is only ever matched in its own type's table, so one look-up settles it.
        if (const int code = record ? GetRecordTypeCode(record->GetFieldDef()) : -1; code >= 0) {
            const auto& table = m_tables[std::size_t(code)];
            const auto found = table.find(record);
            return found == table.end() ? nullptr : found->second;
        }
        for (const auto& table : m_tables) {
            const auto found = table.find(record);
            if (found != table.end())
                return found->second;
        }
        return nullptr;
    }
};
