// diagrams/diag_ancestor_elem.cpp: ancestor boxes: their parents' boxes, partner, limits, the
// branch-wide flag, visibility and index walks, and the test for adding a parent.
#include "diagrams/diag_ancestor_elem.h"

#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diagram_settings.h"

#include <utility>
#include <vector>

CDiagAncestorElem::CDiagAncestorElem(IDiagramOwner& owner, int position, int generation)
    : CDiagElem(owner, position, generation)
{
}

CDiagAncestorElem::~CDiagAncestorElem()
{
    m_subTree.reset();
    m_father.reset();
    m_mother.reset();
}

void CDiagAncestorElem::SetRecords(CDiagAncestorElem* child, CIndRec* individual, CFamRec* family)
{
    m_child = child;
    m_individual = individual;
    m_family = family;
}

void CDiagAncestorElem::SetFather(std::unique_ptr<CDiagAncestorElem> father)
{
    m_father = std::move(father);
    if (m_father)
        m_father->m_child = this;
}

void CDiagAncestorElem::SetMother(std::unique_ptr<CDiagAncestorElem> mother)
{
    m_mother = std::move(mother);
    if (m_mother)
        m_mother->m_child = this;
}

CDiagElem* CDiagAncestorElem::GetPartner() const
{
    if (!m_child)
        return nullptr;
    return m_child->Father() == this ? static_cast<CDiagElem*>(m_child->Mother())
                                     : static_cast<CDiagElem*>(m_child->Father());
}

bool CDiagAncestorElem::IsAtDiagramLimit(bool* descendantSide) const
{
    if (descendantSide)
        *descendantSide = false;
    return m_expansion != kExpanded && !m_father && !m_mother && !m_subTree &&
           m_owner.Settings().m_diagramType == kAllRelativesDiagram &&
           m_owner.IsLastAncestorGeneration(m_generation);
}

void CDiagAncestorElem::SetFlagsInBranch(std::uint16_t bits, bool on, const ElemRecordSet* records)
{
    // A work list, not recursion: a branch may be hundreds of generations high.
    std::vector<CDiagAncestorElem*> work{this};
    for (std::size_t i = 0; i < work.size(); ++i) {
        CDiagAncestorElem* box = work[i];
        box->SetFlag(bits, on, records);
        for (CDiagAncestorElem* parent : {box->Father(), box->Mother()})
            if (parent)
                work.push_back(parent);
        if (box->m_subTree)
            box->m_subTree->SetFlags(bits, on, records);
    }
}

void CDiagAncestorElem::SetVisibleInBranch(bool visible)
{
    std::vector<std::pair<CDiagAncestorElem*, bool>> work{{this, visible}};
    for (std::size_t i = 0; i < work.size(); ++i) {
        const auto [box, shown] = work[i];
        box->m_visible = shown;
        if (box->m_expansion != kExpanded)
            continue;
        for (CDiagAncestorElem* parent : {box->Father(), box->Mother()})
            if (parent)
                work.emplace_back(parent, shown);
        if (box->m_subTree)
            box->m_subTree->SetVisible(shown);
    }
}

void CDiagAncestorElem::IndexBranch()
{
    std::vector<CDiagAncestorElem*> work{this};
    for (std::size_t i = 0; i < work.size(); ++i) {
        CDiagAncestorElem* box = work[i];
        if (!box->HasFlag(kElemMarked))
            m_owner.IndexElement(box->m_individual, box);
        for (CDiagAncestorElem* parent : {box->Father(), box->Mother()})
            if (parent)
                work.push_back(parent);
        if (box->m_subTree)
            box->m_subTree->IndexElements();
    }
}

int CDiagAncestorElem::CanAddParent() const
{
    const CFamRec* parents = m_individual ? m_individual->GetNextParentFamily(nullptr) : nullptr;
    if (parents && parents->GetHusband() && parents->GetWife())
        return kBothParentsShownId;
    if (IsAtDiagramLimit())
        return kAncestorLimitId;
    if (m_expansion == kCollapsed)
        return kOtherParentHiddenId;
    return 0;
}
