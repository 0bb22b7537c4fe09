// media/window/me_list_pane.cpp: the objects list, the links list and the note editor of the
// Multimedia window, and what selecting in them shows.
#include "media/window/me_list_pane.h"

#include "media/window/me_display_pane.h"
#include "media/window/me_picture_wnd.h"
#include "media/window/media_window_ids.h"
#include "media/window/sub_view_media.h"

#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/fields/text_value_node.h"
#include "database/multimedia/media_item.h"
#include "database/multimedia/obj_node.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"

#include <algorithm>

namespace {

constexpr int kObjectsShare = 25, kLinksShare = 50, kNoteShare = 25;

std::string WithCrLf(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

std::string WithoutCr(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != '\r')
            out += c;
    return out;
}

bool IsGone(const CDataNode* node)
{
    for (; node; node = node->GetParent())
        if (node->IsPendingDeletion())
            return true;
    return false;
}

} // namespace

BOOL CForwardingSplitter::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd* parent = GetParent())
        return BOOL(parent->SendMessage(WM_COMMAND, wParam, lParam));
    return CUSplitterWnd::OnCommand(wParam, lParam);
}

CMeListPane::CMeListPane() = default;

CMeListPane::~CMeListPane()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CMeListPane::Create(CWnd* parent, UINT id, CSubViewMedia* view, CMeDisplayPane* display)
{
    m_view = view;
    m_display = display;
    if (!CreateEx(0, nullptr, "MeListPane", WS_CHILD | WS_VISIBLE, CRect(), parent, id))
        return FALSE;
    const CRect part;
    const DWORD listStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP |
                            LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (!m_splitter.Create(this, CUSplitterWnd::kStacked, true, nullptr) ||
        !m_objects.Create(listStyle, part, &m_splitter, kMediaObjectsListId) ||
        !m_linkList.Create(listStyle, part, &m_splitter, kMediaLinksListId) ||
        !m_note.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE |
                           ES_AUTOVSCROLL | ES_WANTRETURN,
                       part, &m_splitter, kMediaNoteEditId))
        return FALSE;
    m_splitter.AddPane(&m_objects, kObjectsShare);
    m_splitter.AddPane(&m_linkList, kLinksShare);
    m_splitter.AddPane(&m_note, kNoteShare);
    m_splitter.InitPaneSizes();
    m_linkList.EnableWindow(FALSE);
    m_note.SetReadOnly(TRUE);
    return TRUE;
}

void CMeListPane::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_splitter.GetSafeHwnd())
        m_splitter.MoveWindow(0, 0, cx, cy);
}

