// queries/window/query_print_layout.h: how a result set is cut into printed pages: rows per page,
// bands of columns side by side, and which rows and columns each page holds.
#pragma once

#include <vector>

/// The five print fonts, in this order.
enum QueryPrintFont : int {
    kPrintTitle,
    kPrintSubtitle,
    kPrintHeading,
    kPrintBody,
    kPrintFooter,
    kPrintFontCount
};

/// Device units between two columns.
inline constexpr int kPrintColumnGap = 20;

/// The pages of one print job. The margins are all 0: the whole printable area is used.
struct QueryPrintLayout {
    int pageWidth = 0;
    int pageHeight = 0;
    int lineHeights[kPrintFontCount] = {};
    int marginTop = 0, marginLeft = 0, marginBottom = 0, marginRight = 0;
    int rowsPerPage = 1;
    int pagesAcross = 1;
    int pagesDown = 1;
    int totalPages = 1;
    int rows = 0;
    int multiPage = 0;
    std::vector<int> columnWidths; // device units
    std::vector<int> bandStarts;   // the first column of each band
};

/// Lays the pages out. A column joins a band while it ends at or before the printable right
/// edge; the first column of a band always stays on it. With multi-page handling 2 ("Max. one
/// page across") every column is on the one band, and what does not fit is cut at the edge.
QueryPrintLayout LayoutQueryPrint(int pageWidth, int pageHeight,
                                  const int (&lineHeights)[kPrintFontCount], int bodyCharWidth,
                                  const std::vector<int>& quarterWidths, int rows, int multiPage);

/// What page n (from 1) holds: its band's columns [firstColumn, endColumn) and its rows
/// [firstRow, endRow), and whether the end-of-report line goes below them.
struct QueryPrintPage {
    int band = 0;
    int rowPage = 0;
    int firstColumn = 0, endColumn = 0;
    int firstRow = 0, endRow = 0;
    bool endOfReport = false;
};
QueryPrintPage GetQueryPrintPage(const QueryPrintLayout& layout, int page);
