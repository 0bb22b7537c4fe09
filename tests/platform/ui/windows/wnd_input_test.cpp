// tests/platform/ui/windows/wnd_input_test.cpp: mouse, wheel, key and focus input reaches a
// window's handlers with the codes, points and order a window expects; focus given into a window
// that is not active touches no other control there.
#include "platform/ui/windows/test_hooks.h"
#include "tests/platform/ui/windows/recording_wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test_windows::RecordingWnd;
using TestHooks::MouseEvent;

struct MouseCase {
    MouseEvent event;
    UINT mk;
    const char* expected;
};

class WindowMouse : public testing::TestWithParam<MouseCase> {};

TEST_P(WindowMouse, ReachesItsHandlerWithFlagsAndClientPoint)
{
    const MouseCase c = GetParam();
    RecordingWnd wnd;
    wnd.keepRightButton = true;
    wnd.CreateTop(CRect(100, 100, 200, 200));
    wnd.Take();
    TestHooks::PostMouse(wnd, c.event, CPoint(5, 7), c.mk);
    TestHooks::DeliverPosted();
    EXPECT_EQ(wnd.Take(), std::vector<std::string>{c.expected});
}

INSTANTIATE_TEST_SUITE_P(
    Window, WindowMouse,
    testing::Values(MouseCase{MouseEvent::LeftDown, MK_LBUTTON | MK_SHIFT, "LDown 5 5,7"},
                    MouseCase{MouseEvent::LeftUp, MK_CONTROL, "LUp 8 5,7"},
                    MouseCase{MouseEvent::LeftDoubleClick, MK_LBUTTON, "LDbl 1 5,7"},
                    MouseCase{MouseEvent::RightDown, MK_RBUTTON, "RDown 2 5,7"},
                    MouseCase{MouseEvent::RightUp, 0, "RUp 0 5,7"},
                    MouseCase{MouseEvent::MiddleDown, MK_MBUTTON, "MDown 16 5,7"},
                    MouseCase{MouseEvent::MiddleDoubleClick, MK_MBUTTON, "MDbl 16 5,7"},
                    MouseCase{MouseEvent::Move, MK_LBUTTON, "Move 1 5,7"}));

