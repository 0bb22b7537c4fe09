// tests/platform/ui/drawing/dc_test.cpp: shapes, lines, fills, clipping and copies follow the
// classic pixel rules, read back from rendered pixels; lines far outside the image cost and set
// only what shows.
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/pen.h"
#include "platform/ui/windows/test_hooks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);

using TestHooks::RenderDC;

TEST(DeviceContext, RectangleOutlineCoversLeftTopButNotRightBottom)
{
    const auto image = RenderDC(20, 20, [](CDC& dc) {
        CBrush red(kRed);
        dc.SelectObject(&red);
        dc.Rectangle(0, 0, 10, 10);
    });
    EXPECT_EQ(image.Pixel(0, 0), kBlack);
    EXPECT_EQ(image.Pixel(9, 0), kBlack);
    EXPECT_EQ(image.Pixel(9, 9), kBlack);
    EXPECT_EQ(image.Pixel(0, 9), kBlack);
    EXPECT_EQ(image.Pixel(10, 5), kWhite);
    EXPECT_EQ(image.Pixel(5, 10), kWhite);
    EXPECT_EQ(image.Pixel(1, 1), kRed);
    EXPECT_EQ(image.Pixel(8, 8), kRed);
}

TEST(DeviceContext, RectangleWithoutPenFillsOnePixelLess)
{
    const auto image = RenderDC(20, 20, [](CDC& dc) {
        CBrush red(kRed);
        dc.SelectObject(&red);
        dc.SelectStockObject(NULL_PEN);
        dc.Rectangle(0, 0, 10, 10);
    });
    EXPECT_EQ(image.Pixel(0, 0), kRed);
    EXPECT_EQ(image.Pixel(8, 8), kRed);
    EXPECT_EQ(image.Pixel(9, 9), kWhite);
    EXPECT_EQ(image.Pixel(9, 0), kWhite);
}

TEST(DeviceContext, InsideFramePenStaysInsideTheRectangle)
{
    const auto image = RenderDC(20, 20, [](CDC& dc) {
        CPen thick(PS_INSIDEFRAME, 3, kGreen);
        dc.SelectObject(&thick);
        dc.SelectStockObject(NULL_BRUSH);
        dc.Rectangle(2, 2, 12, 12);
    });
    EXPECT_EQ(image.Pixel(1, 5), kWhite);
    EXPECT_EQ(image.Pixel(2, 5), kGreen);
    EXPECT_EQ(image.Pixel(4, 5), kGreen);
    EXPECT_EQ(image.Pixel(5, 5), kWhite);
    EXPECT_EQ(image.Pixel(11, 5), kGreen);
    EXPECT_EQ(image.Pixel(12, 5), kWhite);
}

TEST(DeviceContext, WidePenIsCentredOnTheOutline)
{
    const auto image = RenderDC(30, 30, [](CDC& dc) {
        CPen wide(PS_SOLID, 3, kGreen);
        CBrush red(kRed);
        dc.SelectObject(&wide);
        dc.SelectObject(&red);
        dc.Rectangle(10, 10, 20, 20);
    });
    EXPECT_EQ(image.Pixel(8, 15), kWhite);
    EXPECT_EQ(image.Pixel(9, 15), kGreen);
    EXPECT_EQ(image.Pixel(11, 15), kGreen);
    EXPECT_EQ(image.Pixel(12, 15), kRed);
    EXPECT_EQ(image.Pixel(17, 15), kRed);
    EXPECT_EQ(image.Pixel(18, 15), kGreen);
    EXPECT_EQ(image.Pixel(20, 15), kGreen);
    EXPECT_EQ(image.Pixel(21, 15), kWhite);
}

struct LineCase {
    const char* name;
    CPoint from, to, lastDrawn;
};

class LineToEnd : public testing::TestWithParam<LineCase> {};

