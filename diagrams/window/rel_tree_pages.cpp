// diagrams/window/rel_tree_pages.cpp: the Diagram window's page grid on the screen: showing the
// page boundaries and numbers, moving boxes off vertical boundaries, sizing the page by rows per
// printed page, dragging the grid with the mouse, and measuring again for a changed printer.
//
// A change of the printer's settings (WM_DEVMODECHANGE) measures every box again
// (UpdatePageMetrics).
#include "diagrams/window/sub_view_rel_tree.h"

#include "diagrams/diag_page.h"
#include "diagrams/diag_resync.h"
#include "diagrams/window/box_painter_dc.h"
#include "diagrams/window/diag_print_size_dlg.h"
#include "diagrams/window/page_grid.h"
#include "diagrams/window/save_message.h"
#include "diagrams/window/title_block.h"
#include "platform/base/prompt.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/drawing/pen.h"
#include "platform/ui/printing/printer_settings.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/message.h"

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

void CSubViewRelTree::ShowPageBoundaries()
{
    int width = 0, height = 0;
    if (!PrinterPageSize(m_doc.Settings().m_printLandscape, width, height) &&
        MessageBox(kNoPrinter, MB_OKCANCEL) != IDOK)
        return;
    CRect client;
    if (GetSafeHwnd())
        GetClientRect(&client);
    const CPoint centre = client.CenterPoint();
    const CPoint kept = GetSafeHwnd() ? ToDiagram(centre) : CPoint();
    const bool on = !(m_pageMode && m_pageNumbers);
    m_pageMode = m_pageNumbers = on;
    // Ancestors and Descendants diagrams change their mapping: keep what lies at the centre.
    const int type = m_doc.Settings().m_diagramType;
    if (GetSafeHwnd() && (type == kAncestorsDiagram || type == kDescendantsDiagram))
        ScrollToPoint(kept.x, kept.y, centre.x, centre.y, false);
    m_scrollBarsStale = true;
    Invalidate();
}

void CSubViewRelTree::AvoidPageBoundaries()
{
    m_avoidPages = !m_avoidPages;
    if (m_avoidPages)
        ComputePageAvoidance();
    else
        ClearPageAvoidance();
    m_scrollBarsStale = true;
    Invalidate();
}

void CSubViewRelTree::ComputePageAvoidance()
{
    if (!m_avoidPages || !HasTree())
        return;
    ClearPageAvoidance();
    CPoint origin;
    int down = 1, across = 1;
    GetPageSpan(origin, down, across);
    for (auto& rowSet : m_doc.RowSets())
        DiagAvoidPageBoundaries(*rowSet, origin.x, m_doc.Settings().m_minSiblingGap);
}

void CSubViewRelTree::ClearPageAvoidance()
{
    for (auto& rowSet : m_doc.RowSets()) {
        CDiagRepaint repaint;
        DiagRepack(*rowSet, repaint);
    }
}

int CSubViewRelTree::GetPrintedRowHeight() const
{
    const CDiagRowSet* rowSet = RowSet();
    if (!rowSet || rowSet->m_boxHeight <= 0)
        return 0;
    return rowSet->m_boxHeight + std::max(0, m_doc.Settings().m_boxToBoxVertGap);
}

