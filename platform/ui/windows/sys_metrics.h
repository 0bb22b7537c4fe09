// platform/ui/windows/sys_metrics.h: the system colours, fixed so that drawing never depends on the
// desktop's theme, and the system metrics read from the screen and the widget style.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"

inline constexpr int COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2,
                     COLOR_INACTIVECAPTION = 3, COLOR_MENU = 4, COLOR_WINDOW = 5,
                     COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8,
                     COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11,
                     COLOR_APPWORKSPACE = 12, COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14,
                     COLOR_BTNFACE = 15, COLOR_BTNSHADOW = 16, COLOR_GRAYTEXT = 17,
                     COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20,
                     COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23,
                     COLOR_INFOBK = 24, COLOR_HOTLIGHT = 26, COLOR_GRADIENTACTIVECAPTION = 27,
                     COLOR_GRADIENTINACTIVECAPTION = 28, COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30;
inline constexpr int COLOR_DESKTOP = COLOR_BACKGROUND, COLOR_3DFACE = COLOR_BTNFACE,
                     COLOR_3DSHADOW = COLOR_BTNSHADOW, COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT,
                     COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT, COLOR_BTNHILIGHT = COLOR_BTNHIGHLIGHT;

/// The colour of a display element from the fixed table; black for an unknown index.
COLORREF GetSysColor(int index);

inline constexpr int SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3,
                     SM_CYCAPTION = 4, SM_CXBORDER = 5, SM_CYBORDER = 6, SM_CYVTHUMB = 9,
                     SM_CXHTHUMB = 10, SM_CXICON = 11, SM_CYICON = 12, SM_CXCURSOR = 13,
                     SM_CYCURSOR = 14, SM_CYMENU = 15, SM_CXFULLSCREEN = 16, SM_CYFULLSCREEN = 17,
                     SM_CYVSCROLL = 20, SM_CXHSCROLL = 21, SM_CXDOUBLECLK = 36, SM_CYDOUBLECLK = 37,
                     SM_CXEDGE = 45, SM_CYEDGE = 46, SM_CXSMICON = 49, SM_CYSMICON = 50,
                     SM_CXMENUCHECK = 71, SM_CYMENUCHECK = 72;

/// A size of the screen or of a standard element, in pixels; 0 for an unknown index.
int GetSystemMetrics(int index);

/// The work area (the screen less the desktop's panels), in screen coordinates, of the screen
/// that holds point, or of the main screen when none does.
void GetWorkArea(POINT point, RECT* area);
