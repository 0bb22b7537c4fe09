// tests/platform/ui/windows/app_message_watch_test.cpp: the application-wide watch sees each
// button press once, in a window or a Qt control, with its screen point, commands but not control
// notifications, and the resizing and moving of top-level windows only; removed, it sees nothing.
#include "platform/ui/dialogs/button.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/windows/app_message_watch.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/platform/ui/windows/recording_wnd.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using test_windows::RecordingWnd;
using TestHooks::MouseEvent;

class CListWatch final : public IAppMessageWatch {
public:
    void OnAppMessage(const MSG& msg) override
    {
        std::string seen = std::to_string(msg.message);
        if (msg.message >= WM_MOUSEFIRST)
            seen += " " + std::to_string(msg.pt.x) + "," + std::to_string(msg.pt.y);
        seen += msg.hwnd == m_top      ? " top"
                : msg.hwnd == m_child  ? " child"
                : msg.hwnd == m_button ? " button"
                                       : " other";
        m_seen.push_back(seen);
        if (m_removeOnFirst)
            RemoveAppMessageWatch(this);
    }
    std::vector<std::string> Take() { return std::exchange(m_seen, {}); }

    CWnd* m_top = nullptr;
    CWnd* m_child = nullptr;
    CWnd* m_button = nullptr;
    bool m_removeOnFirst = false;
    std::vector<std::string> m_seen;
};

std::string Code(UINT message, const char* rest)
{
    return std::to_string(message) + rest;
}

TEST(AppMessageWatch, SeesPressesCommandsAndTopLevelGeometryOnly)
{
    RecordingWnd top;
    ASSERT_TRUE(top.CreateTop(CRect(100, 50, 300, 250)));
    RecordingWnd child;
    ASSERT_TRUE(child.CreateChild(&top, CRect(10, 20, 60, 70)));
    CButton button;
    ASSERT_TRUE(button.Create("OK", WS_CHILD | WS_VISIBLE, CRect(100, 20, 160, 44), &top, 5));
    CListWatch watch;
    watch.m_top = &top;
    watch.m_child = &child;
    watch.m_button = &button;
    InstallAppMessageWatch(&watch);
    InstallAppMessageWatch(&watch); // once is enough

    const struct {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> seen;
    } rows[] = {
        {"left press in the child",
         [&] { TestHooks::PostMouse(child, MouseEvent::LeftDown, CPoint(5, 6), MK_LBUTTON); },
         {Code(WM_LBUTTONDOWN, " 115,76 child")}},
        {"left press on a button",
         [&] { TestHooks::PostMouse(button, MouseEvent::LeftDown, CPoint(2, 3), MK_LBUTTON); },
         {Code(WM_LBUTTONDOWN, " 202,73 button")}},
        {"right press, release and move",
         [&] {
             TestHooks::PostMouse(top, MouseEvent::RightDown, CPoint(1, 2), MK_RBUTTON);
             TestHooks::PostMouse(top, MouseEvent::RightUp, CPoint(1, 2), 0);
             TestHooks::PostMouse(top, MouseEvent::Move, CPoint(3, 3), 0);
         },
         {Code(WM_RBUTTONDOWN, " 101,52 top")}},
        {"a key", [&] { TestHooks::PostKey(child, VK_DOWN, 0); }, {}},
        {"a menu command and a system command",
         [&] {
             child.SendMessage(WM_COMMAND, 57600, 0);
             top.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
         },
         {Code(WM_COMMAND, " child"), Code(WM_SYSCOMMAND, " top")}},
        {"a control's notification", [&] { top.SendMessage(WM_COMMAND, 7, LPARAM(&child)); }, {}},
        {"the child resized", [&] { child.MoveWindow(10, 20, 80, 90); }, {}},
        {"the top-level window resized",
         [&] { top.MoveWindow(100, 50, 260, 220); },
         {Code(WM_SIZE, " top")}},
        {"the top-level window moved",
         [&] { top.MoveWindow(120, 60, 260, 220); },
         {Code(WM_MOVE, " top")}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        row.act();
        TestHooks::DeliverPosted();
        EXPECT_EQ(watch.Take(), row.seen);
    }

    // A watch may remove itself while it is told; then it sees nothing more.
    watch.m_removeOnFirst = true;
    child.SendMessage(WM_COMMAND, 57600, 0);
    EXPECT_EQ(watch.Take().size(), 1u);
    child.SendMessage(WM_COMMAND, 57600, 0);
    TestHooks::PostMouse(child, MouseEvent::LeftDown, CPoint(5, 6), MK_LBUTTON);
    TestHooks::DeliverPosted();
    EXPECT_TRUE(watch.Take().empty());
    RemoveAppMessageWatch(&watch); // not installed: ignored
}

} // namespace
