// platform/ui/dialogs/list_ctrl.h: the list control in report view: rows of texts under column
// headings, with item data and a selection the parent may veto.
#pragma once

#include "platform/ui/windows/wnd.h"

#include <string>

// List control styles (report view is the only view).
inline constexpr DWORD LVS_REPORT = 0x0001, LVS_SINGLESEL = 0x0004, LVS_SHOWSELALWAYS = 0x0008,
                       LVS_NOCOLUMNHEADER = 0x4000, LVS_NOSORTHEADER = 0x8000;
// Column alignment.
inline constexpr int LVCFMT_LEFT = 0, LVCFMT_RIGHT = 1, LVCFMT_CENTER = 2;
// Item states and what a state change concerns.
inline constexpr UINT LVIS_FOCUSED = 0x0001, LVIS_SELECTED = 0x0002;
inline constexpr UINT LVIF_TEXT = 0x0001, LVIF_PARAM = 0x0004, LVIF_STATE = 0x0008;
// GetNextItem's relations.
inline constexpr UINT LVNI_ALL = 0x0000, LVNI_FOCUSED = 0x0001, LVNI_SELECTED = 0x0002;
// Notifications (the code of WM_NOTIFY).
inline constexpr UINT NM_DBLCLK = 0u - 3u;
inline constexpr UINT LVN_FIRST = 0u - 100u;
inline constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0, LVN_ITEMCHANGED = LVN_FIRST - 1;

/// What LVN_ITEMCHANGING and LVN_ITEMCHANGED carry: the item whose state changes.
struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction;
    LPARAM lParam = 0;
};

/// What NM_DBLCLK carries: the row and column double-clicked.
struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    POINT ptAction;
};

/// When the user changes the selection, the parent is asked first with LVN_ITEMCHANGING for each
/// item whose selected state changes (a nonzero answer refuses, and the selection stays as it
/// was), then told with LVN_ITEMCHANGED for each. Changes made in code send nothing.
class CListCtrl : public CWnd {
public:
    CListCtrl();
    ~CListCtrl() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    /// Inserts a column before column (past the end: at the end); width -1 keeps the default.
    /// Returns its index, or -1.
    int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1);
    BOOL DeleteColumn(int column);
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);

    /// Inserts a row before item (past the end: at the end) with its first column's text;
    /// returns its index, or -1.
    int InsertItem(int item, const char* text);
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL SetItemText(int item, int subItem, const char* text);
    std::string GetItemText(int item, int subItem) const;
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    /// The LVIS_ states of the item, within mask.
    UINT GetItemState(int item, UINT mask) const;
    /// Sets the LVIS_ states within mask; item -1 is every item.
    BOOL SetItemState(int item, UINT state, UINT mask);
    /// The first item after start (-1: from the first) in the relation of flags (LVNI_), or -1.
    int GetNextItem(int start, UINT flags) const;
    UINT GetSelectedCount() const;
    BOOL EnsureVisible(int item, BOOL partialOK);
};
