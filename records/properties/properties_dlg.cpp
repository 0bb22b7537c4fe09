// records/properties/properties_dlg.cpp: the box's making, SetRecord, the selection labels, change
// notices, commits and closing.
#include "records/properties/properties_dlg.h"

#include "database/nodes/change_hint.h"
#include "records/grid/main_window_keys.h"
#include "records/properties/box_placement.h"
#include "records/properties/record_page.h"
#include "records/properties/record_page_factory.h"
#include "records/properties/source_citation_pane.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_tracking.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>

namespace {

constexpr UINT kPlaceholderTemplate = 196;
/// Posted to the box: delete the pages taken out of it.
constexpr UINT kMsgDeleteRetired = WM_USER + 0x125;
constexpr std::size_t kCaptionLimit = 59;

} // namespace

const CRuntimeClass* CPropertiesDlg::GetRuntimeClass() const
{
    return RuntimeClassOf<CPropertiesDlg>();
}

CPropertiesDlg::CPropertiesDlg(CWnd* parent) : CPropertySheet("Record Properties", parent)
{
    auto* placeholder = new CRecordPage(kPlaceholderTemplate);
    placeholder->SetBox(this);
    AddPage(placeholder);
}

CPropertiesDlg::~CPropertiesDlg()
{
    m_closing = true;
    m_pane.reset();
    while (GetPageCount() > 0)
        delete GetPage(0);
    m_retired.clear();
}

BOOL CPropertiesDlg::CreateBox(CWnd* parent)
{
    return Create(parent, WS_POPUP | WS_CAPTION | WS_SYSMENU);
}

CRecordPage* CPropertiesDlg::GetRecordPage(int index) const
{
    return dynamic_cast<CRecordPage*>(GetPage(index));
}

BOOL CPropertiesDlg::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    m_history.Reset();
    const CDialogTemplate* page = AppResources().FindDialog(kPlaceholderTemplate);
    const CSize units = GetDialogBaseUnits(page ? page->GetFont() : LOGFONT{});
    RECT small{0, 0, 253, 86}, large{0, 0, 253, 266};
    ::MapDialogRect(units, small);
    ::MapDialogRect(units, large);
    m_pageWidth = small.right;
    m_smallHeight = small.bottom;
    m_largeDifference = large.bottom - small.bottom;
    for (CStatic* label : {&m_noSelection, &m_multiple}) {
        const bool none = label == &m_noSelection;
        label->Create(none ? "No record selection" : "Multiple record selection",
                      WS_CHILD | SS_CENTER, CRect(), this,
                      none ? IDC_PROP_NO_SELECTION : IDC_PROP_MULTIPLE);
    }
    CreateButtons();
    m_initialised = true;
    Layout();
    CRect box;
    GetWindowRect(&box);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - box.Width()) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - box.Height()) / 2;
    MoveWindow(x, y - std::min(y, 90), box.Width(), box.Height());
    if (CRecordPage* first = GetRecordPage(0))
        first->SetLargeMode(m_large);
    UpdateButtons();
    return TRUE;
}

