// tests/platform/ui/drawing/dc_mapping_test.cpp: logical units reach the device through the
// mapping with classic rounding, modes and extents behave as the classic calls do, saved states
// keep the mapping, and shapes, clipping and pens follow it; pattern brushes take the context's
// colours from the brush origin. Read back from rendered pixels.
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/drawing/pen.h"
#include "platform/ui/drawing/region.h"
#include "platform/ui/windows/test_hooks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

using TestHooks::RenderDC;

/// A zoomed-out diagram mapping: y up, 1000 logical units to 333 pixels.
void ZoomOut(CDC& dc)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1000, 1000);
    dc.SetViewportExt(333, -333);
    dc.SetViewportOrg(10, 200);
}

struct Conversion {
    POINT logical;
    POINT device;
};

TEST(Mapping, PointsConvertWithOriginsAndRoundHalfAwayFromZero)
{
    // 1000 units to 333 pixels: 3 units are 0.999 pixels and round to 1; -3 to -1; y is up.
    const std::vector<Conversion> table = {
        {{0, 0}, {10, 200}},         {{3, 3}, {11, 199}}, {{-3, -3}, {9, 201}},
        {{1000, 600}, {343, 0}},     {{1, 1}, {10, 200}}, {{-1502, 0}, {-490, 200}},
        {{2000, -1000}, {676, 533}},
    };
    RenderDC(1, 1, [&](CDC& dc) {
        ZoomOut(dc);
        for (const auto& row : table) {
            POINT p = row.logical;
            dc.LPtoDP(&p);
            EXPECT_EQ(p.x, row.device.x) << row.logical.x << "," << row.logical.y;
            EXPECT_EQ(p.y, row.device.y) << row.logical.x << "," << row.logical.y;
        }
        // Back from device pixels: one pixel is about three units.
        POINT p{343, 0};
        dc.DPtoLP(&p);
        EXPECT_EQ(p.x, 1000);
        EXPECT_EQ(p.y, 601);
        SIZE size{1000, 1000};
        dc.LPtoDP(&size);
        EXPECT_EQ(size.cx, 333);
        EXPECT_EQ(size.cy, -333);
    });
}

TEST(Mapping, ModesSetTheirScalesAndIgnoreExtentsTheyDoNotTake)
{
    RenderDC(1, 1, [](CDC& dc) {
        // Fixed extents are refused outside the free modes.
        EXPECT_EQ(dc.SetWindowExt(50, 50), CSize(1, 1));
        EXPECT_EQ(dc.GetWindowExt(), CSize(1, 1));
        struct Fixed {
            int mode;
            int unitsPerInch;
        };
        for (const Fixed& f :
             {Fixed{MM_LOMETRIC, 254}, Fixed{MM_HIMETRIC, 2540}, Fixed{MM_LOENGLISH, 100},
              Fixed{MM_HIENGLISH, 1000}, Fixed{MM_TWIPS, 1440}}) {
            dc.SetMapMode(f.mode);
            POINT inch{f.unitsPerInch, f.unitsPerInch};
            dc.LPtoDP(&inch);
            EXPECT_EQ(inch.x, 96) << f.mode; // the offscreen resolution
            EXPECT_EQ(inch.y, -96) << f.mode;
            dc.SetWindowExt(1, 1);
            EXPECT_NE(dc.GetWindowExt(), CSize(1, 1)) << f.mode;
        }
        // Isotropic: the axis with the larger scale shrinks to the other's, keeping its sign.
        dc.SetMapMode(MM_ISOTROPIC);
        dc.SetWindowExt(100, 100);
        dc.SetViewportExt(400, -200);
        EXPECT_EQ(dc.GetViewportExt(), CSize(200, -200));
        // Anisotropic keeps what it is given; a zero extent is refused.
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetViewportExt(400, -200);
        EXPECT_EQ(dc.GetViewportExt(), CSize(400, -200));
        dc.SetWindowExt(0, 10);
        EXPECT_EQ(dc.GetWindowExt(), CSize(100, 100));
        // Back to text mode: one unit is one pixel again.
        dc.SetMapMode(MM_TEXT);
        POINT p{7, 9};
        dc.SetWindowOrg(0, 0);
        dc.SetViewportOrg(0, 0);
        dc.LPtoDP(&p);
        EXPECT_EQ(p.x, 7);
        EXPECT_EQ(p.y, 9);
    });
}

