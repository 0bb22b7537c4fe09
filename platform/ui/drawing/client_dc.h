// platform/ui/drawing/client_dc.h: device contexts on a window: the one for painting the invalid
// part, and the one for drawing on the client area at any time.
#pragma once

#include "platform/ui/drawing/dc.h"

class CWnd;

struct PAINTSTRUCT {
    /// The background still needs erasing: WM_ERASEBKGND did not erase it.
    BOOL fErase = FALSE;
    /// The smallest rectangle around the part being painted.
    RECT rcPaint;
};

/// Made at the start of OnPaint: it draws only on the part that was invalid, erases that part
/// first when asked (WM_ERASEBKGND), and marks it painted.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);

    PAINTSTRUCT m_ps;
};

/// Draws on the window's whole client area, inside or outside painting.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
};
