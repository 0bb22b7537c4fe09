// database/kin/fact_rows.h: the rows of a record's list of facts (an individual's own facts, its
// spouse families' facts and its children's births and adoptions, or a family's facts and its
// children's), the texts of their Date, Event/Attribute and Age columns, and what each order
// reads of them.
#pragma once

#include "database/kin/event_order.h"

#include <string>
#include <vector>

class CDataNode;
class CIndRec;
class CRecordNode;

/// The kinds of rows: a fact of the record itself, of one of the individual's spouse families,
/// and a child's birth or adoption.
inline constexpr int kEventRowOwn = 1, kEventRowFamily = 2, kEventRowChild = 3;

struct CFactRow {
    CDataNode* m_fact = nullptr;
    int m_kind = kEventRowOwn;
};

/// The rows of record's list in the order they are met, empty facts included. An individual's
/// list (individualList with an individual record) holds its own facts, then for each spouse
/// family that family's facts (kind family) and, with childEvents, each child's first birth and
/// first adoption. Any other list holds the record's facts (kind family on an individual's
/// list, else own) and, for a family with childEvents, its children's births and adoptions.
std::vector<CFactRow> CollectFactRows(CRecordNode& record, bool individualList, bool childEvents);

/// The first value of the fact's first DATE (the first date of a period or range); null when
/// the fact has no DATE or an empty one.
const CDateValue* GetFactDate(const CDataNode* fact);

/// Whether a row of an individual's list holds the individual's own birth.
bool IsOwnBirthRow(const CDataNode* fact, int kind, bool individualList);

/// The text of a row's column for the individual whose list it is (null for a family's list):
/// 0 the date, 1 the Event/Attribute text, 2 the age at the fact.
std::string GetEventText(const CDataNode& fact, int kind, const CIndRec* individual, int column);

/// What order reads of a fact row on the list of individual (null for a family's list): the
/// fact's date for Date, the text of the order's column for Text and Age, and whether the row
/// is the individual's own birth.
COrderRow GetFactRowKeys(const CColumnOrder& order, const CDataNode& fact, int kind,
                         const CIndRec* individual);
