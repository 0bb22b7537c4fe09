// tests/reports/window/rpt_view_math_test.cpp: page and spread positions, facing pages on and
// off, zoom text, Zoom In and Out, and the Go To Page number check.
#include "reports/window/go_to_page_dlg.h"
#include "reports/window/rpt_view_math.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Spread = std::pair<int, int>;

std::vector<Spread> Spreads(const RptPagePositions& positions)
{
    std::vector<Spread> spreads;
    for (int p = 0; p < positions.SlotCount(); p += positions.steps) {
        Spread spread;
        positions.SpreadPages(p, spread.first, spread.second);
        spreads.push_back(spread);
    }
    return spreads;
}

TEST(RptViewMath, SpreadsOfFivePagesWithAndWithoutPadding)
{
    RptPagePositions padded{5, 1, true, true};
    EXPECT_EQ(Spreads(padded), (std::vector<Spread>{{-1, 0}, {1, 2}, {3, 4}}));
    RptPagePositions plain{5, 1, true, false};
    EXPECT_EQ(Spreads(plain), (std::vector<Spread>{{0, 1}, {2, 3}, {4, -1}}));
    RptPagePositions single{5, 3, false, false};
    EXPECT_EQ(single.SlotCount(), 15);
    EXPECT_EQ(Spreads(single), (std::vector<Spread>{{0, -1}, {1, -1}, {2, -1}, {3, -1}, {4, -1}}));
    Spread pastTheEnd;
    single.SpreadPages(15, pastTheEnd.first, pastTheEnd.second);
    EXPECT_EQ(pastTheEnd, Spread(-1, -1));
    EXPECT_EQ((RptPagePositions{0, 1, true, true}.SlotCount()), 0);
}

TEST(RptViewMath, FacingPagesOnAndOffComeBackToTheSamePage)
{
    for (const bool padded : {false, true})
        for (int page = 0; page < 5; ++page) {
            RptPagePositions single{5, 1, false, padded};
            const int spreadPosition = single.MapFacing(page, true);
            RptPagePositions facing{5, 1, true, padded};
            int left = -1, right = -1;
            facing.SpreadPages(spreadPosition, left, right);
            EXPECT_TRUE(left == page || right == page) << page << " padded " << padded;
            const int back = facing.MapFacing(spreadPosition, false);
            EXPECT_TRUE(back == left || back == right || (left < 0 && back == 0))
                << page << " padded " << padded;
        }
    // The first page number and the mirrored-pages flag decide the padding.
    EXPECT_FALSE(IsFirstSpreadPadded(false, 1));
    EXPECT_TRUE(IsFirstSpreadPadded(false, 2));
    EXPECT_TRUE(IsFirstSpreadPadded(true, 1));
    EXPECT_FALSE(IsFirstSpreadPadded(true, 4));
}

TEST(RptViewMath, PositionsKeepTheirPageAcrossStepChanges)
{
    EXPECT_EQ(RemapPosition(7, 3, 2, 1), 5) << "page 2, second step";
    EXPECT_EQ(RemapPosition(4, 1, 3, 0), 12);
    EXPECT_EQ(RemapPosition(4, 0, 0, 0), 4) << "no steps count as one";
    EXPECT_EQ((RptPagePositions{5, 2, true, true}.PositionOfPage(3)), 4);
}

TEST(RptViewMath, ZoomText)
{
    struct Case {
        const char* text;
        bool taken;
        int mode;
        int percent;
    };
    for (const Case& c : std::vector<Case>{
             {"1000", true, kRptZoomPercent, 500},
             {"3", true, kRptZoomPercent, 5},
             {" 75% ", true, kRptZoomPercent, 75},
             {"99999999999", true, kRptZoomPercent, 500},
             {"page width", true, kRptZoomPageWidth, -1},
             {"  Whole Page", true, kRptZoomWholePage, -1},
             {"-5", false, -1, -1},
             {"abc", false, -1, -1},
             {"", false, -1, -1},
         }) {
        int mode = -1, percent = -1;
        EXPECT_EQ(ParseZoomText(c.text, mode, percent), c.taken) << c.text;
        EXPECT_EQ(mode, c.mode) << c.text;
        EXPECT_EQ(percent, c.percent) << c.text;
    }
}

TEST(RptViewMath, ZoomInAndOutStepByTens)
{
    const std::vector<std::pair<int, int>> in = {
        {95, 100}, {100, 110}, {5, 10}, {500, 500}, {496, 500}};
    for (const auto& [from, to] : in)
        EXPECT_EQ(ZoomInPercent(from), to) << from;
    const std::vector<std::pair<int, int>> out = {{100, 90}, {95, 90}, {10, 5}, {5, 5}, {7, 5}};
    for (const auto& [from, to] : out)
        EXPECT_EQ(ZoomOutPercent(from), to) << from;
}

TEST(RptViewMath, PageNumbersTyped)
{
    int number = -7;
    EXPECT_TRUE(ReadPageNumber(" 12 ", number));
    EXPECT_EQ(number, 12);
    EXPECT_TRUE(ReadPageNumber("0", number));
    EXPECT_EQ(number, 0);
    for (const char* bad : {"", "abc", "1a", "2147483648", "99999999999999999999", "-"})
        EXPECT_FALSE(ReadPageNumber(bad, number)) << bad;
}

} // namespace
