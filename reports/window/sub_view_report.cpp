// reports/window/sub_view_report.cpp: the Report window: its children, positions and zoom,
// change notices, commands, printing, saving and Copy Page.
#include "reports/window/sub_view_report.h"

#include "reports/rpt_catalogue.h"
#include "reports/rpt_gen.h"
#include "reports/rpt_sink.h"
#include "reports/window/go_to_page_dlg.h"
#include "reports/window/rpt_build_stop.h"
#include "reports/window/rpt_dc_canvas.h"
#include "reports/window/rpt_opts_dlg.h"
#include "reports/window/rpt_save_to_file_dlg.h"
#include "reports/window/rpt_window_ids.h"
#include "reports/window/save_custom_report_dlg.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "app/shell/printer_setup.h"
#include "app/shell/shell_app.h"
#include "database/nodes/change_hint.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/printing/printer_settings.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/clipboard.h"
#include "platform/ui/windows/cmd_ui.h"

#include <algorithm>
#include <functional>

namespace {

/// Child id of the page canvas.
constexpr UINT kPageWndId = 99;

CAppPrinter* AppPrinter()
{
    IShellApp* app = GetShellApp();
    return app ? &app->GetPrinter() : nullptr;
}

} // namespace

CSubViewReport::CSubViewReport() : m_form(*this), m_pageWnd(*this)
{
    MapHandlers();
}

CSubViewReport::~CSubViewReport()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

const CRuntimeClass* CSubViewReport::GetRuntimeClass() const
{
    return RuntimeClassOf<CSubViewReport>();
}

BOOL CSubViewReport::Create(const RECT& rect, CAvView* parentView, UINT id, DWORD request)
{
    return CSubView::Create(rect, parentView, id, request);
}

int CSubViewReport::GetSubViewType() const
{
    return kSubViewReport;
}

HICON CSubViewReport::LoadViewIcon(BOOL, BOOL big) const
{
    return LoadViewIconResource(IDI_REPORT_VIEW, big);
}

int CSubViewReport::OnCreate(CREATESTRUCT* createStruct)
{
    if (CSubView::OnCreate(createStruct) == -1)
        return -1;
    NotifyOwner(305);
    if (!m_form.Create(this) || !m_pageWnd.Create(this, kPageWndId))
        return -1;
    m_form.ShowWindow(SW_SHOW);
    CRect form;
    m_form.GetWindowRect(&form);
    m_formWidth = form.Width();
    CRect client;
    GetClientRect(&client);
    PlaceChildren(client.Width(), client.Height());
    m_stepsPerPage = m_pageWnd.GetPageCount();
    m_form.UpdatePageInfo();
    return 0;
}

LRESULT CSubViewReport::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DEVMODECHANGE) {
        OnPrinterChanged();
        return 0;
    }
    return CSubView::WindowProc(message, wParam, lParam);
}

void CSubViewReport::OnPrinterChanged()
{
    if (!m_report || m_report->IsBuilding())
        return;
    m_report->CheckPrinterChanged(*m_device);
    if (m_report->IsStale())
        Rebuild(false);
}

void CSubViewReport::PlaceChildren(int cx, int cy)
{
    if (!m_form.GetSafeHwnd() || !m_pageWnd.GetSafeHwnd())
        return;
    const int formWidth = std::min(m_formWidth, std::max(0, cx));
    m_form.MoveWindow(cx - formWidth, 0, formWidth, cy, TRUE);
    m_pageWnd.MoveWindow(0, 0, std::max(0, cx - formWidth), cy, TRUE);
}

void CSubViewReport::OnSize(UINT type, int cx, int cy)
{
    CSubView::OnSize(type, cx, cy);
    PlaceChildren(cx, cy);
    SyncPageLayout();
}

CObject* CSubViewReport::GetSelection(const CRuntimeClass* cls, int* count) const
{
    if (count)
        *count = 0;
    if (!m_form.GetSafeHwnd() || !m_form.IsWindowVisible())
        return nullptr;
    CObject* object = m_form.GetSelectedRecord();
    if (!object || (cls && !object->IsKindOf(cls)))
        return nullptr;
    if (count)
        *count = 1;
    return object;
}

void CSubViewReport::GetTitle(std::string& title) const
{
    title = m_report ? m_report->GetName() : "Reports";
    const auto* view = dynamic_cast<const CAvView*>(GetParent());
    if (view && !view->IsReusable())
        title += " (LOCKED)";
}

