// platform/ui/windows/message.h: window messages as the program sees them: the message record, the
// message numbers, key and mouse codes, the standard command ids, and the key state query.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"

class CWnd;
/// A window handle is the window object itself.
using HWND = CWnd*;
using SHORT = std::int16_t;

/// One message: the window it is for, its number and parameters, when it happened and where
/// the pointer was (screen coordinates).
struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
};

/// The header of a WM_NOTIFY notification.
struct NMHDR {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    UINT code = 0;
};

constexpr WORD LOWORD(std::uintptr_t v)
{
    return WORD(v & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t v)
{
    return WORD((v >> 16) & 0xFFFF);
}
constexpr WPARAM MAKEWPARAM(WORD low, WORD high)
{
    return WPARAM(low) | (WPARAM(high) << 16);
}
constexpr LPARAM MAKELPARAM(WORD low, WORD high)
{
    return LPARAM(DWORD(low) | (DWORD(high) << 16));
}
/// Signed coordinates packed into a mouse message's LPARAM.
constexpr int GET_X_LPARAM(LPARAM v)
{
    return SHORT(LOWORD(std::uintptr_t(v)));
}
constexpr int GET_Y_LPARAM(LPARAM v)
{
    return SHORT(HIWORD(std::uintptr_t(v)));
}
constexpr short GET_WHEEL_DELTA_WPARAM(WPARAM v)
{
    return SHORT(HIWORD(v));
}

// Message numbers.
inline constexpr UINT WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_MOVE = 0x0003,
                      WM_SIZE = 0x0005, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008,
                      WM_ENABLE = 0x000A, WM_PAINT = 0x000F, WM_CLOSE = 0x0010,
                      WM_ERASEBKGND = 0x0014, WM_SHOWWINDOW = 0x0018, WM_NOTIFY = 0x004E,
                      WM_CONTEXTMENU = 0x007B, WM_NCDESTROY = 0x0082;
inline constexpr UINT WM_KEYFIRST = 0x0100, WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101,
                      WM_CHAR = 0x0102, WM_SYSKEYDOWN = 0x0104, WM_SYSKEYUP = 0x0105,
                      WM_SYSCHAR = 0x0106, WM_KEYLAST = 0x0108;
inline constexpr UINT WM_COMMAND = 0x0111, WM_SYSCOMMAND = 0x0112, WM_TIMER = 0x0113;
inline constexpr UINT WM_HSCROLL = 0x0114, WM_VSCROLL = 0x0115;
/// A control asks its parent for the colours to paint with (wParam the device context whose text
/// colour it takes, lParam the control; the answer is the brush of its background, or null).
inline constexpr UINT WM_CTLCOLOREDIT = 0x0133, WM_CTLCOLORLISTBOX = 0x0134,
                      WM_CTLCOLORBTN = 0x0135, WM_CTLCOLORSTATIC = 0x0138;
/// The kinds of colour request OnCtlColor receives: the message number less 0x132. A read-only
/// or disabled edit asks as a static does.
inline constexpr UINT CTLCOLOR_EDIT = 1, CTLCOLOR_LISTBOX = 2, CTLCOLOR_BTN = 3,
                      CTLCOLOR_STATIC = 6;
/// Which keys a control inside a dialog keeps for itself (the DLGC_ flags); the dialog takes
/// Tab, Enter and Escape from a control that does not keep them.
inline constexpr UINT WM_GETDLGCODE = 0x0087;
inline constexpr UINT DLGC_WANTARROWS = 0x0001, DLGC_WANTTAB = 0x0002, DLGC_WANTALLKEYS = 0x0004,
                      DLGC_HASSETSEL = 0x0008, DLGC_WANTCHARS = 0x0080;
/// The desktop's colours, or its other settings, changed.
inline constexpr UINT WM_SYSCOLORCHANGE = 0x0015, WM_SETTINGCHANGE = 0x001A;
/// The application's printer settings changed (printer, paper or orientation).
inline constexpr UINT WM_DEVMODECHANGE = 0x001B;
inline constexpr UINT WM_GETMINMAXINFO = 0x0024, WM_INITMENUPOPUP = 0x0117, WM_DROPFILES = 0x0233;
/// Sent at idle to windows that run an update pass of their menus and bars.
inline constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;
inline constexpr UINT WM_MOUSEFIRST = 0x0200, WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201,
                      WM_LBUTTONUP = 0x0202, WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONDOWN = 0x0204,
                      WM_RBUTTONUP = 0x0205, WM_RBUTTONDBLCLK = 0x0206, WM_MBUTTONDOWN = 0x0207,
                      WM_MBUTTONUP = 0x0208, WM_MBUTTONDBLCLK = 0x0209, WM_MOUSEWHEEL = 0x020A,
                      WM_MOUSELAST = 0x020A;
inline constexpr UINT WM_USER = 0x0400;

/// The step of one wheel notch.
inline constexpr int WHEEL_DELTA = 120;

// WM_SIZE kinds.
inline constexpr UINT SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2;

// Mouse-message key flags (the WPARAM of mouse messages).
inline constexpr UINT MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004,
                      MK_CONTROL = 0x0008, MK_MBUTTON = 0x0010;
/// Alt held: not part of mouse messages, used where a test posts a key with Alt.
inline constexpr UINT MK_ALT = 0x0020;

// Key-message flags: the high word of a key message's LPARAM, as handlers receive it.
inline constexpr UINT KF_EXTENDED = 0x0100, KF_ALTDOWN = 0x2000, KF_REPEAT = 0x4000, KF_UP = 0x8000;

// Virtual-key codes. Letters and digits are their upper-case ASCII codes ('A', '0').
inline constexpr UINT VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04,
                      VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D,
                      VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13,
                      VK_CAPITAL = 0x14, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21,
                      VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26,
                      VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_SELECT = 0x29, VK_PRINT = 0x2A,
                      VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_HELP = 0x2F,
                      VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D;
inline constexpr UINT VK_NUMPAD0 = 0x60, VK_NUMPAD1 = 0x61, VK_NUMPAD2 = 0x62, VK_NUMPAD3 = 0x63,
                      VK_NUMPAD4 = 0x64, VK_NUMPAD5 = 0x65, VK_NUMPAD6 = 0x66, VK_NUMPAD7 = 0x67,
                      VK_NUMPAD8 = 0x68, VK_NUMPAD9 = 0x69, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B,
                      VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F;
inline constexpr UINT VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73, VK_F5 = 0x74,
                      VK_F6 = 0x75, VK_F7 = 0x76, VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79,
                      VK_F11 = 0x7A, VK_F12 = 0x7B, VK_F24 = 0x87;
inline constexpr UINT VK_NUMLOCK = 0x90, VK_SCROLL = 0x91;
// Punctuation keys as placed on a US keyboard.
inline constexpr UINT VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD,
                      VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB,
                      VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE;

/// The state of a key as the program last saw it: negative while it is down; the low bit
/// flips at each press (the lock state of Caps Lock and Num Lock).
SHORT GetKeyState(int virtKey);

// Command routing codes (the nCode of OnCmdMsg). Control notifications carry their own code.
inline constexpr int CN_COMMAND = 0;
inline constexpr int CN_UPDATE_COMMAND_UI = -1;

// Control notification codes that the program's handlers name.
inline constexpr UINT BN_CLICKED = 0;

// Standard command ids.
inline constexpr UINT ID_FILE_NEW = 57600, ID_FILE_OPEN = 57601, ID_FILE_SAVE = 57603,
                      ID_FILE_SAVE_AS = 57604, ID_FILE_PRINT_SETUP = 57606, ID_FILE_PRINT = 57607,
                      ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr UINT ID_EDIT_COPY = 57634;
inline constexpr UINT ID_APP_ABOUT = 57664, ID_APP_EXIT = 57665, ID_HELP_FINDER = 57667,
                      ID_CONTEXT_HELP = 57669, ID_HELP = 57670, ID_DEFAULT_HELP = 57671;
inline constexpr UINT ID_OLE_INSERT_NEW = 57856;
/// The standard toolbar and status bar: their window ids and the commands that show them.
inline constexpr UINT AFX_IDW_TOOLBAR = 59392, AFX_IDW_STATUS_BAR = 59393;
inline constexpr UINT ID_VIEW_TOOLBAR = AFX_IDW_TOOLBAR, ID_VIEW_STATUS_BAR = AFX_IDW_STATUS_BAR;
