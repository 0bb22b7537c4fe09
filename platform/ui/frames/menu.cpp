// platform/ui/frames/menu.cpp: menus over QMenu and QAction: handles, ownership, items and their
// states. Pop-ups, the update pass and CMenuCmdUI are in menu_track.cpp.
#include "platform/ui/frames/menu.h"

#include "platform/ui/detail/application.h"
#include "platform/ui/detail/menu_access.h"
#include "platform/ui/resources/resource_records.h"
#include "platform/ui/resources/resources.h"

#include <memory>
#include <unordered_map>

namespace {

/// The state an item's check mark shows. The item keeps it when Qt would flip it on a click;
/// its command id is the action's data.
constexpr const char* kCheckedProperty = "ardenvelChecked";

/// Every live menu, with the object FromHandle made for it, if any. Never destroyed, so
/// menus that outlive the program's statics still find it.
std::unordered_map<QMenu*, std::unique_ptr<CMenu>>& Registry()
{
    static auto* registry = new std::unordered_map<QMenu*, std::unique_ptr<CMenu>>;
    return *registry;
}

QString Utf8(const char* text)
{
    return QString::fromUtf8(text ? text : "");
}

QMenu* ParentMenu(const QMenu* menu)
{
    return qobject_cast<QMenu*>(menu->parent());
}

void SetChecked(QAction* action, bool checked)
{
    action->setProperty(kCheckedProperty, checked);
    action->setCheckable(checked);
    action->setChecked(checked);
}

bool IsChecked(const QAction* action)
{
    return action->property(kCheckedProperty).toBool();
}

QAction* NewCommand(QMenu* menu, UINT id, const char* text)
{
    auto* action = new QAction(Utf8(text), menu);
    action->setData(id);
    QObject::connect(action, &QAction::toggled, action, [action](bool on) {
        if (on != IsChecked(action))
            action->setChecked(IsChecked(action));
    });
    return action;
}

/// A pop-up can be put into a menu that does not hold it already and is not inside it.
bool CanAdopt(QMenu* menu, QMenu* popup)
{
    if (!popup || popup == menu || ParentMenu(popup))
        return false;
    for (QMenu* outer = menu; outer; outer = ParentMenu(outer))
        if (outer == popup)
            return false;
    return true;
}

/// Makes the item that flags describe and puts it before `before` (null: at the end).
QAction* InsertItem(QMenu* menu, QAction* before, UINT flags, UINT_PTR idOrPopup, const char* text)
{
    QAction* action = nullptr;
    if (flags & MF_SEPARATOR) {
        action = new QAction(menu);
        action->setSeparator(true);
    } else if (flags & MF_POPUP) {
        QMenu* popup = ui_detail::QtMenu(reinterpret_cast<HMENU>(idOrPopup));
        if (!CanAdopt(menu, popup))
            return nullptr;
        popup->setParent(menu, popup->windowFlags());
        popup->setTitle(Utf8(text));
        action = popup->menuAction();
    } else {
        action = NewCommand(menu, UINT(idOrPopup), text);
        SetChecked(action, (flags & MF_CHECKED) != 0);
    }
    action->setEnabled((flags & (MF_GRAYED | MF_DISABLED)) == 0);
    menu->insertAction(before, action);
    return action;
}

void Build(QMenu* menu, const std::vector<MenuItemRecord>& items)
{
    for (const MenuItemRecord& item : items) {
        const UINT state = (item.grayed ? MF_GRAYED : 0) | (item.checked ? MF_CHECKED : 0);
        if (item.separator) {
            InsertItem(menu, nullptr, MF_SEPARATOR, 0, nullptr);
        } else if (item.popup) {
            QMenu* popup = ui_detail::NewMenu();
            Build(popup, item.items);
            InsertItem(menu, nullptr, MF_POPUP | state, UINT_PTR(ui_detail::MenuHandleOf(popup)),
                       item.text.c_str());
        } else {
            InsertItem(menu, nullptr, state, item.id, item.text.c_str());
        }
    }
}

struct Item {
    QMenu* menu = nullptr;
    QAction* action = nullptr;
};

Item FindCommand(QMenu* menu, UINT id)
{
    for (QAction* action : menu->actions()) {
        if (QMenu* popup = action->menu()) {
            if (const Item found = FindCommand(popup, id); found.action)
                return found;
        } else if (!action->isSeparator() && action->data().toUInt() == id) {
            return {menu, action};
        }
    }
    return {};
}

/// The item named by position (MF_BYPOSITION) or by command id, searching pop-ups too.
Item FindItem(HMENU handle, UINT item, UINT flags)
{
    QMenu* menu = ui_detail::QtMenu(handle);
    if (!menu)
        return {};
    if (!(flags & MF_BYPOSITION))
        return FindCommand(menu, item);
    const QList<QAction*> actions = menu->actions();
    if (item >= UINT(actions.size()))
        return {};
    return {menu, actions[qsizetype(item)]};
}

} // namespace

