// reports/rpt_emitter.cpp: report elements to an export writer or onto pages.
#include "reports/rpt_emitter.h"

#include "platform/base/text.h"
#include "reports/rpt_page_layout.h"
#include "reports/rpt_writer.h"

#include <algorithm>
#include <vector>

CRptTextRow RptParagraph(std::string_view text, int indentKind, int indent, int level, int part,
                         std::string_view marks)
{
    CRptTextRow row;
    row.m_text = text;
    row.m_indentKind = indentKind;
    row.m_indent = indent;
    row.m_level = level;
    row.m_part = part;
    row.m_marks = marks;
    return row;
}

// The export writer.

void CRptWriterEmitter::NextEntry()
{
    m_writer.NextEntry();
}

void CRptWriterEmitter::Heading(int level, std::string_view text, bool pageBreak)
{
    if (text.empty())
        return;
    m_writer.Heading(level, text, pageBreak || m_breakNext);
    m_breakNext = false;
}

void CRptWriterEmitter::BeginTable(int level, int columns, std::span<const int> widths)
{
    m_writer.BeginTable(level, columns, widths);
}

void CRptWriterEmitter::EndTable()
{
    m_writer.EndTable();
}

bool CRptWriterEmitter::Row(const CRptTextRow& row)
{
    m_writer.Row(row);
    return true;
}

bool CRptWriterEmitter::Runs(int level, std::span<const CRptRun> runs)
{
    m_writer.Runs(level, runs);
    return true;
}

bool CRptWriterEmitter::FieldRow(int level, std::string_view label, std::string_view value,
                                 std::string_view marks)
{
    m_writer.FieldRow(level, label, value, marks);
    return true;
}

bool CRptWriterEmitter::SourceRow(int level, int number, std::string_view text)
{
    if (m_writer.Kind() == kRptText) {
        m_writer.FieldRow(level, text::Format("%d.", number), text);
        return true;
    }
    m_writer.SourceRow(number, m_writer.Kind() == kRptRtf);
    m_writer.Row(RptParagraph(text, 0, 1, level, kRptDataPart));
    return true;
}

void CRptWriterEmitter::PageBreak()
{
    m_breakNext = m_writer.Kind() == kRptRtf;
}

// Pages.

CRptLayoutEmitter::CRptLayoutEmitter(CRptPageLayout& layout, CRptFontSet& ctx)
    : m_layout(layout), m_ctx(ctx)
{
    if (ctx.writer)
        m_export = std::make_unique<CRptWriterEmitter>(*ctx.writer);
}

void CRptLayoutEmitter::NextEntry()
{
    if (m_export)
        m_export->NextEntry();
}

void CRptLayoutEmitter::BeginTable(int level, int columns, std::span<const int> widths)
{
    if (m_export)
        m_export->BeginTable(level, columns, widths);
}

void CRptLayoutEmitter::EndTable()
{
    if (m_export)
        m_export->EndTable();
}

void CRptLayoutEmitter::Heading(int level, std::string_view text, bool pageBreak)
{
    if (m_export)
        return m_export->Heading(level, text, pageBreak);
    if (pageBreak)
        PageBreak();
    if (!text.empty())
        m_layout.EmitHeading(m_ctx, level, text);
}

bool CRptLayoutEmitter::Row(const CRptTextRow& row)
{
    if (m_export)
        return m_export->Row(row);
    return m_layout.EmitRow(m_ctx, row.m_text, row.m_marks, row.m_indentKind, KeptIndent(row),
                            row.m_level, row.m_part);
}

int CRptLayoutEmitter::KeptIndent(const CRptTextRow& row) const
{
    // Deep generations keep at least half the content's width for their text, so that a line
    // at the hundredth generation is still a line and not a column of single letters.
    int indent = row.m_indent;
    const RptPageMetrics& metrics = m_layout.Metrics();
    const int step = row.m_indentKind == 1   ? metrics.indentStep1
                     : row.m_indentKind == 2 ? metrics.indentStep2
                                             : 0;
    if (step > 0)
        indent = std::min(indent, std::max(0, metrics.content.Width() / 2 / step));
    return std::max(0, indent);
}

