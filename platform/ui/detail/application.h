// platform/ui/detail/application.h: the Qt application the layer makes, which knows when Qt is
// delivering an event, and the deletion of a window's Qt objects once no event of theirs runs.
#pragma once

#include <QApplication>

namespace ui_detail {

/// The one Qt application, made by the program's entry or by the test hooks.
class Application final : public QApplication {
public:
    /// Installs the wait cursor's sink, which shows the busy pointer over every window while a
    /// CWaitCursor lives; the destructor takes it away again.
    Application(int& argc, char** argv);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    /// Delivers the event; an exception that its handlers let through ends there
    /// (HandleEscapedException).
    bool notify(QObject* receiver, QEvent* event) override;
};

/// Whether Qt is delivering an event now: a handler that runs from inside one may be running
/// for the very widget, menu or action that is about to go.
bool DeliveringEvent();

/// Deletes the object at once when no event is being delivered; otherwise hides it (a widget)
/// and leaves the deletion to Qt's deferred deletion, which runs once the event is done. A
/// window that ends from inside a handler of itself, of a window inside it or of its menu so
/// never takes memory that Qt still uses away.
void DeleteWhenSafe(QObject* object);

} // namespace ui_detail
