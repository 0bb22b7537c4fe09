// platform/ui/frames/mdi_frame_wnd.cpp: the MDI area and its children's activation, the Window
// menu's list of children, routing through the active child, and the frame title.
#include "platform/ui/frames/mdi_frame_wnd.h"

#include "platform/ui/detail/widget_windows.h"
#include "platform/ui/frames/document.h"
#include "platform/ui/frames/mdi_child_wnd.h"
#include "platform/ui/frames/menu.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <algorithm>
#include <string>

namespace {

/// At most this many children are listed in the Window menu.
constexpr int kListedChildren = 9;

CMDIChildWnd* ChildOf(QMdiSubWindow* sub)
{
    return dynamic_cast<CMDIChildWnd*>(ui_detail::WndFromWidget(sub));
}

/// Activates the MDI child a mouse press lands in, as a click does on the desktop.
class ClickActivation final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonPress || !watched->isWidgetType())
            return false;
        for (auto* widget = static_cast<QWidget*>(watched); widget;
             widget = widget->parentWidget()) {
            auto* sub = qobject_cast<QMdiSubWindow*>(widget);
            if (sub && sub->mdiArea() && sub->mdiArea()->currentSubWindow() != sub) {
                sub->mdiArea()->setActiveSubWindow(sub);
                break;
            }
        }
        return false;
    }
};

} // namespace

struct CMDIFrameWnd::Impl {
    QPointer<QMdiArea> area;
    /// The active child as last reported, with its life.
    CMDIChildWnd* active = nullptr;
    std::weak_ptr<int> activeLife;
    /// The menu the frame was made with, shown again when no child's menu is.
    CMenu* defaultMenu = nullptr;
    /// The frame's window is ending, its children with it.
    bool closing = false;
};

CMDIFrameWnd::CMDIFrameWnd() : m_mdi(std::make_unique<Impl>())
{
    MapCommandRange(AFX_IDM_FIRST_MDICHILD, AFX_IDM_FIRST_MDICHILD + kListedChildren - 1,
                    [this](UINT id) {
                        const std::vector<CMDIChildWnd*> listed = ListedChildren();
                        const std::size_t index = id - AFX_IDM_FIRST_MDICHILD;
                        if (index < listed.size())
                            MDIActivate(listed[index]);
                    });
    MapCommand(ID_WINDOW_CASCADE, [this] { MDICascade(); });
    MapCommand(ID_WINDOW_TILE_HORZ, [this] { MDITile(); });
    MapCommand(ID_WINDOW_TILE_VERT, [this] { MDITile(); });
}

CMDIFrameWnd::~CMDIFrameWnd() = default;

BOOL CMDIFrameWnd::OnCreateClient(CREATESTRUCT* /*cs*/, CCreateContext* /*context*/)
{
    auto* frame = qobject_cast<QMainWindow*>(ui_detail::WidgetOf(this));
    if (!frame)
        return FALSE;
    auto* area = new QMdiArea(frame);
    area->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    // A click on what takes no focus inside a child window (its scroll bars, labels, frame)
    // leaves the focus where it was: Qt gives a click's focus to the first widget that takes it
    // on the way up, and neither the child window nor the area does.
    area->setFocusPolicy(Qt::NoFocus);
    QApplication::instance()->installEventFilter(new ClickActivation(area));
    ui_detail::BodyOf(frame)->SetClient(area);
    m_mdi->area = area;
    m_mdi->defaultMenu = GetMenu();
    QObject::connect(area, &QMdiArea::subWindowActivated, area, [this](QMdiSubWindow* sub) {
        if (CMDIChildWnd* child = ChildOf(sub))
            OnChildActivated(child);
    });
    return TRUE;
}

