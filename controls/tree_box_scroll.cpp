// controls/tree_box_scroll.cpp: the scroll ranges, scrolling by rows and pixels, the wheel,
// keeping a row in view, and the size and enable messages that change the layout.
#include "controls/tree_box.h"

#include "controls/column_header.h"
#include "controls/detail/tree_box_parts.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>

namespace {

void SetBar(CWnd& wnd, int bar, int last, int page, int pos)
{
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = last;
    info.nPage = UINT(page);
    info.nPos = pos;
    wnd.SetScrollInfo(bar, &info);
}

} // namespace

int CTreeBox::PageRows() const
{
    return RowHeight() > 0 ? std::max(1, int(ClientSize().cy) / RowHeight()) : 1;
}

void CTreeBox::RecalcLayout()
{
    const int rowHeight = RowHeight();
    if (!GetSafeHwnd() || m_disabledLook || m_frozen || rowHeight <= 0)
        return;
    if (m_vTracking || m_hTracking) {
        m_layoutDirty = true;
        return;
    }
    if (const int columns = ColumnCount()) {
        if (columns >= 2)
            m_widest = std::max(m_widest, ColumnRight(columns - 2) + 10);
        if (!m_header->LastColumnStretches())
            m_widest = std::min(m_widest, ColumnRight(columns - 1));
    }
    // The client size as if no bar were shown.
    const DWORD style = GetStyle();
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYHSCROLL);
    const CSize client = ClientSize();
    const int width = int(client.cx) + ((style & WS_VSCROLL) ? barWidth : 0);
    const int height = int(client.cy) + ((style & WS_HSCROLL) ? barHeight : 0);
    m_hMax = std::max(0, m_widest - 1);
    m_lastRow = std::max(0, m_rowCount - 1);
    const int top = TopIndex();
    const long long rowsHeight = (long long)m_rowCount * rowHeight;
    bool needH = m_hPos >= 1 || m_hMax > width;
    bool needV;
    if (needH) {
        needV = top > 0 || rowsHeight > height - barHeight;
    } else {
        needV = top > 0 || rowsHeight > height;
        needH = needV && m_hMax > width - barWidth;
    }
    const int pageWidth = std::max(1, width - (needV ? barWidth : 0));
    const int pageRows = std::max(1, (height - (needH ? barHeight : 0)) / rowHeight);
    m_hRangeEnd = m_hPos > 0 ? std::max(m_hMax, pageWidth + m_hPos - 1) : m_hMax;
    m_vRangeEnd = top > 0 ? std::max(m_lastRow, pageRows + top - 1) : m_lastRow;
    const int oldH = GetScrollPos(SB_HORZ), oldV = GetScrollPos(SB_VERT);
    SetBar(*this, SB_HORZ, m_hRangeEnd, pageWidth, m_hPos);
    SetBar(*this, SB_VERT, m_vRangeEnd, pageRows, top);
    if (GetScrollPos(SB_HORZ) != oldH || GetScrollPos(SB_VERT) != oldV)
        Invalidate();
    m_layoutDirty = false;
}

void CTreeBox::OnVScroll(UINT code, UINT pos, CScrollBar*)
{
    int thumb = int(pos);
    SCROLLINFO info;
    if ((code == SB_THUMBTRACK || code == SB_THUMBPOSITION) &&
        GetScrollInfo(SB_VERT, &info, SIF_TRACKPOS))
        thumb = info.nTrackPos; // all 32 bits: a long list has more rows than the message carries
    ScrollVerticallyTo(code, thumb);
}

void CTreeBox::OnHScroll(UINT code, UINT pos, CScrollBar*)
{
    int thumb = int(pos);
    SCROLLINFO info;
    if ((code == SB_THUMBTRACK || code == SB_THUMBPOSITION) &&
        GetScrollInfo(SB_HORZ, &info, SIF_TRACKPOS))
        thumb = info.nTrackPos;
    ScrollHorizontallyTo(code, thumb);
}

