// reports/window/rpt_build_stop.cpp: keeping the window alive during a report build and stopping
// it on Escape.
#include "reports/window/rpt_build_stop.h"

#include "platform/base/clock.h"
#include "platform/ui/windows/message_pump.h"

namespace {

/// How often a build lets the window handle its messages, in milliseconds.
constexpr DWORD kPumpInterval = 100;

} // namespace

CRptBuildStop::CRptBuildStop() : m_lastPump(GetTickCount()) {}

bool CRptBuildStop::operator()()
{
    const DWORD now = GetTickCount();
    if (!m_requested && now - m_lastPump >= kPumpInterval) {
        m_lastPump = now;
        PumpWaitingMessages();
    }
    return m_requested;
}

bool IsBuildStopKey(const MSG& msg)
{
    return msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
}
