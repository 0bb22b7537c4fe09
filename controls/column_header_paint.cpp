// controls/column_header_paint.cpp: drawing the header: raised or pressed title buttons, with
// embossed grey titles while the header is disabled.
#include "controls/column_header.h"

#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/pen.h"
#include "platform/ui/windows/sys_metrics.h"

BOOL CColumnHeader::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_3DFACE));
    return TRUE;
}

CRect CColumnHeader::ColumnRect(int index) const
{
    // Inclusive pixel coordinates: the column's last pixel is its right edge.
    const int left = (index > 0 ? GetColumnRight(index - 1) : 0) + 1 - m_scroll;
    const bool stretches = m_columns[std::size_t(index)].m_stretches;
    const int right = stretches ? m_clientWidth - 1 : GetColumnRight(index) - m_scroll;
    return {left, 0, right, m_height - 1};
}

void CColumnHeader::OnPaint()
{
    CPaintDC dc(this);
    dc.SelectObject(m_font);
    dc.SetBkMode(TRANSPARENT);
    for (int i = 0; i < GetColumnCount(); ++i)
        DrawColumn(dc, i);
    if (!m_lastStretches) {
        const int left =
            (m_columns.empty() ? 0 : GetColumnRight(GetColumnCount() - 1)) + 1 - m_scroll;
        if (left < m_clientWidth - 1)
            DrawRaised(dc, CRect(left, 0, m_clientWidth - 1, m_height - 1), true);
    }
}

void CColumnHeader::DrawColumn(CDC& dc, int index)
{
    const CColumnInfo& column = m_columns[std::size_t(index)];
    const CRect rect = ColumnRect(index);
    if (rect.right < rect.left || rect.left > m_clientWidth)
        return;
    if (column.m_pressed) {
        CPen shadow(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
        dc.SelectObject(&shadow);
        dc.SelectStockObject(NULL_BRUSH);
        dc.Rectangle(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    } else {
        DrawRaised(dc, rect, column.m_clickable != 0);
    }
    CRect title(rect.left + m_leftMargin, m_textTop, rect.right - m_rightMargin, rect.bottom);
    if (column.m_pressed)
        title.OffsetRect(1, 1);
    if (title.IsRectEmpty())
        return;
    UINT format = DT_SINGLELINE | DT_NOPREFIX | (column.m_rightAligned ? DT_RIGHT : DT_LEFT);
    if (!column.m_stretches)
        format |= DT_END_ELLIPSIS;
    if (!IsWindowEnabled()) {
        CRect raised = title;
        raised.OffsetRect(1, 1);
        dc.SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
        dc.DrawText(column.m_title, &raised, format);
        dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    } else {
        dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    }
    dc.DrawText(column.m_title, &title, format);
}

void CColumnHeader::DrawRaised(CDC& dc, const CRect& rect, bool toTop)
{
    const int l = rect.left, r = rect.right, b = rect.bottom;
    CPen frame(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME));
    CPen highlight(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen shadow(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    // The dark outer edge along the bottom and up the right side, a light edge up the left
    // side and along the top, and a shadow just inside the bottom and right.
    dc.SelectObject(&frame);
    dc.MoveTo(l, b);
    dc.LineTo(r + 1, b);
    dc.MoveTo(r, b);
    dc.LineTo(r, toTop ? -1 : 0);
    dc.SelectObject(&highlight);
    dc.MoveTo(l, b - 1);
    dc.LineTo(l, 0);
    dc.LineTo(r, 0);
    dc.SelectObject(&shadow);
    dc.MoveTo(l + 1, b - 1);
    dc.LineTo(r - 1, b - 1);
    dc.LineTo(r - 1, 0);
}
