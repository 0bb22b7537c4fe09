// controls/u_list_ctrl.cpp: selection changes of the list offered to its listener, and the one
// waiting notice to its parent.
#include "controls/u_list_ctrl.h"

namespace {

bool SelectionChanges(const NMLISTVIEW& change)
{
    return (change.uChanged & LVIF_STATE) &&
           ((change.uOldState ^ change.uNewState) & LVIS_SELECTED);
}

} // namespace

BOOL CUListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (message != WM_NOTIFY || !header ||
        (header->code != LVN_ITEMCHANGING && header->code != LVN_ITEMCHANGED))
        return CListCtrl::OnChildNotify(message, wParam, lParam, result);
    const auto& change = *reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (result)
        *result = 0;
    if (!SelectionChanges(change))
        return TRUE;
    if (header->code == LVN_ITEMCHANGING) {
        if (m_listener && result)
            *result = m_listener->OnListSelChanging(this, change) ? 1 : 0;
        return TRUE;
    }
    if (m_listener)
        m_listener->OnListSelChanged(this, change);
    CWnd* parent = GetParent();
    if (parent && !parent->IsMessageQueued(WM_LIST_SEL_CHANGED))
        parent->PostMessage(WM_LIST_SEL_CHANGED);
    return TRUE;
}
