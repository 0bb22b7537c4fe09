// platform/ui/dialogs/data_exchange.cpp: moving texts, numbers, checks and selections between
// controls and members, and the checks with their fixed messages.
#include "platform/ui/dialogs/data_exchange.h"

#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/dialog.h"

#include <charconv>
#include <climits>

namespace {

bool ParseWhole(const std::string& shown, long low, long high, long& value)
{
    long parsed = 0;
    if (!text::ParseInt(shown, parsed) || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

bool ParseNumber(const std::string& shown, double& value)
{
    const std::string_view trimmed = text::TrimView(shown);
    const char* end = trimmed.data() + trimmed.size();
    const auto [stop, error] = std::from_chars(trimmed.data(), end, value);
    return !trimmed.empty() && error == std::errc() && stop == end;
}

/// Sets the control's text only when it differs, so showing unchanged members raises no
/// change notifications.
void Show(CWnd& control, const std::string& text)
{
    std::string shown;
    control.GetWindowText(shown);
    if (shown != text)
        control.SetWindowText(text);
}

std::string ShowNumber(double value)
{
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}

} // namespace

CDataExchange::CDataExchange(CDialog* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog)
{
}

CWnd* CDataExchange::PrepareCtrl(int id)
{
    m_lastId = id;
    return m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
}

void CDataExchange::Fail()
{
    if (m_pDlgWnd)
        m_pDlgWnd->GotoDlgCtrl(m_pDlgWnd->GetDlgItem(m_lastId));
    throw Failure{};
}

void CDataExchange::FailWith(const std::string& message)
{
    MessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    Fail();
}

void CDataExchange::Text(int id, std::string& value)
{
    CWnd* control = PrepareCtrl(id);
    if (!control)
        return;
    if (m_bSaveAndValidate)
        control->GetWindowText(value);
    else
        Show(*control, value);
}

void CDataExchange::Text(int id, int& value)
{
    long whole = value;
    if (ExchangeWhole(id, whole, INT_MIN, INT_MAX))
        value = int(whole);
}

void CDataExchange::Text(int id, UINT& value)
{
    long whole = long(value);
    if (ExchangeWhole(id, whole, 0, long(UINT_MAX)))
        value = UINT(whole);
}

bool CDataExchange::ExchangeWhole(int id, long& value, long low, long high)
{
    CWnd* control = PrepareCtrl(id);
    if (!control)
        return false;
    if (!m_bSaveAndValidate) {
        Show(*control, std::to_string(value));
        return false;
    }
    std::string shown;
    control->GetWindowText(shown);
    // A bound of 0 takes no minus sign, not even on "-0".
    if ((low == 0 && text::TrimView(shown).starts_with('-')) ||
        !ParseWhole(shown, low, high, value))
        FailWith("Enter a whole number.");
    return true;
}

void CDataExchange::Text(int id, double& value)
{
    CWnd* control = PrepareCtrl(id);
    if (!control)
        return;
    if (!m_bSaveAndValidate) {
        Show(*control, ShowNumber(value));
        return;
    }
    std::string shown;
    control->GetWindowText(shown);
    double parsed = 0;
    if (!ParseNumber(shown, parsed))
        FailWith("Enter a number.");
    value = parsed;
}

void CDataExchange::Check(int id, BOOL& value)
{
    auto* button = dynamic_cast<CButton*>(PrepareCtrl(id));
    if (!button)
        return;
    if (m_bSaveAndValidate)
        value = button->GetCheck();
    else
        button->SetCheck(value);
}

void CDataExchange::Radio(int firstId, int& value)
{
    CWnd* first = PrepareCtrl(firstId);
    if (!first)
        return;
    if (m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (CWnd* wnd = first; wnd; wnd = m_pDlgWnd->GetNextRadioInGroup(wnd), ++index) {
        auto* button = dynamic_cast<CButton*>(wnd);
        if (!button)
            continue;
        if (!m_bSaveAndValidate) {
            button->SetCheck(index == value ? BST_CHECKED : BST_UNCHECKED);
        } else if (button->GetCheck() == BST_CHECKED) {
            value = index;
            return;
        }
    }
}

void CDataExchange::ComboIndex(int id, int& value)
{
    auto* combo = dynamic_cast<CComboBox*>(PrepareCtrl(id));
    if (!combo)
        return;
    if (m_bSaveAndValidate)
        value = combo->GetCurSel();
    else
        combo->SetCurSel(value);
}

void CDataExchange::ComboText(int id, std::string& value)
{
    auto* combo = dynamic_cast<CComboBox*>(PrepareCtrl(id));
    if (!combo)
        return;
    if (m_bSaveAndValidate) {
        combo->GetWindowText(value);
        return;
    }
    if (combo->SelectString(-1, value.c_str()) == CB_ERR)
        Show(*combo, value); // a drop-down list has no edit and keeps no text
}

void CDataExchange::Range(int value, int min, int max)
{
    if (m_bSaveAndValidate && (value < min || value > max))
        FailWith(text::Format("Enter a whole number from %d to %d.", min, max));
}

void CDataExchange::Range(UINT value, UINT min, UINT max)
{
    if (m_bSaveAndValidate && (value < min || value > max))
        FailWith(text::Format("Enter a whole number from %u to %u.", min, max));
}
