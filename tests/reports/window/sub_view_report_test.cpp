// tests/reports/window/sub_view_report_test.cpp: the Report window over an Individual Summary of
// a few people: paging through the form, zoom, facing pages, Go To Page, the records of a page,
// its picture, printing to the virtual printer, saving and Copy Page.
#include "reports/window/go_to_page_dlg.h"
#include "reports/window/rpt_save_to_file_dlg.h"
#include "reports/window/rpt_window_ids.h"
#include "reports/window/sub_view_report.h"

#include "app/shell/printer_setup.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/change_hint.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/dialogs/spin_button_ctrl.h"
#include "platform/ui/frames/view.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/clipboard.h"
#include "platform/ui/windows/subclass_wnd.h"
#include "platform/ui/windows/test_hooks.h"
#include "reports/rpt_gen.h"
#include "reports/rpt_gen_make.h"
#include "reports/rpt_sink.h"
#include "reports/window/rpt_services.h"
#include "tests/database/records/record_test_support.h"
#include "tests/reports/window/report_window_fixture.h"
#include "tests/support/pdf_text.h"
#include "tests/support/test_support.h"
#include "tests/support/window_test.h"

#include <gmock/gmock.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace {

using testing::HasSubstr;

/// A view that prints through the report window's hooks, as the program's view does.
class HookView : public CView {
public:
    explicit HookView(CSubViewReport& window) : m_window(window) {}
    BOOL OnPreparePrinting(CPrintInfo* info) override
    {
        return m_window.PreparePrinting(info) && DoPreparePrinting(info);
    }
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override { m_window.OnBeginPrinting(dc, info); }
    void OnPrepareDC(CDC* dc, CPrintInfo* info) override
    {
        CView::OnPrepareDC(dc, info);
        m_window.OnPrepareDC(dc, info);
    }
    void OnPrint(CDC* dc, CPrintInfo* info) override { m_window.OnPrint(dc, info); }
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override { m_window.OnEndPrinting(dc, info); }
    void OnDraw(CDC*) override {}

private:
    CSubViewReport& m_window;
};

class ReportWindowTest : public rpt_window_test::ReportWindowFixture {
protected:
    /// An Individual Summary of count people, one a page; the first page numbered firstPage.
    void ShowSummary(int count, int firstPage = 1)
    {
        std::vector<CRecordNode*> people;
        for (int i = 0; i < count; ++i)
            people.push_back(
                NewIndividual(SEX_FEMALE, text::Format("Person%d /Family%d/", i + 1, i + 1)));
        NotifyChanges();
        RptGenRequest request;
        request.type = kRptTypeInd;
        request.name = "Individual Summary Report";
        std::unique_ptr<CRptGen> report = RptMakeGenerator(request);
        ASSERT_NE(report, nullptr);
        report->Settings().m_layout.m_startingPage = firstPage;
        report->TakeSelectedRecords(people);
        m_window->SetReport(std::move(report), *m_device);
        ASSERT_EQ(m_window->GetReport()->GetPageCount(), count);
    }
    std::string FormText(int id) const
    {
        std::string text;
        if (const CWnd* item = m_window->GetForm().GetDlgItem(id))
            item->GetWindowText(text);
        return text;
    }
    std::pair<int, int> Shown() const
    {
        int left = -1, right = -1;
        m_window->GetSpreadPages(m_window->GetCurrentPage(), left, right);
        return {left, right};
    }
};