void CSubViewReport::Refresh()
{
    if (CFrameWnd* frame = ::GetParentFrame(this))
        frame->OnUpdateFrameTitle(TRUE);
}

void CSubViewReport::Reset()
{
    m_report.reset();
    m_currentPage = 0;
    m_dataChanged = false;
    if (m_pageWnd.GetSafeHwnd())
        m_pageWnd.Relayout(true);
    m_form.UpdatePageInfo();
}

void CSubViewReport::OnUpdate(CView*, LPARAM hint, CObject* object)
{
    if (!m_report)
        return;
    switch (hint) {
    case kHintRecordsEdited:
        m_report->PurgeDeletedRecords();
        m_dataChanged = true;
        m_form.OnRecordsChanged(hint, object);
        m_pageWnd.Invalidate();
        break;
    case kHintDataSetClearing:
    case kHintFileLoaded:
        m_report->Reset(true);
        Rebuild(false);
        m_form.OnRecordsChanged(hint, object);
        break;
    case kHintPrinterChanged:
        Rebuild(false);
        break;
    case kHintNamedListsChanged:
        if (m_report->GetType() == kRptTypeList)
            m_pageWnd.Invalidate();
        break;
    default:
        break;
    }
}

void CSubViewReport::SetReport(std::unique_ptr<CRptGen> report, IRptDevice& device)
{
    if (report.get() != m_report.get())
        m_report = std::move(report);
    m_device = &device;
    m_currentPage = 0;
    Rebuild(true);
    // Settings kept in the report's file that cannot be laid out on a page the printer can
    // measure would leave the window empty: the report opens on its installation settings,
    // and the file stays as it is.
    if (m_report && m_buildFailed && CanMeasurePages()) {
        MessageBox(text::Format("The settings stored for the report \"%s\" could not be used.  "
                                "It is shown with its installation settings.",
                                m_report->GetName().c_str()));
        CRptSettings& settings = m_report->Settings();
        if (!settings.RestoreInstalled(kRptPartAll, GetReportTypesFolderPath()))
            settings.Copy(CRptSettings(), kRptPartAll, true);
        Rebuild(true);
    }
}

bool CSubViewReport::CanMeasurePages() const
{
    return m_device && m_device->CreatePrinterCanvas(false, true) != nullptr;
}

bool CSubViewReport::BuildWatched()
{
    CRptBuildStop stop;
    CRptBuildProgress progress(dynamic_cast<IProgress*>(AfxGetMainWnd()));
    m_report->SetMonitor(
        {&progress, std::ref(stop), [&progress](int page) { progress.PageReached(page); }});
    const bool built = m_report->Build(*m_device, false);
    m_report->SetMonitor({});
    return built;
}

void CSubViewReport::Rebuild(bool resetPage)
{
    Refresh();
    if (!m_report || m_report->IsBuilding())
        return;
    m_buildFailed = !BuildWatched();
    m_dataChanged = false;
    const int slots = GetPageSlotCount();
    m_currentPage = resetPage ? 0 : std::clamp(m_currentPage, 0, std::max(0, slots - 1));
    if (m_pageWnd.GetSafeHwnd())
        m_pageWnd.Relayout(resetPage);
    m_form.UpdatePageInfo();
    SyncPageLayout();
    // Said once the window shows the pages laid out so far.
    if (m_report->WasStopped())
        MessageBox(m_report->GetStoppedText());
}

RptPagePositions CSubViewReport::Positions() const
{
    RptPagePositions positions;
    positions.pageCount = m_report ? m_report->GetPageCount() : 0;
    positions.steps = m_stepsPerPage;
    positions.facing = m_facingPages;
    positions.padded = m_report && IsFirstSpreadPadded(m_report->Settings().m_layout.m_mirrorPages,
                                                       GetFirstPageNumber());
    return positions;
}

int CSubViewReport::GetFirstPageNumber() const
{
    return m_report ? m_report->Settings().m_layout.m_startingPage : 1;
}

void CSubViewReport::GetSpreadPages(int position, int& left, int& right) const
{
    Positions().SpreadPages(position, left, right);
}

int CSubViewReport::GetPageSlotCount() const
{
    return Positions().SlotCount();
}

