// records/dialogs/add_event_dlg.h: the Add Event or Attribute dialog (template 300), which
// chooses the kind of event or attribute and the record that receives it.
#pragma once

#include "platform/ui/dialogs/dialog.h"
#include "records/dialogs/add_event_items.h"
#include "records/grid/tag_grid.h"

#include <cstdint>
#include <string>

inline constexpr unsigned kAddEventTemplate = 300;
inline constexpr int IDC_ADD_EVENT_LIST = 1450, IDC_ADD_EVENT_GRID_FRAME = 1449,
                     IDC_ADD_EVENT_LABEL = 1499, IDC_SHOW_EVENTS = 1497, IDC_SHOW_ATTRIBUTES = 1498,
                     IDC_ADD_EVENT_GRID = 107;

/// The opener sets m_record (an individual or a family) and m_offerChildEvents; after IDOK
/// m_result names the record that receives a field of m_result.m_fieldId (with the TYPE name
/// m_result.m_customName for a custom kind). Another kind of record ends the dialog at once with
/// IDCANCEL.
class CAddEventDlg final : public CDialog, private ITagGridOwner {
public:
    explicit CAddEventDlg(CWnd* parent = nullptr);

    CRecordNode* m_record = nullptr;
    bool m_offerChildEvents = true;
    CAddEventResult m_result;

    /// The custom names in use (the opening fills them from the data set).
    const CCustomNameLists& GetNameLists() const { return m_names; }
    CTagGrid& GetGrid() { return m_grid; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void OnGridSelChanged(CTagGrid* grid) override;
    void FillItems();
    /// Refills the grid when the selected item's scope differs from the one shown.
    void SyncGrid();
    void UpdateOk();
    bool ShowsEvents() const;
    /// The selected item, false when none.
    bool GetSelectedItem(CAddEventItem& item) const;
    /// The record of the focused row when it is a selected top-level row; null otherwise.
    CRecordNode* GetChosenRecord();

    CTagGrid m_grid;
    CCustomNameLists m_names;
    std::uint32_t m_gridScope = 0;
    bool m_isIndividual = false;
};
