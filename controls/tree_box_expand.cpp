// controls/tree_box_expand.cpp: expanding and collapsing nodes, and sorting the top level.
#include "controls/tree_box.h"

#include "controls/detail/tree_box_parts.h"
#include "platform/base/flag_guard.h"
#include "platform/base/wait_cursor.h"

#include <algorithm>
#include <utility>

bool CTreeBox::ExpandItem(CTreeBoxNode* node, bool expand, int levels)
{
    if (!node)
        return false;
    NoteSelChanging();
    if (!GetSafeHwnd() || !m_expansionEnabled || (expand && levels < 0))
        return false;
    CTreeBoxNode* const oldFocus = m_focus;
    const bool focusWasSelected = m_focus && m_focus->m_selected;
    const bool hadChildren = node->m_firstChild != nullptr;
    if (expand) {
        if (!IsNodeVisible(node))
            return false;
        if (!ExpandOne(node)) {
            Renumber(node);
            return false;
        }
        if (levels != 1)
            ExpandLevels(node, levels);
    } else {
        if (node->m_state != CTreeBoxNode::kExpanded)
            return false;
        if (!OwnerAllowsExpanding(node, false))
            return false;
        Collapse(node);
    }
    if (IsNodeVisible(node))
        Renumber(node);
    FixTopRow();
    AfterExpansion(node, oldFocus, focusWasSelected, hadChildren);
    return true;
}

bool CTreeBox::OwnerAllowsExpanding(CTreeBoxNode* node, bool expand)
{
    if (!m_owner)
        return true;
    const CFlagGuard expanding(m_expanding);
    return m_owner->OnExpanding(this, node, expand);
}

bool CTreeBox::ExpandOne(CTreeBoxNode* node)
{
    if (!OwnerAllowsExpanding(node, true))
        return false;
    if (!node->m_firstChild) {
        if (!m_emptyExpand)
            return false;
        node->m_state = CTreeBoxNode::kExpanded;
        return true;
    }
    node->m_state = CTreeBoxNode::kExpanded;
    node->m_nextRow = node->m_firstChild;
    return true;
}

void CTreeBox::ExpandLevels(CTreeBoxNode* node, int levels)
{
    // Every descendant within the level limit is expanded in pre-order, so a parent opens
    // before its children are visited; a refused node keeps its subtree closed.
    const int deepest = levels == 0 ? INT32_MAX : node->m_level + levels - 1;
    CTreeBoxNode* n = node->m_firstChild;
    while (n && n->m_level > node->m_level) {
        if (n->m_level > deepest || n->m_state == CTreeBoxNode::kLeaf) {
            n = n->m_nextInOrder;
            continue;
        }
        if (ExpandOne(n) && n->m_firstChild)
            n = n->m_firstChild;
        else
            n = SubtreeEnd(n)->m_nextInOrder;
    }
}

void CTreeBox::Collapse(CTreeBoxNode* node)
{
    if (m_childrenOnDemand) {
        FreeChildren(node);
    } else {
        CTreeBoxNode* end = SubtreeEnd(node)->m_nextInOrder;
        for (CTreeBoxNode* n = node->m_firstChild; n && n != end; n = n->m_nextInOrder)
            MarkSelected(n, false);
    }
    node->m_state = CTreeBoxNode::kCollapsed;
    node->m_nextRow = ComputeNextRow(node);
}

void CTreeBox::AfterExpansion(CTreeBoxNode* node, CTreeBoxNode* oldFocus, bool focusWasSelected,
                              bool hadChildren)
{
    const bool visible = IsNodeVisible(node);
    if (visible && (hadChildren || node->m_firstChild))
        RecalcLayout();
    if (m_focus != oldFocus || (m_focus && !IsNodeVisible(m_focus))) {
        if (focusWasSelected)
            NoteSelChanging();
        MarkSelected(node, focusWasSelected);
        m_focus = m_anchor = node;
        InvalidateItem(node, kRowAndBelow);
        if (node->m_selected)
            NoteSelChanged();
        return;
    }
    if (!visible)
        return;
    // Rows below move whenever the node had or has children (a collapse may have freed them).
    if (node == m_focus && m_hasFocus)
        InvalidateItem(node, kRowAndBelow);
    else if (!hadChildren && !node->m_firstChild)
        InvalidateItem(node, kButtonArea);
    else
        InvalidateItem(node, kButtonAreaAndBelow);
}

void CTreeBox::ExpandToItem(CTreeBoxNode* node)
{
    if (!node || IsNodeVisible(node))
        return;
    CTreeBoxNode* shown = nullptr;
    for (CTreeBoxNode* a = node->m_parent; a; a = a->m_parent) {
        a->m_state = CTreeBoxNode::kExpanded;
        a->m_nextRow = ComputeNextRow(a);
        if (IsNodeVisible(a)) {
            shown = a;
            break;
        }
    }
    if (!shown)
        return;
    Renumber(shown);
    InvalidateItem(shown, kRowAndBelow);
    RecalcLayout();
}

void CTreeBox::SortNodes(std::vector<CTreeBoxNode*>& nodes, int column)
{
    // A stable merge sort: equal rows keep their order, and a million rows sort in
    // n log n comparisons. Without an owner each row's cell text is read once.
    if (nodes.size() < 2)
        return;
    if (m_owner) {
        std::stable_sort(nodes.begin(), nodes.end(), [this](CTreeBoxNode* a, CTreeBoxNode* b) {
            return m_owner->Compare(this, a->m_data, b->m_data) < 0;
        });
        return;
    }
    std::vector<std::pair<std::string, CTreeBoxNode*>> keyed;
    keyed.reserve(nodes.size());
    for (CTreeBoxNode* node : nodes)
        keyed.emplace_back(GetCellText(node, column), node);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return tree_box_detail::CellGreater(b.first, a.first);
    });
    for (std::size_t i = 0; i < nodes.size(); ++i)
        nodes[i] = keyed[i].second;
}

void CTreeBox::ApplySort(const std::vector<CTreeBoxNode*>& order)
{
    RelinkTopLevel(order);
    m_top = m_first;
    m_layoutDirty = true;
    Invalidate();
}

void CTreeBox::CollapseTopLevel()
{
    for (CTreeBoxNode* n = m_first; n; n = n->m_nextSibling)
        if (n->m_state == CTreeBoxNode::kExpanded)
            ExpandItem(n, false, 1);
}

void CTreeBox::ReexpandOpenItems()
{
    if (m_count < 2)
        return;
    const CWaitCursor wait;
    CollapseTopLevel();
    std::vector<CTreeBoxNode*> nodes = TopLevelNodes();
    SortNodes(nodes, 0);
    ApplySort(nodes);
}

void CTreeBox::SetTopLevelOrder(const std::vector<CTreeBoxNode*>& order)
{
    if (m_count < 2)
        return;
    const CWaitCursor wait;
    CollapseTopLevel();
    ApplySort(order);
}

void CTreeBox::SortList(int column)
{
    if (m_mode != kListMode || m_count < 2)
        return;
    const CWaitCursor wait;
    std::vector<CTreeBoxNode*> nodes = TopLevelNodes();
    SortNodes(nodes, column);
    ApplySort(nodes);
}
