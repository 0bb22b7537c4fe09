// media/window/sub_view_media_commands.cpp: the commands of the Multimedia menu with their update
// rules, Run Multimedia Query, and turning linked objects into embedded ones and back.
#include "media/window/sub_view_media.h"

#include "media/expel_object.h"
#include "media/window/me_picture_wnd.h"

#include "database/dictionary/record_type_table.h"
#include "database/multimedia/linked_file_location.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/records/record_id_state.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/windows/cmd_ui.h"
#include "queries/query_def.h"
#include "queries/query_eval.h"
#include "queries/window/query_files.h"

#include <filesystem>
#include <system_error>

namespace {

/// Absorb refuses a linked file larger than this: its bytes would be held in the GEDCOM file.
constexpr std::uintmax_t kMaxAbsorbBytes = 64u * 1024u * 1024u;

} // namespace

void CSubViewMedia::MapHandlers()
{
    MapCommand(ID_MEDIA_CONTEXT_PANE, [this] {
        m_listVisible = !m_listVisible;
        m_splitter.ShowPane(0, m_listVisible);
    });
    MapUpdate(ID_MEDIA_CONTEXT_PANE, [this](CCmdUI* state) { state->SetCheck(m_listVisible); });
    MapCommand(ID_MEDIA_NEW_LINK, [this] {
        SetToolMode(kToolNone, true);
        m_list.LinkObjectToRecord(m_list.GetCurrentMediaItem(), nullptr);
    });
    MapUpdate(ID_MEDIA_NEW_LINK,
              [this](CCmdUI* state) { state->Enable(m_list.GetCurrentMediaItem() != nullptr); });
    MapCommand(ID_MEDIA_NEW_FRAME_LINK, [this] { ToggleTool(kToolNewFrame); });
    MapUpdate(ID_MEDIA_NEW_FRAME_LINK, [this](CCmdUI* state) {
        state->Enable(IsPictureShown());
        state->SetCheck(IsPictureShown() && m_toolMode == kToolNewFrame);
    });
    MapCommand(ID_MEDIA_ADD_FRAME, [this] {
        if (IsPictureShown() && m_list.GetSelectedEntry())
            ToggleTool(kToolAddFrame);
    });
    MapUpdate(ID_MEDIA_ADD_FRAME, [this](CCmdUI* state) {
        const bool can = IsPictureShown() && m_list.GetSelectedEntry();
        state->Enable(can);
        state->SetCheck(can && m_toolMode == kToolAddFrame);
    });
    const auto canSelectFrame = [this] {
        const CMeLinkEntry* entry = m_list.GetSelectedEntry();
        return GetPictureWnd().GetItem() && entry && entry->HasFrame();
    };
    MapCommand(ID_MEDIA_SELECT_FRAME, [this, canSelectFrame] {
        if (canSelectFrame())
            ToggleTool(kToolSelectFrame);
    });
    MapUpdate(ID_MEDIA_SELECT_FRAME, [this, canSelectFrame](CCmdUI* state) {
        state->Enable(canSelectFrame());
        state->SetCheck(m_toolMode == kToolSelectFrame);
    });
    MapCommand(ID_MEDIA_MOVE_UP, [this] { m_list.MoveFocusedRowUp(); });
    MapUpdate(ID_MEDIA_MOVE_UP,
              [this](CCmdUI* state) { state->Enable(m_list.CanMoveFocusedRow(true)); });
    MapCommand(ID_MEDIA_MOVE_DOWN, [this] { m_list.MoveFocusedRowDown(); });
    MapUpdate(ID_MEDIA_MOVE_DOWN,
              [this](CCmdUI* state) { state->Enable(m_list.CanMoveFocusedRow(false)); });
    MapCommand(ID_MEDIA_RUN_QUERY, [this] { OnRunQuery(); });
    const auto canSort = [this] {
        return m_list.IsObjectSetShown() && m_contextMode != kModeRecordLinks;
    };
    MapCommand(ID_MEDIA_SORT_ALPHABETICAL, [this] { m_list.SortListAlphabetically(); });
    MapCommand(ID_MEDIA_SORT_CREATION, [this] { m_list.SortListByCreation(); });
    MapCommand(ID_MEDIA_SORT_LAST_UPDATE, [this] { m_list.SortListByLastUpdate(); });
    for (UINT id : {ID_MEDIA_SORT_ALPHABETICAL, ID_MEDIA_SORT_CREATION, ID_MEDIA_SORT_LAST_UPDATE})
        MapUpdate(id, [canSort](CCmdUI* state) { state->Enable(canSort()); });
    MapCommand(ID_MEDIA_TITLE_PANE, [this] { m_display.ToggleCaptionBar(); });
    MapUpdate(ID_MEDIA_TITLE_PANE,
              [this](CCmdUI* state) { state->SetCheck(m_display.IsCaptionBarVisible()); });
    MapCommand(ID_MEDIA_DELETE, [this] { m_list.DeleteFocusedItem(); });
    MapUpdate(ID_MEDIA_DELETE,
              [this](CCmdUI* state) { state->Enable(m_list.CanDeleteFocusedItem()); });
    MapCommand(ID_MEDIA_ABSORB, [this] { OnAbsorb(); });
    MapUpdate(ID_MEDIA_ABSORB, [this](CCmdUI* state) {
        const CObjRec* record = CurrentRecord();
        state->Enable(record && !record->IsEmbedded());
    });
    MapCommand(ID_MEDIA_EXPEL, [this] { OnExpel(); });
    MapUpdate(ID_MEDIA_EXPEL, [this](CCmdUI* state) {
        const CObjRec* record = CurrentRecord();
        state->Enable(record && record->IsEmbedded());
    });
}

