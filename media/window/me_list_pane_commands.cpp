// media/window/me_list_pane_commands.cpp: linking an object to a record, deleting objects, links
// and notes with their questions, moving rows and sorting the objects list.
#include "media/window/me_list_pane.h"

#include "media/window/me_create_link_dlg.h"
#include "media/window/me_display_pane.h"
#include "media/window/media_window_ids.h"
#include "media/window/sub_view_media.h"

#include "database/dictionary/field_ids.h"
#include "database/multimedia/media_item.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "records/dialogs/delete_choice_dlg.h"
#include "records/dialogs/select_record_dlg.h"

#include <algorithm>

int CMeListPane::LinkObjectToRecord(CMediaItem* object, const RECT* frame)
{
    if (!object)
        return 0;
    auto* objectRecord = dynamic_cast<CObjRec*>(object->GetHolderNode());
    CRecordNode* record = nullptr;
    if (objectRecord) {
        CMeCreateLinkDlg ask(frame != nullptr, this);
        if (ask.DoModal() != IDOK)
            return 0;
        if (ask.m_fieldId) {
            struct Choice {
                int fieldId, listIndex;
                const char* title;
            };
            static constexpr Choice kChoices[] = {
                {FIELD_INDI, RECORD_LIST_INDI, "Select individual to link to..."},
                {FIELD_FAM, RECORD_LIST_FAM, "Select family to link to..."},
                {FIELD_SOUR, RECORD_LIST_SOUR, "Select source to link to..."},
            };
            const auto* choice =
                std::find_if(std::begin(kChoices), std::end(kChoices),
                             [&](const Choice& c) { return c.fieldId == ask.m_fieldId; });
            record = SelectRecordOfList(this, choice->title, choice->listIndex, false);
            if (!record)
                return 0;
        }
    }
    CMeLinkEntry entry;
    if (frame) {
        entry.frame = *frame;
        entry.frame.NormalizeRect();
    }
    entry.note = object->AddFrameNote(&entry.number, frame ? &entry.frame : nullptr);
    if (!entry.note) {
        NotifyChanges();
        return 0;
    }
    if (record) {
        entry.record = record;
        entry.link = record->AddObjectLink(objectRecord, entry.number);
    }
    m_links.push_back(entry);
    const bool shown = entry.HasFrame() || entry.record;
    if (shown) {
        m_linkList.AddString(LinkEntryText(entry).c_str());
        m_linkList.EnableWindow(TRUE);
        m_view->EnsureContextPaneVisible();
        SelectLinkRow(int(m_links.size()) - 1);
        m_linkList.SetFocus();
        m_activeList = kMediaLinksListId;
    }
    NotifyChanges();
    return 1;
}

// ---- Deleting ---------------------------------------------------------------------------------

bool CMeListPane::CanDeleteFocusedItem() const
{
    if (FocusedList() == kMediaLinksListId)
        return GetSelectedEntry() != nullptr;
    return GetCurrentObjectNode() != nullptr;
}

void CMeListPane::DeleteFocusedItem()
{
    DeleteSelectedMediaItem(FocusedList() == kMediaLinksListId ? kMediaLinksListId
                                                               : kMediaObjectsListId);
}

void CMeListPane::DeleteSelectedMediaItem(UINT list)
{
    if (list == kMediaLinksListId)
        DeleteSelectedLink();
    else
        DeleteSelectedObject();
}

void CMeListPane::DeleteSelectedObject()
{
    CDataNode* node = GetCurrentObjectNode();
    if (!node)
        return;
    auto* record = dynamic_cast<CObjRec*>(node);
    if (!record) {
        if (MessageBox("Delete the selected multimedia object?", MB_OKCANCEL | MB_ICONQUESTION) !=
            IDOK)
            return;
        CDataNode::DeleteNode(node);
        NotifyChanges();
        return;
    }
    auto* linked = dynamic_cast<CRecordNode*>(m_view->GetContextRecord());
    if (m_view->GetContextMode() != CSubViewMedia::kModeRecordLinks || !linked) {
        if (MessageBox("Delete the selected multimedia record?", MB_OKCANCEL | MB_ICONQUESTION) !=
            IDOK)
            return;
        CDataNode::DeleteNode(record);
        NotifyChanges();
        return;
    }
    std::string linkedText;
    linked->GetText(linkedText, 0);
    CDeleteChoiceDlg choice(this);
    choice.m_title = "Delete Record or Delete Link?";
    choice.m_recordText = "Delete the seleted multimedia object record";
    choice.m_linkText = text::Format(
        "Delete the link between the selected multimedia object record and %s", linkedText);
    choice.m_choice = TRUE;
    if (choice.DoModal() != IDOK)
        return;
    if (!choice.m_choice) {
        CDataNode::DeleteNode(record);
        NotifyChanges();
        return;
    }
    std::vector<CDataNode*> links;
    for (CDataNode* link = linked->FindChild(nullptr, FIELD_OBJE); link;
         link = linked->FindChild(link, FIELD_OBJE))
        if (link->GetLinkTarget() == record)
            links.push_back(link);
    if (links.size() > 1 &&
        MessageBox(text::Format("There are %d links between the selected multimedia object and "
                                "%s.  Do you wish to delete all of them?\n\n(Single links can be "
                                "deleted in the \"Links and Notes\" list.)",
                                int(links.size()), linkedText),
                   MB_OKCANCEL | MB_ICONQUESTION, "Delete all links?") != IDOK)
        return;
    for (CDataNode* link : links)
        CDataNode::DeleteNode(link);
    NotifyChanges();
}

