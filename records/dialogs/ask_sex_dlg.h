// records/dialogs/ask_sex_dlg.h: the question whether a person is male or female.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <string>

inline constexpr UINT kAskSexTemplate = 132;
inline constexpr int IDC_ASK_SEX_TEXT = 1002, IDC_ASK_SEX_MALE = 1000, IDC_ASK_SEX_FEMALE = 1001;

/// Asks "Please indicate the sex of " followed by m_phrase. After IDOK m_result is 0 (male) or
/// 1 (female); Cancel leaves 3.
class CAskSexDlg final : public CDialog {
public:
    explicit CAskSexDlg(CWnd* parent = nullptr);

    std::string m_phrase;
    int m_result = 3;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
