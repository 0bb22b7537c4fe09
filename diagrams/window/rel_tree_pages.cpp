// diagrams/window/rel_tree_pages.cpp: the page grid on the screen: showing the page boundaries and
// numbers, the rows-per-page dialog, and dragging the grid with the mouse.
#include "diagrams/window/rel_tree_pages.h"

#include "app/shell/save_message.h"
#include "diagrams/diagram_document.h"
#include "diagrams/page_grid.h"
#include "diagrams/window/box_painter_dc.h"
#include "diagrams/window/diag_print_size_dlg.h"
#include "platform/base/prompt.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/drawing/pen.h"
#include "platform/ui/printing/printer_settings.h"
#include "platform/ui/windows/app.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* kNoPrinter =
    "No printer detected.  Cannot determine printed page sizes.  Will use default values.";
/// Page numbers are this many diagram units high.
constexpr int kPageNumberHeight = 80;
/// A press this many pixels from a page line lies on it.
constexpr int kPageLineTolerance = 2;

/// The printable page of the program's printer in the orientation, in printer pixels; false
/// when there is no printer.
bool PrinterPageSize(bool landscape, int& width, int& height)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return false;
    CPrinterSettings printer(app->GetPrinterSettings());
    if (!printer.LoadDefaults())
        return false;
    printer.SetOrientation(landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
    CDC dc;
    if (!printer.CreatePrinterDC(dc))
        return false;
    width = dc.GetDeviceCaps(HORZRES);
    height = dc.GetDeviceCaps(VERTRES);
    return width > 0 && height > 0;
}

CAppProfile* Profile()
{
    CWinApp* app = AfxGetApp();
    return app ? &app->GetProfile() : nullptr;
}

} // namespace

CRelTreePages::CRelTreePages(IRelTreePagesView& view, CDiagramDocument& doc)
    : m_view(view), m_doc(doc)
{
}

bool CRelTreePages::PrinterOrConsent() const
{
    int width = 0, height = 0;
    return PrinterPageSize(m_doc.Settings().m_printLandscape, width, height) ||
           MessageBox(kNoPrinter, MB_OKCANCEL) == IDOK;
}

void CRelTreePages::ToggleShown()
{
    m_shown = m_numbers = !(m_shown && m_numbers);
}

void CRelTreePages::SetPrintedSize()
{
    const CDiagramSettings& settings = m_doc.Settings();
    const int rowHeight = m_doc.PrintedRowHeight();
    // Without rows there is nothing to fit on a page (and nothing to divide by).
    if (rowHeight <= 0) {
        MessageBox("The diagram has no rows to fit on a page.", MB_OK);
        return;
    }
    CDiagPrintSizeDlg dialog(&m_view.Window());
    if (settings.m_pageHeight % rowHeight == 0)
        dialog.m_rowsPerPage = UINT(settings.m_pageHeight / rowHeight);
    int printerWidth = 100, printerHeight = 100;
    if (!PrinterPageSize(settings.m_printLandscape, printerWidth, printerHeight)) {
        if (MessageBox(kNoPrinter, MB_OKCANCEL) != IDOK)
            return;
        printerWidth = printerHeight = 100;
    }
    if (dialog.DoModal() != IDOK || dialog.m_rowsPerPage < 1)
        return;
    m_doc.FitPageToRows(printerWidth, printerHeight, int(dialog.m_rowsPerPage), dialog.m_alignRows);
}

void CRelTreePages::DrawGrid(CDC& dc, const CRect& clip) const
{
    const CDiagramSettings& settings = m_doc.Settings();
    if (!m_shown || m_printing)
        return;
    const long long width = std::max(1, settings.m_pageWidth);
    const long long height = std::max(1, settings.m_pageHeight);
    const long long x0 = NormalisePageOrigin(settings.m_pageXOrigin, int(width));
    const long long y0 = NormalisePageOrigin(settings.m_pageYOrigin, int(height));
    const long long left = std::min(clip.left, clip.right), right = std::max(clip.left, clip.right);
    const long long low = std::min(clip.top, clip.bottom), high = std::max(clip.top, clip.bottom);
    if (m_lines) {
        // Lines in pixels, so that each stays one pixel wide at any zoom.
        CPoint topLeft{int(left), int(high)}, bottomRight{int(right), int(low)};
        dc.LPtoDP(&topLeft);
        dc.LPtoDP(&bottomRight);
        std::vector<int> xs, ys;
        for (long long x = FirstLineAtOrAfter(left, x0, width); x <= right; x += width) {
            CPoint p(int(x), 0);
            dc.LPtoDP(&p);
            xs.push_back(p.x);
        }
        for (long long y = FirstLineAtOrAfter(low, y0, height); y <= high; y += height) {
            CPoint p(0, int(y));
            dc.LPtoDP(&p);
            ys.push_back(p.y);
        }
        dc.SaveDC();
        dc.SetMapMode(MM_TEXT);
        dc.SetViewportOrg(0, 0);
        dc.SetWindowOrg(0, 0);
        CPen pen(PS_DOT, 0, RGB(0, 0, 0));
        CPen* old = dc.SelectObject(&pen);
        dc.SetBkMode(TRANSPARENT);
        for (int x : xs) {
            dc.MoveTo(x, topLeft.y);
            dc.LineTo(x, bottomRight.y);
        }
        for (int y : ys) {
            dc.MoveTo(topLeft.x, y);
            dc.LineTo(bottomRight.x, y);
        }
        dc.SelectObject(old);
        dc.RestoreDC(-1);
    }
    if (!m_numbers)
        return;
    CPoint origin;
    int down = 1, across = 1;
    m_doc.GetPageSpan(origin, down, across);
    LOGFONT logFont = DiagramBoxFont(settings);
    logFont.lfHeight = -kPageNumberHeight;
    logFont.lfWidth = 0;
    CFont font;
    const bool made = font.CreateFontIndirect(&logFont);
    CFont* oldFont = made ? dc.SelectObject(&font) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    int number = 1;
    for (int row = 0; row < down; ++row)
        for (int column = 0; column < across; ++column, ++number)
            dc.TextOut(int(origin.x + column * width + 2), int(origin.y - row * height - 2),
                       std::to_string(number));
    if (oldFont)
        dc.SelectObject(oldFont);
}

