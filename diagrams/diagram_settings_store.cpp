// diagrams/diagram_settings_store.cpp: the settings block read from and written to the profile
// or a custom diagram file, with the values brought into the ranges the options pages allow.
#include "diagrams/diagram_settings.h"

#include "common/font_text.h"
#include "common/rect_text.h"
#include "diagrams/diagram_settings_fields.h"
#include "platform/base/text.h"
#include "templates/settings_store.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

using namespace diagram_fields;

constexpr const char* kProbeKey = "Test";
constexpr const char* kTransparentSuffix = "-transparent";
constexpr int kMaxGenerations = 999;
/// A page side no smaller than this (in diagram units) keeps the page count sane; the largest
/// keeps the page arithmetic within range.
constexpr int kMinPageSide = 100, kMaxPageSide = 1000000;
constexpr double kMaxMargin = 40.0;
/// Title frames stay well inside the int range so that widening them cannot overflow.
constexpr int kMaxCoordinate = 100000000;
constexpr int kMaxTitleMargin = 1000;
constexpr int kMaxBoxFontHeight = 250, kMaxRelationshipFontHeight = 100;

int Clamp(int value, int low, int high)
{
    return std::min(std::max(value, low), high);
}

std::string TitleSection(int index)
{
    return text::Format("%s %d", "Title Options", index + 1);
}

std::string TransparentKey(const char* keyName)
{
    return std::string(keyName) + kTransparentSuffix;
}

std::string ColourText(COLORREF colour)
{
    return text::Format("%u,%u,%u", unsigned(GetRValue(colour)), unsigned(GetGValue(colour)),
                        unsigned(GetBValue(colour)));
}

/// "r,g,b": each part's leading number, moved into 0 to 255; the fallback when the text has
/// fewer than three comma-separated parts.
COLORREF ParseColour(std::string_view value, COLORREF fallback)
{
    int channels[3] = {};
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = value.find(',');
        if (i < 2 && comma == std::string_view::npos)
            return fallback;
        const long number = text::ParseLeadingInt(value.substr(0, comma));
        channels[i] = int(std::clamp(number, 0L, 255L));
        if (i < 2)
            value.remove_prefix(comma + 1);
    }
    return RGB(BYTE(channels[0]), BYTE(channels[1]), BYTE(channels[2]));
}

/// A font text of fourteen fields whose height lies in 1 to maxHeight; the default font
/// otherwise.
LOGFONT ParseFont(const std::string& value, int maxHeight)
{
    LOGFONT font;
    TextToFont(value, font);
    if (std::count(value.begin(), value.end(), ',') < 13 || font.lfHeight < 1 ||
        font.lfHeight > maxHeight)
        TextToFont(DefaultDiagramFontText(), font);
    return font;
}

/// A margin percentage; text that is not a number reads as 0.
double ParseMargin(const std::string& value)
{
    char* end = nullptr;
    const double margin = std::strtod(value.c_str(), &end);
    if (end == value.c_str() || !std::isfinite(margin))
        return 0.0;
    return std::clamp(margin, 0.0, kMaxMargin);
}

void ReadFields(CDiagramSettings& settings, const CSettingsStore& store,
                std::span<const Field> fields)
{
    for (const Field& field : fields) {
        const int value = store.ReadInt(kOptionsSection, field.key, field.defaultValue);
        switch (field.range) {
        case Range::Flag:
            Set(settings, field, value != 0);
            break;
        case Range::Choice:
            Set(settings, field,
                value < field.low || value > field.high ? field.defaultValue : value);
            break;
        case Range::Measure:
            Set(settings, field, Clamp(value, field.low, field.high));
            break;
        }
    }
}

void WriteFields(const CDiagramSettings& settings, CSettingsStore& store,
                 std::span<const Field> fields)
{
    for (const Field& field : fields)
        store.WriteInt(kOptionsSection, field.key, Get(settings, field));
}

/// The vertical chain of the Dimensions page: a (box to button), b (button diameter), c (button
/// to sibling line) and d (sibling line to box) each within the page's range.
void ClampVerticalChain(CDiagramSettings& s)
{
    const long long radius = s.m_buttonRadius;
    const long long d = s.m_sibLineToBoxVertGap;
    const long long gap = s.m_boxToBoxVertGap;
    const long long a = std::clamp(gap - s.m_buttonCentreToBoxVertGap - radius, 0LL, 1000LL);
    const long long c = std::clamp(gap - 2 * radius - d - a, 0LL, 1000LL);
    s.m_boxToBoxVertGap = int(d + c + 2 * radius + a);
    s.m_buttonCentreToBoxVertGap = int(s.m_boxToBoxVertGap - radius - a);
}

