// platform/ui/detail/widget_windows.cpp: creation over a given widget, and the frame, MDI child,
// floating-bar and toolbar widgets.
#include "platform/ui/detail/widget_windows.h"

#include "platform/ui/detail/input_messages.h"
#include "platform/ui/detail/timer_service.h"
#include "platform/ui/frames/frame_wnd.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMimeData>
#include <QUrl>
#include <QVBoxLayout>

#include <memory>

namespace ui_detail {

BOOL CreateOver(CWnd& wnd, QWidget* widget, const CreateArgs& args)
{
    if (wnd.GetSafeHwnd()) {
        delete widget;
        return FALSE;
    }
    auto& impl = WndBridge::ImplOf(wnd);
    impl.style = args.style & ~(WS_VISIBLE | WS_DISABLED);
    impl.exStyle = args.exStyle;
    WndBridge::Attach(wnd, widget);
    wnd.SetDlgCtrlID(int(args.id));
    if (args.windowName)
        widget->setWindowTitle(QString::fromUtf8(args.windowName));
    if (args.style & WS_DISABLED)
        widget->setEnabled(false);
    if (args.rect) {
        const RECT& r = *args.rect;
        widget->setGeometry(r.left, r.top, std::max(0, int(r.right - r.left)),
                            std::max(0, int(r.bottom - r.top)));
    }
    if (!(args.style & WS_VISIBLE) && !widget->isWindow())
        widget->hide();

    CREATESTRUCT cs;
    cs.lpCreateParams = args.createParam;
    cs.hwndParent = args.parent;
    cs.x = widget->x();
    cs.y = widget->y();
    cs.cx = widget->width();
    cs.cy = widget->height();
    cs.style = args.style;
    cs.lpszName = args.windowName;
    cs.lpszClass = args.className;
    cs.dwExStyle = args.exStyle;
    const std::weak_ptr<int> life = impl.life;
    if (wnd.SendMessage(WM_CREATE, 0, LPARAM(&cs)) == -1) {
        if (!life.expired())
            wnd.DestroyWindow();
        return FALSE;
    }
    if (life.expired() || !wnd.GetSafeHwnd())
        return FALSE;
    WndBridge::SizeChanged(wnd);
    if (args.style & WS_VISIBLE)
        wnd.ShowWindow(SW_SHOW);
    return TRUE;
}

LRESULT SendSimple(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WndBridge::Deliver(wnd, MSG{&wnd, message, wParam, lParam, 0, {}}, nullptr);
}

void EndWindowOf(QWidget* widget)
{
    CWnd* wnd = WndFromWidget(widget);
    if (!wnd)
        return;
    const std::weak_ptr<int> life = WndBridge::ImplOf(*wnd).life;
    SendSimple(*wnd, WM_DESTROY);
    if (life.expired())
        return;
    timers::KillAll(*wnd);
    WndBridge::Detach(*wnd);
}

std::vector<std::string> DroppedPaths(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (!data)
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    return paths;
}

FrameBody::FrameBody(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

void FrameBody::SetClient(QWidget* client)
{
    auto* column = static_cast<QVBoxLayout*>(layout());
    if (m_client)
        column->removeWidget(m_client);
    m_client = client;
    if (client)
        column->insertWidget(0, client, 1);
}

void FrameBody::AddBottomBar(QWidget* bar)
{
    layout()->addWidget(bar);
}

FrameBody* BodyOf(QMainWindow* frame)
{
    if (auto* body = dynamic_cast<FrameBody*>(frame->centralWidget()))
        return body;
    auto* body = new FrameBody(frame);
    frame->setCentralWidget(body);
    return body;
}

QMdiArea* MdiAreaOf(const CWnd* frame)
{
    auto* window = qobject_cast<QMainWindow*>(WidgetOf(frame));
    auto* body = window ? dynamic_cast<FrameBody*>(window->centralWidget()) : nullptr;
    return body ? qobject_cast<QMdiArea*>(body->Client()) : nullptr;
}

FrameWidget::FrameWidget() : QMainWindow(nullptr)
{
    setDockNestingEnabled(false);
}

FrameWidget::~FrameWidget()
{
    EndWindowOf(this);
}

bool FrameWidget::event(QEvent* event)
{
    CWnd* wnd = WndFromWidget(this);
    if (!wnd)
        return QMainWindow::event(event);
    const EventScope scope(this);
    if (DispatchInput(*wnd, this, event, [this, event] { QMainWindow::event(event); }))
        return true;
    return QMainWindow::event(event);
}

void FrameWidget::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (CWnd* wnd = WndFromWidget(this))
        WndBridge::SizeChanged(*wnd);
}

void FrameWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedPaths(event->mimeData()).empty())
        event->acceptProposedAction();
}

