// diagrams/window/tree_opts_font.cpp: diagram-unit font heights to printed points and back.
#include "diagrams/window/tree_opts_font.h"

#include "diagrams/diagram_settings.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/font_dialog.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/printing/printer_settings.h"
#include "platform/ui/windows/app.h"

#include <cstdlib>
#include <optional>

namespace {

/// The screen's pixels per inch, in which the font dialog takes heights.
constexpr int kScreenDotsPerInch = 96;

struct PrinterPage {
    int width = 0;  // HORZRES
    int height = 0; // VERTRES
    int points = 0; // the printable height in points
};

std::optional<PrinterPage> MeasurePrinter(bool landscape)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return std::nullopt;
    CPrinterSettings printer(app->GetPrinterSettings());
    if (!printer.LoadDefaults())
        return std::nullopt;
    printer.SetOrientation(landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
    CDC dc;
    if (!printer.CreatePrinterDC(dc))
        return std::nullopt;
    PrinterPage page{dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES), 0};
    const int dotsPerInch = dc.GetDeviceCaps(LOGPIXELSY);
    if (page.width <= 0 || page.height <= 0 || dotsPerInch <= 0)
        return std::nullopt;
    page.points = int(72LL * page.height / dotsPerInch);
    return page;
}

enum class Taken { Tenths, WholePoints, ScalePage };

bool ChooseFont(CWnd* parent, LOGFONT& font, CDiagramSettings& settings, Taken taken)
{
    const std::optional<PrinterPage> printer = MeasurePrinter(settings.m_printLandscape);
    const int pageHeight = settings.m_pageHeight;
    LOGFONT shown = font;
    if (printer && pageHeight > 0) {
        const long long points = std::llabs(font.lfHeight) * printer->points / pageHeight;
        shown.lfHeight = LONG(-(points * kScreenDotsPerInch / 72));
    }
    CFontDialog dialog(&shown,
                       CF_SCREENFONTS | CF_PRINTERFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT |
                           CF_FORCEFONTEXIST,
                       nullptr, parent);
    if (dialog.DoModal() != IDOK)
        return false;
    LOGFONT chosen;
    dialog.GetCurrentFont(&chosen);
    const long long tenths = dialog.GetSize();
    if (!printer || pageHeight <= 0 || tenths <= 0) {
        font = chosen;
        return true;
    }
    const LONG kept = font.lfHeight;
    font = chosen;
    switch (taken) {
    case Taken::Tenths:
        font.lfHeight = LONG(pageHeight * tenths / (printer->points * 10LL));
        break;
    case Taken::WholePoints:
        font.lfHeight = LONG(pageHeight * (tenths / 10) / printer->points);
        break;
    case Taken::ScalePage: {
        font.lfHeight = kept;
        const long long height = std::llabs(kept) * 10LL * printer->points / tenths;
        if (height >= 100) {
            settings.m_pageHeight = int(height);
            settings.m_pageWidth = int(height * printer->width / printer->height);
        }
        break;
    }
    }
    if (font.lfHeight == 0)
        font.lfHeight = 1;
    return true;
}

} // namespace

bool ChooseDiagramFont(CWnd* parent, LOGFONT& font, CDiagramSettings& settings, bool pageScaling)
{
    return ChooseFont(parent, font, settings, pageScaling ? Taken::ScalePage : Taken::Tenths);
}

bool ChooseTitleFont(CWnd* parent, LOGFONT& font, const CDiagramSettings& settings)
{
    CDiagramSettings copy(settings);
    return ChooseFont(parent, font, copy, Taken::WholePoints);
}

void GetPrinterPageProportions(bool landscape, int& width, int& height)
{
    const std::optional<PrinterPage> printer = MeasurePrinter(landscape);
    width = printer ? printer->width : 100;
    height = printer ? printer->height : 100;
}