void CMDIFrameWnd::MDIActivate(CWnd* child)
{
    auto* sub = qobject_cast<QMdiSubWindow*>(ui_detail::WidgetOf(child));
    if (!sub || !m_mdi->area)
        return;
    if (sub->isHidden())
        sub->show();
    m_mdi->area->setActiveSubWindow(sub);
    // Qt reports no change for the child it takes as current already.
    if (auto* frame = dynamic_cast<CMDIChildWnd*>(child))
        OnChildActivated(frame);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const
{
    CMDIChildWnd* active = m_mdi->activeLife.expired() ? nullptr : m_mdi->active;
    if (maximized)
        *maximized =
            active && ui_detail::WidgetOf(active) && ui_detail::WidgetOf(active)->isMaximized();
    return active;
}

void CMDIFrameWnd::MDINext()
{
    const std::vector<CMDIChildWnd*> listed = ListedChildren();
    if (listed.empty())
        return;
    const auto current = std::find(listed.begin(), listed.end(), MDIGetActive());
    const auto next =
        current == listed.end() || current + 1 == listed.end() ? listed.begin() : current + 1;
    MDIActivate(*next);
}

void CMDIFrameWnd::MDIDestroy(CWnd* child)
{
    if (dynamic_cast<CMDIChildWnd*>(child))
        child->DestroyWindow();
}

void CMDIFrameWnd::MDICascade()
{
    QMdiArea* area = m_mdi->area;
    if (!area)
        return;
    // Qt's own cascade gives each window its size hint, which leaves a frame without a layout
    // a title bar. Here every window keeps a usable size: the area less the steps of the
    // windows after it, never below two thirds of the area, stepping back to the top-left
    // corner when the steps would reach beyond it. The active window comes last, on top.
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area->subWindowList(QMdiArea::StackingOrder)) {
        if (window->isVisible() && !window->isMinimized())
            windows.append(window);
    }
    if (windows.isEmpty())
        return;
    const QRect domain = area->viewport()->rect();
    const QStyle* style = area->style();
    const int step =
        std::max(1, style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, area) +
                        style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, area));
    const int later = int(windows.size()) - 1;
    const QSize size(std::max(domain.width() * 2 / 3, domain.width() - step * later),
                     std::max(domain.height() * 2 / 3, domain.height() - step * later));
    const int positions =
        1 + std::min(domain.width() - size.width(), domain.height() - size.height()) / step;
    for (int i = 0; i < int(windows.size()); ++i) {
        QMdiSubWindow* window = windows[i];
        if (window->isMaximized())
            window->showNormal();
        const int offset = (i % positions) * step;
        window->setGeometry(QRect(domain.topLeft() + QPoint(offset, offset), size));
        window->raise();
    }
}

void CMDIFrameWnd::MDITile()
{
    if (m_mdi->area)
        m_mdi->area->tileSubWindows();
}

void CMDIFrameWnd::MDIMaximize(CWnd* child)
{
    if (QWidget* widget = ui_detail::WidgetOf(child))
        widget->showMaximized();
}

