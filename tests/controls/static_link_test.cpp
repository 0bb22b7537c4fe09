// tests/controls/static_link_test.cpp: the hyperlink control: what a click opens, its colour
// before and after, and statics of other styles.
#include "controls/static_link.h"
#include "tests/controls/tree_box_fixture.h"

#include "platform/base/prompt.h"
#include "platform/ui/dialogs/static.h"
#include "platform/ui/windows/test_hooks.h"

#include <gtest/gtest.h>

namespace {

/// A prompt whose desktop opens nothing.
class FailingOpens final : public IPrompt {
public:
    int MessageBox(const std::string&, UINT, const std::string&) override { return IDOK; }
    void MessageBeep(UINT) override { ++m_beeps; }
    int ShellOpen(const std::string&, const std::string&) override { return 2; }
    int m_beeps = 0;
};

/// A window holding static 7 with the text and style; the link takes its place.
class StaticLinkTest : public testing::Test {
protected:
    void Make(const char* text, DWORD style)
    {
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 60),
                                    nullptr, 0));
        ASSERT_TRUE(m_static.Create(text, WS_CHILD | WS_VISIBLE | style, CRect(10, 10, 290, 30),
                                    &m_host, 7));
        m_link = new CStaticLink(nullptr, TRUE);
        ASSERT_TRUE(m_link->SubclassDlgItem(7, &m_host));
    }
    void TearDown() override
    {
        TestHooks::TakeShellOpens();
        m_host.DestroyWindow();
    }
    void ClickLink()
    {
        TestHooks::PostMouse(*m_link, TestHooks::MouseEvent::LeftDown, CPoint(2, 2), MK_LBUTTON);
        TestHooks::PostMouse(*m_link, TestHooks::MouseEvent::LeftUp, CPoint(2, 2), 0);
        TestHooks::DeliverPosted();
    }
    /// Whether any pixel of the link's area has the colour.
    bool Shows(COLORREF colour)
    {
        const TestHooks::Image image = TestHooks::RenderWindow(m_host);
        for (int y = 10; y < 30; ++y)
            for (int x = 10; x < 290; ++x)
                if (image.Pixel(x, y) == colour)
                    return true;
        return false;
    }

    CWnd m_host;
    CStatic m_static;
    CStaticLink* m_link = nullptr; // deletes itself with its window
};

TEST_F(StaticLinkTest, TheHandShowsOverTheLink)
{
    controls_test::UseCompiledResources();
    Make("www.example.org", SS_LEFT);
    EXPECT_EQ(GetCursorResourceId(m_link->GetWindowCursor()), CStaticLink::kHandCursorId);
}

TEST_F(StaticLinkTest, ClickOpensItsTextAndTurnsPurple)
{
    Make("https://www.ardenvel.example/", SS_LEFT);
    EXPECT_TRUE(Shows(CStaticLink::kUnvisitedColour));
    ClickLink();
    EXPECT_EQ(TestHooks::TakeShellOpens(),
              std::vector<std::string>{"https://www.ardenvel.example/"});
    EXPECT_EQ(m_link->GetLinkColour(), CStaticLink::kVisitedColour);
    EXPECT_TRUE(Shows(CStaticLink::kVisitedColour));
    EXPECT_FALSE(Shows(CStaticLink::kUnvisitedColour));
}

TEST_F(StaticLinkTest, TargetThatCannotOpenBeepsAndStaysBlue)
{
    Make("/no/such/document.pdf", SS_LEFT);
    IPrompt* installed = GetPrompt();
    FailingOpens failing;
    SetPrompt(&failing);
    ClickLink();
    SetPrompt(installed);
    EXPECT_EQ(failing.m_beeps, 1);
    EXPECT_EQ(m_link->GetLinkColour(), CStaticLink::kUnvisitedColour);
}

TEST_F(StaticLinkTest, SimpleStyleLooksPlainButStillOpens)
{
    Make("www.example.org", SS_SIMPLE);
    EXPECT_FALSE(Shows(CStaticLink::kUnvisitedColour));
    ClickLink();
    EXPECT_EQ(TestHooks::TakeShellOpens(), std::vector<std::string>{"www.example.org"});
    EXPECT_FALSE(Shows(CStaticLink::kVisitedColour));
}

} // namespace
