// app/shell/av_view.cpp: the view's pane: making it, and passing it notices, activation, focus
// and printing.
#include "app/shell/av_view.h"

#include "app/shell/app_ids.h"
#include "app/shell/child_frame.h"
#include "app/shell/main_frame.h"
#include "app/shell/shell_app.h"
#include "app/shell/sub_view.h"

#include "platform/base/prompt.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/frames/mdi_frame_wnd.h"
#include "platform/ui/printing/printer_settings.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/cmd_ui.h"

CAvView::CAvView()
{
    MapCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    MapCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
    MapCommand(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    MapCommand(ID_REUSE_WINDOW, [this] { OnReuseWindow(); });
    MapUpdate(ID_REUSE_WINDOW, [this](CCmdUI* state) {
        const bool records = m_subView && m_subView->GetSubViewType() == kSubViewRecords;
        state->Enable(!records);
        state->SetCheck(!records && m_reusable ? 1 : 0);
    });
    MapCommand(ID_LOCK_WINDOW, [this] { OnLockWindow(); });
    MapUpdate(ID_LOCK_WINDOW, [this](CCmdUI* state) {
        const bool lockable = m_subView && m_subView->IsLockable();
        state->Enable(lockable);
        state->SetCheck(lockable && !m_reusable ? 1 : 0);
    });
}

CAvView::~CAvView() = default;

const CRuntimeClass* CAvView::GetRuntimeClass() const
{
    return RuntimeClassOf<CAvView>();
}

bool CAvView::CreateSubView(const CRuntimeClass* cls, DWORD request)
{
    if (m_subView && m_subView->GetSafeHwnd())
        m_subView->DestroyWindow();
    m_subView.reset();
    CObject* made = cls ? cls->CreateObject() : nullptr;
    auto* pane = dynamic_cast<CSubView*>(made);
    if (!pane) {
        delete made;
        MessageBox("Memory error", MB_OK | MB_ICONSTOP);
        return false;
    }
    m_subView.reset(pane);
    SetFrameIcons();
    CRect client;
    GetClientRect(&client);
    if (!pane->Create(client, this, kSubViewId, request)) {
        m_subView.reset();
        MessageBox("Memory error", MB_OK | MB_ICONSTOP);
        return false;
    }
    pane->Refresh();
    pane->ShowWindow(SW_SHOW);
    return true;
}

void CAvView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    IShellApp* app = GetShellApp();
    const SubViewRequest request = app ? app->GetSubViewRequest() : SubViewRequest{};
    if (!CreateSubView(request.cls, request.param))
        return;
    const int kind = m_subView->GetSubViewType();
    if (kind != kSubViewRecords && kind != kSubViewQuery)
        SetReusable(true);
}

void CAvView::SetReusable(bool on)
{
    if (on == m_reusable || !m_subView || m_subView->GetSubViewType() == kSubViewRecords)
        return;
    if (on) {
        IShellApp* app = GetShellApp();
        if (CAvView* other = app ? app->FindReusableView(m_subView->GetSubViewType()) : nullptr)
            other->SetReusable(false);
    }
    m_reusable = on;
    SetFrameIcons();
}

void CAvView::SetFrameIcons()
{
    CFrameWnd* frame = GetParentFrame();
    if (!m_subView || !frame)
        return;
    for (const BOOL big : {TRUE, FALSE})
        if (HICON icon = m_subView->LoadViewIcon(m_reusable, big))
            frame->SetIcon(icon, big);
}

void CAvView::OnReuseWindow()
{
    if (m_subView && m_subView->GetSubViewType() != kSubViewRecords)
        SetReusable(!m_reusable);
}

void CAvView::OnLockWindow()
{
    if (!m_subView || !m_subView->IsLockable())
        return;
    m_reusable = !m_reusable;
    if (CFrameWnd* frame = GetParentFrame())
        frame->OnUpdateFrameTitle(TRUE);
}

void CAvView::OnUpdate(CView* sender, LPARAM hint, CObject* object)
{
    if (m_subView)
        m_subView->OnUpdate(sender, hint, object);
}

void CAvView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView)
{
    if (m_subView) {
        m_subView->OnActivate(activate, activateView, deactiveView);
    } else if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd())) {
        frame->ShowStatusBar(ID_STATUS_MAIN);
    }
    CView::OnActivateView(activate, activateView, deactiveView);
}

