// platform/ui/frames/doc_template.cpp: making documents and frames from a template, and the
// documents a template keeps.
#include "platform/ui/frames/doc_template.h"

#include "platform/ui/detail/window_widget.h"
#include "platform/ui/dialogs/file_dialog.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/frames/menu.h"
#include "platform/ui/resources/resources.h"

#include "platform/base/prompt.h"

#include <algorithm>
#include <memory>

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* docClass,
                           const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(docClass), m_pFrameClass(frameClass),
      m_pViewClass(viewClass)
{
}

CDocTemplate::~CDocTemplate()
{
    for (CDocument* doc : m_docs)
        doc->m_pDocTemplate = nullptr;
}

BOOL CDocTemplate::GetDocString(std::string& text, DocStringIndex index) const
{
    std::string all;
    text.clear();
    if (!AppResources().LoadString(m_nIDResource, all))
        return FALSE;
    std::size_t start = 0;
    for (int field = 0; field < int(index); ++field) {
        start = all.find('\n', start);
        if (start == std::string::npos)
            return FALSE;
        ++start;
    }
    text = all.substr(start, all.find('\n', start) - start);
    return !text.empty();
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_pDocClass)
        return nullptr;
    CObject* object = m_pDocClass->CreateObject();
    auto* doc = dynamic_cast<CDocument*>(object);
    if (!doc) {
        delete object;
        return nullptr;
    }
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd* other)
{
    CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    auto* frame = dynamic_cast<CFrameWnd*>(object);
    if (!frame) {
        delete object;
        return nullptr;
    }
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = doc;
    context.m_pNewDocTemplate = this;
    context.m_pCurrentFrame = other;
    const std::weak_ptr<int> life = ui_detail::WndBridge::ImplOf(*frame).life;
    if (frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return frame;
    // A frame whose window was made deleted itself when the window ended.
    if (!life.expired())
        delete frame;
    return nullptr;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible)
{
    frame->InitialUpdateFrame(doc, makeVisible);
}

CMenu* CDocTemplate::GetSharedMenu()
{
    if (!m_sharedMenuLoaded) {
        m_sharedMenuLoaded = true;
        auto menu = std::make_unique<CMenu>();
        if (AppResources().FindMenu(m_nIDResource) && menu->LoadMenu(m_nIDResource))
            m_sharedMenu = std::move(menu);
    }
    return m_sharedMenu.get();
}

void CDocTemplate::SetDefaultTitle(CDocument* doc)
{
    // A template whose documents have a name numbers them; otherwise each is "Untitled".
    std::string name;
    if (GetDocString(name, docName))
        name += std::to_string(++m_nUntitledCount);
    else
        name = "Untitled";
    doc->SetTitle(name);
}

void CDocTemplate::AddDocument(CDocument* doc)
{
    if (std::find(m_docs.begin(), m_docs.end(), doc) != m_docs.end())
        return;
    m_docs.push_back(doc);
    doc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* doc)
{
    const auto found = std::find(m_docs.begin(), m_docs.end(), doc);
    if (found == m_docs.end())
        return;
    m_docs.erase(found);
    doc->m_pDocTemplate = nullptr;
}

POSITION CDocTemplate::GetFirstDocPosition() const
{
    return m_docs.empty() ? 0 : 1;
}

CDocument* CDocTemplate::GetNextDoc(POSITION& pos) const
{
    if (pos == 0 || pos > m_docs.size()) {
        pos = 0;
        return nullptr;
    }
    CDocument* doc = m_docs[pos - 1];
    pos = pos < m_docs.size() ? pos + 1 : 0;
    return doc;
}

BOOL CDocTemplate::SaveAllModified()
{
    const std::vector<CDocument*> docs = m_docs;
    for (CDocument* doc : docs)
        if (!doc->SaveModified())
            return FALSE;
    return TRUE;
}

void CDocTemplate::CloseAllDocuments()
{
    const std::vector<CDocument*> docs = m_docs;
    for (CDocument* doc : docs)
        if (std::find(m_docs.begin(), m_docs.end(), doc) != m_docs.end())
            doc->OnCloseDocument();
}

BOOL CDocTemplate::DoPromptFileName(CDocument* doc, std::string& path)
{
    std::string name, extension, filter;
    GetDocString(name, filterName);
    GetDocString(extension, filterExt);
    if (!name.empty() && !extension.empty())
        filter = name + "|*" + extension + "|";
    filter += "All Files (*.*)|*.*||";
    const std::string start = !path.empty()                ? path
                              : doc->GetPathName().empty() ? doc->GetTitle()
                                                           : doc->GetPathName();
    CFileDialog dialog(FALSE, extension.empty() ? nullptr : extension.c_str(), start.c_str(),
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST, filter.c_str());
    dialog.SetTitle("Save As");
    if (dialog.DoModal() != IDOK)
        return FALSE;
    path = dialog.GetPathName();
    return TRUE;
}

CMultiDocTemplate::CMultiDocTemplate(UINT resourceId, const CRuntimeClass* docClass,
                                     const CRuntimeClass* frameClass,
                                     const CRuntimeClass* viewClass)
    : CDocTemplate(resourceId, docClass, frameClass, viewClass)
{
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const char* path, BOOL makeVisible)
{
    CDocument* doc = CreateNewDocument();
    if (!doc)
        return nullptr;
    // Kept while the frame is made, so a failing view does not take the document with it.
    const BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        delete doc;
        return nullptr;
    }
    if (!path)
        SetDefaultTitle(doc);
    if (!(path ? doc->OnOpenDocument(path) : doc->OnNewDocument())) {
        // The view goes with its frame, and a self-deleting document with its last view.
        frame->DestroyWindow();
        if (!autoDelete)
            delete doc;
        return nullptr;
    }
    if (path)
        doc->SetPathName(path);
    InitialUpdateFrame(frame, doc, makeVisible);
    return doc;
}

namespace {

std::vector<std::unique_ptr<CDocTemplate>>& Templates()
{
    static std::vector<std::unique_ptr<CDocTemplate>> templates;
    return templates;
}

std::vector<CDocTemplate*>& TemplateList()
{
    static std::vector<CDocTemplate*> list;
    return list;
}

} // namespace

void AddDocTemplate(CDocTemplate* docTemplate)
{
    if (!docTemplate)
        return;
    Templates().emplace_back(docTemplate);
    TemplateList().push_back(docTemplate);
}

const std::vector<CDocTemplate*>& GetDocTemplates()
{
    return TemplateList();
}

BOOL SaveAllModified()
{
    for (CDocTemplate* docTemplate : TemplateList())
        if (!docTemplate->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CloseAllDocuments()
{
    for (CDocTemplate* docTemplate : TemplateList())
        docTemplate->CloseAllDocuments();
}

void DeleteDocTemplates()
{
    CloseAllDocuments();
    TemplateList().clear();
    Templates().clear();
}
