// tests/reports/rpt_gen_list_test.cpp: the List report: the list's note, numbered rows with
// annotations, a list that has gone, and choosing the list.
#include "reports/rpt_gen_list.h"

#include "queries/named_list.h"
#include "reports/rpt_select.h"
#include "tests/database/kin/ind_rec_test_support.h"
#include "tests/reports/rpt_body_test_support.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

using testing::ElementsAre;

class ListReportTest : public ind_test::CIndRecTest {
protected:
    void SetUp() override
    {
        CIndRecTest::SetUp();
        m_settings.m_format.m_headings[kRptHdgListName].m_show = kRptHeadingShow;
    }
    std::vector<std::string> Lines(const std::string& name)
    {
        return BodyLines(
            m_settings, [&](CRptBodyContext& body) { EXPECT_TRUE(RptWriteNamedList(body, name)); });
    }
    CRptSettings m_settings = BodySettings();
};

TEST_F(ListReportTest, NoteThenEachRecordWithItsNumberAndAnnotation)
{
    CIndRec* al = Person(SEX_MALE, "Al");
    CRecordNode* source = NewRecord(record_test::kSour);
    SetField(source, "TITL", "Registers & <more>");
    CNamedList list("Cousins {2nd}");
    list.SetNote("Checked in 1990");
    list.Entries().push_back({al, "Lives in Leeds"});
    list.Entries().push_back({source, ""});
    std::string alText;
    al->FormatNameForReport(alText, true, false, false);
    EXPECT_THAT(
        Lines("Cousins {2nd}"),
        ElementsAre("Cousins {2nd}", testing::MatchesRegex(" *Note:  Checked in 1990"),
                    alText + " [" + std::to_string(al->GetRecordNumber()) + "]", "\tLives in Leeds",
                    TextOf(source) + " [" + std::to_string(source->GetRecordNumber()) + "]"));
}

TEST_F(ListReportTest, AListThatHasGoneGivesOnlyItsHeading)
{
    EXPECT_THAT(Lines("Nowhere"), ElementsAre("Nowhere"));
    CNamedList empty("Empty");
    EXPECT_THAT(Lines("Empty"), ElementsAre("Empty", "(none)"));
}

class ScriptedSelector final : public IRptSelector {
public:
    bool SelectRecords(int, std::vector<CRecordNode*>&) override { return false; }
    bool SelectNamedList(std::string& name) override
    {
        asked = name;
        if (answer.empty())
            return false;
        name = answer;
        return true;
    }
    std::string asked, answer;
};

TEST_F(ListReportTest, CancellingTheChoiceKeepsTheList)
{
    ScriptedSelector selector;
    CRptGenList gen("List", false, "Old");
    EXPECT_FALSE(gen.SelectRecords(selector));
    EXPECT_EQ(gen.GetListName(), "Old");
    selector.answer = "New";
    EXPECT_TRUE(gen.SelectRecords(selector));
    EXPECT_EQ(selector.asked, "Old");
    EXPECT_EQ(gen.GetListName(), "New");
    std::string title;
    gen.GetEntryTitle(*gen.Entries().front(), title);
    EXPECT_EQ(title, "New");
}

} // namespace
} // namespace rpt_test
