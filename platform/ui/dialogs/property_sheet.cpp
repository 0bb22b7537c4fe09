// platform/ui/dialogs/property_sheet.cpp: making the sheet's window, its tab control, page area and
// buttons, running it, and its commands and keys.
#include "platform/ui/dialogs/property_sheet.h"

#include "platform/base/prompt.h"
#include "platform/ui/detail/control_widget.h"
#include "platform/ui/detail/dialog_drivers.h"
#include "platform/ui/detail/dialog_widget.h"
#include "platform/ui/detail/font_mapper.h"
#include "platform/ui/detail/modal_run.h"
#include "platform/ui/detail/widget_windows.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/property_page.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/app.h"

#include <algorithm>
#include <cstring>

namespace {

/// Layout in dialog units: the margin round the sheet, a button's size and the gap between
/// buttons.
constexpr int kMargin = 7, kButtonWidth = 50, kButtonHeight = 14, kButtonGap = 4;

struct ButtonSpec {
    UINT id;
    const char* text;
};

constexpr ButtonSpec kSheetButtons[] = {
    {IDOK, "OK"}, {IDCANCEL, "Cancel"}, {ID_APPLY_NOW, "&Apply"}};
constexpr ButtonSpec kWizardButtons[] = {{ID_WIZBACK, "< &Back"},
                                         {ID_WIZNEXT, "&Next >"},
                                         {ID_WIZFINISH, "Finish"},
                                         {IDCANCEL, "Cancel"}};

QWidget* OwnerWidget(CWnd* parent)
{
    if (QWidget* widget = ui_detail::WidgetOf(parent))
        return widget->window();
    QWidget* main = ui_detail::WidgetOf(AfxGetMainWnd());
    return main ? main->window() : nullptr;
}

/// The font of the first page's template, else the usual dialog font.
LOGFONT SheetFont(const std::vector<CPropertyPage*>& pages)
{
    const CDialogTemplate* first =
        pages.empty() ? nullptr : AppResources().FindDialog(pages.front()->GetTemplateId());
    if (first)
        return first->GetFont();
    CDialogTemplate usual;
    usual.m_pointSize = 8;
    usual.m_faceName = "MS Sans Serif";
    return usual.GetFont();
}

/// The size of the largest page template, in pixels.
CSize PageArea(const std::vector<CPropertyPage*>& pages)
{
    CSize area(0, 0);
    for (const CPropertyPage* page : pages) {
        const CDialogTemplate* dialog = AppResources().FindDialog(page->GetTemplateId());
        if (!dialog)
            continue;
        RECT size{0, 0, dialog->m_cx, dialog->m_cy};
        MapDialogRect(GetDialogBaseUnits(dialog->GetFont()), size);
        area.cx = std::max<int>(area.cx, size.right);
        area.cy = std::max<int>(area.cy, size.bottom);
    }
    return area;
}

} // namespace

CPropertySheet::CPropertySheet(const char* caption, CWnd* parent, UINT selectPage)
    : m_title(caption ? caption : ""), m_parent(parent), m_startPage(int(selectPage))
{
}

CPropertySheet::~CPropertySheet()
{
    if (GetSafeHwnd())
        DestroyWindow();
    for (CPropertyPage* page : m_pages)
        page->m_sheet = nullptr;
}

