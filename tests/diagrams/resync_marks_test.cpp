// tests/diagrams/resync_marks_test.cpp: marking repeated ancestors in a family where two
// cousins married, so that their common grandparents stand twice among the ancestors; the
// open branches of such boxes are built again from the records.
#include "tests/diagrams/draw_test_painter.h"

#include "diagrams/diag_resync.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace {

class RepeatedAncestorsTest : public CDrawTest {
protected:
    void SetUp() override
    {
        CDrawTest::SetUp();
        Marry(Person("A", SEX_MALE), Person("B", SEX_FEMALE),
              {Person("X", SEX_MALE), Person("Y", SEX_FEMALE)});
        Marry(P("X"), Person("P", SEX_FEMALE), {Person("C1", SEX_MALE)});
        Marry(Person("Q", SEX_MALE), P("Y"), {Person("C2", SEX_FEMALE)});
        Marry(P("C1"), P("C2"), {Person("Kid", SEX_MALE)});
    }
    /// The number of ancestor boxes of the person, and how many are marked.
    std::pair<int, int> Marks(const std::string& key) const
    {
        int boxes = 0, marked = 0;
        ForEachAncestorBox(*m_rowSet->MainTree(), [&](CDiagAncestorElem& box) {
            if (box.GetIndividual() == P(key)) {
                ++boxes;
                marked += box.HasFlag(kElemMarked);
            }
        });
        return {boxes, marked};
    }
};

TEST_F(RepeatedAncestorsTest, BoxesOfPeopleShownTwiceAreMarked)
{
    Build(kAncestorsDiagram, "Kid", 4, 0);
    CDiagRepaint repaint;
    EXPECT_EQ(DiagRebuildMarked(*m_rowSet, false, repaint), 1);
    EXPECT_EQ(Marks("A"), std::make_pair(2, 0)) << "marking off";
    EXPECT_FALSE(repaint.whole);
    EXPECT_EQ(DiagRebuildMarked(*m_rowSet, true, repaint), 1);
    EXPECT_EQ(Marks("A"), std::make_pair(2, 2));
    EXPECT_EQ(Marks("B"), std::make_pair(2, 2));
    EXPECT_EQ(Marks("X"), std::make_pair(1, 0));
    EXPECT_EQ(Marks("C1"), std::make_pair(1, 0));
    EXPECT_TRUE(repaint.whole);
}

/// Where each shown box of a row set stands, by person and kind.
std::multimap<std::tuple<const CIndRec*, int>, std::pair<int, int>>
PlacementOf(const CDiagRowSet& rowSet)
{
    std::multimap<std::tuple<const CIndRec*, int>, std::pair<int, int>> placement;
    for (const CDiagTree* tree : rowSet.Trees())
        ForEachBox(*tree, false, [&](CDiagElem& box) {
            if (box.IsVisible())
                placement.emplace(std::tuple(box.GetIndividual(), box.GetKind()),
                                  std::pair<int, int>(box.Rect().left, box.Rect().top));
        });
    return placement;
}

TEST_F(RepeatedAncestorsTest, OpenBranchesOfRepeatedBoxesAreBuiltAgain)
{
    // A's parents and grandfather stand twice above Kid, in the branches of A's two boxes.
    Marry(Person("GA", SEX_MALE), Person("GB", SEX_FEMALE), {P("A")});
    Marry(Person("GGA", SEX_MALE), Person("GGB", SEX_FEMALE), {P("GA")});
    const struct {
        int type;
        const char* newChild; // gets a father the diagram has not seen
    } rows[] = {{kAncestorsDiagram, "GB"}, {kAllRelativesDiagram, "GGB"}};
    for (const auto& row : rows) {
        const int type = row.type;
        SCOPED_TRACE(type);
        CDiagRowSet& rowSet = Build(type, "Kid", 7, 2);
        // In one of A's branches GA's parents are closed, and someone in both branches gets a
        // father the diagram has not seen.
        CDiagAncestorElem* closed = nullptr;
        for (const CDiagTree* tree : rowSet.Trees())
            ForEachAncestorBox(*tree, [&](CDiagAncestorElem& box) {
                if (box.GetIndividual() == P("GA") && !closed)
                    closed = &box;
            });
        ASSERT_NE(closed, nullptr);
        ASSERT_EQ(closed->GetExpansion(), kExpanded);
        ASSERT_TRUE(DiagExpandElement(rowSet, *closed));
        ASSERT_EQ(closed->GetExpansion(), kCollapsed);
        const std::string father = "GBF" + std::to_string(type);
        Marry(Person(father, SEX_MALE), nullptr, {P(row.newChild)});

        CDiagRepaint repaint;
        EXPECT_EQ(DiagRebuildMarked(rowSet, true, repaint), 1);
        EXPECT_TRUE(rowSet.m_dirty);
        int fathers = 0, openGA = 0;
        for (const CDiagTree* tree : rowSet.Trees())
            ForEachBox(*tree, false, [&](CDiagElem& box) {
                if (box.GetKind() != kAncestorElem || !box.IsVisible())
                    return;
                if (box.GetIndividual() == P(father)) {
                    ++fathers;
                    EXPECT_TRUE(box.HasFlag(kElemMarked));
                }
                if (box.GetIndividual() == P("GA")) {
                    openGA += box.GetExpansion() == kExpanded;
                    EXPECT_TRUE(box.HasFlag(kElemMarked));
                }
            });
        EXPECT_EQ(fathers, 2);
        EXPECT_EQ(openGA, 2);
        const auto after = PlacementOf(rowSet);
        CDiagRowSet fresh(m_owner);
        fresh.m_ancestorGenerations = 7;
        fresh.m_descendantGenerations = 2;
        ASSERT_NE(DiagBuildFromRoot(fresh, P("Kid")), 0);
        EXPECT_EQ(after, PlacementOf(fresh));
    }
}

TEST_F(RepeatedAncestorsTest, ABuildAgainPastTheBoxBudgetIsAbandonedWithTheRowsSound)
{
    Marry(Person("GA", SEX_MALE), Person("GB", SEX_FEMALE), {P("A")});
    CDiagRowSet& rowSet = Build(kAncestorsDiagram, "Kid", 6, 0);
    rowSet.m_boxBudget = DiagCountBoxes(rowSet) - 1;
    CDiagRepaint repaint;
    EXPECT_EQ(DiagRebuildMarked(rowSet, true, repaint), 0);
    EXPECT_TRUE(repaint.whole);
    // Every row holds boxes that still stand: the pass paints each shown box once.
    int shown = 0;
    ForEachBox(*rowSet.MainTree(), true, [&](CDiagElem& box) { shown += box.IsVisible(); });
    PaintAll(kDrawBoxesOnly);
    EXPECT_EQ(int(m_painter.m_boxes.size()), shown);
}

} // namespace
