// diagrams/diag_update.cpp: bringing trees up to date after an edit, with work lists.
#include "diagrams/diag_update.h"

#include "diagrams/diag_compact.h"
#include "diagrams/diag_tree_builder.h"
#include "diagrams/diag_tree_walk.h"

#include <new>
#include <unordered_map>
#include <unordered_set>

void CDiagRefreshList::Add(CDiagElem* box)
{
    if (std::find(boxes.begin(), boxes.end(), box) != boxes.end())
        return;
    ++count;
    if (int(boxes.size()) < kEntries)
        boxes.push_back(box);
}

namespace {

bool Deleted(const CDataNode* record)
{
    return record && record->HasFlag(DNF_PENDING_DELETE);
}

bool Changed(const CDataNode* record)
{
    return record && record->IsChanged();
}

/// A record that is not being deleted, else null.
template <class T> T* Standing(T* record)
{
    return Deleted(record) ? nullptr : record;
}

class CTreeUpdater {
public:
    CTreeUpdater(CDiagRowSet& rowSet, CDiagRefreshList& refresh, IBoxPainter* measurer)
        : m_rowSet(rowSet), m_refresh(refresh), m_builder(rowSet, measurer),
          m_settings(rowSet.Owner().Settings())
    {
    }

    void Run()
    {
        std::vector<CDiagTree*> trees{m_rowSet.MainTree()};
        for (std::size_t t = 0; t < trees.size(); ++t) {
            CDiagTree& tree = *trees[t];
            UpdateRoot(tree);
            // Ancestors first; their relatives trees join the list.
            std::vector<CDiagAncestorElem*> work;
            for (CDiagAncestorElem* parent : {tree.m_father.get(), tree.m_mother.get()})
                if (parent)
                    work.push_back(parent);
            for (std::size_t i = 0; i < work.size(); ++i)
                UpdateAncestor(tree, *work[i], work, trees);
            m_builder.BuildAncestors();
            // Then the descendant side, from the root row down.
            std::vector<CDiagLink*> links;
            for (const auto& link : tree.m_rootLinks)
                links.push_back(link.get());
            for (std::size_t i = 0; i < links.size(); ++i)
                UpdateLink(tree, *links[i], links);
            m_builder.BuildLinks();
        }
    }

    bool m_changed = false;

private:
    void UpdateRoot(CDiagTree& tree)
    {
        const int type = m_settings.m_diagramType;
        CFamRec* family = tree.m_rootFamily;
        CIndRec* root = tree.m_rootIndividual;
        if (!family && root)
            family = Standing(root->GetNextParentFamily(nullptr));
        if (tree.IsSecondary())
            family = Standing(tree.m_attachedTo->GetFamily());
        // The root row's people.
        std::vector<CIndRec*> people;
        const bool couple = tree.m_rootFamily != nullptr;
        if (couple) {
            if (type != kAncestorsDiagram && !Deleted(family))
                for (CIndRec* child = family->GetNextChild(nullptr); child;
                     child = family->GetNextChild(child))
                    people.push_back(child);
        } else if (family && (tree.IsSecondary() || type == kAncestorsAndDescendantsDiagram ||
                              type == kAllRelativesDiagram)) {
            for (CIndRec* child = family->GetNextChild(nullptr); child;
                 child = family->GetNextChild(child))
                if (!Deleted(child))
                    people.push_back(child);
            if (std::find(people.begin(), people.end(), root) == people.end())
                people.push_back(root);
        } else if (root) {
            people.push_back(root);
        }
        const bool siblingsOpen = type == kAllRelativesDiagram || tree.IsSecondary() ||
                                  m_settings.m_expandSiblingBranches;
        MatchLinks(tree.m_rootLinks, people, nullptr, [&](CIndRec* person) {
            return person == root || siblingsOpen || couple ? tree.m_rootLinkDepth : 0;
        });
        if (!couple && root) {
            for (const auto& link : tree.m_rootLinks)
                if (link->Child() == root && !link->m_boxes.empty() &&
                    link->m_boxes.front().get() != tree.m_rootElement) {
                    tree.m_rootElement = nullptr; // set again once its boxes exist
                }
        }
        // The generation-1 boxes: the root couple, or the root's parents.
        const bool parentsShown =
            couple || (type != kDescendantsDiagram && !tree.IsSecondary()) || tree.IsSecondary();
        CIndRec* husband = family && parentsShown ? Standing(family->GetHusband()) : nullptr;
        CIndRec* wife = family && parentsShown ? Standing(family->GetWife()) : nullptr;
        if (tree.m_parentGenerations < 1)
            husband = wife = nullptr;
        MatchParent(tree, tree.m_father, husband, nullptr);
        MatchParent(tree, tree.m_mother, wife, nullptr);
    }

