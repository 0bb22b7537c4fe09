// diagrams/diag_tree_builder.h: the builder's working state, shared by the builds, the opening
// of branches and the bringing up to date of trees: the boxes waiting for their families or
// parents (work lists, never recursion), the box budget, and the layout row of a generation.
#pragma once

#include "common/abort.h"
#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diagram_settings.h"

#include <algorithm>
#include <memory>
#include <vector>

/// A family box waiting for its spouse box and children, with the generations left below it.
struct PendingLink {
    CDiagLink* link;
    int depth;
};
/// An ancestor box waiting for its parents, with the generations left above it.
struct PendingAncestor {
    CDiagAncestorElem* box;
    CDiagTree* tree;
    int generations;
};

class CTreeBuilder {
public:
    CTreeBuilder(CDiagRowSet& rowSet, IBoxPainter* measurer)
        : m_rowSet(rowSet), m_owner(rowSet.Owner()), m_settings(m_owner.Settings()),
          m_type(m_settings.m_diagramType)
    {
        if (!measurer) {
            m_ownMeasurer = m_owner.CreateMeasurer();
            measurer = m_ownMeasurer.get();
        }
        m_measurer = measurer;
    }

    /// One more box; past the budget the build is abandoned.
    void Count()
    {
        if (++m_rowSet.m_boxCount > m_rowSet.m_boxBudget)
            ThrowAbort();
    }

    /// The layout row of a tree's generation.
    int RowOf(const CDiagTree& tree, int generation) const
    {
        if (!m_rowSet.m_bands.IsRelatives())
            return generation + std::max(0, tree.m_generationOffset);
        int first = 0, last = 0;
        const int band = tree.m_generationOffset + generation;
        if (!m_rowSet.m_bands.GetBandRows(std::min(band, m_rowSet.m_bands.LastBand()), first, last))
            first = band;
        return first;
    }

    CDiagLink* AddRootLink(CDiagTree& tree, CIndRec* person, int depth)
    {
        auto& link = tree.m_rootLinks.emplace_back(std::make_unique<CDiagLink>(nullptr, person));
        m_pendingLinks.push_back({link.get(), depth});
        m_linkRows.push_back(RowOf(tree, 0));
        return link.get();
    }

    /// Makes the family boxes of a link (one without family when the person has none, or when
    /// spouses are not shown), their spouse boxes and child links, for every link pending.
    void BuildLinks()
    {
        while (!m_pendingLinks.empty()) {
            const PendingLink pending = m_pendingLinks.back();
            const int row = m_linkRows.back();
            m_pendingLinks.pop_back();
            m_linkRows.pop_back();
            BuildFamilies(*pending.link, pending.depth, row);
        }
    }

    void BuildFamilies(CDiagLink& link, int depth, int row)
    {
        CIndRec* person = link.Child();
        const int generation = link.Parent() ? link.Parent()->GetGeneration() - 1 : 0;
        std::vector<CFamRec*> families;
        if (m_settings.m_spouseOption != 0 && m_type != kAncestorsDiagram && person)
            for (CFamRec* family = person->GetNextSpouseFamily(nullptr); family;
                 family = person->GetNextSpouseFamily(family))
                families.push_back(family);
        if (families.empty())
            families.push_back(nullptr);
        for (CFamRec* family : families) {
            Count();
            auto& owned = link.m_boxes.emplace_back(
                std::make_unique<CDiagFamilyElem>(m_owner, row, generation));
            CDiagFamilyElem& box = *owned;
            box.SetRecords(&link.m_person, family);
            box.Measure(m_measurer, true);
            BuildFamilyBox(box, depth, row);
        }
    }

    /// The spouse box and the child links of a family box.
    void BuildFamilyBox(CDiagFamilyElem& box, int depth, int row)
    {
        CIndRec* person = box.GetIndividual();
        CFamRec* family = box.GetFamily();
        if (m_settings.m_spouseOption == 2 && family && m_type != kAncestorsDiagram) {
            CIndRec* spouse =
                person && person->GetSex() == SEX_FEMALE ? family->GetHusband() : family->GetWife();
            if (m_settings.m_duplicatesWithSpouses && !box.HasFlag(kElemRepeat))
                spouse = nullptr;
            Count();
            auto spouseBox = std::make_unique<CDiagDescendantElem>(box, spouse);
            if (box.HasFlag(kElemRepeat))
                spouseBox->SetFlag(kElemRepeat, true);
            box.RegisterSpouseBox(std::move(spouseBox), m_measurer);
        }
        BuildChildren(box, depth, row);
    }

    void BuildChildren(CDiagFamilyElem& box, int depth, int row)
    {
        std::vector<CIndRec*> children;
        if (CFamRec* family = box.GetFamily()) {
            for (CIndRec* child = family->GetNextChild(nullptr); child;
                 child = family->GetNextChild(child))
                children.push_back(child);
        } else if (CIndRec* person = box.GetIndividual()) {
            CFamRec* walk = nullptr;
            for (CIndRec* child = person->GetNextChild(walk, nullptr, false); child;
                 child = person->GetNextChild(walk, child, false))
                children.push_back(child);
        }
        if (children.empty()) {
            box.SetExpansion(kNothingToExpand);
            return;
        }
        if (depth < 1) {
            box.SetExpansion(kCollapsed);
            return;
        }
        box.SetExpansion(kExpanded);
        for (CIndRec* child : children) {
            m_pendingLinks.push_back({box.AddChildLink(child), depth - 1});
            m_linkRows.push_back(row - 1);
        }
    }

