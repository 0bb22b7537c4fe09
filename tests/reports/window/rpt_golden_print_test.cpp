// tests/reports/window/rpt_golden_print_test.cpp: every golden report built on the virtual
// printer and printed: the PDF has the pages the report counted, which are the pages it is known
// to take, and page 1 of its preview, which shows some ink, is left as a picture to look at in
// "golden_pages" of the test's working folder (the build's test folder).
#include "app/shell/printer_setup.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/frames/view.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "reports/window/rpt_dc_canvas.h"
#include "reports/window/rpt_services.h"
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/reports/rpt_golden_cases.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

#include <filesystem>

namespace rpt_test {
namespace {

/// A view that prints the generator's pages.
class GoldenView : public CView {
public:
    explicit GoldenView(CRptGen& gen) : m_gen(gen) {}
    BOOL OnPreparePrinting(CPrintInfo* info) override
    {
        info->SetMaxPage(UINT(m_gen.GetPageCount()));
        return DoPreparePrinting(info);
    }
    void OnPrint(CDC* dc, CPrintInfo* info) override
    {
        CRptDcCanvas canvas(*dc);
        m_gen.SetupMapping(canvas);
        m_gen.PrintCurrentPage(canvas, int(info->m_nCurPage));
    }

private:
    CRptGen& m_gen;
};

class GoldenPrint : public gedcom_test::CGedcomTest,
                    public testing::WithParamInterface<GoldenCase> {
protected:
    void SetUp() override
    {
        CGedcomTest::SetUp();
        TestHooks::SetNoPrinter(false);
        m_app = std::make_unique<CWinApp>("Golden Report Print Test");
        ASSERT_TRUE(m_app->GetPrinterSettings().LoadDefaults());
        m_printer = std::make_unique<CAppPrinter>(m_app->GetPrinterSettings());
        m_device = std::make_unique<CRptPrinterDevice>(*m_printer);
        SetRptDevice(m_device.get());
    }
    void TearDown() override
    {
        SetRptDevice(nullptr);
        m_device.reset();
        m_printer.reset();
        m_app.reset();
        TestHooks::DeliverPosted();
        TestHooks::TakeMessages();
        CGedcomTest::TearDown();
    }

    std::unique_ptr<CWinApp> m_app;
    std::unique_ptr<CAppPrinter> m_printer;
    std::unique_ptr<CRptPrinterDevice> m_device;
};

TEST_P(GoldenPrint, ThePdfHasTheKnownPagesAndPageOneIsLeftAsAPicture)
{
    const GoldenCase& c = GetParam();
    ASSERT_TRUE(Load(test_support::DataPath(std::string("gedcom/") + c.gedcom), true));
    const GoldenReport report = MakeGoldenReport(c);
    ASSERT_NE(report.gen, nullptr);
    CRptGen& gen = *report.gen;
    ASSERT_TRUE(gen.Build(false));
    EXPECT_EQ(gen.GetPageCount(), c.pages) << c.file;

    const std::string pdf = test_support::NewFolder("golden_print") + "/" + c.file + ".pdf";
    TestHooks::AnswerPrintDialog(true, pdf);
    GoldenView view(gen);
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
