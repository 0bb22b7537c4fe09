// platform/ui/detail/scroll_bar_adapter.h: a Qt scroll bar that keeps the classic scroll state
// and reports what the user does as scroll codes, and the own scroll bars of a window.
#pragma once

#include "platform/ui/dialogs/scroll_bar.h"

#include <QObject>
#include <QPointer>
#include <QScrollBar>

#include <functional>

namespace ui_detail {

/// Qt moves its slider by itself; a classic bar leaves the position to the program. The adapter
/// puts the slider back after each action and reports the action instead, so the thumb shows
/// what the program set. Only a thumb being dragged follows the pointer until it is let go.
class ScrollBarAdapter final : public QObject {
public:
    /// notify gets each scroll code with a position: the thumb's for SB_THUMBTRACK and
    /// SB_THUMBPOSITION, the bar's otherwise.
    ScrollBarAdapter(QScrollBar* bar, std::function<void(UINT code, int pos)> notify);
    ~ScrollBarAdapter() override;
    /// The adapter of a Qt scroll bar, or null.
    static ScrollBarAdapter* Of(const QScrollBar* bar);

    /// Applies the fields that info.fMask names and returns the position, kept within range.
    int Set(const SCROLLINFO& info);
    void Get(SCROLLINFO& info, UINT mask) const;
    /// Returns the previous position.
    int SetPos(int pos);
    int Pos() const { return m_pos; }
    /// Whether the range leaves anything to scroll.
    bool CanScroll() const;
    /// The last SetScrollInfo asked to keep the bar, disabled, when nothing can scroll.
    bool KeepsWhenIdle() const { return m_keepWhenIdle; }
    QScrollBar* Bar() const { return m_bar; }
    /// Does what a user's action on the bar does: a line, page or end step, or a thumb drag to
    /// thumbPos and its release.
    void Perform(UINT code, int thumbPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnAction(int action);
    void OnReleased();
    void EndScroll();
    /// Shows the state on the Qt bar without Qt reporting it back.
    void Show();
    int LastPos() const;

    QPointer<QScrollBar> m_bar;
    std::function<void(UINT, int)> m_notify;
    int m_min = 0;
    int m_max = 0;
    UINT m_page = 0;
    int m_pos = 0;
    int m_trackPos = 0;
    bool m_tracking = false;
    bool m_endPending = false;
    bool m_showing = false;
    bool m_keepWhenIdle = false;
};

namespace window_scroll {

/// Gives a window made with WS_HSCROLL or WS_VSCROLL its bars, shown as the style says.
void Attach(CWnd& wnd);
/// The window's horizontal (SB_HORZ) or vertical (SB_VERT) bar, made when create is set.
ScrollBarAdapter* Find(const CWnd& wnd, int bar, bool create);
/// Shows or hides the window's bar. The client area shrinks by a shown bar; when it changes
/// size the window gets WM_SIZE.
void SetVisible(CWnd& wnd, int bar, bool visible);

} // namespace window_scroll
} // namespace ui_detail
