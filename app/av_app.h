// app/av_app.h: the application object: start-up and exit, the file commands, the broadcast of
// change notices, and the lookups of windows that the rest of the shell uses.
#pragma once

#include "app/program_services.h"
#include "app/shell/printer_setup.h"
#include "app/shell/saved_file_menus.h"
#include "app/shell/shell_app.h"

#include "database/nodes/data_observer.h"
#include "diagrams/diagram_change_feed.h"
#include "diagrams/diagram_defaults.h"
#include "platform/ui/windows/app.h"
#include "records/window/file_links_dlg.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CRptGen;
class CRptServices;
class CAvDoc;
class CAvView;
class CFindRecordDlg;
class CFamRec;
class CIndRec;
class CMainFrame;
class CMultiDocTemplate;
class CNamedList;
class CPropertiesDlg;
class CQueryDef;
class CRecordNode;
class CRecordsPane;
class CSubView;
class CSubViewMedia;
class CSubViewRelTree;
class CDataNode;
class CView;
struct InsertKind;

/// One instance lives for the program's run; the program's main makes it before AfxWinMain. It
/// is the data set's one observer: every change notice reaches the windows through
/// BroadcastUpdate. It installs itself as the window base's application (IShellApp) while it
/// lives. There is one document for the whole run; New and Open reuse it.
class CAvApp final : public CWinApp, public IDataObserver, public IShellApp {
public:
    CAvApp();
    ~CAvApp() override;

    /// Starts with the program's arguments (StartUp).
    BOOL InitInstance() override;
    /// The splash window takes the first key or click while it shows.
    BOOL PreTranslateMessage(MSG* msg) override;
    /// Brings the program up in order: the profile key, the preferences, the arguments, the
    /// recent-file list, the services, the data set, the document template, the main frame, the
    /// desktop's file types, the document with its records window, the main window shown, the
    /// start-up folder, and then the file the arguments name (switches are never taken for it),
    /// else the default file, else a new file. FALSE, before the main window shows, when a step
    /// fails.
    BOOL StartUp(const std::vector<std::string>& arguments);
    /// Closes what is still open, shuts the data set down and takes the services out.
    int ExitInstance() override;
    /// After the base's idle work the record properties box follows the selection, and a due
    /// autosave runs once the idle period is over.
    BOOL OnIdle(LONG count) override;
    /// Nobody is there to answer: unsaved edits go into the recovery copy (an untitled file's
    /// into the untitled file's copy, which the next start offers), which opening the
    /// file offers next time, and the program ends without a question.
    void OnEndSession() override;
    /// The one way a file is opened (File Open, recent files, dropped files, the start-up file):
    /// asks to save a modified file first (Cancel keeps everything), offers an autosaved copy
    /// newer than the file, and falls back to a new file when the file cannot be loaded. A
    /// relative name is made absolute against the current folder first. Returns the document;
    /// null when the file was not opened because it is not there or cannot be read (after
    /// saying so), so that the recent-file list drops it.
    CDocument* OpenDocumentFile(const char* name) override;

    /// Passes a change notice on (BroadcastUpdate).
    void OnDataChanged(CObject* sender, LPARAM hint, CObject* object, bool modify) override;
    /// Tells every view of the document except sender, then the diagram documents, marks the
    /// document modified when asked, drops deleted records from the named lists and flushes the
    /// relationship cache.
    void BroadcastUpdate(CView* sender, LPARAM hint, CObject* object, BOOL modify) override;

    CAvDoc* GetDocument() const override { return m_document; }
    /// The document is being destroyed.
    void ForgetDocument(const CAvDoc* document) override;
    CMainFrame* GetMainFrame() const;
    /// The document's title; empty when there is none.
    std::string GetDocumentTitle() const override;
    /// The open file's path; empty for an untitled file.
    std::string GetOpenFilePath() const;
    /// The number of records of a type (a list index); 0 outside 0 to 8 or before the data set
    /// exists.
    long GetRecordCount(int listIndex) const override;

