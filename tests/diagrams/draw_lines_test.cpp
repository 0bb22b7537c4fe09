// tests/diagrams/draw_lines_test.cpp: the drawing pass through a recording painter on
// diagrams built in the test: couple lines, drop points, buttons and their plus signs, sibling
// lines, the lines between marriages in each style, single-box mode, ancestor lines, the
// parents' drop x, secondary-tree connectors, modes, clipping and the zoom-key stop.
#include "tests/diagrams/draw_test_painter.h"

#include "diagrams/diag_compact.h"

#include <gtest/gtest.h>

namespace {

using Pts = std::vector<std::pair<int, int>>;
constexpr auto kSolid = CRecordingPainter::kSolid;
constexpr auto kDotted = CRecordingPainter::kDotted;
constexpr auto kStretchy = CRecordingPainter::kStretchy;

/// John (male) and Mary married with children C1, C2, C3; installation dimensions, so a box
/// is 50 high, rows 24 apart, buttons 7 below the box with radius 4, couple lines 4 apart.
class DrawCoupleTest : public CDrawTest {
protected:
    void SetUp() override
    {
        CDrawTest::SetUp();
        Marry(Person("John", SEX_MALE), Person("Mary", SEX_FEMALE),
              {Person("C1", SEX_MALE), Person("C2", SEX_FEMALE), Person("C3", SEX_MALE)});
    }
};

TEST_F(DrawCoupleTest, CoupleDropButtonAndSiblingLines)
{
    Build(kDescendantsDiagram, "John", 0, 3);
    ASSERT_EQ(PaintAll(), 1);
    // John [-85, -5] and Mary [5, 85] in the row from -24 down to -74; the children's row
    // begins at -98, its sibling line 8 above.
    EXPECT_TRUE(m_painter.Has(kSolid, {{-5, -47}, {5, -47}}));
    EXPECT_TRUE(m_painter.Has(kSolid, {{-5, -51}, {5, -51}}));
    EXPECT_TRUE(m_painter.Has(kSolid, {{0, -51}, {0, -77}}));
    EXPECT_TRUE(m_painter.Has(kSolid, {{0, -85}, {0, -90}}));
    ASSERT_EQ(m_painter.m_buttons.size(), 1u);
    EXPECT_EQ(m_painter.m_buttons[0].circle, CRect(-4, -77, 4, -85));
    EXPECT_FALSE(m_painter.m_buttons[0].atLimit);
    EXPECT_TRUE(m_painter.Has(kSolid, {{0, -90}, {-92, -90}, {-92, -98}}));
    EXPECT_TRUE(m_painter.Has(kSolid, {{0, -90}, {0, -90}, {0, -98}}));
    EXPECT_TRUE(m_painter.Has(kSolid, {{0, -90}, {92, -90}, {92, -98}}));
    EXPECT_EQ(m_painter.m_lines.size(), 7u) << "a lone root draws no line up";
    EXPECT_EQ(m_painter.m_boxes.size(), 5u);
}

TEST_F(DrawCoupleTest, CollapsedBoxShowsPlusOrNothingWithoutButtons)
{
    // Buttons on, off, and on but never printed: on paper none of the button shows.
    for (const auto& [shown, printing] :
         {std::pair{true, false}, std::pair{false, false}, std::pair{true, true}}) {
        const bool buttons = shown && !printing;
        m_owner.m_settings.m_showExpansionButtons = shown;
        m_painter.m_printing = printing;
        Build(kDescendantsDiagram, "John", 0, 1);
        m_painter.Clear();
        PaintAll();
        const bool below = m_painter.Has(kSolid, {{0, -51}, {0, -77}});
        EXPECT_EQ(below, buttons);
        EXPECT_EQ(m_painter.Has(kSolid, {{-4, -81}, {4, -81}}), buttons) << "plus sign";
        EXPECT_EQ(m_painter.Has(kSolid, {{0, -77}, {0, -85}}), buttons);
        EXPECT_EQ(m_painter.m_buttons.size(), buttons ? 1u : 0u);
        EXPECT_EQ(m_painter.m_lines.size(), buttons ? 5u : 2u) << "couple lines only";
    }
    // Expanded without buttons: one line straight down to the children's sibling line.
    m_owner.m_settings.m_showExpansionButtons = false;
    m_painter.m_printing = false;
    Build(kDescendantsDiagram, "John", 0, 3);
    m_painter.Clear();
    PaintAll();
    EXPECT_TRUE(m_painter.Has(kSolid, {{0, -51}, {0, -90}}));
    EXPECT_TRUE(m_painter.m_buttons.empty());
}

TEST_F(DrawCoupleTest, SpouseOnTheLeftDropsInTheMiddleOfTheGap)
{
    Build(kDescendantsDiagram, "Mary", 0, 3);
    const CRect mary = BoxOf("Mary")->Rect(), john = BoxOf("John", true)->Rect();
    ASSERT_LT(john.right, mary.left);
    PaintAll();
    const int x = (john.right + mary.left) / 2;
    EXPECT_TRUE(m_painter.Has(kSolid, {{john.right, -47}, {mary.left, -47}}));
    EXPECT_TRUE(m_painter.Has(kSolid, {{x, -51}, {x, -77}}));
}

TEST_F(DrawCoupleTest, ModesChooseLinesBoxesOrMarkedBoxes)
{
    Build(kDescendantsDiagram, "John", 0, 3);
    PaintAll(kDrawBoxesOnly);
    EXPECT_TRUE(m_painter.m_lines.empty());
    EXPECT_EQ(m_painter.m_boxes.size(), 5u);
    for (const int mode : {kDrawLinesOnly, kDrawLinesOnlyToo}) {
        m_painter.Clear();
        PaintAll(mode);
        EXPECT_EQ(m_painter.m_lines.size(), 7u);
        EXPECT_TRUE(m_painter.m_boxes.empty());
    }
    m_painter.Clear();
    BoxOf("C2")->m_repaintMark = true;
    PaintAll(kDrawMarkedBoxes);
    ASSERT_EQ(m_painter.m_boxes.size(), 1u);
    EXPECT_EQ(m_painter.m_boxes[0].first, BoxOf("C2")->Rect());
    EXPECT_FALSE(BoxOf("C2")->m_repaintMark);
    EXPECT_TRUE(m_painter.m_lines.empty());
}

TEST_F(DrawCoupleTest, LinesReachingIntoTheClipAreDrawnWithoutTheirBoxes)
{
    m_owner.m_settings.m_minSiblingGap = 100;
    Build(kDescendantsDiagram, "John", 0, 3);
    const CRect c1 = BoxOf("C1")->Rect();
    const int cx = (c1.left + c1.right) / 2;
    // A clip in the gap right of C1, around its sibling line, far from every box.
    const CRect clip(c1.right + 20, c1.top + 10, c1.right + 30, c1.top - 10);
    ASSERT_EQ(DiagPaintRows(*m_rowSet, m_painter, clip, kDrawLinesAndBoxes), 1);
    EXPECT_TRUE(m_painter.Has(kSolid, {{0, -90}, {cx, -90}, {cx, -98}}));
    EXPECT_FALSE(m_painter.Has(kSolid, {{0, -90}, {0, -90}, {0, -98}})) << "C2 reaches nothing";
    EXPECT_TRUE(m_painter.m_boxes.empty());
    EXPECT_FALSE(m_painter.Has(kSolid, {{0, -85}, {0, -90}})) << "the parents' row is aside";
}

TEST_F(DrawCoupleTest, ZoomKeyStopsTheRepaintAfterTheCurrentBox)
{
    Build(kDescendantsDiagram, "John", 0, 3);
    m_owner.m_boxesBeforeKey = 2;
    EXPECT_EQ(PaintAll(), 0);
    EXPECT_EQ(m_painter.m_boxes.size(), 3u);
    // Printing never stops.
    m_painter.Clear();
    m_owner.m_asked = 0;
    m_painter.m_printing = true;
    EXPECT_EQ(PaintAll(), 1);
    EXPECT_EQ(m_painter.m_boxes.size(), 5u);
}

/// Bob (male) married first to Ann, then to Cat; a child of each marriage.
class DrawMarriagesTest : public CDrawTest {
protected:
    void SetUp() override
    {
        CDrawTest::SetUp();
        CIndRec* bob = Person("Bob", SEX_MALE);
        Marry(bob, Person("Ann", SEX_FEMALE), {Person("K1", SEX_MALE)});
        Marry(bob, Person("Cat", SEX_FEMALE), {Person("K2", SEX_FEMALE)});
    }
    /// Bob's family boxes.
    std::vector<CDiagFamilyElem*> BobBoxes() const
    {
        const auto& link = m_rowSet->MainTree()->m_rootLinks.front();
        std::vector<CDiagFamilyElem*> boxes;
        for (const auto& box : link->m_boxes)
            boxes.push_back(box.get());
        return boxes;
    }
};

TEST_F(DrawMarriagesTest, DuplicateLineStyles)
{
    struct Case {
        int spouseOption;
        int style;
        CRecordingPainter::Style drawn;
        int lines; // lines between the marriages
    };
    const Case cases[] = {
        {1, 0, kSolid, 1}, {1, 1, kStretchy, 1}, {1, 2, kDotted, 1}, {1, 3, kDotted, 2},
        {1, 4, kSolid, 0}, {2, 0, kSolid, 1},    {2, 3, kDotted, 2},
    };
    m_owner.m_settings.m_duplicatesWithSpouses = true;
    for (const Case& c : cases) {
        m_owner.m_settings.m_spouseOption = c.spouseOption;
        m_owner.m_settings.m_duplicateLine = c.style;
        Build(kDescendantsDiagram, "Bob", 0, 2);
        const auto boxes = BobBoxes();
        ASSERT_EQ(boxes.size(), 2u);
        CRect first = boxes[0]->Rect(), next = boxes[1]->Rect();
        if (c.spouseOption == 2) {
            first.right = std::max(first.right, boxes[0]->SpouseBox()->Rect().right);
            next.left = std::min(next.left, boxes[1]->SpouseBox()->Rect().left);
        }
        m_painter.Clear();
        PaintAll();
        const int mid = c.style == 3 ? -47 : -49;
        int found = 0;
        for (const auto& line : m_painter.m_lines)
            found += line.points == Pts{{first.right, mid}, {next.left, mid}} ||
                     line.points == Pts{{first.right, mid - 4}, {next.left, mid - 4}};
        EXPECT_EQ(found, c.lines) << c.spouseOption << " " << c.style;
        if (c.lines) {
            EXPECT_TRUE(m_painter.Has(c.drawn, {{first.right, mid}, {next.left, mid}}))
                << c.spouseOption << " " << c.style;
        }
    }
    EXPECT_EQ(m_painter.m_stretch, std::make_pair(2, 2));
}

TEST_F(DrawMarriagesTest, SingleBoxModeHangsLaterChildrenFromThePersonBox)
{
    m_owner.m_settings.m_duplicatesWithSpouses = false;
    Build(kDescendantsDiagram, "Bob", 0, 2);
    const auto boxes = BobBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    ASSERT_FALSE(boxes[1]->IsVisible());
    const CRect bob = boxes[0]->Rect(), cat = BoxOf("Cat", true)->Rect();
    PaintAll();
    // The hidden second marriage box draws the couple line from Bob's box to Cat's, and the
    // drop point half a spouse gap left of Cat.
    EXPECT_TRUE(m_painter.Has(kSolid, {{bob.right, -47}, {cat.left, -47}}));
    const int drop = cat.left - 5;
    EXPECT_TRUE(m_painter.Has(kSolid, {{drop, -51}, {drop, -77}}));
    const CRect k2 = BoxOf("K2")->Rect();
    const int k2x = (k2.left + k2.right) / 2;
    EXPECT_TRUE(m_painter.Has(kSolid, {{drop, -90}, {k2x, -90}, {k2x, -98}}));
    EXPECT_EQ(m_painter.m_buttons.size(), 2u);
    for (const auto& line : m_painter.m_lines)
        EXPECT_NE(line.style, kStretchy) << "no line between the marriages of one box";
}

/// Robert with parents F and M and all four grandparents.
class DrawAncestorsTest : public CDrawTest {
protected:
    void SetUp() override
    {
        CDrawTest::SetUp();
        CIndRec* f = Person("F", SEX_MALE);
        CIndRec* m = Person("M", SEX_FEMALE);
        Marry(f, m, {Person("Robert", SEX_MALE)});
        Marry(Person("FF", SEX_MALE), Person("FM", SEX_FEMALE), {f});
        Marry(Person("MF", SEX_MALE), Person("MM", SEX_FEMALE), {m});
    }
};

TEST_F(DrawAncestorsTest, CoupleLinesButtonsAndDropsUpTheGenerations)
{
    Build(kAncestorsDiagram, "Robert", 3, 0);
    ASSERT_EQ(BoxOf("F")->Rect(), CRect(-135, 50, -55, 0));
    ASSERT_EQ(BoxOf("FM")->Rect(), CRect(-90, 124, -10, 74));
    PaintAll();
    // Generation 1: the couple lines 23 and 27 above the row's bottom, the drop at the middle
    // of the gap down to the root row's sibling line.
    EXPECT_TRUE(m_painter.Has(kSolid, {{-55, 27}, {55, 27}}));
    EXPECT_TRUE(m_painter.Has(kSolid, {{-55, 23}, {55, 23}}));
    EXPECT_TRUE(m_painter.Has(kSolid, {{0, 23}, {0, -16}}));
    // F's button 7 above its top, the line from it up to FF and FM's couple line, and their
    // drop down to the top of F's button.
    EXPECT_TRUE(m_painter.Has(kSolid, {{-95, 50}, {-95, 53}}));
    EXPECT_TRUE(m_painter.Has(kSolid, {{-95, 61}, {-95, 97}}));
    EXPECT_TRUE(m_painter.Has(kSolid, {{-100, 101}, {-90, 101}}));
    EXPECT_TRUE(m_painter.Has(kSolid, {{-95, 97}, {-95, 61}}));
    // Robert's line up from under his parents.
    EXPECT_TRUE(m_painter.Has(kSolid, {{0, 0}, {0, -16}, {0, -16}, {0, -24}}));
    ASSERT_EQ(m_painter.m_buttons.size(), 2u);
    EXPECT_EQ(m_painter.m_buttons[0].circle.CenterPoint().y, 57);
    EXPECT_EQ(DiagParentsX(*m_rowSet->MainTree()), 0);
}

/// Kid with parents Dad and Mum and siblings S1 (before) and S2 (after).
class ParentsXTest : public CDrawTest {
protected:
    void SetUp() override
    {
        CDrawTest::SetUp();
        Marry(Person("Dad", SEX_MALE), Person("Mum", SEX_FEMALE),
              {Person("S1", SEX_MALE), Person("Kid", SEX_MALE), Person("S2", SEX_FEMALE)});
    }
};

TEST_F(ParentsXTest, DropXFollowsTheLineXUnlessBoxesAvoidPageBoundaries)
{
    m_owner.m_settings.m_spouseOption = 0;
    Build(kAncestorsAndDescendantsDiagram, "Kid", 2, 1);
    const CDiagTree& tree = *m_rowSet->MainTree();
    EXPECT_EQ(DiagParentsX(tree), DiagLineX(tree));

    // With boxes off their packed places: the middle of the overlap of the siblings' span and
    // the parents' gap.
    m_owner.m_avoid = true;
    for (CDiagElem* box : {BoxOf("Dad"), BoxOf("Mum")}) {
        CRect r = box->Rect();
        r.OffsetRect(box == BoxOf("Dad") ? -300 : 300, 0);
        box->SetRect(r);
    }
    const int first = BoxOf("S1")->GetCentre().x, last = BoxOf("S2")->GetCentre().x;
    EXPECT_EQ(DiagParentsX(tree), (first + last) / 2);
    CRect dad = BoxOf("Dad")->Rect();
    dad.OffsetRect(first + 50 - dad.right, 0);
    BoxOf("Dad")->SetRect(dad);
    EXPECT_EQ(DiagParentsX(tree), (first + 50 + last) / 2);
    // The root centred inside the gap wins when the diagram centres its root.
    m_owner.m_settings.m_centreDiagramRoot = true;
    EXPECT_EQ(DiagParentsX(tree), BoxOf("Kid")->GetCentre().x);
}

/// All Relatives: Kid's father Dad has a brother Uncle, children of GP1 and GP2.
class DrawRelativesTest : public CDrawTest {
protected:
    void SetUp() override
    {
        CDrawTest::SetUp();
        CIndRec* dad = Person("Dad", SEX_MALE);
        Marry(dad, Person("Mum", SEX_FEMALE), {Person("Kid", SEX_MALE)});
        Marry(Person("GP1", SEX_MALE), Person("GP2", SEX_FEMALE), {dad, Person("Uncle", SEX_MALE)});
    }
};

TEST_F(DrawRelativesTest, SecondaryTreeConnectorLeavesTheFatherOnTheLeft)
{
    Build(kAllRelativesDiagram, "Kid", 2, 1);
    ASSERT_GT(m_rowSet->Trees().size(), 1u);
    const CDiagElem* dad = nullptr;
    ForEachAncestorBox(*m_rowSet->MainTree(), [&](CDiagAncestorElem& box) {
        if (box.GetIndividual() == P("Dad"))
            dad = &box;
    });
    ASSERT_NE(dad, nullptr);
    const auto& box = static_cast<const CDiagAncestorElem&>(*dad);
    ASSERT_NE(box.SubTree(), nullptr);
    const auto& sub = static_cast<const CDiagTree&>(*box.SubTree());
    const int lineX = DiagFamilyLineX(sub);
    ASSERT_LT(lineX, dad->Rect().left);
    PaintAll();
    const int y = dad->Rect().top - 23;
    const int centre = dad->Rect().left - 7;
    EXPECT_TRUE(m_painter.Has(kSolid, {{dad->Rect().left, y}, {centre + 4, y}}));
    // Past the button the line turns up to Uncle's sibling line, over the boxes of the row.
    const int sibY = sub.GetRow(0)->m_rect.top + 8;
    EXPECT_TRUE(m_painter.Has(kDotted, {{centre - 4, y}, {centre - 4, sibY}, {lineX, sibY}}));
    bool sideButton = false, topButton = false;
    for (const auto& button : m_painter.m_buttons) {
        sideButton |= button.circle.CenterPoint() == CPoint(centre, y);
        topButton |= button.circle.CenterPoint().x == dad->GetCentre().x &&
                     button.circle.CenterPoint().y > dad->Rect().top;
    }
    EXPECT_TRUE(sideButton);
    EXPECT_FALSE(topButton) << "an open relatives tree has its button at the side";
}

} // namespace

