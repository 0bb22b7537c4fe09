// records/properties/rec_page_event.cpp: the Events page.
#include "records/properties/rec_page_event.h"

#include "records/dialogs/add_event_dlg.h"
#include "records/properties/mini_buttons.h"
#include "records/properties/properties_dlg.h"

#include "common/abort.h"
#include "database/dictionary/field_def.h"
#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/fields/edit_node.h"
#include "database/fields/number_node.h"
#include "database/fields/text_value_node.h"
#include "database/kin/ind_rec.h"
#include "database/kin/relative_dialogs.h"
#include "database/nodes/change_tracking.h"
#include "database/paths/data_path.h"
#include "database/records/assoc_node.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"
#include "database/records/record_links.h"
#include "platform/base/flag_guard.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/frames/menu.h"

#include <algorithm>
#include <vector>

namespace {

bool g_showChildEvents = true;

// The template's controls.
constexpr int kListFrame = 1406, kLargeListMark = 1438, kShowChildren = 1447, kEventLabel = 1501,
              kTypeFrame = 1429, kDateFrame = 1433, kAgeLabel = 1441, kAgeFrame = 1428,
              kPlaceLabel = 1502, kPlaceFrame = 1430, kAddressLabel = 1503, kAddressFrame = 1431,
              kFamilyLabel = 1436, kFamilyEdit = 1439, kSelectFamily = 1413, kAdoptedLabel = 1437,
              kAdoptedFrame = 1432, kCauseLabel = 1435, kCauseFrame = 1427, kNoteLabel = 1329,
              kNoteFrame = 1434, kLowNoteMark = 1440, kNote2Label = 1330;
constexpr UINT kListId = 5000;
/// The creation flags of a data control in its multi-line form.
constexpr UINT kMultiLineNote = 2;
constexpr UINT kReplaceFamily = 2001, kClearFamily = 2002;

constexpr MiniButtonSpec kButtons[6] = {
    {CRecPageEvent::kAddId, 321, "Add Event/Attribute", 24, false},
    {CRecPageEvent::kDeleteId, 297, "Delete Event/Attribute", 29, false},
    {CRecPageEvent::kListInOrderId, 350, "List in Order", 24, true},
    {CRecPageEvent::kMoveUpId, 318, "Move Up", 24, false},
    {CRecPageEvent::kMoveDownId, 319, "Move Down", 29, false},
    {CRecPageEvent::kGoToId, 298, "Go To Record", 0, false},
};

const CFieldDef* DefAt(int structId, std::initializer_list<int> ids)
{
    const CFieldDef* def = FindStructDefById(structId);
    for (const int id : ids)
        def = def ? def->FindChildById(id) : nullptr;
    return def;
}

CDataNode* Child(CDataNode* parent, int fieldId)
{
    return parent ? parent->FindChild(nullptr, fieldId) : nullptr;
}

} // namespace

bool GetShowChildEvents()
{
    return g_showChildEvents;
}

void SetShowChildEvents(bool show)
{
    g_showChildEvents = show;
}

CRecPageEvent::CRecPageEvent() : CRecordPage(kTemplate) {}

CRecPageEvent::~CRecPageEvent()
{
    for (CDataCtl*& control : m_details) {
        if (control) {
            CDataCtl* going = control;
            control = nullptr;
            going->DestroyCtl(FALSE);
        }
    }
}

CIndRec* CRecPageEvent::PageIndividual() const
{
    return m_individualPage ? AsIndividual(GetRecord()) : nullptr;
}