void CMeListPane::DeleteSelectedLink()
{
    const CMeLinkEntry* selected = GetSelectedEntry();
    if (!selected)
        return;
    const CMeLinkEntry entry = *selected;
    const char* question = entry.note && entry.link
                               ? "Delete the selected Link and its associated Note?"
                           : entry.link ? "Delete the selected Link?"
                                        : "Delete the selected Note?";
    if (MessageBox(question, MB_OKCANCEL | MB_ICONQUESTION, "Delete Selected Item") != IDOK)
        return;
    if (entry.note)
        CDataNode::DeleteNode(entry.note);
    if (entry.link)
        CDataNode::DeleteNode(entry.link);
    NotifyChanges();
}

// ---- Moving and sorting -----------------------------------------------------------------------

bool CMeListPane::CanMoveFocusedRow(bool up) const
{
    if (FocusedList() == kMediaLinksListId) {
        const CMeLinkEntry* entry = GetSelectedEntry();
        const CDataNode* note = entry ? entry->note : nullptr;
        if (!note)
            return false;
        const CDataNode* next = up ? nullptr : note->GetNextSibling();
        if (up) {
            for (const CDataNode* n = note->GetParent()->GetFirstChild(); n && n != note;
                 n = n->GetNextSibling())
                if (n->GetFieldId() == note->GetFieldId())
                    next = n;
        } else {
            while (next && next->GetFieldId() != note->GetFieldId())
                next = next->GetNextSibling();
        }
        return next != nullptr;
    }
    // The objects list follows the record's link order only while it lists a record's links.
    if (m_view->GetContextMode() != CSubViewMedia::kModeRecordLinks)
        return false;
    const int row = m_objects.GetCurSel();
    return row >= 0 && (up ? row > 0 : row + 1 < int(m_objectNodes.size()));
}

void CMeListPane::MoveFocusedRowUp()
{
    if (!CanMoveFocusedRow(true))
        return;
    if (FocusedList() == kMediaLinksListId) {
        GetSelectedEntry()->note->MoveUp();
    } else {
        CDataNode* record = m_view->GetContextRecord();
        CDataNode* node = GetCurrentObjectNode();
        for (CDataNode* link = record->FindChild(nullptr, FIELD_OBJE); link;
             link = record->FindChild(link, FIELD_OBJE))
            if (link->GetLinkTarget() == node) {
                link->MoveUp();
                break;
            }
    }
    NotifyChanges();
}

void CMeListPane::MoveFocusedRowDown()
{
    if (!CanMoveFocusedRow(false))
        return;
    if (FocusedList() == kMediaLinksListId) {
        GetSelectedEntry()->note->MoveDown();
    } else {
        CDataNode* record = m_view->GetContextRecord();
        CDataNode* node = GetCurrentObjectNode();
        for (CDataNode* link = record->FindChild(nullptr, FIELD_OBJE); link;
             link = record->FindChild(link, FIELD_OBJE))
            if (link->GetLinkTarget() == node) {
                link->MoveDown();
                break;
            }
    }
    NotifyChanges();
}

void CMeListPane::SortObjects(int how)
{
    if (m_view->GetContextMode() == CSubViewMedia::kModeRecordLinks)
        return;
    const CDataNode* selected = GetCurrentObjectNode();
    std::vector<std::pair<std::string, CDataNode*>> rows;
    for (std::size_t i = 0; i < m_objectNodes.size(); ++i) {
        rows.emplace_back();
        m_objects.GetText(int(i), rows.back().first);
        rows.back().second = m_objectNodes[i];
    }
    const auto number = [](const CDataNode* node) {
        const auto* record = dynamic_cast<const CRecordNode*>(node);
        return record ? record->GetRecordNumber() : 0;
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
        if (how == 0)
            return text::CompareNoCase(a.first, b.first) < 0;
        if (how == 1)
            return number(a.second) < number(b.second);
        const auto* ra = dynamic_cast<const CRecordNode*>(a.second);
        const auto* rb = dynamic_cast<const CRecordNode*>(b.second);
        return ra && rb && rb->GetChangeStamp() < ra->GetChangeStamp();
    });
    m_objects.ResetContent();
    m_objectNodes.clear();
    for (const auto& row : rows)
        AddObjectRow(row.second);
    const auto at = std::find(m_objectNodes.begin(), m_objectNodes.end(), selected);
    m_objects.SetCurSel(at == m_objectNodes.end() ? -1 : int(at - m_objectNodes.begin()));
}

void CMeListPane::SortListAlphabetically()
{
    SortObjects(0);
}

void CMeListPane::SortListByCreation()
{
    SortObjects(1);
}

void CMeListPane::SortListByLastUpdate()
{
    SortObjects(2);
}