    /// Keeps a generation-1 or parent box when it still shows the expected person, deletes it
    /// otherwise, and makes it anew for an expected person without one.
    void MatchParent(CDiagTree& tree, std::unique_ptr<CDiagAncestorElem>& box, CIndRec* expected,
                     CDiagAncestorElem* child)
    {
        if (box && (Deleted(box->GetIndividual()) || box->GetIndividual() != expected)) {
            box.reset();
            m_changed = true;
        }
        if (box || !expected)
            return;
        const int generation = child ? child->GetGeneration() + 1 : 1;
        const int row = child ? child->GetPosition() + 1 : m_builder.RowOf(tree, 1);
        m_builder.Count();
        box = std::make_unique<CDiagAncestorElem>(m_rowSet.Owner(), row, generation);
        box->SetRecords(child, expected, expected->GetNextParentFamily(nullptr));
        if (!child && tree.m_rootFamily)
            box->SetFlag(kElemRoot, true);
        m_builder.m_pendingAncestors.push_back(
            {box.get(), &tree, tree.m_parentGenerations - generation});
        m_changed = true;
    }

    void UpdateAncestor(CDiagTree& tree, CDiagAncestorElem& box,
                        std::vector<CDiagAncestorElem*>& work, std::vector<CDiagTree*>& trees)
    {
        CIndRec* individual = box.GetIndividual();
        if (Changed(individual) || Changed(box.GetFamily()))
            m_refresh.Add(&box);
        DropDeletedPicture(box);
        CFamRec* oldFamily = box.GetFamily();
        CFamRec* family = individual ? Standing(individual->GetNextParentFamily(nullptr)) : nullptr;
        if (family != oldFamily) {
            box.SetRecords(box.Child(), individual, family);
            m_changed = true;
        }
        CIndRec* father = family ? Standing(family->GetHusband()) : nullptr;
        CIndRec* mother = family ? Standing(family->GetWife()) : nullptr;
        const bool parents = father || mother;
        // A parent box that no longer shows that parent goes.
        if (box.Father() &&
            (Deleted(box.Father()->GetIndividual()) || box.Father()->GetIndividual() != father)) {
            box.SetFather(nullptr);
            m_changed = true;
        }
        if (box.Mother() &&
            (Deleted(box.Mother()->GetIndividual()) || box.Mother()->GetIndividual() != mother)) {
            box.SetMother(nullptr);
            m_changed = true;
        }
        if (auto* sub = static_cast<CDiagTree*>(box.SubTree())) {
            if (parents && family == oldFamily) {
                trees.push_back(sub);
            } else {
                box.SetSubTree(nullptr);
                m_changed = true;
            }
        }
        const bool hasBranch = box.Father() || box.Mother() || box.SubTree();
        if (box.GetExpansion() != kExpanded || !hasBranch) {
            if (box.GetExpansion() == kExpanded && parents &&
                m_settings.m_diagramType != kAllRelativesDiagram) {
                // Both parent boxes went: the box waits collapsed for its new parents.
                box.SetExpansion(kCollapsed);
            } else if (box.GetExpansion() != kExpanded || !parents) {
                box.SetExpansion(parents ? kCollapsed : kNothingToExpand);
            }
        }
        if (box.GetExpansion() == kExpanded && !box.SubTree()) {
            if (!box.Father() && father)
                MakeParent(tree, box, father, true);
            if (!box.Mother() && mother)
                MakeParent(tree, box, mother, false);
        }
        for (CDiagAncestorElem* parent : {box.Father(), box.Mother()})
            if (parent)
                work.push_back(parent);
    }

    /// A box whose picture comes from a record being deleted lets go of it and is measured
    /// without it.
    void DropDeletedPicture(CDiagElem& box)
    {
        const CDiagTextBlock* block = box.TextBlock();
        if (!block || !Deleted(block->m_record))
            return;
        box.DropTextBlock();
        box.Measure(m_builder.m_measurer, false);
        m_refresh.Add(&box);
        m_changed = true;
    }

