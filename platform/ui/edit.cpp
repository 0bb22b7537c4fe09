// platform/ui/edit.cpp: the edit control over QLineEdit.
#include "platform/ui/edit.h"

#include "platform/ui/detail/input_messages.h"
#include "platform/ui/detail/widget_windows.h"

#include <QLineEdit>

namespace {

/// A line edit whose input goes through its window's handlers before the edit sees it.
class EditWidget final : public QLineEdit {
public:
    explicit EditWidget(QWidget* parent) : QLineEdit(parent) {}
    ~EditWidget() override { ui_detail::EndWindowOf(this); }

protected:
    bool event(QEvent* event) override
    {
        CWnd* wnd = ui_detail::WndFromWidget(this);
        if (!wnd)
            return QLineEdit::event(event);
        const ui_detail::EventScope scope(this);
        if (ui_detail::DispatchInput(*wnd, this, event, [this, event] { QLineEdit::event(event); }))
            return true;
        return QLineEdit::event(event);
    }
};

} // namespace

CEdit::CEdit() = default;

CEdit::~CEdit()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    QWidget* parentWidget = ui_detail::WidgetOf(parent);
    if (!parentWidget || GetSafeHwnd())
        return FALSE;
    auto* edit = new EditWidget(parentWidget);
    edit->setFrame((style & WS_BORDER) != 0);
    edit->setReadOnly((style & ES_READONLY) != 0);
    edit->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [this] { Notify(EN_CHANGE); });
    ui_detail::CreateArgs args;
    args.style = style | WS_CHILD;
    args.parent = parent;
    args.id = id;
    args.rect = &rect;
    return ui_detail::CreateOver(*this, edit, args);
}

LRESULT CEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CWnd::DefWindowProc(message, wParam, lParam);
    if (message == WM_SETFOCUS)
        Notify(EN_SETFOCUS);
    else if (message == WM_KILLFOCUS)
        Notify(EN_KILLFOCUS);
    return result;
}

void CEdit::Notify(UINT code)
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID()), WORD(code)), LPARAM(this));
}
