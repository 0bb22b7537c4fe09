// reports/rpt_page_layout.cpp: page geometry, pagination, and drawing a page with its header and
// footer line.
#include "reports/rpt_page_layout.h"

#include "platform/base/progress.h"
#include "platform/base/text.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

/// Space kept on the inner side of each header and footer text: 4 points.
constexpr int kHeaderTextSpace = 40;
/// Space between the header block and the content, and between the content and the footer.
constexpr int kHeaderGap = 60;
/// The longest length a setting can give, in hundredths of an inch; gaps in points and rule
/// depths in hundredths of a point are held to a tenth of it, and kept lines to a thousand.
constexpr int kLongestLength = 1000000;
/// Pages between the restart points of a long entry: drawing a page runs at most this many pages
/// before it.
constexpr int kRestartPages = 4;

/// Replaces the first token in text by value.
void ReplaceFirst(std::string& text, std::string_view token, std::string_view value)
{
    const std::size_t at = text.find(token);
    if (at != std::string::npos)
        text.replace(at, token.size(), value);
}

/// A device length in logical units (tenths of a point).
int DeviceToUnits(int pixels, int dpi)
{
    return int(720LL * pixels / dpi);
}

} // namespace

CRptPageLayout::CRptPageLayout(RptPageSettings settings) : m_settings(std::move(settings)) {}

int CRptPageLayout::ToUnits(int hundredthsOfInch) const
{
    // Lengths read from a file may be anything: beyond 10,000 inches none means more.
    return int(720LL * std::clamp(hundredthsOfInch, -kLongestLength, kLongestLength) / 100);
}

bool CRptPageLayout::MeasurePage(IRptCanvas& canvas)
{
    m_device = canvas.GetDevicePage();
    if (m_device.dpiX < 1 || m_device.dpiY < 1)
        return false;
    const int width = m_device.physicalWidth > 0 ? m_device.physicalWidth : m_device.printableWidth;
    const int height =
        m_device.physicalHeight > 0 ? m_device.physicalHeight : m_device.printableHeight;
    RptPageMetrics& m = m_metrics;
    m.pageWidth = 72 * width / m_device.dpiX * 10;
    m.pageHeight = 72 * height / m_device.dpiY * 10;
    const int borderX = DeviceToUnits(m_device.offsetX, m_device.dpiX);
    const int borderY = DeviceToUnits(m_device.offsetY, m_device.dpiY);
    m.marginTop = std::max(ToUnits(m_settings.marginTop), borderY);
    m.marginBottom = std::max(ToUnits(m_settings.marginBottom), borderY);
    m.marginLeft = std::max(ToUnits(m_settings.marginLeft), borderX);
    m.marginRight = std::max(ToUnits(m_settings.marginRight), borderX);
    canvas.SetupMapping(m.pageWidth, m.pageHeight);
    return true;
}

void CRptPageLayout::PrepareHeaderFooter(std::string_view title, std::string_view date)
{
    m_header = m_settings.headerTexts;
    m_footer = m_settings.footerTexts;
    for (std::string* text :
         {&m_header[0], &m_header[1], &m_header[2], &m_footer[0], &m_footer[1], &m_footer[2]}) {
        ReplaceFirst(*text, "=Date()", date);
        ReplaceFirst(*text, "=Title()", title);
    }
}