bool CRptLayoutEmitter::GenerationRow(const CRptTextRow& row, const RptBulletStyle& style,
                                      bool second, const RptBulletAt* from, RptBulletAt* at)
{
    // A line without text has nothing for a bullet to stand before.
    if (m_export || row.m_text.empty())
        return Row(row);
    const int indent = KeptIndent(row);
    const int lineHeight = m_ctx.Metrics(RptFontSlot(row.m_level, row.m_part)).lineHeight;
    m_layout.PlaceLine(m_ctx, lineHeight);
    const int radius = kRptBulletRadius;
    const int gap =
        std::max(radius, std::min(kRptBulletGap + radius, m_layout.Metrics().indentStep1 - radius));
    const RptBulletAt here{m_ctx.page, m_ctx.y + lineHeight / 2,
                           m_ctx.columnLeft - m_ctx.Content().left +
                               indent * m_layout.Metrics().indentStep1 + radius};
    if (from)
        DrawConnector(*from, here, style.line);
    if (m_ctx.Draws(here.page)) {
        const std::size_t kind = second ? 1 : 0;
        m_ctx.Canvas()->DrawCircle(m_ctx.Content().left + here.x, m_ctx.Content().top + here.y,
                                   radius, style.fills[kind], style.hollow[kind], style.line,
                                   kRptConnectorWidth);
    }
    if (at)
        *at = here;
    // The text stands after the bullet: the column moves right while the row is placed, unless
    // the row itself closes a column beside pictures.
    const int left = m_ctx.columnLeft;
    const bool beside = m_ctx.pictures.sideOpen;
    m_ctx.columnLeft = std::min(left + radius + gap, m_ctx.columnRight - 1);
    const bool going =
        m_layout.EmitRow(m_ctx, row.m_text, row.m_marks, 1, indent, row.m_level, row.m_part);
    if (beside == m_ctx.pictures.sideOpen)
        m_ctx.columnLeft = left;
    return going;
}

void CRptLayoutEmitter::DrawConnector(const RptBulletAt& from, const RptBulletAt& to,
                                      COLORREF colour)
{
    const int page = m_ctx.targetPage;
    if (page < from.page || page > to.page || !m_ctx.Draws(page))
        return;
    const CRect& content = m_ctx.Content();
    // Down the column of the upper bullet to the lower line, then across to its bullet; a
    // bullet straight below ends the line at its edge.
    const bool across = to.x != from.x;
    const int top = page == from.page ? from.y + kRptBulletRadius : 0;
    const int bottom =
        page == to.page ? (across ? to.y : to.y - kRptBulletRadius) : content.Height();
    if (bottom > top)
        m_ctx.Canvas()->DrawLine(content.left + from.x, content.top + top, content.left + from.x,
                                 content.top + bottom, kRptConnectorWidth, colour);
    if (across && page == to.page && to.x - kRptBulletRadius > from.x)
        m_ctx.Canvas()->DrawLine(content.left + from.x, content.top + to.y,
                                 content.left + to.x - kRptBulletRadius, content.top + to.y,
                                 kRptConnectorWidth, colour);
}

bool CRptLayoutEmitter::Runs(int level, std::span<const CRptRun> runs)
{
    if (m_export)
        return m_export->Runs(level, runs);
    std::vector<RptRun> placed;
    placed.reserve(runs.size());
    for (const CRptRun& run : runs)
        placed.push_back({run.m_text, run.m_part, run.m_marks});
    return m_layout.EmitRuns(m_ctx, level, placed);
}

bool CRptLayoutEmitter::FieldRow(int level, std::string_view label, std::string_view value,
                                 std::string_view marks)
{
    if (m_export)
        return m_export->FieldRow(level, label, value, marks);
    const RptRun runs[] = {{std::string(label), kRptLabelPart, {}},
                           {std::string(value), kRptDataPart, std::string(marks)}};
    return m_layout.EmitRuns(m_ctx, level, runs);
}

bool CRptLayoutEmitter::SourceRow(int level, int number, std::string_view text)
{
    if (m_export)
        return m_export->SourceRow(level, number, text);
    return FieldRow(level, text::Format("%d.", number), text, {});
}

void CRptLayoutEmitter::PageBreak()
{
    if (m_export)
        return m_export->PageBreak();
    if (m_ctx.y > 0) {
        ++m_ctx.page;
        m_ctx.y = 0;
    }
}

void CRptLayoutEmitter::Pictures(int level, std::span<const RptPicture> pictures,
                                 RptPlacement placement, int maxWidth, int maxHeight,
                                 bool clearSide, const RptPictureGaps* gaps)
{
    if (m_export || pictures.empty())
        return;
    m_layout.BeginPictures(m_ctx, level);
    for (const RptPicture& picture : pictures)
        m_layout.PlacePicture(m_ctx, picture, placement, std::max(0, maxWidth),
                              std::max(0, maxHeight), gaps);
    m_layout.EndPictures(m_ctx, 0);
    if (clearSide)
        m_ctx.ClearSidePictures();
}
