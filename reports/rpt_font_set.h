// reports/rpt_font_set.h: the rendering context of one build or one drawn page: the canvas and
// its fonts, the page and position reached, the working column, a heading waiting for what follows
// it, and the block of pictures being placed.
#pragma once

#include "platform/base/geometry.h"
#include "reports/report_body.h"
#include "reports/rpt_canvas.h"
#include "reports/rpt_text_wrap.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CRptWriter;
struct RptPageSettings;

/// Font slots: 0-6 by element level and part, 7 captions and citation marks, then the three
/// header fonts and the three footer fonts (left, centre, right).
inline constexpr int kRptSlotCaption = 7, kRptSlotHeader = 8, kRptSlotFooter = 11,
                     kRptSlotCount = 14;

/// A heading measured and waiting to be placed before the element that follows it.
struct RptPendingHeading {
    bool waiting = false;
    int level = 0;
    std::vector<std::string> lines;
    int ruleAbove = 0, textHeight = 0, ruleBelow = 0, gapBelow = 0;
    int Height() const { return ruleAbove + textHeight + ruleBelow + gapBelow; }
};

/// Where pictures placed in a block stand: kinds as stored with a picture's options.
enum class RptPlacement {
    None = -1,
    RowsLeft = 0,
    AboveLeft = 1,
    AboveCentre = 2,
    AboveRight = 3,
    RightOfText = 4
};

/// A place in the report: a page index and an offset below the content's top.
struct RptPosition {
    int page = 0, y = 0;
    bool operator==(const RptPosition&) const = default;
};

/// The block of pictures being placed, and the column of pictures left beside the text after it.
struct RptPictureBlock {
    bool open = false;
    bool sideOpen = false;
    int level = 0;
    RptPosition text, picture;
    int rowWidth = 0, rowHeight = 0, sideWidth = 0;
    RptPlacement previous = RptPlacement::None;
    /// The bottom of the pictures beside the text, while sideOpen.
    RptPosition sideBottom;
};

class CRptFontSet {
public:
    /// Makes every font of settings on canvas (fixed measures without one) and keeps the canvas
    /// for measuring and drawing.
    void Create(const RptPageSettings& settings, IRptCanvas* canvas);

    IRptCanvas* Canvas() const { return m_canvas; }
    const RptFontMetrics& Metrics(int slot) const { return m_metrics[slot]; }
    /// The least room an entry needs at the foot of a page to start there: a record heading and
    /// one line of data.
    int MinimumEntryHeight() const;

    /// The lines of text in the font of slot within width, as RptWrapText breaks them on the
    /// canvas; valid until the next call. While the pass only counts pages the lines' texts
    /// are left empty. Remembered for the pass in a fixed table from the second time a text
    /// comes: a line written again and again (a branch of a tree reached along several lines of
    /// descent) is measured twice, and a pass of a million different lines allocates no more
    /// than the table.
    const std::vector<RptLine>& Wrap(int slot, std::string_view text, int width);

    /// Whether this pass draws page (only the target page draws; -1 only counts).
    bool Draws(int page) const { return m_canvas && targetPage >= 0 && page == targetPage; }
    bool Counting() const { return targetPage < 0; }

    /// Sets the content rectangle and makes it the working column.
    void SetContent(const CRect& content);
    const CRect& Content() const { return m_content; }
    int ContentHeight() const { return m_content.Height(); }

    /// While pictures stand to the right of the text: a place above their bottom moves down to
    /// it; the working column becomes the whole content width again.
    void ClearSidePictures(int& page, int& y);
    /// ClearSidePictures at the context's own page and position.
    void ClearSidePictures() { ClearSidePictures(page, y); }

    /// The export writer the elements go to; null while they are laid out on pages.
    CRptWriter* writer = nullptr;
    /// The page drawn; -1 while only counting.
    int targetPage = -1;
    /// The page index and offset below the content's top reached so far.
    int page = 0, y = 0;
    /// The last citation number used.
    int lastCitation = 0;
    /// Lines of a paragraph but its last are stretched to the column.
    bool justify = false;
    /// Left and right of the working column (the content width, narrowed beside pictures).
    int columnLeft = 0, columnRight = 0;
    RptPendingHeading pending;
    RptPictureBlock pictures;
    /// While a page is drawn: the body's state at the restart point its entry is taken up from
    /// (null: the entry runs from its start).
    const void* resume = nullptr;

private:
    IRptCanvas* m_canvas = nullptr;
    CRect m_content;
    /// Wrapped lines by slot, width and text, each text in one place of the table.
    struct WrapPlace {
        bool used = false;
        bool withText = false;
        int slot = 0, width = 0;
        std::string text;
        std::vector<RptLine> lines;
    };
    /// The hashes of the text a place keeps and of the text last met there, apart from the
    /// places so that a text met once touches no place.
    struct WrapKey {
        std::uint64_t kept = 0, met = 0;
    };
    std::vector<WrapPlace> m_wraps;
    std::vector<WrapKey> m_wrapKeys;
    std::vector<RptLine> m_unkept;
    std::vector<RptLine> m_unmeasured;
    std::array<RptFontMetrics, kRptSlotCount> m_metrics{};
};
