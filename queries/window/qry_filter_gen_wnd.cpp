// queries/window/qry_filter_gen_wnd.cpp: the general filter editor: the expression and its
// operators, the value field by value type, the two assistants, and the row made from it all.
#include "queries/window/qry_filter_gen_wnd.h"

#include "controls/dlg_layout.h"
#include "database/dates/date_node.h"
#include "database/dictionary/combo_items.h"
#include "database/dictionary/field_def.h"
#include "database/dictionary/qualifier_table.h"
#include "database/dictionary/record_type_table.h"
#include "database/records/record_node.h"
#include "platform/base/abandon.h"
#include "platform/base/flag_guard.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/frames/view.h"
#include "queries/expression.h"
#include "queries/query_def.h"
#include "queries/query_filter.h"
#include "records/datactl/data_ctl_assoc.h"
#include "records/datactl/data_ctl_box.h"
#include "records/dialogs/data_ref_dlg.h"
#include "records/dialogs/date_dlg.h"

namespace {

constexpr UINT kTemplate = 208;
constexpr const char* kMustBeParameter = "Filters that reference specific records must be "
                                         "parameters.  Mark this filter as a parameter and "
                                         "continue?";
constexpr const char* kChooseValue =
    "Choose a value, or mark the filter as a parameter so that the value is asked for when the "
    "query runs.";

/// The operator lists of the condition table go straight into a combo box.
class CComboItems final : public IComboItems {
public:
    explicit CComboItems(CComboBox& combo) : m_combo(combo) {}
    bool AddItem(std::string_view text, long data) override
    {
        const int index = m_combo.AddString(std::string(text).c_str());
        if (index < 0)
            return false;
        m_combo.SetItemData(index, DWORD_PTR(data));
        return true;
    }

private:
    CComboBox& m_combo;
};

void Show(CWnd* wnd, bool show)
{
    if (wnd)
        wnd->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void Enable(CWnd* wnd, bool enable)
{
    if (wnd)
        wnd->EnableWindow(enable);
}

std::string TextOf(const CWnd* wnd)
{
    std::string text;
    if (wnd)
        wnd->GetWindowText(text);
    return text;
}

/// The record type a path leads to: its last record, or the target of its last link.
const CFieldDef* RecordTypeOf(const CDataRef& ref)
{
    const CDataPath* path = ref.GetPath();
    return path ? path->GetLeafField(true) : nullptr;
}

} // namespace

bool IsControlChecked(const CWnd& parent, int id)
{
    const auto* button = dynamic_cast<const CButton*>(parent.GetDlgItem(id));
    return button && button->GetCheck() == BST_CHECKED;
}

void SetControlChecked(CWnd& parent, int id, bool on)
{
    if (auto* button = dynamic_cast<CButton*>(parent.GetDlgItem(id)))
        button->SetCheck(on ? BST_CHECKED : BST_UNCHECKED);
}

std::string ControlText(const CWnd& parent, int id)
{
    return TextOf(parent.GetDlgItem(id));
}

CQryFilterGenWnd::CQryFilterGenWnd(IQryRowsPane& pane)
    : CQryFilterWnd(pane, kTemplate, "FilterWndGen")
{
    RegisterMonthComboClass();
}

CQryFilterGenWnd::~CQryFilterGenWnd()
{
    m_chooser.reset();
    if (GetSafeHwnd())
        DestroyWindow();
}

bool CQryFilterGenWnd::OnControlsCreated(const CDlgTemplateBuilder& builder)
{
    CRect design;
    builder.GetTemplateRect(design);
    // The two "..." buttons take their placeholders' places and ids.
    for (const auto& [button, id] :
         {std::pair{&m_refButton, kFilterRefButton}, std::pair{&m_dateButton, kFilterDateButton}}) {
        CWnd* placeholder = GetDlgItem(id);
        if (!placeholder)
            return false;
        const CRect place = PlaceInParent(*placeholder);
        placeholder->DestroyWindow();
        if (!button->CreateButton(WS_CHILD | WS_VISIBLE, place, this, UINT(id), this, 10, 10,
                                  kDataCtlMoreBitmap, 4, 0, 0))
            return false;
    }
    // The expression's button stays at the right of its stretching combo.
    GetLayout().AddControl(this, &m_refButton, design, CDlgLayout::kNoChange, nullptr,
                           CDlgLayout::kToRight, nullptr, CDlgLayout::kNoChange, nullptr,
                           CDlgLayout::kToRight, nullptr);
    CWnd* edit = GetDlgItem(kFilterValueEdit);
    if (!edit)
        return false;
    m_chooser = std::make_unique<CDataCtlAssoc>();
    if (!m_chooser->CreateCtl(TRUE, PlaceInParent(*edit), this, nullptr, kFilterChooser, this,
                              nullptr, 0))
        return false;
    m_chooser->ShowWindow(SW_HIDE);
    m_chooser->SetTabOrderAfter(edit);
    ChooseExpression(false);
    SetUpValueField();
    return true;
}

BOOL CQryFilterGenWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    switch (id) {
    case kFilterExpressionCombo:
        if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) {
            if (code == CBN_SELCHANGE) {
                CComboBox* combo = GetCombo(kFilterExpressionCombo);
                std::string text;
                if (combo->GetCurSel() >= 0 && combo->GetLBText(combo->GetCurSel(), text) >= 0)
                    combo->SetWindowText(text);
            }
            OnExpressionChanged();
            OnEdited();
        }
        return TRUE;
    case kFilterOperatorCombo:
        if (code == CBN_SELCHANGE) {
            OnOperatorChanged();
            OnEdited();
        }
        return TRUE;
    case kFilterValueCombo:
        if (code == kMonthComboKillFocus)
            MatchTypedValue();
        else if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE)
            OnEdited();
        return TRUE;
    case kFilterValueEdit:
    case kFilterLabelEdit:
        if (code == EN_CHANGE && !m_loading)
            OnEdited();
        return TRUE;
    case kFilterMatchCase:
        if (code == BN_CLICKED)
            OnEdited();
        return TRUE;
    case kFilterParameterCheck:
        if (code == BN_CLICKED) {
            EnableParameterControls();
            OnEdited();
        }
        return TRUE;
    default:
        return CQryFilterWnd::OnCommand(wParam, lParam);
    }
}

