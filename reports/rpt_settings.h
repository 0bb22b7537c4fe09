// reports/rpt_settings.h: the settings record every report is drawn from (contents, pictures,
// sources, format, page layout), with its storage in a report definition file or the profile.
//
// Storage is the diagrams' CSettingsStore: a .avr file or the profile. Lengths are hundredths of an
// inch; fonts hold their size in points. Heading level L of a report element uses heading style
// index L (0-2).
//
// Traps: nothing is cut: long values, custom items and event names are written whole. A value with
// a line break cannot stand in a .avr file; such a save fails with a message naming the key and
// section and changes nothing. The old probe key "Test" is removed on every save. Lists hold at
// most 10,000 lines: a damaged "Count" costs no more look-ups than that.
#pragma once

#include "database/dictionary/event_list_entry.h"
#include "platform/base/log_font.h"
#include "platform/base/types.h"
#include "reports/rpt_page_settings.h"
#include "templates/settings_store.h"
#include "templates/template_string.h"

#include <array>
#include <string>
#include <vector>

class CDataNode;
class CSettingsStore;

/// The option flags of the contents, in stored order.
enum RptOption : int {
    kRptSectionMain,
    kRptSectionIndEvents,
    kRptSectionSpouses,
    kRptSectionLdsOrdinances,
    kRptSectionIndNotes,
    kRptSectionIndNotes2,
    kRptSectionMarrNotes,
    kRptSectionRepo,
    kRptDatesWithNames,
    kRptAgesIfKnown,
    kRptAgesOrCalc,
    kRptEventNotes,
    kRptEventAddrs,
    kRptPrivateNotes,
    kRptRemoveBrackets,
    kRptRecordIds,
    kRptSpousePrefix,
    kRptSpouseParents,
    kRptSpouseEvents,
    kRptAhnentafel,
    kRptFemalesFirst,
    kRptAltParents,
    kRptShowGraphics,
    kRptRecordTypePrefix,
    kRptSlashesRoundSurnames,
    kRptLinkedFamilyRecords,
    kRptOptionCount
};

/// The source and repository flags, in stored order.
enum RptSourceFlag : int {
    kRptIncludeSources,
    kRptWholeRecordSources,
    kRptSourcesEndEntry,
    kRptSourcesStartNewPage,
    kRptSourcesShortTitle,
    kRptSourcesShortTitleIf,
    kRptSourcesTitle,
    kRptSourcesAuthor,
    kRptSourcesPubInfo,
    kRptSourcesCustomId,
    kRptSourcesWhereWithin,
    kRptSourcesEntryDate,
    kRptSourcesAssessment,
    kRptSourcesActualText,
    kRptSourcesNotes,
    kRptSourcesIncRepo,
    kRptRepoId,
    kRptRepoMediaType,
    kRptRepoAddress,
    kRptRepoTelephone,
    kRptRepoEmail,
    kRptRepoWeb,
    kRptRepoNotes,
    kRptSourceFlagCount
};

/// The eight fonts: slots 0-6 are those of the report elements (see report_body.h), 7 captions.
enum RptFont : int {
    kRptFontRecordHdg,
    kRptFontSectionHdg,
    kRptFontLabel,
    kRptFontData,
    kRptFontSubHdg,
    kRptFontSubLabel,
    kRptFontSubData,
    kRptFontCaption,
    kRptFontCount
};

/// What a save, a copy or a restore covers.
enum RptPart : int {
    kRptPartAll = 0,
    kRptPartContents = 1,
    kRptPartPictures = 2,
    kRptPartSources = 3,
    kRptPartFormat = 4,
    kRptPartLayout = 5
};

/// The item lists: individual, source and repository items.
enum RptItemSection : int { kRptIndItems, kRptSrcItems, kRptRepItems, kRptItemSectionCount };

/// The picture roles: individuals, families, children, spouses.
inline constexpr int kRptPicRoleCount = 4;
inline constexpr int kRptCaptionFlagCount = 5;
inline constexpr int kRptHeadingLevelCount = 3;
inline constexpr int kRptHeadingCount = 16;
inline constexpr int kRptColourCount = 3;

/// Item show values (headings count differently, see CRptHeading).
inline constexpr int kRptItemHide = 0, kRptItemShow = 1, kRptItemShowEmpty = 2;

/// One line of an item list: a standard item names a row of its section's catalogue (label and
/// expression empty); a custom item has index -1, a label and an expression.
struct CRptItem {
    std::string m_label;
    CTemplateString m_expression;
    int m_index = -1;
    int m_show = kRptItemHide;
};
using CRptItemList = std::vector<CRptItem>;

/// Lengths are hundredths of an inch.
struct CRptPicOpts {
    enum Position : int { kRows, kAboveLeft, kAboveCentre, kAboveRight, kRight };
    enum Size : int { kSmall, kMedium, kLarge, kCustom };
    int m_position = kRight;
    int m_size = kMedium;
    int m_width = 0;
    int m_height = 0;

    bool operator==(const CRptPicOpts&) const = default;
};

/// Never negative; hundredths of an inch.
struct CRptPicGaps {
    int m_left = 15, m_above = 15, m_right = 15, m_below = 15, m_caption = 2;

    bool operator==(const CRptPicGaps&) const = default;
};

/// The style of heading level index 0-2 (an element of level L uses index L). Gaps in points,
/// line depth in hundredths of a point, keep-with in lines.
struct CRptHeadingStyle {
    int m_lineAbove = 0, m_lineBelow = 0, m_gapAbove = 0, m_gapBelow = 0, m_lineDepth = 0,
        m_keepWith = 0;

