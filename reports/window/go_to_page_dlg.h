// reports/window/go_to_page_dlg.h: Go To Page: a page chosen by its printed number or by its
// sequence number within the report.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <string>

inline constexpr UINT IDD_GO_TO_PAGE = 364;
inline constexpr int IDC_GO_BY_NUMBER = 1580, IDC_GO_BY_SEQUENCE = 1581, IDC_GO_LABEL = 1582,
                     IDC_GO_NUMBER = 1583, IDC_GO_TOTAL = 1584, IDC_GO_START = 1585;

class CGoToPageDlg final : public CDialog {
public:
    explicit CGoToPageDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    /// The number typed (a printed page number, or a sequence number when m_bySequence).
    int m_number = 0;
    std::string m_totalText;
    std::string m_startText;
    int m_bySequence = 1;
    int m_startPage = 1;
    int m_pageCount = 0;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

/// The whole number text holds (blanks around it allowed); false for anything else or a number
/// beyond an int.
bool ReadPageNumber(const std::string& text, int& number);
