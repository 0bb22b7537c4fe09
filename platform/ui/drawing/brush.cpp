// platform/ui/drawing/brush.cpp: brush descriptions.
#include "platform/ui/drawing/brush.h"

#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/windows/sys_metrics.h"

BOOL CBrush::CreateSolidBrush(COLORREF colour)
{
    const LOGBRUSH logBrush{BS_SOLID, colour, 0};
    return CreateBrushIndirect(&logBrush);
}

BOOL CBrush::CreateSysColorBrush(int index)
{
    return CreateSolidBrush(GetSysColor(index));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* logBrush)
{
    if (!logBrush || (logBrush->lbStyle != BS_SOLID && logBrush->lbStyle != BS_NULL &&
                      logBrush->lbStyle != BS_PATTERN))
        return FALSE;
    m_logBrush = *logBrush;
    MarkCreated();
    return TRUE;
}

BOOL CBrush::GetLogBrush(LOGBRUSH* logBrush) const
{
    if (!GetSafeHandle() || !logBrush)
        return FALSE;
    *logBrush = m_logBrush;
    return TRUE;
}

BOOL CBrush::CreatePatternBrush(CBitmap* bitmap)
{
    const QImage* image = bitmap ? ui_detail::DcAccess::ImageOf(*bitmap) : nullptr;
    if (!image || image->width() < 8 || image->height() < 8)
        return FALSE;
    LOGBRUSH logBrush;
    logBrush.lbStyle = BS_PATTERN;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if ((image->pixel(x, y) & 0x00FFFFFFu) != 0)
                logBrush.lbPattern[std::size_t(y)] |= BYTE(0x80 >> x);
    return CreateBrushIndirect(&logBrush);
}
