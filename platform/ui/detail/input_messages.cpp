// platform/ui/detail/input_messages.cpp: the message of each input event and what Qt then
// does with the event.
#include "platform/ui/detail/input_messages.h"

#include "platform/base/clock.h"
#include "platform/ui/detail/dialog_widget.h"
#include "platform/ui/detail/key_map.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/windows/cursor.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace ui_detail {
namespace {

/// The window that the last mouse message went to.
QPointer<QWidget> g_mouseWindow;

QPointer<QWidget> g_focusLeaving;

MSG MakeMessage(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, QPoint global)
{
    return MSG{&wnd, message, wParam, lParam, GetTickCount(), {global.x(), global.y()}};
}

/// Whether the window is still bound to the widget after a handler ran.
bool StillBound(CWnd* wnd, const QPointer<QWidget>& widget)
{
    return widget && WndFromWidget(widget) == wnd;
}

bool DispatchMouse(CWnd& wnd, QMouseEvent* event, const std::function<void()>& passOn)
{
    NoteInputState(event->modifiers(), event->buttons());
    const UINT message = event->type() == QEvent::MouseMove
                             ? WM_MOUSEMOVE
                             : MouseButtonMessage(event->type(), event->button());
    if (!message) {
        passOn();
        return true;
    }
    const WPARAM flags = MouseKeyFlags(event->modifiers(), event->buttons());
    const MSG msg = MakeMessage(wnd, message, flags, PackPoint(FloorPoint(event->position())),
                                FloorPoint(event->globalPosition()));
    QtEventLink link{passOn};
    WndBridge::Deliver(wnd, msg, &link);
    event->accept(); // mouse messages never travel on to the parent
    return true;
}

bool DispatchWheel(CWnd& wnd, QWidget* widget, QWheelEvent* event,
                   const std::function<void()>& passOn)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        passOn();
        return true;
    }
    NoteInputState(event->modifiers(), event->buttons());
    const QPoint global = FloorPoint(event->globalPosition());
    const WPARAM wParam =
        MAKEWPARAM(WORD(MouseKeyFlags(event->modifiers(), event->buttons())), WORD(short(delta)));
    // Left to Default(), the wheel goes to the parent window; a window whose parent is no
    // window leaves the event to Qt, which offers it to the parent widget.
    QtEventLink link;
    const QPointer<QWidget> guard(widget);
    WndBridge::Deliver(wnd, MakeMessage(wnd, WM_MOUSEWHEEL, wParam, PackPoint(global), global),
                       &link);
    const bool toQt = link.defaulted && guard && !NearestWnd(guard->parentWidget());
    event->setAccepted(!toQt);
    return true;
}

/// The characters a key press types, as WM_CHAR sends them.
QString TypedText(const QKeyEvent* event, UINT vk)
{
    if (vk == VK_DELETE)
        return {};
    QString text = event->text();
    text.remove(QChar(0x7F));
    return text;
}

/// Whether the dialog around the control takes the key: Tab, Enter and Escape without Ctrl or
/// Alt, when the control's dialog code does not keep them.
bool LeftToDialog(CWnd& wnd, QWidget* widget, UINT vk, Qt::KeyboardModifiers modifiers)
{
    if ((vk != VK_TAB && vk != VK_RETURN && vk != VK_ESCAPE) ||
        (modifiers & (Qt::ControlModifier | Qt::AltModifier)) ||
        !dynamic_cast<DialogWidget*>(widget->window()) || widget->window() == widget)
        return false;
    const LRESULT code =
        WndBridge::Deliver(wnd, MakeMessage(wnd, WM_GETDLGCODE, vk, 0, QCursor::pos()), nullptr);
    return !(code & DLGC_WANTALLKEYS) && !(vk == VK_TAB && (code & DLGC_WANTTAB));
}

