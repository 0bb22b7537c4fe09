// platform/ui/frames/menu_track.cpp: tracking pop-up menus, on the desktop or answered by the test
// hooks, and the update pass that CMenuCmdUI applies to menu items.
#include "platform/ui/frames/menu.h"

#include "platform/base/text.h"
#include "platform/ui/detail/hook_answers.h"
#include "platform/ui/detail/menu_access.h"
#include "platform/ui/detail/modal_cursor.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/windows/cmd_target.h"
#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

namespace {

/// The items as PopupMenuItems lists them.
std::vector<std::string> Describe(const QMenu* menu)
{
    std::vector<std::string> items;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            items.emplace_back("-");
            continue;
        }
        std::string item = action->text().toStdString();
        if (action->menu())
            item += " >";
        if (!action->isEnabled())
            item += " [grey]";
        if (action->isChecked())
            item += " [checked]";
        items.push_back(std::move(item));
    }
    return items;
}

/// Whether a user could choose the command: an enabled item in the menu or in an enabled
/// pop-up inside it.
bool CanChoose(const QMenu* menu, UINT id)
{
    for (const QAction* action : menu->actions()) {
        if (!action->isEnabled() || action->isSeparator())
            continue;
        if (const QMenu* popup = action->menu()) {
            if (CanChoose(popup, id))
                return true;
        } else if (action->data().toUInt() == id) {
            return true;
        }
    }
    return false;
}

UINT ChooseUnderHooks(const QMenu* menu)
{
    ui_detail::hooks::SetPopupItems(Describe(menu));
    const std::optional<UINT> answer = ui_detail::hooks::TakePopupAnswer();
    if (!answer || *answer == 0)
        return 0;
    if (!CanChoose(menu, *answer)) {
        ui_detail::hooks::ReportFailure(
            text::Format("The pop-up menu has no enabled item %u to choose", *answer));
        return 0;
    }
    return *answer;
}

/// Tells owner of each pop-up inside menu as it is about to show, while it lives.
class SubMenuNotices {
public:
    SubMenuNotices(QMenu* menu, CWnd* owner)
    {
        const QList<QAction*> actions = menu->actions();
        for (qsizetype index = 0; index < actions.size(); ++index) {
            QMenu* popup = actions[index]->menu();
            if (!popup)
                continue;
            const std::weak_ptr<int> life = ui_detail::WndBridge::ImplOf(*owner).life;
            m_connections.push_back(
                QObject::connect(popup, &QMenu::aboutToShow, [owner, life, popup, index] {
                    if (!life.expired() && owner->GetSafeHwnd())
                        owner->SendMessage(WM_INITMENUPOPUP, WPARAM(ui_detail::MenuHandleOf(popup)),
                                           MAKELPARAM(WORD(index), FALSE));
                }));
            m_inner.push_back(std::make_unique<SubMenuNotices>(popup, owner));
        }
    }
    ~SubMenuNotices()
    {
        for (const QMetaObject::Connection& connection : m_connections)
            QObject::disconnect(connection);
    }
    SubMenuNotices(const SubMenuNotices&) = delete;
    SubMenuNotices& operator=(const SubMenuNotices&) = delete;

private:
    std::vector<QMetaObject::Connection> m_connections;
    std::vector<std::unique_ptr<SubMenuNotices>> m_inner;
};

UINT ChooseOnDesktop(QMenu* menu, int x, int y, CWnd* notified)
{
    const ui_detail::ModalCursorPause cursorPause;
    std::unique_ptr<SubMenuNotices> notices;
    if (notified)
        notices = std::make_unique<SubMenuNotices>(menu, notified);
    const QAction* chosen = menu->exec(QPoint(x, y));
    notices.reset();
    if (!chosen)
        return 0;
    const UINT id = ui_detail::ItemCommand(chosen);
    return id == UINT(-1) ? 0 : id;
}

/// Sends the command to owner once the loop runs again, as a posted message arrives.
void PostCommand(CWnd* owner, UINT id)
{
    QWidget* widget = ui_detail::WidgetOf(owner);
    if (!widget)
        return;
    const std::weak_ptr<int> life = ui_detail::WndBridge::ImplOf(*owner).life;
    QMetaObject::invokeMethod(
        widget,
        [owner, life, id] {
            if (!life.expired() && owner->GetSafeHwnd())
                owner->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0);
        },
        Qt::QueuedConnection);
}

QAction* ActionAt(const CMenu* menu, UINT position)
{
    const QMenu* qtMenu = menu ? ui_detail::QtMenu(menu->GetSafeHmenu()) : nullptr;
    if (!qtMenu || position >= UINT(qtMenu->actions().size()))
        return nullptr;
    return qtMenu->actions()[qsizetype(position)];
}

} // namespace

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT*)
{
    QMenu* menu = ui_detail::QtMenu(m_hMenu);
    if (!menu)
        return FALSE;
    const bool notify = !(flags & TPM_NONOTIFY) && owner && owner->GetSafeHwnd();
    if (notify)
        owner->SendMessage(WM_INITMENUPOPUP, WPARAM(m_hMenu), MAKELPARAM(0, FALSE));
    if (!ui_detail::QtMenu(m_hMenu))
        return FALSE; // the owner destroyed the menu
    const UINT chosen = TestHooks::IsEnabled()
                            ? ChooseUnderHooks(menu)
                            : ChooseOnDesktop(menu, x, y, notify ? owner : nullptr);
    if (flags & TPM_RETURNCMD)
        return BOOL(chosen);
    if (chosen == 0)
        return FALSE;
    if (notify)
        PostCommand(owner, chosen);
    return TRUE;
}

void CMenu::UpdateCmdUI(CCmdTarget* target, BOOL disableIfNoHandler)
{
    if (!target)
        return;
    for (int index = 0; index < GetMenuItemCount(); ++index) {
        const UINT id = GetMenuItemID(index);
        if (id == 0 || id == UINT(-1))
            continue; // separators and pop-ups
        CMenuCmdUI state;
        state.m_pMenu = this;
        state.m_nID = id;
        state.m_nIndex = UINT(index);
        state.DoUpdate(target, disableIfNoHandler);
        index = int(state.m_nIndex);
    }
}

void CMenuCmdUI::Enable(BOOL on)
{
    CCmdUI::Enable(on);
    if (m_pMenu)
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
}

void CMenuCmdUI::SetCheck(int check)
{
    CCmdUI::SetCheck(check);
    if (m_pMenu)
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
}

void CMenuCmdUI::SetRadio(BOOL on)
{
    CCmdUI::SetRadio(on);
    if (m_pMenu)
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (on ? MF_CHECKED : MF_UNCHECKED));
}

void CMenuCmdUI::SetText(const std::string& text)
{
    CCmdUI::SetText(text);
    if (QAction* action = ActionAt(m_pMenu, m_nIndex))
        action->setText(QString::fromStdString(text));
}