namespace {

TEST_F(DrawRelativesTest, CollapsedBoxInTheTopRowAllowedTakesTheLimitBrush)
{
    struct Case {
        bool fixed;
        bool gapsAtTop;
        bool atLimit;
    };
    for (const Case c :
         {Case{false, true, true}, Case{true, false, true}, Case{true, true, false}}) {
        m_owner.m_settings.m_fixedGenerationSize = c.fixed;
        m_owner.m_settings.m_gapsAtTop = c.gapsAtTop;
        Build(kAllRelativesDiagram, "Kid", 1, 1);
        const CDiagElem* dad = nullptr;
        ForEachAncestorBox(*m_rowSet->MainTree(), [&](CDiagAncestorElem& box) {
            if (box.GetIndividual() == P("Dad"))
                dad = &box;
        });
        ASSERT_NE(dad, nullptr);
        ASSERT_EQ(dad->GetExpansion(), kCollapsed);
        m_painter.Clear();
        PaintAll();
        int found = 0;
        for (const auto& button : m_painter.m_buttons)
            if (button.circle.CenterPoint() == CPoint(dad->GetCentre().x, dad->Rect().top + 7)) {
                ++found;
                EXPECT_EQ(button.atLimit, c.atLimit) << c.fixed << c.gapsAtTop;
            }
        EXPECT_EQ(found, 1) << "row " << dad->GetPosition();
    }
}

} // namespace

