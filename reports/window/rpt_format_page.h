// reports/window/rpt_format_page.h: the Format page of the Report Options sheet: the report's
// fonts, heading styles and headings, its date format and empty section text.
//
// With heading_style_dlg.h and heading_details_dlg.h; "Colours..." for Descendant, Ancestor and
// record reports, over the colour chooser of controls/.
#pragma once

#include "controls/col_box.h"
#include "reports/window/rpt_opts_dlg.h"

#include <array>
#include <string>
#include <vector>

inline constexpr UINT IDD_RPT_FORMAT = 361;
inline constexpr int IDC_RPF_EMPTY_LABEL = 1650, IDC_RPF_EMPTY_TEXT = 1651, IDC_RPF_DATE = 1652,
                     IDC_RPF_FONTS = 1654, IDC_RPF_STYLES = 1655, IDC_RPF_HEADINGS = 1656,
                     IDC_RPF_EDIT = 1657, IDC_RPF_COLOURS = 1653;

/// The fonts (RptFont), heading style levels (1-3) and heading rows a report type lists, in the
/// order the page shows them.
std::vector<int> RptFormatFonts(int reportType);
std::vector<int> RptFormatStyleLevels(int reportType);
std::vector<int> RptFormatHeadings(int reportType);
/// The rows' texts.
std::string RptFontRowText(int font, const LOGFONT& value);
std::string RptStyleRowText(int level, const CRptHeadingStyle& style);
std::string RptHeadingRowText(int heading, const CRptHeading& value);
/// The date combo's index for a stored date format (6-11; others show "Compact"), and back.
int RptDateComboIndex(int dateFormat);
int RptDateFormatOfIndex(int index);

class CRptFormatPage final : public CRptPage, public CColBoxOwner {
public:
    CRptFormatPage() : CRptPage(IDD_RPT_FORMAT, kRptPartFormat) {}

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    /// One list has a selection at a time: selecting in one clears the others.
    void OnSelChanged(CColBox* box) override;
    bool OnDoubleClick(CColBox* box, CTreeBoxNode* node, int part) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void FillLists();
    /// Edits the selected row of whichever list has one.
    void EditSelected();
    void EnableEdit();
    /// "Colours...": the colour chooser over the report's three colours.
    void ChooseReportColours();

    std::vector<int> m_fonts, m_levels, m_headings;
    /// The font, style and heading lists.
    std::array<CColBox, 3> m_lists;
    bool m_clearing = false;
};
