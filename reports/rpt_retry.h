// reports/rpt_retry.h: waiting for a file that another step is still putting in place, without
// freezing the window: the wait lets the installed idle step run until the program's clock has
// moved on.
#pragma once

#include "platform/base/types.h"

#include <functional>

/// What runs, over and over, while a wait lasts: the window side dispatches waiting messages.
/// Without one the wait sleeps in short steps.
void SetRptRetryIdle(std::function<void()> idle);

/// Asks ready; while it answers false waits interval milliseconds of the program's clock and asks
/// again, at most waits times. Answers ready's last answer.
bool WaitAndRetry(const std::function<bool()>& ready, int waits, DWORD interval);
