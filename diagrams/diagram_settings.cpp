// diagrams/diagram_settings.cpp: the settings block's tables, installation values, copy and
// compare by section, and the generation pairs of the diagram types.
#include "diagrams/diagram_settings.h"

#include "common/font_text.h"
#include "diagrams/diagram_settings_fields.h"

#include <algorithm>
#include <climits>

namespace diagram_fields {

namespace {

using S = CDiagramSettings;
constexpr int kMax = INT_MAX, kMin = INT_MIN;

// Ranges are those of the options pages; values no page offers get a range that keeps the
// drawing sound (a page of at least 100 units, see the load).
constexpr Field kGeneral[] = {
    {"Contents", &S::m_diagramType, nullptr, 3, Range::Choice, 0, 3},
    {"Spouse Option", &S::m_spouseOption, nullptr, 2, Range::Choice, 0, 2},
    {"Background", &S::m_background, nullptr, 1, Range::Choice, 0, 2},
    {"Boundaries", &S::m_boundaries, nullptr, 1, Range::Choice, 0, 2},
    {"Relationship Descriptions", &S::m_relationshipDescriptions, nullptr, 3, Range::Choice, 0, 3},
    {"Duplicate Line", &S::m_duplicateLine, nullptr, 1, Range::Choice, 0, 4},
    {"Expand sibling branches", nullptr, &S::m_expandSiblingBranches, 1, Range::Flag, 0, 1},
    {"Rows per generation", &S::m_rowsPerGeneration, nullptr, 3, Range::Measure, 2, 50},
    {"Show expansion buttons", nullptr, &S::m_showExpansionButtons, 1, Range::Flag, 0, 1},
    {"Show boxes", nullptr, &S::m_showBoxes, 1, Range::Flag, 0, 1},
    {"Use duplicates with spouses", nullptr, &S::m_duplicatesWithSpouses, 0, Range::Flag, 0, 1},
    {"Centre diagram root", nullptr, &S::m_centreDiagramRoot, 0, Range::Flag, 0, 1},
    {"Centre sub-tree roots", nullptr, &S::m_centreSubTreeRoots, 0, Range::Flag, 0, 1},
    {"Horizontal Dividing Line", nullptr, &S::m_horizontalDividingLine, 1, Range::Flag, 0, 1},
};

constexpr Field kAllRelatives[] = {
    {"RELS: Fixed Generation Size", nullptr, &S::m_fixedGenerationSize, 0, Range::Flag, 0, 1},
    {"RELS: Gaps At Top", nullptr, &S::m_gapsAtTop, 1, Range::Flag, 0, 1},
    {"RELS: Horizontal Compression", &S::m_horizontalCompression, nullptr, 0, Range::Choice, 0, 2},
    {"RELS: Count Down From Top", nullptr, &S::m_countDownFromTop, 0, Range::Flag, 0, 1},
};

constexpr Field kPictures[] = {
    {"Picture index", &S::m_pictureIndex, nullptr, 0, Range::Measure, 0, 10},
    {"Picture layout", &S::m_pictureLayout, nullptr, 0, Range::Choice, 0, 2},
    {"Use box height", nullptr, &S::m_useBoxHeight, 1, Range::Flag, 0, 1},
    {"Picture height", &S::m_pictureHeight, nullptr, 55, Range::Measure, 1, 500},
    {"Picture stretch-to-fit", nullptr, &S::m_pictureStretchToFit, 1, Range::Flag, 0, 1},
    {"Picture Ancestors", nullptr, &S::m_picturesForAncestors, 1, Range::Flag, 0, 1},
    {"Picture Descendants", nullptr, &S::m_picturesForDescendants, 1, Range::Flag, 0, 1},
    {"Picture Spouses", nullptr, &S::m_picturesForSpouses, 1, Range::Flag, 0, 1},
    {"Picture Duplicates", nullptr, &S::m_picturesForDuplicates, 0, Range::Flag, 0, 1},
    {"Picture Proxies", nullptr, &S::m_picturesForProxies, 0, Range::Flag, 0, 1},
    {"Picture Include OLE", nullptr, &S::m_includeOleObjects, 0, Range::Flag, 0, 1},
};

// The vertical chain (box to box gap, sibling line gap, button centre gap, button radius) is
// brought into the Dimensions page's ranges as a whole after these.
constexpr Field kDimensions[] = {
    {"Default box height", &S::m_defaultBoxHeight, nullptr, 50, Range::Measure, 1, 1000},
    {"Min box width", &S::m_minBoxWidth, nullptr, 75, Range::Measure, 5, 200},
    {"Box margin top", &S::m_boxMarginTop, nullptr, 10, Range::Measure, 0, 500},
    {"Box margin bottom", &S::m_boxMarginBottom, nullptr, 10, Range::Measure, 0, 500},
    {"Box margin side", &S::m_boxMarginSide, nullptr, 5, Range::Measure, 0, 100},
    {"Picture margin top", &S::m_pictureMarginTop, nullptr, 2, Range::Measure, 0, 500},
    {"Spouse gap", &S::m_spouseGap, nullptr, 10, Range::Measure, 0, 100},
    {"Min other spouse gap", &S::m_minOtherSpouseGap, nullptr, 5, Range::Measure, 0, 100},
    {"Min sibling gap", &S::m_minSiblingGap, nullptr, 12, Range::Measure, 0, 100},
    {"Min descendant gap", &S::m_minDescendantGap, nullptr, 17, Range::Measure, 0, 100},
    {"Min ancestor gap", &S::m_minAncestorGap, nullptr, 17, Range::Measure, 0, 100},
    {"Box to box vert gap", &S::m_boxToBoxVertGap, nullptr, 24, Range::Measure, kMin, kMax},
    {"Sib line to box vert gap", &S::m_sibLineToBoxVertGap, nullptr, 8, Range::Measure, 0, 1000},
    {"Button-centre to box vert gap", &S::m_buttonCentreToBoxVertGap, nullptr, 17, Range::Measure,
     kMin, kMax},
    {"Button radius", &S::m_buttonRadius, nullptr, 4, Range::Measure, 1, 25},
    {"Spouse lines gap", &S::m_spouseLinesGap, nullptr, 4, Range::Measure, 0, 50},
    {"Sub-tree gap", &S::m_subTreeGap, nullptr, 17, Range::Measure, 0, 250},
    {"Relationship description gap", &S::m_relationshipDescriptionGap, nullptr, 25, Range::Measure,
     0, 500},
    {"Stretchy line half-width", &S::m_stretchyLineHalfWidth, nullptr, 2, Range::Measure, 0, 250},
    {"Stretchy line half-height", &S::m_stretchyLineHalfHeight, nullptr, 2, Range::Measure, 0, 250},
};

constexpr Field kPrint[] = {
    {"Print landscape", nullptr, &S::m_printLandscape, 1, Range::Flag, 0, 1},
    {"Print in black & white", nullptr, &S::m_printBlackAndWhite, 1, Range::Flag, 0, 1},
    {"Use alt. print stripes", nullptr, &S::m_altPrintStripes, 1, Range::Flag, 0, 1},
    {"Never print expansion buttons", nullptr, &S::m_neverPrintExpansionButtons, 1, Range::Flag, 0,
     1},
    {"Preserve Ratios", nullptr, &S::m_preserveRatios, 1, Range::Flag, 0, 1},
    {"Show page lines", nullptr, &S::m_showPageLines, 0, Range::Flag, 0, 1},
    {"Show page nos", nullptr, &S::m_showPageNumbers, 0, Range::Flag, 0, 1},
    {"Page width", &S::m_pageWidth, nullptr, kDefaultPageWidth, Range::Measure, kMin, kMax},
    {"Page height", &S::m_pageHeight, nullptr, kDefaultPageHeight, Range::Measure, kMin, kMax},
    {"Page x origin", &S::m_pageXOrigin, nullptr, 248, Range::Measure, kMin, kMax},
    {"Page y origin", &S::m_pageYOrigin, nullptr, 0, Range::Measure, kMin, kMax},
};

} // namespace

std::span<const Field> GeneralFields()
{
    return kGeneral;
}
std::span<const Field> AllRelativesFields()
{
    return kAllRelatives;
}
std::span<const Field> PictureFields()
{
    return kPictures;
}
std::span<const Field> DimensionFields()
{
    return kDimensions;
}
std::span<const Field> PrintFields()
{
    return kPrint;
}

CRect BuiltInTitleFrame(int index)
{
    static const CRect kFrames[kDiagramTitleCount] = {{-200, 200, -100, 100},
                                                      {100, 200, 200, 100},
                                                      {100, -100, 200, -200},
                                                      {-200, -100, -100, -200}};
    return kFrames[index];
}

int Get(const CDiagramSettings& settings, const Field& field)
{
    return field.number ? settings.*field.number : (settings.*field.flag ? 1 : 0);
}

void Set(CDiagramSettings& settings, const Field& field, int value)
{
    if (field.number)
        settings.*field.number = value;
    else
        settings.*field.flag = value != 0;
}

void Copy(CDiagramSettings& target, const CDiagramSettings& source, std::span<const Field> fields)
{
    for (const Field& field : fields)
        Set(target, field, Get(source, field));
}

void Reset(CDiagramSettings& settings, std::span<const Field> fields)
{
    for (const Field& field : fields) {
        if (field.number != &CDiagramSettings::m_diagramType)
            Set(settings, field, field.defaultValue);
    }
}

} // namespace diagram_fields

