// platform/ui/detail/application.cpp: the event depth of the Qt application and the deletion of
// window objects that waits for the event being delivered.
#include "platform/ui/detail/application.h"

#include "platform/base/wait_cursor.h"
#include "platform/ui/detail/program_fault.h"
#include "platform/ui/detail/window_widget.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QWidget>

namespace ui_detail {
namespace {

/// How many events Qt is delivering, one inside another.
int g_depth = 0;

/// Takes the action out of every widget that shows it, except those inside `keep`.
void TakeOutOfOthers(QAction* action, const QWidget* keep)
{
    for (QObject* holder : action->associatedObjects())
        if (auto* widget = qobject_cast<QWidget*>(holder);
            widget && widget != keep && !(keep && keep->isAncestorOf(widget)))
            widget->removeAction(action);
}

/// Shows the busy pointer over the application's windows from the first wait to the end of the
/// last; Qt sends the change to the screen at once, so it shows while the work holds the loop.
class WaitCursorSink final : public IWaitCursorSink {
public:
    void ShowWaitCursor(bool show) override
    {
        if (show)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    }
};

WaitCursorSink g_waitCursorSink;

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    SetWaitCursorSink(&g_waitCursorSink);
    // Qt moves an opaque child by copying its pixels, and then takes the window it sits in as
    // overlapped by nothing at its next paint. When that window is already due for a whole
    // repaint, the mark outlives that paint; a window moved over it in between (as a cascade
    // does, window after window) is then painted over the next time the lower one repaints,
    // leaving a block of the lower window inside the upper one. Moved children are painted
    // instead, which costs little: the program's windows paint from their backing images.
    // Qt reads the setting at the first move.
    qputenv("QT_NO_FAST_MOVE", "1");
}

Application::~Application()
{
    SetWaitCursorSink(nullptr);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    struct Depth {
        Depth() { ++g_depth; }
        ~Depth() { --g_depth; }
    } const depth;
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleEscapedException(std::current_exception());
        return true;
    }
}

bool DeliveringEvent()
{
    return g_depth > 0;
}

void DeleteWhenSafe(QObject* object)
{
    if (!object)
        return;
    auto* widget = qobject_cast<QWidget*>(object);
    if (!DeliveringEvent() && !(widget && InsideEventOf(widget))) {
        delete object;
        return;
    }
    // What goes later leaves the menus and bars that show it now, as a deletion would.
    if (auto* action = qobject_cast<QAction*>(object))
        TakeOutOfOthers(action, nullptr);
    if (auto* menu = qobject_cast<QMenu*>(object)) {
        TakeOutOfOthers(menu->menuAction(), menu);
        for (QMenu* inner : menu->findChildren<QMenu*>())
            TakeOutOfOthers(inner->menuAction(), menu);
    }
    if (widget)
        widget->hide();
    object->deleteLater();
}

} // namespace ui_detail
