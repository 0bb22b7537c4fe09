// controls/tree_box_move.cpp: moving nodes and runs of rows to another place.
#include "controls/tree_box.h"

#include "controls/detail/tree_box_parts.h"

#include <algorithm>

namespace {

bool IsInSubtree(const CTreeBoxNode* node, const CTreeBoxNode* root)
{
    for (; node; node = node->m_parent)
        if (node == root)
            return true;
    return false;
}

} // namespace

bool CTreeBox::MoveItem(CTreeBoxNode* node, CTreeBoxNode* newParent, CTreeBoxNode* after,
                        bool expandNewParent, bool oldParentBecomesLeaf)
{
    if (!node || after == node || (after && after->m_parent != newParent))
        return false;
    const bool inPlace = node->m_parent == newParent &&
                         (after ? after->m_nextSibling == node : FirstSiblingOf(newParent) == node);
    if (inPlace)
        return true;
    if (IsInSubtree(newParent, node))
        return false;

    const int topIndex = TopIndex();
    const bool topMoves = IsInSubtree(m_top, node);
    CTreeBoxNode* oldParent = node->m_parent;
    CutSubtree(node);
    LinkSubtree(node, newParent, after);
    if (newParent)
        newParent->m_state = CTreeBoxNode::kExpanded;
    if (oldParent && !oldParent->m_firstChild)
        oldParent->m_state = oldParentBecomesLeaf ? CTreeBoxNode::kLeaf : CTreeBoxNode::kCollapsed;
    m_mark = nullptr;
    RelinkRange(m_first, nullptr);
    Renumber(nullptr);
    if (expandNewParent)
        ExpandToItem(node);
    if (topMoves) {
        CTreeBoxNode* top = FindItemById(topIndex);
        m_top = top ? top : GetNextItem(nullptr);
    }
    FixTopRow();
    RecalcLayout();
    Invalidate();
    return true;
}

void CTreeBox::MoveRows(int first, int count, int target)
{
    const int total = int(m_count);
    if (m_mode != kListMode || count < 1 || target < -1 || target >= total ||
        (target >= first && target <= first + count) || first < 0 || first + count > total)
        return;
    const std::vector<CTreeBoxNode*> rows = TopLevelNodes();
    std::vector<CTreeBoxNode*> order;
    order.reserve(rows.size());
    for (int i = 0; i < total; ++i) {
        if (i == target)
            order.insert(order.end(), rows.begin() + first, rows.begin() + first + count);
        if (i < first || i >= first + count)
            order.push_back(rows[std::size_t(i)]);
    }
    if (target == -1)
        order.insert(order.end(), rows.begin() + first, rows.begin() + first + count);
    RelinkTopLevel(order);
    m_mark = nullptr;
    m_layoutDirty = true;
    Invalidate();
    m_anchor = m_focus;
}

void CTreeBox::MoveSelectionUp()
{
    MoveSelection(false);
}

void CTreeBox::MoveSelectionDown()
{
    MoveSelection(true);
}

void CTreeBox::MoveSelection(bool down)
{
    CTreeBoxNode* firstSelected = GetNextSelected(nullptr);
    if (!m_topLevelOnly || !firstSelected || firstSelected->m_level != 0)
        return;
    for (CTreeBoxNode* n = m_first; n; n = n->m_nextSibling)
        if (n->m_selected && n->m_state == CTreeBoxNode::kExpanded)
            ExpandItem(n, false, 1);
    const std::vector<CTreeBoxNode*> rows = TopLevelNodes();
    std::vector<CTreeBoxNode*> run, rest;
    int firstIndex = -1, lastIndex = -1;
    for (int i = 0; i < int(rows.size()); ++i) {
        if (!rows[std::size_t(i)]->m_selected) {
            rest.push_back(rows[std::size_t(i)]);
            continue;
        }
        run.push_back(rows[std::size_t(i)]);
        firstIndex = firstIndex < 0 ? i : firstIndex;
        lastIndex = i;
    }
    const bool contiguous = lastIndex - firstIndex + 1 == int(run.size());
    // The unselected rows standing before the first and before the last selected row.
    const auto unselectedBefore = [&rows](int index) -> CTreeBoxNode* {
        for (int i = index - 1; i >= 0; --i)
            if (!rows[std::size_t(i)]->m_selected)
                return rows[std::size_t(i)];
        return nullptr;
    };
    CTreeBoxNode* beforeLast = unselectedBefore(lastIndex);
    CTreeBoxNode* placeAfter; // the unselected row the run follows; null: first
    if (down)
        placeAfter = !contiguous                        ? beforeLast
                     : lastIndex + 1 < int(rows.size()) ? rows[std::size_t(lastIndex + 1)]
                                                        : unselectedBefore(firstIndex);
    else
        placeAfter = !contiguous       ? unselectedBefore(firstIndex)
                     : firstIndex <= 1 ? nullptr
                                       : rows[std::size_t(firstIndex - 2)];
    std::vector<CTreeBoxNode*> order;
    order.reserve(rows.size());
    if (!placeAfter)
        order.insert(order.end(), run.begin(), run.end());
    for (CTreeBoxNode* n : rest) {
        order.push_back(n);
        if (n == placeAfter)
            order.insert(order.end(), run.begin(), run.end());
    }
    if (m_top && m_top->m_selected)
        m_top = beforeLast ? beforeLast : order.front();
    RelinkTopLevel(order);
    m_focus = m_anchor = down ? run.back() : run.front();
    if (!EnsureItemVisible(m_focus, int(run.size()), down))
        m_layoutDirty = true;
    Invalidate();
}
