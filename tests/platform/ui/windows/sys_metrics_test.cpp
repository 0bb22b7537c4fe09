// tests/platform/ui/windows/sys_metrics_test.cpp: system sizes are read from the screen the tests
// run on and agree with each other; the fixed system colours keep every text readable on what it is
// drawn on, and an index outside the table answers black.
#include "platform/ui/windows/sys_metrics.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

namespace {

/// The brightness of a colour, 0 to 255.
int Brightness(COLORREF colour)
{
    return (299 * GetRValue(colour) + 587 * GetGValue(colour) + 114 * GetBValue(colour)) / 1000;
}

} // namespace

TEST(SysMetrics, ScreenSizesComeFromTheScreenAndAgree)
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);
    RECT work{};
    GetWorkArea(POINT{0, 0}, &work);
    EXPECT_GT(work.right - work.left, 0);
    EXPECT_LE(work.right - work.left, width);
    EXPECT_LE(work.bottom - work.top, height);
    // The full-screen sizes are the work area, less a caption's height.
    EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), work.right - work.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN),
              work.bottom - work.top - GetSystemMetrics(SM_CYCAPTION));
}

TEST(SysMetrics, StandardElementsHaveUsableSizes)
{
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_GT(bar, 8);
    for (const int index : {SM_CYHSCROLL, SM_CYVSCROLL, SM_CXHSCROLL, SM_CYVTHUMB, SM_CXHTHUMB})
        EXPECT_EQ(GetSystemMetrics(index), bar) << index;
    EXPECT_GE(GetSystemMetrics(SM_CYMENU), 14) << "a menu bar holds a line of text";
    EXPECT_GT(GetSystemMetrics(SM_CXMENUCHECK), 0);
    for (const int index : {-1, 18, 1000, INT_MIN})
        EXPECT_EQ(GetSystemMetrics(index), 0) << index;
}

TEST(SysColor, EveryTextStandsOutFromWhatItIsDrawnOn)
{
    struct Pair {
        const char* what;
        int text;
        int back;
        int contrast; // the least difference of brightness
    };
    const Pair pairs[] = {
        {"window", COLOR_WINDOWTEXT, COLOR_WINDOW, 128},
        {"selection", COLOR_HIGHLIGHTTEXT, COLOR_HIGHLIGHT, 64},
        {"button", COLOR_BTNTEXT, COLOR_BTNFACE, 128},
        {"menu", COLOR_MENUTEXT, COLOR_MENU, 128},
        {"tooltip", COLOR_INFOTEXT, COLOR_INFOBK, 128},
        {"grey text on a window", COLOR_GRAYTEXT, COLOR_WINDOW, 64},
        {"grey text on a button", COLOR_GRAYTEXT, COLOR_BTNFACE, 64},
        {"3D edges", COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, 64},
    };
    for (const Pair& p : pairs)
        EXPECT_GE(std::abs(Brightness(GetSysColor(p.text)) - Brightness(GetSysColor(p.back))),
                  p.contrast)
            << p.what;
    EXPECT_NE(GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_WINDOW))
        << "a selected row shows on a window";
}

TEST(SysColor, AnIndexOutsideTheTableIsBlack)
{
    for (const int index : {-1, 31, 99, INT_MIN, INT_MAX})
        EXPECT_EQ(GetSysColor(index), RGB(0, 0, 0)) << index;
}
