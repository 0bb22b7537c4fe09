// reports/window/edit_item_dlg.h: Edit Item Details (Add Item in add mode): the label,
// expression and show mode of one item of a report's item list.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <string>

inline constexpr UINT IDD_EDIT_ITEM = 375;
inline constexpr int IDC_ITEM_LABEL = 1780, IDC_ITEM_EXPRESSION = 1781, IDC_ITEM_SHOW = 1782,
                     IDC_ITEM_SHOW_EMPTY = 1783, IDC_ITEM_HIDE = 1784, IDC_ITEM_DATA_REF = 1785;

class CEditItemDlg final : public CDialog {
public:
    explicit CEditItemDlg(CWnd* parent = nullptr) : CDialog(IDD_EDIT_ITEM, parent) {}

    BOOL OnInitDialog() override;
    /// An editable item needs a label and an expression (both trimmed).
    void OnOK() override;

    std::string m_expression;
    std::string m_label;
    /// 0 hide, 1 show, 2 show even if empty.
    int m_show = 1;
    bool m_mayShowEmpty = true;
    bool m_editable = true;
    bool m_addMode = false;
    /// The record type whose fields "<< &Insert Data Ref..." offers; -1 none.
    int m_recordType = -1;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
