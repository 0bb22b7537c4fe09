// tests/platform/ui/printing/print_printer_test.cpp: the printer settings and the virtual printer:
// its device capabilities in both orientations, settings that copy apart, the PDF a job writes, a
// failed job that leaves the old file, and a machine without printers.
#include "tests/platform/ui/printing/print_view_fixture.h"

#include "platform/ui/drawing/font.h"
#include "platform/ui/printing/print_dialog.h"
#include "platform/ui/printing/printer_settings.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <new>
#include <stdexcept>

namespace print_test {
namespace {

struct CapsCase {
    const char* name;
    int orientation;
    int index;
    int expected;
};

class VirtualPrinterCaps : public PrintTest, public testing::WithParamInterface<CapsCase> {};

TEST_P(VirtualPrinterCaps, AnswersTheA4SheetAt600DotsPerInch)
{
    CPrinterSettings settings;
    ASSERT_TRUE(settings.LoadDefaults());
    settings.SetOrientation(GetParam().orientation);
    CDC dc;
    ASSERT_TRUE(settings.CreatePrinterDC(dc));
    EXPECT_EQ(dc.GetDeviceCaps(GetParam().index), GetParam().expected);
}

constexpr int P = DMORIENT_PORTRAIT, L = DMORIENT_LANDSCAPE;
INSTANTIATE_TEST_SUITE_P(Caps, VirtualPrinterCaps,
                         testing::Values(CapsCase{"PortraitWidth", P, HORZRES, 4658},
                                         CapsCase{"PortraitHeight", P, VERTRES, 6717},
                                         CapsCase{"PortraitSheetWidth", P, PHYSICALWIDTH, 4958},
                                         CapsCase{"PortraitSheetHeight", P, PHYSICALHEIGHT, 7017},
                                         CapsCase{"OffsetX", P, PHYSICALOFFSETX, 150},
                                         CapsCase{"OffsetY", P, PHYSICALOFFSETY, 150},
                                         CapsCase{"DotsPerInchX", P, LOGPIXELSX, 600},
                                         CapsCase{"DotsPerInchY", L, LOGPIXELSY, 600},
                                         CapsCase{"PortraitMillimetres", P, HORZSIZE, 197},
                                         CapsCase{"LandscapeWidth", L, HORZRES, 6717},
                                         CapsCase{"LandscapeHeight", L, VERTRES, 4658},
                                         CapsCase{"LandscapeSheetWidth", L, PHYSICALWIDTH, 7017},
                                         CapsCase{"LandscapeMillimetres", L, VERTSIZE, 197}),
                         [](const testing::TestParamInfo<CapsCase>& info) {
                             return info.param.name;
                         });

TEST_F(PrintTest, SettingsAreEmptyUntilLoadedAndCopiesChangeApart)
{
    CPrinterSettings settings;
    CDC dc;
    EXPECT_FALSE(settings.IsLoaded());
    EXPECT_EQ(settings.GetOrientation(), 0);
    EXPECT_FALSE(settings.CreatePrinterDC(dc));
    settings.SetOrientation(DMORIENT_LANDSCAPE);
    EXPECT_FALSE(settings.IsLoaded());

    ASSERT_TRUE(settings.LoadDefaults());
    EXPECT_EQ(settings.GetOrientation(), DMORIENT_PORTRAIT);
    CPrinterSettings copy = settings;
    copy.SetOrientation(DMORIENT_LANDSCAPE);
    EXPECT_EQ(settings.GetOrientation(), DMORIENT_PORTRAIT);
    settings = copy;
    EXPECT_EQ(settings.GetOrientation(), DMORIENT_LANDSCAPE);
    EXPECT_TRUE(settings.LoadDefaults()) << "loading again keeps what was set";
    EXPECT_EQ(settings.GetOrientation(), DMORIENT_LANDSCAPE);
}

TEST_F(PrintTest, WithoutPrintersNothingLoadsMeasuresOrAsks)
{
    TestHooks::SetNoPrinter(true);
    CPrinterSettings settings;
    CDC dc;
    EXPECT_FALSE(CPrinterSettings::HasPrinter());
    EXPECT_FALSE(settings.LoadDefaults());
    EXPECT_FALSE(settings.CreatePrinterDC(dc));
    CPrintDialog setup(TRUE);
    EXPECT_EQ(m_app->DoPrintDialog(&setup), IDCANCEL); // no answer queued, and none asked for

    PagesView view;
    view.maxPage = 1;
    view.OnFilePrintPreview();
    EXPECT_THAT(view.TakeLog(), testing::ElementsAre("prepare printing"));
    EXPECT_EQ(TestHooks::RenderPreviewPage(view, 1).width, 0);
}

TEST_F(PrintTest, AMeasuringContextMeasuresTextButStartsNoJob)
{
    CPrinterSettings settings;
    ASSERT_TRUE(settings.LoadDefaults());
    const std::string pdf = m_folder + "/never.pdf";
    settings.SetOutputFile(pdf);
    CDC dc;
    ASSERT_TRUE(settings.CreatePrinterDC(dc));
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Arial", &dc));
    dc.SelectObject(&font);
    TEXTMETRIC metrics;
    ASSERT_TRUE(dc.GetTextMetrics(&metrics));
    // Ten points at 600 dots per inch are 83 pixels of character height.
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 83);
    dc.TextOut(0, 0, "nothing is drawn");
    dc.FillSolidRect(0, 0, 100, 100, RGB(0, 0, 0));
    EXPECT_FALSE(dc.IsPrinting());
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

/// The number of pages a PDF file says it has; -1 when it is no PDF.
int PdfPageCount(const std::string& path)
{
    const std::string bytes = test_support::ReadFile(path);
    if (!bytes.starts_with("%PDF"))
        return -1;
    const std::size_t count = bytes.rfind("/Count ");
    return count == std::string::npos ? -1 : std::stoi(bytes.substr(count + 7));
}

struct JobCase {
    const char* name;
    UINT fromPage, toPage;
    int pages;
};

class PdfJob : public PrintTest, public testing::WithParamInterface<JobCase> {};

TEST_P(PdfJob, WritesTheChosenPagesToTheFile)
{
    PagesView view;
    view.maxPage = 3;
    const std::string pdf = m_folder + "/job.pdf";
    TestHooks::AnswerPrintDialog(true, pdf, GetParam().fromPage, GetParam().toPage);
    view.OnFilePrint();
    EXPECT_EQ(PdfPageCount(pdf), GetParam().pages);
    EXPECT_FALSE(std::filesystem::exists(pdf + ".part"));
}

INSTANTIATE_TEST_SUITE_P(Jobs, PdfJob,
                         testing::Values(JobCase{"AllPages", 0, 0, 3},
                                         JobCase{"PagesTwoToThree", 2, 3, 2},
                                         JobCase{"PageOne", 1, 1, 1}),
                         [](const testing::TestParamInfo<JobCase>& info) {
                             return info.param.name;
                         });

TEST_F(PrintTest, AnAbandonedJobLeavesTheFileItWouldHaveReplaced)
{
    const std::string pdf = test_support::WriteFile(m_folder + "/kept.pdf", "the earlier copy");
    PagesView view;
    view.maxPage = 3;
    view.throwAt = 2;
    TestHooks::AnswerPrintDialog(true, pdf);
    view.OnFilePrint();
    EXPECT_EQ(view.log.back(), "end");
    EXPECT_EQ(test_support::ReadFile(pdf), "the earlier copy");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder), {}), 1);
}

