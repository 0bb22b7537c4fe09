// reports/rpt_settings_page.cpp: the page layout's values taken from a report's settings.
#include "reports/rpt_settings.h"

RptPageSettings CRptSettings::GetPageSettings() const
{
    RptPageSettings page;
    const CRptLayout& layout = m_layout;
    page.marginTop = layout.m_marginTop;
    page.marginBottom = layout.m_marginBottom;
    page.marginLeft = layout.m_marginLeft;
    page.marginRight = layout.m_marginRight;
    page.mirrorPages = layout.m_mirrorPages;
    page.headerTexts = layout.m_headerTexts;
    page.footerTexts = layout.m_footerTexts;
    page.headerFonts = layout.m_headerFonts;
    page.footerFonts = layout.m_footerFonts;
    page.minHeaderDepth = layout.m_minHeaderDepth;
    page.minFooterDepth = layout.m_minFooterDepth;
    page.headerLine = layout.m_headerLine;
    page.footerLine = layout.m_footerLine;
    page.headerLineDepth = layout.m_headerLineDepth;
    page.footerLineDepth = layout.m_footerLineDepth;
    page.firstPageNumber = layout.m_startingPage;
    page.entryStartsPage = layout.m_recordStart;
    page.citationsPerEntry = SourceFlag(kRptSourcesEndEntry);
    page.columnStarts = layout.m_colStarts;
    page.tabWidth = layout.m_tabWidth;
    page.paraIndent = layout.m_paraIndent;
    page.fonts = m_format.m_fonts;
    for (std::size_t level = 0; level < page.headingStyles.size(); ++level) {
        const CRptHeadingStyle& style = m_format.m_headingStyles[level];
        page.headingStyles[level] = {style.m_lineAbove != 0, style.m_lineBelow != 0,
                                     style.m_gapAbove,       style.m_gapBelow,
                                     style.m_lineDepth,      style.m_keepWith};
    }
    const CRptPicGaps& gaps = m_pictures.m_gaps;
    page.pictureGaps = {gaps.m_left, gaps.m_above, gaps.m_right, gaps.m_below, gaps.m_caption};
    return page;
}
