// reports/rpt_retry.cpp: a wait that lets the window live while a file is awaited.
#include "reports/rpt_retry.h"

#include "platform/base/clock.h"

#include <chrono>
#include <thread>

namespace {

/// How long one idle step sleeps when the caller gives none.
constexpr auto kSleepStep = std::chrono::milliseconds(10);

} // namespace

bool WaitAndRetry(const std::function<bool()>& ready, int waits, DWORD interval,
                  const std::function<void()>& idle)
{
    if (ready())
        return true;
    for (int i = 0; i < waits; ++i) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < interval) {
            if (idle)
                idle();
            else
                std::this_thread::sleep_for(kSleepStep);
        }
        if (ready())
            return true;
    }
    return false;
}
