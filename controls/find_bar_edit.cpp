// controls/find_bar_edit.cpp: keys offered to the listener before the edit sees them, Enter, Tab
// and Escape handed over, focus changes told, and the clipboard keys.
#include "controls/find_bar_edit.h"

#include "controls/edit_utils.h"

BOOL CFindBarEdit::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd == this && TranslateClipboardKeys(*this, m_clipboardKeys, *msg))
        return TRUE;
    return CEdit::PreTranslateMessage(msg);
}

LRESULT CFindBarEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETDLGCODE)
        return DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTCHARS;
    return CEdit::WindowProc(message, wParam, lParam);
}

void CFindBarEdit::OnKeyDown(UINT virtKey, UINT /*repeatCount*/, UINT /*flags*/)
{
    if (m_listener && m_listener->OnEditKeyDown(this, virtKey))
        return;
    Default();
}

void CFindBarEdit::OnChar(UINT character, UINT /*repeatCount*/, UINT /*flags*/)
{
    if (m_listener && (character == VK_RETURN || character == VK_TAB || character == VK_ESCAPE)) {
        m_listener->OnEditChar(this, character);
        return;
    }
    Default();
}

void CFindBarEdit::OnSetFocus(CWnd* oldWnd)
{
    CEdit::OnSetFocus(oldWnd);
    if (m_listener)
        m_listener->OnEditSetFocus(this);
}

void CFindBarEdit::OnKillFocus(CWnd* newWnd)
{
    CEdit::OnKillFocus(newWnd);
    if (m_listener)
        m_listener->OnEditKillFocus(this);
}
