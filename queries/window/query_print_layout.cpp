// queries/window/query_print_layout.cpp: the pagination of a printed result set.
#include "queries/window/query_print_layout.h"

#include <algorithm>

QueryPrintLayout LayoutQueryPrint(int pageWidth, int pageHeight,
                                  const int (&lineHeights)[kPrintFontCount], int bodyCharWidth,
                                  const std::vector<int>& quarterWidths, int rows, int multiPage)
{
    QueryPrintLayout layout;
    layout.pageWidth = pageWidth;
    layout.pageHeight = pageHeight;
    std::copy(std::begin(lineHeights), std::end(lineHeights), layout.lineHeights);
    layout.rows = std::max(rows, 0);
    layout.multiPage = multiPage;
    const int* h = lineHeights;
    const int body = std::max(h[kPrintBody], 1);
    const int usable = pageHeight - 3 * h[kPrintTitle] - 2 * (h[kPrintSubtitle] + h[kPrintFooter]) -
                       body / 2 - layout.marginBottom - layout.marginTop - h[kPrintHeading];
    layout.rowsPerPage = std::max(1, usable / body);
    // A column wider than the page is cut at its edge whatever its width, so no width beyond
    // the page's is kept, and no sum of them overflows.
    const long long widest = std::max(pageWidth, 0);
    for (int width : quarterWidths)
        layout.columnWidths.push_back(
            int(std::clamp((long long)(width)*bodyCharWidth / 4, 0LL, widest)));
    layout.bandStarts.push_back(0);
    if (multiPage != 2) {
        const int limit = pageWidth - layout.marginRight;
        long long x = layout.marginLeft;
        for (std::size_t c = 0; c < layout.columnWidths.size(); ++c) {
            const int width = layout.columnWidths[c];
            if (int(c) != layout.bandStarts.back() && x + width > limit) {
                layout.bandStarts.push_back(int(c));
                x = layout.marginLeft;
            }
            x += width + kPrintColumnGap;
        }
    }
    layout.pagesAcross = int(layout.bandStarts.size());
    layout.pagesDown = std::max(1, (layout.rows + layout.rowsPerPage - 1) / layout.rowsPerPage);
    layout.totalPages = layout.pagesAcross * layout.pagesDown;
    return layout;
}

QueryPrintPage GetQueryPrintPage(const QueryPrintLayout& layout, int page)
{
    QueryPrintPage result;
    const int n = std::max(page, 1) - 1;
    if (layout.pagesAcross <= 1) {
        result.rowPage = n;
    } else if (layout.multiPage == 1) {
        result.rowPage = n / layout.pagesAcross;
        result.band = n % layout.pagesAcross;
    } else {
        result.band = n / layout.pagesDown;
        result.rowPage = n % layout.pagesDown;
    }
    result.firstColumn = layout.bandStarts[std::size_t(result.band)];
    result.endColumn = result.band + 1 < layout.pagesAcross
                           ? layout.bandStarts[std::size_t(result.band) + 1]
                           : int(layout.columnWidths.size());
    result.firstRow = std::min(result.rowPage * layout.rowsPerPage, layout.rows);
    result.endRow = std::min(result.firstRow + layout.rowsPerPage, layout.rows);
    result.endOfReport = result.rowPage == layout.pagesDown - 1;
    return result;
}
