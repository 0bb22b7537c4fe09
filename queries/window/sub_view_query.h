// queries/window/sub_view_query.h: the query window's content: the query it shows, the bar above a
// tab control of four panes (General, Columns, Rows, Result Set), command routing, the status
// panes and the printing of the result set.
#pragma once

#include "app/shell/sub_view.h"
#include "controls/dlg_layout.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "platform/ui/drawing/font.h"
#include "queries/window/qry_bar.h"
#include "queries/window/qry_columns_wnd.h"
#include "queries/window/qry_general_wnd.h"
#include "queries/window/qry_result_grid.h"
#include "queries/window/qry_rows_wnd.h"
#include "queries/window/query_print_layout.h"

#include <array>
#include <memory>

class CQueryDef;
class CSubViewQuery;

/// The tabs, in order.
enum QueryTab : int { kTabGeneral = 0, kTabColumns = 1, kTabRows = 2, kTabResults = 3 };
/// The tab commands: the tab's index plus 71.
inline constexpr UINT ID_QUERY_TAB_FIRST = 71, ID_QUERY_TAB_RESULTS = 74;

/// The modeless dialog inside the window that holds the bar, the caption and the tab control.
class CQueryTabsDlg final : public CDialog {
public:
    explicit CQueryTabsDlg(CSubViewQuery& window) : CDialog(206), m_window(window) {}

    CDlgLayout& GetLayout() { return m_layout; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    /// The statics' text takes the colour of the query's kind.
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    CSubViewQuery& m_window;
    CDlgLayout m_layout;
};

class CSubViewQuery final : public CSubView {
public:
    CSubViewQuery();
    ~CSubViewQuery() override;

    const CRuntimeClass* GetRuntimeClass() const override;
    BOOL Create(const RECT& rect, CAvView* parentView, UINT id, DWORD request) override;

    // The query.
    CQueryDef* GetQuery() const { return m_query.get(); }
    const std::shared_ptr<CQueryDef>& GetQueryPtr() const { return m_query; }
    /// Takes the query (the same one again only when forced) and brings every pane in step.
    void SetQuery(std::shared_ptr<CQueryDef> query, bool force);
    /// Removes the query's file (a new query has none) and lets the query go; false, keeping
    /// the query, when the file could not be removed.
    bool FreeQuery();
    /// Asks the active pane to apply its edits; false when the caller must not go on.
    bool CommitActivePage();
    /// Runs the query at once, without asking for parameters.
    void RunNow();
    /// When the General pane's record type differs from the query's: the query loses its
    /// columns and rows, takes the type and is committed, and the panes reload.
    void ApplyRecordType();

    // Tabs.
    int GetActiveTab() const { return m_activeTab; }
    /// Tab commands 71 to 74.
    void SelectTab(UINT command);
    /// 0 to 3; other indexes are ignored.
    void SelectTabIndex(int index);
    void ShowActiveTab();
    void SetCaptionText(const std::string& text);

    CQryBar& GetBar() { return m_bar; }
    CQryResultGrid& GetResultGrid() { return m_grid; }
    CQryGenWnd& GetGeneralPane() { return m_general; }
    CQryColsWnd& GetColumnsPane() { return m_columns; }
    CFont& GetDialogFont() { return m_dialogFont; }
    CQryRowsWnd& GetRowsPane() { return m_rows; }
    CTabCtrl& GetTabCtrl() { return m_tabs; }
    CQueryTabsDlg& GetTabsDialog() { return m_dialog; }
    /// The colour of the caption's text for the query's kind.
    COLORREF GetCaptionColour() const;
    /// "Records in Result Set: %ld" with the grid's row count.
    std::string GetResultCountText() const;

    // The pane's part.
    int GetSubViewType() const override;
    HICON LoadViewIcon(BOOL reusable, BOOL big) const override;
    void GetTitle(std::string& title) const override;
    CObject* GetSelection(const CRuntimeClass* cls, int* count) const override;
    /// On the Result Set tab, the records of the selected cells, each once, in row order; none
    /// on the other tabs.
    void GetSelectedRecords(std::vector<CRecordNode*>& records) const override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* object) override;
    void OnActivate(BOOL activate, CView* activated, CView* deactivated) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Printing.
    BOOL CanPrint(BOOL preview) override;
    void OnFilePrintSetup() override;
    BOOL PreparePrinting(CPrintInfo* info) override;
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
    void OnPrepareDC(CDC* dc, CPrintInfo* info) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
    void OnEndPrintPreview(CDC* dc, CPrintInfo* info, POINT point, CView* view) override;
    const QueryPrintLayout& GetPrintLayout() const { return m_print; }

protected:
    int OnCreate(CREATESTRUCT* createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSetFocus(CWnd* oldWnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class CQueryTabsDlg;

    bool CreatePanes();
    /// The frame's least size, and its size, become those that show the Columns pane whole.
    void FitFrameToColumnsPane();
    void MapHandlers();
    void Layout();
    CWnd* ActivePane();
    /// Runs the query again on this thread and refills the grid; false when it failed.
    bool RunAgainForPrint();
    void PrintPage(CDC& dc, int page);
    void FreePrintFonts();

    std::shared_ptr<CQueryDef> m_query;
    CQueryTabsDlg m_dialog{*this};
    CTabCtrl m_tabs;
    int m_activeTab = -1;
    bool m_frameFitted = false;
    CFont m_dialogFont;
    CQryBar m_bar{*this};
    CQryGenWnd m_general{*this};
    CQryColsWnd m_columns{*this};
    CQryRowsWnd m_rows{*this};
    CQryResultGrid m_grid;

    bool m_printing = false;
    int m_savedOrientation = 0;
    QueryPrintLayout m_print;
    std::array<std::unique_ptr<CFont>, kPrintFontCount> m_printFonts;
    int m_printLineHeights[kPrintFontCount] = {};
};
