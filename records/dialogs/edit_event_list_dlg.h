// records/dialogs/edit_event_list_dlg.h: the Edit List dialog (template 374): an ordered list of
// event and attribute kinds, standard and custom, chosen from the kinds of individuals or
// families.
#pragma once

#include "controls/col_box.h"
#include "controls/dlg_layout.h"
#include "controls/u_button.h"
#include "database/dictionary/event_list_entry.h"
#include "platform/ui/dialogs/dialog.h"

#include <string>
#include <vector>

inline constexpr unsigned kEditEventListTemplate = 374;
inline constexpr int IDC_LIST_TABS = 1312, IDC_LIST_ADD = 1537, IDC_LIST_ADD_ALL = 1543,
                     IDC_LIST_REMOVE = 1544, IDC_LIST_REMOVE_ALL = 1545,
                     IDC_LIST_CHOSEN_FRAME = 1021, IDC_LIST_ARROWS_FRAME = 1023,
                     IDC_LIST_ADD_CUSTOM = 3, IDC_LIST_EVENTS = 5000, IDC_LIST_ATTRIBUTES = 5001,
                     IDC_LIST_CHOSEN = 5002, IDC_LIST_UP = 1022, IDC_LIST_DOWN = 1023;

/// On IDOK the caller's list has been replaced by the chosen rows in their order.
class CEditEventListDlg final : public CDialog, private CColBoxOwner, private CUButtonListener {
public:
    CEditEventListDlg(std::vector<CEventListEntry>& list, bool isFamily, CWnd* parent = nullptr);

    CColBox& GetPane(int id);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;
    void OnOK() override;

private:
    bool OnColumnClick(CColBox* /*box*/, int /*column*/) override { return false; }
    void OnSelChanged(CColBox* box) override;
    void OnButtonClicked(CUButton* button) override;

    bool Build();
    void FillLeftPanes();
    void FillChosen();
    void FitLeftPanes();
    CColBox& VisiblePane();
    /// Selects the chosen row of the entry, appending one when there is none.
    void AddChosen(const CEventListEntry& entry, const std::string& label);
    void MoveChosen(bool up);
    void UpdateArrows();

    std::vector<CEventListEntry>& m_list;
    bool m_isFamily;
    CColBox m_events;
    CColBox m_attributes;
    CColBox m_chosen;
    CUButton m_up;
    CUButton m_down;
    CDlgLayout m_layout;
};

/// The text of a chosen row for an entry ("%s\tEvent\t\t", "%s\tAttribute\tCustom\t", ...);
/// empty for an entry that is dropped: a field id that names no event or attribute of the
/// record type, a custom entry without name or of another kind.
std::string ChosenRowText(const CEventListEntry& entry, bool isFamily);
