// reports/rpt_settings_store.cpp: the report settings read from and written to a report
// definition file or the profile, every key in the stored order.
#include "reports/rpt_settings.h"

#include "common/font_text.h"
#include "platform/base/text.h"
#include "reports/rpt_settings_tables.h"
#include "reports/rpt_settings_text.h"
#include "templates/settings_store.h"

#include <algorithm>

namespace {

constexpr const char* kOptions = kRptOptionsSection;
constexpr const char* kProbeKey = "Test";
constexpr const char* kCountKey = "Count";
/// "Count" when a section holds no list: the default list applies.
constexpr int kAbsentCount = 999;
/// No list is longer: a damaged "Count" costs at most this many look-ups.
constexpr int kMaxListLength = 10000;

constexpr const char* kMaxPicsKeys[] = {"Max Pics Individuals", "Max Pics Families",
                                        "Max Pics Children", "Max Pics Spouses"};
constexpr const char* kPicOptsKeys[] = {"Pic Opts Individuals", "Pic Opts Families",
                                        "Pic Opts Children", "Pic Opts Spouses"};
constexpr const char* kCaptionKeys[] = {"Pic Caption", "Pic Caption Year", "Pic Caption Age",
                                        "Pic Caption Title", "Pic Caption Title If All"};
constexpr const char* kStyleKeys[] = {"Line Above", "Line Below", "Gap Above",
                                      "Gap Below",  "Line Depth", "Keep With"};
constexpr const char* kHeaderTextKeys[] = {"Header - Left", "Header - Centre", "Header - Right"};
constexpr const char* kFooterTextKeys[] = {"Footer - Left", "Footer - Centre", "Footer - Right"};
constexpr const char* kColStartKeys[] = {"Col Start 1", "Col Start 2", "Col Start 3",
                                         "Col Start 4"};
constexpr const char* kMarginKeys[] = {"Margin - Top", "Margin - Left", "Margin - Bottom",
                                       "Margin - Right"};
constexpr int kLargestFontSize = 1000;

std::string ItemKey(int number)
{
    return text::Format("Item%d", number);
}

std::string StyleKey(int level, int field)
{
    return text::Format("Style%d-%s", level, kStyleKeys[field]);
}

int* StyleField(CRptHeadingStyle& style, int field)
{
    int* const fields[] = {&style.m_lineAbove, &style.m_lineBelow, &style.m_gapAbove,
                           &style.m_gapBelow,  &style.m_lineDepth, &style.m_keepWith};
    return fields[field];
}

std::string HeadingKey(const RptHeadingDef& row, const char* suffix)
{
    return text::Format("Heading %s-%s", row.key, suffix);
}

std::string TransparentKey(const char* key)
{
    return std::string(key) + "-transparent";
}

bool ReadFlag(const CSettingsStore& store, const char* key, bool defaultValue)
{
    return store.ReadInt(kOptions, key, defaultValue ? 1 : 0) > 0;
}

/// The stored font; the default when the text lacks fields or its size is not 1 to 1000 points.
LOGFONT ReadFont(const CSettingsStore& store, const RptFontDef& def)
{
    const std::string value = store.ReadString(kOptions, def.key, def.defaultText);
    LOGFONT font;
    TextToFont(value, font);
    if (std::count(value.begin(), value.end(), ',') < 13 || font.lfHeight < 1 ||
        font.lfHeight > kLargestFontSize)
        TextToFont(def.defaultText, font);
    return font;
}

/// The count of a list section, within 0 and kMaxListLength; kAbsentCount passes unchanged.
int ReadCount(const CSettingsStore& store, const std::string& section, int defaultValue)
{
    const int count = store.ReadInt(section, kCountKey, defaultValue);
    if (count == kAbsentCount)
        return count;
    return std::clamp(count, 0, kMaxListLength);
}

void ReadItems(const CSettingsStore& store, int section, CRptItemList& items)
{
    const std::string name = RptItemSectionName(section);
    const int count = ReadCount(store, name, kAbsentCount);
    if (count == kAbsentCount)
        return; // the default list stays
    items.clear();
    for (int number = 1; number <= count; ++number) {
        const std::optional<std::string> value = store.ReadText(name, ItemKey(number));
        CRptItem item;
        if (value && ParseRptItem(*value, item))
            items.push_back(std::move(item));
    }
}

void ReadEvents(const CSettingsStore& store, const char* section, CEventList& list)
{
    list.clear();
    const int count = ReadCount(store, section, 0);
    for (int number = 1; number <= count; ++number) {
        const std::optional<std::string> value = store.ReadText(section, ItemKey(number));
        CEventListEntry entry;
        if (value && ParseEventEntry(*value, entry))
            list.push_back(std::move(entry));
    }
}

/// Removes the numbered keys the old list had, then writes the new ones without gaps.
void WriteList(CSettingsStore& store, const std::string& section,
               const std::vector<std::string>& lines)
{
    const int oldCount = std::clamp(store.ReadInt(section, kCountKey, 0), 0, kMaxListLength);
    for (int number = 1; number <= oldCount; ++number)
        store.DeleteKey(section, ItemKey(number));
    store.WriteInt(section, kCountKey, int(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i)
        store.WriteString(section, ItemKey(int(i) + 1), lines[i]);
}

COLORREF ParseColour(std::string_view value, COLORREF fallback)
{
    int channels[3] = {};
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = value.find(',');
        if (i < 2 && comma == std::string_view::npos)
            return fallback;
        channels[i] = int(std::clamp(text::ParseLeadingInt(value.substr(0, comma)), 0L, 255L));
        if (i < 2)
            value.remove_prefix(comma + 1);
    }
    return RGB(BYTE(channels[0]), BYTE(channels[1]), BYTE(channels[2]));
}

void ReadContents(const CSettingsStore& store, CRptContents& contents)
{
    for (int i = 0; i < kRptOptionCount; ++i) {
        const RptFlagDef& row = RptOptionTable()[std::size_t(i)];
        contents.m_options[std::size_t(i)] = ReadFlag(store, row.key, row.defaultValue);
    }
    for (int section = 0; section < kRptItemSectionCount; ++section)
        ReadItems(store, section, contents.m_items[std::size_t(section)]);
    contents.m_indEventMode = store.ReadInt(kOptions, "Ind Events", 0);
    ReadEvents(store, kRptIndEventsSection, contents.m_indEvents);
    contents.m_famEventMode = store.ReadInt(kOptions, "Fam Events", 0);
    ReadEvents(store, kRptFamEventsSection, contents.m_famEvents);
    contents.m_numbering = store.ReadInt(kOptions, "Numbering", 0);
    contents.m_textLayout = store.ReadInt(kOptions, "Text Layout", 0);
    contents.m_generations = store.ReadInt(kOptions, "Gens", 5);
}

void ReadPictures(const CSettingsStore& store, CRptPictures& pictures)
{
    for (int i = 0; i < kRptPicRoleCount; ++i) {
        pictures.m_maxPictures[std::size_t(i)] = store.ReadInt(kOptions, kMaxPicsKeys[i], 1);
        pictures.m_options[std::size_t(i)] =
            ParsePicOpts(store.ReadString(kOptions, kPicOptsKeys[i], "{SR,M}"));
    }
    pictures.m_preference = store.ReadInt(kOptions, "Picture Prefs", 1);
    for (int i = 0; i < kRptCaptionFlagCount; ++i)
        pictures.m_captionFlags[std::size_t(i)] = ReadFlag(store, kCaptionKeys[i], true);
    if (const auto gaps = store.ReadText(kOptions, "Pic Gaps"))
        pictures.m_gaps = ParsePicGaps(*gaps);
}

void ReadSources(const CSettingsStore& store, CRptSources& sources)
{
    for (int i = 0; i < kRptSourceFlagCount; ++i) {
        const RptFlagDef& row = RptSourceFlagTable()[std::size_t(i)];
        sources.m_flags[std::size_t(i)] = ReadFlag(store, row.key, row.defaultValue);
    }
    sources.m_sourcePictures = store.ReadInt(kOptions, "Source Pictures", 1);
    sources.m_citationPictures = store.ReadInt(kOptions, "Citation Pictures", 1);
    sources.m_sourcePicWidth = store.ReadInt(kOptions, "Source Pic Width", 150);
    if (const auto gaps = store.ReadText(kOptions, "Source Pic Gaps"))
        sources.m_gaps = ParsePicGaps(*gaps);
    sources.m_captions = ReadFlag(store, "Source Captions", true);
    sources.m_pictureTitles = ReadFlag(store, "Source Pic Titles", true);
}

void ReadFormat(const CSettingsStore& store, CRptFormat& format)
{
    for (int i = 0; i < kRptFontCount; ++i)
        format.m_fonts[std::size_t(i)] = ReadFont(store, RptFontTable()[std::size_t(i)]);
    for (int level = 0; level < kRptHeadingLevelCount; ++level) {
        CRptHeadingStyle& style = format.m_headingStyles[std::size_t(level)];
        for (int field = 0; field < 6; ++field) {
            int* value = StyleField(style, field);
            *value = store.ReadInt(kOptions, StyleKey(level, field), *value);
        }
    }
    for (int i = 0; i < kRptHeadingCount; ++i) {
        const RptHeadingDef& row = RptHeadingTable()[std::size_t(i)];
        CRptHeading& heading = format.m_headings[std::size_t(i)];
        heading.m_show = store.ReadInt(kOptions, HeadingKey(row, "Show"), row.defaultShow);
        heading.m_text.SetText(
            row.defaultText ? store.ReadString(kOptions, HeadingKey(row, "Text"), row.defaultText)
                            : "");
    }
    format.m_emptySectionText = store.ReadString(kOptions, "Empty Section Text", "(none)");
    format.m_dateFormat = store.ReadInt(kOptions, "Date Format", 8);
    for (int i = 0; i < kRptColourCount; ++i) {
        const RptColourDef& row = RptColourTable()[std::size_t(i)];
        CRptColour& colour = format.m_colours[std::size_t(i)];
        const std::string value = store.ReadString(kRptColoursSection, row.key, "");
        colour.m_colour = value.empty() ? row.colour : ParseColour(value, row.colour);
        colour.m_transparencyAllowed = row.transparencyAllowed;
        colour.m_transparent =
            row.transparencyAllowed && store.ReadInt(kRptColoursSection, TransparentKey(row.key),
                                                     row.transparentByDefault ? 1 : 0) > 0;
    }
}

void ReadLayout(const CSettingsStore& store, CRptLayout& layout)
{
    layout.m_mirrorPages = ReadFlag(store, "Mirror Pages", false);
    layout.m_landscape = ReadFlag(store, "Landscape", false);
    int* const margins[] = {&layout.m_marginTop, &layout.m_marginLeft, &layout.m_marginBottom,
                            &layout.m_marginRight};
    for (int i = 0; i < 4; ++i)
        *margins[i] = store.ReadInt(kOptions, kMarginKeys[i], 50);
    for (std::size_t i = 0; i < 3; ++i) {
        layout.m_headerTexts[i] =
            store.ReadString(kOptions, kHeaderTextKeys[i], layout.m_headerTexts[i]);
        layout.m_headerFonts[i] = ReadFont(store, RptHeaderFontTable()[i]);
    }
    layout.m_minHeaderDepth = store.ReadInt(kOptions, "Min. Header Depth", 50);
    layout.m_headerLine = ReadFlag(store, "Header Line", false);
    layout.m_headerLineDepth = store.ReadInt(kOptions, "Header Line Depth", 50);
    for (std::size_t i = 0; i < 3; ++i) {
        layout.m_footerTexts[i] =
            store.ReadString(kOptions, kFooterTextKeys[i], layout.m_footerTexts[i]);
        layout.m_footerFonts[i] = ReadFont(store, RptFooterFontTable()[i]);
    }
    layout.m_minFooterDepth = store.ReadInt(kOptions, "Min. Footer Depth", 50);
    layout.m_footerLine = ReadFlag(store, "Footer Line", false);
    layout.m_footerLineDepth = store.ReadInt(kOptions, "Footer Line Depth", 50);
    layout.m_startingPage = store.ReadInt(kOptions, "Starting Page No", 1);
    layout.m_recordStart = ReadFlag(store, "Record Start", true);
    for (std::size_t i = 0; i < 4; ++i)
        layout.m_colStarts[i] = store.ReadInt(kOptions, kColStartKeys[i], layout.m_colStarts[i]);
    layout.m_tabWidth = store.ReadInt(kOptions, "Tab Width", 50);
    layout.m_paraIndent = store.ReadInt(kOptions, "Para Indent", 30);
}

void WriteFlag(CSettingsStore& store, const char* key, bool value)
{
    store.WriteInt(kOptions, key, value ? 1 : 0);
}

void WriteContents(CSettingsStore& store, const CRptContents& contents)
{
    for (int i = 0; i < kRptOptionCount; ++i)
        WriteFlag(store, RptOptionTable()[std::size_t(i)].key, contents.m_options[std::size_t(i)]);
    for (int section = 0; section < kRptItemSectionCount; ++section) {
        std::vector<std::string> lines;
        for (const CRptItem& item : contents.m_items[std::size_t(section)])
            lines.push_back(RptItemToText(item));
        WriteList(store, RptItemSectionName(section), lines);
    }
    const auto writeEvents = [&store](const char* section, const CEventList& list) {
        std::vector<std::string> lines;
        for (const CEventListEntry& entry : list) {
            std::string line = EventEntryToText(entry);
            if (!line.empty())
                lines.push_back(std::move(line));
        }
        WriteList(store, section, lines);
    };
    store.WriteInt(kOptions, "Ind Events", contents.m_indEventMode);
    writeEvents(kRptIndEventsSection, contents.m_indEvents);
    store.WriteInt(kOptions, "Fam Events", contents.m_famEventMode);
    writeEvents(kRptFamEventsSection, contents.m_famEvents);
    store.WriteInt(kOptions, "Numbering", contents.m_numbering);
    store.WriteInt(kOptions, "Text Layout", contents.m_textLayout);
    store.WriteInt(kOptions, "Gens", contents.m_generations);
}

void WritePictures(CSettingsStore& store, const CRptPictures& pictures)
{
    for (int i = 0; i < kRptPicRoleCount; ++i) {
        store.WriteInt(kOptions, kMaxPicsKeys[i], pictures.m_maxPictures[std::size_t(i)]);
        store.WriteString(kOptions, kPicOptsKeys[i],
                          PicOptsToText(pictures.m_options[std::size_t(i)]));
    }
    store.WriteInt(kOptions, "Picture Prefs", pictures.m_preference);
    for (int i = 0; i < kRptCaptionFlagCount; ++i)
        WriteFlag(store, kCaptionKeys[i], pictures.m_captionFlags[std::size_t(i)]);
    store.WriteString(kOptions, "Pic Gaps", PicGapsToText(pictures.m_gaps));
}

void WriteSources(CSettingsStore& store, const CRptSources& sources)
{
    for (int i = 0; i < kRptSourceFlagCount; ++i)
        WriteFlag(store, RptSourceFlagTable()[std::size_t(i)].key, sources.m_flags[std::size_t(i)]);
    store.WriteInt(kOptions, "Source Pictures", sources.m_sourcePictures);
    store.WriteInt(kOptions, "Citation Pictures", sources.m_citationPictures);
    store.WriteInt(kOptions, "Source Pic Width", sources.m_sourcePicWidth);
    store.WriteString(kOptions, "Source Pic Gaps", PicGapsToText(sources.m_gaps));
    WriteFlag(store, "Source Captions", sources.m_captions);
    WriteFlag(store, "Source Pic Titles", sources.m_pictureTitles);
}

std::string ColourText(COLORREF colour)
{
    return text::Format("%u,%u,%u", unsigned(GetRValue(colour)), unsigned(GetGValue(colour)),
                        unsigned(GetBValue(colour)));
}

void WriteFormat(CSettingsStore& store, const CRptFormat& format)
{
    for (int i = 0; i < kRptFontCount; ++i)
        store.WriteString(kOptions, RptFontTable()[std::size_t(i)].key,
                          FontToText(format.m_fonts[std::size_t(i)]));
    for (int level = 0; level < kRptHeadingLevelCount; ++level) {
        CRptHeadingStyle style = format.m_headingStyles[std::size_t(level)];
        for (int field = 0; field < 6; ++field)
            store.WriteInt(kOptions, StyleKey(level, field), *StyleField(style, field));
    }
    for (int i = 0; i < kRptHeadingCount; ++i) {
        const RptHeadingDef& row = RptHeadingTable()[std::size_t(i)];
        const CRptHeading& heading = format.m_headings[std::size_t(i)];
        store.WriteInt(kOptions, HeadingKey(row, "Show"), heading.m_show);
        store.WriteString(kOptions, HeadingKey(row, "Text"), heading.m_text.GetText());
    }
    store.WriteString(kOptions, "Empty Section Text", format.m_emptySectionText);
    store.WriteInt(kOptions, "Date Format", format.m_dateFormat);
    for (int i = 0; i < kRptColourCount; ++i) {
        const RptColourDef& row = RptColourTable()[std::size_t(i)];
        const CRptColour& colour = format.m_colours[std::size_t(i)];
        store.WriteString(kRptColoursSection, row.key, ColourText(colour.m_colour));
        store.WriteInt(kRptColoursSection, TransparentKey(row.key), colour.m_transparent ? 1 : 0);
    }
}

void WriteLayout(CSettingsStore& store, const CRptLayout& layout)
{
    WriteFlag(store, "Mirror Pages", layout.m_mirrorPages);
    WriteFlag(store, "Landscape", layout.m_landscape);
    const int margins[] = {layout.m_marginTop, layout.m_marginLeft, layout.m_marginBottom,
                           layout.m_marginRight};
    for (int i = 0; i < 4; ++i)
        store.WriteInt(kOptions, kMarginKeys[i], margins[i]);
    for (std::size_t i = 0; i < 3; ++i) {
        store.WriteString(kOptions, kHeaderTextKeys[i], layout.m_headerTexts[i]);
        store.WriteString(kOptions, RptHeaderFontTable()[i].key,
                          FontToText(layout.m_headerFonts[i]));
    }
    store.WriteInt(kOptions, "Min. Header Depth", layout.m_minHeaderDepth);
    WriteFlag(store, "Header Line", layout.m_headerLine);
    store.WriteInt(kOptions, "Header Line Depth", layout.m_headerLineDepth);
    for (std::size_t i = 0; i < 3; ++i) {
        store.WriteString(kOptions, kFooterTextKeys[i], layout.m_footerTexts[i]);
        store.WriteString(kOptions, RptFooterFontTable()[i].key,
                          FontToText(layout.m_footerFonts[i]));
    }
    store.WriteInt(kOptions, "Min. Footer Depth", layout.m_minFooterDepth);
    WriteFlag(store, "Footer Line", layout.m_footerLine);
    store.WriteInt(kOptions, "Footer Line Depth", layout.m_footerLineDepth);
    store.WriteInt(kOptions, "Starting Page No", layout.m_startingPage);
    WriteFlag(store, "Record Start", layout.m_recordStart);
    for (std::size_t i = 0; i < 4; ++i)
        store.WriteInt(kOptions, kColStartKeys[i], layout.m_colStarts[i]);
    store.WriteInt(kOptions, "Tab Width", layout.m_tabWidth);
    store.WriteInt(kOptions, "Para Indent", layout.m_paraIndent);
}

} // namespace

