// reports/window/rpt_dc_canvas.cpp: the report canvas over a device context.
#include "reports/window/rpt_dc_canvas.h"

#include "database/multimedia/media_content.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/drawing/pen.h"

#include <algorithm>
#include <vector>

namespace {

/// Spreads extra logical units over the blanks of text, whose places dx holds, as evenly as
/// whole units allow (the first blanks take the remainder).
void SpreadOverBlanks(std::string_view text, std::vector<int>& dx, int extra, int blanks)
{
    int seen = 0;
    for (std::size_t i = 0; i < text.size() && i < dx.size(); ++i) {
        if (text[i] != ' ')
            continue;
        dx[i] += extra / blanks + (seen < extra % blanks ? 1 : 0);
        ++seen;
    }
}

} // namespace

CRptDcCanvas::CRptDcCanvas(CDC& dc, CRptDcCanvas* reference) : m_dc(dc), m_reference(reference) {}

COwnedDcCanvas::COwnedDcCanvas(std::unique_ptr<CDC> dc)
    : RptOwnedDc{std::move(dc)}, CRptDcCanvas(*m_ownedDc)
{
}

// The canvas part goes first and puts the context's font back; the context goes after it.
COwnedDcCanvas::~COwnedDcCanvas() = default;

CDC& CRptDcCanvas::MeasuringDc() const
{
    return m_reference ? m_reference->m_dc : m_dc;
}

CRptDcCanvas::~CRptDcCanvas()
{
    if (m_selected)
        m_dc.SelectObject(m_oldFont);
}

RptDevicePage CRptDcCanvas::GetDevicePage() const
{
    RptDevicePage page;
    page.printableWidth = m_dc.GetDeviceCaps(HORZRES);
    page.printableHeight = m_dc.GetDeviceCaps(VERTRES);
    page.physicalWidth = m_dc.GetDeviceCaps(PHYSICALWIDTH);
    page.physicalHeight = m_dc.GetDeviceCaps(PHYSICALHEIGHT);
    page.offsetX = m_dc.GetDeviceCaps(PHYSICALOFFSETX);
    page.offsetY = m_dc.GetDeviceCaps(PHYSICALOFFSETY);
    page.dpiX = m_dc.GetDeviceCaps(LOGPIXELSX);
    page.dpiY = m_dc.GetDeviceCaps(LOGPIXELSY);
    return page;
}

void CRptDcCanvas::SetupMapping(int pageWidth, int pageHeight)
{
    const RptDevicePage page = GetDevicePage();
    if (pageWidth < 1 || pageHeight < 1)
        return;
    m_dc.SetMapMode(MM_ANISOTROPIC);
    m_dc.SetWindowOrg(0, 0);
    m_dc.SetWindowExt(pageWidth, pageHeight);
    m_dc.SetViewportOrg(-page.offsetX, -page.offsetY);
    m_dc.SetViewportExt(page.physicalWidth > 0 ? page.physicalWidth : page.printableWidth,
                        page.physicalHeight > 0 ? page.physicalHeight : page.printableHeight);
}

RptFontMetrics CRptDcCanvas::CreateFont(int slot, const LOGFONT& font, int height)
{
    LOGFONT made = font;
    made.lfHeight = height;
    auto created = std::make_unique<CFont>();
    if (!created->CreateFontIndirect(&made))
        return {};
    m_fonts[std::size_t(slot)] = std::move(created);
    if (m_reference) {
        SelectFont(slot);
        return m_reference->CreateFont(slot, font, height);
    }
    SelectFont(slot);
    TEXTMETRIC metrics;
    if (!m_dc.GetTextMetrics(&metrics))
        return {};
    return {int(metrics.tmHeight + metrics.tmExternalLeading), int(metrics.tmAscent)};
}

void CRptDcCanvas::SelectFont(int slot)
{
    if (m_reference)
        m_reference->SelectFont(slot);
    CFont* font = m_fonts[std::size_t(std::clamp(slot, 0, kRptSlotCount - 1))].get();
    if (!font)
        return;
    CFont* old = m_dc.SelectObject(font);
    if (!m_selected) {
        m_oldFont = old;
        m_selected = true;
    }
}

int CRptDcCanvas::GetTextWidth(std::string_view text)
{
    return text.empty() ? 0 : int(MeasuringDc().GetTextExtent(text).cx);
}

