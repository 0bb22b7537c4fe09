// platform/ui/dialogs/rich_edit_ctrl.cpp: the rich edit control over QTextEdit.
#include "platform/ui/dialogs/rich_edit_ctrl.h"

#include "platform/ui/detail/control_widgets.h"
#include "platform/ui/dialogs/edit.h"

#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {

ui_detail::RichEditWidget* RichOf(const CWnd* wnd)
{
    return dynamic_cast<ui_detail::RichEditWidget*>(ui_detail::WidgetOf(wnd));
}

} // namespace

CRichEditCtrl::CRichEditCtrl() = default;

CRichEditCtrl::~CRichEditCtrl()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CRichEditCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    QWidget* parentWidget = ui_detail::WidgetOf(parent);
    if (!parentWidget || GetSafeHwnd())
        return FALSE;
    auto* edit = new ui_detail::RichEditWidget(parentWidget);
    edit->setReadOnly((style & ES_READONLY) != 0);
    edit->setFrameShape((style & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    edit->setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded
                                                          : Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded
                                                            : Qt::ScrollBarAlwaysOff);
    edit->setFocusPolicy(ui_detail::FocusPolicyFor(style));
    return ui_detail::CreateOver(*this, edit, ui_detail::ChildArgs(style, rect, parent, id));
}

BOOL CRichEditCtrl::SetReadOnly(BOOL readOnly)
{
    ui_detail::RichEditWidget* edit = RichOf(this);
    if (!edit)
        return FALSE;
    edit->setReadOnly(readOnly != FALSE);
    return TRUE;
}

int CRichEditCtrl::GetRequestedHeight() const
{
    ui_detail::RichEditWidget* edit = RichOf(this);
    if (!edit)
        return 0;
    // The viewport is laid out only when the window is shown, so the frame is taken from the
    // window's own size.
    const int frame = 2 * edit->frameWidth();
    QTextDocument* document = edit->document();
    document->setTextWidth(std::max(1, edit->width() - frame));
    return int(std::ceil(document->size().height())) + frame;
}
