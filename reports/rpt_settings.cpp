// reports/rpt_settings.cpp: the report settings record: defaults, copying by part, restoring the
// installation values, picture sizes and event-list matching.
#include "reports/rpt_settings.h"

#include "common/font_text.h"
#include "database/dictionary/field_def.h"
#include "database/nodes/data_node.h"
#include "platform/base/text.h"
#include "reports/report_name.h"
#include "reports/rpt_settings_tables.h"
#include "templates/settings_store.h"

namespace {

LOGFONT FontOf(const char* text)
{
    LOGFONT font;
    TextToFont(text, font);
    return font;
}

/// Small, medium and large in hundredths of an inch.
constexpr int kSideWidths[] = {71, 142, 213};
constexpr int kRowWidths[] = {100, 200, 300};
constexpr int kHeights[] = {71, 142, 213};

int SizeIndex(const CRptPicOpts& options)
{
    return options.m_size >= CRptPicOpts::kSmall && options.m_size <= CRptPicOpts::kLarge
               ? options.m_size
               : CRptPicOpts::kMedium;
}

} // namespace

CRptSettings::CRptSettings()
{
    Reset();
}

void CRptSettings::Reset()
{
    m_version.clear();
    m_class.clear();
    m_template.clear();

    m_contents = CRptContents{};
    for (int i = 0; i < kRptOptionCount; ++i)
        m_contents.m_options[std::size_t(i)] = RptOptionTable()[std::size_t(i)].defaultValue;
    for (int section = 0; section < kRptItemSectionCount; ++section) {
        CRptItemList& items = m_contents.m_items[std::size_t(section)];
        const auto catalogue = RptItemCatalogue(section);
        for (std::size_t row = 0; row < catalogue.size(); ++row) {
            CRptItem item;
            item.m_index = int(row);
            item.m_show = catalogue[row].defaultShow;
            items.push_back(std::move(item));
        }
    }

    m_pictures = CRptPictures{};
    m_pictures.m_maxPictures.fill(1);
    m_pictures.m_captionFlags.fill(true);

    m_sources = CRptSources{};
    for (int i = 0; i < kRptSourceFlagCount; ++i)
        m_sources.m_flags[std::size_t(i)] = RptSourceFlagTable()[std::size_t(i)].defaultValue;

    m_format = CRptFormat{};
    for (int i = 0; i < kRptFontCount; ++i)
        m_format.m_fonts[std::size_t(i)] = FontOf(RptFontTable()[std::size_t(i)].defaultText);
    m_format.m_headingStyles = {CRptHeadingStyle{1, 1, 24, 8, 100, 4},
                                CRptHeadingStyle{1, 1, 12, 5, 50, 1},
                                CRptHeadingStyle{0, 0, 4, 0, 50, 1}};
    for (int i = 0; i < kRptHeadingCount; ++i) {
        const RptHeadingDef& row = RptHeadingTable()[std::size_t(i)];
        CRptHeading& heading = m_format.m_headings[std::size_t(i)];
        heading.m_show = row.defaultShow;
        heading.m_text.SetText(row.defaultText ? row.defaultText : "");
    }
    m_format.m_emptySectionText = "(none)";
    for (int i = 0; i < kRptColourCount; ++i) {
        const RptColourDef& row = RptColourTable()[std::size_t(i)];
        m_format.m_colours[std::size_t(i)] = {row.colour, row.transparencyAllowed,
                                              row.transparentByDefault};
    }

    m_layout = CRptLayout{};
    m_layout.m_headerTexts = {"", "=Title()", "=Date()"};
    m_layout.m_footerTexts = {"", "=Page()", "Produced by Ardenvel"};
    for (int i = 0; i < 3; ++i) {
        m_layout.m_headerFonts[std::size_t(i)] =
            FontOf(RptHeaderFontTable()[std::size_t(i)].defaultText);
        m_layout.m_footerFonts[std::size_t(i)] =
            FontOf(RptFooterFontTable()[std::size_t(i)].defaultText);
    }
}

void CRptSettings::Copy(const CRptSettings& source, int part, bool keepHeader)
{
    if (&source == this)
        return;
    if (part == kRptPartAll && !keepHeader) {
        m_version = source.m_version;
        m_class = source.m_class;
        m_template = source.m_template;
    }
    if (part == kRptPartAll || part == kRptPartContents)
        m_contents = source.m_contents;
    if (part == kRptPartAll || part == kRptPartPictures)
        m_pictures = source.m_pictures;
    if (part == kRptPartAll || part == kRptPartSources)
        m_sources = source.m_sources;
    if (part == kRptPartAll || part == kRptPartFormat)
        m_format = source.m_format;
    if (part == kRptPartAll || part == kRptPartLayout)
        m_layout = source.m_layout;
}

bool CRptSettings::RestoreInstalled(int part, const std::string& typesFolder)
{
    const std::string path = ReportFilePath(typesFolder, text::TrimView(m_template));
    if (path.empty())
        return false;
    CRptSettings installed;
    installed.Load(CSettingsStore(path));
    if (installed.m_version.empty() || installed.m_class.empty() || installed.m_template.empty())
        return false;
    Copy(installed, part, true);
    return true;
}

int GetPicWidth(const CRptPicOpts& options)
{
    const bool custom = options.m_size == CRptPicOpts::kCustom;
    switch (options.m_position) {
    case CRptPicOpts::kRight:
        return custom ? options.m_width : kSideWidths[SizeIndex(options)];
    case CRptPicOpts::kRows:
        return custom ? options.m_width : kRowWidths[SizeIndex(options)];
    default:
        return custom ? options.m_width : -1;
    }
}

int GetPicHeight(const CRptPicOpts& options)
{
    const bool custom = options.m_size == CRptPicOpts::kCustom;
    if (options.m_position == CRptPicOpts::kRight)
        return custom ? options.m_height : -1;
    return custom ? options.m_height : kHeights[SizeIndex(options)];
}

bool IsEventInList(const CEventList& list, const CDataNode& node)
{
    const CFieldDef* def = node.GetFieldDef();
    if (!def || !def->HasFlag(FDF_EVENT | FDF_ATTRIBUTE))
        return false;
    if (!def->HasFlag(FDF_TYPED)) {
        for (const CEventListEntry& entry : list) {
            if (entry.m_fieldId == def->GetFieldId())
                return true;
        }
        return false;
    }
    const int kind = def->HasFlag(FDF_EVENT) ? 1 : 2;
    const std::string type = node.GetTypeText();
    for (const CEventListEntry& entry : list) {
        if (entry.m_fieldId == 0 && entry.m_customKind == kind &&
            text::CompareNoCase(entry.m_customName, type) == 0)
            return true;
    }
    return false;
}

std::string ReadReportTemplate(const std::string& reportPath)
{
    return text::Trim(CSettingsStore(reportPath).ReadString(kRptHeaderSection, "Template", ""));
}

std::string ReadReportClass(const std::string& typePath)
{
    return text::Trim(CSettingsStore(typePath).ReadString(kRptHeaderSection, "Class", ""));
}
