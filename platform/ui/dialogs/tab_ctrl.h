// platform/ui/dialogs/tab_ctrl.h: the tab control: a row of tabs over a framed display area in
// which the program places the windows of the tabs.
#pragma once

#include "platform/ui/windows/wnd.h"

#include <string>

// Tab control styles.
inline constexpr DWORD TCS_FIXEDWIDTH = 0x0400, TCS_FOCUSNEVER = 0x8000;
// Notifications (the code of WM_NOTIFY).
inline constexpr UINT TCN_FIRST = 0u - 550u;
inline constexpr UINT TCN_SELCHANGE = TCN_FIRST - 1, TCN_SELCHANGING = TCN_FIRST - 2;

/// When the user picks another tab, the parent is asked with TCN_SELCHANGING while the old tab
/// is still the current one (a nonzero answer keeps it), then told with TCN_SELCHANGE. Changes
/// made in code send nothing.
class CTabCtrl : public CWnd {
public:
    CTabCtrl();
    ~CTabCtrl() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    /// Inserts a tab before item (past the end: at the end); returns its index, or -1.
    LONG InsertItem(int item, const char* text, LPARAM data = 0);
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    /// -1 when no tab is current.
    int GetCurSel() const;
    /// Makes the tab current without telling the parent; returns the tab current before, or -1
    /// when item is no tab.
    int SetCurSel(int item);
    std::string GetItemText(int item) const;
    BOOL SetItemText(int item, const char* text);
    LPARAM GetItemData(int item) const;
    BOOL SetItemData(int item, LPARAM data);
    /// The tab's rectangle in the control's client coordinates.
    BOOL GetItemRect(int item, RECT* rect) const;
    /// larger FALSE: turns the control's window rectangle into its display area; TRUE: turns a
    /// display area into the window rectangle that has it.
    void AdjustRect(BOOL larger, RECT* rect) const;
    /// The tabs' width (only with TCS_FIXEDWIDTH) and height (when not 0); returns the old size.
    CSize SetItemSize(CSize size);
};