TEST(Mapping, RestoreDCPutsBackTheMappingAndTheFontSize)
{
    RenderDC(1, 1, [](CDC& dc) {
        CFont font;
        LOGFONT lf;
        lf.lfHeight = -20;
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&font);
        ZoomOut(dc);
        const CSize zoomed = dc.GetTextExtent("Mary");
        ASSERT_EQ(dc.SaveDC(), 1);
        dc.SetMapMode(MM_TEXT);
        dc.SetViewportOrg(0, 0);
        const CSize plain = dc.GetTextExtent("Mary");
        ASSERT_TRUE(dc.RestoreDC(-1));
        EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
        EXPECT_EQ(dc.GetViewportOrg(), CPoint(10, 200));
        EXPECT_EQ(dc.GetTextExtent("Mary"), zoomed);
        // A 20-unit font measures about the same in units at any zoom, give or take the pixel
        // rounding of the smaller font.
        EXPECT_NEAR(zoomed.cx, plain.cx, plain.cx / 5 + 3);
        EXPECT_NEAR(zoomed.cy, plain.cy, plain.cy / 5 + 3);
    });
}

TEST(Mapping, ShapesUnderAYUpMappingLandOnTheConvertedPixels)
{
    const auto image = RenderDC(40, 40, [](CDC& dc) {
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(10, 10);
        dc.SetViewportExt(20, -20);
        dc.SetViewportOrg(0, 40);
        CBrush red(kRed);
        dc.SelectObject(&red);
        // Logical top 15 is above bottom 5: device rows 10 to 30.
        dc.Rectangle(5, 15, 15, 5);
    });
    EXPECT_EQ(image.Pixel(10, 10), kBlack);
    EXPECT_EQ(image.Pixel(29, 29), kBlack);
    EXPECT_EQ(image.Pixel(30, 30), kWhite);
    EXPECT_EQ(image.Pixel(20, 20), kRed);
    EXPECT_EQ(image.Pixel(9, 20), kWhite);
}

TEST(Mapping, PenWidthsScaleButWidthZeroStaysOnePixel)
{
    struct Row {
        int logicalWidth;
        int pixels;
    };
    for (const Row& row : {Row{0, 1}, Row{2, 4}, Row{3, 6}}) {
        const auto image = RenderDC(40, 40, [&](CDC& dc) {
            dc.SetMapMode(MM_ANISOTROPIC);
            dc.SetWindowExt(1, 1);
            dc.SetViewportExt(2, 2);
            CPen pen(PS_SOLID, row.logicalWidth, kRed);
            dc.SelectObject(&pen);
            dc.MoveTo(2, 10);
            dc.LineTo(18, 10);
        });
        int thickness = 0;
        for (int y = 0; y < 40; ++y)
            thickness += image.Pixel(20, y) == kRed ? 1 : 0;
        EXPECT_EQ(thickness, row.pixels) << row.logicalWidth;
    }
}

