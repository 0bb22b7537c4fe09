// database/kin/kinship_map.cpp: the connected groups of the data set (relationship pool numbers)
// and Ahnentafel numbers relative to a root individual.
#include "database/kin/kinship_map.h"

#include "database/dictionary/record_type_table.h"
#include "database/kin/detail/kinship_links.h"
#include "database/kin/detail/pointer_map.h"
#include "database/nodes/node_prefetch.h"
#include "database/records/record_id_state.h"

#include <algorithm>
#include <bit>
#include <memory>
#include <mutex>
#include <vector>

using kinship_detail::FirstParentFamily;
using kinship_detail::ForEachLinkTargetIf;

namespace {

bool IsFamilyLink(int fieldId)
{
    return fieldId == FIELD_FAMC || fieldId == FIELD_FAMS;
}

bool IsMemberLink(int fieldId)
{
    return fieldId == FIELD_HUSB || fieldId == FIELD_WIFE || fieldId == FIELD_CHIL;
}

/// Finds a record's index in its list (record order): through the record number, a field read
/// of the record, when every record of the list has a number of its own and the highest is at
/// most about twice their count (a loaded file, a numbered data set); else through a pointer
/// map. A record outside the list has none.
template <class Record> class CListLookup {
public:
    void Fill(const std::vector<const Record*>& records, bool numbered, std::int32_t highest)
    {
        m_byNumber = numbered && std::size_t(highest) <= 2 * records.size() + 1024;
        if (m_byNumber) {
            m_at.assign(std::size_t(highest) + 1, CEntry{});
            for (std::size_t i = 0; i < records.size(); ++i) {
                CEntry& entry = m_at[std::size_t(records[i]->GetRecordNumber())];
                if (entry.m_record) { // a number taken twice
                    m_byNumber = false;
                    break;
                }
                entry = {records[i], int(i)};
            }
            if (m_byNumber)
                return;
            m_at = {};
        }
        constexpr std::size_t kAhead = 16;
        m_indexOf.Reserve(records.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (i + kAhead < records.size())
                m_indexOf.Prefetch(records[i + kAhead]);
            m_indexOf.TryEmplace(records[i], int(i));
        }
    }
    /// The index of target in the list; -1 when it is not there.
    int IndexOf(const CRecordNode* target) const
    {
        if (!m_byNumber) {
            const int* found = m_indexOf.Find(target);
            return found ? *found : -1;
        }
        const auto number = std::size_t(std::max(target->GetRecordNumber(), 0));
        return number < m_at.size() && m_at[number].m_record == target ? m_at[number].m_index : -1;
    }
    /// Asks for the memory that IndexOf(target) reads first: the record number, or the map.
    void Prefetch(const CRecordNode* target) const
    {
        if (m_byNumber)
            target->PrefetchRecordNumber();
        else
            m_indexOf.Prefetch(target);
    }
    /// Asks for the entry by number that IndexOf(target) reads last, once the number is at hand.
    void PrefetchEntry(const CRecordNode* target) const
    {
        const auto number = std::size_t(std::max(target->GetRecordNumber(), 0));
        if (m_byNumber && number < m_at.size())
            __builtin_prefetch(&m_at[number]);
    }

private:
    struct CEntry {
        const CRecordNode* m_record = nullptr;
        int m_index = 0;
    };
    bool m_byNumber = false;
    std::vector<CEntry> m_at; // by record number
    kinship_detail::CPointerMap<int> m_indexOf;
};

/// The program's one kinship map: each individual's group number by its index in record order.
struct CKinshipMap {
    CListLookup<CIndRec> m_individuals;
    std::vector<int> m_pools; // by individual index
    int m_users = 0;

    const int* FindPool(const CIndRec* individual) const
    {
        const int index = individual ? m_individuals.IndexOf(individual) : -1;
        return index >= 0 ? &m_pools[std::size_t(index)] : nullptr;
    }
};

std::unique_ptr<CKinshipMap>& KinshipMap()
{
    static std::unique_ptr<CKinshipMap> map;
    return map;
}

/// Guards the map and its count of users: a query row on the worker thread may look a group up
/// while a window on the interface thread holds or drops the map.
std::mutex& KinshipMapMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::unique_ptr<CKinshipMap> BuildKinshipMap();

void AcquireLocked()
{
    std::unique_ptr<CKinshipMap>& map = KinshipMap();
    if (!map)
        map = BuildKinshipMap();
    ++map->m_users;
}

void ReleaseLocked()
{
    std::unique_ptr<CKinshipMap>& map = KinshipMap();
    if (map && --map->m_users <= 0)
        map.reset();
}

/// One link gathered for later: its holder's index and its target's place in the node pool
/// (every record lies in the pool), half the size of two pointers.
struct CGatheredLink {
    std::uint32_t m_owner;
    std::uint32_t m_target;

