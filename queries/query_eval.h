// queries/query_eval.h: running a query: its run-time parameters, the evaluation of its rows
// into the result, the sorting of the result, and the change notices that reach every query.
#pragma once

struct CExprArg;
struct CParameterPrompt;
class CQueryDef;
class CRecordNode;

/// The dialog that asks for a query's run-time parameters; the query window installs it.
class IQueryParameterDialog {
public:
    virtual ~IQueryParameterDialog() = default;
    /// Shows the query's parameters for the user to fill in; true when the user confirmed.
    virtual bool AskParameters(CQueryDef& query) = 0;
};

/// Null for none: a query that needs the dialog then cannot run.
void SetQueryParameterDialog(IQueryParameterDialog* dialog);
IQueryParameterDialog* GetQueryParameterDialog();

/// Prepares a run on the interface thread: clears the cancelled and error flags, sets invert,
/// and asks for the parameters when there are any (with record, binds it to the parameters
/// that take a record of its type first; with onlyUnset, the record is ignored and only
/// parameters without a value count). False when the query has no record type, the dialog
/// is needed and not confirmed, or a parameter cannot be asked for.
bool AskQueryParameters(CQueryDef& query, bool onlyUnset, bool invert, CRecordNode* record);
/// Binds record to every parameter that takes a record of its type; answers whether the
/// dialog is still to be shown, which it is whenever the query has any parameter, so that the
/// user sees what was bound. Throws the integer 0 for a parameter of a kind no dialog asks.
bool BindRecordParameters(CQueryDef& query, CRecordNode* record);
/// What the dialog asks for an expression argument that is a parameter: a record of the
/// individual or source type or of any type, a date or a number. Throws the integer 0 for an
/// argument of another kind.
void GetExprParameterPrompt(const CExprArg& arg, CParameterPrompt& prompt);

/// Fills the query's result: the records of its type, in file order, that its rows add and do
/// not exclude, inverted when asked, then sorted by its sorted columns. The flags are not
/// cleared here: AskQueryParameters (or the run's start) clears them on the interface thread
/// before the work begins, so a Cancel is never lost. False when cancelled (the result then
/// holds what the rows had found so far) or failed (the error flag set).
bool EvaluateQuery(CQueryDef& query);
/// AskQueryParameters, then EvaluateQuery on this thread under the wait cursor.
bool RunQuery(CQueryDef& query, bool onlyUnset, bool invert, CRecordNode* record);

/// Passes a change notice to every query there is, when the data set is about to be cleared
/// (kHintDataSetClearing) or records are waiting for deletion. The application calls it for every
/// notice.
void NotifyAllQueries(long hint);