int CPropertySheet::DoModal()
{
    if (GetSafeHwnd() || m_pages.empty())
        return -1;
    m_modal = std::make_unique<ui_detail::ModalRun>();
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    if (!CreateSheet(m_parent, style, 0)) {
        m_modal.reset();
        return -1;
    }
    auto* dialog = static_cast<ui_detail::DialogWidget*>(ui_detail::WidgetOf(this));
    const int result = m_modal->Run(
        *dialog,
        [this] {
            const ui_detail::hooks::SheetDriver driver = ui_detail::hooks::TakeSheetDriver();
            if (!driver)
                return false;
            driver(*this);
            return true;
        },
        "The property sheet \"" + m_title + "\"");
    DestroyWindow();
    m_modal.reset();
    return result;
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD exStyle)
{
    if (GetSafeHwnd())
        return FALSE;
    const bool standard = style == DWORD(-1);
    const DWORD used = standard ? WS_POPUP | WS_CAPTION | WS_SYSMENU : style;
    if (!CreateSheet(parent, used, exStyle))
        return FALSE;
    if (standard || (style & WS_VISIBLE))
        ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CPropertySheet::CreateSheet(CWnd* parent, DWORD style, DWORD exStyle)
{
    const LOGFONT font = SheetFont(m_pages);
    m_baseUnits = GetDialogBaseUnits(font);
    QWidget* owner = OwnerWidget(parent);
    auto* dialog = new ui_detail::DialogWidget(owner);
    dialog->setFont(ui_detail::FontFromLogFont(font));
    dialog->m_onKey = [dialog](UINT vk) {
        ui_detail::WithWnd<CPropertySheet>(dialog, [vk](CPropertySheet& wnd) { wnd.Key(vk); });
        return true;
    };
    ui_detail::CreateArgs args;
    args.style = style & ~WS_VISIBLE;
    args.exStyle = exStyle;
    args.windowName = m_title.c_str();
    args.parent = parent;
    if (!ui_detail::CreateOver(*this, dialog, args))
        return FALSE;
    m_tabs = std::make_unique<CTabCtrl>();
    m_tabs->Create(WS_CHILD | WS_TABSTOP | (m_wizard ? 0 : WS_VISIBLE), CRect(), this,
                   AFX_IDC_TAB_CONTROL);
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        m_tabs->InsertItem(int(i), m_pages[i]->GetCaption().c_str());
    ui_detail::MakePageStack(*dialog); // above the tab control
    if (m_modal)
        CreateButtons();
    Place();
    ui_detail::CentreOver(*dialog, owner);
    const int start = std::clamp(m_startPage, 0, int(m_pages.size()) - 1);
    if (!m_pages.empty() && !Activate(start, false)) {
        DestroyWindow();
        return FALSE;
    }
    if (m_wizard)
        SetWizardButtons(m_wizardButtons);
    if (CPropertyPage* page = GetActivePage())
        page->SetInitialFocus();
    SendMessage(WM_INITDIALOG);
    return GetSafeHwnd() != nullptr;
}

void CPropertySheet::CreateButtons()
{
    const auto make = [this](const ButtonSpec& spec, DWORD extra) {
        auto button = std::make_unique<CButton>();
        button->Create(spec.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | extra, CRect(), this,
                       spec.id);
        m_buttons.push_back(std::move(button));
    };
    if (m_wizard) {
        for (const ButtonSpec& spec : kWizardButtons)
            make(spec, spec.id == ID_WIZNEXT ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        return;
    }
    for (const ButtonSpec& spec : kSheetButtons)
        make(spec, spec.id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    Button(ID_APPLY_NOW)->EnableWindow(FALSE);
}

void CPropertySheet::Place()
{
    const int marginX = kMargin * m_baseUnits.cx / 4, marginY = kMargin * m_baseUnits.cy / 8;
    const CSize area = m_areaOverride.cx > 0 ? m_areaOverride : PageArea(m_pages);
    CRect display(marginX, marginY, marginX + area.cx, marginY + area.cy);
    CRect body = display;
    if (!m_wizard) {
        CRect tabs(0, 0, area.cx, area.cy);
        m_tabs->AdjustRect(TRUE, &tabs);
        tabs.OffsetRect(marginX - tabs.left, marginY - tabs.top);
        m_tabs->MoveWindow(tabs);
        display = tabs;
        m_tabs->AdjustRect(FALSE, &display);
        body = tabs;
    }
    ui_detail::PageStackOf(this)->setGeometry(display.left, display.top, display.Width(),
                                              display.Height());
    int bottom = body.bottom;
    if (!m_buttons.empty()) {
        const int width = kButtonWidth * m_baseUnits.cx / 4,
                  height = kButtonHeight * m_baseUnits.cy / 8;
        const int gap = kButtonGap * m_baseUnits.cx / 4;
        const int top = body.bottom + marginY;
        int right = body.right;
        for (auto it = m_buttons.rbegin(); it != m_buttons.rend(); ++it) {
            const UINT id = UINT((*it)->GetDlgCtrlID());
            if (id == ID_WIZNEXT) // Finish takes Next's place; Back sits against them
                right += width + gap;
            (*it)->MoveWindow(right - width, top, width, height);
            right -= width + (id == ID_WIZNEXT ? 0 : gap);
        }
        bottom = top + height;
    }
    ui_detail::WidgetOf(this)->setFixedSize(body.right + marginX + m_extraWidth, bottom + marginY);
}

void CPropertySheet::SetPageAreaSize(CSize area, int extraWidth)
{
    m_areaOverride = area;
    m_extraWidth = std::max(0, extraWidth);
    if (GetSafeHwnd())
        Place();
}

void CPropertySheet::Key(UINT vk)
{
    if (vk == VK_F1) { // the sheet's help, as a dialog's: never its Cancel
        SendMessage(WM_COMMAND, MAKEWPARAM(WORD(ID_HELP), BN_CLICKED), 0);
        return;
    }
    if (!m_modal && vk == VK_RETURN) // a modeless sheet has no default button
        return;
    UINT id = IDCANCEL;
    if (vk == VK_RETURN) {
        const CButton* next = Button(ID_WIZNEXT);
        id = !m_wizard ? UINT(IDOK) : next && next->IsWindowVisible() ? ID_WIZNEXT : ID_WIZFINISH;
    }
    CButton* button = Button(id);
    if (m_modal && (!button || !button->IsWindowEnabled() || !button->IsWindowVisible()))
        return;
    SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED), LPARAM(button));
}

BOOL CPropertySheet::PressButton(int button)
{
    static constexpr UINT kIds[] = {ID_WIZBACK, ID_WIZNEXT,   ID_WIZFINISH,
                                    IDOK,       ID_APPLY_NOW, IDCANCEL};
    if (button < 0 || button >= int(std::size(kIds)) || !GetSafeHwnd())
        return FALSE;
    const UINT id = kIds[button];
    SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED), LPARAM(Button(id)));
    return TRUE;
}

