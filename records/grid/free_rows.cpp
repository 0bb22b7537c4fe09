// records/grid/free_rows.cpp: matching a free list's top-level rows to its nodes in place.
#include "records/grid/free_rows.h"

#include "records/grid/tag_grid.h"

void SyncFreeRows(CTagGrid& grid, const std::vector<CDataNode*>& nodes)
{
    CTreeBox& box = grid.GetBox();
    CTreeBoxNode* row = box.GetFirstItem();
    CTreeBoxNode* previous = nullptr;
    for (CDataNode* node : nodes) {
        if (row && CTagGrid::NodeOf(row) == node) {
            previous = row;
            row = row->m_nextSibling;
            continue;
        }
        // A later row of the node comes up into place with what is open under it; else a new
        // row is made. The row that did not match stays next in line.
        CTreeBoxNode* later = row ? row->m_nextSibling : nullptr;
        while (later && CTagGrid::NodeOf(later) != node)
            later = later->m_nextSibling;
        if (later)
            box.MoveItem(later, nullptr, previous, false, false);
        else
            later = grid.InsertFreeRow(node, previous);
        if (later)
            previous = later;
    }
    while (row) {
        CTreeBoxNode* next = row->m_nextSibling;
        box.DeleteItem(row);
        row = next;
    }
}
