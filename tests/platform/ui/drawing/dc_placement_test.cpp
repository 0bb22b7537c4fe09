// tests/platform/ui/drawing/dc_placement_test.cpp: what justified report text needs of a device
// context: fit counts and partial extents at whole characters, placed advances that add up,
// text drawn with given advances, justification over blanks, clipped and opaque text, and text
// that stays upright and in place under a y-up mapping.
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/windows/test_hooks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);

using TestHooks::RenderDC;

void SelectArial(CDC& dc, CFont& font, LONG height)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    std::strncpy(lf.lfFaceName, "Arial", LF_FACESIZE - 1);
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    dc.SelectObject(&font);
}

/// The first and last columns holding a pixel that is not white; -1, -1 when none.
std::pair<int, int> InkColumns(const TestHooks::Image& image)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.width; ++x)
        for (int y = 0; y < image.height; ++y)
            if (image.Pixel(x, y) != kWhite) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

TEST(FitCount, CountsBytesOfWholeCharactersWithinTheExtent)
{
    RenderDC(1, 1, [](CDC& dc) {
        CFont font;
        SelectArial(dc, font, -16);
        const std::string text = "Zoë Brontë"; // two letters of two bytes
        std::vector<int> partial;
        CSize size;
        int fit = 0;
        ASSERT_TRUE(dc.GetTextExtentExPoint(text, 100000, &fit, &partial, &size));
        EXPECT_EQ(fit, int(text.size()));
        EXPECT_EQ(size, dc.GetTextExtent(text));
        ASSERT_EQ(partial.size(), text.size());
        EXPECT_EQ(partial.back(), size.cx);
        // Both bytes of "ë" end where the character does.
        EXPECT_EQ(partial[2], partial[3]);
        EXPECT_TRUE(std::is_sorted(partial.begin(), partial.end()));
        struct Row {
            int maxExtent;
            int fit;
        };
        for (const Row& row : {Row{partial[1], 2}, Row{partial[3] - 1, 2}, Row{partial[3], 4},
                               Row{0, 0}, Row{-5, 0}}) {
            dc.GetTextExtentExPoint(text, row.maxExtent, &fit, nullptr, nullptr);
            EXPECT_EQ(fit, row.fit) << row.maxExtent;
        }
    });
}

TEST(CharacterPlacement, AdvancesAddUpAndStopAtTheExtentAsTheFitCountDoes)
{
    RenderDC(1, 1, [](CDC& dc) {
        CFont font;
        SelectArial(dc, font, -15);
        // A zoomed mapping makes the rounding of fractional advances matter.
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(720, 720);
        dc.SetViewportExt(96, 96);
        const std::string text = "Élise went to Zürich in 1893";
        GCP_RESULTS placed;
        const CSize whole = dc.GetCharacterPlacement(text, 0, &placed, 0);
        ASSERT_EQ(placed.dx.size(), text.size());
        EXPECT_EQ(placed.nMaxFit, int(text.size()));
        EXPECT_EQ(std::accumulate(placed.dx.begin(), placed.dx.end(), 0), whole.cx);
        EXPECT_EQ(placed.dx[1], 0); // the second byte of "É"
        std::vector<int> partial;
        dc.GetTextExtentExPoint(text, 0, nullptr, &partial, nullptr);
        EXPECT_EQ(partial.back(), whole.cx);

        const int limit = whole.cx / 2;
        const CSize part = dc.GetCharacterPlacement(text, limit, &placed, GCP_MAXEXTENT);
        int fit = 0;
        dc.GetTextExtentExPoint(text, limit, &fit, nullptr, nullptr);
        EXPECT_EQ(placed.nMaxFit, fit);
        EXPECT_LE(part.cx, limit);
        EXPECT_EQ(std::accumulate(placed.dx.begin(), placed.dx.end(), 0), part.cx);
    });
}

