// platform/ui/detail/idle.h: idle work: run when the user-interface loop is about to wait, or
// on request (the test hooks, the message pump, modal waits), never inside itself.
#pragma once

#include "platform/base/types.h"

namespace ui_detail {

/// The base idle work: at count 0 the update pass, WM_IDLEUPDATECMDUI (WPARAM TRUE) sent to
/// every window, parents before children. TRUE for count 0 only.
BOOL BaseIdle(LONG count);
/// An idle period of the application object: its OnIdle (BaseIdle without one) with counts
/// 0, 1, ... until it returns FALSE. Nothing when idle work is running already.
void RunApplicationIdle();
/// The same with BaseIdle, whatever the application overrides.
void RunBaseIdle();

/// From now on idle periods run whenever the outermost loop is about to wait, one count per
/// wait; not under the test hooks, where only RunApplicationIdle runs them.
void StartIdleDriver();
/// Input arrived: an idle period in progress starts again at count 0.
void NoteInputForIdle();

/// While one lives, idle periods do not start on their own: a modal wait runs its own.
class AutomaticIdleOff {
public:
    AutomaticIdleOff();
    ~AutomaticIdleOff();
    AutomaticIdleOff(const AutomaticIdleOff&) = delete;
    AutomaticIdleOff& operator=(const AutomaticIdleOff&) = delete;
};

} // namespace ui_detail
