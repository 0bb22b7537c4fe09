// app/shell/child_frame.cpp: the child frame's title, menu, size limits and close box.
#include "app/shell/child_frame.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "app/shell/sub_view.h"

#include "platform/ui/frames/document.h"
#include "platform/ui/frames/mdi_frame_wnd.h"

CChildFrame::CChildFrame() = default;

CChildFrame::~CChildFrame() = default;

const CRuntimeClass* CChildFrame::GetRuntimeClass() const
{
    return RuntimeClassOf<CChildFrame>();
}

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style &= ~FWS_ADDTOTITLE;
    return CMDIChildWnd::PreCreateWindow(cs);
}

bool CChildFrame::HoldsRecordsWindow() const
{
    const auto* view = dynamic_cast<const CAvView*>(GetActiveView());
    return view && view->GetSubView() && view->GetSubView()->GetSubViewType() == kSubViewRecords;
}

void CChildFrame::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) != SC_CLOSE || !HoldsRecordsWindow())
        return CMDIChildWnd::OnSysCommand(id, lParam);
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame)
        return;
    frame->MDINext();
    ShowWindow(SW_HIDE);
    frame->MDIRefreshMenu();
    frame->DrawMenuBar();
}

void CChildFrame::OnUpdateFrameTitle(BOOL addToTitle)
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->OnUpdateFrameTitle(addToTitle);
    std::string title;
    const auto* view = dynamic_cast<const CAvView*>(GetActiveView());
    if (view && view->GetSubView())
        view->GetSubView()->GetTitle(title);
    std::string current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
}

void CChildFrame::OnUpdateFrameMenu(BOOL activate, CWnd* activateWnd, CMenu* menuAlt)
{
    if (activate) {
        CMDIChildWnd::OnUpdateFrameMenu(activate, activateWnd, menuAlt);
        return;
    }
    // Unlike the base, the last child going leaves the menu bar as it is.
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->MDIRefreshMenu();
}

void CChildFrame::OnGetMinMaxInfo(MINMAXINFO* info)
{
    CMDIChildWnd::OnGetMinMaxInfo(info);
    if (m_minWidth >= 0)
        info->ptMinTrackSize.x = m_minWidth;
    if (m_minHeight >= 0)
        info->ptMinTrackSize.y = m_minHeight;
    if (m_maxWidth >= 0)
        info->ptMaxTrackSize.x = m_maxWidth;
    if (m_maxHeight >= 0)
        info->ptMaxTrackSize.y = m_maxHeight;
}

void CChildFrame::SetMinTrackSize(int minWidth, int minHeight, int maxWidth, int maxHeight)
{
    m_minWidth = minWidth;
    m_minHeight = minHeight;
    m_maxWidth = maxWidth;
    m_maxHeight = maxHeight;
}