void CTreeBox::ScrollVerticallyTo(UINT code, int pos)
{
    CRect client;
    GetClientRect(&client);
    if (code == SB_ENDSCROLL) {
        m_vTracking = false;
        if (m_layoutDirty || m_vRangeEnd > m_lastRow)
            RecalcLayout();
        if (m_owner)
            m_owner->ScrollVertically(this, TopIndex(), 0, client, true);
        return;
    }
    const int rowHeight = RowHeight();
    if (!m_top || rowHeight <= 0)
        return;
    const int old = GetItemRow(m_top), page = PageRows();
    int next = old;
    switch (code) {
    case SB_LINEUP:
        next = old - 1;
        break;
    case SB_LINEDOWN:
        next = old + 1;
        break;
    case SB_PAGEUP:
        next = old - std::max(1, page - 1);
        break;
    case SB_PAGEDOWN:
        next = old + std::max(1, page - 1);
        break;
    case SB_THUMBTRACK:
        m_vTracking = true;
        next = pos;
        break;
    case SB_THUMBPOSITION:
        next = pos;
        break;
    case SB_TOP:
        next = 0;
        break;
    case SB_BOTTOM:
        next = m_vRangeEnd;
        break;
    default:
        return;
    }
    next = std::max(next, 0);
    if (next > old)
        next = std::max(old, std::min(next, m_vRangeEnd - page + 1));
    if (next == old)
        return;
    SetScrollPos(SB_VERT, next);
    CTreeBoxNode* top = FindItemById(next);
    m_top = top ? top : GetNextItem(nullptr);
    if (GetItemRow(m_top) != next)
        m_layoutDirty = true;
    const int delta = old - GetItemRow(m_top);
    if (!(m_owner && m_owner->ScrollVertically(this, GetItemRow(m_top), delta, client, false))) {
        ScrollWindow(0, delta * rowHeight);
        UpdateWindow();
    }
}

void CTreeBox::ScrollHorizontallyTo(UINT code, int pos)
{
    CRect client;
    GetClientRect(&client);
    if (code == SB_ENDSCROLL) {
        m_hTracking = false;
        if (m_layoutDirty || m_hRangeEnd > m_hMax)
            RecalcLayout();
        if (m_owner)
            m_owner->ScrollHorizontally(this, m_hPos, 0, client, true);
        return;
    }
    const int line = Metric(TBM_LEVEL_INDENT), page = std::max(line, client.Width() / 2);
    const int old = m_hPos;
    int next = old;
    switch (code) {
    case SB_LINELEFT:
        next = old - line;
        break;
    case SB_LINERIGHT:
        next = old + line;
        break;
    case SB_PAGELEFT:
        next = old - page;
        break;
    case SB_PAGERIGHT:
        next = old + page;
        break;
    case SB_THUMBTRACK:
        m_hTracking = true;
        next = pos;
        break;
    case SB_THUMBPOSITION:
        next = pos;
        break;
    case SB_LEFT:
        next = 0;
        break;
    case SB_RIGHT:
        next = m_hRangeEnd;
        break;
    default:
        return;
    }
    next = std::max(next, 0);
    const int last = m_hRangeEnd - std::max(1, client.Width()) + 1;
    if (next > old && code == SB_LINERIGHT && old >= last) {
        // A line to the right at the end of the range makes the range one line longer.
        m_hRangeEnd += line;
        SetBar(*this, SB_HORZ, m_hRangeEnd, std::max(1, client.Width()), old);
        next = old + line;
    } else if (next > old) {
        next = std::max(old, std::min(next, last));
    }
    if (next == old)
        return;
    SetScrollPos(SB_HORZ, next);
    HideFocusMark();
    m_hPos = next;
    const int answer =
        m_owner ? m_owner->ScrollHorizontally(this, next, old - next, client, false) : 0;
    if (answer <= 0)
        ScrollWindow(old - next, 0);
    UpdateWindow();
    ShowFocusMark();
}

