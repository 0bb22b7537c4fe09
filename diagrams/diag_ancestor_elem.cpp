// diagrams/diag_ancestor_elem.cpp: ancestor boxes: their parents' boxes, partner, limits, the
// branch-wide flag, visibility and index walks, and the test for adding a parent.
#include "diagrams/diag_ancestor_elem.h"

#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diagram_settings.h"

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
    SetFlag(bits, on, records);
    for (CDiagAncestorElem* parent : {m_father.get(), m_mother.get()})
        if (parent)
            parent->SetFlagsInBranch(bits, on, records);
    if (m_subTree)
        m_subTree->SetFlags(bits, on, records);
}

void CDiagAncestorElem::SetVisibleInBranch(bool visible)
{
    m_visible = visible;
    if (m_expansion != kExpanded)
        return;
    for (CDiagAncestorElem* parent : {m_father.get(), m_mother.get()})
        if (parent)
            parent->SetVisibleInBranch(visible);
    if (m_subTree)
        m_subTree->SetVisible(visible);
}

void CDiagAncestorElem::IndexBranch()
{
    if (!HasFlag(kElemMarked))
        m_owner.IndexElement(m_individual, this);
    for (CDiagAncestorElem* parent : {m_father.get(), m_mother.get()})
        if (parent)
            parent->IndexBranch();
    if (m_subTree)
        m_subTree->IndexElements();
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
