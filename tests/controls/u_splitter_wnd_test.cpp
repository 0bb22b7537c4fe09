// tests/controls/u_splitter_wnd_test.cpp: the splitter: panes laid out by share, hidden and
// shown, resized, and bars dragged with the mouse within their limits or cancelled.
#include "controls/u_splitter_wnd.h"
#include "platform/ui/windows/sys_metrics.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/controls/tree_box_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using TestHooks::MouseEvent;

class CountingListener : public CUSplitterListener {
public:
    int ended = 0;
    void OnSplitterDragEnded(CUSplitterWnd*) override { ++ended; }
};

/// The panes' near and far edges along the splitter, in order.
using Spans = std::vector<std::pair<int, int>>;

class USplitterWndTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 300),
                                  nullptr, 0));
    }
    void TearDown() override
    {
        for (CWnd& pane : panes)
            pane.DestroyWindow();
        splitter.DestroyWindow();
        host.DestroyWindow();
    }
    void Make(int orientation, bool proportional, std::vector<int> shares)
    {
        ASSERT_TRUE(splitter.Create(&host, orientation, proportional, &listener));
        for (size_t i = 0; i < shares.size(); ++i) {
            ASSERT_TRUE(panes[i].CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE,
                                          CRect(0, 0, 10, 10), &splitter, 0));
            ASSERT_EQ(splitter.AddPane(&panes[i], shares[i]), int(i));
        }
        splitter.InitPaneSizes();
    }
    Spans Placed()
    {
        Spans spans;
        for (int i = 0; i < splitter.GetPaneCount(); ++i) {
            CRect rect;
            panes[i].GetWindowRect(&rect);
            splitter.ScreenToClient(&rect);
            const bool across = orientation == CUSplitterWnd::kSideBySide;
            spans.emplace_back(across ? rect.left : rect.top, across ? rect.right : rect.bottom);
        }
        return spans;
    }
    CPoint At(int along) const
    {
        return orientation == CUSplitterWnd::kSideBySide ? CPoint(along, 50) : CPoint(50, along);
    }
    void Drag(int from, int to)
    {
        TestHooks::PostMouse(splitter, MouseEvent::LeftDown, At(from), MK_LBUTTON);
        TestHooks::PostMouse(splitter, MouseEvent::Move, At(to), MK_LBUTTON);
        TestHooks::PostMouse(splitter, MouseEvent::LeftUp, At(to), 0);
        TestHooks::DeliverPosted();
    }

    int orientation = CUSplitterWnd::kSideBySide;
    CWnd host;
    CUSplitterWnd splitter;
    CWnd panes[5];
    CountingListener listener;
};

TEST_F(USplitterWndTest, BarsShowTheSizingCursorOfTheirOrientationUnlessLocked)
{
    controls_test::UseCompiledResources();
    Make(orientation, true, {100, 100});
    const UINT expected = orientation == CUSplitterWnd::kSideBySide ? 131 : 204;
    EXPECT_EQ(GetCursorResourceId(splitter.GetWindowCursor()), expected);
    splitter.SetLocked(true);
    EXPECT_EQ(splitter.GetWindowCursor(), nullptr);
    splitter.SetLocked(false);
    EXPECT_EQ(GetCursorResourceId(splitter.GetWindowCursor()), expected);
}

