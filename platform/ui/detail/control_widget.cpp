// platform/ui/detail/control_widget.cpp: notifications from controls to their parents.
#include "platform/ui/detail/control_widget.h"

namespace ui_detail {

UserInput* UserInputOf(const CWnd* wnd)
{
    return dynamic_cast<UserInput*>(WidgetOf(wnd));
}

Mutable* MutableOf(const CWnd* wnd)
{
    return dynamic_cast<Mutable*>(WidgetOf(wnd));
}

void NotifyCommand(CWnd& control, UINT code)
{
    if (CWnd* parent = control.GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(control.GetDlgCtrlID()), WORD(code)),
                            LPARAM(&control));
}

LRESULT NotifyParent(CWnd& control, NMHDR& header, UINT code)
{
    header.hwndFrom = &control;
    header.idFrom = UINT_PTR(control.GetDlgCtrlID());
    header.code = code;
    CWnd* parent = control.GetParent();
    return parent ? parent->SendMessage(WM_NOTIFY, header.idFrom, LPARAM(&header)) : 0;
}

CreateArgs ChildArgs(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    CreateArgs args;
    args.style = style | WS_CHILD;
    args.parent = parent;
    args.id = id;
    args.rect = &rect;
    return args;
}

Qt::FocusPolicy FocusPolicyFor(DWORD style)
{
    return (style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus;
}

} // namespace ui_detail
