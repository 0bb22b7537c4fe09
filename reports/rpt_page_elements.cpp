// reports/rpt_page_elements.cpp: headings, rows and rows of runs on report pages, each line
// continuing on the next page when it does not fit.
#include "reports/rpt_page_layout.h"

#include "reports/rpt_writer.h"

#include <algorithm>

namespace {

/// Citation marks stand raised by a third of the line's ascent, after a small space.
constexpr int kMarksSpace = 10;
/// The space a run of a row keeps free before the next run's column: six points, or a quarter
/// of a narrower column.
constexpr int kColumnGap = 60;

bool After(const RptPosition& a, const RptPosition& b)
{
    return a.page > b.page || (a.page == b.page && a.y > b.y);
}

/// Whether a drawing pass has gone beyond its page, so the rest of it can be left out.
bool BeyondTarget(const CRptFontSet& ctx, int page)
{
    return ctx.targetPage >= 0 && page > ctx.targetPage;
}

} // namespace

void CRptPageLayout::NewPage(CRptFontSet& ctx) const
{
    ++ctx.page;
    ctx.y = 0;
}

void CRptPageLayout::DrawRule(CRptFontSet& ctx, int page, int y, int thickness) const
{
    if (thickness > 0 && ctx.Draws(page))
        ctx.Canvas()->DrawRule(ctx.columnLeft, ctx.columnRight,
                               ctx.Content().top + y + thickness / 2, thickness);
}

void CRptPageLayout::CloseSideColumnBelow(CRptFontSet& ctx) const
{
    if (ctx.pictures.sideOpen && After({ctx.page, ctx.y}, ctx.pictures.sideBottom))
        ctx.ClearSidePictures();
}

RptPosition CRptPageLayout::DrawLines(CRptFontSet& ctx, RptPosition at, int slot, int left,
                                      int right, const std::vector<RptLine>& lines,
                                      std::string_view marks, bool justify) const
{
    const RptFontMetrics& font = ctx.Metrics(slot);
    IRptCanvas* canvas = ctx.Canvas();
    const int top = ctx.Content().top;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (at.y != 0 && at.y + font.lineHeight > ctx.ContentHeight()) {
            ++at.page;
            at.y = 0;
        }
        if (BeyondTarget(ctx, at.page))
            return at;
        if (ctx.Draws(at.page)) {
            const RptLine& line = lines[i];
            const int baseline = top + at.y + font.ascent;
            canvas->SelectFont(slot);
            canvas->DrawTextRun(CRect(left, top + at.y, right, top + at.y + font.lineHeight),
                                RptAlign::Left, left, baseline, line.text,
                                justify && ctx.justify && !line.endsParagraph);
            if (i + 1 == lines.size() && !marks.empty()) {
                const int x = left + canvas->GetTextWidth(line.text) + kMarksSpace;
                const RptFontMetrics& small = ctx.Metrics(kRptSlotCaption);
                canvas->SelectFont(kRptSlotCaption);
                canvas->DrawTextRun(CRect(x, top + at.y, std::max(right, x) + small.lineHeight * 4,
                                          top + at.y + font.lineHeight),
                                    RptAlign::Left, x, baseline - font.ascent / 3, marks, false);
            }
        }
        at.y += font.lineHeight;
    }
    return at;
}

void CRptPageLayout::DrawHeading(CRptFontSet& ctx, const RptPendingHeading& heading, int page,
                                 int y) const
{
    DrawRule(ctx, page, y, heading.ruleAbove);
    if (ctx.Draws(page)) {
        const int slot = RptFontSlot(heading.level, 0);
        const RptFontMetrics& font = ctx.Metrics(slot);
        IRptCanvas* canvas = ctx.Canvas();
        canvas->SelectFont(slot);
        int top = ctx.Content().top + y + heading.ruleAbove;
        for (const std::string& line : heading.lines) {
            canvas->DrawTextRun(CRect(ctx.columnLeft, top, ctx.columnRight, top + font.lineHeight),
                                RptAlign::Left, ctx.columnLeft, top + font.ascent, line, false);
            top += font.lineHeight;
        }
    }
    DrawRule(ctx, page, y + heading.ruleAbove + heading.textHeight, heading.ruleBelow);
}

void CRptPageLayout::PlacePendingHeading(CRptFontSet& ctx, int need)
{
    if (!ctx.pending.waiting)
        return;
    const int height = ctx.pending.Height();
    if (ctx.y != 0 && height + need > ctx.ContentHeight() - ctx.y)
        NewPage(ctx);
    DrawHeading(ctx, ctx.pending, ctx.page, ctx.y);
    ctx.y += height;
    ctx.pending = {};
}