namespace {

TEST_F(DrawRelativesTest, SecondaryTreeRootDrawsItsLinesDotted)
{
    Build(kAllRelativesDiagram, "Kid", 2, 1);
    const CDiagTree* sub = nullptr;
    for (const CDiagTree* tree : m_rowSet->Trees())
        if (tree->IsSecondary())
            sub = tree;
    ASSERT_NE(sub, nullptr);
    const CDiagElem* root = sub->m_rootElement;
    ASSERT_NE(root, nullptr);
    ASSERT_TRUE(root->IsVisible());
    PaintAll();
    const std::pair<int, int> top(root->GetCentre().x, root->Rect().top);
    bool dotted = false, solid = false;
    for (const auto& line : m_painter.m_lines)
        if (line.points.back() == top)
            (line.style == kDotted ? dotted : solid) = true;
    EXPECT_TRUE(dotted);
    EXPECT_FALSE(solid);
    // Uncle, the other child of the same parents, hangs by a solid line.
    const CRect uncle = BoxOf("Uncle")->Rect();
    bool uncleSolid = false;
    for (const auto& line : m_painter.m_lines)
        uncleSolid |=
            line.style == kSolid &&
            line.points.back() == std::make_pair((uncle.left + uncle.right) / 2, uncle.top);
    EXPECT_TRUE(uncleSolid);
}

} // namespace

