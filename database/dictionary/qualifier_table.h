// database/dictionary/qualifier_table.h: the qualifiers that turn a field's value into a derived
// value (a date's year, a name's surname, an age at an event) and the condition operators of query
// filters with their wording, both keyed by the fields' data types.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class CFieldDef;
class IComboItems;

/// Qualifier ids; they are also the format codes of the nodes' text and comparison operations.
enum Qualifier : int {
    QUAL_NONE = 0,
    QUAL_DAY = 1,
    QUAL_MONTH_NUMBER,
    QUAL_MONTH_NAME,
    QUAL_MONTH_AND_DAY,
    QUAL_YEAR,
    QUAL_LONG,
    QUAL_COMPACT,
    QUAL_ABBREV,
    QUAL_ABBREV2,
    QUAL_ABBREV3,
    QUAL_ABBREV4,
    QUAL_XDATE1,
    QUAL_XDATE2,
    QUAL_XDATETYPE,
    QUAL_SURNAME = 15,
    QUAL_FIRST,
    QUAL_GIVEN,
    QUAL_GIVEN_ALL,
    QUAL_MIDDLE,
    QUAL_FULL,
    QUAL_SURNAME_FIRST,
    QUAL_PREFERRED,
    QUAL_ADORNED,
    QUAL_PREFIXED,
    QUAL_SUFFIXED,
    QUAL_ADORNED_FULL,
    QUAL_PREFIXED_FULL,
    QUAL_SUFFIXED_FULL,
    QUAL_STORED,
    QUAL_AGE_AT = 30,
    QUAL_HUSBAND_AGE_AT,
    QUAL_WIFE_AGE_AT,
    QUAL_NUMERIC = 33,
};

/// Condition operators of query filters.
enum ConditionOp : int {
    COND_NONE = 0,
    COND_NULL = 1,
    COND_IS = 2,
    COND_EQUAL = 3,
    COND_GREATER = 4,
    COND_LESS = 5,
    COND_BEGINS = 6,
    COND_ENDS = 7,
    COND_CONTAINS = 8,
};

/// Which fields a qualifier applies to.
enum QualifierAppliesTo : int {
    QUAL_FOR_DATE = 1,
    QUAL_FOR_NAME = 2,
    QUAL_FOR_DATE_AGE = 3,         // a date, with the age parameter
    QUAL_FOR_DATE_PARTNER_AGE = 4, // a date, with a partner's age parameter
    QUAL_FOR_NUMERIC_TEXT = 5,     // one line of text flagged both A and C
};

/// The condition-operator table's data type for computed values.
inline constexpr int CONDITION_TYPE_COMPUTED = 12;

/// One qualifier. Every row has a command id of its own, so that a menu command always names
/// one qualifier: MONTH_NAME has 59419, a free id beside the others of the range.
struct QualifierRow {
    int id;
    int appliesTo;
    int resultType; // a FieldDataType code, or 13 month and day
    const char* keyword;
    const char* alias; // null when none
    const char* label;
    std::uint32_t mask; // parameter mask
    int commandId;
};

struct ConditionOpRow {
    int dataType;    // 0 the generic wording, 12 a computed value
    int op;          // ConditionOp
    int operandKind; // the typed-value type the user supplies, 0 none
    const char* wording;
};

std::span<const QualifierRow> GetQualifierTable();
std::span<const ConditionOpRow> GetConditionOpTable();

/// 0 for an empty keyword; else the first qualifier for def whose keyword or alias equals
/// keyword without regard to case; -1 when none.
int FindQualifier(const CFieldDef* def, std::string_view keyword);
/// From position, the next qualifier for def whose mask shares a bit with mask; its id (0 at
/// the end), with position left after it. Start with position 0.
int GetNextQualifier(const CFieldDef* def, std::uint32_t mask, int& position);
/// Null or 0 for an id the table lacks.
const char* GetQualifierKeyword(int id);
int GetQualifierCommandId(int id);
int GetQualifierResultType(int id);

/// Adds the wording of every operator row of dataType (a record field also takes the complex
/// rows, a name field the text rows), in table order, each carrying its operator; stops when
/// the control refuses an item.
void FillConditionOpCombo(IComboItems& combo, int dataType);
/// The same for the computed-value rows of an operand kind.
void FillComputedOpCombo(IComboItems& combo, int operandKind);
/// The wording of the first row of dataType (folded as above) and op; empty and false when
/// there is none.
bool GetConditionOpWording(int op, std::string& text, int dataType);
bool GetComputedOpWording(int op, std::string& text, int operandKind);
/// The operator of the generic row with that wording, compared without regard to case; 0 when
/// none.
int FindConditionOp(std::string_view wording);
/// The operand kind of the first row of dataType (folded) and op; 0 when none.
int GetConditionOperandKind(int dataType, int op);
