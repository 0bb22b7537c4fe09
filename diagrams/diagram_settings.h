// diagrams/diagram_settings.h: the settings block every diagram is drawn from (type, layout
// switches, generations, colours, fonts, text scheme, pictures, dimensions, printing, titles),
// its installation values, and its copy, reset and compare by section.
//
// Holds the four CDiagramTitle records, the 26-row colour table (BuiltInDiagramColour), the
// sections by which the block is copied, reset and saved (SettingsSection); the block new diagrams
// copy is the program's CDiagramDefaults (diagram_defaults.h). Keys, defaults and ranges are one
// table, diagram_settings_fields.h, shared by reset, copy, load and save
// (diagram_settings_store.cpp).
//
// Traps: loading brings every value into the options pages' ranges (a minimum box width of 0 would
// divide by zero in the zoom; a page side below 100 units takes the built-in size). A negative page
// origin loads as 0; the drawing normalises origins its own way. A page side out of range takes the
// built-in size before the sides follow the orientation, so the page saved is the page that loads.
// A title read without a text is "Title"; the installation values are "Title 1" to "Title 4".
// Saving never leaves the old probe key "Test" behind, and removes it from old files.
//
// A value with a line break cannot be written to a .dgm file (a title of two lines among them): the
// save then fails with a message naming the key and section, and the file stays as it was (the
// profile keeps line breaks). A failed save gives the system's reason, or says that the file is
// read-only. Reading ends a line at a lone CR too, so what loads always saves.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/log_font.h"
#include "platform/base/types.h"
#include "templates/settings_store.h"

#include <array>
#include <string>

class CAppProfile;

/// One colour of a diagram: lineOrText is true for colours drawn as text or lines, false for
/// area fills; keyName is its key in the "Diagram Colours" section.
struct DiagramColourEntry {
    bool lineOrText = false;
    COLORREF colour = 0;
    const char* keyName = nullptr;
    bool transparencyAllowed = false;
    bool transparent = false;

    bool operator==(const DiagramColourEntry&) const = default;
};

/// The parts of the block that are copied, reset and saved on their own; kSectionAll covers the
/// eight others.
enum SettingsSection : int {
    kSectionAll = 0,
    kSectionGeneral = 1,
    kSectionColours = 2,
    kSectionPrinting = 3,
    kSectionFonts = 4,
    kSectionTextScheme = 5,
    kSectionPictures = 6,
    kSectionDimensions = 7,
    kSectionTitles = 8,
};

/// The diagram types, which index the generation pairs.
enum DiagramType : int {
    kAncestorsDiagram = 0,
    kDescendantsDiagram = 1,
    kAncestorsAndDescendantsDiagram = 2,
    kAllRelativesDiagram = 3,
};

inline constexpr int kDiagramColourCount = 24;
/// The rows of the built-in colour table: the 24 colours of the block, then the text and the
/// background of a title.
inline constexpr int kTitleTextColourRow = 24, kTitleBackgroundColourRow = 25;
inline constexpr int kDiagramTitleCount = 4;

/// The built-in colour of a row (0 to 25).
const DiagramColourEntry& BuiltInDiagramColour(int row);
/// The font of box texts, relationship descriptions and titles before the user chooses one.
const char* DefaultDiagramFontText();

struct GenerationPair {
    int ancestors = 0;
    int descendants = 0;

    bool operator==(const GenerationPair&) const = default;
};

/// A title block on the canvas. The frame is in diagram units with y growing upwards, so its top
/// is greater than its bottom.
struct CDiagramTitle {
    CRect frame;
    std::string text;
    bool showFrame = true;
    DiagramColourEntry textColour;
    DiagramColourEntry backgroundColour;
    LOGFONT font;
    int marginX = 0;
    int marginY = 0;
    bool visible = false;

    /// Built-in frame, text "Title" and the title's number (1 to 4), frame shown, built-in
    /// colours, default font, margins 0, hidden.
    void SetInstallation(int number);
};

class CDiagramSettings {
public:
    /// Every section at its installation value and the type All Relatives.
    CDiagramSettings();

    /// Reads the whole block from the store (a file path, or the profile when path is empty). A
    /// missing key takes its load default; values that no options page allows are brought into
    /// the pages' ranges (see the .cpp). True when the store holds the diagram's type
    /// ("Contents"), as every saved block does: a file without it (unreadable, damaged, or not a
    /// diagram) loads every value at its default.
    bool LoadSettings(CAppProfile* profile, const std::string& path);
    void LoadSettingsFromProfile(CAppProfile& profile) { LoadSettings(&profile, {}); }
    bool LoadSettingsFromFile(const std::string& path) { return LoadSettings(nullptr, path); }

