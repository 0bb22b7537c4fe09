// controls/tree_box_select.cpp: the focus row, the anchor and the selected rows.
#include "controls/tree_box.h"

#include "controls/detail/tree_box_parts.h"

#include <algorithm>

void CTreeBox::NoteSelChanging()
{
    if (m_owner && m_focus && m_focus->m_selected)
        m_owner->OnSelChanging(this);
}

void CTreeBox::NoteSelChanged()
{
    if (m_owner)
        m_owner->OnSelChanged(this);
}

bool CTreeBox::MaySelect(const CTreeBoxNode* node) const
{
    return !m_topLevelOnly || node->m_level == 0;
}

void CTreeBox::MarkSelected(CTreeBoxNode* node, bool select)
{
    if (bool(node->m_selected) == select)
        return;
    node->m_selected = select;
    if (select)
        ++m_selectedCount;
    else
        --m_selectedCount;
}

void CTreeBox::SetSelected(CTreeBoxNode* node, bool select)
{
    if (bool(node->m_selected) == select)
        return;
    MarkSelected(node, select);
    InvalidateItem(node, kTextCell);
}

bool CTreeBox::SelectItem(CTreeBoxNode* node, bool select)
{
    NoteSelChanging();
    int changes = m_multiple ? ClearSelection(node, true) : 0;
    if (RowHeight() <= 0)
        return false;
    m_anchor = m_focus;
    if (!node) {
        if (m_focus && m_focus->m_selected) {
            SetSelected(m_focus, false);
            ++changes;
        }
    } else if (node == m_focus) {
        if (bool(node->m_selected) != select) {
            SetSelected(node, select);
            ++changes;
        }
    } else {
        if (!IsNodeVisible(node)) {
            if (changes)
                NoteSelChanged();
            return false;
        }
        if (m_focus) {
            MarkSelected(m_focus, false);
            InvalidateItem(m_focus, kTextCell);
        }
        m_focus = m_anchor = node;
        MarkSelected(node, select);
        InvalidateItem(node, kTextCell);
        ++changes;
    }
    if (m_focus && m_focus->m_selected)
        EnsureItemVisible(m_focus, 1, false);
    if (changes)
        NoteSelChanged();
    return true;
}

int CTreeBox::ClearSelection(CTreeBoxNode* except, bool setAnchor)
{
    int changes = 0;
    // The walk stops once no selected row other than the exception is left; a short run of
    // selected rows through the focus, and the focus and the anchor, most often the only ones,
    // are unselected first, so a long list is seldom walked.
    const auto othersLeft = [&] {
        return m_selectedCount > (except && except->m_selected ? 1u : 0u);
    };
    const SelectedRun run = SoleSelectedRun();
    for (CTreeBoxNode* n = run.first; n; n = n == run.last ? nullptr : n->m_nextRow)
        if (n != except && n->m_selected) {
            SetSelected(n, false);
            ++changes;
        }
    for (CTreeBoxNode* n : {m_focus, m_anchor})
        if (n && n != except && n->m_selected && IsNodeVisible(n)) {
            SetSelected(n, false);
            ++changes;
        }
    for (CTreeBoxNode* n = m_first; n && othersLeft(); n = n->m_nextRow)
        if (n != except && n->m_selected) {
            SetSelected(n, false);
            ++changes;
        }
    if (setAnchor)
        m_anchor = m_focus;
    return changes;
}

void CTreeBox::SetItemSelected(CTreeBoxNode* node, bool select, bool exclusive)
{
    if (!node)
        return;
    if (exclusive)
        ClearSelection(node, false);
    else if (select && !MaySelect(node))
        select = false;
    SetSelected(node, select);
}

void CTreeBox::ExtendSelection(CTreeBoxNode* node, bool clearOutside)
{
    if (!node || !IsNodeVisible(node))
        return;
    NoteSelChanging();
    CTreeBoxNode* anchor = m_anchor && IsNodeVisible(m_anchor) ? m_anchor : node;
    const int from = std::min(GetItemRow(anchor), GetItemRow(node)),
              to = std::max(GetItemRow(anchor), GetItemRow(node));
    // Between two siblings the range holds the siblings only; otherwise every row between.
    const bool siblings = anchor->m_parent == node->m_parent;
    const auto inRange = [&](const CTreeBoxNode* n) {
        return GetItemRow(n) >= from && GetItemRow(n) <= to &&
               (!siblings || n->m_parent == node->m_parent);
    };
    CTreeBoxNode* const first = FindItemById(from);
    CTreeBoxNode* last = first;
    std::uint32_t inside = 0;
    for (CTreeBoxNode* n = first; n && GetItemRow(n) <= to; n = n->m_nextRow) {
        if (inRange(n))
            SetSelected(n, MaySelect(n) || n->m_selected);
        else if (clearOutside && n->m_selected)
            SetSelected(n, false);
        inside += n->m_selected;
        last = n;
    }
    if (clearOutside && first)
        ClearOutside(first, last, inside);
    CTreeBoxNode* old = m_focus;
    m_focus = node;
    if (old && old != node)
        InvalidateItem(old, kTextCell);
    InvalidateItem(node, kTextCell);
    EnsureItemVisible(node, 1, false);
    NoteSelChanged();
}

void CTreeBox::ClearOutside(CTreeBoxNode* first, CTreeBoxNode* last, std::uint32_t inside)
{
    CTreeBoxNode* above = GetRelative(first, kRowAbove);
    CTreeBoxNode* below = last->m_nextRow;
    while (m_selectedCount > inside && (above || below)) {
        if (below) {
            if (below->m_selected)
                SetSelected(below, false);
            below = below->m_nextRow;
        }
        if (above) {
            if (above->m_selected)
                SetSelected(above, false);
            above = GetRelative(above, kRowAbove);
        }
    }
}

void CTreeBox::SetFocusItem(CTreeBoxNode* node, bool select)
{
    if (!node)
        return;
    CTreeBoxNode* old = m_focus;
    m_focus = node;
    if (select && MaySelect(node))
        MarkSelected(node, true);
    if (old && old != node)
        InvalidateItem(old, kTextCell);
    InvalidateItem(node, kTextCell);
    EnsureItemVisible(node, 1, false);
    NoteSelChanged();
}
