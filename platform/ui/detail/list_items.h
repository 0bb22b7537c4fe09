// platform/ui/detail/list_items.h: the item searches and sorted insertion that list boxes and
// combo boxes share.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace ui_detail {

using ItemText = std::function<std::string(int index)>;

/// The first item that begins with text (or equals it, when exact), without regard to case,
/// searching from the item after start (-1: from the first) to the last and then from the
/// first back to start; -1 when none does.
int FindListItem(int count, int start, const ItemText& textOf, std::string_view text, bool exact);

/// The index at which text goes among items sorted without regard to case: after every item
/// that is not greater.
int SortedPosition(int count, const ItemText& textOf, std::string_view text);

} // namespace ui_detail