void CRptPageLayout::EmitHeading(CRptFontSet& ctx, int level, std::string_view text, int minHeight,
                                 bool defer, bool pageBreak)
{
    level = std::clamp(level, 0, 2);
    if (ctx.writer) {
        ctx.writer->Heading(level, text, pageBreak);
        return;
    }
    if (ctx.pictures.sideOpen && level <= ctx.pictures.level)
        ctx.ClearSidePictures();
    const RptPageMetrics::Heading& style = m_metrics.headings[std::size_t(level)];
    const int slot = RptFontSlot(level, 0);
    const int lineHeight = ctx.Metrics(slot).lineHeight;

    RptPendingHeading heading;
    heading.level = level;
    for (const RptLine& line : ctx.Wrap(slot, text, ctx.columnRight - ctx.columnLeft))
        heading.lines.push_back(line.text);
    heading.ruleAbove = style.lineAbove;
    heading.textHeight = std::max<int>(1, int(heading.lines.size())) * lineHeight;
    heading.ruleBelow = style.lineBelow;
    heading.gapBelow = style.gapBelow;
    const int height = heading.Height();
    const int need = std::max(
        height + style.keepWithNext * ctx.Metrics(RptFontSlot(level, 2)).lineHeight, minHeight);

    PlacePendingHeading(ctx, height);
    if (ctx.y != 0) {
        ctx.y += style.gapAbove;
        if (need > ctx.ContentHeight() - ctx.y)
            NewPage(ctx);
    }
    if (defer && ctx.y != 0) {
        heading.waiting = true;
        ctx.pending = std::move(heading);
        return;
    }
    DrawHeading(ctx, heading, ctx.page, ctx.y);
    ctx.y += height;
}

bool CRptPageLayout::EmitRow(CRptFontSet& ctx, std::string_view text, std::string_view marks,
                             int indentKind, int indent, int level, int part)
{
    indent = std::max(0, indent);
    if (ctx.writer) {
        ctx.writer->Row({std::string(text), indentKind, indent, level, part, std::string(marks)});
        return true;
    }
    const int offset = indentKind == 0   ? m_metrics.columns[std::size_t(std::min(indent, 3))]
                       : indentKind == 1 ? m_metrics.indentStep1 * indent
                                         : m_metrics.indentStep2 * indent;
    const int right = ctx.columnRight;
    const int left = std::min(ctx.columnLeft + offset, right - 1);
    const int slot = RptFontSlot(level, part);
    const std::vector<RptLine>& lines = ctx.Wrap(slot, text, right - left);
    if (lines.empty())
        return true;
    PlaceLine(ctx, ctx.Metrics(slot).lineHeight);
    const RptPosition end = DrawLines(ctx, {ctx.page, ctx.y}, slot, left, right, lines, marks);
    ctx.page = end.page;
    ctx.y = end.y;
    CloseSideColumnBelow(ctx);
    return !BeyondTarget(ctx, ctx.page);
}

void CRptPageLayout::PlaceLine(CRptFontSet& ctx, int lineHeight)
{
    PlacePendingHeading(ctx, lineHeight);
    if (ctx.y != 0 && lineHeight > ctx.ContentHeight() - ctx.y)
        NewPage(ctx);
}

bool CRptPageLayout::EmitRuns(CRptFontSet& ctx, int level, std::span<const RptRun> runs,
                              bool keepTogether)
{
    const std::size_t count = std::min<std::size_t>(runs.size(), 4);
    if (ctx.writer) {
        std::vector<CRptRun> cells;
        for (std::size_t i = 0; i < count; ++i)
            cells.push_back({runs[i].text, runs[i].part, runs[i].marks});
        ctx.writer->Runs(level, cells);
        return true;
    }
    struct Column {
        std::size_t run = 0;
        int left = 0, right = 0, slot = 0;
        std::vector<RptLine> lines;
    };
    std::vector<Column> columns;
    int firstLine = 0;
    for (std::size_t i = 0; i < count; ++i) {
        Column column;
        column.run = i;
        column.left = ctx.columnLeft + m_metrics.columns[i];
        column.right = ctx.columnRight;
        if (i + 1 < count) {
            const int next = std::min<int>(ctx.columnLeft + m_metrics.columns[i + 1], column.right);
            column.right = next - std::min(kColumnGap, std::max(0, next - column.left) / 4);
        }
        column.slot = RptFontSlot(level, runs[i].part);
        if (column.right <= column.left || runs[i].text.empty())
            continue;
        column.lines = ctx.Wrap(column.slot, runs[i].text, column.right - column.left);
        if (column.lines.empty())
            continue;
        firstLine = std::max(firstLine, ctx.Metrics(column.slot).lineHeight);
        columns.push_back(std::move(column));
    }
    if (columns.empty())
        return true;
    PlacePendingHeading(ctx, firstLine);
    // The runs start side by side: a first line that does not fit takes the row to the next
    // page, and so does a row kept together that starts beyond the page.
    if (ctx.y != 0 &&
        (firstLine > ctx.ContentHeight() - ctx.y || (keepTogether && ctx.y > ctx.ContentHeight())))
        NewPage(ctx);
    const RptPosition start{ctx.page, ctx.y};
    RptPosition end = start;
    for (const Column& column : columns) {
        // Only the last run, which reaches the right edge, is justified: a run stretched to
        // its column's end would run into the next.
        const RptPosition at =
            DrawLines(ctx, start, column.slot, column.left, column.right, column.lines,
                      runs[column.run].marks, column.run + 1 == count);
        if (After(at, end))
            end = at;
    }
    ctx.page = end.page;
    ctx.y = end.y;
    CloseSideColumnBelow(ctx);
    return !BeyondTarget(ctx, ctx.page);
}
