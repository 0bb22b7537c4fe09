// controls/u_list_ctrl.h: a list control whose listener may refuse selection changes, and whose
// parent hears of a burst of selection changes once.
#pragma once

#include "platform/ui/dialogs/list_ctrl.h"

class CUListCtrl;

/// Posted to the list's parent after its selection changed; while one waits no other is posted,
/// so the parent handles a burst of changes once.
inline constexpr UINT WM_LIST_SEL_CHANGED = WM_USER + 99;

class CUListCtrlListener {
public:
    virtual ~CUListCtrlListener() = default;
    /// Asked before the selected state of change.iItem changes; true forbids the change.
    virtual bool OnListSelChanging(CUListCtrl* list, const NMLISTVIEW& change) = 0;
    /// The selected state of change.iItem changed.
    virtual void OnListSelChanged(CUListCtrl* list, const NMLISTVIEW& change) = 0;
};

/// The list keeps its selection notifications to itself: the listener is asked and told, and
/// the parent gets WM_LIST_SEL_CHANGED instead.
class CUListCtrl : public CListCtrl {
public:
    explicit CUListCtrl(CUListCtrlListener* listener = nullptr) : m_listener(listener) {}

    void SetListener(CUListCtrlListener* listener) { m_listener = listener; }

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    CUListCtrlListener* m_listener;
};
