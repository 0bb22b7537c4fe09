// database/dictionary/combo_items.h: a combo box or list being filled with texts that each carry a
// number.
#pragma once

#include <string_view>

/// The items of a choice control. The window layer implements it over a real combo box; the
/// data model only appends, so it fills choice lists without knowing any window.
class IComboItems {
public:
    virtual ~IComboItems() = default;
    /// Appends an item carrying data; false when the control refuses it (no room left).
    virtual bool AddItem(std::string_view text, long data) = 0;
};
