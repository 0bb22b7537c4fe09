// platform/ui/detail/app_events.cpp: the application's input filter, the pre-translation walk
// and the accelerators of top-level windows.
#include "platform/ui/detail/app_events.h"

#include "platform/base/clock.h"
#include "platform/ui/detail/idle.h"
#include "platform/ui/detail/input_messages.h"
#include "platform/ui/detail/key_map.h"
#include "platform/ui/detail/watched_messages.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/windows/accelerator_table.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/subclass_wnd.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>

#include <memory>
#include <vector>

namespace ui_detail {
namespace {

struct AcceleratorOwner {
    CWnd* owner;
    std::weak_ptr<int> life;
    const CAcceleratorTable* table;
};

std::vector<AcceleratorOwner> g_accelerators;
/// The input filters of running modal waits, innermost last.
std::vector<const std::function<bool(const MSG&)>*> g_waitFilters;

bool IsInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

bool KeyMessage(const QKeyEvent* event, MSG& msg)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const UINT vk = VirtualKeyFromQt(event->key(), modifiers);
    if (!vk)
        return false;
    NoteInputState(modifiers, QGuiApplication::mouseButtons());
    NoteKey(vk, event->type() == QEvent::KeyPress);
    const KeyStroke key = KeyStrokeOf(event);
    msg.message = key.message;
    msg.wParam = vk;
    msg.lParam = key.lParam;
    const QPoint cursor = QCursor::pos();
    msg.pt = {cursor.x(), cursor.y()};
    return true;
}

bool MouseMessage(const QMouseEvent* event, QWidget* receiver, QWidget* target, MSG& msg)
{
    msg.message = event->type() == QEvent::MouseMove
                      ? WM_MOUSEMOVE
                      : MouseButtonMessage(event->type(), event->button());
    if (!msg.message)
        return false;
    NoteInputState(event->modifiers(), event->buttons());
    msg.wParam = MouseKeyFlags(event->modifiers(), event->buttons());
    msg.lParam = PackPoint(receiver->mapTo(target, FloorPoint(event->position())));
    const QPoint global = FloorPoint(event->globalPosition());
    msg.pt = {global.x(), global.y()};
    return true;
}

bool WheelMessage(const QWheelEvent* event, MSG& msg)
{
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return false;
    NoteInputState(event->modifiers(), event->buttons());
    const QPoint global = FloorPoint(event->globalPosition());
    msg.message = WM_MOUSEWHEEL;
    msg.wParam =
        MAKEWPARAM(WORD(MouseKeyFlags(event->modifiers(), event->buttons())), WORD(short(delta)));
    msg.lParam = PackPoint(global);
    msg.pt = {global.x(), global.y()};
    return true;
}

/// What tells one input event apart from another, so the same event passed on by Qt from a
/// widget to its parents is offered once.
struct InputIdentity {
    QEvent::Type type = QEvent::None;
    quint64 timestamp = 0;
    int keyOrButton = 0;
    Qt::KeyboardModifiers modifiers;
    QPointF global;
    QPoint wheel;

    static InputIdentity Of(const QEvent* event)
    {
        InputIdentity identity;
        identity.type = event->type();
        const auto* input = static_cast<const QInputEvent*>(event);
        identity.timestamp = input->timestamp();
        identity.modifiers = input->modifiers();
        if (const auto* key = dynamic_cast<const QKeyEvent*>(event)) {
            identity.keyOrButton = key->key();
        } else if (const auto* wheel = dynamic_cast<const QWheelEvent*>(event)) {
            identity.global = wheel->globalPosition();
            identity.wheel = wheel->angleDelta();
        } else if (const auto* mouse = dynamic_cast<const QMouseEvent*>(event)) {
            identity.keyOrButton = int(mouse->button());
            identity.global = mouse->globalPosition();
        }
        return identity;
    }
    bool operator==(const InputIdentity&) const = default;
};

class InputEventFilter final : public QObject {
public:
    explicit InputEventFilter(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == QCoreApplication::instance()) {
            if (event->type() == QEvent::ApplicationPaletteChange)
                BroadcastSystemChange(WM_SYSCOLORCHANGE);
            else if (event->type() == QEvent::ApplicationFontChange)
                BroadcastSystemChange(WM_SETTINGCHANGE);
        }
        ReportWatchedEvent(watched, event);
        if (!IsInput(event->type()))
            return false;
        NoteInputForIdle();
        if (!watched->isWidgetType() || PassedOn(watched, event))
            return false;
        std::optional<MSG> msg = InputMessage(watched, event);
        if (!msg)
            return false;
        Remember(watched, event);
        ReportWatchedInput(*msg);
        if (!Offer(*msg, static_cast<QWidget*>(watched), event))
            return false;
        event->accept();
        return true;
    }

private:
    /// Whether Qt hands on to a parent an event already offered for one of its children.
    bool PassedOn(QObject* watched, const QEvent* event) const
    {
        const auto* last = qobject_cast<const QWidget*>(m_lastReceiver.data());
        return last && static_cast<QWidget*>(watched)->isAncestorOf(last) &&
               InputIdentity::Of(event) == m_last;
    }

