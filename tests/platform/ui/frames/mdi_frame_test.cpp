// tests/platform/ui/frames/mdi_frame_test.cpp: child frames open stepped down from the corner,
// activate, cycle and close; a close-box handler can keep its window; size limits hold; windows
// moved over others stay whole on the screen; the Window menu and the titles follow.
#include "tests/platform/ui/frames/frame_fixture.h"

#include "platform/testing/user_input.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/frames/menu.h"

namespace frame_test {
namespace {

std::vector<std::string> MenuTexts(CMenu* menu)
{
    std::vector<std::string> texts;
    for (int i = 0; i < menu->GetMenuItemCount(); ++i) {
        std::string text;
        menu->GetMenuString(UINT(i), text, MF_BYPOSITION);
        if (menu->GetMenuItemID(i) == 0)
            text = "-";
        if (menu->GetMenuState(UINT(i), MF_BYPOSITION) & MF_CHECKED)
            text += " [checked]";
        texts.push_back(text);
    }
    return texts;
}

std::string TextOf(CWnd* wnd)
{
    std::string text;
    wnd->GetWindowText(text);
    return text;
}

TEST_F(FrameTest, ChildrenActivateInTurnAndTellTheirViews)
{
    auto* first = dynamic_cast<TestChild*>(m_main->MDIGetActive());
    TestChild* second = NewChild();
    TestChild* third = NewChild();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(m_main->GetChildren(), (std::vector<CMDIChildWnd*>{first, second, third}));
    EXPECT_EQ(m_main->MDIGetActive(), third);
    ViewOf(third)->activations.clear();

    m_main->MDIActivate(first);
    EXPECT_EQ(m_main->MDIGetActive(), first);
    EXPECT_EQ(ViewOf(third)->activations, std::vector<std::string>{"deactivate"});
    EXPECT_EQ(ViewOf(first)->activations.back(), "activate");
    EXPECT_EQ(m_main->GetActiveFrame(), first);
    EXPECT_EQ(m_main->GetActiveDocument(), m_doc);

    m_main->MDINext();
    EXPECT_EQ(m_main->MDIGetActive(), second);
    m_main->MDINext();
    m_main->MDINext();
    EXPECT_EQ(m_main->MDIGetActive(), first); // after the last comes the first again
}

TEST_F(FrameTest, DestroyingTheActiveChildActivatesTheOneActiveBeforeIt)
{
    CMDIChildWnd* first = m_main->MDIGetActive();
    TestChild* second = NewChild();
    TestChild* third = NewChild();
    m_main->MDIActivate(first);
    m_main->MDIDestroy(first);
    EXPECT_EQ(m_main->MDIGetActive(), third);
    EXPECT_EQ(m_main->GetChildren(), (std::vector<CMDIChildWnd*>{second, third}));
    EXPECT_EQ(m_doc->GetViews().size(), 2u);

    // The document goes with its last view.
    m_main->MDIDestroy(third);
    EXPECT_EQ(m_main->MDIGetActive(), second);
    m_main->MDIDestroy(second);
    EXPECT_EQ(m_main->MDIGetActive(), nullptr);
    EXPECT_EQ(TestDoc::Alive(), 0);
    EXPECT_EQ(m_main->GetActiveFrame(), m_main);
}

TEST_F(FrameTest, ACloseBoxHandlerThatDoesNotCallDefaultKeepsTheWindow)
{
    auto* records = dynamic_cast<TestChild*>(m_main->MDIGetActive());
    TestChild* other = NewChild();
    records->hideOnClose = true;
    m_main->MDIActivate(records);

    TestHooks::PressCloseBox(*records);
    TestHooks::DeliverPosted();
    EXPECT_NE(records->GetSafeHwnd(), nullptr);
    EXPECT_FALSE(records->IsWindowVisible());
    EXPECT_EQ(m_main->MDIGetActive(), other);

    // Activating it shows it again; the other child's close box closes its window.
    m_main->MDIActivate(records);
    EXPECT_TRUE(records->IsWindowVisible());
    TestHooks::PressCloseBox(*other);
    TestHooks::DeliverPosted();
    EXPECT_EQ(m_main->GetChildren(), std::vector<CMDIChildWnd*>{records});
}

TEST_F(FrameTest, ClosingTheLastFrameOfAModifiedDocumentAsksToSave)
{
    CMDIChildWnd* only = m_main->MDIGetActive();
    m_doc->SetModifiedFlag();
    TestHooks::AnswerMessageBox(IDCANCEL);
    TestHooks::PressCloseBox(*only);
    EXPECT_EQ(m_main->GetChildren(), std::vector<CMDIChildWnd*>{only});
    EXPECT_EQ(TestHooks::TakeMessages().at(0).text, "Save changes to Untitled?");

    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::PressCloseBox(*only);
    TestHooks::DeliverPosted();
    EXPECT_TRUE(m_main->GetChildren().empty());
    EXPECT_EQ(TestDoc::Alive(), 0);
}

TEST_F(FrameTest, SizeLimitsFromGetMinMaxInfoHold)
{
    auto* child = dynamic_cast<TestChild*>(m_main->MDIGetActive());
    child->minimum = CSize(200, 150);
    child->maximum = CSize(400, 300);
    CRect rect;
    child->MoveWindow(0, 0, 50, 40);
    child->GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), CSize(200, 150));
    child->MoveWindow(0, 0, 900, 900);
    child->GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), CSize(400, 300));
}

