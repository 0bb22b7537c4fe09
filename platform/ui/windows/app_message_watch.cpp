// platform/ui/windows/app_message_watch.cpp: the application-wide message watches.
#include "platform/ui/windows/app_message_watch.h"

#include "platform/ui/detail/app_events.h"
#include "platform/ui/detail/watched_messages.h"
#include "platform/ui/detail/window_widget.h"

#include <QEvent>
#include <QMoveEvent>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

std::vector<IAppMessageWatch*> g_watches;

bool IsWatchedPress(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

bool IsWatchedDelivery(const MSG& msg)
{
    switch (msg.message) {
    case WM_SYSCOMMAND:
        return true;
    case WM_COMMAND:
        return msg.lParam == 0;
    case WM_SIZE: {
        const QWidget* widget = ui_detail::WidgetOf(msg.hwnd);
        return widget && widget->isWindow();
    }
    default:
        return false;
    }
}

void Tell(const MSG& msg)
{
    // A watch may remove itself, or another, while it is told.
    const std::vector<IAppMessageWatch*> watches = g_watches;
    for (IAppMessageWatch* watch : watches) {
        if (std::find(g_watches.begin(), g_watches.end(), watch) != g_watches.end())
            watch->OnAppMessage(msg);
    }
}

} // namespace

void InstallAppMessageWatch(IAppMessageWatch* watch)
{
    // Presses and moves come from the application's input filter, which sees them in every
    // widget, Qt's controls too.
    ui_detail::InstallInputFilter();
    if (watch && std::find(g_watches.begin(), g_watches.end(), watch) == g_watches.end())
        g_watches.push_back(watch);
}

void RemoveAppMessageWatch(IAppMessageWatch* watch)
{
    std::erase(g_watches, watch);
}

namespace ui_detail {

void ReportWatchedInput(const MSG& msg)
{
    if (!g_watches.empty() && IsWatchedPress(msg.message))
        Tell(msg);
}

void ReportWatchedMessage(const MSG& msg)
{
    if (!g_watches.empty() && IsWatchedDelivery(msg))
        Tell(msg);
}

void ReportWatchedEvent(QObject* receiver, const QEvent* event)
{
    if (g_watches.empty() || event->type() != QEvent::Move || !receiver->isWidgetType())
        return;
    // Qt sends a top-level window a move event when only its size is set.
    const auto* move = static_cast<const QMoveEvent*>(event);
    if (move->pos() == move->oldPos())
        return;
    auto* widget = static_cast<QWidget*>(receiver);
    CWnd* wnd = widget->isWindow() ? WndFromWidget(widget) : nullptr;
    if (!wnd)
        return;
    MSG msg;
    msg.hwnd = wnd;
    msg.message = WM_MOVE;
    msg.lParam = MAKELPARAM(WORD(widget->x()), WORD(widget->y()));
    Tell(msg);
}

} // namespace ui_detail