TEST_F(ReportWindowTest, TheFormPagesThroughTheReport)
{
    EXPECT_EQ(FormText(IDC_RPT_PAGE), "none");
    EXPECT_EQ(FormText(IDC_RPT_TOTAL), "0");
    ShowSummary(3);
    std::string title;
    m_window->GetTitle(title);
    EXPECT_EQ(title, "Individual Summary Report");
    EXPECT_EQ(FormText(IDC_RPT_PAGE_CAPTION), "Page:");
    EXPECT_EQ(FormText(IDC_RPT_PAGE), "1");
    EXPECT_EQ(FormText(IDC_RPT_TOTAL), "3");
    EXPECT_EQ(FormText(IDC_RPT_RECORDS), "Records...");
    ASSERT_EQ(m_window->GetForm().GetListedRecords().size(), 1u);

    const int steps = m_window->GetStepsPerPage();
    TestHooks::ScrollBarAction(*m_window->GetForm().GetDlgItem(IDC_RPT_SCROLL), SB_CTL,
                               SB_THUMBTRACK, 2 * steps);
    EXPECT_EQ(Shown(), std::make_pair(2, -1));
    EXPECT_EQ(FormText(IDC_RPT_PAGE), "3");
    ASSERT_EQ(m_window->GetForm().GetListedRecords().size(), 1u);
    std::string text;
    m_window->GetForm().GetListedRecords()[0]->GetText(text, 0);
    EXPECT_THAT(text, HasSubstr("Person3"));
    EXPECT_EQ(m_window->GetSelection(nullptr, nullptr),
              static_cast<CObject*>(m_window->GetForm().GetListedRecords()[0]));

    // Going to a page by its number; numbers outside the report change nothing.
    m_window->GoToPageNumber(1, true);
    EXPECT_EQ(Shown().first, 0);
    m_window->GoToPageNumber(4, true);
    EXPECT_EQ(Shown().first, 0);
}

TEST_F(ReportWindowTest, ZoomBoxAndButtons)
{
    ShowSummary(2);
    CRptControlForm& form = m_window->GetForm();
    for (const auto& [typed, percent] : {std::pair{"1000", 500}, std::pair{"3", 5}}) {
        form.ApplyZoomText(typed);
        EXPECT_EQ(m_window->GetZoomMode(), kRptZoomPercent);
        EXPECT_EQ(m_window->GetZoomPercent(), percent) << typed;
        EXPECT_EQ(FormText(IDC_RPT_ZOOM), text::Format("%d%%", percent));
    }
    form.ApplyZoomText("abc");
    EXPECT_EQ(m_window->GetZoomPercent(), 5);
    form.ApplyZoomText("95");
    TestHooks::Click(form, IDC_RPT_ZOOM_IN);
    EXPECT_EQ(m_window->GetZoomPercent(), 100);
    TestHooks::Click(form, IDC_RPT_ZOOM_OUT);
    EXPECT_EQ(m_window->GetZoomPercent(), 90);
    EXPECT_TRUE(m_window->SetZoom(kRptZoomWholePage));
    EXPECT_FALSE(m_window->SetZoom(kRptZoomWholePage));
    EXPECT_EQ(m_window->GetStepsPerPage(), 1) << "a whole page fits one screen";
    m_window->SendMessage(WM_COMMAND, ID_RPT_PAGE_WIDTH, 0);
    EXPECT_EQ(m_window->GetZoomMode(), kRptZoomPageWidth);
    EXPECT_GT(m_window->GetStepsPerPage(), 1) << "a page as wide as the canvas is taller";
}

TEST_F(ReportWindowTest, TwoPagesWithAPaddedFirstSpread)
{
    ShowSummary(5, 2);
    m_window->SetZoom(kRptZoomWholePage);
    m_window->GoToPageNumber(3, true);
    ASSERT_EQ(Shown(), std::make_pair(1, -1));
    TestHooks::Click(m_window->GetForm(), IDC_RPT_TWO_PAGES);
    ASSERT_TRUE(m_window->IsFacingPages());
    EXPECT_EQ(FormText(IDC_RPT_PAGE_CAPTION), "Pages:");
    EXPECT_EQ(FormText(IDC_RPT_PAGE), "3-4");
    std::vector<std::pair<int, int>> spreads;
    for (int p = 0; p < m_window->GetPageSlotCount(); p += m_window->GetStepsPerPage()) {
        int left = -1, right = -1;
        m_window->GetSpreadPages(p, left, right);
        spreads.emplace_back(left, right);
    }
    EXPECT_EQ(spreads, (std::vector<std::pair<int, int>>{{-1, 0}, {1, 2}, {3, 4}}));
    TestHooks::Click(m_window->GetForm(), IDC_RPT_TWO_PAGES);
    EXPECT_FALSE(m_window->IsFacingPages());
    EXPECT_EQ(Shown(), std::make_pair(1, -1)) << "back on the same page";
}

