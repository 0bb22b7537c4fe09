// platform/ui/detail/timer_service.h: window timers: Qt timers when the program runs, the
// virtual clock under the test hooks.
#pragma once

#include "platform/base/types.h"

class CWnd;

namespace ui_detail::timers {

/// Starts or restarts timer id of wnd; returns id, or 0 when wnd has no window.
UINT_PTR Set(CWnd& wnd, UINT_PTR id, UINT elapseMs);
bool Kill(CWnd& wnd, UINT_PTR id);
void KillAll(CWnd& wnd);

/// From now on timers wait for AdvanceVirtualClock instead of real time.
void UseVirtualClock();
/// Moves GetTickCount on by ms; each timer fires at each of its due times on the way, the
/// earliest first (timers due together in the order they were set).
void AdvanceVirtualClock(DWORD ms);

} // namespace ui_detail::timers