BOOL CMeListPane::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == kMediaObjectsListId && code == LBN_SELCHANGE) {
        m_activeList = kMediaObjectsListId;
        OnObjectSelected();
        return TRUE;
    }
    if (id == kMediaLinksListId && code == LBN_SELCHANGE) {
        m_activeList = kMediaLinksListId;
        const int row = m_linkList.GetCurSel();
        if (row != m_lastLinkRow)
            OnLinkSelected(row);
        return TRUE;
    }
    if (id == kMediaNoteEditId && code == EN_KILLFOCUS) {
        CommitNote();
        return TRUE;
    }
    if (id == kMediaNoteEditId && code == EN_SETFOCUS) {
        m_activeList = kMediaNoteEditId;
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

// ---- The objects list -------------------------------------------------------------------------

CDataNode* CMeListPane::GetCurrentObjectNode() const
{
    const int row = m_objects.GetSafeHwnd() ? m_objects.GetCurSel() : -1;
    return row >= 0 && row < int(m_objectNodes.size()) ? m_objectNodes[std::size_t(row)] : nullptr;
}

CMediaItem* CMeListPane::GetCurrentMediaItem() const
{
    CDataNode* node = GetCurrentObjectNode();
    if (auto* record = dynamic_cast<CObjRec*>(node))
        return record;
    return dynamic_cast<CObjNode*>(node);
}

void CMeListPane::AddObjectRow(CDataNode* node)
{
    if (!node || std::find(m_objectNodes.begin(), m_objectNodes.end(), node) != m_objectNodes.end())
        return;
    std::string text;
    node->GetText(text, 0);
    m_objects.AddString(text.c_str());
    m_objectNodes.push_back(node);
}

void CMeListPane::ShowMediaRecordLinks(CDataNode* record, int addMode, bool singleObject,
                                       int /*argument*/)
{
    if (!addMode)
        ResetMediaListPane();
    if (!record) {
        m_allRecords = true;
        if (CDataNode* root = GetRecordTypeRoot(RECORD_LIST_OBJE))
            for (CDataNode* child = root->GetFirstChild(); child; child = child->GetNextSibling())
                AddObjectRow(child);
    } else if (singleObject) {
        AddObjectRow(record);
    } else {
        for (CDataNode* link = record->FindChild(nullptr, FIELD_OBJE); link;
             link = record->FindChild(link, FIELD_OBJE))
            if (auto* target = dynamic_cast<CObjRec*>(link->GetLinkTarget()))
                AddObjectRow(target);
        for (CDataNode* field = record->FindChild(nullptr, FIELD_OBJE_EMBEDDED); field;
             field = record->FindChild(field, FIELD_OBJE_EMBEDDED))
            AddObjectRow(field);
    }
    if (m_objects.GetCurSel() < 0 && !m_objectNodes.empty())
        SelectObjectRow(0);
}

bool CMeListPane::AddRecordRowToList(CMediaItem* object, int /*flag*/)
{
    CDataNode* holder = object ? object->GetHolderNode() : nullptr;
    const std::size_t before = m_objectNodes.size();
    AddObjectRow(holder);
    return m_objectNodes.size() != before;
}

void CMeListPane::ResetMediaListPane()
{
    m_objects.ResetContent();
    m_objectNodes.clear();
    m_linkList.ResetContent();
    m_linkList.EnableWindow(FALSE);
    m_links.clear();
    m_note.SetWindowText("");
    m_note.SetModify(FALSE);
    m_note.SetReadOnly(TRUE);
    m_shownObject = nullptr;
    m_lastLinkRow = -1;
    m_allRecords = false;
}

int CMeListPane::GetObjectRowCount() const
{
    return int(m_objectNodes.size());
}

std::vector<std::string> CMeListPane::GetObjectRowTexts() const
{
    std::vector<std::string> texts(m_objectNodes.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        m_objects.GetText(int(i), texts[i]);
    return texts;
}

std::vector<std::string> CMeListPane::GetLinkRowTexts() const
{
    std::vector<std::string> texts;
    for (int i = 0; i < m_linkList.GetCount(); ++i) {
        texts.emplace_back();
        m_linkList.GetText(i, texts.back());
    }
    return texts;
}

void CMeListPane::SelectObjectRow(int row)
{
    m_objects.SetCurSel(row);
    OnObjectSelected();
}

void CMeListPane::SelectObjectNode(const CDataNode* node)
{
    const auto at = std::find(m_objectNodes.begin(), m_objectNodes.end(), node);
    if (at != m_objectNodes.end())
        SelectObjectRow(int(at - m_objectNodes.begin()));
}

void CMeListPane::OnObjectSelected()
{
    m_view->SetToolMode(kToolNone, true);
    CommitNote();
    CMediaItem* item = GetCurrentMediaItem();
    m_shownObject = GetCurrentObjectNode();
    m_display->SetDisplayRecord(item);
    m_lastLinkRow = -1;
    // Only read: an entry without a note keeps having none until the user writes one.
    m_links = item ? BuildLinkEntries(*item) : std::vector<CMeLinkEntry>();
    FillLinksList();
    int row = -1;
    if (const CDataNode* linked = m_view->GetLinkedRecord()) {
        for (std::size_t i = 0; i < m_links.size(); ++i)
            if (m_links[i].record == linked) {
                row = int(i);
                break;
            }
    }
    m_linkList.SetCurSel(row);
    OnLinkSelected(row);
}

void CMeListPane::RefreshObjectRows()
{
    const CDataNode* selected = GetCurrentObjectNode();
    std::vector<CDataNode*> nodes;
    for (CDataNode* node : m_objectNodes)
        if (!IsGone(node))
            nodes.push_back(node);
    // A record's list follows the record's links as they are now.
    if (m_view->GetContextMode() == CSubViewMedia::kModeRecordLinks && m_view->GetContextRecord()) {
        CDataNode* record = m_view->GetContextRecord();
        nodes.clear();
        for (CDataNode* link = record->FindChild(nullptr, FIELD_OBJE); link;
             link = record->FindChild(link, FIELD_OBJE))
            if (auto* target = dynamic_cast<CObjRec*>(link->GetLinkTarget());
                target && std::find(nodes.begin(), nodes.end(), target) == nodes.end())
                nodes.push_back(target);
        for (CDataNode* field = record->FindChild(nullptr, FIELD_OBJE_EMBEDDED); field;
             field = record->FindChild(field, FIELD_OBJE_EMBEDDED))
            nodes.push_back(field);
    } else if (m_allRecords) {
        if (CDataNode* root = GetRecordTypeRoot(RECORD_LIST_OBJE))
            for (CDataNode* child = root->GetFirstChild(); child; child = child->GetNextSibling())
                if (!IsGone(child) && std::find(nodes.begin(), nodes.end(), child) == nodes.end())
                    nodes.push_back(child);
    }
    m_objects.ResetContent();
    m_objectNodes.clear();
    for (CDataNode* node : nodes)
        AddObjectRow(node);
    const auto at = std::find(m_objectNodes.begin(), m_objectNodes.end(), selected);
    m_objects.SetCurSel(at == m_objectNodes.end() ? -1 : int(at - m_objectNodes.begin()));
}

// ---- The links list and the note --------------------------------------------------------------

void CMeListPane::FillLinksList()
{
    m_linkList.ResetContent();
    for (const CMeLinkEntry& entry : m_links)
        m_linkList.AddString(LinkEntryText(entry).c_str());
    m_linkList.EnableWindow(!m_links.empty());
}

const CMeLinkEntry* CMeListPane::GetSelectedEntry() const
{
    return m_lastLinkRow >= 0 && m_lastLinkRow < int(m_links.size())
               ? &m_links[std::size_t(m_lastLinkRow)]
               : nullptr;
}

void CMeListPane::SelectLinkRow(int row)
{
    m_linkList.SetCurSel(row);
    if (row != m_lastLinkRow)
        OnLinkSelected(row);
}

void CMeListPane::OnLinkSelected(int row)
{
    m_view->SetToolMode(kToolNone, true);
    CommitNote();
    m_lastLinkRow = row >= 0 && row < int(m_links.size()) ? row : -1;
    FillNoteEditor();
    m_display->GetPictureWnd().SelectLink(GetSelectedEntry(), true);
}

void CMeListPane::FillNoteEditor()
{
    const CMeLinkEntry* entry = GetSelectedEntry();
    std::string text;
    if (const auto* note = entry ? dynamic_cast<const CTextValueNode*>(entry->note) : nullptr)
        text = WithCrLf(note->GetValue());
    m_note.SetWindowText(text);
    m_note.SetModify(FALSE);
    m_note.SetReadOnly(entry == nullptr);
}

void CMeListPane::CommitNote()
{
    if (!m_note.GetSafeHwnd() || !m_note.GetModify())
        return;
    m_note.SetModify(FALSE);
    CMediaItem* item = GetCurrentMediaItem();
    if (m_lastLinkRow < 0 || m_lastLinkRow >= int(m_links.size()) || !item)
        return;
    CMeLinkEntry& entry = m_links[std::size_t(m_lastLinkRow)];
    std::string text;
    m_note.GetWindowText(text);
    text = WithoutCr(text);
    if (!entry.note && text.empty())
        return;
    if (!EnsureEntryNote(*item, entry))
        return;
    SetTextValue(entry.note, text);
    NotifyChanges();
}

void CMeListPane::ReloadLinks(const CMeLinkEntry* keep)
{
    CMediaItem* item = GetCurrentMediaItem();
    const CMeLinkEntry kept = keep ? *keep : CMeLinkEntry();
    m_links = item ? BuildLinkEntries(*item) : std::vector<CMeLinkEntry>();
    FillLinksList();
    int row = -1;
    if (keep) {
        for (std::size_t i = 0; i < m_links.size() && row < 0; ++i)
            if ((kept.note && m_links[i].note == kept.note) ||
                (kept.link && m_links[i].link == kept.link))
                row = int(i);
    }
    m_linkList.SetCurSel(row);
    m_lastLinkRow = row;
    FillNoteEditor();
    m_display->GetPictureWnd().SelectLink(GetSelectedEntry(), false);
}

bool CMeListPane::SetSelectedFrame(const RECT& frame)
{
    CMediaItem* item = GetCurrentMediaItem();
    if (!item || m_lastLinkRow < 0 || m_lastLinkRow >= int(m_links.size()))
        return false;
    CMeLinkEntry& entry = m_links[std::size_t(m_lastLinkRow)];
    if (!StoreEntryFrame(*item, entry, frame))
        return false;
    const CMeLinkEntry keep = entry;
    NotifyChanges();
    ReloadLinks(&keep);
    return true;
}

// ---- Change notices ---------------------------------------------------------------------------

void CMeListPane::OnUpdate(CView* /*sender*/, LPARAM hint, CObject* /*object*/)
{
    if (hint == kHintFileLoaded) {
        ResetMediaListPane();
        m_display->ClearDisplayPane();
        return;
    }
    if (hint != kHintRecordsEdited)
        return;
    const CMeLinkEntry* selected = GetSelectedEntry();
    const CMeLinkEntry keep = selected ? *selected : CMeLinkEntry();
    CDataNode* shown = m_shownObject;
    RefreshObjectRows();
    if (shown && GetCurrentObjectNode() != shown) {
        // The object shown went with its record.
        m_shownObject = nullptr;
        m_display->ClearDisplayPane();
        m_links.clear();
        FillLinksList();
        m_lastLinkRow = -1;
        FillNoteEditor();
        return;
    }
    ReloadLinks(selected ? &keep : nullptr);
    m_display->GetCaptionBar().Fill(shown);
}

// ---- Focus and selection ----------------------------------------------------------------------

int CMeListPane::FocusedList() const
{
    const CWnd* focus = CWnd::GetFocus();
    if (focus == &m_objects)
        return kMediaObjectsListId;
    if (focus == &m_linkList)
        return kMediaLinksListId;
    if (focus == &m_note)
        return kMediaNoteEditId;
    return int(m_activeList);
}

CObject* CMeListPane::GetSelectedItemInFocusedList() const
{
    if (FocusedList() == kMediaLinksListId) {
        const CMeLinkEntry* entry = GetSelectedEntry();
        if (entry && entry->record)
            return entry->record;
        return entry ? entry->note : nullptr;
    }
    return GetCurrentObjectNode();
}

void CMeListPane::SetFocusToActiveList()
{
    if (m_activeList == kMediaLinksListId)
        m_linkList.SetFocus();
    else if (m_activeList == kMediaNoteEditId)
        m_note.SetFocus();
    else
        m_objects.SetFocus();
}
