// tests/app/about_splash_test.cpp: the start-up picture (shown centred, closed by time, a key
// or a click, which it swallows) and the About box with its link.
#include "app/about_dlg.h"
#include "app/shell/splash_wnd.h"
#include "tests/app/shell_dialogs_fixture.h"

#include "platform/ui/windows/sys_metrics.h"

namespace {

using app_test::ShellDialogTest;

class SplashTest : public ShellDialogTest {
protected:
    void TearDown() override
    {
        if (CSplashWnd* splash = CSplashWnd::GetSplashScreen())
            splash->HideSplashScreen();
        TestHooks::DeliverPosted();
        CSplashWnd::EnableSplashScreen(FALSE);
        ShellDialogTest::TearDown();
    }
};

TEST_F(SplashTest, OnePictureShowsCentredOnTheScreenWhenEnabled)
{
    CSplashWnd::ShowSplashScreen(nullptr);
    EXPECT_EQ(CSplashWnd::GetSplashScreen(), nullptr);
    CSplashWnd::EnableSplashScreen(TRUE);
    CSplashWnd::ShowSplashScreen(nullptr);
    CSplashWnd* splash = CSplashWnd::GetSplashScreen();
    ASSERT_NE(splash, nullptr);
    CSplashWnd::ShowSplashScreen(nullptr);
    EXPECT_EQ(CSplashWnd::GetSplashScreen(), splash);
    CRect rect;
    splash->GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), CSize(400, 250));
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 250) / 2);
    const TestHooks::Image image = TestHooks::RenderWindow(*splash);
    image.SavePng("splash_window.png");
    // The picture, not a blank window: its dark frame and its green background.
    EXPECT_EQ(image.Pixel(0, 0), RGB(8, 30, 22));
    EXPECT_NE(image.Pixel(5, 5), image.Pixel(5, 245));
}

TEST_F(SplashTest, ClosesAfterFiveSeconds)
{
    CSplashWnd::EnableSplashScreen(TRUE);
    CSplashWnd::ShowSplashScreen(nullptr);
    TestHooks::AdvanceClock(4999);
    TestHooks::DeliverPosted();
    EXPECT_NE(CSplashWnd::GetSplashScreen(), nullptr);
    TestHooks::AdvanceClock(1);
    TestHooks::DeliverPosted();
    EXPECT_EQ(CSplashWnd::GetSplashScreen(), nullptr);
}

TEST_F(SplashTest, AQuestionTakesThePlaceOfThePicture)
{
    CSplashWnd::EnableSplashScreen(TRUE);
    CSplashWnd::ShowSplashScreen(nullptr);
    ASSERT_NE(CSplashWnd::GetSplashScreen(), nullptr);
    TestHooks::AnswerMessageBox(IDNO);
    EXPECT_EQ(MessageBox("Would you like to see the exception report?", MB_YESNO), IDNO);
    TestHooks::DeliverPosted();
    EXPECT_EQ(CSplashWnd::GetSplashScreen(), nullptr);
    TestHooks::TakeMessages();
    // A modal dialog does the same.
    CSplashWnd::ShowSplashScreen(nullptr);
    ASSERT_NE(CSplashWnd::GetSplashScreen(), nullptr);
    CAboutDlg about;
    TestHooks::OnNextDialog(100, [](CDialog& dlg) {
        const CSplashWnd* splash = CSplashWnd::GetSplashScreen();
        EXPECT_TRUE(!splash || !splash->GetSafeHwnd()) << "the picture is still up";
        TestHooks::Click(dlg, IDOK);
    });
    EXPECT_EQ(about.DoModal(), IDOK);
}

struct PressCase {
    const char* name;
    UINT message;
    bool closes;
};

class SplashPresses : public SplashTest, public testing::WithParamInterface<PressCase> {};

TEST_P(SplashPresses, KeyOrButtonDownClosesItAndIsSwallowed)
{
    CSplashWnd::EnableSplashScreen(TRUE);
    CSplashWnd::ShowSplashScreen(nullptr);
    MSG msg;
    msg.message = GetParam().message;
    EXPECT_EQ(CSplashWnd::PreTranslateAppMessage(&msg), GetParam().closes ? TRUE : FALSE);
    TestHooks::DeliverPosted();
    EXPECT_EQ(CSplashWnd::GetSplashScreen() == nullptr, GetParam().closes);
    // With no splash left, nothing more is swallowed.
    EXPECT_FALSE(CSplashWnd::PreTranslateAppMessage(&msg));
}

INSTANTIATE_TEST_SUITE_P(Cases, SplashPresses,
                         testing::Values(PressCase{"KeyDown", WM_KEYDOWN, true},
                                         PressCase{"LeftButton", WM_LBUTTONDOWN, true},
                                         PressCase{"TitleBarClick", 0x00A1, true},
                                         PressCase{"KeyUp", WM_KEYUP, false},
                                         PressCase{"MouseMove", WM_MOUSEMOVE, false}),
                         [](const testing::TestParamInfo<PressCase>& info) {
                             return info.param.name;
                         });

using AboutDlgTest = ShellDialogTest;

TEST_F(AboutDlgTest, ShowsTheVersionAndOpensItsWebAddress)
{
    CAboutDlg about;
    TestHooks::OnNextDialog(100, [](CDialog& dlg) {
        EXPECT_EQ(ShellDialogTest::Text(dlg, 1869), "Ardenvel Riru Version 2.1");
        CWnd* link = dlg.GetDlgItem(1529);
        ASSERT_NE(dynamic_cast<CStaticLink*>(link), nullptr);
        TestHooks::PostMouse(*link, TestHooks::MouseEvent::LeftDown, CPoint(3, 3), MK_LBUTTON);
        TestHooks::DeliverPosted();
        TestHooks::RenderWindow(dlg).SavePng("about_box.png");
        TestHooks::Click(dlg, IDOK);
    });
    EXPECT_EQ(about.DoModal(), IDOK);
    EXPECT_EQ(TestHooks::TakeShellOpens(),
              std::vector<std::string>{"https://www.ardenvel.example/"});
    EXPECT_EQ(about.GetLink().GetLinkColour(), CStaticLink::kVisitedColour);
}

} // namespace
