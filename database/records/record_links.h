// database/records/record_links.h: the records that link to a record, and the short label of a
// fact.
#pragma once

#include <string>
#include <vector>

class CDataNode;
class CFieldDef;
class CRecordNode;

/// Where the records linking to a record are listed (a record grid, through its host).
class IRecordRowSink {
public:
    virtual ~IRecordRowSink() = default;
    virtual void AddRecordRow(CRecordNode* record) = 0;
};

/// Every record, other than record itself, that holds a link field pointing at record, each
/// once, in the order of the record-type table and then by record number; with typeDef only
/// records of that type. Records pending deletion are left out.
std::vector<CRecordNode*> FindRecordsLinkingTo(const CRecordNode& record, const CFieldDef* typeDef);

/// Adds a row to grid for each record FindRecordsLinkingTo gives.
void FillLinksToGrid(IRecordRowSink& grid, const CRecordNode& record, const CFieldDef* typeDef);

/// The text that names a record in a heading or a box: a family's partners ("John SMITH and Mary
/// JONES", "<unknown>" for a missing one), any other record's display text.
std::string GetRecordNameText(const CRecordNode& record);

/// The label shown beside a fact's value: the label of its definition, or the name in its TYPE
/// for a custom fact that has one; with colon a ":" follows.
void GetFactLabel(const CDataNode& fact, std::string& text, bool colon);
