// controls/find_bar_layout.cpp: the find bar's items fitted into a narrow bar.
#include "controls/find_bar_layout.h"

#include <algorithm>
#include <cstdint>

namespace {

/// What the edits have above minEdit.
std::int64_t SpareEditWidth(const std::vector<FindBarItem>& items, int minEdit)
{
    std::int64_t spare = 0;
    for (const FindBarItem& item : items)
        if (item.edit)
            spare += std::max(0, item.right - item.left - minEdit);
    return spare;
}

} // namespace

int LeastFindBarWidth(const std::vector<FindBarItem>& items, int minEdit)
{
    if (items.empty())
        return 0;
    return int(items.back().right + items.front().left - SpareEditWidth(items, minEdit));
}

std::vector<FindBarItem> FitFindBarItems(const std::vector<FindBarItem>& items, int width,
                                         int minEdit)
{
    if (items.empty())
        return items;
    const int needed = items.back().right + items.front().left;
    const std::int64_t spare = SpareEditWidth(items, minEdit);
    const std::int64_t missing = std::min<std::int64_t>(std::max(0, needed - width), spare);
    if (missing == 0)
        return items;
    std::vector<FindBarItem> fitted;
    fitted.reserve(items.size());
    std::int64_t given = 0, spareBefore = 0; // width given up so far, and spare it came from
    for (const FindBarItem& item : items) {
        FindBarItem place = item;
        place.left -= int(given);
        if (item.edit) {
            spareBefore += std::max(0, item.right - item.left - minEdit);
            // Rounded on the running totals, so that the shares add up to the width missing.
            const std::int64_t upTo = (missing * spareBefore + spare / 2) / spare;
            given = upTo;
        }
        place.right -= int(given);
        fitted.push_back(place);
    }
    return fitted;
}
