// controls/u_check_list_box.h: a list box of checkable items, where a click on a selected item
// checks or unchecks every selected item together.
#pragma once

#include "platform/ui/dialogs/list_box.h"

#include <string>
#include <vector>

/// One prepared entry: its text and whether it starts checked.
struct CheckListItem {
    std::string text;
    bool checked = false;
};

/// The prepared items are loaded when the window is made; an entry without text is left out,
/// and each loaded item's data is its position in the prepared list. Checks belong to the
/// prepared positions, so they follow their items however the box orders them.
class CUCheckListBox : public CListBox {
public:
    /// Takes the items the window is filled with when it is made.
    void SetPreparedItems(std::vector<CheckListItem> items);

    bool GetCheck(int index) const;
    void SetCheck(int index, bool check);
    /// Sets the check of every selected item.
    void CheckSelectedItems(bool check);
    /// A click on the item: takes the focus; on an unselected item toggles only its check, on
    /// a selected one gives every selected item the clicked item's toggled check.
    void ClickItem(int index);

protected:
    int OnCreate(CREATESTRUCT* createStruct) override;

private:
    /// The prepared position of the item at index, or -1 when it is not a prepared item.
    int PreparedPosition(int index) const;

    std::vector<CheckListItem> m_prepared;
};