void FrameWidget::dropEvent(QDropEvent* event)
{
    std::vector<std::string> paths = DroppedPaths(event->mimeData());
    CWnd* wnd = WndFromWidget(this);
    if (paths.empty() || !wnd)
        return;
    event->acceptProposedAction();
    const EventScope scope(this);
    SendSimple(*wnd, WM_DROPFILES, WPARAM(&paths));
}

MdiChildWidget::MdiChildWidget() : QMdiSubWindow(nullptr)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    // A click on a part of the window that takes no focus (a scroll bar, a label, the frame)
    // leaves the focus where it is, as on the desktop; activation still gives the focus to the
    // window's view (mdi_frame_wnd.cpp keeps the MDI area from taking it too).
    setFocusPolicy(Qt::NoFocus);
    // No icon of Qt's own in the title bar until the program gives one.
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    setWindowIcon(QIcon(blank));
}

MdiChildWidget::~MdiChildWidget()
{
    EndWindowOf(this);
}

void MdiChildWidget::ApplySizeLimits()
{
    CWnd* wnd = WndFromWidget(this);
    if (!wnd || m_askingLimits)
        return;
    MINMAXINFO info;
    const QSize least = minimumSizeHint();
    info.ptMinTrackSize = {least.width(), least.height()};
    info.ptMaxTrackSize = {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    if (mdiArea()) {
        const QSize area = mdiArea()->viewport()->size();
        info.ptMaxSize = {area.width(), area.height()};
    }
    m_askingLimits = true;
    const QPointer<MdiChildWidget> self(this);
    SendSimple(*wnd, WM_GETMINMAXINFO, 0, LPARAM(&info));
    if (!self)
        return;
    m_askingLimits = false;
    setMinimumSize(std::max(0, int(info.ptMinTrackSize.x)),
                   std::max(0, int(info.ptMinTrackSize.y)));
    setMaximumSize(std::clamp(int(info.ptMaxTrackSize.x), 0, QWIDGETSIZE_MAX),
                   std::clamp(int(info.ptMaxTrackSize.y), 0, QWIDGETSIZE_MAX));
}

bool MdiChildWidget::event(QEvent* event)
{
    CWnd* wnd = WndFromWidget(this);
    if (!wnd)
        return QMdiSubWindow::event(event);
    const EventScope scope(this);
    switch (event->type()) {
    case QEvent::Close:
        // The window closes only through its handlers, which destroy it.
        event->ignore();
        SendSimple(*wnd, WM_SYSCOMMAND, SC_CLOSE);
        return true;
    case QEvent::Show:
    case QEvent::MouseButtonPress:
        ApplySizeLimits();
        return QMdiSubWindow::event(event);
    default:
        return QMdiSubWindow::event(event);
    }
}

void MdiChildWidget::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    ApplySizeLimits(); // a size outside the limits is corrected at once
    if (CWnd* wnd = WndFromWidget(this))
        WndBridge::SizeChanged(*wnd);
}

FloatWindow::FloatWindow(QWidget* owner, QToolBar* bar)
    : QWidget(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(bar->windowTitle());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(bar);
}

QToolBar* FloatWindow::Bar() const
{
    return findChild<QToolBar*>(QString(), Qt::FindDirectChildrenOnly);
}

void FloatWindow::closeEvent(QCloseEvent* event)
{
    // Closing the window hides the bar in it, as hiding the bar does.
    if (QToolBar* bar = Bar())
        bar->hide();
    QWidget::closeEvent(event);
}

ToolBarWidget::ToolBarWidget(QWidget* parent) : QToolBar(parent) {}

ToolBarWidget::~ToolBarWidget()
{
    EndWatch();
    EndWindowOf(this);
}

void ToolBarWidget::WatchForLeave()
{
    if (m_watching)
        return;
    m_watching = true;
    QCoreApplication::instance()->installEventFilter(this);
}

void ToolBarWidget::EndWatch()
{
    if (!m_watching)
        return;
    m_watching = false;
    QCoreApplication::instance()->removeEventFilter(this);
}

void ToolBarWidget::leaveEvent(QEvent* event)
{
    QToolBar::leaveEvent(event);
    EndWatch();
    if (m_onLeave)
        m_onLeave();
}

bool ToolBarWidget::eventFilter(QObject* watched, QEvent* event)
{
    // Moves without a button reach the application's filters even over widgets that do not
    // track the pointer.
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseMove || type == QEvent::Enter) && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget != this && !isAncestorOf(widget)) {
            EndWatch();
            if (m_onLeave)
                m_onLeave();
        }
    }
    return QToolBar::eventFilter(watched, event);
}

} // namespace ui_detail
