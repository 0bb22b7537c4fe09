// database/multimedia/object_rows.h: the rows of a record's list of objects (its links to
// multimedia records, then its embedded objects), the texts of their columns, the date and age
// an object row has, and what each order reads of them.
#pragma once

#include "database/kin/event_order.h"

#include <string>
#include <vector>

class CDataNode;
class CDateNode;
class CIndRec;
class CRecordNode;

/// The row kinds: an embedded object and a link to a multimedia record.
inline constexpr int kMediaRowEmbedded = 0, kMediaRowLink = 1;

struct CObjectRow {
    CDataNode* m_node = nullptr;
    int m_kind = kMediaRowEmbedded;
};

/// The rows of record's list in stored order: every link with a target (links without one get
/// no row), then every embedded object.
std::vector<CObjectRow> CollectObjectRows(const CRecordNode& record);

/// Where a row's object keeps its fields: the linked record, or the embedded object itself.
const CDataNode* GetObjectHolder(const CDataNode* node, int kind);

/// The object's date (its holder's OBJE date) when it is a simple, approximate or interpreted
/// date and not empty; null otherwise.
const CDateNode* GetObjectDate(const CDataNode* node, int kind);

/// The text of a row's column on record's list (individual is the list's individual, null for
/// other records): 0 the object's title, 1 its format, 2 its preference (links count first),
/// 3 its date, 4 the whole years from the individual's birth to that date ("5", or "4-5" when
/// the ends differ, with " (!)" when the object is older than the birth).
std::string GetObjectRowText(const CDataNode* record, const CDataNode* node, int kind,
                             const CIndRec* individual, int column);

/// What order reads of an object row: its date for Date, the text of the order's column for
/// Text and Age.
COrderRow GetObjectRowKeys(const CColumnOrder& order, const CDataNode* record,
                           const CDataNode* node, int kind, const CIndRec* individual);
