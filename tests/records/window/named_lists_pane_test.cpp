// tests/records/window/named_lists_pane_test.cpp: the pane factory the program installs.
#include "tests/records/window/scripted_named_lists_pane.h"

#include <gtest/gtest.h>

TEST(NamedListsPaneFactory, MakesThePaneOfTheInstalledFactoryAndNoneWithout)
{
    InstallNamedListsPaneFactory(nullptr);
    EXPECT_EQ(MakeNamedListsPane(), nullptr);
    InstallNamedListsPaneFactory([] { return std::make_unique<CScriptedNamedListsPane>(); });
    auto pane = MakeNamedListsPane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->GetWnd(), nullptr);
    InstallNamedListsPaneFactory(nullptr);
}
