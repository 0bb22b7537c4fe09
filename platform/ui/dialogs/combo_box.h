// platform/ui/dialogs/combo_box.h: the combo box control: a drop-down list, with or without an
// edit.
#pragma once

#include "platform/ui/windows/wnd.h"

#include <string>

// Combo box styles.
inline constexpr DWORD CBS_SIMPLE = 0x0001, CBS_DROPDOWN = 0x0002, CBS_DROPDOWNLIST = 0x0003,
                       CBS_AUTOHSCROLL = 0x0040, CBS_SORT = 0x0100, CBS_HASSTRINGS = 0x0200;
// Combo box notifications.
inline constexpr UINT CBN_SELCHANGE = 1, CBN_EDITCHANGE = 5, CBN_DROPDOWN = 7, CBN_CLOSEUP = 8;
/// The answer of a combo box or list box call that failed or found nothing.
inline constexpr int CB_ERR = -1;

/// The user's choice of an item sends CBN_SELCHANGE and typing in the edit CBN_EDITCHANGE;
/// changes made in code send nothing. With CBS_SORT, AddString keeps the items in order
/// without regard to case. The height given at creation is the height with the list dropped;
/// the control itself is as high as its font needs.
class CComboBox : public CWnd {
public:
    CComboBox();
    ~CComboBox() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    /// Adds at the end, or at its sorted place with CBS_SORT; returns the index.
    int AddString(const char* text);
    /// Inserts at index (-1: the end) whatever the sort style; returns the index.
    int InsertString(int index, const char* text);
    /// Returns the number of items left, or CB_ERR.
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    /// Selects the item (-1: none) and shows its text; returns the index, or CB_ERR.
    int SetCurSel(int index);
    /// The item's text; CB_ERR when there is no such item.
    int GetLBText(int index, std::string& text) const;
    int GetLBTextLen(int index) const;
    /// The first item after start (-1: from the first) that begins with text, without regard to
    /// case, searching on from the top; CB_ERR when none does.
    int FindString(int start, const char* text) const;
    /// The same for an item equal to text without regard to case.
    int FindStringExact(int start, const char* text) const;
    /// Selects what FindString finds; returns its index or CB_ERR.
    int SelectString(int start, const char* text);
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    /// Opens or closes the list.
    void ShowDropDown(BOOL show = TRUE);
    BOOL GetDroppedState() const;
};
