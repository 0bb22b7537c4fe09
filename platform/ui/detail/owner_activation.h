// platform/ui/detail/owner_activation.h: the owner of a window that took the activation with it
// when it hid or ended becomes the active window again, a window that appears takes it, as on
// any desktop, and a window without a parent stands over its owner for the desktop.
#pragma once

#include <QPointer>
#include <QWidget>

namespace ui_detail {

/// The window that owns a top-level window: its parent's window, else the main window; a
/// popup that never activates stands for its own owner. Null when there is none but window.
QWidget* OwnerWindow(const QWidget& window);

/// For a top-level window without a parent widget (a message box asked while no window is
/// active, as at start-up): when its owner (OwnerWindow) is shown, the desktop is told that the
/// window stands over it, so that window managers treat it as that window's dialog, without
/// its title-bar buttons for minimising and maximising, and not as a window of its own. Qt's
/// parent stays none. Call it once the window's flags are set, before it shows. Returns the
/// owner it stands over, or null.
QWidget* StandOverOwner(QWidget& window);

/// Once the event loop comes back, and only when no window is active then, owner becomes the
/// active window with the focus back where it last had it, and the desktop is asked to make it
/// the focus window; an owner gone, hidden, disabled or blocked by another modal window is left
/// alone. The return waits for the loop, as a window manager's activation does, so that what
/// the code that ended a window does next (a control taking the focus once its own dialog's
/// run is over) comes first.
void ReturnActivationLater(QWidget* owner);

/// For a top-level window about to hide or end: when it is the active window, its owner gets
/// the activation back (ReturnActivationLater).
void LeaveActivationToOwner(const QWidget& window);

/// For a top-level window that has just appeared: while the program is the one in use (one of
/// its windows is active), the desktop is asked to make it the active window, as a window
/// manager would; without one nothing would.
void ActivateAppearedWindow(QWidget& window);

/// Around a modal run of window: when the run is over, its owner gets the activation back.
class ModalActivationReturn {
public:
    explicit ModalActivationReturn(const QWidget& window) : m_owner(OwnerWindow(window)) {}
    ~ModalActivationReturn() { ReturnActivationLater(m_owner); }
    ModalActivationReturn(const ModalActivationReturn&) = delete;
    ModalActivationReturn& operator=(const ModalActivationReturn&) = delete;

private:
    QPointer<QWidget> m_owner;
};

} // namespace ui_detail
