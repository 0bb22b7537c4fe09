// platform/ui/detail/timer_service.cpp: the timer table and the two ways timers run.
#include "platform/ui/detail/timer_service.h"

#include "platform/base/clock.h"
#include "platform/ui/detail/window_widget.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QTimerEvent>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace ui_detail::timers {
namespace {

/// Periods below this run at this period, as on the desktop the program was designed for.
constexpr UINT kMinimumPeriod = 10;

struct Timer {
    CWnd* wnd;
    UINT_PTR id;
    UINT period;
    std::uint64_t due; // on the virtual clock
    int qtId;          // 0 on the virtual clock
    std::uint64_t order;
};

std::vector<Timer> g_timers;
std::uint64_t g_nextOrder = 0;
bool g_virtual = false;
std::uint64_t g_virtualNow = 0;

void Fire(CWnd* wnd, UINT_PTR id)
{
    wnd->SendMessage(WM_TIMER, id, 0);
}

class TimerHost final : public QObject {
public:
    using QObject::QObject;

protected:
    void timerEvent(QTimerEvent* event) override
    {
        const auto found = std::find_if(g_timers.begin(), g_timers.end(),
                                        [&](const Timer& t) { return t.qtId == event->timerId(); });
        if (found != g_timers.end())
            Fire(found->wnd, found->id);
    }
};

TimerHost* Host()
{
    static QPointer<TimerHost> host;
    if (!host)
        host = new TimerHost(QCoreApplication::instance());
    return host;
}

std::vector<Timer>::iterator Find(CWnd& wnd, UINT_PTR id)
{
    return std::find_if(g_timers.begin(), g_timers.end(),
                        [&](const Timer& t) { return t.wnd == &wnd && t.id == id; });
}

void Stop(const Timer& timer)
{
    if (timer.qtId && Host())
        Host()->killTimer(timer.qtId);
}

} // namespace

UINT_PTR Set(CWnd& wnd, UINT_PTR id, UINT elapseMs)
{
    if (!wnd.GetSafeHwnd())
        return 0;
    Kill(wnd, id);
    const UINT period = std::max(elapseMs, kMinimumPeriod);
    Timer timer{&wnd, id, period, g_virtualNow + period, 0, g_nextOrder++};
    if (!g_virtual) {
        timer.qtId = Host()->startTimer(int(period));
        if (!timer.qtId)
            return 0;
    }
    g_timers.push_back(timer);
    return id;
}

bool Kill(CWnd& wnd, UINT_PTR id)
{
    const auto found = Find(wnd, id);
    if (found == g_timers.end())
        return false;
    Stop(*found);
    g_timers.erase(found);
    return true;
}

void KillAll(CWnd& wnd)
{
    for (const Timer& timer : g_timers)
        if (timer.wnd == &wnd)
            Stop(timer);
    std::erase_if(g_timers, [&](const Timer& t) { return t.wnd == &wnd; });
}

void UseVirtualClock()
{
    g_virtual = true;
}

void AdvanceVirtualClock(DWORD ms)
{
    const std::uint64_t end = g_virtualNow + ms;
    for (;;) {
        auto next = g_timers.end();
        for (auto it = g_timers.begin(); it != g_timers.end(); ++it) {
            if (it->due > end)
                continue;
            if (next == g_timers.end() || it->due < next->due ||
                (it->due == next->due && it->order < next->order))
                next = it;
        }
        if (next == g_timers.end())
            break;
        clock_seam::AdvanceTickCount(DWORD(next->due - g_virtualNow));
        g_virtualNow = next->due;
        next->due += next->period;
        Fire(next->wnd, next->id); // the handler may change the table
    }
    clock_seam::AdvanceTickCount(DWORD(end - g_virtualNow));
    g_virtualNow = end;
}

} // namespace ui_detail::timers
