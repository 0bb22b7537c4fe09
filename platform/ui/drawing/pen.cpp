// platform/ui/drawing/pen.cpp: pen descriptions.
#include "platform/ui/drawing/pen.h"

BOOL CPen::CreatePen(int style, int width, COLORREF colour)
{
    LOGPEN logPen;
    logPen.lopnStyle = UINT(style);
    logPen.lopnWidth.x = width;
    logPen.lopnColor = colour;
    return CreatePenIndirect(&logPen);
}

BOOL CPen::CreatePenIndirect(const LOGPEN* logPen)
{
    if (!logPen || logPen->lopnWidth.x < 0)
        return FALSE;
    switch (logPen->lopnStyle) {
    case PS_SOLID:
    case PS_DOT:
    case PS_NULL:
    case PS_INSIDEFRAME:
        break;
    default:
        return FALSE;
    }
    m_logPen = *logPen;
    MarkCreated();
    return TRUE;
}

BOOL CPen::GetLogPen(LOGPEN* logPen) const
{
    if (!GetSafeHandle() || !logPen)
        return FALSE;
    *logPen = m_logPen;
    return TRUE;
}
