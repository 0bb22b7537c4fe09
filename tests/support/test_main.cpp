// tests/support/test_main.cpp: the main of the test programs of standard-C++ libraries.
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    test_support::SetUp();
    const int result = RUN_ALL_TESTS();
    test_support::TearDown();
    return result;
}