TEST_F(ReportWindowTest, GoToPageChecksTheNumber)
{
    ShowSummary(3, 5);
    int opened = 0;
    test_support::Prompt().Answer(IDOK);
    TestHooks::OnNextDialog(IDD_GO_TO_PAGE, [&](CDialog& dialog) {
        ++opened;
        TestHooks::SetText(dialog, IDC_GO_NUMBER, "8");
        TestHooks::Click(dialog, IDOK);
        auto shown = test_support::Prompt().TakeMessages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text,
                  "If selecting page by page number, please enter a value between 5 and 7.  If "
                  "selecting page by its sequence number, please enter a value between 1 and 3");
        // Enter in the number's box presses OK.
        TestHooks::SetText(dialog, IDC_GO_NUMBER, "7");
        TestHooks::PostKey(*dialog.GetDlgItem(IDC_GO_NUMBER), VK_RETURN, 0);
        TestHooks::DeliverPosted();
    });
    m_window->SendMessage(WM_COMMAND, ID_RPT_GO_TO_PAGE, 0);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(Shown().first, 2);
}

TEST_F(ReportWindowTest, TheCanvasShowsAFramedShadowedPage)
{
    ShowSummary(1);
    m_window->SetZoom(kRptZoomWholePage);
    const TestHooks::Image image = TestHooks::RenderWindow(m_window->GetPageWnd());
    const CRect page = m_window->GetPageWnd().GetLeftPage();
    ASSERT_FALSE(page.IsRectEmpty());
    EXPECT_EQ(image.Pixel(page.left + 5, page.top + 5), RGB(255, 255, 255)) << "the paper";
    EXPECT_NE(image.Pixel(page.left - 1, page.CenterPoint().y), RGB(255, 255, 255)) << "frame";
    EXPECT_NE(image.Pixel(page.right + 3, page.CenterPoint().y), image.Pixel(2, 2)) << "shadow";
    int dark = 0;
    for (int y = page.top; y < page.top + page.Height() / 3; ++y)
        for (int x = page.left; x < page.right; ++x)
            dark += image.Pixel(x, y) != RGB(255, 255, 255);
    EXPECT_GT(dark, 20) << "the page's text is drawn";
}

TEST_F(ReportWindowTest, PrintsEveryPageToTheVirtualPrinter)
{
    ShowSummary(3);
    HookView view(*m_window);
    const std::string pdf = test_support::NewFolder("report_window") + "/report.pdf";
    TestHooks::AnswerPrintDialog(true, pdf);
    view.OnFilePrint();
    ASSERT_TRUE(std::filesystem::exists(pdf));
    std::string error;
    EXPECT_EQ(test_support::PdfPageLines(pdf, error).size(), 3u) << error;
}

TEST_F(ReportWindowTest, SavingRefusesAChangedReportAndWritesTheExport)
{
    ShowSummary(2);
    const std::string folder = test_support::NewFolder("report_save");
    const std::string path = folder + "/summary.txt";
    TestHooks::AnswerFilePicker({path});
    m_window->SendMessage(WM_COMMAND, ID_RPT_SAVE_TEXT, 0);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_TRUE(test_support::Prompt().TakeShellOpens().empty());
    const std::string html = folder + "/summary.htm";
    TestHooks::AnswerFilePicker({html}, [](CFileDialog& picker) {
        TestHooks::Click(*picker.GetPanel(), IDC_RPT_VIEW_FILE);
    });
    m_window->SendMessage(WM_COMMAND, ID_RPT_SAVE_HTML, 0);
    EXPECT_EQ(test_support::Prompt().TakeShellOpens(), std::vector<std::string>{html})
        << "the new file shown through the desktop";
    const std::string expected = folder + "/direct.txt";
    ASSERT_TRUE(m_window->GetReport()->Export(expected, kRptText));
    EXPECT_EQ(test_support::ReadFile(path), test_support::ReadFile(expected));

    m_window->OnUpdate(nullptr, kHintRecordsEdited, nullptr);
    test_support::Prompt().Answer(IDOK);
    m_window->SendMessage(WM_COMMAND, ID_RPT_SAVE_HTML, 0);
    auto shown = test_support::Prompt().TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_THAT(shown[0].text, HasSubstr("You must rebuild the report before saving it"));
}