void CPropertiesDlg::SetRecord(CRecordNode* record, const CFieldDef* type, int sizeMode,
                               const RECT* avoid, bool noHistory, const CPageState& first,
                               int pageIndex, const CPageState& pageState)
{
    if (!GetSafeHwnd() || m_closing)
        return;
    m_recordLost = false;
    if (!noHistory)
        RecordHistory();
    RememberActiveCaption();
    if (!record && type && GetRecordTypeIndex(type) == RECORD_LIST_HEAD) {
        const CDataNode* root = GetRecordTypeRootForDef(type);
        record = root ? dynamic_cast<CRecordNode*>(root->GetFirstChild()) : nullptr;
    }
    if (!record)
        SetPinned(false);
    const CFieldDef* newType = record ? record->GetFieldDef() : type;
    if (newType && newType == m_type) {
        if (!record || record != m_record) {
            m_record = record;
            LoadPages(first, pageIndex, pageState);
            PointPane(record);
            ApplySizeMode(sizeMode);
        }
        if (pageIndex >= 0 && pageIndex != GetActiveIndex())
            SetActivePage(pageIndex);
    } else if (newType) {
        RemoveAllPages();
        m_noSelection.ShowWindow(SW_HIDE);
        m_multiple.ShowWindow(SW_HIDE);
        m_labelShown = false;
        GetTabControl()->ShowWindow(SW_SHOW);
        m_type = newType;
        m_record = record;
        m_selectionKind = 0;
        CreatePages();
        PointPane(record);
        ApplySizeMode(sizeMode);
        Layout(); // the new row of tabs may need a wider box
        if (first != CPageState{} || (pageIndex >= 0 && pageState != CPageState{}))
            LoadPages(first, pageIndex, pageState);
        SelectPage(pageIndex);
    }
    if (avoid)
        MoveOff(*avoid);
    if (!IsWindowVisible())
        ShowWindow(SW_SHOW);
    if (!m_record)
        if (CRecordPage* page = GetRecordPage(GetActiveIndex()))
            page->SetFocusFirst();
    if (sizeMode == kPropSizeLargeWithSources)
        ShowSources(true);
    else if (sizeMode == kPropSizeSmall || sizeMode == kPropSizeLarge)
        ShowSources(false);
    UpdateButtons();
    UpdateCaption();
}

void CPropertiesDlg::RememberActiveCaption()
{
    if (const CPropertyPage* page = GetActivePage())
        m_rememberedCaption = page->GetCaption().substr(0, kCaptionLimit);
}

void CPropertiesDlg::CreatePages()
{
    for (const int templateId : GetRecordPageTemplates(m_type)) {
        CRecordPage* page = MakeRecordPage(UINT(templateId));
        if (!page)
            continue;
        page->SetBox(this);
        AddPage(page);
        page->OnPageAdded();
    }
}

void CPropertiesDlg::LoadPages(const CPageState& first, int pageIndex, const CPageState& pageState)
{
    for (int i = 0; i < GetPageCount(); ++i) {
        CRecordPage* page = GetRecordPage(i);
        if (!page)
            continue;
        page->LoadFromRecord(i == pageIndex ? pageState : i == 0 ? first : CPageState{});
    }
}

void CPropertiesDlg::SelectPage(int index)
{
    if (index >= 0 && index < GetPageCount()) {
        SetActivePage(index);
        return;
    }
    for (int i = 0; i < GetPageCount(); ++i) {
        if (GetPage(i)->GetCaption() == m_rememberedCaption) {
            SetActivePage(i);
            return;
        }
    }
    if (GetPageCount() > 0)
        SetActivePage(0);
}

void CPropertiesDlg::ApplySizeMode(int sizeMode)
{
    if ((sizeMode == kPropSizeLarge || sizeMode == kPropSizeLargeWithSources) && !m_large)
        SetLargeMode(true);
    else if (sizeMode == kPropSizeSmall && m_large)
        SetLargeMode(false);
}

void CPropertiesDlg::MoveOff(const RECT& avoid)
{
    CRect box;
    GetWindowRect(&box);
    const CRect moved = PlaceAvoiding(box, CRect(avoid), GetSystemMetrics(SM_CYSCREEN));
    if (moved != box)
        MoveWindow(moved);
}

void CPropertiesDlg::RetirePage(int index)
{
    CRecordPage* page = GetRecordPage(index);
    RemovePage(index);
    if (!page)
        return;
    const bool first = m_retired.empty();
    m_retired.emplace_back(page);
    if (first)
        PostMessage(kMsgDeleteRetired);
}

void CPropertiesDlg::DeleteRetiredPages()
{
    m_retired.clear();
}

void CPropertiesDlg::RemoveAllPages()
{
    RememberActiveCaption();
    const int active = GetActiveIndex();
    for (int i = GetPageCount() - 1; i > active; --i)
        RetirePage(i);
    for (int i = active - 1; i >= 0; --i)
        RetirePage(i);
    while (GetPageCount() > 0)
        RetirePage(GetPageCount() - 1);
    m_type = nullptr;
    m_record = nullptr;
    UpdateCaption();
    PointPane(nullptr);
}