    void MakeParent(CDiagTree& tree, CDiagAncestorElem& box, CIndRec* parent, bool isFather)
    {
        m_builder.Count();
        auto made = std::make_unique<CDiagAncestorElem>(m_rowSet.Owner(), box.GetPosition() + 1,
                                                        box.GetGeneration() + 1);
        made->SetRecords(&box, parent, parent->GetNextParentFamily(nullptr));
        CDiagAncestorElem* raw = made.get();
        if (isFather)
            box.SetFather(std::move(made));
        else
            box.SetMother(std::move(made));
        m_builder.m_pendingAncestors.push_back(
            {raw, &tree, tree.m_parentGenerations - raw->GetGeneration()});
        m_changed = true;
    }

    /// Matches links with the people expected, in their order: a person keeps his or her link,
    /// a new one gets a link built to the depth given, links of people gone are deleted.
    template <class DepthOf>
    void MatchLinks(std::vector<std::unique_ptr<CDiagLink>>& links,
                    const std::vector<CIndRec*>& people, CDiagFamilyElem* parent, DepthOf depthOf)
    {
        std::vector<std::unique_ptr<CDiagLink>> matched;
        for (CIndRec* person : people) {
            auto found = std::find_if(links.begin(), links.end(), [&](const auto& link) {
                return link && link->Child() == person;
            });
            if (found != links.end()) {
                matched.push_back(std::move(*found));
                continue;
            }
            m_changed = true;
            auto& link = matched.emplace_back(std::make_unique<CDiagLink>(parent, person));
            m_builder.m_pendingLinks.push_back({link.get(), depthOf(person)});
            m_builder.m_linkRows.push_back(parent ? parent->GetPosition() - 1
                                                  : RootRowOf(links, matched));
        }
        for (auto& left : links)
            if (left) {
                m_changed = true;
                std::vector<std::unique_ptr<CDiagLink>> gone;
                gone.push_back(std::move(left));
                ReleaseDescendantBoxes(gone);
            }
        if (!std::equal(links.begin(), links.end(), matched.begin(), matched.end()))
            m_changed = true;
        links = std::move(matched);
    }

    int RootRowOf(const std::vector<std::unique_ptr<CDiagLink>>& links,
                  const std::vector<std::unique_ptr<CDiagLink>>& matched) const
    {
        for (const auto* list : {&links, &matched})
            for (const auto& link : *list)
                if (link && !link->m_boxes.empty())
                    return link->m_boxes.front()->GetPosition();
        return 0;
    }

    /// A person's marriage boxes against his or her spouse families, then each box's spouse
    /// box and children.
    void UpdateLink(CDiagTree& tree, CDiagLink& link, std::vector<CDiagLink*>& links)
    {
        CIndRec* person = link.Child();
        const bool byFamily =
            m_settings.m_spouseOption != 0 && m_settings.m_diagramType != kAncestorsDiagram;
        if (byFamily && !link.m_boxes.empty())
            MatchMarriages(tree, link, person);
        for (const auto& owned : link.m_boxes) {
            CDiagFamilyElem& box = *owned;
            UpdateFamilyBox(tree, box);
            for (const auto& child : box.ChildLinks())
                links.push_back(child.get());
        }
        if (!tree.m_rootFamily && !link.Parent() && person == tree.m_rootIndividual &&
            !link.m_boxes.empty()) {
            tree.m_rootElement = link.m_boxes.front().get();
            tree.m_rootElement->SetFlag(kElemRoot, true);
            if (tree.IsSecondary())
                tree.m_rootElement->SetFlag(kElemRepeat, true);
        }
    }

    /// The depth a fresh build gives a person's boxes.
    int LinkDepth(const CDiagTree& tree, const CDiagLink& link) const
    {
        if (!link.Parent()) {
            const bool siblingsOpen = m_settings.m_diagramType == kAllRelativesDiagram ||
                                      tree.IsSecondary() || m_settings.m_expandSiblingBranches ||
                                      tree.m_rootFamily;
            return link.Child() == tree.m_rootIndividual || siblingsOpen ? tree.m_rootLinkDepth : 0;
        }
        return std::max(0, tree.m_rootLinkDepth + link.Parent()->GetGeneration() - 1);
    }

