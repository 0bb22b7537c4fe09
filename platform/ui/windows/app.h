// platform/ui/windows/app.h: the application object: start-up and exit, the message loop with its
// pre-translation and idle hooks, the per-user profile, the recent-file list and the printer.
#pragma once

#include "platform/base/app_profile.h"
#include "platform/ui/printing/printer_settings.h"
#include "platform/ui/windows/cmd_target.h"
#include "platform/ui/windows/wnd.h"

#include <memory>
#include <string>
#include <vector>

class CCommandLineInfo;
class CDocument;
class CPrintDialog;
class CRecentFileList;

/// The string that names the application when the constructor is given no name.
inline constexpr UINT AFX_IDS_APP_TITLE = 0xE000;
/// The recent-file commands: the first file's, and the last of the sixteen at most.
inline constexpr UINT ID_FILE_MRU_FILE1 = 57616, ID_FILE_MRU_LAST = 57631;

/// There is one application object for the run; AfxGetApp finds it. AfxWinMain brings the
/// program up and calls InitInstance, then Run; the program's main only calls AfxWinMain.
class CWinApp : public CCmdTarget {
public:
    /// Without a name the application is named by the AFX_IDS_APP_TITLE string when the
    /// program starts, else by the program file.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    /// Brings the program up; FALSE ends it before its message loop runs.
    virtual BOOL InitInstance();
    /// Runs after the message loop ends (or after a failed InitInstance); the base returns the
    /// code the loop ended with.
    virtual int ExitInstance();
    /// Runs the message loop until the main window is destroyed or PostQuitMessage is called,
    /// then returns ExitInstance's code. Under the test hooks it only delivers what is waiting.
    virtual int Run();
    /// Idle work, with count 0, 1, ... while the loop has nothing to do, until it returns
    /// FALSE; the loop handles what came in between steps, and a new idle period starts at 0
    /// once it has handled something again (input in between starts it over). The base runs
    /// the update pass of every window (WM_IDLEUPDATECMDUI) at count 0 and wants no more from
    /// count 1.
    virtual BOOL OnIdle(LONG count);
    /// Sees each key and mouse message before its window does; TRUE consumes it. The base
    /// offers it to each window's PreTranslateMessage, from the message's window up to its
    /// top-level window.
    virtual BOOL PreTranslateMessage(MSG* msg);
    /// The desktop session ends, or the program was asked to stop (SIGTERM, SIGHUP): nobody is
    /// there to answer a question. The base ends every running loop, modal ones too, so that
    /// Run returns and ExitInstance runs.
    virtual void OnEndSession();
    /// Opens the file; the recent-file commands call it. The base opens nothing and returns
    /// null.
    virtual CDocument* OpenDocumentFile(const char* path);

    const std::string& GetAppName() const { return m_appName; }
    /// The program's arguments after its name, as given to AfxWinMain.
    const std::vector<std::string>& GetArguments() const { return m_arguments; }
    void ParseCommandLine(CCommandLineInfo& info) const;

    // The per-user profile. Until SetRegistryKey names the maker, the application's name
    // stands for it.
    void SetRegistryKey(const char* makerKey);
    CAppProfile& GetProfile() { return m_profile; }
    UINT GetProfileInt(const char* section, const char* entry, int defaultValue) const;
    std::string GetProfileString(const char* section, const char* entry,
                                 const char* defaultValue = "") const;
    BOOL WriteProfileInt(const char* section, const char* entry, int value);
    /// A null value deletes the entry; a null entry deletes the section.
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);

    /// Reads the recent-file list, of maxRecentFiles entries (0: none), from the profile.
    void LoadStdProfileSettings(UINT maxRecentFiles = 4);
    /// Puts the path first in the recent-file list, which the profile keeps at once.
    virtual void AddToRecentFileList(const char* path);
    /// Null until LoadStdProfileSettings made the list.
    CRecentFileList* GetRecentFileList() const { return m_recentFiles.get(); }

    /// The program's printer; its settings stay empty until something loads them, and every
    /// print job and preview starts from them.
    CPrinterSettings& GetPrinterSettings() { return m_printer; }
    /// Runs the dialog on a copy of the application's printer settings (loaded first); on IDOK
    /// the application's settings become what the user chose and every window hears of it
    /// (WM_DEVMODECHANGE, BroadcastPrinterChange). Returns the dialog's answer.
    int DoPrintDialog(CPrintDialog* dialog);

    /// The window whose end ends the message loop.
    CWnd* m_pMainWnd = nullptr;
    /// How the main window is first shown (a ShowWindow command).
    int m_nCmdShow = SW_SHOWNORMAL;

protected:
    /// Opens the recent-file entry of the command; an entry that fails to open leaves the
    /// list.
    void OnOpenRecentFile(UINT id);

private:
    friend int AfxWinMain(int argc, char* argv[]);
    /// Names the application, when it has no name yet, and tells the prompts its title.
    void NameApplication();

    std::string m_appName;
    std::string m_makerKey;
    std::vector<std::string> m_arguments;
    CAppProfile m_profile;
    std::unique_ptr<CRecentFileList> m_recentFiles;
    CPrinterSettings m_printer;
    /// The code the message loop ended with.
    int m_exitCode = 0;
};

/// The application object, or null when none exists.
CWinApp* AfxGetApp();
/// The application's main window, or null.
CWnd* AfxGetMainWnd();

/// The program's entry: makes the Qt application (unless the test hooks made one) with the
/// fixed style, palette and fonts, loads the resources (a fault in them is shown and ends
/// the program), installs the desktop prompts, then runs InitInstance and Run of the
/// application object. Returns the exit code.
int AfxWinMain(int argc, char* argv[]);
