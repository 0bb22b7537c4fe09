// platform/ui/detail/application.cpp: the event depth of the Qt application and the deletion of
// window objects that waits for the event being delivered.
#include "platform/ui/detail/application.h"

#include "platform/ui/detail/program_fault.h"
#include "platform/ui/detail/window_widget.h"

#include <QAction>
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

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

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
