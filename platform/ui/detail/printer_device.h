// platform/ui/detail/printer_device.h: the Qt printer behind the printer settings: making it,
// reading back what a dialog changed on it, and the metrics that printer contexts answer.
#pragma once

#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/printing/printer_settings.h"

#include <QPageLayout>
#include <QPrinter>
#include <QString>

#include <memory>

namespace ui_detail {

/// What loaded printer settings hold.
struct PrinterSetup {
    /// Empty for the virtual printer.
    QString printerName;
    QPageLayout layout;
    int copies = 1;
    QString outputFile;
};

/// The settings of the printer the program uses when nothing was chosen; none without one.
std::unique_ptr<PrinterSetup> DefaultPrinterSetup();
/// A printer in these settings; nothing is printed until a painter begins on it.
std::unique_ptr<QPrinter> MakePrinter(const PrinterSetup& setup);
/// Takes what a dialog changed on printer (the printer chosen, paper, orientation, margins,
/// copies, output file) into setup.
void ReadBack(const QPrinter& printer, PrinterSetup& setup);
PrinterMetrics MetricsOf(const QPrinter& printer);

/// Under the test hooks: whether every printer, the virtual one too, is gone.
void SetPrintersRemoved(bool removed);
bool PrintersRemoved();

/// The private parts of the settings that the layer's own code reaches into.
class PrinterAccess {
public:
    static PrinterSetup* Of(CPrinterSettings& settings) { return settings.m_setup.get(); }
    static const PrinterSetup* Of(const CPrinterSettings& settings)
    {
        return settings.m_setup.get();
    }
};

} // namespace ui_detail