TEST(Window, RightButtonUpLeftToDefaultAsksForAContextMenuInScreenCoordinates)
{
    RecordingWnd wnd;
    wnd.CreateTop(CRect(100, 50, 200, 150));
    wnd.Take();
    TestHooks::PostMouse(wnd, MouseEvent::RightUp, CPoint(5, 7), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(wnd.Take(), (std::vector<std::string>{"RUp 0 5,7", "ContextMenu self 105,57"}));

    wnd.keepRightButton = true;
    TestHooks::PostMouse(wnd, MouseEvent::RightUp, CPoint(5, 7), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(wnd.Take(), std::vector<std::string>{"RUp 0 5,7"});
}

TEST(Window, ContextMenuAndWheelLeftToDefaultGoToTheParent)
{
    RecordingWnd parent, child;
    parent.CreateTop(CRect(100, 50, 300, 250));
    child.CreateChild(&parent, CRect(10, 20, 60, 70));
    child.keepContextMenu = false;
    child.keepWheel = false;
    parent.Take();
    child.Take();

    TestHooks::PostMouse(child, MouseEvent::RightUp, CPoint(1, 2), 0);
    TestHooks::PostWheel(child, -240, CPoint(1, 2), MK_CONTROL);
    TestHooks::DeliverPosted();
    EXPECT_EQ(child.Take(), (std::vector<std::string>{"RUp 0 1,2", "ContextMenu self 111,72",
                                                      "Wheel -240 8 111,72"}));
    EXPECT_EQ(parent.Take(),
              (std::vector<std::string>{"ContextMenu other 111,72", "Wheel -240 8 111,72"}));
}

struct KeyCase {
    const char* name;
    UINT vk;
    UINT mk;
    int typed; // the character OnChar receives, or -1 for none
};

class WindowKey : public testing::TestWithParam<KeyCase> {};

TEST_P(WindowKey, KeyDownThenCharThenKeyUp)
{
    const KeyCase c = GetParam();
    RecordingWnd wnd;
    wnd.CreateTop(CRect(0, 0, 50, 50));
    wnd.Take();
    TestHooks::PostKey(wnd, c.vk, c.mk);
    TestHooks::DeliverPosted();
    std::vector<std::string> expected{"KeyDown " + std::to_string(c.vk) + " 1" +
                                      ((c.mk & MK_SHIFT) ? " shift" : "")};
    if (c.typed >= 0)
        expected.push_back("Char " + std::to_string(c.typed));
    expected.push_back("KeyUp " + std::to_string(c.vk) + " up");
    EXPECT_EQ(wnd.Take(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Window, WindowKey,
    testing::Values(KeyCase{"Letter", 'A', 0, 'a'}, KeyCase{"ShiftedLetter", 'A', MK_SHIFT, 'A'},
                    KeyCase{"ShiftedDigit", '1', MK_SHIFT, '!'},
                    KeyCase{"ControlLetter", 'C', MK_CONTROL, 3},
                    KeyCase{"Enter", VK_RETURN, 0, '\r'}, KeyCase{"Escape", VK_ESCAPE, 0, 27},
                    KeyCase{"Backspace", VK_BACK, 0, 8}, KeyCase{"Tab", VK_TAB, 0, '\t'},
                    KeyCase{"Space", VK_SPACE, 0, ' '}, KeyCase{"Keypad", VK_NUMPAD5, 0, '5'},
                    KeyCase{"KeypadPlus", VK_ADD, 0, '+'}, KeyCase{"Period", VK_OEM_PERIOD, 0, '.'},
                    KeyCase{"ShiftedSlash", VK_OEM_2, MK_SHIFT, '?'},
                    KeyCase{"Delete", VK_DELETE, 0, -1}, KeyCase{"Left", VK_LEFT, 0, -1},
                    KeyCase{"PageDown", VK_NEXT, 0, -1}, KeyCase{"FunctionKey", VK_F5, 0, -1},
                    KeyCase{"Insert", VK_INSERT, 0, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Window, FocusMovesWithSetAndKillNotices)
{
    RecordingWnd first, second;
    std::vector<std::string> log;
    first.m_name = "first";
    second.m_name = "second";
    first.shared = second.shared = &log;
    first.CreateTop(CRect(0, 0, 50, 50));
    second.CreateChild(&first, CRect(0, 0, 10, 10));
    first.SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), &first);
    log.clear();
    EXPECT_EQ(second.SetFocus(), &first);
    EXPECT_EQ(CWnd::GetFocus(), &second);
    EXPECT_EQ(
        log, (std::vector<std::string>{"first:KillFocus to second", "second:SetFocus from first"}));
}

TEST(Window, FocusGivenIntoAnInactiveWindowGoesStraightToTheControl)
{
    RecordingWnd window, earlier, later, other;
    std::vector<std::string> log;
    earlier.m_name = "earlier";
    later.m_name = "later";
    other.m_name = "other";
    earlier.shared = later.shared = other.shared = &log;
    window.CreateTop(CRect(0, 0, 50, 50));
    earlier.CreateChild(&window, CRect(0, 0, 10, 10));
    later.CreateChild(&window, CRect(10, 0, 20, 10));
    other.CreateTop(CRect(100, 0, 150, 50));
    earlier.SetFocus();
    other.SetFocus(); // the first window is no longer active; earlier had its focus last
    ASSERT_NE(CWnd::GetActiveWindow(), &window);
    log.clear();
    later.SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), &later);
    EXPECT_EQ(CWnd::GetActiveWindow(), &window);
    for (const std::string& entry : log)
        EXPECT_EQ(entry.rfind("earlier:", 0), std::string::npos) << entry;
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().rfind("later:SetFocus", 0), 0u) << log.back();
}

} // namespace
