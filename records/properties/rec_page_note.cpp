// records/properties/rec_page_note.cpp: the Notes page's list, editor, buttons and their
// commands.
#include "records/properties/rec_page_note.h"

#include "database/nodes/change_hint.h"
#include "records/datactl/data_ctl_multi.h"
#include "records/dialogs/new_record_dlgs.h"
#include "records/dialogs/select_record_dlg.h"
#include "records/properties/mini_buttons.h"
#include "records/properties/properties_dlg.h"

#include "common/abort.h"
#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"

#include <algorithm>

namespace {

constexpr int kListPlaceholder = 1406, kEditorPlaceholder = 1405;
/// The most of a note's text a row shows.
constexpr std::size_t kRowTextLimit = 300;

constexpr MiniButtonSpec kButtons[] = {
    {CRecPageNote::kAddNote, 317, "Add Note", 24},
    {CRecPageNote::kDeleteNote, 297, "Delete/Unlink Note", 29},
    {CRecPageNote::kMoveUp, 318, "Move Up", 24},
    {CRecPageNote::kMoveDown, 319, "Move Down", 29},
    {CRecPageNote::kGoToRecord, 298, "Go To Record", 0},
};

NoteRow RowOf(const CTreeBoxNode* row)
{
    return row ? NoteRow{reinterpret_cast<CDataNode*>(row->m_data), int(row->m_data2)} : NoteRow{};
}

/// One line of a cell: line breaks and tabs become blanks, leading blanks go, and a long text
/// is cut.
std::string CellLine(std::string text)
{
    if (text.size() > kRowTextLimit)
        text.resize(kRowTextLimit);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    const std::size_t first = text.find_first_not_of(' ');
    text.erase(0, first == std::string::npos ? text.size() : first);
    return text;
}

} // namespace

std::vector<NoteRow> CollectNotes(const CRecordNode* record)
{
    std::vector<NoteRow> notes;
    if (!record)
        return notes;
    for (CDataNode* note = record->FindChild(nullptr, FIELD_NOTE_TEXT); note;
         note = record->FindChild(note, FIELD_NOTE_TEXT))
        notes.push_back({note, kNoteLocal});
    if (const auto* person = dynamic_cast<const CIndRec*>(record)) {
        for (const CFamRec* family = person->GetNextSpouseFamily(nullptr); family;
             family = person->GetNextSpouseFamily(family)) {
            for (CDataNode* note = family->FindChild(nullptr, FIELD_NOTE_TEXT); note;
                 note = family->FindChild(note, FIELD_NOTE_TEXT))
                notes.push_back({note, kNoteFamily});
        }
    }
    for (CDataNode* link = record->FindChild(nullptr, FIELD_NOTE); link;
         link = record->FindChild(link, FIELD_NOTE)) {
        if (link->GetLinkTarget())
            notes.push_back({link, kNoteLinked});
    }
    return notes;
}

std::string NoteCellText(const NoteRow& row, const CRecordNode* record, int column)
{
    std::string text;
    const CRecordNode* target = row.kind == kNoteLinked ? row.node->GetLinkTarget() : nullptr;
    if (column == 0) {
        text = CellLine(row.kind == kNoteLinked ? NodeText(target) : NodeText(row.node));
    } else if (row.kind == kNoteLocal) {
        text = "Local";
    } else if (row.kind == kNoteFamily) {
        const auto* person = dynamic_cast<const CIndRec*>(record);
        const auto* family = dynamic_cast<const CFamRec*>(row.node->GetParent());
        const CIndRec* partner = person && family ? person->GetSpouseInFamily(family) : nullptr;
        text = "Marr. to " + (partner ? CellLine(NodeText(partner)) : std::string("<no spouse>"));
    } else if (!target) {
        text = "Note Record";
    } else if (target->GetLinkCount() == 1) {
        text = "Note Record (1 link)";
    } else {
        text = "Note Record (" + std::to_string(target->GetLinkCount()) + " links)";
    }
    return text.empty() ? "<No text>" : text;
}

CRecPageNote::CRecPageNote() : CRecordPage(176) {}

CRecPageNote::~CRecPageNote() = default;