    /// Writes one section (kSectionAll: everything). Every value is written or none: on failure
    /// the store is left as it was and the outcome holds the message "Unable to save settings"
    /// (with a file: " in file <path>." and why, such as the system's reason).
    [[nodiscard]] SaveOutcome SaveSettings(CAppProfile* profile, const std::string& path,
                                           int section);
    [[nodiscard]] SaveOutcome SaveSettingsToFile(const std::string& path)
    {
        return SaveSettings(nullptr, path, 0);
    }
    [[nodiscard]] SaveOutcome SaveSettingsWrapper(CAppProfile& profile, int section)
    {
        return SaveSettings(&profile, {}, section);
    }

    /// Copies one section from source.
    void CopySettings(const CDiagramSettings& source, int section);
    /// Copies one section from source, then saves that section into the profile (when given).
    [[nodiscard]] SaveOutcome CopySettings(const CDiagramSettings& source, int section,
                                           CAppProfile* saveTo);
    /// Sets one section to its installation values (the type stays).
    void SetDefaultSettings(int section);
    /// For the general section only: true when every general value but the active counts and
    /// the connect flag is equal. False for any other section.
    bool CompareGeneralSettings(const CDiagramSettings& other, int section) const;

    /// Keeps the active counts in the current type's pair, takes the new type and its pair.
    /// Ignored unless both types lie in 0 to 3.
    void SetDiagramType(int type);
    void LoadTypeGenerations();
    void StoreTypeGenerations();
    /// The generations an All Relatives layout must provide rows for: 1 for other types; with a
    /// fixed size and no gaps at the top, or unless counting down from the top with fewer
    /// generations down than up, the generations up; else the generations down plus 1; at
    /// least 2.
    int GetRelativesGenerations() const;

    // General.
    int m_diagramType = kAllRelativesDiagram;
    int m_spouseOption = 2;
    int m_background = 1;
    int m_boundaries = 1;
    int m_relationshipDescriptions = 3;
    int m_duplicateLine = 1;
    bool m_expandSiblingBranches = true;
    int m_ancestorGenerations = 3;
    int m_descendantGenerations = 3;
    int m_rowsPerGeneration = 3;
    bool m_showExpansionButtons = true;
    bool m_showBoxes = true;
    bool m_duplicatesWithSpouses = false;
    bool m_centreDiagramRoot = false;
    bool m_centreSubTreeRoots = false;
    bool m_horizontalDividingLine = true;
    /// Read by the connector layout; every load sets it, nothing stores it.
    bool m_connect = true;
    std::array<GenerationPair, 4> m_generations{};
    bool m_fixedGenerationSize = false;
    bool m_gapsAtTop = true;
    int m_horizontalCompression = 0;
    bool m_countDownFromTop = false;

    std::array<DiagramColourEntry, kDiagramColourCount> m_colours{};
    LOGFONT m_boxFont;
    LOGFONT m_relationshipFont;
    /// Empty: the default scheme.
    std::string m_textScheme;

    // Pictures.
    int m_pictureIndex = 0;
    int m_pictureLayout = 0;
    bool m_useBoxHeight = true;
    int m_pictureHeight = 55;
    bool m_pictureStretchToFit = true;
    bool m_picturesForAncestors = true;
    bool m_picturesForDescendants = true;
    bool m_picturesForSpouses = true;
    bool m_picturesForDuplicates = false;
    bool m_picturesForProxies = false;
    bool m_includeOleObjects = false;

    // Dimensions, in diagram units.
    int m_defaultBoxHeight = 50;
    int m_minBoxWidth = 75;
    int m_boxMarginTop = 10;
    int m_boxMarginBottom = 10;
    int m_boxMarginSide = 5;
    int m_pictureMarginTop = 2;
    int m_spouseGap = 10;
    int m_minOtherSpouseGap = 5;
    int m_minSiblingGap = 12;
    int m_minDescendantGap = 17;
    int m_minAncestorGap = 17;
    int m_boxToBoxVertGap = 24;
    int m_sibLineToBoxVertGap = 8;
    int m_buttonCentreToBoxVertGap = 17;
    int m_buttonRadius = 4;
    int m_spouseLinesGap = 4;
    int m_subTreeGap = 17;
    int m_relationshipDescriptionGap = 25;
    int m_stretchyLineHalfWidth = 2;
    int m_stretchyLineHalfHeight = 2;

    // Printing.
    bool m_printLandscape = true;
    bool m_printBlackAndWhite = true;
    bool m_altPrintStripes = true;
    bool m_neverPrintExpansionButtons = true;
    bool m_preserveRatios = true;
    bool m_showPageLines = false;
    bool m_showPageNumbers = false;
    int m_pageWidth = 2106;
    int m_pageHeight = 1440;
    int m_pageXOrigin = 248;
    int m_pageYOrigin = 0;
    /// Percentages of the page.
    double m_bottomMargin = 0.0;
    double m_leftMargin = 0.0;
    double m_rightMargin = 0.0;
    double m_topMargin = 0.0;

    std::array<CDiagramTitle, kDiagramTitleCount> m_titles{};
};