TEST_F(FrameTest, CascadedWindowsKeepAUsableSizeAndStepDownFromTheCorner)
{
    CRect frame;
    m_main->GetClientRect(&frame);
    CMDIChildWnd* first = m_main->MDIGetActive();
    m_main->MDICascade();
    CRect alone;
    first->GetWindowRect(&alone);
    EXPECT_GE(alone.Width(), frame.Width() / 2) << "one window is no title bar";
    EXPECT_GE(alone.Height(), frame.Height() / 3);

    TestChild* second = NewChild();
    TestChild* third = NewChild();
    m_main->MDICascade();
    CRect rects[3];
    first->GetWindowRect(&rects[0]);
    second->GetWindowRect(&rects[1]);
    third->GetWindowRect(&rects[2]);
    const int step = rects[1].top - rects[0].top;
    EXPECT_GT(step, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rects[i].Size(), rects[0].Size()) << i;
        EXPECT_GE(rects[i].Width(), alone.Width() * 2 / 3) << i;
        EXPECT_EQ(rects[i].TopLeft(), rects[0].TopLeft() + CPoint(step * i, step * i)) << i;
    }
    EXPECT_EQ(m_main->MDIGetActive(), third) << "the active window stays active, on top";
}

TEST_F(FrameTest, AWindowNeverPaintsOverTheWindowsMovedAboveIt)
{
    CMDIChildWnd* lower = m_main->MDIGetActive();
    TestChild* upper = NewChild();
    lower->MoveWindow(0, 0, 600, 380);
    upper->MoveWindow(0, 0, 200, 100);
    CWnd panel, part;
    ASSERT_TRUE(panel.Create(nullptr, "panel", WS_CHILD | WS_VISIBLE, CRect(300, 150, 590, 350),
                             ViewOf(lower), 5));
    ASSERT_TRUE(
        part.Create(nullptr, "part", WS_CHILD | WS_VISIBLE, CRect(10, 10, 30, 30), &panel, 6));
    TestHooks::ShownImage(*m_main);

    // As in a cascade: the lower window, due for a whole repaint, moves a child within a panel
    // clear of the upper window; the upper window then comes over it; later the panel paints
    // again.
    lower->MoveWindow(0, 0, 600, 381);
    part.MoveWindow(100, 100, 20, 20, FALSE);
    upper->MoveWindow(20, 20, 560, 340);
    TestHooks::ShownImage(*m_main);
    panel.Invalidate();
    const TestHooks::Image shown = TestHooks::ShownImage(*m_main);
    const TestHooks::Image painted = TestHooks::RenderWindow(*m_main);
    ASSERT_EQ(shown.pixels.size(), painted.pixels.size());
    int wrong = 0;
    for (std::size_t i = 0; i < shown.pixels.size(); ++i)
        wrong += shown.pixels[i] != painted.pixels[i];
    EXPECT_EQ(wrong, 0) << "pixels on the screen that the windows do not paint";
}

TEST_F(FrameTest, NewWindowsStepDownFromTheCornerWithinTheRoom)
{
    CRect room;
    m_main->MDIGetActive()->GetParent()->GetWindowRect(&room);
    CRect rects[3];
    m_main->MDIGetActive()->GetWindowRect(&rects[0]);
    NewChild()->GetWindowRect(&rects[1]);
    NewChild()->GetWindowRect(&rects[2]);
    const int step = rects[1].top - rects[0].top;
    EXPECT_GT(step, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rects[i].TopLeft(), rects[0].TopLeft() + CPoint(step * i, step * i)) << i;
        CRect inside;
        EXPECT_TRUE(inside.IntersectRect(room, rects[i]) && inside == rects[i]) << i;
    }
}

TEST_F(FrameTest, TheWindowMenuListsTheVisibleChildrenWithTheActiveOneChecked)
{
    auto* first = dynamic_cast<TestChild*>(m_main->MDIGetActive());
    NewChild();
    m_main->MDIDestroy(NewChild());
    CMenu* window = m_main->GetWindowMenuPopup(m_main->GetMenu());
    ASSERT_EQ(window, m_main->GetMenu()->GetSubMenu(1));
    EXPECT_EQ(MenuTexts(window),
              (std::vector<std::string>{"&Cascade", "&Tile", "-", "&1 Untitled:1",
                                        "&2 Untitled:2 [checked]"}));

    EXPECT_TRUE(TestHooks::RunCommand(*m_main, AFX_IDM_FIRST_MDICHILD));
    EXPECT_EQ(m_main->MDIGetActive(), first);
    first->hideOnClose = true;
    TestHooks::PressCloseBox(*first);
    m_main->SendMessage(WM_INITMENUPOPUP, WPARAM(window->GetSafeHmenu()), 1);
    EXPECT_EQ(MenuTexts(window),
              (std::vector<std::string>{"&Cascade", "&Tile", "-", "&1 Untitled:2 [checked]"}));
}

