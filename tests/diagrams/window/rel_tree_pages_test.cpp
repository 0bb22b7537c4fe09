// tests/diagrams/window/rel_tree_pages_test.cpp: the page grid of the Diagram window: the sizing
// arithmetic, Show Page Boundaries with its lines on the screen, Avoid Page Boundaries, the
// printed size command (its dialog, the no-printer question, a diagram with no rows), the
// page-grid drag, and the whole-diagram view with its titles or its pages.
#include "tests/diagrams/window/rel_tree_fixture.h"

#include "diagrams/page_grid.h"
#include "diagrams/window/diag_print_size_dlg.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/windows/cmd_ui.h"
#include "platform/ui/windows/subclass_wnd.h"

#include <algorithm>

namespace {

using namespace rel_tree_test;

TEST(PageGridTest, SizingAligningAndSnapping)
{
    struct Size {
        int pw, ph, rows, rowHeight, x, y;
        PageGrid expected;
    };
    const Size sizes[] = {
        {2000, 3000, 4, 300, 0, 0, {800, 1200, 0, 0}},
        {2000, 3000, 4, 300, 900, -50, {800, 1200, 100, 1150}},
        {100, 100, 3, 50, -150, 2400, {150, 150, 0, 0}},
        {0, 0, 1, 7, 3, 3, {7, 7, 3, 3}}, // no printer page: square
        {3000, 2000, 1, 101, 0, 0, {152, 101, 0, 0}},
    };
    for (const Size& c : sizes) {
        const PageGrid page = SizePageForRows(c.pw, c.ph, c.rows, c.rowHeight, c.x, c.y);
        EXPECT_EQ(page.width, c.expected.width) << c.pw << "x" << c.ph;
        EXPECT_EQ(page.height, c.expected.height);
        EXPECT_EQ(page.xOrigin, c.expected.xOrigin);
        EXPECT_EQ(page.yOrigin, c.expected.yOrigin);
    }
    struct Align {
        int y, rowHeight, offset, expected;
    };
    for (const Align c :
         {Align{0, 100, 8, -8}, Align{41, 100, 8, -8}, Align{42, 100, 8, 92},
          Align{-60, 100, 8, -108}, Align{-50, 100, 0, 0}, Align{149, 100, 0, 100}}) {
        EXPECT_EQ(AlignPageToRows(c.y, c.rowHeight, c.offset), c.expected) << c.y;
    }
    struct Resize {
        int x, y, width, height;
    };
    for (const Resize c : {Resize{2106, -1440, 2106, 1440}, Resize{1053, -100, 1053, 720},
                           Resize{-500, 500, 146, 100}, Resize{4212, -10, 4212, 2880},
                           Resize{10, -2880, 4212, 2880}}) {
        const PageGrid page = ResizePageFromCorner(0, 0, c.x, c.y, 2106, 1440);
        EXPECT_EQ(page.width, c.width) << c.x << "," << c.y;
        EXPECT_EQ(page.height, c.height) << c.x << "," << c.y;
        EXPECT_EQ(page.xOrigin, 0);
        EXPECT_EQ(page.yOrigin, 0);
    }
    // The anchor stays a grid corner when the page changes size.
    const PageGrid moved = ResizePageFromCorner(250, -30, 1303, -750, 2106, 1440);
    EXPECT_EQ(moved.width, 1053);
    EXPECT_EQ(moved.height, 720);
    EXPECT_EQ(moved.xOrigin, 250);
    EXPECT_EQ(moved.yOrigin, 690);
    struct Snap {
        int y, pitch, offset, expected;
    };
    for (const Snap c : {Snap{0, 100, 8, -8}, Snap{41, 100, 8, -8}, Snap{42, 100, 8, 92},
                         Snap{-58, 100, 8, -108}, Snap{-57, 100, 8, -8}, Snap{5, 0, 8, 5}}) {
        EXPECT_EQ(SnapToRowEdge(c.y, c.pitch, c.offset), c.expected) << c.y << " " << c.pitch;
    }
}

class RelTreePagesTest : public RelTreeFamilyTest {
protected:
    void TearDown() override
    {
        TestHooks::SetNoPrinter(false);
        RelTreeFamilyTest::TearDown();
    }
    /// Black pixels in a column of the image.
    static int BlackInColumn(const TestHooks::Image& image, int x)
    {
        int black = 0;
        for (int y = 0; y < image.height; ++y)
            black += image.Pixel(x, y) == RGB(0, 0, 0);
        return black;
    }
};

TEST_F(RelTreePagesTest, ShowPageBoundariesDrawsTheGridAndTogglesBack)
{
    ASSERT_TRUE(
        m_window->BuildTree(m_people["john"], false, kAncestorsAndDescendantsDiagram, false));
    CDiagramSettings& settings = m_window->GetSettings();
    // One vertical page line at pixel column 600, the next beyond the client area.
    const CPoint left = m_window->Viewport().ToDiagram(CPoint(0, 300));
    const CPoint at = m_window->Viewport().ToDiagram(CPoint(600, 300));
    settings.m_pageWidth = std::max(200, 2 * (at.x - left.x));
    settings.m_pageHeight = settings.m_pageWidth;
    settings.m_pageXOrigin = NormalisePageOrigin(at.x, settings.m_pageWidth);
    settings.m_pageYOrigin = 0;
    const CPoint line = m_window->Viewport().ToDevice(CPoint(at.x, 0));
    ASSERT_GT(line.x, 0);
    ASSERT_LT(line.x, 800);
    const int before = BlackInColumn(Render("pages_off.png"), line.x);
    EXPECT_FALSE(Checked(diagram_cmd::kShowPageBoundaries));
    // The window has no program, so no printer: the default page sizes are accepted.
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(Run(diagram_cmd::kShowPageBoundaries));
    EXPECT_TRUE(m_window->PageBoundariesShown());
    EXPECT_TRUE(Checked(diagram_cmd::kShowPageBoundaries));
    const TestHooks::Image shown = Render("pages_on.png");
    EXPECT_GT(BlackInColumn(shown, line.x), before + 100);
    EXPECT_EQ(m_window->Pages().StatusSizeText(),
              std::to_string(settings.m_pageWidth) + " x " + std::to_string(settings.m_pageHeight));
    // The position pane gives y for this diagram type alone.
    settings.m_pageYOrigin = 100;
    const std::string x = std::to_string(settings.m_pageXOrigin) + ", ";
    EXPECT_EQ(m_window->Pages().StatusPosText(), x + "100");
    settings.m_diagramType = kAllRelativesDiagram;
    EXPECT_EQ(m_window->Pages().StatusPosText(), x + "0");
    settings.m_diagramType = kAncestorsAndDescendantsDiagram;
    settings.m_pageYOrigin = 0;
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(Run(diagram_cmd::kShowPageBoundaries));
    EXPECT_FALSE(m_window->PageBoundariesShown());
    EXPECT_EQ(BlackInColumn(Render("pages_off_again.png"), line.x), before);
    EXPECT_EQ(m_window->Pages().StatusSizeText(), "");
}

TEST_F(RelTreePagesTest, WholeDiagramFitsTheClientWithItsTitlesOrItsPages)
{
    CSubViewRelTree& window = *m_window;
    ASSERT_TRUE(window.BuildTree(m_people["john"], false, kAncestorsAndDescendantsDiagram, false));
    CRect boxes;
    ASSERT_TRUE(window.Viewport().GetDiagramExtent(boxes));
    CPoint origin;
    int down = 0, across = 0;
    window.GetPageSpan(origin, down, across);
    const int pagesAcross = across;
    CDiagramTitle& title = window.GetSettings().m_titles[0];
    const int pageWidth = window.Settings().m_pageWidth;
    // A title two pages right of the boxes.
    title.frame = CRect(boxes.right + 2 * pageWidth, boxes.top, boxes.right + 2 * pageWidth + 400,
                        boxes.top - 300);
    struct Case {
        const char* name;
        bool title, pages;
    };
    for (const Case& c :
         {Case{"boxes", false, false}, Case{"title", true, false}, Case{"pages", true, true}}) {
        SCOPED_TRACE(c.name);
        title.visible = c.title;
        if (window.PageBoundariesShown() != c.pages) {
            // No printer here: the default page sizes are accepted.
            TestHooks::AnswerMessageBox(IDOK);
            window.ShowPageBoundaries();
        }
        ASSERT_EQ(window.PageBoundariesShown(), c.pages);
        window.Viewport().ViewWholeDiagram();
        CRect target;
        ASSERT_TRUE(window.Viewport().GetDiagramExtent(target));
        window.GetPageSpan(origin, down, across);
        if (c.title) {
            // The title is part of the diagram: of its extent and of the pages printed.
            EXPECT_GE(target.right, title.frame.right);
            EXPECT_GT(across, pagesAcross);
        }
        if (c.pages)
            target = CRect(origin.x, origin.y, origin.x + across * pageWidth,
                           origin.y - down * window.Settings().m_pageHeight);
        CRect client;
        window.GetClientRect(&client);
        const CPoint topLeft = window.Viewport().ToDevice(CPoint(target.left, target.top));
        const CPoint bottomRight = window.Viewport().ToDevice(CPoint(target.right, target.bottom));
        EXPECT_GE(topLeft.x, client.left);
        EXPECT_GE(topLeft.y, client.top);
        EXPECT_LE(bottomRight.x, client.right);
        EXPECT_LE(bottomRight.y, client.bottom);
        // It fills the client in one direction at least, within a zoom step.
        EXPECT_GT(std::max(double(bottomRight.x - topLeft.x) / client.Width(),
                           double(bottomRight.y - topLeft.y) / client.Height()),
                  0.5);
    }
    Render("family_whole.png");
}

TEST_F(RelTreePagesTest, WithoutAPrinterTheQuestionDecides)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
    TestHooks::SetNoPrinter(true);
    for (const int answer : {IDCANCEL, IDOK}) {
        TestHooks::AnswerMessageBox(answer);
        ASSERT_TRUE(Run(diagram_cmd::kShowPageBoundaries));
        const auto shown = TestHooks::TakeMessages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, "No printer detected.  Cannot determine printed page sizes.  "
                                 "Will use default values.");
        EXPECT_EQ(m_window->PageBoundariesShown(), answer == IDOK);
    }
}

