// platform/ui/drawing/gdi_object.cpp: deleting objects, and the stock objects.
#include "platform/ui/drawing/gdi_object.h"

#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/drawing/pen.h"

#include <algorithm>
#include <cstring>

namespace {

LOGFONT StockFont(const char* face, LONG height, LONG weight, BYTE pitchAndFamily)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfPitchAndFamily = pitchAndFamily;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

struct StockObjects {
    CBrush brushes[6];
    CPen pens[3];
    CFont fixedFont, varFont, systemFont, guiFont;

    StockObjects()
    {
        const COLORREF greys[] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128),
                                  RGB(64, 64, 64), RGB(0, 0, 0)};
        for (int i = 0; i < 5; ++i)
            brushes[i].CreateSolidBrush(greys[i]);
        const LOGBRUSH hollow{BS_NULL, 0, 0};
        brushes[NULL_BRUSH].CreateBrushIndirect(&hollow);
        pens[0].CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
        pens[1].CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
        pens[2].CreatePen(PS_NULL, 0, 0);
        const LOGFONT fixed = StockFont("Courier New", -13, FW_NORMAL, FIXED_PITCH | FF_MODERN);
        const LOGFONT var = StockFont("MS Sans Serif", -11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
        // The system font: 10 points, bold.
        const LOGFONT system = StockFont("System", -13, FW_BOLD, VARIABLE_PITCH | FF_SWISS);
        const LOGFONT gui = StockFont("MS Shell Dlg", -11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
        fixedFont.CreateFontIndirect(&fixed);
        varFont.CreateFontIndirect(&var);
        systemFont.CreateFontIndirect(&system);
        guiFont.CreateFontIndirect(&gui);
    }

    CGdiObject* Get(int index)
    {
        switch (index) {
        case WHITE_BRUSH:
        case LTGRAY_BRUSH:
        case GRAY_BRUSH:
        case DKGRAY_BRUSH:
        case BLACK_BRUSH:
        case NULL_BRUSH:
            return &brushes[index];
        case WHITE_PEN:
        case BLACK_PEN:
        case NULL_PEN:
            return &pens[index - WHITE_PEN];
        case OEM_FIXED_FONT:
        case ANSI_FIXED_FONT:
        case SYSTEM_FIXED_FONT:
            return &fixedFont;
        case ANSI_VAR_FONT:
            return &varFont;
        case SYSTEM_FONT:
            return &systemFont;
        case DEFAULT_GUI_FONT:
            return &guiFont;
        default:
            return nullptr;
        }
    }

    bool Holds(const CGdiObject* object) const
    {
        const auto* begin = reinterpret_cast<const char*>(this);
        const auto* at = reinterpret_cast<const char*>(object);
        return at >= begin && at < begin + sizeof(*this);
    }
};

StockObjects& Stock()
{
    static StockObjects stock;
    return stock;
}

} // namespace

BOOL CGdiObject::DeleteObject()
{
    if (!m_created)
        return FALSE;
    if (Stock().Holds(this))
        return TRUE;
    ReleaseContents();
    m_created = false;
    return TRUE;
}

CGdiObject* GetStockObject(int index)
{
    return Stock().Get(index);
}
