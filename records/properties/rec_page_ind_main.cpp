// records/properties/rec_page_ind_main.cpp: the individual's Main page: building, loading,
// navigation, drawing and the editing of relatives.
#include "records/properties/rec_page_ind_main.h"

#include "records/properties/properties_dlg.h"
#include "records/properties/sex_change_rules.h"

#include "common/abort.h"
#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/kin/relative_dialogs.h"
#include "database/nodes/change_tracking.h"
#include "database/paths/data_path.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"
#include "platform/base/flag_guard.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/frames/menu.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>

namespace {

constexpr int kParentsButton = 1104, kSpouseGo = 1094, kSpouseArrows = 1279, kChildArrows = 1278,
              kScrollBar = 1102, kChildCount = 1103, kTabs = 1090;
constexpr int kMarkers[4] = {1108, 1107, 1106, 1105};
constexpr int kNumbers[4] = {1086, 1087, 1088, 1089};
constexpr int kSexEdits[4] = {1096, 1097, 1083, 1084};
constexpr int kChildGo[4] = {1098, 1099, 1100, 1101};
constexpr int kConnectorAreas[3] = {1091, 1092, 1093};
constexpr UINT kConnectorBitmaps[3] = {192, 194, 193};
constexpr int kConnectorHeights[3] = {48, 40, 57};
constexpr UINT kUpBitmap = 235, kDownBitmap = 236;
constexpr const char* kAddParent = "< click here to add parent >";
constexpr const char* kAddSpouse = "< click here to add spouse >";
constexpr const char* kAddChild = "< click here to add child >";
constexpr const char* kAddSibling = "< click here to add sibling >";
constexpr const char* kLinkAsSiblingTitle = "Select Individual to Link as Sibling";
constexpr const char* kBlankTab = "      ";

void SetText(CDataCtl* control, const std::string& text)
{
    if (control)
        control->SetValueText(text);
}

std::string NameOf(const CIndRec* individual, int size)
{
    if (!individual)
        return "<no spouse>";
    std::vector<char> buffer(std::size_t(size), '\0');
    individual->GetGivenName(buffer.data(), size);
    return buffer.data();
}

char SexLetter(const CIndRec* individual)
{
    const int sex = individual ? individual->GetSex() : SEX_UNDETERMINED;
    return sex == SEX_MALE ? 'M' : sex == SEX_FEMALE ? 'F' : '\0';
}

} // namespace

CRecPageIndMain::CRecPageIndMain() : CRecordPage(kTemplate)
{
    m_view.Reset();
}

CRecPageIndMain::~CRecPageIndMain() = default;

int CRecPageIndMain::RowHoldingFocus()
{
    for (const CWnd* focus = CWnd::GetFocus(); focus && focus != this; focus = focus->GetParent()) {
        for (int r = 0; r < kChildRows; ++r) {
            if (focus == GetDlgItem(kSexEdits[r]))
                return r;
            for (CDataCtl* control : m_childCtls[r])
                if (focus == &control->GetWnd())
                    return r;
        }
    }
    return -1;
}

CIndRec* CRecPageIndMain::Individual() const
{
    return AsIndividual(GetRecord());
}

CIndRec* CRecPageIndMain::Partner() const
{
    return GetViewPartner(m_view, Individual());
}

// ---- Building ---------------------------------------------------------------------------------

BOOL CRecPageIndMain::OnInitDialog()
{
    SetLoadEnabled(false);
    CRecordPage::OnInitDialog();
    SetLoadEnabled(true);
    if (!GetDataControls().empty())
        m_nameCtl = GetDataControls().front();
    for (CDataCtl* control : GetDataControls()) {
        const CFieldDef* def = control->GetBoundFieldDef();
        if (def && def->GetFieldId() == FIELD_SEX)
            m_sexCtl = control;
    }
    for (int i = 0; i < 3; ++i)
        m_connectors[i].LoadBitmap(kConnectorBitmaps[i]);
    int highest = 0;
    for (std::size_t i = 0; i < GetTemplateItemCount(); ++i)
        if (const CWnd* child = GetTemplateItem(i); child && child->GetSafeHwnd())
            highest = std::max(highest, child->GetDlgCtrlID());
    m_nextId = UINT(highest + 200);
    MakeArrows(kSpouseArrows, m_spouseUp, m_spouseDown);
    MakeArrows(kChildArrows, m_childUp, m_childDown);
    BuildFamilyPanels();
    for (int i = 0; i < 3; ++i) {
        if (CWnd* area = GetDlgItem(kConnectorAreas[i])) {
            area->ShowWindow(SW_HIDE);
            m_connectorWnds[i].SetPicture(&m_connectors[i], kConnectorHeights[i]);
            m_connectorWnds[i].CreateEx(0, nullptr, "", WS_CHILD, ChildRect(*area), this,
                                        m_nextId++);
        }
    }
    struct Tip {
        CWnd* window;
        const char* text;
    };
    const Tip tips[] = {{&m_spouseUp, "Move Spouse Up"},
                        {&m_spouseDown, "Move Spouse Down"},
                        {&m_childUp, "Move Child Up"},
                        {&m_childDown, "Move Child Down"},
                        {GetDlgItem(kParentsButton), "Go To Parents"},
                        {GetDlgItem(kSpouseGo), "Go To Spouse"}};
    for (const Tip& tip : tips)
        if (tip.window && tip.window->GetSafeHwnd())
            tip.window->SetToolTipText(tip.text);
    for (const int id : kChildGo)
        if (CWnd* go = GetDlgItem(id))
            go->SetToolTipText("Go To Child");
    for (const int id : kSexEdits)
        if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(id)))
            edit->LimitText(1);
    {
        const CFlagGuard loading(m_loading);
        LoadFromRecord({});
    }
    return TRUE;
}

