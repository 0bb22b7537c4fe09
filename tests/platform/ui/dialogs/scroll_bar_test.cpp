// tests/platform/ui/dialogs/scroll_bar_test.cpp: scroll bars keep the classic scroll state (a bar
// shows only while there is something to scroll, the position stays in range and moves only when
// the program moves it), report the user's actions as scroll codes, and take their room from the
// client area; with them, mouse capture and ScrollWindow.
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/windows/sys_metrics.h"
#include "platform/ui/windows/test_hooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

/// Records scroll messages and sizes; can move its bar by a line when asked to.
class ScrollingWnd : public CWnd {
public:
    std::vector<std::string> calls;
    bool followLines = false;

    BOOL Make(DWORD style, CWnd* parent = nullptr)
    {
        const DWORD kind = parent ? WS_CHILD : WS_POPUP;
        return CreateEx(0, nullptr, "scroll", kind | WS_VISIBLE | style, CRect(0, 0, 200, 100),
                        parent, 3);
    }
    std::vector<std::string> Take() { return std::exchange(calls, {}); }

protected:
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override
    {
        SCROLLINFO info;
        GetScrollInfo(SB_VERT, &info, SIF_TRACKPOS);
        calls.push_back(std::string(bar ? "bar " : "V ") + std::to_string(code) + " " +
                        std::to_string(pos) +
                        (code == SB_THUMBTRACK ? " track " + std::to_string(info.nTrackPos) : ""));
        if (followLines && code == SB_LINEDOWN)
            SetScrollPos(SB_VERT, GetScrollPos(SB_VERT) + 1);
    }
    void OnSize(UINT, int cx, int cy) override
    {
        calls.push_back("Size " + std::to_string(cx) + "x" + std::to_string(cy));
    }
};

SCROLLINFO Info(int last, UINT page, int pos, UINT mask = SIF_RANGE | SIF_PAGE | SIF_POS)
{
    SCROLLINFO info;
    info.fMask = mask;
    info.nMin = 0;
    info.nMax = last;
    info.nPage = page;
    info.nPos = pos;
    return info;
}

TEST(ScrollBar, ShowsOnlyWhileThereIsSomethingToScrollAndTakesItsRoom)
{
    ScrollingWnd wnd;
    ASSERT_TRUE(wnd.Make(WS_VSCROLL));
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 200 - barWidth);
    wnd.Take();

    SCROLLINFO fits = Info(9, 10, 0);
    wnd.SetScrollInfo(SB_VERT, &fits);
    EXPECT_FALSE(wnd.GetStyle() & WS_VSCROLL);
    EXPECT_EQ(wnd.Take(), std::vector<std::string>{"Size 200x100"});

    SCROLLINFO longer = Info(99, 10, 0);
    wnd.SetScrollInfo(SB_VERT, &longer);
    EXPECT_TRUE(wnd.GetStyle() & WS_VSCROLL);
    EXPECT_EQ(wnd.Take(),
              std::vector<std::string>{"Size " + std::to_string(200 - barWidth) + "x100"});
    wnd.SetScrollInfo(SB_VERT, &longer);
    EXPECT_TRUE(wnd.Take().empty());

    SCROLLINFO kept = Info(9, 10, 0, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL);
    wnd.SetScrollInfo(SB_VERT, &kept);
    EXPECT_TRUE(wnd.GetStyle() & WS_VSCROLL);
    wnd.ShowScrollBar(SB_BOTH, FALSE);
    EXPECT_FALSE(wnd.GetStyle() & (WS_VSCROLL | WS_HSCROLL));
    wnd.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 200, 100));
}

TEST(ScrollBar, ThePositionStaysWithinTheRangeLessThePage)
{
    ScrollingWnd wnd;
    ASSERT_TRUE(wnd.Make(WS_HSCROLL));
    SCROLLINFO info = Info(99, 10, 200);
    wnd.SetScrollInfo(SB_HORZ, &info);
    EXPECT_EQ(wnd.GetScrollPos(SB_HORZ), 90);
    EXPECT_EQ(wnd.SetScrollPos(SB_HORZ, -5), 90);
    EXPECT_EQ(wnd.GetScrollPos(SB_HORZ), 0);
    SCROLLINFO read;
    ASSERT_TRUE(wnd.GetScrollInfo(SB_HORZ, &read, SIF_ALL));
    EXPECT_EQ(read.nMax, 99);
    EXPECT_EQ(read.nPage, 10u);
    EXPECT_EQ(read.nTrackPos, 0);
    EXPECT_FALSE(wnd.GetScrollInfo(SB_VERT, &read, SIF_ALL)); // the window has no such bar
}

