// reports/window/edit_item_dlg.cpp: the Edit Item Details dialog.
#include "reports/window/edit_item_dlg.h"

#include "reports/window/data_ref_insert.h"

#include "platform/base/prompt.h"
#include "platform/base/text.h"

BOOL CEditItemDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_addMode) {
        SetWindowText("Add Item");
        SetDlgItemText(IDOK, "Add");
    }
    SetDlgItemText(IDC_ITEM_LABEL, m_label);
    SetDlgItemText(IDC_ITEM_EXPRESSION, m_expression);
    for (int id : {IDC_ITEM_LABEL, IDC_ITEM_EXPRESSION})
        if (CWnd* edit = GetDlgItem(id))
            edit->EnableWindow(m_editable);
    if (CWnd* dataRef = GetDlgItem(IDC_ITEM_DATA_REF))
        dataRef->EnableWindow(m_editable && HasDataRefs(m_recordType));
    if (CWnd* empty = GetDlgItem(IDC_ITEM_SHOW_EMPTY))
        empty->EnableWindow(m_mayShowEmpty);
    const int radio = m_show == 0                     ? IDC_ITEM_HIDE
                      : m_show == 2 && m_mayShowEmpty ? IDC_ITEM_SHOW_EMPTY
                                                      : IDC_ITEM_SHOW;
    CheckDlgButton(radio, 1);
    return TRUE;
}

BOOL CEditItemDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_ITEM_DATA_REF && HIWORD(wParam) == BN_CLICKED) {
        InsertDataRef(*this, IDC_ITEM_EXPRESSION, m_recordType);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CEditItemDlg::OnOK()
{
    if (m_editable) {
        std::string label, expression;
        GetDlgItemText(IDC_ITEM_LABEL, label);
        GetDlgItemText(IDC_ITEM_EXPRESSION, expression);
        label = std::string(text::TrimView(label));
        expression = std::string(text::TrimView(expression));
        const auto refuse = [this](const char* message, int id) {
            MessageBox(message);
            if (CWnd* edit = GetDlgItem(id))
                GotoDlgCtrl(edit);
        };
        if (label.empty())
            return refuse("Label is missing", IDC_ITEM_LABEL);
        if (expression.empty())
            return refuse("Expression is missing", IDC_ITEM_EXPRESSION);
        m_label = label;
        m_expression = expression;
    }
    m_show = IsDlgButtonChecked(IDC_ITEM_SHOW)         ? 1
             : IsDlgButtonChecked(IDC_ITEM_SHOW_EMPTY) ? 2
                                                       : 0;
    CDialog::OnOK();
}