void CPropertiesDlg::SetSelectionState(int count, bool reset)
{
    m_recordLost = false;
    if (reset)
        ResetHistory();
    else
        RecordHistory();
    if (!m_type && m_labelShown && count == m_selectionKind)
        return;
    m_selectionKind = count;
    RemoveAllPages();
    GetTabControl()->ShowWindow(SW_HIDE);
    ShowLabel(count);
    UpdateButtons();
}

void CPropertiesDlg::ShowLabel(int count)
{
    m_noSelection.ShowWindow(count == 0 ? SW_SHOW : SW_HIDE);
    m_multiple.ShowWindow(count == 0 ? SW_HIDE : SW_SHOW);
    m_labelShown = true;
}

void CPropertiesDlg::ResetHistory()
{
    m_history.Reset();
}

void CPropertiesDlg::OnDocUpdate(CView* sender, LPARAM hint, CObject* object)
{
    if (!GetSafeHwnd() || m_closing)
        return;
    switch (hint) {
    case kHintRecordsEdited:
        if (m_record && m_record->IsPendingDeletion()) {
            SetSelectionState(0, true);
            m_recordLost = true;
            break;
        }
        if (!HasNoDeletedChanges())
            ResetHistory();
        for (int i = 0; i < GetPageCount(); ++i) {
            CRecordPage* page = GetRecordPage(i);
            if (page && !page->Refresh(sender, hint, object)) {
                SetSelectionState(0, true);
                m_recordLost = true;
                break;
            }
        }
        if (m_pane)
            m_pane->Refresh(sender, hint, object);
        if (!m_record || IsRecordListed(m_record))
            UpdateCaption();
        break;
    case kHintDataSetClearing:
    case kHintFileLoaded:
        SetSelectionState(0, true);
        if (m_pane)
            m_pane->Refresh(sender, hint, object);
        UpdateCaption();
        break;
    case kHintDisplayOptionsApplied: // or kHintViewsRedrawn, the same number
        Invalidate();
        UpdateCaption();
        break;
    default:
        break;
    }
    UpdateButtons();
}

void CPropertiesDlg::CommitFocusedControl()
{
    // A citation detail being edited is stored by the pane itself.
    if (m_pane)
        m_pane->CommitFocusedDetail();
    CRecordPage* page = nullptr;
    CDataCtl* control = FindFocusedControl(page);
    if (!control)
        return;
    CDataNode* node = page->GetNodeForControl(control);
    control->CommitEdit();
    page->OnDataCtlEdit(control, nullptr, TRUE);
    if (m_pane)
        m_pane->SelectField(node && !node->IsPendingDeletion() ? node : nullptr);
}

void CPropertiesDlg::ForwardToActivePage()
{
    CRecordPage* page = GetRecordPage(GetActiveIndex());
    if (!page)
        page = GetRecordPage(0);
    if (!page)
        return;
    page->FocusDefault();
    // A page without a field to focus (the Events page) gives it to its first control that the
    // Tab key reaches, as a dialog given the focus does.
    for (const CWnd* focus = CWnd::GetFocus(); focus; focus = focus->GetParent())
        if (focus == page)
            return;
    page->NextDlgCtrl();
}

void CPropertiesDlg::Close()
{
    CommitFocusedControl();
    m_closing = true;
    m_pane.reset();
    RemoveAllPages();
    DestroyWindow();
}

BOOL CPropertiesDlg::PreTranslateMessage(MSG* msg)
{
    if (CPropertySheet::PreTranslateMessage(msg))
        return TRUE;
    if (!MainWindowKeyCommand(*msg))
        return FALSE;
    CRecordPage* page = nullptr;
    if (msg->wParam == VK_F5 && FindFocusedControl(page))
        return FALSE;
    const MSG key = *msg;
    CommitFocusedControl();
    return TranslateMainWindowKey(key);
}

BOOL CPropertiesDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDCANCEL) {
        Close();
        return TRUE;
    }
    return CPropertySheet::OnCommand(wParam, lParam);
}

void CPropertiesDlg::OnDestroy()
{
    m_closing = true;
    CPropertySheet::OnDestroy();
}

LRESULT CPropertiesDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kMsgDeleteRetired) {
        DeleteRetiredPages();
        return 0;
    }
    return CPropertySheet::WindowProc(message, wParam, lParam);
}
