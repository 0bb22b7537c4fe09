// tests/support/test_main_ui.cpp: the main of the window-layer test programs; it turns the test
// hooks on, so every modal question is answered by the test or fails it.
#include "platform/ui/windows/test_hooks.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    test_support::SetUp();
    TestHooks::Enable([](const std::string& failure) { ADD_FAILURE() << failure; });
    const int result = RUN_ALL_TESTS();
    test_support::TearDown();
    return result;
}
