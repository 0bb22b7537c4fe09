// tests/reports/rpt_fact_text_test.cpp: fact labels, places and summaries, LDS ordinance labels,
// fact filters, and a fact row's citation marks on the page.
#include "reports/rpt_fact_text.h"

#include "database/dictionary/field_ids.h"
#include "database/records/fam_rec.h"
#include "reports/rpt_citation.h"
#include "reports/rpt_emitter.h"
#include "tests/database/kin/ind_rec_test_support.h"
#include "tests/reports/fake_rpt_canvas.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

using testing::ElementsAre;

class FactTextTest : public ind_test::CIndRecTest {
protected:
    /// A fact of tag under holder, with a TYPE, DATE and PLAC when given.
    CDataNode* Fact(CDataNode* holder, std::string_view tag, std::string_view type = {},
                    std::string_view date = {}, std::string_view place = {})
    {
        CDataNode* fact = Event(holder, tag, date);
        if (fact && !type.empty())
            SetField(fact, "TYPE", type);
        if (fact && !place.empty())
            SetField(fact, "PLAC", place);
        return fact;
    }
};

struct LabelCase {
    const char* name;
    const char* tag;
    const char* type;
    RptLabelOptions options;
    const char* label;
};

class FactLabels : public FactTextTest, public testing::WithParamInterface<LabelCase> {};

TEST_P(FactLabels, NameTheFact)
{
    const LabelCase& c = GetParam();
    CIndRec* person = Person(SEX_MALE, "Al");
    CDataNode* fact = Fact(person, c.tag, c.type);
    ASSERT_NE(fact, nullptr);
    EXPECT_EQ(RptFactLabel(*fact, c.options), c.label);
}

RptLabelOptions Abbreviated(bool lower = false, bool colon = false)
{
    RptLabelOptions options;
    options.abbreviate = true;
    options.lowerCase = lower;
    options.colon = colon;
    return options;
}

INSTANTIATE_TEST_SUITE_P(
    Reports, FactLabels,
    testing::Values(LabelCase{"ACustomEventByItsType", "EVEN", "Graduation", {}, "Graduation"},
                    LabelCase{"ACustomEventWithoutType", "EVEN", "", {}, "<Custom Event>"},
                    LabelCase{"ABirthInFull", "BIRT", "", {}, "Birth"},
                    LabelCase{"ABirthShort", "BIRT", "", Abbreviated(), "b."},
                    LabelCase{"ADeathShortWithColon", "DEAT", "", Abbreviated(false, true), "d.:"},
                    LabelCase{"AnOccupationHasNoShortForm", "OCCU", "", Abbreviated(true),
                              "occupation"},
                    LabelCase{"EducationShort", "EDUC", "", Abbreviated(), "educ."},
                    LabelCase{"NotAFact", "NOTE", "", {}, ""}),
    [](const auto& info) { return info.param.name; });

TEST_F(FactTextTest, ACustomAttributeWithoutTypeIsNamedAsSuch)
{
    CIndRec* person = Person(SEX_MALE, "Al");
    CDataNode* custom = person->CreateChildById(FIELD_CUSTOM_ATTR);
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(RptFactLabel(*custom, {}), "<Custom Attribute>");
    SetField(custom, "TYPE", "Shoe size");
    EXPECT_EQ(RptFactLabel(*custom, {}), "Shoe size");
}

TEST_F(FactTextTest, ASecondFactOfAKindIsNumberedUnlessTheFirstIsEmptyAndSkipped)
{
    CIndRec* person = Person(SEX_MALE, "Al");
    CDataNode* first = Fact(person, "BIRT");
    CDataNode* second = Fact(person, "BIRT", {}, "1 MAR 1850");
    RptLabelOptions numbered;
    numbered.numbered = true;
    EXPECT_EQ(RptFactLabel(*first, numbered), "Birth");
    EXPECT_EQ(RptFactLabel(*second, numbered), "Birth (2)");
    numbered.skipEmptyInCount = true;
    EXPECT_EQ(RptFactLabel(*second, numbered), "Birth");
}

