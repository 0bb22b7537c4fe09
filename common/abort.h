// common/abort.h: the program's way of abandoning an operation.
#pragma once

/// Abandons the current operation by throwing the integer 0; the nearest catch-all handler turns
/// it into a failure result.
[[noreturn]] void ThrowAbort();