/// Page x or y origin within [0, side): a negative origin becomes 0, a larger one its remainder.
int ClampOrigin(int origin, int side)
{
    if (origin < 0)
        return 0;
    return origin >= side ? origin % side : origin;
}

void ReadColour(const CSettingsStore& store, const char* section, const char* key,
                COLORREF fallback, COLORREF& colour)
{
    const std::string value = store.ReadString(section, key, "");
    if (!value.empty())
        colour = ParseColour(value, fallback);
}

void LoadTitle(CDiagramTitle& title, int index, const CSettingsStore& store)
{
    const std::string section = TitleSection(index);
    const char* s = section.c_str();
    CRect frame;
    const std::string frameText = store.ReadString(s, "Frame", "");
    if (frameText.empty() || !TextToRect(frameText, frame))
        frame = BuiltInTitleFrame(index);
    frame.left = Clamp(frame.left, -kMaxCoordinate, kMaxCoordinate);
    frame.right = Clamp(frame.right, -kMaxCoordinate, kMaxCoordinate);
    frame.top = Clamp(frame.top, -kMaxCoordinate, kMaxCoordinate);
    frame.bottom = Clamp(frame.bottom, -kMaxCoordinate, kMaxCoordinate);
    if (frame.right - frame.left < 9)
        frame.right = frame.left + 9;
    if (frame.top - frame.bottom < 9)
        frame.top = frame.bottom + 9;
    title.frame = frame;
    title.text = store.ReadString(s, "Text Template", "Title");
    title.showFrame = store.ReadInt(s, "Show Frame", 1) != 0;
    title.textColour = BuiltInDiagramColour(kTitleTextColourRow);
    title.backgroundColour = BuiltInDiagramColour(kTitleBackgroundColourRow);
    ReadColour(store, s, "Text Colour", RGB(0, 0, 0), title.textColour.colour);
    title.textColour.transparent = false;
    ReadColour(store, s, "Background Colour", RGB(255, 255, 255), title.backgroundColour.colour);
    title.backgroundColour.transparent =
        store.ReadInt(s, TransparentKey(title.backgroundColour.keyName), 0) != 0;
    title.font =
        ParseFont(store.ReadString(s, "Font", DefaultDiagramFontText()), kMaxBoxFontHeight);
    title.marginX = Clamp(store.ReadInt(s, "Margin X", 0), 0, kMaxTitleMargin);
    title.marginY = Clamp(store.ReadInt(s, "Margin Y", 0), 0, kMaxTitleMargin);
    title.visible = store.ReadInt(s, "Visible", 0) != 0;
}

void SaveTitle(const CDiagramTitle& title, int index, CSettingsStore& store)
{
    const std::string section = TitleSection(index);
    const char* s = section.c_str();
    store.WriteString(s, "Frame", RectToText(title.frame));
    store.WriteString(s, "Text Template", title.text);
    store.WriteInt(s, "Show Frame", title.showFrame ? 1 : 0);
    store.WriteString(s, "Text Colour", ColourText(title.textColour.colour));
    store.WriteString(s, "Background Colour", ColourText(title.backgroundColour.colour));
    store.WriteString(s, "Font", FontToText(title.font));
    store.WriteInt(s, TransparentKey(title.backgroundColour.keyName),
                   title.backgroundColour.transparent ? 1 : 0);
    store.WriteInt(s, "Margin X", title.marginX);
    store.WriteInt(s, "Margin Y", title.marginY);
    store.WriteInt(s, "Visible", title.visible ? 1 : 0);
}

bool Covers(int section, int part)
{
    return section == kSectionAll || section == part;
}

} // namespace

