// queries/window/button_face_pane.cpp: the template-built child window on the button face.
#include "queries/window/button_face_pane.h"

#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/sys_metrics.h"

CButtonFacePane::~CButtonFacePane()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

void CButtonFacePane::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    m_layout.ApplyLayout(this, cx, cy);
}

BOOL CButtonFacePane::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}
