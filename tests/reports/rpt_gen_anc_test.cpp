// tests/reports/rpt_gen_anc_test.cpp: the Ancestor report's walk: Ahnentafel numbers and their
// order, mothers first, the family's facts on the second parent's line, text layouts, other
// parent families, generation limits and loops.
#include "reports/rpt_gen_anc.h"

#include "database/records/fam_rec.h"
#include "reports/rpt_recent_texts.h"
#include "tests/database/kin/ind_rec_test_support.h"
#include "tests/reports/fake_rpt_canvas.h"
#include "tests/reports/rpt_body_test_support.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;

class AncestorTest : public ind_test::CIndRecTest {
protected:
    void SetUp() override
    {
        CIndRecTest::SetUp();
        m_settings.m_contents.m_options[kRptAhnentafel] = true;
        m_settings.m_contents.m_generations = 3;
        m_settings.m_contents.m_textLayout = 0;
        m_settings.m_contents.m_options[kRptAltParents] = false;
    }
    /// John with parents William and Mary (married 1870) and their four parents.
    void ThreeGenerations()
    {
        john = Person(SEX_MALE, "John");
        william = Person(SEX_MALE, "William");
        mary = Person(SEX_FEMALE, "Mary");
        parents = Marry(william, mary, {john});
        Event(parents, "MARR", "1870");
        const char* names[] = {"Wf", "Wm", "Mf", "Mm"};
        for (int i = 0; i < 4; ++i)
            grand[i] = Person(i % 2 ? SEX_FEMALE : SEX_MALE, names[i]);
        Marry(grand[0], grand[1], {william});
        Marry(grand[2], grand[3], {mary});
    }
    std::vector<std::string> Lines(CIndRec* subject)
    {
        return BodyLines(m_settings, [&](CRptBodyContext& body) {
            EXPECT_TRUE(RptWriteAncestors(body, *subject));
        });
    }

    CRptSettings m_settings = BodySettings();
    CIndRec* john = nullptr;
    CIndRec* william = nullptr;
    CIndRec* mary = nullptr;
    CIndRec* grand[4] = {};
    CFamRec* parents = nullptr;
};

TEST_F(AncestorTest, FathersComeFirstAndTheMarriageGoesOnTheSecondParentsLine)
{
    ThreeGenerations();
    EXPECT_THAT(Lines(john), ElementsAre("1 John", "\t2 William", "\t\t4 Wf", "\t\t5 Wm",
                                         "\t3 Mary; m. 1870", "\t\t6 Mf", "\t\t7 Mm"));
}

TEST_F(AncestorTest, FemalesFirstVisitsMothersFirstAndKeepsTheNumbers)
{
    ThreeGenerations();
    m_settings.m_contents.m_options[kRptFemalesFirst] = true;
    EXPECT_THAT(Lines(john), ElementsAre("1 John", "\t3 Mary", "\t\t7 Mm", "\t\t6 Mf",
                                         "\t2 William; m. 1870", "\t\t5 Wm", "\t\t4 Wf"));
}

TEST_F(AncestorTest, AnOnlyParentCarriesTheFamilysFacts)
{
    CIndRec* kid = Person(SEX_FEMALE, "Kid");
    CIndRec* mum = Person(SEX_FEMALE, "Mum");
    Event(Marry(nullptr, mum, {kid}), "MARR", "1900");
    EXPECT_THAT(Lines(kid), ElementsAre("1 Kid", "\t3 Mum; m. 1900"));
}

struct GensCase {
    const char* name;
    int gens;
    std::size_t lines;
};

class AncestorGens : public AncestorTest, public testing::WithParamInterface<GensCase> {};

