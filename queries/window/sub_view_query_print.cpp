// queries/window/sub_view_query_print.cpp: printing the result set as a paged table: print setup,
// the checks before a job, the five print fonts, pagination and the drawing of each page.
#include "queries/window/sub_view_query.h"

#include "app/shell/printer_setup.h"
#include "app/shell/shell_app.h"
#include "database/nodes/change_hint.h"
#include "platform/base/abandon.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/pen.h"
#include "platform/ui/printing/print_info.h"
#include "queries/query_def.h"
#include "queries/query_eval.h"
#include "queries/window/query_save.h"

#include <algorithm>
#include <cstdio>

namespace {

/// Size in tenths of a point, bold, italic.
struct PrintFontSpec {
    int tenths;
    bool bold;
    bool italic;
};
constexpr PrintFontSpec kPrintFonts[kPrintFontCount] = {
    {130, true, false}, {100, true, false}, {80, true, false},
    {80, false, false}, {75, false, true},
};

CAppPrinter* AppPrinter()
{
    IShellApp* app = GetShellApp();
    return app ? &app->GetPrinter() : nullptr;
}

/// Thrown out of a page that cannot be drawn.
struct PrintAbandoned {};

} // namespace

void CSubViewQuery::OnFilePrintSetup()
{
    if (!m_query) {
        MessageBox("No query - cannot print");
        return;
    }
    bool landscape = m_query->GetOrientation() != QOR_PORTRAIT;
    if (!WindowPrintSetup(this, landscape))
        return;
    m_general.SetOrientationSel(landscape);
    m_query->SetOrientation(landscape ? QOR_LANDSCAPE : QOR_PORTRAIT);
    // A standard or read-only query keeps the change for this session only.
    CommitQueryChange(*m_query);
    if (IShellApp* shell = GetShellApp())
        shell->BroadcastUpdate(nullptr, kHintPrinterChanged, nullptr, FALSE);
}

bool CSubViewQuery::RunAgainForPrint()
{
    if (!m_query || !RunQuery(*m_query, false, false, nullptr))
        return false;
    m_grid.Fill(*m_query);
    return true;
}

BOOL CSubViewQuery::CanPrint(BOOL /*preview*/)
{
    if (!CSubView::CanPrint(TRUE))
        return FALSE;
    if (!m_query) {
        MessageBox("No query - cannot print");
        return FALSE;
    }
    if (m_query->GetColumnCount(true) < 1) {
        MessageBox("Query has no unhidden columns - nothing to print");
        return FALSE;
    }
    bool again = !m_grid.IsFilled() || m_grid.GetColumnCount() == 0;
    if (m_grid.IsFilled() && m_grid.IsResorted()) {
        const int answer = MessageBox(
            "The result set has been re-sorted in the Results Window.  Do you wish to run the "
            "query again, prior to printing it (i.e. to revert to the original sort order)?",
            MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return FALSE;
        again = again || answer == IDYES;
    }
    return !again || RunAgainForPrint();
}

BOOL CSubViewQuery::PreparePrinting(CPrintInfo* info)
{
    if (!info || (!info->m_bPreview && !CanPrint(FALSE)) || !m_query)
        return FALSE;
    if (CAppPrinter* printer = AppPrinter()) {
        printer->IsPrinterLandscape(&m_savedOrientation);
        printer->LoadPrinterDefaults(m_query->GetOrientation() != QOR_PORTRAIT);
    }
    return TRUE;
}

void CSubViewQuery::OnPrepareDC(CDC* /*dc*/, CPrintInfo* info)
{
    if (!info)
        return;
    if (!m_query) {
        info->m_bContinuePrinting = FALSE;
        return;
    }
    info->m_nNumPreviewPages = 1;
    m_printing = true;
}

void CSubViewQuery::OnBeginPrinting(CDC* dc, CPrintInfo* info)
{
    BeginWaitCursor();
    if (!m_query || !dc)
        return;
    if (m_grid.GetColumnCount() == 0) {
        if (info)
            info->SetMaxPage(0);
        return;
    }
    const int dpi = dc->GetDeviceCaps(LOGPIXELSY);
    int heights[kPrintFontCount] = {};
    int bodyWidth = 1;
    for (int i = 0; i < kPrintFontCount; ++i) {
        LOGFONT font{};
        font.lfHeight = -(kPrintFonts[i].tenths * dpi / 720);
        font.lfWeight = kPrintFonts[i].bold ? FW_BOLD : FW_NORMAL;
        font.lfItalic = kPrintFonts[i].italic;
        font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        std::snprintf(font.lfFaceName, sizeof(font.lfFaceName), "%s", "Arial Narrow");
        auto made = std::make_unique<CFont>();
        if (!made->CreateFontIndirect(&font)) {
            MessageBox("Failed to create font");
            FreePrintFonts();
            if (info)
                info->SetMaxPage(0);
            return;
        }
        dc->SelectObject(made.get());
        TEXTMETRIC metrics;
        dc->GetTextMetrics(&metrics);
        heights[i] = int(metrics.tmHeight + metrics.tmExternalLeading);
        if (i == kPrintBody)
            bodyWidth = std::max(1, int(metrics.tmAveCharWidth));
        m_printFonts[std::size_t(i)] = std::move(made);
    }
    std::vector<int> widths;
    for (int c = 0; c < m_grid.GetColumnCount(); ++c)
        widths.push_back(m_grid.GetColumnDef(c) ? m_grid.GetColumnDef(c)->m_width : 0);
    m_print = LayoutQueryPrint(dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES), heights,
                               bodyWidth, widths, m_grid.GetRowCount(), m_query->GetMultiPage());
    if (info)
        info->SetMaxPage(UINT(m_print.totalPages));
}

