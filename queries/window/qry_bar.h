// queries/window/qry_bar.h: the strip along the top of the query window: the list of saved queries,
// the query toolbar, and the commands that act on a query as a whole, the run above all.
#pragma once

#include "platform/ui/frames/tool_bar.h"
#include "platform/ui/windows/wnd.h"

#include <memory>
#include <string>
#include <vector>

// The bar's commands.
inline constexpr UINT ID_RUN_QUERY = 32883, ID_CANCEL_QUERY = 32884, ID_QUERY_MENU = 32887,
                      ID_NEW_CUSTOM_QUERY = 32890, ID_SAVE_AS_CUSTOM_QUERY = 32892,
                      ID_DELETE_CUSTOM_QUERY = 32893, ID_RUN_INVERTED = 32899,
                      ID_SAVE_RESULTS = 32977, ID_ADD_RESULTS_TO_LIST = 33086,
                      ID_REMOVE_RESULTS_FROM_LIST = 33089;

class CComboBox;
class CQueryDef;
class CQueryRun;
class CSubViewQuery;

/// The bar's toolbar; while busy the pointer shows the wait cursor except over this toolbar,
/// which alone takes the mouse.
class CQryBarToolBar final : public CToolBar {
public:
    void BeginBusy();
    void EndBusy();
    bool IsBusy() const { return m_busy; }

private:
    bool m_busy = false;
};

class CQryBar final : public CWnd {
public:
    explicit CQryBar(CSubViewQuery& window);
    ~CQryBar() override;

    BOOL Create(CWnd* parent, UINT id);
    int GetBarHeight() const { return m_barHeight; }
    CComboBox* GetCombo() const { return m_combo; }
    CQryBarToolBar& GetToolBar() { return m_toolBar; }
    /// The query being run on the worker thread; null while idle.
    CQueryDef* GetRunningQuery() const;

    /// Lists the query files and loads the first.
    void ResetQueryCombo();
    /// Makes the combo's selection show the window's query.
    void SyncComboWithQuery();
    /// Runs the window's query on the worker thread while the interface keeps painting; only
    /// the toolbar's Cancel takes input meanwhile.
    void RunQuery(bool askParameters, bool invert);
    /// The index of the first entry with text and kind, added when there is none.
    int AddQueryEntry(const std::string& name, bool custom);

    // Commands, public for the query window and its tests.
    void OnSelChangeQuery();
    void OnCancelQuery();
    void OnQueryMenu();
    void OnNewCustomQuery();
    void OnSaveAsCustomQuery();
    void OnDeleteCustomQuery();
    void OnAddToNamedList(bool add);

protected:
    int OnCreate(CREATESTRUCT* createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void MapHandlers();
    /// The entry text of a query: its name, and " (custom)" after a custom one's.
    static std::string EntryText(const std::string& name, bool custom);
    void SelectQueryEntry(const std::string& name, bool custom);
    bool IsIdle() const { return !m_run; }
    bool HasQuery() const;
    bool OnResults() const;
    bool HasRows() const;
    void ShowPrompt(const std::string& text);
    /// Pumps the messages until run has ended: the interface keeps painting, keys are held
    /// back, and only the query toolbar takes the mouse (a press elsewhere focuses the main
    /// window).
    void WaitForQuery(const CQueryRun& run);

    CSubViewQuery& m_window;
    std::vector<std::unique_ptr<CWnd>> m_controls;
    CComboBox* m_combo = nullptr;
    CQryBarToolBar m_toolBar;
    int m_barHeight = 0;
    CQueryRun* m_run = nullptr;
};

/// The selected entry's index (negative for none) and, for a selection, its name without
/// " (custom)" and its kind.
int GetSelectedQueryName(CComboBox& combo, std::string& name, bool& custom);