TEST_P(AncestorGens, BelowOneIsOne)
{
    ThreeGenerations();
    m_settings.m_contents.m_generations = GetParam().gens;
    EXPECT_EQ(Lines(john).size(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Reports, AncestorGens,
                         testing::Values(GensCase{"Zero", 0, 1}, GensCase{"Negative", -5, 1},
                                         GensCase{"One", 1, 1}, GensCase{"Two", 2, 3},
                                         GensCase{"MoreThanThereAre", 100000, 7}),
                         [](const auto& info) { return info.param.name; });

TEST_F(AncestorTest, LayoutsPutFactsOnASecondLineOrEachOnItsOwn)
{
    CIndRec* kid = Person(SEX_MALE, "Kid", "1900");
    Event(kid, "DEAT", "1950");
    m_settings.m_contents.m_generations = 1;
    m_settings.m_contents.m_textLayout = 1;
    EXPECT_THAT(Lines(kid), ElementsAre("1 Kid", "\tb. 1900; d. 1950"));
    m_settings.m_contents.m_textLayout = 2;
    EXPECT_THAT(Lines(kid), ElementsAre("1 Kid", "\tb. 1900", "\td. 1950"));
    m_settings.m_contents.m_options[kRptAhnentafel] = false;
    m_settings.m_contents.m_textLayout = 0;
    EXPECT_THAT(Lines(kid), ElementsAre("Kid; b. 1900; d. 1950"));
}

TEST_F(AncestorTest, OtherParentFamiliesOnlyWhenAsked)
{
    CIndRec* kid = Person(SEX_MALE, "Kid");
    Marry(Person(SEX_MALE, "Dad"), Person(SEX_FEMALE, "Mum"), {kid});
    Marry(Person(SEX_MALE, "Stepdad"), nullptr, {kid});
    EXPECT_THAT(Lines(kid), ElementsAre("1 Kid", "\t2 Dad", "\t3 Mum"));
    m_settings.m_contents.m_options[kRptAltParents] = true;
    EXPECT_THAT(Lines(kid), ElementsAre("1 Kid", "\t2 Dad", "\t3 Mum", "\t2 Stepdad"));
}

TEST_F(AncestorTest, APersonWhoIsHisOwnFatherEndsAtTheGenerationLimit)
{
    CIndRec* loop = Person(SEX_MALE, "Loop");
    Marry(loop, nullptr, {loop});
    m_settings.m_contents.m_generations = 10000;
    CountingEmitter out;
    CRptCitations citations(false, nullptr);
    CRptBodyContext body{m_settings, out, citations, {}, {}};
    EXPECT_TRUE(RptWriteAncestors(body, *loop));
    EXPECT_EQ(out.rows, 10000u);
    EXPECT_EQ(out.deepest, 9999);
    EXPECT_EQ(out.last.size(), 3010u + 1 + TextOf(loop).size()) << "2^9999 has 3010 digits";
}

TEST(RecentTexts, EachRecordFindsItsOwnTextWhateverCameBetween)
{
    // Far more records than the table holds, met in runs that come back to earlier ones.
    std::vector<char> records(200000);
    CRptRecentTexts recent;
    std::size_t made = 0;
    for (std::size_t i = 0; i < 600000; ++i) {
        const std::size_t record = i % 3 == 0 ? i / 3 : (i * 7919) % records.size();
        const std::string& text = recent.Get(&records[record], [&](std::string& out) {
            ++made;
            out = std::to_string(record);
        });
        ASSERT_EQ(text, std::to_string(record)) << "call " << i;
        ASSERT_EQ(recent.Get(&records[record], [&](std::string&) { ++made; }),
                  std::to_string(record));
    }
    EXPECT_LT(made, 600000u) << "records met again soon are found";
}

TEST(AhnentafelNumbers, DoubleWithoutLimit)
{
    EXPECT_EQ(RptAhnentafelParent("1", false), "2");
    EXPECT_EQ(RptAhnentafelParent("7", true), "15");
    EXPECT_EQ(RptAhnentafelParent("9223372036854775807", true), "18446744073709551615");
    EXPECT_EQ(RptAhnentafelParent("18446744073709551615", false), "36893488147419103230");
}

} // namespace
} // namespace rpt_test

namespace rpt_test {
namespace {

TEST(GenerationLines, AVeryDeepLineKeepsHalfThePageForItsText)
{
    ScriptBody body;
    body.entries.push_back({"Deep", [](CRptPageLayout& layout, CRptFontSet& ctx) {
                                CRptLayoutEmitter out(layout, ctx);
                                return out.Row(RptParagraph("1 Deep ancestor line", 1, 1000,
                                                            kRptLevelSection, kRptDataPart));
                            }});
    FakeCanvas canvas;
    CRptPageLayout layout(PlainSettings());
    layout.Build(body, canvas, "", "");
    EXPECT_EQ(layout.GetPageCount(), 1);
    layout.PrintPage(body, canvas, 0);
    const FakeCanvas::Drawn* line = canvas.FindText("1 Deep ancestor line");
    ASSERT_NE(line, nullptr);
    EXPECT_LE(line->x, layout.Metrics().content.left + layout.Metrics().content.Width() / 2);
}

} // namespace
} // namespace rpt_test
