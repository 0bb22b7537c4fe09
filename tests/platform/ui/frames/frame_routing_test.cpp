// tests/platform/ui/frames/frame_routing_test.cpp: a command reaches the first handler along the
// chain active child frame, sub-view, view, document, application, main frame; update handlers
// decide what menus and bars show, and an item nobody handles is disabled.
#include "tests/platform/ui/frames/frame_fixture.h"

#include "platform/ui/frames/menu.h"

namespace frame_test {
namespace {

/// The chain in routing order, each target with its bit and the name its handlers log.
const std::vector<std::pair<int, std::string>> kChain = {
    {kChildBit, "child frame"}, {kSubViewBit, "sub-view"}, {kViewBit, "view"},
    {kDocBit, "document"},      {kAppBit, "application"},  {kMainBit, "main frame"},
};

std::vector<std::string> ExpectedWinner(int mask)
{
    for (const auto& [bit, name] : kChain)
        if (mask & bit)
            return {name};
    return {};
}

TEST_F(FrameTest, EveryCommandReachesTheFirstHandlerAlongTheChain)
{
    // Every combination of targets that handle the command.
    for (int mask = 1; mask <= kAllTargets; ++mask) {
        SCOPED_TRACE("handled by mask " + std::to_string(mask));
        EXPECT_TRUE(TestHooks::RunCommand(*m_main, kRouted + UINT(mask)));
        EXPECT_EQ(TakeLog(), ExpectedWinner(mask));
    }
}

TEST_F(FrameTest, WithoutChildFramesTheApplicationComesBeforeTheMainFrame)
{
    m_main->MDIDestroy(m_main->MDIGetActive());
    ASSERT_EQ(m_main->MDIGetActive(), nullptr);
    const int windowTargets = kChildBit | kSubViewBit | kViewBit | kDocBit;
    EXPECT_FALSE(TestHooks::RunCommand(*m_main, kRouted + UINT(windowTargets)));
    EXPECT_TRUE(TestHooks::RunCommand(*m_main, kRouted + UINT(windowTargets | kAppBit | kMainBit)));
    EXPECT_TRUE(TestHooks::RunCommand(*m_main, kRouted + UINT(kMainBit)));
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"application", "main frame"}));
}

TEST_F(FrameTest, UpdateHandlersAnywhereInTheChainDecide)
{
    // A command nobody handles, one the document's update handler disables although the
    // application handles it, and one the view checks.
    EXPECT_FALSE(TestHooks::RunCommand(*m_main, kRouted));
    EXPECT_FALSE(TestHooks::RunCommand(*m_main, kDisabledByDocument));
    EXPECT_TRUE(TestHooks::RunCommand(*m_main, kCheckedByView));
    EXPECT_EQ(TakeLog(), std::vector<std::string>{"checked command"});

    CCmdUI state;
    state.m_nID = kCheckedByView;
    EXPECT_TRUE(state.DoUpdate(m_main, TRUE));
    EXPECT_EQ(state.GetCheck(), 1);
}

TEST_F(FrameTest, MenuPopupsShowWhatTheUpdatePassDecides)
{
    CMenu* file = m_main->GetMenu()->GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    // Items keep the states the script gave them until their pop-up opens.
    EXPECT_EQ(file->GetMenuState(ID_FILE_OPEN, MF_BYCOMMAND) & MF_GRAYED, 0u);
    TestHooks::OpenMenuBarPopup(*m_main, 0);
    TestHooks::CloseMenuBarPopup(*m_main);
    EXPECT_EQ(file->GetMenuState(ID_FILE_NEW, MF_BYCOMMAND) & MF_GRAYED, 0u);  // the application's
    EXPECT_NE(file->GetMenuState(ID_FILE_OPEN, MF_BYCOMMAND) & MF_GRAYED, 0u); // nobody's
    EXPECT_NE(file->GetMenuState(ID_APP_EXIT, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(FrameTest, TheItemUnderThePointerShowsItsPromptUntilTheMenuCloses)
{
    CStatusBar& status = m_main->statusBar;
    TestHooks::OpenMenuBarPopup(*m_main, 0, ID_FILE_NEW);
    EXPECT_EQ(status.GetPaneText(0), "Start a new empty file");
    TestHooks::CloseMenuBarPopup(*m_main);
    EXPECT_EQ(status.GetPaneText(0), "For Help, press F1");
    TestHooks::OpenMenuBarPopup(*m_main, 1, ID_WINDOW_CASCADE);
    EXPECT_EQ(status.GetPaneText(0), ""); // a command without a prompt
    TestHooks::CloseMenuBarPopup(*m_main);
}

TEST_F(FrameTest, IdleUpdatesToolbarButtonsAndStatusPanes)
{
    CToolBar& bar = m_main->toolBar;
    CStatusBar& status = m_main->statusBar;
    EXPECT_EQ(status.GetPaneText(1), "Individuals: 999999 ");
    TestHooks::RunIdle();
    EXPECT_TRUE(bar.IsButtonEnabled(bar.CommandToIndex(ID_FILE_NEW)));
    EXPECT_FALSE(bar.IsButtonEnabled(bar.CommandToIndex(ID_FILE_OPEN)));
    EXPECT_TRUE(bar.IsButtonEnabled(bar.CommandToIndex(ID_FILE_PRINT)));
    // A pane with a handler takes its text; one without keeps its sizing text.
    EXPECT_EQ(status.GetPaneText(1), "Individuals: 12");
    EXPECT_EQ(status.GetPaneText(2), "Families: 999999 ");
    EXPECT_EQ(status.GetPaneStyle(2) & SBPS_DISABLED, 0u);
}

} // namespace
} // namespace frame_test
