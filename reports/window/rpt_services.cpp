// reports/window/rpt_services.cpp: the dialogs, the printer and the idle step reports use.
#include "reports/window/rpt_services.h"

#include "app/shell/printer_setup.h"
#include "platform/base/prompt.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/message_pump.h"
#include "queries/lists/named_list_dlgs.h"
#include "queries/lists/select_records_dlg.h"
#include "reports/rpt_retry.h"
#include "reports/window/rpt_dc_canvas.h"

#include <chrono>
#include <thread>

namespace {

/// A canvas that owns the context it draws on.
class COwnedDcCanvas final : public IRptCanvas {
public:
    explicit COwnedDcCanvas(std::unique_ptr<CDC> dc) : m_dc(std::move(dc)), m_canvas(*m_dc) {}

    RptDevicePage GetDevicePage() const override { return m_canvas.GetDevicePage(); }
    void SetupMapping(int pageWidth, int pageHeight) override
    {
        m_canvas.SetupMapping(pageWidth, pageHeight);
    }
    RptFontMetrics CreateFont(int slot, const LOGFONT& font, int height) override
    {
        return m_canvas.CreateFont(slot, font, height);
    }
    void SelectFont(int slot) override { m_canvas.SelectFont(slot); }
    int GetTextWidth(std::string_view text) override { return m_canvas.GetTextWidth(text); }
    int GetFitCount(std::string_view text, int width) override
    {
        return m_canvas.GetFitCount(text, width);
    }
    void DrawTextRun(const CRect& rect, RptAlign align, int x, int baseline, std::string_view text,
                     bool justify) override
    {
        m_canvas.DrawTextRun(rect, align, x, baseline, text, justify);
    }
    void DrawRule(int left, int right, int y, int thickness) override
    {
        m_canvas.DrawRule(left, right, y, thickness);
    }
    void DrawPicture(const CRect& rect, const RptPicture& picture) override
    {
        m_canvas.DrawPicture(rect, picture);
    }
    void DrawCircle(int x, int y, int radius, COLORREF fill, bool hollow, COLORREF edge,
                    int width) override
    {
        m_canvas.DrawCircle(x, y, radius, fill, hollow, edge, width);
    }
    void DrawLine(int x1, int y1, int x2, int y2, int width, COLORREF colour) override
    {
        m_canvas.DrawLine(x1, y1, x2, y2, width, colour);
    }

private:
    // The canvas goes first: it puts the context's font back.
    std::unique_ptr<CDC> m_dc;
    CRptDcCanvas m_canvas;
};

/// Between two looks at the clock while a report is awaited.
constexpr auto kIdleStep = std::chrono::milliseconds(20);

} // namespace

bool CRptDialogSelector::SelectRecords(int recordType, std::vector<CRecordNode*>& chosen)
{
    CSelectRecordsDlg dialog(recordType);
    if (dialog.DoModal() != IDOK)
        return false;
    chosen = dialog.m_chosen;
    return true;
}

bool CRptDialogSelector::SelectNamedList(std::string& name)
{
    CSelectNamedListDlg dialog;
    if (dialog.DoModal() != IDOK)
        return false;
    name = dialog.m_name;
    return true;
}

std::unique_ptr<IRptCanvas> CRptPrinterDevice::CreatePrinterCanvas(bool landscape, bool allowScreen)
{
    auto dc = std::make_unique<CDC>();
    if (!m_printer.CreatePrinterDC(*dc, landscape, allowScreen))
        return nullptr;
    return std::make_unique<COwnedDcCanvas>(std::move(dc));
}

void InstallReportServices(CAppPrinter& printer)
{
    static CRptDialogSelector selector;
    static std::unique_ptr<CRptPrinterDevice> device;
    device = std::make_unique<CRptPrinterDevice>(printer);
    SetRptSelector(&selector);
    SetRptDevice(device.get());
    SetRptRetryIdle([] {
        PumpWaitingMessages();
        std::this_thread::sleep_for(kIdleStep);
    });
}
