// diagrams/diag_builder.cpp: building diagram trees: the root row's links, each person's family
// boxes with spouse boxes and child links, the ancestor boxes, the relatives trees of All
// Relatives diagrams, the finishing steps, and opening and closing branches. Every walk is a
// work list, so the depth of the data never deepens the stack.
#include "diagrams/diag_builder.h"

#include "common/abort.h"
#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "diagrams/diag_compact.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diag_tree_builder.h"
#include "diagrams/diag_tree_walk.h"
#include "diagrams/diagram_settings.h"

#include <algorithm>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>

namespace {

/// The height every box of the diagram gets: the tallest measured text, at least the default.
int DiagramBoxHeight(const CDiagRowSet& rowSet)
{
    const IDiagramOwner& owner = rowSet.Owner();
    const CDiagramSettings& settings = owner.Settings();
    int height = std::max(owner.Scaled(settings.m_defaultBoxHeight), owner.BoxHeight());
    const int margins =
        owner.Scaled(settings.m_boxMarginTop) + owner.Scaled(settings.m_boxMarginBottom);
    for (const CDiagTree* tree : rowSet.Trees())
        ForEachBox(*tree, false, [&](CDiagElem& box) {
            height = std::max(height, box.MeasuredLines() * box.LineHeight() + margins);
        });
    return height;
}

/// Finishing steps over every tree: buttons of the roots, visibility, rows and placement, the
/// index and, with several trees, the compaction.
void FinishBuild(CDiagRowSet& rowSet)
{
    const int type = rowSet.Owner().Settings().m_diagramType;
    CDiagTree& main = *rowSet.MainTree();
    for (CDiagTree* tree : rowSet.Trees())
        if (tree->IsSecondary() && tree->m_rootElement)
            tree->m_rootElement->SetExpansion(kNothingToExpand);
    if (type == kAncestorsDiagram && main.m_rootIndividual && main.m_rootElement)
        main.m_rootElement->SetExpansion(kNothingToExpand);
    if (type == kDescendantsDiagram && main.m_rootFamily)
        for (CDiagAncestorElem* parent : {main.m_father.get(), main.m_mother.get()})
            if (parent)
                parent->SetExpansion(kNothingToExpand);
    SetTreeVisible(main, true);
    rowSet.m_boxHeight = DiagramBoxHeight(rowSet);
    for (CDiagTree* tree : rowSet.Trees()) {
        tree->SaveBoxPositions(kBothSides);
        if (!tree->Relayout(0, true, true))
            ThrowAbort();
    }
    rowSet.m_laidOut = true;
    rowSet.RebuildIndex();
    if (rowSet.Trees().size() > 1) {
        DiagRowPass(rowSet, true);
        DiagMeasure(rowSet);
        DiagRowsFinish(rowSet);
    }
}

void StartBuild(CDiagRowSet& rowSet, int& ancestors, int& descendants)
{
    // A build replaces the whole diagram, and the trees a failed build left.
    rowSet.DiagFreeRows();
    const CDiagramSettings& settings = rowSet.Owner().Settings();
    const int type = settings.m_diagramType;
    ancestors = type == kDescendantsDiagram ? 0 : rowSet.m_ancestorGenerations;
    descendants = type == kAncestorsDiagram ? 0 : rowSet.m_descendantGenerations;
    rowSet.m_bands = CGenerationBands(settings, rowSet.m_ancestorGenerations);
    rowSet.m_boxCount = 0;
}

/// Runs a build to its end, or abandons it whatever went wrong: the trees made so far are
/// freed, and the row set says why.
template <class Build> int RunBuild(CDiagRowSet& rowSet, Build build)
{
    rowSet.m_buildFailure = DiagBuildFailure::None;
    rowSet.m_buildFault.clear();
    try {
        build();
        FinishBuild(rowSet);
        return 1;
    } catch (const COperationAborted&) {
        rowSet.m_buildFailure = rowSet.m_boxCount > rowSet.m_boxBudget
                                    ? DiagBuildFailure::TooManyBoxes
                                    : DiagBuildFailure::Fault;
    } catch (const std::bad_alloc&) {
        rowSet.m_buildFailure = DiagBuildFailure::OutOfMemory;
    } catch (const std::length_error&) {
        rowSet.m_buildFailure = DiagBuildFailure::OutOfMemory;
    } catch (const std::exception& fault) {
        rowSet.m_buildFailure = DiagBuildFailure::Fault;
        rowSet.m_buildFault = fault.what();
    } catch (...) {
        rowSet.m_buildFailure = DiagBuildFailure::Fault;
    }
    rowSet.DropMainTree();
    rowSet.DiagFreeRows();
    return 0;
}

} // namespace

