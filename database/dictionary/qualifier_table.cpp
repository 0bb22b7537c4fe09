// database/dictionary/qualifier_table.cpp: the qualifiers that turn a field's value into a derived
// value (a date's year, a name's surname, an age at an event) and the condition operators of query
// filters with their wording, both keyed by the fields' data types.
#include "database/dictionary/qualifier_table.h"

#include "database/dictionary/combo_items.h"
#include "database/dictionary/field_def.h"

#include "platform/base/text.h"

#include <iterator>

namespace {

constexpr std::uint32_t kAll = 0xFFFFFFFF;

constexpr QualifierRow kQualifiers[] = {
    {1, 1, 9, "DAY", nullptr, "Day", kAll, 59402},
    {2, 1, 9, "MONTH_NUMBER", nullptr, "Month Number", kAll, 59403},
    {3, 1, 1, "MONTH_NAME", nullptr, "Month Name", kAll, 59419},
    {4, 1, 13, "MONTH_AND_DAY", nullptr, "Month & Day", kAll, 59404},
    {5, 1, 9, "YEAR", nullptr, "Year", kAll, 59405},
    {6, 1, 7, "LONG", nullptr, "Long", kAll, 59407},
    {7, 1, 7, "COMPACT", "SHORT", "Compact", kAll, 59406},
    {8, 1, 7, "ABBREV", "MEDIUM", "Abbrev", kAll, 59426},
    {9, 1, 7, "ABBREV2", nullptr, "Abbrev(2)", kAll, 59438},
    {10, 1, 7, "ABBREV3", nullptr, "Abbrev(3)", kAll, 59439},
    {11, 1, 7, "ABBREV4", nullptr, "Abbrev(4)", kAll, 59440},
    {12, 1, 7, "XDATE1", nullptr, "XDate1", kAll, 59449},
    {13, 1, 7, "XDATE2", nullptr, "XDate2", kAll, 59450},
    {14, 1, 1, "XDATETYPE", nullptr, "XDateType", kAll, 59451},
    {15, 2, 1, "SURNAME", nullptr, "Surname", kAll, 59408},
    {16, 2, 1, "FIRST", nullptr, "First", kAll, 59409},
    {17, 2, 1, "GIVEN", nullptr, "Given", kAll, 59410},
    {18, 2, 1, "GIVEN_ALL", nullptr, "Given (all)", kAll, 59446},
    {19, 2, 1, "MIDDLE", nullptr, "Middle", kAll, 59447},
    {20, 2, 1, "FULL", nullptr, "Full", kAll, 59411},
    {21, 2, 1, "SURNAME_FIRST", nullptr, "Surname First", kAll, 59412},
    {22, 2, 1, "PREFERRED", nullptr, "Preferred", kAll, 59413},
    {23, 2, 1, "ADORNED", nullptr, "Adorned", kAll, 59436},
    {24, 2, 1, "PREFIXED", nullptr, "Prefixed", kAll, 59441},
    {25, 2, 1, "SUFFIXED", nullptr, "Suffixed", kAll, 59442},
    {26, 2, 1, "ADORNED_FULL", nullptr, "Adorned (full)", kAll, 59443},
    {27, 2, 1, "PREFIXED_FULL", nullptr, "Prefixed (full)", kAll, 59444},
    {28, 2, 1, "SUFFIXED_FULL", nullptr, "Suffixed (full)", kAll, 59445},
    {29, 2, 1, "STORED", nullptr, "Stored", kAll, 59448},
    {30, 3, 9, "AGE_AT", nullptr, "Age at", 1, 59414},
    {31, 4, 9, "HUSBAND_AGE_AT", nullptr, "Husband's age at", 2, 59415},
    {32, 4, 9, "WIFE_AGE_AT", nullptr, "Wife's age at", 2, 59416},
    {33, 5, 9, "NUMERIC", nullptr, "Numeric", 3, 59435},
};

constexpr ConditionOpRow kConditionOps[] = {
    {0, 2, 0, "is"},
    {0, 3, 0, "="},
    {0, 4, 0, ">"},
    {0, 5, 0, "<"},
    {0, 6, 0, "begins"},
    {0, 7, 0, "ends"},
    {0, 8, 0, "contains"},
    {0, 1, 0, "null"},

    {12, 3, 1, "matches"},
    {12, 4, 1, "comes after"},
    {12, 5, 1, "comes before"},
    {12, 6, 1, "begins with"},
    {12, 7, 1, "ends with"},
    {12, 8, 1, "contains"},
    {12, 1, 1, "is null"},
    {12, 3, 3, "equals"},
    {12, 4, 3, "is greater than"},
    {12, 5, 3, "is less than"},
    {12, 1, 3, "is null"},
    {12, 3, 2, "equals"},
    {12, 4, 2, "is greater than"},
    {12, 5, 2, "is less than"},
    {12, 1, 2, "is null"},

    {1, 3, 1, "matches"},
    {1, 4, 1, "comes after"},
    {1, 5, 1, "comes before"},
    {1, 6, 1, "begins with"},
    {1, 7, 1, "ends with"},
    {1, 8, 1, "contains"},
    {1, 1, 0, "is null"},
    {2, 6, 1, "begins with"},
    {2, 7, 1, "ends with"},
    {2, 8, 1, "contains"},
    {2, 1, 0, "is null"},
    {3, 3, 6, "matches"},
    {3, 1, 0, "is null"},
    {4, 2, 5, "is"},
    {4, 3, 1, "matches"},
    {4, 4, 1, "sorts after"},
    {4, 5, 1, "sorts before"},
    {4, 6, 1, "begins with"},
    {4, 7, 1, "ends with"},
    {4, 8, 1, "contains"},
    {4, 1, 0, "is null"},
    {6, 2, 5, "is"},
    {5, 3, 1, "matches"},
    {5, 4, 1, "comes after"},
    {5, 5, 1, "comes before"},
    {5, 6, 1, "begins with"},
    {5, 7, 1, "ends with"},
    {5, 8, 1, "contains"},
    {5, 1, 0, "is null"},
    {7, 3, 2, "was on"},
    {7, 4, 2, "was later than"},
    {7, 5, 2, "was earlier than"},
    {7, 8, 1, "contains text"},
    {7, 1, 0, "is null"},
    {9, 3, 3, "equals"},
    {9, 4, 3, "is greater than"},
    {9, 5, 3, "is less than"},
    {9, 1, 0, "is null"},
    {11, 3, 3, "equals (yrs)"},
    {11, 4, 3, "is older than"},
    {11, 5, 3, "is younger than"},
    {11, 1, 0, "is null"},
    {13, 3, 8, "is the same date as"},
    {13, 4, 8, "is later than"},
    {13, 5, 8, "is earlier than"},
    {13, 1, 0, "is null"},
    {14, 3, 9, "equals"},
    {14, 4, 9, "is greater than"},
    {14, 5, 9, "is less than"},
    {14, 1, 0, "is null"},
};

bool Applies(const QualifierRow& row, const CFieldDef& def)
{
    switch (row.appliesTo) {
    case QUAL_FOR_DATE:
    case QUAL_FOR_DATE_AGE:
    case QUAL_FOR_DATE_PARTNER_AGE:
        return def.GetDataType() == FDT_DATE;
    case QUAL_FOR_NAME:
        return def.GetDataType() == FDT_NAME;
    case QUAL_FOR_NUMERIC_TEXT:
        return def.GetDataType() == FDT_TEXT && def.HasFlag(FDF_ATTRIBUTE) &&
               def.HasFlag(FDF_TYPED);
    }
    return false;
}

const QualifierRow* FindRow(int id)
{
    for (const QualifierRow& row : kQualifiers) {
        if (row.id == id)
            return &row;
    }
    return nullptr;
}

/// A record field also takes the complex rows, a name field the text rows.
bool RowFits(const ConditionOpRow& row, int dataType)
{
    return row.dataType == dataType || (dataType == FDT_RECORD && row.dataType == FDT_COMPLEX) ||
           (dataType == FDT_NAME && row.dataType == FDT_TEXT);
}

bool ComputedRowFits(const ConditionOpRow& row, int operandKind)
{
    return row.dataType == CONDITION_TYPE_COMPUTED && row.operandKind == operandKind;
}

template <class Fits> void Fill(IComboItems& combo, Fits fits)
{
    for (const ConditionOpRow& row : kConditionOps) {
        if (fits(row) && !combo.AddItem(row.wording, row.op))
            return;
    }
}

template <class Fits> bool Wording(int op, std::string& text, Fits fits)
{
    for (const ConditionOpRow& row : kConditionOps) {
        if (row.op == op && fits(row)) {
            text = row.wording;
            return true;
        }
    }
    text.clear();
    return false;
}

} // namespace

