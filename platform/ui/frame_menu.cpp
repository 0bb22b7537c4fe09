// platform/ui/frame_menu.cpp: a frame's menu bar: the menu's items shown in the window, the
// update pass before a pop-up opens, prompts for the item under the pointer, and commands.
#include "platform/ui/frame_wnd.h"

#include "platform/ui/detail/menu_access.h"
#include "platform/ui/detail/widget_windows.h"
#include "platform/ui/menu.h"

#include <QMenuBar>

namespace {

constexpr const char* kWiredProperty = "ardenvelMenuBar";

/// The menu bar a frame shows its menu in, made on first use.
QMenuBar* MenuBarOf(QMainWindow* window)
{
    if (auto* bar = qobject_cast<QMenuBar*>(window->menuWidget()))
        return bar;
    auto* bar = new QMenuBar(window);
    window->setMenuBar(bar);
    return bar;
}

/// Whether the pop-up is shown through the bar: it or a menu that holds it is on the bar.
bool ReachableFrom(const QMenuBar* bar, QMenu* popup)
{
    for (QMenu* menu = popup; menu; menu = qobject_cast<QMenu*>(menu->parent()))
        if (bar->actions().contains(menu->menuAction()))
            return true;
    return false;
}

/// The pop-up's position in the menu that holds it.
UINT PositionOf(QMenu* popup)
{
    auto* parent = qobject_cast<QMenu*>(popup->parent());
    const qsizetype index = parent ? parent->actions().indexOf(popup->menuAction()) : -1;
    return index < 0 ? 0 : UINT(index);
}

void WirePopup(QMenuBar* bar, CFrameWnd& frame, QMenu* popup)
{
    if (popup->property(kWiredProperty).value<void*>() == bar)
        return;
    popup->setProperty(kWiredProperty, QVariant::fromValue(static_cast<void*>(bar)));
    const std::weak_ptr<int> life = ui_detail::WndBridge::ImplOf(frame).life;
    QObject::connect(popup, &QMenu::aboutToShow, bar, [bar, &frame, popup, life] {
        if (life.expired() || !ReachableFrom(bar, popup))
            return;
        const HMENU handle = ui_detail::MenuHandleOf(popup);
        frame.SendMessage(WM_INITMENUPOPUP, WPARAM(handle), MAKELPARAM(WORD(PositionOf(popup)), 0));
        for (QAction* action : popup->actions())
            if (QMenu* inner = action->menu())
                WirePopup(bar, frame, inner);
    });
    QObject::connect(popup, &QMenu::hovered, bar, [bar, &frame, popup, life](QAction* action) {
        const UINT id = ui_detail::ItemCommand(action);
        if (!life.expired() && id != 0 && id != UINT(-1) && ReachableFrom(bar, popup))
            frame.SetMessageText(id);
    });
    // When the menus close, the prompt gives way to the idle message.
    QObject::connect(popup, &QMenu::aboutToHide, bar, [bar, &frame, popup, life] {
        if (!life.expired() && bar->actions().contains(popup->menuAction()))
            frame.SetMessageText(AFX_IDS_IDLEMESSAGE);
    });
}

} // namespace

BOOL CFrameWnd::SetMenu(CMenu* menu)
{
    m_pMenu = menu;
    DrawMenuBar();
    return TRUE;
}

void CFrameWnd::DrawMenuBar()
{
    auto* window = qobject_cast<QMainWindow*>(ui_detail::WidgetOf(this));
    if (!window)
        return;
    QMenuBar* bar = MenuBarOf(window);
    if (bar->property(kWiredProperty).isNull()) {
        bar->setProperty(kWiredProperty, true);
        const std::weak_ptr<int> life = ui_detail::WndBridge::ImplOf(*this).life;
        QObject::connect(bar, &QMenuBar::triggered, bar, [this, life](QAction* action) {
            const UINT id = ui_detail::ItemCommand(action);
            if (!life.expired() && id != 0 && id != UINT(-1))
                SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0);
        });
    }
    bar->clear();
    QMenu* source = m_pMenu ? ui_detail::QtMenu(m_pMenu->GetSafeHmenu()) : nullptr;
    if (!source)
        return;
    for (QAction* action : source->actions()) {
        bar->addAction(action);
        if (QMenu* popup = action->menu())
            WirePopup(bar, *this, popup);
    }
}