void CRecPageIndMain::MakeArrows(int frameId, CUButton& up, CUButton& down)
{
    CWnd* frame = GetDlgItem(frameId);
    if (!frame)
        return;
    const CRect rect = ChildRect(*frame);
    const CRect downRect(rect.right - 16, rect.top, rect.right, rect.top + 16);
    const CRect upRect(downRect.left - 16, rect.top, downRect.left, rect.top + 16);
    up.CreateButton(WS_CHILD | WS_VISIBLE, upRect, this, m_nextId++, this, 9, 11, kUpBitmap, 4, 0,
                    0);
    down.CreateButton(WS_CHILD | WS_VISIBLE, downRect, this, m_nextId++, this, 9, 11, kDownBitmap,
                      4, 0, 0);
}

void CRecPageIndMain::BuildFamilyPanels()
{
    for (std::size_t i = 0; i < GetTemplateItemCount(); ++i) {
        CWnd* placeholder = GetTemplateItem(i);
        if (!placeholder || !placeholder->GetSafeHwnd())
            continue;
        std::string text;
        placeholder->GetWindowText(text);
        if (text.size() <= 6 || !text.starts_with("IM") || text[4] != '!' || text[5] != '~')
            continue;
        const char panel = text[3];
        auto path = std::make_unique<CDataPath>();
        if (!path->ParseText(text.substr(6)))
            continue;
        const CFieldDef* last = path->GetLastField();
        const CControlClass* controlClass = last ? last->GetControlClass() : nullptr;
        CDataCtl* control = controlClass ? controlClass->Create() : nullptr;
        if (!control)
            continue;
        const bool isName = last->GetFieldId() == FIELD_NAME;
        if (!control->CreateCtl(FALSE, ChildRect(*placeholder), this, nullptr, m_nextId++, this,
                                std::move(path), 1)) {
            control->DestroyCtl(FALSE);
            continue;
        }
        control->Clear();
        control->GetWnd().SetTabOrderAfter(placeholder);
        control->GetWnd().ShowWindow(SW_SHOW);
        if (panel == 'P') {
            m_spouseCtls.push_back(control);
            if (isName)
                m_spouseNameCtl = control;
        } else if (panel == 'A') {
            m_familyCtls.push_back(control);
        } else if (panel >= '1' && panel <= '4') {
            const int row = panel - '1';
            m_childCtls[row].push_back(control);
            if (isName)
                m_childNameCtl[row] = control;
        }
        placeholder->DestroyWindow();
    }
}

CRecPageIndMain::Panel CRecPageIndMain::PanelOf(const CDataCtl* control, int& row) const
{
    row = -1;
    auto in = [&](const std::vector<CDataCtl*>& list) {
        return std::find(list.begin(), list.end(), control) != list.end();
    };
    if (in(m_spouseCtls))
        return kPanelSpouse;
    if (in(m_familyCtls))
        return kPanelFamily;
    for (int r = 0; r < kChildRows; ++r) {
        if (in(m_childCtls[r])) {
            row = r;
            return kPanelChild;
        }
    }
    return in(GetDataControls()) ? kPanelMain : kPanelNone;
}

void CRecPageIndMain::OnCtlDestroyed(CDataCtl* control)
{
    auto drop = [&](std::vector<CDataCtl*>& list) {
        list.erase(std::remove(list.begin(), list.end(), control), list.end());
    };
    drop(m_spouseCtls);
    drop(m_familyCtls);
    for (int r = 0; r < kChildRows; ++r) {
        drop(m_childCtls[r]);
        if (m_childNameCtl[r] == control)
            m_childNameCtl[r] = nullptr;
    }
    if (m_spouseNameCtl == control)
        m_spouseNameCtl = nullptr;
    if (m_nameCtl == control)
        m_nameCtl = nullptr;
    if (m_sexCtl == control)
        m_sexCtl = nullptr;
    CRecordPage::OnCtlDestroyed(control);
}

// ---- Loading ----------------------------------------------------------------------------------

void CRecPageIndMain::GetFirstPageState(CPageState& state) const
{
    state.m_kind = 1;
    state.m_first = m_view.PackKind();
    state.m_second = m_view.PackFocus();
}

void CRecPageIndMain::LoadFromRecord(const CPageState& state)
{
    if (!m_nameCtl)
        return;
    const bool restoring = state.m_kind != 0;
    if (restoring)
        m_view = CIndividualViewState::Unpack(state.m_first, state.m_second);
    CIndRec* individual = Individual();
    m_view.Settle(individual, restoring, m_loading);
    // Another record shown: the marker goes to the row that holds the focus now, if any.
    if (!m_loading)
        m_focusRow = RowHoldingFocus();
    if (CWnd* parents = GetDlgItem(kParentsButton); parents && IsLarge())
        parents->ShowWindow(individual ? SW_SHOW : SW_HIDE);
    FillMainPanel();
    if (!IsLarge() && individual)
        return;
    FillTabs();
    UpdateSpousePanel();
    UpdateChildRows(m_loading);
    UpdateSpouseArrows();
}

void CRecPageIndMain::ShowIn(std::vector<CDataCtl*>& controls, CRecordNode* record, bool editable)
{
    for (CDataCtl* control : std::vector<CDataCtl*>(controls)) {
        control->SetReadOnly(editable ? FALSE : TRUE);
        CDataNode* node =
            record && control->GetDataPath() ? control->GetDataPath()->FindNode(record) : nullptr;
        if (node && !node->IsPendingDeletion())
            node->UpdateFromControl(control, false, false);
        else
            control->Clear();
        control->GetWnd().Invalidate();
    }
}

void CRecPageIndMain::FillMainPanel()
{
    std::vector<CDataCtl*> controls = GetDataControls();
    if (!Individual() && m_view.IsMissingParent(nullptr)) {
        ShowIn(controls, nullptr, false);
        SetText(m_nameCtl, kAddParent);
        return;
    }
    ShowIn(controls, Individual(), true);
}

