// tests/controls/find_bar_layout_test.cpp: the find bar's labels and edits fitted into a bar
// narrower than its template: untouched while it fits, the edits narrowed in proportion, never
// below their least width, and everything after them moved up.
#include "controls/find_bar_layout.h"

#include <gtest/gtest.h>

namespace {

// label 4-100, edit 102-252, label 256-290, edit 338-398: needs 402 pixels.
const std::vector<FindBarItem> kBar = {
    {4, 100, false}, {102, 252, true}, {256, 290, false}, {338, 398, true}};

TEST(FindBarLayoutTest, ABarAsWideAsItsTemplateKeepsEveryPlace)
{
    for (const int width : {402, 800}) {
        const std::vector<FindBarItem> fitted = FitFindBarItems(kBar, width, 20);
        ASSERT_EQ(fitted.size(), kBar.size());
        for (std::size_t i = 0; i < kBar.size(); ++i) {
            EXPECT_EQ(fitted[i].left, kBar[i].left) << width;
            EXPECT_EQ(fitted[i].right, kBar[i].right) << width;
        }
    }
    EXPECT_TRUE(FitFindBarItems({}, 10, 20).empty());
}

TEST(FindBarLayoutTest, ANarrowBarNarrowsTheEditsInProportionAndMovesWhatFollows)
{
    // 100 missing; the edits have 130 and 40 above 20: they give up 76 and 24.
    const std::vector<FindBarItem> fitted = FitFindBarItems(kBar, 302, 20);
    ASSERT_EQ(fitted.size(), 4u);
    EXPECT_EQ(fitted[0].left, 4);
    EXPECT_EQ(fitted[0].right, 100);
    EXPECT_EQ(fitted[1].left, 102);
    EXPECT_EQ(fitted[1].right, 252 - 76);
    EXPECT_EQ(fitted[2].left, 256 - 76);
    EXPECT_EQ(fitted[2].right, 290 - 76);
    EXPECT_EQ(fitted[3].left, 338 - 76);
    EXPECT_EQ(fitted[3].right, 398 - 100);
    EXPECT_EQ(fitted.back().right + fitted.front().left, 302) << "ends at the bar's margin";
}

TEST(FindBarLayoutTest, TheLeastWidthHoldsEveryItemWithTheEditsAtTheirLeast)
{
    // 402 less what the edits have above 20 (130 and 40).
    EXPECT_EQ(LeastFindBarWidth(kBar, 20), 232);
    const std::vector<FindBarItem> fitted = FitFindBarItems(kBar, 232, 20);
    EXPECT_EQ(fitted.back().right + fitted.front().left, 232);
    EXPECT_EQ(fitted[1].right - fitted[1].left, 20);
    EXPECT_EQ(LeastFindBarWidth(kBar, 500), 402) << "edits already narrower keep their width";
    EXPECT_EQ(LeastFindBarWidth({}, 20), 0);
}

TEST(FindBarLayoutTest, EditsStopAtTheirLeastWidthAndTheRestIsCutOff)
{
    const std::vector<FindBarItem> fitted = FitFindBarItems(kBar, 50, 20);
    ASSERT_EQ(fitted.size(), 4u);
    EXPECT_EQ(fitted[1].right - fitted[1].left, 20);
    EXPECT_EQ(fitted[3].right - fitted[3].left, 20);
    EXPECT_EQ(fitted[3].left - fitted[2].right, 338 - 290) << "gaps kept";
    // Any width between: no edit below its least width, no item overlapping the one before it,
    // and the template's order kept.
    for (int width = 0; width <= 410; ++width) {
        const std::vector<FindBarItem> places = FitFindBarItems(kBar, width, 20);
        for (std::size_t i = 0; i < places.size(); ++i) {
            if (places[i].edit) {
                EXPECT_GE(places[i].right - places[i].left, 20) << width;
            }
            if (i > 0) {
                EXPECT_EQ(places[i].left - places[i - 1].right, kBar[i].left - kBar[i - 1].right)
                    << width;
            }
        }
        if (width >= 402 - 170) {
            EXPECT_LE(places.back().right + places.front().left, width) << width;
        }
    }
}

} // namespace
