// app/shell/printer_setup.cpp: the program's printer: orientation, page size, measuring contexts
// and Print Setup.
#include "app/shell/printer_setup.h"

#include "app/shell/shell_app.h"

#include "database/nodes/change_hint.h"
#include "platform/base/prompt.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/printing/print_dialog.h"
#include "platform/ui/printing/printer_settings.h"
#include "platform/ui/windows/app.h"

BOOL CAppPrinter::HasPrinter() const
{
    return CPrinterSettings::HasPrinter();
}

void CAppPrinter::MeasurePrinterPage()
{
    m_pageWidth = 0;
    m_pageHeight = 0;
    CDC dc;
    if (!m_settings.LoadDefaults() || !m_settings.CreatePrinterDC(dc))
        return;
    m_pageWidth = dc.GetDeviceCaps(HORZRES);
    m_pageHeight = dc.GetDeviceCaps(VERTRES);
}

void CAppPrinter::LoadPrinterDefaults(BOOL landscape)
{
    if (m_settings.LoadDefaults())
        m_settings.SetOrientation(landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
}

void CAppPrinter::IsPrinterLandscape(int* out) const
{
    if (out)
        *out = m_settings.GetOrientation() == DMORIENT_PORTRAIT ? 0 : 1;
}

void CAppPrinter::GetPrinterPageSize(BOOL landscape, int* width, int* height)
{
    int pageWidth = 0;
    int pageHeight = 0;
    CDC dc;
    if (CreatePrinterDC(dc, landscape, FALSE)) {
        pageWidth = dc.GetDeviceCaps(HORZRES);
        pageHeight = dc.GetDeviceCaps(VERTRES);
    }
    if (width)
        *width = pageWidth;
    if (height)
        *height = pageHeight;
}

BOOL CAppPrinter::CreatePrinterDC(CDC& dc, BOOL landscape, BOOL allowScreen)
{
    LoadPrinterDefaults(landscape);
    if (m_settings.CreatePrinterDC(dc))
        return TRUE;
    return allowScreen && dc.Attach(AfxGetMainWnd());
}

void CAppPrinter::OnFilePrintSetup()
{
    if (!HasPrinter()) {
        MessageBox("No printer detected.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CPrintDialog dialog(TRUE);
    AfxGetApp()->DoPrintDialog(&dialog);
    MeasurePrinterPage();
    if (IShellApp* app = GetShellApp())
        app->BroadcastUpdate(nullptr, kHintPrinterChanged, nullptr, FALSE);
}

bool WindowPrintSetup(CWnd* parent, bool& landscape)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return false;
    CPrinterSettings& settings = app->GetPrinterSettings();
    settings.LoadDefaults();
    const int saved = settings.GetOrientation();
    settings.SetOrientation(landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
    CPrintDialog dialog(TRUE, PD_ALLPAGES | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE,
                        parent);
    const bool confirmed = app->DoPrintDialog(&dialog) == IDOK;
    settings.SetOrientation(saved);
    if (confirmed)
        landscape = dialog.GetSettings().GetOrientation() != DMORIENT_PORTRAIT;
    return confirmed;
}
