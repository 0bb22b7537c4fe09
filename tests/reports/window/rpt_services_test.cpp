// tests/reports/window/rpt_services_test.cpp: what the window side gives the report engine: the
// printer's canvas in either orientation, and a wait for a report file that keeps the window
// handling its messages.
#include "app/shell/printer_setup.h"
#include "platform/base/clock.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"
#include "reports/rpt_retry.h"
#include "reports/window/rpt_services.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kPing = WM_USER + 7;

/// A window that counts the pings it is sent; each takes the program's clock a second on.
class PingWnd : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kPing) {
            ++pings;
            TestHooks::AdvanceClock(1000);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int pings = 0;
};

class ReportServices : public testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CWinApp>("Report Services Test");
        m_printer = std::make_unique<CAppPrinter>(m_app->GetPrinterSettings());
    }
    void TearDown() override
    {
        m_printer.reset();
        m_app.reset();
        TestHooks::DeliverPosted();
    }
    std::unique_ptr<CWinApp> m_app;
    std::unique_ptr<CAppPrinter> m_printer;
};

TEST_F(ReportServices, ThePrinterGivesACanvasInTheOrientationAskedFor)
{
    CRptServices services(*m_printer, [](std::unique_ptr<CRptGen>) { return false; });
    for (bool landscape : {false, true}) {
        std::unique_ptr<IRptCanvas> canvas = services.Device().CreatePrinterCanvas(landscape, true);
        ASSERT_NE(canvas, nullptr) << landscape;
        const RptDevicePage page = canvas->GetDevicePage();
        EXPECT_GT(page.dpiX, 0);
        EXPECT_GT(page.dpiY, 0);
        EXPECT_EQ(page.physicalWidth > page.physicalHeight, landscape);
    }
}

TEST_F(ReportServices, AWaitForAReportKeepsTheWindowHandlingItsMessages)
{
    PingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "report", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100),
                             nullptr, 0));
    wnd.PostMessage(kPing);
    // The program's clock stands still but for the ping: only a wait that dispatches the
    // window's messages ever ends.
    const DWORD start = GetTickCount();
    int asked = 0;
    EXPECT_FALSE(WaitAndRetry([&asked] { return ++asked > 5; }, 1, 500, RptWindowIdle()));
    EXPECT_EQ(wnd.pings, 1);
    EXPECT_EQ(asked, 2) << "asked before and after the one wait";
    EXPECT_EQ(GetTickCount() - start, 1000u);
    wnd.DestroyWindow();
}

} // namespace
