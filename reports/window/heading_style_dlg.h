// reports/window/heading_style_dlg.h: Heading Style: the lines, gaps, line thickness and
// keep-with-next of one heading level.
#pragma once

#include "platform/ui/dialogs/dialog.h"
#include "reports/rpt_settings.h"

#include <string_view>

inline constexpr UINT IDD_HEADING_STYLE = 368;
inline constexpr int IDC_HS_LINE_ABOVE = 1660, IDC_HS_LINE_BELOW = 1661, IDC_HS_GAP_ABOVE = 1662,
                     IDC_HS_GAP_BELOW = 1663, IDC_HS_THICKNESS_LABEL = 1664,
                     IDC_HS_THICKNESS = 1665, IDC_HS_KEEP_WITH = 1666, IDC_HS_LEVEL = 1667;

/// The leading whole number of text (blanks before it skipped); 0 without one.
int ReadLeadingNumber(std::string_view text);

class CHeadingStyleDlg final : public CDialog {
public:
    explicit CHeadingStyleDlg(CWnd* parent = nullptr) : CDialog(IDD_HEADING_STYLE, parent) {}

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

    int m_level = 1;
    CRptHeadingStyle m_style;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void EnableThickness();
};