namespace {

using namespace diagram_fields;

constexpr DiagramColourEntry kColourTable[] = {
    {true, RGB(128, 0, 64), "Text - male", false, false},
    {true, RGB(240, 0, 0), "Text - female", false, false},
    {true, RGB(0, 0, 0), "Text - unknown sex", false, false},
    {true, RGB(0, 0, 0), "Text - relative descriptions", false, false},
    {false, RGB(255, 255, 255), "Box - root", true, false},
    {false, RGB(192, 220, 192), "Box - ancestor", true, false},
    {false, RGB(255, 255, 210), "Box - descendant", true, false},
    {false, RGB(208, 201, 170), "Box - spouse", true, false},
    {false, RGB(255, 215, 208), "Box - duplicate", true, false},
    {false, RGB(255, 215, 208), "Box - proxy (child)", true, true},
    {false, RGB(255, 215, 208), "Box - proxy (spouse)", true, true},
    {false, RGB(255, 255, 0), "Box - marked", true, false},
    {true, RGB(0, 0, 0), "Normal lines", false, false},
    {true, RGB(0, 0, 0), "Dotted lines", false, false},
    {false, RGB(192, 192, 192), "Buttons (ordinary)", true, false},
    {false, RGB(128, 0, 64), "Buttons (at diagram limits)", true, false},
    {false, RGB(192, 192, 192), "Background - ancestor pane", false, false},
    {false, RGB(175, 175, 175), "Background - descendant pane", false, false},
    {false, RGB(175, 175, 175), "Stripe background - odd", false, false},
    {false, RGB(192, 192, 192), "Stripe background - even", false, false},
    {true, RGB(164, 164, 164), "Row separator lines", false, false},
    {false, RGB(231, 231, 231), "Printed Stripe background - odd", true, false},
    {false, RGB(243, 243, 243), "Printed Stripe background - even", true, false},
    {true, RGB(224, 224, 224), "Printed Row separator lines", false, false},
    {true, RGB(0, 0, 0), "Title text", false, false},
    {false, RGB(255, 255, 255), "Title background", true, false},
};

LOGFONT DefaultFont()
{
    LOGFONT font;
    TextToFont(DefaultDiagramFontText(), font);
    return font;
}

bool Covers(int section, int part)
{
    return section == kSectionAll || section == part;
}

} // namespace

