// platform/ui/resources/dialog_template.cpp: template fonts, base units measured with Qt, dialog
// units to pixels.
#include "platform/ui/resources/dialog_template.h"

#include "platform/ui/detail/font_mapper.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>

#include <cstring>

namespace {

constexpr int kScreenDpi = 96;

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
    const QFont qfont = ui_detail::FontFromLogFont(font);
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
