// reports/window/rpt_control_form.cpp: the control form's page information, zoom, records list
// and buttons.
#include "reports/window/rpt_control_form.h"

#include "reports/rpt_gen.h"
#include "reports/window/rpt_services.h"
#include "reports/window/rpt_view_math.h"
#include "reports/window/rpt_window_ids.h"
#include "reports/window/sub_view_report.h"

#include "database/nodes/change_hint.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/dialogs/spin_button_ctrl.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/frames/menu.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array kZoomTexts = {"500%", "200%", "150%", "100%",       "75%",
                                   "50%",  "25%",  "10%",  "Page Width", "Whole Page"};
/// The buttons below the records list, hidden from the last when the form is short.
constexpr std::array kLowerButtons = {IDC_RPT_COPY,  IDC_RPT_GO_TO, IDC_RPT_PRINT,
                                      IDC_RPT_SETUP, IDC_RPT_SAVE,  IDC_RPT_CLOSE};
constexpr int kGap = 4;

std::function<void(CRecordNode*)>& RecordOpener()
{
    static std::function<void(CRecordNode*)> opener;
    return opener;
}

std::string RecordText(const CRecordNode& record)
{
    std::string text;
    record.GetText(text, 0);
    return text;
}

template <class Control> Control* Item(const CDialog& form, int id)
{
    return dynamic_cast<Control*>(form.GetDlgItem(id));
}

} // namespace

CRptControlForm::CRptControlForm(CSubViewReport& view) : m_view(view) {}

CRptControlForm::~CRptControlForm() = default;

void CRptControlForm::SetRecordOpener(std::function<void(CRecordNode*)> opener)
{
    RecordOpener() = std::move(opener);
}

bool CRptControlForm::HasRecordOpener()
{
    return bool(RecordOpener());
}

BOOL CRptControlForm::Create(CWnd* parent)
{
    return CDialog::Create(IDD_RPT_CONTROL_FORM, parent);
}

BOOL CRptControlForm::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* zoom = Item<CComboBox>(*this, IDC_RPT_ZOOM)) {
        for (const char* text : kZoomTexts)
            zoom->AddString(text);
        zoom->SetCurSel(8);
    }
    if (CWnd* place = GetDlgItem(IDC_RPT_LIST_PLACE)) {
        place->GetWindowRect(&m_listRect);
        ScreenToClient(&m_listRect);
    }
    if (m_list.Create(0, 0, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, m_listRect, this,
                      IDC_RPT_LIST, this, 0, 0)) {
        // One column, far wider than the list, so that long names scroll rather than wrap.
        CRect client;
        m_list.GetClientRect(&client);
        const int edges[] = {10 * client.Width()};
        m_list.SetColumns("Records on this page\t", 2, 1, edges);
    }
    return TRUE;
}

void CRptControlForm::UpdatePageInfo()
{
    if (!GetSafeHwnd())
        return;
    UpdateScroll();
    SetDlgItemText(IDC_RPT_PAGE_CAPTION, m_view.IsFacingPages() ? "Pages:" : "Page:");
    CheckDlgButton(IDC_RPT_TWO_PAGES, m_view.IsFacingPages() ? 1 : 0);
    UpdatePageLabel();
    const CRptGen* report = m_view.GetReport();
    const bool list = report && report->GetType() == kRptTypeList;
    SetDlgItemText(IDC_RPT_RECORDS, list ? "List..." : "Records...");
    if (m_list.GetSafeHwnd())
        m_list.ShowWindow(list ? SW_HIDE : SW_SHOW);
    UpdateZoomText();
}

void CRptControlForm::UpdateScroll()
{
    if (!GetSafeHwnd())
        return;
    const int positions = m_view.GetPageSlotCount();
    const int steps = std::max(1, m_view.GetStepsPerPage());
    auto* bar = Item<CScrollBar>(*this, IDC_RPT_SCROLL);
    auto* spin = Item<CSpinButtonCtrl>(*this, IDC_RPT_SPIN);
    const CRptGen* report = m_view.GetReport();
    if (positions <= 0) {
        if (bar) {
            bar->SetScrollRange(0, 0, TRUE);
            bar->EnableWindow(FALSE);
        }
        if (spin)
            spin->EnableWindow(FALSE);
        SetDlgItemText(IDC_RPT_PAGE, "none");
        SetDlgItemText(IDC_RPT_TOTAL, "0");
        return;
    }
    if (bar) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = positions - 1;
        info.nPage = 1;
        info.nPos = m_view.GetCurrentPage();
        bar->SetScrollInfo(&info, TRUE);
        bar->EnableWindow(positions > 1);
    }
    SetDlgItemText(IDC_RPT_TOTAL, text::Format("%d", report ? report->GetPageCount() : 0));
    if (spin) {
        const int screens = positions / steps;
        spin->SetRange(0, std::max(0, screens - 1));
        spin->SetPos(m_view.GetCurrentPage() / steps);
        // Only a report without pages greys the spinner; the bar needs two positions.
        spin->EnableWindow(TRUE);
    }
}

