// reports/window/rpt_page_layout_page.h: the Page Layout page of the Report Options sheet:
// symmetry, orientation, margins, header and footer texts and fonts, column indents, depths and
// the first page number.
#pragma once

#include "reports/window/rpt_opts_dlg.h"

#include <string>
#include <string_view>

struct LOGFONT;

inline constexpr UINT IDD_RPT_PAGE_LAYOUT = 362;
inline constexpr int IDC_RPL_SYMMETRY = 1600, IDC_RPL_PORTRAIT = 1601, IDC_RPL_LANDSCAPE = 1602,
                     IDC_RPL_MARGIN_TOP = 1603, IDC_RPL_MARGIN_LEFT = 1604,
                     IDC_RPL_MARGIN_BOTTOM = 1605, IDC_RPL_MARGIN_RIGHT = 1606,
                     IDC_RPL_HEADER_TEXT = 1607, IDC_RPL_HEADER_FONT = 1610,
                     IDC_RPL_HEADER_LINE = 1613, IDC_RPL_FOOTER_TEXT = 1614,
                     IDC_RPL_FOOTER_FONT = 1617, IDC_RPL_FOOTER_LINE = 1620,
                     IDC_RPL_COLUMNS_GROUP = 1621, IDC_RPL_COLUMN = 1622,
                     IDC_RPL_COLUMN_LABEL = 1626, IDC_RPL_TAB_WIDTH = 1630,
                     IDC_RPL_PARA_INDENT = 1631, IDC_RPL_PARA_LABEL = 1632,
                     IDC_RPL_HEADER_DEPTH = 1633, IDC_RPL_FOOTER_DEPTH = 1634,
                     IDC_RPL_START_PAGE = 1635, IDC_RPL_RECORD_START = 1636,
                     IDC_RPT_INSTALLATION = 1638;

/// Hundredths shown as a decimal number: 50 as "0.5", 150 as "1.5", 100 as "1".
std::string FormatHundredths(int value);
/// The leading digits and at most two decimals as hundredths; 0 for text without a leading
/// digit (so "-1" reads 0); held below 10,000,000.
int ReadHundredths(std::string_view text);
/// Whether text can be read as a length at all: it holds a digit.
bool IsLengthText(std::string_view text);
/// "%s %ld pt": the face name and the size in points of a report font.
std::string FontButtonText(const LOGFONT& font);
/// The font dialog on a report font (its height in points); true, the font changed, on OK.
bool ChooseReportFont(CWnd* parent, LOGFONT& font);

class CRptPageLayoutPage final : public CRptPage {
public:
    CRptPageLayoutPage() : CRptPage(IDD_RPT_PAGE_LAYOUT, kRptPartLayout) {}

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void LabelFontButtons();
    /// Leaving a number edit exchanges the page both ways, so what was typed shows as it is
    /// kept ("0.50" as "0.5"); a text that would be refused waits for OK or Apply to say so.
    void Normalise();

    bool m_normalising = false;
};
