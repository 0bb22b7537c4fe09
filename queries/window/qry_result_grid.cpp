// queries/window/qry_result_grid.cpp: filling the query result grid from a query, its cells,
// widths, selection walks and the reaction to change notices.
#include "queries/window/qry_result_grid.h"
#include "queries/window/query_save.h"

#include "common/abort.h"
#include "database/dictionary/field_def.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/records/record_node.h"
#include "platform/base/object.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/windows/cmd_ui.h"
#include "queries/expression.h"

#include <algorithm>
#include <climits>

namespace {

std::function<void(CRecordNode*)>& RecordOpener()
{
    static std::function<void(CRecordNode*)> opener;
    return opener;
}

CRecordNode* RecordOf(std::uintptr_t value)
{
    return reinterpret_cast<CRecordNode*>(value);
}

} // namespace

void CQryResultGrid::SetRecordOpener(std::function<void(CRecordNode*)> opener)
{
    RecordOpener() = std::move(opener);
}

bool CQryResultGrid::HasRecordOpener()
{
    return bool(RecordOpener());
}

CQryResultGrid::CQryResultGrid()
{
    MapCommand(ID_EDIT_COPY, [this] { CopySelection(); });
    MapUpdate(ID_EDIT_COPY, [](CCmdUI* state) { state->Enable(); });
}

CQryResultGrid::~CQryResultGrid()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

bool CQryResultGrid::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateResultGrid(style, rect, parent, id, this, 16, 16);
}

// Widths are kept in quarters of the grid font's average character width.

int CQryResultGrid::PixelsFromWidth(int width) const
{
    const long long pixels = (long long)(width)*GetAverageCharWidth() / 4;
    return int(std::clamp<long long>(pixels, 0, 1 << 20));
}

int CQryResultGrid::WidthFromPixels(int pixels) const
{
    return int(std::min<long long>((long long)(pixels)*4 / GetAverageCharWidth(), INT_MAX));
}

// Filling.

void CQryResultGrid::Reset(bool withColumns)
{
    ClearGrid(withColumns);
    m_filled = false;
    m_resorted = false;
}

void CQryResultGrid::SyncColumns(CQueryDef& query)
{
    int n = 0;
    for (const std::unique_ptr<CQueryColumn>& source : query.GetColumns()) {
        if (source->m_hidden)
            continue;
        auto copy = std::make_unique<CQueryColumn>(*source);
        const int pixels = PixelsFromWidth(source->m_width);
        if (n < GetColumnCount()) {
            std::string title;
            void* old = nullptr;
            GetGridColumn(n, &old, &title);
            SetGridColumn(n, source->m_heading, 0, copy.release());
            OnColumnFreed(old);
            if (GetGridColumnWidth(n) != pixels)
                SetGridColumnWidth(n, pixels);
        } else {
            AddGridColumn(source->m_heading, std::max(pixels, 0), 0, copy.get(), -1);
            if (pixels < 1)
                SetGridColumnWidth(n, 0);
            copy.release();
        }
        ++n;
    }
    while (GetColumnCount() > n)
        DeleteGridColumn(GetColumnCount() - 1, false);
    Invalidate();
    GetCells().Invalidate();
}

void CQryResultGrid::Fill(CQueryDef& query)
{
    Reset(false);
    SyncColumns(query);
    const std::vector<CRecordNode*>& records = query.GetResult().GetRecords();
    std::vector<std::uintptr_t> rows;
    rows.reserve(records.size());
    for (CRecordNode* record : records)
        rows.push_back(reinterpret_cast<std::uintptr_t>(record));
    AddGridRows(rows);
    m_filled = true;
}

void CQryResultGrid::Refill()
{
    Reset(true);
    CQueryDef* query = GetQuery();
    if (query && !query->GetResult().IsEmpty())
        Fill(*query);
}

// Cells.

CQueryColumn* CQryResultGrid::GetColumnDef(int column) const
{
    void* data = nullptr;
    return GetGridColumn(column, &data, nullptr) ? static_cast<CQueryColumn*>(data) : nullptr;
}

CRecordNode* CQryResultGrid::GetRowRecord(int row) const
{
    return row >= 0 && row < GetRowCount() ? RecordOf(GetRowValue(row)) : nullptr;
}

CDataNode* CQryResultGrid::FindCellNode(int row, const CQueryColumn& column) const
{
    CRecordNode* record = GetRowRecord(row);
    const CDataPath* path = column.m_ref.GetPath();
    return record && path ? path->FindNode(record) : nullptr;
}

CBitmap* CQryResultGrid::RecordPicture(const CRecordNode& record)
{
    const int id = GetRecordTypeBitmap(record.GetFieldDef(), true, false);
    if (id <= 0)
        return nullptr;
    std::unique_ptr<CBitmap>& picture = m_pictures[id];
    if (!picture) {
        picture = std::make_unique<CBitmap>();
        picture->LoadBitmap(UINT(id));
    }
    return picture->GetSafeHandle() ? picture.get() : nullptr;
}