BOOL CRecPageNote::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CWnd* listPlace = GetDlgItem(kListPlaceholder);
    CWnd* editorPlace = GetDlgItem(kEditorPlaceholder);
    if (!listPlace || !editorPlace)
        ThrowAbort();
    const CRect listRect = ChildRect(*listPlace);
    if (!m_list.Create(0, 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, listRect, this,
                       kListId, this, 0, 0))
        ThrowAbort();
    CRect client;
    m_list.GetClientRect(&client);
    const int edges[] = {client.Width() * 2 / 3, client.Width()};
    m_list.SetColumns("Note\tType\t", 2, 2, edges);
    m_list.SetTabOrderAfter(listPlace);
    listPlace->DestroyWindow();

    CreateMiniButtons(this, this, kButtons, m_buttons, listRect.left, listRect.bottom + 1);

    auto* editor = new CDataCtlEditMulti;
    if (editor->CreateCtl(FALSE, ChildRect(*editorPlace), this, nullptr, kEditorId, this, nullptr,
                          2)) {
        m_editor = editor;
        editor->SetTabOrderAfter(editorPlace);
        editor->ShowWindow(SW_SHOW);
        editorPlace->DestroyWindow();
    } else {
        editor->DestroyCtl(FALSE);
    }
    SetLoadEnabled(false);
    BuildControls();
    SetLoadEnabled(true);
    LoadFromRecord({});
    return TRUE;
}

void CRecPageNote::OnCtlDestroyed(CDataCtl* control)
{
    if (control == m_editor)
        m_editor = nullptr;
    CRecordPage::OnCtlDestroyed(control);
}

std::vector<NoteRow> CRecPageNote::GetRows() const
{
    std::vector<NoteRow> rows;
    for (CTreeBoxNode* row = const_cast<CColBox&>(m_list).GetBox().GetFirstItem(); row;
         row = row->m_nextSibling)
        rows.push_back(RowOf(row));
    return rows;
}

NoteRow CRecPageNote::GetSelectedRow() const
{
    return RowOf(const_cast<CColBox&>(m_list).GetBox().GetNextSelected(nullptr));
}

CTreeBoxNode* CRecPageNote::FindRow(const CDataNode* node) const
{
    return node ? const_cast<CColBox&>(m_list).GetBox().FindItemByData(
                      reinterpret_cast<std::uintptr_t>(node))
                : nullptr;
}

CTreeBoxNode* CRecPageNote::InsertRow(CTreeBoxNode* after, const NoteRow& note)
{
    const std::string text =
        NoteCellText(note, GetRecord(), 0) + "\t" + NoteCellText(note, GetRecord(), 1);
    return m_list.GetBox().CreateNode(nullptr, after,
                                      {.text = text,
                                       .data = reinterpret_cast<std::uintptr_t>(note.node),
                                       .data2 = std::uintptr_t(note.kind)});
}

void CRecPageNote::SelectRow(CTreeBoxNode* row)
{
    CTreeBox& box = m_list.GetBox();
    box.ClearSelection(nullptr, false);
    if (row)
        box.SetFocusItem(row, true);
    BindDetail();
}

void CRecPageNote::Fill()
{
    if (!m_list.GetSafeHwnd())
        return;
    CTreeBox& box = m_list.GetBox();
    box.DeleteAllItems();
    CTreeBoxNode* last = nullptr;
    for (const NoteRow& note : CollectNotes(GetRecord()))
        last = InsertRow(last, note);
    box.RedrawAll();
    SelectRow(box.GetFirstItem());
}

void CRecPageNote::LoadFromRecord(const CPageState& state)
{
    CRecordPage::LoadFromRecord(state);
    if (IsBuilt() && IsLoadEnabled())
        Fill();
}

BOOL CRecPageNote::Refresh(CView* sender, LPARAM hint, CObject* object)
{
    CRecordPage::Refresh(sender, hint, object);
    if (hint != kHintRecordsEdited || !m_list.GetSafeHwnd())
        return TRUE;
    CTreeBox& box = m_list.GetBox();
    const NoteRow selected = GetSelectedRow();
    CTreeBoxNode* row = box.GetFirstItem();
    CTreeBoxNode* previous = nullptr;
    for (const NoteRow& note : CollectNotes(GetRecord())) {
        if (row && RowOf(row) == note) {
            previous = row;
            row = row->m_nextSibling;
            continue;
        }
        previous = InsertRow(previous, note);
    }
    while (row) {
        CTreeBoxNode* next = row->m_nextSibling;
        box.DeleteItem(row, false);
        row = next;
    }
    for (CTreeBoxNode* shown = box.GetFirstItem(); shown; shown = shown->m_nextSibling) {
        const NoteRow note = RowOf(shown);
        const std::string text =
            NoteCellText(note, GetRecord(), 0) + "\t" + NoteCellText(note, GetRecord(), 1);
        if (text != shown->m_text)
            box.SetItem(shown, {.text = text.c_str()});
    }
    box.RedrawAll();
    const NoteRow now = GetSelectedRow();
    if (!now.node) {
        BindDetail();
    } else if (now == selected && now.node != m_editing) {
        const CRecordNode* target = now.kind == kNoteLinked ? now.node->GetLinkTarget() : nullptr;
        if (target ? IsRecordListed(target) : now.node->IsChanged())
            BindDetail();
    }
    UpdateButtons();
    return TRUE;
}

