// tests/platform/ui/windows/wnd_test.cpp: creation, destruction, painting, timers and commands
// follow the window rules.
#include "platform/ui/windows/test_hooks.h"
#include "tests/platform/ui/windows/recording_wnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using test_windows::kBlue;
using test_windows::kRed;
using test_windows::RecordingWnd;
using TestHooks::MouseEvent;

TEST(Window, CreationSendsCreateThenSize)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTop(CRect(10, 10, 110, 60)));
    EXPECT_EQ(wnd.Take(), (std::vector<std::string>{"Create 100x50", "Size 100x50"}));
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 100, 50));
}

TEST(Window, CreateFailsWhenOnCreateRefuses)
{
    RecordingWnd wnd;
    wnd.createResult = -1;
    EXPECT_FALSE(wnd.CreateTop(CRect(0, 0, 50, 50)));
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    EXPECT_EQ(wnd.Take(), (std::vector<std::string>{"Create 50x50", "Destroy", "PostNcDestroy"}));
}

TEST(Window, TimersFireAtTheirDueTimesInOrder)
{
    RecordingWnd wnd;
    wnd.CreateTop(CRect(0, 0, 50, 50));
    wnd.Take();
    wnd.m_timeBase = GetTickCount();
    EXPECT_EQ(wnd.SetTimer(1, 100), 1u);
    EXPECT_EQ(wnd.SetTimer(2, 250), 2u);
    TestHooks::AdvanceClock(99);
    EXPECT_TRUE(wnd.Take().empty());
    TestHooks::AdvanceClock(401);
    EXPECT_EQ(wnd.Take(),
              (std::vector<std::string>{"Timer 1 at 100", "Timer 1 at 200", "Timer 2 at 250",
                                        "Timer 1 at 300", "Timer 1 at 400", "Timer 1 at 500",
                                        "Timer 2 at 500"}));
    EXPECT_EQ(GetTickCount() - wnd.m_timeBase, 500u);
    EXPECT_TRUE(wnd.KillTimer(1));
    EXPECT_FALSE(wnd.KillTimer(1));
    wnd.DestroyWindow();
    TestHooks::AdvanceClock(1000);
    EXPECT_EQ(wnd.Take(), (std::vector<std::string>{"Destroy", "PostNcDestroy"}));
}

TEST(Window, SettingARunningTimerAgainRestartsIt)
{
    RecordingWnd wnd;
    wnd.CreateTop(CRect(0, 0, 50, 50));
    wnd.Take();
    wnd.m_timeBase = GetTickCount();
    wnd.SetTimer(5, 100);
    TestHooks::AdvanceClock(60);
    wnd.SetTimer(5, 100);
    wnd.SetTimer(6, 1); // below the shortest period
    TestHooks::AdvanceClock(100);
    EXPECT_EQ(wnd.Take(),
              (std::vector<std::string>{"Timer 6 at 70", "Timer 6 at 80", "Timer 6 at 90",
                                        "Timer 6 at 100", "Timer 6 at 110", "Timer 6 at 120",
                                        "Timer 6 at 130", "Timer 6 at 140", "Timer 6 at 150",
                                        "Timer 5 at 160", "Timer 6 at 160"}));
}

/// A parent with a child and a grandchild that share one record.
struct Family {
    std::vector<std::string> log;
    std::unique_ptr<RecordingWnd> parent = std::make_unique<RecordingWnd>();
    RecordingWnd child, grandchild;

    Family()
    {
        parent->m_name = "parent";
        child.m_name = "child";
        grandchild.m_name = "grandchild";
        for (RecordingWnd* w : {parent.get(), &child, &grandchild})
            w->shared = &log;
        parent->CreateTop(CRect(0, 0, 100, 100));
        child.CreateChild(parent.get(), CRect(0, 0, 50, 50));
        grandchild.CreateChild(&child, CRect(0, 0, 20, 20));
        log.clear();
    }
};

