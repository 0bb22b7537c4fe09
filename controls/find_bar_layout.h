// controls/find_bar_layout.h: where the find bar's labels and edits go when the bar is narrower
// than its template.
#pragma once

#include <vector>

/// One control of the bar, at its template's place (pixels from the bar's left).
struct FindBarItem {
    int left = 0;
    int right = 0;
    bool edit = false;
};

/// The items' places (left, right) in a bar width pixels wide. While the template's width (its
/// last item's right end and a right margin as wide as the first item's left one) fits, nothing
/// moves. Otherwise the edits give up the width missing, each in proportion to what it has above
/// minEdit, and every item keeps its distance from the one before it. When the edits are all
/// down to minEdit, what still does not fit is cut off at the right.
std::vector<FindBarItem> FitFindBarItems(const std::vector<FindBarItem>& items, int width,
                                         int minEdit);
/// The narrowest bar that FitFindBarItems fits every item into: the template's width less what
/// the edits have above minEdit.
int LeastFindBarWidth(const std::vector<FindBarItem>& items, int minEdit);
