// queries/window/qry_pane.h: what the query window's editing tabs share: a child window built from
// a dialog template with the window's dialog font, its controls anchored, painted in the
// button-face colour, that passes the focus on to the window's tab control.
#pragma once

#include "controls/dlg_layout.h"
#include "platform/ui/windows/wnd.h"

#include <memory>
#include <vector>

class CSubViewQuery;

class CQryPane : public CWnd {
public:
    explicit CQryPane(CSubViewQuery& window) : m_window(window) {}
    ~CQryPane() override;

    BOOL Create(CWnd* parent, UINT id, bool visible);

protected:
    /// Makes the controls of the template with the window's dialog font and gives the template's
    /// rectangle in pixels; false when they cannot be made.
    bool BuildTemplate(UINT templateId, CRect& templateRect);

    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSetFocus(CWnd* oldWnd) override;

    CSubViewQuery& m_window;
    std::vector<std::unique_ptr<CWnd>> m_controls;
    CDlgLayout m_layout;
};