std::span<const QualifierRow> GetQualifierTable()
{
    return kQualifiers;
}

std::span<const ConditionOpRow> GetConditionOpTable()
{
    return kConditionOps;
}

int FindQualifier(const CFieldDef* def, std::string_view keyword)
{
    if (keyword.empty())
        return 0;
    if (!def)
        return -1;
    for (const QualifierRow& row : kQualifiers) {
        if (!Applies(row, *def))
            continue;
        if (text::EqualsNoCase(keyword, row.keyword) ||
            (row.alias && text::EqualsNoCase(keyword, row.alias)))
            return row.id;
    }
    return -1;
}

int GetNextQualifier(const CFieldDef* def, std::uint32_t mask, int& position)
{
    const int count = static_cast<int>(std::size(kQualifiers));
    while (def && position >= 0 && position < count) {
        const QualifierRow& row = kQualifiers[position++];
        if ((row.mask & mask) != 0 && Applies(row, *def))
            return row.id;
    }
    return 0;
}

const char* GetQualifierKeyword(int id)
{
    const QualifierRow* row = FindRow(id);
    return row ? row->keyword : nullptr;
}

int GetQualifierCommandId(int id)
{
    const QualifierRow* row = FindRow(id);
    return row ? row->commandId : 0;
}

int GetQualifierResultType(int id)
{
    const QualifierRow* row = FindRow(id);
    return row ? row->resultType : 0;
}

void FillConditionOpCombo(IComboItems& combo, int dataType)
{
    Fill(combo, [dataType](const ConditionOpRow& row) { return RowFits(row, dataType); });
}

void FillComputedOpCombo(IComboItems& combo, int operandKind)
{
    Fill(combo,
         [operandKind](const ConditionOpRow& row) { return ComputedRowFits(row, operandKind); });
}

bool GetConditionOpWording(int op, std::string& text, int dataType)
{
    return Wording(op, text,
                   [dataType](const ConditionOpRow& row) { return RowFits(row, dataType); });
}

bool GetComputedOpWording(int op, std::string& text, int operandKind)
{
    return Wording(op, text, [operandKind](const ConditionOpRow& row) {
        return ComputedRowFits(row, operandKind);
    });
}

int FindConditionOp(std::string_view wording)
{
    for (const ConditionOpRow& row : kConditionOps) {
        if (row.dataType == 0 && text::EqualsNoCase(wording, row.wording))
            return row.op;
    }
    return COND_NONE;
}

int GetConditionOperandKind(int dataType, int op)
{
    for (const ConditionOpRow& row : kConditionOps) {
        if (row.op == op && RowFits(row, dataType))
            return row.operandKind;
    }
    return 0;
}
