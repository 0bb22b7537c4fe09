// queries/window/qry_select_dlg.cpp: the Select Query dialog.
#include "queries/window/qry_select_dlg.h"

#include "queries/window/query_files.h"

#include "database/dictionary/record_type_table.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/list_box.h"

CQrySelectDlg::CQrySelectDlg(bool removeNote, CWnd* parent)
    : CDialog(kQrySelectTemplate, parent), m_removeNote(removeNote)
{
}

BOOL CQrySelectDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* list = dynamic_cast<CQrySelectListBox*>(GetDlgItem(IDC_QRY_SELECT_LIST));
    if (!list) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    if (CWnd* note = GetDlgItem(IDC_QRY_SELECT_NOTE); note && m_removeNote) {
        CRect listRect;
        CRect noteRect;
        list->GetWindowRect(&listRect);
        note->GetWindowRect(&noteRect);
        listRect.bottom = noteRect.bottom;
        ScreenToClient(&listRect);
        list->MoveWindow(listRect);
        note->DestroyWindow();
    }
    const int typeIndex = GetRecordTypeIndex(m_recordType);
    if (m_recordType && typeIndex >= 0) {
        std::string typeName;
        FormatRecordTypeName(typeIndex, false, true, typeName);
        SetWindowText(text::Format("Select %s Query", typeName.c_str()));
    }
    ListQueryFiles(*list, true, m_recordType);
    UpdateOk();
    return TRUE;
}

void CQrySelectDlg::UpdateOk()
{
    const auto* list = dynamic_cast<CQrySelectListBox*>(GetDlgItem(IDC_QRY_SELECT_LIST));
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->EnableWindow(list && list->GetCurSel() >= 0);
}

BOOL CQrySelectDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam && LOWORD(wParam) == IDC_QRY_SELECT_LIST && HIWORD(wParam) == LBN_SELCHANGE) {
        UpdateOk();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CQrySelectDlg::OnOK()
{
    const auto* list = dynamic_cast<CQrySelectListBox*>(GetDlgItem(IDC_QRY_SELECT_LIST));
    const int selected = list ? list->GetCurSel() : -1;
    if (selected < 0)
        return;
    std::string text;
    list->GetText(selected, text);
    m_name = QueryNameFromEntry(text);
    m_custom = list->GetItemData(selected) != 0;
    EndDialog(IDOK);
}