TEST_F(FactTextTest, SummariesGiveDateAndPlaceAndLeaveOutFactsWithNeither)
{
    CIndRec* person = Person(SEX_MALE, "Al");
    Fact(person, "BIRT", {}, "1850");
    Fact(person, "CHR", {}, {}, "Leeds");
    Fact(person, "BURI");
    Fact(person, "OCCU", {}, {}, "Leeds");
    person->FindChild(nullptr, FIELD_OCCU)->SetText("Farmer");
    CRptPageLayout layout(PlainSettings());
    CRptFontSet ctx;
    CRptLayoutEmitter out(layout, ctx);
    std::string line = "Al";
    RptWriteFactSummary(out, *person, 1, 0, &line, RptFactFilterMode::All, {});
    EXPECT_EQ(line, "Al; b. 1850; chr. Leeds; occupation Farmer, Leeds");

    line.clear();
    RptWriteFactSummary(out, *person, 1, 0, &line, RptFactFilterMode::OnlyListed,
                        [](const CDataNode& fact) { return fact.GetFieldId() == FIELD_CHR; });
    EXPECT_EQ(line, "chr. Leeds");
    line.clear();
    RptWriteFactSummary(out, *person, 1, 0, &line, RptFactFilterMode::AllButListed,
                        [](const CDataNode& fact) { return fact.GetFieldId() != FIELD_BIRT; });
    EXPECT_EQ(line, "b. 1850");
}

TEST_F(FactTextTest, AnAttributesPlaceFollowsItsValueButAResidenceHasOnlyItsPlace)
{
    CIndRec* person = Person(SEX_MALE, "Al");
    CDataNode* occupation = Fact(person, "OCCU", {}, {}, "Leeds");
    EXPECT_EQ(RptFactPlace(*occupation, true, ""), "-; Leeds");
    occupation->SetText("Farmer");
    EXPECT_EQ(RptFactPlace(*occupation, true, ", "), "Farmer, Leeds");
    EXPECT_EQ(RptFactPlace(*occupation, false, ", "), "Leeds");
    EXPECT_EQ(RptFactPlace(*Fact(person, "RESI", {}, {}, "York"), true, ", "), "York");
}

TEST_F(FactTextTest, OrdinancesAreLabelledByWhoTheySealOrTheirShortName)
{
    CIndRec* dad = Person(SEX_MALE, "Dad");
    CIndRec* mum = Person(SEX_FEMALE, "Mum");
    CIndRec* kid = Person(SEX_FEMALE, "Kid");
    CFamRec* family = Marry(dad, mum, {kid});
    CDataNode* sealing = kid->CreateChildByTag("SLGC");
    ASSERT_NE(sealing, nullptr);
    EXPECT_EQ(RptLdsOrdinanceLabel(*sealing, kid, nullptr, false), "Seal to parents");
    CDataNode* link = sealing->FindChild(nullptr, FIELD_FAMC);
    ASSERT_NE(link, nullptr);
    ASSERT_NE(link->SetLink(family, true), 0);
    EXPECT_EQ(RptLdsOrdinanceLabel(*sealing, kid, nullptr, false),
              "Seal to parents (" + TextOf(dad) + " and " + TextOf(mum) + ")");

    CDataNode* spouseSealing = family->CreateChildByTag("SLGS");
    ASSERT_NE(spouseSealing, nullptr);
    EXPECT_EQ(RptLdsOrdinanceLabel(*spouseSealing, dad, family, false),
              "Seal to spouse (" + TextOf(mum) + ")");

    kid->CreateChildByTag("BAPL");
    CDataNode* second = kid->CreateChildByTag("BAPL");
    EXPECT_EQ(RptLdsOrdinanceLabel(*second, kid, nullptr, false), "Baptism");
    EXPECT_EQ(RptLdsOrdinanceLabel(*second, kid, nullptr, true), "Baptism (2)");
}

TEST_F(FactTextTest, AFactRowWithoutPlaceShowsItsMarksAfterTheDate)
{
    CIndRec* person = Person(SEX_MALE, "Al");
    CDataNode* birth = Fact(person, "BIRT", {}, "1850");
    CDataNode* burial = Fact(person, "BURI", {}, "1900", "York");
    LoadField(birth, "SOUR", "Parish book");
    LoadField(burial, "SOUR", "Parish book");
    ScriptBody body;
    body.entries.push_back({"Al", [&](CRptPageLayout& layout, CRptFontSet& ctx) {
                                CRptLayoutEmitter out(layout, ctx);
                                CRptCitations citations(true, nullptr);
                                citations.counter = 2;
                                RptWriteFactRow(out, citations, 1, *birth, 0, nullptr);
                                return RptWriteFactRow(out, citations, 1, *burial, 0, nullptr);
                            }});
    FakeCanvas canvas;
    CRptPageLayout layout(PlainSettings());
    layout.Build(body, canvas, "", "");
    layout.PrintPage(body, canvas, 0);
    EXPECT_THAT(canvas.Texts(), ElementsAre("Birth", "1850", "3", "Burial", "1900", "York", "4"));
}

} // namespace
} // namespace rpt_test