void CSubViewQuery::OnPrint(CDC* dc, CPrintInfo* info)
{
    if (!dc || !info)
        return;
    const int page = int(info->m_nCurPage);
    if (page > m_print.totalPages || !m_printFonts[kPrintBody]) {
        info->m_bContinuePrinting = FALSE;
        return;
    }
    if (m_grid.GetColumnCount() == 0) {
        MessageBox("Report has no columns.");
        info->m_bContinuePrinting = FALSE;
        return;
    }
    try {
        PrintPage(*dc, page);
    } catch (...) {
        CauseOfAbandon();
        MessageBox("An error has occurred.  Print job aborted.");
        info->m_bContinuePrinting = FALSE;
        return;
    }
    info->m_bContinuePrinting = page < m_print.totalPages;
}

void CSubViewQuery::PrintPage(CDC& dc, int page)
{
    const QueryPrintLayout& layout = m_print;
    const QueryPrintPage where = GetQueryPrintPage(layout, page);
    const int* h = layout.lineHeights;
    const int right = layout.pageWidth - layout.marginRight;
    constexpr UINT kLine = DT_SINGLELINE | DT_NOPREFIX;
    const auto font = [&](int index) { dc.SelectObject(m_printFonts[std::size_t(index)].get()); };
    const auto centred = [&](const std::string& text, int top, int height) {
        CRect rect(layout.marginLeft, top, right, top + height);
        dc.DrawText(text, &rect, kLine | DT_CENTER);
    };
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    int y = layout.marginTop + h[kPrintTitle];
    font(kPrintTitle);
    centred(m_query->GetHeadingText(0), y, h[kPrintTitle]);
    y += 2 * h[kPrintTitle];
    font(kPrintSubtitle);
    centred(m_query->GetHeadingText(1), y, h[kPrintSubtitle]);
    y += 2 * h[kPrintSubtitle];
    // The band's columns, each at least zero wide and cut at the printable edge.
    std::vector<CRect> columns;
    long long x = layout.marginLeft;
    for (int c = where.firstColumn; c < where.endColumn; ++c) {
        const int width = layout.columnWidths[std::size_t(c)];
        const int left = int(std::min<long long>(x, right));
        columns.emplace_back(left, 0, std::max(left, int(std::min<long long>(x + width, right))),
                             0);
        x += width + kPrintColumnGap;
    }
    font(kPrintHeading);
    for (int c = where.firstColumn; c < where.endColumn; ++c) {
        CRect rect = columns[std::size_t(c - where.firstColumn)];
        rect.top = y;
        rect.bottom = y + h[kPrintHeading];
        std::string title;
        m_grid.GetGridColumn(c, nullptr, &title);
        dc.DrawText(title, &rect, kLine | DT_LEFT);
    }
    y += h[kPrintHeading];
    CPen rule(PS_SOLID, 2, RGB(0, 0, 0));
    CPen* old = dc.SelectObject(&rule);
    dc.MoveTo(layout.marginLeft, y);
    dc.LineTo(layout.pageWidth, y);
    dc.SelectObject(old);
    y += h[kPrintBody] / 2;
    font(kPrintBody);
    for (int row = where.firstRow; row < where.endRow; ++row) {
        for (int c = where.firstColumn; c < where.endColumn; ++c) {
            CRect rect = columns[std::size_t(c - where.firstColumn)];
            rect.top = y;
            rect.bottom = y + h[kPrintBody];
            dc.DrawText(m_grid.GetCellString(row, c), &rect, kLine | DT_LEFT);
        }
        y += h[kPrintBody];
    }
    font(kPrintFooter);
    if (where.endOfReport)
        centred("*** End of Report ***", y + h[kPrintBody], h[kPrintFooter]);
    const int bottom = layout.pageHeight - layout.marginBottom;
    CRect footer(layout.marginLeft, bottom - h[kPrintFooter], right, bottom);
    dc.DrawText(text::Format("Page %d of %d", page, layout.totalPages), &footer,
                kLine | DT_RIGHT | DT_BOTTOM);
}

void CSubViewQuery::FreePrintFonts()
{
    for (std::unique_ptr<CFont>& font : m_printFonts)
        font.reset();
}

void CSubViewQuery::OnEndPrinting(CDC* /*dc*/, CPrintInfo* /*info*/)
{
    m_printing = false;
    if (CAppPrinter* printer = AppPrinter())
        printer->LoadPrinterDefaults(m_savedOrientation != 0);
    FreePrintFonts();
    EndWaitCursor();
}

void CSubViewQuery::OnEndPrintPreview(CDC* /*dc*/, CPrintInfo* /*info*/, POINT /*point*/,
                                      CView* /*view*/)
{
    m_printing = false;
}