void CRptPageLayout::ComputeMetrics(const CRptFontSet& ctx)
{
    RptPageMetrics& m = m_metrics;
    // A block is as tall as its tallest font where it has text, and at least its minimum depth.
    const auto block = [&](const std::array<std::string, 3>& texts, int firstSlot, int minDepth,
                           bool line, int lineDepth, int& height, int& ascent, int& rule) {
        height = ToUnits(minDepth);
        ascent = 0;
        for (int i = 0; i < 3; ++i) {
            if (texts[std::size_t(i)].empty())
                continue;
            height = std::max(height, ctx.Metrics(firstSlot + i).lineHeight);
            ascent = std::max(ascent, ctx.Metrics(firstSlot + i).ascent);
        }
        rule = line ? std::max(1, std::clamp(lineDepth, 0, kLongestLength / 10) / 10) : 0;
        return height > 0 || rule > 0 ? kHeaderGap + rule : 0;
    };
    int headerAscent = 0, footerAscent = 0;
    const int headerGap =
        block(m_header, kRptSlotHeader, m_settings.minHeaderDepth, m_settings.headerLine,
              m_settings.headerLineDepth, m.headerBlock, headerAscent, m.headerRule);
    const int footerGap =
        block(m_footer, kRptSlotFooter, m_settings.minFooterDepth, m_settings.footerLine,
              m_settings.footerLineDepth, m.footerBlock, footerAscent, m.footerRule);
    m.headerBaseline = m.marginTop + headerAscent;
    m.headerRuleY = m.marginTop + m.headerBlock + headerGap / 2;
    const int footerTop = m.pageHeight - m.marginBottom - m.footerBlock;
    m.footerBaseline = footerTop + footerAscent;
    m.footerRuleY = footerTop - footerGap / 2;

    m.content = CRect(m.marginLeft, m.marginTop + m.headerBlock + headerGap,
                      m.pageWidth - m.marginRight, footerTop - footerGap);
    // Margins that leave no room still leave a column a line high, so that every line lands on
    // some page.
    int tallest = 1;
    for (int slot = 0; slot < kRptSlotHeader; ++slot)
        tallest = std::max(tallest, ctx.Metrics(slot).lineHeight);
    m.content.right = std::max<int>(m.content.right, m.content.left + tallest);
    m.content.bottom = std::max<int>(m.content.bottom, m.content.top + tallest);
    m.mirrored = m.content;
    m.mirrored.left = m.marginRight;
    m.mirrored.right = m.marginRight + m.content.Width();

    for (std::size_t i = 0; i < 4; ++i)
        m.columns[i] = std::max(0, ToUnits(m_settings.columnStarts[i]));
    m.indentStep1 = std::max(0, ToUnits(m_settings.tabWidth));
    m.indentStep2 = std::max(0, ToUnits(m_settings.paraIndent));
    const auto points = [](int value) { return std::clamp(value, 0, kLongestLength / 10) * 10; };
    for (std::size_t level = 0; level < 3; ++level) {
        const RptHeadingLayout& style = m_settings.headingStyles[level];
        const int thickness = std::clamp(style.lineDepth, 0, kLongestLength / 10) / 10;
        m.headings[level] = {points(style.gapAbove), points(style.gapBelow),
                             style.lineAbove ? thickness : 0, style.lineBelow ? thickness : 0,
                             std::clamp(style.keepWithNext, 0, 1000)};
    }
    const RptPictureGaps& gaps = m_settings.pictureGaps;
    m.pictureGaps = {ToUnits(std::max(0, gaps.left)), ToUnits(std::max(0, gaps.top)),
                     ToUnits(std::max(0, gaps.right)), ToUnits(std::max(0, gaps.bottom)),
                     ToUnits(std::max(0, gaps.caption))};
}

RptBuildResult CRptPageLayout::Paginate(IRptBody& body, CRptFontSet& ctx, IProgress* progress,
                                        const std::function<bool()>& stop)
{
    const int count = std::max(0, body.GetEntryCount());
    ctx.SetContent(m_metrics.content);
    ctx.targetPage = -1;
    ctx.page = 0;
    ctx.y = 0;
    ctx.lastCitation = 0;
    ctx.pending = {};
    ctx.pictures = {};
    m_starts.assign(std::size_t(count), {});
    m_restarts.clear();
    m_laidOut = 0;
    if (progress)
        progress->BeginProgress(count, "Laying out the report's pages");
    RptBuildResult result = RptBuildResult::Done;
    for (int i = 0; i < count; ++i) {
        if (stop && stop()) {
            result = RptBuildResult::Stopped;
            break;
        }
        if (ctx.y != 0 &&
            (m_settings.entryStartsPage || ctx.ContentHeight() - ctx.y < ctx.MinimumEntryHeight()))
            NewPage(ctx);
        if (m_settings.citationsPerEntry)
            ctx.lastCitation = 0;
        m_starts[std::size_t(i)] = {ctx.page, ctx.y, ctx.lastCitation + 1};
        const bool whole = body.RunEntry(i, *this, ctx);
        // A heading left waiting at the end of an entry still takes its place.
        PlacePendingHeading(ctx, 0);
        // An entry the stop cut short is not laid out: its pages so far stand.
        if (!whole && stop && stop()) {
            result = RptBuildResult::Stopped;
            break;
        }
        m_laidOut = i + 1;
        if (progress)
            progress->SetProgressPos(i + 1);
    }
    if (progress)
        progress->EndProgress();
    m_pageCount = ctx.y > 0 ? ctx.page + 1 : ctx.page;
    return result;
}

