// platform/ui/detail/dialog_widget.cpp: input of dialog widgets, centring and the Tab order.
#include "platform/ui/detail/dialog_widget.h"

#include "platform/ui/detail/input_messages.h"
#include "platform/ui/detail/widget_windows.h"
#include "platform/ui/windows/message.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace ui_detail {
namespace {

bool DispatchToWindow(QWidget* widget, QEvent* event, const std::function<void()>& passOn)
{
    CWnd* wnd = WndFromWidget(widget);
    if (!wnd)
        return false;
    const EventScope scope(widget);
    return DispatchInput(*wnd, widget, event, passOn);
}

} // namespace

Qt::WindowFlags DialogWindowFlags()
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

DialogWidget::DialogWidget(QWidget* parent) : QDialog(parent, DialogWindowFlags()) {}

DialogWidget::~DialogWidget()
{
    EndWindowOf(this);
}

bool DialogWidget::event(QEvent* event)
{
    if (DispatchToWindow(this, event, [this, event] { QDialog::event(event); }))
        return true;
    return QDialog::event(event);
}

void DialogWidget::keyPressEvent(QKeyEvent* event)
{
    const bool plain = !(event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier));
    UINT vk = 0;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        vk = VK_RETURN;
    else if (plain && event->key() == Qt::Key_Escape)
        vk = VK_ESCAPE;
    if (vk && m_onKey) {
        m_onKey(vk);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event); // not QDialog's, which would press its own default button
}

void DialogWidget::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (CWnd* wnd = WndFromWidget(this))
        WndBridge::SizeChanged(*wnd);
}

ChildDialogWidget::ChildDialogWidget(QWidget* parent) : QWidget(parent) {}

ChildDialogWidget::~ChildDialogWidget()
{
    EndWindowOf(this);
}

bool ChildDialogWidget::event(QEvent* event)
{
    if (DispatchToWindow(this, event, [this, event] { QWidget::event(event); }))
        return true;
    return QWidget::event(event);
}

void MakePageStack(QWidget& sheet)
{
    new QStackedWidget(&sheet);
}

QStackedWidget* PageStackOf(const CWnd* sheet)
{
    QWidget* widget = WidgetOf(sheet);
    return widget ? widget->findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

void CentreOver(QWidget& widget, const QWidget* anchor)
{
    QRect area;
    if (anchor && anchor->window()->isVisible())
        area = anchor->window()->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    else
        return;
    const QSize size = widget.frameGeometry().size();
    widget.move(area.center().x() - size.width() / 2, area.center().y() - size.height() / 2);
}

QWidget* NextTabStop(QWidget& top, QWidget* from, bool forward)
{
    QWidget* start = from && top.isAncestorOf(from) ? from : &top;
    QWidget* widget = start;
    do {
        widget = forward ? widget->nextInFocusChain() : widget->previousInFocusChain();
        const bool reachable =
            widget != &top && top.isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) &&
            widget->isVisibleTo(&top) && widget->isEnabled() && !widget->focusProxy();
        if (reachable)
            return widget;
    } while (widget != start);
    return nullptr;
}

} // namespace ui_detail
