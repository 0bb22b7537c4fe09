// tests/platform/ui/frames/tool_bar_test.cpp: a toolbar built from a TOOLBAR script and its image
// strip, docked, floated and docked back; its buttons' prompts while the pointer is over them;
// and a frame with its bars and a child, rendered.
#include "tests/platform/ui/frames/frame_fixture.h"

#include "platform/testing/user_input.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/windows/sys_metrics.h"

#include <QEvent>
#include <QWidget>

namespace frame_test {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 160, 0), kBlue = RGB(0, 0, 255);

/// A point of wnd's client area in the client area of frame, which a render shows.
CPoint InFrame(CWnd& frame, CWnd& wnd, CPoint point)
{
    wnd.ClientToScreen(&point);
    frame.ScreenToClient(&point);
    return point;
}

/// The centre of a toolbar item in the frame's client area.
CPoint ItemCentre(CFrameWnd& frame, CToolBar& bar, int index)
{
    CRect item;
    bar.GetItemRect(index, &item);
    return InFrame(frame, bar, item.CenterPoint());
}

bool IsGrey(COLORREF colour)
{
    const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    return std::abs(r - g) < 24 && std::abs(g - b) < 24;
}

TEST_F(FrameTest, ButtonsComeFromTheScriptAndTheirImagesFromTheStrip)
{
    CToolBar& bar = m_main->toolBar;
    ASSERT_EQ(bar.GetCount(), 4);
    EXPECT_EQ(bar.GetItemID(0), ID_FILE_NEW);
    EXPECT_EQ(bar.GetItemID(1), ID_FILE_OPEN);
    EXPECT_EQ(bar.GetItemID(2), ID_SEPARATOR);
    EXPECT_EQ(bar.GetItemID(3), ID_FILE_PRINT);
    EXPECT_EQ(bar.CommandToIndex(ID_FILE_PRINT), 3);
    EXPECT_EQ(bar.CommandToIndex(ID_APP_EXIT), -1);
    CRect previous;
    for (int i = 0; i < bar.GetCount(); ++i) {
        CRect item;
        bar.GetItemRect(i, &item);
        EXPECT_GE(item.left, previous.right) << i;
        previous = item;
    }

    // The separator takes no image: the third image is the third button's. A button nobody
    // handles is disabled and drawn grey.
    TestHooks::RunIdle();
    const TestHooks::Image image = TestHooks::RenderWindow(*m_main);
    const CPoint newButton = ItemCentre(*m_main, bar, 0), printButton = ItemCentre(*m_main, bar, 3);
    EXPECT_EQ(image.Pixel(newButton.x, newButton.y), kRed);
    EXPECT_EQ(image.Pixel(printButton.x, printButton.y), kBlue);
    const CPoint openButton = ItemCentre(*m_main, bar, 1);
    EXPECT_NE(image.Pixel(openButton.x, openButton.y), kGreen);
    EXPECT_TRUE(IsGrey(image.Pixel(openButton.x, openButton.y)));
}

TEST_F(FrameTest, AToolbarNeedsItsImageStrip)
{
    CToolBar bar;
    ASSERT_TRUE(bar.Create(m_main));
    EXPECT_FALSE(bar.LoadToolBar(5));  // the script has no BITMAP 5
    EXPECT_FALSE(bar.LoadToolBar(77)); // nor TOOLBAR 77
    EXPECT_EQ(bar.GetCount(), 0);
}

TEST_F(FrameTest, AToolbarFloatsInAWindowOfItsOwnAndDocksBack)
{
    CToolBar& bar = m_main->toolBar;
    EXPECT_FALSE(bar.IsFloating());
    m_main->FloatControlBar(&bar, CPoint(300, 220));
    EXPECT_TRUE(bar.IsFloating());
    EXPECT_TRUE(bar.IsWindowVisible());
    CRect floating;
    bar.GetWindowRect(&floating);
    EXPECT_EQ(floating.TopLeft(), CPoint(300, 220));

    m_main->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(bar.GetBarStyle() & CBRS_ALIGN_ANY, CBRS_ALIGN_LEFT);
    m_main->RecalcLayout();
    CRect docked, frame;
    bar.GetWindowRect(&docked);
    m_main->GetWindowRect(&frame);
    EXPECT_GT(docked.Height(), docked.Width());
    EXPECT_LT(docked.left - frame.left, 10);

    // Given only a rectangle, the bar docks on the edge the rectangle lies on.
    const CRect nearBottom(frame.left + 20, frame.bottom - 30, frame.left + 120, frame.bottom - 5);
    m_main->DockControlBar(&bar, 0, &nearBottom);
    EXPECT_EQ(bar.GetBarStyle() & CBRS_ALIGN_ANY, CBRS_ALIGN_BOTTOM);
}

TEST_F(FrameTest, ToolbarsOnOneEdgeKeepTheOrderOfTheirRectangles)
{
    CToolBar second;
    ASSERT_TRUE(second.Create(m_main));
    ASSERT_TRUE(second.LoadToolBar(2));
    second.EnableDocking(CBRS_ALIGN_ANY);
    m_main->RecalcLayout();
    CRect first, other;
    m_main->toolBar.GetWindowRect(&first);
    second.GetWindowRect(&other);
    EXPECT_LT(first.left, other.left);

    // Docked again with a rectangle left of the first bar, it goes before it.
    const CRect before(first.left - 5, first.top, first.left + 60, first.bottom);
    m_main->DockControlBar(&second, AFX_IDW_DOCKBAR_TOP, &before);
    m_main->RecalcLayout();
    m_main->toolBar.GetWindowRect(&first);
    second.GetWindowRect(&other);
    EXPECT_LT(other.left, first.left);
}

