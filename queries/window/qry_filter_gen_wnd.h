// queries/window/qry_filter_gen_wnd.h: the general filter editor of the Rows pane: a data
// reference, an operator from the condition table and a value field that suits the value's type.
#pragma once

#include "controls/u_button.h"
#include "database/paths/data_ref.h"
#include "queries/window/filter_value_kind.h"
#include "queries/window/qry_filter_wnd.h"
#include "records/datactl/data_ctl.h"

#include <memory>
#include <string>

class CDataCtlAssoc;

// The controls of the general editor's template (208) that the relationship editor's (216)
// shares: the parameter frame, its check and its label.
inline constexpr int kFilterExpressionCombo = 1104, kFilterOperatorCombo = 1105,
                     kFilterValueEdit = 1106, kFilterValueCombo = 1107, kFilterMatchCase = 1141,
                     kFilterParameterCheck = 1144, kFilterDateButton = 1145,
                     kFilterRefButton = 1149, kFilterLabelEdit = 1150, kFilterFrame = 1168,
                     kFilterLabelText = 1169, kFilterChooser = 4001;

/// Whether the check box or radio button id of parent is checked; false when there is none.
bool IsControlChecked(const CWnd& parent, int id);
void SetControlChecked(CWnd& parent, int id, bool on);
/// The window text of control id of parent; empty when there is none.
std::string ControlText(const CWnd& parent, int id);

/// Window class "FilterWndGen", template 208. The expression combo holds a field path or an "="
/// expression; the operators offered are those of the path's data type or of the expression's
/// result type; the value field shows what the value type takes (filter_value_kind.h).
class CQryFilterGenWnd final : public CQryFilterWnd,
                               private IDataCtlOwner,
                               private CUButtonListener {
public:
    explicit CQryFilterGenWnd(IQryRowsPane& pane);
    ~CQryFilterGenWnd() override;

    /// Refills the expression list with the path columns of the pane's query, keeping the
    /// typed text; the first time, also loads the pane's current row.
    void RefreshChoices() override;
    void LoadFilter() override;
    /// An operator is selected.
    bool IsComplete() const override;
    /// A record value must be a parameter: the user is asked to make it one. A value that does
    /// not read as its type, or a row that the query file cannot hold, is refused with a
    /// message and the focus on the value.
    bool SaveFilter(CAvFilter* row, std::unique_ptr<CAvFilter>& result) override;
    /// The record chooser empties itself when its record goes.
    void OnDataChanged(CView* sender, LPARAM hint, CObject* object) override;
    /// After enabling, the value field and the parameter controls keep to the value type.
    void EnableControls(bool enable) override;

    /// The expression text was picked or typed: operators for it, the first one selected, and
    /// the value field set up.
    void OnExpressionChanged();
    /// The operator changed: the value field set up again.
    void OnOperatorChanged();
    /// The Data Reference Assistant; on OK its reference becomes the expression.
    void OnDataRefAssistant();
    /// The Date Entry Assistant on its Date page; on OK its date replaces the value.
    void OnDateAssistant();

    /// The type of value the row compares with, as the controls stand.
    int GetValueType() const { return m_valueType; }
    CDataCtlAssoc* GetRecordChooser() const { return m_chooser.get(); }

protected:
    bool OnControlsCreated(const CDlgTemplateBuilder& builder) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // IDataCtlOwner: a record chosen or cleared only marks the editor changed.
    void OnCtlChanged(CDataCtl* control) override;
    // CUButtonListener.
    void OnButtonClicked(CUButton* button) override;

    /// Reads the expression text into the scratch reference and fills the operators for it;
    /// with picked, selects the first operator and sets the value field up.
    void ChooseExpression(bool picked);
    /// Finds the value type of the controls and prepares its value field: the enumerated
    /// values refilled (the first chosen), the chooser pointed at the path's record type.
    void SetUpValueField();
    /// Shows and enables the value field's controls for the value type found.
    void ApplyValueField();
    /// Enables the parameter check and frame by the value field, the label by the check.
    void EnableParameterControls();
    /// Empties the value edit, selects the value combo's first entry, empties the chooser.
    void ClearValue();
    /// The value combo's typed text selects the first entry that begins with it, or none.
    void MatchTypedValue();
    /// The operator selected; 0 when none.
    int GetSelectedOperator() const;
    std::string GetExpressionText() const;
    /// Shows message and gives the value's control the focus.
    void RefuseValue(const std::string& message);

    CDataRef m_ref; // the expression as last read
    int m_valueType = TV_NONE;
    CFilterValueField m_field;
    bool m_firstRefresh = true;
    bool m_loading = false;
    std::unique_ptr<CDataCtlAssoc> m_chooser;
    CUButton m_refButton;
    CUButton m_dateButton;
};
