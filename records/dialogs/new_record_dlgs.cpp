// records/dialogs/new_record_dlgs.cpp: creating a repository or a source record, and where a
// new note goes.
#include "records/dialogs/new_record_dlgs.h"

#include "records/datactl/data_ctl.h"
#include "records/dialogs/select_record_dlg.h"

#include "common/abort.h"
#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/frames/menu.h"

#include <exception>
#include <utility>
#include <vector>

namespace {

constexpr const char* kError = "An error has occurred.";

/// A field and the dialog control that holds its value.
struct FieldValue {
    int fieldId;
    int controlId;
};

std::string Trimmed(const CDialog& dialog, int id)
{
    std::string text;
    dialog.GetDlgItemText(id, text);
    return text::Trim(ToLfLines(text));
}

/// A record of the type with a field for each value that is not blank, in the order given,
/// announced; null, after the announcement and an error message, when it cannot be made.
CRecordNode* CreateRecordFrom(const CDialog& dialog, int listIndex,
                              const std::vector<FieldValue>& values, CRecordNode* repository)
{
    CRecordNode* record = nullptr;
    try {
        CDataNode* root = GetRecordTypeRoot(listIndex);
        record = root ? dynamic_cast<CRecordNode*>(
                            root->CreateChild(nullptr, CreateOptions{.withChildren = false}))
                      : nullptr;
        if (!record)
            ThrowAbort();
        for (const FieldValue& value : values) {
            const std::string text = Trimmed(dialog, value.controlId);
            if (!text.empty() && !record->AddTextChild(value.fieldId, text))
                ThrowAbort();
        }
        if (repository && !record->AddLinkChild(FIELD_REPO, repository))
            ThrowAbort();
    } catch (const COperationAborted&) {
        record = nullptr;
    } catch (const std::exception&) {
        record = nullptr;
    }
    NotifyChanges();
    if (!record)
        MessageBox(kError, MB_OK | MB_ICONEXCLAMATION);
    return record;
}

bool HasText(const CDialog& dialog, int id)
{
    return !Trimmed(dialog, id).empty();
}

} // namespace

// ---- New Repository ---------------------------------------------------------------------------

CNewRepositoryDlg::CNewRepositoryDlg(CWnd* parent) : CDialog(kNewRepositoryTemplate, parent) {}

BOOL CNewRepositoryDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* create = GetDlgItem(IDOK))
        create->EnableWindow(FALSE);
    return TRUE;
}

BOOL CNewRepositoryDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam && LOWORD(wParam) == IDC_REPO_NAME && HIWORD(wParam) == EN_CHANGE) {
        std::string name;
        GetDlgItemText(IDC_REPO_NAME, name);
        if (CWnd* create = GetDlgItem(IDOK))
            create->EnableWindow(!name.empty());
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CNewRepositoryDlg::OnOK()
{
    if (!HasText(*this, IDC_REPO_NAME)) {
        MessageBox("You must supply a name for the new repository.", MB_OK);
        GotoDlgCtrl(GetDlgItem(IDC_REPO_NAME));
        return;
    }
    m_created = CreateRecordFrom(*this, RECORD_LIST_REPO,
                                 {{FIELD_NAME, IDC_REPO_NAME},
                                  {FIELD_ADDR, IDC_REPO_ADDRESS},
                                  {FIELD_PHON, IDC_REPO_PHONE},
                                  {FIELD_REFN, IDC_NEW_REFERENCE},
                                  {FIELD_NOTE_TEXT, IDC_NEW_NOTE}},
                                 nullptr);
    if (m_created)
        EndDialog(IDOK);
}

// ---- New Source -------------------------------------------------------------------------------

CNewSourceDlg::CNewSourceDlg(CWnd* parent) : CDialog(kNewSourceTemplate, parent) {}

BOOL CNewSourceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateCreate();
    return TRUE;
}

void CNewSourceDlg::UpdateCreate()
{
    std::string title, shortTitle;
    GetDlgItemText(IDC_SOURCE_TITLE, title);
    GetDlgItemText(IDC_SOURCE_SHORT_TITLE, shortTitle);
    if (CWnd* create = GetDlgItem(IDOK))
        create->EnableWindow(!title.empty() || !shortTitle.empty());
}

