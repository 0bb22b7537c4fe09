// tests/diagrams/window/zoom_draw_test.cpp: the zoom-safe routines keep lines, outlines and dots
// one pixel wide (dots two) with their end pixels at any zoom, fill one-pixel paths (patterned
// in the colours given), leave the context as they found it, draw nothing for point lists of the
// wrong length, and on a printer neither convert nor widen. Pixels are read back from renders.
#include "diagrams/window/zoom_draw.h"

#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/pen.h"
#include "platform/ui/frames/view.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr int kSide = 200;

using TestHooks::Image;
using TestHooks::RenderDC;

/// The diagram's zoom: y up from the bottom edge; at divisor 1 a unit is 2 pixels, at divisor
/// 200 a pixel is 100 units.
void SetZoom(CDC& dc, int divisor)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(80 * divisor, 80 * divisor);
    dc.SetViewportExt(160, -160);
    dc.SetViewportOrg(0, kSide);
}

/// Logical units for pixel x at that divisor (the inverse of SetZoom).
int Units(int pixels, int divisor)
{
    return pixels * divisor / 2;
}

int CountInColumn(const Image& image, int x, COLORREF colour)
{
    int n = 0;
    for (int y = 0; y < image.height; ++y)
        n += image.Pixel(x, y) == colour ? 1 : 0;
    return n;
}

int CountInRow(const Image& image, int y, COLORREF colour)
{
    int n = 0;
    for (int x = 0; x < image.width; ++x)
        n += image.Pixel(x, y) == colour ? 1 : 0;
    return n;
}

bool AllWhite(const Image& image)
{
    for (int y = 0; y < image.height; ++y)
        if (CountInRow(image, y, kWhite) != image.width)
            return false;
    return true;
}

class ZoomDraw : public testing::TestWithParam<int> {};

TEST_P(ZoomDraw, PolylineIsOnePixelWideAndTakesInItsLastPoint)
{
    const int d = GetParam();
    const auto image = RenderDC(kSide, kSide, [&](CDC& dc) {
        SetZoom(dc, d);
        CPen pen(PS_SOLID, 1, kRed); // one unit: two pixels at divisor 1 without the routine
        dc.SelectObject(&pen);
        const POINT line[] = {{Units(20, d), Units(100, d)}, {Units(80, d), Units(100, d)}};
        DrawPolylineZoomed(dc, line, 2, kZoomLogical);
    });
    EXPECT_EQ(CountInColumn(image, 50, kRed), 1);
    EXPECT_EQ(image.Pixel(50, 100), kRed);
    EXPECT_EQ(image.Pixel(20, 100), kRed);
    EXPECT_EQ(image.Pixel(80, 100), kRed); // the end pixel
    EXPECT_EQ(image.Pixel(81, 100), kWhite);
    EXPECT_EQ(CountInRow(image, 100, kRed), 61);
}

TEST_P(ZoomDraw, RectangleAndEllipseOutlinesAreOnePixelAndClosed)
{
    const int d = GetParam();
    const auto image = RenderDC(kSide, kSide, [&](CDC& dc) {
        SetZoom(dc, d);
        CPen pen(PS_SOLID, 1, kBlack);
        dc.SelectObject(&pen);
        CBrush red(kRed);
        dc.SelectObject(&red);
        // y up: logical top above bottom; pixel rows 20 to 60.
        const CRect box(Units(20, d), Units(180, d), Units(100, d), Units(140, d));
        DrawRectangleZoomed(dc, box, kZoomLogical);
        const CRect circle(Units(120, d), Units(180, d), Units(160, d), Units(140, d));
        DrawEllipseZoomed(dc, circle, kZoomLogical);
    });
    // The outline takes in the logical right and bottom edges, one pixel wide.
    EXPECT_EQ(image.Pixel(20, 20), kBlack);
    EXPECT_EQ(image.Pixel(100, 60), kBlack);
    EXPECT_EQ(image.Pixel(101, 60), kWhite);
    EXPECT_EQ(image.Pixel(21, 21), kRed);
    EXPECT_EQ(image.Pixel(99, 59), kRed);
    EXPECT_EQ(CountInColumn(image, 60, kBlack), 2);
    // The circle is closed at its four extremes, and filled.
    EXPECT_EQ(image.Pixel(140, 40), kRed);
    for (const POINT p : {POINT{140, 20}, POINT{140, 60}, POINT{120, 40}, POINT{160, 40}}) {
        bool outline = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                outline = outline || image.Pixel(p.x + dx, p.y + dy) == kBlack;
        EXPECT_TRUE(outline) << p.x << "," << p.y;
    }
    EXPECT_LE(CountInColumn(image, 140, kBlack), 2);
}

