// tests/reports/rpt_sources_test.cpp: the lines of a sources section and the section itself.
#include "reports/rpt_sources.h"

#include "database/dictionary/field_ids.h"
#include "tests/database/kin/ind_rec_test_support.h"
#include "tests/reports/rpt_body_test_support.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

using testing::ElementsAre;

class SourcesTest : public ind_test::CIndRecTest {
protected:
    void SetUp() override
    {
        CIndRecTest::SetUp();
        m_settings.m_sources.m_flags[kRptIncludeSources] = true;
    }
    CRecordNode* Source(std::string_view title, std::string_view abbr)
    {
        CRecordNode* source = NewRecord(record_test::kSour);
        SetField(source, "AUTH", "Smith & Co");
        if (!title.empty())
            SetField(source, "TITL", title);
        SetField(source, "ABBR", abbr);
        SetField(source, "PUBL", "London 1901");
        return source;
    }
    /// A citation of source with a page, cited in a new birth.
    CDataNode* Cite(CRecordNode* source, std::string_view page)
    {
        CDataNode* birth = Event(Person(SEX_MALE, "Al"), "BIRT", "1850");
        CDataNode* citation = Link(birth, "SOUR", source);
        if (!page.empty())
            SetField(citation, "PAGE", page);
        return citation;
    }
    void Flag(RptSourceFlag flag, bool on) { m_settings.m_sources.m_flags[flag] = on; }

    CRptSettings m_settings = BodySettings();
};

TEST_F(SourcesTest, AShortTitleOnlyStandsInForAMissingTitle)
{
    Flag(kRptSourcesShortTitle, false);
    Flag(kRptSourcesShortTitleIf, true);
    const CDataNode* titled = Cite(Source("Parish <Registers>", "PR"), "p. 12");
    EXPECT_EQ(RptSourceLine(*titled, m_settings),
              "Smith & Co.  \"Parish <Registers>\".  (London 1901).  p. 12");
    const CDataNode* untitled = Cite(Source("", "PR"), "");
    EXPECT_EQ(RptSourceLine(*untitled, m_settings), "Smith & Co.  PR.  (London 1901).");
    Flag(kRptSourcesShortTitleIf, false);
    Flag(kRptSourcesAuthor, false);
    Flag(kRptSourcesPubInfo, false);
    EXPECT_EQ(RptSourceLine(*untitled, m_settings), "");
}

TEST_F(SourcesTest, ATextCitationGivesItsOwnText)
{
    CDataNode* birth = Event(Person(SEX_MALE, "Al"), "BIRT", "1850");
    const CDataNode* citation = LoadField(birth, "SOUR", "Family bible {p. 3}");
    EXPECT_EQ(RptSourceLine(*citation, m_settings), "Family bible {p. 3}.");
}

TEST_F(SourcesTest, TheSectionNumbersItsLinesAndAddsTheirRows)
{
    CDataNode* citation = Cite(Source("Registers", ""), "p. 12");
    CDataNode* data = citation->CreateChildByTag("DATA");
    ASSERT_NE(data, nullptr);
    SetField(data, "TEXT", "Born at home");
    SetField(citation, "QUAY", "3");
    CRptCitationList list;
    list.Add(citation);
    list.Add(citation);
    m_settings.m_format.m_headings[kRptHeadingSourcesAll].m_show = kRptHeadingShow;
    const std::vector<std::string> lines = BodyLines(m_settings, [&](CRptBodyContext& body) {
        EXPECT_TRUE(RptWriteCitations(body.out, m_settings, list, kRptHeadingSourcesAll, false));
    });
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Sources");
    EXPECT_THAT(lines[1], testing::StartsWith("                1.  Smith & Co.  \"Registers\""));
    EXPECT_THAT(lines[1], testing::HasSubstr("p. 12.  Assessment: "));
    EXPECT_EQ(lines[2], "                    Text From Source: Born at home");
    EXPECT_THAT(lines[3], testing::StartsWith("                2.  "));
}

TEST_F(SourcesTest, AnEmptyListWritesNothingUnlessTheHeadingAsksForIt)
{
    CRptCitationList list;
    m_settings.m_format.m_headings[kRptHeadingSourcesRecord].m_show = kRptHeadingShow;
    const auto write = [&] {
        return BodyLines(m_settings, [&](CRptBodyContext& body) {
            RptWriteCitations(body.out, m_settings, list, kRptHeadingSourcesRecord, true);
        });
    };
    EXPECT_TRUE(write().empty());
    m_settings.m_format.m_headings[kRptHeadingSourcesRecord].m_show = kRptHeadingShowEmpty;
    EXPECT_THAT(write(), ElementsAre("Sources", "\t(none)"));
}

TEST_F(SourcesTest, RtfStartsTheSectionOnANewPageWhenAsked)
{
    CRptCitationList list;
    list.Add(Cite(Source("Registers", ""), ""));
    const std::string rtf = WriteBody(m_settings, kRptRtf, [&](CRptBodyContext& body) {
        m_settings.m_format.m_headings[kRptHeadingSourcesAll].m_show = kRptHeadingShow;
        RptWriteCitations(body.out, m_settings, list, kRptHeadingSourcesAll, true);
    });
    EXPECT_THAT(rtf, testing::HasSubstr("\\pagebb "));
    EXPECT_THAT(rtf, testing::HasSubstr("Smith & Co"));
}

} // namespace
} // namespace rpt_test

namespace rpt_test {
namespace {

TEST_F(SourcesTest, AStopBetweenCitationsEndsALongSection)
{
    CDataNode* citation = Cite(Source("Registers", ""), "p. 12");
    CRptCitationList list;
    for (int i = 0; i < 5000; ++i)
        list.Add(citation);
    CountingEmitter out;
    int asked = 0;
    EXPECT_FALSE(RptWriteCitations(out, m_settings, list, kRptHeadingSourcesAll, false,
                                   [&asked] { return ++asked > 10; }));
    EXPECT_EQ(out.rows, 10u);
    EXPECT_TRUE(RptWriteCitations(out, m_settings, list, kRptHeadingSourcesAll, false));
    EXPECT_GE(out.rows, 5010u);
}

} // namespace
} // namespace rpt_test
