// records/properties/rec_page_media.cpp: the Objects page.
#include "records/properties/rec_page_media.h"

#include "records/properties/media_window_opener.h"
#include "records/properties/mini_buttons.h"
#include "records/properties/properties_dlg.h"

#include "common/abort.h"
#include "common/shell_open.h"
#include "database/dictionary/field_def.h"
#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/fields/number_node.h"
#include "database/kin/ind_rec.h"
#include "database/multimedia/linked_file_location.h"
#include "database/multimedia/media_item.h"
#include "database/multimedia/obj_node.h"
#include "database/multimedia/obj_rec.h"
#include "database/multimedia/object_rows.h"
#include "database/nodes/change_tracking.h"
#include "database/records/record_id_state.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kListFrame = 1406, kDefaultFull = 1460, kPreviewFrame = 1230, kFullPicture = 1462,
              kCloseUp = 1463, kCaptionFrame = 1405;
constexpr UINT kListId = 5000, kCaptionId = 5001;

constexpr MiniButtonSpec kButtons[6] = {
    {CRecPageMedia::kOpenId, 326, "Open Multimedia Window", 24},
    {CRecPageMedia::kDeleteId, 297, "Delete/Unlink Multimedia Object", 29},
    {CRecPageMedia::kHigherId, 328, "Higher Preference", 24},
    {CRecPageMedia::kLowerId, 329, "Lower Preference", 29},
    {CRecPageMedia::kGoToId, 298, "Go To Record", 29},
    {CRecPageMedia::kActionId, 327, "Perform Action", 0},
};

int RowKind(const CTreeBoxNode* row)
{
    return row ? int(row->m_data2) : -1;
}

CDataNode* RowNode(const CTreeBoxNode* row)
{
    return row ? reinterpret_cast<CDataNode*>(row->m_data) : nullptr;
}

int GetObjectNumber(const CDataNode* link)
{
    return link ? FieldNumber(link->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER)) : 0;
}

} // namespace

CRecPageMedia::CRecPageMedia() : CRecordPage(kTemplate) {}

CRecPageMedia::~CRecPageMedia()
{
    if (m_caption) {
        CDataCtl* going = m_caption;
        m_caption = nullptr;
        going->DestroyCtl(FALSE);
    }
}

const CIndRec* CRecPageMedia::PageIndividual() const
{
    return m_individualPage ? AsIndividual(GetRecord()) : nullptr;
}

CMediaItem* CRecPageMedia::GetRowMediaItem(const CDataNode* node, int kind)
{
    if (!node)
        return nullptr;
    if (kind == kMediaRowLink)
        return dynamic_cast<CObjRec*>(node->GetLinkTarget());
    return dynamic_cast<CObjNode*>(const_cast<CDataNode*>(node));
}

BOOL CRecPageMedia::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_individualPage = GetBox() && GetRecordTypeIndex(GetBox()->GetType()) == RECORD_LIST_INDI;
    const CRect listRect = ChildRect(kListFrame);
    if (!m_list.Create(TBF_OWNER_TEXT | TBF_FULL_ROW_SELECT, 0,
                       WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, listRect, this, kListId,
                       this, 16, 16))
        ThrowAbort();
    CRect client;
    m_list.GetClientRect(&client);
    const int w = client.Width();
    if (m_individualPage) {
        const int edges[] = {w / 2, 3 * w / 5, 7 * w / 10, 9 * w / 10, w};
        m_list.SetColumns("Pictures Etc\tFmt\tPref\tDate\tAge\t", 2, 5, edges);
    } else {
        const int edges[] = {3 * w / 5, 7 * w / 10, 4 * w / 5, w};
        m_list.SetColumns("Pictures Etc\tFmt\tPref\tDate\t", 2, 4, edges);
    }
    if (CWnd* frame = GetDlgItem(kListFrame)) {
        m_list.SetTabOrderAfter(frame);
        frame->DestroyWindow();
    }
    CreateMiniButtons(this, this, kButtons, m_buttons, listRect.left, listRect.bottom + 1);
    if (CWnd* frame = GetDlgItem(kCaptionFrame)) {
        const CFieldDef* def = FindStructDefById(STRUCT_INDI_EVENTS);
        def = def ? def->FindChildById(FIELD_BIRT) : nullptr;
        def = def ? def->FindChildById(FIELD_NOTE_TEXT) : nullptr;
        const CControlClass* controlClass = def ? def->GetControlClass() : nullptr;
        m_caption = controlClass ? controlClass->Create() : nullptr;
        if (m_caption && !m_caption->CreateCtl(FALSE, ChildRect(kCaptionFrame), this, nullptr,
                                               kCaptionId, this, nullptr, 0)) {
            m_caption->DestroyCtl(FALSE);
            m_caption = nullptr;
        }
        if (m_caption) {
            m_caption->GetWnd().SetTabOrderAfter(frame);
            m_caption->GetWnd().ShowWindow(SW_SHOW);
        }
        frame->DestroyWindow();
    }
    if (GetDlgItem(kPreviewFrame)) {
        m_previewRect = ChildRect(kPreviewFrame);
        m_preview.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, m_previewRect, this,
                           kPreviewFrame + 1000);
    }
    LoadFromRecord({});
    return TRUE;
}

