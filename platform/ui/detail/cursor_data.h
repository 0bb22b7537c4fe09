// platform/ui/detail/cursor_data.h: what a cursor handle points at.
#pragma once

#include "platform/ui/windows/message.h"

#include <QCursor>

struct CursorData {
    UINT id = 0;
    QCursor cursor;
};
