// tests/diagrams/window/rel_tree_paint_test.cpp: the Diagram window painted on a small family and
// on royal92.ged: box fills, lines and buttons where the boxes are; the root row's place by type;
// zoom keeping the centre, its limits and the keypad keys; scroll ranges; the relationship
// descriptions beside the rows.
#include "tests/diagrams/window/rel_tree_fixture.h"

#include <vector>

#include "common/preferences.h"
#include "diagrams/diag_hit.h"
#include "diagrams/relationship_text.h"

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

/// How many pixels of the colour lie left of x (or right of it with right).
int PixelsBeside(const TestHooks::Image& image, int x, bool right, COLORREF colour)
{
    int count = 0;
    for (int y = 0; y < image.height; ++y)
        for (int px = right ? std::max(0, x + 1) : 0;
             px < (right ? image.width : std::min(x, image.width)); ++px)
            count += image.Pixel(px, y) == colour;
    return count;
}

TEST_F(RelTreeTest, RelationshipDescriptionsStandBesideTheRowsOnScreen)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow(800, 600);
    CDiagramSettings& settings = window.GetSettings();
    settings.m_relationshipDescriptions = kRelBoth;
    const COLORREF magenta = RGB(255, 0, 255);
    settings.m_colours[3].colour = magenta; // "Text - relative descriptions"
    ASSERT_TRUE(window.BuildTree(m_people["john"], false, kAncestorsAndDescendantsDiagram, false));
    const CRelationshipColumns& columns = window.Painter().RelationshipColumns();
    ASSERT_TRUE(columns.LeftShown());
    ASSERT_TRUE(columns.RightShown());
    ASSERT_NE(columns.TextOfRow(1), nullptr);
    EXPECT_EQ(*columns.TextOfRow(1), "parents");
    ASSERT_NE(columns.TextOfRow(-1), nullptr);
    EXPECT_EQ(*columns.TextOfRow(-1), "children/nephews/nieces");
    // Beside the boxes, the gap away; the diagram's extent takes them in.
    CRect boxes;
    ASSERT_TRUE(DiagGetExtent(*window.RowSet(), boxes));
    const int gap = settings.m_relationshipDescriptionGap;
    EXPECT_EQ(columns.LeftColumn().right, boxes.left);
    EXPECT_EQ(columns.LeftColumn().left, boxes.left - gap - columns.WidestText());
    EXPECT_EQ(columns.RightColumn().left, boxes.right + gap);
    EXPECT_GT(columns.WidestText(), 0);
    CRect extent;
    ASSERT_TRUE(window.Viewport().GetDiagramExtent(extent));
    EXPECT_LE(extent.left, columns.LeftColumn().left);
    EXPECT_GE(extent.right, columns.RightColumn().right);

    // Drawn on both sides of the boxes.
    window.Viewport().ViewWholeDiagram();
    TestHooks::Image image = Render("descriptions.png");
    const int left = window.Viewport().ToDevice(CPoint(boxes.left, 0)).x;
    const int right = window.Viewport().ToDevice(CPoint(boxes.right, 0)).x;
    EXPECT_GT(PixelsBeside(image, left, false, magenta), 0);
    EXPECT_GT(PixelsBeside(image, right, true, magenta), 0);

    // Closing John's branch takes the children's row away: the next paint moves the columns.
    CDiagElem* family = BoxOf("john");
    ASSERT_EQ(family->GetExpansion(), kExpanded);
    window.SelectBox(family, true, false);
    TestHooks::PostKey(window, VK_SPACE, 0);
    TestHooks::DeliverPosted();
    ASSERT_EQ(BoxOf("ann"), nullptr);
    Render("descriptions_closed.png");
    EXPECT_EQ(columns.TextOfRow(-1), nullptr);
    ASSERT_TRUE(DiagGetExtent(*window.RowSet(), boxes));
    EXPECT_EQ(columns.LeftColumn().bottom, boxes.bottom);
    TestHooks::PostKey(window, VK_SPACE, 0);
    TestHooks::DeliverPosted();
    ASSERT_NE(BoxOf("ann"), nullptr);

    // Only on the right, as the options sheet's General page applies it.
    settings.m_relationshipDescriptions = kRelRight;
    window.Options().ApplyGeneralOptions(false);
    image = Render("descriptions_right.png");
    EXPECT_FALSE(columns.LeftShown());
    EXPECT_TRUE(columns.RightShown());
    EXPECT_EQ(PixelsBeside(image, left, false, magenta), 0);
    EXPECT_GT(PixelsBeside(image, right, true, magenta), 0);
    // None: nothing is left.
    settings.m_relationshipDescriptions = kRelNone;
    window.Options().ApplyGeneralOptions(false);
    image = Render("descriptions_none.png");
    EXPECT_FALSE(columns.RightShown());
    EXPECT_EQ(PixelsBeside(image, right, true, magenta), 0);

    // A couple's row is the root's, their children's row one lower.
    settings.m_relationshipDescriptions = kRelLeft;
    ASSERT_TRUE(window.RebuildTree(m_parents, false, kDescendantsDiagram, false));
    ASSERT_TRUE(columns.LeftShown());
    ASSERT_NE(columns.TextOfRow(1), nullptr);
    EXPECT_EQ(*columns.TextOfRow(1), Prefs().m_startHereText);
    ASSERT_NE(columns.TextOfRow(0), nullptr);
    EXPECT_EQ(*columns.TextOfRow(0), "children");
}

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
        window.Viewport().Zoom(divisor, true);
        window.Viewport().CentreOnRoot();
        const TestHooks::Image image = TestHooks::RenderWindow(window);
        // Down the gap between John's and Mary's boxes, beside the line down to the children.
        const CRect& john = BoxOf("john")->Rect();
        const CPoint top = window.Viewport().ToDevice(CPoint(john.right, john.top)) + CPoint(2, 0);
        const CPoint bottom = window.Viewport().ToDevice(CPoint(john.right, john.bottom));
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
    const CPoint before = window.Viewport().ToDiagram(client.CenterPoint());
    struct Step {
        int amount;
        bool absolute;
        int divisor;
    };
    const Step steps[] = {{-1, false, 19}, {5, false, 24}, {3, true, 3},    {-7, false, 1},
                          {-1, false, 1},  {0, true, 1},   {500, true, 500}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.divisor);
        window.Viewport().Zoom(step.amount, step.absolute);
        EXPECT_EQ(window.Viewport().ScaleDivisor(), step.divisor);
        const CPoint after = window.Viewport().ToDiagram(client.CenterPoint());
        // One pixel of the coarser mapping.
        const int tolerance =
            2 + window.Viewport().ScaleDivisor() * window.Settings().m_minBoxWidth / client.Width();
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
    EXPECT_EQ(window.Viewport().ScaleDivisor(), 19);
    TestHooks::PostKey(window, VK_SUBTRACT, 0);
    TestHooks::PostKey(window, VK_SUBTRACT, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(window.Viewport().ScaleDivisor(), 21);
}

