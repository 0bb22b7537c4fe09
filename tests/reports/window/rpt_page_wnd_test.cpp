// tests/reports/window/rpt_page_wnd_test.cpp: the page canvas's scroll bars at every zoom, in
// both orientations, with one page or two, at many window sizes: they settle, and every part of
// the pages can be scrolled to. A report that cannot be built or drawn still opens, and a long
// build shows its progress and stops on Escape.
#include "reports/window/rpt_page_wnd.h"
#include "reports/window/rpt_window_ids.h"
#include "reports/window/sub_view_report.h"

#include "platform/base/clock.h"
#include "platform/base/progress.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/windows/sys_metrics.h"
#include "platform/ui/windows/test_hooks.h"
#include "reports/rpt_emitter.h"
#include "reports/rpt_gen.h"
#include "reports/rpt_gen_body.h"
#include "reports/rpt_gen_make.h"
#include "tests/reports/window/report_window_fixture.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class ReportCanvasTest : public rpt_window_test::ReportWindowFixture {
protected:
    void ShowSummary(int count, bool landscape)
    {
        std::vector<CRecordNode*> people;
        for (int i = 0; i < count; ++i)
            people.push_back(NewIndividual(SEX_MALE, text::Format("Man%d /Line%d/", i, i)));
        NotifyChanges();
        RptGenRequest request;
        request.type = kRptTypeInd;
        request.name = "Individual Summary Report";
        std::unique_ptr<CRptGen> report = RptMakeGenerator(request);
        ASSERT_NE(report, nullptr);
        report->Settings().m_layout.m_landscape = landscape;
        report->TakeSelectedRecords(people);
        m_window->SetReport(std::move(report), *m_device);
        ASSERT_EQ(m_window->GetReport()->GetPageCount(), count);
    }
    void Resize(int width, int height)
    {
        CRect host;
        m_host.GetWindowRect(&host);
        if (host.Width() < width || host.Height() < height)
            m_host.MoveWindow(0, 0, std::max(width, 1600), std::max(height, 1600), TRUE);
        m_window->MoveWindow(0, 0, width, height, TRUE);
    }
    /// Sizes the window so that the canvas beside the form is width by height.
    void SizeCanvas(int width, int height)
    {
        CRect window, form;
        m_window->GetWindowRect(&window);
        m_window->GetForm().GetWindowRect(&form);
        Resize(width + form.Width(), height);
    }
    /// What the canvas shows must be reachable: a bar for each direction the pages pass the
    /// client area, with a range that holds them; pages at page width never run under the bar.
    void ExpectReachable(const std::string& where)
    {
        CRptPageWnd& canvas = m_window->GetPageWnd();
        CRect client;
        canvas.GetClientRect(&client);
        const CRect& extent = canvas.GetExtent();
        const DWORD style = canvas.GetStyle();
        SCROLLINFO info{};
        if (extent.Height() > client.Height()) {
            ASSERT_TRUE(style & WS_VSCROLL) << where;
            ASSERT_TRUE(canvas.GetScrollInfo(SB_VERT, &info, SIF_ALL)) << where;
            EXPECT_GE(info.nMax + 1, extent.Height()) << where;
            EXPECT_EQ(int(info.nPage), client.Height()) << where;
        }
        if (m_window->GetZoomMode() != kRptZoomPercent) {
            EXPECT_LE(extent.Width(), client.Width()) << where << ": wider than the window";
        } else if (extent.Width() > client.Width()) {
            ASSERT_TRUE(style & WS_HSCROLL) << where;
        }
        if (m_window->GetZoomMode() == kRptZoomWholePage) {
            EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL)) << where;
        }
        EXPECT_GE(m_window->GetStepsPerPage(), 1) << where;
        EXPECT_LT(m_window->GetCurrentPage(), m_window->GetPageSlotCount()) << where;
    }
};

