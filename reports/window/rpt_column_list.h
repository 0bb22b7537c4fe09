// reports/window/rpt_column_list.h: the column boxes of the Report Options pages, made in place
// of their templates' list boxes, with rows addressed by their index.
#pragma once

#include "controls/col_box.h"

#include <span>
#include <string>
#include <vector>

class CWnd;

/// Makes box in the place of the list box id on page (which it hides): the same place, id and
/// visibility, several rows selectable when the list box allowed it, the columns titled by
/// titles (TAB-separated) with their right edges at the fractions edges of the width, headers
/// not clickable. False when there is no such list box or the box cannot be made.
bool RptMakeColumnList(CWnd& page, int id, CColBox& box, CColBoxOwner* owner, const char* titles,
                       std::span<const double> edges);
/// Replaces the rows with rows (TAB-separated cells), each row's data its index.
void RptFillColumnList(CColBox& box, const std::vector<std::string>& rows);
/// The indexes of the selected rows, in order.
std::vector<int> RptSelectedRows(CColBox& box);
/// Selects row (the others stay as they are); a row out of range selects nothing.
void RptSelectRow(CColBox& box, int row);
/// The box made as page's control id; null when there is none.
CColBox* RptColumnList(const CWnd& page, int id);
