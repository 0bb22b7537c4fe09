// tests/reports/rpt_gen_ind_golden_test.cpp: golden files of three report types on royal92 in
// the three formats, byte for byte, made with three generations and the compact numbers: the
// Individual Summary of the first 20 individuals, the Family Group Sheet of the first 10
// families, and the descendants of the file's first individual. Each file reads back.
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/reports/rpt_golden_cases.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

class RoyalGolden : public gedcom_test::CGedcomTest,
                    public testing::WithParamInterface<GoldenCase> {};

TEST_P(RoyalGolden, EachFormatWritesItsGoldenFile)
{
    const GoldenCase& c = GetParam();
    ASSERT_TRUE(Load(test_support::DataPath(std::string("gedcom/") + c.gedcom)));
    const GoldenReport report = MakeGoldenReport(c);
    ASSERT_NE(report.gen, nullptr);
    const std::vector<std::string> titles = GoldenTitles(*report.gen);
    for (const auto& [kind, extension] :
         {std::pair{kRptText, ".txt"}, std::pair{kRptHtml, ".html"}, std::pair{kRptRtf, ".rtf"}}) {
        const std::string path = PathOf(std::string("out") + extension);
        ASSERT_TRUE(report.gen->Export(path, kind));
        EXPECT_EQ(test_support::ReadFile(path), test_support::ReadFile(test_support::DataPath(
                                                    std::string("expected/") + c.file + extension)))
            << c.file << extension;
        CheckExportReadsBack(path, kind, titles);
    }
}

INSTANTIATE_TEST_SUITE_P(Reports, RoyalGolden, testing::ValuesIn(kRoyalCases),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace rpt_test
