// controls/tree_box_keys.cpp: the keyboard: moving the focus, paging, expanding and
// collapsing, selecting with Space, first-letter search, and the keys left to a dialog.
#include "controls/tree_box.h"

#include "controls/detail/tree_box_parts.h"
#include "platform/base/wait_cursor.h"

#include <algorithm>
#include <cctype>

LRESULT CTreeBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETDLGCODE)
        return DLGC_WANTARROWS;
    return CWnd::WindowProc(message, wParam, lParam);
}

void CTreeBox::OnKeyDown(UINT virtKey, UINT repeatCount, UINT flags)
{
    if (m_band.active && virtKey == VK_ESCAPE) {
        EndBand(true);
        return;
    }
    if (m_owner && !m_owner->OnKeyDown(this, virtKey, repeatCount, flags))
        return;
    if (!m_count)
        return;
    const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool tree = m_mode != kListMode;
    switch (virtKey) {
    case VK_RETURN:
        if (tree && m_focus && m_focus->m_state != CTreeBoxNode::kLeaf)
            ToggleExpansion(m_focus);
        return;
    case VK_SPACE:
        if (!m_focus)
            return;
        if (!m_multiple || !ctrl) {
            if (!m_focus->m_selected)
                SelectItem(m_focus, true);
        } else if (MaySelect(m_focus)) {
            NoteSelChanging();
            SetSelected(m_focus, !m_focus->m_selected);
            EnsureItemVisible(m_focus, 1, false);
            NoteSelChanged();
        }
        return;
    case VK_NEXT:
        PageDown();
        return;
    case VK_PRIOR:
        PageUp();
        return;
    case VK_END:
        SelectItem(GetNextItem(nullptr), true);
        return;
    case VK_HOME:
        SelectItem(m_first, true);
        return;
    case VK_LEFT:
        if (!tree || !m_focus)
            return;
        if (m_focus->m_state == CTreeBoxNode::kExpanded)
            ToggleExpansion(m_focus);
        else if (m_focus->m_parent)
            SelectItem(m_focus->m_parent, true);
        return;
    case VK_RIGHT:
        if (!tree || !m_focus)
            return;
        if (m_focus->m_state == CTreeBoxNode::kCollapsed)
            ToggleExpansion(m_focus);
        else if (m_focus->m_state == CTreeBoxNode::kExpanded && m_focus->m_firstChild)
            SelectItem(m_focus->m_firstChild, true);
        return;
    case VK_UP:
        if (m_focus)
            KeyUpDown(GetRelative(m_focus, kRowAbove), shift, ctrl);
        return;
    case VK_DOWN:
        if (m_focus)
            KeyUpDown(m_focus->m_nextRow, shift, ctrl);
        return;
    default:
        Default();
        return;
    }
}

void CTreeBox::ToggleExpansion(CTreeBoxNode* node)
{
    const CWaitCursor wait;
    ExpandItem(node, node->m_state == CTreeBoxNode::kCollapsed, 1);
}

void CTreeBox::KeyUpDown(CTreeBoxNode* row, bool shift, bool ctrl)
{
    if (m_multiple && shift) {
        if (row)
            ExtendSelection(row, true);
        else if (!m_focus->m_selected)
            ExtendSelection(m_focus, true);
    } else if (m_multiple && ctrl) {
        if (row)
            SetFocusItem(row, false);
    } else if (row) {
        SelectItem(row, true);
    } else if (!m_focus->m_selected) {
        SelectItem(m_focus, true);
    }
}

void CTreeBox::PageDown()
{
    if (!m_focus)
        m_focus = m_top;
    if (!m_focus || !m_top)
        return;
    m_anchor = m_focus;
    const int page = PageRows(), top = TopIndex(), focus = GetItemRow(m_focus),
              last = m_rowCount - 1;
    if (focus > top + page - 1) {
        SetTopRow(std::max(0, focus - page + 1));
        SelectItem(m_focus, true);
        return;
    }
    const int bottom = std::min(top + page - 1, last);
    if (focus < bottom) {
        SelectItem(FindItemById(bottom), true);
    } else if (bottom < last) {
        const int newBottom = std::min(bottom + page - 1, last);
        SetTopRow(std::max(0, newBottom - page + 1));
        SelectItem(FindItemById(newBottom), true);
    } else if (!m_focus->m_selected) {
        SelectItem(m_focus, true);
    }
}

void CTreeBox::PageUp()
{
    if (!m_focus)
        m_focus = m_top;
    if (!m_focus || !m_top)
        return;
    m_anchor = m_focus;
    const int page = PageRows(), top = TopIndex(), focus = GetItemRow(m_focus);
    if (focus < top) {
        SelectItem(m_focus, true);
        SetTopRow(focus);
    } else if (focus > top) {
        SelectItem(m_top, true);
    } else if (top > 0) {
        const int newTop = std::max(0, top - page + 1);
        SetTopRow(newTop);
        SelectItem(FindItemById(newTop), true);
    } else if (!m_focus->m_selected) {
        SelectItem(m_focus, true);
    }
}

void CTreeBox::OnChar(UINT character, UINT, UINT)
{
    if (character >= 0x80 || !std::isalnum(int(character)) || !m_focus || m_mode == kGridMode) {
        Default();
        return;
    }
    const int wanted = std::toupper(int(character));
    // From the row after a selected focus, or from the focus itself, once round the rows.
    CTreeBoxNode* n = m_focus;
    if (m_focus->m_selected)
        n = m_focus->m_nextRow ? m_focus->m_nextRow : m_first;
    for (int visited = 0; n && visited < m_rowCount; ++visited) {
        const std::string text = GetCellText(n, -1);
        if (!text.empty() && std::toupper(static_cast<unsigned char>(text[0])) == wanted) {
            SelectItem(n, true);
            return;
        }
        n = n->m_nextRow ? n->m_nextRow : m_first;
    }
}
