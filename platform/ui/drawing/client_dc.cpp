// platform/ui/drawing/client_dc.cpp: window device contexts on the window's surface.
#include "platform/ui/drawing/client_dc.h"

#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/windows/wnd.h"

CPaintDC::CPaintDC(CWnd* wnd)
{
    auto* widget = dynamic_cast<ui_detail::WindowWidget*>(ui_detail::WidgetOf(wnd));
    if (!widget)
        return;
    ui_detail::Surface& surface = widget->GetSurface();
    const QRegion region = surface.Invalid();
    const bool erase = surface.NeedsErase();
    surface.Validate();
    ui_detail::DcAccess::AttachWindow(*this, *wnd, region);
    const QRect box = region.boundingRect();
    m_ps.rcPaint = CRect(box.left(), box.top(), box.left() + box.width(), box.top() + box.height());
    if (erase)
        m_ps.fErase = wnd->SendMessage(WM_ERASEBKGND, WPARAM(static_cast<CDC*>(this))) == 0;
}

CClientDC::CClientDC(CWnd* wnd)
{
    if (wnd && wnd->GetSafeHwnd())
        ui_detail::DcAccess::AttachWindow(*this, *wnd, std::nullopt);
}
