// tests/reports/rpt_gen_rec_test.cpp: record titles and record reports' field trees.
#include "reports/rpt_gen_rec.h"

#include "database/records/fam_rec.h"
#include "tests/database/kin/ind_rec_test_support.h"
#include "tests/reports/rpt_body_test_support.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace rpt_test {
namespace {

using testing::Contains;

class RecordReportTest : public ind_test::CIndRecTest {
protected:
    std::vector<std::string> Lines(CRecordNode* record)
    {
        return BodyLines(m_settings, [&](CRptBodyContext& body) {
            EXPECT_TRUE(RptWriteRecordEntry(body, *record));
        });
    }
    std::string Title(const CRecordNode* record)
    {
        std::string title;
        WriteBody(m_settings, kRptText,
                  [&](CRptBodyContext& body) { title = RptRecordTitle(body, *record); });
        return title;
    }
    CRptSettings m_settings = BodySettings();
};

struct TitleCase {
    const char* name;
    bool ids, prefix;
    const char* start;
};

class RecordTitles : public RecordReportTest, public testing::WithParamInterface<TitleCase> {};

TEST_P(RecordTitles, IdsAndTypeLetters)
{
    const TitleCase& c = GetParam();
    m_settings.m_contents.m_options[kRptRecordIds] = c.ids;
    m_settings.m_contents.m_options[kRptRecordTypePrefix] = c.prefix;
    CIndRec* al = Person(SEX_MALE, "Al");
    const std::string number = std::to_string(al->GetRecordNumber());
    std::string expected = c.start;
    if (c.ids)
        expected += number + "] ";
    EXPECT_EQ(Title(al), expected + TextOf(al));
}

INSTANTIATE_TEST_SUITE_P(Reports, RecordTitles,
                         testing::Values(TitleCase{"NameOnly", false, true, ""},
                                         TitleCase{"Number", true, false, "["},
                                         TitleCase{"LetterAndNumber", true, true, "[I"}),
                         [](const auto& info) { return info.param.name; });

TEST_F(RecordReportTest, AFamilyIsTitledByItsPartners)
{
    m_settings.m_contents.m_options[kRptRecordIds] = false;
    CFamRec* family = Marry(Person(SEX_MALE, "Tom"), nullptr);
    std::string title;
    family->GetTitle(title);
    EXPECT_EQ(Title(family), title);
}

TEST_F(RecordReportTest, FieldsByDepthWithLinksAndPrivateNotes)
{
    m_settings.m_contents.m_options[kRptRecordIds] = false;
    m_settings.m_contents.m_options[kRptShowGraphics] = false;
    m_settings.m_contents.m_options[kRptPrivateNotes] = false;
    CIndRec* tom = Person(SEX_MALE, "Tom", "1850");
    SetField(tom->FindChild(nullptr, FIELD_BIRT), "PLAC", "York");
    LoadField(tom, "NOTE", "Open [[hidden]] text");
    CIndRec* ann = Person(SEX_FEMALE, "Ann");
    Marry(tom, ann);
    const std::vector<std::string> lines = Lines(tom);
    EXPECT_THAT(lines, Contains(testing::StartsWith("Birth")));
    EXPECT_THAT(lines, Contains(testing::MatchesRegex("\t[A-Za-z ]+: 1850")));
    EXPECT_THAT(lines, Contains(testing::MatchesRegex("\t[A-Za-z ]+: York")));
    EXPECT_THAT(lines, Contains(testing::MatchesRegex("[A-Za-z ]+: Open +text")));
    std::string family;
    tom->GetNextSpouseFamily(nullptr)->GetTitle(family);
    EXPECT_THAT(lines, Contains(testing::EndsWith(": " + family)));
}

TEST_F(RecordReportTest, TreeLinesJoinTheRows)
{
    m_settings.m_contents.m_options[kRptRecordIds] = false;
    m_settings.m_contents.m_options[kRptShowGraphics] = true;
    CIndRec* tom = Person(SEX_MALE, "Tom", "1850");
    Event(tom, "DEAT", "1900");
    const std::vector<std::string> lines = Lines(tom);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_THAT(lines, Contains(testing::MatchesRegex("\\|- Birth: 1850")));
    EXPECT_THAT(lines, Contains(testing::MatchesRegex("\\|  `- [A-Za-z ]+: 1850")));
    EXPECT_THAT(lines[lines.size() - 2], testing::MatchesRegex("`- Death: 1900"));
    EXPECT_THAT(lines.back(), testing::MatchesRegex("   `- [A-Za-z ]+: 1900"));
}

TEST_F(RecordReportTest, NamesKeepTheirSlashesAndFamiliesFollowWhenAsked)
{
    m_settings.m_contents.m_options[kRptRecordIds] = false;
    m_settings.m_contents.m_options[kRptShowGraphics] = false;
    CIndRec* tom = Person(SEX_MALE, "Tom /Smith/ Jr");
    CFamRec* family = Marry(tom, Person(SEX_FEMALE, "Ann /Jones/"));
    Event(family, "MARR", "1875");
    std::string title;
    family->GetTitle(title);
    for (const bool on : {true, false}) {
        m_settings.m_contents.m_options[kRptSlashesRoundSurnames] = on;
        m_settings.m_contents.m_options[kRptLinkedFamilyRecords] = on;
        const std::vector<std::string> lines = Lines(tom);
        const auto named =
            testing::MatchesRegex(on ? ".*: Tom /(Smith|SMITH)/ Jr" : ".*: Tom (Smith|SMITH) Jr");
        EXPECT_THAT(lines, Contains(named)) << on;
        // The family's own record, its marriage included, follows under its title.
        EXPECT_EQ(std::count(lines.begin(), lines.end(), title), on ? 1 : 0);
        EXPECT_EQ(std::any_of(lines.begin(), lines.end(),
                              [](const std::string& line) {
                                  return line.find("1875") != std::string::npos;
                              }),
                  on);
    }
}

TEST_F(RecordReportTest, AMultimediaRecordListsWhatLinksToIt)
{
    m_settings.m_contents.m_options[kRptRecordIds] = false;
    CRecordNode* object = NewRecord(record_test::kObje);
    CIndRec* tom = Person(SEX_MALE, "Tom");
    Link(tom, "OBJE", object);
    EXPECT_THAT(Lines(object), Contains("Link: " + TextOf(tom)));
}

} // namespace
} // namespace rpt_test
