// tests/diagrams/layout_tree_test.cpp: rows, tables, the generation index and bands, and the
// builders and placement on small families with the fake measurer: the positions of a
// descendants and an ancestors diagram, generation limits, spouse options, loops in the data,
// the box budget, opening and closing branches, and the centring of relatives trees' roots.
#include "common/abort.h"
#include "diagrams/diag_band.h"
#include "diagrams/diag_compact.h"
#include "tests/diagrams/layout_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

TEST(GenerationBandsTest, FoldedBandsMapRowsAndPastTheLastBandIsTheLast)
{
    CDiagramSettings settings;
    settings.SetDiagramType(kAllRelativesDiagram);
    settings.m_rowsPerGeneration = 3;
    settings.m_fixedGenerationSize = false;
    const CGenerationBands bands(settings, 5);
    EXPECT_EQ(bands.FullBands(), 3);
    const struct {
        int row;
        int band;
    } cases[] = {{0, 0},  {2, 0},  {3, 1},   {11, 3},  {12, 4},  {13, 4},
                 {14, 5}, {15, 5}, {400, 5}, {-1, -1}, {-3, -1}, {-4, -2}};
    for (const auto& c : cases)
        EXPECT_EQ(bands.MapRowToBand(c.row), c.band) << c.row;
    int first = 0, last = 0;
    ASSERT_TRUE(bands.GetBandRows(5, first, last));
    EXPECT_EQ(first, 14);
    EXPECT_EQ(last, 14);
    EXPECT_FALSE(bands.GetBandRows(6, first, last));
    EXPECT_EQ(bands.GetBandBaseRow(3), 3);
    EXPECT_EQ(bands.GetBandBaseRow(4), 2);
    EXPECT_EQ(bands.GetBandBaseRow(5), 1);
    EXPECT_EQ(bands.GetBandBaseRow(9), 1);
    int band = 0, index = 0;
    ASSERT_TRUE(bands.GetBandOfPosition(13, band, index));
    EXPECT_EQ(band, 4);
    EXPECT_EQ(index, 1);
}

TEST(GenerationBandsTest, FixedSizeOtherTypesAndGenerationsCounted)
{
    CDiagramSettings settings;
    settings.SetDiagramType(kAllRelativesDiagram);
    settings.m_rowsPerGeneration = 2;
    settings.m_fixedGenerationSize = true;
    const CGenerationBands fixed(settings, 5);
    EXPECT_EQ(fixed.MapRowToBand(-1), -1);
    EXPECT_EQ(fixed.MapRowToBand(-3), -2);
    settings.m_ancestorGenerations = 1;
    EXPECT_EQ(GetRelativesGenerations(settings), 2);

    settings.SetDiagramType(kAncestorsDiagram);
    const CGenerationBands plain(settings, 5);
    for (int row : {-7, 0, 3, 12}) {
        EXPECT_EQ(plain.MapRowToBand(row), row);
        EXPECT_EQ(plain.GetBandBaseRow(row), 1);
    }
    int remainder = 0;
    EXPECT_EQ(RowFromPosition(-1, 74, 8, &remainder), 0);
    EXPECT_EQ(remainder, 7);
    EXPECT_EQ(RowFromPosition(-9, 74, 8, &remainder), -1);
    EXPECT_EQ(remainder, 73);
}

TEST(GenerationIndexTest, GrowsByTwentyAndShiftsItsOrigin)
{
    CGenerationIndex index;
    CDiagRow zero, deep;
    zero.m_rowNumber = 0;
    deep.m_rowNumber = -15;
    index.Add(&zero);
    EXPECT_EQ(index.AllocatedSize(), 20);
    EXPECT_EQ(index.Origin(), 10);
    index.Add(&deep);
    EXPECT_EQ(index.AllocatedSize(), 40);
    EXPECT_EQ(index.Origin(), 30);
    EXPECT_EQ(index.First(0), &zero);
    EXPECT_EQ(index.First(-15), &deep);
    EXPECT_EQ(index.LowestRow(), -15);
    EXPECT_EQ(index.HighestRow(), 0);
}

