// reports/window/rpt_build_stop.cpp: keeping the windows painted during a report build, showing
// how far it got, and stopping it on Escape.
#include "reports/window/rpt_build_stop.h"

#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/ui/windows/message_pump.h"

namespace {

/// How often a build lets the windows handle their messages, in milliseconds.
constexpr DWORD kPumpInterval = 100;

} // namespace

CRptBuildStop::CRptBuildStop() : m_lastPump(GetTickCount()) {}

bool CRptBuildStop::operator()()
{
    const DWORD now = GetTickCount();
    if (!m_requested && now - m_lastPump >= kPumpInterval) {
        m_lastPump = now;
        PumpWaitingMessages([this](const MSG& msg) {
            if (IsBuildStopKey(msg))
                m_requested = true;
            return false;
        });
    }
    return m_requested;
}

bool IsBuildStopKey(const MSG& msg)
{
    return msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
}

void CRptBuildProgress::BeginProgress(long range, const std::string& text)
{
    m_text = text;
    m_range = range;
    m_pos = 0;
    m_page = 0;
    m_active = true;
    m_lastShown = GetTickCount();
    if (m_shown)
        m_shown->BeginProgress(range, Text());
}

void CRptBuildProgress::SetProgressPos(long pos)
{
    m_pos = pos;
    if (m_shown)
        m_shown->SetProgressPos(pos);
}

void CRptBuildProgress::ResetProgress(long range, const std::string& text)
{
    m_text = text;
    m_range = range;
    m_pos = 0;
    if (m_shown)
        m_shown->ResetProgress(range, Text());
}

void CRptBuildProgress::EndProgress()
{
    m_active = false;
    if (m_shown)
        m_shown->EndProgress();
}

void CRptBuildProgress::PageReached(int page)
{
    if (!m_active || page == m_page)
        return;
    m_page = page;
    const DWORD now = GetTickCount();
    if (now - m_lastShown < kPumpInterval)
        return;
    m_lastShown = now;
    Show();
}

std::string CRptBuildProgress::Text() const
{
    std::string shown = m_text;
    if (m_page > 0)
        shown += text::Format(": page %d", m_page);
    return shown + " (Esc stops)";
}

void CRptBuildProgress::Show()
{
    if (!m_shown)
        return;
    m_shown->ResetProgress(m_range, Text());
    m_shown->SetProgressPos(m_pos);
}
