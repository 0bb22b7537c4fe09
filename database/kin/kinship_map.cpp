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

/// The program's one kinship map; only the window thread uses it.
struct CKinshipMap {
    kinship_detail::CPointerMap<int> m_pools;
    int m_users = 0;
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

/// Gives pool to start and to everyone joined to it through families not yet opened. The map
/// itself tells who is reached; the opened families keep each family's links read once.
void FillPool(CKinshipMap& map, CIndRec* start, int pool,
              kinship_detail::CPointerMap<bool>& openedFamilies)
{
    // Taken in the order reached, so that the memory of those next in turn can be asked for
    // ahead; the group is the same in any order.
    std::vector<CIndRec*> waiting{start};
    map.m_pools.TryEmplace(start, pool);
    // Each record's links are read in one pass: a family's partners and children together, an
    // individual's parent and spouse families together. A record met before is known by its
    // address alone, without reading the record for its type.
    const auto open = [&](CRecordNode* target) {
        if (openedFamilies.Contains(target))
            return;
        CFamRec* family = AsFamily(target);
        if (!family)
            return;
        openedFamilies.TryEmplace(family, true);
        ForEachLinkTargetIf(family, IsMemberLink, [&](CRecordNode* member) {
            if (map.m_pools.Contains(member))
                return;
            if (CIndRec* individual = AsIndividual(member)) {
                map.m_pools.TryEmplace(individual, pool);
                waiting.push_back(individual);
            }
        });
    };
    // The memory of those next in turn is asked for in stages, each when the one before has
    // brought its memory in: an individual's fields, whether its families are opened yet, the
    // fields of those that are not, and the places of their members in the map. Most families
    // are met again from their other members after they are opened: they cost nothing more.
    constexpr std::size_t kStage = 6;
    std::size_t next = 0;
    const auto ahead = [&](std::size_t steps) {
        return next + steps < waiting.size() ? waiting[next + steps] : nullptr;
    };
    for (; next < waiting.size(); ++next) {
        if (const CIndRec* individual = ahead(4 * kStage))
            PrefetchNode(individual);
        if (const CIndRec* individual = ahead(3 * kStage))
            ForEachLinkTargetIf(individual, IsFamilyLink, [&](const CRecordNode* family) {
                openedFamilies.Prefetch(family);
            });
        if (const CIndRec* individual = ahead(2 * kStage))
            ForEachLinkTargetIf(individual, IsFamilyLink, [&](const CRecordNode* family) {
                if (!openedFamilies.Contains(family))
                    PrefetchNode(family);
            });
        if (const CIndRec* individual = ahead(kStage))
            ForEachLinkTargetIf(individual, IsFamilyLink, [&](const CRecordNode* family) {
                if (!openedFamilies.Contains(family))
                    ForEachLinkTargetIf(family, IsMemberLink, [&](const CRecordNode* member) {
                        __builtin_prefetch(member);
                        map.m_pools.Prefetch(member);
                    });
            });
        ForEachLinkTargetIf(waiting[next], IsFamilyLink, open);
    }
}

std::unique_ptr<CKinshipMap> BuildKinshipMap()
{
    auto map = std::make_unique<CKinshipMap>();
    kinship_detail::CPointerMap<bool> openedFamilies;
    const CDataNode* root = GetRecordTypeRoot(RECORD_LIST_INDI);
    if (const CDataNode* families = GetRecordTypeRoot(RECORD_LIST_FAM))
        openedFamilies.Reserve(families->CountChildren());
    // The individuals in record order, taken first in one walk along memory, so that whether
    // each is in a group yet can be asked for ahead of its turn.
    std::vector<CIndRec*> individuals;
    if (root) {
        individuals.reserve(root->CountChildren());
        map->m_pools.Reserve(root->CountChildren());
        CNodeStreamPrefetch prefetch;
        for (CDataNode* record = root->GetFirstChild(); record; record = record->GetNextSibling()) {
            prefetch.At(record);
            if (CIndRec* individual = AsIndividual(static_cast<CRecordNode*>(record)))
                individuals.push_back(individual);
        }
    }
    int pool = 0;
    constexpr std::size_t kAhead = 16;
    for (std::size_t i = 0; i < individuals.size(); ++i) {
        if (i + kAhead < individuals.size())
            map->m_pools.Prefetch(individuals[i + kAhead]);
        if (!map->m_pools.Contains(individuals[i]))
            FillPool(*map, individuals[i], ++pool, openedFamilies);
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
    const int* found = KinshipMap()->m_pools.Find(individual);
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