TEST(ScrollBar, ActionsAreReportedAndTheThumbMovesOnlyWhenTheProgramMovesIt)
{
    ScrollingWnd wnd;
    ASSERT_TRUE(wnd.Make(WS_VSCROLL));
    SCROLLINFO info = Info(99, 10, 5);
    wnd.SetScrollInfo(SB_VERT, &info);
    wnd.Take();
    TestHooks::ScrollBarAction(wnd, SB_VERT, SB_LINEDOWN);
    EXPECT_EQ(wnd.Take(), (std::vector<std::string>{"V 1 5", "V 8 5"}));
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 5);
    TestHooks::ScrollBarAction(wnd, SB_VERT, SB_PAGEUP);
    EXPECT_EQ(wnd.Take(), (std::vector<std::string>{"V 2 5", "V 8 5"}));
    wnd.followLines = true;
    TestHooks::ScrollBarAction(wnd, SB_VERT, SB_LINEDOWN);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 6);
}

TEST(ScrollBar, ADraggedThumbReportsItsWholePositionWhileTracking)
{
    ScrollingWnd wnd;
    ASSERT_TRUE(wnd.Make(WS_VSCROLL));
    SCROLLINFO info = Info(100000, 10, 0);
    wnd.SetScrollInfo(SB_VERT, &info);
    wnd.Take();
    TestHooks::ScrollBarAction(wnd, SB_VERT, SB_THUMBTRACK, 70000);
    // The message carries 16 bits of the position; SIF_TRACKPOS gives all of it.
    EXPECT_EQ(wnd.Take(),
              (std::vector<std::string>{"V 5 " + std::to_string(70000 & 0xFFFF) + " track 70000",
                                        "V 4 " + std::to_string(70000 & 0xFFFF), "V 8 0"}));
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 0);
}

TEST(ScrollBar, AControlReportsToItsParentWithItself)
{
    ScrollingWnd parent;
    ASSERT_TRUE(parent.Make(0));
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(SBS_VERT | WS_VISIBLE, CRect(0, 0, 16, 80), &parent, 12));
    bar.SetScrollRange(0, 20);
    EXPECT_EQ(bar.SetScrollPos(30), 0);
    EXPECT_EQ(bar.GetScrollPos(), 20);
    parent.Take();
    TestHooks::ScrollBarAction(bar, SB_CTL, SB_LINEUP);
    EXPECT_EQ(parent.Take(), (std::vector<std::string>{"bar 0 20", "bar 8 20"}));
}

TEST(Capture, OneWindowHoldsTheMouseUntilReleasedOrGone)
{
    ScrollingWnd first, second;
    ASSERT_TRUE(first.Make(0));
    ASSERT_TRUE(second.Make(0));
    EXPECT_EQ(first.SetCapture(), nullptr);
    EXPECT_EQ(CWnd::GetCapture(), &first);
    EXPECT_EQ(second.SetCapture(), &first);
    ReleaseCapture();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    second.SetCapture();
    second.DestroyWindow();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

/// Paints a vertical stripe every 10 pixels in the colour of the moment.
class StripedWnd : public CWnd {
public:
    COLORREF colour = RGB(255, 0, 0);
    CRect lastPaint;

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        lastPaint = dc.m_ps.rcPaint;
        for (int x = 0; x < 200; x += 10)
            dc.FillSolidRect(x, 0, 5, 100, x % 20 ? RGB(0, 0, 0) : colour);
    }
};

TEST(ScrollWindow, MovesThePixelsAndRepaintsOnlyTheStripUncovered)
{
    StripedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "stripes", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100),
                             nullptr, 0));
    TestHooks::RenderWindow(wnd);
    wnd.colour = RGB(0, 0, 255);
    wnd.ScrollWindow(-30, 0);
    const TestHooks::Image shown = TestHooks::RenderWindow(wnd);
    EXPECT_EQ(wnd.lastPaint, CRect(170, 0, 200, 100));
    EXPECT_EQ(shown.Pixel(12, 50), RGB(255, 0, 0));  // was at 42: moved, not repainted
    EXPECT_EQ(shown.Pixel(181, 50), RGB(0, 0, 255)); // uncovered: painted anew
    EXPECT_EQ(shown.Pixel(166, 50), RGB(255, 255, 255));

    const CRect part(0, 0, 100, 100);
    wnd.ScrollWindow(0, 20, &part, &part);
    TestHooks::RenderWindow(wnd);
    EXPECT_EQ(wnd.lastPaint, CRect(0, 0, 100, 20));
}

} // namespace