void CRecPageMedia::OnCtlDestroyed(CDataCtl* control)
{
    if (control == m_caption)
        m_caption = nullptr;
    CRecordPage::OnCtlDestroyed(control);
}

// ---- The list ---------------------------------------------------------------------------------

std::string CRecPageMedia::GetCellText(const CDataNode* node, int kind, int column) const
{
    return GetObjectRowText(GetRecord(), node, kind, PageIndividual(), column);
}

std::string CRecPageMedia::GetItemText(CColBox*, CTreeBoxNode* node, std::uintptr_t, int column,
                                       bool, CDC* dc, CSize* size)
{
    std::string text = GetCellText(RowNode(node), RowKind(node), column);
    if (dc && size)
        *size = dc->GetTextExtent(text);
    return text;
}

CTreeBoxNode* CRecPageMedia::AddRow(CDataNode* node, int kind)
{
    CTreeBox& box = m_list.GetBox();
    const CColumnOrder order = GetObjectColumnOrder(m_sortColumn);
    const CIndRec* individual = PageIndividual();
    std::vector<CTreeBoxNode*> rows;
    std::vector<COrderRow> keys;
    for (CTreeBoxNode* row = box.GetFirstItem(); row; row = row->m_nextSibling) {
        rows.push_back(row);
        keys.push_back(
            GetObjectRowKeys(order, GetRecord(), RowNode(row), RowKind(row), individual));
    }
    const std::size_t position = FindRowPosition(
        order.m_order, keys, GetObjectRowKeys(order, GetRecord(), node, kind, individual));
    const TreeBoxItem item{
        .data = std::uintptr_t(node), .data2 = std::uintptr_t(kind), .noRedraw = true};
    return box.CreateNode(nullptr, position == 0 ? nullptr : rows[position - 1], item);
}

void CRecPageMedia::LoadFromRecord(const CPageState&)
{
    m_sortColumn = 3; // by date
    FillList();
}

void CRecPageMedia::FillList()
{
    if (!m_list.GetSafeHwnd())
        return;
    m_preview.Invalidate();
    if (!IsLarge())
        return;
    m_list.GetBox().DeleteAllItems();
    CRecordNode* record = GetRecord();
    if (!record) {
        BindDetail();
        return;
    }
    CTreeBoxNode* first = nullptr;
    for (const CObjectRow& each : CollectObjectRows(*record)) {
        CTreeBoxNode* row = AddRow(each.m_node, each.m_kind);
        first = first ? first : row;
    }
    m_list.GetBox().RedrawAll();
    if (first)
        SelectRow(first);
    else
        BindDetail();
}

bool CRecPageMedia::IsListCurrent()
{
    CRecordNode* record = GetRecord();
    if (!record)
        return false;
    std::size_t count = 0;
    bool current = true;
    auto check = [&](CDataNode* node) {
        if (node->IsPendingDeletion())
            return;
        ++count;
        CTreeBoxNode* row = m_list.GetBox().FindItemByData(std::uintptr_t(node));
        if (!row)
            current = false;
        else if (node->IsChanged())
            m_list.GetBox().InvalidateItemIfVisible(row);
    };
    for (const CObjectRow& each : CollectObjectRows(*record))
        check(each.m_node);
    std::size_t rows = 0;
    for (CTreeBoxNode* row = m_list.GetBox().GetFirstItem(); row; row = row->m_nextSibling)
        ++rows;
    return current && count == rows;
}

