// platform/ui/detail/colour.h: the one place where colour values (0x00BBGGRR) and Qt colours
// (0xAARRGGBB) are converted into each other.
#pragma once

#include "platform/base/types.h"

#include <QColor>
#include <QRgb>

namespace ui_detail {

inline QRgb ToQRgb(COLORREF c)
{
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}
inline QColor ToQColor(COLORREF c)
{
    return QColor(ToQRgb(c));
}
/// Alpha is dropped: colour values are opaque.
inline COLORREF FromQRgb(QRgb c)
{
    return RGB(BYTE(qRed(c)), BYTE(qGreen(c)), BYTE(qBlue(c)));
}

} // namespace ui_detail