TEST_P(LineToEnd, LeavesOutItsEndPoint)
{
    const LineCase c = GetParam();
    const auto image = RenderDC(20, 20, [&](CDC& dc) {
        dc.MoveTo(c.from.x, c.from.y);
        dc.LineTo(c.to.x, c.to.y);
        EXPECT_EQ(dc.GetCurrentPosition(), c.to);
    });
    EXPECT_EQ(image.Pixel(c.from.x, c.from.y), kBlack);
    EXPECT_EQ(image.Pixel(c.lastDrawn.x, c.lastDrawn.y), kBlack);
    EXPECT_EQ(image.Pixel(c.to.x, c.to.y), kWhite);
}

INSTANTIATE_TEST_SUITE_P(DeviceContext, LineToEnd,
                         testing::Values(LineCase{"Right", {0, 0}, {10, 0}, {9, 0}},
                                         LineCase{"Up", {5, 9}, {5, 0}, {5, 1}},
                                         LineCase{"Diagonal", {0, 0}, {5, 5}, {4, 4}},
                                         LineCase{"Left", {12, 3}, {2, 3}, {3, 3}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DeviceContext, DottedPenSetsEveryOtherPixelAndFillsGapsWhenOpaque)
{
    const auto draw = [](int bkMode) {
        return RenderDC(20, 4, [bkMode](CDC& dc) {
            CPen dotted(PS_DOT, 1, kRed);
            dc.SelectObject(&dotted);
            dc.SetBkColor(kGreen);
            dc.SetBkMode(bkMode);
            dc.MoveTo(0, 1);
            dc.LineTo(10, 1);
        });
    };
    const auto opaque = draw(OPAQUE);
    const auto transparent = draw(TRANSPARENT);
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(opaque.Pixel(x, 1), x % 2 ? kGreen : kRed) << x;
        EXPECT_EQ(transparent.Pixel(x, 1), x % 2 ? kWhite : kRed) << x;
    }
    EXPECT_EQ(opaque.Pixel(10, 1), kWhite);
}

/// The pixels of a one-pixel line from a towards b, without b, stepped one by one: the classic
/// integer line, for lines short enough to walk.
std::vector<CPoint> WalkedLine(CPoint a, CPoint b)
{
    std::vector<CPoint> pixels;
    const int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    for (CPoint p = a; p != b;) {
        pixels.push_back(p);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            p.x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            p.y += sy;
        }
    }
    return pixels;
}

TEST(DeviceContext, ALineReachingOutsideTheImageSetsTheSamePixelsInsideIt)
{
    // Lines between points around a 20 x 20 image, most of them partly or wholly outside it.
    unsigned seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % 101) - 40; // -40 to 60
    };
    for (int i = 0; i < 300; ++i) {
        const CPoint a(next(), next()), b(next(), next());
        const auto image = RenderDC(20, 20, [&](CDC& dc) {
            dc.MoveTo(a.x, a.y);
            dc.LineTo(b.x, b.y);
        });
        bool expected[20][20] = {};
        for (const CPoint p : WalkedLine(a, b))
            if (p.x >= 0 && p.x < 20 && p.y >= 0 && p.y < 20)
                expected[p.y][p.x] = true;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(image.Pixel(x, y), expected[y][x] ? kBlack : kWhite)
                    << "line (" << a.x << "," << a.y << ")-(" << b.x << "," << b.y << ") at " << x
                    << "," << y;
    }
}

TEST(DeviceContext, LinesBillionsOfPixelsLongDrawAtOnceWithoutOverflowing)
{
    const auto image = RenderDC(20, 20, [](CDC& dc) {
        dc.MoveTo(-2000000000, 5);
        dc.LineTo(2000000000, 5);
        dc.MoveTo(-2147483647 - 1, -2147483647 - 1);
        dc.LineTo(2147483647, 2147483647);
        dc.MoveTo(7, -2147483647);
        dc.LineTo(12, 2147483647);
    });
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(image.Pixel(x, 5), kBlack) << x;
    // The diagonal runs through every (i, i); the steep line keeps to one column or the next.
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(image.Pixel(i, i), kBlack) << i;
        EXPECT_TRUE(image.Pixel(9, i) == kBlack || image.Pixel(10, i) == kBlack) << i;
    }
    EXPECT_EQ(image.Pixel(3, 12), kWhite);
    EXPECT_EQ(image.Pixel(15, 2), kWhite);
}

