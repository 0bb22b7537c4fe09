// app/av_app_windows.cpp: the application object's lookups of windows and of the selection, and
// showing content in a window of a kind, reusing one where it may.
#include "app/av_app.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_doc.h"
#include "app/shell/av_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/records_pane.h"

#include "database/kin/ind_rec.h"
#include "database/nodes/change_hint.h"
#include "database/records/fam_rec.h"
#include "database/records/record_node.h"
#include "platform/ui/frames/doc_template.h"
#include "platform/ui/frames/mdi_child_wnd.h"
#include "platform/ui/windows/cmd_ui.h"
#include "queries/lists/records_window_pane.h"
#include "records/window/file_links_dlg.h"
#include "records/window/find_record_dlg.h"
#include "records/window/sub_view_rec.h"

#include <algorithm>

void CAvApp::MapWindowCommands()
{
    MapCommand(ID_RECORDS_WINDOW, [this] { ShowRecordsWindow(-1); });
    MapCommand(ID_GO_TO_RECORD, [this] { ShowRecordInRecordsWindow(GetSelectedRecord(), TRUE); });
    MapUpdate(ID_GO_TO_RECORD,
              [this](CCmdUI* state) { state->Enable(GetSelectedRecord() != nullptr); });
    MapCommand(ID_ADD_TO_NAMED_LIST,
               [this] { AddRecordsToNamedList(GetMainFrame(), GetSelectedRecords()); });
    MapUpdate(ID_ADD_TO_NAMED_LIST,
              [this](CCmdUI* state) { state->Enable(!GetSelectedRecords().empty()); });
    MapCommand(ID_FIND_RECORD, [this] {
        if (CFindRecordDlg* dialog = CreateFindRecordDlg())
            dialog->SetFocus();
    });
    MapCommand(ID_FILE_LINKS, [this] { OnFileLinks(); });
}

std::vector<CRecordNode*> CAvApp::GetSelectedRecords() const
{
    std::vector<CRecordNode*> records;
    const CAvView* view = GetActiveAvView();
    if (const CSubView* pane = view ? view->GetSubView() : nullptr)
        pane->GetSelectedRecords(records);
    return records;
}

CFindRecordDlg* CAvApp::CreateFindRecordDlg()
{
    if (m_findRecordDlg && !m_findRecordDlg->GetSafeHwnd())
        m_findRecordDlg.reset();
    if (!m_findRecordDlg) {
        m_findRecordDlg = std::make_unique<CFindRecordDlg>();
        if (!m_findRecordDlg->Open())
            m_findRecordDlg.reset();
    }
    return m_findRecordDlg.get();
}

void CAvApp::OnFileLinks()
{
    CFileLinksDlg dialog(GetMainFrame());
    if (dialog.DoModal() != CFileLinksDlg::kGoTo)
        return;
    CDataNode* node = dialog.GetChosenLink();
    while (node && !node->IsRecord())
        node = node->GetParent();
    ShowRecordInRecordsWindow(static_cast<CRecordNode*>(node), TRUE);
}

CAvView* CAvApp::GetActiveAvView() const
{
    CMainFrame* frame = GetMainFrame();
    CMDIChildWnd* child = frame ? frame->MDIGetActive() : nullptr;
    if (!child || !child->IsWindowVisible())
        return nullptr;
    return dynamic_cast<CAvView*>(child->GetActiveView());
}

CAvView* CAvApp::GetNextViewOfKind(const CAvView* previous, int kind) const
{
    if (!m_document)
        return nullptr;
    const std::vector<CView*>& views = m_document->GetViews();
    auto it = views.begin();
    if (previous) {
        it = std::find(views.begin(), views.end(), previous);
        if (it == views.end())
            return nullptr;
        ++it;
    }
    for (; it != views.end(); ++it) {
        auto* view = dynamic_cast<CAvView*>(*it);
        const CSubView* pane = view ? view->GetSubView() : nullptr;
        if (view && (kind == kSubViewNone || (pane && pane->GetSubViewType() == kind)))
            return view;
    }
    return nullptr;
}

CAvView* CAvApp::FindReusableView(int kind) const
{
    for (CAvView* view = GetNextViewOfKind(nullptr, kind); view;
         view = GetNextViewOfKind(view, kind))
        if (view->IsReusable())
            return view;
    return nullptr;
}

CRecordsPane* CAvApp::FindRecordsView(CAvView** view) const
{
    if (view)
        *view = nullptr;
    CAvView* found = GetNextViewOfKind(nullptr, kSubViewRecords);
    auto* pane = found ? dynamic_cast<CRecordsPane*>(found->GetSubView()) : nullptr;
    if (pane && view)
        *view = found;
    return pane;
}

