// tests/reports/rpt_gen_src_test.cpp: the Source report's details: item show modes, note
// labels, citing records, repositories and the empty entry.
#include "reports/rpt_gen_src.h"

#include "tests/database/kin/ind_rec_test_support.h"
#include "tests/reports/rpt_body_test_support.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

using testing::Contains;
using testing::ElementsAre;

class SourceReportTest : public ind_test::CIndRecTest {
protected:
    void SetUp() override
    {
        CIndRecTest::SetUp();
        m_settings.m_contents.m_options[kRptSectionMain] = true;
        m_settings.m_contents.m_options[kRptSectionRepo] = true;
        m_settings.m_format.m_headings[kRptHdgRepo].m_show = kRptHeadingShow;
        for (CRptItem& item : m_settings.m_contents.m_items[kRptSrcItems])
            item.m_show = kRptItemShow;
        for (CRptItem& item : m_settings.m_contents.m_items[kRptRepItems])
            item.m_show = kRptItemShow;
    }
    std::vector<std::string> Lines(CRecordNode* source)
    {
        return Trimmed(BodyLines(m_settings, [&](CRptBodyContext& body) {
            EXPECT_TRUE(RptWriteSourceEntry(body, *source));
        }));
    }
    CRptSettings m_settings = BodySettings();
};

TEST_F(SourceReportTest, DetailsNotesCitationsAndRepository)
{
    CRecordNode* source = NewRecord(record_test::kSour);
    SetField(source, "TITL", "Parish \\ Registers");
    SetField(source, "AUTH", "Grünewald");
    LoadField(source, "NOTE", "Damp");
    LoadField(source, "NOTE", "Torn");
    CRecordNode* repository = NewRecord(record_test::kRepo);
    SetField(repository, "NAME", "County Archive");
    Link(source, "REPO", repository);
    CIndRec* al = Person(SEX_MALE, "Al", "1850");
    Link(al->FindChild(nullptr, FIELD_BIRT), "SOUR", source);

    const std::vector<std::string> lines = Lines(source);
    EXPECT_THAT(lines, Contains("Title:  Parish \\ Registers"));
    EXPECT_THAT(lines, Contains("Author:  Grünewald"));
    EXPECT_THAT(lines, Contains("Record Id:  " + std::to_string(source->GetRecordNumber())));
    EXPECT_THAT(lines, Contains("Note 1:  Damp"));
    EXPECT_THAT(lines, Contains("Note 2:  Torn"));
    EXPECT_THAT(lines, Contains(testing::StartsWith("Citations:  " + TextOf(al) + ": ")));
    EXPECT_THAT(lines, Contains("Repository"));
    EXPECT_THAT(lines, Contains("Name:  County Archive"));
}

TEST_F(SourceReportTest, OneSharedNoteIsNotNumbered)
{
    CRecordNode* source = NewRecord(record_test::kSour);
    CRecordNode* note = NewRecord(record_test::kNote);
    SetField(note, "TEXT", "Kept at <home>");
    Link(source, "NOTE", note);
    for (CRptItem& item : m_settings.m_contents.m_items[kRptSrcItems])
        item.m_show = item.m_index == 8 ? kRptItemShow : kRptItemHide;
    EXPECT_THAT(Lines(source), ElementsAre("Note (shared):  Kept at <home>"));
}

TEST_F(SourceReportTest, ShowEmptyItemsAndTheEmptyEntry)
{
    CRecordNode* source = NewRecord(record_test::kSour);
    for (CRptItem& item : m_settings.m_contents.m_items[kRptSrcItems])
        item.m_show = item.m_index == 1 ? kRptItemShowEmpty : kRptItemHide;
    EXPECT_THAT(Lines(source), ElementsAre("Title:"));
    m_settings.m_contents.m_items[kRptSrcItems][1].m_show = kRptItemShow;
    EXPECT_THAT(Lines(source), ElementsAre("(none)"));
}

} // namespace
} // namespace rpt_test
