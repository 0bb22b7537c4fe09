// platform/ui/windows/cmd_ui.cpp: recording an item's state and the update request with its
// default.
#include "platform/ui/windows/cmd_ui.h"

#include "platform/ui/windows/cmd_target.h"

void CCmdUI::Enable(BOOL on)
{
    m_enabled = on ? TRUE : FALSE;
}

void CCmdUI::SetCheck(int check)
{
    m_check = check;
    m_radio = false;
}

void CCmdUI::SetRadio(BOOL on)
{
    m_check = on ? 1 : 0;
    m_radio = on != FALSE;
}

void CCmdUI::SetText(const std::string& text)
{
    m_text = text;
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler)
{
    if (!target)
        return FALSE;
    if (target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr))
        return TRUE;
    if (disableIfNoHandler) {
        AFX_CMDHANDLERINFO info;
        Enable(target->OnCmdMsg(m_nID, CN_COMMAND, nullptr, &info));
    }
    return FALSE;
}
