// platform/ui/detail/widget_windows.h: windows whose widget is a Qt widget of another kind than
// the self-drawing one: the creation they share, and the frame, MDI child, floating-bar and
// toolbar widgets that turn their Qt events into messages.
#pragma once

#include "platform/ui/detail/window_widget.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QToolBar>

#include <functional>
#include <string>
#include <vector>

class CFrameWnd;

namespace ui_detail {

/// What CreateOver needs of a creation, as CWnd::CreateEx takes it.
struct CreateArgs {
    DWORD style = 0;
    DWORD exStyle = 0;
    const char* className = nullptr;
    const char* windowName = nullptr;
    CWnd* parent = nullptr;
    UINT id = 0;
    void* createParam = nullptr;
    /// Applied to the widget when set; otherwise the widget keeps its own geometry.
    const RECT* rect = nullptr;
};

/// Binds wnd to widget (already made with its Qt parent) and runs the creation as
/// CWnd::CreateEx does: WM_CREATE, where -1 destroys the window, then WM_SIZE, and showing
/// with WS_VISIBLE (a child without it is hidden explicitly, so it stays hidden when its
/// parent shows). FALSE when wnd has a window already (the widget is deleted then) or the
/// creation failed.
BOOL CreateOver(CWnd& wnd, QWidget* widget, const CreateArgs& args);

/// Ends the window bound to a widget that is being deleted: WM_DESTROY while its children
/// still exist, then the rest of the ending. Widget destructors call it.
void EndWindowOf(QWidget* widget);

/// Delivers a message made here (not from a Qt event) to wnd.
LRESULT SendSimple(CWnd& wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

/// The widget of a top-level frame: input and close go to the frame's handlers, dropped
/// files arrive as WM_DROPFILES.
class FrameWidget final : public QMainWindow {
public:
    FrameWidget();
    ~FrameWidget() override;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

/// The widget of an MDI child frame. Its close box sends WM_SYSCOMMAND SC_CLOSE; the window
/// closes only through DestroyWindow. The frame's size limits come from WM_GETMINMAXINFO
/// before it shows and whenever a resize may start.
class MdiChildWidget final : public QMdiSubWindow {
public:
    MdiChildWidget();
    ~MdiChildWidget() override;
    /// Asks the frame for its size limits and applies them.
    void ApplySizeLimits();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool m_askingLimits = false;
};

/// A small tool window that holds a floating toolbar.
class FloatWindow final : public QWidget {
public:
    FloatWindow(QWidget* owner, QToolBar* bar);
    /// The toolbar it holds, or null once the bar went back to its frame.
    QToolBar* Bar() const;

protected:
    void closeEvent(QCloseEvent* event) override;
};

/// The widget of a toolbar; its window ends with it.
class ToolBarWidget final : public QToolBar {
public:
    explicit ToolBarWidget(QWidget* parent);
    ~ToolBarWidget() override;

    /// Runs when the pointer leaves the bar.
    std::function<void()> m_onLeave;
    /// Until the pointer leaves, watches the pointer over the program's other widgets: when it
    /// is found over one, it left the bar without the window system saying so (a window made
    /// active under it, a pointer grab elsewhere), and m_onLeave runs all the same.
    void WatchForLeave();

protected:
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EndWatch();

    bool m_watching = false;
};

/// The central widget of a top-level frame: its client area (a view or the MDI area) above
/// the frame's status bars, which stack in the order they join.
class FrameBody final : public QWidget {
public:
    explicit FrameBody(QWidget* parent);
    /// Puts client in the client area in place of the one there.
    void SetClient(QWidget* client);
    QWidget* Client() const { return m_client; }
    void AddBottomBar(QWidget* bar);

private:
    QPointer<QWidget> m_client;
};

/// The body of a frame widget, made when it has none.
FrameBody* BodyOf(QMainWindow* frame);
/// The MDI area in the client area of an MDI frame window, or null.
QMdiArea* MdiAreaOf(const CWnd* frame);

/// The local files among dropped data, as paths.
std::vector<std::string> DroppedPaths(const QMimeData* data);

} // namespace ui_detail