TEST(Window, DestroyEndsParentAndChildrenInWindowOrder)
{
    Family family;
    EXPECT_TRUE(family.parent->DestroyWindow());
    EXPECT_EQ(family.log,
              (std::vector<std::string>{"parent:Destroy", "child:Destroy", "grandchild:Destroy",
                                        "grandchild:PostNcDestroy", "child:PostNcDestroy",
                                        "parent:PostNcDestroy"}));
    EXPECT_EQ(family.child.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(family.parent->DestroyWindow());
}

TEST(Window, DeletingAnObjectWithItsWindowEndsTheChildWindows)
{
    Family family;
    family.parent.reset();
    EXPECT_EQ(family.log,
              (std::vector<std::string>{"child:Destroy", "grandchild:Destroy",
                                        "grandchild:PostNcDestroy", "child:PostNcDestroy"}));
    EXPECT_EQ(family.grandchild.GetSafeHwnd(), nullptr);
}

/// A window that deletes itself when its window ends, and ends on a click.
class SelfDeletingWnd : public CWnd {
public:
    explicit SelfDeletingWnd(bool* deleted) : m_deleted(deleted) {}
    ~SelfDeletingWnd() override { *m_deleted = true; }

protected:
    void OnLButtonDown(UINT, CPoint) override { DestroyWindow(); }
    void PostNcDestroy() override { delete this; }

private:
    bool* m_deleted;
};

TEST(Window, WindowDestroyedFromItsOwnHandlerEndsSafely)
{
    bool deleted = false;
    auto* wnd = new SelfDeletingWnd(&deleted);
    wnd->Create(nullptr, "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 30, 30), nullptr, 0);
    TestHooks::PostMouse(*wnd, MouseEvent::LeftDown, CPoint(1, 1), MK_LBUTTON);
    TestHooks::PostMouse(*wnd, MouseEvent::LeftUp, CPoint(1, 1), 0); // arrives after the end
    TestHooks::DeliverPosted();
    EXPECT_TRUE(deleted);
}

TEST(Window, PaintRunsOnlyForInvalidPartsAndShowsWhatItDrew)
{
    RecordingWnd wnd;
    wnd.CreateTop(CRect(0, 0, 40, 30));
    wnd.Take();
    auto image = TestHooks::RenderWindow(wnd);
    EXPECT_EQ(wnd.Take(), (std::vector<std::string>{"Erase", "Paint"}));
    EXPECT_EQ(wnd.lastPaintBox, CRect(0, 0, 40, 30));
    EXPECT_EQ(image.Pixel(2, 2), kRed);
    EXPECT_EQ(image.Pixel(1, 1), RGB(255, 255, 255)); // the erased background

    TestHooks::RenderWindow(wnd);
    EXPECT_TRUE(wnd.Take().empty());

    wnd.paintColour = kBlue;
    const CRect part(10, 5, 20, 15);
    wnd.InvalidateRect(&part, FALSE);
    image = TestHooks::RenderWindow(wnd);
    EXPECT_EQ(wnd.Take(), std::vector<std::string>{"Paint"});
    EXPECT_EQ(wnd.lastPaintBox, part);
    EXPECT_EQ(image.Pixel(10, 5), kBlue);
    EXPECT_EQ(image.Pixel(9, 5), kRed); // outside the invalid part the old drawing stays
    EXPECT_EQ(image.Pixel(20, 5), kRed);
}

TEST(Window, GrowingPaintsOnlyTheUncoveredStrip)
{
    RecordingWnd wnd;
    wnd.CreateTop(CRect(0, 0, 40, 30));
    TestHooks::RenderWindow(wnd);
    wnd.Take();
    wnd.MoveWindow(0, 0, 60, 30);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.Take(), (std::vector<std::string>{"Size 60x30", "Erase", "Paint"}));
    EXPECT_EQ(wnd.lastPaintBox, CRect(40, 0, 60, 30));
}

TEST(Window, ATopLevelWindowMovesToItsWindowRectangleFrameIncluded)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, "framed", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                           CRect(40, 50, 240, 150), nullptr, 0));
    CRect window, client;
    wnd.GetWindowRect(&window);
    wnd.GetClientRect(&client);
    ASSERT_GT(window.Width(), client.Width()) << "the window has a frame";
    // Moved to its own rectangle again and again, a window keeps its place and size.
    for (int move = 0; move < 3; ++move)
        wnd.MoveWindow(window);
    CRect now;
    wnd.GetWindowRect(&now);
    EXPECT_EQ(now, window);
    wnd.GetClientRect(&now);
    EXPECT_EQ(now, client);
    // A rectangle elsewhere places the frame there, with the client area inside it.
    const CRect elsewhere(100, 120, 100 + window.Width() + 30, 120 + window.Height());
    wnd.MoveWindow(elsewhere);
    wnd.GetWindowRect(&now);
    EXPECT_EQ(now, elsewhere);
    wnd.GetClientRect(&now);
    EXPECT_EQ(now.Width(), client.Width() + 30);
    // A child is placed by its rectangle in its parent, as before.
    RecordingWnd child;
    child.CreateChild(&wnd, CRect(0, 0, 20, 20));
    child.MoveWindow(5, 6, 30, 40);
    CRect place;
    child.GetWindowRect(&place);
    wnd.ScreenToClient(&place);
    EXPECT_EQ(place, CRect(5, 6, 35, 46));
}

