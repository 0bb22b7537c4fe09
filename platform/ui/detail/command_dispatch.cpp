// platform/ui/detail/command_dispatch.cpp: the enabled check before a command runs.
#include "platform/ui/detail/command_dispatch.h"

#include "platform/ui/windows/cmd_ui.h"
#include "platform/ui/windows/wnd.h"

namespace ui_detail {

bool CommandEnabled(CWnd& target, UINT id)
{
    CCmdUI state;
    state.m_nID = id;
    state.DoUpdate(&target, TRUE);
    return state.IsEnabled() != FALSE;
}

bool RunEnabledCommand(CWnd& target, UINT id, WORD source)
{
    if (!target.GetSafeHwnd() || !CommandEnabled(target, id))
        return false;
    target.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), source), 0);
    return true;
}

} // namespace ui_detail
