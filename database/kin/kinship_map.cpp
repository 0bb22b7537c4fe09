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

/// The program's one kinship map: each individual's group number by the individual's slot.
/// Slots are record numbers when every individual and family has one of its own and they are
/// not too sparse (a loaded or numbered data set: the map is then read through a field of the
/// record), else dense indexes in record order looked up by pointer.
struct CKinshipMap {
    std::vector<const CRecordNode*> m_individualAt; // by slot; null where no individual is
    kinship_detail::CPointerMap<int> m_slotOf;      // when slots are not record numbers
    bool m_slotsAreNumbers = false;
    std::vector<int> m_pools; // by individual slot
    int m_users = 0;

    const int* FindPool(const CIndRec* individual) const
    {
        if (!individual)
            return nullptr;
        std::size_t slot = 0;
        if (m_slotsAreNumbers) {
            slot = std::size_t(std::max(individual->GetRecordNumber(), 0));
        } else if (const int* found = m_slotOf.Find(individual)) {
            slot = std::size_t(*found);
        } else {
            return nullptr;
        }
        return slot < m_individualAt.size() && m_individualAt[slot] == individual ? &m_pools[slot]
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

/// The records of a type's list in record order, taken in one walk along memory, and whether
/// their record numbers can serve as slots: each 1 or more, none taken twice, the highest at
/// most about twice their count (else a table by number would be mostly empty).
template <class Record, class Cast> struct CRecordList {
    std::vector<const Record*> m_records;
    std::int32_t m_highest = 0;
    bool m_numbered = true;

    CRecordList(int listIndex, Cast cast)
    {
        const CDataNode* root = GetRecordTypeRoot(listIndex);
        if (!root)
            return;
        m_records.reserve(root->CountChildren());
        CNodeStreamPrefetch prefetch;
        for (CDataNode* node = root->GetFirstChild(); node; node = node->GetNextSibling()) {
            prefetch.At(node);
            if (const Record* typed = cast(static_cast<CRecordNode*>(node))) {
                m_records.push_back(typed);
                m_highest = std::max(m_highest, typed->GetRecordNumber());
                m_numbered = m_numbered && typed->GetRecordNumber() > 0;
            }
        }
        m_numbered = m_numbered && std::size_t(m_highest) <= 2 * m_records.size() + 1024;
    }
};

/// Disjoint sets over slots; each set is named by its least slot.
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

/// Where the build finds an individual's or a family's slot: individuals take the slots below
/// m_familyBase, families those from it. A link target is taken only when the slot holds that
/// very record, so a link to a record outside the lists joins no one.
struct CSlotTable {
    bool m_byNumber = false;
    std::size_t m_familyBase = 0;
    std::vector<const CRecordNode*> m_at; // by slot
    kinship_detail::CPointerMap<int> m_slotOf;

    /// The slot of target among the individuals (family false) or the families; -1 if none.
    int SlotOf(const CRecordNode* target, bool family) const
    {
        std::size_t slot = 0;
        if (m_byNumber) {
            slot =
                std::size_t(std::max(target->GetRecordNumber(), 0)) + (family ? m_familyBase : 0);
        } else if (const int* found = m_slotOf.Find(target)) {
            slot = std::size_t(*found);
        } else {
            return -1;
        }
        const bool inRange =
            family ? slot >= m_familyBase && slot < m_at.size() : slot < m_familyBase;
        return inRange && m_at[slot] == target ? int(slot) : -1;
    }
    /// Asks for the memory that SlotOf(target) reads first.
    void Prefetch(const CRecordNode* target) const
    {
        if (m_byNumber)
            target->PrefetchRecordNumber();
        else
            m_slotOf.Prefetch(target);
    }
    /// Asks for the slot's memory that SlotOf(target) reads last; by number, once the target's
    /// number is at hand.
    void PrefetchSlot(const CRecordNode* target, bool family) const
    {
        if (!m_byNumber)
            return;
        const std::size_t slot =
            std::size_t(std::max(target->GetRecordNumber(), 0)) + (family ? m_familyBase : 0);
        if (slot < m_at.size())
            __builtin_prefetch(&m_at[slot]);
    }
};

/// Fills slots for the two lists: by record number when both lists allow it (no lookup
/// table then), else by record order through a pointer map.
template <class People, class Families>
void FillSlots(CSlotTable& slots, const People& people, const Families& families)
{
    constexpr std::size_t kAhead = 16;
    slots.m_byNumber = people.m_numbered && families.m_numbered;
    if (slots.m_byNumber) {
        slots.m_familyBase = std::size_t(people.m_highest) + 1;
        slots.m_at.assign(slots.m_familyBase + std::size_t(families.m_highest) + 1, nullptr);
        const auto place = [&](const auto& records, std::size_t base) {
            for (const CRecordNode* record : records) {
                const CRecordNode*& at = slots.m_at[base + std::size_t(record->GetRecordNumber())];
                if (at)
                    return false; // a number taken twice
                at = record;
            }
            return true;
        };
        if (place(people.m_records, 0) && place(families.m_records, slots.m_familyBase))
            return;
        slots.m_byNumber = false;
    }
    slots.m_familyBase = people.m_records.size();
    slots.m_at.clear();
    slots.m_at.reserve(slots.m_familyBase + families.m_records.size());
    slots.m_slotOf.Reserve(slots.m_familyBase + families.m_records.size());
    const auto add = [&](const auto& records) {
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (i + kAhead < records.size())
                slots.m_slotOf.Prefetch(records[i + kAhead]);
            slots.m_slotOf.TryEmplace(records[i], int(slots.m_at.size()));
            slots.m_at.push_back(records[i]);
        }
    };
    add(people.m_records);
    add(families.m_records);
}

/// The slot of the i-th record of a list whose slots start at base.
template <class Record>
int OwnSlot(const CSlotTable& slots, const Record* record, std::size_t i, std::size_t base)
{
    return int(base + (slots.m_byNumber ? std::size_t(record->GetRecordNumber()) : i));
}

/// Calls join(owner, slot) for each link of the records (whose own slots start at base) that
/// wanted(field id) accepts and that names a record of the target kind (family or not); take(i)
/// says whether the i-th record's links count. The records are read in memory order, a batch
/// at a time, and their links gathered; the targets, at scattered places, are then reached
/// with their memory asked for some links ahead, in two stages: the target's number, then the
/// slot it names.
template <class Record, class Take, class Wanted, class Join>
void JoinLinks(const CSlotTable& slots, const std::vector<const Record*>& records, std::size_t base,
               Take take, Wanted wanted, bool family, Join join)
{
    constexpr std::size_t kBatch = 1024;
    constexpr std::size_t kNumberAhead = 16;
    constexpr std::size_t kSlotAhead = 8;
    struct CLink {
        int m_owner;
        const CRecordNode* m_target;
    };
    std::vector<CLink> links;
    CNodeStreamPrefetch prefetch;
    for (std::size_t first = 0; first < records.size(); first += kBatch) {
        links.clear();
        const std::size_t end = std::min(records.size(), first + kBatch);
        for (std::size_t i = first; i < end; ++i) {
            prefetch.At(records[i]);
            if (!take(i))
                continue;
            const int owner = OwnSlot(slots, records[i], i, base);
            ForEachLinkTargetIf(records[i], wanted, [&](const CRecordNode* target) {
                links.push_back({owner, target});
            });
        }
        for (std::size_t j = 0; j < links.size(); ++j) {
            if (j + kNumberAhead < links.size())
                slots.Prefetch(links[j + kNumberAhead].m_target);
            if (j + kSlotAhead < links.size())
                slots.PrefetchSlot(links[j + kSlotAhead].m_target, family);
            if (const int slot = slots.SlotOf(links[j].m_target, family); slot >= 0)
                join(links[j].m_owner, slot);
        }
    }
}

/// The groups joined by family links. A family joins the individuals that name it as a parent
/// or spouse family and, when at least one does, every individual it names as partner or
/// child; a family no one names joins no one. Groups are numbered 1, 2, ... in the record
/// order of their first individuals.
std::unique_ptr<CKinshipMap> BuildKinshipMap()
{
    const auto individual = [](CRecordNode* record) -> const CIndRec* {
        return AsIndividual(record);
    };
    const auto family = [](CRecordNode* record) -> const CFamRec* { return AsFamily(record); };
    const CRecordList<CIndRec, decltype(individual)> people(RECORD_LIST_INDI, individual);
    const CRecordList<CFamRec, decltype(family)> families(RECORD_LIST_FAM, family);

    CSlotTable slots;
    FillSlots(slots, people, families);
    const std::size_t base = slots.m_familyBase;

    CGroups groups(slots.m_at.size());
    std::vector<bool> named(slots.m_at.size() - base);
    const std::vector<const CIndRec*>& individuals = people.m_records;
    JoinLinks(
        slots, individuals, 0, [](std::size_t) { return true; }, IsFamilyLink, true,
        [&](int self, int slot) {
            named[std::size_t(slot) - base] = true;
            groups.Join(self, slot);
        });
    const std::vector<const CFamRec*>& familyRecords = families.m_records;
    JoinLinks(
        slots, familyRecords, base,
        [&](std::size_t f) {
            return named[std::size_t(OwnSlot(slots, familyRecords[f], f, base)) - base];
        },
        IsMemberLink, false, [&](int self, int member) { groups.Join(self, member); });

    // Groups take their numbers in the record order of their first individuals. A group with
    // an individual is named by an individual's slot, since every individual's slot lies below
    // every family's.
    auto map = std::make_unique<CKinshipMap>();
    map->m_pools.assign(base, 0);
    int pool = 0;
    for (const CIndRec* person : individuals) {
        const std::size_t slot = std::size_t(slots.SlotOf(person, false));
        int& number = map->m_pools[std::size_t(groups.Find(int(slot)))];
        if (number == 0)
            number = ++pool;
        map->m_pools[slot] = number;
    }
    map->m_slotsAreNumbers = slots.m_byNumber;
    slots.m_at.resize(base);
    map->m_individualAt = std::move(slots.m_at);
    map->m_slotOf = std::move(slots.m_slotOf);
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