TEST_P(ZoomDraw, TheContextComesBackAsItWas)
{
    const int d = GetParam();
    RenderDC(kSide, kSide, [&](CDC& dc) {
        SetZoom(dc, d);
        dc.SetTextColor(kGrey);
        dc.SetBkColor(kGrey);
        const POINT path[] = {{0, 0}, {Units(50, d), 0}, {Units(50, d), Units(50, d)}};
        CBrush red(kRed);
        DrawRectangleZoomed(dc, CRect(0, Units(10, d), Units(10, d), 0), kZoomLogical);
        DrawPolylineZoomed(dc, path, 3, kZoomLogical);
        FillLinePathZoomed(dc, path, 3, kZoomLogical, &red, kRed, kBlack);
        DrawDottedLinesZoomed(dc, path, 3, kRed, 0, kZoomLogical);
        EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
        EXPECT_EQ(dc.GetWindowExt(), CSize(80 * d, 80 * d));
        EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, kSide));
        EXPECT_EQ(dc.GetTextColor(), kGrey);
        EXPECT_EQ(dc.GetBkColor(), kGrey);
    });
}

INSTANTIATE_TEST_SUITE_P(Divisors, ZoomDraw, testing::Values(1, 200));

TEST(ZoomDrawPoints, ListsOfOneOrSevenPointsDrawNothing)
{
    const POINT points[7] = {{10, 10}, {50, 10}, {50, 50}, {90, 50}, {90, 90}, {10, 90}, {10, 10}};
    CBrush red(kRed);
    const std::vector<std::function<void(CDC&, int)>> routines = {
        [&](CDC& dc, int n) { DrawPolylineZoomed(dc, points, n, 0); },
        [&](CDC& dc, int n) { FillLinePathZoomed(dc, points, n, 0, &red, kRed, kRed); },
        [&](CDC& dc, int n) { DrawDottedLinesZoomed(dc, points, n, kRed, 0, 0); },
    };
    for (std::size_t r = 0; r < routines.size(); ++r) {
        for (const int n : {1, 7, 0, -1})
            EXPECT_TRUE(AllWhite(RenderDC(100, 100, [&](CDC& dc) { routines[r](dc, n); })))
                << "routine " << r << ", " << n << " points";
        EXPECT_FALSE(AllWhite(RenderDC(100, 100, [&](CDC& dc) { routines[r](dc, 6); })))
            << "routine " << r;
    }
}

TEST(ZoomDrawFill, SegmentsFillOnePixelFromLowToHighInclusive)
{
    const auto image = RenderDC(60, 60, [](CDC& dc) {
        CBrush red(kRed);
        // A vertical segment drawn upwards, then a horizontal one leftwards.
        const POINT path[] = {{5, 30}, {5, 10}, {-3, 10}};
        FillLinePathZoomed(dc, path, 3, 0, &red, kBlack, kWhite);
        const POINT flat[] = {{30, 40}, {10, 40}};
        FillLinePathZoomed(dc, flat, 2, 0, &red, kBlack, kWhite);
    });
    EXPECT_EQ(CountInColumn(image, 5, kRed), 21); // rows 10 to 30
    EXPECT_EQ(image.Pixel(5, 30), kRed);
    EXPECT_EQ(image.Pixel(5, 31), kWhite);
    EXPECT_EQ(CountInColumn(image, 4, kRed), 1); // the leftward segment's row 10
    EXPECT_EQ(CountInColumn(image, 6, kRed), 0);
    EXPECT_EQ(CountInRow(image, 40, kRed), 21);
    EXPECT_EQ(image.Pixel(30, 40), kRed);
    EXPECT_EQ(image.Pixel(31, 40), kWhite);
}

TEST(ZoomDrawFill, APatternBrushTakesTheTwoColoursGiven)
{
    // Every other pixel set, the rows alternating: a checkerboard.
    const WORD checker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    CBitmap bits;
    ASSERT_TRUE(bits.CreateBitmap(8, 8, 1, 1, checker));
    CBrush pattern;
    ASSERT_TRUE(pattern.CreatePatternBrush(&bits));
    const auto image = RenderDC(kSide, kSide, [&](CDC& dc) {
        SetZoom(dc, 200);
        const POINT path[] = {{Units(10, 200), Units(kSide - 20, 200)},
                              {Units(40, 200), Units(kSide - 20, 200)}};
        FillLinePathZoomed(dc, path, 2, kZoomLogical, &pattern, kRed, kBlack);
    });
    for (int x = 10; x <= 40; ++x)
        EXPECT_EQ(image.Pixel(x, 20), x % 2 ? kRed : kBlack) << x;
    EXPECT_EQ(image.Pixel(41, 20), kWhite);
    EXPECT_EQ(CountInColumn(image, 25, kWhite), kSide - 1);
}

