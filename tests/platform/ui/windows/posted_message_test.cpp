// tests/platform/ui/windows/posted_message_test.cpp: posted messages arrive later, in order, only
// while their window lives, and can be asked about while they wait.
#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kFirst = WM_USER + 1, kSecond = WM_USER + 2, kSent = WM_USER + 3;

/// Records each message of the user range, with whether it was still reported as waiting
/// while its handler ran.
class MessageLog : public CWnd {
public:
    std::vector<std::string> seen;

    BOOL CreateTop() { return Create(nullptr, "log", WS_POPUP, CRect(0, 0, 40, 40), nullptr, 0); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message < WM_USER)
            return CWnd::WindowProc(message, wParam, lParam);
        seen.push_back(std::to_string(message - WM_USER) + ":" + std::to_string(wParam) + "," +
                       std::to_string(lParam) + (IsMessageQueued(message) ? " waiting" : ""));
        return 0;
    }
};

TEST(PostMessage, ArrivesAfterSentMessagesInTheOrderPosted)
{
    MessageLog wnd;
    ASSERT_TRUE(wnd.CreateTop());
    EXPECT_TRUE(wnd.PostMessage(kFirst, 1, 2));
    EXPECT_TRUE(wnd.PostMessage(kSecond, 3, 4));
    wnd.SendMessage(kSent, 5, 6);
    EXPECT_EQ(wnd.seen, (std::vector<std::string>{"3:5,6"}));
    TestHooks::DeliverPosted();
    EXPECT_EQ(wnd.seen, (std::vector<std::string>{"3:5,6", "1:1,2", "2:3,4"}));
}

TEST(PostMessage, IsQueuedOnlyForItsOwnWindowAndMessageUntilDelivered)
{
    MessageLog wnd, other;
    ASSERT_TRUE(wnd.CreateTop());
    ASSERT_TRUE(other.CreateTop());
    wnd.PostMessage(kFirst);
    struct Row {
        const MessageLog* window;
        UINT message;
        bool waiting;
    };
    const Row rows[] = {{&wnd, kFirst, true}, {&wnd, kSecond, false}, {&other, kFirst, false}};
    for (const Row& row : rows)
        EXPECT_EQ(row.window->IsMessageQueued(row.message) != FALSE, row.waiting)
            << row.message - WM_USER;
    TestHooks::DeliverPosted();
    EXPECT_FALSE(wnd.IsMessageQueued(kFirst));
    // The handler of a posted message no longer sees it waiting, so it may post it again.
    EXPECT_EQ(wnd.seen, (std::vector<std::string>{"1:0,0"}));
}

TEST(PostMessage, IsDroppedWhenItsWindowEndsFirstAndRefusedWithoutWindow)
{
    MessageLog wnd;
    EXPECT_FALSE(wnd.PostMessage(kFirst));
    ASSERT_TRUE(wnd.CreateTop());
    wnd.PostMessage(kFirst);
    wnd.DestroyWindow();
    EXPECT_FALSE(wnd.IsMessageQueued(kFirst));
    ASSERT_TRUE(wnd.CreateTop());
    EXPECT_FALSE(wnd.IsMessageQueued(kFirst)) << "the old window's message is not the new one's";
    TestHooks::DeliverPosted();
    EXPECT_TRUE(wnd.seen.empty());
}

TEST(PostMessage, MayBePostedFromAnotherThread)
{
    MessageLog wnd;
    ASSERT_TRUE(wnd.CreateTop());
    std::thread worker([&wnd] { wnd.PostMessage(kSecond, 9); });
    worker.join();
    EXPECT_TRUE(wnd.IsMessageQueued(kSecond));
    TestHooks::DeliverPosted();
    EXPECT_EQ(wnd.seen, (std::vector<std::string>{"2:9,0"}));
}

} // namespace
