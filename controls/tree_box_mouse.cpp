// controls/tree_box_mouse.cpp: clicks, double-clicks, dragging with the mouse captured, the
// rubber band, and gaining and losing the focus.
#include "controls/tree_box.h"

#include "controls/detail/tree_box_parts.h"
#include "platform/base/wait_cursor.h"

#include <algorithm>

void CTreeBox::OnLButtonDown(UINT flags, CPoint point)
{
    m_vTracking = m_hTracking = false;
    SetFocus();
    if (GetCapture() == this)
        ReleaseCapture();
    m_captured = false;
    int part;
    CTreeBoxNode* node = HitTest(point.x, point.y, true, part);
    if (m_owner && !m_owner->OnButtonDown(this, node, flags, point.x, point.y, part))
        return;
    if (m_fullRow && node) {
        SelectItem(node, true);
        return;
    }
    switch (part) {
    case TBP_BUTTON:
        if (node && node->m_state != CTreeBoxNode::kLeaf)
            ToggleExpansion(node);
        return;
    case TBP_IMAGE:
    case TBP_GAP:
    case TBP_TEXT:
        if (m_multiple) {
            ClickMultiple(node, flags);
            return;
        }
        SelectItem(node, true);
        if (part == TBP_TEXT && m_owner) {
            CRect text;
            GetItemRect(node, text, TBP_TEXT, true);
            m_owner->OnTextClick(this, text, point);
        }
        return;
    case TBP_NONE:
        if (!m_multiple) {
            SelectItem(nullptr, true);
            return;
        }
        if (!(flags & (MK_SHIFT | MK_CONTROL))) {
            ClearSelection(nullptr, true);
            m_anchor = m_focus;
        }
        StartBand(point, flags);
        return;
    default:
        SelectItem(node, true);
        if (m_captureOnClick && !GetCapture()) {
            SetCapture();
            m_captured = true;
        }
        return;
    }
}

void CTreeBox::ClickMultiple(CTreeBoxNode* node, UINT flags)
{
    const bool shift = flags & MK_SHIFT, ctrl = flags & MK_CONTROL;
    if (m_topLevelOnly && m_focus && m_focus != node && m_focus->m_level > 0 && m_focus->m_selected)
        SetSelected(m_focus, false);
    if (shift) {
        if (!ctrl)
            ClearSelection(node, false);
        ExtendSelection(node, false);
        return;
    }
    NoteSelChanging();
    SetItemSelected(node, ctrl ? !node->m_selected : true, !ctrl);
    CTreeBoxNode* old = m_focus;
    m_focus = m_anchor = node;
    if (old != node) {
        InvalidateItem(old, kTextCell);
        InvalidateItem(node, kTextCell);
    }
    NoteSelChanged();
}

void CTreeBox::OnMouseMove(UINT, CPoint point)
{
    if (m_band.active) {
        TrackBand(point);
        return;
    }
    if (!m_captured)
        return;
    CRect client;
    GetClientRect(&client);
    int part;
    CTreeBoxNode* node = client.PtInRect(point) ? HitTest(point.x, point.y, true, part) : nullptr;
    if (node && !(node == m_focus && node->m_selected))
        SelectItem(node, true);
    else if (!node && m_focus && m_focus->m_selected)
        SelectItem(nullptr, true);
    UpdateWindow();
}

void CTreeBox::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_band.active) {
        EndBand(false);
        return;
    }
    if (!m_captured)
        return;
    m_captured = false;
    ReleaseCapture();
    CRect client;
    GetClientRect(&client);
    int part = TBP_NONE;
    CTreeBoxNode* node = client.PtInRect(point) ? HitTest(point.x, point.y, true, part) : nullptr;
    if (m_owner)
        m_owner->OnButtonUp(this, node, flags, point.x, point.y, part);
}

void CTreeBox::OnLButtonDblClk(UINT, CPoint point)
{
    int part;
    CTreeBoxNode* node = HitTest(point.x, point.y, true, part);
    if (m_owner && !m_owner->OnDoubleClick(this, node, part))
        return;
    if (!node || part < TBP_IMAGE || part > TBP_TEXT)
        return;
    const CWaitCursor wait;
    if (node->m_state == CTreeBoxNode::kExpanded)
        ExpandItem(node, false, 1);
    else if (node->m_state == CTreeBoxNode::kCollapsed)
        ExpandItem(node, true, 99);
}

void CTreeBox::OnRButtonDown(UINT flags, CPoint point)
{
    if (m_band.active) {
        EndBand(false);
        return;
    }
    SetFocus();
    int part;
    CTreeBoxNode* node = HitTest(point.x, point.y, true, part);
    if (part == TBP_NONE)
        node = nullptr;
    if (m_owner && !m_owner->OnRightClick(this, node, this, flags, point.x, point.y, part))
        return;
    SelectItem(node, true);
}

