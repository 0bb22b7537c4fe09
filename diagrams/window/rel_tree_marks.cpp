// diagrams/window/rel_tree_marks.cpp: the Diagram window's marks set or cleared over every box,
// or over the boxes of the individuals a query finds.
#include "diagrams/window/sub_view_rel_tree.h"

#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "diagrams/diag_elem.h"
#include "diagrams/window/diag_query_marks_dlg.h"
#include "platform/base/prompt.h"
#include "queries/query_def.h"

void CSubViewRelTree::SetMarks(std::uint16_t flag, bool on, const ElemRecordSet* records)
{
    for (auto& rowSet : m_doc.RowSets())
        for (CDiagTree* tree : rowSet->Trees())
            tree->SetFlags(flag, on, records);
    if (GetSafeHwnd())
        Invalidate();
}

void CSubViewRelTree::MarksByQuery()
{
    if (!HasTree())
        return;
    const std::shared_ptr<CQueryDef> query = CQueryDef::Create();
    CQueryMarksDlg dialog(query.get(), this);
    if (dialog.DoModal() != IDOK)
        return;
    if (dialog.m_clearFirst && dialog.m_setMarks)
        SetMarks(kElemMarked, false, nullptr);
    const std::vector<CRecordNode*>& found = query->GetResult().GetRecords();
    const ElemRecordSet records(found.begin(), found.end());
    SetMarks(kElemMarked, dialog.m_setMarks, &records);
}