void CQryFilterGenWnd::OnCtlChanged(CDataCtl*)
{
    SetChanged(true);
}

void CQryFilterGenWnd::OnButtonClicked(CUButton* button)
{
    if (button == &m_refButton)
        OnDataRefAssistant();
    else if (button == &m_dateButton)
        OnDateAssistant();
}

void CQryFilterGenWnd::OnDataChanged(CView* sender, LPARAM hint, CObject* object)
{
    if (m_chooser)
        m_chooser->OnDataChanged(sender, hint, object);
}

std::string CQryFilterGenWnd::GetExpressionText() const
{
    return TextOf(GetDlgItem(kFilterExpressionCombo));
}

int CQryFilterGenWnd::GetSelectedOperator() const
{
    const CComboBox* combo = GetCombo(kFilterOperatorCombo);
    const int index = combo ? combo->GetCurSel() : -1;
    return index >= 0 ? int(combo->GetItemData(index)) : 0;
}

void CQryFilterGenWnd::RefreshChoices()
{
    if (CComboBox* combo = GetCombo(kFilterExpressionCombo)) {
        const std::string typed = GetExpressionText();
        combo->ResetContent();
        if (const CQueryDef* query = GetPane().GetCurrentQuery()) {
            for (const auto& column : query->GetColumns()) {
                if (!column->m_ref.GetPath())
                    continue;
                std::string text;
                column->m_ref.Format(text);
                combo->AddString(text.c_str());
            }
        }
        combo->SetWindowText(typed);
    }
    if (m_firstRefresh) {
        m_firstRefresh = false;
        LoadFilter();
    }
}