CDataNode* CRecPageNote::LinkedText(const CDataNode* link)
{
    const CRecordNode* target = link ? link->GetLinkTarget() : nullptr;
    return target ? target->FindChild(nullptr, FIELD_TEXT) : nullptr;
}

void CRecPageNote::BindDetail()
{
    if (!m_editor)
        return;
    const NoteRow row = GetSelectedRow();
    if (row.node) {
        m_editor->SetReadOnly(FALSE);
        CDataNode* shown = row.kind == kNoteLinked ? LinkedText(row.node) : row.node;
        if (shown)
            shown->UpdateFromControl(m_editor, false, false);
        else
            m_editor->Clear();
    } else {
        m_editor->Clear();
        m_editor->SetReadOnly(TRUE);
    }
    UpdateButtons();
}

void CRecPageNote::OnSelChanged(CColBox*)
{
    BindDetail();
}

bool CRecPageNote::IsCurrent(const NoteRow& row) const
{
    const std::vector<NoteRow> notes = CollectNotes(GetRecord());
    return row.node && std::find(notes.begin(), notes.end(), row) != notes.end();
}

void CRecPageNote::OnDataCtlEdit(CDataCtl* control, CWnd* newFocus, BOOL forced)
{
    if (control != m_editor) {
        CRecordPage::OnDataCtlEdit(control, newFocus, forced);
        return;
    }
    if (IsClosing() || !m_editor || m_editor->IsDestroying())
        return;
    const NoteRow row = GetSelectedRow();
    if (IsCurrent(row)) {
        m_editing = row.node;
        try {
            if (row.kind != kNoteLinked) {
                row.node->UpdateFromControl(m_editor, true, true);
            } else {
                CDataNode* text = LinkedText(row.node);
                if (!text && !m_editor->IsEmpty())
                    text = row.node->GetLinkTarget()->CreateChildById(FIELD_TEXT);
                if (text)
                    text->UpdateFromControl(m_editor, true, false);
                NotifyChanges();
            }
        } catch (...) {
            NotifyChanges();
            EndAbandonedOperation();
        }
        m_editing = nullptr;
    }
    if (CPropertiesDlg* box = GetBox())
        box->OnFocusMoved(control, newFocus);
}

void CRecPageNote::UpdateButtons()
{
    const auto enable = [&](UINT id, bool on) {
        for (CUButton& button : m_buttons)
            if (button.GetSafeHwnd() && UINT(button.GetDlgCtrlID()) == id)
                button.EnableWindow(on);
    };
    CTreeBox& box = m_list.GetBox();
    CTreeBoxNode* selected = box.GetNextSelected(nullptr);
    const NoteRow row = RowOf(selected);
    const auto sameRun = [&](const CTreeBoxNode* other) {
        const NoteRow next = RowOf(other);
        return other && next.kind == row.kind &&
               (row.kind != kNoteFamily || next.node->GetParent() == row.node->GetParent());
    };
    enable(kAddNote, GetRecord() != nullptr);
    enable(kDeleteNote, row.node != nullptr);
    enable(kGoToRecord, row.node && row.kind != kNoteLocal);
    enable(kMoveUp, selected && sameRun(box.GetRelative(selected, CTreeBox::kPreviousSibling)));
    enable(kMoveDown, selected && sameRun(selected->m_nextSibling));
}

void CRecPageNote::OnButtonClicked(CUButton* button)
{
    OnMiniButton(UINT(button->GetDlgCtrlID()));
}

void CRecPageNote::OnMiniButton(UINT id)
{
    switch (id) {
    case kAddNote:
        OnAddNote();
        break;
    case kDeleteNote:
        OnDeleteNote();
        break;
    case kMoveUp:
        OnMove(true);
        break;
    case kMoveDown:
        OnMove(false);
        break;
    case kGoToRecord:
        OnGoToRecord();
        break;
    default:
        break;
    }
}