bool CSubViewReport::SetZoom(int mode, int percent)
{
    if (mode == m_zoomMode && (mode != kRptZoomPercent || percent == m_zoomPercent))
        return false;
    const int oldSteps = m_stepsPerPage;
    m_zoomMode = mode;
    if (mode == kRptZoomPercent)
        m_zoomPercent = std::clamp(percent, kRptZoomMin, kRptZoomMax);
    m_layoutBusy = true;
    if (m_pageWnd.GetSafeHwnd())
        m_pageWnd.Relayout(false);
    m_layoutBusy = false;
    m_stepsPerPage = m_pageWnd.GetSafeHwnd() ? m_pageWnd.GetPageCount() : 1;
    const int step = m_pageWnd.GetSafeHwnd() ? m_pageWnd.GetScrollPage() : 0;
    m_currentPage = RemapPosition(m_currentPage, oldSteps, m_stepsPerPage, step);
    m_currentPage = std::clamp(m_currentPage, 0, std::max(0, GetPageSlotCount() - 1));
    return true;
}

int CSubViewReport::GetZoomPercent() const
{
    if (m_zoomMode != kRptZoomPercent && m_pageWnd.GetSafeHwnd())
        return m_pageWnd.GetPageWidthZoom();
    return m_zoomPercent;
}

void CSubViewReport::SetFacingPages(bool on)
{
    if (on == m_facingPages)
        return;
    const int mapped = Positions().MapFacing(m_currentPage, on);
    m_facingPages = on;
    m_currentPage = mapped;
    if (m_pageWnd.GetSafeHwnd())
        m_pageWnd.Relayout(false);
    m_form.UpdatePageInfo();
}

void CSubViewReport::GoToPage(int position)
{
    m_currentPage = position;
    if (!m_pageWnd.GetSafeHwnd())
        return;
    if (m_stepsPerPage > 1)
        m_pageWnd.ScrollToPage(position % m_stepsPerPage);
    m_pageWnd.Invalidate();
}

void CSubViewReport::GoToPageNumber(int page, bool relative)
{
    if (!m_report)
        return;
    if (relative)
        page -= GetFirstPageNumber();
    if (page < 0 || page >= m_report->GetPageCount())
        return;
    GoToPage(Positions().PositionOfPage(page));
    m_form.UpdatePageInfo();
}

void CSubViewReport::SyncPageLayout()
{
    if (!m_pageWnd.GetSafeHwnd())
        return;
    const int steps = m_pageWnd.GetPageCount();
    if (steps != m_stepsPerPage) {
        const int oldSteps = m_stepsPerPage;
        m_stepsPerPage = steps;
        m_currentPage = RemapPosition(m_currentPage, oldSteps, steps, m_pageWnd.GetScrollPage());
        m_currentPage = std::clamp(m_currentPage, 0, std::max(0, GetPageSlotCount() - 1));
    }
    m_form.UpdateScroll();
}

void CSubViewReport::OnPageLayoutChanged()
{
    if (!m_layoutBusy)
        SyncPageLayout();
}

void CSubViewReport::SyncCurrentPage()
{
    const int steps = std::max(1, m_stepsPerPage);
    m_currentPage = m_currentPage / steps * steps + m_pageWnd.GetScrollPage();
    m_form.UpdateScroll();
}

