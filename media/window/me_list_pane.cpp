// media/window/me_list_pane.cpp: the objects list, the links list and the note editor of the
// Multimedia window, and what selecting in them shows.
#include "media/window/me_list_pane.h"

#include "media/window/me_display_pane.h"
#include "media/window/me_picture_wnd.h"
#include "media/window/media_window_ids.h"
#include "media/window/pane_sizes.h"
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
#include "platform/base/flag_guard.h"

#include <algorithm>

namespace {

/// The multi-line control's compact form: a multi-line edit with a scroll bar.
constexpr UINT kCompactMultiLine = 2;

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
                            WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    const UINT findBar = UINT(RecordTypeIndexToPageId(RECORD_LIST_OBJE));
    if (!m_splitter.Create(this, CUSplitterWnd::kStacked, true, this) ||
        !m_objects.Create(listStyle, part, &m_splitter, kMediaObjectsListId, this, findBar) ||
        !m_linkList.Create(listStyle, part, &m_splitter, kMediaLinksListId, this, 0) ||
        !m_note.CreateCtl(TRUE, part, &m_splitter, nullptr, kMediaNoteEditId, this, nullptr,
                          kCompactMultiLine))
        return FALSE;
    m_objects.SetHeading("Multimedia", "No Multimedia", "");
    m_linkList.SetHeading("Links and Notes", "No Links or Notes", "");
    for (CMeListGrid* grid : {&m_objects, &m_linkList}) {
        grid->SetEditable(false);
        grid->SetDragOwner(this);
    }
    m_note.SetLabelText("Note");
    const std::array<int, 3> shares = LoadMediaListShares();
    m_splitter.AddPane(&m_objects, shares[0]);
    m_splitter.AddPane(&m_linkList, shares[1]);
    m_splitter.AddPane(&m_note, shares[2]);
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

void CMeListPane::OnSplitterDragEnded(CUSplitterWnd* splitter)
{
    SaveMediaListShares(*splitter);
}

// ---- The lists' owner -------------------------------------------------------------------------

void CMeListPane::OnGridSelChanged(CTagGrid* grid)
{
    if (m_filling)
        return;
    if (grid == &m_objects) {
        m_activeList = kMediaObjectsListId;
        // A row opened under the object's row still shows the same object.
        if (GetCurrentObjectNode() != m_shownObject)
            OnObjectSelected();
        return;
    }
    m_activeList = kMediaLinksListId;
    const int row = SelectedLinkRow();
    if (row != m_lastLinkRow)
        OnLinkSelected(row);
}

void CMeListPane::OnGridFocus(CTagGrid* grid)
{
    const UINT list = grid == &m_objects ? kMediaObjectsListId : kMediaLinksListId;
    if (list != m_activeList)
        m_view->SetToolMode(kToolNone, true);
    m_activeList = list;
}

bool CMeListPane::MayDelete(CTagGrid* grid)
{
    DeleteSelectedMediaItem(grid == &m_linkList ? kMediaLinksListId : kMediaObjectsListId);
    return false;
}

bool CMeListPane::BeforeMove(CTagGrid* grid, int direction)
{
    MoveRow(grid == &m_linkList ? kMediaLinksListId : kMediaObjectsListId,
            direction == CTagGrid::kMoveUp);
    return false;
}

bool CMeListPane::CanMove(CTagGrid* grid, int direction, bool& result)
{
    // While the pane refills the lists, the entries may still name what a notice deleted.
    result = !m_filling && CanMoveRow(grid == &m_linkList ? kMediaLinksListId : kMediaObjectsListId,
                                      direction == CTagGrid::kMoveUp);
    return true;
}

void CMeListPane::OnCtlSetFocus(CDataCtl*)
{
    m_activeList = kMediaNoteEditId;
}

void CMeListPane::OnCtlKillFocus(CDataCtl* control, CWnd*, BOOL)
{
    if (control == &m_note && !m_note.IsDestroying())
        CommitNote();
}

CTreeBoxNode* CMeListPane::SelectedObjectRow() const
{
    CTreeBox& box = const_cast<CMeListGrid&>(m_objects).GetBox();
    if (!box.GetSafeHwnd() || box.GetSelectedCount() != 1)
        return nullptr;
    CTreeBoxNode* row = box.GetNextSelected(nullptr);
    while (row && row->m_parent)
        row = row->m_parent;
    return row;
}

int CMeListPane::SelectedLinkRow()
{
    CTreeBox& box = m_linkList.GetBox();
    if (box.GetSelectedCount() != 1)
        return -1;
    const int row = TopRowIndex(m_linkList, box.GetNextSelected(nullptr));
    return row < int(m_links.size()) ? row : -1;
}

void CMeListPane::PutSelection(CMeListGrid& grid, int index)
{
    const CFlagGuard filling(m_filling);
    grid.GetBox().ClearSelection(nullptr, false);
    if (CTreeBoxNode* row = TopRowAt(grid, index))
        grid.SelectRow(row, false, true);
}

// ---- The objects list -------------------------------------------------------------------------

CDataNode* CMeListPane::GetCurrentObjectNode() const
{
    return CTagGrid::NodeOf(SelectedObjectRow());
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
    if (!node || m_objects.FindRowByRecord(node))
        return;
    if (m_objects.GetMode() == CTagGrid::kModeRecordSet) {
        // The list of every record becomes a list of its own, with the rows it has.
        const std::vector<CDataNode*> nodes = TopRowNodes(m_objects);
        const CFlagGuard filling(m_filling);
        m_objects.ClearRecordSet();
        CTreeBoxNode* last = nullptr;
        for (CDataNode* shown : nodes)
            last = m_objects.InsertFreeRow(shown, last);
    }
    CTreeBoxNode* last = m_objects.GetBox().GetFirstItem();
    while (last && last->m_nextSibling)
        last = last->m_nextSibling;
    const CFlagGuard filling(m_filling);
    m_objects.InsertFreeRow(node, last);
}

void CMeListPane::ShowMediaRecordLinks(CDataNode* record, int addMode, bool singleObject,
                                       int /*argument*/)
{
    if (!addMode)
        ResetMediaListPane();
    if (!record) {
        m_allRecords = true;
        if (CDataNode* root = GetRecordTypeRoot(RECORD_LIST_OBJE)) {
            const CFlagGuard filling(m_filling);
            m_objects.SetRecordSet(root, true, false);
        }
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
    if (!SelectedObjectRow() && m_objects.GetBox().GetFirstItem())
        SelectObjectRow(0);
}

bool CMeListPane::AddRecordRowToList(CMediaItem* object, int /*flag*/)
{
    CDataNode* holder = object ? object->GetHolderNode() : nullptr;
    if (!holder || m_objects.FindRowByRecord(holder))
        return false;
    AddObjectRow(holder);
    return m_objects.FindRowByRecord(holder) != nullptr;
}

void CMeListPane::ResetMediaListPane()
{
    {
        const CFlagGuard filling(m_filling);
        m_objects.ClearRecordSet();
        m_linkList.ResetList();
    }
    m_linkList.EnableWindow(FALSE);
    m_links.clear();
    m_note.SetText("");
    m_note.ClearModified();
    m_note.SetReadOnly(TRUE);
    m_shownObject = nullptr;
    m_lastLinkRow = -1;
    m_allRecords = false;
}

int CMeListPane::GetObjectRowCount()
{
    return int(TopRowNodes(m_objects).size());
}

namespace {

std::vector<std::string> RowTexts(CTagGrid& grid)
{
    std::vector<std::string> texts;
    for (CTreeBoxNode* row = grid.GetBox().GetFirstItem(); row; row = row->m_nextSibling) {
        std::string text = grid.GetRelationLabel(row);
        const std::string value = grid.GetValueText(row);
        if (!value.empty())
            text += ": " + value;
        texts.push_back(std::move(text));
    }
    return texts;
}

} // namespace

std::vector<std::string> CMeListPane::GetObjectRowTexts()
{
    return RowTexts(m_objects);
}

std::vector<std::string> CMeListPane::GetLinkRowTexts()
{
    return RowTexts(m_linkList);
}

void CMeListPane::SelectObjectRow(int row)
{
    PutSelection(m_objects, row);
    OnObjectSelected();
}

void CMeListPane::SelectObjectNode(const CDataNode* node)
{
    const std::vector<CDataNode*> nodes = TopRowNodes(m_objects);
    const auto at = std::find(nodes.begin(), nodes.end(), node);
    if (at != nodes.end())
        SelectObjectRow(int(at - nodes.begin()));
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
    PutSelection(m_linkList, row);
    OnLinkSelected(row);
}

void CMeListPane::RefreshObjectRows(CView* sender, LPARAM hint, CObject* object)
{
    if (m_objects.GetMode() != CTagGrid::kModeRecordSet) {
        std::vector<CDataNode*> nodes;
        // A record's list follows the record's links as they are now.
        if (m_view->GetContextMode() == CSubViewMedia::kModeRecordLinks &&
            m_view->GetContextRecord()) {
            CDataNode* record = m_view->GetContextRecord();
            for (CDataNode* link = record->FindChild(nullptr, FIELD_OBJE); link;
                 link = record->FindChild(link, FIELD_OBJE))
                if (auto* target = dynamic_cast<CObjRec*>(link->GetLinkTarget());
                    target && std::find(nodes.begin(), nodes.end(), target) == nodes.end())
                    nodes.push_back(target);
            for (CDataNode* field = record->FindChild(nullptr, FIELD_OBJE_EMBEDDED); field;
                 field = record->FindChild(field, FIELD_OBJE_EMBEDDED))
                nodes.push_back(field);
        } else {
            for (CDataNode* node : TopRowNodes(m_objects))
                if (!IsGone(node))
                    nodes.push_back(node);
        }
        SyncTopRows(m_objects, nodes);
    }
    m_objects.Refill(sender, long(hint), object);
}

// ---- The links list and the note --------------------------------------------------------------

void CMeListPane::FillLinksList()
{
    std::vector<CDataNode*> nodes;
    for (const CMeLinkEntry& entry : m_links)
        nodes.push_back(entry.record ? entry.record : entry.note);
    {
        const CFlagGuard filling(m_filling);
        // An entry of the same record or note keeps its row, and what is open under it.
        m_linkList.GetBox().ClearSelection(nullptr, false);
        SyncTopRows(m_linkList, nodes);
    }
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
    PutSelection(m_linkList, row);
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
    m_note.SetText(text);
    m_note.ClearModified();
    m_note.SetReadOnly(entry == nullptr);
}

void CMeListPane::CommitNote()
{
    if (!m_note.GetSafeHwnd() || m_note.IsReadOnly())
        return;
    CMediaItem* item = GetCurrentMediaItem();
    if (m_lastLinkRow < 0 || m_lastLinkRow >= int(m_links.size()) || !item)
        return;
    CMeLinkEntry& entry = m_links[std::size_t(m_lastLinkRow)];
    const std::string text = WithoutCr(m_note.GetText());
    // The long-text dialog puts its text in without marking the edit changed: the text decides.
    const auto* stored = dynamic_cast<const CTextValueNode*>(entry.note);
    if (stored ? stored->GetValue() == text : text.empty())
        return;
    m_note.ClearModified();
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
    PutSelection(m_linkList, row);
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

void CMeListPane::OnUpdate(CView* sender, LPARAM hint, CObject* object)
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
    {
        const CFlagGuard filling(m_filling);
        RefreshObjectRows(sender, hint, object);
        m_linkList.Refill(sender, long(hint), object);
    }
    if (shown && GetCurrentObjectNode() != shown) {
        // The object shown went with its record: its entries name deleted notes and links.
        m_shownObject = nullptr;
        m_links.clear();
        m_lastLinkRow = -1;
        FillNoteEditor();
        // The row the list selected in its place is shown, as a click on it would show it.
        if (GetCurrentObjectNode()) {
            OnObjectSelected();
            return;
        }
        m_display->ClearDisplayPane();
        FillLinksList();
        return;
    }
    ReloadLinks(selected ? &keep : nullptr);
    m_display->GetCaptionBar().Fill(shown);
}

// ---- Focus and selection ----------------------------------------------------------------------

namespace {

bool Holds(const CWnd& outer, const CWnd* wnd)
{
    for (; wnd; wnd = wnd->GetParent())
        if (wnd == &outer)
            return true;
    return false;
}

} // namespace

int CMeListPane::FocusedList() const
{
    const CWnd* focus = CWnd::GetFocus();
    if (Holds(m_objects, focus))
        return kMediaObjectsListId;
    if (Holds(m_linkList, focus))
        return kMediaLinksListId;
    if (Holds(m_note, focus))
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
        m_note.GetEdit().SetFocus();
    else
        m_objects.SetFocus();
}
