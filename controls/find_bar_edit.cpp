// controls/find_bar_edit.cpp: keys offered to the listener before the edit sees them.
#include "controls/find_bar_edit.h"

void CFindBarEdit::OnKeyDown(UINT virtKey, UINT /*repeatCount*/, UINT /*flags*/)
{
    if (m_listener && m_listener->OnEditKeyDown(this, virtKey))
        return;
    Default();
}
