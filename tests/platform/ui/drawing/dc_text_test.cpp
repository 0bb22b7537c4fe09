// tests/platform/ui/drawing/dc_text_test.cpp: fonts map to the installed metric twins without
// hinting, extents and metrics agree with DrawText, and text lands where its alignment puts it.
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/windows/test_hooks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);
const std::string kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

using TestHooks::RenderDC;

LOGFONT MakeLogFont(const char* face, LONG height, LONG weight = FW_NORMAL)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

/// Runs measure with a font of that description selected into a context.
template <class Measure> void WithFont(const LOGFONT& lf, Measure measure)
{
    RenderDC(1, 1, [&](CDC& dc) {
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&lf));
        dc.SelectObject(&font);
        measure(dc);
    });
}

/// The smallest rectangle around the pixels that differ from white (or, with a colour, that
/// have it), right and bottom exclusive; empty when there are none.
CRect InkBox(const TestHooks::Image& image, std::optional<COLORREF> colour = std::nullopt)
{
    CRect box(image.width, image.height, 0, 0);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (colour ? image.Pixel(x, y) == *colour : image.Pixel(x, y) != kWhite) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

TEST(FontMapping, ArialIsMeasuredUnhintedAsItsMetricTwin)
{
    // 52 letters at 12 pixels measure 364 without hinting (368 when hinted).
    WithFont(MakeLogFont("Arial", -12),
             [](CDC& dc) { EXPECT_EQ(dc.GetTextExtent(kLetters).cx, 364); });
}

TEST(FontMapping, DialogFontGivesTheExpectedBaseUnits)
{
    for (const auto& [weight, horizontal] : {std::pair{FW_NORMAL, 6}, std::pair{FW_BOLD, 7}}) {
        WithFont(MakeLogFont("MS Sans Serif", -11, weight),
                 [&, weight = weight, horizontal = horizontal](CDC& dc) {
                     TEXTMETRIC tm;
                     ASSERT_TRUE(dc.GetTextMetrics(&tm));
                     EXPECT_EQ(tm.tmHeight, 12);
                     EXPECT_EQ((dc.GetTextExtent(kLetters).cx + 26) / 52, horizontal) << weight;
                 });
    }
}

TEST(FontMapping, SmallSansSerifHeightsKeepTheSmallestDialogSize)
{
    int dialogWidth = 0;
    WithFont(MakeLogFont("MS Sans Serif", -11),
             [&](CDC& dc) { dialogWidth = dc.GetTextExtent(kLetters).cx; });
    for (LONG height : {8, -8, 0})
        WithFont(MakeLogFont("MS Sans Serif", height),
                 [&](CDC& dc) { EXPECT_EQ(dc.GetTextExtent(kLetters).cx, dialogWidth) << height; });
}

TEST(FontMapping, PositiveHeightIsTheCellHeight)
{
    // Cell heights grow in steps; a height between two steps gets the smaller cell.
    for (LONG height : {13, 16, 20, 27, 40}) {
        WithFont(MakeLogFont("Arial", height), [&](CDC& dc) {
            TEXTMETRIC tm;
            dc.GetTextMetrics(&tm);
            EXPECT_LE(tm.tmHeight, height);
            EXPECT_GE(tm.tmHeight, height - 1);
            EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
            EXPECT_GT(tm.tmInternalLeading, 0);
        });
    }
}

TEST(FontMapping, PitchBitIsSetForVariablePitchOnly)
{
    WithFont(MakeLogFont("Courier New", -13), [](CDC& dc) {
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
        EXPECT_EQ(dc.GetTextExtent("iii").cx, dc.GetTextExtent("WWW").cx);
    });
    WithFont(MakeLogFont("Times New Roman", -13), [](CDC& dc) {
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, TMPF_FIXED_PITCH);
        EXPECT_LT(dc.GetTextExtent("iii").cx, dc.GetTextExtent("WWW").cx);
    });
}

