// records/grid/grid_colours.h: the colours of a node's row in the record lists, from the Record
// Window options.
#pragma once

#include "platform/base/types.h"

class CDataNode;
class CRecWndOptions;

/// A record: its type's record colour in both columns; a field: its record type's tag label
/// and tag value colours; a node outside the nine types (or null): the window-text colour.
void GetGridColours(const CDataNode* node, const CRecWndOptions& options, COLORREF& label,
                    COLORREF& value);
