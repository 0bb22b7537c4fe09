// records/properties/properties_dlg_layout.cpp: the box's mini buttons, its small and large sizes,
// the labels' place and the caption.
#include "records/properties/properties_dlg.h"

#include "records/properties/record_page.h"
#include "records/properties/source_citation_pane.h"

#include "app/shell/shell_app.h"
#include "database/dictionary/field_def.h"
#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>

namespace {

/// The buttons are 19 pixels square with 16-pixel images, 2 pixels from the box's top.
constexpr int kButtonSize = 19, kButtonImage = 16, kButtonTop = 2, kButtonGroupGap = 5;
/// The labels keep this far from the tab area's sides.
constexpr int kLabelInset = 10, kLabelHeight = 16;

struct ButtonSpec {
    CUButton CPropertiesDlg::*button;
    UINT id;
    UINT bitmap;
    UINT second;
    DWORD flags;
    const char* tip;
};

} // namespace

void CPropertiesDlg::CreateButtons()
{
    static const ButtonSpec kButtons[] = {
        {&CPropertiesDlg::m_sizeButton, IDC_PROP_SIZE, 178, 179, 0, "Small/Large Mode"},
        {&CPropertiesDlg::m_followButton, IDC_PROP_FOLLOW, 180, 181, 0, "Pinned/Unpinned Mode"},
        {&CPropertiesDlg::m_gotoButton, IDC_PROP_GOTO, 196, 0, 0, "Go To Record"},
        {&CPropertiesDlg::m_sourcesButton, IDC_PROP_SOURCES, 301, 0, CUButton::kLatchable,
         "Show Sources"},
        {&CPropertiesDlg::m_forwardButton, IDC_PROP_FORWARD, 215, 0, 0, "Go Forward"},
        {&CPropertiesDlg::m_backButton, IDC_PROP_BACK, 216, 0, 0, "Go Back"},
    };
    for (const ButtonSpec& spec : kButtons) {
        CUButton& button = this->*spec.button;
        button.CreateButton(WS_CHILD | WS_VISIBLE, CRect(0, 0, kButtonSize, kButtonSize), this,
                            spec.id, this, kButtonImage, kButtonImage, spec.bitmap, 4, spec.flags,
                            spec.second);
        button.SetToolTipText(spec.tip);
    }
    m_sizeButton.SetAlternateBitmap(!m_large, true, false);
    m_followButton.SetAlternateBitmap(m_following, true, false);
}

void CPropertiesDlg::Layout()
{
    if (!m_initialised)
        return;
    const int paneWidth = m_pane ? CSourceCitationPane::GetTemplateWidth() : 0;
    const int height = m_smallHeight + (m_large ? m_largeDifference : 0);
    CTabCtrl* tabs = GetTabControl();
    CRect area;
    // The box grows as wide as it takes for the row of tabs to end before the buttons.
    for (int widening = 0, pass = 0; pass < 2; ++pass) {
        SetPageAreaSize(CSize(m_pageWidth + widening, height), paneWidth);
        if (!tabs)
            return;
        tabs->GetWindowRect(&area);
        ScreenToClient(&area);
        const int buttonsLeft = PlaceButtons(area.right);
        const int tabsRight = TabsRight();
        if (tabsRight + kButtonGroupGap <= buttonsLeft)
            break;
        widening = tabsRight + kButtonGroupGap - buttonsLeft;
    }
    const int top = (area.top + area.bottom - kLabelHeight) / 2;
    for (CStatic* label : {&m_noSelection, &m_multiple})
        label->MoveWindow(area.left + kLabelInset, top, area.Width() - 2 * kLabelInset,
                          kLabelHeight);
    if (m_pane && m_pane->GetSafeHwnd())
        m_pane->MoveWindow(area.right + 4, area.top, paneWidth - 8, area.Height());
    KeepOnScreen();
}

void CPropertiesDlg::KeepOnScreen()
{
    CRect box;
    GetWindowRect(&box);
    CRect area;
    GetWorkArea(box.TopLeft(), &area);
    const int dx = std::max(std::min(area.right - box.right, 0), std::min(area.left - box.left, 0));
    const int dy = std::max(std::min(area.bottom - box.bottom, 0), std::min(area.top - box.top, 0));
    if (dx == 0 && dy == 0)
        return;
    box.OffsetRect(dx, dy);
    MoveWindow(box);
}

int CPropertiesDlg::PlaceButtons(int right)
{
    const auto place = [&](CUButton& button) {
        button.MoveWindow(right - kButtonSize, kButtonTop, kButtonSize, kButtonSize);
        right -= kButtonSize;
    };
    place(m_sizeButton);
    place(m_followButton);
    place(m_gotoButton);
    if (!m_large)
        return right;
    right -= kButtonGroupGap;
    place(m_forwardButton);
    place(m_backButton);
    place(m_sourcesButton);
    return right;
}

int CPropertiesDlg::TabsRight() const
{
    CTabCtrl* tabs = GetTabControl();
    CRect last;
    if (!tabs || !tabs->GetItemRect(tabs->GetItemCount() - 1, &last))
        return 0;
    tabs->ClientToScreen(&last);
    ScreenToClient(&last);
    return last.right;
}

