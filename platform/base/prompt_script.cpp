// platform/base/prompt_script.cpp: answers from a queue, records what was asked.
#include "platform/base/prompt_script.h"

#include <utility>

namespace {

// The answer of a box closed without a choice: its Cancel, No for Yes/No, else its first button.
int CancelAnswer(UINT style)
{
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    case MB_YESNO:
        return IDNO;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    default:
        return IDOK;
    }
}

} // namespace

void CPromptScript::Answer(int answer)
{
    m_answers.push_back(answer);
}

void CPromptScript::SetOnUnanswered(std::function<void(const std::string&)> onUnanswered)
{
    m_onUnanswered = std::move(onUnanswered);
}

std::vector<CPromptScript::Shown> CPromptScript::TakeMessages()
{
    return std::exchange(m_shown, {});
}

std::vector<std::string> CPromptScript::TakeShellOpens()
{
    return std::exchange(m_opens, {});
}

int CPromptScript::MessageBox(const std::string& text, UINT style, const std::string& caption)
{
    bool unanswered = false;
    int answer = 0;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    } else if (m_answerDefaults) {
        answer = DefaultAnswer(style);
    } else {
        answer = CancelAnswer(style);
        unanswered = true;
    }
    m_shown.push_back({text, caption, style, answer});
    // Told after recording, so a handler that inspects the record sees this box too.
    if (unanswered && m_onUnanswered)
        m_onUnanswered(text);
    return answer;
}

void CPromptScript::MessageBeep(UINT)
{
    ++m_beeps;
}

int CPromptScript::ShellOpen(const std::string& target, const std::string&)
{
    m_opens.push_back(target);
    return m_shellOpenResult;
}
