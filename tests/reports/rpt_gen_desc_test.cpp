// tests/reports/rpt_gen_desc_test.cpp: the Descendant report's walk: number texts, spouse lines,
// the order of spouses and children, and loops.
#include "reports/rpt_gen_desc.h"

#include "database/records/fam_rec.h"
#include "tests/database/kin/ind_rec_test_support.h"
#include "tests/reports/rpt_body_test_support.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

using testing::ElementsAre;

struct NumberCase {
    const char* name;
    const char* parent;
    int child;
    int mode;
    const char* number;
};

class DescendantNumbers : public testing::TestWithParam<NumberCase> {};

TEST_P(DescendantNumbers, GrowByMode)
{
    const NumberCase& c = GetParam();
    EXPECT_EQ(RptDescendantNumber(c.parent, c.child, c.mode), c.number);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, DescendantNumbers,
    testing::Values(NumberCase{"CompactDigit", "1", 1, kRptDescCompact, "11"},
                    NumberCase{"CompactTwelfth", "11", 12, kRptDescCompact, "11C"},
                    NumberCase{"CompactUpperEnd", "1", 35, kRptDescCompact, "1Z"},
                    NumberCase{"CompactLower", "1", 36, kRptDescCompact, "1a"},
                    NumberCase{"CompactLowerEnd", "1", 61, kRptDescCompact, "1z"},
                    NumberCase{"CompactBeyond", "1", 62, kRptDescCompact, "1?"},
                    NumberCase{"Dotted", "1.1", 3, kRptDescDotted, "1.1.3"},
                    NumberCase{"DottedTwoDigits", "1", 12, kRptDescDotted, "1.12"},
                    NumberCase{"NoneStays", "", 4, kRptDescGeneration, ""}),
    [](const auto& info) { return info.param.name; });

TEST(DescendantNumbers, DeepDescendantsKeepNumbersOfTheirOwn)
{
    std::string compact = "1", dotted = "1";
    for (int generation = 0; generation < 200; ++generation) {
        const std::string nextCompact = RptDescendantNumber(compact, 2, kRptDescCompact);
        const std::string nextDotted = RptDescendantNumber(dotted, 2, kRptDescDotted);
        ASSERT_NE(nextCompact, compact);
        ASSERT_NE(nextDotted, dotted);
        compact = nextCompact;
        dotted = nextDotted;
    }
    EXPECT_EQ(compact.size(), 201u);
}

class DescendantTest : public ind_test::CIndRecTest {
protected:
    void SetUp() override
    {
        CIndRecTest::SetUp();
        m_settings.m_contents.m_generations = 3;
        m_settings.m_contents.m_textLayout = 0;
        m_settings.m_contents.m_numbering = kRptDescDotted;
        m_settings.m_contents.m_options[kRptSpousePrefix] = true;
    }
    std::vector<std::string> Lines(CIndRec* subject)
    {
        return BodyLines(m_settings, [&](CRptBodyContext& body) {
            EXPECT_TRUE(RptWriteDescendants(body, *subject));
        });
    }
    CRptSettings m_settings = BodySettings();
};

TEST_F(DescendantTest, SpousesThenTheirChildrenNumberedByMode)
{
    CIndRec* tom = Person(SEX_MALE, "Tom");
    CIndRec* ann = Person(SEX_FEMALE, "Ann");
    CIndRec* amy = Person(SEX_FEMALE, "Amy");
    CIndRec* ben = Person(SEX_MALE, "Ben");
    CIndRec* cal = Person(SEX_MALE, "Cal");
    Event(Marry(tom, ann, {amy, ben}), "MARR", "1900");
    Marry(tom, nullptr, {cal});
    CIndRec* dan = Person(SEX_MALE, "Dan");
    Marry(ben, nullptr, {dan});

    EXPECT_THAT(Lines(tom),
                ElementsAre("1 Tom", "Sp. Ann; m. 1900", "\t1.1 Amy", "\t1.2 Ben",
                            "\tSp. (unknown)", "\t\t1.2.1 Dan", "Sp. (unknown)", "\t1.1 Cal"));
    m_settings.m_contents.m_numbering = kRptDescGeneration;
    m_settings.m_contents.m_options[kRptSpousePrefix] = false;
    EXPECT_THAT(Lines(tom), ElementsAre("1. Tom", "Ann; m. 1900", "\t2. Amy", "\t2. Ben",
                                        "\t(unknown)", "\t\t3. Dan", "(unknown)", "\t2. Cal"));
    m_settings.m_contents.m_numbering = kRptDescCompact;
    m_settings.m_contents.m_options[kRptSpousePrefix] = true;
    m_settings.m_contents.m_generations = 1;
    EXPECT_THAT(Lines(tom), ElementsAre("1 Tom", "Sp. Ann; m. 1900", "Sp. (unknown)"));
}

