// records/dialogs/data_ref_dlg.cpp: the Data Reference Assistant.
#include "records/dialogs/data_ref_dlg.h"

#include "common/abort.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/edit.h"

CDataRefDlg::CDataRefDlg(CWnd* parent, std::uint32_t typeMask, int mode, IDataRefInsertSink* sink)
    : CDialog(kDataRefTemplate, parent), m_typeMask(typeMask), m_mode(mode), m_sink(sink)
{
}

BOOL CDataRefDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_mode == kModeChoose) {
        SetDlgItemText(IDC_DATAREF_INSERT, "&OK");
        SetDlgItemText(IDCANCEL, "&Cancel");
        if (CWnd* closeAfter = GetDlgItem(IDC_DATAREF_CLOSE_AFTER))
            closeAfter->ShowWindow(SW_HIDE);
    } else {
        CheckDlgButton(IDC_DATAREF_CLOSE_AFTER, BST_CHECKED);
    }
    if (CWnd* frame = GetDlgItem(IDC_DATAREF_FRAME)) {
        CRect rect;
        frame->GetWindowRect(&rect);
        ScreenToClient(&rect);
        const DWORD options = m_mode == kModeChoose ? kChooseOptions : kInsertOptions;
        if (!m_tree.Create(this, rect, IDC_DATAREF_TREE,
                           WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, options, m_typeMask,
                           this))
            m_tree.DestroyWindow();
    }
    CheckDlgButton(IDC_DATAREF_QUALIFIERS, BST_CHECKED);
    CheckDlgButton(IDC_DATAREF_LINKED, BST_CHECKED);
    UpdateInsert();
    if (m_tree.GetSafeHwnd()) {
        m_tree.SetFocus();
        return FALSE;
    }
    return TRUE;
}

void CDataRefDlg::UpdateInsert()
{
    std::string text;
    GetDlgItemText(IDC_DATAREF_TEXT, text);
    if (CWnd* insert = GetDlgItem(IDC_DATAREF_INSERT))
        insert->EnableWindow(!text.empty());
}

void CDataRefDlg::OnTypeTreeSelChanged(CTypeTree* tree)
{
    std::string text;
    CTreeBoxNode* item = tree->GetFocusItem();
    if (item && item->m_selected && tree->BuildDataRefPath(item, text, false, false) &&
        m_mode == kModeInsert)
        text = "%" + text + "%";
    SetDlgItemText(IDC_DATAREF_TEXT, text);
    UpdateInsert();
}

void CDataRefDlg::OnTypeTreeItemActivated(CTypeTree*, CTreeBoxNode*)
{
    Insert();
}

BOOL CDataRefDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == IDC_DATAREF_TEXT && code == EN_CHANGE) {
        UpdateInsert();
        return TRUE;
    }
    if (code == BN_CLICKED && (id == IDC_DATAREF_QUALIFIERS || id == IDC_DATAREF_LINKED)) {
        if (m_tree.GetSafeHwnd()) {
            const bool on = IsDlgButtonChecked(id) == BST_CHECKED;
            if (id == IDC_DATAREF_QUALIFIERS)
                m_tree.ShowQualifiers(on);
            else
                m_tree.ShowLinkedRecords(on);
        }
        return TRUE;
    }
    if (id == IDC_DATAREF_INSERT && code == BN_CLICKED) {
        Insert();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CDataRefDlg::OnOK()
{
    Insert();
}

void CDataRefDlg::Insert()
{
    try {
        std::string text;
        GetDlgItemText(IDC_DATAREF_TEXT, text);
        if (text.empty()) {
            MessageBeep();
            return;
        }
        if (m_sink)
            m_sink->InsertDataRef(*this, text);
        if (m_mode == kModeChoose) {
            m_result = text;
            EndDialog(IDOK);
        } else if (IsDlgButtonChecked(IDC_DATAREF_CLOSE_AFTER) == BST_CHECKED) {
            EndDialog(IDOK);
        }
    } catch (...) {
        // The dialog stays open; whatever the sink could not do is its own to report.
        EndAbandonedOperation();
    }
}