RptBuildResult CRptPageLayout::Build(IRptBody& body, IRptCanvas& canvas, std::string_view title,
                                     std::string_view date, IProgress* progress,
                                     const std::function<bool()>& stop)
{
    m_starts.clear();
    m_restarts.clear();
    m_pageCount = 0;
    m_laidOut = 0;
    if (!MeasurePage(canvas))
        return RptBuildResult::Failed;
    PrepareHeaderFooter(title, date);
    CRptFontSet ctx;
    ctx.Create(m_settings, &canvas);
    ComputeMetrics(ctx);
    return Paginate(body, ctx, progress, stop);
}

std::string CRptPageLayout::GetStoppedText() const
{
    if (!WasStopped())
        return {};
    return text::Format("The report was stopped after %d of its %d entries: it shows the %d "
                        "pages laid out so far.",
                        m_laidOut, int(m_starts.size()), m_pageCount);
}

int CRptPageLayout::FindEntryForPage(int page) const
{
    if (page < 0 || page >= m_pageCount || m_starts.empty())
        return -1;
    int found = -1;
    for (std::size_t i = 0; i < m_starts.size(); ++i) {
        const RptEntryStart& start = m_starts[i];
        if (start.page < 0 || start.page > page)
            break;
        if (start.page == page) {
            if (start.offset == 0 || found < 0)
                found = int(i);
            break;
        }
        found = int(i);
    }
    return found;
}

bool CRptPageLayout::WantsRestart(const CRptFontSet& ctx) const
{
    // While an entry runs in Paginate, m_laidOut is its index.
    if (!ctx.Counting() || ctx.writer || m_laidOut >= int(m_starts.size()) || ctx.pending.waiting ||
        ctx.pictures.open || ctx.pictures.sideOpen || ctx.columnLeft != ctx.Content().left ||
        ctx.columnRight != ctx.Content().right)
        return false;
    const bool kept = !m_restarts.empty() && m_restarts.back().entry == m_laidOut;
    const int last = kept ? m_restarts.back().page : m_starts[std::size_t(m_laidOut)].page;
    return ctx.page >= last + kRestartPages;
}

void CRptPageLayout::KeepRestart(const CRptFontSet& ctx, int lastCitation,
                                 std::shared_ptr<const void> state)
{
    m_restarts.push_back({m_laidOut, ctx.page, ctx.y, lastCitation, std::move(state)});
}

const RptRestart* CRptPageLayout::FindRestart(int entry, int page) const
{
    const auto after =
        std::partition_point(m_restarts.begin(), m_restarts.end(), [&](const RptRestart& point) {
            return point.entry < entry || (point.entry == entry && point.page < page);
        });
    if (after == m_restarts.begin() || std::prev(after)->entry != entry)
        return nullptr;
    return &*std::prev(after);
}

bool CRptPageLayout::IsMirrored(int page) const
{
    return m_settings.mirrorPages && (m_settings.firstPageNumber + page) % 2 == 0;
}

const CRect& CRptPageLayout::GetContentRect(int page) const
{
    return IsMirrored(page) ? m_metrics.mirrored : m_metrics.content;
}