    // Windows.
    /// The class of the records window's pane (a CRecordsPane): the record lists
    /// (CSubViewRec) unless a test sets another before start-up makes the records window.
    void SetRecordsPaneClass(const CRuntimeClass* cls) { m_recordsPaneClass = cls; }
    /// Set around a call that makes a frame: the pane its view is to host.
    void SetSubViewRequest(const CRuntimeClass* cls, DWORD param = 0) { m_request = {cls, param}; }
    SubViewRequest GetSubViewRequest() const override { return m_request; }
    /// The active window's view, when that window is visible and shows a CAvView.
    CAvView* GetActiveAvView() const;
    /// The next of the document's views after previous (from the first when null) whose pane
    /// is of kind (any view for kSubViewNone); null when there is none.
    CAvView* GetNextViewOfKind(const CAvView* previous, int kind) const;
    /// The first view of kind whose reuse flag is set, or null.
    CAvView* FindReusableView(int kind) const override;
    /// The records window's pane and, when asked, its view; null when there is none.
    CRecordsPane* FindRecordsView(CAvView** view = nullptr) const;
    /// Shows content in a window of kind, whose pane is of cls: the records window, the first
    /// query window, or the reusable window of the other kinds. A window found gets a pane of
    /// cls when it has another, is given the content (show) and is shown and activated; without
    /// one a new window is made and given the content. Returns the window's view; null when no
    /// window could be made.
    CAvView* ShowInWindowOfKind(int kind, const CRuntimeClass* cls,
                                const std::function<void(CSubView&)>& show);
    /// Shows the records window, made when there is none, and activates it; unless tab is -1,
    /// shows the list with that list index and gives it the focus.
    void ShowRecordsWindow(int tab) override;
    /// Shows the records window and selects the record in the list of its type.
    void ShowRecordInRecordsWindow(CRecordNode* record, BOOL focus) override;
    /// Shows the records window with its named-lists pane, the list selected there.
    void ShowNamedList(CNamedList* list);
    /// Repaints the main window, and the windows inside it when asked.
    void RedrawMainWindow(BOOL children);
    /// Repaints every view of the document, then tells them that all views were redrawn.
    void RedrawAllViews();
    /// Shows the main frame's status bar with the id in place of the one shown.
    void SwitchControlBar(UINT id);

    // Selection.
    /// The active window's selected object when it is a record, else null.
    CRecordNode* GetSelectedRecord() const override;
    /// Every record selected in the active window, in its order.
    std::vector<CRecordNode*> GetSelectedRecords() const override;
    /// The active window's selected individual in indi, else its selected family in fam (the
    /// other is null); 1 when either was found, else 0.
    int GetSelectedIndividual(CIndRec** indi, CFamRec** fam) const override;

    /// The one Find Record dialog: made again when its window was closed; null when it cannot
    /// be made.
    CFindRecordDlg* CreateFindRecordDlg();
    /// Work with External File Links; Go To shows the record of the chosen link.
    void OnFileLinks();

    // Records.
    /// Makes a new record of the type with the list index, ends the edit, selects the record
    /// in the records window and shows it in the properties box, which keeps to it. A record
    /// that cannot be made is reported.
    void CreateRecord(int listIndex);
    /// Shows the records window on the list of the type; when that list is hidden and ask is
    /// set, asks first whether to change the window's display options (Cancel leaves it).
    void ShowRecordList(int listIndex, BOOL ask);
    /// Shows the first record of a single-record type in the record properties box, unpinned
    /// (a new record of the type when there is none).
    void ShowSingleRecord(int listIndex);

    // The record properties box.
    /// The box, made when there is none; a box whose window was closed is deleted and a new one
    /// made. Null when it cannot be made.
    CPropertiesDlg* CreatePropertiesDlg();
    /// The box when it exists, else null.
    CPropertiesDlg* GetPropertiesDlg() const { return m_propertiesDlg; }
    /// Shows the active window's selected record in the box (nothing when the selection is no
    /// record) with size, or for a new box the size the preferences give, and page; keepSize
    /// keeps the size of a box that exists; forward gives the active page the focus; avoid is a
    /// screen rectangle the box moves off, or null.
    void ShowPropertiesDlg(int size, int page, BOOL keepSize, BOOL forward,
                           const RECT* avoid = nullptr);
    /// The properties box size a "Prop Dlg Size" preference code asks for: Small, Large or
    /// Full; any other code is Large.
    static int BoxSizeOfPreference(int code);

    // Saved diagrams, queries and reports.
    /// Opens a saved file of the kind; the services install the opener of each kind.
    using SavedFileOpener = std::function<void(const std::string& path)>;
    void SetSavedFileOpener(SavedFileKind kind, SavedFileOpener opener);
    bool CanOpenSavedFile(SavedFileKind kind) const override;
    /// Hands path to the opener of its kind; nothing when that kind has none.
    void OpenSavedFile(SavedFileKind kind, const std::string& path) override;

    /// The reusable multimedia window, made when there is none, shown and activated; null when
    /// none can be made.
    CSubViewMedia* GetMediaWindow();
    /// Shows record's multimedia in the multimedia window (every multimedia object without a
    /// record): a multimedia record alone, another record's multimedia links.
    void ShowMediaWindow(CDataNode* record);

    /// Shows the diagram of kind (0 Ancestors to 3 All Relatives) for person, else for the couple
    /// of family, else for the selection, in the reusable diagram window; null when nothing
    /// was shown.
    CSubViewRelTree* ShowInDiagram(int kind, CIndRec* person, CFamRec* family);
    /// Shows the saved diagram's settings for the selected person (or the first parent of the
    /// selected family). A file no longer there, or no one selected, is told and opens nothing.
    void OpenSavedDiagram(const std::string& path, const std::string& name);
    /// New Individual (or Couple) in Diagram: a new person, or two joined by a new family as
    /// husband and wife, shown in an All Relatives diagram; when that fails the new records go
    /// and "Memory error" is shown.
    void NewInDiagram(bool couple);