void CAvView::OnDraw(CDC* /*dc*/) {}

void CAvView::OnSize(UINT type, int cx, int cy)
{
    CView::OnSize(type, cx, cy);
    if (m_subView && m_subView->GetSafeHwnd())
        m_subView->MoveWindow(0, 0, cx, cy);
}

void CAvView::OnSetFocus(CWnd* oldWnd)
{
    if (m_subView && m_subView->GetSafeHwnd())
        m_subView->SetFocus();
    else
        CView::OnSetFocus(oldWnd);
}

void CAvView::OnFilePrintSetup()
{
    if (!CPrinterSettings::HasPrinter()) {
        MessageBox("No printer detected", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (m_subView)
        m_subView->OnFilePrintSetup();
    else if (CWinApp* app = AfxGetApp())
        app->OnCmdMsg(ID_FILE_PRINT_SETUP, CN_COMMAND, nullptr, nullptr);
}

void CAvView::OnFilePrintPreview()
{
    if (!m_subView || !m_subView->CanPrint(TRUE))
        return;
    // The frame comes out of the preview as it went in, maximised or not, and the main status
    // bar shows throughout.
    auto* frame = dynamic_cast<CMDIChildWnd*>(GetParentFrame());
    CMDIFrameWnd* mdi = frame ? frame->GetMDIFrame() : nullptr;
    BOOL maximized = FALSE;
    const bool active = mdi && mdi->MDIGetActive(&maximized) == frame;
    auto* mainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (mainFrame)
        mainFrame->ShowStatusBar(ID_STATUS_MAIN);
    CView::OnFilePrintPreview();
    if (active && mdi->MDIGetActive() == frame) {
        BOOL maximizedAfter = FALSE;
        mdi->MDIGetActive(&maximizedAfter);
        if (maximized && !maximizedAfter)
            frame->MDIMaximize();
        else if (!maximized && maximizedAfter)
            frame->MDIRestore();
    }
    if (mainFrame)
        mainFrame->ShowStatusBar(ID_STATUS_MAIN);
}

BOOL CAvView::IsSelected(const CObject* object) const
{
    return m_subView ? m_subView->IsSelected(object) : FALSE;
}

void CAvView::SetParentFrameFlag(UINT flag)
{
    if (auto* frame = dynamic_cast<CChildFrame*>(GetParentFrame()))
        frame->SetHelpContext(flag);
}

BOOL CAvView::OnPreparePrinting(CPrintInfo* info)
{
    if (!m_subView)
        return FALSE;
    // A pane may lend the program's printer its own orientation for the job: the printer's
    // own comes back when the job, the preview or the print dialog ends.
    CWinApp* app = AfxGetApp();
    if (app && m_printerOrientation < 0)
        m_printerOrientation = app->GetPrinterSettings().GetOrientation();
    if (m_subView->PreparePrinting(info) && DoPreparePrinting(info))
        return TRUE;
    GiveBackPrinterOrientation();
    return FALSE;
}

void CAvView::GiveBackPrinterOrientation()
{
    CWinApp* app = AfxGetApp();
    if (app && m_printerOrientation >= 0)
        app->GetPrinterSettings().SetOrientation(m_printerOrientation);
    m_printerOrientation = -1;
}

void CAvView::OnBeginPrinting(CDC* dc, CPrintInfo* info)
{
    if (m_subView)
        m_subView->OnBeginPrinting(dc, info);
}

void CAvView::OnPrepareDC(CDC* dc, CPrintInfo* info)
{
    CView::OnPrepareDC(dc, info);
    if (m_subView)
        m_subView->OnPrepareDC(dc, info);
}

void CAvView::OnPrint(CDC* dc, CPrintInfo* info)
{
    if (m_subView)
        m_subView->OnPrint(dc, info);
    CView::OnPrint(dc, info);
}

void CAvView::OnEndPrinting(CDC* dc, CPrintInfo* info)
{
    if (m_subView)
        m_subView->OnEndPrinting(dc, info);
    GiveBackPrinterOrientation();
}

void CAvView::OnEndPrintPreview(CDC* dc, CPrintInfo* info, POINT point, CView* view)
{
    if (m_subView)
        m_subView->OnEndPrintPreview(dc, info, point, view);
    CView::OnEndPrintPreview(dc, info, point, view);
    GiveBackPrinterOrientation();
}
