// reports/window/rpt_services.h: what the report engine reaches the window side through: the
// Select Records and Select Named List dialogs, the printer's measuring context (the screen's
// without a printer), and the idle step that keeps the window alive while a report is awaited.
//
// InstallReportServices installs them for the program's life: CRptDialogSelector (the Select
// Records and Select Named List dialogs of the query window's library), CRptPrinterDevice (canvases
// over the application's printer, the screen without one) and the idle step of the wait for a
// report (it dispatches waiting messages).
#pragma once

#include "reports/rpt_gen.h"
#include "reports/rpt_select.h"

class CAppPrinter;

/// The selections of reports through the dialogs of the query window's library.
class CRptDialogSelector final : public IRptSelector {
public:
    bool SelectRecords(int recordType, std::vector<CRecordNode*>& chosen) override;
    bool SelectRecordsFrom(int recordType, const std::vector<CRecordNode*>& initial,
                           std::vector<CRecordNode*>& chosen) override;
    bool SelectNamedList(std::string& name) override;
};

/// Report canvases over the application's printer in the orientation asked for.
class CRptPrinterDevice final : public IRptDevice {
public:
    explicit CRptPrinterDevice(CAppPrinter& printer) : m_printer(printer) {}
    std::unique_ptr<IRptCanvas> CreatePrinterCanvas(bool landscape, bool allowScreen) override;

private:
    CAppPrinter& m_printer;
};

/// Installs the selector, the printer device and the idle step of waits for the program's life.
void InstallReportServices(CAppPrinter& printer);