TEST(TextExtent, IsTheSumOfAdvancesWithoutKerning)
{
    // Kerning would pull "AV" together by about seven pixels at this size; rounding the
    // fractional advances separately differs by at most one.
    WithFont(MakeLogFont("Arial", -100), [](CDC& dc) {
        const CSize av = dc.GetTextExtent("AV");
        EXPECT_GT(av.cx, 0);
        EXPECT_LE(std::abs(av.cx - (dc.GetTextExtent("A").cx + dc.GetTextExtent("V").cx)), 1);
        EXPECT_EQ(dc.GetTextExtent("").cx, 0);
    });
}

TEST(TextExtent, AByteCountCuttingACharacterStopsBeforeIt)
{
    WithFont(MakeLogFont("Arial", -20), [](CDC& dc) {
        const std::string text = "G\xC3\xA9"; // "Gé"
        EXPECT_EQ(dc.GetTextExtent(std::string_view(text).substr(0, 2)).cx,
                  dc.GetTextExtent("G").cx);
        EXPECT_GT(dc.GetTextExtent(text).cx, dc.GetTextExtent("G").cx);
    });
}

TEST(DrawText, CalcRectOfOneLineIsTheTextExtent)
{
    WithFont(MakeLogFont("Arial", -14), [](CDC& dc) {
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        CRect rect(10, 20, 500, 20);
        const int height = dc.DrawText("Parish register", &rect, DT_SINGLELINE | DT_CALCRECT);
        EXPECT_EQ(height, tm.tmHeight);
        EXPECT_EQ(rect,
                  CRect(10, 20, 10 + dc.GetTextExtent("Parish register").cx, 20 + tm.tmHeight));
    });
}

TEST(DrawText, WordBreakWrapsAtBlanksAndWidensOnlyForALongWord)
{
    WithFont(MakeLogFont("Arial", -14), [](CDC& dc) {
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        const int word = dc.GetTextExtent("baptism").cx;
        CRect rect(0, 0, word + 2, 0);
        EXPECT_EQ(dc.DrawText("baptism burial census", &rect, DT_WORDBREAK | DT_CALCRECT),
                  3 * tm.tmHeight);
        EXPECT_EQ(rect.Width(), word + 2);
        CRect narrow(0, 0, 10, 0);
        EXPECT_EQ(dc.DrawText("baptism burial", &narrow, DT_WORDBREAK | DT_CALCRECT),
                  2 * tm.tmHeight);
        EXPECT_EQ(narrow.Width(), word);
        CRect lines(0, 0, 1000, 0);
        EXPECT_EQ(dc.DrawText("one\r\ntwo\nthree", &lines, DT_CALCRECT), 3 * tm.tmHeight);
    });
}

TEST(DrawText, PrefixCharactersAreResolvedUnlessNoPrefix)
{
    WithFont(MakeLogFont("Arial", -14), [](CDC& dc) {
        CRect rect;
        dc.DrawText("&File", &rect, DT_SINGLELINE | DT_CALCRECT);
        EXPECT_EQ(rect.Width(), dc.GetTextExtent("File").cx);
        dc.DrawText("Smith && Sons", &rect, DT_SINGLELINE | DT_CALCRECT);
        EXPECT_EQ(rect.Width(), dc.GetTextExtent("Smith & Sons").cx);
        dc.DrawText("&File", &rect, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
        EXPECT_EQ(rect.Width(), dc.GetTextExtent("&File").cx);
    });
}

TEST(DrawText, RightAlignedCentredTextEndsAtTheRightEdge)
{
    CSize extent;
    int lineHeight = 0;
    const CRect rect(10, 10, 190, 50);
    const auto image = RenderDC(200, 60, [&](CDC& dc) {
        CFont font;
        const LOGFONT lf = MakeLogFont("Arial", -14);
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&font);
        dc.SetBkColor(kGreen);
        extent = dc.GetTextExtent("Kinship");
        CRect box = rect;
        lineHeight = dc.DrawText("Kinship", &box, DT_SINGLELINE | DT_RIGHT | DT_VCENTER);
    });
    // The opaque background marks the text's cell exactly.
    const CRect cell = InkBox(image, kGreen);
    EXPECT_EQ(cell.right, rect.right);
    EXPECT_EQ(cell.Width(), extent.cx);
    EXPECT_EQ(cell.top, rect.top + (rect.Height() - extent.cy) / 2);
    EXPECT_EQ(lineHeight, cell.bottom - rect.top);
}