    bool operator==(const CRptHeadingStyle&) const = default;
};

/// Show: 0 show, 1 show even if empty, 2 hide.
struct CRptHeading {
    int m_show = 0;
    CTemplateString m_text;
};
inline constexpr int kRptHeadingShow = 0, kRptHeadingShowEmpty = 1, kRptHeadingHide = 2;

struct CRptColour {
    COLORREF m_colour = 0;
    bool m_transparencyAllowed = false;
    bool m_transparent = false;
};

struct CRptContents {
    std::array<bool, kRptOptionCount> m_options{};
    std::array<CRptItemList, kRptItemSectionCount> m_items;
    int m_indEventMode = 0; // 0 all, 1 list only, 2 exclude list
    int m_famEventMode = 0;
    CEventList m_indEvents;
    CEventList m_famEvents;
    int m_numbering = 0;
    int m_textLayout = 0;
    int m_generations = 5;
};

struct CRptPictures {
    std::array<int, kRptPicRoleCount> m_maxPictures{};
    std::array<CRptPicOpts, kRptPicRoleCount> m_options{};
    int m_preference = 1;
    /// Caption, year, age, title, title if all.
    std::array<bool, kRptCaptionFlagCount> m_captionFlags{};
    CRptPicGaps m_gaps;
};

struct CRptSources {
    std::array<bool, kRptSourceFlagCount> m_flags{};
    int m_sourcePictures = 1;
    int m_citationPictures = 1;
    int m_sourcePicWidth = 150;
    CRptPicGaps m_gaps;
    bool m_captions = true;
    bool m_pictureTitles = true;
};

/// Fonts hold their size in whole points in lfHeight.
struct CRptFormat {
    std::array<LOGFONT, kRptFontCount> m_fonts{};
    std::array<CRptHeadingStyle, kRptHeadingLevelCount> m_headingStyles{};
    std::array<CRptHeading, kRptHeadingCount> m_headings;
    std::string m_emptySectionText;
    int m_dateFormat = 8;
    std::array<CRptColour, kRptColourCount> m_colours{};
};

/// Left, centre, right for the three texts and fonts; lengths in hundredths of an inch.
struct CRptLayout {
    bool m_mirrorPages = false;
    bool m_landscape = false;
    int m_marginTop = 50, m_marginLeft = 50, m_marginBottom = 50, m_marginRight = 50;
    std::array<std::string, 3> m_headerTexts;
    std::array<LOGFONT, 3> m_headerFonts{};
    int m_minHeaderDepth = 50;
    bool m_headerLine = false;
    int m_headerLineDepth = 50;
    std::array<std::string, 3> m_footerTexts;
    std::array<LOGFONT, 3> m_footerFonts{};
    int m_minFooterDepth = 50;
    bool m_footerLine = false;
    int m_footerLineDepth = 50;
    int m_startingPage = 1;
    bool m_recordStart = true;
    std::array<int, 4> m_colStarts{20, 150, 350, 500};
    int m_tabWidth = 50;
    int m_paraIndent = 30;
};

class CRptSettings {
public:
    /// The installation defaults.
    CRptSettings();

    /// Back to the installation defaults, header strings emptied.
    void Reset();
    /// Reads every part; missing keys give the defaults, values that do not parse are skipped
    /// or give the defaults.
    void Load(const CSettingsStore& store);
    /// Gathers the writes of one part (or all, the header included) into the store, which the
    /// caller commits. Removes the probe key "Test" older versions left.
    void Write(CSettingsStore& store, int part) const;
    /// Writes and commits; on failure answers "Unable to save settings" (with the file's name when
    /// the store is a file) for the window to show, the store unchanged.
    [[nodiscard]] SaveOutcome Save(CSettingsStore& store, int part) const;
    /// Copies one part, or all; the header strings only with part 0 and keepHeader false.
    void Copy(const CRptSettings& source, int part, bool keepHeader);
    /// Loads the report type file that the template name gives in typesFolder and, when it has a
    /// version, a class and a template, copies the part from it, keeping this header. False when
    /// the template name is not a valid report name or the file lacks any of the three.
    bool RestoreInstalled(int part, const std::string& typesFolder);

    /// What page layout reads of these settings: margins, header and footer, fonts, heading
    /// styles, columns, picture gaps, page numbering and where entries and citations start.
    RptPageSettings GetPageSettings() const;

    bool Option(RptOption option) const { return m_contents.m_options[option]; }
    bool SourceFlag(RptSourceFlag flag) const { return m_sources.m_flags[flag]; }

    std::string m_version;
    std::string m_class;
    std::string m_template;
    CRptContents m_contents;
    CRptPictures m_pictures;
    CRptSources m_sources;
    CRptFormat m_format;
    CRptLayout m_layout;
};

/// The drawn width and height of a picture in hundredths of an inch; -1: follows from the other.
int GetPicWidth(const CRptPicOpts& options);
int GetPicHeight(const CRptPicOpts& options);

/// Whether an event or attribute field matches an entry: a standard kind by field id, a custom
/// kind (flag C) by its TYPE text, without regard to case, among the custom entries of its kind.
bool IsEventInList(const CEventList& list, const CDataNode& node);

/// Key Template of a report file's header section, key Class of a report type file's; trimmed,
/// empty when missing.
std::string ReadReportTemplate(const std::string& reportPath);
std::string ReadReportClass(const std::string& typePath);
