// tests/app/main_frame_test.cpp: the progress bar's divisor, the window menus and toolbars
// of each window kind, the status bars, the toolbar commands, and the rendered main window.
#include "tests/app/app_fixture.h"

#include "app/shell/app_ids.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace app_test {
namespace {

using testing::ElementsAre;

class MainFrameTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(Start());
    }

    bool BarShown(int index) { return Frame()->GetToolBar(index).IsWindowVisible() != FALSE; }
};

/// A progress range, the divisor and bar range it gives, and a position with what it shows.
struct ProgressCase {
    const char* name;
    long range;
    long divisor;
    int barRange;
    long position;
    int shown;
};

class ProgressTest : public MainFrameTest, public testing::WithParamInterface<ProgressCase> {};

TEST_P(ProgressTest, LargeRangesAreDividedDownToWhatTheBarShows)
{
    const ProgressCase& row = GetParam();

    Frame()->BeginProgress(row.range, "Loading file...");
    Frame()->SetProgressPos(row.position);

    EXPECT_EQ(Frame()->GetProgressDivisor(), row.divisor);
    int lower = -1;
    int upper = -1;
    Frame()->GetProgressCtrl().GetRange(lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, row.barRange);
    EXPECT_EQ(Frame()->GetProgressCtrl().GetPos(), row.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ProgressTest,
    testing::Values(ProgressCase{"TwoHundredThousand", 200000, 4, 50000, 100000, 25000},
                    ProgressCase{"JustBelowTheLimit", 65534, 1, 65534, 65000, 65000},
                    ProgressCase{"AtTheLimit", 65535, 2, 32767, 65535, 32767},
                    ProgressCase{"Small", 10, 1, 10, 7, 7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFrameTest, ProgressTakesTheStatusBarsPlaceForItsRun)
{
    CStatusBar* mainBar = Frame()->GetStatusBar(ID_STATUS_MAIN);
    CStatusBar* progressBar = Frame()->GetStatusBar(ID_STATUS_PROGRESS);

    Frame()->BeginProgress(200000, "Loading file...");
    Frame()->BeginProgress(10, "A second run is ignored");

    EXPECT_FALSE(mainBar->IsWindowVisible());
    EXPECT_TRUE(progressBar->IsWindowVisible());
    EXPECT_EQ(progressBar->GetPaneText(1), "Loading file...");
    EXPECT_EQ(Frame()->GetProgressDivisor(), 4);
    CRect pane;
    progressBar->GetItemRect(0, &pane);
    EXPECT_FALSE(pane.IsRectEmpty());

    Frame()->ResetProgress(1000, "Initialising data...");
    EXPECT_EQ(Frame()->GetProgressDivisor(), 1);
    EXPECT_EQ(Frame()->GetProgressCtrl().GetPos(), 0);
    EXPECT_EQ(progressBar->GetPaneText(1), "Initialising data...");

    Frame()->EndProgress();
    EXPECT_TRUE(mainBar->IsWindowVisible());
    EXPECT_FALSE(progressBar->IsWindowVisible());
    EXPECT_FALSE(Frame()->IsProgressActive());
    Frame()->EndProgress();
    EXPECT_TRUE(mainBar->IsWindowVisible());
}

/// A window kind, the menu it puts before "&Window" (empty for none) and its toolbar (-1 none).
struct KindCase {
    const char* name;
    int kind;
    const char* menu;
    int toolBar;
};

class WindowKindTest : public MainFrameTest, public testing::WithParamInterface<KindCase> {};

TEST_P(WindowKindTest, EachKindBringsItsOwnMenuAndToolbarOnly)
{
    Frame()->RebuildMenus(kSubViewDiagram);
    Frame()->RebuildMenus(GetParam().kind);

    std::vector<std::string> titles = MenuTitles();
    const auto window = std::find(titles.begin(), titles.end(), "&Window");
    ASSERT_NE(window, titles.end());
    const std::string before = *(window - 1);
    if (*GetParam().menu)
        EXPECT_EQ(before, GetParam().menu);
    else
        EXPECT_EQ(before, "&Tools");
    for (const char* windowMenu : {"&Lists", "&Diagram", "&Multimedia", "&Report"})
        EXPECT_EQ(std::count(titles.begin(), titles.end(), windowMenu),
                  windowMenu == std::string(GetParam().menu) ? 1 : 0)
            << windowMenu;
    for (int bar : {kRecordsBar, kDiagramBar, kMediaBar})
        EXPECT_EQ(BarShown(bar), bar == GetParam().toolBar) << bar;
    EXPECT_TRUE(BarShown(kStandardBar));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, WindowKindTest,
    testing::Values(KindCase{"Records", kSubViewRecords, "&Lists", kRecordsBar},
                    KindCase{"Diagram", kSubViewDiagram, "&Diagram", kDiagramBar},
                    KindCase{"Multimedia", kSubViewMedia, "&Multimedia", kMediaBar},
                    KindCase{"Report", kSubViewReport, "&Report", -1},
                    KindCase{"Query", kSubViewQuery, "", -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFrameTest, ToolbarCommandsShowAndHideTheirBarsAndCheckTheirItems)
{
    ASSERT_TRUE(Run(ID_VIEW_DIAGRAM_TOOLBAR));
    EXPECT_TRUE(BarShown(kDiagramBar));
    ASSERT_TRUE(Run(ID_VIEW_TOOLBAR));
    EXPECT_FALSE(BarShown(kStandardBar));

    TestHooks::OpenMenuBarPopup(*Frame(), 2);
    CMenu* view = Frame()->GetMenu()->GetSubMenu(2);
    const auto checked = [view](UINT id) {
        return (view->GetMenuState(id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    EXPECT_FALSE(checked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(checked(ID_VIEW_RECORDS_TOOLBAR));
    EXPECT_TRUE(checked(ID_VIEW_DIAGRAM_TOOLBAR));
    EXPECT_FALSE(checked(ID_VIEW_MEDIA_TOOLBAR));
    TestHooks::CloseMenuBarPopup(*Frame());
}

TEST_F(MainFrameTest, OneStatusBarShowsAtATimeAndCarriesThePrompts)
{
    Frame()->ShowStatusBar(ID_STATUS_DIAGRAM);

    EXPECT_FALSE(Frame()->GetStatusBar(ID_STATUS_MAIN)->IsWindowVisible());
    EXPECT_TRUE(Frame()->GetStatusBar(ID_STATUS_DIAGRAM)->IsWindowVisible());
    EXPECT_EQ(Frame()->GetMessageBar(), Frame()->GetStatusBar(ID_STATUS_DIAGRAM));
    EXPECT_EQ(Frame()->GetStatusBar(ID_STATUS_DIAGRAM)->GetItemID(0), ID_PANE_PROMPT);

    Frame()->ShowStatusBar(12345);
    EXPECT_EQ(Frame()->GetCurrentStatusBar(), 0u);
    EXPECT_FALSE(Frame()->GetStatusBar(ID_STATUS_DIAGRAM)->IsWindowVisible());
    EXPECT_EQ(Frame()->GetMessageBar(), Frame()->GetStatusBar(ID_STATUS_MAIN));
}

TEST_F(MainFrameTest, TheRecordCountPanesFollowTheOpenFile)
{
    m_app->OpenDocumentFile(WriteGedcom("family.ged", kFamilyFile).c_str());
    TestHooks::RunIdle();

    CStatusBar* bar = Frame()->GetStatusBar(ID_STATUS_MAIN);
    EXPECT_EQ(bar->GetPaneText(1), "Individuals: 2");
    EXPECT_EQ(bar->GetPaneText(2), "Families: 1");
    EXPECT_EQ(bar->GetPaneText(3), "");
    EXPECT_EQ(bar->GetPaneText(0), "For Help, press F1");
}

TEST_F(MainFrameTest, ToolbarPlacesAreKeptForTheNextRun)
{
    const auto placeOf = [this](int index) {
        CPoint corner;
        Frame()->ClientToScreen(&corner);
        CRect rect;
        Frame()->GetToolBar(index).GetWindowRect(&rect);
        return CPoint(rect.left - corner.x, rect.top - corner.y);
    };
    CPoint corner;
    Frame()->ClientToScreen(&corner);
    Frame()->FloatControlBar(&Frame()->GetToolBar(kRecordsBar),
                             CPoint(corner.x + 300, corner.y + 200));
    const CPoint standard = placeOf(kStandardBar);
    ASSERT_TRUE(Run(ID_APP_EXIT));
    ASSERT_EQ(m_app->GetMainFrame(), nullptr);
    m_app->ExitInstance();
    m_app = std::make_unique<CAvApp>();

    ASSERT_TRUE(Start());

    EXPECT_TRUE(Frame()->GetToolBar(kRecordsBar).IsFloating());
    EXPECT_EQ(placeOf(kRecordsBar).x, 300);
    EXPECT_EQ(placeOf(kRecordsBar).y, 200);
    EXPECT_FALSE(Frame()->GetToolBar(kStandardBar).IsFloating());
    EXPECT_EQ(placeOf(kStandardBar).x, standard.x);
    EXPECT_EQ(placeOf(kStandardBar).y, standard.y);
}

/// Whether a rectangle of the image holds a pixel of the colour.
bool HasColour(const TestHooks::Image& image, const CRect& area, COLORREF colour)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (image.Pixel(x, y) == colour)
                return true;
    return false;
}

/// Whether a rectangle holds pixels darker than level in every channel: text is near black,
/// the outlines of greyed toolbar buttons mid-grey.
bool HasDark(const TestHooks::Image& image, const CRect& area, int level = 80)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = image.Pixel(x, y);
            if (GetRValue(c) < level && GetGValue(c) < level && GetBValue(c) < level)
                return true;
        }
    return false;
}

TEST_F(MainFrameTest, TheRenderedWindowShowsMenuBarToolbarsRecordsWindowAndStatusBar)
{
    m_app->OpenDocumentFile(WriteGedcom("family.ged", kFamilyFile).c_str());
    TestHooks::RunIdle();

    const TestHooks::Image image = TestHooks::RenderWindow(*Frame());
    image.SavePng("main_window.png");

    CRect frame;
    Frame()->GetWindowRect(&frame);
    const auto local = [&frame](CWnd& wnd) {
        CRect rect;
        wnd.GetWindowRect(&rect);
        rect.OffsetRect(-frame.left, -frame.top);
        return rect;
    };
    const CRect standard = local(Frame()->GetToolBar(kStandardBar));
    const CRect status = local(*Frame()->GetStatusBar(ID_STATUS_MAIN));
    ASSERT_GT(standard.top, 0);
    EXPECT_TRUE(HasDark(image, CRect(0, 0, 300, standard.top))) << "menu bar";
    EXPECT_TRUE(HasColour(image, standard, RGB(0, 0, 128))) << "the Save button";
    EXPECT_TRUE(HasDark(image, local(Frame()->GetToolBar(kRecordsBar)), 160)) << "records toolbar";
    EXPECT_TRUE(HasDark(image, status)) << "status bar";
    CWnd* records = m_app->FindRecordsView();
    ASSERT_NE(records, nullptr);
    EXPECT_TRUE(HasDark(image, local(*records))) << "records window";
}

} // namespace
} // namespace app_test
