// media/window/pane_sizes.h: the Multimedia window's pane sizes as the user last dragged them,
// kept in the profile so that the next window opens with them.
#pragma once

#include <array>

class CUSplitterWnd;

/// The shares of the objects list, the links list and the note editor: the objects list takes
/// half the height unless the user dragged the bars, whose last places are read back here.
std::array<int, 3> LoadMediaListShares();
void SaveMediaListShares(const CUSplitterWnd& splitter);

/// The list pane's width as the user last dragged it; 0 when never dragged.
int LoadMediaListWidth();
void SaveMediaListWidth(int width);
