// controls/tree_box_lookup.cpp: finding nodes by row, place, text, data and selection.
#include "controls/tree_box.h"

#include "controls/detail/tree_box_parts.h"
#include "platform/base/text.h"

CTreeBoxNode* CTreeBox::FindItemById(int row) const
{
    if (!GetSafeHwnd() || row < 0 || row >= m_rowCount)
        return nullptr;
    // The walk compares the numbers the rows hold, from the nearest mark (rows are numbered
    // again when a bulk change ends), or from the top row when that lies nearer.
    const int number = NumberOfRow(row);
    CTreeBoxNode* n = m_first;
    if (CTreeBoxNode* mark = m_bulk ? nullptr : MarkBelow(number + 1))
        n = mark;
    if (m_top && m_top->m_row <= number && m_top->m_row > n->m_row && IsNodeVisible(m_top))
        n = m_top;
    while (n && n->m_row < number)
        n = n->m_nextRow;
    return n && n->m_row == number ? n : nullptr;
}

CTreeBoxNode* CTreeBox::GetItemByIndex(int index) const
{
    if (index < 0)
        return nullptr;
    CTreeBoxNode* n = m_first;
    for (; n && index > 0; --index)
        n = n->m_nextSibling;
    return n;
}

CTreeBoxNode* CTreeBox::GetLastItem() const
{
    return LastSiblingUnder(nullptr);
}

CTreeBoxNode* CTreeBox::GetNextItem(CTreeBoxNode* node) const
{
    CTreeBoxNode* n = node ? node : GetLastItem();
    while (n && n->m_state == CTreeBoxNode::kExpanded && n->m_firstChild)
        n = LastSiblingUnder(n);
    return n;
}

CTreeBoxNode* CTreeBox::GetLastChild(CTreeBoxNode* node) const
{
    return node ? LastSiblingUnder(node) : nullptr;
}

CTreeBoxNode* CTreeBox::GetRelative(CTreeBoxNode* node, int how) const
{
    if (!node)
        return nullptr;
    CTreeBoxNode* prev = PrevSibling(node);
    switch (how) {
    case kPreviousInOrder:
        return prev ? SubtreeEnd(prev) : node->m_parent;
    case kPreviousSibling:
        return prev;
    case kRowAbove:
        return prev ? GetNextItem(prev) : node->m_parent;
    case kPreviousSiblingOrParent:
        return prev ? prev : node->m_parent;
    default:
        return nullptr;
    }
}

CTreeBoxNode* CTreeBox::GetNextAfterSubtree(CTreeBoxNode* node) const
{
    return node ? AfterSubtree(node) : nullptr;
}

CTreeBoxNode* CTreeBox::FindChildByText(std::string_view text) const
{
    for (CTreeBoxNode* n = m_first; n; n = n->m_nextSibling)
        if (text::EqualsNoCase(n->m_text.str(), text))
            return n;
    return nullptr;
}

CTreeBoxNode* CTreeBox::FindItemByData(std::uintptr_t data) const
{
    if (!GetSafeHwnd())
        return nullptr;
    for (CTreeBoxNode* n = m_first; n; n = n->m_nextInOrder)
        if (n->m_data == data)
            return n;
    return nullptr;
}

void CTreeBox::MapItemsByData(std::unordered_map<std::uintptr_t, CTreeBoxNode*>& map) const
{
    map.clear();
    map.rehash(m_count < 401 ? 409 : m_count < 5001 ? 5113 : 19997);
    for (CTreeBoxNode* n = m_first; n; n = n->m_nextSibling)
        map[n->m_data] = n;
}

CTreeBoxNode* CTreeBox::GetNextSelected(CTreeBoxNode* node) const
{
    // Most often nothing or only the focus row is selected: answered without a walk.
    if (m_selectedCount == 0)
        return nullptr;
    if (const CTreeBoxNode* only = SoleSelectedFocus()) {
        if (!node)
            return IsNodeVisible(only) ? m_focus : nullptr;
        if (node == only)
            return nullptr;
    }
    // A short run of selected rows around the focus or the anchor that holds every selected row
    // bounds the walk, so a range picked with Shift in a long list is not walked past.
    const SelectedRun run = SoleSelectedRun();
    if (run.first && !node)
        return run.first;
    if (run.first && GetItemRow(node) >= GetItemRow(run.last))
        return nullptr;
    // After the node's subtree: a node with no next sibling goes on with the rows after its
    // parent, so a loop over the selection never stops at the end of a sibling list.
    CTreeBoxNode* n = node ? AfterSubtree(node) : m_first;
    while (n && !n->m_selected && !(run.first && GetItemRow(n) > GetItemRow(run.last)))
        n = n->m_nextRow;
    return n && n->m_selected ? n : nullptr;
}

CTreeBox::SelectedRun CTreeBox::SoleSelectedRun() const
{
    if (m_bulk || m_selectedCount > kMaxSelectedRun)
        return {};
    for (CTreeBoxNode* seed : {m_focus, m_anchor}) {
        if (!seed || !seed->m_selected || !IsNodeVisible(seed))
            continue;
        SelectedRun run{seed, seed};
        std::uint32_t count = 1;
        for (CTreeBoxNode* n = GetRelative(seed, kRowAbove);
             n && n->m_selected && count <= m_selectedCount; n = GetRelative(n, kRowAbove), ++count)
            run.first = n;
        for (CTreeBoxNode* n = seed->m_nextRow; n && n->m_selected && count <= m_selectedCount;
             n = n->m_nextRow, ++count)
            run.last = n;
        return count == m_selectedCount ? run : SelectedRun{};
    }
    return {};
}

int CTreeBox::GetSelectedTopIndex() const
{
    if (!m_focus || !m_focus->m_selected || m_focus->m_level != 0)
        return -1;
    int index = 0;
    for (CTreeBoxNode* n = m_first; n && n != m_focus; n = n->m_nextSibling)
        ++index;
    return index;
}

const CTreeBoxNode* CTreeBox::SoleSelectedFocus() const
{
    return m_selectedCount == 1 && m_focus && m_focus->m_selected ? m_focus : nullptr;
}

bool CTreeBox::SelectionHasOneParent() const
{
    if (m_selectedCount == 0)
        return false;
    if (const CTreeBoxNode* only = SoleSelectedFocus())
        return IsNodeVisible(only);
    bool found = false;
    const CTreeBoxNode* parent = nullptr;
    for (CTreeBoxNode* n = m_first; n; n = n->m_nextRow) {
        if (!n->m_selected)
            continue;
        if (found && n->m_parent != parent)
            return false;
        found = true;
        parent = n->m_parent;
    }
    return found;
}

int CTreeBox::GetVisibleRowLimit() const
{
    if (RowHeight() <= 0)
        return 0;
    return TopIndex() + ClientSize().cy / RowHeight() + 1;
}