TEST(Clipping, IntersectExcludeAndSelectCombineInDeviceSpace)
{
    const auto image = RenderDC(40, 40, [](CDC& dc) {
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(1, 1);
        dc.SetViewportExt(2, 2);
        EXPECT_EQ(dc.IntersectClipRect(0, 0, 15, 15), SIMPLEREGION);
        EXPECT_EQ(dc.ExcludeClipRect(5, 5, 10, 10), COMPLEXREGION);
        CRect box;
        EXPECT_EQ(dc.GetClipBox(&box), COMPLEXREGION);
        EXPECT_EQ(box, CRect(0, 0, 15, 15)); // logical units again
        dc.FillSolidRect(0, 0, 20, 20, kRed);
        // With y up the box keeps the mapping's orientation.
        dc.SetViewportExt(2, -2);
        dc.SetViewportOrg(0, 40);
        EXPECT_EQ(dc.GetClipBox(&box), COMPLEXREGION);
        EXPECT_EQ(box, CRect(0, 20, 15, 5));
    });
    EXPECT_EQ(image.Pixel(2, 2), kRed);
    EXPECT_EQ(image.Pixel(29, 29), kRed);
    EXPECT_EQ(image.Pixel(30, 30), kWhite); // outside the intersection
    EXPECT_EQ(image.Pixel(12, 12), kWhite); // the excluded hole
    EXPECT_EQ(image.Pixel(19, 19), kWhite);
    EXPECT_EQ(image.Pixel(20, 20), kRed);

    const auto selected = RenderDC(40, 40, [](CDC& dc) {
        CRgn region;
        region.CreateRectRgn(30, 30, 10, 10); // put in order
        EXPECT_EQ(dc.SelectClipRgn(&region), SIMPLEREGION);
        dc.FillSolidRect(0, 0, 40, 40, kRed);
        EXPECT_EQ(dc.SelectClipRgn(nullptr), SIMPLEREGION);
        dc.FillSolidRect(0, 0, 5, 5, kBlack);
    });
    EXPECT_EQ(selected.Pixel(9, 9), kWhite);
    EXPECT_EQ(selected.Pixel(10, 10), kRed);
    EXPECT_EQ(selected.Pixel(29, 29), kRed);
    EXPECT_EQ(selected.Pixel(30, 30), kWhite);
    EXPECT_EQ(selected.Pixel(0, 0), kBlack); // no clipping once the region is removed
}

void Collect(int x, int y, LPARAM data)
{
    reinterpret_cast<std::vector<POINT>*>(data)->push_back(POINT{x, y});
}

TEST(LineDDA, VisitsExactlyThePixelsLineToSets)
{
    struct Line {
        POINT from, to;
    };
    for (const Line& line : {Line{{2, 3}, {27, 11}}, Line{{25, 2}, {4, 28}}, Line{{5, 5}, {5, 20}},
                             Line{{6, 6}, {6, 6}}}) {
        std::vector<POINT> visited;
        LineDDA(line.from.x, line.from.y, line.to.x, line.to.y, &Collect,
                reinterpret_cast<LPARAM>(&visited));
        const auto image = RenderDC(32, 32, [&](CDC& dc) {
            dc.MoveTo(line.from.x, line.from.y);
            dc.LineTo(line.to.x, line.to.y);
        });
        int drawn = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                drawn += image.Pixel(x, y) == kBlack ? 1 : 0;
        EXPECT_EQ(int(visited.size()), drawn);
        for (const POINT& p : visited)
            EXPECT_EQ(image.Pixel(p.x, p.y), kBlack) << p.x << "," << p.y;
    }
}

TEST(Arc, StartEqualToEndDrawsTheWholeOutlineAndAQuarterOnlyItsQuarter)
{
    const auto whole = RenderDC(30, 30, [](CDC& dc) { dc.Arc(5, 5, 25, 25, 5, 5, 5, 5); });
    EXPECT_EQ(whole.Pixel(15, 5), kBlack);
    EXPECT_EQ(whole.Pixel(5, 15), kBlack);
    EXPECT_EQ(whole.Pixel(15, 23), kBlack);
    EXPECT_EQ(whole.Pixel(23, 15), kBlack);
    EXPECT_EQ(whole.Pixel(15, 15), kWhite); // an arc never fills

    // From three o'clock to twelve o'clock, counter-clockwise: the top-right quarter.
    const auto quarter = RenderDC(30, 30, [](CDC& dc) { dc.Arc(5, 5, 25, 25, 29, 15, 15, 0); });
    EXPECT_EQ(quarter.Pixel(5, 15), kWhite);
    EXPECT_EQ(quarter.Pixel(15, 23), kWhite);
    bool topRight = false;
    for (int y = 5; y < 15; ++y)
        for (int x = 15; x < 25; ++x)
            topRight = topRight || quarter.Pixel(x, y) == kBlack;
    EXPECT_TRUE(topRight);
}

