// platform/ui/windows/message_pump.cpp: dispatching waiting events, modal waits with filtered
// input, waking the loop from other threads, and the quit request.
#include "platform/ui/windows/message_pump.h"

#include "platform/ui/detail/app_events.h"
#include "platform/ui/detail/idle.h"
#include "platform/ui/detail/quit_state.h"
#include "platform/ui/windows/test_hooks.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <atomic>

namespace {

std::atomic<bool> g_quitPosted{false};
std::atomic<int> g_quitCode{0};

} // namespace

namespace ui_detail {

bool QuitPosted()
{
    return g_quitPosted;
}

int QuitCode()
{
    return g_quitCode;
}

void ForgetQuit()
{
    g_quitPosted = false;
    g_quitCode = 0;
}

} // namespace ui_detail

BOOL PumpWaitingMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (g_quitPosted)
        return FALSE;
    ui_detail::RunApplicationIdle();
    return TRUE;
}

namespace {

int g_modalWaits = 0;

struct ModalDepth {
    ModalDepth() { ++g_modalWaits; }
    ~ModalDepth() { --g_modalWaits; }
    ModalDepth(const ModalDepth&) = delete;
    ModalDepth& operator=(const ModalDepth&) = delete;
};

} // namespace

bool IsInModalWait()
{
    return g_modalWaits > 0;
}

BOOL PumpWaitingMessages(const InputFilter& filter)
{
    const ModalDepth depth;
    {
        const ui_detail::AutomaticIdleOff idleOff;
        const ui_detail::ScopedInputFilter inputFilter(filter ? filter
                                                              : [](const MSG&) { return true; });
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    if (g_quitPosted)
        return FALSE;
    ui_detail::RunBaseIdle();
    return TRUE;
}

void RunModalWait(const std::function<bool()>& done, const InputFilter& filter)
{
    const ModalDepth depth;
    const ui_detail::AutomaticIdleOff idleOff;
    const ui_detail::ScopedInputFilter inputFilter(filter ? filter
                                                          : [](const MSG&) { return true; });
    QEventLoop loop;
    while (!done()) {
        ui_detail::RunBaseIdle();
        if (done())
            break;
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void WakeUiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(app->thread()))
        dispatcher->wakeUp();
}

void PostQuitMessage(int exitCode)
{
    g_quitCode = exitCode;
    g_quitPosted = true;
    // Under the test hooks no loop runs; the next Run carries the request out.
    if (QCoreApplication::instance() && !TestHooks::IsEnabled())
        QCoreApplication::exit(exitCode);
}
