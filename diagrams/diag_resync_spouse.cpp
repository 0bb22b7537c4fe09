// diagrams/diag_resync_spouse.cpp: converting every person's marriage boxes to a new "Spouse
// Option" (0 one box per person, 1 one box per marriage, 2 marriage boxes with spouse boxes).
// Going to 0 gathers the children of all marriages under the first box; coming back from 0
// gives each child link back to the box of its own family.
#include "common/abort.h"
#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diag_resync.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diag_tree_walk.h"
#include "diagrams/diagram_settings.h"

#include <algorithm>
#include <new>
#include <unordered_set>

namespace {

using LinkList = std::vector<std::unique_ptr<CDiagLink>>;

class CSpouseConversion {
public:
    CSpouseConversion(CDiagRowSet& rowSet, IBoxPainter* measurer, int oldOption, int newOption)
        : m_rowSet(rowSet), m_owner(rowSet.Owner()), m_settings(m_owner.Settings()),
          m_measurer(measurer), m_old(oldOption), m_new(newOption)
    {
        if (!m_measurer) {
            m_ownMeasurer = m_owner.CreateMeasurer();
            m_measurer = m_ownMeasurer.get();
        }
    }

    /// Converts the links of every tree, from the root rows down.
    void Run()
    {
        for (CDiagTree* tree : m_rowSet.Trees()) {
            std::vector<CDiagLink*> work;
            for (const auto& link : tree->m_rootLinks)
                work.push_back(link.get());
            for (std::size_t i = 0; i < work.size(); ++i) {
                Convert(*work[i]);
                for (const auto& box : work[i]->m_boxes)
                    for (const auto& child : box->ChildLinks())
                        work.push_back(child.get());
            }
        }
    }

    bool m_changed = false;

private:
    bool SingleBox() const { return m_new == 2 && !m_settings.m_duplicatesWithSpouses; }

    void Convert(CDiagLink& link)
    {
        if (link.m_boxes.empty())
            return;
        if (m_old == 2 && m_new != 2)
            LeaveSpouses(link);
        if (m_new == 0 && m_old != 0)
            GatherUnderFirst(link);
        else if (m_old == 0 && m_new != 0)
            SpreadOverFamilies(link);
        if (m_new == 2)
            EnterSpouses(link);
    }

    void LeaveSpouses(CDiagLink& link)
    {
        const bool visible = link.m_boxes.front()->IsVisible();
        for (const auto& box : link.m_boxes) {
            box->SetVisible(visible);
            if (box->SpouseBox()) {
                box->SetSpouseBox(nullptr);
                m_changed = true;
            }
        }
    }

    void GatherUnderFirst(CDiagLink& link)
    {
        CDiagFamilyElem& first = *link.m_boxes.front();
        bool expanded = false;
        for (const auto& box : link.m_boxes)
            expanded |= box->GetExpansion() == kExpanded;
        LinkList& into = first.MutableChildLinks();
        for (std::size_t i = 1; i < link.m_boxes.size(); ++i)
            for (auto& child : link.m_boxes[i]->MutableChildLinks()) {
                child->SetParent(&first);
                into.push_back(std::move(child));
            }
        while (link.m_boxes.size() > 1)
            link.m_boxes.pop_back();
        first.SetRecords(&link.m_person, nullptr);
        m_changed = true;
        CFamRec* walk = nullptr;
        const CIndRec* person = link.Child();
        const bool anyChild = person && person->GetNextChild(walk, nullptr, false);
        first.SetExpansion(expanded ? kExpanded
                                    : (!into.empty() || anyChild ? kCollapsed : kNothingToExpand));
        SetChildrenVisible(first, first.IsVisible() && expanded);
    }

    /// The children of a family, for matching child links to it.
    static std::unordered_set<const CIndRec*> ChildrenOf(const CFamRec* family)
    {
        std::unordered_set<const CIndRec*> children;
        for (CIndRec* child = family->GetNextChild(nullptr); child;
             child = family->GetNextChild(child))
            children.insert(child);
        return children;
    }

