// platform/ui/view.cpp: binding a view to its document and frame, and its command routing.
#include "platform/ui/view.h"

#include "platform/ui/client_dc.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/document.h"
#include "platform/ui/frame_wnd.h"

#include <QApplication>

CView::CView() = default;

CView::~CView()
{
    // Leaving the document last, once the window is gone: the document may close itself
    // when its last view goes.
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const
{
    return ::GetParentFrame(this);
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView* /*sender*/, LPARAM /*hint*/, CObject* /*hintObject*/)
{
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL activate, CView* /*activateView*/, CView* /*deactiveView*/)
{
    QWidget* widget = ui_detail::WidgetOf(this);
    if (activate && widget && widget->window() == QApplication::activeWindow())
        SetFocus();
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd* subView = GetDlgItem(int(kSubViewId)))
        if (subView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::OnDraw(CDC* /*dc*/) {}

int CView::OnCreate(CREATESTRUCT* createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    const auto* context = static_cast<const CCreateContext*>(createStruct->lpCreateParams);
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc);
}

void CView::PostNcDestroy()
{
    delete this;
}