    /// The parents' boxes of a family as the tree's generation-1 boxes, with n generations.
    void BuildParents(CDiagTree& tree, CFamRec* family, int generations)
    {
        tree.m_parentGenerations = generations;
        if (!family || generations < 1)
            return;
        const int row = RowOf(tree, 1);
        if (CIndRec* husband = family->GetHusband()) {
            Count();
            tree.m_father = std::make_unique<CDiagAncestorElem>(m_owner, row, 1);
            m_pendingAncestors.push_back({tree.m_father.get(), &tree, generations - 1});
            tree.m_father->SetRecords(nullptr, husband, husband->GetNextParentFamily(nullptr));
        }
        if (CIndRec* wife = family->GetWife()) {
            Count();
            tree.m_mother = std::make_unique<CDiagAncestorElem>(m_owner, row, 1);
            m_pendingAncestors.push_back({tree.m_mother.get(), &tree, generations - 1});
            tree.m_mother->SetRecords(nullptr, wife, wife->GetNextParentFamily(nullptr));
        }
    }

    /// Measures each pending ancestor box and gives it its parents' boxes (or, in an All
    /// Relatives diagram, its relatives tree).
    void BuildAncestors()
    {
        while (!m_pendingAncestors.empty()) {
            const PendingAncestor pending = m_pendingAncestors.back();
            m_pendingAncestors.pop_back();
            BuildAncestor(*pending.box, *pending.tree, pending.generations);
        }
    }

    void BuildAncestor(CDiagAncestorElem& box, CDiagTree& tree, int generations)
    {
        box.Measure(m_measurer, true);
        const CFamRec* family = box.GetFamily();
        CIndRec* father = family ? family->GetHusband() : nullptr;
        CIndRec* mother = family ? family->GetWife() : nullptr;
        if (!father && !mother) {
            box.SetExpansion(kNothingToExpand);
            return;
        }
        if (generations < 1) {
            box.SetExpansion(kCollapsed);
            return;
        }
        box.SetExpansion(kExpanded);
        if (m_type == kAllRelativesDiagram) {
            BuildRelativesTree(box, tree, generations);
            return;
        }
        const int row = box.GetPosition() + 1;
        const int generation = box.GetGeneration() + 1;
        if (father) {
            Count();
            box.SetFather(std::make_unique<CDiagAncestorElem>(m_owner, row, generation));
            box.Father()->SetRecords(&box, father, father->GetNextParentFamily(nullptr));
            m_pendingAncestors.push_back({box.Father(), &tree, generations - 1});
        }
        if (mother) {
            Count();
            box.SetMother(std::make_unique<CDiagAncestorElem>(m_owner, row, generation));
            box.Mother()->SetRecords(&box, mother, mother->GetNextParentFamily(nullptr));
            m_pendingAncestors.push_back({box.Mother(), &tree, generations - 1});
        }
    }

    /// The tree of an ancestor's siblings and their descendants, hanging from the ancestor's
    /// box (father side left of its tree, mother side right), with its own parents above.
    void BuildRelativesTree(CDiagAncestorElem& box, CDiagTree& tree, int generations)
    {
        auto owned = std::make_unique<CDiagTree>(m_owner, m_rowSet, &box);
        CDiagTree& sub = *owned;
        sub.m_nesting = tree.m_nesting + 1;
        sub.m_generationOffset = tree.m_generationOffset + box.GetGeneration();
        sub.m_band = sub.m_generationOffset;
        sub.m_rootIndividual = box.GetIndividual();
        const bool fatherSide =
            box.Child() ? box.Child()->Father() == &box : tree.m_father.get() == &box;
        m_rowSet.InsertTree(&sub, &tree, !fatherSide);
        box.SetSubTree(std::move(owned));

        // The siblings fill the rows of the band below that its own generation leaves free.
        const CGenerationBands& bands = m_rowSet.m_bands;
        const int freeRows = bands.GetBandBaseRow(sub.m_band - 1);
        const int depth = std::max(0, std::min(m_rowSet.m_descendantGenerations, freeRows) - 1);
        sub.m_rootLinkDepth = depth;
        CFamRec* family = box.GetFamily();
        CDiagLink* own = nullptr;
        if (family) {
            for (CIndRec* child = family->GetNextChild(nullptr); child;
                 child = family->GetNextChild(child)) {
                CDiagLink* link = AddRootLink(sub, child, depth);
                if (child == box.GetIndividual() && !own)
                    own = link;
            }
        }
        if (!own)
            own = AddRootLink(sub, box.GetIndividual(), depth);
        BuildLinks();
        if (!own->m_boxes.empty()) {
            sub.m_rootElement = own->m_boxes.front().get();
            sub.m_rootElement->SetFlag(kElemRoot | kElemRepeat, true);
        }
        BuildParents(sub, family, generations);
    }

    CDiagRowSet& m_rowSet;
    IDiagramOwner& m_owner;
    const CDiagramSettings& m_settings;
    int m_type;
    IBoxPainter* m_measurer = nullptr;
    std::unique_ptr<IBoxPainter> m_ownMeasurer;
    std::vector<PendingLink> m_pendingLinks;
    std::vector<int> m_linkRows;
    std::vector<PendingAncestor> m_pendingAncestors;
};