    void SpreadOverFamilies(CDiagLink& link)
    {
        CIndRec* person = link.Child();
        if (!person || m_settings.m_diagramType == kAncestorsDiagram)
            return;
        std::vector<CFamRec*> families;
        for (CFamRec* family = person->GetNextSpouseFamily(nullptr); family;
             family = person->GetNextSpouseFamily(family))
            families.push_back(family);
        if (families.empty())
            return;
        CDiagFamilyElem& first = *link.m_boxes.front();
        first.SetRecords(&link.m_person, families.front());
        const int state = first.GetExpansion();
        m_changed = true;
        for (std::size_t f = 1; f < families.size(); ++f) {
            auto& box = link.m_boxes.emplace_back(std::make_unique<CDiagFamilyElem>(
                m_owner, first.GetPosition(), first.GetGeneration()));
            box->SetRecords(&link.m_person, families[f]);
            box->SetVisible(first.IsVisible());
            box->SetExpansion(state);
            box->Measure(m_measurer, true);
        }
        // Each child link goes back to the box of its own family (the first that has it).
        LinkList gathered = std::move(first.MutableChildLinks());
        first.MutableChildLinks().clear();
        std::vector<std::unordered_set<const CIndRec*>> children;
        for (CFamRec* family : families)
            children.push_back(ChildrenOf(family));
        for (auto& child : gathered) {
            std::size_t owner = 0;
            for (std::size_t f = 0; f < families.size(); ++f)
                if (children[f].contains(child->Child())) {
                    owner = f;
                    break;
                }
            CDiagFamilyElem& box = *link.m_boxes[owner];
            child->SetParent(&box);
            box.MutableChildLinks().push_back(std::move(child));
        }
        for (std::size_t f = 0; f < families.size(); ++f) {
            CDiagFamilyElem& box = *link.m_boxes[f];
            if (children[f].empty())
                box.SetExpansion(kNothingToExpand);
            else if (box.ChildLinks().empty() && box.GetExpansion() != kNothingToExpand)
                box.SetExpansion(kCollapsed);
            else if (box.GetExpansion() == kNothingToExpand)
                box.SetExpansion(kCollapsed);
        }
    }

    void EnterSpouses(CDiagLink& link)
    {
        const bool visible = link.m_boxes.front()->IsVisible();
        for (std::size_t i = 0; i < link.m_boxes.size(); ++i) {
            CDiagFamilyElem& box = *link.m_boxes[i];
            if (SingleBox() && i > 0 && box.IsVisible()) {
                box.SetVisible(false);
                m_changed = true;
            }
            CFamRec* family = box.GetFamily();
            if (!family || box.SpouseBox())
                continue;
            CIndRec* person = box.GetIndividual();
            CIndRec* spouse =
                person && person->GetSex() == SEX_FEMALE ? family->GetHusband() : family->GetWife();
            if (m_settings.m_duplicatesWithSpouses && !box.HasFlag(kElemRepeat))
                spouse = nullptr;
            auto spouseBox = std::make_unique<CDiagDescendantElem>(box, spouse);
            if (box.HasFlag(kElemRepeat))
                spouseBox->SetFlag(kElemRepeat, true);
            box.RegisterSpouseBox(std::move(spouseBox), m_measurer);
            box.SpouseBox()->SetVisible(visible);
            m_changed = true;
        }
    }

    CDiagRowSet& m_rowSet;
    IDiagramOwner& m_owner;
    const CDiagramSettings& m_settings;
    IBoxPainter* m_measurer;
    std::unique_ptr<IBoxPainter> m_ownMeasurer;
    int m_old;
    int m_new;
};

} // namespace

bool DiagRebuildAndInvalidate(CDiagRowSet& rowSet, IBoxPainter* measurer, int oldOption,
                              int newOption, CDiagRepaint& repaint)
{
    CDiagTree* main = rowSet.MainTree();
    if (!main)
        return true;
    const int type = rowSet.Owner().Settings().m_diagramType;
    try {
        // Positions are kept while every box still stands: the conversion deletes some, and
        // the rows point at them until they are refilled.
        for (CDiagTree* tree : rowSet.Trees())
            tree->SaveBoxPositions(kDescendantSide);
        if (oldOption != newOption && type != kAncestorsDiagram) {
            CSpouseConversion conversion(rowSet, measurer, oldOption, newOption);
            conversion.Run();
            rowSet.m_dirty |= conversion.m_changed;
        }
        for (CDiagTree* tree : rowSet.Trees()) {
            if (tree->m_rootElement &&
                (tree->IsSecondary() || (type == kAncestorsDiagram && !tree->m_rootFamily)))
                tree->m_rootElement->SetExpansion(kNothingToExpand);
            if (!tree->Relayout(0, false, false))
                ThrowAbort();
            const std::vector<CRect> changed = tree->ChangedBoxes(kDescendantSide);
            repaint.areas.insert(repaint.areas.end(), changed.begin(), changed.end());
            tree->TrimEmptyRows();
        }
        // Rows were refilled, added and trimmed: the index must not keep any of the old ones.
        rowSet.RebuildIndex();
        if (type == kAllRelativesDiagram && rowSet.m_dirty && rowSet.Trees().size() > 1) {
            DiagRebuildAll(rowSet, nullptr, repaint);
            repaint.whole = true;
        } else if (type != kAncestorsAndDescendantsDiagram && type != kAllRelativesDiagram) {
            repaint.whole = true;
        }
        rowSet.m_laidOut = true;
        return true;
    } catch (const COperationAborted&) {
    } catch (const std::bad_alloc&) {
    }
    return false;
}
