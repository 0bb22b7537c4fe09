// common/abort.h: the program's way of abandoning an operation.
#pragma once

/// What ThrowAbort throws: an operation was abandoned on purpose. It is its own type, so that a
/// handler that turns an abandoned operation into a failure result does not take an
/// out-of-memory or a fault of the program for one.
struct COperationAborted {};

/// Abandons the current operation by throwing COperationAborted; the handler of the operation
/// turns it into a failure result.
[[noreturn]] void ThrowAbort();
