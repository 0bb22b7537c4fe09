// platform/ui/detail/icon_data.h: what an icon handle points at.
#pragma once

#include "platform/ui/windows/message.h"

#include <QPixmap>

struct IconData {
    UINT id = 0;
    int size = 0;
    QPixmap pixmap;
};
