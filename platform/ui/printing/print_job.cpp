// platform/ui/printing/print_job.cpp: the print loop.
#include "platform/ui/printing/print_job.h"

#include "platform/base/abandon.h"
#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/detail/page_sinks.h"
#include "platform/ui/detail/printer_device.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/frames/view.h"
#include "platform/ui/printing/print_info.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace {

/// Calls OnEndPrinting when the loop leaves, by its end or by an exception.
class EndPrinting {
public:
    EndPrinting(CView& view, CPrintInfo& info, CDC& dc) : m_view(view), m_info(info), m_dc(dc) {}
    ~EndPrinting()
    {
        ui_detail::DcAccess::SetPagePainter(m_dc, nullptr);
        m_view.OnEndPrinting(&m_dc, &m_info);
        ui_detail::DcAccess::Of(m_dc).printing = false;
    }
    EndPrinting(const EndPrinting&) = delete;
    EndPrinting& operator=(const EndPrinting&) = delete;

private:
    CView& m_view;
    CPrintInfo& m_info;
    CDC& m_dc;
};

/// A file name beside path that nothing uses yet.
std::string PartFileBeside(const std::string& path)
{
    std::error_code ignored;
    for (int n = 0;; ++n) {
        std::string candidate = path + (n ? ".part" + std::to_string(n) : ".part");
        if (!std::filesystem::exists(candidate, ignored))
            return candidate;
    }
}

/// Runs the loop onto printer; false when no page was printed or anything failed.
bool PrintOn(QPrinter& printer, CView& view, CPrintInfo& info)
{
    CDC dc;
    ui_detail::DcAccess::AttachPrinter(dc, ui_detail::MetricsOf(printer));
    ui_detail::PrinterPages pages(printer);
    bool finished = false;
    try {
        RunPrintLoop(view, info, dc, pages);
        finished = true;
    } catch (...) {
        printer.abort();
        EndAbandonedOperation();
    }
    return pages.Finish() && finished && pages.PageCount() > 0;
}

} // namespace

UINT RunPrintLoop(CView& view, CPrintInfo& info, CDC& dc, IPrintPages& pages)
{
    ui_detail::DcAccess::Of(dc).printing = true;
    info.m_bContinuePrinting = TRUE;
    const EndPrinting end(view, info, dc);
    view.OnBeginPrinting(&dc, &info);
    UINT drawn = 0;
    for (UINT page = info.GetFromPage(); page <= info.GetToPage(); ++page) {
        info.m_nCurPage = page;
        view.OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting || !pages.StartPage(dc, page))
            break;
        info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        view.OnPrint(&dc, &info);
        ++drawn;
        if (!pages.EndPage(dc, page) || !info.m_bContinuePrinting)
            break;
    }
    return drawn;
}

BOOL PrintJob(CView& view, CPrintInfo& info)
{
    ui_detail::PrinterSetup* setup = ui_detail::PrinterAccess::Of(info.GetPrinterSettings());
    if (!setup || !info.GetPrinterSettings().IsLoaded())
        return FALSE;
    ui_detail::PrinterSetup job = *setup;
    const bool toFile = info.GetPrinterSettings().IsVirtualPrinter();
    const std::string target = setup->outputFile.toStdString();
    if (toFile && target.empty())
        return FALSE;
    const std::string part = toFile ? PartFileBeside(target) : std::string();
    if (toFile)
        job.outputFile = QString::fromStdString(part);
    const auto printer = ui_detail::MakePrinter(job);
    std::error_code ignored;
    bool printed = false;
    try {
        printed = PrintOn(*printer, view, info);
    } catch (...) {
        if (toFile)
            std::filesystem::remove(part, ignored); // a fault of the program leaves no part file
        throw;
    }
    if (!toFile)
        return printed;
    std::error_code renameError;
    if (printed)
        std::filesystem::rename(part, target, renameError);
    if (printed && !renameError)
        return TRUE;
    std::filesystem::remove(part, ignored);
    return FALSE;
}
