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

/// The program's one kinship map: every individual and family record of the data set by a
/// dense index (individuals first, in record order), and each individual's group number.
struct CKinshipMap {
    kinship_detail::CPointerMap<int> m_index;
    std::vector<int> m_pools; // by individual index
    int m_users = 0;

    const int* FindPool(const void* individual) const
    {
        const int* index = m_index.Find(individual);
        return index && std::size_t(*index) < m_pools.size() ? &m_pools[std::size_t(*index)]
                                                             : nullptr;
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

/// The records of a type's list in record order, taken in one walk along memory.
template <class Record, class Cast> std::vector<Record*> RecordsOf(int listIndex, Cast cast)
{
    std::vector<Record*> records;
    const CDataNode* root = GetRecordTypeRoot(listIndex);
    if (!root)
        return records;
    records.reserve(root->CountChildren());
    CNodeStreamPrefetch prefetch;
    for (CDataNode* record = root->GetFirstChild(); record; record = record->GetNextSibling()) {
        prefetch.At(record);
        if (Record* typed = cast(static_cast<CRecordNode*>(record)))
            records.push_back(typed);
    }
    return records;
}

/// Disjoint sets over the dense indexes; each set is named by one of its members.
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

/// Calls visit(index) for the dense index of each link target of holder that wanted(field id)
/// accepts and whose index kind(index) accepts, and asks for the map's memory of the links of
/// ahead, a record to be visited later.
template <class Wanted, class Kind, class Visit>
void ForEachIndexedTarget(const kinship_detail::CPointerMap<int>& index, const CDataNode* holder,
                          const CDataNode* ahead, Wanted wanted, Kind kind, Visit&& visit)
{
    if (ahead)
        ForEachLinkTargetIf(ahead, wanted,
                            [&](const CRecordNode* target) { index.Prefetch(target); });
    ForEachLinkTargetIf(holder, wanted, [&](const CRecordNode* target) {
        const int* found = index.Find(target);
        if (found && kind(*found))
            visit(*found);
    });
}

/// The groups joined by family links. A family joins the individuals that name it as a parent
/// or spouse family and, when at least one does, every individual it names as partner or
/// child; a family no one names joins no one. Groups are numbered 1, 2, ... in the record
/// order of their first individuals. The records are read in memory order: only the map's
/// slots are reached at random, each asked for a few records ahead.
std::unique_ptr<CKinshipMap> BuildKinshipMap()
{
    auto map = std::make_unique<CKinshipMap>();
    const std::vector<CIndRec*> individuals = RecordsOf<CIndRec>(
        RECORD_LIST_INDI, [](CRecordNode* record) { return AsIndividual(record); });
    const std::vector<CFamRec*> families =
        RecordsOf<CFamRec>(RECORD_LIST_FAM, [](CRecordNode* record) { return AsFamily(record); });
    const std::size_t people = individuals.size();
    constexpr std::size_t kAhead = 16;

    map->m_index.Reserve(people + families.size());
    const auto add = [&](const auto& records, std::size_t first) {
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (i + kAhead < records.size())
                map->m_index.Prefetch(records[i + kAhead]);
            map->m_index.TryEmplace(records[i], int(first + i));
        }
    };
    add(individuals, 0);
    add(families, people);

    CGroups groups(people + families.size());
    std::vector<bool> named(families.size());
    const auto isFamily = [people](int index) { return std::size_t(index) >= people; };
    const auto isIndividual = [people](int index) { return std::size_t(index) < people; };
    CNodeStreamPrefetch prefetch;
    for (std::size_t i = 0; i < people; ++i) {
        prefetch.At(individuals[i]);
        const CIndRec* ahead = i + kAhead < people ? individuals[i + kAhead] : nullptr;
        ForEachIndexedTarget(map->m_index, individuals[i], ahead, IsFamilyLink, isFamily,
                             [&](int family) {
                                 named[std::size_t(family) - people] = true;
                                 groups.Join(int(i), family);
                             });
    }
    for (std::size_t f = 0; f < families.size(); ++f) {
        prefetch.At(families[f]);
        if (!named[f])
            continue;
        const CFamRec* ahead = f + kAhead < families.size() ? families[f + kAhead] : nullptr;
        ForEachIndexedTarget(map->m_index, families[f], ahead, IsMemberLink, isIndividual,
                             [&](int member) { groups.Join(int(people + f), member); });
    }

    // A group's name is its first individual (the least index), so groups take their numbers
    // in one pass.
    map->m_pools.assign(people, 0);
    int pool = 0;
    for (std::size_t i = 0; i < people; ++i) {
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