TEST_F(PrintTest, AJobOutOfMemorySaysSoAndAFaultReachesTheCaller)
{
    const std::string pdf = test_support::WriteFile(m_folder + "/kept.pdf", "the earlier copy");
    PagesView view;
    view.maxPage = 3;
    view.throwAt = 2;
    view.raise = [] { throw std::bad_alloc(); };
    TestHooks::AnswerPrintDialog(true, pdf);
    test_support::Prompt().Answer(IDOK);
    view.OnFilePrint();
    const auto shown = test_support::Prompt().TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Memory error");

    view.raise = [] { throw std::logic_error("broken"); };
    TestHooks::AnswerPrintDialog(true, pdf);
    EXPECT_THROW(view.OnFilePrint(), std::logic_error);
    EXPECT_TRUE(test_support::Prompt().TakeMessages().empty());
    EXPECT_EQ(test_support::ReadFile(pdf), "the earlier copy");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder), {}), 1);
}

TEST_F(PrintTest, AJobThatDrawsNoPageWritesNoFile)
{
    PagesView view;
    view.maxPage = 3;
    view.stopInPrepareAt = 1;
    const std::string pdf = m_folder + "/empty.pdf";
    TestHooks::AnswerPrintDialog(true, pdf);
    view.OnFilePrint();
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(PrintTest, TheSetupDialogChangesTheApplicationsPrinterOnlyOnOk)
{
    CPrintDialog cancelled(TRUE);
    TestHooks::AnswerPrintSetup(false, DMORIENT_LANDSCAPE);
    EXPECT_EQ(m_app->DoPrintDialog(&cancelled), IDCANCEL);
    EXPECT_EQ(m_app->GetPrinterSettings().GetOrientation(), DMORIENT_PORTRAIT);

    CPrintDialog accepted(TRUE);
    TestHooks::AnswerPrintSetup(true, DMORIENT_LANDSCAPE);
    EXPECT_EQ(m_app->DoPrintDialog(&accepted), IDOK);
    EXPECT_EQ(m_app->GetPrinterSettings().GetOrientation(), DMORIENT_LANDSCAPE);
}

} // namespace
} // namespace print_test
