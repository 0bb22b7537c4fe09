// database/nodes/node_menu.h: the menu a node adds its context-menu items to.
#pragma once

#include "platform/base/types.h"

#include <memory>
#include <string_view>

/// A menu under construction. The window layer implements it over a real menu; the data set
/// only appends to it, so nodes fill context menus without knowing any window.
class INodeMenu {
public:
    virtual ~INodeMenu() = default;
    virtual void AppendItem(UINT command, std::string_view text, bool greyed) = 0;
    virtual void AppendSeparator() = 0;
    /// A new, empty popup menu, not yet part of any menu.
    virtual std::unique_ptr<INodeMenu> NewPopup() = 0;
    /// Appends popup (which this menu then owns) as a submenu titled text.
    virtual void AppendPopup(std::unique_ptr<INodeMenu> popup, std::string_view text) = 0;
    virtual int GetItemCount() const = 0;
};
