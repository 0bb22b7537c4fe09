// platform/base/prompt_script.h: a prompt that answers from a queue and records every box, for
// tests and for running without a person (every question answered with its default).
#pragma once

#include "platform/base/prompt.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class CPromptScript final : public IPrompt {
public:
    struct Shown {
        std::string text, caption;
        UINT style = 0;
        int answer = 0;
    };

    /// Queues the answer to the next box.
    void Answer(int answer);
    /// When no answer is queued: with answerDefaults the box takes its default button; otherwise
    /// onUnanswered (if set) is told the text and the box ends as Cancel (No for Yes/No boxes).
    void SetAnswerDefaults(bool answerDefaults) { m_answerDefaults = answerDefaults; }
    void SetOnUnanswered(std::function<void(const std::string&)> onUnanswered);

    /// Returns the boxes shown since the last call and forgets them.
    std::vector<Shown> TakeMessages();
    std::vector<std::string> TakeShellOpens();
    /// What ShellOpen answers from now on (42, opened, at first; 31 when nothing opens it).
    void SetShellOpenResult(int result) { m_shellOpenResult = result; }
    int BeepCount() const { return m_beeps; }
    bool HasQueuedAnswers() const { return !m_answers.empty(); }

    int MessageBox(const std::string& text, UINT style, const std::string& caption) override;
    void MessageBeep(UINT type) override;
    int ShellOpen(const std::string& target, const std::string& verb) override;

private:
    std::deque<int> m_answers;
    std::vector<Shown> m_shown;
    std::vector<std::string> m_opens;
    int m_shellOpenResult = 42;
    std::function<void(const std::string&)> m_onUnanswered;
    bool m_answerDefaults = false;
    int m_beeps = 0;
};