namespace ui_detail {

QMenu* QtMenu(HMENU menu)
{
    auto* qtMenu = reinterpret_cast<QMenu*>(menu);
    return qtMenu && Registry().count(qtMenu) ? qtMenu : nullptr;
}

HMENU MenuHandleOf(QMenu* menu)
{
    return reinterpret_cast<HMENU>(menu);
}

UINT ItemCommand(const QAction* action)
{
    if (action->isSeparator())
        return 0;
    if (action->menu())
        return UINT(-1);
    return action->data().toUInt();
}

QMenu* NewMenu()
{
    auto* menu = new QMenu;
    Registry().emplace(menu, nullptr);
    QObject::connect(menu, &QObject::destroyed, [menu] {
        const auto found = Registry().find(menu);
        // The object goes after the entry, so it finds no menu left to release.
        const std::unique_ptr<CMenu> object = std::move(found->second);
        Registry().erase(found);
    });
    return menu;
}

} // namespace ui_detail

CMenu::CMenu() = default;

CMenu::~CMenu()
{
    Release();
}

BOOL CMenu::CreateMenu()
{
    return CreatePopupMenu();
}

BOOL CMenu::CreatePopupMenu()
{
    if (m_hMenu)
        return FALSE;
    Adopt(ui_detail::MenuHandleOf(ui_detail::NewMenu()), true);
    return TRUE;
}

BOOL CMenu::LoadMenu(UINT resourceId)
{
    const MenuRecord* record = AppResources().FindMenu(resourceId);
    return record ? LoadMenuIndirect(*record) : FALSE;
}

BOOL CMenu::LoadMenuIndirect(const MenuRecord& record)
{
    if (!CreateMenu())
        return FALSE;
    Build(ui_detail::QtMenu(m_hMenu), record.items);
    return TRUE;
}

BOOL CMenu::DestroyMenu()
{
    QMenu* menu = ui_detail::QtMenu(m_hMenu);
    m_hMenu = nullptr;
    m_owns = false;
    if (!menu)
        return FALSE;
    ui_detail::DeleteWhenSafe(menu); // its item leaves the menu that held it
    return TRUE;
}

BOOL CMenu::Attach(HMENU menu)
{
    if (m_hMenu || !ui_detail::QtMenu(menu))
        return FALSE;
    Adopt(menu, true);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    m_owns = false;
    return menu;
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    QMenu* qtMenu = ui_detail::QtMenu(menu);
    if (!qtMenu)
        return nullptr;
    std::unique_ptr<CMenu>& object = Registry()[qtMenu];
    if (!object) {
        object = std::make_unique<CMenu>();
        object->Adopt(menu, false);
    }
    return object.get();
}

void CMenu::Adopt(HMENU menu, bool owns)
{
    m_hMenu = menu;
    m_owns = owns;
}