TEST_F(FrameTest, AToolbarInsideAWindowIsAPlainChild)
{
    CWnd* view = m_main->MDIGetActive()->GetActiveView();
    CToolBar bar;
    ASSERT_TRUE(bar.Create(view, WS_CHILD | WS_VISIBLE | CBRS_TOP, 166));
    ASSERT_TRUE(bar.LoadToolBar(2));
    EXPECT_EQ(bar.GetDockingFrame(), nullptr);
    EXPECT_EQ(bar.GetParent(), view);
    EXPECT_FALSE(bar.IsFloating());
    CRect last, client;
    bar.GetItemRect(bar.GetCount() - 1, &last);
    bar.GetClientRect(&client);
    EXPECT_LE(last.right, client.right); // all its buttons show

    // Its buttons follow the routing of the frame it lies in.
    TestHooks::RunIdle();
    EXPECT_TRUE(bar.IsButtonEnabled(0));
    EXPECT_FALSE(bar.IsButtonEnabled(1));
}

/// Eats the leave events of a widget: the window system failing to say that the pointer left.
class LeaveSwallower final : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Leave; }
};

class ToolbarPromptTest : public FrameTest {
protected:
    /// Moves the pointer over the toolbar's first button, New, whose prompt then shows.
    void PointAtNew()
    {
        m_main->SetMessageText(AFX_IDS_IDLEMESSAGE);
        CRect item;
        m_main->toolBar.GetItemRect(0, &item);
        user_input::MovePointer(*View(), CPoint(20, 20)); // into the window first
        user_input::MovePointer(m_main->toolBar, item.CenterPoint());
        ASSERT_EQ(m_main->statusBar.GetPaneText(0), "Start a new empty file");
    }
    CWnd* View() { return m_main->MDIGetActive()->GetActiveView(); }
};

TEST_F(ToolbarPromptTest, TheIdleMessageComesBackWhenThePointerLeavesTheBar)
{
    PointAtNew();
    user_input::MovePointer(*View(), CPoint(60, 60));
    EXPECT_EQ(m_main->statusBar.GetPaneText(0), "For Help, press F1");
}

TEST_F(ToolbarPromptTest, AMoveOverAnotherWindowEndsThePromptWhenTheLeaveNeverCame)
{
    LeaveSwallower swallower;
    QWidget* bar = ui_detail::WidgetOf(&m_main->toolBar);
    bar->installEventFilter(&swallower);
    for (QWidget* button : bar->findChildren<QWidget*>())
        button->installEventFilter(&swallower);
    PointAtNew();
    user_input::MovePointer(*View(), CPoint(60, 60));
    EXPECT_EQ(m_main->statusBar.GetPaneText(0), "For Help, press F1");
}

TEST_F(ToolbarPromptTest, ThePromptEndsOnTheBarThatShowedItWhenTheFrameChangedItsMessageBar)
{
    static const UINT panes[] = {ID_SEPARATOR};
    CStatusBar other;
    ASSERT_TRUE(other.Create(m_main, WS_CHILD | CBRS_BOTTOM, 4711));
    ASSERT_TRUE(other.SetIndicators(panes, 1));
    PointAtNew();
    // A window made active under the pointer puts up its own message bar.
    m_main->messageBar = &other;
    user_input::MovePointer(*View(), CPoint(60, 60));
    EXPECT_EQ(other.GetPaneText(0), "For Help, press F1");
    EXPECT_EQ(m_main->statusBar.GetPaneText(0), "For Help, press F1");
    m_main->messageBar = nullptr;
}

TEST_F(FrameTest, AFrameWithBarsAndAChildRenders)
{
    TestHooks::RunIdle();
    m_main->SetMessageText(AFX_IDS_IDLEMESSAGE);
    const TestHooks::Image image = TestHooks::RenderWindow(*m_main);
    EXPECT_TRUE(image.SavePng("frame_with_bars.png"));
    ASSERT_EQ(image.width, 700);

    // The status bar along the bottom, with text in its first pane and none in the empty one.
    CStatusBar& status = m_main->statusBar;
    CRect bar, prompt;
    status.GetClientRect(&bar);
    status.GetItemRect(0, &prompt);
    EXPECT_EQ(InFrame(*m_main, status, bar.BottomRight()), CPoint(700, 500));
    EXPECT_EQ(InFrame(*m_main, status, bar.TopLeft()).x, 0);
    const auto darkPixels = [&](const CRect& area) {
        int dark = 0;
        for (int x = area.left; x < area.right; ++x)
            for (int y = area.top; y < area.bottom; ++y) {
                const CPoint at = InFrame(*m_main, status, CPoint(x, y));
                dark += GetRValue(image.Pixel(at.x, at.y)) < 100;
            }
        return dark;
    };
    EXPECT_GT(darkPixels(prompt), 20);
    CRect families;
    status.GetItemRect(2, &families);
    families.DeflateRect(2, 2);
    EXPECT_GT(darkPixels(families), 20);
    // The child's view, white, between the toolbar and the status bar.
    CWnd* view = m_main->MDIGetActive()->GetActiveView();
    CRect client;
    view->GetClientRect(&client);
    EXPECT_GT(client.Width(), 300);
    const CPoint centre = InFrame(*m_main, *view, client.CenterPoint());
    EXPECT_EQ(image.Pixel(centre.x, centre.y), GetSysColor(COLOR_WINDOW));
}

} // namespace
} // namespace frame_test
