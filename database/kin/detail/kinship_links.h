// database/kin/detail/kinship_links.h: the family links the kinship walks follow, read only.
#pragma once

#include "database/kin/detail/pointer_map.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/data_node.h"
#include "database/nodes/node_prefetch.h"
#include "database/records/fam_rec.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace kinship_detail {

/// Lists of links up to this long are searched for repeats by a scan, longer ones by a set.
inline constexpr std::size_t kScanLimit = 16;

/// Calls visit(target) for each link child of holder whose field id wanted(id) accepts and
/// that has a target, in the order of the links. A target named by two links is visited
/// twice: the walks' visited sets absorb repeats, so nothing here can loop.
template <class Wanted, class Visit>
void ForEachLinkTargetIf(const CDataNode* holder, Wanted wanted, Visit&& visit)
{
    for (const CDataNode* child = holder->GetFirstChild(); child; child = child->GetNextSibling()) {
        if (!wanted(child->GetFieldId()))
            continue;
        if (CRecordNode* target = child->GetLinkTarget())
            visit(target);
    }
}

/// The same for the links of one field id.
template <class Visit> void ForEachLinkTarget(const CDataNode* holder, int fieldId, Visit&& visit)
{
    ForEachLinkTargetIf(
        holder, [fieldId](int id) { return id == fieldId; }, visit);
}

/// The families an individual's links of fieldId (FAMC or FAMS) name, in order.
template <class Visit> void ForEachFamily(const CIndRec* individual, int fieldId, Visit&& visit)
{
    ForEachLinkTarget(individual, fieldId, [&](CRecordNode* target) {
        if (CFamRec* family = AsFamily(target))
            visit(family);
    });
}

/// The individuals a family's links of fieldId (CHIL, HUSB or WIFE) name, in order.
template <class Visit> void ForEachMember(const CFamRec* family, int fieldId, Visit&& visit)
{
    ForEachLinkTarget(family, fieldId, [&](CRecordNode* target) {
        if (CIndRec* individual = AsIndividual(target))
            visit(individual);
    });
}

/// Asks for the memory that a walk taking the individuals of queue in order will read a few
/// steps ahead of next, in three stages, each when the one before has brought its memory in:
/// an individual's own fields, the families its links accepted by familyLink name, and last the
/// members those families' links accepted by memberLink name, each handed to member (which asks
/// for what the walk will read of it). A walk from record to record otherwise waits on memory at
/// every step. individual(entry) gives the individual of a queue entry.
template <class Entry, class Individual, class FamilyLink, class MemberLink, class Member>
void PrefetchAhead(const std::vector<Entry>& queue, std::size_t next, Individual individual,
                   FamilyLink familyLink, MemberLink memberLink, Member member)
{
    constexpr std::size_t kStage = 8;
    if (next + 3 * kStage < queue.size())
        PrefetchNode(individual(queue[next + 3 * kStage]));
    if (next + 2 * kStage < queue.size())
        ForEachLinkTargetIf(individual(queue[next + 2 * kStage]), familyLink,
                            [](const CRecordNode* family) { PrefetchNode(family); });
    if (next + kStage < queue.size())
        ForEachLinkTargetIf(
            individual(queue[next + kStage]), familyLink,
            [&](const CRecordNode* family) { ForEachLinkTargetIf(family, memberLink, member); });
}

/// The first family an individual's FAMC links name; null when none.
inline CFamRec* FirstParentFamily(const CIndRec* individual)
{
    for (const CDataNode* child = individual->GetFirstChild(); child;
         child = child->GetNextSibling()) {
        if (child->GetFieldId() != FIELD_FAMC)
            continue;
        if (CFamRec* family = AsFamily(child->GetLinkTarget()))
            return family;
    }
    return nullptr;
}

/// The husband and wife of a family (the targets of its first HUSB and WIFE links with an
/// individual), read in one pass over its links; null for a missing partner.
inline void GetPartners(const CFamRec* family, CIndRec*& husband, CIndRec*& wife)
{
    husband = wife = nullptr;
    for (const CDataNode* child = family->GetFirstChild(); child; child = child->GetNextSibling()) {
        const int fieldId = child->GetFieldId();
        CIndRec*& partner = fieldId == FIELD_HUSB ? husband : wife;
        if ((fieldId == FIELD_HUSB || fieldId == FIELD_WIFE) && !partner)
            partner = AsIndividual(child->GetLinkTarget());
    }
}

/// Appends the distinct individuals (families) that holder's fieldId links name, in the order
/// of their first links.
template <class Record>
void CollectDistinct(const CDataNode* holder, int fieldId, std::vector<Record*>& out)
{
    const std::size_t first = out.size();
    CPointerMap<bool> seen; // used once the list is too long to scan
    ForEachLinkTarget(holder, fieldId, [&](CRecordNode* target) {
        auto* record = dynamic_cast<Record*>(target);
        if (!record)
            return;
        const auto begin = out.begin() + std::ptrdiff_t(first);
        if (out.size() - first < kScanLimit) {
            if (std::find(begin, out.end(), record) != out.end())
                return;
        } else {
            if (seen.Size() == 0) {
                for (auto known = begin; known != out.end(); ++known)
                    seen.TryEmplace(*known, true);
            }
            if (!seen.TryEmplace(record, true).second)
                return;
        }
        out.push_back(record);
    });
}

} // namespace kinship_detail
