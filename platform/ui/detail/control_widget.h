// platform/ui/detail/control_widget.h: what the standard controls share over their Qt widgets:
// input offered to the window's handlers first, notifications sent to the parent, programmatic
// changes kept quiet, and the actions a test takes as a user.
#pragma once

#include "platform/ui/detail/control_colours.h"
#include "platform/ui/detail/input_messages.h"
#include "platform/ui/detail/widget_windows.h"

#include <QPaintEvent>
#include <QString>

namespace ui_detail {

/// What a test does to a control as a user would. Each control widget takes the actions that
/// make sense for it; the others answer false.
class UserInput {
public:
    virtual ~UserInput() = default;
    /// Replaces the whole text as typing it would.
    virtual bool TypeText(const QString&) { return false; }
    /// A click with the left button.
    virtual bool Click() { return false; }
    /// Chooses the item at index as a click on it would.
    virtual bool ChooseItem(int) { return false; }
};

/// Whether notifications are held back: programmatic changes run with the control muted, so
/// only what the user does notifies the parent.
class Mutable {
public:
    bool Muted() const { return m_muted > 0; }

private:
    friend class MuteScope;
    int m_muted = 0;
};

/// Mutes a control while it lives.
class MuteScope {
public:
    explicit MuteScope(Mutable* control) : m_control(control)
    {
        if (m_control)
            ++m_control->m_muted;
    }
    ~MuteScope()
    {
        if (m_control)
            --m_control->m_muted;
    }
    MuteScope(const MuteScope&) = delete;
    MuteScope& operator=(const MuteScope&) = delete;

private:
    Mutable* m_control;
};

/// A Qt control whose mouse, key and focus events reach its window's handlers before Qt sees
/// them (Qt sees them when a handler calls Default()), and which asks its parent for its colours
/// before it paints. Its window ends with it.
template <class Base> class ControlWidget : public Base, public UserInput, public Mutable {
public:
    explicit ControlWidget(QWidget* parent) : Base(parent) {}
    ~ControlWidget() override { EndWindowOf(this); }

protected:
    bool event(QEvent* event) override
    {
        CWnd* wnd = WndFromWidget(this);
        if (!wnd)
            return Base::event(event);
        const EventScope scope(this);
        if (event->type() == QEvent::Paint)
            AskControlColours(*this, static_cast<QPaintEvent*>(event)->rect());
        if (DispatchInput(*wnd, this, event, [this, event] { Base::event(event); }))
            return true;
        return Base::event(event);
    }
};

/// Calls act with the window of type Wnd bound to widget; does nothing once that window ended.
/// Qt's signals and a widget's callbacks go through it, since a widget being deleted can still
/// signal after its window object is gone.
template <class Wnd, class Act> void WithWnd(const QWidget* widget, Act act)
{
    if (auto* wnd = dynamic_cast<Wnd*>(WndFromWidget(widget)))
        act(*wnd);
}

/// The control widget of a window, or null.
UserInput* UserInputOf(const CWnd* wnd);
Mutable* MutableOf(const CWnd* wnd);

/// Sends the control's WM_COMMAND notification code to its parent window.
void NotifyCommand(CWnd& control, UINT code);
/// Sends a WM_NOTIFY notification to the control's parent window, with the header's window, id
/// and code filled in; returns what the parent answered (0 without a parent).
LRESULT NotifyParent(CWnd& control, NMHDR& header, UINT code);

/// The arguments of CreateOver for a child control at rect.
CreateArgs ChildArgs(DWORD style, const RECT& rect, CWnd* parent, UINT id);

/// Qt's focus policy for a control: the Tab key reaches it only with WS_TABSTOP.
Qt::FocusPolicy FocusPolicyFor(DWORD style);

} // namespace ui_detail
