// common/abort.h: the program's way of abandoning an operation.
#pragma once

#include "platform/base/abandon.h"

/// Abandons the current operation by throwing COperationAborted; the handler of the operation
/// turns it into a failure result (CauseOfAbandon and EndAbandonedOperation tell it from a fault
/// of the program).
[[noreturn]] void ThrowAbort();
