// tests/diagrams/layout_edge_test.cpp: layouts at the edges: a person with 2,000 children and
// 200 marriages, a line of 3,000 generations built 999 deep each way in every type, families
// with one or no partner, a later marriage in single-box mode, repeated ancestors marked, and
// All Relatives trees on both sides, sharing what the gap between them lacks, hidden whole when
// their root box is, and their rows described.
#include "diagrams/diag_compact.h"
#include "diagrams/diag_resync.h"
#include "diagrams/diag_update.h"
#include "diagrams/relationship_text.h"
#include "tests/diagrams/layout_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

class LayoutEdgeTest : public CLayoutTest {};

TEST_F(LayoutEdgeTest, TwoThousandChildrenAndTwoHundredMarriages)
{
    CIndRec* father = Person("Father", SEX_MALE);
    CFamRec* big = Marry(father, Person("Wife0", SEX_FEMALE));
    for (int i = 0; i < 2000; ++i)
        big->LinkChild(NewIndividual(i % 2 ? SEX_FEMALE : SEX_MALE, "C"), nullptr);
    for (int i = 1; i < 200; ++i)
        Marry(father, i % 3 ? NewIndividual(SEX_FEMALE, "W") : nullptr,
              i % 5 ? std::initializer_list<CIndRec*>{}
                    : std::initializer_list<CIndRec*>{NewIndividual(SEX_MALE, "K")});
    for (int duplicates = 0; duplicates < 2; ++duplicates) {
        m_owner.m_settings.m_duplicatesWithSpouses = duplicates != 0;
        ASSERT_NE(DiagBuildFromRoot(RowSet(kDescendantsDiagram, 0, 3), father), 0);
        const CDiagTree& tree = *m_rowSet->MainTree();
        EXPECT_EQ(tree.GetRow(0)->m_boxes.size(), 400u);
        EXPECT_EQ(tree.GetRow(-1)->m_shown.size(), 2000u + 39u);
        const auto& row = tree.GetRow(-1)->m_shown;
        for (std::size_t i = 1; i < row.size(); ++i)
            ASSERT_GE(row[i]->Rect().left - row[i - 1]->Rect().right,
                      m_owner.m_settings.m_minSiblingGap);
        // A clip finds its boxes by binary search.
        const CRect& middle = row[1000]->Rect();
        const auto [first, last] = tree.GetRow(-1)->ShownInRange(middle.left, middle.right);
        EXPECT_EQ(first, 1000);
        EXPECT_EQ(last, 1001);
    }
}

TEST_F(LayoutEdgeTest, LongLineIsBuiltToTheGenerationLimitInEveryType)
{
    std::vector<CIndRec*> line{Person("Top", SEX_MALE)};
    for (int i = 0; i < 3000; ++i) {
        CIndRec* child = NewIndividual(SEX_MALE, "L");
        Marry(line.back(), nullptr, {child});
        line.push_back(child);
    }
    CIndRec* middle = line[1500];
    for (int type : {kAncestorsDiagram, kDescendantsDiagram, kAncestorsAndDescendantsDiagram,
                     kAllRelativesDiagram}) {
        ASSERT_NE(DiagBuildFromRoot(RowSet(type, 999, 999), middle), 0) << type;
        int highest = 0, lowest = 0;
        m_rowSet->MainTree()->GetGenerationRange(highest, lowest, false);
        if (type != kDescendantsDiagram && type != kAllRelativesDiagram) {
            EXPECT_EQ(highest, type == kAncestorsDiagram ? 998 : 999) << type;
        }
        if (type != kAncestorsDiagram) {
            EXPECT_EQ(lowest, -998) << type;
        }
        if (type == kAllRelativesDiagram) {
            EXPECT_GE(m_rowSet->Trees().size(), 999u);
        }
    }
    m_rowSet.reset();
}

