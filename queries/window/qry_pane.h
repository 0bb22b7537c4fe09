// queries/window/qry_pane.h: what the query window's editing tabs share: a child window built from
// a dialog template with the window's dialog font, its controls anchored, painted in the
// button-face colour, that passes the focus on to the window's tab control.
#pragma once

#include "queries/window/button_face_pane.h"

class CSubViewQuery;

class CQryPane : public CButtonFacePane {
public:
    explicit CQryPane(CSubViewQuery& window) : m_window(window) {}

    BOOL Create(CWnd* parent, UINT id, bool visible);

protected:
    /// Makes the controls of the template with the window's dialog font and gives the template's
    /// rectangle in pixels; false when they cannot be made.
    bool BuildTemplate(UINT templateId, CRect& templateRect);

    void OnSetFocus(CWnd* oldWnd) override;

    CSubViewQuery& m_window;
};
