// platform/ui/detail/waiting_keys.cpp: the count of posted key presses; posts may come from any
// thread.
#include "platform/ui/detail/waiting_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <mutex>
#include <vector>

namespace ui_detail {
namespace {

struct PostedKey {
    const void* carrier;
    const QWidget* widget;
    UINT vk;
};

struct Registry {
    std::mutex mutex;
    std::vector<PostedKey> keys;
};

Registry& Keys()
{
    static auto* registry = new Registry;
    return *registry;
}

QEvent::Type CountedPressType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

/// A key press on its way through Qt's queue, counted from its making until it is delivered
/// or Qt drops it.
class CountedPress final : public QEvent {
public:
    CountedPress(QWidget* widget, std::unique_ptr<QKeyEvent> keyPress, UINT vk)
        : QEvent(CountedPressType()), target(widget), press(std::move(keyPress))
    {
        CountPostedKey(this, widget, vk);
    }
    ~CountedPress() override { UncountPostedKey(this); }
    CountedPress(const CountedPress&) = delete;
    CountedPress& operator=(const CountedPress&) = delete;

    const QPointer<QWidget> target;
    const std::unique_ptr<QKeyEvent> press;
};

/// Hands each counted press to its widget on the interface thread, uncounted first: the
/// handlers of the key see it as no longer waiting.
class PressCourier final : public QObject {
public:
    bool event(QEvent* event) override
    {
        if (event->type() != CountedPressType())
            return QObject::event(event);
        auto* counted = static_cast<CountedPress*>(event);
        UncountPostedKey(counted);
        if (counted->target)
            QCoreApplication::sendEvent(counted->target, counted->press.get());
        return true;
    }
};

QObject* Courier()
{
    static QObject* courier = [] {
        auto* made = new PressCourier;
        made->moveToThread(QCoreApplication::instance()->thread());
        return made;
    }();
    return courier;
}

} // namespace

void CountPostedKey(const void* carrier, const QWidget* widget, UINT vk)
{
    Registry& registry = Keys();
    const std::lock_guard lock(registry.mutex);
    registry.keys.push_back({carrier, widget, vk});
}

void UncountPostedKey(const void* carrier)
{
    Registry& registry = Keys();
    const std::lock_guard lock(registry.mutex);
    std::erase_if(registry.keys,
                  [carrier](const PostedKey& key) { return key.carrier == carrier; });
}

bool PostedKeyWaiting(const QWidget* widget, UINT vk)
{
    Registry& registry = Keys();
    const std::lock_guard lock(registry.mutex);
    return std::any_of(registry.keys.begin(), registry.keys.end(),
                       [&](const PostedKey& key) { return key.widget == widget && key.vk == vk; });
}

void PostCountedKeyPress(QWidget* widget, std::unique_ptr<QKeyEvent> press, UINT vk)
{
    QCoreApplication::postEvent(Courier(), new CountedPress(widget, std::move(press), vk));
}

} // namespace ui_detail
