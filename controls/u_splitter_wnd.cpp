// controls/u_splitter_wnd.cpp: the splitter's panes: adding, shares, layout, showing and hiding,
// resizing and painting the bars.
#include "controls/u_splitter_wnd.h"

#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>

CUSplitterWnd::CUSplitterWnd() = default;

CUSplitterWnd::~CUSplitterWnd()
{
    if (GetSafeHwnd() && GetCapture() == this)
        ReleaseCapture();
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CUSplitterWnd::Create(CWnd* parent, int orientation, bool proportional,
                           CUSplitterListener* listener)
{
    if (!parent || GetSafeHwnd())
        return FALSE;
    m_orientation = orientation;
    m_proportional = proportional;
    m_listener = listener;
    CRect client;
    parent->GetClientRect(&client);
    if (!CreateEx(0, nullptr, "CUSplitterWnd", WS_CHILD | WS_VISIBLE, client, parent,
                  static_cast<UINT>(-1)))
        return FALSE;
    SetLocked(m_locked);
    return TRUE;
}

void CUSplitterWnd::SetLocked(bool locked)
{
    m_locked = locked;
    // The splitter's own client area shows only where the bars are.
    SetWindowCursor(
        locked ? nullptr
               : LoadCursorResource(SideBySide() ? kSideBySideCursorId : kStackedCursorId));
}

int CUSplitterWnd::AddPane(CWnd* pane, int share)
{
    if (m_paneCount >= kMaxPanes)
        return -1;
    m_panes[m_paneCount] = Pane{pane, share, 0};
    return m_paneCount++;
}

void CUSplitterWnd::InitPaneSizes()
{
    const bool unmeasured = std::any_of(m_panes, m_panes + m_paneCount,
                                        [](const Pane& pane) { return pane.share < 0; });
    if (unmeasured) {
        RecordPaneSizes();
        MeasureShares();
    }
    LayoutByShares(false);
    RecordPaneSizes();
}

void CUSplitterWnd::ShowPane(int index, bool show)
{
    if (index < 0 || index >= m_paneCount)
        return;
    CWnd* wnd = m_panes[index].wnd;
    if (((wnd->GetStyle() & WS_VISIBLE) != 0) != show)
        wnd->ShowWindow(show ? SW_SHOW : SW_HIDE);
    LayoutByShares(true);
    // The sizes now shown are what a later resize keeps.
    RecordPaneSizes();
}

CWnd* CUSplitterWnd::FindVisiblePane(int from, int* index) const
{
    for (int i = std::max(from, 0); i < m_paneCount; ++i) {
        if (m_panes[i].wnd->GetStyle() & WS_VISIBLE) {
            if (index)
                *index = i;
            return m_panes[i].wnd;
        }
    }
    if (index)
        *index = -1;
    return nullptr;
}

void CUSplitterWnd::RecordPaneSizes()
{
    for (int i = 0; i < m_paneCount; ++i) {
        const Span span = SpanOf(i);
        m_panes[i].size = span.farEdge - span.nearEdge;
    }
}

void CUSplitterWnd::MeasureShares()
{
    int sum = 0;
    for (int i = 0; i < m_paneCount; ++i)
        sum += m_panes[i].size;
    // Panes of no size at all share alike rather than dividing by nothing.
    for (int i = 0; i < m_paneCount; ++i)
        m_panes[i].share = sum > 0 ? MulDiv(m_paneCount * 100, m_panes[i].size, sum) : 100;
}

int CUSplitterWnd::ClientLength() const
{
    CRect client;
    GetClientRect(&client);
    return SideBySide() ? client.Width() : client.Height();
}

CUSplitterWnd::Span CUSplitterWnd::SpanOf(int index) const
{
    CRect rect;
    m_panes[index].wnd->GetWindowRect(&rect);
    ScreenToClient(&rect);
    return SideBySide() ? Span{rect.left, rect.right} : Span{rect.top, rect.bottom};
}

void CUSplitterWnd::PlacePane(int index, int nearEdge, int farEdge, bool repaint)
{
    CRect client;
    GetClientRect(&client);
    const int length = std::max(farEdge - nearEdge, 0);
    if (SideBySide())
        m_panes[index].wnd->MoveWindow(nearEdge, 0, length, client.Height(), repaint);
    else
        m_panes[index].wnd->MoveWindow(0, nearEdge, client.Width(), length, repaint);
    if (repaint)
        m_panes[index].wnd->Invalidate();
}

int CUSplitterWnd::ListPanes(int* indexes, bool visibleOnly) const
{
    int count = 0;
    for (int i = 0; i < m_paneCount; ++i)
        if (!visibleOnly || (m_panes[i].wnd->GetStyle() & WS_VISIBLE))
            indexes[count++] = i;
    return count;
}

void CUSplitterWnd::LayoutByShares(bool visibleOnly)
{
    int panes[kMaxPanes];
    const int count = ListPanes(panes, visibleOnly);
    if (count == 0)
        return;
    int sum = 0;
    for (int i = 0; i < count; ++i)
        sum += std::max(m_panes[panes[i]].share, 0);
    const int length = ClientLength();
    const int space = std::max(length - (count - 1) * Bar(), 0);
    int position = 0;
    for (int i = 0; i < count; ++i) {
        const int share = std::max(m_panes[panes[i]].share, 0);
        int size = sum > 0 ? MulDiv(space, share, sum) : space / count;
        // The last pane takes what rounding left over.
        if (i == count - 1)
            size = std::max(length - position, 0);
        PlacePane(panes[i], position, position + size, true);
        position += size + Bar();
    }
    Invalidate();
}

void CUSplitterWnd::OnSize(UINT /*type*/, int /*cx*/, int /*cy*/)
{
    int panes[kMaxPanes];
    const int count = ListPanes(panes, true);
    if (count == 0)
        return;
    const int length = ClientLength();
    if (m_reverse)
        LayoutReverse(panes, count, length, m_proportional);
    else
        LayoutForward(panes, count, length, m_proportional);
    Invalidate();
}

int CUSplitterWnd::ResizedLength(int index, int count, int length, bool proportional) const
{
    if (!proportional)
        return m_panes[index].size;
    int panes[kMaxPanes];
    ListPanes(panes, true);
    int sum = 0;
    for (int i = 0; i < count; ++i)
        sum += std::max(m_panes[panes[i]].share, 0);
    const int space = std::max(length - (count - 1) * Bar(), 0);
    return sum > 0 ? MulDiv(space, std::max(m_panes[index].share, 0), sum) : space / count;
}

void CUSplitterWnd::LayoutForward(const int* visible, int count, int length, bool proportional)
{
    int position = 0;
    for (int i = 0; i + 1 < count; ++i) {
        // Each pane after this one keeps a bar before it and at least a bar's width itself.
        const int limit = length - (count - 1 - i) * 2 * Bar();
        const int size = ResizedLength(visible[i], count, length, proportional);
        const int farEdge = std::max(std::min(position + size, limit), position);
        PlacePane(visible[i], position, farEdge, true);
        position = farEdge + Bar();
    }
    PlacePane(visible[count - 1], position, std::max(length, position), true);
}

void CUSplitterWnd::LayoutReverse(const int* visible, int count, int length, bool proportional)
{
    int position = length;
    for (int i = count - 1; i > 0; --i) {
        const int limit = i * 2 * Bar();
        const int size = ResizedLength(visible[i], count, length, proportional);
        const int nearEdge = std::min(std::max(position - size, limit), position);
        PlacePane(visible[i], nearEdge, position, true);
        position = nearEdge - Bar();
    }
    PlacePane(visible[0], 0, std::max(position, 0), true);
}

CRect CUSplitterWnd::BarRect(int position) const
{
    CRect client;
    GetClientRect(&client);
    if (SideBySide())
        return CRect(position, 0, position + Bar(), client.bottom);
    return CRect(0, position, client.right, position + Bar());
}

void CUSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    int panes[kMaxPanes];
    const int count = ListPanes(panes, true);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    for (int i = 0; i + 1 < count; ++i) {
        const CRect bar = BarRect(SpanOf(panes[i]).farEdge);
        dc.Draw3dRect(&bar, highlight, shadow);
        CRect inside = bar;
        inside.DeflateRect(1, 1);
        dc.FillSolidRect(&inside, GetSysColor(COLOR_BTNFACE));
        // A groove along the bar's length: a shadow line beside a highlight line.
        const int middle = Bar() / 2;
        if (SideBySide()) {
            dc.FillSolidRect(bar.left + middle - 1, bar.top + 1, 1, bar.Height() - 2, shadow);
            dc.FillSolidRect(bar.left + middle, bar.top + 1, 1, bar.Height() - 2, highlight);
        } else {
            dc.FillSolidRect(bar.left + 1, bar.top + middle - 1, bar.Width() - 2, 1, shadow);
            dc.FillSolidRect(bar.left + 1, bar.top + middle, bar.Width() - 2, 1, highlight);
        }
    }
}