void CPropertiesDlg::UpdateButtons()
{
    if (!m_initialised || !GetSafeHwnd())
        return;
    m_backButton.EnableWindow(m_history.CanGoBack());
    m_forwardButton.EnableWindow(m_history.CanGoForward());
    m_gotoButton.EnableWindow(m_record != nullptr);
    for (CUButton* button : {&m_backButton, &m_forwardButton, &m_sourcesButton})
        button->ShowWindow(m_large ? SW_SHOW : SW_HIDE);
}

void CPropertiesDlg::SetLargeMode(bool large)
{
    CommitFocusedControl();
    if (!large)
        ShowSources(false);
    m_large = large;
    m_sizeButton.SetAlternateBitmap(!large, true, false);
    const int active = GetActiveIndex();
    if (CRecordPage* page = GetRecordPage(active))
        page->SetLargeMode(large);
    Layout();
    for (int i = 0; i < GetPageCount(); ++i) {
        CRecordPage* page = GetRecordPage(i);
        if (page && i != active)
            page->SetLargeMode(large);
    }
    UpdateButtons();
}

void CPropertiesDlg::SetPinned(bool follow)
{
    if (follow == m_following)
        return;
    m_following = follow;
    if (m_followButton.GetSafeHwnd())
        m_followButton.SetAlternateBitmap(follow, true, false);
}

void CPropertiesDlg::OnButtonClicked(CUButton* button)
{
    CommitFocusedControl();
    switch (button->GetDlgCtrlID()) {
    case IDC_PROP_SIZE:
        SetLargeMode(!m_large);
        break;
    case IDC_PROP_FOLLOW:
        SetPinned(!m_following);
        break;
    case IDC_PROP_GOTO:
        if (m_record)
            if (IShellApp* app = GetShellApp())
                app->ShowRecordInRecordsWindow(m_record, TRUE);
        break;
    case IDC_PROP_BACK:
        GoHistory(-1);
        break;
    case IDC_PROP_FORWARD:
        GoHistory(1);
        break;
    case IDC_PROP_SOURCES:
        ShowSources(m_sourcesButton.GetState() == CUButton::kLatched);
        break;
    default:
        break;
    }
}

void CPropertiesDlg::ShowSources(bool open)
{
    if (!open) {
        if (m_sourcesButton.GetSafeHwnd())
            m_sourcesButton.SetLatched(false);
        if (m_pane) {
            m_pane.reset();
            Layout();
        }
        return;
    }
    if (m_pane || !m_initialised)
        return;
    if (!m_large)
        SetLargeMode(true);
    auto pane = std::make_unique<CSourceCitationPane>(*this);
    const int width = CSourceCitationPane::GetTemplateWidth();
    SetPageAreaSize(CSize(m_pageWidth, m_smallHeight + (m_large ? m_largeDifference : 0)), width);
    CRect area;
    GetTabControl()->GetWindowRect(&area);
    ScreenToClient(&area);
    CRect client;
    GetClientRect(&client);
    const CRect place(area.right + 4, area.top, client.right - 4, area.bottom);
    if (!pane->CreatePane(place, IDC_PROP_SOURCES_PANE)) {
        m_sourcesButton.SetLatched(false);
        Layout();
        return;
    }
    m_pane = std::move(pane);
    Layout();
    m_pane->SetCurrentField(m_record);
    m_sourcesButton.SetLatched(true);
}

void CPropertiesDlg::PointPane(CDataNode* node)
{
    if (m_pane)
        m_pane->SetCurrentField(node);
}

CDataCtl* CPropertiesDlg::FindFocusedControl(CRecordPage*& page) const
{
    page = GetRecordPage(GetActiveIndex());
    if (!page || !GetSafeHwnd())
        return nullptr;
    for (CWnd* wnd = CWnd::GetFocus(); wnd && wnd != this; wnd = wnd->GetParent()) {
        if (m_pane && wnd == m_pane.get())
            return nullptr;
        if (auto* control = dynamic_cast<CDataCtl*>(wnd))
            return control->GetOwner() == static_cast<IDataCtlOwner*>(page) &&
                           !control->IsDestroying()
                       ? control
                       : nullptr;
    }
    return nullptr;
}

void CPropertiesDlg::SyncSourcesPane()
{
    CRecordPage* page = nullptr;
    CDataCtl* control = FindFocusedControl(page);
    if (m_pane && page && control)
        m_pane->SelectField(page->GetNodeForControl(control));
}

void CPropertiesDlg::OnFocusMoved(CDataCtl* control, CWnd* newFocus)
{
    if (!m_pane || !newFocus)
        return;
    bool intoPane = false;
    for (CWnd* wnd = newFocus; wnd && !intoPane; wnd = wnd->GetParent())
        intoPane = wnd == m_pane.get();
    CRecordPage* page = GetRecordPage(GetActiveIndex());
    if (intoPane && page)
        m_pane->SelectField(page->GetNodeForControl(control));
}

std::string CPropertiesDlg::MakeCaption() const
{
    if (!m_type)
        return "Record Properties";
    const int list = GetRecordTypeIndex(m_type);
    if (list == RECORD_LIST_HEAD)
        return "Header Record";
    if (list == RECORD_LIST_SUBN)
        return "Submission Record";
    if (!m_record)
        return "New " + m_type->GetLabel() + " Record";
    std::string text;
    m_record->GetText(text, 0);
    return m_type->GetLabel() + ": " + text;
}

void CPropertiesDlg::UpdateCaption()
{
    if (!GetSafeHwnd())
        return;
    const std::string caption = MakeCaption();
    std::string current;
    GetWindowText(current);
    if (caption != current)
        SetTitle(caption.c_str());
}