void CRptSettings::Load(const CSettingsStore& store)
{
    Reset();
    m_version = text::Trim(store.ReadString(kRptHeaderSection, "Version", ""));
    m_class = text::Trim(store.ReadString(kRptHeaderSection, "Class", ""));
    m_template = text::Trim(store.ReadString(kRptHeaderSection, "Template", ""));
    ReadContents(store, m_contents);
    ReadPictures(store, m_pictures);
    ReadSources(store, m_sources);
    ReadFormat(store, m_format);
    ReadLayout(store, m_layout);
}

void CRptSettings::Write(CSettingsStore& store, int part) const
{
    store.DeleteKey(kOptions, kProbeKey);
    if (part == kRptPartAll) {
        store.WriteString(kRptHeaderSection, "Version", m_version);
        store.WriteString(kRptHeaderSection, "Class", m_class);
        store.WriteString(kRptHeaderSection, "Template", m_template);
    }
    if (part == kRptPartAll || part == kRptPartContents)
        WriteContents(store, m_contents);
    if (part == kRptPartAll || part == kRptPartPictures)
        WritePictures(store, m_pictures);
    if (part == kRptPartAll || part == kRptPartSources)
        WriteSources(store, m_sources);
    if (part == kRptPartAll || part == kRptPartFormat)
        WriteFormat(store, m_format);
    if (part == kRptPartAll || part == kRptPartLayout)
        WriteLayout(store, m_layout);
}

SaveOutcome CRptSettings::Save(CSettingsStore& store, int part) const
{
    Write(store, part);
    if (store.Commit())
        return {};
    return {store.FailureText()};
}