TEST_F(ReportWindowTest, CopyPagePutsAPictureOfThePageOnTheClipboard)
{
    ShowSummary(1);
    m_window->SendMessage(WM_COMMAND, ID_RPT_COPY_PAGE, 0);
    int width = 0, height = 0;
    ASSERT_TRUE(GetClipboardPictureSize(width, height));
    const RptPageMetrics& metrics = m_window->GetReport()->GetLayout()->Metrics();
    EXPECT_EQ(width, metrics.pageWidth * 96 / 720) << "the page at 96 dots per inch";
    EXPECT_EQ(height, metrics.pageHeight * 96 / 720);
}

TEST_F(ReportWindowTest, AnEmptyReportIsRefused)
{
    RptGenRequest request;
    request.type = kRptTypeInd;
    request.name = "Individual Summary Report";
    m_window->SetReport(RptMakeGenerator(request), *m_device);
    test_support::Prompt().Answer(IDOK);
    test_support::Prompt().Answer(IDOK);
    TestHooks::Click(m_window->GetForm(), IDC_RPT_REBUILD);
    m_window->SendMessage(WM_COMMAND, ID_RPT_COPY_PAGE, 0);
    auto shown = test_support::Prompt().TakeMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_THAT(shown[0].text, HasSubstr("The current report is empty."));
}

TEST_F(ReportWindowTest, AShortFormHidesCloseFirst)
{
    CRptControlForm& form = m_window->GetForm();
    CRect close, save;
    form.GetDlgItem(IDC_RPT_CLOSE)->GetWindowRect(&close);
    form.GetDlgItem(IDC_RPT_SAVE)->GetWindowRect(&save);
    form.ScreenToClient(&close);
    form.ScreenToClient(&save);
    form.LayoutButtons(close.bottom - 1);
    EXPECT_FALSE(form.GetDlgItem(IDC_RPT_CLOSE)->IsWindowVisible());
    EXPECT_TRUE(form.GetDlgItem(IDC_RPT_SAVE)->IsWindowVisible());
    form.LayoutButtons(save.bottom - 1);
    EXPECT_FALSE(form.GetDlgItem(IDC_RPT_SAVE)->IsWindowVisible());
    form.LayoutButtons(close.bottom + 10);
    EXPECT_TRUE(form.GetDlgItem(IDC_RPT_CLOSE)->IsWindowVisible());
}

TEST_F(ReportWindowTest, PrintSetupToLandscapeRebuildsTheReport)
{
    ShowSummary(2);
    const RptPageMetrics portrait = m_window->GetReport()->GetLayout()->Metrics();
    ASSERT_LT(portrait.pageWidth, portrait.pageHeight);
    TestHooks::AnswerPrintSetup(true, DMORIENT_LANDSCAPE);
    TestHooks::Click(m_window->GetForm(), IDC_RPT_SETUP);
    EXPECT_TRUE(m_window->GetReport()->Settings().m_layout.m_landscape);
    // Without the application the window rebuilds itself.
    const RptPageMetrics landscape = m_window->GetReport()->GetLayout()->Metrics();
    EXPECT_GT(landscape.pageWidth, landscape.pageHeight);
}

TEST_F(ReportWindowTest, PreviewPagesShowMirroredHeaders)
{
    ShowSummary(2);
    CRptLayout& layout = m_window->GetReport()->Settings().m_layout;
    layout.m_mirrorPages = true;
    layout.m_headerTexts = {"LEFTMARK", "", ""};
    m_window->Rebuild(false);
    HookView view(*m_window);
    const auto inkColumns = [&](int page) {
        const TestHooks::Image image = TestHooks::RenderPreviewPage(view, page);
        int leftInk = 0, rightInk = 0;
        // The header band: the top inch of the sheet.
        for (int y = 0; y < std::min(image.height, 100); ++y)
            for (int x = 0; x < image.width; ++x)
                if (GetRValue(image.Pixel(x, y)) < 128)
                    (x < image.width / 3 ? leftInk : x > image.width * 2 / 3 ? rightInk : x) += 1;
        return std::pair{leftInk, rightInk};
    };
    const auto [left1, right1] = inkColumns(1);
    const auto [left2, right2] = inkColumns(2);
    EXPECT_GT(left1, right1) << "page 1: the left text on the left";
    EXPECT_GT(right2, left2) << "page 2: mirrored to the right";
}