TEST_F(ReportCanvasTest, ScrollBarsSettleAtEveryZoomAndSize)
{
    struct Zoom {
        int mode;
        int percent;
    };
    // The sizes tried are those around the pages' own size, seen in a window large enough for
    // them, down to a bar's width less: where a bar shown narrows the pages just enough for
    // them to fit without it.
    const int bar = std::max(GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
    for (const bool landscape : {false, true}) {
        ShowSummary(3, landscape);
        for (const bool facing : {false, true}) {
            m_window->SetFacingPages(facing);
            for (const Zoom zoom : {Zoom{kRptZoomPageWidth, 100}, Zoom{kRptZoomWholePage, 100},
                                    Zoom{kRptZoomPercent, 50}, Zoom{kRptZoomPercent, 100}}) {
                m_window->SetZoom(zoom.mode, zoom.percent);
                const std::string config =
                    text::Format("%s, %s, zoom %d/%d%%", landscape ? "landscape" : "portrait",
                                 facing ? "two pages" : "one page", zoom.mode, zoom.percent);
                std::vector<CSize> sizes;
                if (zoom.mode == kRptZoomPageWidth) {
                    for (const int width : {300, 800}) {
                        SizeCanvas(width, 2000);
                        const int fits = m_window->GetPageWnd().GetExtent().Height();
                        for (int height = fits - bar - 4; height <= fits + 2; ++height)
                            sizes.emplace_back(width, height);
                    }
                } else if (zoom.mode == kRptZoomPercent) {
                    SizeCanvas(2000, 2000);
                    const CSize fits = m_window->GetPageWnd().GetExtent().Size();
                    for (const int less : {bar + 2, bar, bar / 2, 1, 0, -1})
                        for (const int lower : {bar + 2, bar, bar / 2, 1, 0, -1})
                            sizes.emplace_back(fits.cx - less, fits.cy - lower);
                } else {
                    sizes = {CSize(200, 600), CSize(900, 300), CSize(700, 700)};
                }
                for (const CSize size : sizes) {
                    SizeCanvas(size.cx, size.cy);
                    ExpectReachable(text::Format("%s, %dx%d", config.c_str(), size.cx, size.cy));
                    if (HasFatalFailure())
                        return;
                }
            }
        }
    }
}

TEST_F(ReportCanvasTest, TwoPagesThenALargerWindowAndPaint)
{
    ShowSummary(4, false);
    Resize(760, 420);
    TestHooks::Click(m_window->GetForm(), IDC_RPT_TWO_PAGES);
    ASSERT_TRUE(m_window->IsFacingPages());
    // What maximising does: a far larger window, painted at once.
    Resize(1580, 940);
    ExpectReachable("maximised");
    const TestHooks::Image image = TestHooks::RenderWindow(m_window->GetPageWnd());
    const CRect right = m_window->GetPageWnd().GetRightPage();
    ASSERT_FALSE(right.IsRectEmpty());
    EXPECT_EQ(image.Pixel(right.left + 4, right.top + 4), RGB(255, 255, 255)) << "the paper";
    Resize(640, 380);
    ExpectReachable("restored");
}

/// A report whose pages fail to draw, and which cannot be built in landscape.
class FragileReport final : public CRptGenBody {
public:
    FragileReport() : CRptGenBody(kRptTypeInd, "Fragile Report", false) { m_recordType = 0; }
    bool Build(IRptDevice& device, bool paginateOnly) override
    {
        return !Settings().m_layout.m_landscape && CRptGenBody::Build(device, paginateOnly);
    }
    void PrintPage(IRptCanvas&, int) override { throw std::runtime_error("the page is lost"); }

protected:
    bool WriteEntry(CRptBodyContext& body, CRecordNode&) override
    {
        body.out.Heading(kRptLevelRecord, "Entry");
        return true;
    }
};

TEST_F(ReportCanvasTest, AReportThatCannotBeBuiltOrDrawnStillOpens)
{
    auto report = std::make_unique<FragileReport>();
    report->Settings().m_layout.m_landscape = true;
    report->TakeSelectedRecords(std::vector<CRecordNode*>{NewIndividual(SEX_MALE, "A /B/")});
    test_support::Prompt().Answer(IDOK);
    m_window->SetReport(std::move(report), *m_device);
    const auto shown = test_support::Prompt().TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_THAT(shown[0].text, testing::HasSubstr("shown with its installation settings"));
    EXPECT_FALSE(m_window->GetReport()->Settings().m_layout.m_landscape);
    EXPECT_EQ(m_window->GetReport()->GetPageCount(), 1);
    // Its page fails to draw: the paint goes on without it, and the program with it.
    const TestHooks::Image image = TestHooks::RenderWindow(m_window->GetPageWnd());
    EXPECT_TRUE(TestHooks::TakeProgramFaults().empty());
    const CRect page = m_window->GetPageWnd().GetLeftPage();
    EXPECT_EQ(image.Pixel(page.left + 2, page.top + 2), RGB(255, 255, 255));
}

/// The main window's progress bar: it keeps what it is told, and each entry laid out takes 60 ms
/// of the program's clock.
class ProgressWnd final : public CWnd, public IProgress {
public:
    void BeginProgress(long range, const std::string& text) override
    {
        recorder.BeginProgress(range, text);
    }
    void SetProgressPos(long pos) override
    {
        clock_seam::AdvanceTickCount(60);
        recorder.SetProgressPos(pos);
    }
    void ResetProgress(long range, const std::string& text) override
    {
        recorder.ResetProgress(range, text);
    }
    void EndProgress() override { recorder.EndProgress(); }
    CProgressRecorder recorder;
};

TEST_F(ReportCanvasTest, ALongBuildShowsItsProgressAndStopsOnEscape)
{
    ShowSummary(8, false);
    ProgressWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    AfxGetApp()->m_pMainWnd = &frame;
    // The windows are looked at once a tenth of a second of the test's clock has passed: after
    // two entries.
    TestHooks::PostKey(m_window->GetPageWnd(), VK_ESCAPE, 0);
    test_support::Prompt().Answer(IDOK);
    m_window->Rebuild(false);
    AfxGetApp()->m_pMainWnd = nullptr;
    const auto calls = frame.recorder.TakeCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().kind, CProgressRecorder::Call::Begin);
    EXPECT_THAT(calls.front().text, testing::HasSubstr("Esc stops"));
    EXPECT_EQ(calls.back().kind, CProgressRecorder::Call::End);
    const auto shown = test_support::Prompt().TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_THAT(shown[0].text, testing::HasSubstr("The report was stopped after"));
    EXPECT_LT(m_window->GetReport()->GetPageCount(), 8);
    frame.DestroyWindow();
}

} // namespace