TEST(DeviceContext, ADottedLineFromOutsideKeepsItsPatternFromItsFirstPoint)
{
    const auto image = RenderDC(20, 4, [](CDC& dc) {
        CPen dotted(PS_DOT, 1, kRed);
        dc.SelectObject(&dotted);
        dc.SetBkColor(kGreen);
        dc.MoveTo(-7, 1);
        dc.LineTo(10, 1);
        // A polyline's pattern runs on from one side into the next.
        const POINT corner[] = {{15, 3}, {18, 3}, {18, -2}};
        dc.Polyline(corner, 3);
    });
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(image.Pixel(x, 1), (x + 7) % 2 ? kGreen : kRed) << x;
    EXPECT_EQ(image.Pixel(15, 3), kRed);
    EXPECT_EQ(image.Pixel(17, 3), kRed);
    EXPECT_EQ(image.Pixel(18, 3), kGreen); // the fourth pixel of the polyline
    EXPECT_EQ(image.Pixel(18, 2), kRed);
    EXPECT_EQ(image.Pixel(18, 0), kRed);
}

TEST(DeviceContext, APolylineWithItsLastPointRepeatedSetsItsEndPixel)
{
    const auto image = RenderDC(20, 20, [](CDC& dc) {
        const POINT repeated[] = {{2, 5}, {12, 5}, {12, 5}};
        dc.Polyline(repeated, 3);
        const POINT plain[] = {{2, 10}, {12, 10}};
        dc.Polyline(plain, 2);
        dc.MoveTo(5, 15);
        dc.LineTo(5, 15); // a line of no length sets nothing
    });
    EXPECT_EQ(image.Pixel(12, 5), kBlack);
    EXPECT_EQ(image.Pixel(13, 5), kWhite);
    EXPECT_EQ(image.Pixel(11, 10), kBlack);
    EXPECT_EQ(image.Pixel(12, 10), kWhite);
    EXPECT_EQ(image.Pixel(5, 15), kWhite);
}

TEST(DeviceContext, APolylineOfManyPointsDrawsEverySegment)
{
    // A zigzag of 21 points: more than a short line list holds in place.
    std::vector<POINT> zigzag;
    for (int i = 0; i <= 20; ++i)
        zigzag.push_back({2 + 2 * i, i % 2 ? 12 : 2});
    const auto image =
        RenderDC(50, 16, [&](CDC& dc) { dc.Polyline(zigzag.data(), int(zigzag.size())); });
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(image.Pixel(2 + 2 * i, i % 2 ? 12 : 2), kBlack) << "segment " << i;
}

TEST(DeviceContext, EllipsesAndArcsOfOnePixelDrawNothingAndOfTwoDraw)
{
    const auto image = RenderDC(20, 20, [](CDC& dc) {
        dc.Ellipse(2, 2, 3, 3);
        dc.Arc(6, 6, 7, 7, 6, 6, 6, 6);
        dc.Ellipse(10, 10, 12, 12);
        dc.Arc(14, 14, 16, 16, 14, 14, 14, 14);
    });
    EXPECT_EQ(image.Pixel(2, 2), kWhite);
    EXPECT_EQ(image.Pixel(6, 6), kWhite);
    EXPECT_EQ(image.Pixel(10, 10), kBlack);
    EXPECT_EQ(image.Pixel(15, 15), kBlack);
}

class FillColour : public testing::TestWithParam<COLORREF> {};

