// tests/reports/rpt_gen_src_golden_test.cpp: golden files of every report type made with the
// shipped report types' settings, in the three formats, byte for byte. On the torture file: the
// sources, the Individual Summary of its individuals, the Family Group Sheet of its families, the
// descendants of its matriarch over five generations, the ancestors of its three youngest, a List
// report of a named list of its individuals and the records of each record type (the first ten).
// On royal92: the records of its first ten individuals and of its first ten families (after the
// torture file's load, whose user-defined fields must not hide royal92's) and of its submitter,
// a List report of its first 15 individuals and the ancestors of its three youngest. Each HTML
// file passes tidy, each RTF file has balanced groups and, read back by unrtf, holds every
// entry's title.
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/reports/rpt_golden_cases.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

class OtherGolden : public gedcom_test::CGedcomTest,
                    public testing::WithParamInterface<GoldenCase> {};

TEST_P(OtherGolden, EachFormatWritesItsGoldenFileAndReadsBack)
{
    const GoldenCase& c = GetParam();
    ASSERT_TRUE(Load(test_support::DataPath(std::string("gedcom/") + c.gedcom)));
    const GoldenReport report = MakeGoldenReport(c);
    ASSERT_NE(report.gen, nullptr);
    const std::vector<std::string> titles = GoldenTitles(*report.gen);
    ASSERT_FALSE(titles.empty());
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

TEST(GoldenChecks, RtfGroupsBalanceOnlyWhenEveryGroupClosesInOrder)
{
    EXPECT_TRUE(RtfGroupsBalanced(R"({\rtf1 {\b a \{ b\} c\\}})"));
    EXPECT_FALSE(RtfGroupsBalanced(R"({\rtf1 {\b a})"));
    EXPECT_FALSE(RtfGroupsBalanced(R"({\rtf1 }} {)"));
    EXPECT_FALSE(RtfGroupsBalanced(R"({\rtf1 a\})"));
}

INSTANTIATE_TEST_SUITE_P(Reports, OtherGolden, testing::ValuesIn(kShippedCases),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace rpt_test
