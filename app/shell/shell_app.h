// app/shell/shell_app.h: what the window base asks of the application object, which stands above
// it: the document, change notices, the windows' lookups, saved files, closing and autosave.
#pragma once

#include "app/shell/saved_file_menus.h"

#include "platform/base/types.h"

#include <string>
#include <vector>

class CAppPrinter;
class CAvDoc;
class CAvView;
class CFamRec;
class CIndRec;
class CObject;
class CRecordNode;
class CView;
class CWnd;
struct CRuntimeClass;

/// The pane class that the next new view is to host, with its creation parameter.
struct SubViewRequest {
    const CRuntimeClass* cls = nullptr;
    DWORD param = 0;
};

/// The application object installs itself at its construction; the frames, views, panes and
/// the windows above them reach it only through this.
class IShellApp {
public:
    virtual ~IShellApp() = default;

    // The document.
    virtual CAvDoc* GetDocument() const = 0;
    /// The document is being destroyed.
    virtual void ForgetDocument(const CAvDoc* document) = 0;
    /// The document's title; empty when there is none, so that the frame shows its own title alone.
    virtual std::string GetDocumentTitle() const = 0;
    /// The number of records of a type (a list index); 0 outside 0 to 8 or before the data set
    /// exists.
    virtual long GetRecordCount(int listIndex) const = 0;
    /// Tells every view of the document except sender, marks the document modified when asked,
    /// drops deleted records from the named lists and flushes the relationship cache.
    virtual void BroadcastUpdate(CView* sender, LPARAM hint, CObject* object, BOOL modify) = 0;

    // Windows.
    /// The pane the view being made is to host.
    virtual SubViewRequest GetSubViewRequest() const = 0;
    /// The first view of kind whose reuse flag is set, or null.
    virtual CAvView* FindReusableView(int kind) const = 0;
    /// Shows the records window, made when there is none, and activates it; unless tab is -1,
    /// shows the list with that list index and gives it the focus.
    virtual void ShowRecordsWindow(int tab) = 0;
    /// Shows the records window and selects the record in the list of its type.
    virtual void ShowRecordInRecordsWindow(CRecordNode* record, BOOL focus) = 0;
    /// The active window's selected object when it is a record, else null.
    virtual CRecordNode* GetSelectedRecord() const = 0;
    /// Every record selected in the active window, in its order.
    virtual std::vector<CRecordNode*> GetSelectedRecords() const = 0;
    /// The active window's selected individual in indi, else its selected family in fam (the
    /// other is null); 1 when either was found, else 0.
    virtual int GetSelectedIndividual(CIndRec** indi, CFamRec** fam) const = 0;

    // Saved diagrams, queries and reports.
    virtual bool CanOpenSavedFile(SavedFileKind kind) const = 0;
    /// Hands path to the opener of its kind; nothing when that kind has none.
    virtual void OpenSavedFile(SavedFileKind kind, const std::string& path) = 0;

    /// The program's printer.
    virtual CAppPrinter& GetPrinter() = 0;
    /// Offers a backup as the main window closes; false when the user cancels the close.
    virtual bool OfferBackupOnClose(CWnd* owner) = 0;
    /// Stores the value being typed in the Record Properties box, as its focus leaving would.
    virtual void StorePropertiesEdit() = 0;
    /// A due autosave runs at the end of the next idle period.
    virtual void SetAutosaveDue(bool due) = 0;
};

/// The installed application; null until one is installed (and in tests without one).
void SetShellApp(IShellApp* app);
IShellApp* GetShellApp();