TEST_F(DescendantTest, ASpousesParentsAreNamedBySex)
{
    CIndRec* kate = Person(SEX_FEMALE, "Kate");
    CIndRec* jim = Person(SEX_MALE, "Jim");
    CIndRec* sue = Person(SEX_FEMALE, "Sue");
    Marry(Person(SEX_MALE, "Jimdad"), Person(SEX_FEMALE, "Jimmum"), {jim});
    Marry(nullptr, Person(SEX_FEMALE, "Suemum"), {sue});
    Marry(jim, kate);
    Marry(jim, sue);
    m_settings.m_contents.m_options[kRptSpouseParents] = true;
    m_settings.m_contents.m_numbering = kRptDescNoNumbers;
    EXPECT_THAT(Lines(kate), ElementsAre("Kate", "Sp. Jim, son of Jimdad and Jimmum"));
    EXPECT_THAT(Lines(jim), ElementsAre("Jim", "Sp. Kate", "Sp. Sue, dau. of Suemum"));
}

TEST_F(DescendantTest, ASpousesFactsOnlyWhenAsked)
{
    CIndRec* tom = Person(SEX_MALE, "Tom");
    CIndRec* ann = Person(SEX_FEMALE, "Ann", "1880");
    Marry(tom, ann);
    EXPECT_THAT(Lines(tom), ElementsAre("1 Tom", "Sp. Ann"));
    m_settings.m_contents.m_options[kRptSpouseEvents] = true;
    EXPECT_THAT(Lines(tom), ElementsAre("1 Tom", "Sp. Ann; b. 1880"));
}

TEST_F(DescendantTest, APersonWhoIsHisOwnChildEndsAtTheGenerationLimit)
{
    CIndRec* loop = Person(SEX_MALE, "Loop");
    Marry(loop, nullptr, {loop});
    m_settings.m_contents.m_numbering = kRptDescNoNumbers;
    m_settings.m_contents.m_generations = 100000;
    CountingEmitter out;
    CRptCitations citations(false, nullptr);
    CRptBodyContext body{m_settings, out, citations, {}, {}};
    EXPECT_TRUE(RptWriteDescendants(body, *loop));
    EXPECT_EQ(out.rows, 200000u);
    EXPECT_EQ(out.deepest, 99999);
    EXPECT_EQ(out.last, "Sp. (unknown)");
}

} // namespace
} // namespace rpt_test

namespace rpt_test {
namespace {

struct EscapeCase {
    const char* name;
    int kind;
    const char* expected;
};

class DescendantEscaping : public DescendantTest, public testing::WithParamInterface<EscapeCase> {};

TEST_P(DescendantEscaping, NamesAreTextNeverMarkup)
{
    CIndRec* odd = Person(SEX_MALE, "Zoë <b>&{x}\\");
    m_settings.m_contents.m_numbering = kRptDescNoNumbers;
    const std::string out = WriteBody(m_settings, GetParam().kind, [&](CRptBodyContext& body) {
        EXPECT_TRUE(RptWriteDescendants(body, *odd));
    });
    std::string name;
    odd->FormatNameForReport(name, false, false, false);
    EXPECT_THAT(out, testing::HasSubstr(EscapeRptText(GetParam().kind, name)));
    EXPECT_THAT(out, testing::HasSubstr(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Reports, DescendantEscaping,
                         testing::Values(EscapeCase{"Html", kRptHtml, "&lt;b&gt;&amp;{x}\\"},
                                         EscapeCase{"Rtf", kRptRtf, "<b>&\\{x\\}\\\\"},
                                         EscapeCase{"Text", kRptText, "<b>&{x}\\"}),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace rpt_test
