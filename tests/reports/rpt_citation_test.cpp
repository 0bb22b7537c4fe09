// tests/reports/rpt_citation_test.cpp: citation marks and the lists they fill.
#include "reports/rpt_citation.h"

#include "tests/database/kin/ind_rec_test_support.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

class CitationTest : public ind_test::CIndRecTest {
protected:
    /// A birth of a new person with count text citations.
    CDataNode* CitedBirth(int count)
    {
        CDataNode* birth = Event(Person(SEX_MALE, "Al"), "BIRT", "1850");
        for (int i = 0; i < count; ++i)
            LoadField(birth, "SOUR", "Book " + std::to_string(i + 1));
        return birth;
    }
};

struct MarksCase {
    const char* name;
    bool include;
    int citations;
    int counterBefore;
    const char* marks;
    int counterAfter;
};

class CitationMarks : public CitationTest, public testing::WithParamInterface<MarksCase> {};

TEST_P(CitationMarks, NumberAfterTheCounter)
{
    const MarksCase& c = GetParam();
    CDataNode* birth = CitedBirth(c.citations);
    CRptCitationList list;
    CRptCitations citations(c.include, &list);
    citations.counter = c.counterBefore;
    EXPECT_EQ(citations.Marks(*birth), c.marks);
    EXPECT_EQ(citations.counter, c.counterAfter);
    EXPECT_EQ(list.Count(), c.counterAfter - c.counterBefore);
}

INSTANTIATE_TEST_SUITE_P(Reports, CitationMarks,
                         testing::Values(MarksCase{"ThreeAfterSeven", true, 3, 7, "8,9,10", 10},
                                         MarksCase{"One", true, 1, 0, "1", 1},
                                         MarksCase{"None", true, 0, 4, "", 4},
                                         MarksCase{"SourcesOff", false, 3, 7, "", 7}),
                         [](const auto& info) { return info.param.name; });

TEST_F(CitationTest, TheFiftyFirstCitationIsNumberFiftyOne)
{
    CDataNode* birth = CitedBirth(60);
    CRptCitationList list;
    CRptCitations citations(true, &list);
    const std::string marks = citations.Marks(*birth);
    ASSERT_EQ(list.Count(), 60);
    std::string text;
    list.At(51)->GetText(text, 0);
    EXPECT_EQ(text, "Book 51");
    EXPECT_TRUE(marks.ends_with(",50,51,52,53,54,55,56,57,58,59,60"));
    EXPECT_EQ(list.At(0), nullptr);
    EXPECT_EQ(list.At(61), nullptr);
}

TEST_F(CitationTest, ForgottenCitationsKeepTheirNumbers)
{
    CDataNode* birth = CitedBirth(3);
    CRptCitationList list;
    CRptCitations(true, &list).Marks(*birth);
    const CDataNode* second = list.At(2);
    list.Forget([&](const CDataNode& citation) { return &citation == second; });
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.At(2), nullptr);
    EXPECT_NE(list.At(3), nullptr);
}

} // namespace
} // namespace rpt_test
