// platform/ui/detail/menu_access.h: the Qt menus and actions behind menu handles, for the parts
// of the layer that put menus on screen (menu bars, pop-ups).
#pragma once

#include "platform/ui/frames/menu.h"

#include <QAction>
#include <QMenu>

namespace ui_detail {

/// The Qt menu a handle names, or null when it names no live menu. Each item is a QAction; a
/// pop-up item is the sub-menu's menuAction().
QMenu* QtMenu(HMENU menu);
HMENU MenuHandleOf(QMenu* menu);
/// The command of an item: 0 for a separator, (UINT)-1 for a pop-up.
UINT ItemCommand(const QAction* action);
/// Makes an empty menu whose handle stays valid until it is deleted.
QMenu* NewMenu();

} // namespace ui_detail
