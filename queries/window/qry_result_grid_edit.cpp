// queries/window/qry_result_grid_edit.cpp: what the user does to a result set in the grid: sorting
// by a column, deleting the fields or records behind cells, and saving it to a text file.
#include "queries/window/qry_result_grid.h"

#include "common/abort.h"
#include "database/dictionary/field_def.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/records/record_node.h"
#include "platform/base/abandon.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/windows/cmd_ui.h"
#include "queries/expression.h"
#include "queries/query_eval.h"
#include "queries/window/qry_save_to_file_dlg.h"
#include "queries/window/result_set_file.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <unordered_set>

namespace {

CRecordNode* RecordOf(std::uintptr_t value)
{
    return reinterpret_cast<CRecordNode*>(value);
}

/// Sorts rows stably by comparing the keys at their indexes; compare answers below, at or
/// above zero.
template <class Compare> void SortRowsByKeys(std::vector<std::uintptr_t>& rows, Compare compare)
{
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return compare(a, b) < 0; });
    std::vector<std::uintptr_t> sorted;
    sorted.reserve(rows.size());
    for (std::size_t index : order)
        sorted.push_back(rows[index]);
    rows.swap(sorted);
}

/// Sorts rows by cells that are all individuals (or missing) on keys read once per row, in the
/// order Compare gives, since reading an individual's name and dates for every comparison makes
/// a sort of many rows slow. False, with the rows untouched, when some cell is something else.
bool SortIndividualsByKeys(std::vector<std::uintptr_t>& rows,
                           const std::vector<const CDataNode*>& cells, int qualifier)
{
    std::vector<std::optional<CIndRec::SortKey>> keys(cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (!cells[i])
            continue;
        const auto* individual = dynamic_cast<const CIndRec*>(cells[i]);
        if (!individual)
            return false;
        keys[i] = individual->GetSortKey(qualifier);
    }
    SortRowsByKeys(rows, [&](std::size_t a, std::size_t b) {
        if (!keys[a] || !keys[b])
            return keys[a] ? 1 : keys[b] ? -1 : 0;
        return CIndRec::CompareSortKeys(*keys[a], *keys[b]);
    });
    return true;
}

} // namespace

void CQryResultGrid::SortByColumn(const CQueryColumn* column)
{
    std::vector<std::uintptr_t>& rows = Rows();
    if (!column || rows.size() < 2)
        return;
    CWaitCursor wait;
    if (const CDataPath* path = column->m_ref.GetPath()) {
        std::vector<const CDataNode*> keys;
        keys.reserve(rows.size());
        for (std::uintptr_t row : rows)
            keys.push_back(path->FindNode(RecordOf(row)));
        const int qualifier = path->GetQualifier();
        if (!SortIndividualsByKeys(rows, keys, qualifier)) {
            SortRowsByKeys(rows, [&](std::size_t a, std::size_t b) {
                const CDataNode* first = keys[a];
                const CDataNode* second = keys[b];
                if (!first || !second)
                    return first ? 1 : second ? -1 : 0;
                return first->Compare(second, qualifier);
            });
        }
    } else if (auto* expression = dynamic_cast<CExpression*>(column->m_ref.GetExpression())) {
        try {
            const CExprFunction* function = expression->GetFunction();
            if (function && !function->m_sortKey && function->m_resultType == ERT_TEXT) {
                std::vector<std::string> keys(rows.size());
                for (std::size_t i = 0; i < rows.size(); ++i)
                    expression->Evaluate(keys[i], RecordOf(rows[i]));
                SortRowsByKeys(rows, [&](std::size_t a, std::size_t b) {
                    return text::CompareNoCase(keys[a], keys[b]);
                });
            } else {
                const std::vector<std::uintptr_t> values = rows;
                SortRowsByKeys(rows, [&](std::size_t a, std::size_t b) {
                    return expression->CompareRecords(RecordOf(values[a]), RecordOf(values[b]));
                });
            }
        } catch (const COperationAborted&) {
            // A value of the wrong type stops the sort; the rows keep their order.
            EndAbandonedOperation();
        }
    } else {
        return;
    }
    GetCells().Invalidate();
    m_resorted = true;
}

// Deleting.

void CQryResultGrid::OnUpdateDelete(CCmdUI* state) const
{
    state->Enable(!GetSelection().IsEmpty());
}

void CQryResultGrid::DeleteSelectedCells()
{
    const GridSelection& selection = GetSelection();
    if (selection.IsEmpty() || GetRowCount() == 0)
        return;
    if (selection.left != selection.right) {
        MessageBox("Invalid deletion - ignored.\r\n\r\nYou can delete as many cells as you like at "
                   "a time, but all the selected cells must belong to the same column.");
        return;
    }
    const CQueryColumn* column = GetColumnDef(selection.left);
    if (!column)
        return;
    if (column->m_ref.GetKind() == DATAREF_EXPRESSION) {
        MessageBox("Only cells which represent actual fields can be deleted.  The selected cells "
                   "display the results of function calls.  These cells cannot be deleted.");
        return;
    }
    const CDataPath* path = column->m_ref.GetPath();
    if (!path || path->IsEmpty()) {
        MessageBox("Only cells which represent actual fields can be deleted.");
        return;
    }
    if (path->GetLeafField(true))
        DeleteRecordsBehind(*column);
    else
        DeleteFieldsBehind(*column);
}