void CRecPageIndMain::FillTabs()
{
    auto* tabs = dynamic_cast<CTabCtrl*>(GetDlgItem(kTabs));
    if (!tabs)
        return;
    tabs->DeleteAllItems();
    CIndRec* individual = Individual();
    int current = -1;
    if (individual && individual->GetSex() != SEX_UNDETERMINED) {
        for (CFamRec* family = individual->GetNextSpouseFamily(nullptr); family;
             family = individual->GetNextSpouseFamily(family)) {
            const std::string text = NameOf(individual->GetSpouseInFamily(family), 100);
            const int index = tabs->GetItemCount();
            if (tabs->InsertItem(index, text.c_str(), LPARAM(family)) < 0)
                ThrowAbort();
            if (family == FocusFamily())
                current = index;
        }
        if (current < 0 && tabs->GetItemCount() > 0) {
            current = 0;
            m_view.m_focus = individual->GetNextSpouseFamily(nullptr);
            m_view.m_firstChild = 0;
        }
    } else if (!individual && m_sexCtl) {
        if (const CIndRec* partner = Partner())
            m_sexCtl->SetListSelection(partner->GetSex() == SEX_MALE ? SEX_FEMALE : SEX_MALE);
    }
    tabs->InsertItem(tabs->GetItemCount(), kBlankTab, 0);
    if (current < 0 && individual)
        current = tabs->GetItemCount() - 1;
    tabs->SetCurSel(std::max(current, 0));
}

void CRecPageIndMain::UpdateSpousePanel()
{
    CIndRec* partner = Partner();
    ShowIn(m_spouseCtls, partner, partner != nullptr);
    if (CWnd* go = GetDlgItem(kSpouseGo))
        go->ShowWindow(partner && IsLarge() ? SW_SHOW : SW_HIDE);
    if (!partner && Individual() && m_view.m_kind == CIndividualViewState::kFamilyView)
        SetText(m_spouseNameCtl, kAddSpouse);
    CFamRec* family = FocusFamily();
    ShowIn(m_familyCtls, family, family != nullptr);
    UpdateChildRows(m_loading);
    UpdateSpouseArrows();
}

void CRecPageIndMain::UpdateSpouseArrows()
{
    const auto* tabs = dynamic_cast<const CTabCtrl*>(GetDlgItem(kTabs));
    const int current = tabs ? tabs->GetCurSel() : -1;
    const int count = tabs ? tabs->GetItemCount() : 0;
    if (m_spouseUp.GetSafeHwnd()) {
        m_spouseUp.EnableWindow(Individual() && current > 0);
        m_spouseDown.EnableWindow(Individual() && current >= 0 && current < count - 1);
    }
}

void CRecPageIndMain::UpdateChildRows(bool keepGaps)
{
    if (m_view.m_kind == CIndividualViewState::kOrphanView) {
        CIndRec* focus = m_view.GetFocusIndividual();
        if (!(m_children.GetSize() == 1 && m_children.At(0) == focus))
            m_children.SetSingle(focus);
        m_view.m_firstChild = 0;
    } else if (keepGaps) {
        m_children.RebuildKeepingGaps(FocusFamily());
    } else {
        m_children.Rebuild(FocusFamily());
    }
    const bool withRecord = Individual() != nullptr;
    int number = m_children.CountChildrenBefore(m_view.m_firstChild);
    bool promptShown = false;
    for (int r = 0; r < kChildRows; ++r) {
        CIndRec* child = m_children.At(m_view.m_firstChild + r);
        auto* sex = dynamic_cast<CEdit*>(GetDlgItem(kSexEdits[r]));
        if (child) {
            SetDlgItemText(kNumbers[r], std::to_string(++number) + ".");
            if (CWnd* go = GetDlgItem(kChildGo[r]))
                go->ShowWindow(IsLarge() ? SW_SHOW : SW_HIDE);
            ShowIn(m_childCtls[r], child, true);
            if (sex) {
                sex->SetReadOnly(FALSE);
                const char letter = SexLetter(child);
                sex->SetWindowText(letter ? std::string(1, letter) : std::string());
            }
            continue;
        }
        SetDlgItemText(kNumbers[r], "");
        if (CWnd* go = GetDlgItem(kChildGo[r]))
            go->ShowWindow(SW_HIDE);
        ShowIn(m_childCtls[r], nullptr, false);
        if (sex) {
            sex->SetWindowText("");
            sex->SetReadOnly(TRUE);
        }
        if (!promptShown) {
            promptShown = true;
            const bool family = m_view.m_kind == CIndividualViewState::kFamilyView;
            if (family && withRecord)
                SetText(m_childNameCtl[r], kAddChild);
            else if ((family && FocusFamily()) ||
                     m_view.m_kind == CIndividualViewState::kOrphanView)
                SetText(m_childNameCtl[r], kAddSibling);
        }
    }
    UpdateMarkers();
    UpdateScrollBar();
}

void CRecPageIndMain::UpdateMarkers()
{
    for (int r = 0; r < kChildRows; ++r)
        SetDlgItemText(kMarkers[r], r == m_focusRow ? ">" : "");
    const bool canMove =
        m_view.m_kind == CIndividualViewState::kFamilyView && FocusFamily() && m_focusRow >= 0;
    const int index = m_view.m_firstChild + m_focusRow;
    if (m_childUp.GetSafeHwnd()) {
        m_childUp.EnableWindow(canMove && m_children.CanMoveUp(index));
        m_childDown.EnableWindow(canMove && m_children.CanMoveDown(index));
    }
}

void CRecPageIndMain::UpdateScrollBar()
{
    const int count = m_children.CountChildren();
    SetDlgItemText(kChildCount, count >= 1 ? std::to_string(count) : "");
    auto* bar = dynamic_cast<CScrollBar*>(GetDlgItem(kScrollBar));
    if (!bar)
        return;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = m_children.GetScrollMax(m_view.m_firstChild);
    info.nPage = kChildRows;
    info.nPos = m_view.m_firstChild;
    bar->SetScrollInfo(&info, TRUE);
}

void CRecPageIndMain::Reload()
{
    const CFlagGuard loading(m_loading);
    LoadFromRecord({});
}

