// platform/ui/detail/scroll_bar_adapter.cpp: the classic scroll state over QScrollBar, and the
// bars a window shows along its right and bottom edges.
#include "platform/ui/detail/scroll_bar_adapter.h"

#include "platform/ui/detail/colour.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/windows/sys_metrics.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QVariant>
#include <QWheelEvent>

#include <algorithm>
#include <memory>

namespace ui_detail {
namespace {

constexpr const char* kAdapterProperty = "ardenvelScrollAdapter";

} // namespace

ScrollBarAdapter::ScrollBarAdapter(QScrollBar* bar, std::function<void(UINT, int)> notify)
    : m_bar(bar), m_notify(std::move(notify))
{
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setContextMenuPolicy(Qt::NoContextMenu);
    bar->setSingleStep(1);
    bar->installEventFilter(this);
    bar->setProperty(kAdapterProperty, QVariant::fromValue(static_cast<void*>(this)));
    connect(bar, &QAbstractSlider::actionTriggered, this, &ScrollBarAdapter::OnAction);
    connect(bar, &QAbstractSlider::sliderReleased, this, &ScrollBarAdapter::OnReleased);
    Show();
}

ScrollBarAdapter::~ScrollBarAdapter()
{
    if (!m_bar)
        return;
    m_bar->removeEventFilter(this);
    m_bar->setProperty(kAdapterProperty, QVariant());
}

ScrollBarAdapter* ScrollBarAdapter::Of(const QScrollBar* bar)
{
    return bar ? static_cast<ScrollBarAdapter*>(bar->property(kAdapterProperty).value<void*>())
               : nullptr;
}

int ScrollBarAdapter::Set(const SCROLLINFO& info)
{
    if (info.fMask & SIF_RANGE) {
        m_min = info.nMin;
        m_max = std::max(info.nMax, info.nMin);
    }
    if (info.fMask & SIF_PAGE)
        m_page = info.nPage;
    const long long span = (long long)m_max - m_min + 1;
    if ((long long)m_page > span)
        m_page = UINT(span);
    if (info.fMask & SIF_POS)
        m_pos = info.nPos;
    m_pos = std::clamp(m_pos, m_min, LastPos());
    m_keepWhenIdle = (info.fMask & SIF_DISABLENOSCROLL) != 0;
    Show();
    return m_pos;
}

void ScrollBarAdapter::Get(SCROLLINFO& info, UINT mask) const
{
    info.fMask = mask;
    if (mask & SIF_RANGE) {
        info.nMin = m_min;
        info.nMax = m_max;
    }
    if (mask & SIF_PAGE)
        info.nPage = m_page;
    if (mask & SIF_POS)
        info.nPos = m_pos;
    if (mask & SIF_TRACKPOS)
        info.nTrackPos = m_tracking ? m_trackPos : m_pos;
}

int ScrollBarAdapter::SetPos(int pos)
{
    const int old = m_pos;
    m_pos = std::clamp(pos, m_min, LastPos());
    Show();
    return old;
}

bool ScrollBarAdapter::CanScroll() const
{
    return m_max > m_min && (m_page == 0 || m_page <= UINT(m_max - m_min));
}

void ScrollBarAdapter::Perform(UINT code, int thumbPos)
{
    if (!m_bar)
        return;
    switch (code) {
    case SB_LINEUP:
        m_bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case SB_LINEDOWN:
        m_bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case SB_PAGEUP:
        m_bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case SB_PAGEDOWN:
        m_bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case SB_TOP:
        m_bar->triggerAction(QAbstractSlider::SliderToMinimum);
        break;
    case SB_BOTTOM:
        m_bar->triggerAction(QAbstractSlider::SliderToMaximum);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        m_bar->setSliderDown(true);
        m_bar->setSliderPosition(thumbPos);
        m_bar->setSliderDown(false);
        return;
    default:
        return;
    }
    EndScroll();
}

bool ScrollBarAdapter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_bar)
        return false;
    if (event->type() == QEvent::MouseButtonRelease && !m_tracking)
        EndScroll();
    if (event->type() == QEvent::Wheel) {
        // The wheel scrolls the window, as it does over the window itself.
        QWidget* target = m_bar->parentWidget();
        if (!target)
            return false;
        auto* wheel = static_cast<QWheelEvent*>(event);
        QWheelEvent copy(target->mapFromGlobal(wheel->globalPosition()), wheel->globalPosition(),
                         wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(),
                         wheel->modifiers(), wheel->phase(), wheel->inverted());
        QCoreApplication::sendEvent(target, &copy);
        return true;
    }
    return false;
}

