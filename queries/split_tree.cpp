// queries/split_tree.cpp: the deletions of a file split: who goes, what is left without links.
#include "queries/split_tree.h"

#include "common/abort.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/root_node.h"
#include "database/records/record_node.h"
#include "platform/base/wait_cursor.h"

#include <unordered_set>

namespace {

// Record types by their list index; the linked-to types in the order of SplitLinkedType.
constexpr int kIndividuals = 0;
constexpr int kSubmitters = 5;
constexpr int kSubmissions = 6;
constexpr int kLinkedListIndex[kSplitLinkedTypeCount] = {2, 7, 3, 4};

/// The records of a type, in file order.
std::vector<CRecordNode*> RecordsOf(int listIndex)
{
    std::vector<CRecordNode*> records;
    const CDataNode* root = GetRecordTypeRoot(listIndex);
    for (CDataNode* record = root ? root->GetFirstChild() : nullptr; record;
         record = record->GetNextSibling())
        records.push_back(static_cast<CRecordNode*>(record));
    return records;
}

/// Deletes each record that is still one of the type's records, in one walk of them; a record
/// given twice, or already deleted, is passed over.
void DeleteRecords(int listIndex, const std::vector<CRecordNode*>& records)
{
    auto* root = static_cast<CRootNode*>(GetRecordTypeRoot(listIndex));
    if (!root || records.empty())
        return;
    const std::unordered_set<const CDataNode*> leaving(records.begin(), records.end());
    root->DeleteRecordsWhere([&](const CDataNode* record) { return leaving.count(record) != 0; });
}

/// Asks the query who goes; false when it gave nothing.
bool FindLeavingIndividuals(SplitIndividuals choice, ISplitTreeQuery* query,
                            std::vector<CRecordNode*>& leaving)
{
    if (choice == SplitIndividuals::None)
        return true;
    return query && query->FindIndividuals(choice == SplitIndividuals::NotFound, leaving);
}

/// The deletions after the query: linked-to types, then submissions and submitters.
void DeleteOtherRecords(const SplitTreeChoices& choices)
{
    for (int type = 0; type < kSplitLinkedTypeCount; ++type) {
        const int listIndex = kLinkedListIndex[type];
        switch (choices.m_linked[std::size_t(type)]) {
        case SplitLinked::None:
            break;
        case SplitLinked::Unlinked:
            DeleteRecords(listIndex, CollectUnlinkedRecords(SplitLinkedType(type)));
            break;
        case SplitLinked::All:
            DeleteRecords(listIndex, RecordsOf(listIndex));
            break;
        }
    }
    if (choices.m_submissions)
        DeleteRecords(kSubmissions, RecordsOf(kSubmissions));
    if (choices.m_submitters)
        DeleteRecords(kSubmitters, RecordsOf(kSubmitters));
}

} // namespace

std::vector<CRecordNode*> CollectUnlinkedRecords(SplitLinkedType type)
{
    std::vector<CRecordNode*> unlinked;
    if (type < 0 || type >= kSplitLinkedTypeCount)
        return unlinked;
    for (CRecordNode* record : RecordsOf(kLinkedListIndex[type])) {
        if (!record->HasLinks())
            unlinked.push_back(record);
    }
    return unlinked;
}

SplitTreeResult SplitTree(const SplitTreeChoices& choices, ISplitTreeQuery* query)
{
    std::vector<CRecordNode*> leaving;
    try {
        if (!FindLeavingIndividuals(choices.m_individuals, query, leaving))
            return SplitTreeResult::NotRun;
    } catch (...) {
        EndAbandonedOperation();
        return SplitTreeResult::Failed;
    }
    const CWaitCursor wait;
    try {
        DeleteRecords(kIndividuals, leaving);
        DeleteOtherRecords(choices);
    } catch (...) {
        NotifyChanges();
        EndAbandonedOperation();
        return SplitTreeResult::Failed;
    }
    NotifyChanges();
    return SplitTreeResult::Done;
}
