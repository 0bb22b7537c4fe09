// reports/window/rpt_services.h: what the window side hands the report engine: the Select
// Records and Select Named List dialogs, the printer's measuring context (the screen's without a
// printer), and the idle step that keeps the window alive while a report is awaited.
//
// CRptServices holds them for the program's run, which the application object makes once:
// CRptDialogSelector (the Select Records and Select Named List dialogs of the query window's
// library), CRptPrinterDevice (canvases over the application's printer, the screen without one),
// RptWindowIdle (it dispatches waiting messages) and the open flow of reports over them.
#pragma once

#include "reports/rpt_gen.h"
#include "reports/rpt_select.h"
#include "reports/window/rpt_open_flow.h"

#include <functional>

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

/// The idle step of a wait for a report: dispatches the waiting messages, then rests a moment.
std::function<void()> RptWindowIdle();

/// The report services of the program's run: the dialogs, the printer's canvases and the open
/// flow, which makes the concrete generators (RptMakeGenerator) and hands them to show.
class CRptServices {
public:
    CRptServices(CAppPrinter& printer, RptWindowOpener show);
    CRptServices(const CRptServices&) = delete;
    CRptServices& operator=(const CRptServices&) = delete;

    IRptDevice& Device() { return m_device; }
    const CRptOpenFlow& Flow() const { return m_flow; }

private:
    CRptDialogSelector m_selector;
    CRptPrinterDevice m_device;
    CRptOpenFlow m_flow;
};