TEST(ExtTextOut, GivenAdvancesMoveTheCharacters)
{
    const std::string text = "IIII";
    int natural = 0;
    const auto plain = RenderDC(200, 30, [&](CDC& dc) {
        CFont font;
        SelectArial(dc, font, -16);
        natural = dc.GetTextExtent(text).cx;
        dc.ExtTextOut(0, 0, 0, nullptr, text);
    });
    const auto spread = RenderDC(200, 30, [&](CDC& dc) {
        CFont font;
        SelectArial(dc, font, -16);
        const std::vector<int> dx(text.size(), 30);
        dc.ExtTextOut(0, 0, 0, nullptr, text, dx.data());
    });
    EXPECT_LT(InkColumns(plain).second, natural);
    // The last "I" starts at 90.
    EXPECT_GE(InkColumns(spread).second, 90);
    EXPECT_LT(InkColumns(spread).second, 100);
}

TEST(Justification, SpreadsTheExtraOverTheBlanksInExtentAndOnScreen)
{
    const std::string text = "a b c";
    CSize before, after;
    const auto plain = RenderDC(200, 30, [&](CDC& dc) {
        CFont font;
        SelectArial(dc, font, -16);
        before = dc.GetTextExtent(text);
        dc.TextOut(0, 0, text);
    });
    const auto justified = RenderDC(200, 30, [&](CDC& dc) {
        CFont font;
        SelectArial(dc, font, -16);
        ASSERT_TRUE(dc.SetTextJustification(41, 2));
        after = dc.GetTextExtent(text);
        dc.TextOut(0, 0, text);
        dc.SetTextJustification(0, 0);
        EXPECT_EQ(dc.GetTextExtent(text), before);
    });
    EXPECT_EQ(after.cx, before.cx + 41);
    EXPECT_EQ(InkColumns(justified).first, InkColumns(plain).first);
    EXPECT_EQ(InkColumns(justified).second, InkColumns(plain).second + 41);
}

TEST(ExtTextOut, OpaqueFillsTheRectangleAndClippedKeepsTheTextInside)
{
    const auto image = RenderDC(200, 30, [](CDC& dc) {
        CFont font;
        SelectArial(dc, font, -16);
        dc.SetBkColor(kBlue);
        dc.SetBkMode(TRANSPARENT);
        const CRect box(0, 0, 20, 30);
        dc.ExtTextOut(2, 2, ETO_OPAQUE | ETO_CLIPPED, &box, "Wilhelmina Oosterhuis");
    });
    EXPECT_EQ(image.Pixel(0, 29), kBlue);
    EXPECT_EQ(image.Pixel(19, 0), kBlue);
    EXPECT_EQ(InkColumns(image).second, 19);
}

TEST(MappedText, StaysUprightAtItsConvertedPlace)
{
    // y up with the origin at the bottom: logical (100, 100) is device pixel (50, 50).
    const auto image = RenderDC(200, 100, [](CDC& dc) {
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(2, 2);
        dc.SetViewportExt(1, -1);
        dc.SetViewportOrg(0, 100);
        CFont font;
        SelectArial(dc, font, -40); // 20 pixels
        dc.SetTextColor(kBlue);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(100, 100, "T");
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        EXPECT_NEAR(tm.tmHeight, 46, 4);
    });
    // The bar of the "T" is at its top: its highest ink is just below the point, and the bar is
    // wider than the stem below it.
    int top = -1;
    for (int y = 0; y < 100 && top < 0; ++y)
        for (int x = 0; x < 200; ++x)
            if (image.Pixel(x, y) != kWhite) {
                top = y;
                break;
            }
    ASSERT_GE(top, 50);
    EXPECT_LT(top, 58);
    auto width = [&](int y) {
        int n = 0;
        for (int x = 0; x < 200; ++x)
            n += image.Pixel(x, y) != kWhite ? 1 : 0;
        return n;
    };
    EXPECT_GT(width(top), 2 * width(top + 10));
}

} // namespace
