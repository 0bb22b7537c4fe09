// queries/window/qry_result_grid.h: the Result Set tab: a result grid showing one row per record
// of the query's result and one column per visible query column, sortable, with deletes, copy and
// the saving of the result set to a text file.
#pragma once

#include "queries/query_def.h"
#include "queries/window/result_grid.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

class CCmdUI;
class CBitmap;
class CDataNode;
class CRecordNode;
struct CRuntimeClass;

/// The grid of the query window; it is its own owner. Row values are records; each column
/// carries the grid's own copy of its query column.
class CQryResultGrid final : public CResultGrid, private IResultGridOwner {
public:
    CQryResultGrid();
    ~CQryResultGrid() override;

    /// Where the grid finds the current query (null for none); the query window sets it.
    void SetQuerySource(std::function<CQueryDef*()> source) { m_querySource = std::move(source); }
    CQueryDef* GetQuery() const { return m_querySource ? m_querySource() : nullptr; }

    /// CreateResultGrid with the grid as its own owner.
    bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void Reset(bool withColumns);
    /// The n-th visible query column updates grid column n or is appended; grid columns
    /// beyond the visible count go.
    void SyncColumns(CQueryDef& query);
    /// Reset (rows only), SyncColumns, then a row per result record in the result's order.
    void Fill(CQueryDef& query);
    /// Reset with columns and, when the current query has a result, Fill.
    void Refill();
    bool IsFilled() const { return m_filled; }
    bool IsResorted() const { return m_resorted; }

    /// Sorts the rows ascending by the column (a stable sort; each row's key is found once).
    void SortByColumn(const CQueryColumn* column);
    /// Deletes the fields, or the records, behind the selected cells of one column, after the
    /// user confirms.
    void DeleteSelectedCells();
    /// Delete is enabled while cells are selected.
    void OnUpdateDelete(CCmdUI* state) const;
    /// For every change notice: drops the rows of deleted records, repaints changed ones.
    void OnDataChanged(long hint);

    /// The grid's copy of the query column; null out of range.
    CQueryColumn* GetColumnDef(int column) const;
    /// The node behind the anchor corner of the selection when it is a field found through a
    /// path column (and of cls when cls is given); null otherwise. several: whether more than
    /// one cell is selected.
    CDataNode* GetSelectedCell(const CRuntimeClass* cls, bool* several);
    /// The records of the selection in turn: position 0 starts; the next position is
    /// returned through position (0 at the end). Null at the end.
    CRecordNode* GetNextSelectedRecord(int& position);
    /// The record behind a row for the named-list commands: the row's record.
    CRecordNode* GetRowRecord(int row) const;

    /// The query bar's Save Results command.
    void SaveResultSet();
    /// The text of a cell as drawn.
    std::string GetCellString(int row, int column);
    /// Installs what a double click on a record cell opens (the record properties box).
    static void SetRecordOpener(std::function<void(CRecordNode*)> opener);
    static bool HasRecordOpener();

private:
    // The grid's owner operations.
    void OnColumnFreed(void* data) override;
    void OnSortColumn(CResultGrid* grid, void* data) override;
    void OnColumnWidthChanged(CResultGrid* grid, int column) override;
    bool OnGridKey(CResultGrid* grid, UINT virtKey) override;
    void OnGridDoubleClick(CResultGrid* grid) override;
    bool GetCellText(CResultGrid* grid, std::string& buffer, CBitmap** picture, int row, int column,
                     std::uintptr_t rowValue, void* columnData) override;

    /// The node the column's path finds in the row's record; null for an expression column.
    CDataNode* FindCellNode(int row, const CQueryColumn& column) const;
    int PixelsFromWidth(int width) const;
    int WidthFromPixels(int pixels) const;
    CBitmap* RecordPicture(const CRecordNode& record);
    void DeleteRecordsBehind(const CQueryColumn& column);
    void DeleteFieldsBehind(const CQueryColumn& column);
    /// Runs the query again on this thread and refills; false when the run failed.
    bool RunAgain(CQueryDef& query);

    std::function<CQueryDef*()> m_querySource;
    bool m_filled = false;
    bool m_resorted = false;
    std::map<int, std::unique_ptr<CBitmap>> m_pictures;
};