CTreeBoxNode* CRecPageNote::FindInsertPosition(int kind, const CFamRec* family) const
{
    CTreeBoxNode* found = nullptr;
    for (CTreeBoxNode* row = const_cast<CColBox&>(m_list).GetBox().GetFirstItem(); row;
         row = row->m_nextSibling) {
        const NoteRow note = RowOf(row);
        const bool matches =
            note.kind == kind && (kind != kNoteFamily || note.node->GetParent() == family);
        if (matches)
            found = row;
        else if (found)
            break;
    }
    return found;
}

void CRecPageNote::OnAddNote()
{
    CRecordNode* record = GetRecord();
    if (!record)
        return;
    CommitEdits();
    CAddNoteDlg dialog(this);
    dialog.m_record = record;
    if (dialog.DoModal() != IDOK)
        return;
    CDataNode* made = nullptr;
    const CFamRec* family = nullptr;
    try {
        if (dialog.m_choice == kNoteLocal) {
            made = record->CreateChildById(FIELD_NOTE_TEXT);
        } else if (dialog.m_choice == kNoteFamily) {
            family = dialog.m_family;
            if (!family)
                return;
            made = dialog.m_family->CreateChildById(FIELD_NOTE_TEXT);
        } else {
            CSelectRecordListDlg list(this);
            list.m_title = "Select Note Record...";
            list.m_recordSet = GetRecordTypeRoot(RECORD_LIST_NOTE);
            list.m_newType = RECORD_LIST_NOTE;
            if (list.DoModal() != IDOK || !list.m_selected)
                return;
            made = record->CreateChildById(FIELD_NOTE);
            if (made && !made->SetLink(list.m_selected, true)) {
                record->DeleteChild(made);
                made = nullptr;
            }
        }
    } catch (...) {
        made = nullptr;
        EndAbandonedOperation();
    }
    if (!made) {
        NotifyChanges();
        MessageBox("An error has occurred.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const NoteRow note{made, dialog.m_choice};
    CTreeBoxNode* row = InsertRow(FindInsertPosition(note.kind, family), note);
    m_list.GetBox().RedrawAll();
    SelectRow(row);
    if (m_editor)
        m_editor->GetWnd().SetFocus();
    m_editing = made;
    NotifyChanges();
    m_editing = nullptr;
}

void CRecPageNote::OnDeleteNote()
{
    const NoteRow row = GetSelectedRow();
    if (!IsCurrent(row))
        return;
    const char* question = row.kind == kNoteLinked ? "Delete link to Note record?\n\n(The Note "
                                                     "record itself will not be deleted)"
                                                   : "Delete Note?";
    if (MessageBox(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    if (CDataNode* holder = row.node->GetParent())
        holder->DeleteChild(row.node);
    m_list.GetBox().DeleteItem(FindRow(row.node));
    BindDetail();
    NotifyChanges();
}

void CRecPageNote::OnMove(bool up)
{
    const NoteRow row = GetSelectedRow();
    if (!IsCurrent(row))
        return;
    if (m_editor)
        OnDataCtlEdit(m_editor, nullptr, TRUE);
    const int index = m_list.GetBox().GetSelectedTopIndex();
    if (!(up ? row.node->MoveUp() : row.node->MoveDown()))
        return;
    if (up)
        m_list.MoveItemUp(index);
    else
        m_list.MoveItemDown(index);
    NotifyChanges();
    UpdateButtons();
}

void CRecPageNote::OnGoToRecord()
{
    const NoteRow row = GetSelectedRow();
    CPropertiesDlg* box = GetBox();
    if (!IsCurrent(row) || !box || row.kind == kNoteLocal)
        return;
    CRecordNode* target =
        row.kind == kNoteFamily ? row.node->GetRecord() : row.node->GetLinkTarget();
    if (!target)
        return;
    box->SetPinned(false);
    box->SetRecord(target, nullptr);
}

void CRecPageNote::SetLargeMode(bool large)
{
    CRecordPage::SetLargeMode(large);
    if (m_editor)
        m_editor->GetWnd().ShowWindow(large ? SW_SHOW : SW_HIDE);
    for (CUButton& button : m_buttons)
        if (button.GetSafeHwnd())
            button.ShowWindow(large ? SW_SHOW : SW_HIDE);
}

CDataNode* CRecPageNote::GetNodeForControl(CDataCtl* control)
{
    if (!GetRecord())
        return nullptr;
    const CWnd* focus = CWnd::GetFocus();
    const bool listFocused = focus && (focus == &m_list || focus->GetParent() == &m_list);
    if ((control && control == m_editor) || listFocused)
        return GetSelectedRow().node;
    return nullptr;
}