void CPropertySheet::EndDialog(int result)
{
    if (m_modal)
        m_modal->End(result);
    else
        DestroyWindow();
}

void CPropertySheet::SetTitle(const char* title)
{
    m_title = title ? title : "";
    if (GetSafeHwnd())
        SetWindowText(m_title);
}

BOOL CPropertySheet::OnInitDialog()
{
    return TRUE;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    if (lParam && HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        if (ApplyPages())
            EndDialog(IDOK);
        return TRUE;
    case ID_APPLY_NOW:
        ApplyPages();
        return TRUE;
    case IDCANCEL:
        CancelPages();
        EndDialog(IDCANCEL);
        return TRUE;
    case ID_WIZBACK:
        WizardStep(false);
        return TRUE;
    case ID_WIZNEXT:
        WizardStep(true);
        return TRUE;
    case ID_WIZFINISH:
        Finish();
        return TRUE;
    case ID_HELP:
        if (CWnd* main = AfxGetMainWnd(); main && main != this)
            main->SendMessage(WM_COMMAND, ID_HELP);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || !m_tabs || header->hwndFrom != m_tabs.get())
        return CWnd::OnNotify(wParam, lParam, result);
    if (header->code == TCN_SELCHANGING) {
        CPropertyPage* page = GetActivePage();
        *result = page && !page->OnKillActive() ? 1 : 0;
        return TRUE;
    }
    if (header->code == TCN_SELCHANGE && !Activate(m_tabs->GetCurSel(), false))
        m_tabs->SetCurSel(m_active);
    return TRUE;
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) { // the pages' windows ended before the sheet's
        m_buttons.clear();
        m_tabs.reset();
        m_active = -1;
    }
    return result;
}

LRESULT CPropertySheet::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        Key(VK_ESCAPE);
        return 0;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

CButton* CPropertySheet::Button(UINT id) const
{
    for (const std::unique_ptr<CButton>& button : m_buttons)
        if (UINT(button->GetDlgCtrlID()) == id)
            return button.get();
    return nullptr;
}
