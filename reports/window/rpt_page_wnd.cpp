// reports/window/rpt_page_wnd.cpp: placing the pages at the zoom, scrolling and painting them.
#include "reports/window/rpt_page_wnd.h"

#include "reports/rpt_gen.h"
#include "reports/window/rpt_dc_canvas.h"
#include "reports/window/rpt_view_math.h"
#include "reports/window/sub_view_report.h"

#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/pen.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>
#include <exception>

namespace {

constexpr int kBorder = 12;

int Ceil(int value, int by)
{
    return by > 0 ? (value + by - 1) / by : value;
}

} // namespace

CRptPageWnd::CRptPageWnd(CSubViewReport& view) : m_view(view) {}

CRptPageWnd::~CRptPageWnd()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CRptPageWnd::Create(CWnd* parent, UINT id)
{
    return CWnd::Create(nullptr, "Av Rpt Viewer", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL,
                        CRect(0, 0, 10, 10), parent, id);
}

void CRptPageWnd::GetPagePoints(int& width, int& height) const
{
    width = 612;
    height = 792;
    const CRptGen* report = m_view.GetReport();
    const CRptPageLayout* layout = report ? report->GetLayout() : nullptr;
    if (layout && layout->Metrics().pageWidth > 0 && layout->Metrics().pageHeight > 0) {
        width = layout->Metrics().pageWidth / 10;
        height = layout->Metrics().pageHeight / 10;
    }
}

int CRptPageWnd::GetPageWidthZoom() const
{
    if (!m_view.GetReport())
        return 100;
    int width = 0, height = 0;
    GetPagePoints(width, height);
    CClientDC dc(const_cast<CRptPageWnd*>(this));
    const int pixels = width * dc.GetDeviceCaps(LOGPIXELSX) / 72;
    const int shown =
        m_view.IsFacingPages() ? m_leftPage.Width() + m_rightPage.Width() : m_leftPage.Width();
    const int facing = m_view.IsFacingPages() ? 2 : 1;
    return pixels > 0 ? std::max(1, shown * 100 / (pixels * facing)) : 100;
}

