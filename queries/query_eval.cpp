// queries/query_eval.cpp: running a query: its rows evaluated into the result, the result sorted,
// and the change notices that reach every query.
#include "queries/query_eval.h"

#include "common/abort.h"
#include "database/dictionary/record_type_table.h"
#include "database/kin/kinship_cache.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"
#include "queries/expression.h"
#include "queries/query_def.h"
#include "queries/query_record_sets.h"

#include <algorithm>

namespace {

/// Thrown out of a sort comparison once the run is cancelled.
struct CSortCancelled {};

CExpression* ColumnExpression(const CQueryColumn& column)
{
    return column.m_ref.GetKind() == DATAREF_EXPRESSION
               ? dynamic_cast<CExpression*>(column.m_ref.GetExpression())
               : nullptr;
}

bool IsRelationshipFunction(const CExpression& expression)
{
    const CExprFunction* function = expression.GetFunction();
    return function && (text::EqualsNoCase(function->m_name, "Relationship") ||
                        text::EqualsNoCase(function->m_name, "RelationCode"));
}

/// Builds the relationship data of the person the relationship columns are bound to once,
/// deep enough for the deepest occurrence asked for, so that sorting and showing the columns
/// share it instead of each building its own.
void PrepareRelationshipCaches(CQueryDef& query)
{
    CRecordNode* person = nullptr;
    int deepest = -1;
    for (const auto& column : query.GetColumns()) {
        CExpression* expression = ColumnExpression(*column);
        if (!expression || !IsRelationshipFunction(*expression))
            continue;
        int index = 0;
        CRecordNode* root = expression->GetRelationshipRoot(index, true);
        if (root && !person)
            person = root;
        if (root && root == person)
            deepest = std::max(deepest, index);
    }
    if (!person || !AcquireRecordCache(person, deepest + 1))
        return;
    for (const auto& column : query.GetColumns()) {
        CExpression* expression = ColumnExpression(*column);
        if (expression && IsRelationshipFunction(*expression)) {
            int index = 0;
            expression->GetRelationshipRoot(index, false);
        }
    }
    ReleaseRecordCache(person);
}

/// -1, 0 or 1 for two records by one column; a record without the field sorts first.
int CompareByColumn(const CQueryColumn& column, CRecordNode* a, CRecordNode* b)
{
    if (const CDataPath* path = column.m_ref.GetPath()) {
        const CDataNode* first = path->FindNode(a);
        const CDataNode* second = path->FindNode(b);
        if (!first || !second)
            return first ? 1 : second ? -1 : 0;
        const int order = first->Compare(second, path->GetQualifier());
        return order < 0 ? -1 : order > 0 ? 1 : 0;
    }
    if (CExpression* expression = ColumnExpression(column))
        return expression->CompareRecords(a, b);
    return 0;
}

/// Sorts by the sorted columns in column order; records that compare equal keep file order.
/// Throws CSortCancelled once cancelled is set.
void SortQueryResults(const CQueryDef& query, std::vector<CRecordNode*>& records,
                      const std::atomic<bool>& cancelled)
{
    std::vector<const CQueryColumn*> sorted;
    for (const auto& column : query.GetColumns()) {
        if (column->m_sort != QCS_NONE)
            sorted.push_back(column.get());
    }
    if (records.size() < 2 || sorted.empty())
        return;
    std::stable_sort(records.begin(), records.end(), [&](CRecordNode* a, CRecordNode* b) {
        if (cancelled.load(std::memory_order_relaxed))
            throw CSortCancelled();
        for (const CQueryColumn* column : sorted) {
            const int order = column->m_sort == QCS_DESCENDING ? CompareByColumn(*column, b, a)
                                                               : CompareByColumn(*column, a, b);
            if (order != 0)
                return order < 0;
        }
        return false;
    });
}

} // namespace

bool EvaluateQuery(CQueryDef& query)
{
    const std::atomic<bool>& cancelled = query.CancelledFlag();
    try {
        query.MutableResult().Clear();
        const bool startInResult = query.GetFilterCount() == 0 || query.GetFilter(0)->IsExclude();
        CQueryRecordSets sets(GetRecordTypeRootForDef(query.GetRecordType()), startInResult,
                              cancelled);
        for (int i = 0; i < query.GetFilterCount() && !cancelled.load(); ++i)
            query.GetFilter(i)->Apply(sets, cancelled);
        if (!cancelled.load() && query.IsInverted())
            sets.Invert();
        std::vector<CRecordNode*> records = sets.GetResult();
        if (cancelled.load()) {
            query.MutableResult().Assign(std::move(records));
            return false;
        }
        PrepareRelationshipCaches(query);
        try {
            SortQueryResults(query, records, cancelled);
        } catch (const CSortCancelled&) {
            query.MutableResult().Assign(sets.GetResult());
            return false;
        }
        query.MutableResult().Assign(std::move(records));
        return !cancelled.load();
    } catch (...) {
        query.ErrorFlag().store(true);
        CauseOfAbandon(); // on the worker thread: the run's owner reports the failure
        return false;
    }
}

void CQueryDef::OnDataChanged(long hint)
{
    for (const auto& filter : m_filters)
        filter->OnRecordDeleted(hint);
    for (const auto& column : m_columns) {
        if (CExpression* expression = ColumnExpression(*column))
            expression->OnRecordsDeleted(hint);
    }
    for (const CQueryHeading* heading : {&m_title, &m_subtitle}) {
        if (IHeadingTemplate* compiled = heading->GetCompiledIfAny())
            compiled->OnDataChanged(hint);
    }
    if (hint == kHintDataSetClearing)
        m_result.Clear();
    else
        m_result.RemoveDeleted();
}
