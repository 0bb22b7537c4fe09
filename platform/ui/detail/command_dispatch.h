// platform/ui/detail/command_dispatch.h: running a command as a menu choice or a key does:
// only when its update handler leaves it enabled.
#pragma once

#include "platform/base/types.h"

class CWnd;

namespace ui_detail {

/// The command's state through target's routing: what its update handler sets, else enabled
/// exactly when a command handler exists.
bool CommandEnabled(CWnd& target, UINT id);
/// Sends WM_COMMAND for id to target (high word source: 0 a menu, 1 an accelerator) when the
/// command is enabled; false, sending nothing, when it is not.
bool RunEnabledCommand(CWnd& target, UINT id, WORD source);

} // namespace ui_detail
