// diagrams/window/diag_query_marks_dlg.h: the choice of an individual query whose individuals'
// diagram boxes are marked or unmarked, and the run of that query.
//
// It loads and runs the query into the caller's CQueryDef from the query window's lists of saved
// queries, hence the library's link to query_window.
#pragma once

#include "platform/ui/dialogs/dialog.h"

class CComboBox;
class CQueryDef;

/// Template 313. The caller sets m_query (the query definition the chosen query is loaded
/// into) and runs DoModal. "Run Query" (IDOK) loads the chosen standard or custom query and
/// runs it, asking its parameters; after IDOK the query's result holds the individuals found,
/// m_setMarks says whether their boxes are marked (else unmarked) and m_clearFirst whether
/// every mark is cleared first. A query that does not load or run keeps the dialog open.
class CQueryMarksDlg final : public CDialog {
public:
    static constexpr UINT kTemplate = 313;
    static constexpr int kQueryListId = 1289, kMarkId = 1503, kUnmarkId = 1504,
                         kClearFirstId = 1505;

    explicit CQueryMarksDlg(CQueryDef* query, CWnd* parent = nullptr);

    bool m_setMarks = false;
    bool m_clearFirst = false;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    CComboBox* QueryList() const;
    /// "Clear existing marks first" only goes with marking.
    void UpdateClearFirst();

    CQueryDef* m_query;
};
