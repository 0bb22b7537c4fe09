// records/properties/record_page.cpp: a record page's loading, refreshing, committing, sizing and
// picture drawing.
#include "records/properties/record_page.h"

#include "database/nodes/change_hint.h"
#include "records/properties/properties_dlg.h"

#include "common/abort.h"
#include "database/dictionary/field_def.h"
#include "database/dictionary/record_type_table.h"
#include "database/multimedia/media_item.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/paths/data_path.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>

namespace {

/// The label of a large-only field that sits among the small box's fields.
constexpr int kLargeOnlyLabel = 1366;

void Erase(std::vector<CDataCtl*>& list, const CDataCtl* control)
{
    list.erase(std::remove(list.begin(), list.end(), control), list.end());
}

} // namespace

void CPictureAreaWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    m_draw(dc, client);
}

CRecordPage::CRecordPage(UINT templateId) : CPropertyPage(templateId) {}

CRecordPage::~CRecordPage()
{
    m_closing = true;
    DropPicture();
    if (GetSafeHwnd())
        DestroyWindow();
    m_grid.reset();
}

CRecordNode* CRecordPage::GetRecord() const
{
    return m_box ? m_box->GetRecord() : nullptr;
}

BOOL CRecordPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    BuildControls();
    return TRUE;
}

void CRecordPage::OnDestroy()
{
    m_closing = true;
    DropPicture();
    CPropertyPage::OnDestroy();
}

void CRecordPage::LoadFromRecord(const CPageState&)
{
    if (!m_loadEnabled || !m_built)
        return;
    CRecordNode* record = GetRecord();
    for (CDataCtl* control : std::vector<CDataCtl*>(m_controls)) {
        CDataNode* node = record ? FindControlField(*control, *record) : nullptr;
        if (node)
            node->UpdateFromControl(control, false, true);
        else
            control->Clear();
        control->GetWnd().Invalidate();
    }
    if (m_grid) {
        m_grid->SetRecord(record);
    } else if (m_hasPicture) {
        DropPicture();
        Invalidate();
    }
}

BOOL CRecordPage::Refresh(CView* sender, LPARAM hint, CObject* object)
{
    for (CDataCtl* control : std::vector<CDataCtl*>(m_controls))
        control->OnDataChanged(reinterpret_cast<CObject*>(sender), hint, object);
    if (hint != kHintRecordsEdited || !m_built || !GetSafeHwnd())
        return TRUE;
    if (m_shownPicture) {
        const CDataNode* holder = m_shownPicture->GetHolderNode();
        const CRecordNode* owner = holder ? holder->GetRecord() : nullptr;
        if (!owner || owner->IsPendingDeletion() || IsRecordListed(owner)) {
            DropPicture();
            Invalidate();
        }
    }
    CRecordNode* record = GetRecord();
    for (CDataCtl* control : std::vector<CDataCtl*>(m_controls)) {
        CDataNode* node = record ? FindControlField(*control, *record) : nullptr;
        if (node && !node->IsPendingDeletion()) {
            if (node->IsChanged()) {
                node->UpdateFromControl(control, false, true);
                control->GetWnd().Invalidate();
            }
        } else if (!control->IsEmpty()) {
            control->Clear();
            control->GetWnd().Invalidate();
        }
    }
    if (m_grid)
        m_grid->Refill(sender, long(hint), object);
    return TRUE;
}

void CRecordPage::OnDataCtlEdit(CDataCtl* control, CWnd* newFocus, BOOL)
{
    if (m_closing || !m_box || !control || control->IsDestroying() || !control->GetDataPath())
        return;
    CRecordNode* record = m_box->GetRecord();
    const bool newRecord = record == nullptr;
    bool made = false;
    if (newRecord) {
        if (control->IsEmpty())
            return;
        record = CreateRecordOfBoxType();
        if (!record) {
            NotifyChanges();
            return;
        }
        made = true;
    }
    try {
        const CDataPath& path = *control->GetDataPath();
        if (CDataNode* node = FindControlField(*control, *record)) {
            node->UpdateFromControl(control, true, !made);
        } else if (!control->IsEmpty()) {
            if (CDataNode* created = path.FindOrCreateNode(record)) {
                made = true;
                created->UpdateFromControl(control, true, false);
            }
        }
    } catch (...) {
        // The fields made before the failure are announced below.
        EndAbandonedOperation();
    }
    if (newRecord)
        m_box->SetRecord(record, nullptr);
    if (made)
        NotifyChanges();
    m_box->OnFocusMoved(control, newFocus);
}

void CRecordPage::OnCtlKillFocus(CDataCtl* control, CWnd* newFocus, BOOL forced)
{
    OnDataCtlEdit(control, newFocus, forced);
}

BOOL CRecordPage::CanChangeField(CDataCtl*, int fieldId, std::string& message)
{
    const CRecordNode* record = GetRecord();
    if (!record || !FindChildDefById(record->GetFieldDef(), fieldId))
        return TRUE;
    const CDataNode* child = record->FindChild(nullptr, fieldId);
    return !child || record->CanDeleteChild(child, message);
}

void CRecordPage::OnCtlDestroyed(CDataCtl* control)
{
    Erase(m_controls, control);
    Erase(m_largeOnly, control);
    if (m_growing == control)
        m_growing = nullptr;
}

CDataNode* CRecordPage::GetNodeForControl(CDataCtl* control)
{
    CRecordNode* record = GetRecord();
    if (GetTemplateId() == 173 && m_grid) {
        CTreeBoxNode* row = m_grid->GetBox().GetNextSelected(nullptr);
        return row && record ? CTagGrid::NodeOf(row) : nullptr;
    }
    if (!record || !control || !control->GetDataPath())
        return nullptr;
    return FindControlField(*control, *record);
}