TEST_F(RelTreePagesTest, AvoidPageBoundariesLeavesNoBoxAcrossALineAndPacksBack)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["fred"], false, kDescendantsDiagram, false));
    CDiagramSettings& settings = m_window->GetSettings();
    const CRect ann = BoxOf("ann")->Rect();
    // A boundary through the middle of Ann's box.
    settings.m_pageWidth = std::max(ann.Width() * 3, 200);
    settings.m_pageXOrigin = (ann.left + ann.right) / 2;
    ASSERT_TRUE(Run(diagram_cmd::kAvoidPageBoundaries));
    EXPECT_TRUE(Checked(diagram_cmd::kAvoidPageBoundaries));
    const int width = settings.m_pageWidth;
    const auto noneAcross = [&] {
        for (const char* key : {"fred", "gina", "john", "mary", "ann", "bob"}) {
            const CDiagElem* box = BoxOf(key);
            ASSERT_NE(box, nullptr) << key;
            const CRect& r = box->Rect();
            const auto column = [&](int x) {
                const long long d = (long long)x - settings.m_pageXOrigin;
                return d >= 0 ? d / width : -((-d + width - 1) / width);
            };
            EXPECT_EQ(column(r.left), column(r.right - 1)) << key;
        }
    };
    noneAcross();
    EXPECT_NE(BoxOf("ann")->Rect(), ann);
    ASSERT_TRUE(Run(diagram_cmd::kAvoidPageBoundaries));
    EXPECT_FALSE(m_window->Document().AvoidsPageBoundaries());
    EXPECT_EQ(BoxOf("ann")->Rect(), ann);
    // An edit, and a branch closed and opened again, keep the boxes off the lines.
    ASSERT_TRUE(Run(diagram_cmd::kAvoidPageBoundaries));
    SetField(m_people["bob"], "NAME", "Bob /Smithson/");
    NotifyChanges();
    noneAcross();
    m_window->SelectBox(BoxOf("john"), true, false);
    for (int press = 0; press < 2; ++press) {
        TestHooks::PostKey(*m_window, VK_SPACE, 0);
        TestHooks::DeliverPosted();
    }
    noneAcross();
}