CAvView* CAvApp::ShowInWindowOfKind(int kind, const CRuntimeClass* cls,
                                    const std::function<void(CSubView&)>& show)
{
    // While start-up makes the document, its first window is being made already.
    if (!m_document || !m_template)
        return nullptr;
    CAvView* view = nullptr;
    if (kind == kSubViewRecords)
        FindRecordsView(&view);
    else if (kind == kSubViewQuery)
        view = GetNextViewOfKind(nullptr, kind);
    else
        view = FindReusableView(kind);
    if (view) {
        const CSubView* pane = view->GetSubView();
        if ((!pane || pane->GetRuntimeClass() != cls) && !view->CreateSubView(cls, 0))
            return nullptr;
        show(*view->GetSubView());
        if (CFrameWnd* frame = view->GetParentFrame())
            frame->ActivateFrame();
        return view;
    }
    SetSubViewRequest(cls);
    CFrameWnd* frame = m_template->CreateNewFrame(m_document, nullptr);
    if (frame)
        m_template->InitialUpdateFrame(frame, m_document);
    SetSubViewRequest(nullptr);
    view = frame ? dynamic_cast<CAvView*>(frame->GetActiveView()) : nullptr;
    if (!view || !view->GetSubView())
        return nullptr;
    show(*view->GetSubView());
    return view;
}

void CAvApp::ShowRecordsWindow(int tab)
{
    ShowInWindowOfKind(kSubViewRecords, m_recordsPaneClass, [tab](CSubView& pane) {
        if (auto* records = dynamic_cast<CRecordsPane*>(&pane); records && tab != -1)
            records->SelectTab(tab, true);
    });
}

void CAvApp::ShowNamedList(CNamedList* list)
{
    ShowInWindowOfKind(kSubViewRecords, m_recordsPaneClass, [list](CSubView& pane) {
        if (auto* records = dynamic_cast<CSubViewRec*>(&pane))
            records->ShowNamedList(list);
    });
}

void CAvApp::ShowRecordInRecordsWindow(CRecordNode* record, BOOL focus)
{
    if (!record)
        return;
    ShowInWindowOfKind(kSubViewRecords, m_recordsPaneClass, [record, focus](CSubView& pane) {
        if (auto* records = dynamic_cast<CRecordsPane*>(&pane))
            records->ShowRecord(record, focus != FALSE);
    });
}

void CAvApp::InvalidateViews() const
{
    for (CAvView* view = GetNextViewOfKind(nullptr, kSubViewNone); view;
         view = GetNextViewOfKind(view, kSubViewNone)) {
        view->Invalidate();
        if (CSubView* pane = view->GetSubView(); pane && pane->GetSafeHwnd())
            pane->Invalidate();
    }
}

void CAvApp::RedrawMainWindow(BOOL children)
{
    CMainFrame* frame = GetMainFrame();
    if (!frame)
        return;
    frame->Invalidate();
    if (children)
        InvalidateViews();
    frame->UpdateWindow();
}

void CAvApp::RedrawAllViews()
{
    InvalidateViews();
    BroadcastUpdate(nullptr, kHintViewsRedrawn, nullptr, FALSE);
}

void CAvApp::SwitchControlBar(UINT id)
{
    if (CMainFrame* frame = GetMainFrame())
        frame->ShowStatusBar(id);
}

CRecordNode* CAvApp::GetSelectedRecord() const
{
    const CAvView* view = GetActiveAvView();
    const CSubView* pane = view ? view->GetSubView() : nullptr;
    return pane ? dynamic_cast<CRecordNode*>(
                      pane->GetSelection(RuntimeClassOf<CRecordNode>(), nullptr))
                : nullptr;
}

int CAvApp::GetSelectedIndividual(CIndRec** indi, CFamRec** fam) const
{
    *indi = nullptr;
    *fam = nullptr;
    const CAvView* view = GetActiveAvView();
    const CSubView* pane = view ? view->GetSubView() : nullptr;
    CObject* selected = pane ? pane->GetSelection(nullptr, nullptr) : nullptr;
    if (auto* individual = dynamic_cast<CIndRec*>(selected))
        *indi = individual;
    else if (auto* family = dynamic_cast<CFamRec*>(selected))
        *fam = family;
    return *indi || *fam ? 1 : 0;
}

void CloseParentFrame(CWnd* wnd)
{
    auto* child = dynamic_cast<CMDIChildWnd*>(wnd ? GetParentFrame(wnd) : nullptr);
    if (CMDIFrameWnd* frame = child ? child->GetMDIFrame() : nullptr)
        frame->MDIDestroy(child);
}

void CAvApp::SetSavedFileOpener(SavedFileKind kind, SavedFileOpener opener)
{
    m_savedFileOpeners[std::size_t(kind)] = std::move(opener);
}

bool CAvApp::CanOpenSavedFile(SavedFileKind kind) const
{
    return bool(m_savedFileOpeners[std::size_t(kind)]);
}

void CAvApp::OpenSavedFile(SavedFileKind kind, const std::string& path)
{
    if (const SavedFileOpener& opener = m_savedFileOpeners[std::size_t(kind)])
        opener(path);
}
