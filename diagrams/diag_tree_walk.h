// diagrams/diag_tree_walk.h: walks over the boxes of a tree with explicit work lists, so that
// no walk recurses through the generations: every box, every ancestor box, visibility, and
// the teardown of a tree's boxes.
#pragma once

#include "diagrams/diag_tree.h"

#include <memory>
#include <vector>

/// Calls fn for every ancestor box of the tree (generation 1 and up), breadth first.
template <class Fn> void ForEachAncestorBox(const CDiagTree& tree, Fn fn)
{
    std::vector<CDiagAncestorElem*> work;
    for (CDiagAncestorElem* parent : {tree.m_father.get(), tree.m_mother.get()})
        if (parent)
            work.push_back(parent);
    for (std::size_t i = 0; i < work.size(); ++i) {
        CDiagAncestorElem* box = work[i];
        fn(*box);
        for (CDiagAncestorElem* parent : {box->Father(), box->Mother()})
            if (parent)
                work.push_back(parent);
    }
}

/// Calls fn for every link of the descendant side, parents before children.
template <class Fn> void ForEachLink(const std::vector<std::unique_ptr<CDiagLink>>& roots, Fn fn)
{
    std::vector<CDiagLink*> work;
    for (const auto& link : roots)
        work.push_back(link.get());
    for (std::size_t i = 0; i < work.size(); ++i) {
        CDiagLink* link = work[i];
        fn(*link);
        for (const auto& box : link->m_boxes)
            for (const auto& child : box->ChildLinks())
                work.push_back(child.get());
    }
}

/// Calls fn for every box of the tree (family, spouse and ancestor boxes); with intoSubTrees
/// also for the boxes of the trees hanging from it.
template <class Fn> void ForEachBox(const CDiagTree& tree, bool intoSubTrees, Fn fn)
{
    std::vector<const CDiagTree*> trees{&tree};
    for (std::size_t t = 0; t < trees.size(); ++t) {
        ForEachLink(trees[t]->m_rootLinks, [&](CDiagLink& link) {
            for (const auto& box : link.m_boxes) {
                fn(static_cast<CDiagElem&>(*box));
                if (CDiagDescendantElem* spouse = box->SpouseBox())
                    fn(static_cast<CDiagElem&>(*spouse));
            }
        });
        ForEachAncestorBox(*trees[t], [&](CDiagAncestorElem& box) {
            fn(static_cast<CDiagElem&>(box));
            if (intoSubTrees && box.SubTree())
                trees.push_back(static_cast<const CDiagTree*>(box.SubTree()));
        });
    }
}

/// Shows or hides a tree: hiding hides every box, showing shows each box whose branch is open.
void SetTreeVisible(CDiagTree& tree, bool visible);
/// Shows or hides the parents' branch of an ancestor box (the box itself included).
void SetAncestorBranchVisible(CDiagAncestorElem& box, bool visible);
/// Shows or hides the children's branches of a family box (the box itself not).
void SetChildrenVisible(CDiagFamilyElem& box, bool visible);

/// Deletes the descendant side's boxes and links, the deepest first.
void ReleaseDescendantBoxes(std::vector<std::unique_ptr<CDiagLink>>& roots);
/// Deletes the ancestor boxes, the highest first.
void ReleaseAncestorBoxes(std::unique_ptr<CDiagAncestorElem>& father,
                          std::unique_ptr<CDiagAncestorElem>& mother);

/// The number of boxes of every tree of the row set.
long long DiagCountBoxes(const CDiagRowSet& rowSet);
