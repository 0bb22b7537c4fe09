// platform/ui/drawing/brush.cpp: brush descriptions.
#include "platform/ui/drawing/brush.h"

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
    if (!logBrush || (logBrush->lbStyle != BS_SOLID && logBrush->lbStyle != BS_NULL))
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
