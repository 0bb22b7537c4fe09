// app/shell/printer_setup.h: the program's printer as its windows use it: whether there is one, the
// orientation the last caller asked for, the page size in printer pixels, measuring contexts,
// the Print Setup command, and the Print Setup of windows that print in their own orientation.
#pragma once

#include "platform/base/types.h"

class CDC;
class CPrinterSettings;
class CWnd;

/// Works on the application's printer settings, which stay empty until first needed. The page
/// size is that of the printer's printable area, 0 by 0 without a printer.
class CAppPrinter {
public:
    explicit CAppPrinter(CPrinterSettings& settings) : m_settings(settings) {}

    BOOL HasPrinter() const;
    /// Measures the page again (at start-up and after Print Setup): 0 by 0 without a printer.
    void MeasurePrinterPage();
    int GetPageWidth() const { return m_pageWidth; }
    int GetPageHeight() const { return m_pageHeight; }

    /// Loads the printer's defaults when none are loaded, then sets the orientation kept for
    /// later jobs: landscape or portrait.
    void LoadPrinterDefaults(BOOL landscape);
    /// *out is 0 when the settings say portrait, otherwise 1, also when none are loaded.
    void IsPrinterLandscape(int* out) const;
    /// Sets the orientation kept for later jobs and answers the printable size in that
    /// orientation; both 0 without a printer.
    void GetPrinterPageSize(BOOL landscape, int* width, int* height);
    /// Makes dc a measuring context of the printer in that orientation (which the settings
    /// keep). Without a printer, and with allowScreen, the main window's context instead;
    /// FALSE when neither could be made.
    BOOL CreatePrinterDC(CDC& dc, BOOL landscape, BOOL allowScreen);

    /// Print Setup: "No printer detected." without a printer; otherwise the setup dialog on
    /// the application's printer, then the page is measured again and every window is told
    /// that the printer changed, whatever the user chose.
    void OnFilePrintSetup();

private:
    CPrinterSettings& m_settings;
    int m_pageWidth = 0;
    int m_pageHeight = 0;
};

/// The Print Setup of a window that prints in an orientation of its own: the setup dialog
/// opens on the application's printer turned to landscape (or portrait). On OK the printer and
/// paper chosen become the application's and landscape takes the orientation chosen; the
/// application's printer keeps its own orientation either way. False when cancelled.
bool WindowPrintSetup(CWnd* parent, bool& landscape);