bool DispatchKey(CWnd& wnd, QWidget* widget, QKeyEvent* event, const std::function<void()>& passOn)
{
    // Keys belong to the focus window; one passed up from a focused child goes on unhandled.
    const QWidget* focus = QApplication::focusWidget();
    if (focus && focus != widget && widget->isAncestorOf(focus)) {
        passOn();
        return true;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    NoteInputState(modifiers, QGuiApplication::mouseButtons());
    const UINT vk = VirtualKeyFromQt(event->key(), modifiers);
    if (!vk) {
        passOn();
        return true;
    }
    const bool press = event->type() == QEvent::KeyPress;
    NoteKey(vk, press);
    if (LeftToDialog(wnd, widget, vk, modifiers)) {
        passOn(); // as the dialog's own key, past the control's handlers
        return true;
    }
    const KeyStroke key = KeyStrokeOf(event);
    const QString text = press ? TypedText(event, vk) : QString();
    const QPoint global = QCursor::pos();
    const QPointer<QWidget> guard(widget);

    QtEventLink keyLink;
    if (text.isEmpty())
        keyLink.passOn = passOn;
    WndBridge::Deliver(wnd, MakeMessage(wnd, key.message, vk, key.lParam, global), &keyLink);
    bool passed = keyLink.passed;
    if (!text.isEmpty()) {
        QtEventLink charLink;
        if (keyLink.defaulted)
            charLink.passOn = passOn;
        const UINT charMessage = key.alt ? WM_SYSCHAR : WM_CHAR;
        for (const char32_t c : text.toUcs4()) {
            if (!StillBound(&wnd, guard))
                break;
            WndBridge::Deliver(wnd, MakeMessage(wnd, charMessage, c, key.lParam, global),
                               &charLink);
        }
        passed = charLink.passed;
    }
    // A key the handlers kept goes no further; one passed to Qt goes on to the parent only when
    // Qt's control left it, so that Tab moves the focus once.
    if (!passed)
        event->accept();
    return true;
}

bool DispatchFocus(CWnd& wnd, QWidget* widget, QFocusEvent* event,
                   const std::function<void()>& passOn)
{
    passOn(); // Qt keeps its own focus bookkeeping whatever the handler does
    const QPointer<QWidget> guard(widget);
    if (event->gotFocus()) {
        CWnd* old = NearestWnd(g_focusLeaving);
        WndBridge::Deliver(wnd, MakeMessage(wnd, WM_SETFOCUS, WPARAM(old), 0, QCursor::pos()),
                           nullptr);
    } else {
        g_focusLeaving = guard;
        CWnd* next = NearestWnd(QApplication::focusWidget());
        WndBridge::Deliver(wnd, MakeMessage(wnd, WM_KILLFOCUS, WPARAM(next), 0, QCursor::pos()),
                           nullptr);
    }
    return true;
}

bool DispatchClose(CWnd& wnd, QEvent* event, const std::function<void()>& passOn)
{
    QtEventLink link{passOn};
    WndBridge::Deliver(wnd, MakeMessage(wnd, WM_CLOSE, 0, 0, QCursor::pos()), &link);
    event->setAccepted(link.passed); // a handler that does not call Default() keeps the window
    return true;
}

} // namespace

UINT MouseKeyFlags(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    UINT flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

UINT MouseButtonMessage(QEvent::Type type, Qt::MouseButton button)
{
    UINT down = 0;
    switch (button) {
    case Qt::LeftButton:
        down = WM_LBUTTONDOWN;
        break;
    case Qt::RightButton:
        down = WM_RBUTTONDOWN;
        break;
    case Qt::MiddleButton:
        down = WM_MBUTTONDOWN;
        break;
    default:
        return 0;
    }
    switch (type) {
    case QEvent::MouseButtonPress:
        return down;
    case QEvent::MouseButtonRelease:
        return down + 1;
    case QEvent::MouseButtonDblClick:
        return down + 2;
    default:
        return 0;
    }
}

QPoint FloorPoint(QPointF p)
{
    return {int(std::floor(p.x())), int(std::floor(p.y()))};
}

LPARAM PackPoint(QPoint p)
{
    return MAKELPARAM(WORD(p.x()), WORD(p.y()));
}

KeyStroke KeyStrokeOf(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool press = event->type() == QEvent::KeyPress;
    KeyStroke key;
    key.alt = (modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier);
    UINT flags = key.alt ? KF_ALTDOWN : 0;
    if (press && event->isAutoRepeat())
        flags |= KF_REPEAT;
    if (!press)
        flags |= KF_REPEAT | KF_UP;
    key.lParam = MAKELPARAM(WORD(std::max(event->count(), 1)), WORD(flags));
    key.message =
        press ? (key.alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (key.alt ? WM_SYSKEYUP : WM_KEYUP);
    return key;
}

bool DispatchInput(CWnd& wnd, QWidget* widget, QEvent* event, const std::function<void()>& passOn)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        g_mouseWindow = widget;
        return DispatchMouse(wnd, static_cast<QMouseEvent*>(event), passOn);
    case QEvent::Wheel:
        return DispatchWheel(wnd, widget, static_cast<QWheelEvent*>(event), passOn);
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return DispatchKey(wnd, widget, static_cast<QKeyEvent*>(event), passOn);
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        return DispatchFocus(wnd, widget, static_cast<QFocusEvent*>(event), passOn);
    case QEvent::Close:
        return DispatchClose(wnd, event, passOn);
    default:
        return false;
    }
}

} // namespace ui_detail

CWnd* GetWindowUnderMouse()
{
    return ui_detail::g_mouseWindow ? ui_detail::WndFromWidget(ui_detail::g_mouseWindow) : nullptr;
}