TEST_F(RelTreePagesTest, PrintedSizeFitsRowsToThePage)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["fred"], false, kDescendantsDiagram, false));
    CDiagramSettings& settings = m_window->GetSettings();
    const int rowHeight = m_window->Document().PrintedRowHeight();
    ASSERT_GT(rowHeight, 0);
    settings.m_pageHeight = rowHeight * 5;
    settings.m_pageYOrigin = -50;
    std::string shown;
    TestHooks::OnNextDialog(CDiagPrintSizeDlg::kTemplate, [&](CDialog& dialog) {
        dialog.GetDlgItem(CDiagPrintSizeDlg::kRowsId)->GetWindowText(shown);
        TestHooks::SetText(dialog, CDiagPrintSizeDlg::kRowsId, "2");
        TestHooks::Click(dialog, CDiagPrintSizeDlg::kAlignId);
        TestHooks::Click(dialog, IDOK);
    });
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(Run(diagram_cmd::kPrintSize));
    EXPECT_EQ(shown, "5");
    const int measured = m_window->Document().PrintedRowHeight();
    EXPECT_EQ(settings.m_pageHeight, 2 * measured);
    // Without a printer the page is square.
    EXPECT_EQ(settings.m_pageWidth, settings.m_pageHeight);
    // Aligned: page edges fall half way between rows, at multiples of the pitch less the offset.
    const int offset = (settings.m_boxToBoxVertGap - settings.m_sibLineToBoxVertGap) / 2;
    EXPECT_EQ((settings.m_pageYOrigin + offset) % measured, 0) << settings.m_pageYOrigin;
    EXPECT_GE(settings.m_pageYOrigin, 0);
    EXPECT_LT(settings.m_pageYOrigin, settings.m_pageHeight);
}