BOOL CRecPageIndMain::Refresh(CView* sender, LPARAM hint, CObject* object)
{
    const BOOL base = CRecordPage::Refresh(sender, hint, object);
    for (auto* list : {&m_spouseCtls, &m_familyCtls})
        for (CDataCtl* control : std::vector<CDataCtl*>(*list))
            control->OnDataChanged(reinterpret_cast<CObject*>(sender), hint, object);
    for (auto& list : m_childCtls)
        for (CDataCtl* control : std::vector<CDataCtl*>(list))
            control->OnDataChanged(reinterpret_cast<CObject*>(sender), hint, object);
    if (!GetSafeHwnd() || !m_nameCtl)
        return base;
    CIndRec* individual = Individual();
    if (m_view.m_kind == CIndividualViewState::kOrphanView) {
        CIndRec* focus = m_view.GetFocusIndividual();
        if (!focus || focus->IsPendingDeletion()) {
            m_view.Reset();
            if (GetBox())
                GetBox()->SetRecord(nullptr, GetRecordTypeDef(RECORD_LIST_INDI));
            return FALSE;
        }
        if (CFamRec* family = focus->GetNextParentFamily(nullptr)) {
            m_view = {CIndividualViewState::kFamilyView, family, 0};
            CIndRec* parent = family->GetHusband() ? family->GetHusband() : family->GetWife();
            if (parent && GetBox())
                GetBox()->SetRecord(parent, nullptr);
            else
                Reload();
        }
        return TRUE;
    }
    CFamRec* family = FocusFamily();
    if (family && family->IsPendingDeletion()) {
        m_view.m_focus = nullptr;
        Reload();
        return TRUE;
    }
    if (!individual && family && family->GetHusband() && family->GetWife() && GetBox()) {
        int position = -1;
        if (m_sexCtl)
            m_sexCtl->GetListSelection(position);
        GetBox()->SetRecord(position == SEX_MALE ? family->GetHusband() : family->GetWife(),
                            nullptr);
        return TRUE;
    }
    // The family panels follow the data; the individual's own fields were refreshed by the base,
    // which keeps what is being typed into a field that did not change.
    const CFlagGuard loading(m_loading);
    m_view.Settle(individual, true, true);
    if (!individual)
        FillMainPanel();
    if (IsLarge()) {
        FillTabs();
        UpdateSpousePanel();
    }
    return TRUE;
}

// ---- Committing -------------------------------------------------------------------------------

void CRecPageIndMain::WriteInto(CRecordNode* record, CDataCtl* control, bool show)
{
    const CDataPath* path = control->GetDataPath();
    if (!record || !path)
        return;
    if (CDataNode* node = path->FindNode(record)) {
        node->UpdateFromControl(control, !show, false);
    } else if (!control->IsEmpty()) {
        if (CDataNode* made = path->FindOrCreateNode(record))
            made->UpdateFromControl(control, !show, false);
    }
}

int CRecPageIndMain::SexForNewRelative(const std::string& question)
{
    if (const CIndRec* individual = Individual();
        individual && individual->GetSex() != SEX_UNDETERMINED)
        return individual->GetSex();
    int position = -1;
    if (m_sexCtl && m_sexCtl->GetListSelection(position) && (position == 0 || position == 1))
        return position;
    const int sex = AskSexOf(question);
    return sex == SEX_MALE || sex == SEX_FEMALE ? sex : -1;
}

void CRecPageIndMain::OnDataCtlEdit(CDataCtl* control, CWnd* newFocus, BOOL)
{
    if (m_inCommit || !control || control->IsDestroying() || !control->GetDataPath() || !GetBox())
        return;
    if (control->IsReadOnly() && !m_creatingNew)
        return;
    {
        const CFlagGuard committing(m_inCommit);
        int row = -1;
        const Panel panel = PanelOf(control, row);
        try {
            if (control == m_sexCtl)
                ChangeSex(control);
            else if (panel == kPanelMain)
                CommitMain(control);
            else if (panel == kPanelSpouse)
                CommitSpouse(control);
            else if (panel == kPanelFamily)
                CommitFamily(control);
            else if (panel == kPanelChild)
                CommitChild(row, control, -1);
        } catch (...) {
            // What was made before the failure is announced.
            NotifyChanges();
            EndAbandonedOperation();
        }
    }
    UpdateMarkers();
    if (GetBox())
        GetBox()->OnFocusMoved(control, newFocus);
}

void CRecPageIndMain::CommitMain(CDataCtl* control)
{
    CIndRec* individual = Individual();
    if (individual) {
        WriteInto(individual, control, false);
        NotifyChanges();
        return;
    }
    if (m_view.m_kind == CIndividualViewState::kFamilyView && !m_view.m_focus) {
        if (control->IsEmpty())
            return;
        CRecordNode* made =
            static_cast<CRecordNode*>(GetRecordTypeRoot(RECORD_LIST_INDI)->CreateChild(nullptr));
        if (!made) {
            NotifyChanges();
            return;
        }
        WriteInto(made, control, false);
        GetBox()->SetRecord(made, nullptr);
        NotifyChanges();
        return;
    }
    // A missing parent, reached through the add-relative menu.
    CIndRec* parent = nullptr;
    bool cancelled = false;
    if (m_view.m_kind == CIndividualViewState::kOrphanView) {
        const int sex = SexForNewRelative("new parent");
        if (sex < 0)
            return;
        if (CIndRec* focus = m_view.GetFocusIndividual())
            parent = focus->AddNewParent(sex, cancelled);
    } else if (CFamRec* family = FocusFamily()) {
        int sex = family->GetWife() ? SEX_MALE : family->GetHusband() ? SEX_FEMALE : -1;
        if (sex < 0)
            sex = SexForNewRelative("new parent");
        if (sex < 0)
            return;
        parent = family->AddNewSpouse(sex, cancelled);
    }
    if (!parent)
        ThrowAbort();
    WriteInto(parent, control, false);
    GetBox()->SetRecord(parent, nullptr);
    NotifyChanges();
}

