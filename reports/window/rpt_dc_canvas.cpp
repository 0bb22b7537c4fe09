// reports/window/rpt_dc_canvas.cpp: the report canvas over a device context.
#include "reports/window/rpt_dc_canvas.h"

#include "database/multimedia/media_content.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/font.h"

#include <algorithm>

CRptDcCanvas::CRptDcCanvas(CDC& dc) : m_dc(dc) {}

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
    SelectFont(slot);
    TEXTMETRIC metrics;
    if (!m_dc.GetTextMetrics(&metrics))
        return {};
    return {int(metrics.tmHeight + metrics.tmExternalLeading), int(metrics.tmAscent)};
}

void CRptDcCanvas::SelectFont(int slot)
{
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
    return text.empty() ? 0 : int(m_dc.GetTextExtent(text).cx);
}

int CRptDcCanvas::GetFitCount(std::string_view text, int width)
{
    int fit = 0;
    if (!m_dc.GetTextExtentExPoint(text, std::max(0, width), &fit, nullptr, nullptr))
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
    const CSize extent = m_dc.GetCharacterPlacement(text, rect.Width(), &placed, GCP_MAXEXTENT);
    const std::string_view part = text.substr(0, std::size_t(std::max(0, placed.nMaxFit)));
    const int width = int(extent.cx);
    const int left = align == RptAlign::Left    ? int(rect.left)
                     : align == RptAlign::Right ? int(rect.right) - width
                                                : x - width / 2;
    const int blanks = int(std::count(part.begin(), part.end(), ' '));
    if (justify && width < rect.Width() && blanks > 0) {
        m_dc.SetTextJustification(rect.Width() - width, blanks);
        m_dc.ExtTextOut(left, baseline, ETO_CLIPPED, &rect, part);
        m_dc.SetTextJustification(0, 0);
    } else {
        m_dc.ExtTextOut(left, baseline, ETO_CLIPPED, &rect, part, placed.dx.data());
    }
}

void CRptDcCanvas::DrawRule(int left, int right, int y, int thickness)
{
    thickness = std::max(1, thickness);
    m_dc.FillSolidRect(left, y - thickness / 2, right - left, thickness, RGB(0, 0, 0));
}

void CRptDcCanvas::DrawPicture(const CRect& rect, const RptPicture& picture)
{
    if (picture.content)
        picture.content->Draw(m_dc, rect, nullptr);
}