namespace {

TEST(DiagFamilyBoxAtLimitTest, FoldedBandsOfHighTreesLimitTheirDescendants)
{
    CDrawTestOwner owner;
    owner.m_settings.SetDiagramType(kAllRelativesDiagram);
    owner.m_settings.m_rowsPerGeneration = 3;
    owner.m_settings.m_fixedGenerationSize = false;
    CDiagRowSet rowSet(owner);
    rowSet.m_bands = CGenerationBands(owner.m_settings, 5); // first folded band 1
    ASSERT_EQ(rowSet.m_bands.FirstFoldedBand(), 1);
    struct Case {
        int band;
        int generation;
        int state;
        bool atLimit;
    };
    const Case cases[] = {
        {3, -1, kCollapsed, true}, {2, -1, kCollapsed, false}, // band + generation < 2
        {3, 0, kCollapsed, false},                             // above minus the marker
        {4, -2, kCollapsed, true}, {3, -1, kExpanded, false},  {3, -1, kNothingToExpand, false},
    };
    for (const Case& c : cases) {
        CDiagTree tree(owner, rowSet, nullptr);
        tree.m_band = c.band;
        CDiagFamilyElem box(owner, 0, c.generation);
        box.SetExpansion(c.state);
        EXPECT_EQ(DiagFamilyBoxAtLimit(tree, box), c.atLimit)
            << c.band << " " << c.generation << " " << c.state;
    }
    owner.m_settings.m_fixedGenerationSize = true;
    owner.m_settings.m_gapsAtTop = false;
    rowSet.m_bands = CGenerationBands(owner.m_settings, 5);
    CDiagTree tree(owner, rowSet, nullptr);
    tree.m_band = 3;
    CDiagFamilyElem box(owner, 0, -1);
    box.SetExpansion(kCollapsed);
    EXPECT_FALSE(DiagFamilyBoxAtLimit(tree, box)) << "no band is folded";
}

} // namespace

