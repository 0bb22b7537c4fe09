// tests/reports/rpt_body_test_support.h: report bodies written as plain text into a string, read
// back as lines (blank lines and rule lines left out).
#pragma once

#include "reports/rpt_citation.h"
#include "reports/rpt_emitter.h"
#include "reports/rpt_gen_body.h"
#include "reports/rpt_settings.h"
#include "reports/rpt_sink.h"
#include "reports/rpt_writer.h"

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace rpt_test {

/// Settings for bodies under test: no record heading, no life dates with names, sources off.
inline CRptSettings BodySettings()
{
    CRptSettings settings;
    for (CRptHeading& heading : settings.m_format.m_headings)
        heading.m_show = kRptHeadingHide;
    settings.m_contents.m_options[kRptDatesWithNames] = false;
    settings.m_sources.m_flags[kRptIncludeSources] = false;
    return settings;
}

/// Writes a body in format kind; the output.
inline std::string WriteBody(const CRptSettings& settings, int kind,
                             const std::function<void(CRptBodyContext&)>& body,
                             CRptCitationList* collect = nullptr)
{
    CRptStringSink sink(kind);
    CRptWriter writer(sink);
    writer.UseSettings(settings);
    CRptWriterEmitter out(writer);
    CRptCitations citations(settings.SourceFlag(kRptIncludeSources), collect);
    CRptBodyContext ctx{settings, out, citations, {}, {}};
    body(ctx);
    return sink.Str();
}

/// Lines with their leading and trailing blanks taken off.
inline std::vector<std::string> Trimmed(std::vector<std::string> lines)
{
    for (std::string& line : lines) {
        line.erase(0, line.find_first_not_of(" \t"));
        line.erase(line.find_last_not_of(" \t") + 1);
    }
    return lines;
}

/// The lines of a text output that carry words (no blank or rule lines), tabs kept.
inline std::vector<std::string> WordLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.find_first_not_of(" \t_-") != std::string::npos)
            lines.push_back(line);
    }
    return lines;
}

/// Counts the rows a body places and remembers the deepest indent and the last text.
class CountingEmitter final : public IRptEmitter {
public:
    bool IsExport() const override { return false; }
    void NextEntry() override {}
    void Heading(int, std::string_view, bool) override {}
    void BeginTable(int, int, std::span<const int>) override {}
    void EndTable() override {}
    bool Row(const CRptTextRow& row) override
    {
        ++rows;
        deepest = std::max(deepest, row.m_indent);
        last = row.m_text;
        return true;
    }
    bool Runs(int, std::span<const CRptRun>) override { return ++rows, true; }
    bool FieldRow(int, std::string_view, std::string_view, std::string_view) override
    {
        return ++rows, true;
    }
    bool SourceRow(int, int, std::string_view) override { return ++rows, true; }
    void PageBreak() override {}

    std::size_t rows = 0;
    int deepest = 0;
    std::string last;
};

/// Plain-text lines of a body.
inline std::vector<std::string> BodyLines(const CRptSettings& settings,
                                          const std::function<void(CRptBodyContext&)>& body)
{
    return WordLines(WriteBody(settings, kRptText, body));
}

} // namespace rpt_test
