// tests/reports/rpt_gen_ind_golden_test.cpp: golden files of three report types on royal92 in
// the three formats, byte for byte, with the installed settings: the Individual Summary of the
// first 20 individuals, the Family Group Sheet of the first 10 families, and the descendants of
// the file's first individual over three generations.
#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"
#include "reports/rpt_gen_make.h"
#include "reports/rpt_sink.h"
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

struct GoldenCase {
    const char* name;
    int type;
    int listIndex;
    std::size_t count;
    const char* file; // under tests/data/expected/, without extension
};

class RoyalGolden : public gedcom_test::CGedcomTest,
                    public testing::WithParamInterface<GoldenCase> {};

TEST_P(RoyalGolden, EachFormatWritesItsGoldenFile)
{
    const GoldenCase& c = GetParam();
    ASSERT_TRUE(Load(test_support::DataPath("gedcom/royal92.ged"), true));
    std::unique_ptr<CRptGen> gen = RptMakeGenerator({c.type, "Golden Test", false, -1, ""});
    ASSERT_NE(gen, nullptr);
    gen->Settings().m_contents.m_generations = 3;
    gen->Settings().m_contents.m_numbering = 3;
    std::vector<CRecordNode*> chosen;
    for (CDataNode* record = GetRecordTypeRoot(c.listIndex)->GetFirstChild();
         record && chosen.size() < c.count; record = record->GetNextSibling())
        chosen.push_back(static_cast<CRecordNode*>(record));
    gen->TakeSelectedRecords(chosen);
    for (const auto& [kind, extension] :
         {std::pair{kRptText, ".txt"}, std::pair{kRptHtml, ".html"}, std::pair{kRptRtf, ".rtf"}}) {
        const std::string path = PathOf(std::string("out") + extension);
        ASSERT_TRUE(gen->Export(path, kind));
        EXPECT_EQ(test_support::ReadFile(path), test_support::ReadFile(test_support::DataPath(
                                                    std::string("expected/") + c.file + extension)))
            << c.file << extension;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reports, RoyalGolden,
    testing::Values(GoldenCase{"IndividualSummary", 0, RECORD_LIST_INDI, 20, "royal92_ind"},
                    GoldenCase{"FamilyGroupSheet", 1, RECORD_LIST_FAM, 10, "royal92_fam"},
                    GoldenCase{"Descendants", 3, RECORD_LIST_INDI, 1, "royal92_desc"}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace rpt_test