void CRecPageIndMain::CommitSpouse(CDataCtl* control)
{
    if (CIndRec* partner = Partner()) {
        WriteInto(partner, control, false);
        NotifyChanges();
        return;
    }
    CIndRec* individual = Individual();
    if (!individual)
        return;
    const int sex = individual->GetSex() != SEX_UNDETERMINED
                        ? individual->GetSex()
                        : SexForNewRelative(NameOf(individual, 100));
    if (sex < 0)
        return;
    bool cancelled = false;
    CFamRec* family = FocusFamily();
    if (!family) {
        const auto* tabs = dynamic_cast<const CTabCtrl*>(GetDlgItem(kTabs));
        const int current = tabs ? tabs->GetCurSel() : -1;
        auto* left =
            current > 0 ? reinterpret_cast<CFamRec*>(tabs->GetItemData(current - 1)) : nullptr;
        family = individual->AddSpouseFamily(sex, left, false, false, cancelled);
        if (!family)
            ThrowAbort();
        m_view.m_focus = family;
    }
    CIndRec* partner = family->AddNewSpouse(sex == SEX_MALE ? SEX_FEMALE : SEX_MALE, cancelled);
    if (!partner)
        ThrowAbort();
    WriteInto(partner, control, m_creatingNew);
    m_view.m_firstChild = 0;
    NotifyChanges();
    Reload();
}

void CRecPageIndMain::CommitFamily(CDataCtl* control)
{
    if (CFamRec* family = FocusFamily()) {
        WriteInto(family, control, false);
        NotifyChanges();
    }
}

void CRecPageIndMain::CommitChild(int row, CDataCtl* control, int sex)
{
    const int index = m_view.m_firstChild + row;
    CIndRec* child = m_children.At(index);
    CFamRec* made = nullptr;
    if (!child) {
        CIndRec* before = m_children.GetNextChildAfter(index);
        if (m_view.m_kind == CIndividualViewState::kOrphanView) {
            CIndRec* focus = m_view.GetFocusIndividual();
            made = AsFamily(static_cast<CRecordNode*>(
                GetRecordTypeRoot(RECORD_LIST_FAM)->CreateChild(nullptr)));
            if (!focus || !made)
                ThrowAbort();
            made->LinkChild(focus, nullptr);
            child = made->AddNewChild(nullptr);
        } else if (CFamRec* family = FocusFamily()) {
            child = family->AddNewChild(family->GetHusband());
            if (child && before)
                family->MoveChildLink(child, before);
        } else if (CIndRec* individual = Individual()) {
            const int own = SexForNewRelative(NameOf(individual, 100));
            if (own < 0)
                return;
            bool cancelled = false;
            child = individual->AddNewChild(made, own, cancelled);
        }
        if (!child)
            ThrowAbort();
        m_children.SetAt(index, child);
        if (made) {
            m_view = {CIndividualViewState::kFamilyView, made, 0};
        }
        if (control)
            WriteInto(child, control, m_creatingNew);
    } else if (control) {
        WriteInto(child, control, false);
    }
    if (sex >= 0 || (sex == -1 && !control)) {
        const int wanted = sex < 0 ? SEX_UNDETERMINED : sex;
        child->SetSex(wanted, true);
    }
    NotifyChanges();
    if (made)
        Reload();
}

void CRecPageIndMain::CommitChildSex(int row)
{
    auto* edit = dynamic_cast<CEdit*>(GetDlgItem(kSexEdits[row]));
    if (!edit || m_inCommit)
        return;
    std::string text;
    edit->GetWindowText(text);
    const char first = text.empty() ? '\0' : text[0];
    const std::string letter = first == 'M' || first == 'm'   ? "M"
                               : first == 'F' || first == 'f' ? "F"
                                                              : "";
    if (letter != text)
        edit->SetWindowText(letter);
    CIndRec* child = m_children.At(m_view.m_firstChild + row);
    if (!child && letter.empty())
        return;
    const int sex = letter.empty() ? SEX_UNDETERMINED : letter == "M" ? SEX_MALE : SEX_FEMALE;
    if (child && sex == child->GetSex())
        return;
    if (child && child->GetNextSpouseFamily(nullptr)) {
        const char own = SexLetter(child);
        edit->SetWindowText(own ? std::string(1, own) : std::string());
        MessageBox("You can't change an Individual's sex in this way if they are a parent.  See "
                   "Help for more details.",
                   MB_OK);
        return;
    }
    const CFlagGuard committing(m_inCommit);
    try {
        CommitChild(row, nullptr, sex);
    } catch (...) {
        NotifyChanges();
        EndAbandonedOperation();
    }
}

void CRecPageIndMain::ChangeSex(CDataCtl* control)
{
    CIndRec* individual = Individual();
    if (!individual || m_view.m_kind != CIndividualViewState::kFamilyView)
        return;
    int position = -1;
    control->GetListSelection(position);
    const int wanted = position == 0 || position == 1 ? position : SEX_UNDETERMINED;
    const int current = individual->GetSex();
    const CSexChangePlan plan = PlanSexChange(*individual, wanted);
    const char* message = SexChangeMessage(plan.m_action);
    auto revert = [&](const char* shown) {
        control->SetListSelection(current == SEX_UNDETERMINED ? -1 : current);
        if (shown)
            MessageBox(shown, MB_OK);
    };
    switch (plan.m_action) {
    case SexChange::Unchanged:
        return;
    case SexChange::Set:
        break;
    case SexChange::AskSwap:
        if (MessageBox(message, MB_YESNO) != IDYES)
            return revert(nullptr);
        break;
    case SexChange::RefuseDelete:
    case SexChange::RefuseSeveralFamilies:
    case SexChange::RefuseSpouseElsewhere:
        return revert(message);
    }
    // A change the records refuse is not shown as made.
    if (!ApplySexChange(*individual, plan, wanted))
        revert(nullptr);
    NotifyChanges();
}

BOOL CRecPageIndMain::CanChangeField(CDataCtl* control, int fieldId, std::string& message)
{
    if (control == m_sexCtl)
        return TRUE;
    return CRecordPage::CanChangeField(control, fieldId, message);
}

void CRecPageIndMain::CommitEdits()
{
    CWnd* focus = CWnd::GetFocus();
    for (int r = 0; r < kChildRows; ++r) {
        if (focus && focus == GetDlgItem(kSexEdits[r])) {
            CommitChildSex(r);
            return;
        }
    }
    CRecordPage::CommitEdits();
}

// ---- The add-relative menu ------------------------------------------------------------------

