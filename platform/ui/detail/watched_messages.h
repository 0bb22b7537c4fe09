// platform/ui/detail/watched_messages.h: where the window layer hands the application-wide
// message watches what they look at.
#pragma once

#include "platform/ui/windows/message.h"

class QObject;
class QEvent;

namespace ui_detail {

/// Tells the installed watches of a button press the input filter made a message of (once per
/// Qt event, whichever widget it is meant for); cheap when none is installed.
void ReportWatchedInput(const MSG& msg);
/// Tells the installed watches of a message delivered to a window when it is a command, a
/// system command or a top-level window's WM_SIZE. Presses are left to ReportWatchedInput, so
/// that one reaching a window is told once.
void ReportWatchedMessage(const MSG& msg);
/// Reports a top-level window's move (a Qt move event of a window's widget that changes its
/// place) as WM_MOVE.
void ReportWatchedEvent(QObject* receiver, const QEvent* event);

} // namespace ui_detail