int CRptDcCanvas::GetFitCount(std::string_view text, int width)
{
    int fit = 0;
    if (!MeasuringDc().GetTextExtentExPoint(text, std::max(0, width), &fit, nullptr, nullptr))
        return 0;
    return fit;
}

void CRptDcCanvas::DrawTextRun(const CRect& rect, RptAlign align, int x, int baseline,
                               std::string_view text, bool justify)
{
    if (text.empty() || rect.Width() <= 0)
        return;
    m_dc.SetBkMode(TRANSPARENT);
    m_dc.SetTextAlign(TA_BASELINE | TA_LEFT);
    GCP_RESULTS placed;
    const CSize extent =
        MeasuringDc().GetCharacterPlacement(text, rect.Width(), &placed, GCP_MAXEXTENT);
    const std::string_view part = text.substr(0, std::size_t(std::max(0, placed.nMaxFit)));
    const int width = int(extent.cx);
    const int left = align == RptAlign::Left    ? int(rect.left)
                     : align == RptAlign::Right ? int(rect.right) - width
                                                : x - width / 2;
    const int blanks = int(std::count(part.begin(), part.end(), ' '));
    const bool stretch = justify && width < rect.Width() && blanks > 0;
    if (m_reference) {
        // The reference's places, stretched as the printer's justification stretches them.
        if (stretch)
            SpreadOverBlanks(part, placed.dx, rect.Width() - width, blanks);
        m_dc.ExtTextOut(left, baseline, ETO_CLIPPED, &rect, part, placed.dx.data());
    } else if (stretch) {
        m_dc.SetTextJustification(rect.Width() - width, blanks);
        m_dc.ExtTextOut(left, baseline, ETO_CLIPPED, &rect, part);
        m_dc.SetTextJustification(0, 0);
    } else {
        m_dc.ExtTextOut(left, baseline, ETO_CLIPPED, &rect, part, placed.dx.data());
    }
}

void CRptDcCanvas::DrawRule(int left, int right, int y, int thickness)
{
    // Placed in device pixels: a rule thinner than a pixel whose two edges round to the same
    // pixel row would vanish on some pages and lines; it stands one pixel high instead.
    thickness = std::max(1, thickness);
    const int top = y - thickness / 2;
    CRect rect(left, top, right, top + thickness);
    m_dc.LPtoDP(&rect);
    rect.NormalizeRect();
    rect.bottom = std::max(rect.bottom, rect.top + 1);
    rect.right = std::max(rect.right, rect.left + 1);
    const int saved = m_dc.SaveDC();
    m_dc.SetMapMode(MM_TEXT);
    m_dc.SetWindowOrg(0, 0);
    m_dc.SetViewportOrg(0, 0);
    m_dc.FillSolidRect(&rect, RGB(0, 0, 0));
    m_dc.RestoreDC(saved);
}

void CRptDcCanvas::DrawPicture(const CRect& rect, const RptPicture& picture)
{
    if (picture.content)
        picture.content->Draw(m_dc, rect, nullptr);
}

void CRptDcCanvas::DrawCircle(int x, int y, int radius, COLORREF fill, bool hollow, COLORREF edge,
                              int width)
{
    CPen pen(PS_SOLID, std::max(1, width), edge);
    CBrush brush;
    if (hollow) {
        LOGBRUSH none;
        none.lbStyle = BS_HOLLOW;
        brush.CreateBrushIndirect(&none);
    } else {
        brush.CreateSolidBrush(fill);
    }
    CPen* oldPen = m_dc.SelectObject(&pen);
    CBrush* oldBrush = m_dc.SelectObject(&brush);
    m_dc.Ellipse(x - radius, y - radius, x + radius, y + radius);
    m_dc.SelectObject(oldBrush);
    m_dc.SelectObject(oldPen);
}

void CRptDcCanvas::DrawLine(int x1, int y1, int x2, int y2, int width, COLORREF colour)
{
    CPen pen(PS_SOLID, std::max(1, width), colour);
    CPen* oldPen = m_dc.SelectObject(&pen);
    m_dc.MoveTo(x1, y1);
    m_dc.LineTo(x2, y2);
    m_dc.SelectObject(oldPen);
}
