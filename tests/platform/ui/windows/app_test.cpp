// tests/platform/ui/windows/app_test.cpp: idle periods count up until the application wants no more
// and never run inside themselves; key and mouse messages reach the application and then each
// window from the innermost up, once; commands run only when enabled; the pump and modal waits
// dispatch, drop and wake as asked.
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/cmd_ui.h"
#include "platform/ui/windows/message_pump.h"
#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kRun = 32001, kLocked = 32002;

std::string Describe(const MSG& msg)
{
    return std::to_string(msg.message) + " " + std::to_string(msg.wParam);
}

/// An application that records its idle counts and the messages it sees first.
class RecordingApp : public CWinApp {
public:
    std::vector<std::string>& log;
    LONG idleSteps = 2;
    bool nestIdle = false;
    UINT consumeKey = 0;

    explicit RecordingApp(std::vector<std::string>& shared) : CWinApp("AppTest"), log(shared) {}

    BOOL OnIdle(LONG count) override
    {
        log.push_back("idle " + std::to_string(count));
        if (nestIdle) {
            TestHooks::RunIdle();
            PumpWaitingMessages();
        }
        CWinApp::OnIdle(count);
        return count + 1 < idleSteps;
    }

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN || msg->message == WM_LBUTTONDOWN)
            log.push_back("app " + Describe(*msg));
        if (msg->message == WM_KEYDOWN && msg->wParam == consumeKey)
            return TRUE;
        return CWinApp::PreTranslateMessage(msg);
    }
};

/// A window that records what it is offered, the keys and clicks it gets, and update passes.
class LoggingWnd : public CWnd {
public:
    std::vector<std::string>& log;
    std::string name;
    bool takeKeys = true;

    LoggingWnd(std::vector<std::string>& shared, std::string ownName, CWnd* parent)
        : log(shared), name(std::move(ownName))
    {
        MapCommand(kRun, [this] { log.push_back(name + " command"); });
        MapCommand(kLocked, [this] { log.push_back(name + " locked"); });
        MapUpdate(kLocked, [](CCmdUI* ui) { ui->Enable(FALSE); });
        const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_VISIBLE;
        Create(nullptr, name.c_str(), style, parent ? CRect(10, 10, 60, 60) : CRect(0, 0, 100, 100),
               parent, 1);
    }

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN || msg->message == WM_LBUTTONDOWN)
            log.push_back(name + " offered " + Describe(*msg) + " at " +
                          std::to_string(GET_X_LPARAM(msg->lParam)) + "," +
                          std::to_string(GET_Y_LPARAM(msg->lParam)));
        return FALSE;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_IDLEUPDATECMDUI)
            log.push_back(name + " update");
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void OnKeyDown(UINT vk, UINT repeat, UINT flags) override
    {
        log.push_back(name + " key " + std::to_string(vk));
        if (!takeKeys)
            CWnd::OnKeyDown(vk, repeat, flags); // left to Qt, which passes it to the parent
    }
    void OnChar(UINT, UINT, UINT) override {}
    void OnLButtonDown(UINT, CPoint point) override
    {
        log.push_back(name + " click " + std::to_string(point.x) + "," + std::to_string(point.y));
    }
};

class AppTest : public testing::Test {
protected:
    std::vector<std::string> m_log;
    RecordingApp m_app{m_log};
    LoggingWnd m_outer{m_log, "outer", nullptr};
    LoggingWnd m_inner{m_log, "inner", &m_outer};

    std::vector<std::string> Take() { return std::exchange(m_log, {}); }
};

TEST_F(AppTest, IdleCountsUpUntilTheApplicationWantsNoMore)
{
    m_app.idleSteps = 3;
    TestHooks::RunIdle();
    // The base idle's update pass reaches every shown window, parents first, at count 0.
    EXPECT_EQ(Take(), (std::vector<std::string>{"idle 0", "outer update", "inner update", "idle 1",
                                                "idle 2"}));
    m_outer.ShowWindow(SW_HIDE);
    TestHooks::RunIdle();
    EXPECT_EQ(Take(), (std::vector<std::string>{"idle 0", "idle 1", "idle 2"}));
}

