// records/dialogs/select_family_dlg.cpp: a new family, or one of the families an individual
// already belongs to.
#include "records/dialogs/select_family_dlg.h"

#include "records/dialogs/ask_sex_dlg.h"
#include "records/dialogs/select_record_dlg.h"

#include "common/abort.h"
#include "database/kin/ind_rec.h"
#include "database/kin/relative_dialogs.h"
#include "database/records/fam_rec.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"

#include <exception>

namespace {

struct ModeTexts {
    const char* caption;
    const char* prompt;
    const char* option;
};

ModeTexts TextsOf(int mode, bool aFemale)
{
    switch (mode) {
    case FCM_PARENT_AND_CHILD:
        return {"Specify Family for Parent and Child",
                "%s is already a child in each of the Family records listed below.",
                "Make %s a parent in one of the listed families (requires selection)"};
    case FCM_CHILDREN:
        return {"Specify Family for Children",
                "%s is already a child in each of the Family records listed below.",
                "Add %s as a child to one of the listed families (requires selection)"};
    case FCM_CHILD_AND_PARENT:
        return {"Specify Family for Child and Parent",
                "%s is already a parent/spouse in each of the Family records listed below.",
                "Make %s a child in one of the listed families (requires selection)"};
    default:
        if (aFemale)
            return {"Specify Family for Spouse",
                    "%s is already a mother/wife in each of the Family records listed below, at "
                    "least one of which has no father/husband.",
                    "Make %s the husband in one of the listed families (requires selection)"};
        return {"Specify Family for Spouse",
                "%s is already a father/husband in each of the Family records listed below, at "
                "least one of which has no mother/wife.",
                "Make %s the wife in one of the listed families (requires selection)"};
    }
}

} // namespace

CSelectFamilyDlg::CSelectFamilyDlg(CWnd* parent) : CDialog(kSelectFamilyTemplate, parent) {}

BOOL CSelectFamilyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    try {
        if (!m_a || !m_b ||
            !CreateGridInPlace(*this, m_grid, IDC_FAMILY_PLACEHOLDER, kSelectRecordGridId, nullptr,
                               -1))
            ThrowAbort();
        CheckRadioButton(IDC_FAMILY_CREATE, IDC_FAMILY_USE, IDC_FAMILY_CREATE);
        const bool aFemale = m_a->GetSex() == SEX_FEMALE;
        if (m_mode == FCM_SPOUSE)
            m_role = aFemale ? 0 : 1;
        const ModeTexts texts = TextsOf(m_mode, aFemale);
        SetWindowText(texts.caption);
        SetDlgItemText(IDC_FAMILY_PROMPT, text::Format(texts.prompt, NodeText(m_a).c_str()));
        SetDlgItemText(IDC_FAMILY_USE, text::Format(texts.option, NodeText(m_b).c_str()));
        const bool parents = m_mode == FCM_PARENT_AND_CHILD || m_mode == FCM_CHILDREN;
        for (CFamRec* family = parents ? m_a->GetNextParentFamily(nullptr)
                                       : m_a->GetNextSpouseFamily(nullptr);
             family;
             family = parents ? m_a->GetNextParentFamily(family) : m_a->GetNextSpouseFamily(family))
            m_grid.AddRecordRow(family, true, false, false, true);
    } catch (const COperationAborted&) {
        MessageBox("An error has occurred", MB_OK);
        EndDialog(IDCANCEL);
    } catch (const std::exception&) {
        MessageBox("An error has occurred", MB_OK);
        EndDialog(IDCANCEL);
    }
    return TRUE;
}

CFamRec* CSelectFamilyDlg::SelectedFamily()
{
    CTreeBoxNode* focus = m_grid.GetBox().GetFocusItem();
    if (!focus || !focus->m_selected || focus->m_parent)
        return nullptr;
    return dynamic_cast<CFamRec*>(CTagGrid::NodeOf(focus));
}

void CSelectFamilyDlg::OnOK()
{
    CFamRec* selected = SelectedFamily();
    if (IsDlgButtonChecked(IDC_FAMILY_CREATE) == BST_CHECKED) {
        if (selected &&
            MessageBox("You have selected a family in the list, but you have also opted to "
                       "create a new family.  Consequently the list selection will be ignored.",
                       MB_OKCANCEL) != IDOK)
            return;
        m_useListed = false;
        EndDialog(IDOK);
        return;
    }
    if (!selected) {
        MessageBox("Please select a family in the list", MB_OK);
        m_grid.SetFocus();
        return;
    }
    m_chosen = selected;
    bool isSpouse = false;
    if (selected->HasMember(m_b, isSpouse)) {
        MessageBox(text::Format("Invalid selection.  %s is already a member of this family",
                                NodeText(m_b).c_str()),
                   MB_OK);
        return;
    }
    if (m_mode == FCM_PARENT_AND_CHILD) {
        const int sex = m_b->GetSex();
        if (sex == SEX_MALE || sex == SEX_FEMALE) {
            m_role = sex == SEX_MALE ? 0 : 1;
        } else {
            CAskSexDlg ask(this);
            ask.m_phrase = NodeText(m_b);
            if (ask.DoModal() != IDOK || ask.m_result > 1)
                return;
            m_role = ask.m_result;
        }
    }
    if (m_mode == FCM_PARENT_AND_CHILD || m_mode == FCM_SPOUSE) {
        if (m_role == 0 && selected->GetHusband()) {
            MessageBox("This family already has a father/husband", MB_OK);
            return;
        }
        if (m_role == 1 && selected->GetWife()) {
            MessageBox("This family already has a mother/wife", MB_OK);
            return;
        }
    }
    m_useListed = true;
    EndDialog(IDOK);
}