bool CQryResultGrid::GetCellText(CResultGrid*, std::string& buffer, CBitmap** picture, int, int,
                                 std::uintptr_t rowValue, void* columnData)
{
    CRecordNode* record = RecordOf(rowValue);
    const auto* column = static_cast<const CQueryColumn*>(columnData);
    buffer.clear();
    if (!record || !column)
        return false;
    if (const CDataPath* path = column->m_ref.GetPath()) {
        CDataNode* node = path->FindNode(record);
        if (!node)
            return true;
        if (node->IsRecord() && picture)
            *picture = RecordPicture(*static_cast<CRecordNode*>(node));
    }
    column->m_ref.Evaluate(buffer, record);
    return true;
}

std::string CQryResultGrid::GetCellString(int row, int column)
{
    std::string text;
    CQueryColumn* def = GetColumnDef(column);
    if (row < 0 || row >= GetRowCount() || !def)
        return text;
    GetCellText(this, text, nullptr, row, column, GetRowValue(row), def);
    return text;
}

// The grid's owner operations.

void CQryResultGrid::OnColumnFreed(void* data)
{
    delete static_cast<CQueryColumn*>(data);
}

void CQryResultGrid::OnSortColumn(CResultGrid*, void* data)
{
    SortByColumn(static_cast<const CQueryColumn*>(data));
}

void CQryResultGrid::OnColumnWidthChanged(CResultGrid*, int column)
{
    CQueryColumn* copy = GetColumnDef(column);
    if (!copy)
        return;
    const int width = WidthFromPixels(GetGridColumnWidth(column));
    if (width == copy->m_width)
        return;
    copy->m_width = width;
    CQueryDef* query = GetQuery();
    CQueryColumn* source = query ? query->GetColumn(column, true) : nullptr;
    if (!source)
        return;
    source->m_width = width;
    // A standard or read-only query keeps the change for this session only.
    CommitQueryChange(*query);
}

bool CQryResultGrid::OnGridKey(CResultGrid*, UINT virtKey)
{
    if (virtKey != VK_DELETE)
        return false;
    DeleteSelectedCells();
    return true;
}

void CQryResultGrid::OnGridDoubleClick(CResultGrid*)
{
    CDataNode* node = GetSelectedCell(nullptr, nullptr);
    if (node && node->IsRecord() && RecordOpener())
        RecordOpener()(static_cast<CRecordNode*>(node));
}

// The selection.

CDataNode* CQryResultGrid::GetSelectedCell(const CRuntimeClass* cls, bool* several)
{
    const GridSelection& selection = GetSelection();
    if (several)
        *several = !selection.IsEmpty() &&
                   (selection.top != selection.bottom || selection.left != selection.right);
    if (selection.IsEmpty() || selection.top >= GetRowCount())
        return nullptr;
    const CQueryColumn* column = GetColumnDef(selection.left);
    CDataNode* node = column ? FindCellNode(selection.top, *column) : nullptr;
    if (node && cls && !node->IsKindOf(cls))
        return nullptr;
    return node;
}

CRecordNode* CQryResultGrid::GetNextSelectedRecord(int& position)
{
    const GridSelection& selection = GetSelection();
    if (selection.IsEmpty()) {
        position = 0;
        return nullptr;
    }
    int row = position == 0 ? selection.top : position - 1;
    const int last = std::min(selection.bottom, GetRowCount() - 1);
    if (selection.left != selection.right) {
        if (row > last) {
            position = 0;
            return nullptr;
        }
        position = row + 2 > last + 1 ? 0 : row + 2;
        return GetRowRecord(row);
    }
    const CQueryColumn* column = GetColumnDef(selection.left);
    if (!column || !column->m_ref.GetPath()) {
        position = 0;
        return nullptr;
    }
    for (; row <= last; ++row) {
        CDataNode* node = FindCellNode(row, *column);
        if (!node)
            continue;
        CRecordNode* record =
            node->IsRecord() ? static_cast<CRecordNode*>(node) : node->GetLinkTarget();
        if (!record && !node->IsRecord())
            break;
        position = row + 1 > last ? 0 : row + 2;
        return record;
    }
    position = 0;
    return nullptr;
}

// Change notices.

void CQryResultGrid::OnDataChanged(long hint)
{
    for (int c = 0; c < GetColumnCount(); ++c)
        if (CQueryColumn* column = GetColumnDef(c))
            if (auto* expression = dynamic_cast<CExpression*>(column->m_ref.GetExpression()))
                expression->OnRecordsDeleted(hint);
    if (GetRowCount() == 0)
        return;
    if (hint == kHintDataSetClearing) {
        Reset(false);
        return;
    }
    try {
        if (GetPendingDeletions()) {
            std::vector<std::uintptr_t>& rows = Rows();
            for (int row = GetRowCount() - 1; row >= 0; --row)
                if (RecordOf(rows[std::size_t(row)])->IsPendingDeletion())
                    DeleteGridRow(row, true);
        }
    } catch (...) {
        Reset(false);
        EndAbandonedOperation();
        return;
    }
    const int last = GetLastVisibleRow();
    for (int row = std::max(0, GetFirstVisibleRow()); row <= last; ++row)
        if (IsRecordListed(GetRowRecord(row)))
            RedrawGridRow(row, false, false);
}