TEST_F(ReportWindowTest, SavingIntoAFolderThatCannotBeWrittenSaysSo)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into any folder";
    ShowSummary(1);
    const std::string folder = test_support::NewFolder("report_readonly");
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_exec);
    const std::string path = folder + "/summary.htm";
    TestHooks::AnswerFilePicker({path});
    test_support::Prompt().Answer(IDOK);
    m_window->SendMessage(WM_COMMAND, ID_RPT_SAVE_HTML, 0);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    const auto shown = test_support::Prompt().TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_THAT(shown[0].text, HasSubstr(path));
    EXPECT_TRUE(std::filesystem::is_empty(folder)) << "nothing half written";
}

/// Passes every change notice to the window, as the application does.
class WindowObserver final : public IDataObserver {
public:
    void OnDataChanged(CObject*, LPARAM hint, CObject* object, bool) override
    {
        if (window)
            window->OnUpdate(nullptr, hint, object);
    }
    CSubViewReport* window = nullptr;
};

TEST_F(ReportWindowTest, ARecordDeletedWhileItsPageShowsLeavesTheList)
{
    ShowSummary(2);
    WindowObserver observer;
    observer.window = m_window.get();
    SetDataObserver(&observer);
    ASSERT_EQ(m_window->GetForm().GetListedRecords().size(), 1u);
    CRecordNode* shown = m_window->GetForm().GetListedRecords()[0];
    CDataNode::DeleteNode(shown);
    NotifyChanges();
    EXPECT_TRUE(m_window->GetForm().GetListedRecords().empty());
    EXPECT_TRUE(m_window->IsDataChanged());
    EXPECT_EQ(m_window->GetReport()->Entries()[0]->GetRecord(), nullptr);
    TestHooks::RenderWindow(*m_window);
    m_window->Rebuild(false);
    EXPECT_EQ(m_window->GetReport()->GetPageCount(), 1);
    SetDataObserver(nullptr);
}

TEST_F(ReportWindowTest, APrinterChangeRebuildsTheReportWhenItsPageChanged)
{
    ShowSummary(3);
    CRptGen& report = *m_window->GetReport();
    const CRptPageLayout* built = report.GetLayout();
    BroadcastPrinterChange();
    EXPECT_EQ(report.GetLayout(), built) << "the same page: the pages stand";
    // No printer at all: nothing can be laid out.
    TestHooks::SetNoPrinter(true);
    BroadcastPrinterChange();
    EXPECT_NE(report.GetLayout(), built);
    EXPECT_EQ(report.GetPageCount(), 0);
    EXPECT_EQ(FormText(IDC_RPT_TOTAL), "0");
    TestHooks::SetNoPrinter(false);
    BroadcastPrinterChange();
    EXPECT_EQ(report.GetPageCount(), 3);
    EXPECT_EQ(FormText(IDC_RPT_TOTAL), "3");
}

TEST_F(ReportWindowTest, TheRecordsOfThePageAreAColumnListHiddenForAListReport)
{
    ShowSummary(2);
    CColBox& list = m_window->GetForm().GetRecordsList();
    ASSERT_TRUE(list.GetSafeHwnd());
    EXPECT_TRUE(list.IsWindowVisible());
    ASSERT_EQ(list.GetBox().GetCount(), 1u);
    CTreeBoxNode* row = list.GetBox().GetItemByIndex(0);
    EXPECT_THAT(list.GetTabField(row, 0), HasSubstr("Person1"));
    EXPECT_EQ(list.GetSelectedRow(), row) << "the first record is selected";
    EXPECT_EQ(m_window->GetSelection(nullptr, nullptr),
              static_cast<CObject*>(m_window->GetForm().GetListedRecords()[0]));

    RptGenRequest request;
    request.type = kRptTypeList;
    request.name = "Test List Report";
    request.listName = "Test List";
    std::unique_ptr<CRptGen> report = RptMakeGenerator(request);
    ASSERT_NE(report, nullptr);
    m_window->SetReport(std::move(report), *m_device);
    EXPECT_EQ(FormText(IDC_RPT_RECORDS), "List...");
    EXPECT_FALSE(list.IsWindowVisible());
    EXPECT_EQ(list.GetBox().GetCount(), 0u);
    EXPECT_EQ(m_window->GetSelection(nullptr, nullptr), nullptr);
}

