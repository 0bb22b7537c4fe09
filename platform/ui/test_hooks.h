// platform/ui/test_hooks.h: lets a test drive the window layer without a person: every modal
// question is answered from a script, and a question with no answer fails the test, never hangs.
#pragma once

#include "platform/base/prompt_script.h"

#include <functional>
#include <string>
#include <vector>

namespace TestHooks {

/// Starts the application object on the offscreen platform when none exists and turns the hooks
/// on: from then on no real modal loop starts. onFailure is told of every unanswered question.
void Enable(std::function<void(std::string)> onFailure);
bool IsEnabled();

/// Answers the next message box (IDOK, IDYES, IDNO, IDCANCEL); answers are used in order.
void AnswerMessageBox(int answer);
/// The boxes shown since the last call, with their texts, captions, styles and answers.
std::vector<CPromptScript::Shown> TakeMessages();
/// The documents and addresses that would have been opened through the desktop.
std::vector<std::string> TakeShellOpens();
int BeepCount();

}  // namespace TestHooks
