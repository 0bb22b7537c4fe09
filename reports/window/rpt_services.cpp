// reports/window/rpt_services.cpp: the dialogs, the printer and the idle step reports use, and
// the open flow over them.
#include "reports/window/rpt_services.h"

#include "app/shell/printer_setup.h"
#include "platform/base/prompt.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/message_pump.h"
#include "queries/lists/named_list_dlgs.h"
#include "queries/lists/select_records_dlg.h"
#include "reports/rpt_gen_make.h"
#include "reports/window/rpt_dc_canvas.h"

#include <chrono>
#include <thread>

namespace {

/// Between two looks at the clock while a report is awaited.
constexpr auto kIdleStep = std::chrono::milliseconds(20);

} // namespace

bool CRptDialogSelector::SelectRecords(int recordType, std::vector<CRecordNode*>& chosen)
{
    return SelectRecordsFrom(recordType, {}, chosen);
}

bool CRptDialogSelector::SelectRecordsFrom(int recordType, const std::vector<CRecordNode*>& initial,
                                           std::vector<CRecordNode*>& chosen)
{
    CSelectRecordsDlg dialog(recordType);
    dialog.m_initial = initial;
    dialog.m_hasInitial = !initial.empty();
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

std::function<void()> RptWindowIdle()
{
    return [] {
        PumpWaitingMessages();
        std::this_thread::sleep_for(kIdleStep);
    };
}

CRptServices::CRptServices(CAppPrinter& printer, RptWindowOpener show)
    : m_device(printer), m_flow(m_selector, RptMakeGenerator, std::move(show), RptWindowIdle())
{
}