class LayoutTreeTest : public CLayoutTest {};

TEST_F(LayoutTreeTest, IndexOverTwoTreesChainsRowsInTreeOrder)
{
    CDiagRowSet& rowSet = RowSet(kAncestorsDiagram, 1, 1);
    auto first = std::make_unique<CDiagTree>(m_owner, rowSet, nullptr);
    auto second = std::make_unique<CDiagTree>(m_owner, rowSet, nullptr);
    rowSet.InsertTree(first.get(), nullptr, false);
    rowSet.InsertTree(second.get(), nullptr, false);
    for (auto [tree, highest, lowest] : {std::tuple{first.get(), 3, -2}, {second.get(), 1, -5}}) {
        for (int g = 1; g <= highest; ++g)
            tree->AppendRow(g, {})->m_rowNumber = g;
        for (int g = 0; g >= lowest; --g)
            tree->AppendRow(g, {})->m_rowNumber = g;
    }
    rowSet.RebuildIndex();
    const CGenerationIndex& index = rowSet.Index();
    EXPECT_EQ(index.HighestRow(), 3);
    EXPECT_EQ(index.LowestRow(), -5);
    EXPECT_EQ(index.First(0), first->GetRow(0));
    EXPECT_EQ(index.First(0)->m_nextOfGeneration, second->GetRow(0));
    EXPECT_EQ(index.First(-5), second->GetRow(-5));
    // Each generation's row on both sides, the first ancestor row and the root row apart.
    for (int g : {3, 2, 1, 0, -1, -2}) {
        const CDiagRow* row = first->GetRow(g);
        ASSERT_NE(row, nullptr) << g;
        EXPECT_EQ(row->m_rowNumber, g) << g;
    }
    EXPECT_EQ(index.First(1), first->GetRow(1));
    EXPECT_NE(first->GetRow(0), first->GetRow(1));
    EXPECT_THROW(first->AppendRow(9, {}), COperationAborted);

    first->GetRow(3)->m_boxes.clear();
    second->ReleaseRows(0, true);
    second->AppendRow(1, {});
    second->TrimEmptyRows();
    int highest = 0, lowest = 0;
    second->GetGenerationRange(highest, lowest, false);
    EXPECT_EQ(highest, 0);
    EXPECT_EQ(lowest, 1);
    second.reset();
    EXPECT_EQ(rowSet.Trees().size(), 1u);
    first.reset();
}

TEST_F(LayoutTreeTest, CentreSubTreeRootsPutsARelativesTreesRootUnderItsParents)
{
    // F is the first of three brothers; his relatives tree hangs from his box above Kid.
    Marry(Person("FF", SEX_MALE), Person("FM", SEX_FEMALE),
          {Person("F", SEX_MALE), Person("U1", SEX_MALE), Person("U2", SEX_MALE)});
    Marry(P("F"), Person("M", SEX_FEMALE), {Person("Kid", SEX_MALE)});
    const struct {
        bool subTreeRoots;
        bool diagramRoot; // the main tree's option, which a relatives tree ignores
        bool rootUnderParents;
    } rows[] = {
        {false, false, false}, {false, true, false}, {true, false, true}, {true, true, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.subTreeRoots) + std::to_string(row.diagramRoot));
        m_owner.m_settings.m_centreSubTreeRoots = row.subTreeRoots;
        m_owner.m_settings.m_centreDiagramRoot = row.diagramRoot;
        ASSERT_NE(DiagBuildFromRoot(RowSet(kAllRelativesDiagram, 2, 2), P("Kid")), 0);
        const auto* sub = static_cast<const CDiagTree*>(m_rowSet->MainTree()->m_father->SubTree());
        ASSERT_NE(sub, nullptr);
        ASSERT_TRUE(sub->m_father && sub->m_mother && sub->m_rootElement);
        const int parents = GapMidpoint(sub->m_father->Rect(), sub->m_mother->Rect()).x;
        const auto& siblings = sub->GetRow(0)->m_shown;
        ASSERT_GE(siblings.size(), 3u);
        const int middle = (siblings.front()->GetCentre().x + siblings.back()->GetCentre().x) / 2;
        const int root = sub->m_rootElement->GetCentre().x;
        ASSERT_NE(root, middle);
        EXPECT_EQ(parents, row.rootUnderParents ? root : middle);
        // The tree's line runs from the parents' couple, where the tree was placed.
        EXPECT_EQ(DiagLineX(*sub), parents);
    }
}