TEST_F(USplitterWndTest, SharesDivideTheSpaceLeftByTheBars)
{
    Make(orientation, true, {100, 100, 100});
    // 300 less two bars of 7 is 286: 95 each, the last taking the rounding.
    EXPECT_EQ(Placed(), (Spans{{0, 95}, {102, 197}, {204, 300}}));
    ASSERT_TRUE(panes[4].CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 1, 1), &splitter, 0));
    ASSERT_TRUE(panes[3].CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 1, 1), &splitter, 0));
    EXPECT_EQ(splitter.AddPane(&panes[3], 20), 3);
    EXPECT_EQ(splitter.AddPane(&panes[4], 20), -1);
    const TestHooks::Image shown = TestHooks::RenderWindow(splitter);
    EXPECT_EQ(shown.Pixel(96, 150), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(shown.Pixel(95, 150), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(USplitterWndTest, UnmeasuredSharesComeFromThePanesSizes)
{
    Make(orientation, true, {-1, -1});
    // Both panes started 10 wide: equal shares of 100.
    EXPECT_EQ(splitter.GetShare(0), 100);
    EXPECT_EQ(splitter.GetShare(1), 100);
    EXPECT_EQ(Placed(), (Spans{{0, 147}, {154, 300}}));
}

TEST_F(USplitterWndTest, AHiddenPaneGivesItsSpaceByShares)
{
    Make(orientation, true, {100, 50, 200});
    splitter.ShowPane(1, false);
    EXPECT_FALSE(panes[1].IsWindowVisible());
    int index = 0;
    EXPECT_EQ(splitter.FindVisiblePane(1, &index), &panes[2]);
    EXPECT_EQ(index, 2);
    // 293 pixels in the proportion 100 : 200.
    const Spans spans = Placed();
    EXPECT_EQ(spans[0], std::make_pair(0, 98));
    EXPECT_EQ(spans[2], std::make_pair(105, 300));
    splitter.ShowPane(1, true);
    EXPECT_TRUE(panes[1].IsWindowVisible());
    EXPECT_EQ(Placed()[1].first - Placed()[0].second, CUSplitterWnd::kBarSize);
    splitter.ShowPane(7, false);
    EXPECT_EQ(splitter.FindVisiblePane(4, &index), nullptr);
    EXPECT_EQ(index, -1);
}

struct DragCase {
    const char* name;
    int orientation;
    int to;
    std::pair<int, int> before, after;
};

class USplitterDragTest : public USplitterWndTest, public testing::WithParamInterface<DragCase> {};

TEST_P(USplitterDragTest, ADraggedBarMovesBothPanesWithinTheirLimits)
{
    orientation = GetParam().orientation;
    Make(orientation, true, {100, 100, 100});
    Drag(98, GetParam().to);
    const Spans spans = Placed();
    EXPECT_EQ(spans[0], GetParam().before);
    EXPECT_EQ(spans[1], GetParam().after);
    EXPECT_EQ(spans[2], std::make_pair(204, 300));
    EXPECT_EQ(listener.ended, 1);
    EXPECT_FALSE(splitter.IsDragging());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    int total = 0;
    for (int i = 0; i < 3; ++i)
        total += splitter.GetShare(i);
    EXPECT_NEAR(total, 300, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, USplitterDragTest,
    testing::Values(
        // The bar is centred on the mouse: a release at 150 puts it at 147.
        DragCase{"SideBySide", CUSplitterWnd::kSideBySide, 150, {0, 147}, {154, 197}},
        DragCase{"Stacked", CUSplitterWnd::kStacked, 150, {0, 147}, {154, 197}},
        DragCase{
            "StopsAtTheNextPanesFarEdge", CUSplitterWnd::kSideBySide, 280, {0, 190}, {197, 197}},
        DragCase{"StopsAtThePanesNearEdge", CUSplitterWnd::kStacked, -40, {0, 0}, {7, 197}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(USplitterWndTest, ACancelledDragLeavesThePanes)
{
    Make(orientation, true, {100, 100, 100});
    const Spans before = Placed();
    for (const bool byEscape : {true, false}) {
        TestHooks::PostMouse(splitter, MouseEvent::LeftDown, At(98), MK_LBUTTON);
        TestHooks::PostMouse(splitter, MouseEvent::Move, At(150), MK_LBUTTON);
        TestHooks::DeliverPosted();
        EXPECT_TRUE(splitter.IsDragging());
        if (byEscape)
            TestHooks::PostKey(splitter, VK_ESCAPE, 0);
        else
            TestHooks::PostMouse(splitter, MouseEvent::RightDown, At(150), MK_LBUTTON | MK_RBUTTON);
        TestHooks::PostMouse(splitter, MouseEvent::LeftUp, At(150), 0);
        TestHooks::DeliverPosted();
        EXPECT_FALSE(splitter.IsDragging());
        EXPECT_EQ(Placed(), before);
    }
    EXPECT_EQ(listener.ended, 2);
    // The inverted bar is drawn off again: the bar looks as before the drags.
    const TestHooks::Image shown = TestHooks::RenderWindow(splitter);
    EXPECT_EQ(shown.Pixel(96, 150), GetSysColor(COLOR_BTNFACE));
}

TEST_F(USplitterWndTest, LockedBarsAndPanesAreNotDragged)
{
    Make(orientation, true, {100, 100, 100});
    const Spans before = Placed();
    Drag(50, 150);
    splitter.SetLocked(true);
    Drag(98, 150);
    EXPECT_EQ(Placed(), before);
    EXPECT_EQ(listener.ended, 0);
}

struct ResizeCase {
    const char* name;
    bool proportional;
    bool reverse;
    int width;
    Spans expected;
};

class USplitterResizeTest : public USplitterWndTest,
                            public testing::WithParamInterface<ResizeCase> {};

TEST_P(USplitterResizeTest, AResizedSplitterPlacesThePanes)
{
    const ResizeCase& c = GetParam();
    Make(orientation, c.proportional, {100, 100, 100});
    splitter.SetReverse(c.reverse);
    splitter.MoveWindow(0, 0, c.width, 300);
    EXPECT_EQ(Placed(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, USplitterResizeTest,
    testing::Values(
        ResizeCase{"ProportionalKeepsShares", true, false, 400, {{0, 129}, {136, 265}, {272, 400}}},
        ResizeCase{
            "FixedGivesTheLastTheRest", false, false, 400, {{0, 95}, {102, 197}, {204, 400}}},
        ResizeCase{
            "ReverseGivesTheFirstTheRest", false, true, 400, {{0, 195}, {202, 297}, {304, 400}}},
        // Each later pane keeps a bar and a bar's width.
        ResizeCase{
            "ShrinkingKeepsRoomForLaterPanes", false, false, 100, {{0, 72}, {79, 86}, {93, 100}}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