BOOL CRecPageIndMain::OnCtlKeyDown(CDataCtl* control, UINT key, UINT, UINT)
{
    if (!control || !control->IsReadOnly())
        return FALSE;
    if (key == VK_DOWN || key == VK_F2 || key == VK_SPACE)
        return OnCtlLButtonUp(control);
    return FALSE;
}

BOOL CRecPageIndMain::OnCtlLButtonDown(CDataCtl* control)
{
    if (m_menuJustClosed) {
        m_swallowButtonUp = true;
        m_menuJustClosed = false;
        return TRUE;
    }
    return control && control->IsReadOnly();
}

BOOL CRecPageIndMain::OnCtlLButtonUp(CDataCtl* control)
{
    if (!control || !control->IsReadOnly())
        return FALSE;
    if (m_swallowButtonUp) {
        m_swallowButtonUp = false;
        return TRUE;
    }
    const bool family = m_view.m_kind == CIndividualViewState::kFamilyView;
    if (control == m_nameCtl && !Individual() && m_view.IsMissingParent(nullptr)) {
        OpenRelativeMenu(control, kPanelMain, -1);
    } else if (control == m_spouseNameCtl && family && Individual()) {
        OpenRelativeMenu(control, kPanelSpouse, -1);
    } else {
        for (int r = 0; r < kChildRows; ++r) {
            if (control == m_childNameCtl[r] && !(family && !Individual() && !m_view.m_focus)) {
                OpenRelativeMenu(control, kPanelChild, r);
                break;
            }
        }
    }
    return TRUE;
}

void CRecPageIndMain::OpenRelativeMenu(CDataCtl* control, Panel panel, int row)
{
    CommitEdits();
    std::string saved;
    control->GetValueText(saved);
    control->Clear();
    const char* what = panel == kPanelMain ? "Parent" : panel == kPanelSpouse ? "Spouse" : "Child";
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, kCreateNew, (std::string("Create New Record as ") + what).c_str());
    menu.AppendMenu(MF_STRING, kLinkExisting,
                    (std::string("Link Existing Record as ") + what).c_str());
    if (m_menuTimer) {
        KillTimer(m_menuTimer);
        m_menuTimer = 0;
    }
    m_menuJustClosed = true;
    CRect rect;
    control->GetWnd().GetWindowRect(&rect);
    const UINT command = UINT(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                                  rect.left, rect.bottom, this));
    m_menuTimer = SetTimer(kMenuTimer, kMenuTimerMs);
    if (!m_menuTimer)
        m_menuJustClosed = false;
    bool done = false;
    if (command == kCreateNew) {
        {
            const CFlagGuard creating(m_creatingNew);
            OnDataCtlEdit(control, nullptr, TRUE);
        }
        done = true;
        if (control->GetWnd().GetSafeHwnd())
            control->GetWnd().SetFocus();
    } else if (command == kLinkExisting) {
        LinkExisting(panel, row);
        done = true;
    }
    if (!done || (control->GetWnd().GetSafeHwnd() && control->IsEmpty() && control->IsReadOnly()))
        SetText(control, saved);
}

void CRecPageIndMain::LinkExisting(Panel panel, int row)
{
    CIndRec* individual = Individual();
    bool linked = false;
    bool cancelled = false;
    CIndRec* made = nullptr;
    try {
        if (panel == kPanelMain) {
            CFamRec* family = FocusFamily();
            if (m_view.m_kind == CIndividualViewState::kOrphanView) {
                if (CIndRec* focus = m_view.GetFocusIndividual())
                    made =
                        focus->LinkExistingParent(family, nullptr, false, linked, cancelled, false);
            } else if (family && family->LinkExistingParent(false)) {
                made = family->GetHusband() ? family->GetHusband() : family->GetWife();
            }
        } else if (panel == kPanelSpouse && individual) {
            CFamRec* family = FocusFamily();
            made = individual->LinkExistingSpouse(family, family, false, linked, cancelled, false);
        } else if (panel == kPanelChild) {
            const int index = m_view.m_firstChild + row;
            CIndRec* before = m_children.GetNextChildAfter(index - 1);
            CFamRec* family = FocusFamily();
            if (individual) {
                made = individual->LinkExistingChild(family, family, false, linked, cancelled,
                                                     false, nullptr);
                if (made && family && before)
                    family->MoveChildLink(made, before);
                if (family)
                    m_view.m_focus = family;
            } else if (m_view.m_kind == CIndividualViewState::kOrphanView) {
                if (CIndRec* focus = m_view.GetFocusIndividual())
                    made = focus->LinkExistingSibling(family, nullptr, false, linked, cancelled,
                                                      false);
                if (made && family)
                    m_view = {CIndividualViewState::kFamilyView, family, 0};
            } else if (family) {
                // After the nearest child shown above the row: before the family's next child.
                const CIndRec* above = m_children.GetChildBefore(index);
                made = family->LinkExistingChild(kLinkAsSiblingTitle, family->GetNextChild(above),
                                                 false);
            }
        }
    } catch (...) {
        made = nullptr;
        EndAbandonedOperation();
    }
    NotifyChanges();
    if (panel == kPanelMain && made && GetBox())
        GetBox()->SetRecord(made, nullptr);
    else if (made)
        Reload();
}

void CRecPageIndMain::OnTimer(UINT_PTR id)
{
    if (id != kMenuTimer) {
        CRecordPage::OnTimer(id);
        return;
    }
    m_menuJustClosed = false;
    KillTimer(id);
    m_menuTimer = 0;
}

// ---- Navigation, reordering and scrolling ---------------------------------------------------

