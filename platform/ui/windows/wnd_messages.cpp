// platform/ui/windows/wnd_messages.cpp: messages to handlers, and the standard behaviour that
// Default() gives each of them.
#include "platform/ui/windows/wnd.h"

#include "platform/ui/detail/waiting_keys.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/windows/sys_metrics.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include <algorithm>
#include <mutex>
#include <vector>

using ui_detail::WndBridge;

namespace {

/// A colour request's message number less its CTLCOLOR_ kind.
constexpr UINT kCtlColorBase = WM_CTLCOLOREDIT - CTLCOLOR_EDIT;

CPoint PointOf(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

LPARAM PackScreenPoint(CPoint point)
{
    return MAKELPARAM(WORD(point.x), WORD(point.y));
}

QEvent::Type PostedMessageType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

class PostedMessageEvent;

/// The messages posted and not yet delivered or dropped, for IsMessageQueued.
class WaitingMessages {
public:
    void Add(const PostedMessageEvent* event);
    void Remove(const PostedMessageEvent* event)
    {
        // A key-down is counted for IsKeyDownWaiting as well.
        ui_detail::UncountPostedKey(event);
        const std::lock_guard lock(m_mutex);
        m_events.erase(std::remove(m_events.begin(), m_events.end(), event), m_events.end());
    }
    bool Contains(const QWidget* widget, UINT message);

private:
    std::mutex m_mutex;
    std::vector<const PostedMessageEvent*> m_events;
};

WaitingMessages& Waiting()
{
    static auto* waiting = new WaitingMessages;
    return *waiting;
}

/// A posted message on its way: the event that carries it through Qt's queue. It waits from
/// its making until it is delivered or Qt drops it.
class PostedMessageEvent final : public QEvent {
public:
    PostedMessageEvent(QWidget* widget, const MSG& msg)
        : QEvent(PostedMessageType()), target(widget), message(msg)
    {
        Waiting().Add(this);
    }
    ~PostedMessageEvent() override { Waiting().Remove(this); }
    PostedMessageEvent(const PostedMessageEvent&) = delete;
    PostedMessageEvent& operator=(const PostedMessageEvent&) = delete;

    const QPointer<QWidget> target;
    const MSG message;
};

void WaitingMessages::Add(const PostedMessageEvent* event)
{
    if (event->message.message == WM_KEYDOWN)
        ui_detail::CountPostedKey(event, event->target, UINT(event->message.wParam));
    const std::lock_guard lock(m_mutex);
    m_events.push_back(event);
}

bool WaitingMessages::Contains(const QWidget* widget, UINT message)
{
    const std::lock_guard lock(m_mutex);
    return std::any_of(m_events.begin(), m_events.end(), [&](const PostedMessageEvent* event) {
        return event->target == widget && event->message.message == message;
    });
}

/// Receives every posted message on the interface thread and hands it to its window, which
/// may have ended meanwhile: the message is then dropped.
class PostedMessageCourier final : public QObject {
public:
    bool event(QEvent* event) override
    {
        if (event->type() != PostedMessageType())
            return QObject::event(event);
        auto* posted = static_cast<PostedMessageEvent*>(event);
        Waiting().Remove(posted); // a handler that asks sees this message as delivered
        if (CWnd* wnd = ui_detail::WndFromWidget(posted->target))
            wnd->SendMessage(posted->message.message, posted->message.wParam,
                             posted->message.lParam);
        return true;
    }
};

QObject* Courier()
{
    static QObject* courier = [] {
        auto* made = new PostedMessageCourier;
        made->moveToThread(QCoreApplication::instance()->thread());
        return made;
    }();
    return courier;
}

} // namespace

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!GetSafeHwnd())
        return 0;
    MSG msg;
    msg.hwnd = this;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    return WndBridge::Deliver(*this, msg, nullptr);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    QWidget* widget = m_impl->widget;
    if (!widget || !QCoreApplication::instance())
        return FALSE;
    MSG msg;
    msg.hwnd = this;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    QCoreApplication::postEvent(Courier(), new PostedMessageEvent(widget, msg));
    return TRUE;
}

BOOL CWnd::IsMessageQueued(UINT message) const
{
    const QWidget* widget = m_impl->widget;
    return widget && Waiting().Contains(widget, message) ? TRUE : FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    bool handled = true;
    const LRESULT result = DispatchInputMessage(message, wParam, lParam, handled);
    return handled ? result : DispatchWindowMessage(message, wParam, lParam);
}