BOOL CRecPageMedia::Refresh(CView* sender, LPARAM hint, CObject* object)
{
    if (m_caption)
        m_caption->OnDataChanged(reinterpret_cast<CObject*>(sender), hint, object);
    if (!m_list.GetSafeHwnd())
        return TRUE;
    CRecordNode* record = GetRecord();
    if (!record || record->IsPendingDeletion() || !IsLarge()) {
        if (IsLarge() && m_list.GetBox().GetFirstItem()) {
            m_list.GetBox().DeleteAllItems();
            BindDetail();
        }
        m_preview.Invalidate();
        return TRUE;
    }
    if (!IsListCurrent()) {
        FillList();
        return TRUE;
    }
    CTreeBoxNode* row = m_list.GetSelectedRow();
    if (row && !RowNode(row))
        FillList();
    else if (row && RowNode(row) != m_editing && RowNode(row)->IsChanged())
        BindDetail();
    return TRUE;
}

void CRecPageMedia::SelectRow(CTreeBoxNode* row)
{
    if (!row)
        return;
    m_list.GetBox().SetFocusItem(row, true);
    BindDetail();
}

void CRecPageMedia::OnSelChanged(CColBox*)
{
    BindDetail();
}

bool CRecPageMedia::OnColumnClick(CColBox*, int column)
{
    SortByColumn(column);
    return false;
}

void CRecPageMedia::SortByColumn(int column)
{
    m_list.SetFocus();
    m_sortColumn = column;
    FillList();
}

bool CRecPageMedia::OnDoubleClick(CColBox*, CTreeBoxNode*, int part)
{
    if (part >= 1 && part <= 3)
        OnPerformAction();
    return false;
}

// ---- Details ----------------------------------------------------------------------------------

bool CRecPageMedia::GetCloseUpRect(const CDataNode* node, int kind, RECT& rect) const
{
    const CMediaItem* item = GetRowMediaItem(node, kind);
    const int number = kind == kMediaRowLink ? GetObjectNumber(node) : 0;
    if (!item || item->GetKind() != MEDIA_KIND_PICTURE || number <= 0 ||
        !item->FindFrameNote(number))
        return false;
    rect = item->GetFrameRect(number);
    return rect.right > rect.left && rect.bottom > rect.top;
}

void CRecPageMedia::BindDetail()
{
    CTreeBoxNode* row = m_list.GetSelectedRow();
    CDataNode* node = RowNode(row);
    const int kind = RowKind(row);
    auto set = [this](int id, bool checked, bool enabled) {
        CheckDlgButton(id, checked ? BST_CHECKED : BST_UNCHECKED);
        if (CWnd* button = GetDlgItem(id))
            button->EnableWindow(enabled);
    };
    if (!node) {
        if (m_caption) {
            m_caption->Clear();
            m_caption->SetReadOnly(TRUE);
        }
        set(kFullPicture, false, false);
        set(kCloseUp, false, false);
        m_preview.Invalidate();
        UpdateButtons();
        return;
    }
    CMediaItem* item = GetRowMediaItem(node, kind);
    if (!item)
        return;
    if (m_caption)
        m_caption->SetReadOnly(FALSE);
    const bool picture = item->GetKind() == MEDIA_KIND_PICTURE;
    CDataNode* note = nullptr;
    if (kind == kMediaRowLink) {
        const int number = GetObjectNumber(node);
        note = number > 0 ? item->FindFrameNote(number) : nullptr;
        RECT closeUp{};
        const bool hasCloseUp = GetCloseUpRect(node, kind, closeUp);
        const bool full = IsDlgButtonChecked(kDefaultFull) == BST_CHECKED;
        set(kFullPicture, picture && (!hasCloseUp || full), picture);
        set(kCloseUp, picture && hasCloseUp && !full, picture && hasCloseUp);
    } else {
        note = node->FindChild(nullptr, FIELD_NOTE_TEXT);
        set(kFullPicture, picture, picture);
        set(kCloseUp, false, false);
    }
    if (m_caption) {
        if (note)
            note->UpdateFromControl(m_caption, false, false);
        else
            m_caption->Clear();
    }
    m_preview.Invalidate();
    UpdateButtons();
}

void CRecPageMedia::DrawPreview(CDC& dc, const CRect& rect)
{
    CDataNode* node = nullptr;
    int kind = kMediaRowEmbedded;
    CRecordNode* record = GetRecord();
    if (!IsLarge() && record) {
        for (CDataNode* link = record->FindChild(nullptr, FIELD_OBJE, true); link && !node;
             link = record->FindChild(link, FIELD_OBJE, true))
            if (link->GetLinkTarget()) {
                node = link;
                kind = kMediaRowLink;
            }
        if (!node)
            node = record->FindChild(nullptr, FIELD_OBJE_EMBEDDED);
    } else if (CTreeBoxNode* row = m_list.GetSelectedRow()) {
        node = RowNode(row);
        kind = RowKind(row);
    }
    RECT closeUp{};
    const bool useCloseUp = GetCloseUpRect(node, kind, closeUp) &&
                            (!IsLarge() || IsDlgButtonChecked(kCloseUp) == BST_CHECKED);
    DrawPicture(dc, GetRowMediaItem(node, kind), useCloseUp ? &closeUp : nullptr, &rect);
}

