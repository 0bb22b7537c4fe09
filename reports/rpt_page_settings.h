// reports/rpt_page_settings.h: the part of a report's settings that page layout reads, as plain
// values; the report settings record fills it in one call.
#pragma once

#include "platform/base/log_font.h"

#include <array>
#include <string>

/// One heading level's style: rules above and below, gaps in points, rule depth in hundredths
/// of a point, and how many following lines stay on the heading's page.
struct RptHeadingLayout {
    bool lineAbove = false, lineBelow = false;
    int gapAbove = 0, gapBelow = 0;
    int lineDepth = 0;
    int keepWithNext = 0;
};

/// Gaps around a picture in hundredths of an inch: left, above, right, below (under the picture
/// and its caption), and between the picture and its caption.
struct RptPictureGaps {
    int left = 0, top = 0, right = 0, bottom = 0, caption = 0;
};

/// Fonts hold their size in whole points in lfHeight. Lengths are hundredths of an inch unless
/// said otherwise.
struct RptPageSettings {
    int marginTop = 100, marginBottom = 100, marginLeft = 100, marginRight = 100;
    bool mirrorPages = false;
    /// Left, centre and right texts, with the tokens =Date(), =Title(), =Record() and =Page().
    std::array<std::string, 3> headerTexts, footerTexts;
    std::array<LOGFONT, 3> headerFonts{}, footerFonts{};
    int minHeaderDepth = 0, minFooterDepth = 0;
    bool headerLine = false, footerLine = false;
    /// Rule depths in hundredths of a point.
    int headerLineDepth = 0, footerLineDepth = 0;
    int firstPageNumber = 1;
    /// Each entry starts a new page.
    bool entryStartsPage = false;
    /// Citation numbers start again at 1 with each entry.
    bool citationsPerEntry = false;
    /// Where the runs of a row start, from the content's left edge.
    std::array<int, 4> columnStarts{0, 150, 300, 450};
    /// The indent step of each level for indent kinds 1 and 2.
    int tabWidth = 25, paraIndent = 50;
    /// Record heading, section heading, label, data, sub-section heading, sub-section label,
    /// sub-section data, caption.
    std::array<LOGFONT, 8> fonts{};
    std::array<RptHeadingLayout, 3> headingStyles{};
    RptPictureGaps pictureGaps;
};
