// tests/platform/ui/windows/key_waiting_test.cpp: a posted key-down is seen waiting by its own
// window and key only, until it is delivered or dropped; its handler no longer sees it.
#include "platform/ui/windows/key_waiting.h"

#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

/// Records each key-down with whether it was still seen waiting while its handler ran.
class KeyLog : public CWnd {
public:
    std::vector<std::string> seen;

    BOOL CreateTop() { return Create(nullptr, "keys", WS_POPUP, CRect(0, 0, 40, 40), nullptr, 0); }

protected:
    void OnKeyDown(UINT vk, UINT, UINT) override
    {
        seen.push_back(std::to_string(vk) + (IsKeyDownWaiting(*this, vk) ? " waiting" : ""));
    }
};

TEST(KeyWaiting, APostedKeyDownWaitsForItsWindowAndKeyUntilDelivered)
{
    struct Post {
        const char* name;
        void (*post)(KeyLog& wnd);
        UINT vk;
    };
    const Post posts[] = {
        {"PostKey", [](KeyLog& wnd) { TestHooks::PostKey(wnd, VK_ADD, 0); }, VK_ADD},
        {"PostMessage", [](KeyLog& wnd) { wnd.PostMessage(WM_KEYDOWN, VK_SUBTRACT, 1); },
         VK_SUBTRACT},
    };
    for (const Post& each : posts) {
        SCOPED_TRACE(each.name);
        KeyLog wnd, other;
        ASSERT_TRUE(wnd.CreateTop());
        ASSERT_TRUE(other.CreateTop());
        each.post(wnd);
        EXPECT_TRUE(IsKeyDownWaiting(wnd, each.vk));
        EXPECT_FALSE(IsKeyDownWaiting(wnd, VK_MULTIPLY));
        EXPECT_FALSE(IsKeyDownWaiting(other, each.vk));
        TestHooks::DeliverPosted();
        EXPECT_FALSE(IsKeyDownWaiting(wnd, each.vk));
        // The key's own handler sees it delivered, so a repaint it starts is not cut short.
        EXPECT_EQ(wnd.seen, std::vector<std::string>{std::to_string(each.vk)});
    }
}

TEST(KeyWaiting, OtherMessagesAndKeyUpsDoNotWait)
{
    KeyLog wnd;
    ASSERT_TRUE(wnd.CreateTop());
    wnd.PostMessage(WM_KEYUP, VK_ADD, 1);
    wnd.PostMessage(WM_CHAR, VK_ADD, 1);
    EXPECT_FALSE(IsKeyDownWaiting(wnd, VK_ADD));
    TestHooks::DeliverPosted();
}

TEST(KeyWaiting, AKeyPostedToAWindowThatEndsNoLongerWaits)
{
    auto wnd = std::make_unique<KeyLog>();
    ASSERT_TRUE(wnd->CreateTop());
    TestHooks::PostKey(*wnd, VK_ADD, 0);
    wnd->PostMessage(WM_KEYDOWN, VK_ADD, 1);
    wnd->DestroyWindow();
    TestHooks::DeliverPosted();
    // A new window may take the ended one's place; nothing posted to the old one waits for it.
    KeyLog next;
    ASSERT_TRUE(next.CreateTop());
    EXPECT_FALSE(IsKeyDownWaiting(next, VK_ADD));
    EXPECT_TRUE(next.seen.empty());
}

} // namespace
