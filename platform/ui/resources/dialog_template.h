// platform/ui/resources/dialog_template.h: a dialog template in dialog units, the base units a font
// gives, and the conversion of dialog units to pixels.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/log_font.h"
#include "platform/base/types.h"

#include <string>
#include <vector>

/// One control of a template, placed in dialog units.
struct DialogItemTemplate {
    /// "Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox", a common-control class
    /// ("SysListView32", ...), or a class the program registers at run time.
    std::string className;
    std::string text; // for icon and bitmap statics, the image's resource id in decimal
    int id = 0;       // -1 for controls the program never addresses
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;

    /// x, y, x + cx, y + cy, still in dialog units.
    CRect Rect() const { return {x, y, x + cx, y + cy}; }
};

class CDialogTemplate {
public:
    /// The template's own x, y, x + cx, y + cy, in dialog units.
    CRect Rect() const { return {m_x, m_y, m_x + m_cx, m_y + m_cy}; }
    /// The template's FONT at the screen's 96 dpi: -MulDiv(points, 96, 72) pixels high. A template
    /// that names no font gets "System" at 10 points.
    LOGFONT GetFont() const;

    bool m_extended = false; // written as DIALOGEX
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    int m_x = 0, m_y = 0, m_cx = 0, m_cy = 0;
    std::string m_caption;
    int m_pointSize = 0; // 0: the template names no font
    std::string m_faceName;
    int m_weight = FW_NORMAL;
    bool m_italic = false;
    BYTE m_charSet = DEFAULT_CHARSET;
    std::vector<DialogItemTemplate> m_items;
};

/// The base units of a font, measured on the screen: cx is the horizontal unit (pixels per 4
/// dialog units), cy the vertical one (pixels per 8). Vertically it is the character height;
/// across, for a variable-pitch font, (width of "a".."z" then "A".."Z" + 26) / 52, and for a
/// fixed-pitch font the average character width.
CSize GetDialogBaseUnits(const LOGFONT& font);

/// Converts a rectangle from dialog units to pixels in place: each x times the horizontal unit / 4,
/// each y times the vertical unit / 8, truncated toward zero.
void MapDialogRect(const CSize& baseUnits, RECT& rect);
