// platform/ui/frames/document.cpp: the document's title, path, modified flag, views and life cycle.
#include "platform/ui/frames/document.h"

#include "platform/ui/frames/doc_template.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/frames/view.h"
#include "platform/ui/windows/app.h"

#include "platform/base/prompt.h"

#include <algorithm>

namespace {

/// The file name of a path written with "/" or "\" separators.
std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

/// The frames showing the document's views, each once, in view order.
std::vector<CFrameWnd*> FramesOf(const std::vector<CView*>& views)
{
    std::vector<CFrameWnd*> frames;
    for (CView* view : views) {
        CFrameWnd* frame = view->GetParentFrame();
        if (frame && std::find(frames.begin(), frames.end(), frame) == frames.end())
            frames.push_back(frame);
    }
    return frames;
}

} // namespace

CDocument::CDocument()
{
    MapCommand(ID_FILE_SAVE, [this] { DoFileSave(); });
    MapCommand(ID_FILE_SAVE_AS, [this] { DoSave(nullptr); });
}

CDocument::~CDocument()
{
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(const std::string& title)
{
    m_strTitle = title;
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    for (CFrameWnd* frame : FramesOf(m_views))
        frame->OnUpdateFrameTitle(TRUE);
}

void CDocument::SetPathName(const std::string& path, BOOL addToRecentList)
{
    m_strPathName = path;
    SetTitle(FileNameOf(path));
    if (CWinApp* app = AfxGetApp(); app && addToRecentList)
        app->AddToRecentFileList(path.c_str());
}

BOOL CDocument::IsModified()
{
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL modified)
{
    m_bModified = modified ? TRUE : FALSE;
}

void CDocument::AddView(CView* view)
{
    if (!view || std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    m_views.push_back(view);
    view->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* view)
{
    const auto found = std::find(m_views.begin(), m_views.end(), view);
    if (found == m_views.end())
        return;
    m_views.erase(found);
    view->m_pDocument = nullptr;
    OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_views.empty() ? 0 : 1;
}

CView* CDocument::GetNextView(POSITION& pos) const
{
    if (pos == 0 || pos > m_views.size()) {
        pos = 0;
        return nullptr;
    }
    CView* view = m_views[pos - 1];
    pos = pos < m_views.size() ? pos + 1 : 0;
    return view;
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject)
{
    // A copy: a view may close windows while it updates.
    const std::vector<CView*> views = m_views;
    for (CView* view : views)
        if (view != sender && std::find(m_views.begin(), m_views.end(), view) != m_views.end())
            view->OnUpdate(sender, hint, hintObject);
}

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* /*path*/)
{
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const char* /*path*/)
{
    return FALSE;
}

void CDocument::OnCloseDocument()
{
    m_closing = true;
    for (CFrameWnd* frame : FramesOf(m_views))
        frame->DestroyWindow();
    DeleteContents();
    m_closing = false;
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    const std::string name = m_strPathName.empty() ? m_strTitle : m_strPathName;
    switch (MessageBox("Save changes to " + name + "?", MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame)
{
    for (CFrameWnd* other : FramesOf(m_views))
        if (other != frame)
            return TRUE;
    return SaveModified();
}

BOOL CDocument::DoFileSave()
{
    return DoSave(m_strPathName.empty() ? nullptr : m_strPathName.c_str());
}

BOOL CDocument::DoSave(const char* path, BOOL replace)
{
    std::string target = path ? path : "";
    if (target.empty()) {
        if (!m_pDocTemplate || !m_pDocTemplate->DoPromptFileName(this, target))
            return FALSE;
    }
    if (!OnSaveDocument(target.c_str()))
        return FALSE;
    if (replace)
        SetPathName(target);
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnChangedViewList()
{
    if (m_views.empty() && m_bAutoDelete && !m_closing)
        OnCloseDocument();
    else
        UpdateFrameCounts();
}
