// tests/reports/fake_rpt_canvas.h: a report canvas with fixed metrics that records what is drawn,
// and a report body made of scripted entries.
#pragma once

#include "database/multimedia/media_content.h"
#include "reports/rpt_canvas.h"
#include "reports/rpt_page_layout.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace rpt_test {

/// A letter sheet at 720 dots to the inch, so that one device pixel is one logical unit, with a
/// border of 36 pixels that cannot be printed.
inline RptDevicePage LetterAt720()
{
    return {6120, 7920, 36, 36, 6048, 7848, 720, 720};
}

/// Picture content that only has a name, for telling pictures apart on the canvas.
class NamedContent : public IMediaContent {
public:
    explicit NamedContent(std::string name) : name(std::move(name)) {}
    CSize GetExtent() const override { return {96, 96}; }
    bool Draw(CDC& /*dc*/, const RECT& /*target*/, const RECT* /*source*/) override
    {
        return false;
    }
    std::string name;
};

/// Every character (byte) of a font of height h is h / 2 wide; a line is 1.2 h high, its ascent h.
class FakeCanvas : public IRptCanvas {
public:
    struct Drawn {
        enum Kind { Text, Rule, Picture, Circle, Line } kind;
        int slot = -1;
        CRect rect;
        RptAlign align = RptAlign::Left;
        int x = 0, baseline = 0;
        std::string text;
        bool justify = false;
        /// A circle's fill (or a line's colour) and whether it is hollow.
        COLORREF colour = 0;
        bool hollow = false;
    };

    RptDevicePage device = LetterAt720();
    CSize mapped;
    std::vector<Drawn> drawn;
    /// The bytes handed to GetFitCount.
    std::size_t measured = 0;

    RptDevicePage GetDevicePage() const override { return device; }
    void SetupMapping(int pageWidth, int pageHeight) override { mapped = {pageWidth, pageHeight}; }
    RptFontMetrics CreateFont(int slot, const LOGFONT& /*font*/, int height) override
    {
        m_heights[slot] = -height;
        return {-height * 12 / 10, -height};
    }
    void SelectFont(int slot) override { m_slot = slot; }
    int GetTextWidth(std::string_view text) override { return int(text.size()) * CharWidth(); }
    int GetFitCount(std::string_view text, int width) override
    {
        measured += text.size();
        return std::min(int(text.size()), std::max(0, width) / CharWidth());
    }
    void DrawTextRun(const CRect& rect, RptAlign align, int x, int baseline, std::string_view text,
                     bool justify) override
    {
        drawn.push_back(
            {Drawn::Text, m_slot, rect, align, x, baseline, std::string(text), justify});
    }
    void DrawRule(int left, int right, int y, int thickness) override
    {
        drawn.push_back({Drawn::Rule, -1, CRect(left, y, right, y + thickness), RptAlign::Left, 0,
                         0, "", false});
    }
    void DrawPicture(const CRect& rect, const RptPicture& picture) override
    {
        const auto* named = dynamic_cast<const NamedContent*>(picture.content);
        drawn.push_back({Drawn::Picture, -1, rect, RptAlign::Left, 0, 0,
                         named ? named->name : std::string(), false});
    }

    /// A circle as its bounding rectangle; a line as the rectangle from its start to its end.
    void DrawCircle(int x, int y, int radius, COLORREF fill, bool hollow, COLORREF /*edge*/,
                    int /*width*/) override
    {
        drawn.push_back({Drawn::Circle, -1, CRect(x - radius, y - radius, x + radius, y + radius),
                         RptAlign::Left, x, y, "", false, fill, hollow});
    }
    void DrawLine(int x1, int y1, int x2, int y2, int /*width*/, COLORREF colour) override
    {
        drawn.push_back({Drawn::Line, -1, CRect(x1, y1, x2, y2), RptAlign::Left, 0, 0, "", false,
                         colour, false});
    }
    std::vector<Drawn> OfKind(Drawn::Kind kind) const
    {
        std::vector<Drawn> found;
        for (const Drawn& d : drawn)
            if (d.kind == kind)
                found.push_back(d);
        return found;
    }

    /// The texts drawn, in order.
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const Drawn& d : drawn)
            if (d.kind == Drawn::Text)
                texts.push_back(d.text);
        return texts;
    }
    const Drawn* FindText(const std::string& text) const
    {
        for (const Drawn& d : drawn)
            if (d.kind == Drawn::Text && d.text == text)
                return &d;
        return nullptr;
    }

private:
    int CharWidth() const
    {
        const auto it = m_heights.find(m_slot);
        return it == m_heights.end() ? 50 : std::max(1, it->second / 2);
    }
    std::map<int, int> m_heights;
    int m_slot = 0;
};

/// Entries that each run a script against the layout.
class ScriptBody : public IRptBody {
public:
    using Script = std::function<bool(CRptPageLayout&, CRptFontSet&)>;
    struct Entry {
        std::string title;
        Script script;
        bool exists = true;
    };
    std::vector<Entry> entries;

    int GetEntryCount() const override { return int(entries.size()); }
    bool RunEntry(int index, CRptPageLayout& layout, CRptFontSet& ctx) override
    {
        return entries[std::size_t(index)].script(layout, ctx);
    }
    bool EntryExists(int index) const override { return entries[std::size_t(index)].exists; }
    std::string GetEntryTitle(int index) const override
    {
        return entries[std::size_t(index)].title;
    }
};

/// Settings with 10-point fonts everywhere and one-inch margins: the content runs from 720 to
/// 5400 across and 720 to 7200 down, 54 lines of 120 units.
inline RptPageSettings PlainSettings()
{
    RptPageSettings settings;
    LOGFONT font;
    font.lfHeight = 10;
    settings.fonts.fill(font);
    settings.headerFonts.fill(font);
    settings.footerFonts.fill(font);
    return settings;
}

/// A script that emits one data row of n lines, "line 1" to "line n".
inline ScriptBody::Script Lines(int n)
{
    return [n](CRptPageLayout& layout, CRptFontSet& ctx) {
        std::string text;
        for (int i = 1; i <= n; ++i)
            text += "line " + std::to_string(i) + "\n";
        return layout.EmitRow(ctx, text, "", 0, 0, 1, 2);
    };
}

} // namespace rpt_test