void CSubViewReport::MapHandlers()
{
    const auto has = [this] { return m_report != nullptr; };
    const auto enableIfReport = [has](CCmdUI* state) { state->Enable(has()); };
    MapCommand(ID_RPT_ZOOM_IN, [this] { m_form.ZoomIn(); });
    MapCommand(ID_RPT_ZOOM_OUT, [this] { m_form.ZoomOut(); });
    MapCommand(ID_RPT_REBUILD, [this] { m_form.OnRebuild(); });
    MapCommand(ID_RPT_RECORDS, [this] { m_form.OnRecords(); });
    MapCommand(ID_RPT_COPY_PAGE, [this] { CopyPage(); });
    MapCommand(ID_RPT_GO_TO_PAGE, [this] {
        if (!m_report || m_form.CheckReportEmpty())
            return;
        int left = -1, right = -1;
        GetSpreadPages(m_currentPage, left, right);
        CGoToPageDlg dialog(this);
        dialog.m_pageCount = m_report->GetPageCount();
        dialog.m_startPage = GetFirstPageNumber();
        dialog.m_number = GetFirstPageNumber() + std::max(0, left >= 0 ? left : right);
        dialog.m_totalText = text::Format("Total pages: %d", dialog.m_pageCount);
        dialog.m_startText = text::Format("First page number: %d", dialog.m_startPage);
        if (dialog.DoModal() != IDOK)
            return;
        if (dialog.m_bySequence)
            GoToPageNumber(dialog.m_number - 1, false);
        else
            GoToPageNumber(dialog.m_number, true);
    });
    for (UINT id : {ID_RPT_ZOOM_IN, ID_RPT_ZOOM_OUT, ID_RPT_REBUILD, ID_RPT_RECORDS,
                    ID_RPT_COPY_PAGE, ID_RPT_GO_TO_PAGE, ID_RPT_SAVE_HTML, ID_RPT_SAVE_RTF,
                    ID_RPT_SAVE_TEXT, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW})
        MapUpdate(id, enableIfReport);
    MapCommand(ID_RPT_OPTIONS, [this] {
        if (!m_report || m_report->IsBuilding())
            return;
        CRptOptsDlg sheet(*this, "Report Options", this, m_report->GetType(),
                          m_report->GetRecordType(), 0);
        sheet.DoModal();
    });
    MapUpdate(ID_RPT_OPTIONS, enableIfReport);
    MapCommand(ID_RPT_SAVE_CUSTOM, [this] { SaveCustomReport(); });
    MapUpdate(ID_RPT_SAVE_CUSTOM, enableIfReport);
    MapCommand(ID_RPT_SAVE_HTML, [this] { SaveReportAs(kRptHtml); });
    MapCommand(ID_RPT_SAVE_RTF, [this] { SaveReportAs(kRptRtf); });
    MapCommand(ID_RPT_SAVE_TEXT, [this] { SaveReportAs(kRptText); });
    MapCommand(ID_RPT_WHOLE_PAGE, [this] {
        if (SetZoom(kRptZoomWholePage))
            m_form.UpdatePageInfo();
    });
    MapCommand(ID_RPT_PAGE_WIDTH, [this] {
        if (SetZoom(kRptZoomPageWidth))
            m_form.UpdatePageInfo();
    });
    MapUpdate(ID_RPT_WHOLE_PAGE, [this, has](CCmdUI* state) {
        state->Enable(has());
        state->SetCheck(m_zoomMode == kRptZoomWholePage);
    });
    MapUpdate(ID_RPT_PAGE_WIDTH, [this, has](CCmdUI* state) {
        state->Enable(has());
        state->SetCheck(m_zoomMode == kRptZoomPageWidth);
    });
}

