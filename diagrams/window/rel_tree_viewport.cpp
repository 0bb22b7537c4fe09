// diagrams/window/rel_tree_viewport.cpp: the Diagram window's mapping, zoom and scrolling
// (CRelTreeViewport, rel_tree_viewport.h).
#include "diagrams/window/rel_tree_viewport.h"

#include "diagrams/diag_hit.h"
#include "diagrams/diagram_document.h"
#include "diagrams/page_grid.h"
#include "diagrams/window/rel_tree_pages.h"
#include "diagrams/window/rel_tree_painter.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/sys_metrics.h"
#include "platform/ui/windows/wnd.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

/// Sets a scroll bar's range and position from the range worked out for it.
void SetBarRange(CWnd& window, int bar, const CRelTreeViewport::Range& range, int pos)
{
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = range.rangeMin;
    info.nMax = range.rangeMax;
    info.nPos = pos;
    window.SetScrollInfo(bar, &info, TRUE);
}

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

CRelTreeViewport::CRelTreeViewport(IRelTreeViewportView& view, const CDiagramDocument& doc,
                                   const CRelTreePages& pages, const CRelTreePainter& painter)
    : m_view(view), m_doc(doc), m_pages(pages), m_painter(painter)
{
    m_refWidth = std::max(1, GetSystemMetrics(SM_CXFULLSCREEN) - GetSystemMetrics(SM_CXVSCROLL));
    m_refHeight = std::max(1, GetSystemMetrics(SM_CYFULLSCREEN) - GetSystemMetrics(SM_CYHSCROLL));
}

// ---------------------------------------------------------------------------------------------
// Mapping.

int CRelTreeViewport::WindowWidth() const
{
    return m_divisor * std::max(1, m_doc.Settings().m_minBoxWidth);
}

int CRelTreeViewport::RootRowClientY(const CRect& client) const
{
    const int type = m_doc.Settings().m_diagramType;
    if (!m_pages.Shown() && type == kDescendantsDiagram)
        return client.top;
    if (!m_pages.Shown() && type == kAncestorsDiagram)
        return client.bottom;
    return client.Height() / 2;
}

int CRelTreeViewport::RootRowOffset() const
{
    if (const CDiagRowSet* rowSet = m_doc.RowSet())
        return DiagRootRowPosition(*rowSet);
    return -(m_doc.Settings().m_boxToBoxVertGap - m_doc.Settings().m_sibLineToBoxVertGap) / 2;
}

void CRelTreeViewport::PrepareScreenDC(CDC& dc)
{
    const int width = WindowWidth();
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(width, WindowHeight(width));
    dc.SetViewportExt(m_refWidth, m_refHeight);
    CRect client;
    if (m_view.Window().GetSafeHwnd())
        m_view.Window().GetClientRect(&client);
    dc.SetViewportOrg(client.Width() / 2 - m_scroll.x, RootRowClientY(client) - m_scroll.y);
    dc.SetWindowOrg(0, RootRowOffset());
    // The settings give the gap between a couple's lines in pixels.
    CSize gap(0, std::max(0, m_doc.Settings().m_spouseLinesGap));
    dc.DPtoLP(&gap);
    m_spouseLinesGapUnits = std::abs(int(gap.cy));
}

void CRelTreeViewport::PrepareMeasuringDC(CDC& dc, bool printer)
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

int CRelTreeViewport::SpouseLinesGap() const
{
    if (m_pages.Printing() || m_spouseLinesGapUnits < 0)
        return std::max(0, m_doc.Settings().m_spouseLinesGap);
    return m_spouseLinesGapUnits;
}

CPoint CRelTreeViewport::ToDiagram(CPoint device)
{
    CClientDC dc(&m_view.Window());
    PrepareScreenDC(dc);
    dc.DPtoLP(&device);
    return device;
}

CPoint CRelTreeViewport::ToDevice(CPoint diagram)
{
    CClientDC dc(&m_view.Window());
    PrepareScreenDC(dc);
    dc.LPtoDP(&diagram);
    return diagram;
}

bool CRelTreeViewport::GetDiagramExtent(CRect& rect) const
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

// ---------------------------------------------------------------------------------------------
// Zoom.

void CRelTreeViewport::SetScale(int divisor)
{
    m_divisor = std::max(1, divisor);
    m_scrollBarsStale = true;
}

void CRelTreeViewport::Zoom(int amount, bool absolute)
{
    CWnd& window = m_view.Window();
    CRect client;
    window.GetClientRect(&client);
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
    window.Invalidate();
    window.UpdateWindow();
}

