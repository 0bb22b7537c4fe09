// platform/ui/dialogs/spin_button_ctrl.cpp: the up-down control, drawn as two arrow buttons.
#include "platform/ui/dialogs/spin_button_ctrl.h"

#include "platform/base/text.h"
#include "platform/ui/detail/control_widget.h"
#include "platform/ui/dialogs/scroll_bar.h"

#include <QPainter>
#include <QStyleOptionButton>

#include <algorithm>

namespace {

/// Two arrow buttons side by side or one above the other; clicks reach the window's handlers.
class SpinWidget final : public ui_detail::ControlWidget<QWidget> {
public:
    SpinWidget(QWidget* parent, bool horizontal)
        : ControlWidget<QWidget>(parent), m_horizontal(horizontal)
    {
    }

    /// The arrow that steps up (toward the upper end), else the other.
    QRect Half(bool up) const
    {
        if (m_horizontal) {
            const int middle = width() / 2;
            return up ? QRect(middle, 0, width() - middle, height())
                      : QRect(0, 0, middle, height());
        }
        const int middle = height() / 2;
        return up ? QRect(0, 0, width(), middle) : QRect(0, middle, width(), height() - middle);
    }

    QPointer<QWidget> m_buddy;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        for (const bool up : {true, false}) {
            QStyleOptionButton button;
            button.initFrom(this);
            button.rect = Half(up);
            style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);
            const QStyle::PrimitiveElement arrow =
                m_horizontal ? (up ? QStyle::PE_IndicatorArrowRight : QStyle::PE_IndicatorArrowLeft)
                             : (up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown);
            style()->drawPrimitive(arrow, &button, &painter, this);
        }
    }

private:
    bool m_horizontal;
};

SpinWidget* SpinOf(const CWnd* wnd)
{
    return dynamic_cast<SpinWidget*>(ui_detail::WidgetOf(wnd));
}

/// Moves the spinner onto the buddy's edge and narrows the buddy to make room.
void AlignOnBuddy(QWidget& spin, QWidget& buddy, bool right)
{
    if (spin.parentWidget() != buddy.parentWidget())
        return;
    const QRect place = buddy.geometry();
    const int width = std::min(spin.width(), place.width());
    if (right) {
        spin.setGeometry(place.right() + 1 - width, place.top(), width, place.height());
        buddy.setGeometry(place.left(), place.top(), place.width() - width, place.height());
    } else {
        spin.setGeometry(place.left(), place.top(), width, place.height());
        buddy.setGeometry(place.left() + width, place.top(), place.width() - width, place.height());
    }
}

} // namespace

CSpinButtonCtrl::CSpinButtonCtrl() = default;

CSpinButtonCtrl::~CSpinButtonCtrl()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    QWidget* parentWidget = ui_detail::WidgetOf(parent);
    if (!parentWidget || GetSafeHwnd())
        return FALSE;
    auto* spin = new SpinWidget(parentWidget, (style & UDS_HORZ) != 0);
    spin->setFocusPolicy(Qt::NoFocus);
    return ui_detail::CreateOver(*this, spin, ui_detail::ChildArgs(style, rect, parent, id));
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy)
{
    SpinWidget* spin = SpinOf(this);
    if (!spin)
        return nullptr;
    CWnd* old = GetBuddy();
    spin->m_buddy = ui_detail::WidgetOf(buddy);
    if (spin->m_buddy && (GetStyle() & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)))
        AlignOnBuddy(*spin, *spin->m_buddy, (GetStyle() & UDS_ALIGNRIGHT) != 0);
    ShowInBuddy();
    return old;
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    const SpinWidget* spin = SpinOf(this);
    return spin ? ui_detail::WndFromWidget(spin->m_buddy) : nullptr;
}

void CSpinButtonCtrl::SetRange32(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
    m_pos = Clamp(m_pos);
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    lower = m_lower;
    upper = m_upper;
}

int CSpinButtonCtrl::SetPos32(int pos)
{
    const int old = GetPos32();
    m_pos = Clamp(pos);
    ShowInBuddy();
    return old;
}

int CSpinButtonCtrl::GetPos32(BOOL* error) const
{
    if (error)
        *error = FALSE;
    CWnd* buddy = GetBuddy();
    if (!buddy || !(GetStyle() & UDS_SETBUDDYINT))
        return m_pos;
    std::string shown;
    buddy->GetWindowText(shown);
    long value = 0;
    if (text::ParseInt(shown, value))
        m_pos = Clamp(int(std::clamp<long>(value, INT32_MIN, INT32_MAX)));
    else if (error)
        *error = TRUE;
    return m_pos;
}

LRESULT CSpinButtonCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CWnd::DefWindowProc(message, wParam, lParam);
    const SpinWidget* spin = SpinOf(this);
    if (spin && (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK)) {
        const QPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        Step(spin->Half(true).contains(point) ? 1 : -1);
    }
    return result;
}

void CSpinButtonCtrl::Step(int direction)
{
    const int from = GetPos32();
    const int delta = direction * (m_upper >= m_lower ? 1 : -1);
    NMUPDOWN change;
    change.iPos = from;
    change.iDelta = delta;
    if (ui_detail::NotifyParent(*this, change.hdr, UDN_DELTAPOS) != 0)
        return;
    const int low = std::min(m_lower, m_upper), high = std::max(m_lower, m_upper);
    long to = long(from) + change.iDelta;
    if (to < low || to > high) {
        if (!(GetStyle() & UDS_WRAP))
            return;
        to = to < low ? high : low;
    }
    m_pos = int(to);
    ShowInBuddy();
    CWnd* parent = GetParent();
    if (!parent)
        return;
    const UINT message = (GetStyle() & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
    parent->SendMessage(message, MAKEWPARAM(SB_THUMBPOSITION, WORD(m_pos)),
                        LPARAM(static_cast<CWnd*>(this)));
    parent->SendMessage(message, MAKEWPARAM(SB_ENDSCROLL, 0), LPARAM(static_cast<CWnd*>(this)));
}

void CSpinButtonCtrl::ShowInBuddy()
{
    CWnd* buddy = GetBuddy();
    if (buddy && (GetStyle() & UDS_SETBUDDYINT))
        buddy->SetWindowText(std::to_string(m_pos));
}

int CSpinButtonCtrl::Clamp(int pos) const
{
    return std::clamp(pos, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
}
