// app/change_broadcast.cpp: every change notice, from the data set or from the shell, passed to
// the windows, the diagram documents, the document, the named lists and the relationship cache in
// a fixed order.
#include "app/av_app.h"

#include "app/shell/av_doc.h"
#include "database/nodes/change_hint.h"
#include "records/properties/properties_dlg.h"

#include "database/kin/kinship_cache.h"
#include "database/nodes/change_tracking.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/frames/view.h"
#include "queries/named_list.h"
#include "queries/query_eval.h"

void CAvApp::OnDataChanged(CObject* sender, LPARAM hint, CObject* object, bool modify)
{
    BroadcastUpdate(dynamic_cast<CView*>(sender), hint, object, modify ? TRUE : FALSE);
}

void CAvApp::BroadcastUpdate(CView* sender, LPARAM hint, CObject* object, BOOL modify)
{
    const CWaitCursor wait;
    if (m_propertiesDlg)
        m_propertiesDlg->OnDocUpdate(sender, hint, object);
    if (m_document) {
        m_document->UpdateAllViews(sender, hint, object);
        // The diagram documents follow the data themselves, once their windows have heard.
        m_diagramChanges.OnDataChanged(sender, hint, object, modify != FALSE);
        if (modify)
            m_document->SetModifiedFlag(TRUE);
    }
    const bool recordsChanged = GetChangedRecords() != nullptr;
    if (recordsChanged && !HasNoDeletedChanges())
        RemoveDeletedFromNamedLists();
    NotifyAllQueries(long(hint));
    if (recordsChanged || hint == kHintDataSetClearing)
        FlushRecordCache(hint == kHintDataSetClearing);
}
