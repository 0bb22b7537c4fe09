// platform/base/prompt.cpp: the installed prompt and the free calls that route to it.
#include "platform/base/prompt.h"

#include <atomic>
#include <mutex>
#include <utility>

namespace {

std::atomic<IPrompt*> g_prompt{nullptr};
std::mutex g_captionMutex;
std::string g_caption;
std::mutex g_modalStartMutex;
std::function<void()> g_modalStart;

// The buttons of each box type, in the order they stand.
struct Buttons {
    int ids[3];
    int count;
};

Buttons ButtonsOf(UINT style)
{
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{IDOK, IDCANCEL, 0}, 2};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, IDRETRY, IDIGNORE}, 3};
    case MB_YESNOCANCEL:
        return {{IDYES, IDNO, IDCANCEL}, 3};
    case MB_YESNO:
        return {{IDYES, IDNO, 0}, 2};
    case MB_RETRYCANCEL:
        return {{IDRETRY, IDCANCEL, 0}, 2};
    default:
        return {{IDOK, 0, 0}, 1};
    }
}

} // namespace

int DefaultAnswer(UINT style)
{
    const Buttons buttons = ButtonsOf(style);
    const int index = (style & MB_DEFMASK) == MB_DEFBUTTON2   ? 1
                      : (style & MB_DEFMASK) == MB_DEFBUTTON3 ? 2
                                                              : 0;
    return buttons.ids[index < buttons.count ? index : 0];
}

void SetPrompt(IPrompt* prompt)
{
    g_prompt = prompt;
}

IPrompt* GetPrompt()
{
    return g_prompt;
}

void SetModalStartHandler(std::function<void()> handler)
{
    const std::lock_guard lock(g_modalStartMutex);
    g_modalStart = std::move(handler);
}

void NotifyModalStart()
{
    // A copy: the handler may set another one, or none, while it runs.
    std::function<void()> handler;
    {
        const std::lock_guard lock(g_modalStartMutex);
        handler = g_modalStart;
    }
    if (handler)
        handler();
}

void SetPromptCaption(std::string caption)
{
    const std::lock_guard lock(g_captionMutex);
    g_caption = std::move(caption);
}

int MessageBox(const std::string& text, UINT style, const std::string& caption)
{
    IPrompt* prompt = g_prompt;
    if (!prompt)
        return DefaultAnswer(style);
    NotifyModalStart();
    if (!caption.empty())
        return prompt->MessageBox(text, style, caption);
    std::string application;
    {
        const std::lock_guard lock(g_captionMutex);
        application = g_caption;
    }
    return prompt->MessageBox(text, style, application);
}

void MessageBeep(UINT type)
{
    if (IPrompt* prompt = g_prompt)
        prompt->MessageBeep(type);
}

int ShellOpen(const std::string& target, const std::string& verb)
{
    IPrompt* prompt = g_prompt;
    return prompt ? prompt->ShellOpen(target, verb) : 31; // 31: nothing opens it
}
