// platform/ui/detail/app_events.h: the application's input filter: each key and mouse event
// becomes a message that a modal wait, the pre-translation chain and the accelerators see
// before the window it is meant for.
#pragma once

#include "platform/ui/windows/message.h"

#include <QEvent>
#include <QObject>

#include <functional>
#include <optional>

class CAcceleratorTable;

namespace ui_detail {

/// The message of a key or mouse event of a widget inside a window: for that nearest window,
/// the point in its client coordinates. None for other events and for widgets outside every
/// window.
std::optional<MSG> InputMessage(QObject* receiver, QEvent* event);

/// Offers msg to PreTranslateMessage of msg.hwnd and of each window around it, up to its
/// top-level window; TRUE when one consumed it.
BOOL PreTranslateThroughWindows(MSG* msg);

/// Installs the filter on the application once. Each key and mouse event of a window is
/// offered, once however Qt passes it on to parents: first to the input filters of running
/// modal waits (the innermost first), which may drop it; then to the application object's
/// PreTranslateMessage (without one, to the windows); then, for a key press, to the
/// accelerators installed on its top-level window. A message taken on the way never reaches
/// the window.
void InstallInputFilter();

/// Routes the keys of owner's top-level window through table, or stops owner's table (null).
void SetAccelerators(CWnd& owner, const CAcceleratorTable* table);
void RemoveAccelerators(const CAcceleratorTable* table);

/// While it lives, every key and mouse message goes to filter first; false drops it.
class ScopedInputFilter {
public:
    explicit ScopedInputFilter(std::function<bool(const MSG&)> filter);
    ~ScopedInputFilter();
    ScopedInputFilter(const ScopedInputFilter&) = delete;
    ScopedInputFilter& operator=(const ScopedInputFilter&) = delete;

private:
    std::function<bool(const MSG&)> m_filter;
};

} // namespace ui_detail
