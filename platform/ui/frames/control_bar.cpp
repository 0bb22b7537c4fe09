// platform/ui/frames/control_bar.cpp: what toolbars and status bars share: styles, docking
// permission, their frame, commands and prompts.
#include "platform/ui/frames/control_bar.h"

#include "platform/ui/frames/frame_wnd.h"

CControlBar::CControlBar() = default;

void CControlBar::SetBarStyle(DWORD style)
{
    const DWORD old = m_dwBarStyle;
    m_dwBarStyle = style & CBRS_ALL;
    if (old != m_dwBarStyle)
        OnBarStyleChange(old, m_dwBarStyle);
}

void CControlBar::EnableDocking(DWORD dockStyle)
{
    m_dwDockStyle = dockStyle & CBRS_ALIGN_ANY;
    if (m_pDockSite)
        m_pDockSite->RecalcLayout();
}

BOOL CControlBar::IsFloating() const
{
    return FALSE;
}

void CControlBar::JoinParentFrame()
{
    m_pDockSite = dynamic_cast<CFrameWnd*>(GetParent());
    if (m_pDockSite)
        m_pDockSite->AddControlBar(this);
}

CFrameWnd* CControlBar::GetUpdateTarget() const
{
    return m_pDockSite ? m_pDockSite : GetParentFrame(this);
}

void CControlBar::SendCommand(UINT id)
{
    CWnd* owner = m_pDockSite ? m_pDockSite : GetParent();
    if (owner)
        owner->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0);
}

void CControlBar::ShowFlyByPrompt(UINT id)
{
    // A floating bar lies in a window of its own: its frame is the one it belongs to.
    const CWnd* from = m_pDockSite ? static_cast<const CWnd*>(m_pDockSite) : this;
    if (CFrameWnd* frame = GetTopLevelFrame(from))
        frame->ShowFlyByPrompt(id);
}

void CControlBar::OnBarStyleChange(DWORD /*oldStyle*/, DWORD /*newStyle*/) {}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_IDLEUPDATECMDUI)
        return CWnd::WindowProc(message, wParam, lParam);
    if (GetStyle() & WS_VISIBLE)
        if (CFrameWnd* target = GetUpdateTarget())
            OnUpdateCmdUI(target, BOOL(wParam));
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockSite)
        m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
    CWnd::OnDestroy();
}