void CRecPageMedia::UpdateButtons()
{
    if (!m_buttons[0].GetSafeHwnd())
        return;
    CTreeBoxNode* row = GetRecord() ? m_list.GetSelectedRow() : nullptr;
    const CDataNode* node = RowNode(row);
    const int kind = RowKind(row);
    m_buttons[0].EnableWindow(GetRecord() && CanOpenMediaWindow());
    m_buttons[1].EnableWindow(node != nullptr);
    bool higher = false;
    bool lower = false;
    if (node && node->GetParent()) {
        const int position = node->GetSiblingIndex();
        const int count = node->GetParent()->CountChildren(node->GetFieldId());
        higher = position > 0;
        lower = position < count - 1;
    }
    m_buttons[2].EnableWindow(higher);
    m_buttons[3].EnableWindow(lower);
    m_buttons[4].EnableWindow(node && kind == kMediaRowLink);
    const CMediaItem* item = GetRowMediaItem(node, kind);
    m_buttons[5].EnableWindow(
        item && (item->GetKind() == MEDIA_KIND_OLE || item->GetKind() == MEDIA_KIND_OTHER));
}

CDataNode* CRecPageMedia::GetNodeForControl(CDataCtl* control)
{
    if (!GetRecord())
        return nullptr;
    CWnd* focus = CWnd::GetFocus();
    if (control == m_caption || focus == &m_list || focus == &m_list.GetBox())
        return RowNode(m_list.GetSelectedRow());
    return nullptr;
}

void CRecPageMedia::OnDataCtlEdit(CDataCtl* control, CWnd* newFocus, BOOL)
{
    CTreeBoxNode* row = m_list.GetSelectedRow();
    CDataNode* node = RowNode(row);
    const int kind = RowKind(row);
    if (control && control == m_caption && !control->IsDestroying() && node) {
        try {
            if (kind == kMediaRowLink) {
                CMediaItem* item = GetRowMediaItem(node, kind);
                const int number = GetObjectNumber(node);
                CDataNode* note = number > 0 && item ? item->FindFrameNote(number) : nullptr;
                if (!note && item && !control->IsEmpty()) {
                    int made = 0;
                    note = item->AddFrameNote(&made, nullptr);
                    if (note) {
                        CDataNode* field = node->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER);
                        if (!field)
                            field = node->CreateChildById(FIELD_OBJE_LINK_NUMBER);
                        if (auto* numberField = dynamic_cast<CNumberNode*>(field))
                            numberField->SetNumber(made);
                    }
                }
                // The caption typed is the new frame note's text, not lost.
                if (note)
                    note->UpdateFromControl(control, true, false);
            } else {
                CDataNode* note = node->FindChild(nullptr, FIELD_NOTE_TEXT);
                if (!note && !control->IsEmpty())
                    note = node->CreateChildById(FIELD_NOTE_TEXT);
                if (note)
                    note->UpdateFromControl(control, true, false);
            }
        } catch (...) {
            // Announced below.
            EndAbandonedOperation();
        }
        m_editing = node;
        NotifyChanges();
        m_editing = nullptr;
    }
    if (GetBox())
        GetBox()->OnFocusMoved(control, newFocus);
}

// ---- Commands ---------------------------------------------------------------------------------

void CRecPageMedia::OnButtonClicked(CUButton* button)
{
    OnMiniButton(UINT(button->GetDlgCtrlID()));
}

void CRecPageMedia::OnMiniButton(UINT id)
{
    switch (id) {
    case kOpenId:
        if (CRecordNode* record = GetRecord()) {
            CTreeBoxNode* row = m_list.GetSelectedRow();
            OpenMediaWindow(record, GetRowMediaItem(RowNode(row), RowKind(row)));
        }
        break;
    case kDeleteId:
        OnDeleteObject();
        break;
    case kHigherId:
        OnHigherPreference();
        break;
    case kLowerId:
        OnLowerPreference();
        break;
    case kGoToId:
        OnGoToRecord();
        break;
    case kActionId:
        OnPerformAction();
        break;
    default:
        break;
    }
}