void CRecPageEvent::Show(int id, bool show)
{
    if (CWnd* control = GetDlgItem(id))
        control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CRecPageEvent::Show(CDataCtl* control, bool show)
{
    if (control)
        control->GetWnd().ShowWindow(show ? SW_SHOW : SW_HIDE);
}

BOOL CRecPageEvent::OnInitDialog()
{
    // The page builds its controls itself: the placeholders name fields of the selected fact.
    CPropertyPage::OnInitDialog();
    m_individualPage = GetBox() && GetRecordTypeIndex(GetBox()->GetType()) == RECORD_LIST_INDI;
    CreateList();
    CheckDlgButton(kShowChildren, g_showChildEvents ? BST_CHECKED : BST_UNCHECKED);
    m_largeListBottom = ChildRect(kLargeListMark).bottom;
    CreateButtons();
    m_familyEditTop = ChildRect(kFamilyEdit).top;
    m_notePlaceholderTop = ChildRect(kNoteFrame).top;
    m_lowNoteTop = ChildRect(kLowNoteMark).top;
    m_familyLabelTop = ChildRect(kFamilyLabel).top;
    m_noteLabelTop = ChildRect(kNoteLabel).top;
    m_note2LabelTop = ChildRect(kNote2Label).top;
    CreateDetails();
    LoadFromRecord({});
    return TRUE;
}

void CRecPageEvent::CreateList()
{
    CWnd* frame = GetDlgItem(kListFrame);
    const CRect rect = ChildRect(kListFrame);
    m_smallListBottom = rect.bottom;
    if (!m_list.Create(TBF_OWNER_TEXT | TBF_FULL_ROW_SELECT, 0,
                       WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, rect, this, kListId, this,
                       16, 16))
        ThrowAbort();
    CRect client;
    m_list.GetClientRect(&client);
    const int w = client.Width();
    if (m_individualPage) {
        const int edges[] = {w / 4, 4 * w / 5, w};
        m_list.SetColumns("Date\tEvent/Attribute\tAge\t", 2, 3, edges);
    } else {
        const int edges[] = {w / 4, w};
        m_list.SetColumns("Date\tEvent/Attribute\t", 2, 2, edges);
    }
    if (frame) {
        m_list.SetTabOrderAfter(frame);
        frame->DestroyWindow();
    }
}

void CRecPageEvent::CreateButtons()
{
    CRect list;
    m_list.GetWindowRect(&list);
    ScreenToClient(&list);
    CreateMiniButtons(this, this, kButtons, m_buttons, list.left, m_largeListBottom + 1);
}

CDataCtl* CRecPageEvent::MakeDetail(int index, const CFieldDef* def, const CRect& rect, CWnd* after,
                                    bool withPath, UINT flags)
{
    const CControlClass* controlClass = def ? def->GetControlClass() : nullptr;
    CDataCtl* control = controlClass ? controlClass->Create() : nullptr;
    if (!control)
        return nullptr;
    std::unique_ptr<CDataPath> path;
    if (withPath) {
        path = std::make_unique<CDataPath>();
        path->SetField(def);
    }
    if (!control->CreateCtl(FALSE, rect, this, nullptr, UINT(m_nextDetailId + index), this,
                            std::move(path), flags)) {
        control->DestroyCtl(FALSE);
        return nullptr;
    }
    control->Clear();
    if (after)
        control->GetWnd().SetTabOrderAfter(after);
    m_details[index] = control;
    return control;
}

void CRecPageEvent::CreateDetails()
{
    int highest = 0;
    for (std::size_t i = 0; i < GetTemplateItemCount(); ++i) {
        const CWnd* child = GetTemplateItem(i);
        if (child && child->GetSafeHwnd())
            highest = std::max(highest, child->GetDlgCtrlID());
    }
    m_nextDetailId = highest + 1;
    const CRect type = ChildRect(kTypeFrame);
    const CRect family = ChildRect(kFamilyEdit);
    const CRect note = ChildRect(kNoteFrame);
    struct Spec {
        int index;
        int frame;
        const CFieldDef* def;
    };
    const Spec specs[] = {
        {kDate, kDateFrame, DefAt(STRUCT_INDI_EVENTS, {FIELD_BIRT, FIELD_DATE})},
        {kAge, kAgeFrame, DefAt(STRUCT_INDI_EVENTS, {FIELD_DEAT, FIELD_AGE})},
        {kEventName, kTypeFrame, DefAt(STRUCT_INDI_EVENTS, {FIELD_EVEN, FIELD_TYPE})},
        {kValue, kTypeFrame, DefAt(STRUCT_INDI_ATTRIBUTES, {FIELD_OCCU})},
        {kNumber, kTypeFrame, DefAt(STRUCT_INDI_ATTRIBUTES, {FIELD_NCHI})},
        {kPlace, kPlaceFrame, DefAt(STRUCT_INDI_EVENTS, {FIELD_BIRT, FIELD_PLAC})},
        {kAddress, kAddressFrame, DefAt(STRUCT_INDI_EVENTS, {FIELD_BIRT, FIELD_ADDR})},
    };
    for (const Spec& spec : specs) {
        CWnd* frame = GetDlgItem(spec.frame);
        CRect rect = ChildRect(spec.frame);
        if (spec.index == kValue || spec.index == kNumber)
            rect = type;
        MakeDetail(spec.index, spec.def, rect, frame, false);
    }
    Show(m_details[kValue], false);
    Show(m_details[kNumber], false);
    if (m_details[kEventName])
        m_details[kEventName]->SetReadOnly(TRUE);

    // Adopted by: left, width and height of its placeholder, top of the note's.
    const CRect adoptedFrame = ChildRect(kAdoptedFrame);
    const CRect adopted(adoptedFrame.left, note.top, adoptedFrame.right,
                        note.top + adoptedFrame.Height());
    MakeDetail(kAdoptedBy, DefAt(STRUCT_INDI_EVENTS, {FIELD_ADOP, FIELD_FAMC, FIELD_ADOP}), adopted,
               GetDlgItem(kSelectFamily), true);
    if (CWnd* label = GetDlgItem(kAdoptedLabel)) {
        const CRect noteLabel = ChildRect(kNoteLabel);
        const CRect own = ChildRect(kAdoptedLabel);
        label->MoveWindow(own.left, noteLabel.top, own.Width(), noteLabel.Height());
    }
    // Cause: in the family edit's row, as wide as its placeholder reaches.
    if (CWnd* label = GetDlgItem(kCauseLabel)) {
        const CRect familyLabel = ChildRect(kFamilyLabel);
        const CRect own = ChildRect(kCauseLabel);
        label->MoveWindow(own.left, familyLabel.top, own.Width(), familyLabel.Height());
    }
    CRect cause = family;
    cause.right = ChildRect(kCauseFrame).right;
    MakeDetail(kCause, DefAt(STRUCT_INDI_EVENTS, {FIELD_DEAT, FIELD_CAUS}), cause,
               GetDlgItem(kFamilyEdit), false);
    // The note is edited over several lines, Enter ending a line.
    MakeDetail(kNote, DefAt(STRUCT_INDI_EVENTS, {FIELD_BIRT, FIELD_NOTE_TEXT}), note,
               GetDlgItem(kNoteFrame), false, kMultiLineNote);
    for (const int frame : {kTypeFrame, kDateFrame, kAgeFrame, kPlaceFrame, kAddressFrame,
                            kAdoptedFrame, kCauseFrame, kNoteFrame})
        if (CWnd* placeholder = GetDlgItem(frame))
            placeholder->DestroyWindow();
    for (CDataCtl* control : m_details)
        Show(control, control != m_details[kValue] && control != m_details[kNumber]);
}

void CRecPageEvent::OnCtlDestroyed(CDataCtl* control)
{
    for (CDataCtl*& detail : m_details)
        if (detail == control)
            detail = nullptr;
    CRecordPage::OnCtlDestroyed(control);
}

// ---- Filling ---------------------------------------------------------------------------------

void CRecPageEvent::LoadFromRecord(const CPageState&)
{
    m_sortColumn = 0; // by date
    FillList();
}

void CRecPageEvent::FillList()
{
    if (!m_list.GetSafeHwnd() || m_holdList)
        return;
    m_list.GetBox().DeleteAllItems();
    m_list.GetHeader().Invalidate();
    CRecordNode* record = GetRecord();
    if (!record) {
        BindDetail();
        return;
    }
    for (const CFactRow& row : CollectFactRows(*record, m_individualPage, g_showChildEvents))
        AddRow(row.m_fact, row.m_kind);
    m_list.GetBox().RedrawAll();
    if (CTreeBoxNode* first = m_list.GetBox().GetFirstItem())
        SelectRow(first);
    else
        BindDetail();
    UpdateButtons();
}

bool CRecPageEvent::IsOwnBirth(const CDataNode* fact, int kind) const
{
    return IsOwnBirthRow(fact, kind, m_individualPage);
}

CBitmap* CRecPageEvent::RowImage(const CDataNode* fact, int kind)
{
    int id = 0;
    if (kind == kEventRowChild) {
        id = GetRecordTypeBitmap(GetRecordTypeDef(RECORD_LIST_INDI), false, false);
    } else if (const CRecordNode* holder = fact->GetRecord()) {
        const bool custom = fact->GetFieldDef() && fact->GetFieldDef()->HasFlag(FDF_TYPED);
        id = GetRecordTypeBitmap(holder->GetFieldDef(), false, custom);
    }
    if (id <= 0)
        return nullptr;
    std::unique_ptr<CBitmap>& image = m_images[id];
    if (!image) {
        image = std::make_unique<CBitmap>();
        image->LoadBitmap(UINT(id));
    }
    return image->GetSafeHandle() ? image.get() : nullptr;
}

CTreeBoxNode* CRecPageEvent::AddRow(CDataNode* fact, int kind)
{
    if (!fact)
        return nullptr;
    CTreeBox& box = m_list.GetBox();
    const CColumnOrder order =
        m_listInOrder ? CColumnOrder{ERowOrder::Stored, 0} : GetEventColumnOrder(m_sortColumn);
    const CIndRec* individual = PageIndividual();
    std::vector<CTreeBoxNode*> rows;
    std::vector<COrderRow> keys;
    for (CTreeBoxNode* row = box.GetFirstItem(); row; row = row->m_nextSibling) {
        rows.push_back(row);
        keys.push_back(GetFactRowKeys(order, *RowFact(row), RowKind(row), individual));
    }
    const std::size_t position =
        FindRowPosition(order.m_order, keys, GetFactRowKeys(order, *fact, kind, individual));
    const TreeBoxItem item{.image = RowImage(fact, kind),
                           .data = std::uintptr_t(fact),
                           .data2 = std::uintptr_t(kind),
                           .noRedraw = true};
    return box.CreateNode(nullptr, position == 0 ? nullptr : rows[position - 1], item);
}

bool CRecPageEvent::IsListCurrent()
{
    CRecordNode* record = GetRecord();
    if (!record)
        return false;
    CTreeBox& box = m_list.GetBox();
    std::vector<CTreeBoxNode*> rows;
    for (CTreeBoxNode* row = box.GetFirstItem(); row; row = row->m_nextSibling)
        rows.push_back(row);
    std::size_t count = 0;
    bool current = true;
    auto check = [&](CDataNode* fact) {
        if (fact->IsPendingDeletion())
            return;
        ++count;
        CTreeBoxNode* row = box.FindItemByData(std::uintptr_t(fact));
        if (!row || (m_listInOrder && (count > rows.size() || rows[count - 1] != row)))
            current = false;
        else if (fact->IsChanged())
            box.InvalidateItemIfVisible(row);
    };
    for (const CFactRow& each : CollectFactRows(*record, m_individualPage, g_showChildEvents))
        check(each.m_fact);
    return current && count == rows.size();
}

BOOL CRecPageEvent::Refresh(CView* sender, LPARAM hint, CObject* object)
{
    for (CDataCtl* control : m_details)
        if (control)
            control->OnDataChanged(reinterpret_cast<CObject*>(sender), hint, object);
    if (!m_list.GetSafeHwnd())
        return TRUE;
    CRecordNode* record = GetRecord();
    if (!record || record->IsPendingDeletion()) {
        if (m_list.GetBox().GetFirstItem()) {
            m_list.GetBox().DeleteAllItems();
            m_list.GetHeader().Invalidate();
            BindDetail();
        }
        return TRUE;
    }
    if (!IsListCurrent()) {
        FillList();
        return TRUE;
    }
    CTreeBoxNode* row = m_list.GetSelectedRow();
    if (!row)
        return TRUE;
    if (!RowFact(row)) {
        FillList();
        return TRUE;
    }
    RefreshDetails(RowFact(row), RowKind(row));
    return TRUE;
}

// ---- The list's owner --------------------------------------------------------------------------

std::string CRecPageEvent::GetItemText(CColBox*, CTreeBoxNode* node, std::uintptr_t, int column,
                                       bool, CDC* dc, CSize* size)
{
    const CDataNode* fact = RowFact(node);
    std::string text = fact ? GetEventText(*fact, RowKind(node), PageIndividual(), column) : "";
    if (dc && size)
        *size = dc->GetTextExtent(text);
    return text;
}

void CRecPageEvent::OnSelChanged(CColBox*)
{
    BindDetail();
}

bool CRecPageEvent::OnColumnClick(CColBox*, int column)
{
    SortByColumn(column);
    return false;
}

void CRecPageEvent::SortByColumn(int column)
{
    m_list.SetFocus();
    if (m_listInOrder) {
        m_listInOrder = false;
        m_buttons[2].SetLatched(false);
    }
    m_sortColumn = column;
    FillList();
}

void CRecPageEvent::SelectRow(CTreeBoxNode* row)
{
    if (!row)
        return;
    m_list.GetBox().SetFocusItem(row, true);
    BindDetail();
}

// ---- The details ----------------------------------------------------------------------------

void CRecPageEvent::ClearDetails()
{
    for (const int index : {kEventName, kDate, kPlace, kAddress, kNote}) {
        if (CDataCtl* control = m_details[index]) {
            control->Clear();
            control->SetReadOnly(TRUE);
        }
    }
}

void CRecPageEvent::MoveNote(int labelTop, int controlTop)
{
    CWnd* label = GetDlgItem(kNoteLabel);
    CDataCtl* note = m_details[kNote];
    if (!label || ChildRect(kNoteLabel).top == labelTop)
        return;
    const CRect own = ChildRect(kNoteLabel);
    label->MoveWindow(own.left, labelTop, own.Width(), own.Height());
    if (note) {
        CRect rect;
        note->GetWnd().GetWindowRect(&rect);
        ScreenToClient(&rect);
        note->GetWnd().MoveWindow(rect.left, controlTop, rect.Width(),
                                  std::max(0, int(rect.bottom) - controlTop));
    }
}

CRecPageEvent::DetailRows CRecPageEvent::GetDetailRows(int id)
{
    DetailRows rows;
    rows.family = id == FIELD_ADOP || id == FIELD_BIRT || id == FIELD_CHR;
    rows.adoptedBy = id == FIELD_ADOP;
    rows.cause = id == FIELD_DEAT || id == FIELD_DIV || id == FIELD_EMIG || id == FIELD_EVEN ||
                 id == FIELD_IMMI || id == FIELD_RETI;
    return rows;
}

void CRecPageEvent::ShowDetailRows(const DetailRows& rows)
{
    const auto [family, adoptedBy, cause] = rows;
    for (const int id : {kFamilyEdit, kSelectFamily, kFamilyLabel})
        Show(id, family);
    Show(kAdoptedLabel, adoptedBy);
    Show(m_details[kAdoptedBy], adoptedBy);
    Show(kCauseLabel, cause);
    Show(m_details[kCause], cause);
    if (adoptedBy)
        MoveNote(m_note2LabelTop, m_lowNoteTop);
    else if (!family && !cause)
        MoveNote(m_familyLabelTop, m_familyEditTop);
    else
        MoveNote(m_noteLabelTop, m_notePlaceholderTop);
}

void CRecPageEvent::FitValueLabel(CDataCtl* value)
{
    CWnd* label = GetDlgItem(kEventLabel);
    CDataCtl* name = m_details[kEventName];
    if (!label || !name)
        return;
    CRect nameRect;
    name->GetWnd().GetWindowRect(&nameRect);
    ScreenToClient(&nameRect);
    CRect labelRect = ChildRect(kEventLabel);
    std::string text;
    label->GetWindowText(text);
    CClientDC dc(label);
    const int textWidth = int(dc.GetTextExtent(text).cx);
    const int ai = int(dc.GetTextExtent("AI").cx);
    const int cap = int(nameRect.right) - ai - int(nameRect.Width()) / 5;
    labelRect.right = std::min(int(labelRect.left) + textWidth, cap);
    label->MoveWindow(labelRect.left, labelRect.top, labelRect.Width(), labelRect.Height());
    if (value) {
        CRect rect;
        value->GetWnd().GetWindowRect(&rect);
        ScreenToClient(&rect);
        const int left = std::max(int(labelRect.right) + ai, int(nameRect.left));
        value->GetWnd().MoveWindow(left, rect.top, std::max(0, int(rect.right) - left),
                                   rect.Height());
        value->GetWnd().Invalidate();
    }
    label->Invalidate();
}

namespace {

/// Shows field (or clears the control without one) without announcing anything.
void ShowField(CDataNode* field, CDataCtl* control)
{
    if (!control)
        return;
    if (field && !field->IsPendingDeletion())
        field->UpdateFromControl(control, false, false);
    else
        control->Clear();
}

} // namespace

CDataNode* CRecPageEvent::AgeHolder(CDataNode* fact, int kind) const
{
    if (!fact || kind == kEventRowChild || IsOwnBirth(fact, kind))
        return nullptr;
    if (kind == kEventRowOwn)
        return fact;
    const CIndRec* individual = PageIndividual();
    const int sex = individual ? individual->GetSex() : SEX_UNDETERMINED;
    if (sex == SEX_MALE)
        return Child(fact, FIELD_HUSB);
    if (sex == SEX_FEMALE)
        return Child(fact, FIELD_WIFE);
    // A partner of unknown sex keeps the age in the fact's own AGE, which the list shows too.
    return fact;
}

void CRecPageEvent::BindDetail()
{
    if (GetBox() && !GetBox()->IsLarge())
        return;
    CTreeBoxNode* row = m_list.GetSelectedRow();
    CDataNode* fact = RowFact(row);
    const int kind = RowKind(row);
    if (!fact || !GetRecord()) {
        ShowDetailRows({});
        Show(m_details[kValue], false);
        Show(m_details[kNumber], false);
        Show(m_details[kEventName], true);
        SetDlgItemText(kEventLabel, "Event:");
        ClearDetails();
        Show(kAgeLabel, false);
        Show(m_details[kAge], false);
        UpdateButtons();
        return;
    }
    for (const int index : {kDate, kPlace, kAddress, kNote})
        if (m_details[index])
            m_details[index]->SetReadOnly(FALSE);
    const int id = fact->GetFieldId();
    const DetailRows rows = GetDetailRows(id);
    ShowDetailRows(rows);
    Show(kPlaceLabel, true);
    Show(m_details[kPlace], true);
    Show(m_details[kAddress], true);

    const CFieldDef* def = fact->GetFieldDef();
    if (def && def->HasFlag(FDF_ATTRIBUTE)) {
        std::string label;
        GetFactLabel(*fact, label, true);
        SetDlgItemText(kEventLabel, label);
        Show(m_details[kEventName], false);
        CDataCtl* shown = nullptr;
        if (id == FIELD_RESI) {
            shown = m_details[kValue];
            Show(kPlaceLabel, false);
            Show(m_details[kPlace], false);
            ShowField(Child(fact, FIELD_PLAC), shown);
        } else if (id == FIELD_CUSTOM_ATTR || dynamic_cast<CEditNode*>(fact)) {
            shown = m_details[kValue];
            ShowField(fact, shown);
        } else if (dynamic_cast<CNumberNode*>(fact)) {
            shown = m_details[kNumber];
            ShowField(fact, shown);
        }
        Show(m_details[kValue], shown && shown == m_details[kValue]);
        Show(m_details[kNumber], shown && shown == m_details[kNumber]);
        if (shown) {
            shown->SetReadOnly(FALSE);
            FitValueLabel(shown);
        }
    } else {
        SetDlgItemText(kEventLabel, "Event:");
        Show(m_details[kValue], false);
        Show(m_details[kNumber], false);
        if (CDataCtl* name = m_details[kEventName]) {
            name->SetReadOnly(TRUE);
            Show(name, true);
            if (id == FIELD_EVEN)
                ShowField(Child(fact, FIELD_TYPE), name);
            else
                name->SetValueText(def ? def->GetLabel() : "");
        }
        FitValueLabel(nullptr);
    }
    ShowField(Child(fact, FIELD_DATE), m_details[kDate]);
    const bool ageRow = m_individualPage && id != FIELD_BIRT && kind != kEventRowChild;
    Show(kAgeLabel, ageRow);
    Show(m_details[kAge], ageRow);
    if (ageRow)
        ShowField(Child(AgeHolder(fact, kind), FIELD_AGE), m_details[kAge]);
    ShowField(Child(fact, FIELD_PLAC), m_details[kPlace]);
    ShowField(Child(fact, FIELD_ADDR), m_details[kAddress]);
    if (rows.family) {
        CDataNode* famc = Child(fact, FIELD_FAMC);
        CRecordNode* family = famc ? famc->GetLinkTarget() : nullptr;
        SetDlgItemText(kFamilyEdit, family ? GetRecordNameText(*family) : std::string());
        if (rows.adoptedBy) {
            if (CWnd* label = GetDlgItem(kAdoptedLabel))
                label->EnableWindow(family != nullptr);
            if (CDataCtl* adopted = m_details[kAdoptedBy]) {
                adopted->GetWnd().EnableWindow(family != nullptr);
                ShowField(Child(famc, FIELD_ADOP), adopted);
            }
        }
    }
    if (rows.cause)
        ShowField(Child(fact, FIELD_CAUS), m_details[kCause]);
    ShowField(Child(fact, FIELD_NOTE_TEXT), m_details[kNote]);
    UpdateButtons();
}

void CRecPageEvent::RefreshField(CDataNode* parent, int fieldId, CDataCtl* control)
{
    if (!control)
        return;
    CDataNode* field = Child(parent, fieldId);
    if (field && !field->IsPendingDeletion()) {
        if (field->IsChanged() && field != m_editing)
            field->UpdateFromControl(control, false, false);
    } else if (!control->IsEmpty()) {
        control->Clear();
    }
}

void CRecPageEvent::RefreshDetails(CDataNode* fact, int kind)
{
    if (fact->GetFieldId() == FIELD_EVEN)
        RefreshField(fact, FIELD_TYPE, m_details[kEventName]);
    RefreshField(fact, FIELD_DATE, m_details[kDate]);
    if (m_details[kAge] && m_details[kAge]->GetWnd().IsWindowVisible()) {
        CDataNode* holder = AgeHolder(fact, kind);
        if (holder)
            RefreshField(holder, FIELD_AGE, m_details[kAge]);
        else if (!m_details[kAge]->IsEmpty())
            m_details[kAge]->Clear();
    }
    RefreshField(fact, FIELD_PLAC, m_details[kPlace]);
    RefreshField(fact, FIELD_ADDR, m_details[kAddress]);
    if (CWnd* familyEdit = GetDlgItem(kFamilyEdit); familyEdit && familyEdit->IsWindowVisible()) {
        CDataNode* famc = Child(fact, FIELD_FAMC);
        CRecordNode* family = famc && !famc->IsPendingDeletion() ? famc->GetLinkTarget() : nullptr;
        SetDlgItemText(kFamilyEdit, family ? GetRecordNameText(*family) : std::string());
        CDataCtl* adopted = m_details[kAdoptedBy];
        if (adopted && adopted->GetWnd().IsWindowVisible()) {
            adopted->GetWnd().EnableWindow(family != nullptr);
            if (CWnd* label = GetDlgItem(kAdoptedLabel))
                label->EnableWindow(family != nullptr);
            if (family)
                RefreshField(famc, FIELD_ADOP, adopted);
            else
                adopted->Clear();
        }
    }
    if (m_details[kCause] && m_details[kCause]->GetWnd().IsWindowVisible())
        RefreshField(fact, FIELD_CAUS, m_details[kCause]);
    RefreshField(fact, FIELD_NOTE_TEXT, m_details[kNote]);
}

CDataNode* CRecPageEvent::GetNodeForControl(CDataCtl* control)
{
    CTreeBoxNode* row = m_list.GetSelectedRow();
    CDataNode* fact = RowFact(row);
    if (!GetRecord() || !fact)
        return nullptr;
    if (!control) {
        CWnd* focus = CWnd::GetFocus();
        if (focus == &m_list || focus == &m_list.GetBox())
            return fact;
        return focus == GetDlgItem(kFamilyEdit) ? Child(fact, FIELD_FAMC) : nullptr;
    }
    if (control == m_details[kDate])
        return Child(fact, FIELD_DATE);
    if (control == m_details[kEventName])
        return fact;
    if (control == m_details[kPlace])
        return Child(fact, FIELD_PLAC);
    if (control == m_details[kAddress])
        return Child(fact, FIELD_ADDR);
    if (control == m_details[kNote])
        return Child(fact, FIELD_NOTE_TEXT);
    if (control == m_details[kCause])
        return Child(fact, FIELD_CAUS);
    if (control == m_details[kAge])
        return Child(AgeHolder(fact, RowKind(row)), FIELD_AGE);
    if (control == m_details[kAdoptedBy]) {
        CDataNode* famc = Child(fact, FIELD_FAMC);
        return famc && !famc->IsEmpty() ? Child(famc, FIELD_ADOP) : nullptr;
    }
    if (control == m_details[kValue])
        return fact->GetFieldId() == FIELD_RESI ? Child(fact, FIELD_PLAC) : fact;
    return control == m_details[kNumber] ? fact : nullptr;
}

// ---- Storing edits ----------------------------------------------------------------------------

void CRecPageEvent::OnDataCtlEdit(CDataCtl* control, CWnd* newFocus, BOOL)
{
    CTreeBoxNode* row = m_list.GetSelectedRow();
    CDataNode* fact = RowFact(row);
    const int kind = RowKind(row);
    if (control && !control->IsDestroying() && GetRecord() && fact &&
        control != m_details[kEventName]) {
        CDataNode* parent = nullptr;
        int fieldId = 0;
        bool partMade = false;
        try {
            if (control == m_details[kValue] && fact->GetFieldId() != FIELD_RESI) {
                m_editing = fact;
                fact->UpdateFromControl(control, true, true);
            } else if (control == m_details[kNumber]) {
                m_editing = fact;
                fact->UpdateFromControl(control, true, true);
            } else if (control == m_details[kValue] || control == m_details[kPlace]) {
                parent = fact;
                fieldId = FIELD_PLAC;
            } else if (control == m_details[kDate]) {
                parent = fact;
                fieldId = FIELD_DATE;
            } else if (control == m_details[kAddress]) {
                parent = fact;
                fieldId = FIELD_ADDR;
            } else if (control == m_details[kNote]) {
                parent = fact;
                fieldId = FIELD_NOTE_TEXT;
            } else if (control == m_details[kCause]) {
                parent = fact;
                fieldId = FIELD_CAUS;
            } else if (control == m_details[kAge]) {
                fieldId = FIELD_AGE;
                parent = AgeHolder(fact, kind);
                const CIndRec* individual = PageIndividual();
                const int sex = individual ? individual->GetSex() : SEX_UNDETERMINED;
                if (!parent && kind == kEventRowFamily && !control->IsEmpty() &&
                    (sex == SEX_MALE || sex == SEX_FEMALE)) {
                    parent = fact->CreateChildById(sex == SEX_MALE ? FIELD_HUSB : FIELD_WIFE);
                    partMade = parent != nullptr;
                }
            } else if (control == m_details[kAdoptedBy]) {
                CDataNode* famc = Child(fact, FIELD_FAMC);
                parent = famc && !famc->IsEmpty() ? famc : nullptr;
                fieldId = FIELD_ADOP;
            }
            if (parent) {
                CDataNode* field = Child(parent, fieldId);
                if (!field && !control->IsEmpty())
                    field = parent->CreateChildById(fieldId);
                if (field) {
                    m_editing = field;
                    field->UpdateFromControl(control, true, !partMade);
                }
            }
        } catch (...) {
            partMade = true; // what was made before the failure is announced below
            EndAbandonedOperation();
        }
        if (partMade)
            NotifyChanges();
        m_editing = nullptr;
    }
    if (GetBox())
        GetBox()->OnFocusMoved(control, newFocus);
}

// ---- The mini buttons -----------------------------------------------------------------------

void CRecPageEvent::UpdateButtons()
{
    if (!m_buttons[0].GetSafeHwnd())
        return;
    const bool record = GetRecord() != nullptr;
    CTreeBoxNode* row = record ? m_list.GetSelectedRow() : nullptr;
    const int kind = RowKind(row);
    bool up = false;
    bool down = false;
    if (m_listInOrder && row && kind != kEventRowChild) {
        auto fits = [&](const CTreeBoxNode* other) {
            if (!other || RowKind(other) != kind)
                return false;
            return kind == kEventRowOwn || RowFact(other)->GetRecord() == RowFact(row)->GetRecord();
        };
        CTreeBoxNode* previous = nullptr;
        for (CTreeBoxNode* each = m_list.GetBox().GetFirstItem(); each && each != row;
             each = each->m_nextSibling)
            previous = each;
        up = fits(previous);
        down = fits(row->m_nextSibling);
    }
    m_buttons[0].EnableWindow(record);
    m_buttons[1].EnableWindow(row != nullptr);
    m_buttons[3].EnableWindow(up);
    m_buttons[4].EnableWindow(down);
    m_buttons[5].EnableWindow(kind == kEventRowFamily || kind == kEventRowChild);
}

void CRecPageEvent::OnButtonClicked(CUButton* button)
{
    OnMiniButton(UINT(button->GetDlgCtrlID()));
}

void CRecPageEvent::OnMiniButton(UINT id)
{
    if (id == kAddId)
        OnAddEvent();
    else if (id == kDeleteId)
        OnDeleteEvent();
    else if (id == kListInOrderId)
        OnListInOrder();
    else if (id == kMoveUpId)
        OnMoveUp();
    else if (id == kMoveDownId)
        OnMoveDown();
    else if (id == kGoToId)
        OnGoToRecord();
}

void CRecPageEvent::OnAddEvent()
{
    CRecordNode* record = GetRecord();
    if (!record)
        return;
    if (GetBox())
        GetBox()->CommitFocusedControl();
    CAddEventDlg dialog(this);
    dialog.m_record = record;
    dialog.m_offerChildEvents = g_showChildEvents;
    if (dialog.DoModal() != IDOK)
        return;
    const CAddEventResult& result = dialog.m_result;
    CDataNode* fact = nullptr;
    try {
        if (result.m_record)
            fact = result.m_record->CreateChildById(result.m_fieldId);
        if (fact && (result.m_fieldId == FIELD_EVEN || result.m_fieldId == FIELD_CUSTOM_ATTR)) {
            if (CDataNode* type = fact->CreateChildById(FIELD_TYPE))
                SetTextValue(type, result.m_customName);
        }
    } catch (...) {
        // The edit is announced below; no row stands for a fact that was not made.
        EndAbandonedOperation();
    }
    // No row for a field that could not be made.
    if (fact) {
        int kind = kEventRowOwn;
        if (result.m_scope == 1)
            kind = m_individualPage && result.m_record == record ? kEventRowOwn : kEventRowChild;
        else
            kind = m_individualPage ? kEventRowFamily : kEventRowOwn;
        CTreeBoxNode* row = AddRow(fact, kind);
        m_list.GetBox().RedrawAll();
        SelectRow(row);
        CDataCtl* focus = m_details[kDate];
        if (m_details[kValue] && m_details[kValue]->GetWnd().IsWindowVisible())
            focus = m_details[kValue];
        else if (m_details[kNumber] && m_details[kNumber]->GetWnd().IsWindowVisible())
            focus = m_details[kNumber];
        if (focus)
            focus->GetWnd().SetFocus();
    }
    m_holdList = fact != nullptr;
    NotifyChanges();
    m_holdList = false;
}

void CRecPageEvent::OnDeleteEvent()
{
    CTreeBoxNode* row = m_list.GetSelectedRow();
    CDataNode* fact = RowFact(row);
    if (!fact)
        return;
    const bool event = fact->GetFieldDef() && fact->GetFieldDef()->HasFlag(FDF_EVENT);
    if (MessageBox(event ? "Delete event?" : "Delete attribute?", MB_OKCANCEL) != IDOK)
        return;
    if (CDataNode* parent = fact->GetParent())
        parent->DeleteChild(fact);
    m_list.GetBox().DeleteItem(row);
    BindDetail();
    NotifyChanges();
}

void CRecPageEvent::OnListInOrder()
{
    m_listInOrder = !m_listInOrder;
    m_buttons[2].SetLatched(m_listInOrder);
    if (m_listInOrder)
        FillList();
    else
        UpdateButtons();
}

void CRecPageEvent::OnMoveUp()
{
    MoveFact(true);
}

void CRecPageEvent::OnMoveDown()
{
    MoveFact(false);
}

void CRecPageEvent::MoveFact(bool up)
{
    if (GetBox())
        GetBox()->CommitFocusedControl();
    CTreeBoxNode* row = m_list.GetSelectedRow();
    CDataNode* fact = RowFact(row);
    if (!fact || !(up ? fact->MoveUp() : fact->MoveDown()))
        return;
    int index = 0;
    for (CTreeBoxNode* each = m_list.GetBox().GetFirstItem(); each && each != row;
         each = each->m_nextSibling)
        ++index;
    if (up)
        m_list.MoveItemUp(index);
    else
        m_list.MoveItemDown(index);
    {
        const CFlagGuard holding(m_holdList);
        NotifyChanges();
    }
    UpdateButtons();
}

void CRecPageEvent::OnGoToRecord()
{
    CTreeBoxNode* row = m_list.GetSelectedRow();
    CDataNode* fact = RowFact(row);
    const int kind = RowKind(row);
    if (!fact || (kind != kEventRowFamily && kind != kEventRowChild) || !GetBox())
        return;
    CRecordNode* holder = fact->GetRecord();
    GetBox()->CommitFocusedControl();
    GetBox()->SetPinned(false);
    GetBox()->SetRecord(holder, nullptr);
}

void CRecPageEvent::OnShowChildEvents()
{
    g_showChildEvents = IsDlgButtonChecked(kShowChildren) == BST_CHECKED;
    LoadFromRecord({});
}

void CRecPageEvent::OnSelectFamily()
{
    CDataNode* fact = RowFact(m_list.GetSelectedRow());
    if (!GetRecord() || !fact)
        return;
    CDataNode* famc = Child(fact, FIELD_FAMC);
    if (famc && !famc->IsEmpty()) {
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, kReplaceFamily, "Replace current selection...");
        menu.AppendMenu(MF_STRING, kClearFamily, "Clear current selection");
        const CRect button = ChildRect(kSelectFamily);
        CPoint corner(button.left, button.bottom);
        ClientToScreen(&corner);
        const UINT command = UINT(menu.TrackPopupMenu(
            TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD, corner.x, corner.y, this));
        if (command == 0)
            return;
        if (command == kClearFamily) {
            fact->DeleteChild(famc);
            SetDlgItemText(kFamilyEdit, "");
            NotifyChanges();
            BindDetail();
            return;
        }
    }
    IRelativeDialogs* dialogs = GetRelativeDialogs();
    if (!dialogs)
        return;
    CRecordSelectRequest request;
    request.m_root = GetRecordTypeRoot(RECORD_LIST_FAM);
    request.m_holder = fact->GetRecord();
    request.m_title = "Select Family";
    CRecordNode* chosen = nullptr;
    if (!dialogs->SelectRecord(request, chosen) || !AsFamily(chosen))
        return;
    try {
        famc = Child(fact, FIELD_FAMC);
        if (!famc)
            famc = fact->CreateChildById(FIELD_FAMC);
        else
            famc->ClearLink();
        if (famc)
            famc->SetLink(chosen, true);
    } catch (...) {
        // Announced below.
        EndAbandonedOperation();
    }
    CRecordNode* target = famc ? famc->GetLinkTarget() : nullptr;
    SetDlgItemText(kFamilyEdit, target ? GetRecordNameText(*target) : std::string());
    NotifyChanges();
    BindDetail();
}