LRESULT CWnd::DispatchInputMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    const UINT flags = UINT(wParam);
    const CPoint point = PointOf(lParam);
    switch (message) {
    case WM_MOUSEMOVE:
        OnMouseMove(flags, point);
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(flags, point);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(flags, point);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(flags, point);
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(flags, point);
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(flags, point);
        return 0;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(flags, point);
        return 0;
    case WM_MBUTTONDOWN:
        OnMButtonDown(flags, point);
        return 0;
    case WM_MBUTTONUP:
        OnMButtonUp(flags, point);
        return 0;
    case WM_MBUTTONDBLCLK:
        OnMButtonDblClk(flags, point);
        return 0;
    case WM_MOUSEWHEEL:
        return OnMouseWheel(LOWORD(wParam), GET_WHEEL_DELTA_WPARAM(wParam), point);
    case WM_KEYDOWN:
        OnKeyDown(flags, LOWORD(std::uintptr_t(lParam)), HIWORD(std::uintptr_t(lParam)));
        return 0;
    case WM_KEYUP:
        OnKeyUp(flags, LOWORD(std::uintptr_t(lParam)), HIWORD(std::uintptr_t(lParam)));
        return 0;
    case WM_CHAR:
        OnChar(flags, LOWORD(std::uintptr_t(lParam)), HIWORD(std::uintptr_t(lParam)));
        return 0;
    default:
        handled = false;
        return 0;
    }
}

LRESULT CWnd::DispatchWindowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCT*>(lParam));
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_SIZE:
        OnSize(UINT(wParam), LOWORD(std::uintptr_t(lParam)), HIWORD(std::uintptr_t(lParam)));
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<CDC*>(wParam));
    case WM_ENABLE:
        OnEnable(BOOL(wParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_SETFOCUS:
        OnSetFocus(reinterpret_cast<CWnd*>(wParam));
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<CWnd*>(wParam));
        return 0;
    case WM_TIMER:
        OnTimer(UINT_PTR(wParam));
        return 0;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<CScrollBar*>(lParam));
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<CScrollBar*>(lParam));
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<CWnd*>(wParam), PointOf(lParam));
        return 0;
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_NOTIFY: {
        LRESULT result = 0;
        OnNotify(wParam, lParam, &result);
        return result;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        return LRESULT(OnCtlColor(reinterpret_cast<CDC*>(wParam), reinterpret_cast<CWnd*>(lParam),
                                  message - kCtlColorBase));
    default:
        return DefWindowProc(message, wParam, lParam);
    }
}

LRESULT CWnd::Default()
{
    const Impl::Frame* frame = m_impl->current;
    if (!frame)
        return 0;
    return DefWindowProc(frame->msg.message, frame->msg.wParam, frame->msg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const Impl::Frame* frame = m_impl->current;
    ui_detail::QtEventLink* link = frame && frame->msg.message == message ? frame->link : nullptr;
    if (link) {
        link->defaulted = true;
        if (link->passOn && !link->passed) {
            link->passed = true;
            link->passOn();
        }
    }
    return StandardBehaviour(message, wParam, lParam);
}

LRESULT CWnd::StandardBehaviour(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        CPaintDC dc(this); // erases when asked and ends the request
        return 0;
    }
    case WM_ERASEBKGND: {
        auto* dc = reinterpret_cast<CDC*>(wParam);
        if (!dc)
            return 0;
        CRect client;
        GetClientRect(&client);
        CBrush background(GetSysColor(COLOR_WINDOW));
        dc->FillRect(&client, &background);
        return 1;
    }
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_RBUTTONUP: {
        CPoint point = PointOf(lParam);
        ClientToScreen(&point);
        SendMessage(WM_CONTEXTMENU, WPARAM(this), PackScreenPoint(point));
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_APPS || (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0))
            SendMessage(WM_CONTEXTMENU, WPARAM(this), PackScreenPoint({-1, -1}));
        return 0;
    case WM_GETDLGCODE: // a window's own handlers see every key unless it answers otherwise
        return DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
        if (GetStyle() & WS_CHILD)
            if (CWnd* parent = GetParent())
                return parent->SendMessage(message, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

void CWnd::PostNcDestroy() {}

int CWnd::OnCreate(CREATESTRUCT*)
{
    return int(Default());
}
void CWnd::OnDestroy()
{
    Default();
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
void CWnd::OnPaint()
{
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return BOOL(Default());
}
void CWnd::OnEnable(BOOL)
{
    Default();
}
void CWnd::OnClose()
{
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return BOOL(Default());
}
void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}
void CWnd::OnKillFocus(CWnd*)
{
    Default();
}
void CWnd::OnTimer(UINT_PTR)
{
    Default();
}
void CWnd::OnHScroll(UINT, UINT, CScrollBar*)
{
    Default();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*)
{
    Default();
}
void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

HBRUSH CWnd::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    LRESULT result = 0;
    if (wnd && wnd != this && wnd->GetSafeHwnd() &&
        wnd->OnChildNotify(ctlColor + kCtlColorBase, WPARAM(dc), LPARAM(wnd), &result))
        return reinterpret_cast<HBRUSH>(result);
    return nullptr;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Menus and accelerators send no control; a control sends its notification code.
    const int code = lParam ? int(HIWORD(wParam)) : CN_COMMAND;
    return OnCmdMsg(LOWORD(wParam), code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header)
        return FALSE;
    CWnd* control = header->hwndFrom;
    if (control && control != this && control->GetSafeHwnd() &&
        control->OnChildNotify(WM_NOTIFY, wParam, lParam, result))
        return TRUE;
    AFX_NOTIFY notify{result, header};
    return OnCmdMsg(UINT(header->idFrom), int(header->code), &notify, nullptr);
}