void CSubViewReport::SaveReportAs(int kind)
{
    if (!m_report || m_form.CheckReportEmpty())
        return;
    if (m_dataChanged) {
        MessageBox("Some of the data used by this report may have been changed since it was "
                   "created.  You must rebuild the report before saving it (click on the "
                   "'Rebuild Report' button).");
        return;
    }
    static constexpr const char* kExtensions[] = {"htm", "rtf", "txt"};
    static constexpr const char* kFilters[] = {
        "HTML Files (*.htm;*.html)|*.htm;*.html|All Files (*.*)|*.*||",
        "Rich Text Format Files (*.rtf)|*.rtf|All Files (*.*)|*.*||",
        "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"};
    const int index = std::clamp(kind, kRptHtml, kRptText) - kRptHtml;
    const std::string name = m_report->GetName() + "." + kExtensions[index];
    CRptSaveToFileDlg dialog(kExtensions[index], name.c_str(), kFilters[index], this);
    dialog.SetTitle("Save Report As");
    dialog.SetTextFile(kind == kRptText);
    if (dialog.DoModal() != IDOK)
        return;
    const std::string path = dialog.GetPathName();
    const RptExportOutcome exported = m_report->Export(path, kind, dialog.GetPageWidth());
    if (!exported.failure.empty())
        MessageBox(exported.failure,
                   MB_OK | (exported.stopped ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
    if (exported && dialog.ViewAfterSaving())
        ShellOpen(path);
}

void CSubViewReport::SaveCustomReport()
{
    if (!m_report)
        return;
    CSaveCustomReportDlg dialog(this);
    if (dialog.DoModal() == IDOK)
        SaveAsCustomReport(m_report->Settings(), dialog.m_name);
}

bool CSubViewReport::CopyPage()
{
    if (!m_report || m_form.CheckReportEmpty())
        return false;
    int left = -1, right = -1;
    GetSpreadPages(m_currentPage, left, right);
    const int page = left >= 0 ? left : right;
    const CRptPageLayout* layout = m_report->GetLayout();
    if (page < 0 || !layout || layout->Metrics().pageWidth <= 0)
        return false;
    // The page at 96 dots per inch: a tenth of a point is 96 / 720 of a pixel.
    const int width = layout->Metrics().pageWidth * 96 / 720;
    const int height = layout->Metrics().pageHeight * 96 / 720;
    return SetClipboardPicture(width, height, [&](CDC& dc) {
        CRptDcCanvas canvas(dc);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowOrg(0, 0);
        dc.SetWindowExt(layout->Metrics().pageWidth, layout->Metrics().pageHeight);
        dc.SetViewportOrg(0, 0);
        dc.SetViewportExt(width, height);
        m_report->PrintPage(canvas, page);
    });
}

BOOL CSubViewReport::CanPrint(BOOL preview)
{
    if (!m_report) {
        MessageBox("No report to print");
        return FALSE;
    }
    if (preview && !CSubView::CanPrint(TRUE))
        return FALSE;
    return m_report->CanPrint(preview != FALSE) ? TRUE : FALSE;
}

void CSubViewReport::OnFilePrintSetup()
{
    if (!m_report) {
        MessageBox("No report to print");
        return;
    }
    bool landscape = m_report->Settings().m_layout.m_landscape;
    if (!WindowPrintSetup(this, landscape))
        return;
    m_report->Settings().m_layout.m_landscape = landscape;
    if (IShellApp* shell = GetShellApp())
        shell->BroadcastUpdate(nullptr, kHintPrinterChanged, nullptr, FALSE);
    else
        Rebuild(false);
}

BOOL CSubViewReport::PreparePrinting(CPrintInfo* info)
{
    if (!m_report || !info || m_report->IsBuilding())
        return FALSE;
    int maxPage = 0;
    m_report->SetPrintPageRange(maxPage);
    info->SetMaxPage(UINT(std::max(0, maxPage)));
    if (CAppPrinter* printer = AppPrinter()) {
        printer->IsPrinterLandscape(&m_savedLandscape);
        printer->LoadPrinterDefaults(m_report->Settings().m_layout.m_landscape ? TRUE : FALSE);
    } else {
        info->GetPrinterSettings().LoadDefaults();
        info->GetPrinterSettings().SetOrientation(
            m_report->Settings().m_layout.m_landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
    }
    return TRUE;
}

void CSubViewReport::OnBeginPrinting(CDC* dc, CPrintInfo* info)
{
    m_printCanvas.reset();
    if (!m_report || !dc)
        return;
    // The printer chosen for the job may have rebuilt the report onto another page count.
    if (info)
        info->SetMaxPage(UINT(std::max(0, m_report->GetPageCount())));
    m_printCanvas = std::make_unique<CRptDcCanvas>(*dc);
    m_report->OnBeginPrinting();
    BeginWaitCursor();
}

void CSubViewReport::OnPrepareDC(CDC*, CPrintInfo* info)
{
    if (!m_report && info)
        info->m_bContinuePrinting = FALSE;
    else if (info && int(info->m_nCurPage) > m_report->GetPageCount())
        info->m_bContinuePrinting = FALSE;
}

void CSubViewReport::OnPrint(CDC* dc, CPrintInfo* info)
{
    if (!m_report || !dc || !info)
        return;
    CRptDcCanvas canvas(*dc);
    m_report->SetupMapping(canvas);
    if (!m_report->PrintCurrentPage(canvas, int(info->m_nCurPage)))
        info->m_bContinuePrinting = FALSE;
}

void CSubViewReport::OnEndPrinting(CDC*, CPrintInfo*)
{
    if (m_report)
        m_report->OnEndPrinting();
    m_printCanvas.reset();
    if (CAppPrinter* printer = AppPrinter())
        printer->LoadPrinterDefaults(m_savedLandscape ? TRUE : FALSE);
    EndWaitCursor();
}

void CSubViewReport::OnEndPrintPreview(CDC*, CPrintInfo*, POINT, CView*)
{
    if (m_report)
        m_report->OnEndPrintPreview();
}