void CRecPageMedia::OnDeleteObject()
{
    CTreeBoxNode* row = m_list.GetSelectedRow();
    CDataNode* node = RowNode(row);
    const int kind = RowKind(row);
    CRecordNode* record = GetRecord();
    if (!node || !record)
        return;
    const char* question = kind == kMediaRowLink
                               ? "Delete link to MultiMedia Object record?\n\n(The MultiMedia "
                                 "Object record itself will not be deleted)"
                               : "Delete MultiMedia Object field?";
    if (MessageBox(question, MB_OKCANCEL) != IDOK)
        return;
    CMediaItem* item = GetRowMediaItem(node, kind);
    if (kind == kMediaRowLink) {
        if (!item)
            return;
        const int number = GetObjectNumber(node);
        if (CDataNode* note = number > 0 ? item->FindFrameNote(number) : nullptr)
            if (CDataNode* parent = note->GetParent())
                parent->DeleteChild(note);
    }
    if (CDataNode* parent = node->GetParent())
        parent->DeleteChild(node);
    m_list.GetBox().DeleteItem(row);
    BindDetail();
    NotifyChanges();
}

void CRecPageMedia::MovePreference(bool up)
{
    if (m_caption && !m_caption->IsEmpty())
        OnDataCtlEdit(m_caption, nullptr, TRUE);
    CDataNode* node = RowNode(m_list.GetSelectedRow());
    if (!node || !(up ? node->MoveUp() : node->MoveDown()))
        return;
    m_list.GetBox().RedrawAll();
    m_editing = node;
    NotifyChanges();
    m_editing = nullptr;
    UpdateButtons();
}

void CRecPageMedia::OnHigherPreference()
{
    MovePreference(true);
}

void CRecPageMedia::OnLowerPreference()
{
    MovePreference(false);
}

void CRecPageMedia::OnGoToRecord()
{
    CTreeBoxNode* row = m_list.GetSelectedRow();
    CDataNode* node = RowNode(row);
    if (!node || RowKind(row) != kMediaRowLink || !node->GetLinkTarget() || !GetBox())
        return;
    GetBox()->SetPinned(false);
    GetBox()->SetRecord(node->GetLinkTarget(), nullptr);
}

void CRecPageMedia::OnPerformAction()
{
    CTreeBoxNode* row = m_list.GetSelectedRow();
    CMediaItem* item = GetRowMediaItem(RowNode(row), RowKind(row));
    if (!item)
        return;
    if (item->GetKind() == MEDIA_KIND_OLE) {
        MessageBox("This object cannot be opened here: embedded and linked objects of other "
                   "programs are not supported.",
                   MB_OK);
        return;
    }
    if (item->GetKind() != MEDIA_KIND_OTHER)
        return;
    std::string path;
    if (!item->GetEmbeddedFile(path) || path.empty())
        path = LinkedFileLocation(item->GetFilePath());
    if (path.empty())
        return;
    if (const ShellOpenOutcome opened = ShellOpenFile("open", path); !opened)
        MessageBox(opened.failure, MB_OK | MB_ICONSTOP);
}

BOOL CRecPageMedia::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && (id == kFullPicture || id == kCloseUp)) {
        m_preview.Invalidate();
        return TRUE;
    }
    return CRecordPage::OnCommand(wParam, lParam);
}

void CRecPageMedia::ShowLargeControls(bool large)
{
    const int show = large ? SW_SHOW : SW_HIDE;
    m_list.ShowWindow(show);
    for (CUButton& button : m_buttons)
        if (button.GetSafeHwnd())
            button.ShowWindow(show);
    if (m_caption)
        m_caption->GetWnd().ShowWindow(show);
    for (const int id : {kDefaultFull, kFullPicture, kCloseUp})
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(show);
}

void CRecPageMedia::UpdateTabCaption(bool large)
{
    CPropertiesDlg* box = GetBox();
    CTabCtrl* tabs = box ? box->GetTabControl() : nullptr;
    const int index = box ? box->GetPageIndex(this) : -1;
    if (tabs && index >= 0 && index < tabs->GetItemCount())
        tabs->SetItemText(index, large ? "Objects" : "Picture");
}

void CRecPageMedia::SetLargeMode(bool large)
{
    UpdateTabCaption(large);
    CRecordPage::SetLargeMode(large);
    ShowLargeControls(large);
    if (m_preview.GetSafeHwnd()) {
        CRect client;
        GetClientRect(&client);
        client.DeflateRect(2, 2);
        m_preview.MoveWindow(large ? m_previewRect : client);
    }
    if (large) {
        FillList();
    } else {
        m_list.GetBox().DeleteAllItems();
        m_preview.Invalidate();
    }
}
