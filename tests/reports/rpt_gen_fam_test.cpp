// tests/reports/rpt_gen_fam_test.cpp: the Family Group Sheet: summary, person blocks, notes
// with every label form, LDS rows and the empty sheet.
#include "reports/rpt_gen_fam.h"

#include "database/records/fam_rec.h"
#include "tests/database/kin/ind_rec_test_support.h"
#include "tests/reports/rpt_body_test_support.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::Not;

class FamilySheetTest : public ind_test::CIndRecTest {
protected:
    void SetUp() override
    {
        CIndRecTest::SetUp();
        m_settings.m_format.m_headings[kRptHdgRecFam].m_show = kRptHeadingShow;
        for (RptOption option : {kRptSectionIndNotes, kRptSectionIndNotes2, kRptSectionMarrNotes,
                                 kRptEventNotes, kRptEventAddrs})
            m_settings.m_contents.m_options[option] = false;
    }
    std::vector<std::string> Lines(CFamRec* family)
    {
        return Trimmed(BodyLines(m_settings, [&](CRptBodyContext& body) {
            EXPECT_TRUE(RptWriteFamilyGroupSheet(body, *family));
        }));
    }
    CRptSettings m_settings = BodySettings();
};

TEST_F(FamilySheetTest, AMissingWifeIsUnknownInTheSummaryAndHeadsAnEmptyBlock)
{
    CIndRec* tom = Person(SEX_MALE, "Tom");
    CFamRec* family =
        Marry(tom, nullptr,
              {Person(SEX_MALE, "Ann"), Person(SEX_FEMALE, "Bo"), Person(SEX_UNDETERMINED, "Cy")});
    const std::vector<std::string> lines = Lines(family);
    std::string title;
    family->GetTitle(title);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], title);
    EXPECT_THAT(lines, Contains("Husband:  Tom"));
    EXPECT_THAT(lines, Contains("Wife:  (unknown)"));
    EXPECT_THAT(lines, Contains("Children:  Ann"));
    EXPECT_THAT(lines, Contains("Bo"));
    EXPECT_THAT(lines, Contains("Husband: Tom"));
    EXPECT_THAT(lines, Contains("Wife:"));
    EXPECT_THAT(lines, Contains("Child 1: Ann"));
    EXPECT_THAT(lines, Contains("Child 2: Bo"));
    EXPECT_THAT(lines, Contains("Child 3: Cy"));
    EXPECT_THAT(lines, Contains("Sex:  Unknown")) << "Cy has no SEX";
    const auto children = std::find(lines.begin(), lines.end(), "Child 1: Ann");
    EXPECT_THAT(std::vector<std::string>(children, lines.end()),
                Not(Contains(testing::StartsWith("Father:"))))
        << "children do not list their parents";
}

TEST_F(FamilySheetTest, NoteLabelsNameTheMemberAndNumberSeveralNotes)
{
    CIndRec* tom = Person(SEX_MALE, "Tom");
    CIndRec* ann = Person(SEX_FEMALE, "Ann");
    CIndRec* kid = Person(SEX_MALE, "Kid");
    CFamRec* family = Marry(tom, ann, {kid});
    LoadField(tom, "NOTE", "One");
    LoadField(tom, "NOTE", "Two");
    CRecordNode* shared = NewRecord(record_test::kNote);
    SetField(shared, "TEXT", "Shared & <kept>");
    Link(ann, "NOTE", shared);
    LoadField(kid, "NOTE", "Small");
    LoadField(family, "NOTE", "Wed");
    for (RptOption option : {kRptSectionIndNotes, kRptSectionIndNotes2, kRptSectionMarrNotes})
        m_settings.m_contents.m_options[option] = true;
    m_settings.m_contents.m_options[kRptSectionMain] = false;
    m_settings.m_contents.m_options[kRptSectionIndEvents] = false;
    for (CRptItem& item : m_settings.m_contents.m_items[kRptIndItems])
        item.m_show = kRptItemHide;
    const std::vector<std::string> lines = Lines(family);
    const auto notes = std::find(lines.begin(), lines.end(), "Note on Marriage");
    ASSERT_NE(notes, lines.end());
    EXPECT_THAT(std::vector<std::string>(notes, lines.end()),
                ElementsAre("Note on Marriage", "Wed", "Note on Husband: Tom (1)", "One",
                            "Note on Husband: Tom (2)", "Two", "Note on Wife: Ann - shared note",
                            "Shared & <kept>", "Note on Child 1: Kid", "Small"));
}

TEST_F(FamilySheetTest, EmptyItemsShowADashWhenAskedFor)
{
    CIndRec* tom = Person(SEX_MALE, "Tom");
    CFamRec* family = Marry(tom, nullptr);
    m_settings.m_contents.m_options[kRptSectionMain] = false;
    for (CRptItem& item : m_settings.m_contents.m_items[kRptIndItems])
        item.m_show = item.m_index == 4 ? kRptItemShowEmpty : kRptItemHide; // Nickname
    EXPECT_THAT(Lines(family), Contains("Nickname:  -"));
    m_settings.m_contents.m_items[kRptIndItems][4].m_show = kRptItemShow;
    EXPECT_THAT(Lines(family), Not(Contains(testing::StartsWith("Nickname:"))));
}

TEST_F(FamilySheetTest, TheFamilysOrdinancesOrTheEmptyRow)
{
    CFamRec* family = Marry(Person(SEX_MALE, "Tom"), Person(SEX_FEMALE, "Ann"));
    m_settings.m_contents.m_options[kRptSectionLdsOrdinances] = true;
    m_settings.m_format.m_headings[kRptHdgLds].m_show = kRptHeadingShow;
    std::vector<std::string> lines = Lines(family);
    auto heading = std::find(lines.begin(), lines.end(), "LDS Ordinances");
    ASSERT_NE(heading, lines.end());
    EXPECT_EQ(*(heading + 1), "(none)");
    CDataNode* sealing = family->CreateChildByTag("SLGS");
    ASSERT_NE(sealing, nullptr);
    SetField(sealing, "TEMP", "SLAKE");
    SetField(sealing, "DATE", "1900");
    lines = Lines(family);
    heading = std::find(lines.begin(), lines.end(), "LDS Ordinances");
    ASSERT_NE(heading, lines.end());
    EXPECT_THAT(*(heading + 1),
                testing::MatchesRegex("Seal to spouse \\(Ann\\)\\s+1900\\s+Temple code: SLAKE"));
}

} // namespace
} // namespace rpt_test
