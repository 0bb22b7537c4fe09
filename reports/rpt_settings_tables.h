// reports/rpt_settings_tables.h: the fixed tables of the report settings: option and source
// flags, item catalogues, headings, colours and font defaults, each with its stored key.
#pragma once

#include "platform/base/types.h"

#include <span>

struct RptFlagDef {
    const char* key;
    bool defaultValue;
};

/// A row of an item catalogue; the default list of a section holds one item per row.
struct RptItemDef {
    const char* key;
    const char* label;
    int defaultShow;
    bool mayShowEmpty;
};

/// A heading row; a null default text means the heading's text is fixed and not stored.
struct RptHeadingDef {
    const char* key;
    const char* label;
    int level; // 1-3
    bool mayShowEmpty;
    int defaultShow;
    int recordType; // for data references; -1 none
    const char* defaultText;
};

struct RptColourDef {
    const char* key;
    COLORREF colour;
    bool transparencyAllowed;
    bool transparentByDefault;
};

struct RptFontDef {
    const char* key;
    const char* defaultText;
};

std::span<const RptFlagDef> RptOptionTable();              // 26 rows, in RptOption order
std::span<const RptFlagDef> RptSourceFlagTable();          // 23 rows, in RptSourceFlag order
std::span<const RptItemDef> RptItemCatalogue(int section); // RptItemSection
const char* RptItemSectionName(int section);               // "Report Opts - Ind Items" ...
std::span<const RptHeadingDef> RptHeadingTable();          // 16 rows
std::span<const RptColourDef> RptColourTable();            // 3 rows
std::span<const RptFontDef> RptFontTable();                // 8 rows, in RptFont order
std::span<const RptFontDef> RptHeaderFontTable();          // left, centre, right
std::span<const RptFontDef> RptFooterFontTable();          // left, centre, right

inline constexpr const char* kRptHeaderSection = "Ardenvel Report";
inline constexpr const char* kRptOptionsSection = "Report Options";
inline constexpr const char* kRptIndEventsSection = "Report Opts - Ind Events";
inline constexpr const char* kRptFamEventsSection = "Report Opts - Fam Events";
inline constexpr const char* kRptColoursSection = "Report Colours";
