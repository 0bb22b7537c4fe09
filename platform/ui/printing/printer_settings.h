// platform/ui/printing/printer_settings.h: the application's printer: the installed printer chosen,
// or the virtual printer that writes PDF files, with the orientation, paper and margins it prints
// in.
#pragma once

#include "platform/base/types.h"

#include <memory>
#include <string>

class CDC;
namespace ui_detail {
struct PrinterSetup;
class PrinterAccess;
} // namespace ui_detail

/// The orientations of a printer's page.
inline constexpr int DMORIENT_PORTRAIT = 1, DMORIENT_LANDSCAPE = 2;

/// Settings are empty until loaded from the printer's defaults (LoadDefaults), and a copy is
/// independent of its source, so a dialog or a print job can change its own. The printer is
/// the desktop's default printer, else the first installed one, else the virtual printer: A4
/// paper at 600 dots per inch with margins of 6.35 mm, which writes each job to a PDF file.
/// Under the test hooks the virtual printer always serves, so every run measures alike, and
/// the hooks can remove every printer.
class CPrinterSettings {
public:
    CPrinterSettings();
    ~CPrinterSettings();
    CPrinterSettings(const CPrinterSettings& other);
    CPrinterSettings& operator=(const CPrinterSettings& other);

    /// Whether a printer exists; the virtual printer counts.
    static BOOL HasPrinter();
    /// Whether the settings hold a printer's settings; never while no printer exists.
    BOOL IsLoaded() const;
    /// Loads the printer's default settings unless loaded already; FALSE without a printer.
    BOOL LoadDefaults();

    /// DMORIENT_PORTRAIT or DMORIENT_LANDSCAPE; 0 when not loaded.
    int GetOrientation() const;
    /// Changes the orientation of loaded settings; unloaded ones stay unloaded.
    void SetOrientation(int orientation);
    BOOL IsVirtualPrinter() const;
    /// The PDF file that a job on the virtual printer writes.
    std::string GetOutputFile() const;
    void SetOutputFile(const std::string& path);

    /// Makes dc a context of this printer in these settings, for measuring: it answers the
    /// printer's device capabilities and text metrics and never starts a print job. FALSE,
    /// leaving dc as it was, when the settings are not loaded.
    BOOL CreatePrinterDC(CDC& dc) const;

private:
    friend class ui_detail::PrinterAccess;

    /// Null when not loaded.
    std::unique_ptr<ui_detail::PrinterSetup> m_setup;
};
