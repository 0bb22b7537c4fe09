// tests/platform/base/flag_guard_test.cpp: the flag guard lowers its flag however its scope ends.
#include "platform/base/flag_guard.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(FlagGuardTest, RaisesTheFlagForItsScopeAndLowersItAfterAReturnOrAFault)
{
    bool flag = false;
    const auto guarded = [&flag](bool fail) {
        const CFlagGuard busy(flag);
        EXPECT_TRUE(flag);
        if (fail)
            throw std::runtime_error("fault");
        return 1;
    };
    EXPECT_EQ(guarded(false), 1);
    EXPECT_FALSE(flag);
    EXPECT_THROW(guarded(true), std::runtime_error);
    EXPECT_FALSE(flag);
}

TEST(FlagGuardTest, NestedGuardsPutBackWhatTheOuterOneSet)
{
    bool flag = false;
    {
        const CFlagGuard outer(flag);
        try {
            const CFlagGuard inner(flag);
            throw std::runtime_error("fault");
        } catch (const std::runtime_error&) {
        }
        EXPECT_TRUE(flag);
        {
            const CFlagGuard lowered(flag, false);
            EXPECT_FALSE(flag);
        }
        EXPECT_TRUE(flag);
    }
    EXPECT_FALSE(flag);
}
