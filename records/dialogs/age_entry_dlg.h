// records/dialogs/age_entry_dlg.h: the Age Entry Assistant, which builds an age from its kind
// and up to three numbers.
#pragma once

#include "database/fields/age_node.h"
#include "platform/ui/dialogs/dialog.h"

/// The caller fills m_age, runs DoModal and after IDOK reads m_age. The number boxes take
/// digits only, as many as the part of an age can hold.
class CAgeEntryDlg final : public CDialog {
public:
    explicit CAgeEntryDlg(CWnd* parent = nullptr);

    CAgeValue m_age;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    /// The number boxes and their labels are enabled for the kinds with numbers.
    void UpdateControls();
    int CheckedKind() const;
};