void CMenu::Release()
{
    QMenu* menu = ui_detail::QtMenu(m_hMenu);
    if (menu && m_owns && !ParentMenu(menu))
        ui_detail::DeleteWhenSafe(menu);
    m_hMenu = nullptr;
    m_owns = false;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrPopup, const char* text)
{
    QMenu* menu = ui_detail::QtMenu(m_hMenu);
    return menu && InsertItem(menu, nullptr, flags, idOrPopup, text) ? TRUE : FALSE;
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup, const char* text)
{
    QMenu* menu = ui_detail::QtMenu(m_hMenu);
    if (!menu)
        return FALSE;
    QAction* before = nullptr;
    if (flags & MF_BYPOSITION) {
        const QList<QAction*> actions = menu->actions();
        before = position < UINT(actions.size()) ? actions[qsizetype(position)] : nullptr;
    } else {
        const Item found = FindCommand(menu, position);
        if (!found.action)
            return FALSE;
        menu = found.menu;
        before = found.action;
    }
    return InsertItem(menu, before, flags, idOrPopup, text) ? TRUE : FALSE;
}

BOOL CMenu::RemoveMenu(UINT position, UINT flags)
{
    const Item item = FindItem(m_hMenu, position, flags);
    if (!item.action)
        return FALSE;
    item.menu->removeAction(item.action);
    if (QMenu* popup = item.action->menu())
        popup->setParent(nullptr, popup->windowFlags());
    else
        ui_detail::DeleteWhenSafe(item.action);
    return TRUE;
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags)
{
    const Item item = FindItem(m_hMenu, position, flags);
    if (!item.action)
        return FALSE;
    if (QMenu* popup = item.action->menu())
        ui_detail::DeleteWhenSafe(popup);
    else
        ui_detail::DeleteWhenSafe(item.action);
    return TRUE;
}

CMenu* CMenu::GetSubMenu(int position) const
{
    const Item item = FindItem(m_hMenu, UINT(position), MF_BYPOSITION);
    if (position < 0 || !item.action || !item.action->menu())
        return nullptr;
    return FromHandle(ui_detail::MenuHandleOf(item.action->menu()));
}

int CMenu::GetMenuItemCount() const
{
    const QMenu* menu = ui_detail::QtMenu(m_hMenu);
    return menu ? int(menu->actions().size()) : -1;
}

UINT CMenu::GetMenuItemID(int position) const
{
    const Item item = FindItem(m_hMenu, UINT(position), MF_BYPOSITION);
    return position >= 0 && item.action ? ui_detail::ItemCommand(item.action) : UINT(-1);
}

int CMenu::GetMenuString(UINT item, std::string& text, UINT flags) const
{
    const Item found = FindItem(m_hMenu, item, flags);
    text = found.action ? found.action->text().toStdString() : std::string();
    return int(text.size());
}

BOOL CMenu::SetMenuString(UINT item, UINT flags, const char* text)
{
    const Item found = FindItem(m_hMenu, item, flags);
    if (!found.action || found.action->isSeparator())
        return FALSE;
    if (QMenu* popup = found.action->menu())
        popup->setTitle(Utf8(text));
    else
        found.action->setText(Utf8(text));
    return TRUE;
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const
{
    const Item found = FindItem(m_hMenu, item, flags);
    if (!found.action)
        return UINT(-1);
    UINT state = found.action->isEnabled() ? MF_ENABLED : MF_GRAYED;
    if (IsChecked(found.action))
        state |= MF_CHECKED;
    if (found.action->isSeparator())
        state |= MF_SEPARATOR;
    if (found.action->menu())
        state |= MF_POPUP;
    return state;
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable)
{
    const Item found = FindItem(m_hMenu, item, enable);
    if (!found.action)
        return UINT(-1);
    const UINT former = found.action->isEnabled() ? MF_ENABLED : MF_GRAYED;
    found.action->setEnabled((enable & (MF_GRAYED | MF_DISABLED)) == 0);
    return former;
}

UINT CMenu::CheckMenuItem(UINT item, UINT check)
{
    const Item found = FindItem(m_hMenu, item, check);
    if (!found.action)
        return UINT(-1);
    const UINT former = IsChecked(found.action) ? MF_CHECKED : MF_UNCHECKED;
    SetChecked(found.action, (check & MF_CHECKED) != 0);
    return former;
}