void CRptControlForm::UpdatePageLabel()
{
    if (!GetSafeHwnd())
        return;
    int left = -1, right = -1;
    m_view.GetSpreadPages(m_view.GetCurrentPage(), left, right);
    const int first = m_view.GetFirstPageNumber();
    std::string label;
    if (left >= 0 && right >= 0)
        label = text::Format("%d-%d", left + first, right + first);
    else if (left >= 0 || right >= 0)
        label = text::Format("%d", std::max(left, right) + first);
    else if (m_view.GetPageSlotCount() == 0)
        label = "none";
    SetDlgItemText(IDC_RPT_PAGE, label);
}

void CRptControlForm::UpdateZoomText()
{
    if (auto* zoom = Item<CComboBox>(*this, IDC_RPT_ZOOM)) {
        const int mode = m_view.GetZoomMode();
        const std::string textShown = mode == kRptZoomPageWidth ? "Page Width"
                                      : mode == kRptZoomWholePage
                                          ? "Whole Page"
                                          : text::Format("%d%%", m_view.GetZoomPercent());
        const int index = zoom->FindStringExact(-1, textShown.c_str());
        if (index >= 0)
            zoom->SetCurSel(index);
        else {
            zoom->SetCurSel(-1);
            zoom->SetWindowText(textShown);
        }
    }
    RefillRecords();
}

void CRptControlForm::RefillRecords()
{
    m_records.clear();
    ShowRecords();
    const CRptGen* report = m_view.GetReport();
    if (!report || report->GetType() == kRptTypeList || report->IsBuilding())
        return;
    int left = -1, right = -1;
    m_view.GetSpreadPages(m_view.GetCurrentPage(), left, right);
    const int first = left >= 0 ? left : right;
    const int last = std::max(left, right);
    if (first < 0)
        return;
    const auto& entries = report->Entries();
    // The entry running onto the first page shown counts too: the last one starting before it.
    std::size_t begin = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int start = entries[i]->m_startPage;
        if (start >= 0 && start <= first)
            begin = i;
    }
    for (std::size_t i = begin; i < entries.size(); ++i) {
        const int start = entries[i]->m_startPage;
        if (start < 0 || start > last)
            break;
        CRecordNode* record =
            entries[i]->m_kind == kRptRowRecord ? entries[i]->GetRecord() : nullptr;
        if (!record)
            continue;
        m_records.push_back(record);
    }
    ShowRecords();
    if (CTreeBoxNode* first = m_list.GetSafeHwnd() ? m_list.GetBox().GetItemByIndex(0) : nullptr)
        m_list.GetBox().SetFocusItem(first, true);
}

void CRptControlForm::ShowRecords()
{
    if (!m_list.GetSafeHwnd())
        return;
    CTreeBox& box = m_list.GetBox();
    box.DeleteAllItems();
    for (std::size_t i = 0; i < m_records.size(); ++i)
        box.AppendRow({.text = RecordText(*m_records[i]), .data = i});
    box.ShowAppendedRows();
}

CRecordNode* CRptControlForm::GetSelectedRecord() const
{
    auto& list = const_cast<CColBox&>(m_list);
    if (!list.GetSafeHwnd() || !list.IsWindowVisible())
        return nullptr;
    const CTreeBoxNode* row = list.GetSelectedRow();
    return row && row->m_data < m_records.size() ? m_records[row->m_data] : nullptr;
}

bool CRptControlForm::OnDoubleClick(CColBox*, CTreeBoxNode*, int)
{
    if (RecordOpener())
        if (CRecordNode* record = GetSelectedRecord())
            RecordOpener()(record);
    return true;
}

bool CRptControlForm::CheckReportEmpty()
{
    const CRptGen* report = m_view.GetReport();
    if (report && !report->Entries().empty())
        return false;
    MessageBox("The current report is empty.  Please select one or more records to appear in "
               "the report (click on the 'Records' button).");
    return true;
}

