// tests/reports/window/rpt_gen_print_test.cpp: a Descendant report with bullets, built on the
// application's printer and printed through the virtual PDF printer: the file has the pages the
// report counted, each with its own lines.
#include "reports/rpt_gen_desc.h"

#include "database/records/fam_rec.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/database/kin/ind_rec_test_support.h"
#include "tests/reports/window/rpt_print_fixture.h"
#include "tests/support/pdf_text.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

using ReportGenPrint = RptPrinterTest<ind_test::CIndRecTest>;

TEST_F(ReportGenPrint, ThePdfHasTheReportsPagesEachWithItsLines)
{
    CIndRec* mum = Person(SEX_FEMALE, "Mum");
    CFamRec* family = Marry(Person(SEX_MALE, "Dad"), mum);
    for (int i = 1; i <= 150; ++i)
        family->LinkChild(Person(SEX_MALE, "Child" + std::to_string(i)), nullptr);
    CRptGenDesc gen("Descendants", false);
    gen.Settings().m_contents.m_generations = 2;
    gen.Settings().m_contents.m_numbering = kRptDescDotted;
    gen.Settings().m_contents.m_options[kRptShowGraphics] = true;
    gen.Settings().m_contents.m_options[kRptDatesWithNames] = false;
    gen.Settings().m_sources.m_flags[kRptIncludeSources] = false;
    CRecordNode* subject = mum;
    gen.TakeSelectedRecords({&subject, 1});
    ASSERT_TRUE(gen.Build(*m_device, false));
    ASSERT_GE(gen.GetPageCount(), 3) << "150 children take pages";

    const std::string pdf = test_support::NewFolder("gen_print") + "/descendants.pdf";
    TestHooks::AnswerPrintDialog(true, pdf);
    GenView view(gen);
    view.OnFilePrint();
    EXPECT_EQ(test_support::ReadPdfInfo(pdf).pages, gen.GetPageCount());
    std::string error;
    const auto pages = test_support::PdfPageLines(pdf, error);
    ASSERT_EQ(error, "");
    ASSERT_EQ(int(pages.size()), gen.GetPageCount());
    EXPECT_THAT(pages.front(), testing::Contains("1 Mum"));
    EXPECT_THAT(pages.back(), testing::Contains("1.150 Child150"));
}

/// The pixels of page 1's preview within a step of colour.
int PreviewPixelsOf(CView& view, COLORREF colour)
{
    const TestHooks::Image page = TestHooks::RenderPreviewPage(view, 1);
    const auto near = [](int a, int b) { return a - b <= 8 && b - a <= 8; };
    int count = 0;
    for (const COLORREF pixel : page.pixels)
        count += near(GetRValue(pixel), GetRValue(colour)) &&
                 near(GetGValue(pixel), GetGValue(colour)) &&
                 near(GetBValue(pixel), GetBValue(colour));
    return count;
}

TEST_F(ReportGenPrint, ThePreviewShowsBulletsInTheirColourOnlyWithGraphics)
{
    CIndRec* mum = Person(SEX_FEMALE, "Mum");
    Marry(Person(SEX_MALE, "Dad"), mum, {Person(SEX_MALE, "Son"), Person(SEX_FEMALE, "Girl")});
    CRptGenDesc gen("Descendants", false);
    constexpr COLORREF kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0);
    gen.Settings().m_format.m_colours[0] = {kBlue, true, false};
    gen.Settings().m_format.m_colours[1] = {kRed, true, false};
    gen.Settings().m_contents.m_options[kRptShowGraphics] = true;
    CRecordNode* subject = mum;
    gen.TakeSelectedRecords({&subject, 1});
    ASSERT_TRUE(gen.Build(*m_device, false));
    GenView view(gen);
    EXPECT_GT(PreviewPixelsOf(view, kBlue), 10) << "Dad's and Son's bullets";
    EXPECT_GT(PreviewPixelsOf(view, kRed), 10) << "Mum's and Girl's bullets";
    // Hollow females: their bullets are rings in the line colour.
    gen.Settings().m_format.m_colours[1].m_transparent = true;
    ASSERT_TRUE(gen.Build(*m_device, false));
    EXPECT_EQ(PreviewPixelsOf(view, kRed), 0);
    EXPECT_GT(PreviewPixelsOf(view, kBlue), 10);
    gen.Settings().m_contents.m_options[kRptShowGraphics] = false;
    ASSERT_TRUE(gen.Build(*m_device, false));
    EXPECT_EQ(PreviewPixelsOf(view, kBlue), 0);
}

} // namespace
} // namespace rpt_test
