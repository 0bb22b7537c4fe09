// platform/ui/frames/view.cpp: binding a view to its document and frame, its command routing, and
// its Print and Print Preview commands.
#include "platform/ui/frames/view.h"

#include "platform/base/prompt.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/frames/document.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/printing/print_dialog.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/printing/print_job.h"
#include "platform/ui/printing/print_preview.h"
#include "platform/ui/windows/app.h"

#include <QApplication>

#include <memory>

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

void CView::OnFilePrint()
{
    CPrintInfo info;
    if (OnPreparePrinting(&info))
        PrintJob(*this, info);
}

void CView::OnFilePrintPreview()
{
    auto info = std::make_unique<CPrintInfo>();
    info->m_bPreview = TRUE;
    if (OnPreparePrinting(info.get()))
        CPrintPreview::Open(*this, std::move(info));
}

BOOL CView::OnPreparePrinting(CPrintInfo* info)
{
    return DoPreparePrinting(info);
}

BOOL CView::DoPreparePrinting(CPrintInfo* info)
{
    CWinApp* app = AfxGetApp();
    if (!info || !app)
        return FALSE;
    if (info->m_bPreview) {
        if (!app->GetPrinterSettings().LoadDefaults())
            return FALSE;
        info->GetPrinterSettings() = app->GetPrinterSettings();
        return TRUE;
    }
    CPrintDialog dialog(
        FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION | PD_HIDEPRINTTOFILE, this);
    dialog.m_nMinPage = info->GetMinPage();
    dialog.m_nMaxPage = info->GetMaxPage();
    if (app->DoPrintDialog(&dialog) != IDOK)
        return FALSE;
    info->GetPrinterSettings() = dialog.GetSettings();
    if (dialog.m_flags & PD_PAGENUMS)
        info->SetPageRange(dialog.m_nFromPage, dialog.m_nToPage);
    return TRUE;
}

void CView::OnBeginPrinting(CDC* /*dc*/, CPrintInfo* /*info*/) {}

void CView::OnPrepareDC(CDC* /*dc*/, CPrintInfo* info)
{
    // Without a known length only the first page prints.
    if (info)
        info->m_bContinuePrinting =
            info->GetMaxPage() != CPrintInfo::kUnknownLength || info->m_nCurPage == 1;
}

void CView::OnPrint(CDC* dc, CPrintInfo* /*info*/)
{
    OnDraw(dc);
}

void CView::OnEndPrinting(CDC* /*dc*/, CPrintInfo* /*info*/) {}

void CView::OnEndPrintPreview(CDC* /*dc*/, CPrintInfo* /*info*/, POINT /*point*/, CView* /*view*/)
{
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
    if (CPrintPreview* preview = CPrintPreview::Of(*this))
        preview->Close();
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
