// platform/ui/detail/termination_signals.h: the signals that ask the program to stop (SIGTERM,
// SIGHUP), turned into a call on the user-interface thread.
#pragma once

#include <functional>

namespace ui_detail {

/// While one lives, SIGTERM and SIGHUP (each unless the program was started with it ignored)
/// no longer end the process at once: the loop that runs next, the main one or a modal one,
/// calls onSignal once for each arrival. The signals take their default action again after.
class TerminationSignalWatch {
public:
    explicit TerminationSignalWatch(std::function<void()> onSignal);
    ~TerminationSignalWatch();
    TerminationSignalWatch(const TerminationSignalWatch&) = delete;
    TerminationSignalWatch& operator=(const TerminationSignalWatch&) = delete;
};

} // namespace ui_detail
