// platform/ui/frames/document.h: a document: the data that one or more views show, with its title,
// path and modified flag.
#pragma once

#include "platform/ui/windows/cmd_target.h"

#include <cstdint>
#include <string>
#include <vector>

class CDocTemplate;
class CFrameWnd;
class CMenu;
class CView;

/// A place in a list being walked; 0 when the walk is over.
using POSITION = std::uintptr_t;

/// Views add and remove themselves as they are made and destroyed. The document template that
/// made a document keeps it; OnCloseDocument destroys its frames and, with m_bAutoDelete,
/// the document itself.
class CDocument : public CCmdTarget {
public:
    CDocument();
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    // Title and path.
    const std::string& GetTitle() const { return m_strTitle; }
    /// Sets the title and has every frame that shows the document update its own title.
    virtual void SetTitle(const std::string& title);
    /// The full path of the file, empty for an untitled document.
    const std::string& GetPathName() const { return m_strPathName; }
    /// Sets the path; the title becomes its file name (after the last "/" or "\"), and with
    /// addToRecentList the path goes to the application's recent-file list.
    virtual void SetPathName(const std::string& path, BOOL addToRecentList = TRUE);
    void ClearPathName() { m_strPathName.clear(); }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // The modified flag.
    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL modified = TRUE);

    // Views.
    void AddView(CView* view);
    void RemoveView(CView* view);
    POSITION GetFirstViewPosition() const;
    /// The view at pos; pos moves to the next one, or to 0 after the last.
    CView* GetNextView(POSITION& pos) const;
    const std::vector<CView*>& GetViews() const { return m_views; }
    /// Has every frame that shows the document update its title (frames number themselves
    /// when there are several).
    void UpdateFrameCounts();
    /// Passes the change to OnUpdate of every view except sender.
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

    // Life cycle. The base New and Open steps empty the document; a derived document reads
    // and writes its files.
    virtual void DeleteContents();
    /// Empties the document, forgets its path and clears the modified flag.
    virtual BOOL OnNewDocument();
    /// Empties the document and clears the modified flag; a derived document then reads path.
    virtual BOOL OnOpenDocument(const char* path);
    /// Writes the document to path. The base knows no file format and fails.
    virtual BOOL OnSaveDocument(const char* path);
    /// Destroys every frame showing the document, empties it, and deletes it when
    /// m_bAutoDelete is set.
    virtual void OnCloseDocument();
    /// For a modified document asks "Save changes to <name>?" (Yes, No, Cancel) and saves on
    /// Yes. FALSE when the user cancels or the save fails.
    virtual BOOL SaveModified();
    /// Whether frame may close: when it is the last frame showing the document, the changes
    /// are offered for saving first.
    virtual BOOL CanCloseFrame(CFrameWnd* frame);
    /// Saves under path, or, with path null or empty, under a name the user picks. replace
    /// makes the saved file the document's path.
    virtual BOOL DoSave(const char* path, BOOL replace = TRUE);
    /// Saves under the document's path, picking a name first when it has none.
    BOOL DoFileSave();

    /// The menu an MDI child frame shows while the document is active; null for the frame's
    /// own.
    virtual CMenu* GetDefaultMenu() { return nullptr; }

    /// Deleted by OnCloseDocument; set for documents a template makes.
    BOOL m_bAutoDelete = TRUE;

protected:
    /// The view list changed; the base closes the document when its last view went, and
    /// otherwise updates its frames' titles.
    virtual void OnChangedViewList();

private:
    friend class CDocTemplate;

    std::string m_strTitle;
    std::string m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_views;
    BOOL m_bModified = FALSE;
    bool m_closing = false;
};
