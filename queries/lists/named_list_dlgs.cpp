// queries/lists/named_list_dlgs.cpp: the small dialogs of named lists.
#include "queries/lists/named_list_dlgs.h"

#include "common/string_utils.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"
#include "queries/named_list.h"

std::string NamedListNameFromInput(std::string_view typed)
{
    std::string blanked(typed);
    for (char& c : blanked) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    }
    return NormaliseNamedListName(blanked);
}

bool IsNoteShowable(std::string_view note)
{
    std::size_t line = 0;
    for (const char c : note) {
        line = (c == '\n' || c == '\r') ? 0 : line + 1;
        if (line > kMaxNoteLineShown)
            return false;
    }
    return true;
}

std::string OverlongNoteText()
{
    return text::Format("This note holds a line of more than %d characters, too long to be shown "
                        "here.  It is kept as it is.",
                        kMaxNoteLineShown);
}

namespace {

/// Shows a refusal and gives the control the focus again.
void Refuse(CDialog& dialog, int control, const std::string& message)
{
    MessageBox(message, MB_OK);
    dialog.GotoDlgCtrl(dialog.GetDlgItem(control));
}

void EnableWhileNotEmpty(CDialog& dialog, int edit, int button)
{
    std::string text;
    dialog.GetDlgItemText(edit, text);
    if (CWnd* control = dialog.GetDlgItem(button))
        control->EnableWindow(!text.empty());
}

} // namespace

CNewNamedListDlg::CNewNamedListDlg(CWnd* parent) : CDialog(kNewNamedListTemplate, parent) {}

BOOL CNewNamedListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableWhileNotEmpty(*this, IDC_NEW_LIST_NAME, IDOK);
    return TRUE;
}

BOOL CNewNamedListDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam && LOWORD(wParam) == IDC_NEW_LIST_NAME && HIWORD(wParam) == EN_CHANGE) {
        EnableWhileNotEmpty(*this, IDC_NEW_LIST_NAME, IDOK);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CNewNamedListDlg::OnOK()
{
    std::string typed;
    GetDlgItemText(IDC_NEW_LIST_NAME, typed);
    const std::string name = NamedListNameFromInput(typed);
    if (name.empty())
        return Refuse(*this, IDC_NEW_LIST_NAME, "Please supply a name for the new list");
    if (FindNamedList(name))
        return Refuse(*this, IDC_NEW_LIST_NAME,
                      "This name is already being used by an existing list");
    if (const std::string problem = ListNameLengthProblem(name); !problem.empty())
        return Refuse(*this, IDC_NEW_LIST_NAME, problem);
    m_name = name;
    EndDialog(IDOK);
}

CListPropsDlg::CListPropsDlg(CNamedList& list, CWnd* parent)
    : CDialog(kListPropsTemplate, parent), m_list(list)
{
}

BOOL CListPropsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_LIST_PROPS_NAME, m_list.GetName());
    m_noteShown = IsNoteShowable(m_list.GetNote());
    SetDlgItemText(IDC_LIST_PROPS_NOTE,
                   m_noteShown ? ToCrLfLineBreaks(m_list.GetNote()) : OverlongNoteText());
    if (auto* note = dynamic_cast<CEdit*>(GetDlgItem(IDC_LIST_PROPS_NOTE)); note && !m_noteShown)
        note->SetReadOnly(TRUE);
    EnableWhileNotEmpty(*this, IDC_LIST_PROPS_NAME, IDOK);
    return TRUE;
}

