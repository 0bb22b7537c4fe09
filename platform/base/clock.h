// platform/base/clock.h: the program's two clocks, milliseconds for timing and the local date
// and time for stamps, each of which a test can set.
#pragma once

#include "platform/base/types.h"

/// Milliseconds since an arbitrary start, from a steady clock; wraps after about 49 days.
DWORD GetTickCount();

/// A local date and time as its parts (month 1 to 12, day 1 to 31, hour 0 to 23).
struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
/// The local date and time now, from the system clock unless a test has set it.
LocalTime LocalNow();

namespace clock_seam {
/// From now on GetTickCount returns ms, moved only by AdvanceTickCount.
void FreezeTickCount(DWORD ms);
/// Moves the frozen count on; nothing while the clock is not frozen.
void AdvanceTickCount(DWORD ms);
/// GetTickCount follows the steady clock again.
void ReleaseTickCount();
/// LocalNow returns now until ReleaseLocalNow.
void SetLocalNow(const LocalTime& now);
void ReleaseLocalNow();
} // namespace clock_seam
