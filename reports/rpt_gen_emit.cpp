// reports/rpt_gen_emit.cpp: the elements report bodies emit through their generator, and
// exporting a whole report through an export writer.
#include "reports/rpt_gen.h"

#include "platform/base/progress.h"
#include "reports/rpt_document.h"
#include "reports/rpt_writer.h"

namespace {

/// Thrown from inside an export that the user stopped, to leave the file unwritten.
struct ExportStopped {};

} // namespace

void CRptGen::EmitHeading(CRptFontSet& ctx, int level, std::string_view text, int minHeight,
                          bool defer, bool pageBreak)
{
    m_layout->EmitHeading(ctx, level, text, minHeight, defer, pageBreak);
}

bool CRptGen::EmitRow(CRptFontSet& ctx, std::string_view text, std::string_view marks,
                      int indentKind, int indent, int level, int part)
{
    return m_layout->EmitRow(ctx, text, marks, indentKind, indent, level, part);
}

bool CRptGen::EmitRuns(CRptFontSet& ctx, int level, std::span<const RptRun> runs, bool keepTogether)
{
    return m_layout->EmitRuns(ctx, level, runs, keepTogether);
}

bool CRptGen::WriteFieldRow(CRptFontSet& ctx, int level, std::string_view label,
                            std::string_view value, std::string_view marks)
{
    if (ctx.writer) {
        ctx.writer->FieldRow(level, label, value, marks);
        return true;
    }
    const RptRun runs[] = {{std::string(label), kRptLabelPart, {}},
                           {std::string(value), kRptDataPart, std::string(marks)}};
    return EmitRuns(ctx, level, runs);
}

void CRptGen::BeginTable(CRptFontSet& ctx, int level, int columns, std::span<const int> widths,
                         bool tableFlag)
{
    if (ctx.writer)
        ctx.writer->BeginTable(level, columns, widths, tableFlag);
}

void CRptGen::EndTable(CRptFontSet& ctx)
{
    if (ctx.writer)
        ctx.writer->EndTable();
}

void CRptGen::NextEntry(CRptFontSet& ctx)
{
    if (ctx.writer)
        ctx.writer->NextEntry();
}

void CRptGen::WriteEntries(CRptFontSet& ctx)
{
    const int count = int(m_entries.size());
    if (m_monitor.progress)
        m_monitor.progress->BeginProgress(count, "Writing the report");
    for (int i = 0; i < count; ++i) {
        if (m_monitor.stop && m_monitor.stop()) {
            if (m_monitor.progress)
                m_monitor.progress->EndProgress();
            throw ExportStopped{};
        }
        // An entry cut short by a stop is not a whole file either.
        if (EntryExists(i) && !RunEntry(i, *m_layout, ctx) && m_monitor.stop && m_monitor.stop()) {
            if (m_monitor.progress)
                m_monitor.progress->EndProgress();
            throw ExportStopped{};
        }
        if (m_monitor.progress)
            m_monitor.progress->SetProgressPos(i + 1);
    }
    if (m_monitor.progress)
        m_monitor.progress->EndProgress();
}

RptExportOutcome CRptGen::Export(const std::string& path, int kind, int textWidth)
{
    if (m_building)
        return {};
    // The pages laid out for the window stay as they are; the export has a layout of its own.
    struct Restore {
        CRptGen& gen;
        std::unique_ptr<CRptPageLayout> pages;
        ~Restore()
        {
            gen.m_layout = std::move(pages);
            gen.m_building = false;
        }
    } restore{*this, std::move(m_layout)};
    m_building = true;
    m_layout = std::make_unique<CRptPageLayout>(m_settings.GetPageSettings());
    try {
        const SaveOutcome saved =
            WriteReportFile(path, kind, m_name, m_settings, [&](CRptWriter& writer) {
                if (textWidth > 0)
                    writer.SetLineWidth(textWidth);
                CRptFontSet ctx;
                ctx.Create(m_layout->Settings(), nullptr);
                ctx.writer = &writer;
                WriteEntries(ctx);
            });
        return {saved.Saved(), saved.failure};
    } catch (const ExportStopped&) {
        return {false,
                "The report was stopped before it was saved: " + path + " is left as it was.",
                true};
    }
}
