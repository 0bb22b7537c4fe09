// platform/ui/detail/list_items.cpp: searching and sorting list items without regard to case.
#include "platform/ui/detail/list_items.h"

#include "platform/base/text.h"

namespace ui_detail {

int FindListItem(int count, int start, const ItemText& textOf, std::string_view text, bool exact)
{
    if (count <= 0)
        return -1;
    const int first = (start < 0 || start >= count) ? 0 : start + 1;
    for (int step = 0; step < count; ++step) {
        const int index = (first + step) % count;
        const std::string item = textOf(index);
        const bool match =
            exact ? text::EqualsNoCase(item, text)
                  : item.size() >= text.size() &&
                        text::EqualsNoCase(std::string_view(item).substr(0, text.size()), text);
        if (match)
            return index;
    }
    return -1;
}

int SortedPosition(int count, const ItemText& textOf, std::string_view text)
{
    int low = 0, high = count;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (text::CompareNoCase(textOf(middle), text) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

} // namespace ui_detail
