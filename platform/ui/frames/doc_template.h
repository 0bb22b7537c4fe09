// platform/ui/frames/doc_template.h: a document template: the document, frame and view classes that
// go together, the resources they share, and the making of documents and of frames for them.
#pragma once

#include "platform/ui/frames/document.h"

#include <memory>
#include <string>
#include <vector>

class CFrameWnd;
class CMenu;

/// The resource string of the template's id holds its fields separated by "\n" (DocStringIndex
/// order); the MENU of that id, when there is one, is the menu its frames share.
class CDocTemplate : public CCmdTarget {
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };

    ~CDocTemplate() override;
    CDocTemplate(const CDocTemplate&) = delete;
    CDocTemplate& operator=(const CDocTemplate&) = delete;

    UINT GetResourceId() const { return m_nIDResource; }
    /// The field of the document string; FALSE when the string or the field is missing or
    /// the field is empty.
    BOOL GetDocString(std::string& text, DocStringIndex index) const;

    /// A new empty document of the template's class, kept by the template.
    virtual CDocument* CreateNewDocument();
    /// A new frame with a view of the template's class for doc; null on failure.
    virtual CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
    /// Runs the frame's first update and, with makeVisible, shows and activates it.
    virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible = TRUE);
    /// A document in a new frame: new and untitled for a null path, else read from path;
    /// null when it cannot be made or read, and then nothing of it is left.
    virtual CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE) = 0;
    /// Gives a new document its default title: the template's document name with a number
    /// counting up, or "Untitled" when the template names none.
    virtual void SetDefaultTitle(CDocument* doc);

    // The documents the template keeps.
    void AddDocument(CDocument* doc);
    void RemoveDocument(CDocument* doc);
    POSITION GetFirstDocPosition() const;
    CDocument* GetNextDoc(POSITION& pos) const;
    /// Offers every modified document for saving; FALSE when the user cancels one.
    BOOL SaveAllModified();
    /// Closes every document (their frames too).
    void CloseAllDocuments();

    /// The MENU of the template's id, which its MDI child frames show; null when there is
    /// none. Loaded on first use and kept by the template.
    CMenu* GetSharedMenu();

    /// Asks the user for a file name to save doc under, starting from path when it is given,
    /// else from doc's path or title, with the template's filter; FALSE when the user cancels.
    BOOL DoPromptFileName(CDocument* doc, std::string& path);

protected:
    CDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                 const CRuntimeClass* viewClass);

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    /// The number of untitled documents made so far.
    int m_nUntitledCount = 0;

private:
    std::vector<CDocument*> m_docs;
    std::unique_ptr<CMenu> m_sharedMenu;
    bool m_sharedMenuLoaded = false;
};

/// A template whose documents each have frames of their own inside the MDI frame.
class CMultiDocTemplate : public CDocTemplate {
public:
    CMultiDocTemplate(UINT resourceId, const CRuntimeClass* docClass,
                      const CRuntimeClass* frameClass, const CRuntimeClass* viewClass);

    CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE) override;
};

// The program's document templates. The application adds its templates at start-up; the list
// owns them until DeleteDocTemplates.
void AddDocTemplate(CDocTemplate* docTemplate);
const std::vector<CDocTemplate*>& GetDocTemplates();
/// Offers every modified document of every template for saving; FALSE when the user cancels
/// one (or its save fails), and then the documents after it are not asked about.
BOOL SaveAllModified();
/// Closes every document of every template, with their frames.
void CloseAllDocuments();
/// Closes every document and deletes the templates.
void DeleteDocTemplates();
