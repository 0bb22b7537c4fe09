// diagrams/window/rel_tree_edit_marks.cpp: the editor's marks set or cleared over every box, or
// over the boxes of the individuals a query finds.
#include "diagrams/window/rel_tree_editor.h"

#include "diagrams/diagram_document.h"
#include "diagrams/window/diag_query_marks_dlg.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/wnd.h"
#include "queries/query_def.h"

void CRelTreeEditor::SetMarks(std::uint16_t flag, bool on, const ElemRecordSet* records)
{
    for (auto& rowSet : m_doc.RowSets())
        for (CDiagTree* tree : rowSet->Trees())
            tree->SetFlags(flag, on, records);
    if (m_view.Window().GetSafeHwnd())
        m_view.Window().Invalidate();
}

void CRelTreeEditor::MarksByQuery()
{
    if (!m_doc.HasTree())
        return;
    const std::shared_ptr<CQueryDef> query = CQueryDef::Create();
    CQueryMarksDlg dialog(query.get(), &m_view.Window());
    if (dialog.DoModal() != IDOK)
        return;
    if (dialog.m_clearFirst && dialog.m_setMarks)
        SetMarks(kElemMarked, false, nullptr);
    const std::vector<CRecordNode*>& found = query->GetResult().GetRecords();
    const ElemRecordSet records(found.begin(), found.end());
    SetMarks(kElemMarked, dialog.m_setMarks, &records);
}
