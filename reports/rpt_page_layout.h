// reports/rpt_page_layout.h: report pages: the page geometry taken from the device and the
// settings, pagination of the entries, drawing one page with its header and footer, and the
// elements (headings, rows of runs, pictures) that report bodies place on pages.
//
// Sources: rpt_page_layout.cpp, rpt_page_elements.cpp, rpt_page_pictures.cpp. Traps: one pass
// serves counting and drawing: elements draw only on the context's target page, and a body stops
// when an element answers false (drawing has passed the page). Between passes only the entries'
// start pages, offsets and first citation numbers are kept, and inside a long entry a restart
// point every few pages, from which drawing a later page takes the entry up. A run longer than a
// page goes on over the following pages, line by line; nothing is cut. Margins are never narrower
// than the device's unprintable border. On pages a line keeps at least half the content width for
// its text, however deep its generation.
#pragma once

#include "platform/base/geometry.h"
#include "reports/rpt_canvas.h"
#include "reports/rpt_font_set.h"
#include "reports/rpt_page_settings.h"
#include "reports/rpt_text_wrap.h"

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CRptPageLayout;
class IProgress;

/// What a report lays out: its entries in order. A body places each entry's elements through
/// the layout's element calls, which draw only what falls on the context's target page.
class IRptBody {
public:
    virtual ~IRptBody() = default;
    virtual int GetEntryCount() const = 0;
    /// Places entry index from the context's page and position onwards; false when the pass may
    /// stop, having gone beyond the page being drawn.
    virtual bool RunEntry(int index, CRptPageLayout& layout, CRptFontSet& ctx) = 0;
    /// False for an entry whose record has gone since the report was built: it is not drawn.
    virtual bool EntryExists(int /*index*/) const { return true; }
    /// What "=Record()" shows on a page that starts with this entry.
    virtual std::string GetEntryTitle(int index) const = 0;
};

/// Where an entry starts, and the first citation number it uses; page -1 until laid out.
struct RptEntryStart {
    int page = -1;
    int offset = 0;
    int firstCitation = -1;
};

/// A place inside a long entry from which drawing a later page takes the entry up instead of
/// running it from its start: the place and the last citation number there, and the body's own
/// state (its walk).
struct RptRestart {
    int entry = 0;
    int page = 0, y = 0, lastCitation = 0;
    std::shared_ptr<const void> state;
};

/// A text of one row with its level part (1 label, 2 data) and citation marks set after it.
struct RptRun {
    std::string text;
    int part = 2;
    std::string marks;
};

/// How a build ended.
enum class RptBuildResult {
    Done,
    /// Stopped by the user: the pages laid out so far stand, the rest of the entries have none.
    Stopped,
    /// No page could be measured on the device.
    Failed
};

/// The page metrics in logical units of a tenth of a point, y down from the sheet's corner.
struct RptPageMetrics {
    int pageWidth = 0, pageHeight = 0;
    int marginTop = 0, marginBottom = 0, marginLeft = 0, marginRight = 0;
    int headerBlock = 0, headerBaseline = 0, headerRuleY = 0, headerRule = 0;
    int footerBlock = 0, footerBaseline = 0, footerRuleY = 0, footerRule = 0;
    CRect content, mirrored;
    /// Starts of the four run columns from the content's left, and the indent steps of kinds 1
    /// and 2.
    std::array<int, 4> columns{};
    int indentStep1 = 0, indentStep2 = 0;
    struct Heading {
        int gapAbove = 0, gapBelow = 0, lineAbove = 0, lineBelow = 0, keepWithNext = 0;
    };
    std::array<Heading, 3> headings{};
    /// Picture gaps: left, top, right, bottom, caption.
    RptPictureGaps pictureGaps;
};

class CRptPageLayout {
public:
    explicit CRptPageLayout(RptPageSettings settings);

    const RptPageSettings& Settings() const { return m_settings; }
    const RptPageMetrics& Metrics() const { return m_metrics; }

    /// Measures the device's sheet, turns the margins into logical units, each at least the
    /// unprintable border, and maps the page onto the sheet. False for a device without a
    /// resolution.
    bool MeasurePage(IRptCanvas& canvas);
    /// Working header and footer texts: the first "=Date()" of each becomes date and the first
    /// "=Title()" title.
    void PrepareHeaderFooter(std::string_view title, std::string_view date);
    /// Header and footer blocks, the content rectangles, columns and heading styles, from the
    /// settings and the context's fonts.
    void ComputeMetrics(const CRptFontSet& ctx);
    /// Lays every entry out and counts the pages. progress hears each entry; stop, asked between
    /// entries, ends the pass early with the pages so far.
    RptBuildResult Paginate(IRptBody& body, CRptFontSet& ctx, IProgress* progress = nullptr,
                            const std::function<bool()>& stop = {});
    /// MeasurePage, PrepareHeaderFooter, the fonts and ComputeMetrics on canvas, then Paginate.
    RptBuildResult Build(IRptBody& body, IRptCanvas& canvas, std::string_view title,
                         std::string_view date, IProgress* progress = nullptr,
                         const std::function<bool()>& stop = {});