    /// Shows the query window, made when there is none: with a query, the window takes it;
    /// with run, the result grid is cleared; page (0 to 3) selects a tab unless it is -1; with
    /// run, the query then runs at once.
    void OpenQueryWindow(std::shared_ptr<CQueryDef> query, bool run, int page);
    /// Opens or activates the Report window and gives it report; false, the report let go, when
    /// no window could take it.
    bool OpenReportWindow(std::unique_ptr<CRptGen> report);

    /// The program's printer: page size, orientation, measuring contexts, Print Setup.
    CAppPrinter& GetPrinter() override { return m_printer; }
    /// The defaults of new diagrams and the text schemes, loaded at start-up.
    CDiagramDefaults& GetDiagramDefaults() { return m_diagramDefaults; }

    /// Set by the main frame's autosave timer; a due autosave runs at the end of the next idle
    /// period.
    void SetAutosaveDue(bool due) override { m_autosaveDue = due; }
    /// Offers the backup of the open file as the main window closes.
    bool OfferBackupOnClose(CWnd* owner) override;
    /// Stores the value being typed in the Record Properties box, when it is open.
    void StorePropertiesEdit() override;

private:
    /// Lists in m_services, in start-up order, each program-wide service that the libraries below
    /// reach through their hooks, beside its removal (av_app_services.cpp).
    void AddServices();
    /// The saved-file openers of each kind, which the services install.
    void OpenSavedQuery(const std::string& path);
    void OpenSavedDiagramFile(const std::string& path);
    void OpenSavedReport(const std::string& path);
    /// The command handlers of windows, records and help.
    void MapWindowCommands();
    void MapRecordCommands();
    void MapHelpCommands();
    /// Properties, and Set and Cancel Automatic Source Citation.
    void MapPropertiesCommands();
    /// Follow mode: the box, when it shows and follows, shows the active window's selection.
    void FollowSelection();
    /// Insert Pictures, Other Multimedia, Document and OLE Object.
    void MapInsertCommands();
    /// One Insert command: the picture file dialog over the context's options, the new objects
    /// made as chosen, and the multimedia window showing them.
    void InsertFromFiles(const InsertKind& kind);
    /// Work with Multimedia Objects and Multimedia.
    void MapMediaCommands();
    /// Work with Queries/Reports and Split Tree Helper.
    void MapQueryCommands();
    /// The four Show in Diagram commands, New Individual or Couple in Diagram and the Diagram
    /// Wizard (av_app_diagram_window.cpp).
    void MapDiagramWindowCommands();
    /// The Reports menu, the report services and the window that shows reports
    /// (av_app_reports.cpp).
    void MapReportCommands();
    /// Merge/Compare (av_app_merge.cpp).
    void MapMergeCommands();
    /// Diagram Defaults (av_app_diagrams.cpp).
    void MapDiagramCommands();
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();
    /// Makes the template, the main frame and the document with its records window.
    bool CreateWindows();
    /// Opens the file the arguments name, else the default file, else a new file.
    void OpenStartupFile(const std::string& commandLineFile);
    /// Opens path, or its autosaved copy when the user asks for it; false when loading failed.
    bool OpenFileOrRecoveryCopy(const std::string& path);
    /// Offers the copy of the untitled file that the last session kept; true when it was opened
    /// (in place of the start-up file). A declined copy is deleted.
    bool OpenUntitledRecoveryCopy();
    /// The main window went away while starting up or exiting; nothing more may use it.
    bool HasMainFrame() const;
    /// Marks every view and its pane for repainting.
    void InvalidateViews() const;
    /// Submitter Record: the list of submitters when there are several and the user wants it,
    /// else the one submitter record.
    void OnViewSubmitter();
    /// Tools Record Links: the records that link to the selected one; Go To shows the chosen.
    void OnRecordLinks();

    CAvDoc* m_document = nullptr;
    CPropertiesDlg* m_propertiesDlg = nullptr;
    CMultiDocTemplate* m_template = nullptr;
    SubViewRequest m_request;
    const CRuntimeClass* m_recordsPaneClass;
    CAppPrinter m_printer{GetPrinterSettings()};
    /// Given to every diagram window's document (installed for the windows with the services).
    CDiagramDefaults m_diagramDefaults;
    /// Every change notice broadcast, passed on to the diagram documents, which follow the data.
    CDiagramChangeFeed m_diagramChanges;
    /// The report services over the printer: dialogs, canvases and the open flow.
    std::unique_ptr<CRptServices> m_reports;
    std::array<SavedFileOpener, 3> m_savedFileOpeners;
    std::unique_ptr<CFindRecordDlg> m_findRecordDlg;
    CMovedFileLinks m_movedFileLinks;
    bool m_autosaveDue = false;
    bool m_dataModelStarted = false;
    /// Installed before the data set and the windows exist, removed once they are gone.
    CProgramServices m_services;
};

/// The application object, or null when the running one is not a CAvApp.
CAvApp* GetAvApp();

/// Closes the window inside the main frame that holds wnd.
void CloseParentFrame(CWnd* wnd);