BOOL CListPropsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam && LOWORD(wParam) == IDC_LIST_PROPS_NAME && HIWORD(wParam) == EN_CHANGE) {
        EnableWhileNotEmpty(*this, IDC_LIST_PROPS_NAME, IDOK);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CListPropsDlg::OnOK()
{
    std::string typed;
    GetDlgItemText(IDC_LIST_PROPS_NAME, typed);
    const std::string name = NamedListNameFromInput(typed);
    if (name.empty())
        return Refuse(*this, IDC_LIST_PROPS_NAME, "List name may be not be blank");
    if (const CNamedList* other = FindNamedList(name); other && other != &m_list)
        return Refuse(*this, IDC_LIST_PROPS_NAME,
                      "This name is already being used by another list");
    if (const std::string problem = ListNameLengthProblem(name); !problem.empty())
        return Refuse(*this, IDC_LIST_PROPS_NAME, problem);
    m_list.SetName(name);
    if (m_noteShown) {
        std::string note;
        GetDlgItemText(IDC_LIST_PROPS_NOTE, note);
        m_list.SetNote(ToLfLineBreaks(note));
    }
    EndDialog(IDOK);
}

CSelectNamedListDlg::CSelectNamedListDlg(CWnd* parent) : CDialog(kSelectNamedListTemplate, parent)
{
}

BOOL CSelectNamedListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWnd* place = GetDlgItem(IDC_SELECT_LIST_PLACE);
    CRect rect;
    if (place) {
        place->GetWindowRect(&rect);
        ScreenToClient(&rect);
    }
    if (!place || !m_box.Create(rect, this, IDC_SELECT_LIST_PLACE + 1, this)) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    place->ShowWindow(SW_HIDE);
    m_box.Fill(FindNamedList(m_name));
    OnListsBoxSelChanged();
    m_box.GetBox().SetFocus();
    return FALSE;
}

void CSelectNamedListDlg::OnListsBoxSelChanged()
{
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->EnableWindow(m_box.GetSelectedList() != nullptr);
}

void CSelectNamedListDlg::OnOK()
{
    const CNamedList* list = m_box.GetSelectedList();
    if (!list)
        return;
    m_name = list->GetName();
    EndDialog(IDOK);
}

CDeleteListRecordsDlg::CDeleteListRecordsDlg(const CNamedList& list, CWnd* parent)
    : CDialog(kDeleteListRecordsTemplate, parent), m_list(list)
{
}

BOOL CDeleteListRecordsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_DELETE_RECORDS_NAME, m_list.GetName());
    SetDlgItemText(
        IDC_DELETE_RECORDS_CHECK,
        text::Format("I understand that %d records will be deleted", m_list.Entries().size()));
    if (CWnd* button = GetDlgItem(IDOK))
        button->EnableWindow(FALSE);
    return TRUE;
}

BOOL CDeleteListRecordsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam && LOWORD(wParam) == IDC_DELETE_RECORDS_CHECK && HIWORD(wParam) == BN_CLICKED) {
        if (CWnd* button = GetDlgItem(IDOK))
            button->EnableWindow(IsDlgButtonChecked(IDC_DELETE_RECORDS_CHECK) == BST_CHECKED);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

CAddToNamedListDlg::CAddToNamedListDlg(bool addMode, CWnd* parent)
    : CDialog(kAddToNamedListTemplate, parent), m_addMode(addMode)
{
}

BOOL CAddToNamedListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_addMode) {
        SetWindowText("Add To Named List");
        SetDlgItemText(IDC_ADD_TO_LIST_LABEL,
                       "Select Named List to add item(s) to, or enter name of new list");
    } else {
        SetWindowText("Remove Items From Named List");
        SetDlgItemText(IDC_ADD_TO_LIST_LABEL, "Select Named List to remove item(s) from");
        if (CWnd* replace = GetDlgItem(IDC_ADD_TO_LIST_REPLACE))
            replace->ShowWindow(SW_HIDE);
    }
    if (auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_ADD_TO_LIST_COMBO))) {
        for (const CNamedList* list = CNamedList::GetFirst(); list; list = list->GetNext())
            combo->AddString(list->GetName().c_str());
    }
    return TRUE;
}

void CAddToNamedListDlg::OnOK()
{
    std::string typed;
    GetDlgItemText(IDC_ADD_TO_LIST_COMBO, typed);
    const std::string name = NamedListNameFromInput(typed);
    if (name.empty())
        return Refuse(*this, IDC_ADD_TO_LIST_COMBO,
                      m_addMode ? "Please select a Named List or enter the name of a new one"
                                : "Please select a Named List");
    if (!FindNamedList(name)) {
        if (!m_addMode)
            return Refuse(*this, IDC_ADD_TO_LIST_COMBO, "List not found.");
        if (const std::string problem = ListNameLengthProblem(name); !problem.empty())
            return Refuse(*this, IDC_ADD_TO_LIST_COMBO, problem);
        if (MessageBox("No list found with this name.  Create new one?", MB_OKCANCEL) != IDOK)
            return;
    }
    m_name = name;
    m_replace = m_addMode && IsDlgButtonChecked(IDC_ADD_TO_LIST_REPLACE) == BST_CHECKED;
    EndDialog(IDOK);
}
