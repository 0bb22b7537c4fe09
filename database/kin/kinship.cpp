// database/kin/kinship.cpp: the ancestors, descendants and spouses of individuals, within a number
// of generations: the marking walks and the collecting operations of the query filters.
#include "database/kin/kinship.h"

#include "database/kin/detail/kinship_links.h"

#include <vector>

using kinship_detail::FirstParentFamily;
using kinship_detail::ForEachFamily;
using kinship_detail::ForEachMember;
using kinship_detail::GetPartners;

namespace {

/// One individual waiting in a walk's queue, with its generation.
struct CStep {
    CIndRec* m_individual;
    int m_generation;
};

/// Marks breadth first from start: each step's relatives (relatives(individual, visit) calls
/// visit for each) that carry no mark yet are marked one generation further and added, until
/// the limit (0 none). The queue replaces recursion, so a line of any length takes no stack.
/// familyLink and memberLink accept the field ids of the links relatives follows, from an
/// individual to its families and from a family to its members, for asking for their memory
/// ahead.
/// Without marks (null) result serves as them: a relative is marked when it is added.
template <class Relatives, class FamilyLink, class MemberLink>
void MarkBreadthFirst(CIndRec* start, CMapPtrToWord& result, int generations, CKinshipMarks* marks,
                      Relatives relatives, FamilyLink familyLink, MemberLink memberLink)
{
    if (!start || generations < 0)
        return;
    std::vector<CStep> queue{{start, 0}};
    for (std::size_t next = 0; next < queue.size(); ++next) {
        kinship_detail::PrefetchAhead(
            queue, next, [](const CStep& step) { return step.m_individual; }, familyLink,
            memberLink,
            [&](const CRecordNode* relative) {
                __builtin_prefetch(relative);
                if (marks)
                    marks->Prefetch(relative);
                result.prefetch(relative);
            });
        const CStep step = queue[next];
        const int generation = step.m_generation + 1;
        relatives(step.m_individual, [&](CIndRec* relative) {
            if (!relative)
                return;
            if (!(marks ? marks->Mark(relative, generation) : result.try_emplace(relative, 0)))
                return;
            if (marks)
                result.try_emplace(relative, WORD(0));
            if (generations == 0 || generation < generations)
                queue.push_back({relative, generation});
        });
    }
}

bool IsCancelled(const std::atomic<bool>* cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

void WalkAncestors(CIndRec* individual, CMapPtrToWord& result, int generations,
                   CKinshipMarks* marks)
{
    MarkBreadthFirst(
        individual, result, generations, marks,
        [](CIndRec* person, auto&& visit) {
            if (const CFamRec* family = FirstParentFamily(person)) {
                CIndRec* father = nullptr;
                CIndRec* mother = nullptr;
                GetPartners(family, father, mother);
                visit(father);
                visit(mother);
            }
        },
        [](int fieldId) { return fieldId == FIELD_FAMC; },
        [](int fieldId) { return fieldId == FIELD_HUSB || fieldId == FIELD_WIFE; });
}

void WalkDescendants(CIndRec* individual, CMapPtrToWord& result, int generations,
                     CKinshipMarks* marks)
{
    MarkBreadthFirst(
        individual, result, generations, marks,
        [](CIndRec* person, auto&& visit) {
            ForEachFamily(person, FIELD_FAMS,
                          [&](CFamRec* family) { ForEachMember(family, FIELD_CHIL, visit); });
        },
        [](int fieldId) { return fieldId == FIELD_FAMS; },
        [](int fieldId) { return fieldId == FIELD_CHIL; });
}

/// Marks from each start individual with walk (WalkAncestors or WalkDescendants) until
/// cancelled. With a limit the marks start afresh for each, so that each walk reaches its own
/// limit; without one they are shared, and an individual an earlier walk reached (its relatives
/// reached with it) is not walked again. Shared marks into an empty result would only repeat
/// it, so result serves as the marks then: each relative costs one map entry, not two.
void CollectFromEach(const CMapPtrToWord& start, CMapPtrToWord& result,
                     const std::atomic<bool>* cancel, int generations,
                     void (*walk)(CIndRec*, CMapPtrToWord&, int, CKinshipMarks*))
{
    if (generations < 0)
        return;
    const bool resultMarks = generations == 0 && result.empty();
    CKinshipMarks marks;
    for (const auto& entry : start) {
        if (IsCancelled(cancel))
            return;
        if (generations > 0)
            marks.Clear();
        else if (resultMarks ? result.contains(entry.first) : marks.IsMarked(entry.first))
            continue;
        walk(entry.first, result, generations, resultMarks ? nullptr : &marks);
    }
}

} // namespace

void MarkAncestors(CIndRec* individual, CMapPtrToWord& result, int generations,
                   CKinshipMarks& marks)
{
    WalkAncestors(individual, result, generations, &marks);
}

void MarkDescendants(CIndRec* individual, CMapPtrToWord& result, int generations,
                     CKinshipMarks& marks)
{
    WalkDescendants(individual, result, generations, &marks);
}

void CollectAncestors(const CMapPtrToWord& start, CMapPtrToWord& result,
                      const std::atomic<bool>* cancel, int generations)
{
    CollectFromEach(start, result, cancel, generations, WalkAncestors);
}

void CollectDescendants(const CMapPtrToWord& start, CMapPtrToWord& result,
                        const std::atomic<bool>* cancel, int generations)
{
    CollectFromEach(start, result, cancel, generations, WalkDescendants);
}

void CollectSpouses(const CMapPtrToWord& start, CMapPtrToWord& result,
                    const std::atomic<bool>* cancel)
{
    for (const auto& entry : start) {
        if (IsCancelled(cancel))
            return;
        ForEachFamily(entry.first, FIELD_FAMS, [&](CFamRec* family) {
            if (CIndRec* partner = GetKinshipPartner(entry.first, family))
                result.try_emplace(partner, WORD(0));
        });
    }
}

CIndRec* GetKinshipPartner(const CIndRec* individual, const CFamRec* family)
{
    if (!individual || !family)
        return nullptr;
    CIndRec* husband = family->GetHusband();
    CIndRec* wife = family->GetWife();
    const bool female = individual->GetSex() == SEX_FEMALE;
    CIndRec* byRule = female ? husband : wife;
    if (byRule != individual)
        return byRule;
    CIndRec* other = female ? wife : husband;
    return other != individual ? other : nullptr;
}
