// tests/platform/ui/drawing/dc_window_test.cpp: the contexts of one window share a painter kept
// open between calls: a context made inside a paint still draws, a clip or mode one call sets
// does not reach the next, a resize or scroll in the middle of drawing loses nothing, lines and
// fills written straight into the image keep to the invalid parts, and the screen shows a
// paint once it ends.
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/region.h"
#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

/// A window whose paint runs the test's drawing on a white client area.
class PaintedWnd : public CWnd {
public:
    std::function<void(CWnd&, CPaintDC&)> draw;

    BOOL CreateTop(int width, int height)
    {
        return Create(nullptr, "painted", WS_POPUP | WS_VISIBLE, CRect(0, 0, width, height),
                      nullptr, 0);
    }

protected:
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, kWhite);
        if (draw)
            draw(*this, dc);
    }
};

struct Check {
    int x, y;
    COLORREF colour;
};

struct Case {
    const char* name;
    std::function<void(CWnd&, CPaintDC&)> draw;
    std::vector<Check> checks;
};

TEST(WindowContexts, ShareThePaintWithoutLosingADrawingCall)
{
    const Case cases[] = {
        {"a client context made inside the paint draws between the paint's calls",
         [](CWnd& wnd, CPaintDC& dc) {
             dc.FillSolidRect(0, 0, 10, 10, kRed);
             {
                 CClientDC client(&wnd);
                 client.FillSolidRect(10, 0, 10, 10, kGreen);
             }
             dc.FillSolidRect(20, 0, 10, 10, kBlue);
         },
         {{5, 5, kRed}, {15, 5, kGreen}, {25, 5, kBlue}}},
        {"a clipped text leaves the next fill unclipped",
         [](CWnd&, CPaintDC& dc) {
             CRect box(0, 0, 4, 4);
             dc.DrawText("W", &box, DT_LEFT);
             dc.FillSolidRect(0, 0, 30, 30, kGreen);
         },
         {{2, 2, kGreen}, {20, 20, kGreen}}},
        {"a clip region removed between calls no longer clips",
         [](CWnd&, CPaintDC& dc) {
             CRgn region;
             region.CreateRectRgn(0, 0, 5, 5);
             dc.SelectClipRgn(&region);
             dc.FillSolidRect(0, 0, 30, 30, kRed);
             dc.SelectClipRgn(nullptr);
             dc.FillSolidRect(10, 10, 10, 10, kGreen);
         },
         {{2, 2, kRed}, {7, 7, kWhite}, {15, 15, kGreen}}},
        {"a clip set between calls clips the next",
         [](CWnd&, CPaintDC& dc) {
             dc.FillSolidRect(0, 0, 30, 30, kRed);
             dc.IntersectClipRect(0, 0, 10, 10);
             dc.FillSolidRect(0, 0, 30, 30, kGreen);
         },
         {{5, 5, kGreen}, {15, 15, kRed}}},
        {"a resize in the middle of the paint keeps what follows",
         [](CWnd& wnd, CPaintDC& dc) {
             dc.FillSolidRect(0, 0, 10, 10, kRed);
             wnd.MoveWindow(0, 0, 50, 50, FALSE);
             dc.FillSolidRect(10, 10, 10, 10, kGreen);
         },
         {{5, 5, kRed}, {15, 15, kGreen}}},
        {"a scroll in the middle of the paint moves what was drawn",
         [](CWnd& wnd, CPaintDC& dc) {
             dc.FillSolidRect(0, 0, 10, 10, kRed);
             wnd.ScrollWindow(20, 0);
             dc.FillSolidRect(0, 20, 10, 10, kBlue);
         },
         {{25, 5, kRed}, {5, 25, kBlue}}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        PaintedWnd wnd;
        ASSERT_TRUE(wnd.CreateTop(40, 40));
        wnd.draw = each.draw;
        wnd.Invalidate(FALSE);
        wnd.UpdateWindow();
        wnd.draw = nullptr;
        const TestHooks::Image image = TestHooks::RenderWindow(wnd);
        for (const Check& check : each.checks)
            EXPECT_EQ(image.Pixel(check.x, check.y), check.colour)
                << "at " << check.x << "," << check.y;
        wnd.DestroyWindow();
    }
}

TEST(WindowContexts, APaintDrawsOnlyOnTheInvalidParts)
{
    struct Parts {
        const char* name;
        std::vector<CRect> invalid;
    };
    const Parts cases[] = {
        {"one part", {CRect(5, 5, 15, 15)}},
        {"two parts", {CRect(0, 0, 10, 10), CRect(20, 20, 30, 30)}},
    };
    for (const Parts& each : cases) {
        SCOPED_TRACE(each.name);
        PaintedWnd wnd;
        ASSERT_TRUE(wnd.CreateTop(40, 40));
        wnd.draw = [](CWnd&, CPaintDC& dc) { dc.FillSolidRect(0, 0, 40, 40, kRed); };
        wnd.UpdateWindow();
        wnd.draw = [](CWnd&, CPaintDC& dc) {
            // A line and a fill across the whole window, clipped to what was invalid.
            dc.MoveTo(0, 12);
            dc.LineTo(40, 12);
            dc.FillSolidRect(0, 22, 40, 2, kGreen);
        };
        for (const CRect& part : each.invalid)
            wnd.InvalidateRect(&part, FALSE);
        const TestHooks::Image image = TestHooks::RenderWindow(wnd);
        for (int y : {12, 22}) {
            for (int x = 0; x < 40; ++x) {
                const bool inside =
                    std::any_of(each.invalid.begin(), each.invalid.end(), [&](const CRect& r) {
                        return r.PtInRect({x, y});
                    });
                const COLORREF expected = !inside ? kRed : y == 12 ? RGB(0, 0, 0) : kGreen;
                ASSERT_EQ(image.Pixel(x, y), expected) << x << "," << y;
            }
        }
        wnd.DestroyWindow();
    }
}

TEST(WindowContexts, TheScreenShowsAPaintOnceItEnds)
{
    PaintedWnd wnd;
    ASSERT_TRUE(wnd.CreateTop(40, 40));
    TestHooks::ShownImage(wnd);
    wnd.draw = [](CWnd&, CPaintDC& dc) { dc.FillSolidRect(5, 5, 10, 10, kBlue); };
    wnd.Invalidate(FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(TestHooks::ShownImage(wnd).Pixel(10, 10), kBlue);
    // A client context outside painting shows at once too.
    {
        CClientDC dc(&wnd);
        dc.FillSolidRect(20, 20, 10, 10, kGreen);
        EXPECT_EQ(TestHooks::ShownImage(wnd).Pixel(25, 25), kGreen);
    }
    wnd.DestroyWindow();
}

} // namespace
