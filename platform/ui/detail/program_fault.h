// platform/ui/detail/program_fault.h: what happens to an exception that a handler let reach the
// event loop: an abandoned operation is over, a fault of the program ends it.
#pragma once

#include <exception>
#include <string>
#include <vector>

namespace ui_detail {

/// The exit code of a program ended by a fault.
inline constexpr int kFaultExitCode = 70;

/// Called with the exception that broke off the delivery of an event. An aborted operation is
/// over and nothing is said; an out-of-memory shows "Memory error"; the program goes on after
/// both, since their handlers put the data back on the way out. Anything else is a fault of the
/// program, which may have left the data half changed: the message names it, and the process
/// ends at once with kFaultExitCode, saving nothing and writing no recovery copy, so the last
/// autosaved copy stays as it was. Under the test hooks the process goes on and the fault is
/// kept for TakeProgramFaults.
void HandleEscapedException(const std::exception_ptr& escaped);

/// The faults that ended the program under the test hooks since the last call, oldest first.
std::vector<std::string> TakeProgramFaults();

} // namespace ui_detail
