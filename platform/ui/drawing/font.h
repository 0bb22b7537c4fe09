// platform/ui/drawing/font.h: a font, kept as its fourteen-field description until a device context
// makes the real font for its device.
#pragma once

#include "platform/base/log_font.h"
#include "platform/ui/drawing/gdi_object.h"

class CDC;

class CFont final : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONT* logFont);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const char* faceName);
    /// A font of pointSize tenths of a point for dc's resolution (the screen's when null).
    BOOL CreatePointFont(int pointSize, const char* faceName, CDC* dc = nullptr);
    /// FALSE when the font is empty.
    BOOL GetLogFont(LOGFONT* logFont) const;

private:
    LOGFONT m_logFont;
};
