// records/window/sub_view_rec.h: the records window's content: the record lists beside the
// named-lists pane, the record and list commands, the change notices and the selection.
#pragma once

#include "records/window/named_lists_pane.h"
#include "records/window/rec_lists_wnd.h"

#include "app/shell/records_pane.h"
#include "controls/u_splitter_wnd.h"

#include <memory>

/// A splitter holds the record lists (two thirds of the width) and the named-lists pane (a
/// third), which is hidden at first and made only when a pane factory is installed. The
/// window's commands go to the part that last had the focus: the record lists or the pane.
class CSubViewRec final : public CRecordsPane, public INamedListsPaneHost {
public:
    static constexpr UINT kListsId = 87, kPaneId = 88;
    /// The help context the window gives its frame.
    static constexpr UINT kHelpContext = 268;

    CSubViewRec();
    ~CSubViewRec() override;

    const CRuntimeClass* GetRuntimeClass() const override;

    void GetTitle(std::string& title) const override;
    HICON LoadViewIcon(BOOL reusable, BOOL big) const override;
    /// With the record lists active, the one selected record of the active list when it is of
    /// cls; with the pane active, the pane's selection.
    CObject* GetSelection(const CRuntimeClass* cls, int* count) const override;
    /// The records of every selected row of the active list, or of the pane's items grid
    /// while the pane is active.
    void GetSelectedRecords(std::vector<CRecordNode*>& records) const override;
    /// The record of the active list's current row, or of the pane's when it is active.
    CRecordNode* GetCurrentRecord() const;
    /// Every hint but kHintNamedListsChanged (kHintDataSetCleared) goes to the record lists; every
    /// hint goes to the pane while it shows.
    void OnUpdate(CView* sender, LPARAM hint, CObject* object) override;
    /// Every record list emptied (and its find bar), the pane emptied, the record lists
    /// active: the window as it stands before a file is loaded. The data set's clearing does
    /// it.
    void Reset() override;

    int FindTab(int listIndex) const override;
    void SelectTab(int listIndex, bool focus) override;
    /// Selects the record in its list; asks first when its type has no tab.
    void ShowRecord(CRecordNode* record, bool focus) override;
    /// Shows the next match of a search (see CRecListsWnd::ShowFoundRecord).
    bool GoToRecord(const RecordSearch& search);
    /// Empties again the lists that a search filled for types without a tab.
    void UpdateTabs();
    /// Ends the active list's in-place edit, keeping the value.
    void CloseGridEditor() override;
    /// Shows the pane (filled) when hidden and, with a list, selects it there.
    void ShowNamedList(CNamedList* list);

    /// Whether the named-lists pane is shown.
    bool IsPaneVisible() const;
    /// Whether the record lists have the focus (else the pane has it).
    bool AreListsActive() const { return m_listsActive; }
    CRecListsWnd& GetRecLists() { return m_lists; }
    INamedListsPane* GetNamedListsPane() const { return m_pane.get(); }

    // The pane's host.
    void OnNamedListsPaneFocus() override;
    void OnNamedListsPaneChanged() override;

protected:
    int OnCreate(CREATESTRUCT* createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;

private:
    void MapListCommands();
    void MapNamedListCommands();
    /// Lays the record lists (two thirds of the width) and the named-lists pane (a third) out
    /// together, then hides the pane: the lists' columns take their widths from that first size,
    /// so the Values column is in view beside the pane. Once, at the first size with an area.
    void LayOutPanes(int cx, int cy);
    /// The pane's selected list while the pane shows, else null.
    CNamedList* ShownList() const;
    void OnDelete();
    void OnRefresh();
    /// The active list's Record Window Options sheet.
    void OnRecordWindowOptions();
    // The named-list commands, while the pane shows (a list selected there for the last two).
    void OnNewNamedList();
    void OnDeleteNamedList();
    void OnNamedListProperties();
    void OnNamedListsPane();
    void OnEmptyNamedList();
    void OnMakeListOrderDefault();
    void OnDeleteAllRecordsInList();

    /// The splitter's shares of the record lists and the pane (two thirds and a third).
    static constexpr int kListsShare = 133, kPaneShare = 67;

    CUSplitterWnd m_splitter;
    CRecListsWnd m_lists;
    std::unique_ptr<INamedListsPane> m_pane;
    int m_panePaneIndex = -1;
    bool m_listsActive = true;
    bool m_created = false;
    bool m_panesLaidOut = false;
};
