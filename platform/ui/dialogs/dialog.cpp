// platform/ui/dialogs/dialog.cpp: making a dialog from its template, running it modally or
// modelessly, its default button, focus and standard commands.
#include "platform/ui/dialogs/dialog.h"

#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/detail/control_widget.h"
#include "platform/ui/detail/dialog_drivers.h"
#include "platform/ui/detail/dialog_widget.h"
#include "platform/ui/detail/font_mapper.h"
#include "platform/ui/detail/modal_run.h"
#include "platform/ui/detail/widget_windows.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/control_factory.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/app.h"

#include <QApplication>

namespace {

QWidget* OwnerWidget(CWnd* parent)
{
    if (QWidget* widget = ui_detail::WidgetOf(parent))
        return widget->window();
    QWidget* main = ui_detail::WidgetOf(AfxGetMainWnd());
    return main ? main->window() : nullptr;
}

} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

int CDialog::DoModal()
{
    if (GetSafeHwnd())
        return -1;
    m_modal = std::make_unique<ui_detail::ModalRun>();
    if (!CreateFromTemplate(m_parent, false)) {
        m_modal.reset();
        return -1;
    }
    auto* dialog = static_cast<ui_detail::DialogWidget*>(ui_detail::WidgetOf(this));
    const int result = m_modal->Run(
        *dialog,
        [this] {
            const ui_detail::hooks::DialogDriver driver =
                ui_detail::hooks::TakeDialogDriver(m_templateId);
            if (!driver)
                return false;
            driver(*this);
            return true;
        },
        text::Format("Dialog %u", m_templateId));
    DestroyWindow();
    m_modal.reset();
    return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    if (GetSafeHwnd())
        return FALSE;
    m_templateId = templateId;
    m_parent = parent;
    const CDialogTemplate* dialog = AppResources().FindDialog(templateId);
    if (!dialog || !CreateFromTemplate(parent, (dialog->m_style & WS_CHILD) != 0))
        return FALSE;
    if (dialog->m_style & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CDialog::CreateInside(CWnd* parent)
{
    return !GetSafeHwnd() && CreateFromTemplate(parent, true);
}

void CDialog::EndDialog(int result)
{
    if (m_modal)
        m_modal->End(result);
    else
        ShowWindow(SW_HIDE);
}

BOOL CDialog::CreateFromTemplate(CWnd* parent, bool inside)
{
    const CDialogTemplate* dialog = AppResources().FindDialog(m_templateId);
    QWidget* parentWidget = inside ? ui_detail::WidgetOf(parent) : OwnerWidget(parent);
    if (!dialog || (inside && !parentWidget))
        return FALSE;
    const LOGFONT font = dialog->GetFont();
    m_baseUnits = GetDialogBaseUnits(font);
    RECT place = dialog->Rect();
    ::MapDialogRect(m_baseUnits, place);
    QWidget* widget = nullptr;
    if (inside) {
        widget = new ui_detail::ChildDialogWidget(parentWidget);
        widget->setGeometry(place.left, place.top, place.right - place.left,
                            place.bottom - place.top);
    } else {
        auto* top = new ui_detail::DialogWidget(parentWidget);
        top->m_onKey = [top](UINT vk) {
            ui_detail::WithWnd<CDialog>(top, [vk](CDialog& wnd) { wnd.PressKeyButton(vk); });
            return true;
        };
        widget = top;
        widget->resize(place.right - place.left, place.bottom - place.top);
        if (!(dialog->m_style & WS_THICKFRAME))
            widget->setFixedSize(widget->size());
    }
    widget->setFont(ui_detail::FontFromLogFont(font));
    ui_detail::CreateArgs args;
    args.style = (dialog->m_style & ~(WS_VISIBLE | WS_POPUP)) | (inside ? WS_CHILD : WS_POPUP);
    args.exStyle = dialog->m_exStyle;
    args.windowName = dialog->m_caption.c_str();
    args.parent = parent;
    if (!ui_detail::CreateOver(*this, widget, args))
        return FALSE;
    if (!inside)
        ui_detail::CentreOver(*widget, parentWidget);
    if (!CreateControls(*dialog, m_baseUnits, *this, m_controls)) {
        DestroyWindow();
        return FALSE;
    }
    // A dialog made inside a window that is not the active one (a page made for a box the user
    // is not working in) leaves the focus where it is: taking it would activate that window.
    const QWidget* top = widget->window();
    const bool mayTakeFocus = !inside || !top->isVisible() || top->isActiveWindow();
    if (SendMessage(WM_INITDIALOG) && GetSafeHwnd() && mayTakeFocus)
        SetInitialFocus();
    return GetSafeHwnd() != nullptr;
}

void CDialog::KeepOpeningSizeAsMinimum()
{
    if (QWidget* widget = ui_detail::WidgetOf(this); widget && widget->isWindow())
        widget->setMinimumSize(widget->size());
}

void CDialog::SetInitialFocus()
{
    for (const std::unique_ptr<CWnd>& control : m_controls) {
        if ((control->GetStyle() & WS_TABSTOP) && control->IsWindowEnabled() &&
            !(ui_detail::WidgetOf(control.get())->isHidden())) {
            GotoDlgCtrl(control.get());
            return;
        }
    }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(dx);
    } catch (const CDataExchange::Failure&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::SetDefID(UINT id)
{
    if (auto* old = dynamic_cast<CButton*>(FindDefaultButton()))
        old->SetButtonStyle(BS_PUSHBUTTON);
    m_defId = id;
    if (auto* button = dynamic_cast<CButton*>(GetDlgItem(int(id))))
        button->SetButtonStyle(BS_DEFPUSHBUTTON);
}

DWORD CDialog::GetDefID() const
{
    const CWnd* button = FindDefaultButton();
    const UINT id = m_defId ? m_defId : button ? UINT(button->GetDlgCtrlID()) : UINT(IDOK);
    return DWORD(WORD(id)) | (DWORD(DC_HASDEFID) << 16);
}

CWnd* CDialog::FindDefaultButton() const
{
    if (m_defId)
        return GetDlgItem(int(m_defId));
    for (const std::unique_ptr<CWnd>& control : m_controls) {
        const auto* button = dynamic_cast<const CButton*>(control.get());
        if (button && (button->GetButtonStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return control.get();
    }
    return nullptr;
}

void CDialog::GotoDlgCtrl(CWnd* control)
{
    if (!control)
        return;
    control->SetFocus();
    if (auto* edit = dynamic_cast<CEdit*>(control); edit && !(edit->GetStyle() & ES_MULTILINE))
        edit->SetSel(0, -1);
}

void CDialog::NextDlgCtrl()
{
    if (QWidget* widget = ui_detail::WidgetOf(this))
        if (QWidget* next = ui_detail::NextTabStop(*widget, QApplication::focusWidget(), true))
            GotoDlgCtrl(ui_detail::NearestWnd(next));
}

void CDialog::PrevDlgCtrl()
{
    if (QWidget* widget = ui_detail::WidgetOf(this))
        if (QWidget* previous = ui_detail::NextTabStop(*widget, QApplication::focusWidget(), false))
            GotoDlgCtrl(ui_detail::NearestWnd(previous));
}

void CDialog::MapDialogRect(RECT* rect) const
{
    if (rect)
        ::MapDialogRect(m_baseUnits, *rect);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange&) {}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    if (lParam && HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    case kHelpButton:
    case ID_HELP:
        OnHelp();
        return TRUE;
    default:
        return FALSE;
    }
}

void CDialog::OnHelp()
{
    CWnd* main = AfxGetMainWnd();
    if (main && main != this)
        main->SendMessage(WM_COMMAND, ID_HELP);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        m_controls.clear(); // their windows ended with this one's
    return result;
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        PressKeyButton(VK_ESCAPE);
        return 0;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

void CDialog::PressKeyButton(UINT vk)
{
    if (vk == VK_F1) { // the dialog's help, whether or not it shows a Help button
        SendMessage(WM_COMMAND, MAKEWPARAM(WORD(ID_HELP), BN_CLICKED), 0);
        return;
    }
    const UINT id = vk == VK_ESCAPE ? UINT(IDCANCEL) : LOWORD(GetDefID());
    CWnd* button = GetDlgItem(int(id));
    if (button && !button->IsWindowEnabled())
        return;
    SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED), LPARAM(button));
}
