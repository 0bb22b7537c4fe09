// platform/ui/edit.h: a single-line edit control that tells its parent when its text changes
// and when it gains or loses the focus.
#pragma once

#include "platform/ui/wnd.h"

// Edit styles.
inline constexpr DWORD ES_LEFT = 0x0000, ES_AUTOHSCROLL = 0x0080, ES_READONLY = 0x0800;
// Edit notifications: the high word of the WM_COMMAND the parent receives.
inline constexpr UINT EN_SETFOCUS = 0x0100, EN_KILLFOCUS = 0x0200, EN_CHANGE = 0x0300;

/// Keys, characters, clicks and focus reach the handlers first; the typing itself happens in
/// Default(), so a class derived from CEdit can take keys before the edit sees them. Every
/// change of the text, typed or set, sends EN_CHANGE.
class CEdit : public CWnd {
public:
    CEdit();
    ~CEdit() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Notify(UINT code);
};
