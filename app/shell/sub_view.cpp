// app/shell/sub_view.cpp: the pane base: creation, the empty selection, activation and the print
// hooks of a pane that prints nothing.
#include "app/shell/sub_view.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "app/shell/main_frame.h"

#include "database/nodes/change_hint.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/ui/printing/printer_settings.h"
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

void CSubView::GetSelectedRecords(std::vector<CRecordNode*>& records) const
{
    records.clear();
    if (auto* record =
            dynamic_cast<CRecordNode*>(GetSelection(RuntimeClassOf<CRecordNode>(), nullptr)))
        records.push_back(record);
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
    OnUpdate(nullptr, kHintRefresh, nullptr);
}

void CSubView::Reset() {}

BOOL CSubView::IsSelected(const CObject* /*object*/) const
{
    return FALSE;
}

CAvView* CSubView::GetOwner() const
{
    return dynamic_cast<CAvView*>(GetParent());
}

void CSubView::NotifyOwner(UINT flag)
{
    if (CAvView* owner = GetOwner())
        owner->SetParentFrameFlag(flag);
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

HICON CSubView::LoadViewIcon(BOOL, BOOL) const
{
    return nullptr;
}

HICON CSubView::LoadViewIconResource(UINT id, BOOL big)
{
    return LoadIconResource(id, big ? 32 : 16);
}

BOOL CSubView::IsLockable() const
{
    return FALSE;
}

BOOL CSubView::CanPrint(BOOL preview)
{
    if (!preview)
        return FALSE;
    if (CPrinterSettings::HasPrinter())
        return TRUE;
    MessageBox("No printer detected.  Cannot display a print preview.", MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

void CSubView::OnFilePrintSetup()
{
    if (CWinApp* app = AfxGetApp())
        app->OnCmdMsg(ID_FILE_PRINT_SETUP, CN_COMMAND, nullptr, nullptr);
}

BOOL CSubView::PreparePrinting(CPrintInfo* /*info*/)
{
    return FALSE;
}

void CSubView::OnBeginPrinting(CDC* /*dc*/, CPrintInfo* /*info*/) {}

void CSubView::OnPrepareDC(CDC* /*dc*/, CPrintInfo* /*info*/) {}

void CSubView::OnPrint(CDC* /*dc*/, CPrintInfo* /*info*/) {}

void CSubView::OnEndPrinting(CDC* /*dc*/, CPrintInfo* /*info*/) {}

void CSubView::OnEndPrintPreview(CDC* /*dc*/, CPrintInfo* /*info*/, POINT /*point*/,
                                 CView* /*view*/)
{
}