TEST_F(FrameTest, TitlesFollowTheDocument)
{
    CMDIChildWnd* first = m_main->MDIGetActive();
    EXPECT_EQ(TextOf(m_main), "Untitled - Frames Test");
    EXPECT_EQ(TextOf(first), "Untitled");

    m_doc->SetPathName("C:\\data\\smith.ged", FALSE);
    EXPECT_EQ(m_doc->GetTitle(), "smith.ged");
    EXPECT_EQ(TextOf(m_main), "smith.ged - Frames Test");
    TestChild* second = NewChild();
    EXPECT_EQ(TextOf(first), "smith.ged:1");
    EXPECT_EQ(TextOf(second), "smith.ged:2");

    m_doc->SetPathName("/home/me/trees/jones.ged", FALSE);
    EXPECT_EQ(TextOf(second), "jones.ged:2");
    EXPECT_EQ(TextOf(m_main), "jones.ged - Frames Test");
}

TEST_F(FrameTest, AClickInAnInactiveChildActivatesIt)
{
    CMDIChildWnd* first = m_main->MDIGetActive();
    NewChild();
    CWnd* subView = first->GetActiveView()->GetDlgItem(int(CView::kSubViewId));
    ASSERT_NE(subView, nullptr);
    TestHooks::PostMouse(*subView, TestHooks::MouseEvent::LeftDown, CPoint(5, 5), MK_LBUTTON);
    TestHooks::PostMouse(*subView, TestHooks::MouseEvent::LeftUp, CPoint(5, 5), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(m_main->MDIGetActive(), first);
}

TEST_F(FrameTest, AClickOnWhatTakesNoFocusLeavesTheFocusWhereItWasAndActivationRestoresIt)
{
    // A child window that takes the focus when it is clicked (not through Tab: no tab stop),
    // and a scroll bar control beside it, as a grid has.
    CMDIChildWnd* first = m_main->MDIGetActive();
    CView* view = first->GetActiveView();
    auto* cells = new SubView;
    ASSERT_TRUE(
        cells->Create(nullptr, "cells", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), view, 1));
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 100, 200, 116), view, 2));
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 99, 10, 0, 0};
    bar.SetScrollInfo(&info, TRUE);
    cells->SetFocus();
    ASSERT_EQ(CWnd::GetFocus(), cells);

    user_input::Drag(bar, CPoint(22, 8), CPoint(120, 8)); // the thumb, dragged
    EXPECT_EQ(CWnd::GetFocus(), cells) << "the scroll bar takes no focus, nor its window";
    user_input::Drag(*view, CPoint(250, 200), CPoint(250, 200));
    EXPECT_EQ(CWnd::GetFocus(), cells) << "nor a part of the window that takes none";

    // Another child takes the focus; a click on the first one's scroll bar (its arrow, left of
    // the second window, which stands one step lower and further right) activates it, and its
    // view has the focus again.
    TestChild* second = NewChild();
    EXPECT_EQ(m_main->MDIGetActive(), second);
    EXPECT_NE(CWnd::GetFocus(), cells);
    user_input::Drag(bar, CPoint(3, 8), CPoint(3, 8)); // left of the second window
    EXPECT_EQ(m_main->MDIGetActive(), first);
    EXPECT_EQ(CWnd::GetFocus(), view);
    bar.DestroyWindow();
}

TEST_F(FrameTest, TheMainFramesAcceleratorsRunCommandsWhenEnabled)
{
    CWnd* view = m_main->MDIGetActive()->GetActiveView();
    TestHooks::PostKey(*view, 'N', MK_CONTROL);
    TestHooks::PostKey(*view, 'P', MK_CONTROL);
    TestHooks::DeliverPosted();
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"new", "print"}));
}

TEST_F(FrameTest, ClosingTheMainFrameOffersToSaveThenClosesEveryDocument)
{
    m_doc->SetModifiedFlag();
    TestHooks::AnswerMessageBox(IDCANCEL);
    TestHooks::PressCloseBox(*m_main);
    TestHooks::DeliverPosted();
    EXPECT_NE(m_main->GetSafeHwnd(), nullptr);
    EXPECT_EQ(TestDoc::Alive(), 1);

    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::PressCloseBox(*m_main);
    TestHooks::DeliverPosted();
    m_main = nullptr; // the frame deleted itself with its window
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    EXPECT_EQ(TestDoc::Alive(), 0);
    EXPECT_EQ(TestHooks::TakeMessages().size(), 2u);
}

} // namespace
} // namespace frame_test
