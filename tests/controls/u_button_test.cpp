// tests/controls/u_button_test.cpp: the bitmap button: presses and clicks reported to its
// listener, latching, and the frames it shows enabled, pressed and disabled.
#include "tests/controls/tree_box_fixture.h"

#include "controls/u_button.h"
#include "platform/ui/windows/sys_metrics.h"

namespace {

using TestHooks::MouseEvent;

class RecordingListener : public CUButtonListener {
public:
    std::vector<std::string> calls;
    void OnButtonPressed(CUButton*) override { calls.push_back("pressed"); }
    void OnButtonClicked(CUButton*) override { calls.push_back("clicked"); }
};

class UButtonTest : public testing::Test {
protected:
    void SetUp() override
    {
        controls_test::UseCompiledResources();
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100),
                                  nullptr, 0));
    }
    void TearDown() override
    {
        button.DestroyWindow();
        host.DestroyWindow();
    }
    void Make(DWORD flags)
    {
        ASSERT_TRUE(button.CreateButton(WS_CHILD | WS_VISIBLE, CRect(10, 10, 26, 26), &host, 5,
                                        &listener, 9, 11, 234, 4, flags, 233));
    }
    void Click(CPoint down, CPoint up)
    {
        TestHooks::PostMouse(button, MouseEvent::LeftDown, down, MK_LBUTTON);
        TestHooks::PostMouse(button, MouseEvent::Move, up, MK_LBUTTON);
        TestHooks::PostMouse(button, MouseEvent::LeftUp, up, 0);
        TestHooks::DeliverPosted();
    }
    /// A corner of the right-pointing triangle, which the left-pointing one leaves clear.
    COLORREF Tip()
    {
        const TestHooks::Image shown = TestHooks::RenderWindow(button);
        int x = (15 - 9 + 1) / 2, y = (15 - 11 + 1) / 2;
        if (button.GetState() == CUButton::kPressed || button.GetState() == CUButton::kLatched)
            ++x, ++y;
        return shown.Pixel(x + 2, y + 2);
    }

    CWnd host;
    CUButton button;
    RecordingListener listener;
};

TEST_F(UButtonTest, ALatchableButtonStaysDownUntilClickedAgain)
{
    Make(CUButton::kLatchable);
    Click(CPoint(5, 5), CPoint(6, 6));
    EXPECT_EQ(button.GetState(), CUButton::kLatched);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"pressed", "clicked"}));
    const TestHooks::Image latched = TestHooks::RenderWindow(button);
    EXPECT_EQ(latched.Pixel(0, 0), GetSysColor(COLOR_BTNSHADOW)); // the flat frame
    Click(CPoint(5, 5), CPoint(6, 6));
    EXPECT_EQ(button.GetState(), CUButton::kNormal);
    EXPECT_EQ(listener.calls.size(), 4u);
    EXPECT_EQ(TestHooks::RenderWindow(button).Pixel(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(UButtonTest, ReleasedOutsideItReportsThePressButNoClick)
{
    Make(0);
    Click(CPoint(5, 5), CPoint(40, 40));
    EXPECT_EQ(listener.calls, std::vector<std::string>{"pressed"});
    EXPECT_EQ(button.GetState(), CUButton::kNormal);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(UButtonTest, PicturesShowThroughTheirMasksAndADisabledButtonShowsItsGreyFrames)
{
    Make(0);
    EXPECT_EQ(Tip(), RGB(0, 0, 0));
    button.SetAlternateBitmap(true, true, true);
    EXPECT_EQ(Tip(), GetSysColor(COLOR_3DFACE)); // the other bitmap points the other way
    button.SetAlternateBitmap(false, true, true);
    button.EnableWindow(FALSE);
    EXPECT_EQ(button.GetState(), CUButton::kDisabled);
    EXPECT_EQ(Tip(), RGB(128, 128, 128));
    Click(CPoint(5, 5), CPoint(5, 5));
    EXPECT_TRUE(listener.calls.empty());
    button.EnableWindow(TRUE);
    EXPECT_EQ(button.GetState(), CUButton::kNormal);
}

// The picture is centred and the frame drawn along the edges, so a button made taller shows
// them again where they now belong, and nothing of them where they were.
TEST_F(UButtonTest, AResizedButtonDrawsItsFaceAnewForItsNewSize)
{
    Make(0);
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    ASSERT_EQ(TestHooks::RenderWindow(button).Pixel(8, 15), frame);
    button.MoveWindow(10, 10, 16, 48);
    const TestHooks::Image taller = TestHooks::RenderWindow(button);
    EXPECT_EQ(taller.Pixel(8, 47), frame);
    EXPECT_EQ(taller.Pixel(8, 15), GetSysColor(COLOR_3DFACE));
    // Where the picture was, the face; the picture's black point now lies 16 pixels lower.
    EXPECT_EQ(taller.Pixel(3 + 2, 2 + 2), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(taller.Pixel(3 + 2, 18 + 2), RGB(0, 0, 0));
}

TEST_F(UButtonTest, AMissingBitmapFailsTheCreation)
{
    EXPECT_FALSE(button.CreateButton(WS_CHILD | WS_VISIBLE, CRect(0, 0, 16, 16), &host, 5,
                                     &listener, 9, 11, 9999, 4, 0, 0));
    EXPECT_EQ(button.GetSafeHwnd(), nullptr);
}

} // namespace
