// media/window/me_create_link_dlg.cpp: the Create Link question.
#include "media/window/me_create_link_dlg.h"

#include "media/window/media_window_ids.h"

#include "database/dictionary/field_ids.h"
#include "platform/ui/dialogs/button.h"

CMeCreateLinkDlg::CMeCreateLinkDlg(bool withFrame, CWnd* parent)
    : CDialog(kCreateLinkTemplate, parent), m_withFrame(withFrame)
{
}

BOOL CMeCreateLinkDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(kGroupId, m_withFrame ? "Link the selected area to " : "Link to");
    CheckRadioButton(kIndividualId, kNothingId, kIndividualId);
    return TRUE;
}

void CMeCreateLinkDlg::OnOK()
{
    if (IsDlgButtonChecked(kIndividualId) == BST_CHECKED)
        m_fieldId = FIELD_INDI;
    else if (IsDlgButtonChecked(kFamilyId) == BST_CHECKED)
        m_fieldId = FIELD_FAM;
    else if (IsDlgButtonChecked(kSourceId) == BST_CHECKED)
        m_fieldId = FIELD_SOUR;
    else
        m_fieldId = 0;
    CDialog::OnOK();
}