void ScrollBarAdapter::OnAction(int action)
{
    if (m_showing || !m_bar)
        return;
    UINT code = 0;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        code = SB_LINEDOWN;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        code = SB_LINEUP;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = SB_PAGEDOWN;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = SB_PAGEUP;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = SB_TOP;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = SB_BOTTOM;
        break;
    case QAbstractSlider::SliderMove:
        m_tracking = true;
        m_trackPos = m_bar->sliderPosition();
        m_notify(SB_THUMBTRACK, m_trackPos);
        return;
    default:
        return;
    }
    // Qt has moved the slider already; the program moves it, when it wants to, from its handler.
    Show();
    m_endPending = true;
    const QPointer<ScrollBarAdapter> self(this);
    m_notify(code, m_pos);
    if (self)
        Show();
}

void ScrollBarAdapter::OnReleased()
{
    if (!m_tracking)
        return;
    const QPointer<ScrollBarAdapter> self(this);
    m_notify(SB_THUMBPOSITION, m_trackPos);
    if (!self)
        return;
    m_tracking = false;
    m_endPending = true;
    EndScroll();
}

void ScrollBarAdapter::EndScroll()
{
    if (!m_endPending)
        return;
    m_endPending = false;
    const QPointer<ScrollBarAdapter> self(this);
    m_notify(SB_ENDSCROLL, m_pos);
    if (self)
        Show();
}

void ScrollBarAdapter::Show()
{
    if (!m_bar)
        return;
    const QSignalBlocker blocker(m_bar.data());
    m_showing = true;
    m_bar->setRange(m_min, LastPos());
    m_bar->setPageStep(int(std::max<UINT>(m_page, 1)));
    m_bar->setEnabled(CanScroll());
    if (!m_tracking) {
        m_bar->setValue(m_pos);
        m_bar->setSliderPosition(m_pos);
    }
    m_showing = false;
}

int ScrollBarAdapter::LastPos() const
{
    return std::max(m_min, m_max - std::max(int(m_page) - 1, 0));
}

namespace window_scroll {
namespace {

constexpr const char* kHostName = "ardenvelScrollBars";

DWORD StyleBit(int bar)
{
    return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
}

/// The two bars of a window and the square between them; lays them out when the window's
/// widget changes size.
class Host final : public QObject {
public:
    explicit Host(QWidget* widget) : QObject(widget), m_widget(widget)
    {
        setObjectName(kHostName);
        m_corner = new QWidget(widget);
        m_corner->setAutoFillBackground(true);
        QPalette palette = m_corner->palette();
        palette.setColor(QPalette::Window, ToQColor(GetSysColor(COLOR_3DFACE)));
        m_corner->setPalette(palette);
        m_corner->hide();
        widget->installEventFilter(this);
    }