TEST_F(RelTreePagesTest, PrintedSizeWithNoRowsOrACancelChangesNothing)
{
    // An empty window has no row height to divide by: it says so and changes nothing.
    const CDiagramSettings before = m_window->Settings();
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(Run(diagram_cmd::kPrintSize));
    EXPECT_EQ(TestHooks::TakeMessages().size(), 1u);
    EXPECT_EQ(m_window->Settings().m_pageHeight, before.m_pageHeight);
    // Without a printer, Cancel to the question ends the command before the dialog.
    ASSERT_TRUE(m_window->BuildTree(m_people["fred"], false, kDescendantsDiagram, false));
    // (A dialog shown with no driver queued fails the test.)
    TestHooks::SetNoPrinter(true);
    TestHooks::AnswerMessageBox(IDCANCEL);
    ASSERT_TRUE(Run(diagram_cmd::kPrintSize));
    EXPECT_EQ(m_window->Settings().m_pageHeight, before.m_pageHeight);
    EXPECT_EQ(m_window->Settings().m_pageWidth, before.m_pageWidth);
}

TEST_F(RelTreePagesTest, DraggingAPageLineMovesTheGridAndEscapePutsItBack)
{
    // A custom diagram: the grid dragged still becomes the default of every diagram.
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kAncestorsAndDescendantsDiagram, false,
                                    "Mine"));
    CDiagramSettings& settings = m_window->GetSettings();
    settings.m_pageWidth = 40000;
    settings.m_pageHeight = 30000;
    TestHooks::RenderWindow(*m_window);
    const CPoint grab(700, 20);
    ASSERT_EQ(m_window->HitTest(grab, nullptr, nullptr), kHitNothing);
    settings.m_pageXOrigin = NormalisePageOrigin(m_window->Viewport().ToDiagram(grab).x, 40000);
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(Run(diagram_cmd::kShowPageBoundaries));
    TestHooks::RenderWindow(*m_window);
    const CPoint drop = grab + CPoint(-30, 5);
    const CPoint target = m_window->Viewport().ToDiagram(drop);
    TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftDown, grab, MK_LBUTTON);
    TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::Move, drop, MK_LBUTTON);
    TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftUp, drop, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(settings.m_pageXOrigin, NormalisePageOrigin(target.x, 40000));
    EXPECT_EQ(settings.m_pageYOrigin, NormalisePageOrigin(target.y, 30000));
    EXPECT_EQ(m_defaults.Settings().m_pageXOrigin, settings.m_pageXOrigin);
    EXPECT_FALSE(m_window->Mouse().IsDragging());
    const int moved = settings.m_pageXOrigin;
    const CPoint again = drop;
    TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftDown, again, MK_LBUTTON);
    TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::Move, again + CPoint(40, 0), MK_LBUTTON);
    TestHooks::DeliverPosted();
    EXPECT_TRUE(m_window->Mouse().IsDragging());
    TestHooks::PostKey(*m_window, VK_ESCAPE, 0);
    TestHooks::DeliverPosted();
    EXPECT_FALSE(m_window->Mouse().IsDragging());
    EXPECT_EQ(settings.m_pageXOrigin, moved);

    // A right drag resizes the page in its proportions, never below the smallest side; its
    // release opens no menu.
    TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::RightDown, again, MK_RBUTTON);
    TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::Move, CPoint(2, 590), MK_RBUTTON);
    TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::RightUp, CPoint(2, 590), 0);
    TestHooks::DeliverPosted();
    EXPECT_FALSE(m_window->Mouse().IsDragging());
    EXPECT_GE(settings.m_pageWidth, kMinPageSide);
    EXPECT_GE(settings.m_pageHeight, kMinPageSide);
    EXPECT_NE(settings.m_pageWidth, 40000);
    EXPECT_NEAR(settings.m_pageWidth * 3, settings.m_pageHeight * 4, 4);
    EXPECT_EQ(m_defaults.Settings().m_pageWidth, settings.m_pageWidth);
}

