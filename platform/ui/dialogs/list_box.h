// platform/ui/dialogs/list_box.h: the list box control: a list of texts with item data, one or
// several of them selected.
#pragma once

#include "platform/ui/windows/wnd.h"

#include <string>

// List box styles.
inline constexpr DWORD LBS_NOTIFY = 0x0001, LBS_SORT = 0x0002, LBS_MULTIPLESEL = 0x0008,
                       LBS_HASSTRINGS = 0x0040, LBS_NOINTEGRALHEIGHT = 0x0100,
                       LBS_EXTENDEDSEL = 0x0800, LBS_NOSEL = 0x4000;
// List box notifications, sent only with LBS_NOTIFY.
inline constexpr UINT LBN_SELCHANGE = 1, LBN_DBLCLK = 2;
inline constexpr int LB_ERR = -1;

/// A change of selection by the user sends LBN_SELCHANGE and a double click on an item
/// LBN_DBLCLK; changes made in code send nothing. With LBS_SORT, AddString keeps the items in
/// order without regard to case. LBS_MULTIPLESEL lets a click toggle an item, LBS_EXTENDEDSEL
/// selects ranges with Shift and Ctrl.
class CListBox : public CWnd {
public:
    CListBox();
    ~CListBox() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    /// Adds at the end, or at its sorted place with LBS_SORT; returns the index.
    int AddString(const char* text);
    /// Inserts at index (-1: the end) whatever the sort style; returns the index.
    int InsertString(int index, const char* text);
    /// Returns the number of items left, or LB_ERR.
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    /// The selected item of a single-selection list (LB_ERR when none); the item with the focus
    /// rectangle in a multiple-selection list.
    int GetCurSel() const;
    /// Selects the item of a single-selection list (-1: none); returns LB_ERR for -1 or a missing
    /// item.
    int SetCurSel(int index);
    /// Whether the item is selected.
    int GetSel(int index) const;
    /// Selects or clears an item of a multiple-selection list; index -1 is every item.
    int SetSel(int index, BOOL select = TRUE);
    int GetSelCount() const;
    /// Fills indexes with up to maxItems selected items, in order; returns how many.
    int GetSelItems(int maxItems, int* indexes) const;
    int GetText(int index, std::string& text) const;
    int GetTextLen(int index) const;
    /// As CComboBox::FindString: the first item after start that begins with text, without
    /// regard to case, wrapping round; LB_ERR when none.
    int FindString(int start, const char* text) const;
    int FindStringExact(int start, const char* text) const;
    int SelectString(int start, const char* text);
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    int GetTopIndex() const;
    int SetTopIndex(int index);
};
