// platform/base/progress.cpp: the recording progress sink.
#include "platform/base/progress.h"

#include <utility>

void CProgressRecorder::BeginProgress(long range, const std::string& text)
{
    m_calls.push_back({Call::Begin, range, text});
    m_active = true;
}

void CProgressRecorder::SetProgressPos(long pos)
{
    m_calls.push_back({Call::SetPos, pos, {}});
}

void CProgressRecorder::ResetProgress(long range, const std::string& text)
{
    m_calls.push_back({Call::Reset, range, text});
}

void CProgressRecorder::EndProgress()
{
    m_calls.push_back({Call::End, 0, {}});
    m_active = false;
}

std::vector<CProgressRecorder::Call> CProgressRecorder::TakeCalls()
{
    return std::exchange(m_calls, {});
}