    void MatchMarriages(const CDiagTree& tree, CDiagLink& link, CIndRec* person)
    {
        std::vector<CFamRec*> families;
        for (CFamRec* family = person->GetNextSpouseFamily(nullptr); family;
             family = person->GetNextSpouseFamily(family))
            if (!Deleted(family))
                families.push_back(family);
        auto& boxes = link.m_boxes;
        // A first box without a family takes the first spouse family.
        if (!boxes.empty() && !boxes.front()->GetFamily() && !families.empty() &&
            std::none_of(boxes.begin(), boxes.end(),
                         [&](const auto& box) { return box->GetFamily() == families.front(); })) {
            boxes.front()->SetRecords(&link.m_person, families.front());
            m_changed = true;
        }
        std::vector<std::unique_ptr<CDiagFamilyElem>> matched;
        for (CFamRec* family : families) {
            auto found = std::find_if(boxes.begin(), boxes.end(), [&](const auto& box) {
                return box && box->GetFamily() == family;
            });
            if (found != boxes.end()) {
                matched.push_back(std::move(*found));
                continue;
            }
            m_changed = true;
            const int row = link.m_boxes.front() ? link.m_boxes.front()->GetPosition()
                                                 : matched.front()->GetPosition();
            const int generation = link.Parent() ? link.Parent()->GetGeneration() - 1 : 0;
            m_builder.Count();
            auto& box = matched.emplace_back(
                std::make_unique<CDiagFamilyElem>(m_rowSet.Owner(), row, generation));
            box->SetRecords(&link.m_person, family);
            box->Measure(m_builder.m_measurer, true);
            m_builder.BuildFamilyBox(*box, LinkDepth(tree, link), row);
        }
        // Leftovers go, but the first box stays, emptied, when no family is left to show.
        std::unique_ptr<CDiagFamilyElem> keep;
        if (matched.empty() && !boxes.empty() && boxes.front()) {
            keep = std::move(boxes.front());
            keep->SetRecords(&link.m_person, nullptr);
            keep->SetSpouseBox(nullptr);
            std::vector<std::unique_ptr<CDiagLink>> gone = std::move(keep->MutableChildLinks());
            keep->MutableChildLinks().clear();
            ReleaseDescendantBoxes(gone);
            matched.push_back(std::move(keep));
        }
        for (auto it = boxes.rbegin(); it != boxes.rend(); ++it)
            if (*it) {
                std::vector<std::unique_ptr<CDiagLink>> gone =
                    std::move((*it)->MutableChildLinks());
                (*it)->MutableChildLinks().clear();
                ReleaseDescendantBoxes(gone);
                it->reset();
                m_changed = true;
            }
        if (matched.empty()) {
            m_builder.Count();
            const int generation = link.Parent() ? link.Parent()->GetGeneration() - 1 : 0;
            const int row = link.Parent() ? link.Parent()->GetPosition() - 1 : 0;
            auto& box = matched.emplace_back(
                std::make_unique<CDiagFamilyElem>(m_rowSet.Owner(), row, generation));
            box->SetRecords(&link.m_person, nullptr);
            box->Measure(m_builder.m_measurer, true);
            m_changed = true;
        }
        // The person's chain follows the boxes' order.
        for (const auto& box : matched)
            link.m_person.RemoveBox(box.get());
        for (const auto& box : matched)
            link.m_person.AddBox(box.get());
        boxes = std::move(matched);
    }