const DiagramColourEntry& BuiltInDiagramColour(int row)
{
    return kColourTable[row];
}

const char* DefaultDiagramFontText()
{
    return "12,0,0,0,400,0,0,0,0,3,2,1,34,Arial";
}

void CDiagramTitle::SetInstallation(int number)
{
    frame = BuiltInTitleFrame(number - 1);
    text = "Title " + std::to_string(number);
    showFrame = true;
    textColour = BuiltInDiagramColour(kTitleTextColourRow);
    backgroundColour = BuiltInDiagramColour(kTitleBackgroundColourRow);
    font = DefaultFont();
    marginX = 0;
    marginY = 0;
    visible = false;
}

CDiagramSettings::CDiagramSettings()
{
    SetDefaultSettings(kSectionAll);
}

void CDiagramSettings::SetDefaultSettings(int section)
{
    if (Covers(section, kSectionGeneral)) {
        Reset(*this, GeneralFields());
        Reset(*this, AllRelativesFields());
        for (int i = 0; i < 4; ++i)
            m_generations[std::size_t(i)] = kDefaultGenerations[i];
        LoadTypeGenerations();
    }
    if (Covers(section, kSectionColours)) {
        for (int i = 0; i < kDiagramColourCount; ++i)
            m_colours[std::size_t(i)] = kColourTable[i];
    }
    if (Covers(section, kSectionPrinting)) {
        Reset(*this, PrintFields());
        m_bottomMargin = m_leftMargin = m_rightMargin = m_topMargin = 0.0;
    }
    if (Covers(section, kSectionFonts)) {
        m_boxFont = DefaultFont();
        m_relationshipFont = DefaultFont();
    }
    if (Covers(section, kSectionTextScheme))
        m_textScheme.clear();
    if (Covers(section, kSectionPictures))
        Reset(*this, PictureFields());
    if (Covers(section, kSectionDimensions)) {
        Reset(*this, DimensionFields());
        m_boxFont.lfHeight = 12;
        m_relationshipFont.lfHeight = 12;
    }
    if (Covers(section, kSectionTitles)) {
        for (int i = 0; i < kDiagramTitleCount; ++i)
            m_titles[std::size_t(i)].SetInstallation(i + 1);
    }
}

