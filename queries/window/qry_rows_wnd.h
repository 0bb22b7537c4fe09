// queries/window/qry_rows_wnd.h: the query window's Rows pane: the ordered filter rows of the
// query in a list, and below it the filter editors on their tabs.
#pragma once

#include "controls/col_box.h"
#include "platform/ui/frames/tool_bar.h"
#include "queries/window/qry_filter_wnd.h"
#include "queries/window/qry_pane.h"

#include <array>
#include <memory>
#include <string>

class CTabCtrl;

// The pane's buttons and commands.
inline constexpr int kRowsAddButton = 1146, kRowsUpdateButton = 1145;
inline constexpr UINT ID_ROWS_MOVE_UP = 32833, ID_ROWS_MOVE_DOWN = 32834, ID_ROWS_DELETE = 32801;

/// The Rows pane. Selecting a row loads it into the editors and shows the tab of its kind;
/// Add appends the shown editor's row, Update replaces the selected row with it, and the
/// toolbar moves or deletes the selected row. Each change is committed to the query at once.
/// Only a custom query that is not read-only can be changed; another is browsed with every
/// editor control disabled.
class CQryRowsWnd final : public CQryPane, public CColBoxOwner, public IQryRowsPane {
public:
    explicit CQryRowsWnd(CSubViewQuery& window);
    /// Ends the window while the list and the editors it notifies still exist.
    ~CQryRowsWnd() override;

    /// Fills the pane from the window's query: the tabs for its record type (Relations only for
    /// individuals) and one row per filter, the first one selected and loaded.
    void LoadFromQuery();
    /// The window's commit for this tab: asks what to do with the shown editor's unsaved edit;
    /// false when the user cancelled.
    bool CheckUnsaved();
    /// Passes a change notice on to the editors.
    void OnQueryChanged(CView* sender, LPARAM hint, CObject* object);
    /// Lets the shown editor refresh its choices and updates the buttons; when the tab shows.
    void ForwardToEditor();

    /// Adds the shown editor's row; false when none was added.
    bool AddFilter();
    /// Replaces the selected row with the shown editor's; false when it was not replaced.
    bool UpdateFilter();

    // IQryRowsPane.
    CAvFilter* GetCurrentFilter() const override { return m_current; }
    CQueryDef* GetCurrentQuery() const override;
    void UpdateButtons() override;
    const LOGFONT& GetPaneFont() const override { return m_font; }

    /// The editor of a kind; null when the program has none.
    CQryFilterWnd* GetEditor(FilterEditorKind kind) const;
    /// The editor on the selected tab; null when none.
    CQryFilterWnd* GetShownEditor() const;
    CColBox& GetList() { return m_list; }
    CTabCtrl* GetTabs() const;
    CToolBar& GetToolBar() { return m_toolBar; }
    /// The index of the selected row; -1 when none.
    int GetSelectedRow() const;
    /// Selects a row (-1: none) as a click on it would, after the unsaved-changes check.
    void SelectRow(int index);
    /// Selects an editor tab as a click on it would.
    void SelectEditorTab(int index);

protected:
    int OnCreate(CREATESTRUCT* createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // CColBoxOwner.
    bool OnButtonDown(CColBox* box, CTreeBoxNode* node, UINT flags, int x, int y,
                      int part) override;
    bool OnKeyDown(CColBox* box, UINT virtKey, UINT repeatCount, UINT flags) override;
    void OnSelChanged(CColBox* box) override;
    bool OnColumnClick(CColBox*, int) override { return false; }

private:
    bool CreateList();
    bool CreateEditors();
    bool CreateToolBar();
    void AnchorControls(const CRect& design);
    void MapHandlers();

    bool IsEditable() const;
    /// The editor kind of a tab index; false for an index with no tab.
    bool KindOfTab(int tab, FilterEditorKind& kind) const;
    CQryFilterWnd* EditorOfTab(int tab) const;
    int TabOfFilter(const CAvFilter* filter) const;

    /// The selection handler: the selected row becomes current, its tab shows, every editor
    /// loads it.
    void OnRowSelected();
    /// Shows the editor of the selected tab, carrying the condition over from the editor shown
    /// before.
    void ShowEditor();
    void LoadEditors();
    void ClearEditedMarks();
    void SelectRowQuietly(int index);
    void MoveRow(bool up);
    void DeleteRow();
    static std::string RowText(const CAvFilter& filter);

    LOGFONT m_font{};
    CColBox m_list;
    CToolBar m_toolBar;
    std::array<std::unique_ptr<CQryFilterWnd>, 3> m_editors;
    CAvFilter* m_current = nullptr;
    int m_currentTab = -1;
    bool m_loading = false;
    int m_relationsTab = -1;
    int m_listTab = 1;
};