CSize CRptPageWnd::GetFullSize() const
{
    CRect client;
    GetClientRect(&client);
    const DWORD style = GetStyle();
    return CSize(client.Width() + ((style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0),
                 client.Height() + ((style & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0));
}

void CRptPageWnd::PlacePages(int cw, int ch)
{
    int width = 0, height = 0;
    GetPagePoints(width, height);
    const bool facing = m_view.IsFacingPages();
    if (facing)
        width *= 2;
    const int mode = m_view.GetZoomMode();
    cw = std::max(0, cw);
    ch = std::max(0, ch);
    int pw = 0, ph = 0, x = kBorder, y = kBorder;
    if (mode == kRptZoomPageWidth) {
        pw = std::max(4, cw - 2 * kBorder);
        ph = std::max(16, int(static_cast<long long>(pw) * height / std::max(1, width)));
    } else if (mode == kRptZoomWholePage) {
        ph = std::max(16, ch - 2 * kBorder);
        pw = std::max(4, int(static_cast<long long>(ph) * width / std::max(1, height)));
        if (pw > cw - 2 * kBorder) {
            pw = std::max(4, cw - 2 * kBorder);
            ph = std::max(16, int(static_cast<long long>(pw) * height / std::max(1, width)));
        }
        x = std::max(kBorder, (cw - pw) / 2);
    } else {
        CClientDC dc(this);
        const int percent = std::clamp(m_view.GetZoomPercent(), 1, kRptZoomMax);
        pw = std::max(4, width * dc.GetDeviceCaps(LOGPIXELSX) / 72 * percent / 100);
        ph = std::max(4, height * dc.GetDeviceCaps(LOGPIXELSY) / 72 * percent / 100);
        if (pw + 2 * kBorder < cw)
            x = (cw - pw) / 2;
        if (ph + 2 * kBorder < ch)
            y = (ch - ph) / 2;
    }
    m_client = CSize(cw, ch);
    m_area = CSize(std::max(cw, x + pw + kBorder), std::max(ch, y + ph + kBorder));
    if (mode == kRptZoomWholePage)
        m_area = CSize(cw, ch);
    m_extent = CRect(0, 0, x + pw + kBorder, y + ph + kBorder);
    if (facing) {
        const int middle = x + pw / 2;
        m_leftPage = CRect(x - 1, y, middle - 1, y + ph);
        m_rightPage = CRect(middle + 1, y, x + pw + 1, y + ph);
    } else {
        m_leftPage = CRect(x, y, x + pw, y + ph);
        m_rightPage = CRect();
    }
}

void CRptPageWnd::RecalcLayout(bool resetScroll)
{
    if (resetScroll)
        m_scrollX = m_scrollY = 0;
    // The bars are chosen from the window's whole size, which showing or hiding one does not
    // change, so the choice is the same however often the size is reported: a bar whose room
    // lets the pages fit without it stays (disabled) rather than coming and going.
    const CSize full = GetFullSize();
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    const int mode = m_view.GetZoomMode();
    m_needH = m_needV = false;
    PlacePages(full.cx, full.cy);
    if (m_view.GetReport() && mode == kRptZoomPageWidth) {
        m_needV = m_extent.Height() > full.cy;
    } else if (m_view.GetReport() && mode == kRptZoomPercent) {
        // The pages keep their size: one bar can call for the other.
        m_needH = m_extent.Width() > full.cx;
        m_needV = m_extent.Height() > full.cy;
        m_needV = m_needV || (m_needH && m_extent.Height() > full.cy - barHeight);
        m_needH = m_needH || (m_needV && m_extent.Width() > full.cx - barWidth);
    }
    if (m_needH || m_needV)
        PlacePages(full.cx - (m_needV ? barWidth : 0), full.cy - (m_needH ? barHeight : 0));
    m_view.OnPageLayoutChanged();
}

void CRptPageWnd::Relayout(bool resetScroll)
{
    // A bar shown or hidden reports the new client size at once; the layout under way already
    // counts with it, so it is only laid out again once that is done.
    if (m_inLayout) {
        m_sizeChanged = true;
        return;
    }
    m_inLayout = true;
    for (int pass = 0; pass < 3; ++pass) {
        m_sizeChanged = false;
        RecalcLayout(resetScroll && pass == 0);
        SetScrollBars(resetScroll && pass == 0);
        if (!m_sizeChanged)
            break;
    }
    m_inLayout = false;
    Invalidate();
}

void CRptPageWnd::SetScrollBars(bool reset)
{
    if (reset)
        m_scrollX = m_scrollY = 0;
    // A needed bar is kept even when its range fits the page (SIF_DISABLENOSCROLL); one not
    // needed gets an empty range, which hides it.
    const auto set = [this](int bar, bool needed, int range, int page, int& pos) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | (needed ? SIF_DISABLENOSCROLL : 0);
        if (!needed)
            range = page = 1;
        info.nMin = 0;
        info.nMax = std::max(0, range - 1);
        info.nPage = UINT(std::max(1, page));
        pos = needed ? std::clamp(pos, 0, std::max(0, range - page)) : 0;
        info.nPos = pos;
        SetScrollInfo(bar, &info, TRUE);
    };
    set(SB_HORZ, m_needH, m_area.cx, m_client.cx, m_scrollX);
    set(SB_VERT, m_needV, m_area.cy, m_client.cy, m_scrollY);
}

int CRptPageWnd::GetPageCount() const
{
    if (m_client.cy <= 0)
        return 1;
    return std::max(1, Ceil(m_extent.Height(), m_client.cy));
}

int CRptPageWnd::GetScrollPage() const
{
    const int steps = GetPageCount();
    if (steps <= 1 || m_client.cy <= 0)
        return 0;
    const int range = std::max(0, m_area.cy - m_client.cy);
    if (m_scrollY >= range)
        return steps - 1;
    return std::min(steps - 1, m_scrollY / m_client.cy);
}

void CRptPageWnd::ScrollToPage(int step)
{
    const int steps = GetPageCount();
    const int range = std::max(0, m_area.cy - m_client.cy);
    m_scrollY = step >= steps - 1 ? range : std::clamp(step * m_client.cy, 0, range);
    SetScrollPos(SB_VERT, m_scrollY, TRUE);
}

void CRptPageWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    Relayout(false);
}

void CRptPageWnd::Scroll(int bar, UINT code, UINT pos)
{
    const bool vertical = bar == SB_VERT;
    const int page = vertical ? m_client.cy : m_client.cx;
    const int area = vertical ? m_area.cy : m_area.cx;
    int& at = vertical ? m_scrollY : m_scrollX;
    const int line = std::max(1, page / 12);
    int next = at;
    switch (code) {
    case SB_LINEUP:
        next -= line;
        break;
    case SB_LINEDOWN:
        next += line;
        break;
    case SB_PAGEUP:
        next -= page;
        break;
    case SB_PAGEDOWN:
        next += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        next = int(pos);
        break;
    case SB_TOP:
        next = 0;
        break;
    case SB_BOTTOM:
        next = area;
        break;
    default:
        return;
    }
    next = std::clamp(next, 0, std::max(0, area - page));
    if (next == at)
        return;
    at = next;
    SetScrollPos(bar, at, TRUE);
    Invalidate();
    if (vertical)
        m_view.SyncCurrentPage();
}

