// reports/window/heading_details_dlg.h: Heading Details: the text and show mode of one heading
// of the settings being edited.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <string>

class CRptSettings;

inline constexpr UINT IDD_HEADING_DETAILS = 370;
inline constexpr int IDC_HD_LABEL = 1670, IDC_HD_LEVEL = 1671, IDC_HD_TEXT = 1672,
                     IDC_HD_SHOW = 1673, IDC_HD_SHOW_EMPTY = 1674, IDC_HD_HIDE = 1675,
                     IDC_HD_DATA_REF = 1676;

class CHeadingDetailsDlg final : public CDialog {
public:
    CHeadingDetailsDlg(CRptSettings& settings, int heading, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    /// "<< &Insert Data Ref...": a reference to the heading's record type into the text.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CRptSettings& m_settings;
    int m_heading;
};
