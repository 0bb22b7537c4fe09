// bench/reports/rpt_bench_report.h: what the report benchmarks share: a canvas with fixed metrics
// and the entries of a generated report (a record heading, a picture in each of the five
// placements in turn, a section heading and rows of two or three runs of varied length).
#pragma once

#include "reports/rpt_page_layout.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace rpt_bench {

/// A letter sheet at 600 dots to the inch; every byte of a font is half its height wide.
class FixedCanvas final : public IRptCanvas {
public:
    RptDevicePage GetDevicePage() const override
    {
        return {5100, 6600, 50, 50, 5000, 6500, 600, 600};
    }
    void SetupMapping(int /*pageWidth*/, int /*pageHeight*/) override {}
    RptFontMetrics CreateFont(int slot, const LOGFONT& /*font*/, int height) override
    {
        m_widths[std::size_t(slot)] = std::max(1, -height / 2);
        return {-height * 12 / 10, -height};
    }
    void SelectFont(int slot) override { m_width = m_widths[std::size_t(slot)]; }
    int GetTextWidth(std::string_view text) override { return int(text.size()) * m_width; }
    int GetFitCount(std::string_view text, int width) override
    {
        return std::min(int(text.size()), std::max(0, width) / m_width);
    }
    void DrawTextRun(const CRect&, RptAlign, int, int, std::string_view, bool) override {}
    void DrawRule(int, int, int, int) override {}
    void DrawPicture(const CRect&, const RptPicture&) override {}
    void DrawCircle(int, int, int, COLORREF, bool, COLORREF, int) override {}
    void DrawLine(int, int, int, int, int, COLORREF) override {}

private:
    std::array<int, kRptSlotCount> m_widths{};
    int m_width = 1;
};

/// The generated entries: texts made once, so that only layout is timed.
class GeneratedBody final : public IRptBody {
public:
    explicit GeneratedBody(int count)
    {
        static const char* const kWords[] = {"Leeds",  "parish",  "of",   "St",        "Mary",
                                             "farmer", "born",    "the",  "Yorkshire", "labourer",
                                             "and",    "married", "1850", "church",    "recorded"};
        unsigned seed = 12345;
        const auto words = [&](int n) {
            std::string text;
            for (int i = 0; i < n; ++i) {
                seed = seed * 1103515245u + 12345u;
                if (!text.empty())
                    text += ' ';
                text += kWords[(seed >> 16) % std::size(kWords)];
            }
            return text;
        };
        for (int i = 0; i < count; ++i) {
            Entry entry;
            entry.name = "Person " + std::to_string(i + 1);
            entry.placement = RptPlacement(i % 5);
            for (int row = 0; row < 4 + i % 5; ++row)
                entry.rows.push_back(
                    std::array<RptRun, 3>{RptRun{"Label " + std::to_string(row) + ":", 1, ""},
                                          RptRun{words(3 + (row * 7 + i) % 60), 2, "1,2"},
                                          RptRun{row % 2 ? words(4) : std::string(), 2, ""}});
            m_entries.push_back(std::move(entry));
        }
    }

    int GetEntryCount() const override { return int(m_entries.size()); }
    std::string GetEntryTitle(int index) const override
    {
        return m_entries[std::size_t(index)].name;
    }
    bool RunEntry(int index, CRptPageLayout& layout, CRptFontSet& ctx) override
    {
        const Entry& entry = m_entries[std::size_t(index)];
        layout.EmitHeading(ctx, 0, entry.name);
        layout.BeginPictures(ctx, 0);
        layout.PlacePicture(ctx, {640, 480, entry.name, nullptr}, entry.placement, 150, 150);
        layout.EndPictures(ctx, 0);
        layout.EmitHeading(ctx, 1, "Events", 0, true);
        for (const auto& row : entry.rows)
            if (!layout.EmitRuns(ctx, 1, row))
                return false;
        return true;
    }

private:
    struct Entry {
        std::string name;
        RptPlacement placement = RptPlacement::RowsLeft;
        std::vector<std::array<RptRun, 3>> rows;
    };
    std::vector<Entry> m_entries;
};

/// The settings of the generated report: 10-point fonts, a header with the title and page
/// number, ruled record headings, picture gaps.
inline RptPageSettings GeneratedSettings()
{
    RptPageSettings settings;
    LOGFONT font;
    font.lfHeight = 10;
    settings.fonts.fill(font);
    settings.headerFonts.fill(font);
    settings.footerFonts.fill(font);
    settings.headerTexts = {"=Title()", "", "Page =Page()"};
    settings.headingStyles[0] = {false, true, 12, 6, 100, 2};
    settings.headingStyles[1] = {false, false, 6, 3, 0, 1};
    settings.pictureGaps = {5, 5, 5, 5, 3};
    return settings;
}

} // namespace rpt_bench
