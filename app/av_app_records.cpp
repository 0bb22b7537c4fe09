// app/av_app_records.cpp: the application object's commands that make records and show record
// lists and single records.
#include "app/av_app.h"
#include "common/abort.h"

#include "app/shell/app_ids.h"
#include "app/shell/records_pane.h"
#include "records/properties/properties_dlg.h"

#include "common/abort.h"
#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/cmd_ui.h"
#include "records/dialogs/record_links_dlg.h"
#include "records/grid/tag_grid_opts_dlg.h"

namespace {

constexpr const char* kCreateFailed = "An error has occurred.  Unable to create the new record.";
constexpr const char* kShowHiddenList =
    "Records of this type are not currently being displayed in the Records Window.  The Records "
    "Window display options will be changed to make them visible (you can alway hide them again "
    "later if you wish to).";
constexpr const char* kSeveralSubmitters =
    "This file contains multiple submitter records.  Would you like to view the submitter "
    "record list?";

} // namespace

void CAvApp::MapRecordCommands()
{
    const std::pair<UINT, int> creations[] = {{ID_NEW_INDIVIDUAL, RECORD_LIST_INDI},
                                              {ID_NEW_NOTE, RECORD_LIST_NOTE},
                                              {ID_NEW_SOURCE, RECORD_LIST_SOUR},
                                              {ID_NEW_REPOSITORY, RECORD_LIST_REPO}};
    for (const auto& [id, listIndex] : creations)
        MapCommand(id, [this, listIndex = listIndex] { CreateRecord(listIndex); });
    const std::pair<UINT, int> lists[] = {
        {ID_VIEW_INDIVIDUALS, RECORD_LIST_INDI},  {ID_VIEW_FAMILIES, RECORD_LIST_FAM},
        {ID_VIEW_NOTES, RECORD_LIST_NOTE},        {ID_VIEW_SOURCES, RECORD_LIST_SOUR},
        {ID_VIEW_REPOSITORIES, RECORD_LIST_REPO}, {ID_VIEW_MEDIA_LIST, RECORD_LIST_OBJE}};
    for (const auto& [id, listIndex] : lists)
        MapCommand(id, [this, listIndex = listIndex] { ShowRecordList(listIndex, TRUE); });
    MapCommand(ID_VIEW_SUBMITTER, [this] { OnViewSubmitter(); });
    const std::pair<UINT, bool> unlinks[] = {{ID_UNLINK_PARENTS, false}, {ID_UNLINK_SPOUSE, true}};
    for (const auto& [id, spouse] : unlinks) {
        MapCommand(id, [this, spouse = spouse] {
            CIndRec* individual = nullptr;
            CFamRec* family = nullptr;
            if (GetSelectedIndividual(&individual, &family) && individual)
                spouse ? UnlinkFromSpouseFamily(individual) : UnlinkFromParentFamily(individual);
        });
        MapUpdate(id, [this](CCmdUI* state) {
            CIndRec* individual = nullptr;
            CFamRec* family = nullptr;
            state->Enable(GetSelectedIndividual(&individual, &family) && individual != nullptr);
        });
    }
    MapCommand(ID_VIEW_SUBMISSION, [this] { ShowSingleRecord(RECORD_LIST_SUBN); });
    MapCommand(ID_VIEW_HEADER, [this] { ShowSingleRecord(RECORD_LIST_HEAD); });
    MapCommand(ID_RECORD_WINDOW_DEFAULTS,
               [this] { RunRecWndOptionsDialog("Record Window Defaults", m_pMainWnd); });
    MapCommand(ID_RECORD_LINKS, [this] { OnRecordLinks(); });
    MapUpdate(ID_RECORD_LINKS,
              [this](CCmdUI* state) { state->Enable(GetSelectedRecord() != nullptr); });
}

void CAvApp::OnRecordLinks()
{
    CRecordLinksDlg dialog(m_pMainWnd);
    dialog.m_record = GetSelectedRecord();
    if (!dialog.m_record)
        return;
    try {
        if (dialog.DoModal() == IDOK && dialog.m_goTo)
            ShowRecordInRecordsWindow(dialog.m_goTo, TRUE);
    } catch (const COperationAborted&) {
        // The dialog could not open on the record; nothing was changed.
    }
}

void CAvApp::CreateRecord(int listIndex)
{
    CRecordNode* record = nullptr;
    try {
        CDataNode* root = GetRecordTypeRoot(listIndex);
        record = dynamic_cast<CRecordNode*>(root ? root->CreateChild(nullptr) : nullptr);
    } catch (...) {
        // The edit ends whether or not the record was made, so that nothing stays unannounced.
        NotifyChanges();
        if (EndAbandonedOperation() == AbandonCause::Aborted)
            MessageBox(kCreateFailed, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    NotifyChanges();
    if (!record) {
        MessageBox(kCreateFailed, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    ShowRecordInRecordsWindow(record, FALSE);
    if (CPropertiesDlg* box = CreatePropertiesDlg()) {
        box->SetRecord(record, nullptr);
        box->SetFocus();
        // The box's own window takes no keys: its page gives the focus to the record's first
        // field, so that what the user types next names the new record.
        box->ForwardToActivePage();
        box->SetPinned(false);
    }
}

void CAvApp::ShowRecordList(int listIndex, BOOL ask)
{
    ShowRecordsWindow(-1);
    CRecordsPane* pane = FindRecordsView();
    if (!pane)
        return;
    if (pane->FindTab(listIndex) == -1 && ask &&
        MessageBox(kShowHiddenList, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    pane->SelectTab(listIndex, true);
}

void CAvApp::ShowSingleRecord(int listIndex)
{
    const CDataNode* root = GetRecordTypeRoot(listIndex);
    auto* record = dynamic_cast<CRecordNode*>(root ? root->GetFirstChild() : nullptr);
    CPropertiesDlg* box = CreatePropertiesDlg();
    if (!box)
        return;
    box->SetPinned(false);
    box->SetRecord(record, GetRecordTypeDef(listIndex));
}

void CAvApp::OnViewSubmitter()
{
    if (GetRecordCount(RECORD_LIST_SUBM) <= 1) {
        ShowSingleRecord(RECORD_LIST_SUBM);
        return;
    }
    if (MessageBox(kSeveralSubmitters, MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
        ShowRecordList(RECORD_LIST_SUBM, FALSE);
}
