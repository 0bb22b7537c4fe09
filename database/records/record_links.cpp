// database/records/record_links.cpp: the records that link to a record, and the short label of a
// fact.
#include "database/records/record_links.h"

#include "database/dictionary/record_type_table.h"
#include "database/records/assoc_node.h"
#include "database/records/fam_rec.h"
#include "database/records/record_node.h"

#include <algorithm>
#include <unordered_set>

std::vector<CRecordNode*> FindRecordsLinkingTo(const CRecordNode& record, const CFieldDef* typeDef)
{
    std::vector<CRecordNode*> records;
    if (!record.HasLinks())
        return records;
    std::unordered_set<const CRecordNode*> seen;
    for (CAssocNode* link = CAssocNode::FirstLinkTo(&record); link;
         link = link->GetNextLinkToTarget()) {
        if (link->IsPendingDeletion())
            continue;
        CRecordNode* holder = link->GetRecord();
        if (!holder || holder == &record || holder->IsPendingDeletion())
            continue;
        if (typeDef && holder->GetFieldDef() != typeDef)
            continue;
        if (seen.insert(holder).second)
            records.push_back(holder);
    }
    std::sort(records.begin(), records.end(), [](const CRecordNode* a, const CRecordNode* b) {
        const int order = CompareRecordTypeOrder(a->GetFieldDef(), b->GetFieldDef());
        if (order != 0)
            return order < 0;
        return a->GetRecordNumber() < b->GetRecordNumber();
    });
    return records;
}

void FillLinksToGrid(IRecordRowSink& grid, const CRecordNode& record, const CFieldDef* typeDef)
{
    for (CRecordNode* holder : FindRecordsLinkingTo(record, typeDef))
        grid.AddRecordRow(holder);
}

std::string GetRecordNameText(const CRecordNode& record)
{
    std::string text;
    if (const CFamRec* family = AsFamily(&record))
        family->GetCoupleText(text);
    else
        record.GetText(text, 0);
    return text;
}

void GetFactLabel(const CDataNode& fact, std::string& text, bool colon)
{
    fact.GetLabel(text);
    if (text.empty() && fact.GetFieldDef())
        text = fact.GetFieldDef()->GetLabel();
    if (colon)
        text += ':';
}
