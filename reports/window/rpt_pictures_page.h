// reports/window/rpt_pictures_page.h: the Pictures page of the Report Options sheet: how many
// pictures each role shows, where and how large, their captions, preference and gaps.
#pragma once

#include "reports/window/rpt_opts_dlg.h"

#include <string>

/// The picture page template of a report type and record type; 0 for none.
UINT RptPicturesTemplate(int reportType, int recordType);

/// Role r's controls are IDC_RPP_ROW + 10 r + one of the offsets.
inline constexpr int IDC_RPP_ROW = 1900, kRppMax = 0, kRppLocation = 1, kRppSize = 2,
                     kRppHeight = 3, kRppWidth = 4, kRppLabel = 5, kRppSpin = 6;
/// The most pictures a role may show.
inline constexpr int kRptMaxPictures = 100;
inline constexpr int IDC_RPP_CAPTION = 1950, IDC_RPP_PREF_GROUP = 1955, IDC_RPP_PREF = 1956,
                     IDC_RPP_GAPS = 1959;

/// The first refusal of a custom picture size: the message and the edit to focus (0: none).
struct RptPicProblem {
    std::string message;
    int focus = 0;
};
RptPicProblem CheckCustomPictureSizes(const CRptPictures& pictures);

class CRptPicturesPage final : public CRptPage {
public:
    explicit CRptPicturesPage(UINT templateId) : CRptPage(templateId, kRptPartPictures) {}

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void EnableControls();
    /// Exchanges both ways without the custom size checks, so that a choice or a move between
    /// edits brings no message; left alone while a maximum is no whole number.
    void ExchangeQuietly();

    bool m_initialised = false;
    /// Cleared while ExchangeQuietly runs.
    bool m_validate = true;
};
