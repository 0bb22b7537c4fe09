// database/kin/kinship_map.cpp: the connected groups of the data set (relationship pool numbers)
// and Ahnentafel numbers relative to a root individual.
#include "database/kin/kinship_map.h"

#include "database/dictionary/record_type_table.h"
#include "database/kin/detail/kinship_links.h"
#include "database/kin/detail/pointer_map.h"
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
    std::vector<CIndRec*> waiting{start};
    map.m_pools.TryEmplace(start, pool);
    const auto reach = [&](CIndRec* individual) {
        if (map.m_pools.TryEmplace(individual, pool).second)
            waiting.push_back(individual);
    };
    // Each record's links are read in one pass: a family's partners and children together, an
    // individual's parent and spouse families together.
    const auto open = [&](CRecordNode* target) {
        CFamRec* family = AsFamily(target);
        if (!family || !openedFamilies.TryEmplace(family, true).second)
            return;
        ForEachLinkTargetIf(family, IsMemberLink, [&](CRecordNode* member) {
            if (CIndRec* individual = AsIndividual(member))
                reach(individual);
        });
    };
    while (!waiting.empty()) {
        CIndRec* individual = waiting.back();
        waiting.pop_back();
        ForEachLinkTargetIf(individual, IsFamilyLink, open);
    }
}

std::unique_ptr<CKinshipMap> BuildKinshipMap()
{
    auto map = std::make_unique<CKinshipMap>();
    kinship_detail::CPointerMap<bool> openedFamilies;
    int pool = 0;
    const CDataNode* root = GetRecordTypeRoot(RECORD_LIST_INDI);
    for (CDataNode* record = root ? root->GetFirstChild() : nullptr; record;
         record = record->GetNextSibling()) {
        CIndRec* individual = AsIndividual(static_cast<CRecordNode*>(record));
        if (individual && !map->m_pools.Contains(individual))
            FillPool(*map, individual, ++pool, openedFamilies);
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