void CSubViewRelTree::SetPrintedSize()
{
    CDiagramSettings& settings = m_doc.Settings();
    int rowHeight = GetPrintedRowHeight();
    // Without rows there is nothing to fit on a page (and nothing to divide by).
    if (rowHeight <= 0) {
        MessageBox("The diagram has no rows to fit on a page.", MB_OK);
        return;
    }
    CDiagPrintSizeDlg dialog(this);
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
    const int rows = int(dialog.m_rowsPerPage);
    // Boxes measured on a page of another size may change height: size again until they don't.
    for (int pass = 0; pass < 30; ++pass) {
        const PageGrid page = SizePageForRows(printerWidth, printerHeight, rows, rowHeight,
                                              settings.m_pageXOrigin, settings.m_pageYOrigin);
        settings.m_pageWidth = page.width;
        settings.m_pageHeight = page.height;
        settings.m_pageXOrigin = page.xOrigin;
        settings.m_pageYOrigin = page.yOrigin;
        Relayout();
        const int measured = GetPrintedRowHeight();
        if (measured <= 0 || measured == rowHeight)
            break;
        rowHeight = measured;
    }
    if (dialog.m_alignRows) {
        const int offset = (settings.m_boxToBoxVertGap - settings.m_sibLineToBoxVertGap) / 2;
        settings.m_pageYOrigin = NormalisePageOrigin(
            AlignPageToRows(settings.m_pageYOrigin, rowHeight, offset), settings.m_pageHeight);
    }
    ComputePageAvoidance();
    Invalidate();
}