std::string DiagBuildFailureText(const CDiagRowSet& rowSet)
{
    switch (rowSet.m_buildFailure) {
    case DiagBuildFailure::TooManyBoxes:
        return "The diagram is too large to display: it would need more than " +
               std::to_string(rowSet.m_boxBudget) +
               " boxes.\nChange 'Tree View Options' to display fewer generations.";
    case DiagBuildFailure::Fault:
        return "An error has occurred.  The diagram could not be built" +
               (rowSet.m_buildFault.empty() ? std::string(".") : " (" + rowSet.m_buildFault + ").");
    case DiagBuildFailure::None:
    case DiagBuildFailure::OutOfMemory:
        break;
    }
    return kInsufficientMemoryTreeText;
}

int DiagBuildFromRoot(CDiagRowSet& rowSet, CIndRec* person, IBoxPainter* measurer)
{
    if (!person)
        return 0;
    int ancestors = 0, descendants = 0;
    StartBuild(rowSet, ancestors, descendants);
    rowSet.m_rootedAtCouple = false;
    return RunBuild(rowSet, [&] {
        CTreeBuilder builder(rowSet, measurer);
        const int type = builder.m_type;
        CDiagTree& tree =
            *rowSet.SetMainTree(std::make_unique<CDiagTree>(rowSet.Owner(), rowSet, nullptr));
        tree.m_band = tree.m_generationOffset = 0;
        tree.m_rootIndividual = person;
        CFamRec* parents = person->GetNextParentFamily(nullptr);
        rowSet.InsertTree(&tree, nullptr, false);
        CDiagLink* own = nullptr;
        tree.m_rootLinkDepth = type == kAncestorsDiagram ? 0 : descendants - 1;
        if (type == kAncestorsDiagram) {
            own = builder.AddRootLink(tree, person, 0);
        } else if (type == kDescendantsDiagram || !parents) {
            own = builder.AddRootLink(tree, person, descendants - 1);
        } else {
            const bool siblingsOpen =
                type == kAllRelativesDiagram || rowSet.Owner().Settings().m_expandSiblingBranches;
            for (CIndRec* child = parents->GetNextChild(nullptr); child;
                 child = parents->GetNextChild(child)) {
                const bool root = child == person;
                CDiagLink* link =
                    builder.AddRootLink(tree, child, root || siblingsOpen ? descendants - 1 : 0);
                if (root && !own)
                    own = link;
            }
            if (!own)
                own = builder.AddRootLink(tree, person, descendants - 1);
        }
        builder.BuildLinks();
        if (!own->m_boxes.empty()) {
            tree.m_rootElement = own->m_boxes.front().get();
            tree.m_rootElement->SetFlag(kElemRoot, true);
        }
        tree.m_parentGenerations = type == kAncestorsDiagram     ? ancestors - 1
                                   : type == kDescendantsDiagram ? 0
                                                                 : ancestors;
        if (parents) {
            if (type == kAncestorsDiagram && ancestors >= 2)
                builder.BuildParents(tree, parents, ancestors - 1);
            else if (type != kAncestorsDiagram && type != kDescendantsDiagram)
                builder.BuildParents(tree, parents, ancestors);
        }
        builder.BuildAncestors();
    });
}

