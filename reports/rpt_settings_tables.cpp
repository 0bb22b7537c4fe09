// reports/rpt_settings_tables.cpp: the report settings' fixed tables.
#include "reports/rpt_settings_tables.h"

#include "reports/rpt_settings.h"

namespace {

constexpr RptFlagDef kOptions[] = {
    {"Section - Main", true},
    {"Section - Ind Events", true},
    {"Section - Spouses", true},
    {"Section - LDS Ordinances", true},
    {"Section - Ind Notes", true},
    {"Section - Ind Notes 2", true},
    {"Section - Marr Notes", true},
    {"Section - Repo", true},
    {"Dates with Names", true},
    {"Ages with Events - if known", true},
    {"Ages with Events - or calc", true},
    {"Inc Event/Attr Notes", true},
    {"Inc Event/Attr Addrs", true},
    {"Inc [[private]] Notes", false},
    {"Remove [[ and ]]", true},
    {"Record Ids", true},
    {"Spouse Prefix", true},
    {"Spouse Parents", false},
    {"Spouse Events/Attrs", false},
    {"Ahnentafel", true},
    {"Females First", false},
    {"Alt. Parents", true},
    {"Show Graphics", true},
    {"Record Type Prefix", true},
    {"Slashes round Surnames", true},
    {"Linked Family Records", true},
};
static_assert(std::size(kOptions) == kRptOptionCount);

constexpr RptFlagDef kSourceFlags[] = {
    {"Include Sources", true},
    {"Include Whole Record Sources", true},
    {"Sources End Entry", true},
    {"Sources Start New Page", false},
    {"Sources Short Title", false},
    {"Sources Short Title If", true},
    {"Sources Title", true},
    {"Sources Author", true},
    {"Sources Pub Info", true},
    {"Sources Custom Id", false},
    {"Sources Where Within", true},
    {"Sources Entry Date", true},
    {"Sources Assessment", true},
    {"Sources Actual Text", true},
    {"Sources Notes", true},
    {"Sources Inc Repo", true},
    {"Repo Id", true},
    {"Repo Media type", true},
    {"Repo Address", true},
    {"Repo Telephone", true},
    {"Repo Email", true},
    {"Repo Web", true},
    {"Repo Notes", true},
};
static_assert(std::size(kSourceFlags) == kRptSourceFlagCount);

constexpr RptItemDef kIndItems[] = {
    {"Name", "Name", 2, true},
    {"Sex", "Sex", 2, true},
    {"Name Prefix", "Name Prefix", 1, true},
    {"Name Suffix", "Name Suffix", 1, true},
    {"Nickname", "Nickname", 1, true},
    {"Alt Names", "Alternate Names", 0, false},
    {"Given Used", "Given Name Used", 0, true},
    {"Record Id", "Record Id", 0, false},
    {"Custom Id", "Custom Id", 0, true},
    {"Parents", "Parents (first set)", 2, true},
    {"Alt Parents", "Parents (other sets)", 1, false},
    {"Spouses", "Spouses", 0, false},
    {"Cause of Death", "Cause of Death", 0, true},
};

constexpr RptItemDef kSrcItems[] = {
    {"Short Title", "Short Title", 2, true},
    {"Title", "Title", 2, true},
    {"Author", "Author", 2, true},
    {"Publication Info", "Publication Info", 1, true},
    {"Record Id", "Record Id", 0, false},
    {"Custom Id", "Custom Id", 1, true},
    {"Citations", "Citations", 1, false},
    {"Text From Source", "Text From Source", 1, true},
    {"Notes", "Notes", 1, true},
};

constexpr RptItemDef kRepItems[] = {
    {"Name", "Name", 2, true},
    {"Address", "Address", 2, true},
    {"Telephone", "Telephone", 2, true},
    {"Email", "Email", 1, true},
    {"Web", "Web", 1, true},
    {"Record Id", "Record Id", 0, false},
    {"Custom Id", "Custom Id", 1, true},
    {"Notes", "Notes", 1, true},
};

constexpr RptHeadingDef kHeadings[] = {
    {"Rec", "Record", 1, false, 0, -1, nullptr},
    {"RecInd", "Record", 1, false, 0, 0, "%INDI.NAME:ADORNED% (=LifeDates2())"},
    {"RecFam", "Record", 1, false, 0, -1, nullptr},
    {"RecSrc", "Record", 1, false, 0, 3, "%SOUR%"},
    {"ListNam", "List Name", 1, false, 0, -1, nullptr},
    {"SrcAll", "Sources (all)", 1, true, 1, -1, "Sources"},
    {"Index", "Index", 1, false, 0, -1, "Index"},
    {"FamMemb", "Family Member", 2, false, 0, -1, nullptr},
    {"IndEvn", "Ind. Events & Attrs", 2, true, 1, -1, "Individual Events and Attributes"},
    {"LdsOrd", "Lds Ordinances", 2, true, 0, -1, "LDS Ordinances"},
    {"Marr", "Marriage", 2, false, 0, -1, nullptr},
    {"IndNote", "Individual Notes", 2, false, 0, -1, nullptr},
    {"MarrNote", "Marriage Notes", 2, false, 0, -1, nullptr},
    {"SrcRec", "Sources (record)", 2, true, 0, -1, "Sources"},
    {"Add", "Add. Info.", 3, false, 0, -1, "Additional Information"},
    {"Repo", "Repository", 3, true, 0, -1, "Repository"},
};
static_assert(std::size(kHeadings) == kRptHeadingCount);

constexpr RptColourDef kColours[] = {
    {"Type 1 Nodes", RGB(137, 190, 133), true, false},
    {"Type 2 Nodes", RGB(255, 255, 255), true, false},
    {"Lines", RGB(0, 0, 0), false, false},
};
static_assert(std::size(kColours) == kRptColourCount);

constexpr const char* kTimes700 = "10,0,0,0,700,0,0,0,0,3,2,1,16,Times New Roman";
constexpr const char* kTimes400 = "10,0,0,0,400,0,0,0,0,3,2,1,16,Times New Roman";
constexpr const char* kArial10 = "10,0,0,0,400,0,0,0,0,3,2,1,32,Arial";
constexpr const char* kArial6 = "6,0,0,0,400,0,0,0,0,3,2,1,32,Arial";

constexpr RptFontDef kFonts[] = {
    {"Font - Record Hdg", "20,0,0,0,700,0,0,0,0,3,2,1,16,Times New Roman"},
    {"Font - Section Hdg", kTimes700},
    {"Font - Label", kTimes400},
    {"Font - Data", kTimes400},
    {"Font - Sub-section Hdg", "8,0,0,0,700,0,0,0,0,3,2,1,16,Times New Roman"},
    {"Font - Sub-section Label", "8,0,0,0,400,0,0,0,0,3,2,1,16,Times New Roman"},
    {"Font - Sub-section Data", "8,0,0,0,400,0,0,0,0,3,2,1,16,Times New Roman"},
    {"Caption", kArial6},
};
static_assert(std::size(kFonts) == kRptFontCount);

constexpr RptFontDef kHeaderFonts[] = {
    {"Font Hdr Left", kArial10}, {"Font Hdr Centre", kArial10}, {"Font Hdr Right", kArial10}};
constexpr RptFontDef kFooterFonts[] = {
    {"Font Ftr Left", kArial10}, {"Font Ftr Centre", kArial10}, {"Font Ftr Right", kArial6}};

} // namespace

std::span<const RptFlagDef> RptOptionTable()
{
    return kOptions;
}

std::span<const RptFlagDef> RptSourceFlagTable()
{
    return kSourceFlags;
}

std::span<const RptItemDef> RptItemCatalogue(int section)
{
    switch (section) {
    case kRptIndItems:
        return kIndItems;
    case kRptSrcItems:
        return kSrcItems;
    case kRptRepItems:
        return kRepItems;
    default:
        return {};
    }
}

const char* RptItemSectionName(int section)
{
    switch (section) {
    case kRptIndItems:
        return "Report Opts - Ind Items";
    case kRptSrcItems:
        return "Report Opts - Src Items";
    default:
        return "Report Opts - Rep Items";
    }
}

std::span<const RptHeadingDef> RptHeadingTable()
{
    return kHeadings;
}

std::span<const RptColourDef> RptColourTable()
{
    return kColours;
}

std::span<const RptFontDef> RptFontTable()
{
    return kFonts;
}

std::span<const RptFontDef> RptHeaderFontTable()
{
    return kHeaderFonts;
}

std::span<const RptFontDef> RptFooterFontTable()
{
    return kFooterFonts;
}
