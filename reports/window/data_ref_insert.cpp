// reports/window/data_ref_insert.cpp: inserting a data reference into a report dialog's edit.
#include "reports/window/data_ref_insert.h"

#include "database/dictionary/record_type_table.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/edit.h"
#include "records/dialogs/data_ref_dlg.h"

bool HasDataRefs(int recordType)
{
    return recordType >= 0 && recordType <= 8;
}

bool InsertDataRef(CWnd& dialog, int editId, int recordType)
{
    auto* edit = dynamic_cast<CEdit*>(dialog.GetDlgItem(editId));
    if (!edit || !HasDataRefs(recordType))
        return false;
    CDataRefDlg picker(&dialog, RecordTypeIndexToMask(recordType), CDataRefDlg::kModeChoose,
                       nullptr);
    if (picker.DoModal() != IDOK || picker.m_result.empty())
        return false;
    edit->ReplaceSel(("%" + picker.m_result + "%").c_str(), TRUE);
    return true;
}
