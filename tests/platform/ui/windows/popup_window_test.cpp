// tests/platform/ui/windows/popup_window_test.cpp: a popup window that does not activate keeps
// its owner the active window while the focus goes into it, and a bordered top-level window
// draws its frame line above its children.
#include "platform/ui/windows/message_pump.h"
#include "platform/ui/windows/sys_metrics.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/platform/ui/windows/recording_wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test_windows::kBlue;
using test_windows::RecordingWnd;

class PopupWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_owner.m_name = "owner";
        m_field.m_name = "field";
        m_list.m_name = "list";
        m_item.m_name = "item";
        ASSERT_TRUE(m_owner.CreateTop(CRect(0, 0, 200, 150)));
        ASSERT_TRUE(m_field.Create(nullptr, "field", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                   CRect(10, 10, 110, 30), &m_owner, 1));
        m_field.SetFocus();
    }
    /// The list below the field, with an item filling it that paints itself blue.
    void MakeList(DWORD exStyle, DWORD style)
    {
        ASSERT_TRUE(
            m_list.CreateEx(exStyle, nullptr, "list", style, CRect(10, 30, 110, 90), &m_field, 0));
        ASSERT_TRUE(m_item.Create(nullptr, "item", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 60),
                                  &m_list, 2));
        m_item.paintColour = kBlue;
    }

    RecordingWnd m_owner, m_field, m_list, m_item;
};

TEST_F(PopupWindowTest, APopupTakesTheFocusWhileItsOwnerStaysActive)
{
    struct Case {
        DWORD exStyle;
        bool ownerStaysActive;
        const char* fieldTold;
    };
    // An ordinary window takes the activation with the focus already noted on its item, which
    // the field is told of either way.
    for (const Case& c : {Case{WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, true, "KillFocus to item"},
                          Case{0, false, "KillFocus to item"}}) {
        SCOPED_TRACE(c.exStyle);
        m_field.SetFocus();
        MakeList(c.exStyle, WS_POPUP | WS_BORDER);
        m_field.Take();
        m_list.ShowWindow(SW_SHOW);
        EXPECT_EQ(CWnd::GetActiveWindow(), &m_owner);
        m_item.SetFocus();
        EXPECT_EQ(CWnd::GetFocus(), &m_item);
        EXPECT_EQ(CWnd::GetActiveWindow(), c.ownerStaysActive ? &m_owner : &m_list);
        EXPECT_EQ(m_field.Take(), std::vector<std::string>{c.fieldTold});

        // Hidden, the popup gives the focus back to its owner's field, which stays active.
        m_list.ShowWindow(SW_HIDE);
        m_field.SetFocus();
        EXPECT_EQ(CWnd::GetActiveWindow(), &m_owner);
        EXPECT_EQ(CWnd::GetFocus(), &m_field);
        m_list.DestroyWindow();
    }
}

TEST_F(PopupWindowTest, TheFocusGoesIntoAPopupWithoutAskingTheDesktopToActivateIt)
{
    // Made as an ordinary window first and turned into a popup, as a drop-down list is; shown
    // and focused twice, as a list that drops down again.
    MakeList(0, WS_POPUP | WS_BORDER);
    m_list.ModifyStyleEx(0, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    for (int drop = 0; drop < 2; ++drop) {
        SCOPED_TRACE(drop);
        PumpWaitingMessages(); // the desktop has made the owner its focus window
        TestHooks::TakeToolkitWarnings();
        m_list.ShowWindow(SW_SHOW);
        m_item.SetFocus();
        TestHooks::DeliverPosted();
        EXPECT_EQ(CWnd::GetFocus(), &m_item);
        EXPECT_EQ(CWnd::GetActiveWindow(), &m_owner);
        for (const std::string& warning : TestHooks::TakeToolkitWarnings())
            EXPECT_EQ(warning.find("requestActivate"), std::string::npos) << warning;
        m_list.ShowWindow(SW_HIDE);
        m_field.SetFocus();
    }
    m_list.DestroyWindow();
}

TEST_F(PopupWindowTest, ABorderedTopLevelWindowDrawsItsFrameLineAboveItsChildren)
{
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    struct Case {
        DWORD style;
        bool framed;
    };
    for (const Case& c : {Case{WS_POPUP | WS_BORDER, true}, Case{WS_POPUP, false}}) {
        SCOPED_TRACE(c.style);
        MakeList(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, c.style);
        m_list.ShowWindow(SW_SHOW);
        // A child made after the window shows still lies below the line.
        RecordingWnd late;
        late.paintColour = kBlue;
        ASSERT_TRUE(
            late.Create(nullptr, "late", WS_CHILD | WS_VISIBLE, CRect(50, 0, 100, 60), &m_list, 3));
        const TestHooks::Image image = TestHooks::RenderWindow(m_list);
        ASSERT_EQ(image.width, 100);
        ASSERT_EQ(image.height, 60);
        for (const CPoint p : {CPoint(0, 0), CPoint(20, 0), CPoint(0, 30), CPoint(99, 59),
                               CPoint(70, 0), CPoint(99, 30), CPoint(70, 59)})
            EXPECT_EQ(image.Pixel(p.x, p.y) == frame, c.framed) << p.x << "," << p.y;
        EXPECT_EQ(image.Pixel(20, 20), kBlue);
        EXPECT_EQ(image.Pixel(70, 20), kBlue);
        late.DestroyWindow();
        m_list.DestroyWindow();
    }
}

} // namespace