void CQryFilterGenWnd::OnExpressionChanged()
{
    ChooseExpression(true);
}

void CQryFilterGenWnd::ChooseExpression(bool picked)
{
    m_ref.Clear();
    const std::string text = GetExpressionText();
    if (!text.empty())
        m_ref.SetText(text);
    CComboBox* operators = GetCombo(kFilterOperatorCombo);
    if (!operators)
        return;
    operators->ResetContent();
    CComboItems items(*operators);
    if (const CDataPath* path = m_ref.GetPath()) {
        FillConditionOpCombo(items, path->GetLeafDataType(true));
    } else if (const auto* expression = dynamic_cast<const CExpression*>(m_ref.GetExpression());
               expression && expression->GetFunction()) {
        FillComputedOpCombo(items, expression->GetFunction()->m_resultType);
    }
    operators->EnableWindow(operators->GetCount() > 0);
    if (operators->GetCount() == 0) {
        SetUpValueField();
        return;
    }
    if (picked) {
        operators->SetCurSel(0);
        SetUpValueField();
    }
}

void CQryFilterGenWnd::OnOperatorChanged()
{
    SetUpValueField();
}

void CQryFilterGenWnd::SetUpValueField()
{
    m_valueType = GetFilterValueType(m_ref, GetSelectedOperator());
    m_field = GetFilterValueField(m_valueType, m_ref.GetPath() != nullptr);
    if (m_field.m_control == FVC_ENUM) {
        CComboBox* combo = GetCombo(kFilterValueCombo);
        combo->ResetContent();
        const CFieldDef* field = m_ref.GetPath()->GetLastField();
        const int count = field ? field->GetEnumValueCount() : 0;
        for (int index = 0; index < count; ++index) {
            const std::string& text = field->GetEnumValue(index, true);
            if (text.empty())
                break;
            combo->AddString(text.c_str());
        }
        combo->SetCurSel(combo->GetCount() > 0 ? 0 : -1);
    }
    if (m_field.m_control == FVC_RECORD && m_chooser) {
        // The chooser keeps its record while the path leads to that record's type.
        const CFieldDef* type = RecordTypeOf(m_ref);
        if (m_chooser->GetRecord() && m_chooser->GetRecord()->GetFieldDef() != type)
            m_chooser->Clear();
        m_chooser->SetDataPath(*m_ref.GetPath());
    }
    ApplyValueField();
}

void CQryFilterGenWnd::ApplyValueField()
{
    const FilterValueControl control = m_field.m_control;
    CWnd* edit = GetDlgItem(kFilterValueEdit);
    Show(edit, control == FVC_EDIT || control == FVC_DISABLED_EDIT);
    Enable(edit, control == FVC_EDIT);
    Show(GetDlgItem(kFilterValueCombo), control == FVC_ENUM);
    Enable(GetDlgItem(kFilterValueCombo), control == FVC_ENUM);
    if (m_chooser) {
        m_chooser->ShowWindow(control == FVC_RECORD ? SW_SHOW : SW_HIDE);
        m_chooser->EnableWindow(control == FVC_RECORD);
    }
    Show(GetDlgItem(kFilterMatchCase), m_field.m_matchCase);
    Enable(GetDlgItem(kFilterMatchCase), m_field.m_matchCase);
    Show(&m_dateButton, m_field.m_dateButton);
    Enable(&m_dateButton, m_field.m_dateButton);
    EnableParameterControls();
}

void CQryFilterGenWnd::EnableParameterControls()
{
    const bool parameter = m_field.m_parameter;
    Enable(GetDlgItem(kFilterParameterCheck), parameter);
    Enable(GetDlgItem(kFilterFrame), parameter);
    const bool label = parameter && IsControlChecked(*this, kFilterParameterCheck);
    Enable(GetDlgItem(kFilterLabelText), label);
    Enable(GetDlgItem(kFilterLabelEdit), label);
}