void CRptControlForm::OnRecordsChanged(LPARAM hint, CObject* object)
{
    if (hint == kHintRecordsEdited) {
        const auto gone =
            std::remove_if(m_records.begin(), m_records.end(),
                           [](CRecordNode* record) { return record->IsPendingDeletion(); });
        if (gone != m_records.end()) {
            m_records.erase(gone, m_records.end());
            ShowRecords();
        }
        if (object && std::find(m_records.begin(), m_records.end(), object) != m_records.end())
            m_view.GetPageWnd().Invalidate();
    } else if (hint == kHintDataSetClearing || hint == kHintFileLoaded) {
        m_records.clear();
        ShowRecords();
    }
}

void CRptControlForm::ApplyZoomText(const std::string& typed)
{
    int mode = kRptZoomPercent, percent = m_view.GetZoomPercent();
    if (ParseZoomText(typed, mode, percent))
        m_view.SetZoom(mode, percent);
    UpdatePageInfo();
}

void CRptControlForm::ZoomIn()
{
    if (m_view.GetReport() &&
        m_view.SetZoom(kRptZoomPercent, ZoomInPercent(m_view.GetZoomPercent())))
        UpdatePageInfo();
}

void CRptControlForm::ZoomOut()
{
    if (m_view.GetReport() &&
        m_view.SetZoom(kRptZoomPercent, ZoomOutPercent(m_view.GetZoomPercent())))
        UpdatePageInfo();
}

void CRptControlForm::OnRebuild()
{
    if (m_view.GetReport() && !CheckReportEmpty())
        m_view.Rebuild(false);
}

void CRptControlForm::OnRecords()
{
    CRptGen* report = m_view.GetReport();
    CRptDialogSelector selector;
    if (report && !report->IsBuilding() && report->SelectRecords(selector))
        m_view.Rebuild(false);
}

void CRptControlForm::OnSaveReportAs()
{
    if (!m_view.GetReport() || CheckReportEmpty())
        return;
    if (m_view.IsDataChanged()) {
        MessageBox("Some of the data used by this report may have been changed since it was "
                   "created.  You must rebuild the report before saving it (click on the "
                   "'Rebuild Report' button).");
        return;
    }
    CMenu popup;
    if (!popup.CreatePopupMenu())
        return;
    popup.AppendMenu(MF_STRING, ID_RPT_POPUP_HTML, "HTML File...");
    popup.AppendMenu(MF_STRING, ID_RPT_POPUP_RTF, "Rich Text Format File...");
    popup.AppendMenu(MF_STRING, ID_RPT_POPUP_TEXT, "Text File...");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, ID_RPT_POPUP_CUSTOM, "Custom Report...");
    CRect button;
    if (CWnd* save = GetDlgItem(IDC_RPT_SAVE))
        save->GetWindowRect(&button);
    const UINT chosen = UINT(popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY,
                                                  button.left, button.bottom, this));
    if (chosen >= ID_RPT_POPUP_HTML && chosen <= ID_RPT_POPUP_TEXT)
        m_view.SaveReportAs(int(chosen - ID_RPT_POPUP_HTML) + 1);
    else if (chosen == ID_RPT_POPUP_CUSTOM)
        m_view.SaveCustomReport();
}

