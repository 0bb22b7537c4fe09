// app/av_app_properties.cpp: the application's record properties box (making it, Properties, and
// following the active window's selection at idle time) and the automatic source citation.
#include "app/av_app.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/sub_view.h"
#include "records/dialogs/auto_citation_dlg.h"
#include "records/properties/properties_dlg.h"

#include "common/preferences.h"
#include "database/nodes/source_citation.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/cmd_ui.h"

namespace {

/// Whether the focus is on a control inside box (not on the box's own window).
bool HoldsFocusedControl(const CWnd& box)
{
    const CWnd* focus = CWnd::GetFocus();
    if (focus == &box)
        return false;
    for (; focus; focus = focus->GetParent())
        if (focus == &box)
            return true;
    return false;
}

} // namespace

int CAvApp::BoxSizeOfPreference(int code)
{
    switch (code) {
    case kPropDlgSmall:
        return kPropSizeSmall;
    case kPropDlgFull:
        return kPropSizeLargeWithSources;
    default:
        return kPropSizeLarge;
    }
}

void CAvApp::StorePropertiesEdit()
{
    if (m_propertiesDlg && m_propertiesDlg->GetSafeHwnd())
        m_propertiesDlg->CommitFocusedControl();
}

void CAvApp::MapPropertiesCommands()
{
    MapCommand(ID_PROPERTIES, [this] { ShowPropertiesDlg(0, 0, FALSE, FALSE); });
    MapUpdate(ID_PROPERTIES,
              [this](CCmdUI* state) { state->Enable(GetSelectedRecord() != nullptr); });
    MapCommand(ID_SET_AUTO_CITATION, [this] {
        CAutoCitationDlg dialog(m_pMainWnd);
        if (const CAutoCitation* current = GetAutoCitation())
            dialog.m_value = *current;
        dialog.m_newRecords = CitesNewRecords();
        dialog.m_newFields = CitesNewFields();
        if (dialog.DoModal() == IDOK)
            SetAutoCitation(&dialog.m_value, dialog.m_newRecords, dialog.m_newFields);
    });
    MapCommand(ID_CANCEL_AUTO_CITATION, [] { SetAutoCitation(nullptr, false, false); });
    MapUpdate(ID_CANCEL_AUTO_CITATION,
              [](CCmdUI* state) { state->Enable(GetAutoCitation() != nullptr); });
}

CPropertiesDlg* CAvApp::CreatePropertiesDlg()
{
    if (m_propertiesDlg && !m_propertiesDlg->GetSafeHwnd()) {
        delete m_propertiesDlg;
        m_propertiesDlg = nullptr;
    }
    if (!m_propertiesDlg) {
        auto* box = new CPropertiesDlg(m_pMainWnd);
        if (!box->CreateBox(m_pMainWnd)) {
            delete box;
            return nullptr;
        }
        m_propertiesDlg = box;
    }
    return m_propertiesDlg;
}

void CAvApp::ShowPropertiesDlg(int size, int page, BOOL keepSize, BOOL forward, const RECT* avoid)
{
    CRecordNode* record = GetSelectedRecord();
    if (!record)
        return;
    const bool exists = m_propertiesDlg && m_propertiesDlg->GetSafeHwnd();
    if (exists)
        size = keepSize ? kPropSizeKeep : size;
    else if (size == 0)
        size = BoxSizeOfPreference(Prefs().m_propDlgSizeDefault);
    CPropertiesDlg* box = CreatePropertiesDlg();
    if (!box)
        return;
    box->SetFocus();
    box->SetRecord(record, nullptr, size, avoid, false, {}, page);
    // The box itself takes no keys: unless a control inside it kept the focus, the active page
    // gives it to its first field, so that what the user types next lands there.
    if (forward || !HoldsFocusedControl(*box))
        box->ForwardToActivePage();
}

void CAvApp::FollowSelection()
{
    CPropertiesDlg* box = m_propertiesDlg;
    if (!box || !box->GetSafeHwnd() || !box->IsWindowVisible())
        return;
    if (!box->WantsSelection()) {
        box->SyncSourcesPane();
        return;
    }
    const CAvView* view = GetActiveAvView();
    const CSubView* pane = view ? view->GetSubView() : nullptr;
    int count = 0;
    CObject* selected = pane ? pane->GetSelection(nullptr, &count) : nullptr;
    auto* record = dynamic_cast<CRecordNode*>(selected);
    if (count == 1 && record) {
        if (record != box->GetRecord())
            box->SetRecord(record, nullptr);
        box->SyncSourcesPane();
        return;
    }
    box->SetSelectionState(count == 1 ? 0 : count, false);
}
