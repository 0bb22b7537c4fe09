// tests/reports/window/report_window_fixture.h: what the Report window's tests share: an
// application on the virtual printer with the reports' device over it, and a Report window in a
// host window.
#pragma once

#include "reports/window/sub_view_report.h"

#include "app/shell/printer_setup.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "reports/rpt_gen.h"
#include "reports/window/rpt_services.h"
#include "tests/database/records/record_test_support.h"
#include "tests/support/window_test.h"

#include <memory>

namespace rpt_window_test {

class ReportWindowFixture : public record_test::CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        PrepareEnvironment();
        test_support::UseCompiledResources();
        TestHooks::SetNoPrinter(false);
        if (!AfxGetApp())
            m_app = std::make_unique<CWinApp>("Report Window Test");
        ASSERT_TRUE(AfxGetApp()->GetPrinterSettings().LoadDefaults());
        m_printer = std::make_unique<CAppPrinter>(AfxGetApp()->GetPrinterSettings());
        m_device = std::make_unique<CRptPrinterDevice>(*m_printer);
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 900, 560), nullptr, 0));
        m_window = std::make_unique<CSubViewReport>();
        CWnd& wnd = *m_window;
        ASSERT_TRUE(wnd.Create("AvSubView", "AV Subview", WS_CHILD | WS_VISIBLE,
                               CRect(0, 0, 900, 560), &m_host, 99));
    }
    void TearDown() override
    {
        m_window.reset();
        m_host.DestroyWindow();
        m_device.reset();
        m_printer.reset();
        m_app.reset();
        TestHooks::DeliverPosted();
        TestHooks::TakeMessages();
        CRecordTest::TearDown();
    }
    /// What a test needs in place before the application starts (its profile folders).
    virtual void PrepareEnvironment() {}

    CWnd m_host;
    std::unique_ptr<CWinApp> m_app;
    std::unique_ptr<CAppPrinter> m_printer;
    /// The canvases reports shown in m_window are laid out on.
    std::unique_ptr<CRptPrinterDevice> m_device;
    std::unique_ptr<CSubViewReport> m_window;
};

} // namespace rpt_window_test