TEST(DrawText, EndEllipsisReplacesWhatDoesNotFitWithPeriods)
{
    const auto draw = [](UINT extra) {
        return RenderDC(120, 30, [extra](CDC& dc) {
            CFont font;
            const LOGFONT lf = MakeLogFont("Arial", -20);
            font.CreateFontIndirect(&lf);
            dc.SelectObject(&font);
            CRect rect(0, 0, 100, 30);
            dc.DrawText("WWWWWWWWWWWW", &rect, DT_SINGLELINE | extra);
        });
    };
    const auto clipped = draw(0);
    const auto ellipsis = draw(DT_END_ELLIPSIS);
    EXPECT_EQ(InkBox(clipped).right, 100); // cut at the rectangle
    // Periods sit on the baseline: the upper half of the last columns is empty.
    auto upperInk = [](const TestHooks::Image& image) {
        int dark = 0;
        for (int y = 0; y < 10; ++y)
            for (int x = 88; x < 100; ++x)
                dark += image.Pixel(x, y) != kWhite;
        return dark;
    };
    EXPECT_GT(upperInk(clipped), 0);
    EXPECT_EQ(upperInk(ellipsis), 0);
    EXPECT_GT(InkBox(ellipsis).right, 88);
}

TEST(TextOut, AlignmentPlacesTheCellAroundThePoint)
{
    struct Case {
        UINT align;
        CPoint cellTopLeft; // relative to the point, in units of (extent, ascent, height)
    };
    for (const Case c : {Case{TA_TOP | TA_LEFT, {0, 0}}, Case{TA_BOTTOM | TA_RIGHT, {-1, -2}},
                         Case{TA_BASELINE | TA_LEFT, {0, -1}}}) {
        TEXTMETRIC tm;
        CSize extent;
        const auto image = RenderDC(200, 100, [&](CDC& dc) {
            CFont font;
            const LOGFONT lf = MakeLogFont("Arial", -16);
            font.CreateFontIndirect(&lf);
            dc.SelectObject(&font);
            dc.GetTextMetrics(&tm);
            extent = dc.GetTextExtent("Hg");
            dc.SetBkColor(kGreen);
            dc.SetTextAlign(c.align);
            dc.TextOut(100, 50, "Hg");
        });
        const int left = 100 + c.cellTopLeft.x * extent.cx;
        const int top = 50 + (c.cellTopLeft.y == -1   ? -tm.tmAscent
                              : c.cellTopLeft.y == -2 ? -tm.tmHeight
                                                      : 0);
        EXPECT_EQ(InkBox(image, kGreen), CRect(left, top, left + extent.cx, top + tm.tmHeight))
            << c.align;
    }
}

TEST(TextOut, TransparentModeLeavesTheBackground)
{
    const auto image = RenderDC(100, 40, [](CDC& dc) {
        dc.SetBkColor(kGreen);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(5, 5, "Hg");
    });
    const CRect ink = InkBox(image);
    EXPECT_FALSE(ink.IsRectEmpty());
    for (int y = ink.top; y < ink.bottom; ++y)
        for (int x = ink.left; x < ink.right; ++x)
            EXPECT_NE(image.Pixel(x, y), kGreen);
}

TEST(TextOut, UpdatingTheCurrentPositionContinuesTheLine)
{
    RenderDC(200, 40, [](CDC& dc) {
        dc.SetTextAlign(TA_UPDATECP);
        dc.MoveTo(10, 5);
        dc.TextOut(0, 0, "Anna ");
        dc.TextOut(0, 0, "Maria");
        const int advance = dc.GetTextExtent("Anna ").cx + dc.GetTextExtent("Maria").cx;
        EXPECT_EQ(dc.GetCurrentPosition(), CPoint(10 + advance, 5));
    });
}

} // namespace