void CQryFilterGenWnd::EnableControls(bool enable)
{
    CQryFilterWnd::EnableControls(enable);
    Enable(&m_refButton, enable);
    if (!enable) {
        Enable(&m_dateButton, false);
        Enable(GetDlgItem(kFilterLabelText), false);
        if (m_chooser)
            m_chooser->EnableWindow(FALSE);
        return;
    }
    const CComboBox* operators = GetCombo(kFilterOperatorCombo);
    Enable(GetDlgItem(kFilterOperatorCombo), operators && operators->GetCount() > 0);
    ApplyValueField();
}

void CQryFilterGenWnd::ClearValue()
{
    if (CWnd* edit = GetDlgItem(kFilterValueEdit))
        edit->SetWindowText("");
    if (CComboBox* combo = GetCombo(kFilterValueCombo))
        combo->SetCurSel(combo->GetCount() > 0 ? 0 : -1);
    if (m_chooser)
        m_chooser->Clear();
}

void CQryFilterGenWnd::MatchTypedValue()
{
    CComboBox* combo = GetCombo(kFilterValueCombo);
    const std::string typed = TextOf(combo);
    int match = -1;
    for (int index = 0; index < combo->GetCount() && match < 0 && !typed.empty(); ++index) {
        std::string text;
        combo->GetLBText(index, text);
        if (text.size() >= typed.size() && text::EqualsNoCase(text.substr(0, typed.size()), typed))
            match = index;
    }
    combo->SetCurSel(match);
    if (match < 0)
        combo->SetWindowText("");
}

void CQryFilterGenWnd::LoadFilter()
{
    {
        const CFlagGuard loading(m_loading);
        auto* row = dynamic_cast<CAvFilterGen*>(GetPane().GetCurrentFilter());
        SetCondition(row && row->IsExclude(), row && row->IsUnless());
        SetControlChecked(*this, kFilterParameterCheck, row && row->IsParameter());
        GetDlgItem(kFilterLabelEdit)->SetWindowText(row ? row->GetParameterLabel() : "");
        SetControlChecked(*this, kFilterMatchCase, false);
        std::string expression;
        if (row)
            row->GetDataRef()->Format(expression);
        GetDlgItem(kFilterExpressionCombo)->SetWindowText(expression);
        ChooseExpression(false);
        CComboBox* operators = GetCombo(kFilterOperatorCombo);
        operators->SetCurSel(-1);
        for (int index = 0; row && index < operators->GetCount(); ++index) {
            if (int(operators->GetItemData(index)) == row->GetOperator())
                operators->SetCurSel(index);
        }
        SetUpValueField();
        ClearValue();
        const CTypedValue* value = row ? &row->GetValue() : nullptr;
        if (value && m_valueType != TV_NONE && value->GetType() == m_valueType) {
            SetControlChecked(*this, kFilterMatchCase, row->IsCaseSensitive());
            switch (m_valueType) {
            case TV_RECORD:
                m_chooser->SetRecord(value->GetRecord());
                break;
            case TV_ENUM:
                GetCombo(kFilterValueCombo)->SetCurSel(value->GetEnum());
                break;
            default: {
                std::string text;
                value->Format(text, nullptr);
                GetDlgItem(kFilterValueEdit)->SetWindowText(text);
                break;
            }
            }
        }
    }
    SetChanged(false);
    EnableForQuery();
}

bool CQryFilterGenWnd::IsComplete() const
{
    const CComboBox* operators = GetCombo(kFilterOperatorCombo);
    return operators && operators->GetCurSel() >= 0;
}

void CQryFilterGenWnd::RefuseValue(const std::string& message)
{
    MessageBox(message);
    const int id = m_field.m_control == FVC_ENUM ? kFilterValueCombo : kFilterValueEdit;
    if (CWnd* control = GetDlgItem(id))
        control->SetFocus();
}

