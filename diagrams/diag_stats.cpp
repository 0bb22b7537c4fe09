// diagrams/diag_stats.cpp: counting the boxes on show and marking the individuals they show
// with the scratch record flag 0x80.
#include "diagrams/diag_stats.h"

#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/records/record_id_state.h"
#include "diagrams/diag_tree.h"

#include <cstdio>

namespace {

/// The scratch flag that marks an individual as counted.
constexpr BYTE kCountedFlag = 0x80;

void ClearCountedMarks()
{
    if (CDataNode* root = GetRecordTypeRoot(RECORD_LIST_INDI))
        for (CDataNode* node = root->GetFirstChild(); node; node = node->GetNextSibling())
            node->SetFlag(kCountedFlag, false);
}

} // namespace

void DiagStatistics(const CDiagRowSet& rowSet, int& count)
{
    const CGenerationIndex& index = rowSet.Index();
    if (index.IsEmpty())
        return;
    for (int r = index.LowestRow(); r <= index.HighestRow(); ++r)
        for (const CDiagRow* row = index.First(r); row; row = row->m_nextOfGeneration)
            for (const CDiagElem* box : row->m_boxes) {
                if (!box->IsVisible())
                    continue;
                ++count;
                if (CIndRec* individual = box->GetIndividual())
                    individual->SetFlag(kCountedFlag, true);
            }
}

std::string DiagStatisticsMessage(const CDiagRowSet& rowSet)
{
    ClearCountedMarks();
    int nodes = 0;
    DiagStatistics(rowSet, nodes);
    int individuals = 0;
    if (CDataNode* root = GetRecordTypeRoot(RECORD_LIST_INDI))
        for (CDataNode* node = root->GetFirstChild(); node; node = node->GetNextSibling())
            individuals += node->HasFlag(kCountedFlag);
    ClearCountedMarks();
    char text[120];
    std::snprintf(text, sizeof text, "Diagram contains %d node%s and references %d individual%s.",
                  nodes, nodes == 1 ? "" : "s", individuals, individuals == 1 ? "" : "s");
    return text;
}