bool CDiagramSettings::LoadSettings(CAppProfile* profile, const std::string& path)
{
    const bool fromFile = !profile;
    const CSettingsStore store = fromFile ? CSettingsStore(path) : CSettingsStore(*profile);
    const bool holdsDiagram = store.ReadText(kOptionsSection, "Contents").has_value();
    ReadFields(*this, store, GeneralFields());
    m_connect = true;
    for (int type = 0; type < 4; ++type) {
        const GenerationPair& pair = kDefaultGenerations[type];
        const char* section = kTypeSections[type];
        m_generations[std::size_t(type)] = {
            Clamp(store.ReadInt(section, "Ancestor Generations", pair.ancestors), 1,
                  kMaxGenerations),
            Clamp(store.ReadInt(section, "Descendant Generations", pair.descendants), 1,
                  kMaxGenerations)};
    }
    LoadTypeGenerations();
    ReadFields(*this, store, AllRelativesFields());

    m_textScheme = store.ReadString(kOptionsSection, "Text Scheme", "");
    ReadFields(*this, store, PictureFields());

    for (int i = 0; i < kDiagramColourCount; ++i) {
        DiagramColourEntry& entry = m_colours[std::size_t(i)];
        entry = BuiltInDiagramColour(i);
        ReadColour(store, kColoursSection, entry.keyName, RGB(0, 0, 0), entry.colour);
        entry.transparent = entry.transparencyAllowed &&
                            store.ReadInt(kColoursSection, TransparentKey(entry.keyName),
                                          BuiltInDiagramColour(i).transparent ? 1 : 0) != 0;
    }

    m_boxFont = ParseFont(store.ReadString(kOptionsSection, "Font", DefaultDiagramFontText()),
                          kMaxBoxFontHeight);
    m_relationshipFont = ParseFont(
        store.ReadString(kOptionsSection, "Relationship Text Font", DefaultDiagramFontText()),
        kMaxRelationshipFontHeight);

    ReadFields(*this, store, DimensionFields());
    m_boxMarginSide = std::min(m_boxMarginSide, m_minBoxWidth / 2);
    ClampVerticalChain(*this);

    ReadFields(*this, store, PrintFields());
    // A side out of range is replaced before the sides are matched to the orientation, so that
    // the page saved is the page that loads again.
    if (m_pageWidth < kMinPageSide || m_pageWidth > kMaxPageSide)
        m_pageWidth = kDefaultPageWidth;
    if (m_pageHeight < kMinPageSide || m_pageHeight > kMaxPageSide)
        m_pageHeight = kDefaultPageHeight;
    if (m_printLandscape ? m_pageWidth < m_pageHeight : m_pageWidth > m_pageHeight)
        std::swap(m_pageWidth, m_pageHeight);
    m_bottomMargin = ParseMargin(store.ReadString(kOptionsSection, "Bottom margin", ""));
    m_leftMargin = ParseMargin(store.ReadString(kOptionsSection, "Left margin", ""));
    m_rightMargin = ParseMargin(store.ReadString(kOptionsSection, "Right margin", ""));
    m_topMargin = ParseMargin(store.ReadString(kOptionsSection, "Top margin", ""));
    m_pageXOrigin = ClampOrigin(m_pageXOrigin, m_pageWidth);
    m_pageYOrigin = ClampOrigin(m_pageYOrigin, m_pageHeight);

    for (int i = 0; i < kDiagramTitleCount; ++i)
        LoadTitle(m_titles[std::size_t(i)], i, store);
    return holdsDiagram;
}

SaveOutcome CDiagramSettings::SaveSettings(CAppProfile* profile, const std::string& path,
                                           int section)
{
    CSettingsStore store = profile ? CSettingsStore(*profile) : CSettingsStore(path);
    // Files written by earlier versions carry a probe key of their own.
    store.DeleteKey(kOptionsSection, kProbeKey);
    if (Covers(section, kSectionGeneral)) {
        StoreTypeGenerations();
        WriteFields(*this, store, GeneralFields());
        for (int type = 0; type < 4; ++type) {
            const GenerationPair& pair = m_generations[std::size_t(type)];
            store.WriteInt(kTypeSections[type], "Ancestor Generations", pair.ancestors);
            store.WriteInt(kTypeSections[type], "Descendant Generations", pair.descendants);
        }
        WriteFields(*this, store, AllRelativesFields());
    }
    if (Covers(section, kSectionTextScheme))
        store.WriteString(kOptionsSection, "Text Scheme", m_textScheme);
    if (Covers(section, kSectionPictures))
        WriteFields(*this, store, PictureFields());
    if (Covers(section, kSectionColours)) {
        for (const DiagramColourEntry& entry : m_colours) {
            store.WriteString(kColoursSection, entry.keyName, ColourText(entry.colour));
            store.WriteInt(kColoursSection, TransparentKey(entry.keyName),
                           entry.transparent ? 1 : 0);
        }
    }
    if (Covers(section, kSectionFonts)) {
        store.WriteString(kOptionsSection, "Font", FontToText(m_boxFont));
        store.WriteString(kOptionsSection, "Relationship Text Font",
                          FontToText(m_relationshipFont));
    }
    if (Covers(section, kSectionDimensions))
        WriteFields(*this, store, DimensionFields());
    if (Covers(section, kSectionPrinting)) {
        WriteFields(*this, store, PrintFields());
        store.WriteString(kOptionsSection, "Bottom margin", text::Format("%f", m_bottomMargin));
        store.WriteString(kOptionsSection, "Left margin", text::Format("%f", m_leftMargin));
        store.WriteString(kOptionsSection, "Right margin", text::Format("%f", m_rightMargin));
        store.WriteString(kOptionsSection, "Top margin", text::Format("%f", m_topMargin));
    }
    if (Covers(section, kSectionTitles)) {
        for (int i = 0; i < kDiagramTitleCount; ++i)
            SaveTitle(m_titles[std::size_t(i)], i, store);
    }
    if (store.Commit())
        return {};
    return {store.FailureText()};
}
