// tests/diagrams/hit_extent_test.cpp: hit tests and extents: every box and every drawn button of
// royal92.ged diagrams of all four types (All Relatives in each compaction mode) is found and
// lies within the extent; the gaps between boxes and rows; empty diagrams.
#include "tests/diagrams/hit_test_support.h"

#include "diagrams/diag_draw_lines.h"
#include "diagrams/diag_hit.h"

#include <gtest/gtest.h>

namespace {

bool Holds(const CRect& outer, const CRect& inner)
{
    return inner.left >= outer.left && inner.right <= outer.right && inner.top <= outer.top &&
           inner.bottom >= outer.bottom;
}

class HitRoyalTest : public CRoyalTest {
protected:
    /// Every shown box is hit at its centre and lies in the extent; every button drawn is hit
    /// as a button.
    void CheckEveryBoxAndButton(const std::string& label)
    {
        CRect extent;
        ASSERT_TRUE(DiagGetExtent(*m_rowSet, extent)) << label;
        int boxes = 0;
        ForEachShown([&](const CDiagTree&, CDiagElem& box) {
            ++boxes;
            const CPoint centre = box.GetCentre();
            int onButton = -1;
            EXPECT_EQ(DiagHitTestRows(*m_rowSet, centre.x, centre.y, onButton), &box)
                << label << " box at " << centre.x << "," << centre.y;
            EXPECT_EQ(onButton, 0);
            EXPECT_TRUE(Holds(extent, box.Rect())) << label;
        });
        EXPECT_GT(boxes, 1) << label;
        m_painter.Clear();
        PaintAll();
        for (const auto& button : m_painter.m_buttons) {
            const CPoint centre = button.circle.CenterPoint();
            int onButton = 0;
            const CDiagElem* hit = DiagHitTestRows(*m_rowSet, centre.x, centre.y, onButton);
            EXPECT_NE(hit, nullptr) << label << " button at " << centre.x << "," << centre.y;
            EXPECT_EQ(onButton, 1) << label << " button at " << centre.x << "," << centre.y;
        }
    }
};

TEST_F(HitRoyalTest, EveryBoxAndButtonOfEachTypeIsFoundWithinTheExtent)
{
    for (CIndRec* person : Sample(4)) {
        for (const int type :
             {kAncestorsDiagram, kDescendantsDiagram, kAncestorsAndDescendantsDiagram}) {
            BuildOf(type, person, 4, 3);
            CheckEveryBoxAndButton("type " + std::to_string(type));
        }
        for (const int mode : {0, 1, 2}) {
            m_owner.m_settings.m_horizontalCompression = mode;
            BuildOf(kAllRelativesDiagram, person, 3, 2);
            CheckEveryBoxAndButton("relatives, compaction " + std::to_string(mode));
        }
    }
}

TEST_F(HitRoyalTest, SingleBoxModeAndDuplicateBoxes)
{
    for (const bool duplicates : {false, true}) {
        m_owner.m_settings.m_duplicatesWithSpouses = duplicates;
        for (CIndRec* person : Sample(3)) {
            BuildOf(kAncestorsAndDescendantsDiagram, person, 2, 4);
            CheckEveryBoxAndButton(duplicates ? "duplicates" : "single box");
        }
    }
}

/// John and Mary with children C1, C2, C3.
class HitFamilyTest : public CDrawTest {
protected:
    void SetUp() override
    {
        CDrawTest::SetUp();
        CIndRec* f = Person("F", SEX_MALE);
        CIndRec* john = Person("John", SEX_MALE);
        Marry(f, Person("M", SEX_FEMALE), {john});
        Marry(john, Person("Mary", SEX_FEMALE),
              {Person("C1", SEX_MALE), Person("C2", SEX_FEMALE), Person("C3", SEX_MALE)});
    }
};

TEST_F(HitFamilyTest, GapsBetweenBoxesAndRows)
{
    m_owner.m_settings.m_spouseOption = 2;
    Build(kAncestorsAndDescendantsDiagram, "John", 2, 2);
    const CDiagTree& tree = *m_rowSet->MainTree();
    const CRect john = BoxOf("John")->Rect(), c1 = BoxOf("C1")->Rect(), c2 = BoxOf("C2")->Rect();
    int onButton = 0;
    // Between two children: nothing.
    EXPECT_EQ(DiagHitTestTree(tree, (c1.right + c2.left) / 2, c1.top - 5, onButton), nullptr);
    // Below John and Mary, at their drop point: John's button; beside it in the gap nothing.
    const int dropX =
        FamilyDropPoint(CLineGeometry(*m_rowSet), *static_cast<CDiagFamilyElem*>(BoxOf("John"))).x;
    EXPECT_EQ(DiagHitTestTree(tree, dropX, john.bottom - 7, onButton), BoxOf("John"));
    EXPECT_EQ(onButton, 1);
    EXPECT_EQ(DiagHitTestTree(tree, john.left + 2, john.bottom - 7, onButton), nullptr);
    // Above the father: his button would be there; F has no parents, so nothing.
    const CRect f = BoxOf("F")->Rect();
    EXPECT_EQ(DiagHitTestTree(tree, f.left + 5, f.bottom + 5, onButton), BoxOf("F"));
    EXPECT_EQ(onButton, 0);
    EXPECT_EQ(DiagHitTestTree(tree, (f.left + f.right) / 2, f.top + 7, onButton), nullptr);
    // The gap between the root row and the parents' row belongs to neither.
    EXPECT_EQ(DiagHitTestTree(tree, john.left + 5, john.top + 5, onButton), nullptr);
    // Collapsed grandparents' buttons above the parents' row.
    Build(kAncestorsAndDescendantsDiagram, "C1", 1, 1);
    const CRect j = BoxOf("John")->Rect();
    ASSERT_EQ(BoxOf("John")->GetExpansion(), kCollapsed);
    EXPECT_EQ(DiagHitTestRows(*m_rowSet, (j.left + j.right) / 2, j.top + 7, onButton),
              BoxOf("John"));
    EXPECT_EQ(onButton, 1);
}

TEST_F(HitFamilyTest, ExtentsAndRowRanges)
{
    CDiagRowSet empty(m_owner);
    CRect rect;
    EXPECT_FALSE(DiagGetExtent(empty, rect));
    int highest = -5, lowest = -5;
    EXPECT_FALSE(DiagGetRowRange(empty, highest, lowest, false));
    EXPECT_FALSE(DiagGetRowRange(empty, highest, lowest, true));
    EXPECT_EQ(highest, 0);
    EXPECT_EQ(lowest, 1);

    Build(kAncestorsAndDescendantsDiagram, "John", 2, 2);
    EXPECT_TRUE(DiagGetRowRange(*m_rowSet, highest, lowest, true));
    EXPECT_EQ(highest, 1);
    EXPECT_EQ(lowest, -1);
    ASSERT_TRUE(DiagGetExtent(*m_rowSet, rect));
    EXPECT_EQ(rect.top, BoxOf("F")->Rect().top);
    EXPECT_EQ(rect.bottom, BoxOf("C1")->Rect().bottom);
    EXPECT_EQ(DiagTreeTopOffset(*m_rowSet->MainTree()), 0);

    // An Ancestors diagram reaches down to a row below the root's; a Descendants diagram up to
    // half the gap above the root row.
    Build(kAncestorsDiagram, "John", 2, 0);
    ASSERT_TRUE(DiagGetExtent(*m_rowSet, rect));
    EXPECT_EQ(rect.bottom, -74 - 8);
    Build(kDescendantsDiagram, "John", 0, 2);
    ASSERT_TRUE(DiagGetExtent(*m_rowSet, rect));
    EXPECT_EQ(rect.top, -8);
}

} // namespace

