// reports/window/rpt_sources_page.h: the Sources page of the Report Options sheet: which
// citations, source and repository fields a report shows, where, and with which pictures.
#pragma once

#include "reports/window/rpt_opts_dlg.h"

inline constexpr UINT IDD_RPT_SOURCES = 365;
/// The check box of source flag f is IDC_RPS_FLAG + f (the two location flags have none).
inline constexpr int IDC_RPS_FLAG = 1700, IDC_RPS_SAME_PAGE = 1730, IDC_RPS_NEW_PAGE = 1731,
                     IDC_RPS_REPORT_END = 1732, IDC_RPS_SOURCE_PICS = 1733,
                     IDC_RPS_SOURCE_MAX = 1734, IDC_RPS_CITATION_PICS = 1735,
                     IDC_RPS_CITATION_MAX = 1736, IDC_RPS_PIC_WIDTH = 1737, IDC_RPS_GAPS = 1738,
                     IDC_RPS_CAPTIONS = 1740, IDC_RPS_TITLES = 1741, IDC_RPS_WIDTH_LABEL = 1742,
                     IDC_RPS_SOURCE_SPIN = 1743, IDC_RPS_CITATION_SPIN = 1744;

class CRptSourcesPage final : public CRptPage {
public:
    CRptSourcesPage() : CRptPage(IDD_RPT_SOURCES, kRptPartSources) {}

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void EnableControls();

    bool m_initialised = false;
};