TEST_F(LayoutEdgeTest, SingleBoxLaterMarriageIsCentredWithoutMovingThePersonBox)
{
    // P's first marriage has three children, the second one child; in single-box mode the
    // second marriage shows only its spouse box, and its children hang from half a spouse gap
    // left of it. P's own box stays centred over the first marriage's children.
    Marry(Person("R", SEX_MALE), Person("RW", SEX_FEMALE), {Person("P", SEX_MALE)});
    Marry(P("P"), Person("W1", SEX_FEMALE),
          {Person("A1", SEX_MALE), Person("A2", SEX_MALE), Person("A3", SEX_MALE)});
    Marry(P("P"), Person("W2", SEX_FEMALE), {Person("B1", SEX_MALE)});
    CDiagramSettings& settings = m_owner.m_settings;
    settings.m_spouseOption = 2;
    settings.m_duplicatesWithSpouses = false;
    for (int otherSpouseGap : {0, 40, 400}) {
        SCOPED_TRACE(otherSpouseGap);
        settings.m_minOtherSpouseGap = otherSpouseGap;
        ASSERT_NE(DiagBuildFromRoot(RowSet(kDescendantsDiagram, 0, 3), P("R")), 0);
        const CDiagElem* person = BoxOf("P");
        const CDiagElem* first = SpouseBoxOf("W1");
        const CDiagElem* second = SpouseBoxOf("W2");
        ASSERT_TRUE(person && first && second && second->IsVisible());
        EXPECT_EQ((person->Rect().right + first->Rect().left) / 2,
                  (BoxOf("A1")->GetCentre().x + BoxOf("A3")->GetCentre().x) / 2);
        EXPECT_EQ(second->Rect().left - settings.m_spouseGap / 2, BoxOf("B1")->GetCentre().x);
        EXPECT_GE(second->Rect().left - first->Rect().right, settings.m_spouseGap + otherSpouseGap);
        EXPECT_GE(BoxOf("B1")->Rect().left - BoxOf("A3")->Rect().right,
                  settings.m_minDescendantGap);
    }
}

TEST_F(LayoutEdgeTest, RepeatedAncestorsAreMarked)
{
    // Cousins marry: their child has the same great-grandparents twice.
    Marry(Person("GGF", SEX_MALE), Person("GGM", SEX_FEMALE),
          {Person("A", SEX_MALE), Person("B", SEX_FEMALE)});
    Marry(P("A"), Person("AW", SEX_FEMALE), {Person("AC", SEX_MALE)});
    Marry(Person("BH", SEX_MALE), P("B"), {Person("BC", SEX_FEMALE)});
    Marry(P("AC"), P("BC"), {Person("Kid", SEX_MALE)});
    ASSERT_NE(DiagBuildFromRoot(RowSet(kAncestorsDiagram, 5, 0), P("Kid")), 0);
    EXPECT_EQ(DiagMarkRepeatedAncestors(*m_rowSet), 4);
    EXPECT_TRUE(BoxOf("GGF")->HasFlag(kElemMarked));
    EXPECT_FALSE(BoxOf("AC")->HasFlag(kElemMarked));
}

