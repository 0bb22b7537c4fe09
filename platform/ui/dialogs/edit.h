// platform/ui/dialogs/edit.h: the edit control, single- or multi-line, that tells its parent when
// its text changes and when it gains or loses the focus.
#pragma once

#include "platform/ui/windows/wnd.h"

// Edit styles.
inline constexpr DWORD ES_LEFT = 0x0000, ES_CENTER = 0x0001, ES_RIGHT = 0x0002,
                       ES_MULTILINE = 0x0004, ES_PASSWORD = 0x0020, ES_AUTOVSCROLL = 0x0040,
                       ES_AUTOHSCROLL = 0x0080, ES_READONLY = 0x0800, ES_WANTRETURN = 0x1000;
// Edit notifications: the high word of the WM_COMMAND the parent receives.
inline constexpr UINT EN_SETFOCUS = 0x0100, EN_KILLFOCUS = 0x0200, EN_CHANGE = 0x0300;

/// Keys, characters, clicks and focus reach the handlers first; the typing itself happens in
/// Default(), so a class derived from CEdit can take keys before the edit sees them. Every
/// change of the text, typed or set, sends EN_CHANGE.
///
/// Positions and lengths count UTF-8 bytes of the text as GetWindowText gives it. A multi-line
/// edit (ES_MULTILINE) gives and takes its lines joined by CR LF, and a line break counts two;
/// without ES_WANTRETURN it leaves Enter to the dialog's default button.
class CEdit : public CWnd {
public:
    CEdit();
    ~CEdit() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    /// Selects from start to end (end -1: to the end of the text; start -1: no selection, the
    /// caret stays) and shows the caret unless noScroll.
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    /// The selection's start in the low word and its end in the high word.
    DWORD GetSel() const;
    /// Puts text in place of the selection, or at the caret.
    void ReplaceSel(const char* text, BOOL canUndo = FALSE);
    /// The most characters the user may type; 0 lifts the limit. A single-line edit also cuts
    /// text set in code to the limit; a multi-line one keeps it whole.
    void LimitText(int maxChars = 0);
    void SetLimitText(UINT maxChars) { LimitText(int(maxChars)); }
    UINT GetLimitText() const;
    /// Whether the user changed the text since it was set or since SetModify(FALSE).
    BOOL GetModify() const;
    void SetModify(BOOL modified = TRUE);
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    /// Scrolls the caret into view.
    void ScrollCaret();
    void Cut();
    void Copy();
    void Paste();
    /// Deletes the selection.
    void Clear();

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Notify(UINT code);
};
