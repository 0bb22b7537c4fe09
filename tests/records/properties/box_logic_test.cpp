// tests/records/properties/box_logic_test.cpp: what the box decides without windows: placeholder
// texts, the history ring and where the box moves off a rectangle.
#include "records/properties/box_placement.h"
#include "records/properties/prop_history.h"
#include "records/properties/record_page.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Placeholder, PrefixesAreReadCaseSensitivelyAndShortTextsAreLabels)
{
    struct Row {
        const char* text;
        PlaceholderKind kind;
        const char* path;
    };
    const Row rows[] = {
        {"~SOUR.TITL", PlaceholderKind::Field, "SOUR.TITL"},
        {"F~REPO.ADDR", PlaceholderKind::Compact, "REPO.ADDR"},
        {"G~NOTE.TEXT", PlaceholderKind::Growing, "NOTE.TEXT"},
        {"L~INDI.NAME[2]", PlaceholderKind::Large, "INDI.NAME[2]"},
        {"M~SOUR.NOTE2", PlaceholderKind::LargeCompact, "SOUR.NOTE2"},
        {"<TAGGRID>", PlaceholderKind::Grid, ""},
        {"<PICTURE>", PlaceholderKind::Picture, ""},
        {"<picture>", PlaceholderKind::None, ""}, // the multimedia page's own
        {"<dummy>", PlaceholderKind::None, ""},
        {"f~REPO.ADDR", PlaceholderKind::None, ""},
        {"IMSP!~INDI.NAME", PlaceholderKind::None, ""},
        {"~", PlaceholderKind::None, ""},
        {"Name:", PlaceholderKind::None, ""},
    };
    for (const Row& row : rows) {
        const Placeholder parsed = ParsePlaceholder(row.text);
        EXPECT_EQ(parsed.kind, row.kind) << row.text;
        EXPECT_EQ(parsed.path, row.path) << row.text;
    }
}

class HistoryTest : public ::testing::Test {
protected:
    /// An entry for record number n of one type; the records are never read.
    PropHistoryEntry Entry(int n)
    {
        PropHistoryEntry entry;
        entry.m_type = kType;
        entry.m_record = reinterpret_cast<CRecordNode*>(std::uintptr_t(n) * 16);
        entry.m_pageIndex = short(n % 3);
        return entry;
    }
    std::vector<int> Numbers() const
    {
        std::vector<int> numbers;
        m_history.ForEach([&](const PropHistoryEntry& entry, bool current) {
            const int n = int(reinterpret_cast<std::uintptr_t>(entry.m_record) / 16);
            numbers.push_back(current ? -n : n);
        });
        return numbers;
    }
    static inline const auto* kType = reinterpret_cast<const CFieldDef*>(std::uintptr_t(0x1000));
    CPropHistory m_history;
};

TEST_F(HistoryTest, TheTwentyFirstRecordOverwritesTheOldest)
{
    for (int n = 1; n <= 21; ++n)
        EXPECT_TRUE(m_history.Record(Entry(n)));
    EXPECT_EQ(m_history.Count(), 20);
    std::vector<int> expected;
    for (int n = 2; n <= 20; ++n)
        expected.push_back(n);
    expected.push_back(-21);
    EXPECT_EQ(Numbers(), expected);
}

TEST_F(HistoryTest, TheSameRecordIsRefreshedAndNotAddedTwice)
{
    m_history.Record(Entry(1));
    PropHistoryEntry again = Entry(1);
    again.m_pageIndex = 2;
    EXPECT_FALSE(m_history.Record(again));
    EXPECT_EQ(Numbers(), (std::vector<int>{-1}));
    EXPECT_EQ(m_history.Current().m_pageIndex, 2);
}

TEST_F(HistoryTest, LeavingAnEntryReachedByGoingBackDropsTheEntriesAfterIt)
{
    for (int n = 1; n <= 3; ++n)
        m_history.Record(Entry(n));
    EXPECT_FALSE(m_history.CanGoForward());
    m_history.Step(-1);
    m_history.Step(-1);
    EXPECT_TRUE(m_history.IsOnEntry());
    EXPECT_FALSE(m_history.CanGoBack());
    EXPECT_TRUE(m_history.CanGoForward());
    EXPECT_FALSE(m_history.Record(Entry(1)));
    EXPECT_FALSE(m_history.IsOnEntry());
    EXPECT_EQ(Numbers(), (std::vector<int>{-1}));
    EXPECT_TRUE(m_history.CanGoBack()); // the record now shown was never recorded
}

TEST_F(HistoryTest, RemovingAnEntryLeavesTheNextStepOnItsNeighbour)
{
    for (int n = 1; n <= 4; ++n)
        m_history.Record(Entry(n));
    m_history.Step(-1); // on 3
    m_history.RemoveCurrent(-1);
    EXPECT_EQ(Numbers(), (std::vector<int>{1, 2, -4}));
    m_history.Step(-1);
    EXPECT_EQ(Numbers(), (std::vector<int>{1, -2, 4}));

    m_history.Step(1); // on 4
    m_history.Step(-1);
    m_history.Step(-1); // on 1
    m_history.Step(1);  // on 2
    m_history.RemoveCurrent(1);
    m_history.Step(1);
    EXPECT_EQ(Numbers(), (std::vector<int>{1, -4}));

    m_history.RemoveCurrent(1);
    m_history.RemoveCurrent(1);
    EXPECT_TRUE(m_history.IsEmpty());
    EXPECT_FALSE(m_history.CanGoBack());
}

TEST(BoxPlacement, TheBoxMovesOffTheRectangleKeepingItsGaps)
{
    constexpr int kScreen = 800;
    const CRect box(100, 300, 500, 600); // 300 high
    struct Row {
        CRect avoid;
        int top;
    };
    const Row rows[] = {
        {CRect(0, 0, 50, 50), 300},     // not in the way: stays
        {CRect(0, 550, 800, 780), 230}, // near the screen's bottom: above, 20 higher
        {CRect(0, 310, 800, 790), 10},  // above, but a gap would leave the screen
        {CRect(0, 200, 800, 400), 420}, // its centre above the box's: below, 20 lower
        {CRect(0, 250, 800, 490), 490}, // below with fewer than 20 to spare: no gap
        {CRect(0, 150, 800, 790), 0},   // fits nowhere, centre in the lower half: top
        {CRect(0, 20, 800, 700), 500},  // fits nowhere, centre in the upper half: bottom
    };
    for (const Row& row : rows) {
        const CRect placed = PlaceAvoiding(box, row.avoid, kScreen);
        EXPECT_EQ(placed.top, row.top) << row.avoid.top << "-" << row.avoid.bottom;
        EXPECT_EQ(placed.Height(), box.Height());
        EXPECT_EQ(placed.left, box.left);
    }
}

} // namespace