/// John (male) and Mary married, children C1, C2, C3, none married.
class DescendantsLayoutTest : public CLayoutTest {
protected:
    void SetUp() override
    {
        CLayoutTest::SetUp();
        m_family =
            Marry(Person("John", SEX_MALE), Person("Mary", SEX_FEMALE),
                  {Person("C1", SEX_MALE), Person("C2", SEX_FEMALE), Person("C3", SEX_MALE)});
        m_owner.m_settings.m_spouseOption = 2;
    }
    CFamRec* m_family = nullptr;
};

TEST_F(DescendantsLayoutTest, CoupleOverThreeChildrenAtTheirPlaces)
{
    for (const bool centred : {false, true}) {
        m_owner.m_settings.m_centreDiagramRoot = centred;
        CDiagRowSet& rowSet = RowSet(kDescendantsDiagram, 0, 3);
        ASSERT_NE(DiagBuildFromRoot(rowSet, P("John")), 0);
        const int dx = centred ? 45 : 0;
        EXPECT_EQ(Span(BoxOf("John")), std::pair(-85 + dx, -5 + dx)) << centred;
        EXPECT_EQ(Span(SpouseBoxOf("Mary")), std::pair(5 + dx, 85 + dx));
        EXPECT_EQ(Span(BoxOf("C1")), std::pair(-132 + dx, -52 + dx));
        EXPECT_EQ(Span(BoxOf("C2")), std::pair(-40 + dx, 40 + dx));
        EXPECT_EQ(Span(BoxOf("C3")), std::pair(52 + dx, 132 + dx));
        EXPECT_EQ(BoxOf("John")->Rect().top, -24);
        EXPECT_EQ(BoxOf("John")->Rect().bottom, -74);
        EXPECT_EQ(BoxOf("C2")->Rect().top, -98);
        EXPECT_EQ(BoxOf("C2")->Rect().bottom, -148);
        EXPECT_TRUE(BoxOf("John")->HasFlag(kElemRoot));
    }
}

TEST_F(DescendantsLayoutTest, WifeAsRootStandsRightOfHerHusband)
{
    ASSERT_NE(DiagBuildFromRoot(RowSet(kDescendantsDiagram, 0, 3), P("Mary")), 0);
    EXPECT_EQ(Span(SpouseBoxOf("John")), std::pair(-85, -5));
    EXPECT_EQ(Span(BoxOf("Mary")), std::pair(5, 85));
}

