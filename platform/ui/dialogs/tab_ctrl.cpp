// platform/ui/dialogs/tab_ctrl.cpp: the tab control over QTabBar, which draws the frame of the
// display area below its tabs.
#include "platform/ui/dialogs/tab_ctrl.h"

#include "platform/ui/detail/control_widget.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace {

/// Pixels between the display area and the frame around it.
constexpr int kFrameMargin = 2;

/// The application's style for a tab bar that holds its display area too. Each tab is drawn
/// within its own rectangle: Fusion fills the foot of the selected tab a whole tab's height
/// down, which a bar only as tall as its tabs cuts off, but here it lay over the display area.
/// The selected tab takes the face colour of the display area it opens into, as the dialog
/// around them has.
class TabStyle final : public QProxyStyle {
public:
    TabStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element != CE_TabBarTabShape) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        painter->save();
        painter->setClipRect(option->rect, Qt::IntersectClip);
        QProxyStyle::drawControl(element, option, painter, widget);
        if (option->state & State_Selected)
            painter->fillRect(option->rect.adjusted(kFrameMargin, kFrameMargin, -kFrameMargin, 0),
                              option->palette.window());
        painter->restore();
    }

    /// The scroll arrows, and the marks of tabs cut off beside them, stand in the row of tabs at
    /// its right end, as high as the row: the style would measure them against the whole control,
    /// display area included, which makes them tall, or puts them at the foot of a control
    /// narrower than it is high, under the display area.
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget) const override
    {
        const auto* bar = qobject_cast<const QTabBar*>(widget);
        const bool inRow =
            element == SE_TabBarScrollLeftButton || element == SE_TabBarScrollRightButton ||
            element == SE_TabBarTearIndicatorLeft || element == SE_TabBarTearIndicatorRight;
        if (!bar || !option || !inRow || bar->count() == 0)
            return QProxyStyle::subElementRect(element, option, widget);
        const int rowHeight = bar->tabRect(0).height();
        if (rowHeight <= 0 || rowHeight >= option->rect.height())
            return QProxyStyle::subElementRect(element, option, widget);
        // The copy keeps the option's own kind (a style reads a tab's fields through it); the
        // options have no virtual destructor, so each kind is copied as itself.
        if (const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option)) {
            QStyleOptionTab row(*tab);
            row.rect.setHeight(rowHeight);
            return QProxyStyle::subElementRect(element, &row, widget);
        }
        QStyleOption row(*option);
        row.rect.setHeight(rowHeight);
        return QProxyStyle::subElementRect(element, &row, widget);
    }

    /// One for every tab control, made with the first after the application's style is set.
    static QStyle* Shared()
    {
        static QPointer<TabStyle> style;
        if (!style) {
            style = new TabStyle;
            style->setParent(QCoreApplication::instance());
        }
        return style;
    }
};

class TabWidget final : public ui_detail::ControlWidget<QTabBar> {
public:
    explicit TabWidget(QWidget* parent) : ControlWidget<QTabBar>(parent)
    {
        setExpanding(false);
        setDrawBase(false);
        setElideMode(Qt::ElideNone);
        setStyle(TabStyle::Shared());
    }

    bool ChooseItem(int index) override
    {
        if (index < 0 || index >= count())
            return false;
        setCurrentIndex(index);
        return true;
    }

    /// The height of the row of tabs.
    int StripHeight() const
    {
        if (count() > 0)
            return tabRect(0).height();
        QStyleOptionTab option;
        option.initFrom(this);
        option.shape = shape();
        const int vertical = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &option, this);
        const QSize content(fontMetrics().horizontalAdvance(QLatin1Char('X')),
                            fontMetrics().height() + vertical);
        return m_fixedHeight > 0
                   ? m_fixedHeight
                   : style()
                         ->sizeFromContents(QStyle::CT_TabBarTab, &option, content, this)
                         .height();
    }

    /// The tab current since the parent last agreed, which a user's change returns to while the
    /// parent is asked.
    int m_committed = -1;
    int m_fixedWidth = 0;
    int m_fixedHeight = 0;

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        if (m_fixedWidth > 0)
            size.setWidth(m_fixedWidth);
        if (m_fixedHeight > 0)
            size.setHeight(m_fixedHeight);
        return size;
    }

    void paintEvent(QPaintEvent* event) override
    {
        {
            QPainter painter(this);
            QStyleOptionTabWidgetFrame frame;
            frame.initFrom(this);
            const int top =
                StripHeight() - style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
            frame.rect = QRect(0, top, width(), height() - top);
            style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
            // The display area in the face colour of the dialog around it, not Fusion's lighter
            // one.
            painter.fillRect(
                frame.rect.adjusted(kFrameMargin, kFrameMargin, -kFrameMargin, -kFrameMargin),
                palette().window());
        }
        QTabBar::paintEvent(event);
    }
};

TabWidget* TabsOf(const CWnd* wnd)
{
    return dynamic_cast<TabWidget*>(ui_detail::WidgetOf(wnd));
}

/// Runs a change made in code without telling the parent.
template <class Change> auto Quietly(TabWidget* tabs, Change change)
{
    const ui_detail::MuteScope mute(tabs);
    auto result = change();
    tabs->m_committed = tabs->currentIndex();
    return result;
}

