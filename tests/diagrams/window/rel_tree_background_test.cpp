// tests/diagrams/window/rel_tree_background_test.cpp: what the Diagram window paints under the
// boxes, read down a column of pixels left of every box: panes, row stripes a row pitch apart,
// generation stripes a band apart (none past the diagram's own bands), and row and generation
// boundary lines at the row edges.
#include "tests/diagrams/window/rel_tree_fixture.h"

#include "diagrams/diag_hit.h"
#include "diagrams/diag_tree.h"

namespace {

using namespace rel_tree_test;

constexpr int kPaneAncestor = 16, kPaneDescendant = 17, kStripeOdd = 18, kStripeEven = 19,
              kSeparator = 20;

class RelTreeBackgroundTest : public RelTreeTest {
protected:
    /// Builds the small family's diagram of type with the background and boundary options,
    /// rendered; with a distinct separator colour so that lines can be told from stripes.
    TestHooks::Image Paint(int type, int background, int boundaries)
    {
        MakeFamily();
        CSubViewRelTree& window = MakeWindow(400, 600);
        CDiagramSettings& settings = window.GetSettings();
        settings.m_background = background;
        settings.m_boundaries = boundaries;
        settings.m_horizontalDividingLine = false;
        settings.m_colours[kSeparator].colour = RGB(10, 200, 10);
        EXPECT_TRUE(window.BuildTree(m_people["john"], false, type, false));
        window.Viewport().Zoom(8, true);
        return Render("background.png");
    }
    COLORREF Colour(int row) const { return m_window->Settings().m_colours[row].colour; }
    /// The device y of a diagram y.
    int DeviceY(int y) const { return m_window->Viewport().ToDevice(CPoint(0, y)).y; }
    int ClientHeight() const
    {
        CRect client;
        m_window->GetClientRect(&client);
        return client.Height();
    }
    int Pitch() const
    {
        const CDiagramSettings& settings = m_window->Settings();
        return m_window->RowSet()->m_boxHeight + settings.m_boxToBoxVertGap;
    }
    int Offset() const
    {
        const CDiagramSettings& settings = m_window->Settings();
        return (settings.m_boxToBoxVertGap - settings.m_sibLineToBoxVertGap) / 2;
    }
    /// The colour a couple of pixels inside the stripe of box row row (below its top edge).
    static COLORREF At(const TestHooks::Image& image, int y) { return image.Pixel(2, y); }
    /// The device y of the top edge of box row row.
    int RowTop(int row) const { return DeviceY(row * Pitch() - Offset()); }
};

TEST_F(RelTreeBackgroundTest, RowStripesAlternateEveryRowForEveryType)
{
    for (const int type : {kAncestorsDiagram, kDescendantsDiagram, kAncestorsAndDescendantsDiagram,
                           kAllRelativesDiagram}) {
        SCOPED_TRACE(type);
        const TestHooks::Image image = Paint(type, 0, 2);
        int seen = 0;
        for (int row = -20; row <= 20; ++row) {
            const int y = RowTop(row) + 3;
            if (y < 0 || y >= ClientHeight())
                continue;
            ++seen;
            EXPECT_EQ(At(image, y), Colour(row % 2 != 0 ? kStripeOdd : kStripeEven)) << row;
        }
        EXPECT_GE(seen, 3);
    }
}

TEST_F(RelTreeBackgroundTest, PanesSplitAtTheRootRowOrFillByType)
{
    struct Case {
        int type;
        int above; // the colour entry above the root row's top edge
        int below;
    };
    for (const Case& c : {Case{kAncestorsAndDescendantsDiagram, kPaneAncestor, kPaneDescendant},
                          Case{kAncestorsDiagram, kPaneAncestor, kPaneAncestor},
                          Case{kDescendantsDiagram, kPaneDescendant, kPaneDescendant}}) {
        SCOPED_TRACE(c.type);
        const TestHooks::Image image = Paint(c.type, 2, 2);
        const int split = DeviceY(-Offset());
        // Types without a split are one colour everywhere.
        const int above = c.above == c.below ? 10 : split - 3;
        const int below = c.above == c.below ? ClientHeight() - 10 : split + 3;
        ASSERT_TRUE(above >= 0 && below < ClientHeight());
        EXPECT_EQ(At(image, above), Colour(c.above));
        EXPECT_EQ(At(image, below), Colour(c.below));
    }
}

TEST_F(RelTreeBackgroundTest, GenerationStripesAndBoundariesFollowTheBands)
{
    const TestHooks::Image image = Paint(kAllRelativesDiagram, 1, 1);
    const CGenerationBands& bands = m_window->RowSet()->m_bands;
    const int rows = bands.RowsPerBand();
    ASSERT_GE(rows, 2);
    // The root's band (rows 0 .. rows - 1) is even; the band below it is odd.
    for (int row = -rows; row < rows; ++row) {
        const int y = RowTop(row) + 3;
        if (y < 0 || y >= ClientHeight())
            continue;
        EXPECT_EQ(At(image, y), Colour(row < 0 ? kStripeOdd : kStripeEven)) << row;
    }
    // Lines at the band edges only: the edge under row 0, none inside the band.
    EXPECT_EQ(At(image, RowTop(-1)), Colour(kSeparator));
    EXPECT_NE(At(image, RowTop(0)), Colour(kSeparator));

    // Beyond the bands of the rows the diagram shows, neither stripes nor lines.
    m_window->Viewport().Zoom(30, true);
    const TestHooks::Image out = Render("background_out.png");
    int highest = 0, lowest = 0, first = 0, last = 0, unused = 0;
    ASSERT_TRUE(DiagGetRowRange(*m_window->RowSet(), highest, lowest, true));
    ASSERT_TRUE(bands.GetBandRows(bands.MapRowToBand(lowest), first, unused));
    ASSERT_TRUE(bands.GetBandRows(bands.MapRowToBand(highest), unused, last));
    int plain = 0;
    for (int row = -40; row <= 40; ++row) {
        if (row > first - 2 && row < last + 2)
            continue;
        for (const int y : {RowTop(row), RowTop(row) + 3}) {
            if (y < 0 || y >= ClientHeight())
                continue;
            ++plain;
            EXPECT_EQ(At(out, y), Colour(kStripeEven)) << row;
        }
    }
    EXPECT_GT(plain, 4);
}

TEST_F(RelTreeBackgroundTest, RowBoundariesLieAtEveryRowEdge)
{
    const TestHooks::Image image = Paint(kAncestorsAndDescendantsDiagram, 2, 0);
    for (int row = -2; row <= 2; ++row) {
        const int y = RowTop(row);
        if (y >= 0 && y < ClientHeight()) {
            EXPECT_EQ(At(image, y), Colour(kSeparator)) << row;
        }
    }
    EXPECT_NE(At(image, RowTop(0) + Pitch() / 40), Colour(kSeparator));
}

TEST_F(RelTreeBackgroundTest, ZoomedFarOutTheStripesGiveWayToOneFill)
{
    const TestHooks::Image before = Paint(kAllRelativesDiagram, 0, 0);
    m_window->Viewport().Zoom(5000, true);
    const TestHooks::Image image = Render("far_out.png");
    for (int y = 0; y < ClientHeight(); y += 7)
        EXPECT_EQ(At(image, y), Colour(kStripeEven)) << y;
    EXPECT_GT(before.width, 0);
}

} // namespace