    const CRecordNode* Target() const
    {
        return static_cast<const CRecordNode*>(CNodePool::BlockAt(m_target));
    }
};

/// The records of a type's list in record order, taken in one walk along memory, whether their
/// record numbers are all 1 or more, and the highest. gather(index, record) sees each record
/// while the walk has its memory at hand.
template <class Record> struct CRecordList {
    std::vector<const Record*> m_records;
    std::int32_t m_highest = 0;
    bool m_numbered = true;

    template <class Cast, class Gather> CRecordList(int listIndex, Cast cast, Gather gather)
    {
        const CDataNode* root = GetRecordTypeRoot(listIndex);
        if (!root)
            return;
        m_records.reserve(root->CountChildren());
        CNodeStreamPrefetch prefetch;
        for (CDataNode* node = root->GetFirstChild(); node; node = node->GetNextSibling()) {
            prefetch.At(node);
            if (const Record* typed = cast(static_cast<CRecordNode*>(node))) {
                gather(m_records.size(), typed);
                m_records.push_back(typed);
                m_highest = std::max(m_highest, typed->GetRecordNumber());
                m_numbered = m_numbered && typed->GetRecordNumber() > 0;
            }
        }
    }
};

/// Disjoint sets over the individuals' indexes and, after them, the families'; each set is
/// named by its least member.
class CGroups {
public:
    explicit CGroups(std::size_t count) : m_parent(count)
    {
        for (std::size_t i = 0; i < count; ++i)
            m_parent[i] = int(i);
    }
    int Find(int i)
    {
        while (m_parent[std::size_t(i)] != i) {
            int& parent = m_parent[std::size_t(i)];
            parent = m_parent[std::size_t(parent)];
            i = parent;
        }
        return i;
    }
    void Join(int a, int b)
    {
        a = Find(a);
        b = Find(b);
        if (a != b)
            m_parent[std::size_t(std::max(a, b))] = std::min(a, b);
    }

private:
    std::vector<int> m_parent;
};

/// Calls found(owner, index) for each gathered link whose target lookup finds in its list,
/// reaching the targets (at scattered places) with their memory asked for some links ahead in
/// two stages: the target's number, then the entry it names.
template <class Record, class Found>
void ResolveLinks(const std::vector<CGatheredLink>& links, const CListLookup<Record>& lookup,
                  Found found)
{
    constexpr std::size_t kNumberAhead = 16;
    constexpr std::size_t kEntryAhead = 8;
    for (std::size_t j = 0; j < links.size(); ++j) {
        if (j + kNumberAhead < links.size())
            lookup.Prefetch(links[j + kNumberAhead].Target());
        if (j + kEntryAhead < links.size())
            lookup.PrefetchEntry(links[j + kEntryAhead].Target());
        if (const int index = lookup.IndexOf(links[j].Target()); index >= 0)
            found(links[j].m_owner, index);
    }
}

/// Appends to links every link of holder (the index-th of its list) that wanted(field id)
/// accepts and whose target lies in the node pool, as every listed record does.
template <class Wanted>
void GatherLinks(std::vector<CGatheredLink>& links, std::size_t index, const CDataNode* holder,
                 Wanted wanted)
{
    ForEachLinkTargetIf(holder, wanted, [&](const CRecordNode* target) {
        if (const std::uint32_t place = CNodePool::IndexOf(target))
            links.push_back({std::uint32_t(index), place});
    });
}

/// The groups joined by family links. A family joins the individuals that name it as a parent
/// or spouse family and, when at least one does, every individual it names as partner or
/// child; a family no one names joins no one. Groups are numbered 1, 2, ... in the record
/// order of their first individuals. The families are listed first; the individuals' family
/// links are gathered in the one walk along the individuals' memory, and the named families'
/// member links in a batched walk along the families', so that only link targets are reached
/// at random.
std::unique_ptr<CKinshipMap> BuildKinshipMap()
{
    const CRecordList<CFamRec> families(
        RECORD_LIST_FAM, [](CRecordNode* record) { return AsFamily(record); },
        [](std::size_t, const CFamRec*) {});
    CListLookup<CFamRec> familyLookup;
    familyLookup.Fill(families.m_records, families.m_numbered, families.m_highest);

    std::vector<CGatheredLink> links;
    const CRecordList<CIndRec> people(
        RECORD_LIST_INDI, [](CRecordNode* record) { return AsIndividual(record); },
        [&](std::size_t i, const CIndRec* person) { GatherLinks(links, i, person, IsFamilyLink); });
    const std::size_t count = people.m_records.size();

    CGroups groups(count + families.m_records.size());
    std::vector<bool> named(families.m_records.size());
    ResolveLinks(links, familyLookup, [&](std::uint32_t person, int family) {
        named[std::size_t(family)] = true;
        groups.Join(int(person), int(count + std::size_t(family)));
    });
    links = {};

    auto map = std::make_unique<CKinshipMap>();
    map->m_individuals.Fill(people.m_records, people.m_numbered, people.m_highest);
    constexpr std::size_t kBatch = 1024;
    CNodeStreamPrefetch prefetch;
    for (std::size_t first = 0; first < families.m_records.size(); first += kBatch) {
        links.clear();
        const std::size_t end = std::min(families.m_records.size(), first + kBatch);
        for (std::size_t f = first; f < end; ++f) {
            prefetch.At(families.m_records[f]);
            if (named[f])
                GatherLinks(links, f, families.m_records[f], IsMemberLink);
        }
        ResolveLinks(links, map->m_individuals, [&](std::uint32_t family, int person) {
            groups.Join(int(count + family), person);
        });
    }

    // A group's name is its first individual (the least index), so groups take their numbers
    // in one pass.
    map->m_pools.assign(count, 0);
    int pool = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int first = groups.Find(int(i));
        map->m_pools[i] = std::size_t(first) == i ? ++pool : map->m_pools[std::size_t(first)];
    }
    return map;
}

