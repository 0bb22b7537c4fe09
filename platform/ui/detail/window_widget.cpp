// platform/ui/detail/window_widget.cpp: the self-drawing widget and the binding between window
// objects and widgets.
#include "platform/ui/detail/window_widget.h"

#include "platform/ui/detail/input_messages.h"
#include "platform/ui/detail/timer_service.h"
#include "platform/ui/detail/watched_messages.h"
#include "platform/ui/windows/subclass_wnd.h"
#include "platform/ui/windows/sys_metrics.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace ui_detail {
namespace {

constexpr const char* kWndProperty = "ardenvelWnd";

/// The widgets whose events are being handled, innermost last.
std::vector<const QWidget*> g_eventStack;

MSG SimpleMessage(CWnd& wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return MSG{&wnd, message, wParam, lParam, 0, {}};
}

/// WM_DESTROY, then the rest of the ending, for a widget going away without DestroyWindow.
void WidgetGone(CWnd& wnd)
{
    const std::weak_ptr<int> life = WndBridge::ImplOf(wnd).life;
    WndBridge::Deliver(wnd, SimpleMessage(wnd, WM_DESTROY), nullptr);
    if (life.expired())
        return;
    timers::KillAll(wnd);
    WndBridge::Detach(wnd);
}

} // namespace

EventScope::EventScope(const QWidget* widget)
{
    g_eventStack.push_back(widget);
}

EventScope::~EventScope()
{
    g_eventStack.pop_back();
}

WindowWidget::WindowWidget(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    // Context menus are asked for by the right button's default handling, as handlers expect.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setFocusPolicy(Qt::NoFocus);
}

WindowWidget::~WindowWidget()
{
    if (CWnd* wnd = WndFromWidget(this))
        WidgetGone(*wnd);
}

void WindowWidget::PaintInvalid()
{
    CWnd* wnd = WndFromWidget(this);
    if (!wnd || m_painting || m_surface.Invalid().isEmpty())
        return;
    const QPointer<WindowWidget> self(this);
    m_painting = true;
    WndBridge::Deliver(*wnd, SimpleMessage(*wnd, WM_PAINT), nullptr);
    if (!self)
        return;
    m_painting = false;
    // A handler that painted nothing still ends the request, or it would repeat forever.
    m_surface.Validate();
}

bool WindowWidget::event(QEvent* event)
{
    CWnd* wnd = WndFromWidget(this);
    if (!wnd)
        return QWidget::event(event);
    const EventScope scope(this);
    if (DispatchInput(*wnd, this, event, [this, event] { QWidget::event(event); }))
        return true;
    return QWidget::event(event);
}

void WindowWidget::paintEvent(QPaintEvent* event)
{
    PaintInvalid();
    QPainter painter(this);
    painter.drawImage(event->rect(), m_surface.Image(), event->rect());
}

void WindowWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (CWnd* wnd = WndFromWidget(this))
        WndBridge::SizeChanged(*wnd);
    else
        m_surface.Resize(width(), height(), GetSysColor(COLOR_WINDOW));
}

LRESULT WndBridge::Deliver(CWnd& wnd, const MSG& msg, QtEventLink* link)
{
    ReportWatchedMessage(msg);
    CWnd::Impl& impl = *wnd.m_impl;
    const std::weak_ptr<int> life = impl.life;
    CWnd::Impl::Frame frame{msg, link, impl.current};
    impl.current = &frame;
    const LRESULT result =
        CSubclassWndMap::Get().Dispatch(wnd, msg.message, msg.wParam, msg.lParam);
    if (!life.expired())
        impl.current = frame.outer;
    return result;
}

void WndBridge::Attach(CWnd& wnd, QWidget* widget)
{
    CWnd::Impl& impl = *wnd.m_impl;
    impl.widget = widget;
    impl.reportedSize = QSize(-1, -1);
    widget->setProperty(kWndProperty, QVariant::fromValue(static_cast<void*>(&wnd)));
    const std::weak_ptr<int> life = impl.life;
    QObject::connect(widget, &QObject::destroyed, [life, &wnd, widget](QObject*) {
        // A widget that Qt deletes (with its parent) ends its window; DestroyWindow and a
        // self-drawing widget's destructor have unbound it before.
        if (!life.expired() && wnd.m_impl->boundWidget == widget)
            WidgetGone(wnd);
    });
    impl.boundWidget = widget;
}

void WndBridge::SizeChanged(CWnd& wnd)
{
    CWnd::Impl& impl = *wnd.m_impl;
    QWidget* widget = impl.widget;
    if (!widget || widget->size() == impl.reportedSize)
        return;
    impl.reportedSize = widget->size();
    if (auto* own = dynamic_cast<WindowWidget*>(widget))
        own->GetSurface().Resize(widget->width(), widget->height(), GetSysColor(COLOR_WINDOW));
    const UINT kind = widget->isMinimized()   ? SIZE_MINIMIZED
                      : widget->isMaximized() ? SIZE_MAXIMIZED
                                              : SIZE_RESTORED;
    CRect client; // without the window's scroll bars
    wnd.GetClientRect(&client);
    const LPARAM size = MAKELPARAM(WORD(client.Width()), WORD(client.Height()));
    Deliver(wnd, SimpleMessage(wnd, WM_SIZE, kind, size), nullptr);
}

void WndBridge::Detach(CWnd& wnd)
{
    CWnd::Impl& impl = *wnd.m_impl;
    if (!impl.boundWidget)
        return;
    const std::weak_ptr<int> life = impl.life;
    Deliver(wnd, SimpleMessage(wnd, WM_NCDESTROY), nullptr);
    if (life.expired())
        return;
    if (impl.widget)
        impl.widget->setProperty(kWndProperty, QVariant());
    impl.widget = nullptr;
    impl.boundWidget = nullptr;
    impl.reportedSize = QSize(-1, -1);
    wnd.PostNcDestroy();
}

CWnd* WndFromWidget(const QWidget* widget)
{
    if (!widget)
        return nullptr;
    return static_cast<CWnd*>(widget->property(kWndProperty).value<void*>());
}

CWnd* NearestWnd(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget())
        if (CWnd* wnd = WndFromWidget(widget))
            return wnd;
    return nullptr;
}

QWidget* WidgetOf(const CWnd* wnd)
{
    return wnd ? WndBridge::ImplOf(const_cast<CWnd&>(*wnd)).widget.data() : nullptr;
}

Surface* SurfaceOf(QWidget* widget)
{
    auto* own = dynamic_cast<WindowWidget*>(widget);
    return own ? &own->GetSurface() : nullptr;
}

bool InsideEventOf(const QWidget* widget)
{
    return std::any_of(g_eventStack.begin(), g_eventStack.end(), [widget](const QWidget* busy) {
        return busy == widget || widget->isAncestorOf(busy);
    });
}

} // namespace ui_detail
