// records/dialogs/delete_choice_dlg.cpp: the question whether to delete a link or the record it
// points to.
#include "records/dialogs/delete_choice_dlg.h"

#include "platform/ui/dialogs/button.h"

CDeleteChoiceDlg::CDeleteChoiceDlg(CWnd* parent) : CDialog(kDeleteChoiceTemplate, parent) {}

BOOL CDeleteChoiceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_DELETE_LINK, m_linkText);
    SetDlgItemText(IDC_DELETE_RECORD, m_recordText);
    if (!m_title.empty())
        SetWindowText(m_title);
    CheckRadioButton(IDC_DELETE_LINK, IDC_DELETE_RECORD,
                     m_choice ? IDC_DELETE_LINK : IDC_DELETE_RECORD);
    return TRUE;
}

void CDeleteChoiceDlg::OnOK()
{
    m_choice = IsDlgButtonChecked(IDC_DELETE_LINK) == BST_CHECKED;
    CDialog::OnOK();
}
