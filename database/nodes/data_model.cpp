// database/nodes/data_model.cpp: the one data set of the program's run: start-up, reset and
// shutdown.
#include "database/nodes/data_model.h"

#include "common/abort.h"
#include "database/dates/date_node.h"
#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/record_type_table.h"
#include "database/fields/custom_attr_node.h"
#include "database/fields/name_node.h"
#include "database/kin/ind_rec.h"
#include "database/kin/kinship_cache.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/custom_event_node.h"
#include "database/nodes/data_node.h"
#include "database/nodes/named_list_store.h"
#include "database/nodes/node_pool.h"
#include "database/nodes/node_text.h"
#include "database/nodes/root_node.h"
#include "database/nodes/source_citation.h"
#include "database/records/assoc_node.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"

#include <cstddef>
#include <vector>

namespace {

bool g_clearing = false;

/// Bucket counts of the record-id number maps by list index; 17 for the types not listed.
struct HashSize {
    int listIndex;
    std::size_t buckets;
};
constexpr HashSize kHashSizes[] = {{0, 19997}, {1, 5113}, {2, 409}, {3, 409}, {7, 409}};
constexpr std::size_t kDefaultHashSize = 17;

/// Sets the clearing flag for the life of a scope.
struct ClearingScope {
    ClearingScope() { g_clearing = true; }
    ~ClearingScope() { g_clearing = false; }
};

void SizeIdTables()
{
    for (int i = 0; i < RECORD_TYPE_COUNT; ++i)
        GetRecordIdState(i)->SetHashSize(kDefaultHashSize);
    for (const HashSize& size : kHashSizes)
        GetRecordIdState(size.listIndex)->SetHashSize(size.buckets);
}

void ResetIdStates()
{
    for (int i = 0; i < RECORD_TYPE_COUNT; ++i)
        GetRecordIdState(i)->Reset();
}

/// Frees every record of every root at once, by freeing the whole node pool, when the data
/// set's records are all it holds: its roots are the only ones alive (no second data set of a
/// merge) and the pool knows every node that holds memory outside it. Only those nodes' own
/// destructors run; what the others would have undone one by one (the link table, the shared
/// texts, the chains of custom attributes and events, the count of individuals) is emptied
/// whole. False, with nothing freed, when the records must go one by one.
bool ReleaseAllRecords()
{
    CNodePool& pool = CNodePool::Nodes();
    if (CRootNode::LiveCount() != RECORD_TYPE_COUNT || !pool.CanReleaseAll())
        return false;
    std::vector<CRootNode*> roots;
    for (CRecordType& row : GetRecordTypeTable().Rows()) {
        auto* root = dynamic_cast<CRootNode*>(row.m_root);
        if (!root)
            return false;
        roots.push_back(root);
    }
    for (CRootNode* root : roots)
        root->ForgetRecords();
    pool.ReleaseAll();
    CAssocNode::ForgetAllLinks();
    CNodeText::ForgetSharedCopies();
    CCustomAttrNode::ForgetAllCustomAttrs();
    CIndRec::ForgetAllLive();
    return true;
}

/// Frees every record of every root, with change tracking off.
void FreeAllRecords()
{
    const ClearingScope clearing;
    if (!ReleaseAllRecords()) {
        for (CRecordType& row : GetRecordTypeTable().Rows()) {
            if (row.m_root)
                row.m_root->DeleteChildren();
        }
    }
    CCustomEventNode::ForgetAllCustomEvents();
}

bool CreateRoots()
{
    try {
        for (int code = 0; code < RECORD_TYPE_COUNT; ++code) {
            CRecordType* row = GetRecordTypeTable().MutableRowByCode(code);
            auto* root = new CRootNode;
            root->SetFieldDef(row->m_topDef);
            SetRecordTypeRoot(root, code);
        }
    } catch (...) {
        CauseOfAbandon();
        return false;
    }
    return true;
}

void DeleteRoots()
{
    for (int code = 0; code < RECORD_TYPE_COUNT; ++code) {
        delete GetRecordTypeTable().MutableRowByCode(code)->m_root;
        SetRecordTypeRoot(nullptr, code);
    }
}

} // namespace

bool IsClearingDataSet()
{
    return g_clearing;
}

EngineOutcome InitDataModel(IDataObserver* observer)
{
    RegisterDataNodeClasses();
    if (EngineOutcome loaded = LoadFieldDefinitions(); !loaded)
        return loaded;
    SetDataObserver(observer);
    if (!CreateRoots() || !CIndRec::InitTags() || !CFamRec::InitTags() || !InitNameStatics()) {
        DeleteRoots();
        FreeFieldDefs();
        SetDataObserver(nullptr);
        return {};
    }
    SizeIdTables();
    InitDateLocale();
    return EngineOutcome::Done();
}

void TermDataModel()
{
    FlushRecordCache(true);
    SetChangeTracking(false);
    ResetChangeTracking();
    ForgetCitations();
    // The identifier maps first, as a reset empties them, while the records they name live.
    ResetIdStates();
    FreeAllRecords();
    DeleteRoots();
    FreeFieldDefs();
    SetDataObserver(nullptr);
    CNodePool::Nodes().ReleaseUnused();
}

void DeleteAllRecords()
{
    MarkCustomFieldDefs();
    ResetIdStates();
    SetChangeTracking(false);
    ResetChangeTracking();
    ForgetCitations();
    FreeAllRecords();
    SetChangeTracking(true);
    const ClearingScope clearing;
    if (INamedListStore* store = GetNamedListStore())
        store->ClearNamedLists(false);
    CNodePool::Nodes().ReleaseUnused();
}
