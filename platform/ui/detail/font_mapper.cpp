// platform/ui/detail/font_mapper.cpp: face substitution and the height rules.
#include "platform/ui/detail/font_mapper.h"

#include "platform/base/text.h"

#include <QFontMetrics>
#include <QStringList>

#include <algorithm>
#include <map>
#include <tuple>

namespace ui_detail {
namespace {

constexpr const char* kSans = "Liberation Sans";
constexpr const char* kSerif = "Liberation Serif";
constexpr const char* kMono = "Liberation Mono";

struct Substitute {
    std::string_view face;
    const char* family;
    int stretch;
};

// Metric twins of the classic faces, so text keeps the widths it was designed for.
constexpr Substitute kSubstitutes[] = {
    {"Arial", kSans, 100},
    {"Helvetica", kSans, 100},
    {"MS Sans Serif", kSans, 100},
    {"Microsoft Sans Serif", kSans, 100},
    {"MS Shell Dlg", kSans, 100},
    {"MS Shell Dlg 2", kSans, 100},
    {"System", kSans, 100},
    {"Arial Narrow", kSans, 82},
    {"Times New Roman", kSerif, 100},
    {"Times", kSerif, 100},
    {"Courier New", kMono, 100},
    {"Courier", kMono, 100},
};

// The character heights of the bitmap face "MS Sans Serif" at 96 dots per inch (8, 10, 12,
// 14, 18 and 24 points); a request between two sizes gets the smaller one.
constexpr int kRasterSansSizes[] = {11, 13, 16, 19, 24, 32};
constexpr std::string_view kRasterSans = "MS Sans Serif";

/// The height a description with height 0 gets: that of the dialog font.
constexpr int kDefaultPixelSize = 11;

constexpr BYTE kNonAntialiasedQuality = 3;

const Substitute* FindSubstitute(std::string_view face)
{
    for (const Substitute& s : kSubstitutes)
        if (text::EqualsNoCase(s.face, face))
            return &s;
    return nullptr;
}

/// The family to fall back on when the face is empty or missing.
const char* FamilyFallback(BYTE pitchAndFamily)
{
    if ((pitchAndFamily & 0x03) == FIXED_PITCH || (pitchAndFamily & 0xF0) == FF_MODERN)
        return kMono;
    if ((pitchAndFamily & 0xF0) == FF_ROMAN)
        return kSerif;
    return kSans;
}

QFont::StyleHint StyleHint(BYTE pitchAndFamily)
{
    switch (pitchAndFamily & 0xF0) {
    case FF_ROMAN:
        return QFont::Serif;
    case FF_SWISS:
        return QFont::SansSerif;
    case FF_MODERN:
        return QFont::TypeWriter;
    case FF_SCRIPT:
        return QFont::Cursive;
    case FF_DECORATIVE:
        return QFont::Decorative;
    default:
        return QFont::AnyStyle;
    }
}

/// The largest pixel size whose ascent + descent fits in the cell height.
int PixelSizeForCellHeight(const QFont& font, int cellHeight)
{
    using Key = std::tuple<QString, int, int, bool>;
    static std::map<Key, int> cache;
    const Key key{font.families().join(','), font.weight(), cellHeight, font.italic()};
    if (const auto found = cache.find(key); found != cache.end())
        return found->second;
    QFont probe = font;
    int size = cellHeight;
    for (; size > 1; --size) {
        probe.setPixelSize(size);
        const QFontMetrics metrics(probe);
        if (metrics.ascent() + metrics.descent() <= cellHeight)
            break;
    }
    cache.emplace(key, size);
    return size;
}

int SnapToRasterSize(int pixelSize)
{
    int snapped = kRasterSansSizes[0];
    for (int size : kRasterSansSizes)
        if (size <= pixelSize)
            snapped = size;
    return snapped;
}

} // namespace

QString SubstituteFace(std::string_view face)
{
    if (const Substitute* s = FindSubstitute(face))
        return QString::fromLatin1(s->family);
    return QString::fromUtf8(face.data(), qsizetype(face.size()));
}

QFont FontFromLogFont(const LOGFONT& lf)
{
    const std::string_view face(lf.lfFaceName);
    const Substitute* substitute = FindSubstitute(face);
    QFont font;
    QStringList families;
    if (!face.empty())
        families << SubstituteFace(face);
    families << QString::fromLatin1(FamilyFallback(lf.lfPitchAndFamily));
    font.setFamilies(families);
    font.setStyleHint(StyleHint(lf.lfPitchAndFamily));
    font.setFixedPitch((lf.lfPitchAndFamily & 0x03) == FIXED_PITCH);
    font.setWeight(QFont::Weight(std::clamp<int>(lf.lfWeight ? lf.lfWeight : FW_NORMAL, 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    if (lf.lfQuality == kNonAntialiasedQuality)
        font.setStyleStrategy(QFont::NoAntialias);

    int pixelSize = kDefaultPixelSize;
    if (lf.lfHeight < 0)
        pixelSize = -lf.lfHeight;
    else if (lf.lfHeight > 0)
        pixelSize = PixelSizeForCellHeight(font, lf.lfHeight);
    if (text::EqualsNoCase(face, kRasterSans))
        pixelSize = SnapToRasterSize(pixelSize);
    font.setPixelSize(std::max(pixelSize, 1));

    int stretch = substitute ? substitute->stretch : 100;
    if (lf.lfWidth > 0) {
        const int natural = QFontMetrics(font).averageCharWidth();
        if (natural > 0)
            stretch = stretch * lf.lfWidth / natural;
    }
    if (stretch != 100)
        font.setStretch(std::clamp(stretch, 1, 4000));
    return font;
}

} // namespace ui_detail
