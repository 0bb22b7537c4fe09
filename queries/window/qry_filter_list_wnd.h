// queries/window/qry_filter_list_wnd.h: the Rows pane's editor of an "Is In List" filter row.
#pragma once

#include "queries/window/qry_filter_wnd.h"

#include <string>

/// The list-name combo of the list editor's template.
inline constexpr int kFilterListNameCombo = 1867;

/// Edits the condition and the named list of a list row. The combo offers the document's named
/// lists, newest first; a name that no list has is kept as typed, one that the query file cannot
/// hold (a line break) is refused with a message.
class CQryFilterListWnd final : public CQryFilterWnd {
public:
    explicit CQryFilterListWnd(IQryRowsPane& pane);

    void RefreshChoices() override {}
    void LoadFilter() override;
    bool IsComplete() const override;
    bool SaveFilter(CAvFilter* row, std::unique_ptr<CAvFilter>& result) override;
    void OnDataChanged(CView*, LPARAM, CObject*) override {}

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    /// The list name the editor holds: the chosen entry while the choice is being made, else
    /// the text as typed.
    std::string ListName() const;
    void FillListNames();

    bool m_selChanging = false;
};