BOOL CRptControlForm::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = int(LOWORD(wParam));
    const UINT code = HIWORD(wParam);
    const auto forward = [this](UINT command) { m_view.SendMessage(WM_COMMAND, command, 0); };
    switch (id) {
    case IDC_RPT_ZOOM:
        if (code == CBN_SELCHANGE) {
            if (auto* zoom = Item<CComboBox>(*this, IDC_RPT_ZOOM); zoom && zoom->GetCurSel() >= 0) {
                std::string chosen;
                zoom->GetLBText(zoom->GetCurSel(), chosen);
                ApplyZoomText(chosen);
            }
        }
        return TRUE;
    case IDC_RPT_TWO_PAGES:
        if (code == BN_CLICKED && m_view.GetReport()) {
            m_view.SetFacingPages(IsDlgButtonChecked(IDC_RPT_TWO_PAGES) != 0);
            UpdatePageInfo();
        } else if (code == BN_CLICKED) {
            CheckDlgButton(IDC_RPT_TWO_PAGES, 0);
        }
        return TRUE;
    case IDC_RPT_ZOOM_IN:
        ZoomIn();
        return TRUE;
    case IDC_RPT_ZOOM_OUT:
        ZoomOut();
        return TRUE;
    case IDC_RPT_REBUILD:
        OnRebuild();
        return TRUE;
    case IDC_RPT_RECORDS:
        OnRecords();
        return TRUE;
    case IDC_RPT_SAVE:
        OnSaveReportAs();
        return TRUE;
    case IDC_RPT_COPY:
        forward(ID_RPT_COPY_PAGE);
        return TRUE;
    case IDC_RPT_GO_TO:
        forward(ID_RPT_GO_TO_PAGE);
        return TRUE;
    case IDC_RPT_OPTIONS:
        forward(ID_RPT_OPTIONS);
        return TRUE;
    case IDC_RPT_PRINT:
        if (CWnd* owner = m_view.GetParent())
            owner->SendMessage(WM_COMMAND, ID_FILE_PRINT, 0);
        return TRUE;
    case IDC_RPT_SETUP:
        m_view.OnFilePrintSetup();
        return TRUE;
    case IDC_RPT_CLOSE:
        if (CWnd* frame = GetParentFrame(&m_view))
            frame->PostMessage(WM_CLOSE, 0, 0);
        return TRUE;
    default:
        break;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CRptControlForm::OnOK()
{
    std::string typed;
    GetDlgItemText(IDC_RPT_ZOOM, typed);
    ApplyZoomText(typed);
}

void CRptControlForm::OnCancel() {}

void CRptControlForm::OnVScroll(UINT code, UINT pos, CScrollBar* bar)
{
    if (bar && bar == GetDlgItem(IDC_RPT_SCROLL))
        OnPageScroll(code, pos);
    else
        CDialog::OnVScroll(code, pos, bar);
}

void CRptControlForm::OnPageScroll(UINT code, UINT pos)
{
    const int positions = m_view.GetPageSlotCount();
    if (positions <= 0)
        return;
    int at = m_view.GetCurrentPage();
    switch (code) {
    case SB_LINEUP:
    case SB_PAGEUP:
        --at;
        break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
        ++at;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        at = int(pos);
        break;
    case SB_TOP:
        at = 0;
        break;
    case SB_BOTTOM:
        at = positions - 1;
        break;
    case SB_ENDSCROLL:
        RefillRecords();
        return;
    default:
        return;
    }
    at = std::clamp(at, 0, positions - 1);
    if (auto* bar = Item<CScrollBar>(*this, IDC_RPT_SCROLL))
        bar->SetScrollPos(at, TRUE);
    m_view.GoToPage(at);
    UpdatePageLabel();
    if (auto* spin = Item<CSpinButtonCtrl>(*this, IDC_RPT_SPIN))
        spin->SetPos(at / std::max(1, m_view.GetStepsPerPage()));
}

void CRptControlForm::OnHScroll(UINT code, UINT pos, CScrollBar* bar)
{
    if (code == SB_THUMBPOSITION)
        OnSpin(int(short(pos)));
    else
        CDialog::OnHScroll(code, pos, bar);
}

void CRptControlForm::OnSpin(int screen)
{
    const int positions = m_view.GetPageSlotCount();
    const int steps = std::max(1, m_view.GetStepsPerPage());
    if (positions <= 0)
        return;
    const int current = m_view.GetCurrentPage();
    int next = current % steps + steps * screen;
    if (next >= positions)
        next -= steps;
    if (next < 0)
        next += steps;
    next = std::clamp(next, 0, positions - 1);
    if (next == current)
        return;
    m_view.GoToPage(next);
    UpdateScroll();
    UpdatePageLabel();
    RefillRecords();
}

void CRptControlForm::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (GetDlgItem(IDC_RPT_CLOSE))
        LayoutButtons(cy);
}

void CRptControlForm::LayoutButtons(int height)
{
    CWnd* list = m_list.GetSafeHwnd() ? &m_list : nullptr;
    if (!list || m_listRect.IsRectEmpty())
        return;
    if (CWnd* bar = GetDlgItem(IDC_RPT_SCROLL)) {
        CRect rect;
        bar->GetWindowRect(&rect);
        ScreenToClient(&rect);
        bar->MoveWindow(rect.left, 0, rect.Width(), std::max(0, height));
    }
    // The buttons keep their template places; those that pass the form's bottom are hidden,
    // Close first, and the list ends above the form's bottom when it passes it too.
    std::size_t shown = kLowerButtons.size();
    for (std::size_t i = kLowerButtons.size(); i-- > 0;) {
        CWnd* button = GetDlgItem(kLowerButtons[i]);
        if (!button)
            continue;
        CRect place;
        button->GetWindowRect(&place);
        ScreenToClient(&place);
        if (place.bottom > height)
            shown = i;
    }
    for (std::size_t i = 0; i < kLowerButtons.size(); ++i)
        if (CWnd* button = GetDlgItem(kLowerButtons[i]))
            button->ShowWindow(i < shown ? SW_SHOW : SW_HIDE);
    CRect listRect = m_listRect;
    listRect.bottom = std::max(listRect.top, std::min(listRect.bottom, height - kGap));
    list->MoveWindow(listRect, TRUE);
}
