// controls/detail/tree_box_parts.h: what the tree box's source files share: the geometry of a
// row, the state of one paint, and TAB-separated cells.
#pragma once

#include "controls/tree_box.h"

#include <string_view>

class CDC;
class CPen;

/// Where the parts of a row lie. y values are window coordinates; x values are content
/// coordinates (the window shows them shifted left by the horizontal scroll position).
struct CTreeBox::RowGeometry {
    int top = 0;
    int middle = 0;
    int bottom = 0;
    int buttonCentre = 0; // tree modes only
    int imageCentre = 0;
    int textLeft = 0;
    int textTop = 0;
};

struct CTreeBox::PaintContext {
    CDC& dc;
    CDC& memory;     // for copying row images
    CPen& dots;      // dotted lines in the line colour
    CPen& frame;     // expand button frames
    CPen& signs;     // plus and minus signs
    int originX = 0; // added to a content x to give a window x
    TreeBoxColours colours{};
    bool focus = false;
    int lastRow = 0;
    int clientWidth = 0;
};

namespace tree_box_detail {

/// The column-th TAB-separated field of text; empty when the text has fewer fields.
std::string_view TabField(std::string_view text, int column);

/// Whether the first cell is greater than the second, as the list sort compares cells: an
/// empty first cell never is; otherwise bytes compare as signed values, and a cell that ends
/// first is the smaller.
bool CellGreater(std::string_view first, std::string_view second);

} // namespace tree_box_detail
