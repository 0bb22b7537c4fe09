// diagrams/window/rel_tree_paint.cpp: the Diagram window's mapping of diagram units to the screen
// and to the measuring printer, its paint (the background, the page grid and the diagram through
// its CRelTreePainter, then the feedback of a drag), zoom and scroll ranges.
//
// The screen mapping has y up, the root row at the bottom for Ancestors, at the top for
// Descendants, in the middle otherwise; the measuring mapping is the printer's page, else the
// screen at divisor 20. The gap between a couple's two lines is set in pixels: on the screen it
// keeps them at any zoom, on paper it counts as diagram units. A keypad plus or minus waiting for
// the window (IsKeyDownWaiting) stops a screen repaint after the box being drawn.
#include "diagrams/window/sub_view_rel_tree.h"

#include "diagrams/diag_hit.h"
#include "diagrams/page_grid.h"
#include "diagrams/window/zoom_draw.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/key_waiting.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

/// Grows a diagram rectangle (y up: its top above its bottom) to hold another, whichever way
/// that one's corners lie.
void Widen(CRect& rect, const CRect& other)
{
    rect.left = std::min({rect.left, other.left, other.right});
    rect.right = std::max({rect.right, other.left, other.right});
    rect.top = std::max({rect.top, other.top, other.bottom});
    rect.bottom = std::min({rect.bottom, other.top, other.bottom});
}

/// Reference sizes at or below zero give no mapping; keep the arithmetic in 64 bits.
int Scale64(long long value, long long numerator, long long denominator)
{
    if (denominator == 0)
        return 0;
    const long long result = value * numerator / denominator;
    return int(std::clamp<long long>(result, INT_MIN, INT_MAX));
}

} // namespace

int CSubViewRelTree::RootRowOffset() const
{
    if (const CDiagRowSet* rowSet = RowSet())
        return DiagRootRowPosition(*rowSet);
    return -(m_doc.Settings().m_boxToBoxVertGap - m_doc.Settings().m_sibLineToBoxVertGap) / 2;
}

void CSubViewRelTree::SetScale(int divisor)
{
    m_divisor = std::max(1, divisor);
    m_scrollBarsStale = true;
}

void CSubViewRelTree::OnPrepareDC(CDC* dc, CPrintInfo* info)
{
    if (!dc)
        return;
    if (info)
        m_pages.PreparePrintDC(*dc, *info);
    else
        PrepareScreenDC(*dc);
}

void CSubViewRelTree::PrepareScreenDC(CDC& dc)
{
    const int width = m_divisor * std::max(1, m_doc.Settings().m_minBoxWidth);
    const int height = MulDiv(-m_refHeight, width, m_refWidth);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(width, height);
    dc.SetViewportExt(m_refWidth, m_refHeight);
    CRect client;
    if (GetSafeHwnd())
        GetClientRect(&client);
    int y = client.Height() / 2;
    if (!m_pages.Shown() && m_doc.Settings().m_diagramType == kDescendantsDiagram)
        y = client.top;
    else if (!m_pages.Shown() && m_doc.Settings().m_diagramType == kAncestorsDiagram)
        y = client.bottom;
    dc.SetViewportOrg(client.Width() / 2 - m_scroll.x, y - m_scroll.y);
    dc.SetWindowOrg(0, RootRowOffset());
    // The settings give the gap between a couple's lines in pixels.
    CSize gap(0, std::max(0, m_doc.Settings().m_spouseLinesGap));
    dc.DPtoLP(&gap);
    m_spouseLinesGapUnits = std::abs(int(gap.cy));
}

int CSubViewRelTree::SpouseLinesGap() const
{
    if (m_pages.Printing() || m_spouseLinesGapUnits < 0)
        return std::max(0, m_doc.Settings().m_spouseLinesGap);
    return m_spouseLinesGapUnits;
}

