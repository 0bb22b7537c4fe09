// platform/ui/dialogs/scroll_bar.h: scroll bars: the classic scroll state (range, page, position),
// the scroll codes handlers receive, and the scroll bar control.
#pragma once

#include "platform/ui/windows/wnd.h"

#include <memory>

namespace ui_detail {
class ScrollBarAdapter;
}

// Which bar: a window's own horizontal or vertical bar, a scroll bar control, or both own bars.
inline constexpr int SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3;

// Scroll codes: the low word of WM_HSCROLL and WM_VSCROLL.
inline constexpr UINT SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1,
                      SB_PAGEUP = 2, SB_PAGELEFT = 2, SB_PAGEDOWN = 3, SB_PAGERIGHT = 3,
                      SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6,
                      SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8;

// Which fields of a SCROLLINFO count.
inline constexpr UINT SIF_RANGE = 0x01, SIF_PAGE = 0x02, SIF_POS = 0x04, SIF_DISABLENOSCROLL = 0x08,
                      SIF_TRACKPOS = 0x10, SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// Scroll bar control styles.
inline constexpr DWORD SBS_HORZ = 0x0000, SBS_VERT = 0x0001;

/// The state of one scroll bar. The last position is nMax - nPage + 1 (nMax with no page).
/// nTrackPos is where the thumb is being dragged; it is only read.
struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

/// A scroll bar control. Its actions reach the parent as WM_HSCROLL or WM_VSCROLL with the bar
/// as the handler's bar argument. The bar never moves by itself: the thumb stays where the
/// program put it, except while the user drags it.
class CScrollBar : public CWnd {
public:
    CScrollBar();
    ~CScrollBar() override;

    /// style holds SBS_VERT for an upright bar; the range starts as 0 to 0.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    BOOL SetScrollInfo(const SCROLLINFO* info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(SCROLLINFO* info, UINT mask = SIF_ALL) const;
    /// Returns the previous position.
    int SetScrollPos(int pos, BOOL redraw = TRUE);
    int GetScrollPos() const;
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE);

private:
    std::unique_ptr<ui_detail::ScrollBarAdapter> m_adapter;
};