void CRptPageWnd::OnVScroll(UINT code, UINT pos, CScrollBar*)
{
    Scroll(SB_VERT, code, pos);
}

void CRptPageWnd::OnHScroll(UINT code, UINT pos, CScrollBar*)
{
    Scroll(SB_HORZ, code, pos);
}

BOOL CRptPageWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CRptPageWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect clip;
    if (dc.GetClipBox(&clip) == NULLREGION || clip.IsRectEmpty())
        return;
    DrawPages(dc);
}

void CRptPageWnd::DrawPages(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_3DLIGHT));
    if (!m_view.GetReport())
        return;
    const CPoint shift(-m_scrollX, -m_scrollY);
    CRect pages = m_leftPage;
    if (!m_rightPage.IsRectEmpty())
        pages.UnionRect(m_leftPage, m_rightPage);
    pages.OffsetRect(shift.x, shift.y);
    CPen frame(PS_INSIDEFRAME, 2, GetSysColor(COLOR_WINDOWFRAME));
    CPen shadow(PS_SOLID, 3, GetSysColor(COLOR_BTNSHADOW));
    CPen* oldPen = dc.SelectObject(&frame);
    CRect framed = pages;
    framed.InflateRect(2, 2);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(&framed);
    dc.SelectObject(&shadow);
    dc.MoveTo(framed.left + 4, framed.bottom + 1);
    dc.LineTo(framed.right + 1, framed.bottom + 1);
    dc.LineTo(framed.right + 1, framed.top + 4);
    dc.SelectObject(oldPen);
    int left = -1, right = -1;
    m_view.GetSpreadPages(m_view.GetCurrentPage(), left, right);
    // The screen measures nothing itself: the printer's context gives every line its breaks.
    std::unique_ptr<IRptCanvas> printer;
    try {
        printer = CreateReferenceCanvas();
    } catch (const std::exception&) {
        printer.reset();
    }
    auto* reference = dynamic_cast<CRptDcCanvas*>(printer.get());
    const auto paper = [&](CRect rect, int page) {
        rect.OffsetRect(shift.x, shift.y);
        if (page < 0) {
            dc.FillSolidRect(&rect, GetSysColor(COLOR_APPWORKSPACE));
            return;
        }
        dc.FillSolidRect(&rect, RGB(255, 255, 255));
        if (!DrawPage(dc, rect, page, reference)) {
            dc.SetBkMode(TRANSPARENT);
            dc.DrawText("This page cannot be shown.", &rect,
                        DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    };
    paper(m_leftPage, left);
    if (!m_rightPage.IsRectEmpty())
        paper(m_rightPage, right);
}

bool CRptPageWnd::DrawPage(CDC& dc, const CRect& rect, int page, CRptDcCanvas* reference)
{
    CRptGen* report = m_view.GetReport();
    const CRptPageLayout* layout = report ? report->GetLayout() : nullptr;
    if (!layout || layout->Metrics().pageWidth <= 0 || report->IsBuilding())
        return true;
    const int saved = dc.SaveDC();
    bool drawn = true;
    // A page that fails to draw is left blank: a paint that fails would end the program.
    try {
        CRptDcCanvas canvas(dc, reference);
        dc.IntersectClipRect(&rect);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowOrg(0, 0);
        dc.SetWindowExt(layout->Metrics().pageWidth, layout->Metrics().pageHeight);
        dc.SetViewportOrg(rect.left, rect.top);
        dc.SetViewportExt(rect.Width(), rect.Height());
        report->PrintPage(canvas, page);
    } catch (const std::exception&) {
        drawn = false;
    }
    dc.RestoreDC(saved);
    return drawn;
}

std::unique_ptr<IRptCanvas> CRptPageWnd::CreateReferenceCanvas() const
{
    CRptGen* report = m_view.GetReport();
    const CRptPageLayout* layout = report ? report->GetLayout() : nullptr;
    IRptDevice* device = m_view.GetDevice();
    if (!layout || !device)
        return nullptr;
    std::unique_ptr<IRptCanvas> printer =
        device->CreatePrinterCanvas(report->Settings().m_layout.m_landscape, false);
    // The page is measured as the build measured it: the same page on the printer's sheet.
    if (printer)
        printer->SetupMapping(layout->Metrics().pageWidth, layout->Metrics().pageHeight);
    return printer;
}