bool CRelTreePages::OnPageLine(CPoint device) const
{
    const CDiagramSettings& settings = m_doc.Settings();
    if (!m_shown || !m_lines || !m_view.Window().GetSafeHwnd())
        return false;
    const CPoint point = m_view.ToDiagram(device);
    const CPoint reach = m_view.ToDiagram(device + CPoint(kPageLineTolerance, kPageLineTolerance));
    const long long tx = std::llabs(reach.x - point.x), ty = std::llabs(reach.y - point.y);
    const long long width = std::max(1, settings.m_pageWidth);
    const long long height = std::max(1, settings.m_pageHeight);
    return GridDistance(point.x, settings.m_pageXOrigin, width) <= tx ||
           GridDistance(point.y, settings.m_pageYOrigin, height) <= ty;
}

std::string CRelTreePages::StatusPosText() const
{
    const CDiagramSettings& settings = m_doc.Settings();
    if (!m_shown)
        return {};
    // The pane gives the y origin of an Ancestors and Descendants diagram's pages only.
    const bool withY = settings.m_diagramType == kAncestorsAndDescendantsDiagram;
    return std::to_string(settings.m_pageXOrigin) + ", " +
           std::to_string(withY ? settings.m_pageYOrigin : 0);
}

std::string CRelTreePages::StatusSizeText() const
{
    if (!m_shown)
        return {};
    return std::to_string(m_doc.Settings().m_pageWidth) + " x " +
           std::to_string(m_doc.Settings().m_pageHeight);
}

void CRelTreePages::BeginGridDrag(CPoint device, bool resize)
{
    const CDiagramSettings& settings = m_doc.Settings();
    m_lines = true;
    m_dragOrigin = CPoint(settings.m_pageXOrigin, settings.m_pageYOrigin);
    m_dragPage = CSize(settings.m_pageWidth, settings.m_pageHeight);
    m_dragStart = m_view.ToDiagram(device);
    if (resize) {
        // The page whose bottom-right corner lies nearest the press is resized from its
        // top-left corner.
        const long long width = std::max(1, settings.m_pageWidth);
        const long long height = std::max(1, settings.m_pageHeight);
        const long long x0 = settings.m_pageXOrigin, y0 = settings.m_pageYOrigin;
        m_dragStart = CPoint(int(NearestLine(m_dragStart.x, x0, width) - width),
                             int(NearestLine(m_dragStart.y, y0, height) + height));
    }
}

void CRelTreePages::TrackGridDrag(CPoint device, bool resize, bool snapToRows)
{
    const CDiagramSettings& settings = m_doc.Settings();
    CPoint p = m_view.ToDiagram(device);
    if (resize) {
        m_doc.SetPageGrid(ResizePageFromCorner(m_dragStart.x, m_dragStart.y, p.x, p.y,
                                               m_dragPage.cx, m_dragPage.cy));
        return;
    }
    if (snapToRows)
        p.y = SnapToRowEdge(p.y, m_doc.PrintedRowHeight(), m_doc.RowEdgeOffset());
    PageGrid grid{settings.m_pageWidth, settings.m_pageHeight,
                  NormalisePageOrigin(p.x, settings.m_pageWidth),
                  NormalisePageOrigin(p.y, settings.m_pageHeight)};
    m_doc.SetPageGrid(grid);
}

void CRelTreePages::EndGridDrag(bool cancelled, bool resize)
{
    const CDiagramSettings& settings = m_doc.Settings();
    if (cancelled) {
        m_doc.SetPageGrid({m_dragPage.cx, m_dragPage.cy, m_dragOrigin.x, m_dragOrigin.y});
        return;
    }
    if (resize && m_doc.HasTree()) {
        // Boxes are measured on a page of the new size: keep the grid on the rows.
        const int before = m_view.RootRowOffset();
        m_doc.Remeasure();
        PageGrid grid{settings.m_pageWidth, settings.m_pageHeight, settings.m_pageXOrigin,
                      NormalisePageOrigin(settings.m_pageYOrigin + m_view.RootRowOffset() - before,
                                          settings.m_pageHeight)};
        m_doc.SetPageGrid(grid);
    }
    // The page grid is the printer's: where it lies becomes the default of every diagram, a
    // custom one's too.
    CheckSaved(m_doc.SaveAsDefaults(kSectionPrinting, Profile()));
    m_doc.AvoidPageBoundariesAgain();
}