SaveOutcome CDiagramSettings::CopySettings(const CDiagramSettings& source, int section,
                                           CAppProfile* saveTo)
{
    CopySettings(source, section);
    return saveTo ? SaveSettingsWrapper(*saveTo, section) : SaveOutcome{};
}

void CDiagramSettings::CopySettings(const CDiagramSettings& source, int section)
{
    if (Covers(section, kSectionGeneral)) {
        Copy(*this, source, GeneralFields());
        Copy(*this, source, AllRelativesFields());
        m_ancestorGenerations = source.m_ancestorGenerations;
        m_descendantGenerations = source.m_descendantGenerations;
        m_generations = source.m_generations;
    }
    if (Covers(section, kSectionColours))
        m_colours = source.m_colours;
    if (Covers(section, kSectionPrinting)) {
        Copy(*this, source, PrintFields());
        m_bottomMargin = source.m_bottomMargin;
        m_leftMargin = source.m_leftMargin;
        m_rightMargin = source.m_rightMargin;
        m_topMargin = source.m_topMargin;
    }
    if (Covers(section, kSectionFonts)) {
        m_boxFont = source.m_boxFont;
        m_relationshipFont = source.m_relationshipFont;
    }
    if (Covers(section, kSectionTextScheme))
        m_textScheme = source.m_textScheme;
    if (Covers(section, kSectionPictures))
        Copy(*this, source, PictureFields());
    if (Covers(section, kSectionDimensions))
        Copy(*this, source, DimensionFields());
    if (Covers(section, kSectionTitles))
        m_titles = source.m_titles;
}

bool CDiagramSettings::CompareGeneralSettings(const CDiagramSettings& other, int section) const
{
    if (section != kSectionGeneral)
        return false;
    for (const auto fields : {GeneralFields(), AllRelativesFields()}) {
        for (const Field& field : fields) {
            if (Get(*this, field) != Get(other, field))
                return false;
        }
    }
    return m_generations == other.m_generations;
}

void CDiagramSettings::SetDiagramType(int type)
{
    if (type < 0 || type > 3 || m_diagramType < 0 || m_diagramType > 3)
        return;
    StoreTypeGenerations();
    m_diagramType = type;
    LoadTypeGenerations();
}

void CDiagramSettings::LoadTypeGenerations()
{
    if (m_diagramType < 0 || m_diagramType > 3)
        return;
    m_ancestorGenerations = m_generations[std::size_t(m_diagramType)].ancestors;
    m_descendantGenerations = m_generations[std::size_t(m_diagramType)].descendants;
}

void CDiagramSettings::StoreTypeGenerations()
{
    if (m_diagramType < 0 || m_diagramType > 3)
        return;
    m_generations[std::size_t(m_diagramType)] = {m_ancestorGenerations, m_descendantGenerations};
}

int CDiagramSettings::GetRelativesGenerations() const
{
    if (m_diagramType != kAllRelativesDiagram)
        return 1;
    const int up = m_ancestorGenerations;
    if (m_fixedGenerationSize && !m_gapsAtTop)
        return std::max(2, up);
    if (m_countDownFromTop && m_descendantGenerations < up)
        return std::max(2, m_descendantGenerations + 1);
    return std::max(2, up);
}
