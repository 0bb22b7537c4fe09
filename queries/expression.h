// queries/expression.h: one parsed "=" expression: a call of one of the built-in functions with
// its typed arguments, written back, evaluated for a record and used to sort records.
#pragma once

#include "database/dates/date_value.h"
#include "database/paths/data_expression.h"
#include "platform/base/ole_date_time.h"
#include "queries/typed_value.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CDataNode;
class CExpression;
class CIndRec;
class CRecordNode;

/// What an argument of a function stands for.
enum ExprArgType : int {
    EAT_NONE = 0,
    EAT_INDIVIDUAL = 1,
    EAT_MULTIMEDIA_RECORD = 2,
    EAT_SOURCE = 3, // bound or a parameter only
    EAT_RECORD = 4,
    EAT_MULTIMEDIA = 5, // a multimedia record or an embedded object; bound or a parameter only
    EAT_DATE = 6,
    EAT_NUMBER = 7,
    EAT_KEYWORD_FORM = 8,    // TEXT, CODE
    EAT_KEYWORD_MEASURE = 9, // GENERATION, GENS_UP, ...
    EAT_KEYWORD_DEATH = 10,  // IGNORE_DEATH, NULL_IF_DEAD
    EAT_KEYWORD_NUMBER = 11, // STANDARD_FORMAT, NUMBER
};

/// The kind of value a function gives.
enum ExprResultType : int {
    ERT_TEXT = 1,
    ERT_DATE = 2,
    ERT_NUMBER = 3,
};

/// One argument of a call: its declared type, whether it is a run-time parameter (written in
/// brackets with a label) and its value (NONE when empty or not yet supplied).
struct CExprArg {
    int m_declaredType = EAT_NONE;
    bool m_isParameter = false;
    std::string m_label;
    CTypedValue m_value;
};
/// The arguments of a call, in order.
using CExprArgList = std::vector<CExprArg>;

/// A number result; empty for "no value".
using ExprNumber = std::optional<std::int32_t>;

/// A record's value as CExpression::CompareRecords compares it, read once, so that a sort of
/// many records compares keys instead of evaluating each record again and again.
struct CExprSortKey {
    int m_resultType = 0; // 0: every key compares equal
    std::string m_text;   // text results, folded for byte order
    COleDateTime m_date;
    ExprNumber m_number;
    // A function with an order of its own (life dates): the person, then the date key.
    bool m_ownOrder = false;
    bool m_hasPerson = false;
    std::optional<CDateValue> m_personDate;
};

/// One row of the function table: its id, name, argument types (0 ends them), result type, the
/// evaluator of that result type and, where the function sorts by something other than its
/// value, its own comparison.
struct CExprFunction {
    int m_id;
    const char* m_name;
    int m_argTypes[4];
    int m_resultType;
    void (*m_text)(CExpression& expression, CRecordNode* record, std::string& text);
    COleDateTime (*m_date)(CExpression& expression, CRecordNode* record);
    ExprNumber (*m_number)(CExpression& expression, CRecordNode* record);
    /// Fills the key's own-order part; null for functions that sort by their value.
    void (*m_sortKey)(CExpression& expression, CRecordNode* record, CExprSortKey& key);
};

/// The function row of an id or, by FindExprFunctionByName, of a name compared without regard
/// to case; null when none.
const CExprFunction* FindExprFunction(int id);
const CExprFunction* FindExprFunctionByName(std::string_view name);
/// The keywords an argument type takes, in index order; empty for other types.
std::vector<std::string_view> GetExprKeywords(int argType);

/// A parsed expression. Relationship functions keep the relationship data of their root person,
/// and the pool-number function the kinship map, between calls; a deletion notice or Clear lets
/// them go. Copies are deep and share the root's relationship data by counting one more user.
class CExpression final : public IDataExpression {
public:
    CExpression() = default;
    CExpression(const CExpression& other);
    CExpression& operator=(const CExpression& other);
    ~CExpression() override;

    void Clear();
    /// Reads the whole text; false (and the expression cleared) when it is not an expression.
    bool Parse(std::string_view text);
    /// The source text in its written form, replacing text or appended to it.
    void FormatText(std::string& text, bool append) const;
    /// The value for record (which may be null) as text, replacing text; empty for no value.
    /// A path argument whose record type is not record's gives no value. A keyword or number
    /// position holding another kind of value throws the integer 1.
    void Evaluate(std::string& text, CRecordNode* record);
    /// -1, 0 or 1 by the two records' values; records without a value sort first. Throws as
    /// Evaluate does.
    int CompareRecords(CRecordNode* a, CRecordNode* b);
    /// What CompareRecords compares for record; throws as Evaluate does.
    CExprSortKey MakeSortKey(CRecordNode* record);
    /// CompareRecords's answer for the two records the keys were made for.
    static int CompareSortKeys(const CExprSortKey& a, const CExprSortKey& b);

    /// Binds argument index (within the count) to a fixed record; null resets it to empty.
    void SetArgRecord(int index, CRecordNode* record);
    /// Stores a copy of value in the n-th parameter (from 0); false when there is none.
    bool SetParameterValue(int n, const CTypedValue& value);
    /// True when some parameter still has no value.
    bool HasUnsetParameter() const;
    /// For a change notice (hint): when the data set is about to be cleared
    /// (kHintDataSetClearing) or records are pending
    /// deletion, drops the bound records going away and the relationship data held.
    void OnRecordsDeleted(long hint);
    /// For Relationship and RelationCode with four arguments: the path index asked for (from 0)
    /// and the first person argument bound to a record, whose relationship data is taken once
    /// unless noCache; null when none is bound or the occurrence is below 1 (no relationship).
    /// Throws 1 when the fourth argument holds no number.
    CRecordNode* GetRelationshipRoot(int& index, bool noCache);

    // The data reference's view.
    std::unique_ptr<IDataExpression> Clone() const override;
    void FormatText(std::string& text) const override { FormatText(text, false); }
    /// As Evaluate, with a value of the wrong type giving empty text instead of throwing.
    void EvaluateToText(std::string& text, CRecordNode* record) override;
    /// True when every path argument starts at that record type.
    bool IsValidForRecordType(const CFieldDef* topDef) const override;

    // For the evaluators.
    const CExprFunction* GetFunction() const { return m_function; }
    int GetArgCount() const { return int(m_args.size()); }
    const CExprArg& GetArg(int index) const { return m_args[std::size_t(index)]; }
    int GetParameterCount() const { return m_parameterCount; }
    int GetUnboundCount() const { return m_unboundCount; }
    /// The person whose relationship data the expression holds; null when none.
    CRecordNode* GetHeldRoot() const { return m_heldRoot; }
    /// Takes root's relationship data for entries paths per relative and holds it; false when
    /// it could not be had or a root is held already.
    bool HoldRelationshipRoot(CRecordNode* root, int entries);
    /// Takes the kinship map once.
    void HoldKinshipMap();

private:
    bool ParseCall(std::string_view text, std::size_t& position);
    bool ParseArgument(std::string_view text, std::size_t& position, CExprArg& arg);
    void CountArguments();
    void ReleaseCaches();
    bool PathsStartAt(const CRecordNode* record) const;

    CExprArgList m_args;
    const CExprFunction* m_function = nullptr;
    int m_parameterCount = 0;
    int m_unboundCount = 0;
    CRecordNode* m_heldRoot = nullptr;
    bool m_holdsKinshipMap = false;
};

/// Installs the expression parser into the data references (database's SetDataExpressionParser);
/// the application calls it at start-up.
void InstallExpressionEngine();
