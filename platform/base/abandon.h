// platform/base/abandon.h: abandoned operations: the abort's own type, and how a handler that
// ends an operation tells an abandoned one from a fault of the program.
#pragma once

#include <exception>
#include <functional>
#include <string>

/// An operation was abandoned on purpose (the program throws it through ThrowAbort). It is its
/// own type, so that a handler that turns an abandoned operation into a failure result does not
/// take an out-of-memory or a fault of the program for one.
struct COperationAborted {};

/// Why an operation was abandoned.
enum class AbandonCause {
    Aborted,    // COperationAborted, or a type derived from it
    OutOfMemory // std::bad_alloc, or std::length_error: a size past what can be held
};

/// For a handler that catches every exception so that it can put its data back first: called
/// inside the handler once that is done, it answers why the operation was abandoned, and throws
/// any other exception on: a fault of the program is never a failed or cancelled operation.
AbandonCause CauseOfAbandon();

/// As CauseOfAbandon, for the handler of an operation the user asked for: an out-of-memory is
/// reported (ReportOutOfMemory) before it returns, so the failure result need say no more.
AbandonCause EndAbandonedOperation();

/// As the two above, for an exception the handler kept (std::current_exception) so that it could
/// put its data back outside the handler; any other exception is thrown on from here.
AbandonCause CauseOfAbandon(const std::exception_ptr& kept);
AbandonCause EndAbandonedOperation(const std::exception_ptr& kept);

/// Tells the user "Memory error" through the report installed from above: an operation ran out
/// of memory and was abandoned with its data whole. Without one nothing is told.
void ReportOutOfMemory();
/// Installs what tells the user the message of ReportOutOfMemory; the window layer shows it in
/// a stop box. Empty: nothing is told.
void SetOutOfMemoryReport(std::function<void(const std::string& message)> report);
