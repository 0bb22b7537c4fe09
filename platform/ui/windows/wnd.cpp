// platform/ui/windows/wnd.cpp: creating and destroying windows, their geometry, text, visibility,
// focus, painting requests and timers.
#include "platform/ui/windows/wnd.h"

#include "platform/ui/detail/application.h"
#include "platform/ui/detail/cursor_data.h"
#include "platform/ui/detail/icon_data.h"
#include "platform/ui/detail/owner_activation.h"
#include "platform/ui/detail/scroll_bar_adapter.h"
#include "platform/ui/detail/timer_service.h"
#include "platform/ui/detail/window_kind.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/windows/sys_metrics.h"

#include <QApplication>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QVariant>

#include <memory>
#include <utility>
#include <vector>

using ui_detail::WndBridge;

namespace {

constexpr const char* kIdProperty = "ardenvelId";

/// The widget of the window holding the mouse capture.
QPointer<QWidget> g_capture;

/// The window and every window below it, parents before their children.
void CollectWindows(QWidget* widget, std::vector<std::pair<CWnd*, std::weak_ptr<int>>>& out)
{
    if (CWnd* wnd = ui_detail::WndFromWidget(widget))
        out.emplace_back(wnd, WndBridge::ImplOf(*wnd).life);
    for (QObject* child : widget->children())
        if (auto* childWidget = qobject_cast<QWidget*>(child))
            CollectWindows(childWidget, out);
}

/// The widget of a new window: a child inside its parent, or a window of its own.
QWidget* NewWidget(DWORD style, DWORD exStyle, QWidget* parentWidget)
{
    const bool child = (style & WS_CHILD) != 0;
    auto* widget = new ui_detail::WindowWidget(parentWidget, child ? Qt::Widget : Qt::Window);
    ui_detail::ApplyWindowKind(widget, style, exStyle);
    if (style & WS_TABSTOP)
        widget->setFocusPolicy(Qt::TabFocus);
    if (style & WS_DISABLED)
        widget->setEnabled(false);
    return widget;
}

QString Utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

bool HasTextProperty(const QWidget* widget)
{
    return widget->metaObject()->indexOfProperty("text") >= 0;
}

} // namespace

CWnd::CWnd() : m_impl(std::make_unique<Impl>()) {}

