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
        FillLinksList();
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

CDataNode* CMeListPane::ContextLinkTo(const CDataNode* object) const
{
    CDataNode* record = m_view->GetContextRecord();
    for (CDataNode* link = record ? record->FindChild(nullptr, FIELD_OBJE) : nullptr; link;
         link = record->FindChild(link, FIELD_OBJE))
        if (link->GetLinkTarget() == object)
            return link;
    return nullptr;
}

namespace {

/// The previous (up) or next sibling of node with its field id; null for none.
const CDataNode* NeighbourOfKind(const CDataNode* node, bool up)
{
    const CDataNode* found = nullptr;
    if (up) {
        for (const CDataNode* n = node->GetParent()->GetFirstChild(); n && n != node;
             n = n->GetNextSibling())
            if (n->GetFieldId() == node->GetFieldId())
                found = n;
        return found;
    }
    for (found = node->GetNextSibling(); found && found->GetFieldId() != node->GetFieldId();)
        found = found->GetNextSibling();
    return found;
}

} // namespace

bool CMeListPane::CanMoveRow(int list, bool up) const
{
    if (list == kMediaLinksListId) {
        const CMeLinkEntry* entry = GetSelectedEntry();
        return entry && entry->note && entry->note->GetParent() &&
               !entry->note->IsPendingDeletion() && NeighbourOfKind(entry->note, up);
    }
    // The objects list follows the record's order only while it lists a record's links.
    if (m_view->GetContextMode() != CSubViewMedia::kModeRecordLinks)
        return false;
    const CDataNode* node = GetCurrentObjectNode();
    const CDataNode* field = dynamic_cast<const CObjRec*>(node) ? ContextLinkTo(node) : node;
    return field && field->GetParent() && !field->IsPendingDeletion() && NeighbourOfKind(field, up);
}

void CMeListPane::MoveRow(int list, bool up)
{
    if (!CanMoveRow(list, up))
        return;
    CDataNode* node = list == kMediaLinksListId ? GetSelectedEntry()->note : GetCurrentObjectNode();
    if (list != kMediaLinksListId && dynamic_cast<CObjRec*>(node))
        node = ContextLinkTo(node);
    if (up ? node->MoveUp() : node->MoveDown())
        NotifyChanges();
}

bool CMeListPane::CanMoveFocusedRow(bool up) const
{
    return CanMoveRow(FocusedList(), up);
}

void CMeListPane::MoveFocusedRowUp()
{
    MoveRow(FocusedList(), true);
}

void CMeListPane::MoveFocusedRowDown()
{
    MoveRow(FocusedList(), false);
}

bool CMeListPane::CanDragRow(CMeListGrid* grid, CTreeBoxNode* row)
{
    if (grid == &m_linkList) {
        const int index = TopRowIndex(m_linkList, row);
        return index >= 0 && index < int(m_links.size()) && m_links[std::size_t(index)].note;
    }
    return m_view->GetContextMode() == CSubViewMedia::kModeRecordLinks && CTagGrid::NodeOf(row);
}

void CMeListPane::OnRowDropped(CMeListGrid* grid, CTreeBoxNode* row, CTreeBoxNode* target,
                               bool after)
{
    CDataNode* moved = nullptr;
    CDataNode* onto = nullptr;
    if (grid == &m_linkList) {
        const int from = TopRowIndex(m_linkList, row), to = TopRowIndex(m_linkList, target);
        if (from < 0 || to < 0 || from >= int(m_links.size()) || to >= int(m_links.size()))
            return;
        moved = m_links[std::size_t(from)].note;
        onto = m_links[std::size_t(to)].note;
    } else {
        if (m_view->GetContextMode() != CSubViewMedia::kModeRecordLinks)
            return;
        CDataNode* object = CTagGrid::NodeOf(row);
        CDataNode* other = CTagGrid::NodeOf(target);
        const bool record = dynamic_cast<CObjRec*>(object) != nullptr;
        // Record rows move among record rows, field rows among field rows.
        if (!object || !other || record != (dynamic_cast<CObjRec*>(other) != nullptr))
            return;
        moved = record ? ContextLinkTo(object) : object;
        onto = record ? ContextLinkTo(other) : other;
    }
    if (!moved || !onto || moved == onto || moved->GetParent() != onto->GetParent())
        return;
    // Step by step, as Move Up and Move Down do, so the fields keep their order groups.
    int movedAt = 0, ontoAt = 0, at = 0;
    for (const CDataNode* n = moved->GetParent()->GetFirstChild(); n;
         n = n->GetNextSibling(), ++at) {
        movedAt = n == moved ? at : movedAt;
        ontoAt = n == onto ? at : ontoAt;
    }
    const bool down = movedAt < ontoAt;
    const auto placed = [&] {
        return after ? moved->GetPrevSibling() == onto : moved->GetNextSibling() == onto;
    };
    bool changed = false;
    while (!placed() && (down ? moved->MoveDown() : moved->MoveUp()))
        changed = true;
    if (changed)
        NotifyChanges();
}

void CMeListPane::SortListAlphabetically()
{
    if (m_view->GetContextMode() != CSubViewMedia::kModeRecordLinks)
        m_objects.OnSortAlphabetical();
}

void CMeListPane::SortListByCreation()
{
    if (m_view->GetContextMode() != CSubViewMedia::kModeRecordLinks)
        m_objects.OnSortCreationOrder();
}

void CMeListPane::SortListByLastUpdate()
{
    if (m_view->GetContextMode() != CSubViewMedia::kModeRecordLinks)
        m_objects.OnSortLastUpdateOrder();
}