    ScrollBarAdapter& Adapter(int bar)
    {
        std::unique_ptr<ScrollBarAdapter>& slot = bar == SB_VERT ? m_vertical : m_horizontal;
        if (!slot) {
            auto* qbar = new QScrollBar(bar == SB_VERT ? Qt::Vertical : Qt::Horizontal, m_widget);
            qbar->hide();
            const UINT message = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
            QPointer<QWidget> widget = m_widget;
            slot = std::make_unique<ScrollBarAdapter>(qbar, [widget, message](UINT code, int pos) {
                if (CWnd* wnd = WndFromWidget(widget))
                    wnd->SendMessage(message, MAKEWPARAM(WORD(code), WORD(pos)), 0);
            });
            slot->Set(SCROLLINFO{sizeof(SCROLLINFO), SIF_RANGE, 0, 100, 0, 0, 0});
        }
        return *slot;
    }
    ScrollBarAdapter* Existing(int bar) const
    {
        return (bar == SB_VERT ? m_vertical : m_horizontal).get();
    }

    /// Places the bars that the window's style shows.
    void Layout()
    {
        CWnd* wnd = WndFromWidget(m_widget);
        if (!wnd)
            return;
        const DWORD style = WndBridge::ImplOf(*wnd).style;
        const bool vertical = style & WS_VSCROLL, horizontal = style & WS_HSCROLL;
        const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
        const int width = m_widget->width(), height = m_widget->height();
        if (vertical)
            Place(Adapter(SB_VERT), QRect(width - cx, 0, cx, height - (horizontal ? cy : 0)));
        else if (m_vertical)
            m_vertical->Bar()->hide();
        if (horizontal)
            Place(Adapter(SB_HORZ), QRect(0, height - cy, width - (vertical ? cx : 0), cy));
        else if (m_horizontal)
            m_horizontal->Bar()->hide();
        m_corner->setGeometry(width - cx, height - cy, cx, cy);
        m_corner->setVisible(vertical && horizontal);
        if (vertical && horizontal)
            m_corner->raise();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_widget && event->type() == QEvent::Resize)
            Layout();
        return false;
    }

private:
    static void Place(ScrollBarAdapter& adapter, const QRect& rect)
    {
        adapter.Bar()->setGeometry(rect);
        adapter.Bar()->show();
        adapter.Bar()->raise();
    }

    QWidget* m_widget;
    QWidget* m_corner;
    std::unique_ptr<ScrollBarAdapter> m_vertical;
    std::unique_ptr<ScrollBarAdapter> m_horizontal;
};

Host* FindHost(const CWnd& wnd, bool create)
{
    QWidget* widget = WidgetOf(&wnd);
    if (!widget)
        return nullptr;
    auto* host = widget->findChild<Host*>(kHostName, Qt::FindDirectChildrenOnly);
    if (!host && create)
        host = new Host(widget);
    return host;
}

} // namespace

void Attach(CWnd& wnd)
{
    const DWORD style = WndBridge::ImplOf(wnd).style;
    if (!(style & (WS_HSCROLL | WS_VSCROLL)))
        return;
    Host* host = FindHost(wnd, true);
    if (!host)
        return;
    if (style & WS_VSCROLL)
        host->Adapter(SB_VERT);
    if (style & WS_HSCROLL)
        host->Adapter(SB_HORZ);
    host->Layout();
}

ScrollBarAdapter* Find(const CWnd& wnd, int bar, bool create)
{
    Host* host = FindHost(wnd, create);
    if (!host)
        return nullptr;
    return create ? &host->Adapter(bar) : host->Existing(bar);
}

void SetVisible(CWnd& wnd, int bar, bool visible)
{
    Host* host = FindHost(wnd, true);
    if (!host)
        return;
    DWORD& style = WndBridge::ImplOf(wnd).style;
    if (((style & StyleBit(bar)) != 0) == visible)
        return;
    style = visible ? style | StyleBit(bar) : style & ~StyleBit(bar);
    host->Adapter(bar);
    host->Layout();
    CRect client;
    wnd.GetClientRect(&client);
    wnd.SendMessage(WM_SIZE, SIZE_RESTORED,
                    MAKELPARAM(WORD(client.Width()), WORD(client.Height())));
}

} // namespace window_scroll
} // namespace ui_detail