TEST_F(DescendantsLayoutTest, SpouseOptionAndGenerationLimits)
{
    Marry(P("John"), Person("Ann", SEX_FEMALE));
    Marry(P("John"), Person("Sue", SEX_FEMALE));
    m_owner.m_settings.m_spouseOption = 0;
    ASSERT_NE(DiagBuildFromRoot(RowSet(kDescendantsDiagram, 0, 3), P("John")), 0);
    CDiagRow* root = m_rowSet->MainTree()->GetRow(0);
    ASSERT_EQ(root->m_boxes.size(), 1u);
    EXPECT_EQ(root->m_boxes[0]->GetExpansion(), kExpanded);

    // One generation: the children are not built and the box is collapsed.
    m_owner.m_settings.m_spouseOption = 2;
    ASSERT_NE(DiagBuildFromRoot(RowSet(kDescendantsDiagram, 0, 1), P("John")), 0);
    EXPECT_EQ(m_rowSet->MainTree()->DescendantRowCount(), 1);
    EXPECT_EQ(m_rowSet->MainTree()->GetRow(0)->m_boxes.size(), 6u);
    EXPECT_EQ(BoxOf("John")->GetExpansion(), kCollapsed);

    // Single-box mode: John's later marriage boxes are hidden, their spouses beside his box.
    const CDiagRow& row = *m_rowSet->MainTree()->GetRow(0);
    ASSERT_EQ(row.m_shown.size(), 4u);
    EXPECT_EQ(row.m_shown[2]->Rect().left - row.m_shown[1]->Rect().right,
              m_owner.m_settings.m_spouseGap + m_owner.m_settings.m_minOtherSpouseGap);
}

TEST_F(DescendantsLayoutTest, CoupleRootShowsOnlyTheCoupleAboveTheChildren)
{
    Marry(Person("GF", SEX_MALE), Person("GM", SEX_FEMALE), {P("John")});
    ASSERT_NE(DiagBuildFromRootParents(RowSet(kDescendantsDiagram, 5, 3), m_family), 0);
    CDiagTree& tree = *m_rowSet->MainTree();
    EXPECT_EQ(tree.AncestorRowCount(), 1);
    EXPECT_EQ(tree.m_father->GetExpansion(), kNothingToExpand);
    // Generation 1 spans H down to 0, centred over the children.
    EXPECT_EQ(tree.m_father->Rect().top, 50);
    EXPECT_EQ(tree.m_father->Rect().bottom, 0);
    EXPECT_EQ(GapMidpoint(tree.m_father->Rect(), tree.m_mother->Rect()).x,
              (BoxOf("C1")->GetCentre().x + BoxOf("C3")->GetCentre().x) / 2);
}

TEST_F(DescendantsLayoutTest, ClosingAndOpeningABranchHidesAndShowsTheChildren)
{
    ASSERT_NE(DiagBuildFromRoot(RowSet(kDescendantsDiagram, 0, 3), P("John")), 0);
    CDiagElem* john = BoxOf("John");
    ASSERT_TRUE(DiagExpandElement(*m_rowSet, *john));
    EXPECT_EQ(john->GetExpansion(), kCollapsed);
    EXPECT_EQ(BoxOf("C1"), nullptr);
    ASSERT_TRUE(DiagExpandElement(*m_rowSet, *SpouseBoxOf("Mary")));
    EXPECT_EQ(john->GetExpansion(), kExpanded);
    EXPECT_EQ(Span(BoxOf("C1")), std::pair(-132, -52));
}

/// Robert with parents F and M and all four grandparents.
class AncestorsLayoutTest : public CLayoutTest {
protected:
    void SetUp() override
    {
        CLayoutTest::SetUp();
        Marry(Person("FF", SEX_MALE), Person("FM", SEX_FEMALE), {Person("F", SEX_MALE)});
        Marry(Person("MF", SEX_MALE), Person("MM", SEX_FEMALE), {Person("M", SEX_FEMALE)});
        Marry(P("F"), P("M"), {Person("Robert", SEX_MALE)});
    }
};

TEST_F(AncestorsLayoutTest, CouplesSeparatedByTheirAncestorsAndCentredOverTheirChild)
{
    ASSERT_NE(DiagBuildFromRoot(RowSet(kAncestorsDiagram, 3, 0), P("Robert")), 0);
    const struct {
        const char* key;
        int left, right, top;
    } expected[] = {{"Robert", -40, 40, -24}, {"F", -135, -55, 50},  {"M", 55, 135, 50},
                    {"FF", -180, -100, 124},  {"FM", -90, -10, 124}, {"MF", 10, 90, 124},
                    {"MM", 100, 180, 124}};
    for (const auto& e : expected) {
        const CDiagElem* box = BoxOf(e.key);
        ASSERT_NE(box, nullptr) << e.key;
        EXPECT_EQ(Span(box), std::pair(e.left, e.right)) << e.key;
        EXPECT_EQ(box->Rect().top, e.top) << e.key;
    }
    EXPECT_EQ(BoxOf("Robert")->GetExpansion(), kNothingToExpand);
}