/// The dots of a horizontal dotted line along pixel row 50, from x 10 to 60, at divisor 200.
Image DottedRow(int mode)
{
    return RenderDC(100, 100, [&](CDC& dc) {
        SetZoom(dc, 200);
        const POINT line[] = {{Units(10, 200), Units(kSide - 50, 200)},
                              {Units(60, 200), Units(kSide - 50, 200)}};
        DrawDottedLinesZoomed(dc, line, 2, kRed, mode, kZoomLogical);
    });
}

TEST(ZoomDrawDots, DashesInModeOneDotsInEveryOtherModeAlikeModeTwoIncluded)
{
    const auto dashes = DottedRow(kDottedDashes);
    // Four steps on with two-pixel dots: five pixels; then three off; two rows across the line.
    for (int x = 10; x < 60; ++x) {
        const bool on = (x - 10) % 8 < 5;
        EXPECT_EQ(dashes.Pixel(x, 50) == kRed, on) << x;
        EXPECT_EQ(dashes.Pixel(x, 49) == kRed, on) << x;
    }
    EXPECT_EQ(CountInColumn(dashes, 10, kRed), 2);

    const auto dots = DottedRow(0);
    EXPECT_EQ(CountInRow(dots, 50, kRed), 50);
    EXPECT_EQ(CountInColumn(dots, 30, kRed), 2);
    const auto modeTwo = DottedRow(2);
    EXPECT_FALSE(AllWhite(modeTwo));
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 100; ++y)
            ASSERT_EQ(modeTwo.Pixel(x, y), dots.Pixel(x, y)) << x << "," << y;
}

TEST(ZoomDrawDots, ZoomedInDotsAreOneUnitSquareAcrossASteepLine)
{
    const auto image = RenderDC(100, kSide, [](CDC& dc) {
        SetZoom(dc, 1);
        dc.SetWindowExt(40, 40); // a unit is 4 pixels
        const POINT line[] = {{10, 40}, {10, 20}};
        DrawDottedLinesZoomed(dc, line, 2, kRed, 0, kZoomLogical);
    });
    // Pixel column 40 from row 40 down to 120; dots of 4 by 4 reach 2 pixels left of it.
    int widest = 0;
    for (int y = 0; y < kSide; ++y)
        widest = std::max(widest, CountInRow(image, y, kRed));
    EXPECT_EQ(widest, 4);
    EXPECT_EQ(CountInRow(image, 39, kRed), 0);
    EXPECT_EQ(image.Pixel(38, 60), kRed);
    EXPECT_EQ(image.Pixel(41, 60), kRed);
    EXPECT_EQ(image.Pixel(37, 60), kWhite);
    EXPECT_EQ(image.Pixel(42, 60), kWhite);
}

TEST(ZoomDrawBoxes, FillsTransparencyAndBlackAndWhite)
{
    struct Row {
        const char* what;
        std::function<void(CDC&)> select;
        COLORREF inside;
    };
    CBrush red(kRed);
    const std::vector<Row> rows = {
        {"solid fill", [&](CDC& dc) { dc.SelectObject(&red); }, kRed},
        {"transparent row", [](CDC& dc) { dc.SelectStockObject(HOLLOW_BRUSH); }, kGrey},
        {"black and white", [](CDC& dc) { dc.SelectStockObject(WHITE_BRUSH); }, kWhite},
    };
    for (const Row& row : rows) {
        const auto image = RenderDC(60, 60, [&](CDC& dc) {
            dc.FillSolidRect(0, 0, 60, 60, kGrey);
            SetZoom(dc, 200);
            row.select(dc);
            DrawRectangleZoomed(dc,
                                CRect(Units(10, 200), Units(kSide - 10, 200), Units(40, 200),
                                      Units(kSide - 40, 200)),
                                kZoomLogical);
        });
        EXPECT_EQ(image.Pixel(25, 25), row.inside) << row.what;
        EXPECT_EQ(image.Pixel(10, 25), kBlack) << row.what;
        EXPECT_EQ(image.Pixel(40, 25), kBlack) << row.what;
        EXPECT_EQ(image.Pixel(45, 25), kGrey) << row.what;
    }
}

