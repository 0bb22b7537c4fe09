// app/record_counts.cpp: counting the records under each record-type root.
#include "app/record_counts.h"

#include "database/data_node.h"

long CRecordCounts::Get(int listIndex)
{
    if (listIndex < 0 || listIndex >= RECORD_TYPE_COUNT)
        return 0;
    if (!m_valid) {
        for (int i = 0; i < RECORD_TYPE_COUNT; ++i) {
            long count = 0;
            if (const CDataNode* root = GetRecordTypeRoot(i))
                for (const CDataNode* record = root->GetFirstChild(); record;
                     record = record->GetNextSibling())
                    ++count;
            m_counts[std::size_t(i)] = count;
        }
        m_valid = true;
    }
    return m_counts[std::size_t(listIndex)];
}
