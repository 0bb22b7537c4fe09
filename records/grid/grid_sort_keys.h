// records/grid/grid_sort_keys.h: the order of the record list grid's sorts, apart from any window:
// each row's key is read once into a compact entry, the entries are sorted stably in the order of
// the records' own comparison, and the rows' places come back for the grid to apply.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class CDataNode;
class CDataRef;
class CNameRankSort;

/// What a sort orders the rows by.
enum class GridSortBy : int {
    /// Individuals by name as CIndRec::CompareSortKeys orders them: through the ranks of their
    /// distinct names (name_rank_sort.h) when those give the order, else by compact entries.
    kName,
    /// Records that compare as CDataNode does (notes, sources, repositories, plain records): by
    /// their compared texts without regard to case.
    kText,
    /// A reference's value for each record: an expression's sort key, or the reference's text
    /// without regard to case. Rows of nodes that are no records stand where they are.
    kValue,
    /// Record numbers; nodes that are no records after the records.
    kCreation,
    /// The latest change first, records never changed after every changed one; nodes that are
    /// no records after the records.
    kLastUpdate,
};

/// The places (indexes into nodes) of the rows in sorted order. The sort is stable: rows whose
/// keys are equal keep the order they came in; rows without a node (null) go last. reference and
/// descending are for kValue only. None, when the keys cannot give the order: a node that is no
/// individual in a sort by name, a record compared otherwise than by its text in a sort by text,
/// texts past four gigabytes together. The caller then compares the nodes themselves.
std::optional<std::vector<std::uint32_t>> GridSortOrder(std::span<CDataNode* const> nodes,
                                                        GridSortBy by,
                                                        const CDataRef* reference = nullptr,
                                                        bool descending = false);

/// The places of the nodes (individuals, or null for a row without one) in the order of a sort
/// by name, through the ranks of their distinct names alone; none when the ranks do not give
/// that order or a node is no individual.
std::optional<std::vector<std::uint32_t>> NameRankOrder(std::span<CDataNode* const> nodes);
/// Adds the next node (an individual, or null for a row without one) to a sort by name through
/// ranks; false when the ranks cannot give its place or it is no individual.
bool AddNameRankRow(CNameRankSort& ranks, const CDataNode* node);