void CQryResultGrid::DeleteRecordsBehind(const CQueryColumn& column)
{
    const GridSelection selection = GetSelection();
    std::vector<CRecordNode*> records;
    std::unordered_set<CRecordNode*> seen;
    for (int row = selection.top; row <= selection.bottom && row < GetRowCount(); ++row) {
        CDataNode* node = FindCellNode(row, column);
        if (!node)
            continue;
        CRecordNode* record =
            node->IsRecord() ? static_cast<CRecordNode*>(node) : node->GetLinkTarget();
        if (record && !record->IsPendingDeletion() && seen.insert(record).second)
            records.push_back(record);
    }
    if (records.empty()) {
        MessageBox("No records found in the selected cells.  Nothing to delete.");
        return;
    }
    const CFieldDef* type = column.m_ref.GetPath()->GetLeafField(true);
    const int count = int(records.size());
    const std::string question = text::Format(
        "Careful!  The cell(s) you have selected represent actual records - not just data within "
        "records.  If you continue, %d record%s (record type '%s') will be deleted.  Are you "
        "quite sure you want to do that?  If in doubt, you should click on 'Cancel' now.",
        count, count == 1 ? "" : "s", type ? type->GetLabel() : std::string());
    if (MessageBox(question, MB_OKCANCEL) != IDOK)
        return;
    {
        CWaitCursor wait;
        for (CRecordNode* record : records)
            if (!record->IsPendingDeletion())
                if (CDataNode* parent = record->GetParent())
                    parent->DeleteChild(record);
        NotifyChanges();
    }
    GetCells().Invalidate();
}

void CQryResultGrid::DeleteFieldsBehind(const CQueryColumn& column)
{
    if (MessageBox("The cell(s) you have selected represent fields.  If you delete these fields, "
                   "any 'child' fields (in the same record) associated with these fields will also "
                   "be deleted.  No actual records will be deleted.\r\n\r\nDo you wish to proceed?",
                   MB_OKCANCEL) != IDOK)
        return;
    const GridSelection selection = GetSelection();
    {
        CWaitCursor wait;
        for (int row = selection.top; row <= selection.bottom && row < GetRowCount(); ++row) {
            CDataNode* node = FindCellNode(row, column);
            CDataNode* parent = node && !node->IsPendingDeletion() ? node->GetParent() : nullptr;
            if (parent)
                parent->DeleteChild(node);
        }
        NotifyChanges();
    }
    GetCells().Invalidate();
}

// Saving.

bool CQryResultGrid::RunAgain(CQueryDef& query)
{
    if (!RunQuery(query, false, false, nullptr))
        return false;
    Fill(query);
    return true;
}

void CQryResultGrid::SaveResultSet()
{
    CQueryDef* query = GetQuery();
    if (!query) {
        MessageBox("No query - nothing to save to file.");
        return;
    }
    if (query->GetColumnCount(true) < 1) {
        MessageBox("Query has no unhidden columns - nothing to save to file.");
        return;
    }
    bool runAgain = !m_filled || GetColumnCount() == 0;
    if (m_filled && m_resorted) {
        const int answer = MessageBox(
            "The result set has been re-sorted in the Results Window.  Do you wish to run the "
            "query again, prior to save the result set (i.e. to revert to the original sort "
            "order)?",
            MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return;
        runAgain = runAgain || answer == IDYES;
    }
    if (runAgain && !RunAgain(*query))
        return;
    const std::string name = query->GetName().empty() ? "Untitled" : query->GetName();
    CQrySaveToFileDlg dialog("txt", name.c_str(), OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                             "Text Files (*.txt)|*.txt|All files (*.*)|*.*||", this);
    dialog.SetTitle("Save Query Result Set As...");
    if (dialog.DoModal() != IDOK)
        return;
    std::vector<std::string> titles;
    for (int c = 0; c < GetColumnCount(); ++c) {
        std::string title;
        GetGridColumn(c, nullptr, &title);
        titles.push_back(title);
    }
    const std::string path = dialog.GetPathName();
    CWaitCursor wait;
    const bool written =
        WriteResultSetFile(path, dialog.IncludeHeadings(), dialog.GetSeparator(), titles,
                           GetRowCount(), [this](int row, std::vector<std::string>& cells) {
                               for (int c = 0; c < GetColumnCount(); ++c)
                                   cells.push_back(GetCellString(row, c));
                           });
    if (!written)
        MessageBox("The result set could not be saved to " + path +
                   ".  The disk may be full or the folder may not allow writing.");
}
