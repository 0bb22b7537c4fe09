// queries/window/qry_filter_rels_wnd.h: the relationship filter editor of the Rows pane: the
// ancestors, descendants or spouses of one individual or of everyone in the current result.
#pragma once

#include "queries/window/qry_filter_wnd.h"
#include "records/datactl/data_ctl.h"

#include <memory>

class CDataCtlAssoc;

// The controls of the relationship editor's template (216) of its own.
inline constexpr int kRelsKindCombo = 1107, kRelsSpouses = 1147, kRelsIncludeTarget = 1148,
                     kRelsThisIndividual = 1151, kRelsEveryone = 1152, kRelsGenerationsText = 1154,
                     kRelsGenerationsEdit = 1155, kRelsGenerationsEnd = 1170,
                     kRelsChooserPlace = 1021;

/// Window class "FilterWndRels", template 216. A row about one individual ("This Individual:")
/// is a parameter, whose person may be chosen here or asked for when the query runs; a row about
/// the current result set names no one. Every edit only marks the editor changed.
class CQryFilterRelsWnd final : public CQryFilterWnd, private IDataCtlOwner {
public:
    explicit CQryFilterRelsWnd(IQryRowsPane& pane);
    ~CQryFilterRelsWnd() override;

    void RefreshChoices() override {}
    void LoadFilter() override;
    /// A relationship row can always be made.
    bool IsComplete() const override { return true; }
    /// A generation limit that is no number, or too large, is refused with a message and the
    /// focus on it.
    bool SaveFilter(CAvFilter* row, std::unique_ptr<CAvFilter>& result) override;
    /// The chooser empties itself when its individual goes.
    void OnDataChanged(CView* sender, LPARAM hint, CObject* object) override;
    /// After enabling, the controls keep to the relationship and to whom it starts from.
    void EnableControls(bool enable) override;

    /// The generation limit shows for ancestors and descendants only.
    void OnRelationshipChanged();
    /// "This Individual:" (true) or "Anyone in the current result set" chosen.
    void OnStartChosen(bool thisIndividual);
    /// Unchecking "Parameter" for one individual is refused: such a row must be a parameter.
    void OnParameterClicked();

    CDataCtlAssoc* GetRecordChooser() const { return m_chooser.get(); }

protected:
    bool OnControlsCreated(const CDlgTemplateBuilder& builder) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnEdited() override { SetChanged(true); }

private:
    // IDataCtlOwner: a person chosen or cleared marks the editor changed.
    void OnCtlChanged(CDataCtl* /*control*/) override { SetChanged(true); }

    /// Shows, hides, enables and disables by the relationship and the start chosen.
    void ApplyState();

    std::unique_ptr<CDataCtlAssoc> m_chooser;
};