CDataNode* CRecordPage::FindControlField(CDataCtl& control, CRecordNode& record)
{
    return control.GetDataPath()->FindNode(&record);
}

void CRecordPage::GetFirstPageState(CPageState& state) const
{
    state = {};
}

void CRecordPage::GetPageState(CPageState& state) const
{
    state = {};
}

void CRecordPage::CommitEdits()
{
    if (m_box)
        m_box->CommitFocusedControl();
}

void CRecordPage::SetFocusFirst()
{
    if (!m_controls.empty())
        m_controls.front()->GetWnd().SetFocus();
}

void CRecordPage::FocusDefault()
{
    // A note is its text: what the user types first goes there, not into the reference above.
    if (m_growing && m_box && m_box->GetType() &&
        m_box->GetType() == GetRecordTypeDef(RECORD_LIST_NOTE)) {
        m_growing->GetWnd().SetFocus();
        return;
    }
    SetFocusFirst();
}

BOOL CRecordPage::OnSetActive()
{
    CPropertyPage::OnSetActive();
    if (!m_activated && m_box && m_box->IsInitialised())
        SetLargeMode(m_box->IsLarge());
    m_activated = true;
    return TRUE;
}

void CRecordPage::SetLargeMode(bool large)
{
    m_large = large;
    ApplyPageHeight();
    for (CDataCtl* control : m_largeOnly)
        control->GetWnd().ShowWindow(large ? SW_SHOW : SW_HIDE);
    if (CWnd* label = GetDlgItem(kLargeOnlyLabel))
        label->ShowWindow(large ? SW_SHOW : SW_HIDE);
}

void CRecordPage::OnSize(UINT type, int cx, int cy)
{
    CPropertyPage::OnSize(type, cx, cy);
    if (m_built)
        ApplyPageHeight();
}

void CRecordPage::ApplyPageHeight()
{
    if (!GetSafeHwnd() || !m_box || !m_box->IsInitialised())
        return;
    const int height = m_box->GetSmallPageBottom() + (m_large ? m_box->GetLargeDifference() : 0);
    if (m_grid && m_grid->GetSafeHwnd()) {
        const CRect rect = ChildRect(*m_grid);
        m_grid->MoveWindow(rect.left, rect.top, rect.Width(), std::max(0, height - 1 - rect.top));
    } else if (m_hasPicture) {
        DropPicture();
        m_pictureRect.bottom = std::max(m_pictureRect.top, height - m_pictureGap);
        Invalidate();
    }
    if (m_growing) {
        CWnd& wnd = m_growing->GetWnd();
        const CRect rect = ChildRect(wnd);
        wnd.MoveWindow(rect.left, rect.top, rect.Width(),
                       std::max(0, height - m_growingGap - int(rect.top)));
    }
}

void CRecordPage::DropPicture()
{
    if (m_shownPicture) {
        CMediaItem* item = m_shownPicture;
        m_shownPicture = nullptr;
        item->Unlock();
    }
}

CMediaItem* CRecordPage::FindRecordPicture() const
{
    CRecordNode* record = GetRecord();
    if (!record)
        return nullptr;
    if (auto* object = dynamic_cast<CObjRec*>(record))
        return object;
    CDataNode* link = nullptr;
    return record->GetNextLinkedPicture(link, true, nullptr);
}

BOOL CRecordPage::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_3DFACE));
    return TRUE;
}

void CRecordPage::OnPaint()
{
    if (!m_hasPicture) {
        CPropertyPage::OnPaint();
        return;
    }
    CPaintDC dc(this);
    DrawPicture(dc, FindRecordPicture(), nullptr, nullptr);
}

void CRecordPage::DrawPicture(CDC& dc, CMediaItem* item, const RECT* crop, const RECT* rect)
{
    const CRect target = rect ? CRect(*rect) : m_pictureRect;
    if (item != m_shownPicture) {
        if (item)
            item->Lock();
        DropPicture();
        m_shownPicture = item;
    }
    dc.FillSolidRect(&target, GetSysColor(COLOR_WINDOW));
    dc.Draw3dRect(&target, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHILIGHT));
    const char* message = nullptr;
    if (!item)
        message = "No picture";
    else if (!item->DrawFitted(dc, target, crop))
        message = "Unable to locate or display picture";
    if (message) {
        CRect text = target;
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
        dc.DrawText(message, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

CRect CRecordPage::ChildRect(const CWnd& child) const
{
    CRect rect;
    child.GetWindowRect(&rect);
    ScreenToClient(&rect);
    return rect;
}

CRect CRecordPage::ChildRect(int id) const
{
    const CWnd* child = GetDlgItem(id);
    return child ? ChildRect(*child) : CRect();
}

CRecordNode* CRecordPage::CreateRecordOfBoxType() const
{
    try {
        CDataNode* root = m_box ? GetRecordTypeRootForDef(m_box->GetType()) : nullptr;
        return root ? dynamic_cast<CRecordNode*>(root->CreateChild(nullptr)) : nullptr;
    } catch (...) {
        EndAbandonedOperation();
        return nullptr;
    }
}

CDataCtl* CRecordPage::FindControlByField(int fieldId) const
{
    for (CDataCtl* control : m_controls) {
        const CFieldDef* last = control->GetDataPath()->GetLastField();
        if (last && last->GetFieldId() == fieldId)
            return control;
    }
    return nullptr;
}
