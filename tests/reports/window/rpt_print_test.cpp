// tests/reports/window/rpt_print_test.cpp: report pages printed to the virtual printer and shown
// in print preview through the canvas over a device context.
#include "tests/reports/fake_rpt_canvas.h"

#include "platform/base/text.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/frames/view.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "reports/window/rpt_dc_canvas.h"
#include "tests/support/pdf_text.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

#include <cstring>

namespace rpt_test {
namespace {

using testing::HasSubstr;

/// A view that prints the pages of a report laid out on the application's printer.
class ReportView : public CView {
public:
    ReportView(RptPageSettings settings, ScriptBody body)
        : layout(std::move(settings)), m_body(std::move(body))
    {
    }

    /// Lays the report out for the application's printer.
    RptBuildResult Build(CWinApp& app)
    {
        CDC dc;
        if (!app.GetPrinterSettings().CreatePrinterDC(dc))
            return RptBuildResult::Failed;
        CRptDcCanvas canvas(dc);
        return layout.Build(m_body, canvas, "Test Report", "9 Dec 2026");
    }

    BOOL OnPreparePrinting(CPrintInfo* info) override
    {
        info->SetMaxPage(UINT(layout.GetPageCount()));
        return DoPreparePrinting(info);
    }
    void OnPrint(CDC* dc, CPrintInfo* info) override
    {
        CRptDcCanvas canvas(*dc);
        canvas.SetupMapping(layout.Metrics().pageWidth, layout.Metrics().pageHeight);
        layout.PrintPage(m_body, canvas, int(info->m_nCurPage) - 1);
    }

    CRptPageLayout layout;

private:
    ScriptBody m_body;
};

RptPageSettings SansSettings()
{
    RptPageSettings settings;
    LOGFONT font;
    font.lfHeight = 11;
    std::strcpy(font.lfFaceName, "Liberation Sans");
    settings.fonts.fill(font);
    settings.headerFonts.fill(font);
    settings.footerFonts.fill(font);
    return settings;
}

ScriptBody FourEntries()
{
    ScriptBody body;
    for (const char* name : {"First", "Second", "Third", "Fourth"})
        body.entries.push_back(
            {name, [name](CRptPageLayout& layout, CRptFontSet& ctx) {
                 layout.EmitHeading(ctx, 0, name);
                 const RptRun runs[] = {{"Born:", 1, ""}, {"1 March 1850 in Leeds", 2, ""}};
                 return layout.EmitRuns(ctx, 1, runs);
             }});
    return body;
}

class ReportPrint : public testing::Test {
protected:
    void SetUp() override
    {
        TestHooks::SetNoPrinter(false);
        m_app = std::make_unique<CWinApp>("Report Print Test");
        ASSERT_TRUE(m_app->GetPrinterSettings().LoadDefaults());
        m_folder = test_support::NewFolder("report_print");
    }
    void TearDown() override
    {
        m_app.reset();
        TestHooks::DeliverPosted();
        TestHooks::TakeMessages();
    }

    std::unique_ptr<CWinApp> m_app;
    std::string m_folder;
};

TEST_F(ReportPrint, EveryPageIsPrintedWithItsHeaderAndFooter)
{
    RptPageSettings settings = SansSettings();
    settings.entryStartsPage = true;
    settings.headerTexts = {"Page =Page()", "=Title()", ""};
    settings.footerTexts = {"=Record()", "", "Printed =Date()"};
    settings.headerLine = true;
    settings.headerLineDepth = 100;
    ReportView view(settings, FourEntries());
    ASSERT_EQ(view.Build(*m_app), RptBuildResult::Done);
    ASSERT_EQ(view.layout.GetPageCount(), 4);

    const std::string pdf = m_folder + "/report.pdf";
    TestHooks::AnswerPrintDialog(true, pdf);
    view.OnFilePrint();
    EXPECT_EQ(test_support::ReadPdfInfo(pdf).pages, 4);
    std::string error;
    const auto pages = test_support::PdfPageLines(pdf, error);
    ASSERT_EQ(error, "");
    ASSERT_EQ(pages.size(), 4u);
    const std::string third = testing::PrintToString(pages[2]);
    EXPECT_THAT(third, HasSubstr("Page 3"));
    EXPECT_THAT(third, HasSubstr("Test Report"));
    EXPECT_THAT(third, HasSubstr("Third"));
    EXPECT_THAT(third, HasSubstr("Printed 9 Dec 2026"));
    EXPECT_THAT(third, HasSubstr("1 March 1850 in Leeds"));
    EXPECT_THAT(third, testing::Not(HasSubstr("Second")));
}

/// The dark pixels of page 1's preview inside and outside the content rectangle.
std::pair<int, int> PreviewInk(ReportView& view)
{
    const TestHooks::Image page = TestHooks::RenderPreviewPage(view, 1);
    // The preview shows the sheet at 100 dots to the inch: 7.2 logical units to a pixel.
    const CRect content = view.layout.GetContentRect(0);
    const CRect inside(content.left * 10 / 72, content.top * 10 / 72,
                       (content.right * 10 + 71) / 72, (content.bottom * 10 + 71) / 72);
    int in = 0, out = 0;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x) {
            if (GetRValue(page.Pixel(x, y)) >= 128)
                continue;
            (inside.PtInRect(CPoint(x, y)) ? in : out) += 1;
        }
    return {in, out};
}

TEST_F(ReportPrint, APreviewPageHasTextInItsContentRectangleOnly)
{
    ReportView view(SansSettings(), FourEntries());
    ASSERT_EQ(view.Build(*m_app), RptBuildResult::Done);
    const auto [in, out] = PreviewInk(view);
    EXPECT_GT(in, 100);
    EXPECT_EQ(out, 0);

    RptPageSettings settings = SansSettings();
    settings.headerTexts[1] = "=Title()";
    ReportView headed(settings, FourEntries());
    ASSERT_EQ(headed.Build(*m_app), RptBuildResult::Done);
    EXPECT_GT(PreviewInk(headed).second, 100) << "the header stands above the content";
}

} // namespace
} // namespace rpt_test
