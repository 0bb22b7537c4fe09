// records/grid/free_rows.h: keeping a free list's rows in line with the nodes it stands for, so
// that rows which still show the same node keep what is open under them.
#pragma once

#include <vector>

class CDataNode;
class CTagGrid;

/// Brings the top-level rows of the grid (a free list) in line with nodes, in that order: rows
/// that still show the same node stay with what is open under them, others are made or deleted.
void SyncFreeRows(CTagGrid& grid, const std::vector<CDataNode*>& nodes);
