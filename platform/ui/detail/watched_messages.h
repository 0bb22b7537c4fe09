// platform/ui/detail/watched_messages.h: where the window layer hands the application-wide
// message watches what they look at.
#pragma once

#include "platform/ui/windows/message.h"

class QObject;
class QEvent;

namespace ui_detail {

/// Tells the installed watches of msg when it is of a kind they watch; cheap when none is
/// installed.
void ReportWatchedMessage(const MSG& msg);
/// Reports a top-level window's move (a Qt move event of a window's widget) as WM_MOVE.
void ReportWatchedEvent(QObject* receiver, const QEvent* event);

} // namespace ui_detail
