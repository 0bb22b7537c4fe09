// queries/window/button_face_pane.h: a child window of the query window whose controls come from
// a dialog template, anchored by a layout and painted on the button face; the editing tabs and
// the filter editors stand on it.
#pragma once

#include "controls/dlg_layout.h"
#include "platform/ui/windows/wnd.h"

#include <memory>
#include <vector>

class CButtonFacePane : public CWnd {
public:
    ~CButtonFacePane() override;

protected:
    /// Re-applies the layout to the new size.
    void OnSize(UINT type, int cx, int cy) override;
    /// Paints the background in the button-face colour.
    BOOL OnEraseBkgnd(CDC* dc) override;

    std::vector<std::unique_ptr<CWnd>> m_controls;
    CDlgLayout m_layout;
};
