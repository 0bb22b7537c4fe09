// platform/ui/dialogs/static.cpp: the static control over QLabel.
#include "platform/ui/dialogs/static.h"

#include "platform/ui/detail/control_widget.h"
#include "platform/ui/resources/resources.h"

#include <QLabel>
#include <QPixmap>

#include <cstdlib>

namespace {

/// A label. A test's click reaches the handlers as the mouse would.
class StaticWidget final : public ui_detail::ControlWidget<QLabel> {
public:
    explicit StaticWidget(QWidget* parent) : ControlWidget<QLabel>(parent) {}

    bool Click() override
    {
        CWnd* wnd = ui_detail::WndFromWidget(this);
        if (!wnd)
            return false;
        const LPARAM point = MAKELPARAM(1, 1);
        ui_detail::SendSimple(*wnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
        if (ui_detail::WndFromWidget(this) == wnd)
            ui_detail::SendSimple(*wnd, WM_LBUTTONUP, 0, point);
        return true;
    }
};

void ShowImage(QLabel& label, DWORD type, const char* text)
{
    const auto kind = type == SS_BITMAP ? ResourceType::Bitmap : ResourceType::Icon;
    const ImageRecord* image = AppResources().FindImage(kind, UINT(std::atoi(text ? text : "0")));
    if (image)
        label.setPixmap(QPixmap(QString::fromStdString(image->path)));
}

void SetFrame(QLabel& label, DWORD style)
{
    switch (style & SS_TYPEMASK) {
    case SS_ETCHEDHORZ:
        label.setFrameStyle(QFrame::HLine | QFrame::Sunken);
        return;
    case SS_ETCHEDVERT:
        label.setFrameStyle(QFrame::VLine | QFrame::Sunken);
        return;
    case SS_ETCHEDFRAME:
        label.setFrameStyle(QFrame::Box | QFrame::Sunken);
        return;
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
        label.setFrameStyle(QFrame::Box | QFrame::Plain);
        return;
    default:
        if (style & SS_SUNKEN)
            label.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
}

Qt::Alignment AlignmentOf(DWORD style)
{
    const DWORD type = style & SS_TYPEMASK;
    const Qt::Alignment down = (style & SS_CENTERIMAGE) ? Qt::AlignVCenter : Qt::AlignTop;
    if (type == SS_CENTER)
        return Qt::AlignHCenter | down;
    if (type == SS_RIGHT)
        return Qt::AlignRight | down;
    return Qt::AlignLeft | down;
}

} // namespace

CStatic::CStatic() = default;

CStatic::~CStatic()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CStatic::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    QWidget* parentWidget = ui_detail::WidgetOf(parent);
    if (!parentWidget || GetSafeHwnd())
        return FALSE;
    auto* label = new StaticWidget(parentWidget);
    label->setTextFormat(Qt::PlainText);
    label->setFocusPolicy(Qt::NoFocus);
    const DWORD type = style & SS_TYPEMASK;
    if (type == SS_ICON || type == SS_BITMAP) {
        ShowImage(*label, type, text);
    } else {
        label->setText(QString::fromUtf8(text ? text : ""));
        label->setAlignment(AlignmentOf(style));
        label->setWordWrap(type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT);
    }
    SetFrame(*label, style);
    return ui_detail::CreateOver(*this, label, ui_detail::ChildArgs(style, rect, parent, id));
}

LRESULT CStatic::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CWnd::DefWindowProc(message, wParam, lParam);
    if (GetStyle() & SS_NOTIFY) {
        if (message == WM_LBUTTONDOWN)
            ui_detail::NotifyCommand(*this, STN_CLICKED);
        else if (message == WM_LBUTTONDBLCLK)
            ui_detail::NotifyCommand(*this, STN_DBLCLK);
    }
    return result;
}
