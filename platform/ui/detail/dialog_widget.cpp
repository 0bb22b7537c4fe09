// platform/ui/detail/dialog_widget.cpp: input of dialog widgets, their mnemonic keys, centring and
// the Tab order.
#include "platform/ui/detail/dialog_widget.h"

#include "platform/ui/detail/input_messages.h"
#include "platform/ui/detail/widget_windows.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/windows/message.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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

/// Whether a focus widget keeps the letters typed into it, even those it leaves unused: an edit,
/// a combo box, a list, or a window the program draws itself, such as a grid.
bool KeepsLetters(const QWidget* focus)
{
    return qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QAbstractSpinBox*>(focus) ||
           qobject_cast<const QComboBox*>(focus) ||
           qobject_cast<const QAbstractScrollArea*>(focus) ||
           dynamic_cast<const WindowWidget*>(focus);
}

/// Presses the control of dialog whose mnemonic is key, as Alt with the key does: a button is
/// clicked, a label gives the focus to the control it names. The search starts after the focus
/// and goes once round; controls hidden (those of other property pages) or disabled are passed.
bool PressMnemonic(QWidget& dialog, QWidget* focus, QChar key)
{
    QWidget* start = focus ? focus : &dialog;
    QWidget* widget = start;
    do {
        widget = widget->nextInFocusChain();
        if (widget->window() != &dialog || !widget->isVisible() || !widget->isEnabled())
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(widget);
            button && MnemonicOf(button->text()) == key) {
            if (button->focusPolicy() & Qt::TabFocus)
                button->setFocus(Qt::ShortcutFocusReason);
            button->click();
            return true;
        }
        if (auto* label = qobject_cast<QLabel*>(widget);
            label && label->buddy() && MnemonicOf(label->text()) == key) {
            label->buddy()->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    } while (widget != start);
    return false;
}

/// The key's character when it is a letter or digit typed without Ctrl, Alt or Meta.
QChar TypedLetter(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QString text = event->text();
    if (held || text.size() != 1 || !text[0].isLetterOrNumber())
        return {};
    return text[0].toUpper();
}

} // namespace

QChar MnemonicOf(const QString& text)
{
    for (qsizetype at = text.indexOf(u'&'); at >= 0 && at + 1 < text.size();
         at = text.indexOf(u'&', at + 2))
        if (text[at + 1] != u'&')
            return text[at + 1].toUpper();
    return {};
}

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
    else if (event->key() == Qt::Key_F1 && !(event->modifiers() & ~Qt::KeypadModifier))
        vk = VK_F1;
    if (vk && m_onKey) {
        m_onKey(vk);
        event->accept();
        return;
    }
    // A letter that no control took presses the control it is the mnemonic of, as it does in the
    // system's own dialogs, unless the focus is where letters are typed.
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus != this && !isAncestorOf(focus))
        focus = nullptr;
    if (const QChar letter = TypedLetter(event);
        !letter.isNull() && !KeepsLetters(focus) && PressMnemonic(*this, focus, letter)) {
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
