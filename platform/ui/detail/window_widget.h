// platform/ui/detail/window_widget.h: the Qt widget behind a window that the program draws
// itself, and the link between a window object and its widget.
#pragma once

#include "platform/ui/detail/surface.h"
#include "platform/ui/windows/wnd.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

namespace ui_detail {

/// The Qt event a message came from, and how to hand it to Qt's own handling.
struct QtEventLink {
    /// Runs when a handler calls Default(); empty when Default() does not reach Qt.
    std::function<void()> passOn;
    bool passed = false;
    /// Default() was called for a message of this event.
    bool defaulted = false;
};

} // namespace ui_detail

struct CWnd::Impl {
    struct Frame {
        MSG msg;
        ui_detail::QtEventLink* link;
        Frame* outer;
    };

    QPointer<QWidget> widget;
    /// The cursor SetWindowCursor gave the window; null for the arrow.
    HCURSOR cursor = nullptr;
    /// The icons SetIcon gave the window.
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    /// The widget bound, kept after Qt clears the guarded pointer during its deletion.
    QWidget* boundWidget = nullptr;
    /// The message being handled, innermost first.
    Frame* current = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    QSize reportedSize{-1, -1};
    /// Expires with the object, so a caller can tell when a handler deleted it.
    std::shared_ptr<int> life = std::make_shared<int>(0);
};

namespace ui_detail {

class WindowWidget final : public QWidget {
public:
    WindowWidget(QWidget* parent, Qt::WindowFlags flags);
    ~WindowWidget() override;

    Surface& GetSurface() { return m_surface; }
    /// Runs WM_PAINT while part of the surface is invalid.
    void PaintInvalid();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Surface m_surface;
    bool m_painting = false;
};

/// Marks an event of a widget as being handled for as long as it lives, so that
/// DestroyWindow called from a handler defers deleting the widget.
class EventScope {
public:
    explicit EventScope(const QWidget* widget);
    ~EventScope();
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;
};

/// What the layer's own code does to window objects.
class WndBridge {
public:
    static CWnd::Impl& ImplOf(CWnd& wnd) { return *wnd.m_impl; }
    /// Runs msg through the window's WindowProc as the message being handled; link is the Qt
    /// event it came from, if any.
    static LRESULT Deliver(CWnd& wnd, const MSG& msg, QtEventLink* link);
    /// The window's own handling of a message, after its hooks.
    static LRESULT CallWindowProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        return wnd.WindowProc(message, wParam, lParam);
    }
    /// Binds the widget to the window: the widget is found from the window and back, and its
    /// destruction ends the window.
    static void Attach(CWnd& wnd, QWidget* widget);
    /// The widget's size changed: resizes the surface and sends WM_SIZE when it differs from
    /// the size last reported.
    static void SizeChanged(CWnd& wnd);
    /// Sends WM_NCDESTROY, unbinds the widget and calls PostNcDestroy, which may delete wnd.
    static void Detach(CWnd& wnd);
};

/// The window bound to the widget, or null.
CWnd* WndFromWidget(const QWidget* widget);
/// The window of the widget or of its nearest ancestor that has one.
CWnd* NearestWnd(const QWidget* widget);
QWidget* WidgetOf(const CWnd* wnd);
/// The surface of a widget that draws itself, else null.
Surface* SurfaceOf(QWidget* widget);
/// Whether an event of the widget or of one of its descendants is being handled.
bool InsideEventOf(const QWidget* widget);

} // namespace ui_detail