void CTreeBox::StartBand(CPoint point, UINT flags)
{
    if (m_topLevelOnly && m_focus && m_focus->m_level > 0 && m_focus->m_selected)
        SetSelected(m_focus, false);
    for (CTreeBoxNode* n = m_first; n; n = n->m_nextRow)
        n->m_dragBits = (n->m_dragBits & ~1u) | (n->m_selected ? 1u : 0u);
    if (CWnd* holder = GetCapture(); holder && holder != this)
        return;
    SetCapture();
    m_band = Band{};
    m_band.active = true;
    m_band.keys = (flags & (MK_SHIFT | MK_CONTROL)) != 0;
    m_band.start = m_band.current = point;
}

bool CTreeBox::BandTouches(CTreeBoxNode* node, const CRect& band)
{
    // The text part less 6 pixels at each end (its middle when it is narrower than 12).
    if (m_topLevelOnly && node->m_level > 0)
        return false;
    CRect text;
    if (!GetItemRect(node, text, TBP_TEXT, true))
        return false;
    int left = text.left + 6, right = text.right - 6;
    if (text.Width() < 12)
        left = right = (text.left + text.right) / 2;
    const auto inside = [&band](int x) { return x >= band.left && x < band.right; };
    return inside(left) || inside(right) || (band.left >= left && band.right <= right);
}

void CTreeBox::TrackBand(CPoint point)
{
    InvalidateBand();
    m_band.current = point;
    InvalidateBand();
    CRect band(m_band.start.x, m_band.start.y, point.x, point.y);
    band.NormalizeRect();
    const int rowHeight = RowHeight(), top = TopIndex();
    const int margin = (rowHeight - 2 * Metric(TBM_HALF_TEXT) + 2) / 2;
    const int first = (int(band.top) + margin) / rowHeight + top;
    const int last = (int(band.bottom) - margin) / rowHeight + top;
    // Rows the band touches flip from their state at the press; rows it left get it back.
    const int from = m_band.first < 0 ? first : std::min(first, m_band.first);
    const int to = m_band.last < 0 ? last : std::max(last, m_band.last);
    for (CTreeBoxNode* n = FindItemById(std::max(from, 0)); n && GetItemRow(n) <= to;
         n = n->m_nextRow) {
        const bool kept = n->m_dragBits & 1u;
        const bool touched =
            GetItemRow(n) >= first && GetItemRow(n) <= last && BandTouches(n, band);
        SetSelected(n, touched ? !kept : kept);
    }
    m_band.first = first;
    m_band.last = last;
    UpdateWindow();
}

void CTreeBox::EndBand(bool clear)
{
    InvalidateBand();
    const Band band = m_band;
    m_band.active = false;
    if (GetCapture() == this)
        ReleaseCapture();
    if (clear) {
        ClearSelection(nullptr, false);
    } else if (!band.keys && band.first >= 0) {
        // The anchor is the first selected row touched, from the end where the drag began.
        const bool downward = band.current.y >= band.start.y;
        CRect area(band.start.x, band.start.y, band.current.x, band.current.y);
        area.NormalizeRect();
        CTreeBoxNode* found = nullptr;
        for (CTreeBoxNode* n = FindItemById(std::max(band.first, 0));
             n && GetItemRow(n) <= band.last; n = n->m_nextRow)
            if (n->m_selected && (!found || !downward) && BandTouches(n, area))
                found = n;
        if (found)
            m_anchor = found;
    }
    NoteSelChanged();
}

void CTreeBox::InvalidateBand()
{
    CRect band(m_band.start.x, m_band.start.y, m_band.current.x, m_band.current.y);
    band.NormalizeRect();
    const CRect edges[] = {{band.left, band.top, band.right + 1, band.top + 1},
                           {band.left, band.bottom - 1, band.right + 1, band.bottom + 1},
                           {band.left, band.top, band.left + 1, band.bottom + 1},
                           {band.right - 1, band.top, band.right + 1, band.bottom + 1}};
    for (const CRect& edge : edges)
        InvalidateRect(&edge);
}

void CTreeBox::RedrawSelectionForFocus()
{
    if (m_hideCount > 0 || !m_top)
        return;
    if (!m_multiple) {
        InvalidateItem(m_focus, kTextCell);
        return;
    }
    const int limit = GetVisibleRowLimit();
    for (CTreeBoxNode* n = m_top; n && GetItemRow(n) <= limit; n = n->m_nextRow)
        if (n->m_selected || n == m_focus)
            InvalidateItem(n, kTextCell);
}

void CTreeBox::OnSetFocus(CWnd* /*oldWnd*/)
{
    m_hasFocus = true;
    RedrawSelectionForFocus();
    if (m_owner)
        m_owner->OnSetFocus(this);
}

void CTreeBox::OnKillFocus(CWnd* /*newWnd*/)
{
    m_hasFocus = false;
    RedrawSelectionForFocus();
    if (m_owner)
        m_owner->OnKillFocus(this);
}
