// platform/ui/detail/input_messages.h: turns Qt's input, focus and close events into the
// messages a window's handlers receive.
#pragma once

#include "platform/base/types.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

#include <functional>

class CWnd;

namespace ui_detail {

/// Sends the messages of a mouse, wheel, key, focus or close event of widget to wnd, and
/// decides whether Qt passes the event on. passOn runs Qt's own handling of the event; it runs
/// when a handler calls Default(). A key press that types text gives WM_KEYDOWN and then
/// WM_CHAR; Qt sees the key only when both were left to Default(). A wheel turn left to
/// Default() goes to the parent window, or to Qt when the parent is no window. False for
/// other events.
bool DispatchInput(CWnd& wnd, QWidget* widget, QEvent* event, const std::function<void()>& passOn);

/// The MK_ flags of the modifier keys and mouse buttons.
UINT MouseKeyFlags(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

/// The button message (WM_LBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDBLCLK, ...) of a press,
/// release or double click of button; 0 for another event or button.
UINT MouseButtonMessage(QEvent::Type type, Qt::MouseButton button);

/// A point of an event in whole pixels, rounded down.
QPoint FloorPoint(QPointF p);

/// A point as a mouse message's lParam carries it.
LPARAM PackPoint(QPoint p);

/// The key message of a key press or release and its lParam (repeat count and KF_ flags); with
/// Alt held and Ctrl not it is a system key (WM_SYSKEYDOWN, WM_SYSKEYUP) and alt is set.
struct KeyStroke {
    UINT message = 0;
    LPARAM lParam = 0;
    bool alt = false;
};
KeyStroke KeyStrokeOf(const QKeyEvent* event);

} // namespace ui_detail
