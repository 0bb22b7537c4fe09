// tests/queries/window/query_print_layout_test.cpp: how a result set is cut into pages: rows per
// page, bands of columns, both multi-page orders, one page across, an empty result, a column
// that ends exactly at the printable edge, and thousands of columns far wider than the page.
#include "queries/window/query_print_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// Title 30, subtitle 20, heading 16, body 10, footer 8 device units.
constexpr int kHeights[kPrintFontCount] = {30, 20, 16, 10, 8};

/// Each page as "band:first-end rows first-end", with "*" when the end-of-report line is on it.
std::string Pages(const QueryPrintLayout& layout)
{
    std::string text;
    for (int page = 1; page <= layout.totalPages; ++page) {
        const QueryPrintPage p = GetQueryPrintPage(layout, page);
        text += (page > 1 ? " " : "") + std::to_string(p.band) + ":" +
                std::to_string(p.firstColumn) + "-" + std::to_string(p.endColumn) + " r" +
                std::to_string(p.firstRow) + "-" + std::to_string(p.endRow) +
                (p.endOfReport ? "*" : "");
    }
    return text;
}

TEST(QueryPrintLayoutTest, RowsPerPageLeaveRoomForHeadingsAndFooter)
{
    // 300 - 3*30 - 2*(20+8) - 10/2 - 16 = 133, so 13 body lines.
    const QueryPrintLayout layout = LayoutQueryPrint(1000, 300, kHeights, 8, {80}, 30, 0);
    EXPECT_EQ(layout.rowsPerPage, 13);
    EXPECT_EQ(layout.pagesDown, 3);
    EXPECT_EQ(layout.totalPages, 3);
    EXPECT_EQ(layout.columnWidths, std::vector<int>{160});
    // A page too short for one line still holds one.
    EXPECT_EQ(LayoutQueryPrint(1000, 50, kHeights, 8, {80}, 3, 0).rowsPerPage, 1);
}

TEST(QueryPrintLayoutTest, BandsAndTheTwoOrdersOfPages)
{
    // Widths 80, 80, 80 quarter characters at 8 units a character: 160 each, plus a gap of
    // 20; a page 400 wide takes two columns (180 + 160 = 340) and the third starts a band.
    struct Case {
        int multiPage;
        const char* pages;
    } const cases[] = {
        {0, "0:0-2 r0-13 0:0-2 r13-26 0:0-2 r26-30* 1:2-3 r0-13 1:2-3 r13-26 1:2-3 r26-30*"},
        {1, "0:0-2 r0-13 1:2-3 r0-13 0:0-2 r13-26 1:2-3 r13-26 0:0-2 r26-30* 1:2-3 r26-30*"},
        {2, "0:0-3 r0-13 0:0-3 r13-26 0:0-3 r26-30*"},
    };
    for (const Case& c : cases) {
        const QueryPrintLayout layout =
            LayoutQueryPrint(400, 300, kHeights, 8, {80, 80, 80}, 30, c.multiPage);
        EXPECT_EQ(Pages(layout), c.pages) << c.multiPage;
    }
}

TEST(QueryPrintLayoutTest, AColumnEndingExactlyAtTheEdgeStaysOnItsBand)
{
    // 160 + 20 + 160 = 340: a page 340 wide holds both columns, a page 339 wide does not.
    EXPECT_EQ(LayoutQueryPrint(340, 300, kHeights, 8, {80, 80}, 1, 0).pagesAcross, 1);
    EXPECT_EQ(LayoutQueryPrint(339, 300, kHeights, 8, {80, 80}, 1, 0).pagesAcross, 2);
    // A column wider than the page is alone on its band, never on none.
    EXPECT_EQ(Pages(LayoutQueryPrint(100, 300, kHeights, 8, {80, 10}, 1, 0)),
              "0:0-1 r0-1* 1:1-2 r0-1*");
}

TEST(QueryPrintLayoutTest, ThousandsOfVeryWideColumnsEachTakeABandWithoutOverflowing)
{
    const std::vector<int> widths(3000, INT_MAX);
    const QueryPrintLayout bands = LayoutQueryPrint(1000, 300, kHeights, 8, widths, 1, 0);
    EXPECT_EQ(bands.pagesAcross, 3000);
    for (const int width : bands.columnWidths)
        ASSERT_EQ(width, 1000) << "cut at the page's width";
    EXPECT_EQ(Pages(LayoutQueryPrint(1000, 300, kHeights, 8, {INT_MAX, 80, 80}, 1, 0)),
              "0:0-1 r0-1* 1:1-3 r0-1*");
    const QueryPrintLayout across = LayoutQueryPrint(1000, 300, kHeights, 8, widths, 1, 2);
    EXPECT_EQ(across.pagesAcross, 1);
}

TEST(QueryPrintLayoutTest, AnEmptyResultPrintsOnePageWithTheEndLine)
{
    const QueryPrintLayout layout = LayoutQueryPrint(400, 300, kHeights, 8, {80}, 0, 0);
    EXPECT_EQ(layout.totalPages, 1);
    EXPECT_EQ(Pages(layout), "0:0-1 r0-0*");
}

} // namespace
