// platform/ui/frames/tool_bar.cpp: toolbar buttons from resources, their commands, prompts and
// update pass.
#include "platform/ui/frames/tool_bar.h"

#include "platform/ui/detail/widget_windows.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/cmd_ui.h"

#include <QAction>
#include <QLayout>
#include <QPointer>

#include <string>

namespace {

QToolBar* ToolBarOf(const CWnd* wnd)
{
    return qobject_cast<QToolBar*>(ui_detail::WidgetOf(wnd));
}

/// The second line of a command's string: its tool tip.
QString ToolTipOf(UINT id)
{
    std::string text;
    if (!AppResources().LoadString(id, text))
        return {};
    const std::size_t newline = text.find('\n');
    return newline == std::string::npos ? QString()
                                        : QString::fromStdString(text.substr(newline + 1));
}

/// Applies what an update handler sets to a button.
class CToolCmdUI final : public CCmdUI {
public:
    explicit CToolCmdUI(QAction* action) : m_action(action) {}

    void Enable(BOOL on) override
    {
        CCmdUI::Enable(on);
        m_action->setEnabled(on != FALSE);
    }
    void SetCheck(int check) override
    {
        CCmdUI::SetCheck(check);
        m_action->setCheckable(true);
        m_action->setChecked(check != 0);
    }
    void SetRadio(BOOL on) override
    {
        CCmdUI::SetRadio(on);
        m_action->setCheckable(true);
        m_action->setChecked(on != FALSE);
    }

private:
    QAction* m_action;
};

} // namespace

struct CToolBar::Impl {
    struct Item {
        UINT id = ID_SEPARATOR;
        QPointer<QAction> action;
        QString toolTip;
    };
    std::vector<Item> items;
};

CToolBar::CToolBar() : m_bar(std::make_unique<Impl>()) {}
CToolBar::~CToolBar() = default;

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id)
{
    QWidget* parentWidget = ui_detail::WidgetOf(parent);
    if (!parentWidget || GetSafeHwnd())
        return FALSE;
    m_dwBarStyle = style & CBRS_ALL;
    auto* bar = new ui_detail::ToolBarWidget(parentWidget);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setOrientation((style & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? Qt::Vertical
                                                                       : Qt::Horizontal);
    bar->m_onLeave = [this] {
        if (m_dwBarStyle & CBRS_FLYBY)
            ShowFlyByPrompt(0);
    };
    ui_detail::CreateArgs args;
    args.style = (style & ~CBRS_ALL) | WS_CHILD;
    args.parent = parent;
    args.id = id;
    if (!ui_detail::CreateOver(*this, bar, args))
        return FALSE;
    JoinParentFrame();
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT resourceId)
{
    QToolBar* bar = ToolBarOf(this);
    const ToolbarRecord* record = AppResources().FindToolbar(resourceId);
    const ImageRecord* imageRecord = AppResources().FindImage(ResourceType::Bitmap, resourceId);
    if (!bar || !record || !imageRecord)
        return FALSE;
    const QImage strip(QString::fromStdString(imageRecord->path));
    if (strip.isNull())
        return FALSE;
    const int width = record->buttonWidth, height = record->buttonHeight;
    bar->clear();
    bar->setIconSize(QSize(width, height));
    m_bar->items.clear();
    int image = 0;
    for (const UINT id : record->buttons) {
        Impl::Item item;
        item.id = id;
        if (id == ID_SEPARATOR) {
            item.action = bar->addSeparator();
        } else {
            const QPixmap picture =
                QPixmap::fromImage(strip.copy(image++ * width, 0, width, height));
            QAction* action = bar->addAction(QIcon(picture), QString());
            QObject::connect(action, &QAction::triggered, action, [this, id] { SendCommand(id); });
            QObject::connect(action, &QAction::hovered, action, [this, id] {
                if (!(m_dwBarStyle & CBRS_FLYBY))
                    return;
                ShowFlyByPrompt(id);
                if (auto* widget = dynamic_cast<ui_detail::ToolBarWidget*>(ToolBarOf(this)))
                    widget->WatchForLeave();
            });
            item.toolTip = ToolTipOf(id);
            action->setToolTip((m_dwBarStyle & CBRS_TOOLTIPS) ? item.toolTip : QString());
            item.action = action;
        }
        m_bar->items.push_back(std::move(item));
    }
    if (!GetDockingFrame())
        bar->resize(bar->sizeHint()); // inside a window, the bar shows all its buttons
    return TRUE;
}

int CToolBar::GetCount() const
{
    return int(m_bar->items.size());
}

UINT CToolBar::GetItemID(int index) const
{
    return index >= 0 && index < GetCount() ? m_bar->items[std::size_t(index)].id : ID_SEPARATOR;
}

int CToolBar::CommandToIndex(UINT id) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_bar->items[std::size_t(i)].id == id)
            return i;
    return -1;
}

void CToolBar::GetItemRect(int index, RECT* rect) const
{
    *rect = CRect();
    QToolBar* bar = ToolBarOf(this);
    if (!bar || index < 0 || index >= GetCount())
        return;
    if (bar->layout())
        bar->layout()->activate();
    const QWidget* button = bar->widgetForAction(m_bar->items[std::size_t(index)].action);
    if (!button || button->isHidden())
        return;
    const QRect area = button->geometry();
    *rect = CRect(area.left(), area.top(), area.left() + area.width(), area.top() + area.height());
}

BOOL CToolBar::IsButtonEnabled(int index) const
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    const QAction* action = m_bar->items[std::size_t(index)].action;
    return action && action->isEnabled();
}

BOOL CToolBar::IsButtonChecked(int index) const
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    const QAction* action = m_bar->items[std::size_t(index)].action;
    return action && action->isChecked();
}

BOOL CToolBar::IsFloating() const
{
    const QToolBar* bar = ToolBarOf(this);
    return bar && (bar->isFloating() || dynamic_cast<ui_detail::FloatWindow*>(bar->parentWidget()));
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    for (std::size_t i = 0; i < m_bar->items.size(); ++i) {
        const Impl::Item& item = m_bar->items[i];
        if (item.id == ID_SEPARATOR || !item.action)
            continue;
        CToolCmdUI state(item.action);
        state.m_nID = item.id;
        state.m_nIndex = UINT(i);
        // The bar's own update handlers come first.
        if (!CWnd::OnCmdMsg(item.id, CN_UPDATE_COMMAND_UI, &state, nullptr))
            state.DoUpdate(target, disableIfNoHandler);
    }
}

void CToolBar::OnBarStyleChange(DWORD oldStyle, DWORD newStyle)
{
    if (!((oldStyle ^ newStyle) & CBRS_TOOLTIPS))
        return;
    for (const Impl::Item& item : m_bar->items)
        if (item.action && item.id != ID_SEPARATOR)
            item.action->setToolTip((newStyle & CBRS_TOOLTIPS) ? item.toolTip : QString());
}
