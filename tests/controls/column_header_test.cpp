// tests/controls/column_header_test.cpp: the column header: where a press grabs a divider or
// a title, which clicks are reported, how columns are inserted, removed and resized, how edges
// follow the font, and what it paints raised, pressed and disabled.
#include "tests/controls/tree_box_fixture.h"

#include "controls/column_header.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/windows/sys_metrics.h"

#include <chrono>
#include <string>

namespace {

using controls_test::CountColour;
using TestHooks::MouseEvent;

class RecordingHeaderOwner : public CColumnHeaderOwner {
public:
    std::vector<std::string> calls;
    void OnBeginResize(CColumnHeader*) override { calls.push_back("begin"); }
    void OnEndResize(CColumnHeader*, int column) override
    {
        calls.push_back("end " + std::to_string(column));
    }
    void OnColumnResize(CColumnHeader*, std::vector<CColumnInfo>&, int column, int x, int, int,
                        int state) override
    {
        calls.push_back("resize " + std::to_string(column) + " " + std::to_string(x) + " " +
                        std::to_string(state));
    }
    void OnColumnClick(CColumnHeader*, int column) override
    {
        calls.push_back("click " + std::to_string(column));
    }
};

class ColumnHeaderTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 100),
                                  nullptr, 0));
        ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 20), &host, 1, nullptr,
                                  false, &owner));
        header.MoveWindow(0, 0, 300, header.GetHeight());
        std::vector<CColumnInfo> columns(3);
        const char* titles[] = {"Name", "Born", "Place"};
        for (int i = 0; i < 3; ++i) {
            columns[std::size_t(i)].m_title = titles[i];
            columns[std::size_t(i)].m_right = 80 * (i + 1);
        }
        ASSERT_TRUE(header.AddColumns(&columns, 2));
    }
    void TearDown() override
    {
        header.DestroyWindow();
        host.DestroyWindow();
    }
    void Press(int x, int releaseX)
    {
        TestHooks::PostMouse(header, MouseEvent::LeftDown, CPoint(x, 5), MK_LBUTTON);
        TestHooks::PostMouse(header, MouseEvent::Move, CPoint(releaseX, 5), MK_LBUTTON);
        TestHooks::PostMouse(header, MouseEvent::LeftUp, CPoint(releaseX, 5), 0);
        TestHooks::DeliverPosted();
    }
    std::vector<int> Edges()
    {
        std::vector<int> edges;
        for (int i = 0; i < header.GetColumnCount(); ++i)
            edges.push_back(header.GetColumnRight(i));
        return edges;
    }

    CWnd host;
    CColumnHeader header;
    RecordingHeaderOwner owner;
};

struct PressCase {
    int x;
    const char* expected;
};

class ColumnHeaderPress : public ColumnHeaderTest, public testing::WithParamInterface<PressCase> {};

