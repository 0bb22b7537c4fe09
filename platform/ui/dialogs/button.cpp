// platform/ui/dialogs/button.cpp: the button control over QPushButton, QCheckBox, QRadioButton or
// QGroupBox, with the classic click rules instead of Qt's.
#include "platform/ui/dialogs/button.h"

#include "platform/ui/detail/control_widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

namespace {

/// A button whose click changes its state as the window's rules say rather than as Qt's do.
template <class Base> class ButtonWidget final : public ui_detail::ControlWidget<Base> {
public:
    explicit ButtonWidget(QWidget* parent) : ui_detail::ControlWidget<Base>(parent) {}

    bool Click() override
    {
        if (!this->isEnabled())
            return false;
        this->click();
        return true;
    }

    std::function<void()> m_clickState;

protected:
    void nextCheckState() override
    {
        if (m_clickState)
            m_clickState();
    }
};

bool IsCheckBox(DWORD type)
{
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}

bool IsRadio(DWORD type)
{
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

QAbstractButton* ButtonOf(const CWnd* wnd)
{
    return qobject_cast<QAbstractButton*>(ui_detail::WidgetOf(wnd));
}

} // namespace

CButton::CButton() = default;

CButton::~CButton()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CButton::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    QWidget* parentWidget = ui_detail::WidgetOf(parent);
    if (!parentWidget || GetSafeHwnd())
        return FALSE;
    const QString title = QString::fromUtf8(text ? text : "");
    const DWORD type = style & BS_TYPEMASK;
    if (type == BS_GROUPBOX) {
        auto* box = new ui_detail::GroupBoxWidget(parentWidget);
        box->setTitle(title);
        box->setFocusPolicy(Qt::NoFocus);
        return ui_detail::CreateOver(*this, box, ui_detail::ChildArgs(style, rect, parent, id));
    }
    const bool pushLike = (style & BS_PUSHLIKE) || !(IsCheckBox(type) || IsRadio(type));
    const auto clickRule = [](QAbstractButton* widget) {
        return [widget] {
            ui_detail::WithWnd<CButton>(widget, [](CButton& wnd) { wnd.ClickState(); });
        };
    };
    QAbstractButton* button = nullptr;
    if (pushLike) {
        auto* push = new ButtonWidget<QPushButton>(parentWidget);
        push->m_clickState = clickRule(push);
        push->setCheckable(IsCheckBox(type) || IsRadio(type));
        push->setAutoDefault(!push->isCheckable());
        push->setDefault(type == BS_DEFPUSHBUTTON);
        button = push;
    } else if (IsRadio(type)) {
        auto* radio = new ButtonWidget<QRadioButton>(parentWidget);
        radio->m_clickState = clickRule(radio);
        radio->setAutoExclusive(false);
        button = radio;
    } else {
        auto* box = new ButtonWidget<QCheckBox>(parentWidget);
        box->m_clickState = clickRule(box);
        box->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
        button = box;
    }
    button->setText(title);
    if (style & BS_LEFTTEXT)
        button->setLayoutDirection(Qt::RightToLeft);
    button->setFocusPolicy(ui_detail::FocusPolicyFor(style));
    QObject::connect(button, &QAbstractButton::clicked, button, [button] {
        ui_detail::WithWnd<CButton>(
            button, [](CButton& wnd) { ui_detail::NotifyCommand(wnd, BN_CLICKED); });
    });
    return ui_detail::CreateOver(*this, button, ui_detail::ChildArgs(style, rect, parent, id));
}

int CButton::GetCheck() const
{
    const QAbstractButton* button = ButtonOf(this);
    if (!button)
        return BST_UNCHECKED;
    if (const auto* box = qobject_cast<const QCheckBox*>(button)) {
        switch (box->checkState()) {
        case Qt::Checked:
            return BST_CHECKED;
        case Qt::PartiallyChecked:
            return BST_INDETERMINATE;
        default:
            return BST_UNCHECKED;
        }
    }
    return button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int check)
{
    QAbstractButton* button = ButtonOf(this);
    if (!button || !button->isCheckable())
        return;
    auto* box = qobject_cast<QCheckBox*>(button);
    if (box && box->isTristate() && check == BST_INDETERMINATE)
        box->setCheckState(Qt::PartiallyChecked);
    else
        button->setChecked(check != BST_UNCHECKED);
}

UINT CButton::GetButtonStyle() const
{
    return UINT(GetStyle() & 0xFFFF);
}

void CButton::SetButtonStyle(UINT style, BOOL)
{
    auto* push = qobject_cast<QPushButton*>(ButtonOf(this));
    const DWORD type = style & BS_TYPEMASK;
    if (!push || push->isCheckable() || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON))
        return;
    DWORD& own = ui_detail::WndBridge::ImplOf(*this).style;
    own = (own & ~BS_TYPEMASK) | type;
    push->setDefault(type == BS_DEFPUSHBUTTON);
}

void CButton::ClickState()
{
    const DWORD type = GetStyle() & BS_TYPEMASK;
    switch (type) {
    case BS_AUTOCHECKBOX:
        SetCheck(GetCheck() == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED);
        return;
    case BS_AUTO3STATE:
        SetCheck((GetCheck() + 1) % 3);
        return;
    case BS_AUTORADIOBUTTON:
        break;
    default:
        return;
    }
    SetCheck(BST_CHECKED);
    const QAbstractButton* self = ButtonOf(this);
    if (!self || !self->group())
        return;
    for (QAbstractButton* other : self->group()->buttons()) {
        auto* wnd = dynamic_cast<CButton*>(ui_detail::WndFromWidget(other));
        if (wnd && wnd != this && (wnd->GetStyle() & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            wnd->SetCheck(BST_UNCHECKED);
    }
}
