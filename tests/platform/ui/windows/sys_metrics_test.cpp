// tests/platform/ui/windows/sys_metrics_test.cpp: system values come from the fixed table and from
// the offscreen screen the tests run on, never from the desktop's theme.
#include "platform/ui/windows/sys_metrics.h"

#include <gtest/gtest.h>

TEST(SysMetrics, ScreenAndStandardElementsHaveTheirSizes)
{
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 800);
    EXPECT_GT(GetSystemMetrics(SM_CXVSCROLL), 8);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
    EXPECT_GE(GetSystemMetrics(SM_CYMENU), 14);
    EXPECT_GT(GetSystemMetrics(SM_CXMENUCHECK), 0);
    EXPECT_EQ(GetSystemMetrics(-1), 0);
}

TEST(SysColor, TableIsFixedAndUnknownIndexesAreBlack)
{
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), GetSysColor(COLOR_BTNFACE));
    EXPECT_NE(GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(GetSysColor(99), RGB(0, 0, 0));
}