TEST_P(FillColour, ReadsBackInColourValueOrder)
{
    const COLORREF colour = GetParam();
    const auto image = RenderDC(8, 8, [colour](CDC& dc) {
        CBrush brush(colour);
        const CRect rect(2, 2, 6, 6);
        dc.FillRect(&rect, &brush);
    });
    EXPECT_EQ(image.Pixel(2, 2), colour);
    EXPECT_EQ(image.Pixel(5, 5), colour);
    EXPECT_EQ(image.Pixel(6, 5), kWhite);
    EXPECT_EQ(image.Pixel(5, 6), kWhite);
    EXPECT_EQ(image.Pixel(1, 2), kWhite);
}

INSTANTIATE_TEST_SUITE_P(DeviceContext, FillColour,
                         testing::Values(RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255),
                                         RGB(0x12, 0x34, 0x56), RGB(200, 100, 50)));

TEST(DeviceContext, FillSolidRectLeavesItsColourAsTheBackground)
{
    RenderDC(4, 4, [](CDC& dc) {
        dc.FillSolidRect(0, 0, 2, 2, kGreen);
        EXPECT_EQ(dc.GetBkColor(), kGreen);
    });
}

TEST(DeviceContext, Draw3dRectGivesTheCornersToTheRightColours)
{
    const auto image = RenderDC(12, 12, [](CDC& dc) { dc.Draw3dRect(1, 1, 10, 10, kRed, kGreen); });
    EXPECT_EQ(image.Pixel(1, 1), kRed);
    EXPECT_EQ(image.Pixel(9, 1), kRed);
    EXPECT_EQ(image.Pixel(10, 1), kGreen); // top-right corner
    EXPECT_EQ(image.Pixel(1, 10), kGreen); // bottom-left corner
    EXPECT_EQ(image.Pixel(10, 10), kGreen);
    EXPECT_EQ(image.Pixel(5, 5), kWhite);
    EXPECT_EQ(image.Pixel(11, 5), kWhite);
}

TEST(DeviceContext, ClippingLimitsDrawingUntilRestored)
{
    const auto image = RenderDC(10, 20, [](CDC& dc) {
        CBrush red(kRed);
        const CRect all(0, 0, 10, 10);
        const int saved = dc.SaveDC();
        CPen green(PS_SOLID, 1, kGreen);
        dc.SelectObject(&green);
        EXPECT_EQ(dc.IntersectClipRect(2, 2, 5, 5), SIMPLEREGION);
        CRect box;
        dc.GetClipBox(&box);
        EXPECT_EQ(box, CRect(2, 2, 5, 5));
        dc.FillRect(&all, &red);
        EXPECT_TRUE(dc.RestoreDC(saved));
        dc.MoveTo(0, 15);
        dc.LineTo(10, 15); // the pen is black again and nothing clips it
    });
    EXPECT_EQ(image.Pixel(1, 1), kWhite);
    EXPECT_EQ(image.Pixel(2, 2), kRed);
    EXPECT_EQ(image.Pixel(4, 4), kRed);
    EXPECT_EQ(image.Pixel(5, 5), kWhite);
    EXPECT_EQ(image.Pixel(0, 15), kBlack);
    EXPECT_EQ(image.Pixel(9, 15), kBlack);
}

TEST(DeviceContext, RestoreToAnEarlierLevelDropsTheLaterOnes)
{
    RenderDC(4, 4, [](CDC& dc) {
        const int first = dc.SaveDC();
        dc.SetTextColor(kRed);
        dc.SaveDC();
        dc.SetTextColor(kGreen);
        EXPECT_TRUE(dc.RestoreDC(first));
        EXPECT_EQ(dc.GetTextColor(), kBlack);
        EXPECT_FALSE(dc.RestoreDC(-1));
    });
}

