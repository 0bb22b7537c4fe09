// tests/platform/ui/frames/deferred_destroy_test.cpp: a window that ends from inside an event that
// Qt is delivering keeps its Qt objects until that event is done; outside any event it ends at
// once.
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/frames/menu.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr UINT kEndYourself = 40100;

/// A frame with the File and Window menus whose command kEndYourself destroys it, noting
/// whether its menu was still there right after.
class EndingFrame : public CFrameWnd {
public:
    explicit EndingFrame(bool& menuLeftDuringCommand)
    {
        MapCommand(kEndYourself, [this, &menuLeftDuringCommand] {
            const HMENU menu = GetMenu()->GetSafeHmenu();
            DestroyWindow(); // deletes this object
            menuLeftDuringCommand = CMenu::FromHandle(menu) != nullptr;
        });
    }
};

class DeferredDestroyTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_resources.AddScriptFile(test_support::DataPath("frames/frames.rc"));
        SetAppResources(&m_resources);
    }
    void TearDown() override
    {
        TestHooks::DeliverPosted();
        SetAppResources(nullptr);
    }

    CResources m_resources;
};

TEST_F(DeferredDestroyTest, AFrameEndedByItsOwnCommandKeepsItsMenuUntilTheEventIsDone)
{
    bool menuLeft = false;
    auto* frame = new EndingFrame(menuLeft);
    ASSERT_TRUE(frame->LoadFrame(2));
    const HMENU menu = frame->GetMenu()->GetSafeHmenu();
    // Delivered by Qt, as a menu click is: the menu must outlive the handler.
    frame->PostMessage(WM_COMMAND, kEndYourself);
    TestHooks::DeliverPosted();
    EXPECT_TRUE(menuLeft);
    EXPECT_EQ(CMenu::FromHandle(menu), nullptr);
}

TEST_F(DeferredDestroyTest, OutsideAnyEventAFrameAndItsMenuEndAtOnce)
{
    bool menuLeft = true;
    auto* frame = new EndingFrame(menuLeft);
    ASSERT_TRUE(frame->LoadFrame(2));
    const HMENU menu = frame->GetMenu()->GetSafeHmenu();
    frame->SendMessage(WM_COMMAND, kEndYourself);
    EXPECT_FALSE(menuLeft);
    EXPECT_EQ(CMenu::FromHandle(menu), nullptr);
}

} // namespace