TEST_F(AncestorsLayoutTest, OneGenerationShowsTheRootAloneAndOneParentIsCentred)
{
    ASSERT_NE(DiagBuildFromRoot(RowSet(kAncestorsDiagram, 1, 0), P("Robert")), 0);
    EXPECT_EQ(m_rowSet->MainTree()->AncestorRowCount(), 0);
    EXPECT_EQ(BoxOf("F"), nullptr);

    Marry(nullptr, Person("Solo", SEX_FEMALE), {Person("Kid", SEX_MALE)});
    ASSERT_NE(DiagBuildFromRoot(RowSet(kAncestorsDiagram, 3, 0), P("Kid")), 0);
    EXPECT_EQ(Span(BoxOf("Solo")), std::pair(-40, 40));
}

TEST_F(AncestorsLayoutTest, AncestorBranchClosesAndOpens)
{
    ASSERT_NE(DiagBuildFromRoot(RowSet(kAncestorsDiagram, 3, 0), P("Robert")), 0);
    CDiagElem* father = BoxOf("F");
    ASSERT_TRUE(DiagExpandElement(*m_rowSet, *father));
    EXPECT_EQ(BoxOf("FF"), nullptr);
    ASSERT_TRUE(DiagExpandElement(*m_rowSet, *father));
    EXPECT_EQ(Span(BoxOf("FF")), std::pair(-180, -100));
}

TEST_F(AncestorsLayoutTest, LoopsInTheDataEndAtTheGenerationLimit)
{
    // Robert is made his own grandfather's father.
    Marry(P("Robert"), nullptr, {P("FF")});
    ASSERT_NE(DiagBuildFromRoot(RowSet(kAncestorsDiagram, 999, 0), P("Robert")), 0);
    EXPECT_EQ(m_rowSet->MainTree()->AncestorRowCount(), 998);
    ASSERT_NE(DiagBuildFromRoot(RowSet(kDescendantsDiagram, 0, 999), P("FF")), 0);
    EXPECT_EQ(m_rowSet->MainTree()->DescendantRowCount(), 999);
    ASSERT_NE(DiagBuildFromRoot(RowSet(kAllRelativesDiagram, 999, 999), P("Robert")), 0);
}

/// Measures like the fake measurer until its countdown runs out, then throws what it is given.
class CFailingMeasurer final : public CFakeBoxPainter {
public:
    CFailingMeasurer(int measures, std::function<void()> fail)
        : m_measures(measures), m_fail(std::move(fail))
    {
    }
    CSize MeasureText(std::string_view line) override
    {
        if (--m_measures < 0)
            m_fail();
        return CFakeBoxPainter::MeasureText(line);
    }

private:
    int m_measures;
    std::function<void()> m_fail;
};

