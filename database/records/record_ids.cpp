// database/records/record_ids.cpp: the record-identifier tools: renumbering a record type, copying
// the numbers into a field, and taking the numbers from a field.
#include "database/records/record_ids.h"

#include "common/abort.h"
#include "database/dictionary/record_type_table.h"
#include "database/fields/text_value_node.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_observer.h"
#include "database/records/assoc_node.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

constexpr int kHighestUsableId = 1000000000;

const char kNoRecords[] = "There are no records of this type";

/// The records of a type in list order.
std::vector<CRecordNode*> RecordsOf(int listIndex)
{
    std::vector<CRecordNode*> records;
    const CDataNode* root = listIndex == RECORD_LIST_HEAD ? nullptr : GetRecordTypeRoot(listIndex);
    for (CDataNode* node = root ? root->GetFirstChild() : nullptr; node;
         node = node->GetNextSibling())
        records.push_back(static_cast<CRecordNode*>(node));
    return records;
}

/// Numbers from 1 up that no dangling cross-reference of the type keeps.
class CFreeNumbers {
public:
    CFreeNumbers(int listIndex, std::int32_t after) : m_next(after)
    {
        for (const std::int32_t number : CollectReservedNumbers(listIndex)) {
            m_reserved.insert(number);
            m_highestReserved = std::max(m_highestReserved, number);
        }
    }
    bool IsReserved(std::int32_t number) const { return m_reserved.count(number) != 0; }
    std::int32_t Take()
    {
        do
            ++m_next;
        while (IsReserved(m_next));
        return m_next;
    }
    /// The counter after the last number taken: never below a reserved number.
    std::int32_t Counter() const { return std::max(m_next, m_highestReserved); }

private:
    std::unordered_set<std::int32_t> m_reserved;
    std::int32_t m_highestReserved = 0;
    std::int32_t m_next;
};

void RedrawAllViews()
{
    if (IDataObserver* observer = GetDataObserver())
        observer->OnDataChanged(nullptr, kHintViewsRedrawn, nullptr, true);
}

/// Runs NotifyChanges when it goes out of scope, however the scope is left.
struct CNotifyOnExit {
    CNotifyOnExit() = default;
    CNotifyOnExit(const CNotifyOnExit&) = delete;
    CNotifyOnExit& operator=(const CNotifyOnExit&) = delete;
    ~CNotifyOnExit() { NotifyChanges(); }
};

/// The number a REFN or RIN value gives: after white space, a digit and the number 1 to
/// 1000000000; 0 when the value has none.
std::int32_t UsableNumber(const CDataNode* field)
{
    std::string value;
    if (field)
        field->GetText(value, 0);
    const std::string trimmed = text::TrimLeft(value);
    if (trimmed.empty() || trimmed.front() < '0' || trimmed.front() > '9')
        return 0;
    long long number = 0;
    for (const char c : trimmed) {
        if (c < '0' || c > '9')
            break;
        number = number * 10 + (c - '0');
        if (number > kHighestUsableId)
            return 0;
    }
    return std::int32_t(number);
}

std::string Question(int missing, int duplicates, const char* name)
{
    const char* tail = "  Ardenvel will ensure that each record is assigned a unique record id, by "
                       "generating them for records which have no usable %s field value.  Press "
                       "OK to confirm that you wish to proceed.";
    if (missing && duplicates)
        return text::Format("Warning: %d record(s) have no %s field value (or the value is not "
                            "numeric).  A further %d record(s) have a numeric %s field value but "
                            "it is a duplicate of another %s field value and cannot be used.",
                            missing, name, duplicates, name, name) +
               text::Format(tail, name);
    if (missing)
        return text::Format("Warning: %d record(s) have no %s field value (or the value is not "
                            "numeric).",
                            missing, name) +
               text::Format(tail, name);
    if (duplicates)
        return text::Format("Warning: Although all records have a numeric %s field value, for %d "
                            "of these, the value is a duplicate of another %s field value and "
                            "cannot be used.",
                            name, duplicates, name) +
               text::Format(tail, name);
    return "Press to confirm that you wish to proceed";
}

void ApplyNumbers(int listIndex, const std::vector<CRecordNode*>& records,
                  const std::unordered_map<const CRecordNode*, std::int32_t>& taken,
                  std::int32_t highest)
{
    const CWaitCursor wait;
    for (CRecordNode* record : records)
        record->SetRecordNumber(0);
    CFreeNumbers free(listIndex, highest);
    for (CRecordNode* record : records) {
        const auto found = taken.find(record);
        record->SetRecordNumber(found != taken.end() ? found->second : free.Take());
    }
    GetRecordIdState(listIndex)->m_counter = free.Counter();
    RedrawAllViews();
}

} // namespace

EngineOutcome RenumberRecordIds(int listIndex)
{
    const std::vector<CRecordNode*> records = RecordsOf(listIndex);
    if (records.empty())
        return EngineOutcome::Refused(kNoRecords);
    ApplyNumbers(listIndex, records, {}, 0);
    return EngineOutcome::Done();
}

EngineOutcome CopyRecordIdsToField(int listIndex, int fieldId)
{
    const std::vector<CRecordNode*> records = RecordsOf(listIndex);
    if (records.empty())
        return EngineOutcome::Refused(kNoRecords);
    const CNotifyOnExit notify;
    for (CRecordNode* record : records) {
        CDataNode* field = record->FindChild(nullptr, fieldId);
        if (!field)
            field = record->CreateChildById(fieldId);
        if (!field)
            return {};
        SetTextValue(field, std::to_string(record->GetRecordNumber()));
    }
    return EngineOutcome::Done();
}

EngineOutcome GenerateRecordIds(int listIndex, int fieldId, bool confirmed)
{
    const char* name = fieldId == FIELD_REFN  ? "Custom Id"
                       : fieldId == FIELD_RIN ? "Automated Record Id"
                                              : nullptr;
    if (!name)
        return {};
    const std::vector<CRecordNode*> records = RecordsOf(listIndex);
    if (records.empty())
        return EngineOutcome::Refused(kNoRecords);
    const CFreeNumbers reserved(listIndex, 0);
    std::unordered_map<const CRecordNode*, std::int32_t> taken;
    std::unordered_set<std::int32_t> used;
    int missing = 0;
    int duplicates = 0;
    std::int32_t highest = 0;
    for (const CRecordNode* record : records) {
        const std::int32_t number = UsableNumber(record->FindChild(nullptr, fieldId));
        if (number == 0) {
            ++missing;
        } else if (reserved.IsReserved(number) || !used.insert(number).second) {
            ++duplicates;
        } else {
            taken.emplace(record, number);
            highest = std::max(highest, number);
        }
    }
    if (!confirmed)
        return EngineOutcome::Ask(Question(missing, duplicates, name));
    try {
        ApplyNumbers(listIndex, records, taken, highest);
    } catch (...) {
        ApplyNumbers(listIndex, records, {}, 0);
        EndAbandonedOperation();
        return EngineOutcome::Done(
            "An error has occurred.  The copy has been abandonned.  Record Ids "
            "have been renumbered from 1 instead.");
    }
    return EngineOutcome::Done("Record Ids have been generated successfully.");
}