void CSubViewRelTree::PrepareMeasuringDC(CDC& dc, bool printer)
{
    if (!printer) {
        const int divisor = m_divisor;
        m_divisor = 20;
        PrepareScreenDC(dc);
        m_divisor = divisor;
        return;
    }
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(m_doc.Settings().m_pageWidth, -m_doc.Settings().m_pageHeight);
    dc.SetViewportExt(dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
}

CPoint CSubViewRelTree::ToDiagram(CPoint device)
{
    CClientDC dc(this);
    PrepareScreenDC(dc);
    dc.DPtoLP(&device);
    return device;
}

CPoint CSubViewRelTree::ToDevice(CPoint diagram)
{
    CClientDC dc(this);
    PrepareScreenDC(dc);
    dc.LPtoDP(&diagram);
    return diagram;
}

BOOL CSubViewRelTree::OnEraseBkgnd(CDC*)
{
    // The paint fills the background itself: a repaint asked for without erasing (the drag
    // outlines, the stretchy box, the selection) must not leave what it drew in empty space.
    return TRUE;
}

void CSubViewRelTree::OnPaint()
{
    CPaintDC dc(this);
    PrepareScreenDC(dc);
    CRect clip;
    dc.GetClipBox(&clip);
    // y grows upwards: the clip's top lies above its bottom.
    clip.NormalizeRect();
    if (clip.IsRectEmpty() || m_updating)
        return;
    m_painter.PaintBackground(dc);
    WidenLogicalRect(dc, clip, 1, 1);
    // The page grid lies under the boxes, as part of the background.
    m_pages.DrawGrid(dc, clip);
    if (!HasTree()) {
        RefreshStaleScrollBars();
        return;
    }
    m_painter.DrawDiagram(dc, clip, m_underlineOverridden);
    m_mouse.DrawFeedback(dc);
}

void CSubViewRelTree::DrawPrintedPage(CDC& dc, const CRect& clip)
{
    m_painter.DrawDiagram(dc, clip, m_underlineOverridden);
}

void CSubViewRelTree::RefreshStaleScrollBars()
{
    if (m_scrollBarsStale)
        SetScrollBars(true, true);
}

bool CSubViewRelTree::ZoomKeyWaiting() const
{
    return GetSafeHwnd() &&
           (IsKeyDownWaiting(*this, VK_ADD) || IsKeyDownWaiting(*this, VK_SUBTRACT));
}

bool CSubViewRelTree::GetDiagramExtent(CRect& rect) const
{
    bool any = false;
    for (const auto& rowSet : m_doc.RowSets()) {
        CRect one;
        if (!DiagGetExtent(*rowSet, one))
            continue;
        if (!any) {
            rect = one;
            any = true;
            continue;
        }
        Widen(rect, one);
    }
    if (!any)
        return false;
    // So do the relationship-description columns beside the rows.
    const CRelationshipColumns& columns = m_painter.RelationshipColumns();
    if (columns.LeftShown())
        Widen(rect, columns.LeftColumn());
    if (columns.RightShown())
        Widen(rect, columns.RightColumn());
    // Titles placed beyond the boxes belong to the diagram too.
    for (const CDiagramTitle& title : m_doc.Settings().m_titles)
        if (title.visible)
            Widen(rect, title.frame);
    return true;
}

void CSubViewRelTree::ScrollToPoint(int px, int py, int dx, int dy, bool redraw)
{
    const CDiagramSettings& settings = m_doc.Settings();
    CRect client;
    GetClientRect(&client);
    const int width = m_divisor * std::max(1, settings.m_minBoxWidth);
    const int height = MulDiv(-m_refHeight, width, m_refWidth);
    int base = client.Height() / 2;
    if (!m_pages.Shown() && settings.m_diagramType == kDescendantsDiagram)
        base = client.top;
    else if (!m_pages.Shown() && settings.m_diagramType == kAncestorsDiagram)
        base = client.bottom;
    m_scroll.x = Scale64(px, m_refWidth, width) - dx + client.Width() / 2;
    m_scroll.y = Scale64(py - RootRowOffset(), m_refHeight, height) - dy + base;
    m_scrollBarsStale = true;
    if (redraw)
        Invalidate();
}

void CSubViewRelTree::Zoom(int amount, bool absolute)
{
    CRect client;
    GetClientRect(&client);
    // An empty client area has no centre to keep.
    if (client.IsRectEmpty())
        return;
    const int divisor = std::max(1, absolute ? amount : m_divisor + amount);
    if (divisor != m_divisor) {
        const CPoint centre = ToDiagram(client.CenterPoint());
        const int oldDivisor = m_divisor;
        const CPoint oldScroll = m_scroll;
        SetScale(divisor);
        ScrollToPoint(centre.x, centre.y, client.CenterPoint().x, client.CenterPoint().y, false);
        // Scroll positions are 32-bit: a zoom whose origin would pass that limit is undone.
        const long long limit = INT_MAX / 2;
        if (!absolute && (std::llabs(m_scroll.x) > limit || std::llabs(m_scroll.y) > limit)) {
            m_divisor = oldDivisor;
            m_scroll = oldScroll;
        }
    }
    m_scrollBarsStale = true;
    Invalidate();
    UpdateWindow();
}

void CSubViewRelTree::ZoomToRect(CRect rect, bool logical)
{
    const CDiagramSettings& settings = m_doc.Settings();
    CRect client;
    GetClientRect(&client);
    if (settings.m_minBoxWidth <= 0 || client.IsRectEmpty())
        return;
    if (!logical) {
        CClientDC dc(this);
        PrepareScreenDC(dc);
        dc.DPtoLP(&rect);
    }
    rect.NormalizeRect();
    long long w = std::max(1, rect.Width());
    long long h = std::max(1, rect.Height());
    const long long cw = client.Width(), ch = client.Height();
    const CPoint centre = rect.CenterPoint();
    if (w * ch < h * cw)
        w = h * cw / ch;
    else
        h = w * ch / cw;
    (void)h;
    const double divisor = double(m_refWidth * w / cw) / settings.m_minBoxWidth + 1.5;
    SetScale(int(std::min<double>(divisor, INT_MAX / 4 / std::max(1, settings.m_minBoxWidth))));
    ScrollToPoint(centre.x, centre.y, client.CenterPoint().x, client.CenterPoint().y, true);
}

void CSubViewRelTree::ViewWholeDiagram()
{
    CRect extent;
    if (!HasTree() || !GetDiagramExtent(extent))
        return;
    // With page boundaries shown, the whole grid of pages.
    if (m_pages.Shown()) {
        CPoint origin;
        int down = 1, across = 1;
        GetPageSpan(origin, down, across);
        const long long right =
            origin.x + static_cast<long long>(across) * m_doc.Settings().m_pageWidth;
        const long long bottom =
            origin.y - static_cast<long long>(down) * m_doc.Settings().m_pageHeight;
        extent = CRect(origin.x, origin.y, int(std::min<long long>(right, INT_MAX)),
                       int(std::max<long long>(bottom, INT_MIN)));
    }
    ZoomToRect(extent, true);
}

void CSubViewRelTree::CentreOnRoot()
{
    if (!GetSafeHwnd())
        return;
    const CDiagElem* root = m_doc.RootElement();
    if (!root) {
        m_scroll = CPoint(0, 0);
    } else {
        CRect client;
        GetClientRect(&client);
        CPoint target = root->GetCentre();
        // A couple: the middle of the gap between the partners' boxes, whatever is selected.
        const CDiagTree* tree = m_doc.RootKind() == 1 ? RowSet()->MainTree() : nullptr;
        const CDiagElem* husband = tree ? tree->m_father.get() : nullptr;
        const CDiagElem* wife = tree ? tree->m_mother.get() : nullptr;
        if (husband && wife && husband->IsVisible() && wife->IsVisible()) {
            const CRect& a = husband->Rect();
            const CRect& b = wife->Rect();
            target.x = a.left < b.left ? (a.right + b.left) / 2 : (b.right + a.left) / 2;
        } else if (wife && wife->IsVisible() && !(husband && husband->IsVisible())) {
            target = wife->GetCentre();
        }
        const int type = m_doc.Settings().m_diagramType;
        if (type == kAncestorsAndDescendantsDiagram || type == kAllRelativesDiagram) {
            ScrollToPoint(target.x, target.y, client.CenterPoint().x, client.CenterPoint().y,
                          false);
        } else {
            // The root row stays where the type puts it.
            ScrollToPoint(target.x, RootRowOffset(), client.CenterPoint().x, 0, false);
            m_scroll.y = 0;
        }
    }
    m_scrollBarsStale = true;
    Invalidate();
}

void CSubViewRelTree::SetScrollBars(bool horizontal, bool vertical)
{
    const CDiagramSettings& settings = m_doc.Settings();
    if (!GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    const int cw2 = client.Width() / 2, ch2 = client.Height() / 2;
    CRect extent;
    if (!GetDiagramExtent(extent))
        extent = CRect(0, RootRowOffset(), 0, RootRowOffset());
    // The range always reaches the page left of and below the page grid's origin.
    const int pageWidth = std::max(1, settings.m_pageWidth);
    const int pageHeight = std::max(1, settings.m_pageHeight);
    const int x0 = NormalisePageOrigin(settings.m_pageXOrigin, pageWidth);
    const int y0 = NormalisePageOrigin(settings.m_pageYOrigin, pageHeight);
    Widen(extent, CRect(x0 - pageWidth, y0, x0, y0 - pageHeight));
    CClientDC dc(this);
    PrepareScreenDC(dc);
    CRect device = extent;
    dc.LPtoDP(&device);
    device.NormalizeRect();
    CPoint origin(0, RootRowOffset());
    dc.LPtoDP(&origin);
    device.OffsetRect(-origin.x, -origin.y);
    const int type = settings.m_diagramType;
    if (horizontal) {
        m_hRange.diagramMin = device.left - cw2;
        m_hRange.rangeMin = std::min(m_hRange.diagramMin, int(m_scroll.x));
        m_hRange.diagramMax = cw2 + device.right;
        m_hRange.rangeMax = std::max(m_hRange.diagramMax, int(m_scroll.x));
        const int most = std::max(m_hRange.rangeMax, -m_hRange.rangeMin);
        m_hRange.rangeMin = -most;
        m_hRange.rangeMax = most;
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_POS;
        info.nMin = m_hRange.rangeMin;
        info.nMax = m_hRange.rangeMax;
        info.nPos = m_scroll.x;
        SetScrollInfo(SB_HORZ, &info, TRUE);
    }
    if (vertical) {
        m_vRange.diagramMin =
            type == kDescendantsDiagram && !m_pages.Shown() ? -ch2 : device.top - ch2;
        m_vRange.rangeMin = std::min(m_vRange.diagramMin, int(m_scroll.y));
        m_vRange.diagramMax =
            type == kAncestorsDiagram && !m_pages.Shown() ? ch2 : ch2 + device.bottom;
        m_vRange.rangeMax = std::max(m_vRange.diagramMax, int(m_scroll.y));
        m_vRange.diagramMax = std::max(m_vRange.diagramMax, m_vRange.rangeMin);
        m_vRange.rangeMax = std::max(m_vRange.rangeMax, m_vRange.diagramMax);
        if (type == kAncestorsAndDescendantsDiagram || type == kAllRelativesDiagram) {
            const int most = std::max(m_vRange.rangeMax, -m_vRange.rangeMin);
            m_vRange.rangeMin = -most;
            m_vRange.rangeMax = most;
        }
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_POS;
        info.nMin = m_vRange.rangeMin;
        info.nMax = m_vRange.rangeMax;
        info.nPos = m_scroll.y;
        SetScrollInfo(SB_VERT, &info, TRUE);
    }
    m_scrollBarsStale = false;
}

void CSubViewRelTree::OnSize(UINT type, int cx, int cy)
{
    CSubView::OnSize(type, cx, cy);
    m_scrollBarsStale = true;
    // The new scroll ranges can move the diagram within the window: paint all of it again,
    // not only the strip a larger size uncovers.
    Invalidate();
}

void CSubViewRelTree::OnHScroll(UINT code, UINT pos, CScrollBar*)
{
    OnScroll(SB_HORZ, code, int(pos));
}

void CSubViewRelTree::OnVScroll(UINT code, UINT pos, CScrollBar*)
{
    OnScroll(SB_VERT, code, int(pos));
}

void CSubViewRelTree::OnScroll(int bar, UINT code, int pos)
{
    CRect client;
    GetClientRect(&client);
    const bool horizontal = bar == SB_HORZ;
    const Range& range = horizontal ? m_hRange : m_vRange;
    const int line = horizontal ? client.Width() / 20 : client.Height() / 15;
    const int page = (horizontal ? client.Width() : client.Height()) / 2;
    const int type = m_doc.Settings().m_diagramType;
    // Vertically in the two-sided diagrams the stop lies at the root row.
    int stop = 0;
    if (!horizontal && (type == kAncestorsAndDescendantsDiagram || type == kAllRelativesDiagram))
        stop = 0;
    long long current = horizontal ? m_scroll.x : m_scroll.y;
    long long next = current;
    const auto towards = [&](long long step) {
        if (step < 0) {
            if (current > stop && current + step < stop)
                next = stop;
            else
                next = std::max<long long>(current + step, range.rangeMin);
        } else {
            if (current < stop && current + step > stop)
                next = stop;
            else
                next = std::min<long long>(current + step, range.rangeMax);
        }
    };
    switch (code) {
    case SB_LINEUP:
        towards(-std::max(1, line));
        break;
    case SB_LINEDOWN:
        towards(std::max(1, line));
        break;
    case SB_PAGEUP:
        towards(-std::max(1, page));
        break;
    case SB_PAGEDOWN:
        towards(std::max(1, page));
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        next = pos;
        break;
    case SB_ENDSCROLL:
        if (range.rangeMin < range.diagramMin || range.rangeMax > range.diagramMax)
            SetScrollBars(horizontal, !horizontal);
        return;
    default:
        return;
    }
    if (next == current)
        return;
    const int delta = int(next - current);
    if (horizontal) {
        m_scroll.x = int(next);
        ScrollWindow(-delta, 0);
    } else {
        m_scroll.y = int(next);
        ScrollWindow(0, -delta);
    }
    SetScrollPos(bar, int(next), TRUE);
    UpdateWindow();
}