TEST_F(RelTreePagesTest, APreviewOfSeveralPagesShowsTwoSideBySide)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
    CRect extent;
    ASSERT_TRUE(m_window->Viewport().GetDiagramExtent(extent));
    const int width = std::abs(extent.Width()), height = std::abs(extent.Height());
    struct Case {
        int pageWidth, pageHeight;
        UINT pages, previewPages;
    };
    // One page over the whole diagram, then a grid two pages across and two down.
    for (const Case c : {Case{width * 2, height * 2, 1, 1},
                         Case{(width + 1) / 2 + 1, (height + 1) / 2 + 1, 4, 2}}) {
        SCOPED_TRACE(c.pageWidth);
        CDiagramSettings& settings = m_window->GetSettings();
        settings.m_pageWidth = c.pageWidth;
        settings.m_pageHeight = c.pageHeight;
        settings.m_pageXOrigin = std::min(extent.left, extent.right);
        settings.m_pageYOrigin = std::max(extent.top, extent.bottom);
        CPrintInfo info;
        info.m_bPreview = TRUE;
        ASSERT_TRUE(m_window->PreparePrinting(&info));
        EXPECT_EQ(info.GetMaxPage(), c.pages);
        EXPECT_EQ(info.m_nNumPreviewPages, c.previewPages);
    }
}

TEST_F(RelTreePagesTest, APrinterChangeMeasuresTheBoxesAgain)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
    CDiagElem* ann = BoxOf("ann");
    ASSERT_NE(ann, nullptr);
    const int before = std::abs(ann->Rect().Width());
    // A text changed behind the window's back keeps the size it was measured at...
    ann->SetText("A text a good deal longer than the name the box was measured for");
    EXPECT_EQ(std::abs(BoxOf("ann")->Rect().Width()), before);
    // ...until the printer's settings change and every box is measured again.
    BroadcastPrinterChange();
    EXPECT_GT(std::abs(BoxOf("ann")->Rect().Width()), before);
}

} // namespace
