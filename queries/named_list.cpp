// queries/named_list.cpp: the chain of named lists and the operations every user of them calls.
#include "queries/named_list.h"

#include "common/abort.h"
#include "common/preferences.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_observer.h"
#include "database/nodes/named_list_store.h"
#include "database/nodes/root_node.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace {

CNamedList*& ChainHead()
{
    static CNamedList* head = nullptr;
    return head;
}

bool IsHeaderRecord(const CRecordNode* record)
{
    const CRecordType* header = GetRecordTypeTable().RowByCode(0);
    return header->m_topDef && record->GetFieldDef() == header->m_topDef;
}

class CNamedListStore final : public INamedListStore {
public:
    void ClearNamedLists(bool deleteAll) override { ::ClearNamedLists(deleteAll); }
    void ReadListField(const CDataNode& listField) override
    {
        std::string name;
        listField.GetText(name, 0);
        GetNamedList(name, false)->ReadListField(listField);
    }
    bool WriteListFields(std::string& line) override { return WriteNamedListFields(line); }
};

} // namespace

CNamedList::CNamedList(std::string name) : m_name(std::move(name)), m_next(ChainHead())
{
    ChainHead() = this;
}

CNamedList::~CNamedList()
{
    for (CNamedList** link = &ChainHead(); *link; link = &(*link)->m_next) {
        if (*link == this) {
            *link = m_next;
            break;
        }
    }
}

CNamedList* CNamedList::GetFirst()
{
    return ChainHead();
}

bool CNamedList::DeleteAllRecords()
{
    const CWaitCursor wait;
    // One walk per record type, not one per record: a list can hold much of a large file.
    std::map<CRootNode*, std::unordered_set<const CDataNode*>> byRoot;
    for (const NamedListEntry& entry : m_entries) {
        if (entry.m_record && !entry.m_record->IsPendingDeletion())
            if (auto* root = static_cast<CRootNode*>(entry.m_record->GetParent()))
                byRoot[root].insert(entry.m_record);
    }
    try {
        for (auto& [root, records] : byRoot)
            root->DeleteRecordsWhere([&records = records](const CDataNode* record) {
                return records.count(record) != 0;
            });
    } catch (...) {
        NotifyChanges();
        EndAbandonedOperation();
        return false;
    }
    NotifyChanges();
    return true;
}

std::string NormaliseNamedListName(std::string_view name)
{
    std::string result;
    bool inSpace = false;
    for (const char c : text::TrimView(name)) {
        if (text::IsSpace(c)) {
            inSpace = true;
            continue;
        }
        if (inSpace)
            result += ' ';
        inSpace = false;
        result += c;
    }
    return result;
}

CNamedList* FindNamedList(std::string_view name)
{
    for (CNamedList* list = ChainHead(); list; list = list->GetNext()) {
        if (text::EqualsNoCase(list->GetName(), name))
            return list;
    }
    return nullptr;
}

CNamedList* GetNamedList(std::string_view name, bool notify)
{
    const std::string normalised = NormaliseNamedListName(name);
    if (CNamedList* list = FindNamedList(normalised))
        return list;
    auto* list = new CNamedList(normalised);
    if (notify)
        NotifyNamedListsChanged();
    return list;
}

void AddToNamedList(CNamedList* list, CRecordNode* record, bool notify, bool unique)
{
    if (!list || !record || IsHeaderRecord(record))
        return;
    if (unique && FindNamedListEntry(list, record))
        return;
    list->Entries().push_back({record, {}});
    if (notify)
        NotifyNamedListsChanged();
}

void AddManyToNamedList(CNamedList* list, const std::vector<CRecordNode*>& records)
{
    if (!list)
        return;
    std::vector<NamedListEntry>& entries = list->Entries();
    std::unordered_set<const CRecordNode*> listed;
    listed.reserve(entries.size() + records.size());
    for (const NamedListEntry& entry : entries)
        listed.insert(entry.m_record);
    for (CRecordNode* record : records)
        if (record && !IsHeaderRecord(record) && listed.insert(record).second)
            entries.push_back({record, {}});
}

void RemoveManyFromNamedList(CNamedList* list, const std::vector<CRecordNode*>& records)
{
    if (!list)
        return;
    std::unordered_map<const CRecordNode*, std::size_t> removals;
    for (const CRecordNode* record : records)
        if (record)
            ++removals[record];
    std::erase_if(list->Entries(), [&removals](const NamedListEntry& entry) {
        const auto it = removals.find(entry.m_record);
        if (it == removals.end() || it->second == 0)
            return false;
        --it->second;
        return true;
    });
}

NamedListEntry* FindNamedListEntry(CNamedList* list, const CRecordNode* record)
{
    if (!list)
        return nullptr;
    auto& entries = list->Entries();
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [&](const NamedListEntry& e) { return e.m_record == record; });
    return it == entries.end() ? nullptr : &*it;
}

void RemoveAllFromNamedList(CNamedList* list)
{
    if (list)
        list->Entries().clear();
}

void RemoveDeletedFromNamedLists()
{
    for (CNamedList* list = ChainHead(); list; list = list->GetNext()) {
        std::erase_if(list->Entries(), [](const NamedListEntry& entry) {
            return !entry.m_record || entry.m_record->IsPendingDeletion();
        });
    }
}

void ClearNamedLists(bool deleteAll)
{
    CNamedList* next = nullptr;
    for (CNamedList* list = ChainHead(); list; list = next) {
        next = list->GetNext();
        if (!deleteAll && IsAutoNamedList(list->GetName())) {
            RemoveAllFromNamedList(list);
            list->SetNote({});
            continue;
        }
        delete list;
    }
    if (!deleteAll)
        CreateAutoNamedLists();
}

void CreateAutoNamedLists()
{
    for (const std::string& name : Prefs().m_autoNamedLists) {
        if (!name.empty() && !FindNamedList(name))
            new CNamedList(name);
    }
}

bool IsAutoNamedList(std::string_view name)
{
    const auto& names = Prefs().m_autoNamedLists;
    return std::any_of(names.begin(), names.end(), [&](const std::string& autoName) {
        return !autoName.empty() && text::EqualsNoCase(autoName, name);
    });
}

std::string ListNameLengthProblem(std::string_view name)
{
    if (text::Utf8Length(name) <= kMaxNamedListName)
        return {};
    return text::Format("Name is too long.  The maximum allowed length is %d characters, "
                        "including spaces.",
                        kMaxNamedListName);
}

void NotifyNamedListsChanged()
{
    if (IDataObserver* observer = GetDataObserver())
        observer->OnDataChanged(nullptr, kHintNamedListsChanged, nullptr, true);
}

INamedListStore& NamedListStore()
{
    static CNamedListStore store;
    return store;
}
