// platform/ui/detail/printer_device.cpp: the installed or virtual Qt printer in given settings,
// and its metrics.
#include "platform/ui/detail/printer_device.h"

#include "platform/ui/windows/test_hooks.h"

#include <QPageSize>
#include <QPrinterInfo>

namespace ui_detail {
namespace {

constexpr int kVirtualDotsPerInch = 600;
constexpr double kVirtualMarginMm = 6.35;

bool g_printersRemoved = false;

QPageLayout VirtualLayout()
{
    const QMarginsF margins(kVirtualMarginMm, kVirtualMarginMm, kVirtualMarginMm, kVirtualMarginMm);
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins,
                       QPageLayout::Millimeter);
}

/// The installed printer to use: the desktop's default, else the first; none under the hooks.
QPrinterInfo InstalledPrinter()
{
    if (TestHooks::IsEnabled())
        return {};
    const QPrinterInfo preferred = QPrinterInfo::defaultPrinter();
    if (!preferred.isNull())
        return preferred;
    const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
    return all.isEmpty() ? QPrinterInfo() : all.front();
}

} // namespace

std::unique_ptr<PrinterSetup> DefaultPrinterSetup()
{
    if (g_printersRemoved)
        return nullptr;
    auto setup = std::make_unique<PrinterSetup>();
    const QPrinterInfo installed = InstalledPrinter();
    if (installed.isNull()) {
        setup->layout = VirtualLayout();
        return setup;
    }
    const QPrinter printer(installed, QPrinter::HighResolution);
    ReadBack(printer, *setup);
    return setup;
}

std::unique_ptr<QPrinter> MakePrinter(const PrinterSetup& setup)
{
    std::unique_ptr<QPrinter> printer;
    if (setup.printerName.isEmpty()) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setResolution(kVirtualDotsPerInch);
        printer->setOutputFileName(setup.outputFile);
    } else {
        printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(setup.printerName),
                                             QPrinter::HighResolution);
    }
    printer->setFullPage(false);
    printer->setPageLayout(setup.layout);
    printer->setCopyCount(setup.copies);
    return printer;
}

void ReadBack(const QPrinter& printer, PrinterSetup& setup)
{
    setup.printerName =
        printer.outputFormat() == QPrinter::PdfFormat ? QString() : printer.printerName();
    setup.layout = printer.pageLayout();
    setup.copies = printer.copyCount();
    setup.outputFile = printer.outputFileName();
}

PrinterMetrics MetricsOf(const QPrinter& printer)
{
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect printable = layout.paintRectPixels(dpi);
    return {dpi, printable.size(), layout.fullRectPixels(dpi).size(), printable.topLeft()};
}

void SetPrintersRemoved(bool removed)
{
    g_printersRemoved = removed;
}

bool PrintersRemoved()
{
    return g_printersRemoved;
}

} // namespace ui_detail
