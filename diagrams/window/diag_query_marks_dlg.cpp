// diagrams/window/diag_query_marks_dlg.cpp: the marks-by-query dialog.
#include "diagrams/window/diag_query_marks_dlg.h"

#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "queries/query_def.h"
#include "queries/query_eval.h"
#include "queries/window/qry_bar.h"
#include "queries/window/query_files.h"

#include <string>

CQueryMarksDlg::CQueryMarksDlg(CQueryDef* query, CWnd* parent)
    : CDialog(kTemplate, parent), m_query(query)
{
}

CComboBox* CQueryMarksDlg::QueryList() const
{
    return dynamic_cast<CComboBox*>(GetDlgItem(kQueryListId));
}

BOOL CQueryMarksDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CComboBox* list = QueryList()) {
        ListQueryFiles(*list, true, GetRecordTypeDef(RECORD_LIST_INDI));
        if (list->GetCount() > 0)
            list->SetCurSel(0);
    }
    CheckRadioButton(kMarkId, kUnmarkId, kMarkId);
    UpdateClearFirst();
    return TRUE;
}

void CQueryMarksDlg::UpdateClearFirst()
{
    if (CWnd* clearFirst = GetDlgItem(kClearFirstId))
        clearFirst->EnableWindow(IsDlgButtonChecked(kMarkId) == BST_CHECKED);
}

BOOL CQueryMarksDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const BOOL handled = CDialog::OnCommand(wParam, lParam);
    if ((id == kMarkId || id == kUnmarkId) && HIWORD(wParam) == BN_CLICKED)
        UpdateClearFirst();
    return handled;
}

void CQueryMarksDlg::OnOK()
{
    std::string name;
    bool custom = false;
    CComboBox* list = QueryList();
    if (!list || GetSelectedQueryName(*list, name, custom) < 0) {
        MessageBox("Error - no query has been selected", MB_OK);
        return;
    }
    if (!m_query)
        return;
    std::string error;
    if (!m_query->Load(name, custom, error)) {
        MessageBox(error, MB_OK);
        return;
    }
    if (!RunQuery(*m_query, false, false, nullptr))
        return;
    m_setMarks = IsDlgButtonChecked(kMarkId) == BST_CHECKED;
    m_clearFirst = m_setMarks && IsDlgButtonChecked(kClearFirstId) == BST_CHECKED;
    EndDialog(IDOK);
}
