// app/record_counts.h: the number of records of each type, counted once after each change.
#pragma once

#include "database/record_type_table.h"

#include <array>

/// Counting walks every record of a type, so the counts are kept until the data set changes:
/// the broadcast of change notices invalidates them.
class CRecordCounts {
public:
    /// The records of the type at a list index (0 to 8); 0 outside, or before the data set exists.
    long Get(int listIndex);
    void Invalidate() { m_valid = false; }

private:
    std::array<long, RECORD_TYPE_COUNT> m_counts{};
    bool m_valid = false;
};