    void UpdateFamilyBox(CDiagTree& tree, CDiagFamilyElem& box)
    {
        CFamRec* family = box.GetFamily();
        CIndRec* person = box.GetIndividual();
        if (family ? Changed(family) : Changed(person)) {
            m_refresh.Add(&box);
            if (box.SpouseBox())
                m_refresh.Add(box.SpouseBox());
        }
        DropDeletedPicture(box);
        if (box.SpouseBox())
            DropDeletedPicture(*box.SpouseBox());
        // The spouse box follows the family's partner.
        if (CDiagDescendantElem* spouse = box.SpouseBox()) {
            CIndRec* expected =
                family ? (person && person->GetSex() == SEX_FEMALE ? family->GetHusband()
                                                                   : family->GetWife())
                       : nullptr;
            if (m_settings.m_duplicatesWithSpouses && !box.HasFlag(kElemRepeat))
                expected = nullptr;
            expected = Standing(expected);
            if (spouse->GetIndividual() != expected) {
                m_builder.Count();
                box.RegisterSpouseBox(std::make_unique<CDiagDescendantElem>(box, expected),
                                      m_builder.m_measurer);
                m_changed = true;
            }
        }
        // The children, in the family's order.
        std::vector<CIndRec*> children;
        if (family) {
            for (CIndRec* child = family->GetNextChild(nullptr); child;
                 child = family->GetNextChild(child))
                if (!Deleted(child))
                    children.push_back(child);
        } else if (person) {
            CFamRec* walk = nullptr;
            for (CIndRec* child = person->GetNextChild(walk, nullptr, false); child;
                 child = person->GetNextChild(walk, child, false))
                if (!Deleted(child))
                    children.push_back(child);
        }
        auto& links = box.MutableChildLinks();
        if (box.GetExpansion() != kExpanded && links.empty()) {
            box.SetExpansion(children.empty() ? kNothingToExpand : kCollapsed);
            return;
        }
        const int depth = std::max(0, tree.m_rootLinkDepth + box.GetGeneration() - 1);
        MatchLinks(links, children, &box, [depth](CIndRec*) { return depth; });
        if (links.empty())
            box.SetExpansion(kNothingToExpand);
    }

    CDiagRowSet& m_rowSet;
    CDiagRefreshList& m_refresh;
    CTreeBuilder m_builder;
    const CDiagramSettings& m_settings;
};

/// Counts the boxes and keeps their positions and the trees' line x while every box in the rows
/// is alive: an update deletes boxes, and the rows keep pointing at them until they are refilled.
void SavePlaces(CDiagRowSet& rowSet)
{
    rowSet.m_boxCount = DiagCountBoxes(rowSet);
    for (CDiagTree* tree : rowSet.Trees()) {
        tree->SaveBoxPositions(kBothSides);
        tree->m_lineX = tree->IsSecondary() ? DiagLineX(*tree) : 0;
    }
}

/// Shows the open branches, refills and places the rows of every tree, rebuilds the index and
/// compacts; abandoned (ThrowAbort) when a tree cannot be laid out.
void LayOutAgain(CDiagRowSet& rowSet)
{
    SetTreeVisible(*rowSet.MainTree(), true);
    for (CDiagTree* tree : rowSet.Trees()) {
        if (!tree->HasSavedPositions()) { // a tree made since the save, or one without boxes
            tree->SaveBoxPositions(kBothSides);
            tree->m_lineX = tree->IsSecondary() ? DiagLineX(*tree) : 0;
        }
        if (!tree->Relayout(0, true, false))
            ThrowAbort();
        tree->TrimEmptyRows();
    }
    rowSet.RebuildIndex();
    if (rowSet.Trees().size() > 1) {
        DiagRowPass(rowSet, true);
        DiagMeasure(rowSet);
        DiagRowsFinish(rowSet);
    }
    rowSet.m_laidOut = true;
}

} // namespace

bool DiagUpdateTrees(CDiagRowSet& rowSet, CDiagRefreshList& refresh, IBoxPainter* measurer)
{
    CDiagTree* main = rowSet.MainTree();
    if (!main)
        return true;
    SavePlaces(rowSet);
    try {
        CTreeUpdater updater(rowSet, refresh, measurer);
        updater.Run();
        if (updater.m_changed)
            rowSet.m_dirty = true;
        // The roots keep no expansion button, as after a build.
        const int type = rowSet.Owner().Settings().m_diagramType;
        for (CDiagTree* tree : rowSet.Trees())
            if (tree->m_rootElement &&
                (tree->IsSecondary() || (type == kAncestorsDiagram && !tree->m_rootFamily)))
                tree->m_rootElement->SetExpansion(kNothingToExpand);
        if (type == kDescendantsDiagram && main->m_rootFamily)
            for (CDiagAncestorElem* parent : {main->m_father.get(), main->m_mother.get()})
                if (parent)
                    parent->SetExpansion(kNothingToExpand);
        LayOutAgain(rowSet);
        return true;
    } catch (const COperationAborted&) {
    } catch (const std::bad_alloc&) {
    }
    return false;
}

