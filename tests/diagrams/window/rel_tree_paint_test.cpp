// tests/diagrams/window/rel_tree_paint_test.cpp: the Diagram window painted on a small family and
// on royal92.ged: box fills, lines and buttons where the boxes are; the root row's place by type;
// zoom keeping the centre, its limits and the keypad keys; scroll ranges.
#include "tests/diagrams/window/rel_tree_fixture.h"

#include <vector>

#include "diagrams/diag_hit.h"

namespace {

using namespace rel_tree_test;

/// Whether the pixel is none of the two pane colours: something is drawn there.
bool Drawn(const TestHooks::Image& image, CPoint point, const CDiagramSettings& settings)
{
    const COLORREF pixel = image.Pixel(point.x, point.y);
    return pixel != settings.m_colours[16].colour && pixel != settings.m_colours[17].colour &&
           pixel != settings.m_colours[18].colour && pixel != settings.m_colours[19].colour;
}

TEST_F(RelTreeTest, PaintsBoxFillsAtTheBoxes)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow();
    ASSERT_TRUE(window.BuildTree(m_people["john"], false, kAncestorsAndDescendantsDiagram, false));
    const TestHooks::Image image = Render("family_type2.png");
    const CDiagramSettings& settings = window.Settings();
    for (const char* key : {"fred", "gina", "john", "ann", "bob"}) {
        SCOPED_TRACE(key);
        const CPoint centre = ClientCentre(key);
        ASSERT_GE(centre.x, 0);
        ASSERT_LT(centre.x, image.width);
        ASSERT_GE(centre.y, 0);
        ASSERT_LT(centre.y, image.height);
        EXPECT_TRUE(Drawn(image, centre, settings));
    }
}

} // namespace

namespace {

using namespace rel_tree_test;

TEST_F(RelTreeTest, RootRowAtTheBottomForAncestorsAndAtTheTopForDescendants)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow(800, 600);
    ASSERT_TRUE(window.BuildTree(m_people["ann"], false, kAncestorsDiagram, false));
    const CPoint ancestors = ClientCentre("ann");
    EXPECT_GT(ancestors.y, 450);
    ASSERT_TRUE(window.BuildTree(m_people["fred"], false, kDescendantsDiagram, false));
    const CPoint descendants = ClientCentre("fred");
    EXPECT_LT(descendants.y, 150);
    EXPECT_NEAR(descendants.x, 400, 80);
}

TEST_F(RelTreeTest, ACouplesDoubleLineKeepsItsPixelGapAtEveryZoom)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow();
    ASSERT_TRUE(window.BuildTree(m_people["john"], false, kDescendantsDiagram, false));
    const COLORREF line = window.Settings().m_colours[12].colour;
    for (const int divisor : {4, 10, 20}) {
        SCOPED_TRACE(divisor);
        window.Zoom(divisor, true);
        window.CentreOnRoot();
        const TestHooks::Image image = TestHooks::RenderWindow(window);
        // Down the gap between John's and Mary's boxes, beside the line down to the children.
        const CRect& john = BoxOf("john")->Rect();
        const CPoint top = window.ToDevice(CPoint(john.right, john.top)) + CPoint(2, 0);
        const CPoint bottom = window.ToDevice(CPoint(john.right, john.bottom));
        std::vector<int> rows;
        for (int y = std::max(0, top.y); y <= std::min(image.height - 1, bottom.y); ++y)
            if (image.Pixel(top.x, y) == line)
                rows.push_back(y);
        ASSERT_EQ(rows.size(), 2u) << top.x << "," << top.y << " to " << bottom.y;
        EXPECT_NEAR(rows[1] - rows[0], window.Settings().m_spouseLinesGap, 1);
    }
}

