// queries/query_parameters.cpp: The run-time parameters of a query: in its rows, and in the
// expressions of its rows, columns and headings.
#include "queries/query_eval.h"

#include "common/abort.h"
#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/wait_cursor.h"
#include "queries/expression.h"
#include "queries/query_def.h"

#include <functional>

namespace {

IQueryParameterDialog* g_dialog = nullptr;

CExpression* ExpressionOf(const CDataRef* ref)
{
    return ref && ref->GetKind() == DATAREF_EXPRESSION
               ? dynamic_cast<CExpression*>(ref->GetExpression())
               : nullptr;
}

/// Calls visit for every expression of the query that may hold parameters: those of the rows,
/// of the columns, and every expression call of the two headings (compiled first when needed).
/// Stops when visit answers true; answers whether it did.
bool VisitExpressions(CQueryDef& query, const std::function<bool(CExpression&)>& visit)
{
    for (int i = 0; i < query.GetFilterCount(); ++i) {
        if (CExpression* expression = ExpressionOf(query.GetFilter(i)->GetDataRef());
            expression && visit(*expression))
            return true;
    }
    for (const auto& column : query.GetColumns()) {
        if (CExpression* expression = ExpressionOf(&column->m_ref);
            expression && visit(*expression))
            return true;
    }
    for (CQueryHeading* heading : {&query.Title(), &query.Subtitle()}) {
        IHeadingTemplate* compiled = heading->GetCompiled();
        if (!compiled)
            continue;
        for (CDataRef* ref : compiled->GetFunctions()) {
            if (CExpression* expression = ExpressionOf(ref); expression && visit(*expression))
                return true;
        }
    }
    return false;
}

/// Binds records to parameters and tells whether the dialog is still needed.
class CRecordBinder {
public:
    explicit CRecordBinder(CRecordNode* record) : m_record(record) {}

    /// Binds the record when the parameter takes a record of its type; setter stores it.
    void Consider(const CParameterPrompt& prompt,
                  const std::function<bool(const CTypedValue&)>& setter)
    {
        if (prompt.m_type != TV_RECORD || prompt.m_context != m_record->GetFieldDef()) {
            m_needed = true;
            return;
        }
        CTypedValue value;
        value.SetRecord(m_record);
        setter(value);
        if (!m_bound)
            m_firstLabel = prompt.m_label;
        else if (prompt.m_label != m_firstLabel)
            m_needed = true;
        m_bound = true;
    }

    /// Bound parameters are always shown for confirmation.
    bool IsDialogNeeded() const { return m_needed || m_bound; }

private:
    CRecordNode* m_record;
    std::string m_firstLabel;
    bool m_bound = false;
    bool m_needed = false;
};

} // namespace

void SetQueryParameterDialog(IQueryParameterDialog* dialog)
{
    g_dialog = dialog;
}

IQueryParameterDialog* GetQueryParameterDialog()
{
    return g_dialog;
}

void GetExprParameterPrompt(const CExprArg& arg, CParameterPrompt& prompt)
{
    prompt.m_context = nullptr;
    prompt.m_value = arg.m_value;
    prompt.m_label = arg.m_label;
    switch (arg.m_declaredType) {
    case EAT_INDIVIDUAL:
        prompt.m_type = TV_RECORD;
        prompt.m_context = GetRecordTypeDef(RECORD_LIST_INDI);
        break;
    case EAT_SOURCE:
        prompt.m_type = TV_RECORD;
        prompt.m_context = GetRecordTypeDef(RECORD_LIST_SOUR);
        break;
    case EAT_RECORD:
        prompt.m_type = TV_RECORD;
        break;
    case EAT_DATE:
        prompt.m_type = TV_DATE;
        break;
    case EAT_NUMBER:
        prompt.m_type = TV_NUMBER;
        break;
    default:
        ThrowAbort();
    }
}

bool CQueryDef::HasParameters(bool onlyUnset)
{
    for (int i = 0; i < GetFilterCount(); ++i) {
        const CAvFilter* filter = GetFilter(i);
        if (filter->IsParameter() && (!onlyUnset || filter->NeedsParameter()))
            return true;
    }
    return VisitExpressions(*this, [onlyUnset](CExpression& expression) {
        return expression.GetParameterCount() > 0 && (!onlyUnset || expression.HasUnsetParameter());
    });
}

bool BindRecordParameters(CQueryDef& query, CRecordNode* record)
{
    CRecordBinder binder(record);
    for (int i = 0; i < query.GetFilterCount(); ++i) {
        CAvFilter* filter = query.GetFilter(i);
        CParameterPrompt prompt;
        if (filter->GetParameterPrompt(prompt))
            binder.Consider(
                prompt, [filter](const CTypedValue& value) { return filter->SetParameter(value); });
    }
    VisitExpressions(query, [&binder](CExpression& expression) {
        int n = 0;
        for (int i = 0; i < expression.GetArgCount(); ++i) {
            const CExprArg& arg = expression.GetArg(i);
            if (!arg.m_isParameter)
                continue;
            CParameterPrompt prompt;
            GetExprParameterPrompt(arg, prompt);
            binder.Consider(prompt, [&expression, n](const CTypedValue& value) {
                return expression.SetParameterValue(n, value);
            });
            ++n;
        }
        return false;
    });
    return binder.IsDialogNeeded();
}

bool AskQueryParameters(CQueryDef& query, bool onlyUnset, bool invert, CRecordNode* record)
{
    query.ErrorFlag().store(false);
    query.CancelledFlag().store(false);
    query.SetInverted(invert);
    if (onlyUnset)
        record = nullptr;
    if (!query.GetRecordType())
        return false;
    try {
        const bool needed =
            record ? BindRecordParameters(query, record) : query.HasParameters(onlyUnset);
        return !needed || (g_dialog && g_dialog->AskParameters(query));
    } catch (...) {
        query.ErrorFlag().store(true);
        EndAbandonedOperation();
        return false;
    }
}

bool RunQuery(CQueryDef& query, bool onlyUnset, bool invert, CRecordNode* record)
{
    if (!AskQueryParameters(query, onlyUnset, invert, record))
        return false;
    const CWaitCursor wait;
    return EvaluateQuery(query);
}
