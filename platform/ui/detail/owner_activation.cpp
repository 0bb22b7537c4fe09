// platform/ui/detail/owner_activation.cpp: giving the activation back to a window's owner once
// the event loop comes back, and to a window that appears; a window without a parent marked as
// standing over its owner.
#include "platform/ui/detail/owner_activation.h"

#include "platform/ui/detail/window_kind.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/windows/app.h"

#include <QApplication>
#include <QWindow>

namespace ui_detail {
namespace {

void Activate(QWidget* owner)
{
    if (QApplication::activeWindow() || !owner->isVisible() || !owner->isEnabled())
        return;
    if (const QWidget* modal = QApplication::activeModalWidget(); modal && modal != owner)
        return;
    QApplication::setActiveWindow(owner); // the focus goes back to the owner's focus widget
    owner->activateWindow();
}

} // namespace

QWidget* OwnerWindow(const QWidget& window)
{
    const QWidget* top = window.window();
    QWidget* owner = top->parentWidget() ? top->parentWidget()->window() : nullptr;
    while (owner && InNonActivatingPopup(owner) && owner->parentWidget())
        owner = owner->parentWidget()->window();
    if (!owner || InNonActivatingPopup(owner)) {
        const QWidget* main = WidgetOf(AfxGetMainWnd());
        owner = main ? main->window() : nullptr;
    }
    return owner == top ? nullptr : owner;
}

QWidget* StandOverOwner(QWidget& window)
{
    if (!window.isWindow() || window.parentWidget())
        return nullptr;
    QWidget* owner = OwnerWindow(window);
    if (!owner || !owner->isVisible() || !owner->windowHandle())
        return nullptr;
    window.winId(); // makes the window's handle, which carries what the desktop is told
    QWindow* handle = window.windowHandle();
    if (!handle)
        return nullptr;
    handle->setTransientParent(owner->windowHandle());
    return owner;
}

void ReturnActivationLater(QWidget* owner)
{
    if (!owner || !QCoreApplication::instance())
        return;
    // Queued on the owner: the call goes if the owner ends first.
    QMetaObject::invokeMethod(
        owner, [owner] { Activate(owner); }, Qt::QueuedConnection);
}

void LeaveActivationToOwner(const QWidget& window)
{
    if (window.isWindow() && QApplication::activeWindow() == &window)
        ReturnActivationLater(OwnerWindow(window));
}

void ActivateAppearedWindow(QWidget& window)
{
    if (window.isWindow() && window.isVisible() && QApplication::activeWindow() != &window &&
        QApplication::activeWindow())
        window.activateWindow();
}

} // namespace ui_detail