TEST(ZoomDrawWiden, ZoomedOutWidensByPixelsZoomedInByOneUnitOutwards)
{
    RenderDC(1, 1, [](CDC& dc) {
        SetZoom(dc, 200);
        CRect box(1000, 5000, 3000, 2000); // y up: top above bottom
        WidenLogicalRect(dc, box, 2, 0);
        // 2 pixels (200 units) each side across, at least 1 pixel (100 units) up and down.
        EXPECT_EQ(box, CRect(800, 5100, 3200, 1900));
        SetZoom(dc, 1);
        box = CRect(10, 50, 30, 20);
        WidenLogicalRect(dc, box, 5, 5);
        EXPECT_EQ(box, CRect(9, 51, 31, 19));
    });
}

TEST(ZoomDrawText, DrawingReturnsTheMeasuredExtent)
{
    RenderDC(200, 40, [](CDC& dc) {
        const CSize drawn = DrawTextWithExtent(dc, 0, 0, 0, nullptr, "Hannah");
        EXPECT_EQ(drawn, GetTextSize(dc, "Hannah"));
        EXPECT_GT(drawn.cx, 0);
        EXPECT_EQ(GetTextSize(dc, ""), CSize(0, drawn.cy));
    });
}

/// A view whose printed page runs a test's drawing on the printer context.
class DrawingView : public CView {
public:
    std::function<void(CDC&)> draw;
    BOOL OnPreparePrinting(CPrintInfo* info) override
    {
        info->SetMaxPage(1);
        return DoPreparePrinting(info);
    }
    void OnPrint(CDC* dc, CPrintInfo* /*info*/) override { draw(*dc); }
};

TEST(ZoomDrawPrinter, NeitherConvertsNorChangesTheMappingNorWidens)
{
    TestHooks::SetNoPrinter(false);
    auto app = std::make_unique<CWinApp>("Zoom Draw Test");
    DrawingView view;
    bool printing = false;
    CRect widened;
    view.draw = [&](CDC& dc) {
        printing = dc.IsPrinting();
        // Six printer pixels a unit: one preview pixel.
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(1, 1);
        dc.SetViewportExt(6, 6);
        widened = CRect(100, 100, 200, 200);
        WidenLogicalRect(dc, widened, 5, 5);
        CBrush red(kRed);
        const POINT path[] = {{100, 100}, {100, 200}};
        FillLinePathZoomed(dc, path, 2, kZoomLogical, &red, kBlack, kWhite);
        EXPECT_EQ(dc.GetViewportExt(), CSize(6, 6));
    };
    const Image page = TestHooks::RenderPreviewPage(view, 1);
    ASSERT_GT(page.width, 0);
    EXPECT_TRUE(printing);
    EXPECT_EQ(widened, CRect(100, 100, 200, 200));
    // One unit wide in logical units: a whole preview column, inside the page's margin.
    int red = 0, column = -1;
    for (int x = 0; x < page.width; ++x) {
        const int n = CountInColumn(page, x, kRed);
        if (n > red) {
            red = n;
            column = x;
        }
    }
    EXPECT_GE(red, 99);
    EXPECT_GT(column, 100);
    app.reset();
    TestHooks::DeliverPosted();
}

} // namespace

namespace {

/// Records the area its last painting covered.
class PaintedWnd : public CWnd {
public:
    CRect lastPaint;

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        lastPaint = dc.m_ps.rcPaint;
    }
};

TEST(ZoomDrawInvalidate, RepaintsTheConvertedRectangleAndOnePixelMoreRightAndDown)
{
    PaintedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "diagram", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 200),
                             nullptr, 0));
    TestHooks::RenderWindow(wnd);
    CClientDC dc(&wnd);
    SetZoom(dc, 200);
    // Pixels 10..50 across and 20..60 down.
    const CRect box(Units(10, 200), Units(kSide - 20, 200), Units(50, 200), Units(kSide - 60, 200));
    InvalidateLogicalRect(wnd, dc, box, kZoomLogical);
    TestHooks::RenderWindow(wnd);
    EXPECT_EQ(wnd.lastPaint, CRect(10, 20, 51, 61));
    // Pixels already: no conversion.
    InvalidateLogicalRect(wnd, dc, CRect(5, 5, 8, 9), 0);
    TestHooks::RenderWindow(wnd);
    EXPECT_EQ(wnd.lastPaint, CRect(5, 5, 9, 10));
    wnd.DestroyWindow();
}

} // namespace
