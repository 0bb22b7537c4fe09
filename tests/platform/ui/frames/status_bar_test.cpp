// tests/platform/ui/frames/status_bar_test.cpp: status panes take their widths from sizing texts in
// the bar's font, one pane stretches, panes are found by id, and a progress bar lies over a pane.
#include "tests/platform/ui/frames/frame_fixture.h"

#include "platform/ui/dialogs/progress_ctrl.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/gdi_object.h"
#include "platform/ui/windows/sys_metrics.h"

namespace frame_test {
namespace {

/// The width of text in the default GUI font, as a device context measures it.
int GuiTextWidth(const std::string& text)
{
    int width = 0;
    TestHooks::RenderDC(10, 10, [&](CDC& dc) {
        dc.SelectStockObject(DEFAULT_GUI_FONT);
        width = dc.GetTextExtent(text).cx;
    });
    return width;
}

struct PaneInfo {
    UINT id = 0;
    UINT style = 0;
    int width = 0;
};

PaneInfo InfoOf(const CStatusBar& bar, int index)
{
    PaneInfo info;
    bar.GetPaneInfo(index, info.id, info.style, info.width);
    return info;
}

TEST_F(FrameTest, PaneWidthsComeFromTheSizingTextsInTheBarsFont)
{
    const CStatusBar& bar = m_main->statusBar;
    ASSERT_EQ(bar.GetCount(), 3);
    const PaneInfo prompt = InfoOf(bar, 0), individuals = InfoOf(bar, 1), families = InfoOf(bar, 2);
    EXPECT_EQ(prompt.style, SBPS_STRETCH | SBPS_NOBORDERS);
    EXPECT_EQ(prompt.width, GetSystemMetrics(SM_CXSCREEN) / 4);
    EXPECT_EQ(individuals.width, GuiTextWidth("Individuals: 999999 "));
    EXPECT_EQ(families.width, GuiTextWidth("Families: 999999 "));
    EXPECT_GT(individuals.width, families.width);

    // Each pane adds the same border and margins to its width; the stretching pane takes
    // what the bar has left, and the panes end at the bar's right edge.
    CRect client, rects[3];
    bar.GetClientRect(&client);
    for (int i = 0; i < 3; ++i)
        bar.GetItemRect(i, &rects[i]);
    EXPECT_EQ(rects[1].Width() - individuals.width, rects[2].Width() - families.width);
    EXPECT_GT(rects[0].Width(), prompt.width);
    EXPECT_LT(rects[0].right, rects[1].left);
    EXPECT_LT(rects[1].right, rects[2].left);
    EXPECT_EQ(client.right - rects[2].right, rects[0].left - client.left);
}

TEST_F(FrameTest, PanesAreChangedAndFoundByTheirIds)
{
    CStatusBar& bar = m_main->statusBar;
    EXPECT_EQ(bar.CommandToIndex(kFamiliesPane), 2);
    EXPECT_EQ(bar.CommandToIndex(59399), -1);
    bar.SetPaneInfo(0, 59399, SBPS_NOBORDERS, 120);
    bar.SetPaneInfo(2, kFamiliesPane, SBPS_STRETCH, 10);
    EXPECT_EQ(bar.CommandToIndex(59399), 0);
    CRect prompt, individuals, families, client;
    bar.GetItemRect(0, &prompt);
    bar.GetItemRect(1, &individuals);
    bar.GetItemRect(2, &families);
    bar.GetClientRect(&client);
    const int extra = individuals.Width() - InfoOf(bar, 1).width;
    EXPECT_EQ(prompt.Width(), 120 + extra);
    EXPECT_GT(families.Width(), 10 + extra);
    EXPECT_EQ(client.right - families.right, prompt.left - client.left);

    EXPECT_TRUE(bar.SetPaneText(1, "Individuals: 7"));
    EXPECT_EQ(bar.GetPaneText(1), "Individuals: 7");
    EXPECT_FALSE(bar.SetPaneText(3, "no such pane"));
    CRect none;
    bar.GetItemRect(5, &none);
    EXPECT_TRUE(none.IsRectNull());
}

TEST_F(FrameTest, APaneGrowsToATextWiderThanItsSizingTextAndKeepsThatWidth)
{
    CStatusBar& bar = m_main->statusBar;
    const int sized = InfoOf(bar, 1).width;

    bar.SetPaneText(1, "Individuals: 1002330");
    const int grown = InfoOf(bar, 1).width;
    EXPECT_EQ(grown, GuiTextWidth("Individuals: 1002330"));
    EXPECT_GT(grown, sized);
    CRect prompt, individuals, families;
    bar.GetItemRect(0, &prompt);
    bar.GetItemRect(1, &individuals);
    bar.GetItemRect(2, &families);
    EXPECT_LT(prompt.right, individuals.left);
    EXPECT_LT(individuals.right, families.left);

    bar.SetPaneText(1, "Individuals: 7");
    EXPECT_EQ(InfoOf(bar, 1).width, grown);

    const int promptWidth = InfoOf(bar, 0).width;
    bar.SetPaneText(0, std::string(400, 'W'));
    EXPECT_EQ(InfoOf(bar, 0).width, promptWidth);
}

TEST_F(FrameTest, APaneWhoseSizingTextIsMissingFailsTheIndicators)
{
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(m_main, WS_CHILD, 59398));
    const UINT panes[] = {ID_SEPARATOR, kIndividualsPane, 59437};
    EXPECT_FALSE(bar.SetIndicators(panes, 3));
    EXPECT_FALSE(bar.IsWindowVisible());
}

TEST_F(FrameTest, TheMessageBarShowsPromptsInItsFirstPane)
{
    m_main->SetMessageText(ID_FILE_OPEN);
    EXPECT_EQ(m_main->statusBar.GetPaneText(0), "Open a file");
    m_main->SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(m_main->statusBar.GetPaneText(0), "For Help, press F1");
}

TEST_F(FrameTest, AProgressBarLiesOverAPaneAndShowsItsPosition)
{
    // The bar of a long operation: a stretching pane for the progress and a text pane.
    CStatusBar bar;
    const UINT panes[] = {59433, 59434};
    ASSERT_TRUE(bar.Create(m_main, WS_CHILD | WS_VISIBLE, 59432));
    ASSERT_TRUE(bar.SetIndicators(panes, 2));
    CRect client;
    bar.GetClientRect(&client);
    bar.SetPaneInfo(0, 59433, SBPS_STRETCH, 0);
    bar.SetPaneInfo(1, 59434, 0, client.Width() * 2 / 3);
    bar.SetPaneText(1, "Loading...");
    m_main->statusBar.ShowWindow(SW_HIDE);

    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(), &bar, 65));
    CRect pane;
    bar.GetItemRect(0, &pane);
    progress.MoveWindow(pane);
    progress.SetRange32(0, 50000);
    EXPECT_EQ(progress.SetPos(25000), 0);
    EXPECT_EQ(progress.SetPos(90000), 25000);
    EXPECT_EQ(progress.GetPos(), 50000); // held at the end of the range
    progress.SetRange32(0, 100);
    EXPECT_EQ(progress.GetPos(), 100);
    progress.SetPos(25);

    CRect onBar;
    progress.GetWindowRect(&onBar);
    bar.ScreenToClient(&onBar);
    EXPECT_EQ(onBar, pane);
    const TestHooks::Image image = TestHooks::RenderWindow(bar);
    const int y = (pane.top + pane.bottom) / 2;
    const COLORREF filled = image.Pixel(pane.left + pane.Width() / 8, y);
    const COLORREF empty = image.Pixel(pane.left + pane.Width() * 3 / 4, y);
    EXPECT_NE(filled, empty);
    EXPECT_EQ(empty, image.Pixel(pane.left + pane.Width() * 7 / 8, y));
}

} // namespace
} // namespace frame_test
