// queries/lists/select_records_dlg.h: the Select Records dialog, in which the user puts
// together an ordered set of records of one type for a report.
#pragma once

#include "queries/lists/named_list_pane.h"

#include "controls/dlg_layout.h"
#include "controls/u_button.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "records/grid/tag_grid.h"

#include <vector>

class CRecordNode;

inline constexpr UINT kSelectRecordsTemplate = 353;
inline constexpr int IDC_SELREC_TABS = 1312, IDC_SELREC_CHOSEN_PLACE = 1313,
                     IDC_SELREC_SOURCE_PLACE = 1314, IDC_SELREC_ADD = 1537,
                     IDC_SELREC_ADD_ALL = 1543, IDC_SELREC_REMOVE = 1544,
                     IDC_SELREC_REMOVE_ALL = 1545, IDC_SELREC_ADD_QUERY = 1539,
                     IDC_SELREC_REMOVE_QUERY = 1542, IDC_SELREC_DEFAULT_ORDER = 1541,
                     IDC_SELREC_CUSTOM_ORDER = 1546, IDC_SELREC_UP = 1022, IDC_SELREC_DOWN = 1023,
                     IDC_SELREC_MENU = 1843;
/// The one item of the menu button's pop-up.
inline constexpr UINT ID_SELREC_ADD_ALL_TO_LIST = 100;

/// The records of the type (and, for families, the individuals, whose spouse families they
/// stand for) or the named lists on the left; the chosen records on the right, in alphabetical
/// order or in an order the user arranges. After IDOK m_chosen holds them in their order.
class CSelectRecordsDlg final : public CDialog,
                                private ITagGridOwner,
                                private INamedListPaneHost,
                                private CUButtonListener {
public:
    /// listIndex is the record type's list index (0 individuals to 7 multimedia).
    explicit CSelectRecordsDlg(int listIndex, CWnd* parent = nullptr);
    ~CSelectRecordsDlg() override;

    /// The records chosen when the dialog opens; without them, the active window's selected
    /// records of the type.
    std::vector<CRecordNode*> m_initial;
    bool m_hasInitial = false;
    /// After IDOK, the records chosen, in their order.
    std::vector<CRecordNode*> m_chosen;

    /// The list the ">" and ">>" buttons take records from: that of the current tab.
    CTagGrid* GetSourceGrid();
    CTagGrid& GetChosenGrid() { return m_chosenGrid; }
    CNamedListPane& GetPane() { return m_pane; }
    /// The records of the chosen list, in its order.
    std::vector<CRecordNode*> ChosenRecords();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnOK() override;
    /// Moves the anchored controls.
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;

private:
    enum class Walk { Selected, All };

    /// ">" and ">>": the selected rows, or every row, of the source list.
    void OnAdd();
    void OnAddAll();
    void AddRows(Walk walk);
    void OnRemove();
    void OnRemoveAll();
    /// A saved query of the type adds its records to the chosen list, or removes them.
    void OnAddUsingQuery();
    void OnRemoveUsingQuery();
    void UseQuery(bool add);
    /// "Default Order" sorts the chosen list alphabetically; "Custom Order" keeps its order.
    void OnDefaultOrder();
    void OnCustomOrder();
    void OnMove(bool up);
    void OnMenu();
    void AddAllToNamedList();
    void ShowTab();
    /// Anchors the controls at the opening size, which becomes the least size.
    void AnchorControls();
    void UpdateButtons();
    /// Adds record (or, for a family selection, an individual's spouse families); counts what
    /// was met of the type and what was added, and keeps the last row touched.
    void AddRecord(CRecordNode* record, int& met, int& added, bool& individuals,
                   CTreeBoxNode*& last);
    bool IsOfType(const CRecordNode* record) const;
    void SetCustomOrder(bool custom);

    /// Makes the small Up, Down and menu buttons in the places of their placeholders.
    bool MakeSmallButtons();
    void OnButtonClicked(CUButton* button) override;

    void OnGridSelChanged(CTagGrid* grid) override;
    bool BeforeMove(CTagGrid* grid, int direction) override;

    int m_listIndex;
    CTabCtrl* m_tabs = nullptr;
    CTagGrid m_individuals;
    CTagGrid m_records;
    CNamedListPane m_pane;
    CTagGrid m_chosenGrid;
    CUButton m_menuButton;
    CUButton m_upButton;
    CUButton m_downButton;
    int m_individualsTab = -1;
    int m_recordsTab = 0;
    int m_listsTab = 1;
    CDlgLayout m_layout;
};
