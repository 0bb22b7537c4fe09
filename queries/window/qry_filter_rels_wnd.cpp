// queries/window/qry_filter_rels_wnd.cpp: the relationship filter editor: the relationship, the
// generation limit, whom it starts from, and the row made from them.
#include "queries/window/qry_filter_rels_wnd.h"

#include "controls/dlg_layout.h"
#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/records/record_id_state.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/frames/view.h"
#include "queries/query_filter.h"
#include "queries/window/filter_value_kind.h"
#include "queries/window/qry_filter_gen_wnd.h"
#include "records/datactl/data_ctl_assoc.h"

#include <array>

namespace {

constexpr UINT kTemplate = 216;
constexpr const char* kMustBeParameter = "Filters that reference specific records must be "
                                         "parameters.";
constexpr std::array<const char*, 3> kKinds = {"Ancestor", "Descendant", "Spouse"};

} // namespace

CQryFilterRelsWnd::CQryFilterRelsWnd(IQryRowsPane& pane)
    : CQryFilterWnd(pane, kTemplate, "FilterWndRels")
{
}

CQryFilterRelsWnd::~CQryFilterRelsWnd()
{
    m_chooser.reset();
    if (GetSafeHwnd())
        DestroyWindow();
}

bool CQryFilterRelsWnd::OnControlsCreated(const CDlgTemplateBuilder& builder)
{
    CComboBox* kinds = GetCombo(kRelsKindCombo);
    CWnd* place = GetDlgItem(kRelsChooserPlace);
    if (!kinds || !place)
        return false;
    for (const char* kind : kKinds)
        kinds->AddString(kind);
    // The generation limit stays at the right of the stretching relationship list, and the
    // chooser stretches with the editor.
    CRect design;
    builder.GetTemplateRect(design);
    for (const int id : {kRelsGenerationsText, kRelsGenerationsEdit, kRelsGenerationsEnd})
        GetLayout().AddControl(this, GetDlgItem(id), design, CDlgLayout::kNoChange, nullptr,
                               CDlgLayout::kToRight, nullptr, CDlgLayout::kNoChange, nullptr,
                               CDlgLayout::kToRight, nullptr);
    m_chooser = std::make_unique<CDataCtlAssoc>();
    auto path = std::make_unique<CDataPath>();
    path->SetField(GetRecordTypeDef(RECORD_LIST_INDI));
    if (!m_chooser->CreateCtl(TRUE, PlaceInParent(*place), this, nullptr, kFilterChooser, this,
                              std::move(path), 0))
        return false;
    m_chooser->SetTabOrderAfter(GetDlgItem(kRelsThisIndividual));
    GetLayout().AddControl(this, m_chooser.get(), design, CDlgLayout::kNoChange, nullptr,
                           CDlgLayout::kNoChange, nullptr, CDlgLayout::kNoChange, nullptr,
                           CDlgLayout::kToRight, nullptr);
    LoadFilter();
    return true;
}

BOOL CQryFilterRelsWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    switch (id) {
    case kRelsKindCombo:
        if (code == CBN_SELCHANGE) {
            OnRelationshipChanged();
            OnEdited();
        }
        return TRUE;
    case kRelsThisIndividual:
    case kRelsEveryone:
        if (code == BN_CLICKED) {
            OnStartChosen(id == kRelsThisIndividual);
            OnEdited();
        }
        return TRUE;
    case kFilterParameterCheck:
        if (code == BN_CLICKED) {
            OnParameterClicked();
            OnEdited();
        }
        return TRUE;
    case kRelsIncludeTarget:
    case kRelsSpouses:
        if (code == BN_CLICKED)
            OnEdited();
        return TRUE;
    case kRelsGenerationsEdit:
    case kFilterLabelEdit:
        if (code == EN_CHANGE)
            OnEdited();
        return TRUE;
    default:
        return CQryFilterWnd::OnCommand(wParam, lParam);
    }
}

void CQryFilterRelsWnd::OnRelationshipChanged()
{
    ApplyState();
}

void CQryFilterRelsWnd::OnStartChosen(bool thisIndividual)
{
    SetControlChecked(*this, kRelsThisIndividual, thisIndividual);
    SetControlChecked(*this, kRelsEveryone, !thisIndividual);
    SetControlChecked(*this, kFilterParameterCheck, thisIndividual);
    ApplyState();
}

void CQryFilterRelsWnd::OnParameterClicked()
{
    if (IsControlChecked(*this, kRelsThisIndividual) &&
        !IsControlChecked(*this, kFilterParameterCheck)) {
        MessageBox(kMustBeParameter);
        SetControlChecked(*this, kFilterParameterCheck, true);
    }
    ApplyState();
}

