// merge/window/mrg_dlg.h: the Merge File dialog: one tab per record type over its twin list, the
// actions that correct the comparison, and the merge with its questions.
#pragma once

#include "merge/window/mrg_twin_list_wnd.h"

#include "controls/dlg_layout.h"
#include "merge/merge_engine.h"
#include "platform/ui/dialogs/dialog.h"

#include <array>
#include <memory>
#include <vector>

class CTabCtrl;

/// Template 197, resizable: the twin lists take the room. Ends with IDOK when the merge took place;
/// with IDCANCEL when the user cancelled, the dialog could not be shown, or a merge failed (the
/// engine has put the open file back and told the user, and the rows are gone).
class CMrgDlg final : public CDialog {
public:
    explicit CMrgDlg(CMergeEngine& engine, CWnd* parent = nullptr);
    ~CMrgDlg() override;

    /// The record types of the tabs, in tab order.
    const std::vector<int>& GetTabTypes() const { return m_tabTypes; }
    /// The twin list of a record type (null before the dialog is shown).
    CMrgTwinListWnd* GetTwinList(int type) const;
    /// The record type of the tab shown.
    int GetShownType() const;
    /// Shows the tab of a type; false when there is none.
    bool ShowType(int type);
    /// The action of a button (Match ... Uncheck) on the visible twin list, in the action
    /// bracket, then the refresh.
    void RunAction(int buttonId);
    /// Goes to the record selected in a grid's value column.
    void OnGoTo();
    /// After an action: refills the lists, or only the changed record's lines.
    void RefreshLists(int type);
    /// Sets the action buttons from the visible twin list's selection.
    void UpdateButtons();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;

private:
    void SelectTab(int index);
    CTabCtrl* Tabs() const;
    void AnchorControls();
    /// Opens at the size the user last gave the dialog (kept in the profile), never smaller
    /// than the template's.
    void RestoreSize();
    void SaveSize();

    CMergeEngine& m_engine;
    std::array<std::unique_ptr<CMrgTwinListWnd>, RECORD_TYPE_COUNT> m_lists;
    std::vector<int> m_tabTypes;
    CDlgLayout m_layout;
};
