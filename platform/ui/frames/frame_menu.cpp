// platform/ui/frames/frame_menu.cpp: a frame's menu bar: the menu's items shown in the window, the
// update pass and the listener before a pop-up opens, prompts for the item under the pointer,
// and commands.
#include "platform/ui/frames/frame_wnd.h"

#include "platform/ui/detail/menu_access.h"
#include "platform/ui/detail/widget_windows.h"
#include "platform/ui/frames/menu.h"
#include "platform/ui/windows/accelerator_table.h"

#include <QMenuBar>
#include <QPointer>

#include <functional>
#include <utility>
#include <vector>

namespace {

constexpr const char* kWiredProperty = "ardenvelMenuBar";
constexpr const char* kListenerProperty = "ardenvelMenuPopupListener";

/// The frame's accelerators, which only the frame itself can reach.
using KeysOfFrame = std::function<const CAcceleratorTable*()>;

IMenuPopupListener* ListenerOf(CFrameWnd& frame)
{
    const QWidget* widget = ui_detail::WidgetOf(&frame);
    return widget ? static_cast<IMenuPopupListener*>(
                        widget->property(kListenerProperty).value<void*>())
                  : nullptr;
}

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

void WirePopup(QMenuBar* bar, CFrameWnd& frame, QMenu* popup, const KeysOfFrame& keys)
{
    if (popup->property(kWiredProperty).value<void*>() == bar)
        return;
    popup->setProperty(kWiredProperty, QVariant::fromValue(static_cast<void*>(bar)));
    const std::weak_ptr<int> life = ui_detail::WndBridge::ImplOf(frame).life;
    QObject::connect(popup, &QMenu::aboutToShow, bar, [bar, &frame, popup, life, keys] {
        if (life.expired() || !ReachableFrom(bar, popup))
            return;
        const HMENU handle = ui_detail::MenuHandleOf(popup);
        frame.SendMessage(WM_INITMENUPOPUP, WPARAM(handle), MAKELPARAM(WORD(PositionOf(popup)), 0));
        if (life.expired() || !ui_detail::QtMenu(handle))
            return;
        if (IMenuPopupListener* listener = ListenerOf(frame))
            listener->OnMenuPopupOpening(*CMenu::FromHandle(handle), keys());
        for (QAction* action : popup->actions())
            if (QMenu* inner = action->menu())
                WirePopup(bar, frame, inner, keys);
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

namespace {

/// The frames each listener was set on; a frame that ended is a null entry.
std::vector<std::pair<IMenuPopupListener*, QPointer<QWidget>>>& ListenedFrames()
{
    static auto* frames = new std::vector<std::pair<IMenuPopupListener*, QPointer<QWidget>>>;
    return *frames;
}

} // namespace

void SetMenuPopupListener(CFrameWnd& frame, IMenuPopupListener* listener)
{
    QWidget* widget = ui_detail::WidgetOf(&frame);
    if (!widget)
        return;
    widget->setProperty(kListenerProperty, QVariant::fromValue(static_cast<void*>(listener)));
    if (listener)
        ListenedFrames().emplace_back(listener, widget);
}

void RemoveMenuPopupListener(IMenuPopupListener* listener)
{
    auto& frames = ListenedFrames();
    for (const auto& [owner, widget] : frames)
        if (owner == listener && widget &&
            widget->property(kListenerProperty).value<void*>() == static_cast<void*>(listener))
            widget->setProperty(kListenerProperty, QVariant());
    std::erase_if(
        frames, [listener](const auto& entry) { return entry.first == listener || !entry.second; });
}

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
    const KeysOfFrame keys = [this] { return m_accelerators.get(); };
    for (QAction* action : source->actions()) {
        bar->addAction(action);
        if (QMenu* popup = action->menu())
            WirePopup(bar, *this, popup, keys);
    }
}