BOOL CNewSourceDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (lParam && HIWORD(wParam) == EN_CHANGE &&
        (id == IDC_SOURCE_TITLE || id == IDC_SOURCE_SHORT_TITLE)) {
        UpdateCreate();
        return TRUE;
    }
    if (lParam && HIWORD(wParam) == BN_CLICKED && id == IDC_SOURCE_SELECT) {
        OnSelectRepository();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CNewSourceDlg::OnSelectRepository()
{
    constexpr UINT kReplace = 1, kClear = 2;
    UINT choice = kReplace;
    if (m_repository) {
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, kReplace, "Replace current selection...");
        menu.AppendMenu(MF_STRING, kClear, "Clear current selection");
        CRect button;
        if (CWnd* select = GetDlgItem(IDC_SOURCE_SELECT))
            select->GetWindowRect(&button);
        choice = UINT(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_NONOTIFY | TPM_RETURNCMD,
                                          int(button.left), int(button.bottom), this));
    }
    if (choice == kClear) {
        m_repository = nullptr;
        SetDlgItemText(IDC_SOURCE_REPOSITORY, "");
        return;
    }
    if (choice != kReplace)
        return;
    CRecordNode* repository =
        SelectRecordOfList(this, "Select repository...", RECORD_LIST_REPO, true);
    if (!repository)
        return;
    m_repository = repository;
    std::string text;
    m_repository->GetText(text, 0);
    SetDlgItemText(IDC_SOURCE_REPOSITORY, text);
}

void CNewSourceDlg::OnOK()
{
    if (!HasText(*this, IDC_SOURCE_TITLE) && !HasText(*this, IDC_SOURCE_SHORT_TITLE)) {
        MessageBox("You must supply either a title or a short title for the new source.", MB_OK);
        GotoDlgCtrl(GetDlgItem(IDC_SOURCE_TITLE));
        return;
    }
    m_created = CreateRecordFrom(*this, RECORD_LIST_SOUR,
                                 {{FIELD_TITL, IDC_SOURCE_TITLE},
                                  {FIELD_AUTH, IDC_SOURCE_AUTHOR},
                                  {FIELD_REFN, IDC_SOURCE_REFERENCE},
                                  {FIELD_PUBL, IDC_SOURCE_PUBLICATION},
                                  {FIELD_ABBR, IDC_SOURCE_SHORT_TITLE},
                                  {FIELD_TEXT, IDC_SOURCE_TEXT},
                                  {FIELD_NOTE_TEXT, IDC_NEW_NOTE}},
                                 m_repository);
    if (m_created)
        EndDialog(IDOK);
}

// ---- Add Note ---------------------------------------------------------------------------------

CAddNoteDlg::CAddNoteDlg(CWnd* parent) : CDialog(kAddNoteTemplate, parent) {}

BOOL CAddNoteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_record) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    auto* families = dynamic_cast<CComboBox*>(GetDlgItem(IDC_NOTE_FAMILIES));
    const auto* individual = dynamic_cast<const CIndRec*>(m_record);
    if (individual && families) {
        for (CFamRec* family = individual->GetNextSpouseFamily(nullptr); family;
             family = individual->GetNextSpouseFamily(family)) {
            const CIndRec* partner = individual->GetSpouseInFamily(family);
            std::string text = "<no spouse>";
            if (partner) {
                partner->GetText(text, 0);
                if (text.empty())
                    text = "<no name>";
            }
            const int item = families->AddString(text.c_str());
            families->SetItemData(item, DWORD_PTR(family));
        }
        families->SetCurSel(0);
    }
    if (CWnd* familyNote = GetDlgItem(IDC_NOTE_FAMILY))
        familyNote->EnableWindow(individual && families && families->GetCount() > 0);
    CheckRadioButton(IDC_NOTE_LOCAL, IDC_NOTE_LINK, IDC_NOTE_LOCAL);
    UpdateFamilyControls();
    return TRUE;
}

void CAddNoteDlg::UpdateFamilyControls()
{
    const bool family = IsDlgButtonChecked(IDC_NOTE_FAMILY) == BST_CHECKED;
    for (const int id : {IDC_NOTE_FAMILY_LABEL, IDC_NOTE_FAMILIES})
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(family);
}

BOOL CAddNoteDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (lParam && HIWORD(wParam) == BN_CLICKED && id >= IDC_NOTE_LOCAL && id <= IDC_NOTE_LINK) {
        UpdateFamilyControls();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CAddNoteDlg::OnOK()
{
    switch (GetCheckedRadioButton(IDC_NOTE_LOCAL, IDC_NOTE_LINK)) {
    case IDC_NOTE_LOCAL:
        m_choice = 0;
        break;
    case IDC_NOTE_FAMILY: {
        const auto* families = dynamic_cast<CComboBox*>(GetDlgItem(IDC_NOTE_FAMILIES));
        const int item = families ? families->GetCurSel() : -1;
        if (item < 0)
            return;
        m_choice = 1;
        m_family = reinterpret_cast<CFamRec*>(families->GetItemData(item));
        break;
    }
    case IDC_NOTE_LINK:
        m_choice = 2;
        break;
    default:
        return;
    }
    EndDialog(IDOK);
}