CWnd::~CWnd()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id)
{
    return CreateEx(0, className, windowName, style, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, void* createParam)
{
    QWidget* parentWidget = ui_detail::WidgetOf(parent);
    if (m_impl->widget || (parent && !parentWidget) || ((style & WS_CHILD) && !parentWidget))
        return FALSE;
    QWidget* widget = NewWidget(style, exStyle, parentWidget);
    m_impl->style = style & ~(WS_VISIBLE | WS_DISABLED);
    m_impl->exStyle = exStyle;
    WndBridge::Attach(*this, widget);
    widget->setProperty(kIdProperty, int(id));
    widget->setWindowTitle(QString::fromUtf8(windowName ? windowName : ""));
    widget->setGeometry(rect.left, rect.top, std::max(0, int(rect.right - rect.left)),
                        std::max(0, int(rect.bottom - rect.top)));
    ui_detail::window_scroll::Attach(*this);

    CREATESTRUCT cs;
    cs.lpCreateParams = createParam;
    cs.hwndParent = parent;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = widget->width();
    cs.cy = widget->height();
    cs.style = style;
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    const std::weak_ptr<int> life = m_impl->life;
    if (SendMessage(WM_CREATE, 0, LPARAM(&cs)) == -1) {
        if (!life.expired())
            DestroyWindow();
        return FALSE;
    }
    if (life.expired() || !GetSafeHwnd())
        return FALSE;
    WndBridge::SizeChanged(*this);
    if (style & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    const QPointer<QWidget> widget = m_impl->widget;
    if (!widget)
        return FALSE;
    // An active window that ends, or hides below, leaves the activation to its owner: without a
    // window manager nothing else would take it.
    ui_detail::LeaveActivationToOwner(*widget);
    std::vector<std::pair<CWnd*, std::weak_ptr<int>>> windows;
    CollectWindows(widget, windows);
    for (const auto& [wnd, life] : windows) {
        if (!life.expired() && wnd->GetSafeHwnd())
            wnd->SendMessage(WM_DESTROY);
        if (!life.expired())
            ui_detail::timers::KillAll(*wnd);
    }
    // Children end before their parent; this object may be deleted by its PostNcDestroy.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (!it->second.expired())
            WndBridge::Detach(*it->first);
    if (!widget)
        return TRUE;
    ui_detail::DeleteWhenSafe(widget.data());
    return TRUE;
}

HWND CWnd::GetSafeHwnd() const
{
    return m_impl->widget ? const_cast<CWnd*>(this) : nullptr;
}

int CWnd::GetDlgCtrlID() const
{
    return m_impl->widget ? m_impl->widget->property(kIdProperty).toInt() : 0;
}

int CWnd::SetDlgCtrlID(int id)
{
    if (!m_impl->widget)
        return 0;
    const int old = GetDlgCtrlID();
    m_impl->widget->setProperty(kIdProperty, id);
    return old;
}

CWnd* CWnd::GetDlgItem(int id) const
{
    if (!m_impl->widget)
        return nullptr;
    for (QObject* child : m_impl->widget->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && widget->property(kIdProperty).toInt() == id)
            if (CWnd* wnd = ui_detail::WndFromWidget(widget))
                return wnd;
    }
    return nullptr;
}

CWnd* CWnd::GetParent() const
{
    return m_impl->widget ? ui_detail::NearestWnd(m_impl->widget->parentWidget()) : nullptr;
}

DWORD CWnd::GetStyle() const
{
    const QWidget* widget = m_impl->widget;
    if (!widget)
        return 0;
    DWORD style = m_impl->style;
    if (!widget->isHidden())
        style |= WS_VISIBLE;
    if (widget->testAttribute(Qt::WA_ForceDisabled))
        style |= WS_DISABLED;
    return style;
}

DWORD CWnd::GetExStyle() const
{
    return m_impl->exStyle;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add)
{
    if (!m_impl->widget)
        return FALSE;
    m_impl->exStyle = (m_impl->exStyle & ~remove) | add;
    ui_detail::ApplyWindowKind(m_impl->widget, m_impl->style, m_impl->exStyle);
    return TRUE;
}

void CWnd::GetClientRect(RECT* rect) const
{
    const QWidget* widget = m_impl->widget;
    if (!widget) {
        *rect = CRect();
        return;
    }
    const int barWidth = (m_impl->style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    const int barHeight = (m_impl->style & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0;
    *rect = CRect(0, 0, std::max(0, widget->width() - barWidth),
                  std::max(0, widget->height() - barHeight));
}

void CWnd::GetWindowRect(RECT* rect) const
{
    const QWidget* widget = m_impl->widget;
    if (!widget) {
        *rect = CRect();
        return;
    }
    const QRect frame = widget->isWindow()
                            ? widget->frameGeometry()
                            : QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    *rect = CRect(frame.left(), frame.top(), frame.left() + frame.width(),
                  frame.top() + frame.height());
}

void CWnd::ClientToScreen(POINT* point) const
{
    if (!m_impl->widget)
        return;
    const QPoint global = m_impl->widget->mapToGlobal(QPoint(point->x, point->y));
    *point = {global.x(), global.y()};
}

void CWnd::ClientToScreen(RECT* rect) const
{
    CPoint topLeft(rect->left, rect->top);
    ClientToScreen(&topLeft);
    const int dx = topLeft.x - rect->left, dy = topLeft.y - rect->top;
    *rect = CRect(rect->left + dx, rect->top + dy, rect->right + dx, rect->bottom + dy);
}

void CWnd::ScreenToClient(POINT* point) const
{
    if (!m_impl->widget)
        return;
    const QPoint local = m_impl->widget->mapFromGlobal(QPoint(point->x, point->y));
    *point = {local.x(), local.y()};
}

void CWnd::ScreenToClient(RECT* rect) const
{
    CPoint topLeft(rect->left, rect->top);
    ScreenToClient(&topLeft);
    const int dx = topLeft.x - rect->left, dy = topLeft.y - rect->top;
    *rect = CRect(rect->left + dx, rect->top + dy, rect->right + dx, rect->bottom + dy);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    QWidget* widget = m_impl->widget;
    if (!widget)
        return;
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (widget->isWindow()) {
        // A top-level window's rectangle holds its frame, as GetWindowRect gives it: the client
        // area takes the place the frame leaves, so a window moved to its own rectangle keeps
        // its place and size.
        const QRect frame = widget->frameGeometry();
        const QRect client = widget->geometry();
        x += client.left() - frame.left();
        y += client.top() - frame.top();
        width = std::max(0, width - (frame.width() - client.width()));
        height = std::max(0, height - (frame.height() - client.height()));
        // A window of fixed size (a dialog without a sizing border) takes the new size as fixed.
        if (widget->minimumSize() == widget->maximumSize())
            widget->setFixedSize(width, height);
    }
    widget->setGeometry(x, y, width, height);
    WndBridge::SizeChanged(*this);
    if (repaint && widget->parentWidget())
        widget->parentWidget()->update();
}

void CWnd::MoveWindow(const RECT& rect, BOOL repaint)
{
    MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

void CWnd::Invalidate(BOOL erase)
{
    InvalidateRect(nullptr, erase);
}

void CWnd::InvalidateRect(const RECT* rect, BOOL erase)
{
    QWidget* widget = m_impl->widget;
    if (!widget)
        return;
    const QRect area =
        rect ? QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top)
             : widget->rect();
    if (auto* own = dynamic_cast<ui_detail::WindowWidget*>(widget))
        own->GetSurface().Invalidate(area, erase != FALSE);
    widget->update(area);
}

void CWnd::UpdateWindow()
{
    if (auto* own = dynamic_cast<ui_detail::WindowWidget*>(m_impl->widget.data()))
        own->PaintInvalid();
}

CDC* CWnd::GetDC()
{
    return GetSafeHwnd() ? new CClientDC(this) : nullptr;
}

int CWnd::ReleaseDC(CDC* dc)
{
    delete dc;
    return dc ? 1 : 0;
}

void CWnd::SetWindowCursor(HCURSOR cursor)
{
    if (cursor == m_impl->cursor)
        return;
    m_impl->cursor = cursor;
    if (QWidget* widget = m_impl->widget) {
        if (cursor)
            widget->setCursor(cursor->cursor);
        else
            widget->unsetCursor();
    }
}

HCURSOR CWnd::GetWindowCursor() const
{
    return m_impl->cursor;
}

HICON CWnd::SetIcon(HICON icon, BOOL big)
{
    HICON& slot = big ? m_impl->bigIcon : m_impl->smallIcon;
    const HICON previous = std::exchange(slot, icon);
    if (QWidget* widget = m_impl->widget) {
        QIcon shown;
        for (const HICON each : {m_impl->smallIcon, m_impl->bigIcon})
            if (each)
                shown.addPixmap(each->pixmap);
        if (shown.isNull()) {
            // Nothing of Qt's own in the title bar: a clear picture stands for no icon.
            QPixmap blank(16, 16);
            blank.fill(Qt::transparent);
            shown.addPixmap(blank);
        }
        widget->setWindowIcon(shown);
    }
    return previous;
}

HICON CWnd::GetIcon(BOOL big) const
{
    return big ? m_impl->bigIcon : m_impl->smallIcon;
}

void CWnd::SetWindowText(const std::string& text)
{
    QWidget* widget = m_impl->widget;
    if (!widget)
        return;
    if (!widget->isWindow() && HasTextProperty(widget)) {
        widget->setProperty("text", Utf8(text));
        // A single-line edit shows the start of a text set in code, with the caret before it.
        if (auto* line = qobject_cast<QLineEdit*>(widget))
            line->setCursorPosition(0);
    } else
        widget->setWindowTitle(Utf8(text));
}

void CWnd::SetToolTipText(const std::string& text)
{
    if (QWidget* widget = m_impl->widget)
        widget->setToolTip(Utf8(text));
}

std::string CWnd::GetToolTipText() const
{
    const QWidget* widget = m_impl->widget;
    return widget ? widget->toolTip().toStdString() : std::string();
}

void CWnd::SetTabOrderAfter(CWnd* previous)
{
    QWidget* widget = m_impl->widget;
    QWidget* before = previous ? previous->m_impl->widget : nullptr;
    if (!widget || !before || widget == before || widget->window() != before->window())
        return;
    // The window moves with its children (a container's edit and buttons), in the order the Tab
    // key meets them now.
    QWidget* top = widget->window();
    std::vector<QWidget*> moved;
    for (QWidget* w = top->nextInFocusChain(); w && w != top; w = w->nextInFocusChain())
        if (w == widget || widget->isAncestorOf(w))
            moved.push_back(w);
    // Qt chains only widgets that take the focus: each pair takes it for its move. A widget
    // with a focus proxy is left where it is, as Qt would move the proxy's neighbours with it.
    QWidget* last = before;
    for (QWidget* w : moved) {
        if (w->focusProxy())
            continue;
        if (!last->focusProxy()) {
            const Qt::FocusPolicy lastPolicy = last->focusPolicy();
            const Qt::FocusPolicy policy = w->focusPolicy();
            last->setFocusPolicy(lastPolicy == Qt::NoFocus ? Qt::TabFocus : lastPolicy);
            w->setFocusPolicy(policy == Qt::NoFocus ? Qt::TabFocus : policy);
            QWidget::setTabOrder(last, w);
            last->setFocusPolicy(lastPolicy);
            w->setFocusPolicy(policy);
        }
        last = w;
    }
}

void CWnd::GetWindowText(std::string& text) const
{
    const QWidget* widget = m_impl->widget;
    if (!widget) {
        text.clear();
        return;
    }
    const QString value = !widget->isWindow() && HasTextProperty(widget)
                              ? widget->property("text").toString()
                              : widget->windowTitle();
    text = value.toStdString();
}

int CWnd::GetWindowTextLength() const
{
    std::string text;
    GetWindowText(text);
    return int(text.size());
}

BOOL CWnd::ShowWindow(int command)
{
    QWidget* widget = m_impl->widget;
    if (!widget)
        return FALSE;
    const BOOL wasVisible = !widget->isHidden();
    const bool appearing = widget->isWindow() && !widget->isVisible();
    const bool withoutActivating = command == SW_SHOWNA || command == SW_SHOWNOACTIVATE ||
                                   (m_impl->exStyle & WS_EX_NOACTIVATE);
    widget->setAttribute(Qt::WA_ShowWithoutActivating, withoutActivating);
    switch (command) {
    case SW_HIDE:
        ui_detail::LeaveActivationToOwner(*widget);
        widget->hide();
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
        widget->showMinimized();
        break;
    case SW_SHOWMAXIMIZED:
        widget->showMaximized();
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
        widget->isWindow() ? widget->showNormal() : widget->show();
        break;
    default:
        widget->show();
        break;
    }
    if (appearing && !withoutActivating && !widget->isMinimized())
        ui_detail::ActivateAppearedWindow(*widget);
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    return m_impl->widget && m_impl->widget->isVisible();
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    QWidget* widget = m_impl->widget;
    if (!widget)
        return FALSE;
    const bool wasDisabled = widget->testAttribute(Qt::WA_ForceDisabled);
    widget->setEnabled(enable != FALSE);
    if (wasDisabled == (enable != FALSE))
        SendMessage(WM_ENABLE, enable ? TRUE : FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    return m_impl->widget && !m_impl->widget->testAttribute(Qt::WA_ForceDisabled);
}

CWnd* CWnd::SetFocus()
{
    CWnd* old = GetFocus();
    QWidget* widget = m_impl->widget;
    if (!widget)
        return old;
    QWidget* top = widget->window();
    // A popup never activates: the window that owns it does, and the popup shares its state.
    if (ui_detail::InNonActivatingPopup(widget) && top->parentWidget())
        top = top->parentWidget()->window();
    if (top->isVisible() && !top->isActiveWindow()) {
        // In a window that is not active the focus is only noted, and the window takes it up as
        // it is activated: the control that had it there last gets no focus of its own between.
        if (top == widget->window())
            widget->setFocus(Qt::OtherFocusReason);
        QApplication::setActiveWindow(top);
    }
    if (QApplication::focusWidget() != widget)
        widget->setFocus(Qt::OtherFocusReason);
    return old;
}

CWnd* CWnd::GetFocus()
{
    return ui_detail::NearestWnd(QApplication::focusWidget());
}

CWnd* CWnd::GetActiveWindow()
{
    return ui_detail::WndFromWidget(QApplication::activeWindow());
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs)
{
    return ui_detail::timers::Set(*this, id, elapseMs);
}

BOOL CWnd::KillTimer(UINT_PTR id)
{
    return ui_detail::timers::Kill(*this, id);
}

CWnd* CWnd::SetCapture()
{
    CWnd* old = GetCapture();
    QWidget* widget = m_impl->widget;
    if (!widget)
        return old;
    if (g_capture && g_capture != widget)
        g_capture->releaseMouse();
    g_capture = widget;
    if (widget->isVisible())
        widget->grabMouse();
    return old;
}

CWnd* CWnd::GetCapture()
{
    return ui_detail::WndFromWidget(g_capture);
}

BOOL ReleaseCapture()
{
    if (g_capture)
        g_capture->releaseMouse();
    g_capture = nullptr;
    return TRUE;
}

void CWnd::ScrollWindow(int dx, int dy, const RECT* rect, const RECT* clip)
{
    auto* own = dynamic_cast<ui_detail::WindowWidget*>(m_impl->widget.data());
    if (!own || (dx == 0 && dy == 0))
        return;
    CRect clientRect;
    GetClientRect(&clientRect);
    const QRect client(0, 0, clientRect.Width(), clientRect.Height());
    const auto toQt = [](const RECT& r) {
        return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    };
    const QRect source = rect ? toQt(*rect) & client : client;
    const QRect limit = clip ? toQt(*clip) & client : client;
    const QRect dest = source.translated(dx, dy) & limit;
    ui_detail::Surface& surface = own->GetSurface();
    if (!dest.isEmpty()) {
        const QImage moved = surface.Image().copy(dest.translated(-dx, -dy));
        QPainter painter(&surface.Image());
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(dest.topLeft(), moved);
    }
    // What was still to be painted moves with the pixels; the strip they leave is to paint.
    const QRegion invalid = surface.Invalid();
    const bool erase = surface.NeedsErase();
    const QRegion carried = (invalid & source).translated(dx, dy) & dest;
    const QRegion uncovered = QRegion(source & limit) - dest;
    surface.Validate();
    surface.Invalidate((invalid - QRegion(dest)) + carried + uncovered,
                       erase || !uncovered.isEmpty());
    if (!rect)
        for (QObject* child : own->children())
            if (auto* childWidget = qobject_cast<QWidget*>(child);
                childWidget && ui_detail::WndFromWidget(childWidget))
                childWidget->move(childWidget->pos() + QPoint(dx, dy));
    own->update();
}
