// platform/base/clock.cpp: the steady and local clocks with their test settings. Any thread may
// read them (the query worker formats dates).
#include "platform/base/clock.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <mutex>
#include <optional>

namespace {

std::atomic<bool> g_tickFrozen{false};
std::atomic<DWORD> g_frozenTick{0};

std::mutex g_nowMutex;
std::optional<LocalTime> g_fixedNow;

LocalTime SystemLocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return {
        parts.tm_year + 1900, parts.tm_mon + 1,
        parts.tm_mday,        parts.tm_hour,
        parts.tm_min,         parts.tm_sec > 59 ? 59 : parts.tm_sec}; // a leap second counts as :59
}

} // namespace

DWORD GetTickCount()
{
    if (g_tickFrozen)
        return g_frozenTick;
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return DWORD(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

LocalTime LocalNow()
{
    {
        const std::lock_guard lock(g_nowMutex);
        if (g_fixedNow)
            return *g_fixedNow;
    }
    return SystemLocalNow();
}

namespace clock_seam {

void FreezeTickCount(DWORD ms)
{
    g_frozenTick = ms;
    g_tickFrozen = true;
}

void AdvanceTickCount(DWORD ms)
{
    g_frozenTick += ms;
}

void ReleaseTickCount()
{
    g_tickFrozen = false;
}

void SetLocalNow(const LocalTime& now)
{
    const std::lock_guard lock(g_nowMutex);
    g_fixedNow = now;
}

void ReleaseLocalNow()
{
    const std::lock_guard lock(g_nowMutex);
    g_fixedNow.reset();
}

} // namespace clock_seam
