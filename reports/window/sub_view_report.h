// reports/window/sub_view_report.h: the Report window's pane: the generator shown, the control
// form along the right edge and the page canvas beside it; zoom, single or facing pages, the
// position shown, change notices, printing, saving and copying a page.
//
// CSubViewReport is sub-view kind 6 and owns the generator shown; the form keeps its template
// width, the canvas takes the rest; zoom runs page width, whole page and 5-500 %. It runs the
// commands of the "&Report" menu (rpt_window_ids.h), printing through the view's hooks, Print Setup
// in the report's own orientation, saving (rpt_save_to_file_dlg.h, the engine's Export), Copy Page
// (a 96 dpi picture on the layer's clipboard) and Save As Custom Report (save_custom_report_dlg.h).
//
// Printer changes: WM_DEVMODECHANGE (sent to every window once printer settings are confirmed)
// makes the window ask its report whether the printer's page changed, and rebuild it if so. Print
// Setup keeps the printer and paper chosen as the application's, lending it the report's
// orientation only for the dialog. Saving a text file takes the panel's "Page Width:" (80
// characters unless changed) as the width of its rule lines. A page that fails to draw is left
// blank with a line that says so; a report whose stored settings cannot be built opens on its
// installation settings, with a message, its file kept.
#pragma once

#include "app/shell/sub_view.h"
#include "reports/window/rpt_control_form.h"
#include "reports/window/rpt_page_wnd.h"
#include "reports/window/rpt_view_math.h"

#include <memory>

class CRptGen;
class CRptDcCanvas;
class IRptDevice;

class CSubViewReport final : public CSubView {
public:
    CSubViewReport();
    ~CSubViewReport() override;
    const CRuntimeClass* GetRuntimeClass() const override;

    BOOL Create(const RECT& rect, CAvView* parentView, UINT id, DWORD request) override;
    /// The record selected in the form's records list while the form shows it.
    CObject* GetSelection(const CRuntimeClass* cls, int* count) const override;
    int GetSubViewType() const override;
    /// The report's name, "Reports" without one; " (LOCKED)" for a window kept from reuse.
    void GetTitle(std::string& title) const override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* object) override;
    void Refresh() override;
    /// Forgets the report.
    void Reset() override;
    BOOL IsLockable() const override { return TRUE; }
    HICON LoadViewIcon(BOOL reusable, BOOL big) const override;

    BOOL CanPrint(BOOL preview) override;
    /// Print Setup in the report's own orientation; the orientation chosen becomes the report's
    /// and rebuilds it.
    void OnFilePrintSetup() override;
    BOOL PreparePrinting(CPrintInfo* info) override;
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
    void OnPrepareDC(CDC* dc, CPrintInfo* info) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
    void OnEndPrintPreview(CDC* dc, CPrintInfo* info, POINT point, CView* view) override;

    /// Shows report (the window owns it from now on) from its first page, rebuilding it on the
    /// pages of device's printer, which must outlive the window.
    void SetReport(std::unique_ptr<CRptGen> report, IRptDevice& device);
    CRptGen* GetReport() const { return m_report.get(); }
    /// The printer's canvases the report is laid out on; null before a report is shown.
    IRptDevice* GetDevice() const { return m_device; }
    /// Rebuilds the report; the position is kept within the report unless resetPage.
    void Rebuild(bool resetPage);
    /// False when nothing changes (the same mode, and in mode 0 the same percent).
    bool SetZoom(int mode, int percent = 100);
    void SetFacingPages(bool on);
    void GoToPage(int position);
    /// Goes to page (0-based, or a printed page number when relative); others are ignored.
    void GoToPageNumber(int page, bool relative);
    int GetZoomMode() const { return m_zoomMode; }
    /// The effective percent: the fitted one in modes 1 and 2.
    int GetZoomPercent() const;
    bool IsFacingPages() const { return m_facingPages; }
    int GetCurrentPage() const { return m_currentPage; }
    int GetStepsPerPage() const { return m_stepsPerPage; }
    /// The pages shown at position (-1 for none) and the number of positions.
    void GetSpreadPages(int position, int& left, int& right) const;
    int GetPageSlotCount() const;
    /// The report's first printed page number (1 without a report).
    int GetFirstPageNumber() const;
    /// Whether the data changed since the report was built.
    bool IsDataChanged() const { return m_dataChanged; }

    void SyncPageLayout();
    void OnPageLayoutChanged();
    void SyncCurrentPage();

    /// Saves the report as HTML, RTF or text (kRptHtml, kRptRtf, kRptText) after its checks.
    void SaveReportAs(int kind);
    /// Saves the report's settings as a custom report under the name the user gives.
    void SaveCustomReport();
    /// Puts a picture of the current page (the left one of a spread) on the clipboard.
    bool CopyPage();

    CRptControlForm& GetForm() { return m_form; }
    CRptPageWnd& GetPageWnd() { return m_pageWnd; }

    /// A change of the printer's settings: the report is rebuilt when its page changed.
    void OnPrinterChanged();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(CREATESTRUCT* createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    void MapHandlers();
    /// Builds the report with its progress shown and Escape heard.
    bool BuildWatched();
    /// Whether a printer's (or the screen's) page can be had to lay reports out on.
    bool CanMeasurePages() const;
    RptPagePositions Positions() const;
    void PlaceChildren(int cx, int cy);

    std::unique_ptr<CRptGen> m_report;
    IRptDevice* m_device = nullptr;
    CRptControlForm m_form;
    CRptPageWnd m_pageWnd;
    int m_zoomMode = kRptZoomPageWidth;
    int m_zoomPercent = 100;
    int m_stepsPerPage = 1;
    bool m_facingPages = false;
    int m_currentPage = 0;
    bool m_layoutBusy = false;
    bool m_dataChanged = false;
    /// Whether the last build failed (a stopped build did not).
    bool m_buildFailed = false;
    std::unique_ptr<CRptDcCanvas> m_printCanvas;
    int m_savedLandscape = 0;
    /// The form's width as its template makes it.
    int m_formWidth = 0;
};
