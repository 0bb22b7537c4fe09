// records/dialogs/age_entry_dlg.cpp: the Age Entry Assistant.
#include "records/dialogs/age_entry_dlg.h"

#include "controls/digits_edit.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/edit.h"
#include "records/dialogs/age_entry_logic.h"

namespace {

/// The radio buttons in the order that decides the kind.
constexpr struct {
    int id;
    int kind;
} kKinds[] = {
    {IDC_AGE_STILLBORN, AGE_STILLBORN}, {IDC_AGE_INFANT, AGE_INFANT},
    {IDC_AGE_CHILD, AGE_CHILD},         {IDC_AGE_GIVEN, AGE_EXACT},
    {IDC_AGE_YOUNGER, AGE_LESS_THAN},   {IDC_AGE_OLDER, AGE_MORE_THAN},
};

constexpr struct {
    int edit;
    int label;
    int digits;
} kParts[] = {
    {IDC_AGE_YEARS, IDC_AGE_YEARS_LABEL, kAgeYearsDigits},
    {IDC_AGE_MONTHS, IDC_AGE_MONTHS_LABEL, kAgeMonthsDigits},
    {IDC_AGE_DAYS, IDC_AGE_DAYS_LABEL, kAgeDaysDigits},
};

} // namespace

CAgeEntryDlg::CAgeEntryDlg(CWnd* parent) : CDialog(kAgeEntryTemplate, parent)
{
    RegisterDigitsEditClass();
}

BOOL CAgeEntryDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const auto& part : kParts) {
        if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(part.edit)))
            edit->LimitText(part.digits);
    }
    CheckRadioButton(IDC_AGE_CHILD, IDC_AGE_OLDER, AgeKindButton(m_age.kind));
    if (m_age.HasNumbers()) {
        const int numbers[] = {m_age.years, m_age.months, m_age.days};
        for (int i = 0; i < 3; ++i)
            SetDlgItemText(kParts[i].edit, numbers[i] >= 0 ? std::to_string(numbers[i]) : "");
    }
    UpdateControls();
    return TRUE;
}

int CAgeEntryDlg::CheckedKind() const
{
    for (const auto& entry : kKinds) {
        if (IsDlgButtonChecked(entry.id) == BST_CHECKED)
            return entry.kind;
    }
    return AGE_EXACT;
}

void CAgeEntryDlg::UpdateControls()
{
    const int kind = CheckedKind();
    const bool numbers = kind >= AGE_EXACT && kind <= AGE_MORE_THAN;
    for (const auto& part : kParts) {
        for (const int id : {part.edit, part.label}) {
            if (CWnd* control = GetDlgItem(id))
                control->EnableWindow(numbers);
        }
    }
}

BOOL CAgeEntryDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (lParam && HIWORD(wParam) == BN_CLICKED && id >= IDC_AGE_CHILD && id <= IDC_AGE_OLDER) {
        UpdateControls();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CAgeEntryDlg::OnOK()
{
    AgeEntryInput input;
    input.kind = CheckedKind();
    GetDlgItemText(IDC_AGE_YEARS, input.years);
    GetDlgItemText(IDC_AGE_MONTHS, input.months);
    GetDlgItemText(IDC_AGE_DAYS, input.days);
    CAgeValue age;
    const AgeEntryError error = ReadAgeEntry(input, age);
    if (error != AgeEntryError::None) {
        MessageBox(AgeEntryMessage(error), MB_OK);
        GotoDlgCtrl(GetDlgItem(AgeEntryErrorControl(error)));
        return;
    }
    m_age = age;
    EndDialog(IDOK);
}