void CQryFilterRelsWnd::ApplyState()
{
    const CComboBox* kinds = GetCombo(kRelsKindCombo);
    const bool generations = kinds && kinds->GetCurSel() != FRK_SPOUSES;
    for (const int id : {kRelsGenerationsText, kRelsGenerationsEdit, kRelsGenerationsEnd}) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(generations ? SW_SHOW : SW_HIDE);
    }
    const bool one = IsControlChecked(*this, kRelsThisIndividual);
    const bool editable = IsQueryEditable(GetPane().GetCurrentQuery());
    if (m_chooser)
        m_chooser->EnableWindow(one && editable);
    for (const int id : {kFilterParameterCheck, kFilterFrame}) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(one && editable);
    }
    for (const int id : {kFilterLabelText, kFilterLabelEdit}) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(one && editable &&
                                  IsControlChecked(*this, kFilterParameterCheck));
    }
    if (CWnd* include = GetDlgItem(kRelsIncludeTarget))
        include->ShowWindow(one ? SW_SHOW : SW_HIDE);
}

void CQryFilterRelsWnd::EnableControls(bool enable)
{
    CQryFilterWnd::EnableControls(enable);
    if (m_chooser)
        m_chooser->EnableWindow(enable);
    if (CWnd* label = GetDlgItem(kFilterLabelText); label && !enable)
        label->EnableWindow(FALSE);
    if (enable)
        ApplyState();
}

void CQryFilterRelsWnd::OnDataChanged(CView* sender, LPARAM hint, CObject* object)
{
    if (m_chooser)
        m_chooser->OnDataChanged(sender, hint, object);
}

void CQryFilterRelsWnd::LoadFilter()
{
    const auto* row = dynamic_cast<const CAvFilterRels*>(GetPane().GetCurrentFilter());
    SetCondition(row && row->IsExclude(), row && row->IsUnless());
    const int kind = row ? row->GetRelationKind() : FRK_ANCESTORS;
    GetCombo(kRelsKindCombo)->SetCurSel(kind >= 0 && kind < int(kKinds.size()) ? kind : 0);
    const int limit = row ? row->GetMaxGenerations() : 0;
    GetDlgItem(kRelsGenerationsEdit)->SetWindowText(limit < 1 ? "" : std::to_string(limit));
    SetControlChecked(*this, kRelsIncludeTarget, row && row->IncludesTarget());
    SetControlChecked(*this, kRelsSpouses, row && row->IncludesSpouses());
    // A row about one individual is a parameter; a row without one starts from the result.
    const bool one = !row || row->IsParameter();
    OnStartChosen(one);
    GetDlgItem(kFilterLabelEdit)->SetWindowText(row && one ? row->GetParameterLabel() : "");
    m_chooser->SetRecord(row && one ? row->GetTarget() : nullptr);
    SetChanged(false);
    EnableForQuery();
}

bool CQryFilterRelsWnd::SaveFilter(CAvFilter* row, std::unique_ptr<CAvFilter>& result)
{
    const CComboBox* kinds = GetCombo(kRelsKindCombo);
    int kind = kinds->GetCurSel();
    if (kind < 0 || kind >= int(kKinds.size()))
        kind = FRK_ANCESTORS;
    int limit = 0;
    std::string message;
    if (kind != FRK_SPOUSES &&
        !ReadGenerationLimit(ControlText(*this, kRelsGenerationsEdit), limit, message)) {
        MessageBox(message);
        GetDlgItem(kRelsGenerationsEdit)->SetFocus();
        return false;
    }
    const bool one = IsControlChecked(*this, kRelsThisIndividual);
    bool exclude = false, unless = false;
    GetCondition(exclude, unless);
    const std::string label = one ? ControlText(*this, kFilterLabelEdit) : std::string();
    CIndRec* person = one ? dynamic_cast<CIndRec*>(m_chooser->GetRecord()) : nullptr;
    const bool includeTarget = one && IsControlChecked(*this, kRelsIncludeTarget);
    const bool spouses = IsControlChecked(*this, kRelsSpouses);
    const auto fill = [&](CAvFilterRels& into) {
        into.SetExclude(exclude);
        into.SetUnless(unless);
        into.SetParameterFlag(one);
        into.SetParameterLabel(label);
        into.SetRelationKind(kind);
        into.SetMaxGenerations(limit);
        into.SetIncludeTarget(includeTarget);
        into.SetIncludeSpouses(spouses);
        into.SetTarget(person);
    };
    auto made = std::make_unique<CAvFilterRels>(GetPane().GetCurrentQuery());
    fill(*made);
    if (!CheckFilterFitsFile(*made, message)) {
        MessageBox(message);
        GetDlgItem(kFilterLabelEdit)->SetFocus();
        return false;
    }
    if (auto* relationship = dynamic_cast<CAvFilterRels*>(row))
        fill(*relationship);
    else
        result = std::move(made);
    return true;
}
