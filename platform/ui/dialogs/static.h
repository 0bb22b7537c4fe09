// platform/ui/dialogs/static.h: the static control: a label, an etched line or frame, or a resource
// image.
#pragma once

#include "platform/ui/windows/wnd.h"

// Static styles.
inline constexpr DWORD SS_LEFT = 0x0000, SS_CENTER = 0x0001, SS_RIGHT = 0x0002, SS_ICON = 0x0003,
                       SS_BLACKFRAME = 0x0007, SS_GRAYFRAME = 0x0008, SS_WHITEFRAME = 0x0009,
                       SS_SIMPLE = 0x000B, SS_LEFTNOWORDWRAP = 0x000C, SS_BITMAP = 0x000E,
                       SS_ETCHEDHORZ = 0x0010, SS_ETCHEDVERT = 0x0011, SS_ETCHEDFRAME = 0x0012,
                       SS_TYPEMASK = 0x001F, SS_NOPREFIX = 0x0080, SS_NOTIFY = 0x0100,
                       SS_CENTERIMAGE = 0x0200, SS_SUNKEN = 0x1000;
// Static notifications, sent only with SS_NOTIFY.
inline constexpr UINT STN_CLICKED = 0, STN_DBLCLK = 1;

/// A label's "&" marks the key that moves the focus to its buddy, the next tab stop after it in
/// its dialog ("&&" shows one "&"); with SS_NOPREFIX the text shows as it is. The text of an
/// icon or bitmap static is the image's resource id in decimal.
class CStatic : public CWnd {
public:
    CStatic();
    ~CStatic() override;

    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
