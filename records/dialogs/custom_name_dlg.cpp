// records/dialogs/custom_name_dlg.cpp: the dialogs that name a new custom event or attribute.
#include "records/dialogs/custom_name_dlg.h"

#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/edit.h"

namespace {

bool HasText(const CDialog& dialog, int id)
{
    std::string text;
    dialog.GetDlgItemText(id, text);
    return !text.empty();
}

void Enable(CDialog& dialog, int id, bool enable)
{
    if (CWnd* control = dialog.GetDlgItem(id))
        control->EnableWindow(enable);
}

} // namespace

// ---- Add Custom Event/Attribute -----------------------------------------------------------

CAddCustomEventDlg::CAddCustomEventDlg(CWnd* parent) : CDialog(kAddCustomEventTemplate, parent) {}

BOOL CAddCustomEventDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const char* owner = m_isFamily ? "Family" : "Individual";
    const char* kind = m_isEvent ? "Event" : "Attribute";
    SetWindowText(text::Format("Add Custom %s for %s", kind, owner));
    SetDlgItemText(IDC_CUSTOM_NAME_LABEL, text::Format("New %s %s:", owner, kind));
    SetDlgItemText(IDC_CUSTOM_NAME, m_name);
    UpdateOk();
    return TRUE;
}

void CAddCustomEventDlg::UpdateOk()
{
    Enable(*this, IDOK, HasText(*this, IDC_CUSTOM_NAME));
}

BOOL CAddCustomEventDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_CUSTOM_NAME && HIWORD(wParam) == EN_CHANGE) {
        UpdateOk();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CAddCustomEventDlg::OnOK()
{
    std::string typed;
    GetDlgItemText(IDC_CUSTOM_NAME, typed);
    static const CCustomNameLists kNone;
    const CCustomNameVerdict verdict =
        CheckCustomName(typed, m_isEvent, m_isFamily, m_lists ? *m_lists : kNone);
    CWnd* edit = GetDlgItem(IDC_CUSTOM_NAME);
    switch (verdict.m_action) {
    case CCustomNameVerdict::Refuse:
        MessageBox(verdict.m_message, MB_OK);
        GotoDlgCtrl(edit);
        return;
    case CCustomNameVerdict::AskUseExisting: {
        const int answer = MessageBox(verdict.m_message, MB_YESNOCANCEL);
        if (answer == IDCANCEL) {
            GotoDlgCtrl(edit);
            return;
        }
        m_name = answer == IDYES ? verdict.m_existing : verdict.m_name;
        break;
    }
    case CCustomNameVerdict::AskProceed:
        if (MessageBox(verdict.m_message, MB_OKCANCEL) != IDOK) {
            GotoDlgCtrl(edit);
            return;
        }
        m_name = verdict.m_name;
        break;
    case CCustomNameVerdict::Accept:
        m_name = verdict.m_name;
        break;
    }
    EndDialog(IDOK);
}

// ---- Custom item name ---------------------------------------------------------------------

CCustomItemNameDlg::CCustomItemNameDlg(CWnd* parent) : CDialog(kCustomItemNameTemplate, parent) {}

BOOL CCustomItemNameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_isFamily ? "Add Custom Event/Attribute For Family"
                             : "Add Custom Event/Attribute For Individual");
    SetDlgItemText(IDC_ITEM_NAME, m_name);
    UpdateControls();
    return TRUE;
}

void CCustomItemNameDlg::UpdateControls()
{
    const bool event = IsDlgButtonChecked(IDC_ITEM_EVENT) == BST_CHECKED;
    const bool attribute = IsDlgButtonChecked(IDC_ITEM_ATTRIBUTE) == BST_CHECKED;
    SetDlgItemText(IDC_ITEM_NAME_LABEL, event       ? "Event Name:"
                                        : attribute ? "Attribute Name:"
                                                    : "Item Name:");
    Enable(*this, IDC_ITEM_NAME_LABEL, event || attribute);
    Enable(*this, IDC_ITEM_NAME, event || attribute);
    Enable(*this, IDOK, HasText(*this, IDC_ITEM_NAME));
}

BOOL CCustomItemNameDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if ((id == IDC_ITEM_NAME && HIWORD(wParam) == EN_CHANGE) ||
        ((id == IDC_ITEM_EVENT || id == IDC_ITEM_ATTRIBUTE) && HIWORD(wParam) == BN_CLICKED)) {
        UpdateControls();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CCustomItemNameDlg::OnOK()
{
    const bool event = IsDlgButtonChecked(IDC_ITEM_EVENT) == BST_CHECKED;
    if (!event && IsDlgButtonChecked(IDC_ITEM_ATTRIBUTE) != BST_CHECKED) {
        MessageBox("You must choose the item type: Event or Attribute", MB_OK);
        GotoDlgCtrl(GetDlgItem(IDC_ITEM_EVENT));
        return;
    }
    std::string typed;
    GetDlgItemText(IDC_ITEM_NAME, typed);
    const std::string message = CheckCustomItemName(typed, event);
    if (!message.empty()) {
        MessageBox(message, MB_OK);
        GotoDlgCtrl(GetDlgItem(IDC_ITEM_NAME));
        return;
    }
    m_name = text::Trim(typed);
    m_isEvent = event;
    EndDialog(IDOK);
}