TEST_F(RelTreeTest, ZoomWithAnEmptyClientAreaDoesNothing)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow(0, 0);
    ASSERT_TRUE(window.BuildTree(m_people["john"], false, kAllRelativesDiagram, false));
    window.Viewport().Zoom(-1, false);
    window.Viewport().ZoomToRect(CRect(0, 100, 100, 0), true);
    window.Viewport().ViewWholeDiagram();
    EXPECT_EQ(window.Viewport().ScaleDivisor(), 20);
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
    window.Viewport().ScrollToPoint(0, window.Viewport().RootRowOffset(), client.Width() / 2,
                                    client.Height() / 2 + line / 2, false);
    window.Viewport().SetScrollBars(true, true);
    const int start = window.Viewport().ScrollOrigin().y;
    ASSERT_LT(start, 0);
    ASSERT_GT(start, -line);
    TestHooks::ScrollBarAction(window, SB_VERT, SB_LINEDOWN);
    EXPECT_EQ(window.Viewport().ScrollOrigin().y, 0);
    for (int i = 0; i < 200; ++i)
        TestHooks::ScrollBarAction(window, SB_VERT, SB_LINEDOWN);
    EXPECT_EQ(window.Viewport().ScrollOrigin().y, window.Viewport().VertRange().rangeMax);
    for (int i = 0; i < 400; ++i)
        TestHooks::ScrollBarAction(window, SB_VERT, SB_LINEUP);
    EXPECT_EQ(window.Viewport().ScrollOrigin().y, window.Viewport().VertRange().rangeMin);
    EXPECT_EQ(window.Viewport().VertRange().rangeMin, -window.Viewport().VertRange().rangeMax);
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
