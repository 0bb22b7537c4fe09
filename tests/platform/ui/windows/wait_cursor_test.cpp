// tests/platform/ui/windows/wait_cursor_test.cpp: the busy pointer shows over the application's
// windows while a wait lives, nested waits counted, and goes with the last; over the one window
// exempted the arrow shows instead.
#include "platform/base/wait_cursor.h"
#include "platform/testing/user_input.h"
#include "platform/ui/windows/cursor.h"
#include "platform/ui/windows/wnd.h"

#include <gtest/gtest.h>

namespace {

TEST(WaitCursor, TheBusyPointerShowsFromTheFirstWaitToTheEndOfTheLast)
{
    ASSERT_FALSE(IsWaitCursorShown());
    {
        const CWaitCursor outer;
        EXPECT_TRUE(IsWaitCursorShown());
        {
            const CWaitCursor inner;
            EXPECT_TRUE(IsWaitCursorShown());
        }
        EXPECT_TRUE(IsWaitCursorShown());
    }
    EXPECT_FALSE(IsWaitCursorShown());
    // An end without a beginning takes no pointer down that someone else put up.
    EndWaitCursor();
    EXPECT_FALSE(IsWaitCursorShown());
}

TEST(WaitCursor, OverTheExemptedWindowThePointerIsTheArrowUntilTheExemptionEnds)
{
    CWnd top;
    ASSERT_TRUE(
        top.CreateEx(0, nullptr, "top", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    CWnd live;
    ASSERT_TRUE(
        live.CreateEx(0, nullptr, "live", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 40), &top, 1));
    // The first move into a new window only brings the pointer into it.
    user_input::MovePointer(live, CPoint(50, 15));
    user_input::MovePointer(top, CPoint(200, 150));
    BeginWaitCursor();
    SetWaitCursorExemption(&live);
    EXPECT_TRUE(IsWaitCursorShown());
    user_input::MovePointer(live, CPoint(50, 15));
    EXPECT_FALSE(IsWaitCursorShown());
    user_input::MovePointer(top, CPoint(200, 150));
    EXPECT_TRUE(IsWaitCursorShown());
    // Ending it over the window brings the wait cursor back, and the wait's end takes it down.
    user_input::MovePointer(live, CPoint(50, 15));
    SetWaitCursorExemption(nullptr);
    EXPECT_TRUE(IsWaitCursorShown());
    // Exempting the window the pointer is over shows the arrow at once.
    SetWaitCursorExemption(&live);
    EXPECT_FALSE(IsWaitCursorShown());
    SetWaitCursorExemption(nullptr);
    EndWaitCursor();
    EXPECT_FALSE(IsWaitCursorShown());
    top.DestroyWindow();
}

} // namespace
