// tests/app/printer_setup_test.cpp: the program's printer: the orientation kept between
// callers, the page size in each orientation, measuring contexts, and Print Setup with and
// without a printer.
#include "tests/app/app_fixture.h"

#include "app/shell/printer_setup.h"
#include "app/shell/sub_view.h"

#include "database/nodes/change_hint.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/frames/doc_template.h"
#include "platform/ui/printing/printer_settings.h"

#include <gmock/gmock.h>

namespace app_test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

/// A pane that records the hints it is told of.
class HintPane : public CSubView {
public:
    const CRuntimeClass* GetRuntimeClass() const override { return RuntimeClassOf<HintPane>(); }
    void OnUpdate(CView* /*sender*/, LPARAM hint, CObject* /*object*/) override
    {
        hints.push_back(hint);
    }

    std::vector<LPARAM> hints;
};

class PrinterSetupTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        TestHooks::SetNoPrinter(false);
    }
    void TearDown() override
    {
        TestHooks::SetNoPrinter(false);
        AppTest::TearDown();
    }

    /// Starts the program with a window whose pane records notices.
    HintPane* StartWithHintPane()
    {
        if (!Start())
            return nullptr;
        CDocTemplate* docTemplate = Doc()->GetDocTemplate();
        m_app->SetSubViewRequest(RuntimeClassOf<HintPane>());
        CFrameWnd* frame = docTemplate->CreateNewFrame(Doc(), nullptr);
        docTemplate->InitialUpdateFrame(frame, Doc());
        m_app->SetSubViewRequest(nullptr);
        auto* view = dynamic_cast<CAvView*>(frame->GetActiveView());
        auto* pane = view ? dynamic_cast<HintPane*>(view->GetSubView()) : nullptr;
        if (pane)
            pane->hints.clear();
        return pane;
    }

    CPrinterSettings m_settings;
    CAppPrinter m_printer{m_settings};
};

struct LandscapeCase {
    const char* name;
    int loadAs; // -1: nothing loaded; else the landscape flag LoadPrinterDefaults is given
    int answer;
};

class IsPrinterLandscape : public PrinterSetupTest,
                           public testing::WithParamInterface<LandscapeCase> {};

TEST_P(IsPrinterLandscape, AnswersPortraitOnlyWhenTheSettingsSaySo)
{
    if (GetParam().loadAs >= 0)
        m_printer.LoadPrinterDefaults(GetParam().loadAs);
    int landscape = -1;
    m_printer.IsPrinterLandscape(&landscape);
    EXPECT_EQ(landscape, GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Orientations, IsPrinterLandscape,
                         testing::Values(LandscapeCase{"NoSettingsYet", -1, 1},
                                         LandscapeCase{"Portrait", 0, 0},
                                         LandscapeCase{"Landscape", 1, 1}),
                         [](const testing::TestParamInfo<LandscapeCase>& info) {
                             return info.param.name;
                         });

TEST_F(PrinterSetupTest, APageSizeAskedInLandscapeKeepsLandscapeForLaterJobs)
{
    int width = 0, height = 0;
    m_printer.GetPrinterPageSize(TRUE, &width, &height);
    EXPECT_EQ(width, 6717);
    EXPECT_EQ(height, 4658);
    EXPECT_EQ(m_settings.GetOrientation(), DMORIENT_LANDSCAPE);
    m_printer.GetPrinterPageSize(FALSE, &width, &height);
    EXPECT_EQ(width, 4658);
    EXPECT_EQ(height, 6717);
    CDC dc;
    ASSERT_TRUE(m_printer.CreatePrinterDC(dc, TRUE, FALSE));
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 6717);
}

TEST_F(PrinterSetupTest, WithoutAPrinterPageSizesAreZeroAndOnlyTheScreenMeasures)
{
    TestHooks::SetNoPrinter(true);
    int width = -1, height = -1;
    m_printer.GetPrinterPageSize(TRUE, &width, &height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    m_printer.MeasurePrinterPage();
    EXPECT_EQ(m_printer.GetPageWidth(), 0);
    EXPECT_FALSE(m_printer.HasPrinter());
    int landscape = -1;
    m_printer.IsPrinterLandscape(&landscape);
    EXPECT_EQ(landscape, 1);

    CDC dc;
    EXPECT_FALSE(m_printer.CreatePrinterDC(dc, FALSE, FALSE));
    EXPECT_FALSE(m_printer.CreatePrinterDC(dc, FALSE, TRUE)) << "no main window yet";
    ASSERT_TRUE(Start());
    EXPECT_TRUE(m_printer.CreatePrinterDC(dc, FALSE, TRUE));
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 96);
}

struct SetupCase {
    const char* name;
    bool ok;
    int pageWidth, pageHeight;
};

class PrintSetupCommand : public PrinterSetupTest, public testing::WithParamInterface<SetupCase> {};

TEST_P(PrintSetupCommand, MeasuresAgainAndTellsEveryWindowWhateverTheUserChose)
{
    HintPane* pane = StartWithHintPane();
    ASSERT_NE(pane, nullptr);
    CAppPrinter printer(m_app->GetPrinterSettings());
    printer.MeasurePrinterPage();
    TestHooks::AnswerPrintSetup(GetParam().ok, DMORIENT_LANDSCAPE);
    printer.OnFilePrintSetup();
    EXPECT_EQ(printer.GetPageWidth(), GetParam().pageWidth);
    EXPECT_EQ(printer.GetPageHeight(), GetParam().pageHeight);
    EXPECT_THAT(pane->hints, ElementsAre(kHintPrinterChanged));
    EXPECT_THAT(MessageTexts(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Answers, PrintSetupCommand,
                         testing::Values(SetupCase{"Landscape", true, 6717, 4658},
                                         SetupCase{"Cancelled", false, 4658, 6717}),
                         [](const testing::TestParamInfo<SetupCase>& info) {
                             return info.param.name;
                         });

TEST_F(PrinterSetupTest, PrintSetupWithoutAPrinterSaysSoAndChangesNothing)
{
    HintPane* pane = StartWithHintPane();
    ASSERT_NE(pane, nullptr);
    TestHooks::SetNoPrinter(true);
    CAppPrinter printer(m_app->GetPrinterSettings());
    TestHooks::AnswerMessageBox(IDOK);
    printer.OnFilePrintSetup();
    EXPECT_THAT(MessageTexts(), ElementsAre("No printer detected."));
    EXPECT_THAT(pane->hints, IsEmpty());
}

} // namespace
} // namespace app_test