TEST_F(AppTest, IdleNeverRunsInsideItself)
{
    m_app.nestIdle = true;
    m_outer.ShowWindow(SW_HIDE);
    TestHooks::RunIdle();
    EXPECT_EQ(Take(), (std::vector<std::string>{"idle 0", "idle 1"}));
}

TEST_F(AppTest, InputGoesToTheApplicationThenInnermostWindowFirst)
{
    TestHooks::PostKey(m_inner, VK_F5, 0);
    TestHooks::PostMouse(m_inner, TestHooks::MouseEvent::LeftDown, {3, 4}, MK_LBUTTON);
    TestHooks::DeliverPosted();
    EXPECT_EQ(Take(), (std::vector<std::string>{"app 256 116", "inner offered 256 116 at 1,0",
                                                "outer offered 256 116 at 1,0", "inner key 116",
                                                "app 513 1", "inner offered 513 1 at 3,4",
                                                "outer offered 513 1 at 3,4", "inner click 3,4"}));

    m_app.consumeKey = VK_ESCAPE;
    TestHooks::PostKey(m_inner, VK_ESCAPE, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(Take(), std::vector<std::string>{"app 256 27"});
}

TEST_F(AppTest, KeyPassedOnToTheParentIsOfferedOnce)
{
    m_inner.takeKeys = false;
    TestHooks::PostKey(m_inner, VK_F6, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(Take(), (std::vector<std::string>{"app 256 117", "inner offered 256 117 at 1,0",
                                                "outer offered 256 117 at 1,0", "inner key 117",
                                                "outer key 117"}));
}

TEST_F(AppTest, CommandsRunOnlyWhenEnabled)
{
    EXPECT_TRUE(TestHooks::RunCommand(m_outer, kRun));
    EXPECT_FALSE(TestHooks::RunCommand(m_outer, kLocked));
    EXPECT_FALSE(TestHooks::RunCommand(m_outer, 40000));
    EXPECT_EQ(Take(), std::vector<std::string>{"outer command"});
}

TEST_F(AppTest, PumpDispatchesThenIdlesUntilAskedToQuit)
{
    m_outer.ShowWindow(SW_HIDE);
    TestHooks::PostKey(m_inner, 'A', 0);
    EXPECT_TRUE(PumpWaitingMessages());
    EXPECT_EQ(Take(), (std::vector<std::string>{"app 256 65", "inner offered 256 65 at 1,0",
                                                "outer offered 256 65 at 1,0", "inner key 65",
                                                "idle 0", "idle 1"}));
    PostQuitMessage(3);
    EXPECT_FALSE(PumpWaitingMessages());
    EXPECT_TRUE(Take().empty());
    // The loop carries the quit out: it ends with the code given.
    EXPECT_EQ(m_app.Run(), 3);
    EXPECT_TRUE(PumpWaitingMessages());
}

TEST_F(AppTest, ModalWaitDropsFilteredInputUntilTheWorkerWakesIt)
{
    std::atomic<bool> done{false};
    TestHooks::PostKey(m_inner, 'B', 0);
    TestHooks::PostMouse(m_inner, TestHooks::MouseEvent::LeftDown, {5, 6}, MK_LBUTTON);
    std::thread worker([&done] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        done = true;
        WakeUiThread();
    });
    std::vector<std::string> filtered;
    RunModalWait([&done] { return done.load(); },
                 [&filtered](const MSG& msg) {
                     filtered.push_back(Describe(msg));
                     return msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST;
                 });
    worker.join();
    EXPECT_EQ(filtered, (std::vector<std::string>{"256 66", "257 66", "513 1"}));
    // Only the base idle runs during the wait, and no pre-translation by the application.
    const std::vector<std::string> log = Take();
    EXPECT_EQ(std::count(log.begin(), log.end(), "inner click 5,6"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "inner key 66"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "idle 0"), 0);
    EXPECT_GE(std::count(log.begin(), log.end(), "outer update"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "app 513 1"), 0);
}

} // namespace