void CMDIFrameWnd::MDIRestore(CWnd* child)
{
    if (QWidget* widget = ui_detail::WidgetOf(child))
        widget->showNormal();
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::GetChildren() const
{
    std::vector<CMDIChildWnd*> children;
    if (!m_mdi->area)
        return children;
    for (QMdiSubWindow* sub : m_mdi->area->subWindowList(QMdiArea::CreationOrder))
        if (CMDIChildWnd* child = ChildOf(sub))
            children.push_back(child);
    return children;
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::ListedChildren() const
{
    std::vector<CMDIChildWnd*> listed;
    for (CMDIChildWnd* child : GetChildren())
        if (!ui_detail::WidgetOf(child)->isHidden())
            listed.push_back(child);
    return listed;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* active = MDIGetActive();
    return active ? static_cast<CFrameWnd*>(active) : this;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CMDIChildWnd* active = MDIGetActive())
        return active->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
               CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMDIFrameWnd::OnChildActivated(CMDIChildWnd* child)
{
    CMDIChildWnd* old = MDIGetActive();
    if (child == old)
        return;
    m_mdi->active = child;
    m_mdi->activeLife = ui_detail::WndBridge::ImplOf(*child).life;
    if (old)
        old->OnMDIActivate(FALSE, child, old);
    if (!m_mdi->activeLife.expired())
        child->OnMDIActivate(TRUE, child, old);
}

void CMDIFrameWnd::OnDestroy()
{
    m_mdi->closing = true;
    CFrameWnd::OnDestroy();
}

void CMDIFrameWnd::OnChildDestroyed(CMDIChildWnd* child)
{
    // Children that end with the frame activate nothing.
    if (m_mdi->closing)
        return;
    const bool wasActive = MDIGetActive() == child;
    CMDIChildWnd* next = nullptr;
    if (wasActive && m_mdi->area) {
        // The child shown most recently before this one takes over.
        const QList<QMdiSubWindow*> history =
            m_mdi->area->subWindowList(QMdiArea::ActivationHistoryOrder);
        for (auto it = history.rbegin(); it != history.rend() && !next; ++it)
            if (CMDIChildWnd* candidate = ChildOf(*it);
                candidate && candidate != child && !(*it)->isHidden())
                next = candidate;
    }
    if (wasActive) {
        m_mdi->active = nullptr;
        m_mdi->activeLife.reset();
        child->OnMDIActivate(FALSE, next, child);
    }
    // Hidden now, the child leaves the Window menu's list before its window goes.
    if (QWidget* widget = ui_detail::WidgetOf(child))
        widget->hide();
    if (next) {
        MDIActivate(next);
        return;
    }
    MDIRefreshMenu();
    if (wasActive)
        OnUpdateFrameTitle(TRUE);
}

CMenu* CMDIFrameWnd::GetWindowMenuPopup(CMenu* menu) const
{
    if (!menu)
        return nullptr;
    CMenu* titled = nullptr;
    for (int i = 0; i < menu->GetMenuItemCount(); ++i) {
        CMenu* popup = menu->GetSubMenu(i);
        if (!popup)
            continue;
        for (int j = 0; j < popup->GetMenuItemCount(); ++j) {
            const UINT id = popup->GetMenuItemID(j);
            if (id >= ID_WINDOW_NEW && id <= ID_WINDOW_NEW + 0xF)
                return popup;
        }
        std::string title;
        menu->GetMenuString(UINT(i), title, MF_BYPOSITION);
        if (!titled && title == "&Window")
            titled = popup;
    }
    return titled;
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* menu, CMenu* windowMenu)
{
    CMenu* old = GetMenu();
    CMenu* shown = menu ? menu : m_mdi->defaultMenu;
    if (shown != old)
        SetMenu(shown);
    ListChildrenIn(windowMenu ? windowMenu : GetWindowMenuPopup(shown));
    return old;
}

void CMDIFrameWnd::MDIRefreshMenu()
{
    ListChildrenIn(GetWindowMenuPopup(GetMenu()));
}

void CMDIFrameWnd::ListChildrenIn(CMenu* windowMenu)
{
    if (!windowMenu)
        return;
    const auto listItem = [](UINT id) {
        return id >= AFX_IDM_FIRST_MDICHILD && id < AFX_IDM_FIRST_MDICHILD + kListedChildren;
    };
    // Takes the old list out, with the separator before it.
    int first = 0;
    while (first < windowMenu->GetMenuItemCount() && !listItem(windowMenu->GetMenuItemID(first)))
        ++first;
    if (first < windowMenu->GetMenuItemCount()) {
        while (first < windowMenu->GetMenuItemCount() && listItem(windowMenu->GetMenuItemID(first)))
            windowMenu->DeleteMenu(UINT(first), MF_BYPOSITION);
        if (first > 0 && windowMenu->GetMenuItemID(first - 1) == 0)
            windowMenu->DeleteMenu(UINT(first - 1), MF_BYPOSITION);
    }
    const std::vector<CMDIChildWnd*> listed = ListedChildren();
    if (listed.empty())
        return;
    windowMenu->AppendMenu(MF_SEPARATOR);
    CMDIChildWnd* active = MDIGetActive();
    for (std::size_t i = 0; i < listed.size() && i < std::size_t(kListedChildren); ++i) {
        std::string title;
        listed[i]->GetWindowText(title);
        const std::string text = "&" + std::to_string(i + 1) + " " + title;
        const UINT state = listed[i] == active ? MF_CHECKED : MF_UNCHECKED;
        windowMenu->AppendMenu(MF_STRING | state, AFX_IDM_FIRST_MDICHILD + UINT(i), text.c_str());
    }
}

void CMDIFrameWnd::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
{
    if (popup && popup == GetWindowMenuPopup(GetMenu()))
        ListChildrenIn(popup);
    CFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
}
