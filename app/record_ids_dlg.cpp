// app/record_ids_dlg.cpp: the record-identifier tool.
#include "app/record_ids_dlg.h"

#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/data_node.h"
#include "database/records/record_ids.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"

namespace {

constexpr UINT kTemplate = 320;
constexpr int kTypeCombo = 1103;
constexpr int kRenumber = 1524, kGenerateFromCustomId = 1525, kGenerateFromAutomatedId = 1526,
              kCopyToCustomId = 1527, kCopyToAutomatedId = 1528;
/// The types offered: table indices 1 (families) to 7 (submitters).
constexpr int kFirstTypeOffered = 1, kLastTypeOffered = 7;
/// Table indices of the types without a Custom Id.
constexpr int kRepositories = 5, kSources = 6;

constexpr const char* kConfirmRenumber =
    "All records of the selected type will be assigned new consecutive record ids by renumbering "
    "them, starting from 1.  Press OK to confirm that you wish to do this.";
constexpr const char* kConfirmCopyToCustomId =
    "All records of the selected type will be given new Custom Id values, by copying each "
    "record's record id into their Custom Id field, replacing existing Custom Id values, if "
    "any.  Press OK to confirm that you wish to do this.";
constexpr const char* kConfirmCopyToAutomatedId =
    "All records of the selected type will be given new Automated Record Id values, by copying "
    "each record's record id into their Automated Record Id field, replacing existing Automated "
    "Record Id values, if any.  Press OK to confirm that you wish to do this.";

bool Confirm(const char* question)
{
    return MessageBox(question, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

/// Shows the message an identifier tool came back with, if any.
void Tell(const EngineOutcome& outcome)
{
    if (!outcome.message.empty())
        MessageBox(outcome.message, MB_OK);
}

bool HasRecords(int listIndex)
{
    const CDataNode* root = GetRecordTypeRoot(listIndex);
    return root && root->GetFirstChild();
}

void CopyIds(int listIndex, int fieldId, const char* question)
{
    if (!Confirm(question))
        return;
    const EngineOutcome outcome = CopyRecordIdsToField(listIndex, fieldId);
    Tell(outcome);
    if (outcome)
        MessageBox("Record ids have been copied successfully", MB_OK | MB_ICONINFORMATION);
    else
        MessageBox("An error has occurred - some record ids could not be copied.",
                   MB_OK | MB_ICONEXCLAMATION);
}

/// Takes the numbers from fieldId once the user accepts the tool's question.
void GenerateIds(int listIndex, int fieldId)
{
    const EngineOutcome asked = GenerateRecordIds(listIndex, fieldId, false);
    if (!asked.IsQuestion()) {
        Tell(asked);
        return;
    }
    if (MessageBox(asked.question, MB_OKCANCEL) == IDOK)
        Tell(GenerateRecordIds(listIndex, fieldId, true));
}

} // namespace

CRecordIdsDlg::CRecordIdsDlg(CWnd* parent) : CDialog(kTemplate, parent)
{
    MapNotify(kTypeCombo, CBN_SELCHANGE, [this] { ApplyTypeRule(); });
}

BOOL CRecordIdsDlg::OnInitDialog()
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(kTypeCombo));
    if (!combo)
        return FALSE;
    for (int code = kFirstTypeOffered; code <= kLastTypeOffered; ++code) {
        const CRecordType* row = GetRecordTypeTable().RowByCode(code);
        const int index = combo->AddString(row->m_plural);
        combo->SetItemData(index, DWORD_PTR(code));
    }
    combo->SetCurSel(0);
    CheckRadioButton(kRenumber, kCopyToAutomatedId, kRenumber);
    CDialog::OnInitDialog();
    ApplyTypeRule();
    return TRUE;
}

int CRecordIdsDlg::GetSelectedTableIndex() const
{
    const auto* combo = dynamic_cast<const CComboBox*>(GetDlgItem(kTypeCombo));
    const int selected = combo ? combo->GetCurSel() : CB_ERR;
    return selected == CB_ERR ? -1 : int(combo->GetItemData(selected));
}

void CRecordIdsDlg::ApplyTypeRule()
{
    const int code = GetSelectedTableIndex();
    const bool customId = code != kRepositories && code != kSources;
    for (const int id : {kGenerateFromCustomId, kCopyToCustomId})
        if (CWnd* button = GetDlgItem(id))
            button->EnableWindow(customId);
    const int checked = GetCheckedRadioButton(kRenumber, kCopyToAutomatedId);
    if (!customId && (checked == kGenerateFromCustomId || checked == kCopyToCustomId))
        CheckRadioButton(kRenumber, kCopyToAutomatedId, kRenumber);
}

void CRecordIdsDlg::OnOK()
{
    const int code = GetSelectedTableIndex();
    if (code < 0) {
        MessageBox("You must select a record type", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The tasks count types in list order, the combo box in table order.
    const int listIndex = GetRecordTypeTable().RowByCode(code)->m_listIndex;
    if (!HasRecords(listIndex)) {
        MessageBox("There are no records of the specified type", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    RunTask(GetCheckedRadioButton(kRenumber, kCopyToAutomatedId), listIndex);
}

void CRecordIdsDlg::RunTask(int task, int listIndex)
{
    switch (task) {
    case kRenumber:
        if (Confirm(kConfirmRenumber)) {
            const EngineOutcome outcome = RenumberRecordIds(listIndex);
            Tell(outcome);
            if (outcome)
                MessageBox("Record id renumbering has completed successfully.",
                           MB_OK | MB_ICONINFORMATION);
        }
        break;
    case kGenerateFromCustomId:
        GenerateIds(listIndex, FIELD_REFN);
        break;
    case kGenerateFromAutomatedId:
        GenerateIds(listIndex, FIELD_RIN);
        break;
    case kCopyToCustomId:
        CopyIds(listIndex, FIELD_REFN, kConfirmCopyToCustomId);
        break;
    case kCopyToAutomatedId:
        CopyIds(listIndex, FIELD_RIN, kConfirmCopyToAutomatedId);
        break;
    default:
        break;
    }
}
