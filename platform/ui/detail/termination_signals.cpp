// platform/ui/detail/termination_signals.cpp: a signal handler that only writes a byte into a
// pipe, and a notifier on the pipe that the event loops serve.
#include "platform/ui/detail/termination_signals.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <memory>

namespace ui_detail {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP};

int g_pipe[2] = {-1, -1};
std::unique_ptr<QSocketNotifier> g_notifier;
std::function<void()> g_onSignal;

void NoteSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

bool StartedIgnored(int signal)
{
    struct sigaction current {};
    return ::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

} // namespace

TerminationSignalWatch::TerminationSignalWatch(std::function<void()> onSignal)
{
    if (g_notifier || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_onSignal = std::move(onSignal);
    g_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(g_notifier.get(), &QSocketNotifier::activated, [] {
        char bytes[16];
        while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
        }
        if (g_onSignal)
            g_onSignal();
    });
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        if (!StartedIgnored(signal))
            ::sigaction(signal, &action, nullptr);
}

TerminationSignalWatch::~TerminationSignalWatch()
{
    if (!g_notifier)
        return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int signal : kSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == NoteSignal)
            ::sigaction(signal, &action, nullptr);
    }
    g_notifier.reset();
    g_onSignal = nullptr;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

} // namespace ui_detail