void CSubViewRelTree::DrawPageGrid(CDC& dc, const CRect& clip)
{
    const CDiagramSettings& settings = m_doc.Settings();
    if (!m_pageMode || m_printing)
        return;
    const long long width = std::max(1, settings.m_pageWidth);
    const long long height = std::max(1, settings.m_pageHeight);
    const long long x0 = NormalisePageOrigin(settings.m_pageXOrigin, int(width));
    const long long y0 = NormalisePageOrigin(settings.m_pageYOrigin, int(height));
    const long long left = std::min(clip.left, clip.right), right = std::max(clip.left, clip.right);
    const long long low = std::min(clip.top, clip.bottom), high = std::max(clip.top, clip.bottom);
    if (m_pageLines) {
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
    if (!m_pageNumbers)
        return;
    CPoint origin;
    int down = 1, across = 1;
    GetPageSpan(origin, down, across);
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

bool CSubViewRelTree::OnPageLine(CPoint device)
{
    const CDiagramSettings& settings = m_doc.Settings();
    if (!m_pageMode || !m_pageLines || !GetSafeHwnd())
        return false;
    const CPoint point = ToDiagram(device);
    const CPoint reach = ToDiagram(device + CPoint(kPageLineTolerance, kPageLineTolerance));
    const long long tx = std::llabs(reach.x - point.x), ty = std::llabs(reach.y - point.y);
    const long long width = std::max(1, settings.m_pageWidth);
    const long long height = std::max(1, settings.m_pageHeight);
    return GridDistance(point.x, settings.m_pageXOrigin, width) <= tx ||
           GridDistance(point.y, settings.m_pageYOrigin, height) <= ty;
}

bool CSubViewRelTree::InPageOrTitleDrag() const
{
    return m_drag == kTitleMoveDrag || m_drag == kTitleSizeDrag || m_drag == kGridDrag ||
           m_drag == kGridSizeDrag;
}

void CSubViewRelTree::BeginPageGridDrag(CPoint point, bool resize)
{
    const CDiagramSettings& settings = m_doc.Settings();
    m_drag = resize ? kGridSizeDrag : kGridDrag;
    ChooseCursor(nullptr);
    m_pageLines = true;
    m_dragOrigin = CPoint(settings.m_pageXOrigin, settings.m_pageYOrigin);
    m_dragFrame = CRect(0, 0, settings.m_pageWidth, settings.m_pageHeight);
    m_dragStart = ToDiagram(point);
    if (resize) {
        // The page whose bottom-right corner lies nearest the press is resized from its
        // top-left corner.
        const long long width = std::max(1, settings.m_pageWidth);
        const long long height = std::max(1, settings.m_pageHeight);
        const long long x0 = settings.m_pageXOrigin, y0 = settings.m_pageYOrigin;
        m_dragStart = CPoint(int(NearestLine(m_dragStart.x, x0, width) - width),
                             int(NearestLine(m_dragStart.y, y0, height) + height));
    }
    SetCapture();
}

void CSubViewRelTree::TrackPageOrTitleDrag(UINT flags, CPoint point)
{
    CDiagramSettings& settings = m_doc.Settings();
    CPoint p = ToDiagram(point);
    if (m_drag == kGridSizeDrag) {
        const PageGrid page = ResizePageFromCorner(m_dragStart.x, m_dragStart.y, p.x, p.y,
                                                   m_dragFrame.right, m_dragFrame.bottom);
        settings.m_pageWidth = page.width;
        settings.m_pageHeight = page.height;
        settings.m_pageXOrigin = page.xOrigin;
        settings.m_pageYOrigin = page.yOrigin;
        Invalidate();
        return;
    }
    if (m_drag == kGridDrag) {
        // Ctrl lands the horizontal lines between generation rows.
        if (flags & MK_CONTROL)
            p.y = SnapToRowEdge(p.y, GetPrintedRowHeight(),
                                (settings.m_boxToBoxVertGap - settings.m_sibLineToBoxVertGap) / 2);
        settings.m_pageXOrigin = NormalisePageOrigin(p.x, settings.m_pageWidth);
        settings.m_pageYOrigin = NormalisePageOrigin(p.y, settings.m_pageHeight);
        Invalidate();
        return;
    }
    CDiagramTitle& title = settings.m_titles[std::size_t(m_dragTitle)];
    if (m_drag == kTitleMoveDrag) {
        title.frame = m_dragFrame;
        title.frame.OffsetRect(p.x - m_dragStart.x, p.y - m_dragStart.y);
    } else {
        TitleBlockLook look;
        look.rect = title.frame;
        CTitleView(look, this).Resize(p.x, p.y, m_dragHandle);
        title.frame = look.rect;
    }
    Invalidate();
}

void CSubViewRelTree::EndPageOrTitleDrag(bool cancelled)
{
    CDiagramSettings& settings = m_doc.Settings();
    const DragKind kind = m_drag;
    m_drag = kNoDrag;
    ReleaseCapture();
    ChooseCursor(nullptr);
    if (kind == kGridDrag || kind == kGridSizeDrag) {
        if (cancelled) {
            settings.m_pageXOrigin = m_dragOrigin.x;
            settings.m_pageYOrigin = m_dragOrigin.y;
            settings.m_pageWidth = m_dragFrame.right;
            settings.m_pageHeight = m_dragFrame.bottom;
        } else {
            if (kind == kGridSizeDrag && HasTree()) {
                // Boxes are measured on a page of the new size: keep the grid on the rows.
                const int before = RootRowOffset();
                Relayout();
                settings.m_pageYOrigin = NormalisePageOrigin(
                    settings.m_pageYOrigin + RootRowOffset() - before, settings.m_pageHeight);
            }
            // The page grid is the printer's: where it lies becomes the default of every
            // diagram, a custom one's too.
            CheckSaved(
                DefaultDiagramSettings().CopySettings(settings, kSectionPrinting, Profile()));
            ComputePageAvoidance();
        }
    } else if (settings.m_titles[std::size_t(m_dragTitle)].frame != m_dragFrame) {
        // A custom diagram's titles are its own.
        if (m_doc.CustomName().empty())
            CheckSaved(DefaultDiagramSettings().CopySettings(settings, kSectionTitles, Profile()));
    } else if (m_titleAloneOnRelease && !cancelled) {
        // A selected title pressed and released unmoved becomes the only selection.
        DeselectAll();
        SelectTitle(m_dragTitle, true);
    }
    m_titleAloneOnRelease = false;
    m_dragTitle = m_dragHandle = -1;
    m_scrollBarsStale = true;
    Invalidate();
}

LRESULT CSubViewRelTree::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DEVMODECHANGE) {
        UpdatePageMetrics();
        return 0;
    }
    return CSubView::WindowProc(message, wParam, lParam);
}

void CSubViewRelTree::UpdatePageMetrics()
{
    if (HasTree())
        Relayout();
    else if (GetSafeHwnd())
        Invalidate();
}