bool CQryFilterGenWnd::SaveFilter(CAvFilter* row, std::unique_ptr<CAvFilter>& result)
{
    const int op = GetSelectedOperator();
    if (!IsComplete())
        return false;
    bool parameter = false;
    std::string label;
    if (m_field.m_parameter && IsControlChecked(*this, kFilterParameterCheck)) {
        parameter = true;
        label = TextOf(GetDlgItem(kFilterLabelEdit));
    } else if (m_valueType == TV_RECORD) {
        if (MessageBox(kMustBeParameter, MB_OKCANCEL) != IDOK)
            return false;
        parameter = true;
        SetControlChecked(*this, kFilterParameterCheck, true);
        EnableParameterControls();
    }
    CTypedValue value;
    bool caseSensitive = false;
    std::string message;
    switch (m_valueType) {
    case TV_TEXT:
        caseSensitive = IsControlChecked(*this, kFilterMatchCase);
        [[fallthrough]];
    case TV_DATE:
    case TV_NUMBER:
    case TV_MMDD:
    case TV_SPAN:
        if (!ReadFilterValue(m_valueType, TextOf(GetDlgItem(kFilterValueEdit)), parameter, value,
                             message)) {
            RefuseValue(message);
            return false;
        }
        break;
    case TV_RECORD:
        if (CRecordNode* record = m_chooser->GetRecord();
            record && record->GetFieldDef() == RecordTypeOf(m_ref))
            value.SetRecord(record);
        break;
    case TV_ENUM:
        if (const int index = GetCombo(kFilterValueCombo)->GetCurSel(); index >= 0)
            value.SetEnum(index);
        else if (!parameter) {
            RefuseValue(kChooseValue);
            return false;
        }
        break;
    default:
        break;
    }
    bool exclude = false, unless = false;
    GetCondition(exclude, unless);
    const std::string expression = GetExpressionText();
    const auto fill = [&](CAvFilterGen& target) {
        target.SetExclude(exclude);
        target.SetUnless(unless);
        target.SetParameterFlag(parameter);
        target.SetParameterLabel(label);
        target.SetOperator(op);
        target.DataRef().SetText(expression);
        target.SetCaseSensitive(caseSensitive);
        target.SetValue(value);
    };
    // The row is made aside first, so that a refusal leaves the given row as it was.
    auto made = std::make_unique<CAvFilterGen>(GetPane().GetCurrentQuery());
    fill(*made);
    if (!CheckFilterFitsFile(*made, message)) {
        MessageBox(message);
        GetDlgItem(kFilterExpressionCombo)->SetFocus();
        return false;
    }
    if (auto* general = dynamic_cast<CAvFilterGen*>(row))
        fill(*general);
    else
        result = std::move(made);
    return true;
}

void CQryFilterGenWnd::OnDataRefAssistant()
{
    const CQueryDef* query = GetPane().GetCurrentQuery();
    if (!query)
        return;
    try {
        CDataRefDlg dialog(this, GetRecordTypeMask(query->GetRecordType()),
                           CDataRefDlg::kModeChoose, nullptr);
        if (dialog.DoModal() != IDOK)
            return;
        GetDlgItem(kFilterExpressionCombo)->SetWindowText(dialog.m_result);
        OnExpressionChanged();
        OnEdited();
    } catch (...) {
        EndAbandonedOperation();
    }
}

void CQryFilterGenWnd::OnDateAssistant()
{
    CWnd* edit = GetDlgItem(kFilterValueEdit);
    try {
        CDateDlg dialog(kDateAssistantCaption, this, kDateDlgPlainOnly);
        dialog.m_input.SetFromText(TextOf(edit), false, false, GetDateParseOptions());
        dialog.SetStartPage(0);
        if (dialog.DoModal() != IDOK)
            return;
        edit->SetWindowText(dialog.m_output.FormatText(DF_LONG, GetDateLocale()));
        OnEdited();
    } catch (...) {
        EndAbandonedOperation();
    }
}