TEST_F(RelTreeTest, ZoomKeepsTheCentreAndStopsAtDivisorOne)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow();
    ASSERT_TRUE(window.BuildTree(m_people["john"], false, kAncestorsAndDescendantsDiagram, false));
    CRect client;
    window.GetClientRect(&client);
    const CPoint before = window.ToDiagram(client.CenterPoint());
    struct Step {
        int amount;
        bool absolute;
        int divisor;
    };
    const Step steps[] = {{-1, false, 19}, {5, false, 24}, {3, true, 3},    {-7, false, 1},
                          {-1, false, 1},  {0, true, 1},   {500, true, 500}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.divisor);
        window.Zoom(step.amount, step.absolute);
        EXPECT_EQ(window.ScaleDivisor(), step.divisor);
        const CPoint after = window.ToDiagram(client.CenterPoint());
        // One pixel of the coarser mapping.
        const int tolerance =
            2 + window.ScaleDivisor() * window.Settings().m_minBoxWidth / client.Width();
        EXPECT_NEAR(after.x, before.x, tolerance);
        EXPECT_NEAR(after.y, before.y, tolerance);
    }
}

TEST_F(RelTreeTest, KeypadPlusAndMinusZoom)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow();
    ASSERT_TRUE(window.BuildTree(m_people["john"], false, kAllRelativesDiagram, false));
    TestHooks::PostKey(window, VK_ADD, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(window.ScaleDivisor(), 19);
    TestHooks::PostKey(window, VK_SUBTRACT, 0);
    TestHooks::PostKey(window, VK_SUBTRACT, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(window.ScaleDivisor(), 21);
}

TEST_F(RelTreeTest, ZoomWithAnEmptyClientAreaDoesNothing)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow(0, 0);
    ASSERT_TRUE(window.BuildTree(m_people["john"], false, kAllRelativesDiagram, false));
    window.Zoom(-1, false);
    window.ZoomToRect(CRect(0, 100, 100, 0), true);
    window.ViewWholeDiagram();
    EXPECT_EQ(window.ScaleDivisor(), 20);
}

TEST_F(RelTreeTest, ScrollingByLinesStopsAtTheRootRowAndAtTheRangeEnds)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow();
    ASSERT_TRUE(window.BuildTree(m_people["john"], false, kAncestorsAndDescendantsDiagram, false));
    TestHooks::RenderWindow(window);
    CRect client;
    window.GetClientRect(&client);
    const int line = client.Height() / 15;
    window.ScrollToPoint(0, window.RootRowOffset(), client.Width() / 2,
                         client.Height() / 2 + line / 2, false);
    window.SetScrollBars(true, true);
    const int start = window.ScrollOrigin().y;
    ASSERT_LT(start, 0);
    ASSERT_GT(start, -line);
    TestHooks::ScrollBarAction(window, SB_VERT, SB_LINEDOWN);
    EXPECT_EQ(window.ScrollOrigin().y, 0);
    for (int i = 0; i < 200; ++i)
        TestHooks::ScrollBarAction(window, SB_VERT, SB_LINEDOWN);
    EXPECT_EQ(window.ScrollOrigin().y, window.VertRange().rangeMax);
    for (int i = 0; i < 400; ++i)
        TestHooks::ScrollBarAction(window, SB_VERT, SB_LINEUP);
    EXPECT_EQ(window.ScrollOrigin().y, window.VertRange().rangeMin);
    EXPECT_EQ(window.VertRange().rangeMin, -window.VertRange().rangeMax);
}

} // namespace

namespace {

using namespace rel_tree_test;

TEST_F(RelTreeTest, GrowingTheWindowPaintsItWholeAgain)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow(300, 200);
    ASSERT_TRUE(window.BuildTree(m_people["john"], true, kAllRelativesDiagram, false));
    Render("before_growing.png");
    // Growing moves the diagram within the window: what was painted before must not stay.
    window.MoveWindow(0, 0, 800, 600);
    const TestHooks::Image grown = Render("after_growing.png");
    window.Invalidate();
    const TestHooks::Image whole = Render("painted_whole.png");
    int differing = 0;
    for (int y = 0; y < grown.height; ++y)
        for (int x = 0; x < grown.width; ++x)
            differing += grown.Pixel(x, y) != whole.Pixel(x, y);
    EXPECT_EQ(differing, 0);
}

} // namespace
