// platform/ui/windows/message_pump.h: running the message loop from inside a command: dispatching
// what is waiting, waiting for another thread with input filtered, and waking the loop.
#pragma once

#include "platform/ui/windows/message.h"

#include <functional>

/// Dispatches every waiting message, then runs the application's idle work with counts 0, 1,
/// ... until it wants no more. Returns 0 once the program has been asked to quit, else 1.
BOOL PumpWaitingMessages();

/// Decides whether an input message is dispatched (true) or dropped (false) during a wait.
using InputFilter = std::function<bool(const MSG&)>;

/// Dispatches every waiting message as RunModalWait does: each key or mouse message is offered
/// to filter and dropped when it answers false, and frames refuse to close and to run commands
/// meanwhile; then the base idle work runs once. For a long operation on the interface thread
/// that keeps its windows painted. Returns 0 once the program has been asked to quit, else 1.
BOOL PumpWaitingMessages(const InputFilter& filter);

/// Runs a nested loop until done() holds: before each wait the base idle work runs (the
/// application's own OnIdle override does not); each key or mouse message is offered to
/// filter, and dropped when it answers false; everything else is dispatched. done() is asked
/// again after each message and after each WakeUiThread, which the thread being waited for
/// calls when it ends.
void RunModalWait(const std::function<bool()>& done, const InputFilter& filter);

/// Whether a RunModalWait is running. Meanwhile frames refuse to close, to take dropped files
/// and to run commands, so that nothing changes what the other thread works on.
bool IsInModalWait();

/// Wakes the user-interface thread's loop; callable from any thread.
void WakeUiThread();

/// Ends the message loop with exitCode; from then on PumpWaitingMessages returns 0.
void PostQuitMessage(int exitCode);