TEST(InvertRect, ASecondCallPutsThePixelsBack)
{
    const auto once = RenderDC(20, 20, [](CDC& dc) {
        dc.FillSolidRect(0, 0, 10, 20, kRed);
        const CRect box(5, 5, 15, 15);
        dc.InvertRect(&box);
    });
    EXPECT_EQ(once.Pixel(6, 6), RGB(0, 255, 255));
    EXPECT_EQ(once.Pixel(12, 6), kBlack);
    EXPECT_EQ(once.Pixel(15, 15), kWhite);
    const auto twice = RenderDC(20, 20, [](CDC& dc) {
        dc.FillSolidRect(0, 0, 10, 20, kRed);
        const CRect box(5, 5, 15, 15);
        dc.InvertRect(&box);
        dc.InvertRect(&box);
    });
    EXPECT_EQ(twice.Pixel(6, 6), kRed);
    EXPECT_EQ(twice.Pixel(12, 6), kWhite);
}

} // namespace

namespace {

/// An 8 by 8 checkerboard, as a monochrome bitmap's words: 1 bits at even x on even rows.
const WORD kChecker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};

TEST(PatternBrush, ZeroBitsTakeTheTextColourOneBitsTheBackgroundFromTheBrushOrigin)
{
    CBitmap bits;
    ASSERT_TRUE(bits.CreateBitmap(8, 8, 1, 1, kChecker));
    CBrush checker;
    ASSERT_TRUE(checker.CreatePatternBrush(&bits));
    const auto image = RenderDC(20, 20, [&](CDC& dc) {
        dc.SetTextColor(kRed);
        dc.SetBkColor(kBlack);
        const CRect left(0, 0, 10, 10);
        dc.FillRect(&left, &checker);
        dc.SetBrushOrg(1, 0);
        const CRect right(10, 0, 20, 10);
        dc.FillRect(&right, &checker);
        // A shape's inside fills with the selected pattern too.
        dc.SetBrushOrg(0, 0);
        dc.SelectObject(&checker);
        dc.SelectStockObject(NULL_PEN);
        dc.Rectangle(0, 10, 11, 21);
    });
    // A word's low byte holds the row: 0xAA sets x 0, 2, 4 and 6 of even rows.
    EXPECT_EQ(image.Pixel(0, 0), kBlack);
    EXPECT_EQ(image.Pixel(1, 0), kRed);
    EXPECT_EQ(image.Pixel(0, 1), kRed);
    EXPECT_EQ(image.Pixel(9, 9), kBlack); // the pattern repeats every 8 pixels
    EXPECT_EQ(image.Pixel(10, 0), kRed);  // moved on by the brush origin
    EXPECT_EQ(image.Pixel(11, 0), kBlack);
    EXPECT_EQ(image.Pixel(0, 10), kBlack);
    EXPECT_EQ(image.Pixel(1, 10), kRed);
    EXPECT_EQ(image.Pixel(9, 19), kBlack);
}

TEST(PatternBrush, OnlyMonochromeBitmapsOfAtLeastEightPixelsMakePatterns)
{
    CBitmap colour, small;
    EXPECT_FALSE(colour.CreateBitmap(8, 8, 1, 24, kChecker));
    ASSERT_TRUE(small.CreateBitmap(4, 4, 1, 1, kChecker));
    CBrush brush;
    EXPECT_FALSE(brush.CreatePatternBrush(&small));
    EXPECT_FALSE(brush.CreatePatternBrush(nullptr));
}

} // namespace
