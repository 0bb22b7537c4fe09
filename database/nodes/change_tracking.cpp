// database/nodes/change_tracking.cpp: how every edit is marked, announced once and only then freed.
#include "database/nodes/change_tracking.h"

#include "common/preferences.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/data_node.h"
#include "database/nodes/data_observer.h"
#include "database/nodes/source_citation.h"
#include "database/records/record_node.h"

namespace {

struct ChangeState {
    bool tracking = false;
    CRecordNode* changedHead = nullptr;
    CRecordNode* changedTail = nullptr;
    CDataNode* pendingHead = nullptr;
    bool familyCleanup = false;
    bool created = false;
    IDataObserver* observer = nullptr;
};

ChangeState& State()
{
    static ChangeState state;
    return state;
}

void LinkChangedRecord(CRecordNode* record, bool stamp)
{
    ChangeState& state = State();
    if (IsRecordListed(record))
        return;
    record->SetNextChanged(state.changedHead);
    state.changedHead = record;
    if (!state.changedTail)
        state.changedTail = record;
    if (stamp)
        record->SetChangeStamp(COleDateTime::GetCurrentTime());
}

/// Clears the listed records' marks and empties the list; a record pending deletion keeps its
/// bits, since it is about to be freed.
void ClearChangedRecords()
{
    ChangeState& state = State();
    CRecordNode* next = nullptr;
    for (CRecordNode* record = state.changedHead; record; record = next) {
        next = record->GetNextChanged();
        if (!record->IsPendingDeletion()) {
            record->SetFlag(DNF_CHANGED | DNF_NEW, false);
            ClearSubtreeChangeFlags(record);
        }
        record->SetNextChanged(nullptr);
    }
    state.changedHead = state.changedTail = nullptr;
}

bool IsFamilyMember(int fieldId)
{
    return fieldId == FIELD_CHIL || fieldId == FIELD_HUSB || fieldId == FIELD_WIFE;
}

} // namespace

bool IsChangeTrackingOn()
{
    return State().tracking;
}

void SetChangeTracking(bool on)
{
    State().tracking = on;
}

void SetDataObserver(IDataObserver* observer)
{
    State().observer = observer;
}

IDataObserver* GetDataObserver()
{
    return State().observer;
}

bool IsRecordListed(const CRecordNode* record)
{
    return record && (record->GetNextChanged() || record == State().changedTail);
}

void ForgetChangedRecord(CRecordNode* record)
{
    if (!IsRecordListed(record))
        return;
    ChangeState& state = State();
    CRecordNode* before = nullptr;
    for (CRecordNode* at = state.changedHead; at && at != record; at = at->GetNextChanged())
        before = at;
    CRecordNode* next = record->GetNextChanged();
    if (before)
        before->SetNextChanged(next);
    else if (state.changedHead == record)
        state.changedHead = next;
    if (state.changedTail == record)
        state.changedTail = before;
    record->SetNextChanged(nullptr);
}

void MarkChanged(CDataNode* node, bool recordOnly)
{
    if (!IsChangeTrackingOn())
        return;
    for (; node; node = node->GetParent()) {
        if (!recordOnly)
            node->SetFlag(DNF_CHANGED, true);
        if (node->IsRecord()) {
            LinkChangedRecord(static_cast<CRecordNode*>(node), true);
            return;
        }
    }
}

void MarkSubtreeChanged(CDataNode* node)
{
    MarkChanged(node);
    for (CDataNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
        MarkSubtreeChanged(child);
}

void ListRecordAsChanged(CRecordNode* record)
{
    if (record)
        LinkChangedRecord(record, false);
}

void NotifyChanges()
{
    ChangeState& state = State();
    if (!state.changedHead && !state.pendingHead)
        return;
    ForgetDeletedCitations();
    if (state.familyCleanup) {
        if (Prefs().m_autoCleanupFamilies)
            CleanUpFamilies();
        state.familyCleanup = false;
    }
    if (state.observer)
        state.observer->OnDataChanged(nullptr, kHintRecordsEdited, nullptr, true);
    ClearChangedRecords();
    if (state.pendingHead)
        DeletePendingNodes();
    state.created = false;
}

void DeletePendingNodes()
{
    ChangeState& state = State();
    while (CDataNode* node = state.pendingHead) {
        state.pendingHead = CDataNode::NodeAt(node->m_link >> CDataNode::kLinkShift);
        delete node;
    }
}

void ClearSubtreeChangeFlags(CDataNode* node)
{
    for (CDataNode* child = node->GetFirstChild(); child; child = child->GetNextSibling()) {
        child->SetFlag(DNF_CHANGED | DNF_NEW, false);
        ClearSubtreeChangeFlags(child);
    }
}

bool HasNoDeletedChanges()
{
    for (const CRecordNode* record = State().changedHead; record;
         record = record->GetNextChanged()) {
        if (record->IsPendingDeletion())
            return false;
    }
    return true;
}

void CleanUpFamilies()
{
    const CFieldDef* famDef = GetRecordTypeTable().RowByCode(1)->m_topDef;
    for (CRecordNode* record = State().changedHead; record; record = record->GetNextChanged()) {
        if (!famDef || record->GetFieldDef() != famDef || record->IsPendingDeletion())
            continue;
        int members = 0;
        bool other = false;
        for (const CDataNode* child = record->GetFirstChild(); child;
             child = child->GetNextSibling()) {
            if (child->IsEmpty())
                continue;
            if (IsFamilyMember(child->GetFieldId()))
                ++members;
            else
                other = true;
        }
        CDataNode* root = record->GetParent();
        if (root && (members == 0 || (members == 1 && !other)))
            root->DeleteChild(record);
    }
}

CRecordNode* GetChangedRecords()
{
    return State().changedHead;
}

CDataNode* GetPendingDeletions()
{
    return State().pendingHead;
}

void PushPendingDeletion(CDataNode* node)
{
    node->m_link = CDataNode::SiblingLink(State().pendingHead) | CDataNode::kPendingTag;
    State().pendingHead = node;
}

void SetFamilyCleanupFlag()
{
    State().familyCleanup = true;
}

bool IsFamilyCleanupFlagSet()
{
    return State().familyCleanup;
}

void NoteNodeCreated()
{
    State().created = true;
}

bool WasNodeCreated()
{
    return State().created;
}

void ResetChangeTracking()
{
    ChangeState& state = State();
    for (CRecordNode* record = state.changedHead; record;) {
        CRecordNode* next = record->GetNextChanged();
        record->SetNextChanged(nullptr);
        record = next;
    }
    state.changedHead = state.changedTail = nullptr;
    DeletePendingNodes();
    state.familyCleanup = false;
    state.created = false;
}