    int GetPageCount() const { return m_pageCount; }
    /// Whether the last pagination was stopped before its end, and a sentence that says so
    /// (empty when it ran to the end).
    bool WasStopped() const { return m_laidOut < int(m_starts.size()); }
    std::string GetStoppedText() const;
    const std::vector<RptEntryStart>& GetEntryStarts() const { return m_starts; }
    /// -1 outside the pages or without entries; else the entry that starts at the top of page,
    /// or the last one that starts before it.
    int FindEntryForPage(int page) const;
    /// The content rectangle of page: the mirrored one on the left-hand pages of mirrored
    /// settings.
    const CRect& GetContentRect(int page) const;
    bool IsMirrored(int page) const;

    /// Draws page on canvas (with its fonts made): header, the entries that reach the page,
    /// footer. Nothing for a page outside the report.
    void PrintPage(IRptBody& body, IRptCanvas& canvas, int page);

    /// While the pages are counted: whether the entry being laid out wants a restart point
    /// where ctx stands (some pages after its start or its last one, nothing waiting, the
    /// column whole). KeepRestart keeps one there with the citation counter and the body's
    /// state; ForgetRestarts drops them all (the records they hold may go).
    bool WantsRestart(const CRptFontSet& ctx) const;
    void KeepRestart(const CRptFontSet& ctx, int lastCitation, std::shared_ptr<const void> state);
    void ForgetRestarts() { m_restarts.clear(); }

    // Elements, placed at the context's page and position, which they move on.
    /// A heading of level 0-2; minHeight is the least room it needs below it. Deferred, it
    /// waits for the next element to be placed with it. With an export writer in the context,
    /// this and the row calls below write the element instead (pageBreak: a page break before
    /// it, in RTF).
    void EmitHeading(CRptFontSet& ctx, int level, std::string_view text, int minHeight = 0,
                     bool defer = false, bool pageBreak = false);
    /// One paragraph wrapped to the column at an indent: kind 0 indent column (0-3), kind 1 and
    /// 2 steps times the indent level. False when the pass may stop.
    bool EmitRow(CRptFontSet& ctx, std::string_view text, std::string_view marks, int indentKind,
                 int indent, int level, int part);
    /// Places a waiting heading and moves to the next page when a line lineHeight high does not
    /// fit where the context stands: where the next line of a row will go.
    void PlaceLine(CRptFontSet& ctx, int lineHeight);
    /// A row of 1-4 runs side by side, each in its column, each continuing on the next pages
    /// as far as it runs; the row ends below its longest run. Every run but the last keeps a
    /// gap before the next column on each of its lines and is not justified. With keepTogether
    /// a row that starts beyond the page starts on the next. False when the pass may stop.
    bool EmitRuns(CRptFontSet& ctx, int level, std::span<const RptRun> runs,
                  bool keepTogether = false);
    /// A rule across the working column at y (below the content's top) of page.
    void DrawRule(CRptFontSet& ctx, int page, int y, int thickness) const;

    /// The pictures of one subject: a block opened at the context's position for a heading
    /// level, each picture placed as its placement says, limited to maxWidth and maxHeight when
    /// these are positive, and the block closed: text goes on below the pictures, or beside
    /// pictures placed to the right, no further left than minRight. A picture keeps the
    /// settings' picture gaps, or gaps of its own (hundredths of an inch) when given.
    void BeginPictures(CRptFontSet& ctx, int level);
    void PlacePicture(CRptFontSet& ctx, const RptPicture& picture, RptPlacement placement,
                      int maxWidth, int maxHeight, const RptPictureGaps* ownGaps = nullptr);
    void EndPictures(CRptFontSet& ctx, int minRight);

private:
    void NewPage(CRptFontSet& ctx) const;
    /// Places a waiting heading before an element needing need units on the page.
    void PlacePendingHeading(CRptFontSet& ctx, int need);
    void DrawHeading(CRptFontSet& ctx, const RptPendingHeading& heading, int page, int y) const;
    /// Draws lines from (page, y) in the font of slot between left and right, moving on to the
    /// next page when a line does not fit; marks go after the last line. Lines that do not end
    /// a paragraph are justified when the context justifies and justify is set. Answers the
    /// place after the last line.
    RptPosition DrawLines(CRptFontSet& ctx, RptPosition at, int slot, int left, int right,
                          const std::vector<RptLine>& lines, std::string_view marks,
                          bool justify = true) const;
    /// Closes the column beside pictures once the position has passed below them.
    void CloseSideColumnBelow(CRptFontSet& ctx) const;
    void DrawHeaderFooterLine(CRptFontSet& ctx, int page, const std::string& record,
                              std::array<std::string, 3> texts, int slot, int baseline,
                              bool mirrored) const;
    int ToUnits(int hundredthsOfInch) const;
    /// The last restart point of entry on a page before page; null when there is none.
    const RptRestart* FindRestart(int entry, int page) const;

    RptPageSettings m_settings;
    RptPageMetrics m_metrics;
    RptDevicePage m_device;
    std::array<std::string, 3> m_header, m_footer;
    std::vector<RptEntryStart> m_starts;
    /// By entry, then page.
    std::vector<RptRestart> m_restarts;
    int m_pageCount = 0;
    /// How many entries the last pagination laid out.
    int m_laidOut = 0;
};
