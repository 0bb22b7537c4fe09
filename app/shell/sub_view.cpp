// app/shell/sub_view.cpp: the pane base: creation, the empty selection and activation.
#include "app/shell/sub_view.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "app/shell/main_frame.h"

#include "platform/ui/windows/app.h"

CSubView::CSubView() = default;

CSubView::~CSubView() = default;

BOOL CSubView::Create(const RECT& rect, CAvView* parentView, UINT id, DWORD /*request*/)
{
    return CWnd::Create("AvSubView", "AV Subview", WS_CHILD, rect, parentView, id);
}

CObject* CSubView::GetSelection(const CRuntimeClass* /*cls*/, int* count) const
{
    if (count)
        *count = 0;
    return nullptr;
}

int CSubView::GetSubViewType() const
{
    return kSubViewNone;
}

void CSubView::GetTitle(std::string& title) const
{
    title.clear();
}

void CSubView::OnUpdate(CView* /*sender*/, LPARAM /*hint*/, CObject* /*object*/) {}

void CSubView::Refresh()
{
    OnUpdate(nullptr, kHintItemMoved, nullptr);
}

void CSubView::OnActivate(BOOL activate, CView* /*activated*/, CView* /*deactivated*/)
{
    if (!activate)
        return;
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd())) {
        frame->ShowStatusBar(ID_STATUS_MAIN);
        frame->RebuildMenus(GetSubViewType());
    }
}

BOOL CSubView::IsLockable() const
{
    return FALSE;
}
