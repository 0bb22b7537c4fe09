// queries/window/qry_dialogs.cpp: the unsaved-changes, new-query and save-as dialogs.
#include "queries/window/qry_dialogs.h"

#include "database/dictionary/record_type_table.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"
#include "queries/query_def.h"
#include "queries/window/query_save.h"

namespace {

constexpr int kUpdate = 1302, kAdd = 1303, kDiscard = 1304;

/// "Create" or "Save" is live only while the name edit holds text.
void EnableWhileNamed(CDialog& dialog, int editId)
{
    std::string name;
    dialog.GetDlgItemText(editId, name);
    if (CWnd* ok = dialog.GetDlgItem(IDOK))
        ok->EnableWindow(!name.empty());
}

/// The typed name trimmed; empty after telling the user (missing when there is none, or why the
/// name cannot name a query file) and selecting the edit.
std::string ReadName(CDialog& dialog, int editId, const char* missing)
{
    std::string name;
    dialog.GetDlgItemText(editId, name);
    name = text::Trim(name);
    std::string problem = name.empty() ? missing : QueryNameProblem(name);
    if (problem.empty())
        return name;
    MessageBox(problem, name.empty() ? MB_OK : MB_ICONEXCLAMATION);
    dialog.GotoDlgCtrl(dialog.GetDlgItem(editId));
    return {};
}

} // namespace

BOOL CQryUnsavedDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_filterForm) {
        SetDlgItemText(1295, "You have unsaved filter changes.  What do you wish to do?");
        SetDlgItemText(kUpdate, "Update the currently selected filter");
        SetDlgItemText(kAdd, "Add a new filter");
    }
    GetDlgItem(kUpdate)->EnableWindow(m_updateAllowed);
    GetDlgItem(kAdd)->EnableWindow(m_addAllowed);
    CheckRadioButton(kUpdate, kDiscard,
                     m_updateAllowed ? kUpdate : (m_addAllowed ? kAdd : kDiscard));
    return TRUE;
}

void CQryUnsavedDlg::OnOK()
{
    const int choice = GetCheckedRadioButton(kUpdate, kDiscard);
    EndDialog(choice == kUpdate || choice == kAdd ? choice : kDiscard);
}

// New custom query.

namespace {

/// The types a new query may select, in the order the list shows them.
struct NewQueryType {
    const char* label;
    int listIndex;
};
constexpr NewQueryType kNewQueryTypes[] = {
    {"Individual", 0}, {"Family", 1},    {"Note", 2},       {"Source", 3},
    {"Repository", 4}, {"Submitter", 5}, {"Submission", 6}, {"Multimedia", 7},
};

} // namespace

BOOL CQryNewDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* types = dynamic_cast<CComboBox*>(GetDlgItem(1307));
    if (!types) {
        MessageBox("An error has occurred. Cannot display dialog.");
        EndDialog(IDCANCEL);
        return TRUE;
    }
    for (const NewQueryType& type : kNewQueryTypes)
        types->AddString(type.label);
    types->SetCurSel(0);
    EnableWhileNamed(*this, 1306);
    return TRUE;
}

BOOL CQryNewDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == 1306 && HIWORD(wParam) == EN_CHANGE)
        EnableWhileNamed(*this, 1306);
    return CDialog::OnCommand(wParam, lParam);
}

void CQryNewDlg::OnOK()
{
    const std::string name = ReadName(*this, 1306, "Missing Query name.");
    if (name.empty())
        return;
    auto* types = dynamic_cast<CComboBox*>(GetDlgItem(1307));
    const int chosen = types ? types->GetCurSel() : -1;
    if (chosen < 0) {
        MessageBox("Missing Query type.");
        GotoDlgCtrl(types);
        return;
    }
    std::string failure;
    m_query = NewCustomQuery(name, GetRecordTypeDef(kNewQueryTypes[chosen].listIndex), failure);
    if (m_query)
        EndDialog(IDOK);
    else
        MessageBox(failure, MB_ICONEXCLAMATION);
}

// Save as.

BOOL CQrySaveAsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_query.IsNew())
        SetDlgItemText(1162, m_query.GetName());
    EnableWhileNamed(*this, 1162);
    return TRUE;
}

BOOL CQrySaveAsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == 1162 && HIWORD(wParam) == EN_CHANGE)
        EnableWhileNamed(*this, 1162);
    return CDialog::OnCommand(wParam, lParam);
}

void CQrySaveAsDlg::OnOK()
{
    const std::string name = ReadName(*this, 1162, "Query name must be supplied");
    if (name.empty())
        return;
    if (SaveQuery(m_query, &name, true))
        EndDialog(IDOK);
}
