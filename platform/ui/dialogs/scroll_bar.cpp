// platform/ui/dialogs/scroll_bar.cpp: a window's own scroll bars, and the scroll bar control.
#include "platform/ui/dialogs/scroll_bar.h"

#include "platform/ui/detail/scroll_bar_adapter.h"
#include "platform/ui/detail/widget_windows.h"

namespace {

using ui_detail::ScrollBarAdapter;
namespace window_scroll = ui_detail::window_scroll;

bool IsOwnBar(int bar)
{
    return bar == SB_HORZ || bar == SB_VERT;
}

/// A window's bar shows while there is something to scroll, or disabled when asked to stay.
void ShowAsNeeded(CWnd& wnd, int bar, const ScrollBarAdapter& adapter)
{
    window_scroll::SetVisible(wnd, bar, adapter.CanScroll() || adapter.KeepsWhenIdle());
}

} // namespace

BOOL CWnd::SetScrollInfo(int bar, const SCROLLINFO* info, BOOL /*redraw*/)
{
    if (!info || !IsOwnBar(bar))
        return FALSE;
    ScrollBarAdapter* adapter = window_scroll::Find(*this, bar, true);
    if (!adapter)
        return FALSE;
    adapter->Set(*info);
    ShowAsNeeded(*this, bar, *adapter);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int bar, SCROLLINFO* info, UINT mask) const
{
    const ScrollBarAdapter* adapter =
        IsOwnBar(bar) ? window_scroll::Find(*this, bar, false) : nullptr;
    if (!info || !adapter)
        return FALSE;
    adapter->Get(*info, mask);
    return TRUE;
}

int CWnd::SetScrollPos(int bar, int pos, BOOL /*redraw*/)
{
    ScrollBarAdapter* adapter = IsOwnBar(bar) ? window_scroll::Find(*this, bar, true) : nullptr;
    return adapter ? adapter->SetPos(pos) : 0;
}

int CWnd::GetScrollPos(int bar) const
{
    const ScrollBarAdapter* adapter =
        IsOwnBar(bar) ? window_scroll::Find(*this, bar, false) : nullptr;
    return adapter ? adapter->Pos() : 0;
}

void CWnd::ShowScrollBar(UINT bar, BOOL show)
{
    if (bar == SB_HORZ || bar == SB_BOTH)
        window_scroll::SetVisible(*this, SB_HORZ, show != FALSE);
    if (bar == SB_VERT || bar == SB_BOTH)
        window_scroll::SetVisible(*this, SB_VERT, show != FALSE);
}

CScrollBar::CScrollBar() = default;

CScrollBar::~CScrollBar()
{
    // The adapter goes first, so destroying the widget reports nothing.
    m_adapter.reset();
}

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    QWidget* parentWidget = ui_detail::WidgetOf(parent);
    if (!parentWidget || GetSafeHwnd())
        return FALSE;
    const bool vertical = (style & SBS_VERT) != 0;
    auto* bar = new QScrollBar(vertical ? Qt::Vertical : Qt::Horizontal, parentWidget);
    const UINT message = vertical ? WM_VSCROLL : WM_HSCROLL;
    m_adapter = std::make_unique<ScrollBarAdapter>(bar, [this, message](UINT code, int pos) {
        if (CWnd* owner = GetParent())
            owner->SendMessage(message, MAKEWPARAM(WORD(code), WORD(pos)), LPARAM(this));
    });
    m_adapter->Set(SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0});
    ui_detail::CreateArgs args;
    args.style = style | WS_CHILD;
    args.parent = parent;
    args.id = id;
    args.rect = &rect;
    if (ui_detail::CreateOver(*this, bar, args))
        return TRUE;
    m_adapter.reset();
    return FALSE;
}

BOOL CScrollBar::SetScrollInfo(const SCROLLINFO* info, BOOL /*redraw*/)
{
    if (!info || !m_adapter)
        return FALSE;
    m_adapter->Set(*info);
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(SCROLLINFO* info, UINT mask) const
{
    if (!info || !m_adapter)
        return FALSE;
    m_adapter->Get(*info, mask);
    return TRUE;
}

int CScrollBar::SetScrollPos(int pos, BOOL /*redraw*/)
{
    return m_adapter ? m_adapter->SetPos(pos) : 0;
}

int CScrollBar::GetScrollPos() const
{
    return m_adapter ? m_adapter->Pos() : 0;
}

void CScrollBar::SetScrollRange(int minPos, int maxPos, BOOL redraw)
{
    const SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
    SetScrollInfo(&info, redraw);
}