int DiagBuildFromRootParents(CDiagRowSet& rowSet, CFamRec* family, IBoxPainter* measurer)
{
    if (!family)
        return 0;
    int ancestors = 0, descendants = 0;
    StartBuild(rowSet, ancestors, descendants);
    rowSet.m_rootedAtCouple = true;
    return RunBuild(rowSet, [&] {
        CTreeBuilder builder(rowSet, measurer);
        const int type = builder.m_type;
        CDiagTree& tree =
            *rowSet.SetMainTree(std::make_unique<CDiagTree>(rowSet.Owner(), rowSet, nullptr));
        tree.m_band = tree.m_generationOffset = 0;
        tree.m_rootFamily = family;
        tree.m_rootLinkDepth = descendants - 1;
        rowSet.InsertTree(&tree, nullptr, false);
        if (type != kAncestorsDiagram)
            for (CIndRec* child = family->GetNextChild(nullptr); child;
                 child = family->GetNextChild(child))
                builder.AddRootLink(tree, child, descendants - 1);
        builder.BuildLinks();
        const int generations = type == kDescendantsDiagram ? 1 : rowSet.m_ancestorGenerations;
        builder.BuildParents(tree, family, generations);
        for (CDiagAncestorElem* parent : {tree.m_father.get(), tree.m_mother.get()})
            if (parent)
                parent->SetFlag(kElemRoot, true);
        tree.m_rootElement =
            tree.m_father ? static_cast<CDiagElem*>(tree.m_father.get()) : tree.m_mother.get();
        builder.BuildAncestors();
    });
}

bool DiagExpandElement(CDiagRowSet& rowSet, CDiagElem& element, IBoxPainter* measurer)
{
    CDiagElem* target = &element;
    if (element.GetKind() == kSpouseElem)
        target = &static_cast<CDiagDescendantElem&>(element).FamilyBox();
    if (target->GetExpansion() == kNothingToExpand || !rowSet.MainTree())
        return true;
    const int type = rowSet.Owner().Settings().m_diagramType;
    rowSet.m_boxCount = DiagCountBoxes(rowSet);
    try {
        CTreeBuilder builder(rowSet, measurer);
        if (target->GetKind() == kFamilyElem) {
            auto& box = static_cast<CDiagFamilyElem&>(*target);
            if (box.GetExpansion() == kExpanded) {
                box.SetExpansion(box.ChildLinks().empty() ? kNothingToExpand : kCollapsed);
                SetChildrenVisible(box, false);
            } else {
                if (box.ChildLinks().empty()) {
                    builder.BuildChildren(box, 1, box.GetPosition());
                    builder.BuildLinks();
                }
                box.SetExpansion(box.ChildLinks().empty() ? kNothingToExpand : kExpanded);
                SetChildrenVisible(box, box.SpouseBox() ? box.SpouseBox()->IsVisible()
                                                        : box.IsVisible());
            }
        } else if (target->GetKind() == kAncestorElem) {
            auto& box = static_cast<CDiagAncestorElem&>(*target);
            const bool hasBranch = box.Father() || box.Mother() || box.SubTree();
            if (box.GetExpansion() == kExpanded) {
                box.SetExpansion(kCollapsed);
            } else if (!hasBranch) {
                CDiagTree* tree = nullptr;
                for (CDiagTree* candidate : rowSet.Trees()) {
                    ForEachAncestorBox(*candidate, [&](CDiagAncestorElem& found) {
                        if (&found == &box)
                            tree = candidate;
                    });
                    if (tree)
                        break;
                }
                if (!tree)
                    return false;
                builder.BuildAncestor(box, *tree, 1);
                builder.BuildAncestors();
                if (type == kAllRelativesDiagram && box.SubTree())
                    SetTreeVisible(*static_cast<CDiagTree*>(box.SubTree()), true);
            } else {
                box.SetExpansion(kExpanded);
            }
            SetAncestorBranchVisible(box, box.IsVisible());
        }
        rowSet.m_boxHeight = DiagramBoxHeight(rowSet);
        for (CDiagTree* tree : rowSet.Trees()) {
            tree->SaveBoxPositions(kBothSides);
            if (!tree->Relayout(0, true, true))
                ThrowAbort();
        }
        rowSet.RebuildIndex();
        if (rowSet.Trees().size() > 1) {
            DiagRowPass(rowSet, true);
            DiagMeasure(rowSet);
            DiagRowsFinish(rowSet);
        }
        return true;
    } catch (const COperationAborted&) {
    } catch (const std::bad_alloc&) {
    }
    if (target->GetKind() == kAncestorElem) {
        auto& box = static_cast<CDiagAncestorElem&>(*target);
        box.SetSubTree(nullptr);
        box.SetFather(nullptr);
        box.SetMother(nullptr);
    }
    target->SetExpansion(kCollapsed);
    return false;
}
