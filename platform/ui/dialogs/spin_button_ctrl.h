// platform/ui/dialogs/spin_button_ctrl.h: the up-down control: two arrows that step a position
// within a range and can show it in a buddy window.
#pragma once

#include "platform/ui/windows/wnd.h"

// Up-down styles.
inline constexpr DWORD UDS_WRAP = 0x0001, UDS_SETBUDDYINT = 0x0002, UDS_ALIGNRIGHT = 0x0004,
                       UDS_ALIGNLEFT = 0x0008, UDS_AUTOBUDDY = 0x0010, UDS_ARROWKEYS = 0x0020,
                       UDS_HORZ = 0x0040, UDS_NOTHOUSANDS = 0x0080;
// Notifications (the code of WM_NOTIFY).
inline constexpr UINT UDN_FIRST = 0u - 721u;
inline constexpr UINT UDN_DELTAPOS = UDN_FIRST - 1;

/// What UDN_DELTAPOS carries: the position and the step proposed.
struct NMUPDOWN {
    NMHDR hdr;
    int iPos = 0;
    int iDelta = 0;
};

/// A click on the up arrow (the right one with UDS_HORZ) steps toward the upper end of the
/// range, the other arrow toward the lower end. The parent is asked with UDN_DELTAPOS (a nonzero
/// answer cancels the step); then the position moves (wrapping round with UDS_WRAP, else held at
/// the ends), the buddy shows it with UDS_SETBUDDYINT, and the parent gets WM_VSCROLL (WM_HSCROLL
/// with UDS_HORZ) with SB_THUMBPOSITION and the position, then SB_ENDSCROLL. The range starts as
/// 100 to 0, so the up arrow counts down until the program sets another.
class CSpinButtonCtrl : public CWnd {
public:
    CSpinButtonCtrl();
    ~CSpinButtonCtrl() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    /// With UDS_ALIGNRIGHT or UDS_ALIGNLEFT the control moves onto that edge of the buddy, which
    /// narrows to make room. Returns the previous buddy.
    CWnd* SetBuddy(CWnd* buddy);
    CWnd* GetBuddy() const;
    /// lower is the end the down arrow steps toward; it may be above upper.
    void SetRange32(int lower, int upper);
    void SetRange(short lower, short upper) { SetRange32(lower, upper); }
    void GetRange32(int& lower, int& upper) const;
    /// Holds the position within the range and shows it in the buddy; returns the old one.
    int SetPos32(int pos);
    int SetPos(int pos) { return SetPos32(pos); }
    /// The position; with UDS_SETBUDDYINT it is first read from the buddy's text, and error is
    /// set when that text is no number.
    int GetPos32(BOOL* error = nullptr) const;
    int GetPos() const { return GetPos32(); }

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    /// What a click on an arrow does: direction +1 toward upper, -1 toward lower.
    void Step(int direction);
    void ShowInBuddy();
    int Clamp(int pos) const;

    int m_lower = 100;
    int m_upper = 0;
    mutable int m_pos = 0;
};