void CRecPageIndMain::OnParents()
{
    CIndRec* individual = Individual();
    if (!individual || !GetBox())
        return;
    std::vector<CFamRec*> families;
    for (CFamRec* family = individual->GetNextParentFamily(nullptr); family;
         family = individual->GetNextParentFamily(family))
        families.push_back(family);
    if (families.empty()) {
        const CIndividualViewState orphan{CIndividualViewState::kOrphanView, individual, 0};
        GetBox()->SetRecord(nullptr, GetRecordTypeDef(RECORD_LIST_INDI), kPropSizeKeep, nullptr,
                            false, {1, orphan.PackKind(), orphan.PackFocus()});
        return;
    }
    CFamRec* chosen = families.front();
    if (families.size() > 1) {
        CMenu menu;
        menu.CreatePopupMenu();
        for (std::size_t i = 0; i < families.size(); ++i) {
            std::string text;
            families[i]->GetText(text, 0);
            menu.AppendMenu(MF_STRING, kFirstParentFamily + UINT(i), text.c_str());
        }
        CRect rect;
        if (CWnd* button = GetDlgItem(kParentsButton))
            button->GetWindowRect(&rect);
        const UINT command = UINT(menu.TrackPopupMenu(
            TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, rect.left, rect.bottom, this));
        if (command < kFirstParentFamily || command >= kFirstParentFamily + families.size())
            return;
        chosen = families[command - kFirstParentFamily];
    }
    CommitEdits();
    GetBox()->SetPinned(false);
    const CIndividualViewState view{CIndividualViewState::kFamilyView, chosen, 0};
    CIndRec* parent = chosen->GetHusband() ? chosen->GetHusband() : chosen->GetWife();
    GetBox()->SetRecord(parent, parent ? nullptr : GetRecordTypeDef(RECORD_LIST_INDI),
                        kPropSizeKeep, nullptr, false, {1, view.PackKind(), view.PackFocus()});
}

void CRecPageIndMain::OnGoToSpouse()
{
    if (CIndRec* partner = Partner(); partner && GetBox()) {
        CommitEdits();
        GetBox()->SetPinned(false);
        GetBox()->SetRecord(partner, nullptr);
    }
}

void CRecPageIndMain::OnGoToChild(int row)
{
    CIndRec* target = m_view.m_kind == CIndividualViewState::kOrphanView
                          ? m_view.GetFocusIndividual()
                          : m_children.At(m_view.m_firstChild + row);
    if (!target || !GetBox())
        return;
    CommitEdits();
    CWnd* go = GetDlgItem(kChildGo[row]);
    const bool focused = go && CWnd::GetFocus() == go;
    GetBox()->SetPinned(false);
    GetBox()->SetRecord(target, nullptr);
    // The button keeps the focus while the child shown has a child in that row, as the spouse's
    // and the parents' buttons keep it; hidden, it passed the focus on to the next row, an empty
    // one: the focus goes to the name of the child shown instead.
    if (focused && !go->IsWindowVisible()) {
        m_focusRow = -1;
        UpdateMarkers();
        FocusDefault();
    }
}

void CRecPageIndMain::OnTabChanged()
{
    CommitEdits();
    const auto* tabs = dynamic_cast<const CTabCtrl*>(GetDlgItem(kTabs));
    const int current = tabs ? tabs->GetCurSel() : -1;
    m_view.m_focus =
        current >= 0 ? reinterpret_cast<CRecordNode*>(tabs->GetItemData(current)) : nullptr;
    m_view.m_firstChild = 0;
    m_focusRow = -1;
    UpdateSpousePanel();
    m_children.Rebuild(FocusFamily());
    UpdateChildRows(false);
    if (!m_spouseCtls.empty())
        m_spouseCtls.front()->GetWnd().SetFocus();
}

void CRecPageIndMain::MoveSpouse(bool up)
{
    CIndRec* individual = Individual();
    auto* tabs = dynamic_cast<CTabCtrl*>(GetDlgItem(kTabs));
    if (!individual || !tabs)
        return;
    const int current = tabs->GetCurSel();
    const int other = up ? current - 1 : current + 1;
    if (current < 0 || other < 0 || other >= tabs->GetItemCount())
        return;
    auto* moved = reinterpret_cast<CFamRec*>(tabs->GetItemData(current));
    auto* neighbour = reinterpret_cast<CFamRec*>(tabs->GetItemData(other));
    const std::string movedText = tabs->GetItemText(current);
    tabs->SetItemText(current, tabs->GetItemText(other).c_str());
    tabs->SetItemData(current, LPARAM(neighbour));
    tabs->SetItemText(other, movedText.c_str());
    tabs->SetItemData(other, LPARAM(moved));
    tabs->SetCurSel(other);
    if (moved && neighbour) {
        try {
            if (up)
                individual->MoveFamilyLink(moved, neighbour, true);
            else
                individual->MoveFamilyLink(neighbour, moved, true);
        } catch (...) {
            // Announced below.
            EndAbandonedOperation();
        }
        NotifyChanges();
    }
    UpdateSpouseArrows();
}

void CRecPageIndMain::MoveChild(bool up)
{
    CFamRec* family = FocusFamily();
    if (!family || m_focusRow < 0 || m_children.CountChildren() == 0)
        return;
    const int index = m_view.m_firstChild + m_focusRow;
    CIndRec* earlier = nullptr;
    CIndRec* later = nullptr;
    if (!(up ? m_children.MoveUp(index, earlier, later)
             : m_children.MoveDown(index, earlier, later)))
        return;
    const int target = up ? index - 1 : index + 1;
    m_focusRow = target - m_view.m_firstChild;
    if (m_focusRow < 0) {
        m_view.m_firstChild = std::max(0, m_view.m_firstChild - 1);
        m_focusRow = 0;
    } else if (m_focusRow >= kChildRows) {
        ++m_view.m_firstChild;
        m_focusRow = kChildRows - 1;
    }
    if (earlier && later) {
        try {
            family->MoveChildLink(earlier, later);
        } catch (...) {
            // Announced below.
            EndAbandonedOperation();
        }
        NotifyChanges();
    }
    UpdateChildRows(true);
}

void CRecPageIndMain::Scroll(UINT code, int thumb)
{
    if (m_view.m_kind != CIndividualViewState::kFamilyView)
        return;
    int first = m_view.m_firstChild;
    switch (code) {
    case SB_LINEUP:
        --first;
        break;
    case SB_LINEDOWN:
        ++first;
        break;
    case SB_PAGEUP:
        first -= 3;
        break;
    case SB_PAGEDOWN:
        first += 3;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        first = thumb;
        break;
    default:
        break;
    }
    first = std::clamp(first, 0, std::max(0, m_children.GetScrollMax(m_view.m_firstChild) - 3));
    if (first != m_view.m_firstChild) {
        m_view.m_firstChild = first;
        UpdateChildRows(true);
    }
    UpdateScrollBar();
}

