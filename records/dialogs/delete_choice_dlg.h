// records/dialogs/delete_choice_dlg.h: the question whether to delete a link or the record it
// points to.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <string>

inline constexpr UINT kDeleteChoiceTemplate = 239;
inline constexpr int IDC_DELETE_LINK = 1241, IDC_DELETE_RECORD = 1242;

/// The caller sets the texts and the choice, runs DoModal; after IDOK m_choice is TRUE when the
/// link is to go, FALSE for the record.
class CDeleteChoiceDlg final : public CDialog {
public:
    explicit CDeleteChoiceDlg(CWnd* parent = nullptr);

    BOOL m_choice = TRUE;
    std::string m_title;
    std::string m_linkText;
    std::string m_recordText;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    /// Widens the dialog so that the longer text shows whole.
    void FitChoices();
};