namespace {

/// Bob married to Ann and then to Cat, a child of each marriage.
class HitMarriagesTest : public CDrawTest {
protected:
    void SetUp() override
    {
        CDrawTest::SetUp();
        CIndRec* bob = Person("Bob", SEX_MALE);
        Marry(bob, Person("Ann", SEX_FEMALE), {Person("K1", SEX_MALE)});
        Marry(bob, Person("Cat", SEX_FEMALE), {Person("K2", SEX_FEMALE)});
    }
};

TEST_F(HitMarriagesTest, HiddenSecondMarriageButtonInSingleBoxMode)
{
    m_owner.m_settings.m_duplicatesWithSpouses = false;
    Build(kDescendantsDiagram, "Bob", 0, 2);
    const auto& boxes = m_rowSet->MainTree()->m_rootLinks.front()->m_boxes;
    ASSERT_EQ(boxes.size(), 2u);
    ASSERT_FALSE(boxes[1]->IsVisible());
    const CRect bob = boxes[0]->Rect(), cat = BoxOf("Cat", true)->Rect();
    int onButton = 0;
    EXPECT_EQ(DiagHitTestRows(*m_rowSet, cat.left - 5, bob.bottom - 7, onButton), boxes[1].get());
    EXPECT_EQ(onButton, 1);
    // Cat's own box is hit as a box; beside the button, nothing.
    EXPECT_EQ(DiagHitTestRows(*m_rowSet, cat.left + 2, cat.bottom + 2, onButton),
              BoxOf("Cat", true));
    EXPECT_EQ(onButton, 0);
    EXPECT_EQ(DiagHitTestRows(*m_rowSet, cat.left - 5, bob.bottom - 20, onButton), nullptr);
}

} // namespace