TEST_F(AncestorsLayoutTest, PastTheBoxBudgetOrOnAnyFailureTheBuildFailsAndKeepsNoTree)
{
    CDiagRowSet& rowSet = RowSet(kAncestorsDiagram, 3, 0);
    rowSet.m_boxBudget = 4;
    EXPECT_EQ(DiagBuildFromRoot(rowSet, P("Robert")), 0);
    EXPECT_EQ(rowSet.MainTree(), nullptr);
    EXPECT_TRUE(rowSet.Trees().empty());
    EXPECT_EQ(rowSet.m_buildFailure, DiagBuildFailure::TooManyBoxes);
    EXPECT_NE(DiagBuildFailureText(rowSet).find("more than 4 boxes"), std::string::npos);
    EXPECT_EQ(DiagBuildFromRoot(rowSet, nullptr), 0);

    // A failure of any kind half way through a build of all relatives (several trees made).
    struct Failure {
        const char* what;
        std::function<void()> fail;
        DiagBuildFailure cause;
        const char* text;
    };
    const Failure failures[] = {
        {"memory", [] { throw std::bad_alloc(); }, DiagBuildFailure::OutOfMemory,
         "Insufficient memory to display tree."},
        {"fault", [] { throw std::runtime_error("a fault"); }, DiagBuildFailure::Fault,
         "could not be built (a fault)."},
        {"anything", [] { throw 7; }, DiagBuildFailure::Fault, "could not be built."},
        {"abort", [] { ThrowAbort(); }, DiagBuildFailure::Fault, "could not be built."},
    };
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.what);
        CDiagRowSet& relatives = RowSet(kAllRelativesDiagram, 3, 2);
        CFailingMeasurer measurer(6, failure.fail);
        EXPECT_EQ(DiagBuildFromRoot(relatives, P("Robert"), &measurer), 0);
        EXPECT_EQ(relatives.MainTree(), nullptr);
        EXPECT_TRUE(relatives.Trees().empty());
        EXPECT_EQ(relatives.m_buildFailure, failure.cause);
        EXPECT_NE(DiagBuildFailureText(relatives).find(failure.text), std::string::npos)
            << DiagBuildFailureText(relatives);
    }
    // A build that succeeds again says nothing failed.
    EXPECT_NE(DiagBuildFromRoot(RowSet(kAncestorsDiagram, 3, 0), P("Robert")), 0);
    EXPECT_EQ(m_rowSet->m_buildFailure, DiagBuildFailure::None);
}

} // namespace

namespace {

class GapsLayoutTest : public CLayoutTest {};

TEST_F(GapsLayoutTest, CousinsKeepTheDescendantGapAndAWideParentPushesItsChild)
{
    m_owner.m_settings.m_spouseOption = 1;
    Marry(Person("F", SEX_MALE), Person("M", SEX_FEMALE),
          {Person("Robert", SEX_MALE), Person("Sis", SEX_FEMALE)});
    Marry(P("Robert"), nullptr, {Person("K1", SEX_MALE), Person("K2", SEX_MALE)});
    Marry(nullptr, P("Sis"), {Person("S1", SEX_MALE), Person("S2", SEX_MALE)});
    ASSERT_NE(DiagBuildFromRoot(RowSet(kAncestorsAndDescendantsDiagram, 1, 3), P("Robert")), 0);
    const auto& row = m_rowSet->MainTree()->GetRow(-1)->m_shown;
    ASSERT_EQ(row.size(), 4u);
    const int expected[] = {12, 17, 12}; // siblings, cousins, siblings
    for (std::size_t i = 1; i < row.size(); ++i)
        EXPECT_EQ(row[i]->Rect().left - row[i - 1]->Rect().right, expected[i - 1]) << i;
    EXPECT_EQ(BoxOf("Robert")->GetCentre().x,
              (BoxOf("K1")->GetCentre().x + BoxOf("K2")->GetCentre().x) / 2);

    // A parent wider than its only child: the child moves under the parent's centre.
    CIndRec* wide = Person("Bartholomew Fitzwilliam Longname", SEX_MALE);
    Marry(wide, nullptr, {Person("Kid", SEX_MALE)});
    ASSERT_NE(DiagBuildFromRoot(RowSet(kDescendantsDiagram, 0, 2), wide), 0);
    EXPECT_GT(BoxOf("Bartholomew Fitzwilliam Longname")->Rect().Width(), 80);
    EXPECT_EQ(BoxOf("Kid")->GetCentre().x,
              BoxOf("Bartholomew Fitzwilliam Longname")->GetCentre().x);
}

} // namespace
