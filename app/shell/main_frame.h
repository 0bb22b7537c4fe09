// app/shell/main_frame.h: the program's main window: its menu bar, four toolbars, four status bars
// of which one shows at a time, the progress bar of long operations, and the autosave timer.
#pragma once

#include "app/shell/saved_file_menus.h"

#include "controls/cool_menu_manager.h"

#include "platform/base/progress.h"
#include "platform/ui/dialogs/progress_ctrl.h"
#include "platform/ui/frames/mdi_frame_wnd.h"
#include "platform/ui/frames/status_bar.h"
#include "platform/ui/frames/tool_bar.h"

#include <array>
#include <string>

/// Toolbar indices: the standard toolbar and those of the records, diagram and multimedia
/// windows; the preferences keep their placements in this order.
enum ToolBarIndex : int { kStandardBar = 0, kRecordsBar = 1, kDiagramBar = 2, kMediaBar = 3 };

/// The window menus and toolbars follow the active window's kind (RebuildMenus). The status bar
/// shown is the main, diagram or query bar, and while a long operation runs the progress bar.
/// The menus of saved diagrams, queries and reports are filled each time they open; commands
/// that nothing before the frame handles open the file their item listed.
class CMainFrame final : public CMDIFrameWnd, public IProgress {
public:
    CMainFrame();
    ~CMainFrame() override;

    // Progress. Ranges of 65535 and more are divided down so that the bar can show them: the
    // divisor is range / 65535 + 1, and positions are divided by it too.
    /// Starts a run; ignored while one runs.
    void BeginProgress(long range, const std::string& text) override;
    void SetProgressPos(long pos) override;
    /// A new range and text within the same run; the bar goes back to 0.
    void ResetProgress(long range, const std::string& text) override;
    void EndProgress() override;
    bool IsProgressActive() const { return m_progressActive; }
    long GetProgressDivisor() const { return m_divisor; }
    CProgressCtrl& GetProgressCtrl() { return m_progress; }

    /// The menus and toolbars of a window kind: "&Lists" and the records toolbar for the
    /// records window, "&Diagram" and its toolbar for a diagram, "&Multimedia" and its toolbar
    /// for the multimedia window; each goes before "&Window". Other kinds have none.
    void RebuildMenus(int kind);

    /// Shows the status bar with the id in place of the one shown; an unknown id hides it.
    void ShowStatusBar(UINT id);
    /// The status bar with the id, or null.
    CStatusBar* GetStatusBar(UINT id);
    UINT GetCurrentStatusBar() const { return m_currentStatusBar; }
    /// The bar that shows prompts: the query or diagram bar while it is the current one, else
    /// the main bar.
    CWnd* GetMessageBar() override;
    CToolBar& GetToolBar(int index) { return m_toolBars[std::size_t(index)]; }
    /// What the message bar shows when no prompt does ("For Help, press F1"), replaced by
    /// message until it is called with an empty one (a lasting failure, such as autosave's).
    void SetIdleMessage(const std::string& message);
    void GetMessageString(UINT id, std::string& message) const override;

    /// Restarts the autosave timer from the preferences ("Enable Autosave", "Autosave Mins"),
    /// and clears a due autosave.
    void StartAutosaveTimer();
    bool IsAutosaveTimerRunning() const { return m_autosaveTimer != 0; }

    /// The document's title before the frame's own.
    void OnUpdateFrameTitle(BOOL addToTitle) override;

protected:
    int OnCreate(CREATESTRUCT* createStruct) override;
    /// Keeps the toolbar placements, asks to save a modified file, then closes.
    void OnClose() override;
    void OnTimer(UINT_PTR id) override;
    /// Fills a menu of saved files before its update pass.
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu) override;

private:
    bool CreateToolBars();
    bool CreateStatusBars();
    void MapHandlers();
    /// The saved-file items, help, web-page and tutorial commands.
    void MapFileAndHelpCommands();
    void OnSavedFile(UINT id);
    /// The user manual's page and section on the dialog in use, else on the active window.
    std::string ActiveHelpTopic() const;
    /// The divisor and bar range of a progress range.
    void SetProgressRange(long range);
    void ToggleToolBar(int index);
    /// Stores each toolbar's place relative to the frame in the preferences.
    void SaveBarPlacements();
    void RestoreBarPlacements();
    void ResetToolBarPositions();
    /// Removes the top-level menu with exactly that title; false when there is none.
    bool RemoveTopMenu(const char* title);
    void InsertTopMenu(UINT resourceId, const char* title);

    std::array<CToolBar, 4> m_toolBars;
    CStatusBar m_mainBar;
    CStatusBar m_diagramBar;
    CStatusBar m_queryBar;
    CStatusBar m_progressBar;
    CProgressCtrl m_progress;
    long m_divisor = 1;
    UINT m_currentStatusBar = 0;
    bool m_progressActive = false;
    UINT_PTR m_autosaveTimer = 0;
    std::string m_idleMessage;
    CSavedFileMenus m_savedFiles;
    /// Gives menu items the pictures of the toolbar buttons with the same command.
    CCoolMenuManager m_menuManager;
};