namespace {

TEST_F(DrawCoupleTest, BandsFromTheBottomOrFromTheTop)
{
    Build(kAncestorsAndDescendantsDiagram, "C1", 2, 2);
    const CRect all(-100000, 100000, 100000, -100000);
    ASSERT_EQ(DiagPaintRows(*m_rowSet, m_painter, all, kDrawLinesAndBoxes, false), 1);
    EXPECT_EQ(m_painter.m_bands, (std::vector<int>{0, 1}));
    m_painter.Clear();
    ASSERT_EQ(DiagPaintRows(*m_rowSet, m_painter, all, kDrawLinesAndBoxes, true), 1);
    EXPECT_EQ(m_painter.m_bands, (std::vector<int>{1, 0}));
    // A clip over the root row only: its band and the parents' band above it.
    m_painter.Clear();
    const CRect c1 = BoxOf("C1")->Rect();
    DiagPaintRows(*m_rowSet, m_painter, CRect(c1.left, c1.top - 5, c1.right, c1.bottom + 5),
                  kDrawLinesAndBoxes);
    EXPECT_EQ(m_painter.m_bands, (std::vector<int>{0, 1}));
    // Over the parents' row, the top one: its band alone.
    m_painter.Clear();
    const CRect john = BoxOf("John")->Rect();
    DiagPaintRows(*m_rowSet, m_painter, CRect(john.left, john.top - 5, john.right, john.bottom + 5),
                  kDrawLinesAndBoxes);
    EXPECT_EQ(m_painter.m_bands, (std::vector<int>{1}));
}

} // namespace