void CSubViewMedia::ToggleTool(int mode)
{
    const bool on = m_toolMode != mode;
    SetToolMode(on ? mode : kToolNone, true);
    if (on)
        GetPictureWnd().SetFocus();
}

void CSubViewMedia::OnRunQuery()
{
    std::string name;
    bool custom = false;
    if (!SelectQuery(this, name, custom, true, nullptr))
        return;
    std::shared_ptr<CQueryDef> query = CQueryDef::Create();
    std::string error;
    if (!query->Load(name, custom, error)) {
        MessageBox(error, MB_OK, "");
        return;
    }
    if (!RunQuery(*query, false, false, nullptr))
        return;
    ResetWindow();
    m_contextMode = kModeSelection;
    const bool multimedia = GetRecordTypeIndex(query->GetRecordType()) == RECORD_LIST_OBJE;
    for (CRecordNode* record : query->GetResult().GetRecords()) {
        if (multimedia) {
            if (auto* object = dynamic_cast<CObjRec*>(record))
                OnRecordChange(object, 0);
        } else {
            SetContextRecord(record, 1, 0);
        }
    }
    // Multimedia records found are added without a selection: the first is shown, as the
    // first object of the records found is.
    if (!m_list.GetCurrentObjectNode() && m_list.GetObjectRowCount() > 0)
        m_list.SelectObjectRow(0);
    RebuildTitle();
}

void CSubViewMedia::OnAbsorb()
{
    CObjRec* record = CurrentRecord();
    if (!record || record->IsEmbedded())
        return;
    // The whole file goes into the GEDCOM file: one beyond reason is refused, naming it.
    const std::string path = record->GetFilePath();
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(LinkedFileLocation(path), error);
    if (!error && size > kMaxAbsorbBytes) {
        MessageBox(text::Format("The linked file %s is larger than %lu MB, too large to be held "
                                "in the family file.",
                                path, static_cast<unsigned long>(kMaxAbsorbBytes >> 20)),
                   MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const bool done = record->AbsorbLinkedObject();
    NotifyChanges();
    MessageBox(done ? "Successfully converted linked object into an embedded one"
                    : "Error - failed to convert a linked object into an embedded one.",
               done ? MB_OK | MB_ICONINFORMATION : MB_OK | MB_ICONEXCLAMATION);
}

void CSubViewMedia::OnExpel()
{
    CObjRec* record = CurrentRecord();
    if (!record || !record->IsEmbedded())
        return;
    bool cancelled = false;
    const bool done = ExpelEmbeddedObject(*record, cancelled);
    if (cancelled)
        return;
    NotifyChanges();
    MessageBox(done ? "Successfully converted embedded object into linked object"
                    : "Error - failed to convert an embedded object into a linked one.",
               done ? MB_OK | MB_ICONINFORMATION : MB_OK | MB_ICONEXCLAMATION);
}
