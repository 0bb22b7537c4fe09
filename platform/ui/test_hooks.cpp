// platform/ui/test_hooks.cpp: the test hooks over the scripted prompt and an offscreen application.
#include "platform/ui/test_hooks.h"

#include "platform/base/prompt.h"

#include <QApplication>

#include <cstdlib>
#include <memory>

namespace TestHooks {
namespace {

bool g_enabled = false;
std::function<void(std::string)> g_onFailure;
CPromptScript g_ownScript;

/// The script that answers questions: the one already installed (the test programs install
/// theirs before enabling the hooks), else our own.
CPromptScript& Script()
{
    if (auto* installed = dynamic_cast<CPromptScript*>(GetPrompt()))
        return *installed;
    SetPrompt(&g_ownScript);
    return g_ownScript;
}

void StartApplication()
{
    if (QApplication::instance())
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "ardenvel-tests";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> application = std::make_unique<QApplication>(argc, argv);
}

}  // namespace

void Enable(std::function<void(std::string)> onFailure)
{
    StartApplication();
    g_onFailure = std::move(onFailure);
    Script().SetOnUnanswered([](const std::string& text) {
        if (g_onFailure)
            g_onFailure("A message box was shown with no answer queued: " + text);
    });
    g_enabled = true;
}

bool IsEnabled() { return g_enabled; }

void AnswerMessageBox(int answer) { Script().Answer(answer); }

std::vector<CPromptScript::Shown> TakeMessages() { return Script().TakeMessages(); }

std::vector<std::string> TakeShellOpens() { return Script().TakeShellOpens(); }

int BeepCount() { return Script().BeepCount(); }

}  // namespace TestHooks
