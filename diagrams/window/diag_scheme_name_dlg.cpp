// diagrams/window/diag_scheme_name_dlg.cpp: the new scheme's name and its checks.
#include "diagrams/window/diag_scheme_name_dlg.h"

#include "diagrams/text_scheme.h"
#include "diagrams/text_scheme_store.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"

CSchemeNameDlg::CSchemeNameDlg(const CTextSchemeList& schemes, CWnd* parent)
    : CDialog(kTemplate, parent), m_schemes(schemes)
{
}

BOOL CSchemeNameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(kNameId)))
        edit->LimitText(kLongestName);
    if (auto* base = dynamic_cast<CComboBox*>(GetDlgItem(kBaseId))) {
        for (const auto& scheme : m_schemes.Items())
            base->AddString(scheme->Name().c_str());
        base->SetCurSel(-1);
    }
    GotoDlgCtrl(GetDlgItem(kNameId));
    return FALSE;
}

void CSchemeNameDlg::OnOK()
{
    std::string name;
    GetDlgItemText(kNameId, name);
    if (const std::string problem = CheckNewSchemeName(m_schemes, name); !problem.empty()) {
        MessageBox(problem, MB_OK);
        GotoDlgCtrl(GetDlgItem(kNameId));
        return;
    }
    m_baseScheme = nullptr;
    if (const auto* base = dynamic_cast<CComboBox*>(GetDlgItem(kBaseId));
        base && base->GetCurSel() >= 0) {
        std::string baseName;
        base->GetLBText(base->GetCurSel(), baseName);
        m_baseScheme = m_schemes.FindScheme(baseName);
    }
    m_name = name;
    EndDialog(IDOK);
}
