// platform/ui/drawing/font.cpp: font descriptions.
#include "platform/ui/drawing/font.h"

#include "platform/ui/detail/hook_answers.h"
#include "platform/ui/drawing/dc.h"

#include <cstring>

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont)
{
    if (!logFont || ui_detail::hooks::TakeFontFailure())
        return FALSE;
    m_logFont = *logFont;
    m_logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    MarkCreated();
    return TRUE;
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                       BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const char* faceName)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = outPrecision;
    lf.lfClipPrecision = clipPrecision;
    lf.lfQuality = quality;
    lf.lfPitchAndFamily = pitchAndFamily;
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int pointSize, const char* faceName, CDC* dc)
{
    const int dpi = dc ? dc->GetDeviceCaps(LOGPIXELSY) : 96;
    LOGFONT lf;
    lf.lfHeight = -MulDiv(pointSize, dpi, 720);
    lf.lfWeight = FW_NORMAL;
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL CFont::GetLogFont(LOGFONT* logFont) const
{
    if (!GetSafeHandle() || !logFont)
        return FALSE;
    *logFont = m_logFont;
    return TRUE;
}