TEST_F(ReportWindowTest, TheSpinnerStepsAWholePageAtATime)
{
    ShowSummary(3);
    auto* spin = dynamic_cast<CSpinButtonCtrl*>(m_window->GetForm().GetDlgItem(IDC_RPT_SPIN));
    ASSERT_NE(spin, nullptr);
    int lower = -1, upper = -1;
    spin->GetRange32(lower, upper);
    EXPECT_EQ(std::make_pair(lower, upper), std::make_pair(0, 2));
    struct Step {
        int screen;
        int page;
        const char* label;
    };
    for (const Step& step :
         {Step{1, 1, "2"}, Step{2, 2, "3"}, Step{3, 2, "3"}, Step{0, 0, "1"}, Step{-1, 0, "1"}}) {
        m_window->GetForm().SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, step.screen), 0);
        EXPECT_EQ(Shown().first, step.page) << step.screen;
        EXPECT_EQ(FormText(IDC_RPT_PAGE), step.label) << step.screen;
        EXPECT_EQ(spin->GetPos(), step.page) << step.screen;
    }
}

TEST_F(ReportWindowTest, OnlyAReportWithoutPagesGreysTheSpinner)
{
    ShowSummary(1);
    CWnd* spin = m_window->GetForm().GetDlgItem(IDC_RPT_SPIN);
    ASSERT_NE(spin, nullptr);
    ASSERT_EQ(FormText(IDC_RPT_TOTAL), "1");
    EXPECT_TRUE(spin->IsWindowEnabled());
}

TEST_F(ReportWindowTest, ATextFileTakesThePageWidthGiven)
{
    ShowSummary(1);
    const std::string folder = test_support::NewFolder("report_width");
    const std::string narrow = folder + "/narrow.txt";
    bool htmlWidthEnabled = true;
    TestHooks::AnswerFilePicker({folder + "/summary.htm"}, [&](CFileDialog& picker) {
        htmlWidthEnabled = picker.GetPanel()->GetDlgItem(IDC_RPT_PAGE_WIDTH)->IsWindowEnabled();
    });
    m_window->SendMessage(WM_COMMAND, ID_RPT_SAVE_HTML, 0);
    EXPECT_FALSE(htmlWidthEnabled) << "only text files have a page width";
    std::string shown;
    TestHooks::AnswerFilePicker({narrow}, [&](CFileDialog& picker) {
        picker.GetPanel()->GetDlgItem(IDC_RPT_PAGE_WIDTH)->GetWindowText(shown);
        TestHooks::SetText(*picker.GetPanel(), IDC_RPT_PAGE_WIDTH, "40");
    });
    m_window->SendMessage(WM_COMMAND, ID_RPT_SAVE_TEXT, 0);
    EXPECT_EQ(shown, "80");
    const std::string wide = folder + "/wide.txt";
    ASSERT_TRUE(m_window->GetReport()->Export(wide, kRptText));
    const auto ruleLengths = [](const std::string& text) {
        std::vector<std::size_t> lengths;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            const std::string bare(text::TrimView(line));
            if (!bare.empty() && bare.find_first_not_of("_-") == std::string::npos)
                lengths.push_back(bare.size());
        }
        return lengths;
    };
    const auto narrowRules = ruleLengths(test_support::ReadFile(narrow));
    ASSERT_FALSE(narrowRules.empty());
    EXPECT_EQ(narrowRules, std::vector<std::size_t>(narrowRules.size(), 40u));
    EXPECT_EQ(ruleLengths(test_support::ReadFile(wide)),
              std::vector<std::size_t>(narrowRules.size(), 80u));
}

} // namespace
