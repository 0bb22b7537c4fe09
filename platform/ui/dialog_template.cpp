// platform/ui/dialog_template.cpp: template fonts, base units measured with Qt, dialog units to
// pixels.
#include "platform/ui/dialog_template.h"

#include "platform/base/text.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kScreenDpi = 96;

/// The faces of the classic desktop that this system lacks, and the installed faces that stand
/// in for them with the same metrics.
QString SubstituteFace(const char* face)
{
    struct Substitute {
        const char* face;
        const char* with;
    };
    static constexpr Substitute kSubstitutes[] = {
        {"MS Sans Serif", "Liberation Sans"},
        {"System", "Liberation Sans"},
        {"Arial", "Liberation Sans"},
        {"Helvetica", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
    };
    for (const auto& s : kSubstitutes) {
        if (text::EqualsNoCase(face, s.face))
            return QString::fromLatin1(s.with);
    }
    return QString::fromUtf8(face);
}

/// The pixel size whose ascent plus descent is at most cellHeight.
int EmForCellHeight(QFont font, int cellHeight)
{
    int em = cellHeight;
    for (; em > 1; --em) {
        font.setPixelSize(em);
        const QFontMetrics metrics(font);
        if (metrics.ascent() + metrics.descent() <= cellHeight)
            break;
    }
    return em;
}

QFont MeasuringFont(const LOGFONT& lf)
{
    QFont font(SubstituteFace(lf.lfFaceName));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setWeight(lf.lfWeight == FW_DONTCARE
                       ? QFont::Normal
                       : QFont::Weight(std::clamp<int>(lf.lfWeight, 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    if (lf.lfHeight < 0)
        font.setPixelSize(-lf.lfHeight);
    else if (lf.lfHeight > 0)
        font.setPixelSize(EmForCellHeight(font, lf.lfHeight));
    return font;
}

} // namespace

LOGFONT CDialogTemplate::GetFont() const
{
    LOGFONT lf;
    const bool named = m_pointSize > 0;
    lf.lfHeight = -MulDiv(named ? m_pointSize : 10, kScreenDpi, 72);
    lf.lfWeight = named ? m_weight : FW_NORMAL;
    lf.lfItalic = named && m_italic ? 1 : 0;
    lf.lfCharSet = named ? m_charSet : DEFAULT_CHARSET;
    const std::string face = named ? m_faceName : "System";
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return lf;
}

CSize GetDialogBaseUnits(const LOGFONT& font)
{
    const QFont qfont = MeasuringFont(font);
    const QFontMetrics metrics(qfont);
    const int vertical = metrics.ascent() + metrics.descent();
    if (QFontInfo(qfont).fixedPitch())
        return {metrics.averageCharWidth(), vertical};
    static const QString kLetters =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    return {(metrics.horizontalAdvance(kLetters) + 26) / 52, vertical};
}

void MapDialogRect(const CSize& baseUnits, RECT& rect)
{
    rect.left = rect.left * baseUnits.cx / 4;
    rect.right = rect.right * baseUnits.cx / 4;
    rect.top = rect.top * baseUnits.cy / 8;
    rect.bottom = rect.bottom * baseUnits.cy / 8;
}
