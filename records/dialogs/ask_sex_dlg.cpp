// records/dialogs/ask_sex_dlg.cpp: the question whether a person is male or female.
#include "records/dialogs/ask_sex_dlg.h"

#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"

CAskSexDlg::CAskSexDlg(CWnd* parent) : CDialog(kAskSexTemplate, parent) {}

BOOL CAskSexDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_ASK_SEX_TEXT, "Please indicate the sex of " + m_phrase);
    return TRUE;
}

BOOL CAskSexDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && (id == IDC_ASK_SEX_MALE || id == IDC_ASK_SEX_FEMALE)) {
        m_result = id == IDC_ASK_SEX_MALE ? 0 : 1;
        EndDialog(IDOK);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