void CRelTreeViewport::ZoomToRect(CRect rect, bool logical)
{
    const CDiagramSettings& settings = m_doc.Settings();
    CRect client;
    m_view.Window().GetClientRect(&client);
    if (settings.m_minBoxWidth <= 0 || client.IsRectEmpty())
        return;
    if (!logical) {
        CClientDC dc(&m_view.Window());
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

void CRelTreeViewport::ViewWholeDiagram()
{
    CRect extent;
    if (!m_doc.HasTree() || !GetDiagramExtent(extent))
        return;
    // With page boundaries shown, the whole grid of pages.
    if (m_pages.Shown()) {
        CPoint origin;
        int down = 1, across = 1;
        m_doc.GetPageSpan(origin, down, across);
        const long long right =
            origin.x + static_cast<long long>(across) * m_doc.Settings().m_pageWidth;
        const long long bottom =
            origin.y - static_cast<long long>(down) * m_doc.Settings().m_pageHeight;
        extent = CRect(origin.x, origin.y, int(std::min<long long>(right, INT_MAX)),
                       int(std::max<long long>(bottom, INT_MIN)));
    }
    ZoomToRect(extent, true);
}

// ---------------------------------------------------------------------------------------------
// Scrolling.

void CRelTreeViewport::ScrollToPoint(int px, int py, int dx, int dy, bool redraw)
{
    CRect client;
    m_view.Window().GetClientRect(&client);
    const int width = WindowWidth();
    const int height = WindowHeight(width);
    m_scroll.x = Scale64(px, m_refWidth, width) - dx + client.Width() / 2;
    m_scroll.y = Scale64(py - RootRowOffset(), m_refHeight, height) - dy + RootRowClientY(client);
    m_scrollBarsStale = true;
    if (redraw)
        m_view.Window().Invalidate();
}

void CRelTreeViewport::PanTo(CPoint diagram, CPoint device)
{
    const CPoint before = m_scroll;
    ScrollToPoint(diagram.x, diagram.y, device.x, device.y, false);
    if (m_scroll != before) {
        m_view.Window().ScrollWindow(before.x - m_scroll.x, before.y - m_scroll.y);
        m_view.Window().UpdateWindow();
    }
}

void CRelTreeViewport::CentreOnRoot()
{
    CWnd& window = m_view.Window();
    if (!window.GetSafeHwnd())
        return;
    const CDiagElem* root = m_doc.RootElement();
    if (!root) {
        m_scroll = CPoint(0, 0);
    } else {
        CRect client;
        window.GetClientRect(&client);
        CPoint target = root->GetCentre();
        // A couple: the middle of the gap between the partners' boxes, whatever is selected.
        const CDiagTree* tree = m_doc.RootKind() == 1 ? m_doc.RowSet()->MainTree() : nullptr;
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
    window.Invalidate();
}

void CRelTreeViewport::SetScrollOrigin(CPoint origin)
{
    m_scroll = origin;
    m_scrollBarsStale = true;
}

void CRelTreeViewport::Reset()
{
    m_scroll = CPoint(0, 0);
    m_hRange = Range();
    const CDiagramSettings& settings = m_doc.Settings();
    const int divide = -(settings.m_boxToBoxVertGap - settings.m_sibLineToBoxVertGap) / 2;
    m_vRange = Range{divide, divide, divide, divide};
    m_scrollBarsStale = true;
}

void CRelTreeViewport::RefreshStaleScrollBars()
{
    if (m_scrollBarsStale)
        SetScrollBars(true, true);
}

void CRelTreeViewport::SetScrollBars(bool horizontal, bool vertical)
{
    CWnd& window = m_view.Window();
    const CDiagramSettings& settings = m_doc.Settings();
    if (!window.GetSafeHwnd())
        return;
    CRect client;
    window.GetClientRect(&client);
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
    CClientDC dc(&window);
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
        SetBarRange(window, SB_HORZ, m_hRange, m_scroll.x);
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
        SetBarRange(window, SB_VERT, m_vRange, m_scroll.y);
    }
    m_scrollBarsStale = false;
}

void CRelTreeViewport::Scroll(int bar, UINT code, int pos)
{
    CWnd& window = m_view.Window();
    CRect client;
    window.GetClientRect(&client);
    const bool horizontal = bar == SB_HORZ;
    const Range& range = horizontal ? m_hRange : m_vRange;
    const int line = horizontal ? client.Width() / 20 : client.Height() / 15;
    const int page = (horizontal ? client.Width() : client.Height()) / 2;
    // The stop lies at the root row (scroll origin 0).
    const int stop = 0;
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
        window.ScrollWindow(-delta, 0);
    } else {
        m_scroll.y = int(next);
        window.ScrollWindow(0, -delta);
    }
    window.SetScrollPos(bar, int(next), TRUE);
    window.UpdateWindow();
}