/// The user made another tab current: the old one comes back while the parent is asked.
void UserChose(CTabCtrl& wnd, TabWidget* tabs, int index)
{
    Quietly(tabs, [tabs] {
        tabs->setCurrentIndex(tabs->m_committed);
        return 0;
    });
    NMHDR header;
    if (ui_detail::NotifyParent(wnd, header, TCN_SELCHANGING) != 0)
        return;
    Quietly(tabs, [tabs, index] {
        tabs->setCurrentIndex(index);
        return 0;
    });
    ui_detail::NotifyParent(wnd, header, TCN_SELCHANGE);
}

} // namespace

CTabCtrl::CTabCtrl() = default;

CTabCtrl::~CTabCtrl()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    QWidget* parentWidget = ui_detail::WidgetOf(parent);
    if (!parentWidget || GetSafeHwnd())
        return FALSE;
    auto* tabs = new TabWidget(parentWidget);
    tabs->setFocusPolicy((style & TCS_FOCUSNEVER) ? Qt::NoFocus : ui_detail::FocusPolicyFor(style));
    QObject::connect(tabs, &QTabBar::currentChanged, tabs, [tabs](int index) {
        if (!tabs->Muted())
            ui_detail::WithWnd<CTabCtrl>(
                tabs, [tabs, index](CTabCtrl& wnd) { UserChose(wnd, tabs, index); });
    });
    return ui_detail::CreateOver(*this, tabs, ui_detail::ChildArgs(style, rect, parent, id));
}

LONG CTabCtrl::InsertItem(int item, const char* text, LPARAM data)
{
    TabWidget* tabs = TabsOf(this);
    if (!tabs || item < 0)
        return -1;
    return Quietly(tabs, [&] {
        const int at =
            tabs->insertTab(std::min(item, tabs->count()), QString::fromUtf8(text ? text : ""));
        tabs->setTabData(at, QVariant::fromValue(qint64(data)));
        return LONG(at);
    });
}

BOOL CTabCtrl::DeleteItem(int item)
{
    TabWidget* tabs = TabsOf(this);
    if (!tabs || item < 0 || item >= tabs->count())
        return FALSE;
    return Quietly(tabs, [&] {
        tabs->removeTab(item);
        return TRUE;
    });
}

BOOL CTabCtrl::DeleteAllItems()
{
    TabWidget* tabs = TabsOf(this);
    if (!tabs)
        return FALSE;
    return Quietly(tabs, [&] {
        while (tabs->count() > 0)
            tabs->removeTab(tabs->count() - 1);
        return TRUE;
    });
}

int CTabCtrl::GetItemCount() const
{
    const TabWidget* tabs = TabsOf(this);
    return tabs ? tabs->count() : 0;
}

int CTabCtrl::GetCurSel() const
{
    const TabWidget* tabs = TabsOf(this);
    return tabs ? tabs->currentIndex() : -1;
}

int CTabCtrl::SetCurSel(int item)
{
    TabWidget* tabs = TabsOf(this);
    if (!tabs || item < 0 || item >= tabs->count())
        return -1;
    return Quietly(tabs, [&] {
        const int old = tabs->currentIndex();
        tabs->setCurrentIndex(item);
        return old;
    });
}

std::string CTabCtrl::GetItemText(int item) const
{
    const TabWidget* tabs = TabsOf(this);
    return tabs ? tabs->tabText(item).toStdString() : std::string();
}

BOOL CTabCtrl::SetItemText(int item, const char* text)
{
    TabWidget* tabs = TabsOf(this);
    if (!tabs || item < 0 || item >= tabs->count())
        return FALSE;
    tabs->setTabText(item, QString::fromUtf8(text ? text : ""));
    return TRUE;
}

LPARAM CTabCtrl::GetItemData(int item) const
{
    const TabWidget* tabs = TabsOf(this);
    return tabs ? LPARAM(tabs->tabData(item).toLongLong()) : 0;
}

BOOL CTabCtrl::SetItemData(int item, LPARAM data)
{
    TabWidget* tabs = TabsOf(this);
    if (!tabs || item < 0 || item >= tabs->count())
        return FALSE;
    tabs->setTabData(item, QVariant::fromValue(qint64(data)));
    return TRUE;
}

BOOL CTabCtrl::GetItemRect(int item, RECT* rect) const
{
    const TabWidget* tabs = TabsOf(this);
    if (!tabs || !rect || item < 0 || item >= tabs->count())
        return FALSE;
    const QRect tab = tabs->tabRect(item);
    *rect = CRect(tab.left(), tab.top(), tab.left() + tab.width(), tab.top() + tab.height());
    return TRUE;
}

void CTabCtrl::AdjustRect(BOOL larger, RECT* rect) const
{
    const TabWidget* tabs = TabsOf(this);
    if (!tabs || !rect)
        return;
    const int sign = larger ? -1 : 1;
    rect->left += sign * kFrameMargin;
    rect->right -= sign * kFrameMargin;
    rect->top += sign * (tabs->StripHeight() + kFrameMargin);
    rect->bottom -= sign * kFrameMargin;
}

CSize CTabCtrl::SetItemSize(CSize size)
{
    TabWidget* tabs = TabsOf(this);
    if (!tabs)
        return {};
    const CSize old(tabs->m_fixedWidth, tabs->m_fixedHeight);
    tabs->m_fixedWidth = (GetStyle() & TCS_FIXEDWIDTH) ? size.cx : 0;
    if (size.cy > 0)
        tabs->m_fixedHeight = size.cy;
    // Qt measures tabs again when their text changes.
    for (int i = 0; i < tabs->count(); ++i)
        tabs->setTabText(i, tabs->tabText(i));
    return old;
}
