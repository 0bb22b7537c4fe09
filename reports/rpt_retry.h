// reports/rpt_retry.h: waiting for a file that another step is still putting in place, without
// freezing the window: the wait lets the caller's idle step run until the program's clock has
// moved on.
#pragma once

#include "platform/base/types.h"

#include <functional>

/// Asks ready; while it answers false waits interval milliseconds of the program's clock and asks
/// again, at most waits times. Answers ready's last answer. idle runs over and over while a wait
/// lasts (the window side dispatches waiting messages); without one the wait sleeps in short
/// steps.
bool WaitAndRetry(const std::function<bool()>& ready, int waits, DWORD interval,
                  const std::function<void()>& idle = {});