    /// Remembers the event until the loop next runs queued calls: Qt hands it on to parents
    /// before then.
    void Remember(QObject* watched, const QEvent* event)
    {
        m_last = InputIdentity::Of(event);
        m_lastReceiver = watched;
        if (m_forgetQueued)
            return;
        m_forgetQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_forgetQueued = false;
                m_lastReceiver = nullptr;
            },
            Qt::QueuedConnection);
    }

    static bool Offer(MSG& msg, QWidget* receiver, QEvent* event)
    {
        if (!g_waitFilters.empty()) {
            for (auto it = g_waitFilters.rbegin(); it != g_waitFilters.rend(); ++it)
                if (!(**it)(msg))
                    return true;
            return PreTranslateThroughWindows(&msg) != FALSE;
        }
        const QPointer<QWidget> top = receiver->window();
        CWinApp* app = AfxGetApp();
        if (app ? app->PreTranslateMessage(&msg) : PreTranslateThroughWindows(&msg))
            return true;
        return event->type() == QEvent::KeyPress && top &&
               TranslateAccelerators(msg, static_cast<QKeyEvent*>(event), top);
    }

    static bool TranslateAccelerators(const MSG& keyMsg, const QKeyEvent* event, QWidget* top)
    {
        const std::vector<AcceleratorOwner> owners = g_accelerators;
        for (const AcceleratorOwner& entry : owners) {
            QWidget* ownerWidget = entry.life.expired() ? nullptr : WidgetOf(entry.owner);
            if (!ownerWidget || ownerWidget->window() != top)
                continue;
            if (entry.table->TranslateAccelerator(entry.owner, keyMsg))
                return true;
            const QString text = event->text();
            if (text.isEmpty() || !text.at(0).isPrint())
                continue;
            MSG charMsg = keyMsg;
            charMsg.message = keyMsg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
            charMsg.wParam = text.at(0).unicode();
            if (entry.table->TranslateAccelerator(entry.owner, charMsg))
                return true;
        }
        return false;
    }

    InputIdentity m_last;
    QPointer<QObject> m_lastReceiver;
    bool m_forgetQueued = false;
};

QPointer<InputEventFilter> g_filter;

} // namespace

std::optional<MSG> InputMessage(QObject* receiver, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(receiver);
    CWnd* wnd = widget ? NearestWnd(widget) : nullptr;
    QWidget* target = WidgetOf(wnd);
    if (!target)
        return std::nullopt;
    MSG msg;
    msg.hwnd = wnd;
    msg.time = GetTickCount();
    bool made = false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        made = KeyMessage(static_cast<QKeyEvent*>(event), msg);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        made = MouseMessage(static_cast<QMouseEvent*>(event), widget, target, msg);
        break;
    case QEvent::Wheel:
        made = WheelMessage(static_cast<QWheelEvent*>(event), msg);
        break;
    default:
        break;
    }
    if (!made)
        return std::nullopt;
    return msg;
}

BOOL PreTranslateThroughWindows(MSG* msg)
{
    for (CWnd* wnd = msg->hwnd; wnd;) {
        const std::weak_ptr<int> life = WndBridge::ImplOf(*wnd).life;
        if (!WidgetOf(wnd))
            return FALSE;
        if (wnd->PreTranslateMessage(msg))
            return TRUE;
        QWidget* widget = life.expired() ? nullptr : WidgetOf(wnd);
        if (!widget || widget->isWindow())
            return FALSE;
        wnd = NearestWnd(widget->parentWidget());
    }
    return FALSE;
}

void InstallInputFilter()
{
    if (g_filter || !QCoreApplication::instance())
        return;
    g_filter = new InputEventFilter(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(g_filter);
}

void SetAccelerators(CWnd& owner, const CAcceleratorTable* table)
{
    std::erase_if(g_accelerators, [&](const AcceleratorOwner& entry) {
        return entry.owner == &owner || entry.table == table;
    });
    if (!table)
        return;
    InstallInputFilter();
    g_accelerators.push_back({&owner, WndBridge::ImplOf(owner).life, table});
}

void RemoveAccelerators(const CAcceleratorTable* table)
{
    std::erase_if(g_accelerators,
                  [&](const AcceleratorOwner& entry) { return entry.table == table; });
}

ScopedInputFilter::ScopedInputFilter(std::function<bool(const MSG&)> filter)
    : m_filter(std::move(filter))
{
    InstallInputFilter();
    g_waitFilters.push_back(&m_filter);
}

ScopedInputFilter::~ScopedInputFilter()
{
    std::erase(g_waitFilters, &m_filter);
}

} // namespace ui_detail