void CRecPageIndMain::OnVScroll(UINT code, UINT pos, CScrollBar* bar)
{
    if (bar && bar->GetDlgCtrlID() == kScrollBar) {
        Scroll(code, int(pos));
        return;
    }
    CRecordPage::OnVScroll(code, pos, bar);
}

void CRecPageIndMain::OnButtonClicked(CUButton* button)
{
    if (button == &m_spouseUp || button == &m_spouseDown)
        MoveSpouse(button == &m_spouseUp);
    else if (button == &m_childUp || button == &m_childDown)
        MoveChild(button == &m_childUp);
}

void CRecPageIndMain::OnCtlSetFocus(CDataCtl* control)
{
    int row = -1;
    PanelOf(control, row);
    if (row != m_focusRow) {
        m_focusRow = row;
        UpdateMarkers();
    }
}

BOOL CRecPageIndMain::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (code == BN_CLICKED) {
        if (id == kParentsButton) {
            OnParents();
            return TRUE;
        }
        if (id == kSpouseGo) {
            OnGoToSpouse();
            return TRUE;
        }
        for (int r = 0; r < kChildRows; ++r) {
            if (id == kChildGo[r]) {
                OnGoToChild(r);
                return TRUE;
            }
            if (id == kMarkers[r] || id == kNumbers[r]) {
                m_focusRow = r;
                UpdateMarkers();
                if (!m_childCtls[r].empty())
                    m_childCtls[r].front()->GetWnd().SetFocus();
                return TRUE;
            }
        }
    }
    for (int r = 0; r < kChildRows; ++r) {
        if (id != kSexEdits[r])
            continue;
        if (code == EN_SETFOCUS && m_focusRow != r) {
            m_focusRow = r;
            UpdateMarkers();
        } else if (code == EN_KILLFOCUS) {
            CommitChildSex(r);
        }
        return TRUE;
    }
    return CRecordPage::OnCommand(wParam, lParam);
}

BOOL CRecPageIndMain::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == UINT_PTR(kTabs) && header->code == TCN_SELCHANGE) {
        OnTabChanged();
        return TRUE;
    }
    return CRecordPage::OnNotify(wParam, lParam, result);
}

// ---- Sizes, focus and drawing ------------------------------------------------------------------

void CRecPageIndMain::SetLargeMode(bool large)
{
    CRecordPage::SetLargeMode(large);
    CWnd* parents = GetDlgItem(kParentsButton);
    if (m_nameCtl && parents) {
        const CRect button = ChildRect(*parents);
        const CRect name = ChildRect(m_nameCtl->GetWnd());
        const int right = large ? int(button.left) - button.Width() / 8 : int(button.right);
        m_nameCtl->GetWnd().MoveWindow(name.left, name.top, std::max(0, right - int(name.left)),
                                       name.Height());
        parents->ShowWindow(large && Individual() ? SW_SHOW : SW_HIDE);
    }
    const int show = large ? SW_SHOW : SW_HIDE;
    for (auto* list : {&m_spouseCtls, &m_familyCtls})
        for (CDataCtl* control : *list)
            control->GetWnd().ShowWindow(show);
    for (auto& list : m_childCtls)
        for (CDataCtl* control : list)
            control->GetWnd().ShowWindow(show);
    for (const int id : {kSpouseGo, kTabs, kScrollBar, kChildCount})
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(show);
    for (int r = 0; r < kChildRows; ++r)
        for (const int id : {kSexEdits[r], kChildGo[r], kMarkers[r], kNumbers[r]})
            if (CWnd* control = GetDlgItem(id))
                control->ShowWindow(show);
    for (CUButton* button : {&m_spouseUp, &m_spouseDown, &m_childUp, &m_childDown})
        if (button->GetSafeHwnd())
            button->ShowWindow(show);
    for (CConnectorWnd& connector : m_connectorWnds)
        if (connector.GetSafeHwnd())
            connector.ShowWindow(show);
    Reload();
    Invalidate();
}

void CRecPageIndMain::FocusDefault()
{
    if (auto* edit = m_nameCtl ? dynamic_cast<CEdit*>(&m_nameCtl->GetWnd()) : nullptr) {
        std::string text;
        edit->GetWindowText(text);
        if (text.starts_with('/'))
            edit->SetWindowText(" " + text);
        edit->SetFocus();
        edit->SetSel(0, 0);
        edit->ScrollCaret();
        return;
    }
    CRecordPage::FocusDefault();
}

CDataNode* CRecPageIndMain::GetNodeForControl(CDataCtl* control)
{
    if (!control || !control->GetDataPath())
        return nullptr;
    int row = -1;
    CRecordNode* record = nullptr;
    switch (PanelOf(control, row)) {
    case kPanelMain:
        record = Individual();
        break;
    case kPanelSpouse:
        record = Partner();
        break;
    case kPanelFamily:
        record = FocusFamily();
        break;
    case kPanelChild:
        record = m_children.At(m_view.m_firstChild + row);
        break;
    default:
        break;
    }
    return record ? control->GetDataPath()->FindNode(record) : nullptr;
}

void CConnectorWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_3DFACE));
    CDC memory;
    if (!m_bitmap || !m_bitmap->GetSafeHandle() || !memory.CreateCompatibleDC(&dc))
        return;
    // 18 pixels wide, centred; a taller area centres the picture, a lower one shows its foot.
    const int x = std::max(0, (client.Width() - 18) / 2);
    const int shown = std::min(m_height, int(client.Height()));
    const int top = client.Height() > m_height ? (client.Height() - m_height) / 2 : 0;
    CBitmap* old = memory.SelectObject(m_bitmap);
    dc.BitBlt(x, top, 18, shown, &memory, 18, m_height - shown, SRCPAINT);
    dc.BitBlt(x, top, 18, shown, &memory, 0, m_height - shown, SRCAND);
    memory.SelectObject(old);
}

BOOL CConnectorWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
