// records/grid/tag_grid_sort.cpp: the grid's sort commands. The rows' order comes from the sort
// keys' unit (grid_sort_keys.h); a sort it cannot key leaves the rows to the box's comparison.
#include "records/grid/tag_grid.h"

#include "database/dictionary/record_type_table.h"
#include "database/nodes/data_node.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/wait_cursor.h"
#include "records/grid/grid_sort_keys.h"

#include <optional>
#include <vector>

// ---- Sorting ----------------------------------------------------------------------------------

void CTagGrid::OnSortAlphabetical()
{
    Sort(kSortAlphabetical);
}

void CTagGrid::OnSortCreationOrder()
{
    Sort(kSortCreation);
}

void CTagGrid::OnSortLastUpdateOrder()
{
    Sort(kSortLastUpdate);
}

void CTagGrid::SortByDataRef(const CDataRef& reference, bool ascending)
{
    m_sortRef = &reference;
    Sort(ascending ? kSortRefAscending : kSortRefDescending);
    m_sortRef = nullptr;
}

void CTagGrid::Sort(SortKey key)
{
    if (!((m_mode == kModeRecordSet && m_shown) || m_mode == kModeFreeList))
        return;
    const CWaitCursor wait;
    CloseEditor(true);
    for (CTreeBoxNode* row : std::vector<CTreeBoxNode*>(m_openRows.begin(), m_openRows.end()))
        if (row->m_state == CTreeBoxNode::kExpanded)
            GetBox().ExpandItem(row, false, 1);
    m_openRows.clear();
    m_sortKey = key;
    if (!SortByKeys(key))
        GetBox().ReexpandOpenItems();
    m_sortKey = kSortNone;
    // The rows stay in this order for the records added later; a sort by a reference the grid
    // does not hold is not kept.
    m_rowOrder = key;
    m_rowOrderColumn = -1;
    if (key == kSortRefAscending || key == kSortRefDescending) {
        for (std::size_t i = 0; i < m_extra.size(); ++i)
            if (&m_extra[i].reference == m_sortRef)
                m_rowOrderColumn = int(i);
        if (m_rowOrderColumn < 0)
            m_rowOrder = kSortNone;
    }
}

std::optional<GridSortBy> CTagGrid::SortByOf(SortKey key, const CDataRef* reference) const
{
    if (key == kSortAlphabetical && m_mode == kModeRecordSet && m_shown)
        return GetRecordTypeIndex(m_shown->GetFieldDef()) == RECORD_LIST_INDI ? GridSortBy::kName
                                                                              : GridSortBy::kText;
    if ((key == kSortRefAscending || key == kSortRefDescending) && reference)
        return GridSortBy::kValue;
    if (key == kSortCreation)
        return GridSortBy::kCreation;
    if (key == kSortLastUpdate)
        return GridSortBy::kLastUpdate;
    return std::nullopt;
}

bool CTagGrid::AddRowsInSortedPlace(const std::vector<CRecordNode*>& records, bool bulk)
{
    if (m_rowOrder == kSortNone || m_mode != kModeRecordSet)
        return false;
    const CDataRef* reference = m_rowOrderColumn >= 0 && m_rowOrderColumn < int(m_extra.size())
                                    ? &m_extra[std::size_t(m_rowOrderColumn)].reference
                                    : nullptr;
    const std::optional<GridSortBy> by = SortByOf(m_rowOrder, reference);
    if (!by)
        return false;
    std::vector<CTreeBoxNode*> rows;
    std::vector<CDataNode*> nodes;
    for (CTreeBoxNode* row = GetBox().GetFirstItem(); row; row = row->m_nextSibling) {
        rows.push_back(row);
        nodes.push_back(NodeOf(row));
    }
    nodes.insert(nodes.end(), records.begin(), records.end());
    const std::optional<std::vector<std::uint32_t>> places =
        GridSortOrder(nodes, *by, reference, m_rowOrder == kSortRefDescending);
    if (!places)
        return false;
    // Each new row goes after the row that comes before it in the sorted order; the rows there
    // already stay where they are.
    CTreeBoxNode* previous = nullptr;
    for (const std::uint32_t place : *places) {
        if (place < rows.size()) {
            previous = rows[place];
            continue;
        }
        CDataNode* record = nodes[place];
        if (previous)
            AddTopRow(record, previous, bulk);
        else
            AddRowBefore(record, GetBox().GetFirstItem(), bulk);
        if (CTreeBoxNode* row = FindRowByRecord(record))
            previous = row;
    }
    return true;
}

bool CTagGrid::SortByKeys(SortKey key)
{
    const std::optional<GridSortBy> found = SortByOf(key, m_sortRef);
    if (!found)
        return false;
    const GridSortBy by = *found;
    std::vector<CTreeBoxNode*> rows;
    std::vector<CDataNode*> nodes;
    rows.reserve(Rows().Size());
    nodes.reserve(Rows().Size());
    for (CTreeBoxNode* row = GetBox().GetFirstItem(); row; row = row->m_nextSibling) {
        rows.push_back(row);
        nodes.push_back(NodeOf(row));
    }
    const std::optional<std::vector<std::uint32_t>> places =
        GridSortOrder(nodes, by, m_sortRef, key == kSortRefDescending);
    if (!places)
        return false;
    std::vector<CTreeBoxNode*> order;
    order.reserve(rows.size());
    for (const std::uint32_t place : *places)
        order.push_back(rows[place]);
    GetBox().SetTopLevelOrder(order);
    return true;
}

int CTagGrid::Compare(CTreeBox*, std::uintptr_t first, std::uintptr_t second)
{
    if (!first)
        return second ? 1 : 0;
    if (!second)
        return -1;
    const auto* a = reinterpret_cast<const CDataNode*>(first);
    const auto* b = reinterpret_cast<const CDataNode*>(second);
    if (m_sortKey == kSortAlphabetical) {
        if (m_mode == kModeFreeList && a->GetFieldDef() != b->GetFieldDef())
            return CompareRecordTypeOrder(a->GetFieldDef(), b->GetFieldDef());
        return a->Compare(b, 0);
    }
    return 0;
}

void CTagGrid::OnColumnClick(CColumnHeader*, int column)
{
    if (m_sortOnHeaderClick) {
        if (column == 0)
            OnSortAlphabetical();
        else if (column >= 2 && column - 2 < int(m_extra.size()))
            SortByDataRef(m_extra[std::size_t(column - 2)].reference,
                          m_extra[std::size_t(column - 2)].ascending);
    }
    if (m_owner)
        m_owner->OnGridColumnClicked(this, column);
}