TEST_P(ColumnHeaderPress, GrabsADividerWithinThreePixelsOfAnEdgeElseATitle)
{
    Press(GetParam().x, GetParam().x);
    std::string calls;
    for (const std::string& call : owner.calls)
        calls += (calls.empty() ? "" : "; ") + call;
    EXPECT_EQ(calls, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    ColumnHeader, ColumnHeaderPress,
    testing::Values(PressCase{83, "begin; resize 0 83 0; resize 0 83 1; resize 0 83 2; end 0"},
                    PressCase{77, "begin; resize 0 77 0; resize 0 77 1; resize 0 77 2; end 0"},
                    PressCase{84, "click 1"}, PressCase{76, "click 0"}, PressCase{30, "click 0"},
                    PressCase{270, ""}));

TEST_F(ColumnHeaderTest, ATitleReleasedOutsideItselfReportsNoClick)
{
    Press(120, 200);
    EXPECT_TRUE(owner.calls.empty());
    Press(120, 125);
    EXPECT_EQ(owner.calls, std::vector<std::string>{"click 1"});
    header.SetColumnsEnabled(false);
    Press(120, 120);
    EXPECT_EQ(owner.calls.size(), 1u);
}

TEST_F(ColumnHeaderTest, InsertingMovesLaterColumnsAndRemovingLeavesAGap)
{
    EXPECT_TRUE(header.InsertColumn(-1, "Notes", false, 50));
    EXPECT_EQ(Edges(), (std::vector<int>{80, 160, 240, 290}));
    EXPECT_TRUE(header.InsertColumn(0, "Id", true, 30));
    EXPECT_EQ(Edges(), (std::vector<int>{30, 110, 190, 270, 320}));
    EXPECT_FALSE(header.InsertColumn(9, "Far", false, 10));
    EXPECT_FALSE(header.InsertColumn(0, nullptr, false, 10));
    EXPECT_FALSE(header.InsertColumn(0, "Negative", false, -1));
    header.RemoveColumn(1);
    EXPECT_EQ(Edges(), (std::vector<int>{30, 190, 270, 320}));
    EXPECT_EQ(header.GetColumnWidth(1), 160);
    EXPECT_TRUE(header.SetColumnPos(1, 60));
    EXPECT_EQ(Edges(), (std::vector<int>{30, 90, 170, 220}));
    EXPECT_EQ(header.GetColumnWidth(7), 0);
}

TEST_F(ColumnHeaderTest, EdgesGivenInPixelsFollowAFontChange)
{
    std::vector<CColumnInfo> columns(2);
    columns[0].m_right = 100;
    columns[1].m_right = 200;
    ASSERT_TRUE(header.AddColumns(&columns, 0));
    const std::vector<int> before = Edges();
    EXPECT_NEAR(before[0], 100, 3);
    auto big = std::make_unique<CFont>();
    big->CreateFont(-22, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                    VARIABLE_PITCH | FF_SWISS, "Arial");
    ASSERT_TRUE(header.SetFont(big.release(), true, true));
    EXPECT_GT(Edges()[0], 2 * before[0] - 20);
    EXPECT_GT(header.GetHeight(), 24);
}

TEST_F(ColumnHeaderTest, TheDividerCursorShowsOverDividersOnly)
{
    controls_test::UseCompiledResources();
    const auto shownAt = [this](int x) {
        TestHooks::PostMouse(header, MouseEvent::Move, CPoint(x, 5), 0);
        TestHooks::DeliverPosted();
        return GetCursorResourceId(header.GetWindowCursor());
    };
    EXPECT_EQ(shownAt(80), 0u) << "no divider cursor was given";
    header.SetDividerCursor(LoadCursorResource(kDividerCursorId), true);
    ASSERT_NE(LoadCursorResource(kDividerCursorId), nullptr);
    const std::pair<int, UINT> cases[] = {{40, 0},    {80, 131},  {82, 131}, {120, 0},
                                          {160, 131}, {240, 131}, {280, 0}};
    for (const auto& [x, cursor] : cases)
        EXPECT_EQ(shownAt(x), cursor) << x;
    header.SetDividerCursor(LoadCursorResource(kDividerCursorId), false);
    EXPECT_EQ(shownAt(240), 0u) << "not over the last divider";
    EXPECT_EQ(shownAt(160), 131u);
    Press(160, 170);
    EXPECT_EQ(header.GetWindowCursor(), nullptr) << "the arrow again after the drop";
}

TEST_F(ColumnHeaderTest, AStretchingLastColumnReachesTheRightEndAndHasNoDivider)
{
    header.SetLastColumnStretches(true);
    EXPECT_EQ(header.GetColumnRight(2), 300 + 5);
    Press(243, 243); // where the last divider was
    EXPECT_EQ(owner.calls, std::vector<std::string>{"click 2"});
    header.SetScrollPosition(40);
    EXPECT_EQ(header.GetColumnRight(2), 345);
}

TEST_F(ColumnHeaderTest, ThousandsOfColumnsComeAndGoInTime)
{
    header.SetLastColumnStretches(true);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 3000; ++i)
        ASSERT_TRUE(header.InsertColumn(-1, ("Column " + std::to_string(i)).c_str(), false, 80));
    ASSERT_EQ(header.GetColumnCount(), 3003);
    EXPECT_EQ(header.GetColumnRight(3001), 3002 * 80);
    EXPECT_EQ(header.GetColumnRight(3002), 300 + 5) << "the new last column stretches";
    while (header.GetColumnCount() > 2)
        header.RemoveColumn(header.GetColumnCount() - 1);
    const auto took = std::chrono::steady_clock::now() - start;
    // Every title was measured again for each column inserted or removed: a query of a few
    // thousand columns took minutes to show.
    EXPECT_LT(took, std::chrono::seconds(5));
    EXPECT_EQ(header.GetColumnRight(0), 80);
    EXPECT_EQ(header.GetColumnRight(1), 300 + 5) << "the column now last stretches";
}

TEST_F(ColumnHeaderTest, TitlesAreRaisedButtonsAndPressedOnesAreFlat)
{
    TestHooks::Image shown = TestHooks::RenderWindow(header);
    const int bottom = header.GetHeight() - 1;
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(shown.Pixel(80, 5), frame);      // the divider
    EXPECT_EQ(shown.Pixel(40, bottom), frame); // the bottom edge
    EXPECT_EQ(shown.Pixel(81, 5), light);      // the next title's left edge
    EXPECT_EQ(shown.Pixel(120, 0), light);     // its top edge
    EXPECT_EQ(shown.Pixel(79, 5), shadow);     // the inner shadow
    // Held down, the title is a flat shadow outline.
    TestHooks::PostMouse(header, MouseEvent::LeftDown, CPoint(120, 5), MK_LBUTTON);
    TestHooks::DeliverPosted();
    shown = TestHooks::RenderWindow(header);
    EXPECT_EQ(shown.Pixel(81, 5), shadow);
    EXPECT_EQ(shown.Pixel(120, 0), shadow);
    TestHooks::PostMouse(header, MouseEvent::LeftUp, CPoint(120, 5), 0);
    TestHooks::DeliverPosted();
}

TEST_F(ColumnHeaderTest, ADisabledHeaderEmbossesItsTitles)
{
    const CRect title(4, 2, 60, header.GetHeight() - 2);
    const auto whiter = [&](const TestHooks::Image& shown) {
        int count = 0;
        for (int y = title.top; y < title.bottom; ++y)
            for (int x = title.left; x < title.right; ++x)
                count += GetRValue(shown.Pixel(x, y)) > 245;
        return count;
    };
    EXPECT_EQ(whiter(TestHooks::RenderWindow(header)), 0);
    header.EnableWindow(FALSE);
    EXPECT_GT(whiter(TestHooks::RenderWindow(header)), 5);
}

} // namespace
