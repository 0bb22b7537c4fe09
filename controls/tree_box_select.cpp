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
    // The walk stops once no selected row other than the exception is left.
    const auto othersLeft = [&] {
        return m_selectedCount > (except && except->m_selected ? 1u : 0u);
    };
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
    const int from = std::min(anchor->m_row, node->m_row),
              to = std::max(anchor->m_row, node->m_row);
    // Between two siblings the range holds the siblings only; otherwise every row between.
    const bool siblings = anchor->m_parent == node->m_parent;
    const auto inRange = [&](const CTreeBoxNode* n) {
        return n->m_row >= from && n->m_row <= to && (!siblings || n->m_parent == node->m_parent);
    };
    CTreeBoxNode* start = clearOutside ? m_first : FindItemById(from);
    for (CTreeBoxNode* n = start; n && (clearOutside || n->m_row <= to); n = n->m_nextRow) {
        if (inRange(n))
            SetSelected(n, MaySelect(n) || n->m_selected);
        else if (clearOutside && n->m_selected)
            SetSelected(n, false);
    }
    CTreeBoxNode* old = m_focus;
    m_focus = node;
    if (old && old != node)
        InvalidateItem(old, kTextCell);
    InvalidateItem(node, kTextCell);
    EnsureItemVisible(node, 1, false);
    NoteSelChanged();
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
