// platform/ui/dialogs/rich_edit_ctrl.h: the rich edit control, which shows formatted text given as
// HTML.
#pragma once

#include "platform/ui/windows/wnd.h"

/// SetWindowText takes HTML, or plain text when it holds no mark-up; GetWindowText gives the
/// plain text, lines joined with CR LF. The edit styles of edit.h apply (ES_READONLY,
/// WS_VSCROLL, WS_HSCROLL).
class CRichEditCtrl : public CWnd {
public:
    CRichEditCtrl();
    ~CRichEditCtrl() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    /// The window height that shows the whole text at the window's present width, frame
    /// included; 0 before Create.
    int GetRequestedHeight() const;
};
