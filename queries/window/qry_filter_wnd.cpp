// queries/window/qry_filter_wnd.cpp: the filter editors' common window: building the template,
// the condition combo, the changed mark and the enabling of the controls.
#include "queries/window/qry_filter_wnd.h"

#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/static.h"
#include "queries/query_def.h"

bool IsQueryEditable(const CQueryDef* query)
{
    return query && query->IsCustom() && !query->IsReadOnly();
}

CQryFilterWnd::CQryFilterWnd(IQryRowsPane& pane, UINT templateId, const char* className)
    : m_pane(pane), m_templateId(templateId), m_className(className)
{
}

BOOL CQryFilterWnd::Create(CWnd* parent, const RECT& rect, UINT id)
{
    if (!CreateEx(0, m_className, "", WS_CHILD | WS_CLIPCHILDREN, rect, parent, id))
        return FALSE;
    ShowWindow(SW_HIDE);
    return TRUE;
}

int CQryFilterWnd::OnCreate(CREATESTRUCT* createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    const CDlgTemplateBuilder builder(m_templateId, &m_pane.GetPaneFont());
    if (!builder.CreateControls(*this, m_controls))
        return -1;
    // The combo boxes stretch with the editor; everything else keeps its place.
    CRect design;
    builder.GetTemplateRect(design);
    for (const auto& control : m_controls)
        if (dynamic_cast<CComboBox*>(control.get()))
            m_layout.AddControl(this, control.get(), design, CDlgLayout::kNoChange, nullptr,
                                CDlgLayout::kNoChange, nullptr, CDlgLayout::kNoChange, nullptr,
                                CDlgLayout::kToRight, nullptr);
    if (CComboBox* condition = GetCombo(kFilterConditionCombo)) {
        condition->ResetContent();
        for (const char* text : kFilterConditionTexts)
            condition->AddString(text);
        condition->SetCurSel(0);
    }
    return OnControlsCreated(builder) ? 0 : -1;
}

bool CQryFilterWnd::OnControlsCreated(const CDlgTemplateBuilder&)
{
    return true;
}

BOOL CQryFilterWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kFilterConditionCombo) {
        if (HIWORD(wParam) == CBN_SELCHANGE)
            OnEdited();
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CQryFilterWnd::OnEdited()
{
    m_changed = true;
    m_pane.UpdateButtons();
}

void CQryFilterWnd::GetCondition(bool& exclude, bool& unless) const
{
    const CComboBox* combo = GetCombo(kFilterConditionCombo);
    FilterConditionFlags(combo ? combo->GetCurSel() : 0, exclude, unless);
}

void CQryFilterWnd::SetCondition(bool exclude, bool unless)
{
    if (CComboBox* combo = GetCombo(kFilterConditionCombo))
        combo->SetCurSel(FilterConditionIndex(exclude, unless));
}

void CQryFilterWnd::EnableControls(bool enable)
{
    for (const auto& control : m_controls)
        if (!dynamic_cast<CStatic*>(control.get()))
            control->EnableWindow(enable);
}

void CQryFilterWnd::EnableForQuery()
{
    EnableControls(IsQueryEditable(m_pane.GetCurrentQuery()));
}

CComboBox* CQryFilterWnd::GetCombo(int id) const
{
    return dynamic_cast<CComboBox*>(GetDlgItem(id));
}
