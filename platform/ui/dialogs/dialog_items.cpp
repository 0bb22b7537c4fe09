// platform/ui/dialogs/dialog_items.cpp: a dialog's controls by id: texts, numbers, check boxes and
// radio buttons.
#include "platform/ui/dialogs/dialog.h"

#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"

#include <algorithm>
#include <climits>

namespace {

bool IsRadioButton(const CWnd* wnd)
{
    const auto* button = dynamic_cast<const CButton*>(wnd);
    const UINT type = button ? button->GetButtonStyle() & BS_TYPEMASK : 0;
    return button && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

} // namespace

void CDialog::SetDlgItemText(int id, const std::string& text)
{
    if (CWnd* control = GetDlgItem(id))
        control->SetWindowText(text);
}

int CDialog::GetDlgItemText(int id, std::string& text) const
{
    text.clear();
    if (const CWnd* control = GetDlgItem(id))
        control->GetWindowText(text);
    return int(text.size());
}

UINT CDialog::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const
{
    if (translated)
        *translated = FALSE;
    std::string shown;
    GetDlgItemText(id, shown);
    long value = 0;
    if (!text::ParseInt(shown, value))
        return 0;
    const bool fits =
        isSigned ? value >= INT_MIN && value <= INT_MAX
                 : value >= 0 && value <= long(UINT_MAX) && !text::TrimView(shown).starts_with('-');
    if (!fits)
        return 0;
    if (translated)
        *translated = TRUE;
    return UINT(value);
}

void CDialog::CheckDlgButton(int id, UINT check)
{
    if (auto* button = dynamic_cast<CButton*>(GetDlgItem(id)))
        button->SetCheck(int(check));
}

UINT CDialog::IsDlgButtonChecked(int id) const
{
    const auto* button = dynamic_cast<const CButton*>(GetDlgItem(id));
    return button ? UINT(button->GetCheck()) : 0;
}

void CDialog::CheckRadioButton(int firstId, int lastId, int checkId)
{
    for (const std::unique_ptr<CWnd>& control : m_controls) {
        const int id = control->GetDlgCtrlID();
        if (auto* button = dynamic_cast<CButton*>(control.get());
            button && id >= firstId && id <= lastId)
            button->SetCheck(id == checkId ? BST_CHECKED : BST_UNCHECKED);
    }
}

int CDialog::GetCheckedRadioButton(int firstId, int lastId) const
{
    for (int id = firstId; id <= lastId; ++id)
        if (IsDlgButtonChecked(id) == BST_CHECKED)
            return id;
    return 0;
}

CWnd* CDialog::GetNextRadioInGroup(CWnd* button) const
{
    auto at = std::find_if(
        m_controls.begin(), m_controls.end(),
        [button](const std::unique_ptr<CWnd>& control) { return control.get() == button; });
    if (at == m_controls.end())
        return nullptr;
    for (++at; at != m_controls.end(); ++at) {
        if ((*at)->GetStyle() & WS_GROUP)
            return nullptr;
        if (IsRadioButton(at->get()))
            return at->get();
    }
    return nullptr;
}
