// tests/reports/window/rpt_golden_print_test.cpp: every golden report built on the virtual
// printer and printed: the PDF has the pages the report counted, which are the pages it is known
// to take, and page 1 of its preview, which shows some ink, is left as a picture to look at in
// "golden_pages" of the test's working folder (the build's test folder).
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/reports/rpt_golden_cases.h"
#include "tests/reports/window/rpt_print_fixture.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

#include <filesystem>

namespace rpt_test {
namespace {

class GoldenPrint : public RptPrinterTest<gedcom_test::CGedcomTest>,
                    public testing::WithParamInterface<GoldenCase> {};

TEST_P(GoldenPrint, ThePdfHasTheKnownPagesAndPageOneIsLeftAsAPicture)
{
    const GoldenCase& c = GetParam();
    ASSERT_TRUE(Load(test_support::DataPath(std::string("gedcom/") + c.gedcom)));
    const GoldenReport report = MakeGoldenReport(c);
    ASSERT_NE(report.gen, nullptr);
    CRptGen& gen = *report.gen;
    ASSERT_TRUE(gen.Build(*m_device, false));
    EXPECT_EQ(gen.GetPageCount(), c.pages) << c.file;

    const std::string pdf = test_support::NewFolder("golden_print") + "/" + c.file + ".pdf";
    TestHooks::AnswerPrintDialog(true, pdf);
    GenView view(gen);
    view.OnFilePrint();
    const ToolRun info = RunTool("pdfinfo '" + pdf + "' 2>/dev/null");
    ASSERT_EQ(info.status, 0) << "pdfinfo is missing or the PDF was not written";
    EXPECT_THAT(info.output,
                testing::ContainsRegex("Pages: +" + std::to_string(gen.GetPageCount()) + "\n"));

    const TestHooks::Image page = TestHooks::RenderPreviewPage(view, 1);
    ASSERT_GT(page.width, 0);
    EXPECT_GT(std::count_if(page.pixels.begin(), page.pixels.end(),
                            [](COLORREF pixel) { return GetRValue(pixel) < 128; }),
              100)
        << "page 1 is blank";
    std::filesystem::create_directories("golden_pages");
    EXPECT_TRUE(page.SavePng("golden_pages/" + std::string(c.file) + ".png"));
}

INSTANTIATE_TEST_SUITE_P(Royal, GoldenPrint, testing::ValuesIn(kRoyalCases),
                         [](const auto& info) { return info.param.name; });
INSTANTIATE_TEST_SUITE_P(Shipped, GoldenPrint, testing::ValuesIn(kShippedCases),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace rpt_test