namespace {

/// An ancestor box with the tree it belongs to.
struct PlacedAncestor {
    CDiagAncestorElem* box;
    CDiagTree* tree;
};

/// The ancestor boxes of the main tree and the trees hanging from it, in the order of a walk
/// from the main tree outward, and how many boxes each individual has among them.
struct AncestorBoxes {
    explicit AncestorBoxes(CDiagTree& main)
    {
        std::vector<CDiagTree*> trees{&main};
        for (std::size_t t = 0; t < trees.size(); ++t)
            ForEachAncestorBox(*trees[t], [&](CDiagAncestorElem& box) {
                if (box.GetIndividual()) {
                    boxes.push_back({&box, trees[t]});
                    ++count[box.GetIndividual()];
                }
                if (box.SubTree())
                    trees.push_back(static_cast<CDiagTree*>(box.SubTree()));
            });
    }
    bool Repeated(const CDiagAncestorElem& box) const { return count.at(box.GetIndividual()) > 1; }

    std::vector<PlacedAncestor> boxes;
    std::unordered_map<const CIndRec*, int> count;
};

/// Deletes the parents' boxes and relatives trees of a box, the highest first.
void ReleaseBranch(CDiagAncestorElem& box)
{
    std::vector<CDiagAncestorElem*> boxes{&box};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        for (CDiagAncestorElem* parent : {boxes[i]->Father(), boxes[i]->Mother()})
            if (parent)
                boxes.push_back(parent);
    for (auto it = boxes.rbegin(); it != boxes.rend(); ++it) {
        (*it)->SetSubTree(nullptr);
        (*it)->SetFather(nullptr);
        (*it)->SetMother(nullptr);
    }
}

/// Builds again the branches of the expanded boxes of people shown more than once, but not of
/// a box inside such a branch (its branch is built with the one below it). True when any was.
bool RebuildRepeatedBranches(CDiagRowSet& rowSet, CDiagTree& main)
{
    const AncestorBoxes all(main);
    std::unordered_map<const CDiagAncestorElem*, CDiagTree*> treeOf;
    std::unordered_set<const CDiagAncestorElem*> expanded;
    for (const PlacedAncestor& placed : all.boxes) {
        treeOf[placed.box] = placed.tree;
        if (all.Repeated(*placed.box) && placed.box->GetExpansion() == kExpanded)
            expanded.insert(placed.box);
    }
    std::vector<PlacedAncestor> rebuilt;
    for (const PlacedAncestor& placed : all.boxes) {
        if (!expanded.count(placed.box))
            continue;
        // Down the child boxes, and across to the box a relatives tree hangs from.
        bool inside = false;
        const CDiagAncestorElem* below = placed.box;
        const CDiagTree* tree = placed.tree;
        while (!inside) {
            if (below->Child()) {
                below = below->Child();
            } else if (tree->m_attachedTo) {
                below = tree->m_attachedTo;
                tree = treeOf.at(below);
            } else {
                break;
            }
            inside = expanded.count(below) > 0;
        }
        if (!inside)
            rebuilt.push_back(placed);
    }
    if (rebuilt.empty())
        return false;
    SavePlaces(rowSet);
    CTreeBuilder builder(rowSet, nullptr);
    try {
        for (const PlacedAncestor& placed : rebuilt) {
            ReleaseBranch(*placed.box);
            builder.m_pendingAncestors.push_back(
                {placed.box, placed.tree,
                 placed.tree->m_parentGenerations - placed.box->GetGeneration()});
        }
        rowSet.m_boxCount = DiagCountBoxes(rowSet);
        builder.BuildAncestors();
        // The roots of the relatives trees made keep no expansion button, as after a build.
        for (CDiagTree* tree : rowSet.Trees())
            if (tree->IsSecondary() && tree->m_rootElement)
                tree->m_rootElement->SetExpansion(kNothingToExpand);
    } catch (...) {
        // The rows are filled again with what was built before the failure is passed on.
        LayOutAgain(rowSet);
        throw;
    }
    return true;
}

} // namespace

int DiagMarkRepeatedAncestors(CDiagRowSet& rowSet)
{
    CDiagTree* main = rowSet.MainTree();
    if (!main)
        return 0;
    const bool rebuilt = RebuildRepeatedBranches(rowSet, *main);
    int marked = 0;
    const AncestorBoxes all(*main);
    for (const PlacedAncestor& placed : all.boxes)
        if (all.Repeated(*placed.box)) {
            placed.box->SetFlag(kElemMarked, true);
            ++marked;
        }
    if (rebuilt) {
        LayOutAgain(rowSet);
        rowSet.m_dirty = true;
    }
    return marked;
}
