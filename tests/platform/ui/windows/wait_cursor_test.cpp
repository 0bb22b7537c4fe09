// tests/platform/ui/windows/wait_cursor_test.cpp: the busy pointer shows over the application's
// windows while a wait lives, nested waits counted, and goes with the last.
#include "platform/base/wait_cursor.h"
#include "platform/ui/windows/cursor.h"

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

} // namespace
