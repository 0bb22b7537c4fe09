// app/av_app.h: the application object: start-up and exit, the file commands, the broadcast of
// change notices, and the lookups of windows that the rest of the shell uses.
#pragma once

#include "app/record_counts.h"

#include "database/data_observer.h"
#include "platform/ui/app.h"

#include <string>
#include <vector>

class CAvDoc;
class CAvView;
class CMainFrame;
class CMultiDocTemplate;
class CSubView;
class CView;

/// The pane class that the next new view is to host, with its creation parameter.
struct SubViewRequest {
    const CRuntimeClass* cls = nullptr;
    DWORD param = 0;
};

/// One instance lives for the program's run; the program's main makes it before AfxWinMain. It
/// is the data set's one observer: every change notice reaches the windows through
/// BroadcastUpdate. There is one document for the whole run; New and Open reuse it.
class CAvApp final : public CWinApp, public IDataObserver {
public:
    CAvApp();
    ~CAvApp() override;

    /// Starts with the program's arguments (StartUp).
    BOOL InitInstance() override;
    /// Brings the program up in order: the profile key, the preferences, the arguments, the
    /// recent-file list, the data set, the document template, the main frame, the desktop's file
    /// types, the document with its records window, the main window shown, the start-up folder,
    /// and then the file the arguments name (switches are never taken for it), else the default
    /// file, else a new file. FALSE, before the main window shows, when a step fails.
    BOOL StartUp(const std::vector<std::string>& arguments);
    /// Closes what is still open and shuts the data set down.
    int ExitInstance() override;
    /// After the base's idle work, a due autosave runs once the idle period is over.
    BOOL OnIdle(LONG count) override;
    /// The one way a file is opened (File Open, recent files, dropped files, the start-up file):
    /// asks to save a modified file first (Cancel keeps everything), offers an autosaved copy
    /// newer than the file, and falls back to a new file when the file cannot be loaded. Returns
    /// the document.
    CDocument* OpenDocumentFile(const char* path) override;

    /// Passes a change notice on (BroadcastUpdate).
    void OnDataChanged(CObject* sender, LPARAM hint, CObject* object, bool modify) override;
    /// Tells every view of the document except sender, marks the document modified when asked,
    /// drops deleted records from the named lists and flushes the relationship cache.
    void BroadcastUpdate(CView* sender, LPARAM hint, CObject* object, BOOL modify);

    CAvDoc* GetDocument() const { return m_document; }
    /// The document is being destroyed.
    void ForgetDocument(const CAvDoc* document);
    CMainFrame* GetMainFrame() const;
    /// The document's title, or "Ardenvel Riru" when there is none.
    std::string GetDocumentTitle() const;
    /// The number of records of a type (a list index), counted again after each change notice.
    long GetRecordCount(int listIndex) { return m_counts.Get(listIndex); }

    // Windows.
    /// Set around a call that makes a frame: the pane its view is to host.
    void SetSubViewRequest(const CRuntimeClass* cls, DWORD param = 0) { m_request = {cls, param}; }
    SubViewRequest GetSubViewRequest() const { return m_request; }
    /// The active window's view, when that window is visible and shows a CAvView.
    CAvView* GetActiveAvView() const;
    /// The records window's pane and, when asked, its view; null when there is none.
    CSubView* FindRecordsView(CAvView** view = nullptr) const;
    /// Shows the records window, made when there is none, and activates it. tab -1 keeps the
    /// record list it showed.
    void ShowRecordsWindow(int tab);

    /// Set by the main frame's autosave timer; a due autosave runs at the end of the next idle
    /// period.
    void SetAutosaveDue(bool due) { m_autosaveDue = due; }

private:
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();
    /// Makes the template, the main frame and the document with its records window.
    bool CreateWindows();
    /// Opens the file the arguments name, else the default file, else a new file.
    void OpenStartupFile(const std::string& commandLineFile);
    /// Opens path, or its autosaved copy when the user asks for it; false when loading failed.
    bool OpenFileOrRecoveryCopy(const std::string& path);
    /// The main window went away while starting up or exiting; nothing more may use it.
    bool HasMainFrame() const;

    CAvDoc* m_document = nullptr;
    CMultiDocTemplate* m_template = nullptr;
    SubViewRequest m_request;
    CRecordCounts m_counts;
    bool m_autosaveDue = false;
    bool m_dataModelStarted = false;
};

/// The application object, or null when the running one is not a CAvApp.
CAvApp* GetAvApp();
