// diagrams/diag_tree_walk.cpp: visibility and teardown walks over trees with work lists.
#include "diagrams/diag_tree_walk.h"

#include "diagrams/diag_owner.h"
#include "diagrams/diagram_settings.h"

namespace {

bool SingleBoxMode(const IDiagramOwner& owner)
{
    const CDiagramSettings& settings = owner.Settings();
    return settings.m_spouseOption == 2 && !settings.m_duplicatesWithSpouses;
}

/// Shows (or hides) the links given and everything below them whose branch is open.
void SetLinksVisible(std::vector<std::pair<CDiagLink*, bool>> work, bool singleBox)
{
    for (std::size_t i = 0; i < work.size(); ++i) {
        const auto [link, shown] = work[i];
        for (std::size_t b = 0; b < link->m_boxes.size(); ++b) {
            CDiagFamilyElem& box = *link->m_boxes[b];
            box.SetVisible(shown && (!singleBox || b == 0));
            if (CDiagDescendantElem* spouse = box.SpouseBox())
                spouse->SetVisible(shown);
            const bool open = shown && box.GetExpansion() == kExpanded;
            for (const auto& child : box.ChildLinks())
                work.emplace_back(child.get(), open);
        }
    }
}

} // namespace

void SetChildrenVisible(CDiagFamilyElem& box, bool visible)
{
    std::vector<std::pair<CDiagLink*, bool>> work;
    for (const auto& child : box.ChildLinks())
        work.emplace_back(child.get(), visible);
    SetLinksVisible(std::move(work), SingleBoxMode(box.Owner()));
}

void SetAncestorBranchVisible(CDiagAncestorElem& start, bool visible)
{
    std::vector<std::pair<CDiagAncestorElem*, bool>> work{{&start, visible}};
    for (std::size_t i = 0; i < work.size(); ++i) {
        const auto [box, shown] = work[i];
        box->SetVisible(shown);
        const bool open = shown && box->GetExpansion() == kExpanded;
        for (CDiagAncestorElem* parent : {box->Father(), box->Mother()})
            if (parent)
                work.emplace_back(parent, open);
        if (auto* sub = static_cast<CDiagTree*>(box->SubTree()))
            SetTreeVisible(*sub, open);
    }
}

void SetTreeVisible(CDiagTree& start, bool visible)
{
    // Trees hanging from this one are handled here in turn, not by recursion.
    std::vector<std::pair<CDiagTree*, bool>> trees{{&start, visible}};
    for (std::size_t t = 0; t < trees.size(); ++t) {
        auto [tree, shown] = trees[t];
        std::vector<std::pair<CDiagLink*, bool>> links;
        for (const auto& link : tree->m_rootLinks)
            links.emplace_back(link.get(), shown);
        SetLinksVisible(std::move(links), SingleBoxMode(tree->Owner()));
        std::vector<std::pair<CDiagAncestorElem*, bool>> work;
        for (CDiagAncestorElem* parent : {tree->m_father.get(), tree->m_mother.get()})
            if (parent)
                work.emplace_back(parent, shown);
        for (std::size_t i = 0; i < work.size(); ++i) {
            const auto [box, boxShown] = work[i];
            box->SetVisible(boxShown);
            const bool open = boxShown && box->GetExpansion() == kExpanded;
            for (CDiagAncestorElem* parent : {box->Father(), box->Mother()})
                if (parent)
                    work.emplace_back(parent, open);
            if (auto* sub = static_cast<CDiagTree*>(box->SubTree()))
                trees.emplace_back(sub, open);
        }
    }
}

void ReleaseDescendantBoxes(std::vector<std::unique_ptr<CDiagLink>>& roots)
{
    std::vector<CDiagLink*> links;
    ForEachLink(roots, [&](CDiagLink& link) { links.push_back(&link); });
    for (auto it = links.rbegin(); it != links.rend(); ++it)
        while (!(*it)->m_boxes.empty())
            (*it)->m_boxes.pop_back();
    roots.clear();
}

void ReleaseAncestorBoxes(std::unique_ptr<CDiagAncestorElem>& father,
                          std::unique_ptr<CDiagAncestorElem>& mother)
{
    std::vector<CDiagAncestorElem*> boxes;
    for (CDiagAncestorElem* parent : {father.get(), mother.get()})
        if (parent)
            boxes.push_back(parent);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        for (CDiagAncestorElem* parent : {boxes[i]->Father(), boxes[i]->Mother()})
            if (parent)
                boxes.push_back(parent);
    for (auto it = boxes.rbegin(); it != boxes.rend(); ++it) {
        (*it)->SetFather(nullptr);
        (*it)->SetMother(nullptr);
    }
    father.reset();
    mother.reset();
}

long long DiagCountBoxes(const CDiagRowSet& rowSet)
{
    long long count = 0;
    if (const CDiagTree* main = rowSet.MainTree())
        ForEachBox(*main, true, [&count](CDiagElem&) { ++count; });
    return count;
}
