// tests/reports/window/rpt_print_fixture.h: printing reports in tests: a view that prints a
// generator's pages, and a fixture over any test base that gives the reports the program's
// printer (the virtual PDF printer where none is installed).
#pragma once

#include "app/shell/printer_setup.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/frames/view.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "reports/rpt_gen.h"
#include "reports/window/rpt_dc_canvas.h"
#include "reports/window/rpt_services.h"

#include <memory>

namespace rpt_test {

/// A view that prints the generator's pages.
class GenView : public CView {
public:
    explicit GenView(CRptGen& gen) : m_gen(gen) {}
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

/// Base with the reports' device on the program's printer for the length of each test: builds
/// take m_device.
template <typename Base> class RptPrinterTest : public Base {
protected:
    void SetUp() override
    {
        Base::SetUp();
        TestHooks::SetNoPrinter(false);
        m_app = std::make_unique<CWinApp>("Report Print Test");
        ASSERT_TRUE(m_app->GetPrinterSettings().LoadDefaults());
        m_printer = std::make_unique<CAppPrinter>(m_app->GetPrinterSettings());
        m_device = std::make_unique<CRptPrinterDevice>(*m_printer);
    }
    void TearDown() override
    {
        m_device.reset();
        m_printer.reset();
        m_app.reset();
        TestHooks::DeliverPosted();
        TestHooks::TakeMessages();
        Base::TearDown();
    }

    std::unique_ptr<CWinApp> m_app;
    std::unique_ptr<CAppPrinter> m_printer;
    std::unique_ptr<CRptPrinterDevice> m_device;
};

} // namespace rpt_test