BOOL CRecPageEvent::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && id == kShowChildren) {
        OnShowChildEvents();
        return TRUE;
    }
    if (HIWORD(wParam) == BN_CLICKED && id == kSelectFamily) {
        OnSelectFamily();
        return TRUE;
    }
    return CRecordPage::OnCommand(wParam, lParam);
}

// ---- Small and large box ---------------------------------------------------------------------

void CRecPageEvent::SetLargeMode(bool large)
{
    CRecordPage::SetLargeMode(large);
    if (m_list.GetSafeHwnd()) {
        CRect rect;
        m_list.GetWindowRect(&rect);
        ScreenToClient(&rect);
        const int bottom = large ? m_largeListBottom : m_smallListBottom;
        m_list.MoveWindow(rect.left, rect.top, rect.Width(), std::max(0, bottom - int(rect.top)));
    }
    for (const int index : {0, 1, 5})
        if (m_buttons[index].GetSafeHwnd())
            m_buttons[index].ShowWindow(large ? SW_SHOW : SW_HIDE);
    for (const int index : {kDate, kAge, kEventName, kValue, kNumber, kPlace, kAddress, kNote})
        Show(m_details[index], large);
    for (const int id :
         {kShowChildren, kEventLabel, kAgeLabel, kPlaceLabel, kAddressLabel, kNoteLabel})
        Show(id, large);
    if (!large) {
        Show(m_details[kAdoptedBy], false);
        Show(m_details[kCause], false);
        for (const int id : {kAdoptedLabel, kCauseLabel, kFamilyEdit, kSelectFamily, kFamilyLabel})
            Show(id, false);
    } else {
        Show(m_details[kValue], false);
        Show(m_details[kNumber], false);
        BindDetail();
    }
}
