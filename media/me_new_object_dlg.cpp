// media/me_new_object_dlg.cpp: the dialog that asks how a new object is attached to the current
// record: as a record linked to it, an unlinked record, or a field of it.
#include "media/me_new_object_dlg.h"

#include "database/nodes/data_node.h"

namespace {

constexpr UINT kTemplate = 254;
constexpr int kLinkedRecordButton = 1227, kFieldButton = 1228, kUnlinkedButton = 1231;

int ButtonOf(int insertAs)
{
    switch (insertAs) {
    case CMeNewObjectDlg::kLinkedRecord:
        return kLinkedRecordButton;
    case CMeNewObjectDlg::kField:
        return kFieldButton;
    default:
        return kUnlinkedButton;
    }
}

} // namespace

CMeNewObjectDlg::CMeNewObjectDlg(CWnd* parent) : CDialog(kTemplate, parent)
{
    const std::pair<int, int> options[] = {{kLinkedRecordButton, kLinkedRecord},
                                           {kUnlinkedButton, kUnlinkedRecord},
                                           {kFieldButton, kField}};
    for (const auto& [button, insertAs] : options)
        MapCommand(button, [this, insertAs = insertAs] { m_insertAs = insertAs; });
}

BOOL CMeNewObjectDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    bool canLink = m_canLinkRecord != FALSE;
    bool canField = m_canField != FALSE;
    if (m_pContext) {
        std::string name;
        m_pContext->GetText(name, 0);
        SetDlgItemText(kLinkedRecordButton, "record, linked to " + name);
        SetDlgItemText(kFieldButton, "field, belonging to  " + name);
    } else {
        m_insertAs = kUnlinkedRecord;
        canLink = canField = false;
    }
    if (!canLink) {
        GetDlgItem(kLinkedRecordButton)->EnableWindow(FALSE);
        if (m_insertAs == kLinkedRecord)
            m_insertAs = kUnlinkedRecord;
    }
    if (!canField) {
        GetDlgItem(kFieldButton)->EnableWindow(FALSE);
        if (m_insertAs == kField)
            m_insertAs = kUnlinkedRecord;
    }
    CheckRadioButton(kLinkedRecordButton, kUnlinkedButton, ButtonOf(m_insertAs));
    return TRUE;
}
