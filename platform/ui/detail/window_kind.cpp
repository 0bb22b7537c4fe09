// platform/ui/detail/window_kind.cpp: the window flags of popups and tool windows, and the frame
// line that a bordered top-level window draws over its edge.
#include "platform/ui/detail/window_kind.h"

#include "platform/ui/detail/colour.h"
#include "platform/ui/windows/sys_metrics.h"
#include "platform/ui/windows/wnd.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QRegion>
#include <QWidget>
#include <QWindow>

namespace ui_detail {
namespace {

constexpr const char* kPopupProperty = "ardenvelPopup";

/// A one-pixel line round the edge of its window, above the window's children and letting the
/// mouse through to them.
class FrameLine final : public QWidget {
public:
    explicit FrameLine(QWidget* window) : QWidget(window)
    {
        setObjectName(QStringLiteral("ardenvelFrameLine"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        window->installEventFilter(this);
        Follow();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent()) {
            switch (event->type()) {
            case QEvent::Resize:
                Follow();
                break;
            case QEvent::ChildAdded:
            case QEvent::Show:
                raise();
                break;
            default:
                break;
            }
        }
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), ToQColor(GetSysColor(COLOR_WINDOWFRAME)));
    }

private:
    void Follow()
    {
        const QRect area = parentWidget()->rect();
        setGeometry(area);
        setMask(QRegion(area) - QRegion(area.adjusted(1, 1, -1, -1)));
        raise();
        show();
    }
};

/// Hands the keyboard to the widget that has the focus inside a popup while the popup shows: the
/// popup is never the window the desktop sends keys to.
class PopupKeyboard final : public QObject {
public:
    explicit PopupKeyboard(QWidget* window) : QObject(window), m_window(window)
    {
        setObjectName(QStringLiteral("ardenvelPopupKeyboard"));
        window->installEventFilter(this);
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now && now->window() == m_window && m_window->isVisible())
                now->grabKeyboard();
            else
                Release();
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Hide)
            Release();
        return QObject::eventFilter(watched, event);
    }

private:
    void Release()
    {
        if (QWidget* grabber = QWidget::keyboardGrabber(); grabber && grabber->window() == m_window)
            grabber->releaseKeyboard();
    }

    QWidget* m_window;
};

FrameLine* FrameLineOf(QWidget* widget)
{
    return widget->findChild<FrameLine*>(QStringLiteral("ardenvelFrameLine"),
                                         Qt::FindDirectChildrenOnly);
}

} // namespace

void ApplyWindowKind(QWidget* widget, DWORD style, DWORD exStyle)
{
    if (!widget->isWindow())
        return;
    const bool popup = (exStyle & WS_EX_NOACTIVATE) != 0;
    const bool tool = popup || (exStyle & WS_EX_TOOLWINDOW) != 0;
    Qt::WindowFlags flags = tool ? Qt::Tool : Qt::Window;
    if ((style & WS_CAPTION) != WS_CAPTION)
        flags |= Qt::FramelessWindowHint;
    // Not managed by the window manager: it gives the window neither the focus nor a place of
    // its own choosing, and the window stays above the others while it shows. Qt never makes
    // it the desktop's focus window either, which would take the activation from its owner.
    if (popup)
        flags |= Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus;
    if (widget->windowFlags() != flags) {
        const bool shown = widget->isVisible();
        widget->setWindowFlags(flags);
        if (shown)
            widget->show();
    }
    widget->setAttribute(Qt::WA_X11DoNotAcceptFocus, popup);
    widget->setProperty(kPopupProperty, popup);
    // To the desktop a popup's native window is of the popup kind, so that Qt never asks to
    // activate it when the focus goes into it (which it would refuse, with a warning). The
    // widget stays a tool window: Qt's own popup handling (the pointer grabbed, the window
    // closed by a click outside it) is not wanted.
    if (popup) {
        widget->winId();
        QWindow* native = widget->windowHandle();
        native->setFlags((native->flags() & ~Qt::WindowType_Mask) | Qt::Popup);
    }
    auto* keyboard = widget->findChild<PopupKeyboard*>(QStringLiteral("ardenvelPopupKeyboard"),
                                                       Qt::FindDirectChildrenOnly);
    if (popup && !keyboard)
        new PopupKeyboard(widget);
    else if (!popup && keyboard)
        delete keyboard;
    const bool framed = (style & WS_BORDER) && (style & WS_CAPTION) != WS_CAPTION;
    FrameLine* line = FrameLineOf(widget);
    if (framed && !line)
        new FrameLine(widget);
    else if (!framed && line)
        delete line;
}

bool InNonActivatingPopup(const QWidget* widget)
{
    return widget && widget->window()->property(kPopupProperty).toBool();
}

} // namespace ui_detail