/// One individual of the Ahnentafel search: its number and the generations left, which parent
/// comes next, and the count when it was entered (unchanged on leaving means the target was
/// not met below it).
struct CAhnentafelStep {
    const CIndRec* m_individual;
    std::int64_t m_number;
    int m_generations;
    int m_nextParent; // 0 father, 1 mother, 2 done
    int m_countOnEntry;
};

} // namespace

bool AcquireKinshipMap()
{
    const std::lock_guard lock(KinshipMapMutex());
    AcquireLocked();
    return true;
}

void ReleaseKinshipMap()
{
    const std::lock_guard lock(KinshipMapMutex());
    ReleaseLocked();
}

int GetRelationPoolNumber(const CIndRec* individual, bool& notFound)
{
    const std::lock_guard lock(KinshipMapMutex());
    const bool acquired = !KinshipMap();
    if (acquired)
        AcquireLocked();
    const int* found = KinshipMap()->FindPool(individual);
    notFound = !found;
    const int pool = found ? *found : 0;
    if (acquired)
        ReleaseLocked();
    return pool;
}

bool FindAhnentafelNumber(const CIndRec* individual, const CIndRec* target, std::int64_t& result,
                          int& count, std::int64_t number, int generations)
{
    if (!individual || count < 0 || number < 1)
        return false;
    // A number of b bits reaches 2^(b + g - 1) after g - 1 generations: stay within 63 bits.
    generations = std::min(generations, 64 - int(std::bit_width(std::uint64_t(number))));
    if (generations < 1)
        return false;
    // Individuals whose ancestors, within so many generations, hold no meeting with the target:
    // met again with no more generations left, they are passed over, so crossing lines and
    // pedigree loops cost one search each instead of one per path.
    kinship_detail::CPointerMap<int> searched;
    std::vector<CAhnentafelStep> stack;
    const auto enter = [&](const CIndRec* person, std::int64_t personNumber, int left) {
        if (!person || left < 1)
            return false;
        const int* known = searched.Find(person);
        if (known && *known >= left)
            return false;
        const int countOnEntry = count;
        if (person == target) {
            if (count == 0) {
                result = personNumber;
                return true;
            }
            --count;
        }
        stack.push_back({person, personNumber, left, 0, countOnEntry});
        return false;
    };
    if (enter(individual, number, generations))
        return true;
    while (!stack.empty()) {
        CAhnentafelStep& step = stack.back();
        const bool parentsLeft = step.m_nextParent < 2 && step.m_generations > 1;
        const CFamRec* family = parentsLeft ? FirstParentFamily(step.m_individual) : nullptr;
        if (!family) {
            if (count == step.m_countOnEntry) {
                int* left = searched.TryEmplace(step.m_individual, 0).first;
                *left = std::max(*left, step.m_generations);
            }
            stack.pop_back();
            continue;
        }
        const bool father = step.m_nextParent++ == 0;
        const CAhnentafelStep from = step; // enter may move the stack
        if (enter(father ? family->GetHusband() : family->GetWife(),
                  2 * from.m_number + (father ? 0 : 1), from.m_generations - 1))
            return true;
    }
    return false;
}
