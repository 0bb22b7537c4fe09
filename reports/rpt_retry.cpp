// reports/rpt_retry.cpp: a wait that lets the window live while a file is awaited.
#include "reports/rpt_retry.h"

#include "platform/base/clock.h"

#include <chrono>
#include <thread>

namespace {

std::function<void()> g_idle;

/// How long one idle step sleeps when no idle step is installed.
constexpr auto kSleepStep = std::chrono::milliseconds(10);

} // namespace

void SetRptRetryIdle(std::function<void()> idle)
{
    g_idle = std::move(idle);
}

bool WaitAndRetry(const std::function<bool()>& ready, int waits, DWORD interval)
{
    if (ready())
        return true;
    for (int i = 0; i < waits; ++i) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < interval) {
            if (g_idle)
                g_idle();
            else
                std::this_thread::sleep_for(kSleepStep);
        }
        if (ready())
            return true;
    }
    return false;
}
