// diagrams/diag_family_elem.cpp: family boxes, their spouse boxes and child links: the chain of
// a person's boxes, the connector, limits and the test for adding a child.
#include "diagrams/diag_family_elem.h"

#include "diagrams/diag_owner.h"
#include "diagrams/diagram_settings.h"

#include <algorithm>

void CDiagFamilyLink::RemoveBox(const CDiagFamilyElem* box)
{
    std::erase(m_boxes, box);
}

int CDiagFamilyLink::IndexOf(const CDiagFamilyElem* box) const
{
    const auto found = std::find(m_boxes.begin(), m_boxes.end(), box);
    return found == m_boxes.end() ? -1 : int(found - m_boxes.begin());
}

CDiagLink::CDiagLink(CDiagFamilyElem* parent, CIndRec* child)
    : m_person(child), m_parent(parent), m_child(child)
{
    m_person.m_parentBox = parent;
}

CDiagLink::~CDiagLink()
{
    while (!m_boxes.empty())
        m_boxes.pop_back();
}

CDiagFamilyElem::CDiagFamilyElem(IDiagramOwner& owner, int position, int generation)
    : CDiagElem(owner, position, generation)
{
}

CDiagFamilyElem::~CDiagFamilyElem()
{
    m_owner.FamilyBoxDestroyed(*this, NextFamilyBox());
    m_links.clear();
    m_spouse.reset();
    if (m_link)
        m_link->RemoveBox(this);
}

void CDiagFamilyElem::SetRecords(CDiagFamilyLink* link, CFamRec* family)
{
    if (m_link)
        m_link->RemoveBox(this);
    m_link = link;
    if (m_link)
        m_link->AddBox(this);
    m_family = family;
}

CIndRec* CDiagFamilyElem::GetIndividual() const
{
    return m_link ? m_link->Person() : nullptr;
}

CDiagElem* CDiagFamilyElem::GetPartner() const
{
    return m_spouse.get();
}

void CDiagFamilyElem::SetSpouseBox(std::unique_ptr<CDiagDescendantElem> spouse)
{
    m_spouse = std::move(spouse);
}

CDiagLink* CDiagFamilyElem::AddChildLink(CIndRec* child)
{
    return m_links.emplace_back(std::make_unique<CDiagLink>(this, child)).get();
}

bool CDiagFamilyElem::IsFirstFamilyBox() const
{
    return !m_link || m_link->IndexOf(this) == 0;
}

CDiagFamilyElem* CDiagFamilyElem::NextFamilyBox() const
{
    if (!m_link)
        return nullptr;
    const int index = m_link->IndexOf(this);
    const auto& boxes = m_link->Boxes();
    return index >= 0 && std::size_t(index) + 1 < boxes.size() ? boxes[std::size_t(index) + 1]
                                                               : nullptr;
}

CDiagFamilyElem* CDiagFamilyElem::PreviousFamilyBox() const
{
    const int index = m_link ? m_link->IndexOf(this) : -1;
    return index > 0 ? m_link->Boxes()[std::size_t(index) - 1] : nullptr;
}

int CDiagFamilyElem::GetConnectorX() const
{
    if (!m_spouse)
        return GetCentre().x;
    if (!m_visible)
        return m_spouse->Rect().left - m_owner.SpouseLinesGap() / 2;
    return GapMidpoint(m_rect, m_spouse->Rect()).x;
}

bool CDiagFamilyElem::IsAtDiagramLimit(bool* descendantSide) const
{
    if (descendantSide)
        *descendantSide = true;
    return m_expansion != kExpanded && m_owner.IsAtDescendantLimit(m_generation);
}

int CDiagFamilyElem::CanAddChild() const
{
    if (IsAtDiagramLimit())
        return kChildrenNotAllowedId;
    if (m_expansion == kCollapsed)
        return kOtherChildrenHiddenId;
    return 0;
}

void CDiagFamilyElem::RegisterSpouseBox(std::unique_ptr<CDiagDescendantElem> spouse,
                                        IBoxPainter* measurer)
{
    m_spouse = std::move(spouse);
    if (!m_spouse)
        return;
    const CDiagElem* root = m_owner.RootElement();
    if (m_link && m_link == m_owner.RootFamilyLink() && root && root->GetFamily() == m_family)
        m_spouse->SetFlag(kElemRepeat, true);
    m_spouse->Measure(measurer, true);
}

CDiagDescendantElem::CDiagDescendantElem(CDiagFamilyElem& family, CIndRec* spouse)
    : CDiagElem(family.Owner(), family.GetPosition(), family.GetGeneration()), m_familyBox(family),
      m_individual(spouse)
{
    m_expansion = kExpanded;
    m_visible = family.IsVisible();
}
