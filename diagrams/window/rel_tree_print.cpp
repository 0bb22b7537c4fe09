// diagrams/window/rel_tree_print.cpp: the mapping of one page of the grid that covers the diagram
// onto the printable area inside the margins, the print job (one printed page per grid page, row by
// row from the top) and the paper's proportions for the printed page's orientation.
//
// Pages print inside the margins (none in a preview); a diagram of more than one page is previewed
// two pages side by side. A print job runs in the diagram's orientation ("Print landscape"), the
// one its boxes were measured in, and the program's printer gets its own orientation back when the
// job ends. The orientation chosen in the window's Printer Setup becomes the diagram's: its page
// grid turns with the paper, taking the paper's proportions when "Preserve Ratios" is on, and the
// boxes are measured again.
#include "diagrams/window/rel_tree_pages.h"

#include "diagrams/diagram_document.h"
#include "diagrams/window/tree_opts_font.h"
#include "platform/base/prompt.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/region.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/printing/printer_settings.h"
#include "platform/ui/windows/app.h"

#include <algorithm>

bool CRelTreePages::PreparePrinting(CPrintInfo& info)
{
    if (!m_doc.HasTree()) {
        MessageBox("Window is empty.  Nothing to print.", MB_OK);
        return false;
    }
    CPoint origin;
    int down = 1, across = 1;
    m_doc.GetPageSpan(origin, down, across);
    info.SetMaxPage(UINT(down * across));
    // A diagram of several pages is previewed two pages side by side.
    info.m_nNumPreviewPages = down * across > 1 ? 2 : 1;
    // The pages were measured in the diagram's orientation: the job prints in it too (the
    // view gives the printer its own back when the job ends).
    if (CWinApp* app = AfxGetApp()) {
        CPrinterSettings& printer = app->GetPrinterSettings();
        if (printer.LoadDefaults())
            printer.SetOrientation(m_doc.Settings().m_printLandscape ? DMORIENT_LANDSCAPE
                                                                     : DMORIENT_PORTRAIT);
    }
    return true;
}

void CRelTreePages::PreparePrintDC(CDC& dc, CPrintInfo& info)
{
    const CDiagramSettings& settings = m_doc.Settings();
    if (!m_doc.HasTree()) {
        info.m_bContinuePrinting = FALSE;
        return;
    }
    m_printing = true;
    CPoint origin;
    int down = 1, across = 1;
    m_doc.GetPageSpan(origin, down, across);
    const int horz = dc.GetDeviceCaps(HORZRES), vert = dc.GetDeviceCaps(VERTRES);
    int top = int(settings.m_topMargin * vert * 0.01);
    int bottom = int(settings.m_bottomMargin * vert * 0.01);
    int left = int(settings.m_leftMargin * horz * 0.01);
    int right = int(settings.m_rightMargin * horz * 0.01);
    top = std::max(0, top);
    bottom = std::max(0, bottom);
    left = std::max(0, left);
    right = std::max(0, right);
    if (top + bottom >= vert)
        top = bottom = 0;
    if (left + right >= horz)
        left = right = 0;
    if (info.m_bPreview)
        top = bottom = left = right = 0;
    // On paper nothing passes the margins: a box across the page's edge is cut there.
    if (!info.m_bPreview) {
        CRgn inside;
        if (inside.CreateRectRgn(left, top, horz - right, vert - bottom))
            dc.SelectClipRgn(&inside);
    }
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(settings.m_pageWidth, -settings.m_pageHeight);
    dc.SetViewportExt(horz - left - right, vert - top - bottom);
    dc.SetViewportOrg(left, top);
    const int page = int(std::max(1u, info.m_nCurPage));
    const int column = (page - 1) % across + 1;
    const int row = (page - 1) / across + 1;
    dc.SetWindowOrg(settings.m_pageWidth * (column - 1) + origin.x,
                    origin.y - settings.m_pageHeight * (row - 1));
    m_printClip =
        CRect(settings.m_pageWidth * (column - 1) + origin.x,
              origin.y - settings.m_pageHeight * (row - 1),
              settings.m_pageWidth * column + origin.x, origin.y - settings.m_pageHeight * row);
}

void CRelTreePages::Print(CDC& dc)
{
    if (!m_doc.HasTree())
        return;
    m_printing = true;
    const CRect clip(m_printClip.left, m_printClip.bottom, m_printClip.right, m_printClip.top);
    m_view.DrawPrintedPage(dc, clip);
    m_printing = false;
}

void CRelTreePages::SetPrintOrientation(bool landscape)
{
    const CDiagramSettings& settings = m_doc.Settings();
    // With ratios preserved the page takes the paper's proportions.
    int paperWidth = 0, paperHeight = 0;
    if (settings.m_printLandscape != landscape && settings.m_preserveRatios)
        GetPrinterPageProportions(landscape, paperWidth, paperHeight);
    m_doc.SetPrintOrientation(landscape, paperWidth, paperHeight);
}