TEST(DeviceContext, EllipseTouchesItsBoxButNotTheRightAndBottomEdges)
{
    const auto image = RenderDC(20, 20, [](CDC& dc) {
        CBrush red(kRed);
        dc.SelectObject(&red);
        dc.Ellipse(0, 0, 11, 11);
    });
    EXPECT_EQ(image.Pixel(0, 5), kBlack);
    EXPECT_EQ(image.Pixel(10, 5), kBlack);
    EXPECT_EQ(image.Pixel(5, 0), kBlack);
    EXPECT_EQ(image.Pixel(5, 10), kBlack);
    EXPECT_EQ(image.Pixel(11, 5), kWhite);
    EXPECT_EQ(image.Pixel(5, 11), kWhite);
    EXPECT_EQ(image.Pixel(5, 5), kRed);
    EXPECT_EQ(image.Pixel(0, 0), kWhite);
}

TEST(DeviceContext, MemoryBitmapCopiesOntoAnotherContext)
{
    const auto image = RenderDC(20, 20, [](CDC& dc) {
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 4, 3));
        CDC memory;
        ASSERT_TRUE(memory.CreateCompatibleDC(&dc));
        EXPECT_EQ(dc.SelectObject(&bitmap), nullptr); // only a memory context takes a bitmap
        memory.SelectObject(&bitmap);
        memory.FillSolidRect(0, 0, 2, 3, kRed);
        EXPECT_TRUE(dc.BitBlt(10, 10, 4, 3, &memory, 0, 0, SRCCOPY));
    });
    EXPECT_EQ(image.Pixel(10, 10), kRed);
    EXPECT_EQ(image.Pixel(11, 12), kRed);
    EXPECT_EQ(image.Pixel(12, 10), kBlack); // a new bitmap starts black
    EXPECT_EQ(image.Pixel(13, 12), kBlack);
    EXPECT_EQ(image.Pixel(14, 10), kWhite);
    EXPECT_EQ(image.Pixel(10, 13), kWhite);
}

TEST(DeviceContext, BitBltWithinOneContextCopiesTheOriginalPixels)
{
    const auto image = RenderDC(10, 4, [](CDC& dc) {
        dc.FillSolidRect(0, 0, 4, 4, kRed);
        dc.BitBlt(2, 0, 4, 4, &dc, 0, 0, SRCCOPY);
    });
    EXPECT_EQ(image.Pixel(5, 0), kRed);
    EXPECT_EQ(image.Pixel(6, 0), kWhite);
}

TEST(DeviceContext, DrawingIsSavedForAPersonToLookAt)
{
    const auto image = RenderDC(240, 160, [](CDC& dc) {
        CBrush red(kRed);
        CPen green(PS_SOLID, 3, kGreen);
        CPen dotted(PS_DOT, 1, kBlack);
        dc.SelectObject(&red);
        dc.Rectangle(10, 10, 70, 50);
        CPen* old = dc.SelectObject(&green);
        dc.Ellipse(80, 10, 150, 50);
        dc.SelectObject(&dotted);
        dc.SelectStockObject(NULL_BRUSH);
        dc.Rectangle(160, 10, 230, 50);
        dc.SelectObject(old);
        dc.Draw3dRect(10, 60, 220, 30, RGB(255, 255, 255), RGB(128, 128, 128));
        dc.Draw3dRect(11, 61, 218, 28, RGB(227, 227, 227), RGB(105, 105, 105));
        CRect text(14, 62, 226, 88);
        dc.SetBkMode(TRANSPARENT);
        dc.DrawText("&Left", &text, DT_SINGLELINE | DT_VCENTER);
        dc.DrawText("Centre", &text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        dc.DrawText("Right", &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        CRect narrow(10, 95, 160, 115);
        dc.FrameRect(&narrow, &red);
        dc.DrawText("A line of text far too long for its narrow box", &narrow,
                    DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        dc.MoveTo(10, 150);
        dc.LineTo(230, 125);
    });
    EXPECT_TRUE(image.SavePng("dc_shapes.png"));
}

} // namespace