TEST_F(LayoutEdgeTest, RelativesTreesHangLeftOnTheFathersSideAndRightOnTheMothers)
{
    Marry(Person("FF", SEX_MALE), Person("FM", SEX_FEMALE),
          {Person("Uncle", SEX_MALE), Person("F", SEX_MALE)});
    Marry(Person("MF", SEX_MALE), Person("MM", SEX_FEMALE),
          {Person("M", SEX_FEMALE), Person("Aunt", SEX_FEMALE)});
    Marry(P("F"), P("M"), {Person("Root", SEX_MALE)});
    for (int mode : {kCompactByRow, kCompactByBand, kCompactByRect}) {
        m_owner.m_settings.m_horizontalCompression = mode;
        ASSERT_NE(DiagBuildFromRoot(RowSet(kAllRelativesDiagram, 2, 2), P("Root")), 0);
        const CDiagTree& main = *m_rowSet->MainTree();
        const CDiagTree* left = DiagFatherSideTree(main);
        const CDiagTree* right = DiagMotherSideTree(main);
        ASSERT_NE(left, nullptr);
        ASSERT_NE(right, nullptr);
        const int gap = m_owner.m_settings.m_subTreeGap;
        // The father's siblings stand left of the main tree's row, the mother's right.
        const CDiagRow& fatherRow = *main.GetRow(1);
        EXPECT_LE(left->GetRow(0)->m_rect.right + gap, fatherRow.m_rect.left) << mode;
        EXPECT_GE(right->GetRow(0)->m_rect.left - gap, fatherRow.m_rect.right) << mode;
        EXPECT_EQ(left->GetRow(0)->m_rowNumber, fatherRow.m_rowNumber);
        // The relatives tree's root repeats the ancestor and has no button of its own.
        EXPECT_TRUE(left->m_rootElement->HasFlag(kElemRoot | kElemRepeat));
        EXPECT_EQ(left->m_rootElement->GetExpansion(), kNothingToExpand);
        // Closing the father's relatives hides them.
        ASSERT_TRUE(DiagExpandElement(*m_rowSet, *main.m_father));
        EXPECT_FALSE(left->m_rootElement->IsVisible());
        EXPECT_EQ(DiagFatherSideTree(main), nullptr);
    }
}

TEST_F(LayoutEdgeTest, RelativesTreesThatWouldOverlapEachOtherShareTheShortageFatherSideLess)
{
    // Narrow uncle and aunt rows beside the parents, wide grandparents above them: the two
    // relatives trees reach each other above the main tree, where it has no row.
    Marry(Person("FatherOfTheFatherXXXXXXXXXXXXXXXXXXXXXXX", SEX_MALE),
          Person("MotherOfTheFatherXXXXXXXXXXXXXXXXXXXXXXX", SEX_FEMALE),
          {Person("U", SEX_MALE), Person("F", SEX_MALE)});
    Marry(Person("FatherOfTheMotherXXXXXXXXXXXXXXXXXXXXXXX", SEX_MALE),
          Person("MotherOfTheMotherXXXXXXXXXXXXXXXXXXXXXXX", SEX_FEMALE),
          {Person("M", SEX_FEMALE), Person("A", SEX_FEMALE)});
    Marry(P("F"), P("M"), {Person("Root", SEX_MALE)});
    m_owner.m_settings.m_horizontalCompression = kCompactByRow;
    m_owner.m_settings.m_subTreeGap = 17;
    ASSERT_NE(DiagBuildFromRoot(RowSet(kAllRelativesDiagram, 2, 2), P("Root")), 0);
    const CDiagTree& main = *m_rowSet->MainTree();
    const CDiagTree* left = DiagFatherSideTree(main);
    const CDiagTree* right = DiagMotherSideTree(main);
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    const CDiagramSettings& s = m_owner.m_settings;
    const int gap = s.m_subTreeGap;
    // The parents' boxes carry the side buttons of their relatives trees.
    const int button = s.m_boxToBoxVertGap - s.m_buttonCentreToBoxVertGap + s.m_buttonRadius;
    const auto place = [&] {
        const CDiagRow& parents = *main.GetRow(1);
        const CDiagRow& uncle = *left->GetRow(0);
        const CDiagRow& aunt = *right->GetRow(0);
        const CDiagRow& leftTop = *left->GetRow(1);
        const CDiagRow& rightTop = *right->GetRow(1);
        return std::tuple{int(parents.m_rect.left - uncle.m_rect.right),
                          int(aunt.m_rect.left - parents.m_rect.right),
                          int(rightTop.m_rect.left - leftTop.m_rect.right),
                          int(main.m_rootElement->GetCentre().x)};
    };
    const auto [fatherSide, motherSide, above, root] = place();
    // Above the main tree the two trees stand the sub-tree gap apart; beside the parents each
    // takes half of what the gap there lacked, the father's side the smaller half.
    EXPECT_EQ(above, gap);
    const int shortage = fatherSide + motherSide - 2 * (gap + button);
    ASSERT_EQ(shortage % 2, 1) << shortage;
    EXPECT_EQ(fatherSide - gap - button, shortage / 2);
    EXPECT_EQ(motherSide - gap - button, shortage - shortage / 2);
    // Trees already apart are not pushed further: packing and compacting again moves nothing.
    CDiagRepaint repaint;
    DiagRepack(*m_rowSet, repaint);
    EXPECT_EQ(place(), std::tuple(fatherSide, motherSide, above, root));
}