TEST(Window, ClientDrawingOutsidePaintShowsAndChildrenRenderInPlace)
{
    RecordingWnd parent, child;
    parent.CreateTop(CRect(0, 0, 60, 40));
    child.paintColour = kBlue;
    child.CreateChild(&parent, CRect(30, 10, 50, 30));
    TestHooks::RenderWindow(parent);
    {
        CClientDC dc(&parent);
        dc.FillSolidRect(0, 0, 5, 5, RGB(0, 128, 0));
    }
    const auto image = TestHooks::RenderWindow(parent);
    EXPECT_EQ(image.Pixel(0, 0), RGB(0, 128, 0));
    EXPECT_EQ(image.Pixel(10, 10), kRed);
    EXPECT_EQ(image.Pixel(33, 13), kBlue);
    EXPECT_TRUE(image.SavePng("window_with_child.png"));
}

TEST(Window, HiddenWindowStillRendersItsPainting)
{
    RecordingWnd wnd;
    wnd.Create(nullptr, "", WS_POPUP, CRect(0, 0, 20, 20), nullptr, 0);
    EXPECT_EQ(TestHooks::RenderWindow(wnd).Pixel(5, 5), kRed);
}

TEST(Window, ChildIdsFindDirectChildrenOnly)
{
    RecordingWnd parent, child, grandchild;
    parent.CreateTop(CRect(0, 0, 60, 40));
    child.CreateChild(&parent, CRect(0, 0, 20, 20), 101);
    grandchild.CreateChild(&child, CRect(0, 0, 5, 5), 102);
    EXPECT_EQ(parent.GetDlgItem(101), &child);
    EXPECT_EQ(parent.GetDlgItem(102), nullptr);
    EXPECT_EQ(child.GetDlgItem(102), &grandchild);
    EXPECT_EQ(grandchild.GetDlgCtrlID(), 102);
    EXPECT_EQ(grandchild.GetParent(), &child);
}

TEST(Window, EnableSendsOnlyChangesAndReportsThePreviousState)
{
    RecordingWnd wnd;
    wnd.CreateTop(CRect(0, 0, 20, 20));
    wnd.Take();
    EXPECT_FALSE(wnd.EnableWindow(TRUE));
    EXPECT_FALSE(wnd.EnableWindow(FALSE));
    EXPECT_FALSE(wnd.IsWindowEnabled());
    EXPECT_TRUE(wnd.EnableWindow(TRUE));
    EXPECT_EQ(wnd.Take(), (std::vector<std::string>{"Disable", "Enable"}));
}

TEST(Window, TextAndVisibilitySurviveARoundTrip)
{
    RecordingWnd wnd;
    wnd.Create(nullptr, "Caption", WS_POPUP, CRect(0, 0, 20, 20), nullptr, 0);
    std::string text;
    wnd.GetWindowText(text);
    EXPECT_EQ(text, "Caption");
    wnd.SetWindowText("Family \xC3\xA9t\xC3\xA9");
    wnd.GetWindowText(text);
    EXPECT_EQ(text, "Family \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(wnd.GetWindowTextLength(), 12);
    EXPECT_FALSE(wnd.ShowWindow(SW_SHOW));
    EXPECT_TRUE(wnd.IsWindowVisible());
    EXPECT_TRUE(wnd.ShowWindow(SW_HIDE));
    EXPECT_FALSE(wnd.IsWindowVisible());
}

TEST(Window, CommandsAndNotificationsRouteThroughTheTables)
{
    class Host : public RecordingWnd {
    public:
        Host()
        {
            MapCommand(ID_FILE_NEW, [this] { calls.push_back("New"); });
            MapNotify(40, BN_CLICKED, [this] { calls.push_back("Clicked"); });
            MapNotify(40, 0x300, [this] { calls.push_back("Changed"); });
        }
    };
    Host host;
    RecordingWnd control;
    host.CreateTop(CRect(0, 0, 50, 50));
    control.CreateChild(&host, CRect(0, 0, 10, 10), 40);
    host.Take();
    EXPECT_TRUE(host.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_NEW, 0), 0));
    EXPECT_TRUE(host.SendMessage(WM_COMMAND, MAKEWPARAM(40, BN_CLICKED), LPARAM(&control)));
    EXPECT_TRUE(host.SendMessage(WM_COMMAND, MAKEWPARAM(40, 0x300), LPARAM(&control)));
    EXPECT_FALSE(host.SendMessage(WM_COMMAND, MAKEWPARAM(40, 0x400), LPARAM(&control)));
    EXPECT_EQ(host.Take(), (std::vector<std::string>{"New", "Clicked", "Changed"}));
}

} // namespace