void CTreeBox::SetTopRow(int row)
{
    CTreeBoxNode* top = FindItemById(std::max(row, 0));
    if (!top || top == m_top)
        return;
    m_top = top;
    Invalidate();
    RecalcLayout();
    if (m_owner) {
        CRect client;
        GetClientRect(&client);
        m_owner->ScrollVertically(this, GetItemRow(top), 0, client, true);
    }
}

bool CTreeBox::EnsureItemVisible(CTreeBoxNode* node, int rows, bool alignEnd)
{
    if (!node || rows < 1 || RowHeight() <= 0 || !IsNodeVisible(node))
        return false;
    const int page = PageRows();
    rows = std::min(rows, page);
    const int top = TopIndex(), row = GetItemRow(node);
    int next = top;
    if (alignEnd) {
        if (row - rows + 1 < top)
            next = std::max(0, row - rows + 1);
        else if (row > top + page - 1)
            next = row - page + 1;
    } else {
        if (row < top)
            next = row;
        else if (row + rows - 1 > top + page - 1)
            next = row + rows - page;
    }
    if (next == top)
        return false;
    SetTopRow(next);
    return true;
}

void CTreeBox::ScrollToRow(int row)
{
    if (!m_count || row < 0 || row > m_lastRow)
        return;
    ScrollVerticallyTo(SB_THUMBTRACK, row);
    ScrollVerticallyTo(SB_ENDSCROLL, 0);
}

BOOL CTreeBox::OnMouseWheel(UINT /*flags*/, short delta, CPoint /*point*/)
{
    SCROLLINFO info;
    if (!GetScrollInfo(SB_VERT, &info, SIF_ALL))
        return TRUE;
    const int last = std::max(info.nMin, info.nMax - std::max(int(info.nPage), 1) + 1);
    const int next = std::clamp(info.nPos - (delta / WHEEL_DELTA) * 3, info.nMin, last);
    if (next == info.nPos)
        return TRUE;
    ScrollVerticallyTo(SB_THUMBTRACK, next);
    ScrollVerticallyTo(SB_ENDSCROLL, 0);
    return TRUE;
}

void CTreeBox::UpdateTextWidth()
{
    m_widest = 0;
    if (m_mode == kGridMode) {
        m_layoutDirty = true;
        return;
    }
    if (!GetSafeHwnd() || RowHeight() <= 0)
        return;
    CClientDC dc(this);
    dc.SelectObject(m_font);
    const int height = int(ClientSize().cy) + GetSystemMetrics(SM_CYHSCROLL);
    const int columns = ColumnCount();
    const int top = TopIndex();
    for (CTreeBoxNode* n = m_top; n && (GetItemRow(n) - top) * RowHeight() < height;
         n = n->m_nextRow) {
        int right;
        if (columns > 0) {
            const int left =
                (columns >= 2 ? ColumnRight(columns - 2) : 0) + m_header->GetLeftMargin();
            right = left + int(dc.GetTextExtent(GetCellText(n, columns - 1)).cx);
        } else {
            right = GeometryOf(n).textLeft + TextWidth(n, &dc);
        }
        m_widest = std::max(m_widest, right);
    }
}

void CTreeBox::OnSize(UINT /*type*/, int /*cx*/, int /*cy*/)
{
    RecalcLayout();
    // Columns that stretch, the empty text centred and the rows under a scroll bar that came
    // or went all move with the size: the whole box is painted again, not only what is new.
    Invalidate();
}

void CTreeBox::OnEnable(BOOL enable)
{
    if (enable) {
        m_disabledLook = false;
        RecalcLayout();
    } else {
        m_disabledLook = true;
        SetBar(*this, SB_HORZ, 0, 0, 0);
        SetBar(*this, SB_VERT, 0, 0, 0);
    }
    Invalidate();
}

void CTreeBox::HideFocusMark()
{
    if (m_hideCount++ == 0 && m_focus && m_hasFocus) {
        InvalidateItem(m_focus, kTextCell);
        UpdateWindow();
    }
}

void CTreeBox::ShowFocusMark()
{
    if (m_hideCount > 0 && --m_hideCount == 0 && m_focus && m_hasFocus)
        InvalidateItem(m_focus, kTextCell);
}