TEST_F(LayoutEdgeTest, RowsOfAnAllRelativesDiagramAreDescribedByGenerationAndDegree)
{
    Marry(Person("FF", SEX_MALE), Person("FM", SEX_FEMALE),
          {Person("Uncle", SEX_MALE), Person("F", SEX_MALE)});
    Marry(P("Uncle"), Person("UW", SEX_FEMALE), {Person("Cousin", SEX_MALE)});
    Marry(P("Cousin"), Person("CW", SEX_FEMALE), {Person("CousinKid", SEX_MALE)});
    Marry(P("F"), Person("M", SEX_FEMALE), {Person("Root", SEX_MALE)});
    Marry(P("Root"), Person("RW", SEX_FEMALE), {Person("Kid", SEX_MALE)});
    for (bool fixed : {true, false}) {
        SCOPED_TRACE(fixed);
        m_owner.m_settings.m_rowsPerGeneration = 3;
        m_owner.m_settings.m_fixedGenerationSize = fixed;
        m_owner.m_settings.m_gapsAtTop = false;
        ASSERT_NE(DiagBuildFromRoot(RowSet(kAllRelativesDiagram, 3, 3), P("Root")), 0);
        ASSERT_EQ(m_rowSet->m_bands.RowsPerBand(), 3);
        std::map<int, std::string> texts;
        for (const RelationshipRow& row : DiagRelationshipRows(*m_rowSet))
            if (row.degree >= 0)
                texts[row.row] = FormatCousinLabel(row.generation, row.degree, false, "Root");
        // The uncle's descendants fill the root's band above its row, from the top down.
        const std::map<int, std::string> expected = {
            {-1, "children/nephews/nieces"},
            {0, "Root"},
            {1, "1st cousins 1x removed"},
            {2, "1st cousins "},
            {3, "parents"},
            {6, "grandparents"},
        };
        EXPECT_EQ(texts, expected);
    }
}

TEST_F(LayoutEdgeTest, ARelativesTreeWhoseRootBoxIsHiddenIsHiddenWholeWhenTreesMove)
{
    Marry(Person("FF", SEX_MALE), Person("FM", SEX_FEMALE),
          {Person("Uncle", SEX_MALE), Person("F", SEX_MALE)});
    Marry(P("Uncle"), Person("UW", SEX_FEMALE), {Person("Cousin", SEX_MALE)});
    Marry(P("F"), Person("M", SEX_FEMALE), {Person("Root", SEX_MALE)});
    ASSERT_NE(DiagBuildFromRoot(RowSet(kAllRelativesDiagram, 2, 2), P("Root")), 0);
    CDiagTree& left = *DiagFatherSideTree(*m_rowSet->MainTree());
    std::vector<CRect> shown;
    ForEachBox(left, true, [&](CDiagElem& box) {
        if (box.IsVisible() && &box != left.m_rootElement)
            shown.push_back(box.Rect());
    });
    ASSERT_GE(shown.size(), 2u);
    // The root box alone hidden, the rest of its tree still showing.
    left.m_rootElement->SetVisible(false);
    CDiagRepaint repaint;
    DiagRepack(*m_rowSet, repaint);
    ForEachBox(left, true, [&](CDiagElem& box) { EXPECT_FALSE(box.IsVisible()); });
    for (const CRect& box : shown) {
        const bool repainted = std::any_of(repaint.areas.begin(), repaint.areas.end(),
                                           [&](const CRect& area) { return area == box; });
        EXPECT_TRUE(repainted) << box.left << "," << box.top;
    }
}

} // namespace
