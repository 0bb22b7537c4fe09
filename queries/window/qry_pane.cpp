// queries/window/qry_pane.cpp: the shared part of the query window's editing tabs.
#include "queries/window/qry_pane.h"

#include "controls/dialog_template_builder.h"
#include "queries/window/sub_view_query.h"

BOOL CQryPane::Create(CWnd* parent, UINT id, bool visible)
{
    return CreateEx(0, "AvQueryPane", "", WS_CHILD | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0),
                    CRect(0, 0, 10, 10), parent, id);
}

bool CQryPane::BuildTemplate(UINT templateId, CRect& templateRect)
{
    LOGFONT font{};
    const bool hasFont = m_window.GetDialogFont().GetLogFont(&font) != FALSE;
    const CDlgTemplateBuilder builder(templateId, hasFont ? &font : nullptr);
    if (!builder.CreateControls(*this, m_controls))
        return false;
    builder.GetTemplateRect(templateRect);
    return true;
}

void CQryPane::OnSetFocus(CWnd*)
{
    if (m_window.GetTabCtrl().GetSafeHwnd())
        m_window.GetTabCtrl().SetFocus();
}
