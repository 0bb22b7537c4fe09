// tests/diagrams/page_break_test.cpp: moving boxes off page boundaries (page width 1000,
// margin 20, first boundary 1000) on boxes placed by the test, and the diagram statistics of
// a diagram that shows one person twice.
#include "tests/diagrams/draw_test_painter.h"

#include "diagrams/diag_page.h"
#include "diagrams/diag_stats.h"

#include <gtest/gtest.h>

namespace {

/// John and Mary with children C1, C2, C3: row 0 holds John and Mary, row -1 the children.
class PageBreakTest : public CDrawTest {
protected:
    void SetUp() override
    {
        CDrawTest::SetUp();
        Marry(Person("John", SEX_MALE), Person("Mary", SEX_FEMALE),
              {Person("C1", SEX_MALE), Person("C2", SEX_FEMALE), Person("C3", SEX_MALE)});
        m_owner.m_settings.m_pageWidth = 1000;
        Build(kDescendantsDiagram, "John", 0, 2);
    }
    /// Places the boxes (left, right) and sets the rows' extents.
    void Place(std::initializer_list<std::pair<const char*, std::pair<int, int>>> places)
    {
        for (const auto& [key, span] : places) {
            CDiagElem* box = BoxOf(key, std::string(key) == "Mary");
            CRect r = box->Rect();
            box->SetRect(CRect(span.first, r.top, span.second, r.bottom));
        }
        for (int g : {0, -1}) {
            CDiagRow* row = m_rowSet->MainTree()->GetRow(g);
            row->m_rect.left = row->m_shown.front()->Rect().left;
            row->m_rect.right = row->m_shown.back()->Rect().right;
        }
    }
    std::pair<int, int> SpanOf(const char* key) const
    {
        const CRect r = BoxOf(key, std::string(key) == "Mary")->Rect();
        return {r.left, r.right};
    }
};

TEST_F(PageBreakTest, StraddlingBoxMovesWithEverythingRightOfTheCursors)
{
    Place({{"John", {900, 980}},
           {"Mary", {990, 1070}},
           {"C1", {700, 780}},
           {"C2", {1020, 1100}},
           {"C3", {1200, 1280}}});
    DiagAvoidPageBoundaries(*m_rowSet, 1000, 20);
    EXPECT_EQ(SpanOf("John"), std::make_pair(900, 980));
    EXPECT_EQ(SpanOf("Mary"), std::make_pair(1020, 1100));
    EXPECT_EQ(SpanOf("C1"), std::make_pair(700, 780));
    EXPECT_EQ(SpanOf("C2"), std::make_pair(1050, 1130));
    EXPECT_EQ(SpanOf("C3"), std::make_pair(1230, 1310));
    const CDiagRow* row = m_rowSet->MainTree()->GetRow(0);
    EXPECT_EQ(row->m_rect.left, 900);
    EXPECT_EQ(row->m_rect.right, 1100);
}

TEST_F(PageBreakTest, BoxesAtTheMarginOrWiderThanAPageStay)
{
    struct Case {
        std::pair<int, int> mary;
        std::pair<int, int> expected;
    };
    const Case cases[] = {
        {{1020, 1100}, {1020, 1100}}, // starts exactly margin right of the boundary
        {{990, 1950}, {990, 1950}},   // 960 wide: not narrower than the page less 2 margins
        {{990, 1949}, {1020, 1979}},  // 959 wide: moves
        {{1990, 2050}, {2020, 2080}}, // straddles the second boundary
    };
    for (const Case& c : cases) {
        Place({{"John", {0, 80}},
               {"Mary", c.mary},
               {"C1", {100, 180}},
               {"C2", {200, 280}},
               {"C3", {300, 380}}});
        DiagAvoidPageBoundaries(*m_rowSet, 1000, 20);
        EXPECT_EQ(SpanOf("Mary"), c.expected) << c.mary.first << ".." << c.mary.second;
        EXPECT_EQ(SpanOf("C3"), std::make_pair(300, 380));
    }
}

TEST_F(PageBreakTest, StatisticsCountBoxesAndMarkEachPersonOnce)
{
    CIndRec* bob = Person("Bob", SEX_MALE);
    Marry(bob, Person("Ann", SEX_FEMALE));
    Marry(bob, Person("Cat", SEX_FEMALE));
    m_owner.m_settings.m_spouseOption = 1;
    Build(kDescendantsDiagram, "Bob", 0, 1);
    int count = 3;
    DiagStatistics(*m_rowSet, count);
    EXPECT_EQ(count, 5);
    EXPECT_TRUE(bob->HasFlag(0x80));
    EXPECT_FALSE(P("Ann")->HasFlag(0x80));
    bob->SetFlag(0x80, false);
    EXPECT_EQ(DiagStatisticsMessage(*m_rowSet),
              "Diagram contains 2 nodes and references 1 individual.");
    EXPECT_FALSE(bob->HasFlag(0x80));
    m_owner.m_settings.m_spouseOption = 2;
    Build(kDescendantsDiagram, "Bob", 0, 1);
    EXPECT_EQ(DiagStatisticsMessage(*m_rowSet),
              "Diagram contains 3 nodes and references 3 individuals.");
}

} // namespace