void CRptPageLayout::PrintPage(IRptBody& body, IRptCanvas& canvas, int page)
{
    const int first = FindEntryForPage(page);
    if (first < 0)
        return;
    CRptFontSet ctx;
    ctx.Create(m_settings, &canvas);
    ctx.SetContent(GetContentRect(page));
    ctx.targetPage = page;
    ctx.justify = true;
    const bool mirrored = IsMirrored(page);
    const std::string record = body.GetEntryTitle(first);
    const RptPageMetrics& m = m_metrics;
    DrawHeaderFooterLine(ctx, page, record, m_header, kRptSlotHeader, m.headerBaseline, mirrored);
    if (m.headerRule > 0)
        canvas.DrawRule(ctx.Content().left, ctx.Content().right, m.headerRuleY, m.headerRule);
    for (int i = first; i < int(m_starts.size()); ++i) {
        const RptEntryStart& start = m_starts[std::size_t(i)];
        if (start.page < 0 || start.page > page)
            break;
        if (!body.EntryExists(i))
            continue;
        ctx.page = start.page;
        ctx.y = start.offset;
        ctx.lastCitation = start.firstCitation - 1;
        ctx.pending = {};
        ctx.pictures = {};
        ctx.SetContent(ctx.Content());
        // Everything before a restart point on an earlier page lies on the pages before this one.
        const RptRestart* restart = FindRestart(i, page);
        if (restart) {
            ctx.page = restart->page;
            ctx.y = restart->y;
            ctx.lastCitation = restart->lastCitation;
        }
        ctx.resume = restart ? restart->state.get() : nullptr;
        const bool going = body.RunEntry(i, *this, ctx);
        ctx.resume = nullptr;
        if (!going)
            break;
        PlacePendingHeading(ctx, 0);
    }
    if (m.footerRule > 0)
        canvas.DrawRule(ctx.Content().left, ctx.Content().right, m.footerRuleY, m.footerRule);
    DrawHeaderFooterLine(ctx, page, record, m_footer, kRptSlotFooter, m.footerBaseline, mirrored);
}

void CRptPageLayout::DrawHeaderFooterLine(CRptFontSet& ctx, int page, const std::string& record,
                                          std::array<std::string, 3> texts, int slot, int baseline,
                                          bool mirrored) const
{
    IRptCanvas* canvas = ctx.Canvas();
    if (!canvas)
        return;
    std::array<int, 3> slots{slot, slot + 1, slot + 2};
    if (mirrored) {
        std::swap(texts[0], texts[2]);
        std::swap(slots[0], slots[2]);
    }
    std::array<int, 3> widths{};
    for (std::size_t i = 0; i < 3; ++i) {
        ReplaceFirst(texts[i], "=Record()", record);
        ReplaceFirst(texts[i], "=Page()", text::Format("%d", m_settings.firstPageNumber + page));
        if (texts[i].empty())
            continue;
        canvas->SelectFont(slots[i]);
        widths[i] = canvas->GetTextWidth(texts[i]);
    }
    const bool hasLeft = !texts[0].empty(), hasCentre = !texts[1].empty(),
               hasRight = !texts[2].empty();
    if (!hasLeft && !hasCentre && !hasRight)
        return;
    const int left = ctx.Content().left, right = ctx.Content().right;
    const int width = right - left, middle = left + width / 2;
    const int guide1 = left + width / 3, guide2 = left + 2 * width / 3;
    const int leftEnd = hasLeft ? left + widths[0] + kHeaderTextSpace : left;
    const int rightStart = hasRight ? right - widths[2] - kHeaderTextSpace : right;
    int leftBoundary = left, rightBoundary = right;
    if (hasCentre) {
        const int centreStart = middle - widths[1] / 2 - kHeaderTextSpace;
        const int centreEnd = middle + widths[1] / 2 + kHeaderTextSpace;
        if (hasLeft)
            leftBoundary = leftEnd <= centreStart
                               ? (leftEnd + centreStart) / 2
                               : std::min(leftEnd, std::max(guide1, centreStart));
        if (hasRight)
            rightBoundary = centreEnd <= rightStart
                                ? (centreEnd + rightStart) / 2
                                : std::max(rightStart, std::min(guide2, centreEnd));
    } else {
        const int boundary = leftEnd <= rightStart ? (leftEnd + rightStart) / 2
                             : leftEnd < middle    ? leftEnd
                             : rightStart > middle ? rightStart
                                                   : middle;
        leftBoundary = rightBoundary = boundary;
    }
    const auto draw = [&](std::size_t i, int from, int to, RptAlign align) {
        if (texts[i].empty() || to <= from)
            return;
        const RptFontMetrics& font = ctx.Metrics(slots[i]);
        canvas->SelectFont(slots[i]);
        canvas->DrawTextRun(
            CRect(from, baseline - font.ascent, to, baseline - font.ascent + font.lineHeight),
            align, middle, baseline, texts[i], false);
    };
    draw(0, left, leftBoundary, RptAlign::Left);
    draw(1, leftBoundary, rightBoundary, RptAlign::Centre);
    draw(2, rightBoundary, right, RptAlign::Right);
}
