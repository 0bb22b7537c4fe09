// queries/window/split_tree_dlg.h: the Split Tree Helper: the user picks which individuals an
// individual query decides to delete, and which linked-to records, submitters and submissions go.
#pragma once

#include "platform/ui/dialogs/dialog.h"

class CComboBox;

class CSplitTreeDlg final : public CDialog {
public:
    explicit CSplitTreeDlg(CWnd* parent = nullptr) : CDialog(261, parent) {}

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void UpdateEnabling();
    CComboBox* Combo(int id) const;
};
