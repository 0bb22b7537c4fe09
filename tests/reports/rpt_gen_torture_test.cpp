// tests/reports/rpt_gen_torture_test.cpp: every report type over the GEDCOM torture file: built
// with every option that adds output switched on, each page drawn, exported in the three formats;
// no crash, every page draws, the RTF groups close, the HTML ends, and the text export holds
// each chosen record's title.
#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"
#include "queries/named_list.h"
#include "reports/rpt_gen_make.h"
#include "reports/rpt_sink.h"
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/reports/export_checks.h"
#include "tests/reports/fake_rpt_canvas.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

class FakeDevice final : public IRptDevice {
public:
    std::unique_ptr<IRptCanvas> CreatePrinterCanvas(bool, bool) override
    {
        return std::make_unique<FakeCanvas>();
    }
};

struct TortureCase {
    const char* name;
    int type;
    int listIndex; // of the records chosen, or listed for a List report
};

class TortureReports : public gedcom_test::CGedcomTest,
                       public testing::WithParamInterface<TortureCase> {
protected:
    std::string Export(CRptGen& gen, int kind)
    {
        const std::string path = PathOf(kind == kRptText   ? "t.txt"
                                        : kind == kRptHtml ? "t.html"
                                                           : "t.rtf");
        EXPECT_TRUE(gen.Export(path, kind));
        return test_support::ReadFile(path);
    }
    FakeDevice m_device;
};

TEST_P(TortureReports, BuildDrawAndExportEveryRecord)
{
    const TortureCase& c = GetParam();
    ASSERT_TRUE(Load(test_support::DataPath("gedcom/TGC551.ged")));
    std::vector<CRecordNode*> records;
    for (CDataNode* record = GetRecordTypeRoot(c.listIndex)->GetFirstChild(); record;
         record = record->GetNextSibling())
        records.push_back(static_cast<CRecordNode*>(record));
    ASSERT_FALSE(records.empty());
    CNamedList list("Torture");
    for (CRecordNode* record : records)
        list.Entries().push_back({record, "entry note"});
    std::unique_ptr<CRptGen> gen =
        RptMakeGenerator({c.type, "Test", false, c.type == kRptTypeRec ? c.listIndex : -1,
                          c.type == kRptTypeList ? "Torture" : ""});
    ASSERT_NE(gen, nullptr);
    CRptSettings& settings = gen->Settings();
    settings.m_contents.m_options.fill(true);
    settings.m_sources.m_flags.fill(true);
    settings.m_sources.m_flags[kRptSourcesStartNewPage] = false;
    settings.m_contents.m_generations = 6;
    for (int role = 0; role < kRptPicRoleCount; ++role)
        settings.m_pictures.m_maxPictures[std::size_t(role)] = 3;
    if (c.type != kRptTypeList)
        gen->TakeSelectedRecords(records);
    ASSERT_TRUE(gen->Build(m_device, false));
    ASSERT_GT(gen->GetPageCount(), 0);
    for (int page = 0; page < gen->GetPageCount(); ++page) {
        FakeCanvas canvas;
        gen->PrintPage(canvas, page);
        EXPECT_FALSE(canvas.drawn.empty()) << "page " << page;
    }
    // Every record's title (the text "=Record()" shows) is in the text export.
    std::vector<std::string> titles;
    for (const auto& entry : gen->Entries()) {
        std::string title;
        gen->GetEntryTitle(*entry, title);
        if (!title.empty() && entry->GetRecord())
            titles.push_back(title);
    }
    if (c.type != kRptTypeList) {
        EXPECT_EQ(titles.size(), records.size());
    }
    const std::string text = Export(*gen, kRptText);
    const std::string html = Export(*gen, kRptHtml);
    const std::string rtf = Export(*gen, kRptRtf);
    EXPECT_FALSE(text.empty());
    EXPECT_TRUE(RtfGroupsBalanced(rtf)) << "RTF groups close";
    for (const std::string& title : titles)
        EXPECT_NE(text.find(title), std::string::npos) << title;
    EXPECT_NE(html.find("</html>"), std::string::npos);
    EXPECT_EQ(text.find('\0'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, TortureReports,
    testing::Values(TortureCase{"IndividualSummary", kRptTypeInd, RECORD_LIST_INDI},
                    TortureCase{"FamilyGroupSheet", kRptTypeFam, RECORD_LIST_FAM},
                    TortureCase{"Sources", kRptTypeSrc, RECORD_LIST_SOUR},
                    TortureCase{"Descendants", kRptTypeDesc, RECORD_LIST_INDI},
                    TortureCase{"Ancestors", kRptTypeAnc, RECORD_LIST_INDI},
                    TortureCase{"List", kRptTypeList, RECORD_LIST_INDI},
                    TortureCase{"RecordsOfIndividuals", kRptTypeRec, RECORD_LIST_INDI},
                    TortureCase{"RecordsOfFamilies", kRptTypeRec, RECORD_LIST_FAM},
                    TortureCase{"RecordsOfNotes", kRptTypeRec, RECORD_LIST_NOTE},
                    TortureCase{"RecordsOfSources", kRptTypeRec, RECORD_LIST_SOUR},
                    TortureCase{"RecordsOfRepositories", kRptTypeRec, RECORD_LIST_REPO},
                    TortureCase{"RecordsOfSubmitters", kRptTypeRec, RECORD_LIST_SUBM},
                    TortureCase{"RecordsOfObjects", kRptTypeRec, RECORD_LIST_OBJE}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace rpt_test
