// records/window/rec_lists_wnd.h: the record lists of the records window: a tab control with one
// record grid per displayed record type, kept in step with the data and the display options.
#pragma once

#include "records/grid/tag_grid.h"
#include "records/window/record_search.h"

#include "platform/ui/dialogs/tab_ctrl.h"

#include <array>
#include <functional>

/// The nine grids, one per record type in list order (0 individuals ... 8 header), with ids 71
/// to 79, all lie over the display area of the tab control (id 70); only the active grid
/// shows. A type has a tab while its display choice allows it (0 always, 1 when the
/// file has such a record, 2 never); grids of types without a tab stay empty, except while a
/// search has filled them.
class CCmdUI;

class CRecListsWnd final : public CWnd, public ITagGridOwner {
public:
    static constexpr UINT kTabId = 70, kFirstGridId = 71;
    static constexpr int kGridCount = 9;

    CRecListsWnd();
    ~CRecListsWnd() override;

    /// onFocus is called whenever one of the grids gains the focus.
    void SetFocusListener(std::function<void()> onFocus) { m_onFocus = std::move(onFocus); }

    /// A change notice: 2 empties every list; 4, 5 and 7 do nothing; any other brings the lists
    /// that show something in step with the data, and 3 and 6 then rebuild the tabs. A failure
    /// stops and shows "An error has occurred.".
    void OnDocUpdate(CView* sender, LPARAM hint, CObject* object);
    /// One tab per displayed type, in list order; the active grid's tab stays selected when it
    /// has one, else the first tab's grid becomes active, else there is none.
    void RebuildTabs();
    /// Shows the type's tab and grid, changing a hidden type's display choice to 0 first (for
    /// the session: the profile is not written), and gives the grid the focus when asked.
    void SelectTab(int listIndex, bool focus);
    /// Shows the record in the list of its type, selected and focused; for a type without a
    /// tab, when ask is set, first asks whether to show it (Cancel: nothing changes). False
    /// when the record was not shown.
    bool ShowHiddenType(CRecordNode* record, bool ask);
    /// The next match of the search, across types for an all-types search (notes and the
    /// header only when the search is not by name), selected in its list; the type's tab is
    /// shown, after asking when the type has none (Cancel leaves the tabs and the display
    /// options as they were). False when no record matched.
    bool ShowFoundRecord(const RecordSearch& search);
    /// Empties the lists that show something without having a tab (those a search filled).
    void UpdateTabs();

    /// The grid of a list index; null outside 0 to 8.
    CTagGrid* GetGrid(int listIndex);
    /// The grid whose tab is selected; null when there is no tab.
    CTagGrid* GetActiveGrid() const { return m_active; }
    /// The list index of the active grid; -1 without one.
    int GetActiveIndex() const;
    /// The tab of a list index, or -1 when the type has none.
    int FindTab(int listIndex) const;
    int GetTabCount() const { return m_tab.GetItemCount(); }
    CTabCtrl& GetTabCtrl() { return m_tab; }

    /// Runs command on the active grid; nothing without one.
    void ForwardToActiveList(const std::function<void(CTagGrid&)>& command) const
    {
        if (m_active)
            command(*m_active);
    }
    /// The active grid's delete command (a record, a field or a link).
    void DeleteInActiveList() const;
    /// Delete is enabled while the active grid has one selected record.
    void UpdateDeleteCmd(CCmdUI* state) const;

    /// Every grid shows its records afresh, under the wait cursor.
    void RefreshAll();
    /// Every grid emptied, and the texts of its find bar.
    void ResetAll();

    // The grids' owner.
    void OnGridFocus(CTagGrid* grid) override;
    bool MayDelete(CTagGrid* grid) override;

protected:
    int OnCreate(CREATESTRUCT* createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    /// The type's display choice lets it have a tab.
    static bool IsDisplayed(int listIndex);
    /// Shows grid (hiding the active one) and makes it active.
    void Activate(CTagGrid* grid, bool focus);
    CRect DisplayArea() const;
    /// Fills a grid of a type without a tab that shows nothing, so that it can be searched.
    void EnsureFilled(int listIndex);

    CTabCtrl m_tab;
    std::array<CTagGrid, kGridCount> m_grids;
    std::array<bool, kGridCount> m_created{};
    CTagGrid* m_active = nullptr;
    /// The lists a search filled, in file order, for types without a tab.
    std::array<bool, kGridCount> m_unsorted{};
    /// The list index of the last match; -1 after a search that found nothing.
    int m_lastFound = -1;
    std::function<void()> m_onFocus;
};
